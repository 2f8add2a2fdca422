// Carrying a data set between a local folder and a shared-server area, with
// the take-out mark that tells every computer who has the data out.

#include "foundation/DataInfomation.h"

#include "foundation/FolderOps.h"
#include "foundation/InstallationNames.h"
#include "foundation/UserMessage.h"
#include "platform/NetworkDrive.h"

#include <exception>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const char* const ShareUnreachable =
    "共有サーバーが起動していない、接続が切断されている \rまたは 共有サーバー上のデータ領域が削除された可能性があります。\r"
    "処理を中止します。";

bool FolderExists(const std::string& folder)
{
    std::error_code ec;
    try {
        return fs::is_directory(netdrive::ResolvePath(folder), ec);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool TDataInfomation::CopyDataFiles(const std::string& from, const std::string& to)
{
    // Every file of the data: the database and its companions of the same name.
    const std::string pattern = fs::path(DataDbFileName).replace_extension(".*").string();
    return ShellCopyEx(IncludePathDelim(from) + pattern, to, FO_COPY);
}

int TDataInfomation::PutShareFiles(const std::string& shareFolder, const std::string& localFolder, int silent)
{
    if (shareFolder.empty() || localFolder.empty())
        return 0;
    SetShareStatusIfChanged(shareFolder, ShareStatusFree);
    SetShareStatus(localFolder, ShareStatusFree);
    if (!SetDataStatus(shareFolder, DataStatusPasting) && silent != 1)
        ShowUserMessage(
            "共有サーバー上のデータ領域が削除された可能性があります。\r"
            "現在の領域設定情報でデータ領域を作成します。",
            TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    const bool copied = CopyDataFiles(localFolder, shareFolder);
    SetDataStatus(localFolder, DataStatusFree);
    SetDataStatus(shareFolder, DataStatusFree);
    if (copied)
        return 1;
    // The data stays taken out on both sides until a put-back succeeds.
    SetShareStatus(localFolder, ShareStatusTakenOut);
    SetShareStatusIfChanged(shareFolder, ShareStatusTakenOut);
    return 0;
}

int TDataInfomation::GetShareFiles(const std::string& shareFolder, const std::string& localFolder, int silent)
{
    if (shareFolder.empty() || localFolder.empty())
        return 0;
    bool made = false;
    try {
        made = ForceDir(localFolder);
    } catch (const std::exception&) {
        made = false;
    }
    if (!made) {
        if (silent != 1)
            ShowUserMessage("\"" + localFolder + "\"の作成に失敗しました。", TMsgDlgType::mtWarning,
                            {TMsgDlgBtn::mbYes});
        return 0;
    }
    ReadDataIni(shareFolder, DataInfoRec);
    if (DataInfoRec.STATUS == DataStatusDamaged) {
        if (silent != 1)
            throw std::runtime_error(
                "共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
        return -1;
    }
    const bool shareExists = FolderExists(shareFolder);
    if (DataInfoRec.SHARE_STATUS == ShareStatusTakenOut) {
        // Somebody has it out already: a copy to look at, without the mark.
        if (shareExists)
            CopyDataFiles(shareFolder, localFolder);
        else if (silent != 1)
            throw std::runtime_error(ShareUnreachable);
        return -1;
    }
    if (!shareExists) {
        if (silent != 1)
            throw std::runtime_error(ShareUnreachable);
        return 0;
    }
    SetDataStatus(shareFolder, DataStatusPasting);
    const bool copied = CopyDataFiles(shareFolder, localFolder);
    SetDataStatus(localFolder, DataStatusFree);
    SetDataStatus(shareFolder, DataStatusFree);
    SetShareStatus(localFolder, ShareStatusTakenOut);
    SetShareStatusIfChanged(shareFolder, ShareStatusTakenOut);
    return copied ? 1 : 0;
}
