#pragma once
// Services of the operating system: the special folders, the write guard for
// the root of the system drive, registry reads, the system version and the
// user's name, waiting while messages keep flowing, and the scaling of
// design pixels to the screen.
//
// Special folders come from folders:: (platform/SpecialFolders.h), so each
// moves with its LEDRIX_* variable; none of them ends in "/". This system
// has no drives: the root of the system drive is "/".
//
// Whatever needs a screen (the message pump, the form's resolution, the
// window frame) is asked of callbacks that the screens install at start-up;
// without them the services fall back as each one says.

#include "platform/Registry.h"
#include "platform/WindowMessages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

// ---------------------------------------------------------------------------
// Special folders

// The system folder (folders::SystemDir()).
std::string GetSystemDir();
// The documents folder; the program folder when it does not exist.
std::string GetMyDocumentsDir();
// The application-data folder; the program folder when it does not exist.
// Both the all-users and the user's own folder are the data home
// (folders::CommonAppData()), which on this system already belongs to the
// user.
std::string GetAppDataDir(bool allUsers);
// By the name, letters compared without case: "desktop" the desktop
// (LEDRIX_DESKTOP, else XDG_DESKTOP_DIR, else ~/Desktop), "mydocument" the
// documents folder, "programfiles" the folder that holds the program folder.
// The program folder for any other name and for a folder that does not exist.
std::string GetSpecialDir(const std::string& name);
// The temp folder (folders::Temp()) when it exists, else defaultDir.
std::string GetTempDir(const std::string& defaultDir);
// "/" (the root of the file system that holds the system folder).
std::string GetSystemDriveRoot();

// ---------------------------------------------------------------------------
// Write guard

// The registry key and value that say whether user account control is on.
inline constexpr const char* UacPolicyKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const char* UacPolicyValue = "EnableLUA";

// True when HKEY_LOCAL_MACHINE's "EnableLUA" is the integer 1.
bool IsUacEnabled();

// The warning that offers the documents folder instead of the drive root.
inline constexpr const char* NoWriteAccessMessage =
    "この場所に保存するアクセス許可がありません。\r管理者に連絡してアクセス許可を取得してください。\r\r"
    "代わりに［ドキュメント］フォルダに保存しますか？\r";

// True, unless user account control is on and the folder is the root of the
// system drive: then the warning asks (Yes, No); Yes puts the documents
// folder in its place and gives true, No gives false. The folder comes back
// with a trailing "/" in every case but one: an empty folder (the current
// folder) stays empty, as it can never be the root.
bool CheckWritableFolder(std::string& folder);
// CheckWritableFolder on the folder of the file name; when true, the file
// name is rebuilt from the (possibly replaced) folder and the file's name.
bool CheckWritableFile(std::string& fileName);

// ---------------------------------------------------------------------------
// Registry

using RegValue = std::variant<std::int32_t, std::string>;

// The value of Name under Key: a string value as text, an integer value as
// an integer; the integer 0 for a missing key or value and for any failure.
// "EnableLUA" is read only where the system version is above 5, as user
// account control does not exist below. Reads never need write access.
void RegReadValue(RootKey root, const std::string& key, const std::string& name, RegValue& value);

// ---------------------------------------------------------------------------
// System

// The major number of the running kernel's version; 0 when it cannot be read.
int GetOSMajorVersion();
// The logged-on user's name (folders::UserName()); empty when unknown.
std::string GetLogonUserName();

// Asks the window's owner to bring it to the front (the owner applies it to
// its real window). False when no window listens under the handle.
bool ForceForegroundWindow(platform::WindowHandle handle);

// ---------------------------------------------------------------------------
// Waiting and the screen

// The screens install the call that processes pending window messages; an
// empty function removes it.
void SetMessagePump(std::function<void()> pump);

// Waits the milliseconds, processing messages through the pump (then
// resting 1 ms) until the time has passed, or just sleeping when no pump is
// installed. Measured on a steady clock, so a change of the system time
// neither stretches nor cuts the wait. Always true.
bool DelayMSec(std::int32_t milliseconds);

// The screens install the resolution of the main form (the screen's when
// there is none) and the height of the window frame (SM_CYFRAME). Without
// them the resolution is 96 and the frame 0.
void SetScreenPPIProvider(std::function<int()> provider);
void SetFrameHeightProvider(std::function<int()> provider);

// Value × (toPPI / fromPPI), truncated toward zero; fromPPI 0 means the main
// form's resolution. Equal resolutions (or a resolution that is not
// positive) give the value itself; results beyond 32 bits are clamped.
std::int32_t ScalePPI(std::int32_t value, std::int32_t toPPI, std::int32_t fromPPI);

// F = 2 × the frame height. F <= 8: the value; else kind 0: value − (F − 8),
// kind 1: value − 2 × (F − 8), any other kind: the value.
std::int32_t AdjustFrameHeight(std::int32_t value, std::uint8_t kind);
