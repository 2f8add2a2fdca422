#pragma once
// The special folders of the system. They come from folders::
// (platform/SpecialFolders.h), so each moves with its LEDRIX_* variable;
// none of them ends in "/". This system has no drives: the root of the
// system drive is "/".

#include <string>

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
