#pragma once
// The running system: its version, the user's name, and the request that
// brings a window to the front.

#include "platform/WindowMessages.h"

#include <string>

// The major number of the running kernel's version; 0 when it cannot be read.
int GetOSMajorVersion();
// The logged-on user's name (folders::UserName()); empty when unknown.
std::string GetLogonUserName();

// Asks the window's owner to bring it to the front (the owner applies it to
// its real window). False when no window listens under the handle.
bool ForceForegroundWindow(platform::WindowHandle handle);
