#pragma once
// Conventions every reader and writer of the data list follows: the stored
// form of a data path, the local folder of a row and the display names of a
// data folder's state.

#include "foundation/DataListController.h"

#include <cstdint>
#include <string>
#include <string_view>

// Texts a blank data area carries in the share-server list.
inline constexpr const char* FreeAreaText = "空き領域";
inline constexpr const char* NewAreaText = "新しい領域";

// The one conversion between a path as the data list stores it and the file
// system's form. Rows written by older programs may carry Windows
// separators; every "\" becomes "/". Case is kept: the file system is
// case-sensitive, so a path that was upper-cased somewhere would name
// another folder.
std::string StoredPathToFolder(std::string_view stored);

// The last component of a path; the path itself when it has no separator.
std::string LastPathComponent(std::string_view path);

// The local data folder of a row (LOCALPATH): PASNAME without its trailing
// separator; for a shared row (NETDRIVE 1) the numbered folder of REC under
// the data root (SYSDIR), with a child's own last component below it.
std::string MakeLocalDataFolder(const TDataListRec& rec);

// Display text of a data folder's state code; "状態不明" for a code that has
// no name.
std::string GetDataStatusName(std::int32_t code);
