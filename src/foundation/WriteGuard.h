#pragma once
// The guard against saving into the root of the system drive while user
// account control is on: the user is offered the documents folder instead.

#include <string>

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
