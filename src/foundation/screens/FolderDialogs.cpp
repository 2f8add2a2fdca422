#include "foundation/screens/FolderDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <filesystem>

#include "foundation/FileTree.h"
#include "foundation/FolderOps.h"
#include "foundation/SystemFolders.h"
#include "foundation/WriteGuard.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/TSelectComputerForm.h"
#include "platform/Cp932.h"

namespace {

bool IsSystemDriveRoot(const std::string& folder)
{
    return !folder.empty() && filetree::Canonical(IncludePathDelim(folder)).string() == GetSystemDriveRoot();
}

// Width in CP932 bytes; a name CP932 cannot hold counts its UTF-8 bytes,
// which are never fewer.
std::size_t PathWidth(const std::string& path)
{
    try {
        return cp932::ByteWidth(path);
    } catch (const cp932::TextEncodingError&) {
        return path.size();
    }
}

bool AsksForDocuments()
{
    return ShowUserMessage(NoWriteAccessMessage, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) ==
           mrYes;
}

}  // namespace

bool SelectFolderDlg(const std::string& title, std::string& folder, bool skipAccessCheck, const std::string& root)
{
    const bool guarded = !skipAccessCheck && IsUacEnabled();
    for (;;) {
        QFileDialog dialog(QApplication::activeWindow(),
                           QString::fromStdString(title.empty() ? "フォルダを選択して下さい" : title));
        dialog.setObjectName(QStringLiteral("SelectFolderDlg"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setFileMode(QFileDialog::Directory);
        const std::string start = folder.empty() ? (root.empty() ? std::string("/") : root) : folder;
        dialog.setDirectory(QString::fromStdString(start));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        const std::string path = dialog.selectedFiles().first().toStdString();
        if (PathWidth(path) > 255) {
            ShowUserMessage(FolderPathTooLongMessage, TMsgDlgType::mtError);
            return false;
        }
        if (!guarded || !IsSystemDriveRoot(path)) {
            folder = path;
            return true;
        }
        if (AsksForDocuments()) {
            folder = GetMyDocumentsDir();
            return true;
        }
    }
}

bool SelectComputerDlg(const std::string& title, std::string& name)
{
    TSelectComputerForm form(QApplication::activeWindow());
    form.setWindowTitle(QString::fromStdString(title.empty() ? "コンピュータを選択して下さい" : title));
    form.SetComputerName(QString::fromStdString(name));
    if (form.exec() != QDialog::Accepted)
        return false;
    name = form.ComputerName().toStdString();
    return true;
}

bool CheckSaveFileName(QFileDialog& dialog, std::string& fileName)
{
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        const std::filesystem::path chosen(dialog.selectedFiles().first().toStdString());
        fileName = chosen.string();
        if (!IsUacEnabled() || !IsSystemDriveRoot(chosen.parent_path().string()))
            return true;
        if (AsksForDocuments()) {
            fileName = IncludePathDelim(GetMyDocumentsDir()) + chosen.filename().string();
            return true;
        }
    }
}
