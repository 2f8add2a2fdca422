// Choosing the company data on the data-selection screen, opening it for
// the export with its checks, and handing it back. The share steps on
// either side are in TForm1Share.cpp.

#include "app/export/ProductLookup.h"
#include "app/export/UtiwakesyoDataExport.h"
#include "app/wizard/TForm1.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "foundation/AccInf.h"
#include "foundation/AccInfoReader.h"
#include "foundation/DataModule.h"
#include "foundation/EraText.h"
#include "foundation/HostHooks.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

namespace {

constexpr const char* SelectionScreen = "QvDataSenkaku";
constexpr const char* ConnectFailed = "データの接続に失敗しました。";

}  // namespace

void TForm1::btnDataSentakuClick()
{
    if (OpenDataSelection(3, 1)) {
        listDataInfo->setRowCount(0);
        ShowDataList();
    }
    if (!DataConnected || SystemDef.DataDir.empty()) {
        listDataInfo->setRowCount(0);
        DisconnectData(true);
    }
}

void TForm1::ShowDataList()
{
    std::vector<std::pair<QString, QString>> lines;
    const std::string kind =
        AccInf.CodeTypeText.empty() ? AccInf.DataTypeText : AccInf.DataTypeText + "／" + AccInf.CodeTypeText;
    lines.emplace_back(QStringLiteral("データ区分"), QString::fromStdString(kind));
    lines.emplace_back(
        AccInf.DATATYPE == 1 || AccInf.DATATYPE == 3 ? QStringLiteral("会社名") : QStringLiteral("データ名"),
        QString::fromStdString(AccInf.SHOUGOU));
    lines.emplace_back(QStringLiteral("会計年度"), QString::number(AccInf.NENDO) + QStringLiteral("期"));
    lines.emplace_back(QStringLiteral("会計期間"), QString::fromStdString(GetKikanText(AccInf.KISHU, AccInf.KIMATU)));
    listDataInfo->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        listDataInfo->setItem(row, 0, new QTableWidgetItem(lines[static_cast<std::size_t>(row)].first));
        listDataInfo->setItem(row, 1, new QTableWidgetItem(lines[static_cast<std::size_t>(row)].second));
    }
}

void TForm1::DisconnectData(bool refreshInfo)
{
    if (DM && DM->IBDatabaseDAT.Connected())
        DM->fnAccDatDisConnected(SystemDef.DataDir, refreshInfo, false);
    DataConnected = false;
}

bool TForm1::AskSelectAgain(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r";
    text += "データ選択画面を開き、別のデータを選択しますか？";
    return ShowUserMessage(text, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}) == mrOk;
}

bool TForm1::OpenDataSelection(std::int32_t syoriType, std::int32_t launch)
{
    bool result = false;
    DataVersionText.clear();
    for (;;) {
        // A data set taken before, or one that just failed a check, is
        // handed back before the next choice.
        if (DataOpened) {
            DisconnectData(true);
            ReturnSelectedData();
        }
        const TChoice choice = ChooseData(syoriType, launch);
        if (choice != TChoice::Chosen) {
            result = choice == TChoice::KeepPrevious;
            break;
        }
        const TOpenStep step = OpenForUse();
        if (step != TOpenStep::NextPass) {
            result = step == TOpenStep::Opened;
            break;
        }
    }
    if (!result && DataOpened)
        ReturnSelectedData();
    return result;
}

TForm1::TChoice TForm1::ChooseData(std::int32_t syoriType, std::int32_t launch)
{
    const std::string params = "SyoriType=" + std::to_string(syoriType) + "\rJyokenSet=1\rDataType=-13\rCodeType=0" +
                               "\rDataVerMajor=" + Export->DataVerMajor;
    for (;;) {
        std::int32_t answer = -1;
        if (ProcessLauncherHook)
            answer = ProcessLauncherHook(SelectionScreen, launch, params);
        if (answer != 1) {
            // A cancelled choice goes on with the data opened before.
            if (!DataOpened) {
                PrevDataPath.clear();
                SystemDef.DataDir.clear();
                return TChoice::Failed;
            }
            SystemDef.DataDir = PrevDataPath;
        }
        if (SystemDef.DataDir.empty())
            return DataOpened ? TChoice::KeepPrevious : TChoice::Failed;
        // Shared data not taken yet has no local copy to connect to: the
        // take comes first, and the open step connects the copy it made.
        bool read = AwaitsShareTake(SystemDef.DataDir);
        if (!read && (read = DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, true))) {
            DataConnected = true;
            read = fnGetAccInfo();
        }
        if (read) {
            if (PrepareSelectedData() > 0)
                return TChoice::Chosen;
            SystemDef.DataDir = PrevDataPath;
            continue;
        }
        DisconnectData(false);
        if (!AskSelectAgain({ConnectFailed}))
            return TChoice::Failed;
    }
}

TForm1::TOpenStep TForm1::OpenForUse()
{
    DataOpened = true;
    xAnimeProgressDialog1->SetCaption(QStringLiteral("接続中"));
    xAnimeProgressDialog1->SetInfoLabel(QStringLiteral("会計データに接続中です…"));
    xAnimeProgressDialog1->SetAviFile(QCoreApplication::applicationDirPath() + QStringLiteral("/progress.avi"));
    xAnimeProgressDialog1->CancelBtnShow = false;
    xAnimeProgressDialog1->ShowProgressDialog(this);
    struct CloseProgress {
        TxAnimeProgressDialog* dialog;
        ~CloseProgress() { dialog->CloseProgressDialog(); }
    } closeProgress{xAnimeProgressDialog1};

    bool connected = DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, true);
    if (connected) {
        DataConnected = true;
        connected = fnGetAccInfo();
    }
    if (!connected) {
        if (!AskSelectAgain({ConnectFailed}))
            return TOpenStep::Failed;
        return TOpenStep::NextPass;
    }
    // The checks stop at the first that fails.
    std::vector<std::string> refusal;
    DataVersionText = fnGetDataBaseVer();
    if (!CompareVersion(DataVersionText, Export->RequiredVersion))
        refusal = {"このプログラムで処理できるデータバージョンに達していません。",
                   "データバージョン:" + Export->RequiredVersion + "以降のデータを選択して下さい。"};
    else if (!TDM::InputDataPassword())
        refusal = {"このデータに設定されている「パスワード」と一致しませんでした。"};
    else if (!DM->HasOpeDefSisetu())
        refusal = {"このデータを扱う権限がありません。"};
    // The facility licences hold the operator's full code, as the usual
    // facility's rows do; his login number alone would match nobody's.
    else if (!DM->IsAllSisetuPermitted(SystemDef.OPCODE))
        refusal = {"このデータを扱う権限が不足しています。（支店毎の処理権限をすべて有していない）"};
    if (refusal.empty()) {
        PrevDataPath = SystemDef.DataDir;
        return TOpenStep::Opened;
    }
    const bool again = AskSelectAgain(refusal);
    DisconnectData(true);
    if (!again)
        return TOpenStep::Failed;
    PrevDataPath = SystemDef.DataDir;
    return TOpenStep::NextPass;
}

std::int32_t TForm1::PrepareSelectedData()
{
    DisconnectData(false);
    std::int32_t result = -912;
    if (ReceiveSharedData(SystemDef.AutoShareData) > 0)
        result = CloudShareStep(false) > 0 ? 1 : -922;
    SettleAfterShare();
    return result;
}

std::int32_t TForm1::ReturnSelectedData()
{
    DisconnectData(false);
    std::int32_t result = -921;
    if (CloudShareStep(true) > 0)
        result = StoreSharedData() > 0 ? 1 : -911;
    SettleAfterShare();
    return result;
}

// Both directions end with the data closed, and give the other programs on
// the share a moment before the next step.
void TForm1::SettleAfterShare()
{
    DisconnectData(false);
    QThread::msleep(100);
    QCoreApplication::processEvents();
}
