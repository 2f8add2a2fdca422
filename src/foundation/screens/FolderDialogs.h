#pragma once
// Choosing a folder, a computer or a file to save, with the write guard for
// the root of the system drive (foundation/WriteGuard.h): while user
// account control is on, a choice of that root offers the documents folder
// instead.

#include <string>

class QFileDialog;

// The folder browser (only folders), titled Title or "フォルダを選択して下さい",
// starting at Folder, or at Root when Folder is empty (Root empty: the
// file system's root). Cancel gives false. A path longer than 255 CP932
// bytes shows an error and gives false. The system-drive root, while user
// account control is on (and the check is not skipped), brings the
// warning: Yes takes the documents folder, No opens the browser again.
// Otherwise Folder becomes the chosen path and the result is true.
bool SelectFolderDlg(const std::string& title, std::string& folder, bool skipAccessCheck = false,
                     const std::string& root = std::string());

// The error for a chosen path that is too long.
inline constexpr const char* FolderPathTooLongMessage =
    "選択した場所(パス)の文字長が処理できる範囲を超えました。\r別の場所を選択して下さい。\r";

// The computer browser (TSelectComputerForm), titled Title or
// "コンピュータを選択して下さい", starting at Name. A confirmed choice
// puts the computer's name in Name and gives true; Cancel gives false.
bool SelectComputerDlg(const std::string& title, std::string& name);

// Runs the dialog; after OK, when user account control is on and the
// chosen file lies in the system-drive root, the warning asks: No runs the
// dialog again, Yes moves the file name into the documents folder.
// FileName receives the chosen file; the result is the dialog's.
bool CheckSaveFileName(QFileDialog& dialog, std::string& fileName);
