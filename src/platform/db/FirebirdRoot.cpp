#include "platform/db/FirebirdRoot.h"

#include "platform/db/FbClient.h"

#include <dlfcn.h>
#include <langinfo.h>
#include <unistd.h>

#include <atomic>
#include <clocale>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace db {

namespace {

bool LooksLikeRoot(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder / "plugins", ec) && fs::is_directory(folder / "intl", ec) &&
           fs::exists(folder / "firebird.msg", ec);
}

// A name beside target that no other process picks.
fs::path TemporarySibling(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    std::ostringstream name;
    name << '.' << target.filename().string() << ".tmp-" << ::getpid() << '-' << counter++ << '-' << random();
    return target.parent_path() / name.str();
}

// Copies a folder or file (following symbolic links, so the result holds
// real files) into place in one rename. A target that appears meanwhile wins.
void CopyIntoPlace(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    if (fs::exists(target, ec))
        return;
    const fs::path temporary = TemporarySibling(target);
    try {
        if (fs::is_directory(source))
            fs::copy(source, temporary, fs::copy_options::recursive);
        else
            fs::copy_file(source, temporary);
        fs::rename(temporary, target, ec);
        if (ec && !fs::exists(target))
            throw fs::filesystem_error("cannot move the copy into place", temporary, target, ec);
    } catch (...) {
        fs::remove_all(temporary, ec);
        throw;
    }
    fs::remove_all(temporary, ec);  // left only when another process won
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the file when its text differs, through a rename so that a process
// reading it never sees half a file.
void WriteIfChanged(const fs::path& path, const std::string& text)
{
    std::error_code ec;
    if (fs::exists(path, ec) && ReadFile(path) == text)
        return;
    const fs::path temporary = TemporarySibling(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            fs::remove(temporary, ec);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw fs::filesystem_error("cannot replace the file", temporary, path, ec);
    }
}

std::string FirebirdConf(const FirebirdRootSettings& settings)
{
    std::ostringstream conf;
    conf << "# Written by the program for its own Firebird root; rewritten when its settings change.\n"
            "# SuperClassic lets the embedded engines of several processes share a database file.\n"
            "ServerMode = SuperClassic\n"
            "UdfAccess = None\n";
    if (settings.remoteServicePort != 0)
        conf << "RemoteServicePort = " << settings.remoteServicePort << '\n';
    if (!settings.remoteBindAddress.empty())
        conf << "RemoteBindAddress = " << settings.remoteBindAddress << '\n';
    if (!settings.securityDatabase.empty())
        conf << "SecurityDatabase = " << settings.securityDatabase.string() << '\n';
    return conf.str();
}

std::string DatabasesConf(const FirebirdRootSettings& settings)
{
    const std::string security = settings.securityDatabase.empty() ? std::string("$(dir_secDb)/security3.fdb")
                                                                   : settings.securityDatabase.string();
    return "# Written by the program for its own Firebird root.\n"
           "security.db = " +
           security +
           "\n"
           "{\n"
           "\tRemoteAccess = false\n"
           "\tDefaultDbCachePages = 50\n"
           "}\n";
}

std::string PluginsConf(const fs::path& root)
{
    // The UDR engine looks for modules in the folder named here: the root's
    // own plugins/udr, where the program installs its procedures.
    return "Plugin = UDR {\n"
           "\tModule = $(dir_plugins)/udr_engine\n"
           "\tConfig = UDR_config\n"
           "}\n"
           "\n"
           "Config = UDR_config {\n"
           "\tpath = " +
           (root / "plugins" / "udr").string() +
           "\n"
           "}\n";
}

}  // namespace

fs::path InstalledFirebirdRoot()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&Firebird::fb_get_master_interface), &info) == 0 || info.dli_fname == nullptr)
        throw std::runtime_error("cannot locate the Firebird client library");
    std::error_code ec;
    const fs::path library = fs::canonical(info.dli_fname, ec);
    const fs::path firebird = (ec ? fs::path(info.dli_fname) : library).parent_path() / "firebird";
    if (fs::is_directory(firebird, ec)) {
        for (const auto& entry : fs::directory_iterator(firebird, ec)) {
            if (LooksLikeRoot(entry.path()))
                return entry.path();
        }
    }
    throw std::runtime_error("no installed Firebird root (plugins/, intl/, firebird.msg) under " + firebird.string());
}

void LayOutFirebirdRoot(const fs::path& root, const FirebirdRootSettings& settings)
{
    const fs::path installed = settings.installedRoot.empty() ? InstalledFirebirdRoot() : settings.installedRoot;
    if (!LooksLikeRoot(installed))
        throw std::runtime_error("not a Firebird root (plugins/, intl/, firebird.msg): " + installed.string());

    fs::create_directories(root);
    CopyIntoPlace(installed / "intl", root / "intl");
    CopyIntoPlace(installed / "plugins", root / "plugins");
    CopyIntoPlace(installed / "firebird.msg", root / "firebird.msg");
    fs::create_directories(root / "plugins" / "udr");
    fs::create_directories(root / "lock");
    fs::create_directories(root / "tmp");

    WriteIfChanged(root / "plugins.conf", PluginsConf(fs::absolute(root)));
    WriteIfChanged(root / "databases.conf", DatabasesConf(settings));
    WriteIfChanged(root / "firebird.conf", FirebirdConf(settings));
}

void UseFirebirdRoot(const fs::path& root)
{
    if (detail::ClientStarted())
        throw std::logic_error("the Firebird client is already in use; its root can no longer change");
    const fs::path absolute = fs::absolute(root);
    std::error_code ec;
    if (!fs::exists(absolute / "firebird.conf", ec) || !LooksLikeRoot(absolute))
        throw std::runtime_error("not a laid-out Firebird root: " + absolute.string());
    // File names reach the engine as UTF-8 and it converts them by the
    // process's character type; under the plain "C" locale a folder name in
    // Japanese cannot be opened at all.
    const char* codeset = ::nl_langinfo(CODESET);
    if (codeset == nullptr || (std::strcmp(codeset, "UTF-8") != 0 && std::strcmp(codeset, "utf8") != 0))
        std::setlocale(LC_CTYPE, "C.UTF-8");
    ::setenv("FIREBIRD", absolute.c_str(), 1);
    ::setenv("FIREBIRD_LOCK", (absolute / "lock").c_str(), 1);
    ::setenv("FIREBIRD_TMP", (absolute / "tmp").c_str(), 1);
}

}  // namespace db
