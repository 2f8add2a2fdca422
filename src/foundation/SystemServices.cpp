#include "foundation/SystemServices.h"

#include "foundation/FileTree.h"
#include "foundation/FolderOps.h"
#include "foundation/UserMessage.h"
#include "platform/SpecialFolders.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <mutex>
#include <pwd.h>
#include <sys/utsname.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string OrProgramDir(const std::string& folder) { return IsFolder(folder) ? folder : folders::ProgramDir(); }

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string DesktopDir() {
    std::string dir = Env("LEDRIX_DESKTOP");
    if (dir.empty()) dir = Env("XDG_DESKTOP_DIR");
    if (dir.empty()) {
        std::string home = Env("HOME");
        if (home.empty())
            if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir;
        if (home.empty()) return {};
        dir = WithoutTrailingSlash(home) + "/Desktop";
    }
    return WithoutTrailingSlash(dir);
}

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The screens' callbacks. They are installed once at start-up but may be
// read from a worker thread that waits, hence the lock.
std::mutex g_hooksMutex;
std::function<void()> g_pump;
std::function<int()> g_ppi;
std::function<int()> g_frame;

template <class F>
F Hook(const F& hook) {
    std::lock_guard lock(g_hooksMutex);
    return hook;
}

std::int32_t Clamp32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

} // namespace

// ---------------------------------------------------------------------------
// Special folders

std::string GetSystemDir() { return folders::SystemDir(); }

std::string GetMyDocumentsDir() { return OrProgramDir(folders::Documents()); }

std::string GetAppDataDir(bool /*allUsers*/) { return OrProgramDir(folders::CommonAppData()); }

std::string GetSpecialDir(const std::string& name) {
    const std::string kind = AsciiLower(name);
    if (kind == "desktop") return OrProgramDir(DesktopDir());
    if (kind == "mydocument") return OrProgramDir(folders::Documents());
    if (kind == "programfiles") {
        const fs::path program(folders::ProgramDir());
        return OrProgramDir(program.has_parent_path() ? program.parent_path().string() : std::string());
    }
    return folders::ProgramDir();
}

std::string GetTempDir(const std::string& defaultDir) {
    const std::string temp = folders::Temp();
    return IsFolder(temp) ? temp : defaultDir;
}

std::string GetSystemDriveRoot() { return "/"; }

// ---------------------------------------------------------------------------
// Write guard

bool IsUacEnabled() {
    RegValue value;
    RegReadValue(RootKey::HKEY_LOCAL_MACHINE, UacPolicyKey, UacPolicyValue, value);
    const auto* number = std::get_if<std::int32_t>(&value);
    return number && *number == 1;
}

bool CheckWritableFolder(std::string& folder) {
    // An empty folder means the current one, which is never the root; a
    // delimiter added to it would make it the root.
    if (folder.empty()) return true;
    folder = IncludePathDelim(folder);
    if (filetree::Canonical(folder).string() != GetSystemDriveRoot() || !IsUacEnabled()) return true;
    if (ShowUserMessage(NoWriteAccessMessage, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return false;
    folder = IncludePathDelim(GetMyDocumentsDir());
    return true;
}

bool CheckWritableFile(std::string& fileName) {
    const auto slash = fileName.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (!CheckWritableFolder(folder)) return false;
    fileName = folder + name;
    return true;
}

// ---------------------------------------------------------------------------
// Registry

void RegReadValue(RootKey root, const std::string& key, const std::string& name, RegValue& value) {
    value = std::int32_t{0};
    if (name == UacPolicyValue && GetOSMajorVersion() <= 5) return;
    try {
        Registry reg(root);
        if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(name)) return;
        switch (reg.GetDataType(name)) {
        case RegDataType::rdString: value = reg.ReadString(name); break;
        case RegDataType::rdInteger: value = reg.ReadInteger(name); break;
        case RegDataType::rdUnknown: break;
        }
    } catch (const std::exception&) {
        value = std::int32_t{0};
    }
}

// ---------------------------------------------------------------------------
// System

int GetOSMajorVersion() {
    utsname info {};
    if (uname(&info) != 0) return 0;
    int major = 0;
    for (const char* p = info.release; *p >= '0' && *p <= '9'; ++p) {
        major = major * 10 + (*p - '0');
        if (major > 100000) return 0;
    }
    return major;
}

std::string GetLogonUserName() { return folders::UserName(); }

bool ForceForegroundWindow(platform::WindowHandle handle) { return platform::SetForegroundWindow(handle); }

// ---------------------------------------------------------------------------
// Waiting and the screen

void SetMessagePump(std::function<void()> pump) {
    std::lock_guard lock(g_hooksMutex);
    g_pump = std::move(pump);
}

void SetScreenPPIProvider(std::function<int()> provider) {
    std::lock_guard lock(g_hooksMutex);
    g_ppi = std::move(provider);
}

void SetFrameHeightProvider(std::function<int()> provider) {
    std::lock_guard lock(g_hooksMutex);
    g_frame = std::move(provider);
}

bool DelayMSec(std::int32_t milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    const std::function<void()> pump = Hook(g_pump);
    while (Clock::now() < deadline) {
        if (pump) {
            pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } else {
            std::this_thread::sleep_until(deadline);
        }
    }
    return true;
}

std::int32_t ScalePPI(std::int32_t value, std::int32_t toPPI, std::int32_t fromPPI) {
    if (fromPPI == 0) {
        const std::function<int()> ppi = Hook(g_ppi);
        fromPPI = ppi ? ppi() : 96;
    }
    if (toPPI == fromPPI || fromPPI <= 0) return value;
    return Clamp32(static_cast<std::int64_t>(value) * toPPI / fromPPI);
}

std::int32_t AdjustFrameHeight(std::int32_t value, std::uint8_t kind) {
    const std::function<int()> frame = Hook(g_frame);
    const std::int64_t f = 2 * static_cast<std::int64_t>(frame ? frame() : 0);
    if (f <= 8) return value;
    if (kind == 0) return Clamp32(value - (f - 8));
    if (kind == 1) return Clamp32(value - 2 * (f - 8));
    return value;
}
