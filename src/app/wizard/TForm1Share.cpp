// Fetching the chosen data's newer copies before it is used and handing
// them back afterwards: the share server's area in stand-alone mode (taken
// into the local data folder and stored back through the data-list store)
// and the cloud-share area (through data communication, when installed).

#include "app/wizard/CloudShareTransfer.h"
#include "app/wizard/TForm1.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/AccInf.h"
#include "foundation/AccInfoReader.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"

#include <QCoreApplication>

#include <exception>
#include <filesystem>
#include <string>

namespace {

constexpr const char* Unreachable =
    "共有サーバーが起動していない、接続が切断されている または "
    "共有サーバー上のデータ領域が削除された可能性があります。";

void Inform(const std::string& text)
{
    ShowUserMessage(text, TMsgDlgType::mtInformation);
}

// The share's progress window over the form, closed however the step ends.
class ShareProgress final {
public:
    ShareProgress(TxAnimeProgressDialog* dialog, QWidget* form, const char* caption, const char* info) : dialog_(dialog)
    {
        dialog_->SetCaption(QString::fromUtf8(caption));
        dialog_->SetInfoLabel(QString::fromUtf8(info));
        dialog_->SetAviFile(QCoreApplication::applicationDirPath() + QStringLiteral("/progress.avi"));
        dialog_->CancelBtnShow = false;
        dialog_->ShowProgressDialog(form);
    }
    ~ShareProgress() { dialog_->CloseProgressDialog(); }
    ShareProgress(const ShareProgress&) = delete;
    ShareProgress& operator=(const ShareProgress&) = delete;

    // A failure is shown with the animation stopped.
    void Warn(const std::exception& e)
    {
        dialog_->SetAnimeActive(false);
        ShowUserMessage(e.what(), TMsgDlgType::mtWarning);
    }

private:
    TxAnimeProgressDialog* dialog_;
};

bool HoldsDataFile(const std::string& folder)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(folder + "/" + AppInfo.Zaimu.DataFile, ec);
}

// The share area behind a local data folder, as the data list records it.
struct ShareArea {
    bool converted = false;
    std::string path;
    std::int32_t netDrive = 0;
    std::int32_t kyoyuLock = 0;
};

ShareArea ShareAreaOf(TDataSentakuListCtl& store, const std::string& folder)
{
    store.ListMode = ConnectionMode;
    ShareArea area;
    area.converted = store.ConvLocalPathToSharePath(folder, area.path, area.netDrive, area.kyoyuLock);
    return area;
}

}  // namespace

std::int32_t TForm1::ReceiveSharedData(std::int32_t autoShare)
{
    const std::string folder = SystemDef.DataDir;
    if (ConnectionMode != 0 || folder.empty())
        return 1;
    TDataSentakuListCtl store;
    const ShareArea area = ShareAreaOf(store, folder);
    if (!area.converted) {
        Inform("共有データパスの変換に失敗しました。データ選択画面を開きます。");
        return 0;
    }
    if (area.netDrive != 1 || area.kyoyuLock != 0)
        return 1;
    if (autoShare == 0) {
        Inform("このデータは共有取得が行われていません。データ選択画面を開きます。");
        return 0;
    }
    std::int32_t result = 0;
    {
        ShareProgress progress(xAnimeProgressDialog1, this, "共有データ受信中", "共有データから受信中…");
        try {
            TDataSentakuRec rec;
            store.LoadDataListRecordByPath(folder, rec);
            result = store.GetShareData(rec, 1);
        } catch (const std::exception& e) {
            progress.Warn(e);
            return 0;
        }
    }
    // A take that left no data file has taken nothing usable.
    if (result == 1 && !HoldsDataFile(folder))
        result = 0;
    if (result == 1) {
        // The information shown and used from now on is the taken copy's.
        const bool read = DM->fnAccDatConnected(SystemDef.HOSTNAME, folder, false) && fnGetAccInfo();
        DisconnectData(false);
        if (!read) {
            Inform("このデータは破損している可能性があり、基本情報が取得できませんでした。");
            return 0;
        }
    } else if (result == 0) {
        Inform(std::string(Unreachable) + "\r共有データパス: " + area.path);
    }
    return result;
}

bool TForm1::AwaitsShareTake(const std::string& folder)
{
    if (ConnectionMode != 0 || folder.empty() || HoldsDataFile(folder))
        return false;
    TDataSentakuListCtl store;
    const ShareArea area = ShareAreaOf(store, folder);
    return area.converted && area.netDrive == 1 && area.kyoyuLock == 0;
}

std::int32_t TForm1::StoreSharedData()
{
    const std::string folder = SystemDef.DataDir;
    if (ConnectionMode != 0 || folder.empty())
        return 1;
    // Data that the data check found damaged never goes back to the share.
    if (SystemDef.DataDamaged == 1)
        return 0;
    if (SystemDef.AutoShareData == 0)
        return 1;
    TDataSentakuListCtl store;
    const ShareArea area = ShareAreaOf(store, folder);
    if (!area.converted) {
        Inform("共有データパスの変換に失敗しました。共有データの自動保管は行えませんでした。");
        return 0;
    }
    if (area.netDrive != 1 || area.kyoyuLock != 1)
        return 1;
    ShareProgress progress(xAnimeProgressDialog1, this, "共有データ送信中", "共有データへ送信中…");
    try {
        TDataSentakuRec rec;
        store.LoadDataListRecordByPath(folder, rec);
        // What goes to the share is the local copy of the data and of its
        // children, so that copy is what must be sound.
        bool sound = DM->CallDataCheckEvent(SystemDef.HOSTNAME, rec.Data.LOCALPATH, 1, false) != 0;
        for (const TDataListRec& child : rec.Children)
            sound = sound && DM->CallDataCheckEvent(SystemDef.HOSTNAME, child.LOCALPATH, 1, false) != 0;
        if (!sound) {
            xAnimeProgressDialog1->SetAnimeActive(false);
            Inform(
                "合算・分散データに破損したデータが存在するため、共有データの自動保管を中止します。\r"
                "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
            return 0;
        }
        return store.PutShareData(rec, 1);
    } catch (const std::exception& e) {
        progress.Warn(e);
        return 0;
    }
}

std::int32_t TForm1::CloudShareStep(bool send)
{
    if (EditionFlag != 0 || ConnectionMode == 2)
        return 1;
    if (!cloudShare_)
        cloudShare_ = CreateCloudShareTransfer(this);
    if (!cloudShare_ || AccInf.CLOUD_LINE <= 0)
        return 1;
    const std::int32_t answer = send ? cloudShare_->SendCloudShareData(SystemDef.DataDir, "", 1)
                                     : cloudShare_->ReceiveCloudShareData(SystemDef.DataDir, 1, 0);
    return answer >= 1 && answer <= 9 ? -1 : 1;
}
