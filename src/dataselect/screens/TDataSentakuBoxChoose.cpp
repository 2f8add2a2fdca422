// The data-selection screen: choosing a row and the checks of its data
// folder.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/MessageBox2Info.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "dataselect/DataListRecords.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "foundation/HostHooks.h"
#include "platform/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr const char* BadPathMessage = "データフォルダパスが不正です。\r処理を中止します。";
constexpr const char* NoDataWarning = "このフォルダには財務データがありません。\r";
constexpr const char* OnShareServer =
    "このデータは共有サーバーに保管されています。\r共有取得を実行してから選択して下さい。";
constexpr const char* NoDataHere = "この場所にはデータがありません。他の場所を選んで下さい。";
constexpr const char* CurrentData = "このデータは現在選択中のデータです。\r他の場所を選んで下さい。";
constexpr const char* DataPresent = "選択したパスには既にデータが存在します。\r他の場所を選んで下さい。";
constexpr const char* NewDataQuestion = "選択したパスにはデータが存在しません。\r新規にデータを作成しますか？";
constexpr const char* NewDataProcess = "QvKihonWiz";
constexpr std::uint8_t CreatingStatus = 9;
constexpr std::int32_t UpdateForbiddenMessage = 0x1011;

// The folder check's refusal of an empty path.
class EmptyDataPath : public std::runtime_error {
public:
    EmptyDataPath() : std::runtime_error(BadPathMessage) {}
};

// The holder's operator number within the group.
std::int32_t OperatorNumber(std::int32_t opcode)
{
    const std::int32_t group = SystemDef.GROUPID * 10000;
    return group != 0 ? opcode % group : opcode;
}

std::string Numbered(std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool StatusPasses(std::uint8_t status)
{
    return status == DataStatusFree || ((ConnectionMode == 1 || ConnectionMode == 2) && status == DataStatusInUse);
}

}  // namespace

bool TDataSentakuBox::DataFileExists(const std::string& folder) const
{
    const std::string file = DataDbFileOfFolder(folder);
    if (ConnectionMode == 1 || ConnectionMode == 2)
        return DM && DM->ServerFileExists(file, ConnectionMode);
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

bool TDataSentakuBox::IsSelectableRow(int row) const
{
    if (syoriType_ != 0 && syoriType_ != 1)
        return true;
    return PerfectGrid1->CellText(row, colUpdateLock).toInt() == 0;
}

void TDataSentakuBox::F12Click()
{
    setResult(0);
    SystemDef.DataDamaged = 0;
    if (IsBare(F12))
        return;
    const int row = PerfectGrid1->CurRow();
    const TDataListRec* rec = GetRowRecord(row);
    if (row < 0 || row == TPerfectGrid::NoRow || !rec)
        return;
    chosenPath_ = GetRowDataPath(row);
    chosenPasName_ = rec->PASNAME;
    if (syoriType_ == 2 || syoriType_ == 4)
        ChooseEmptyPlace(row);
    else
        ChooseDataSet(*rec, row);
    UpdateFunctionKeys();
}

std::int32_t TDataSentakuBox::GuardedCheckDataFolder(const std::string& folder)
{
    try {
        return CheckDataFolder(folder);
    } catch (const EmptyDataPath& error) {
        // A row without a path is refused as such; the data check must not
        // judge a folder that does not exist and mark the row damaged.
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
        return -2;
    } catch (const std::exception&) {
        // Whatever else fails in reading the folder, the data check decides
        // between damaged data and a plain refusal.
        const std::int32_t sound = DM ? DM->CallDataCheckEvent(SystemDef.HOSTNAME, folder, 0, false) : 1;
        return sound == 0 ? -3 : -1;
    }
}

void TDataSentakuBox::RefuseRow(int row, std::int32_t check)
{
    ClearChosenPath();
    // Damaged data is marked before the row is refreshed, so that the
    // refresh does not open it again.
    if (check == -3) {
        if (TDataListRec* rec = GetRowRecord(row))
            rec->DATA_STATUS = 1;
        PerfectGrid1->SetCellText(row, colStatus, QStringLiteral("1"));
        PerfectGrid1->SetRowBackColor(row, QColor(255, 0, 0));
    }
    DataListRefresh(row);
    if (PerfectGrid1->CellText(row, colGassan).toInt() > 2 && row < PerfectGrid1->Rows())
        PerfectGrid1->MoveCursor(row, 0);
}

void TDataSentakuBox::ChooseDataSet(const TDataListRec& rec, int row)
{
    if (rec.NETDRIVE == 1 && rec.KYOYULOCK == 0 && SystemDef.AutoShareData == 0) {
        ShowUserMessage(OnShareServer, TMsgDlgType::mtInformation);
        ClearChosenPath();
        return;
    }
    // With automatic sharing the caller takes a shared data set that is not
    // taken yet; there is no local copy to check before that, and refusing
    // the row for it would leave the data unreachable.
    const bool awaitsTake = rec.NETDRIVE == 1 && rec.KYOYULOCK == 0 && SystemDef.AutoShareData != 0;
    const std::int32_t check = awaitsTake ? 1 : GuardedCheckDataFolder(chosenPath_);
    if (check == -1 || check == -2 || check == -3) {
        RefuseRow(row, check);
        return;
    }
    if (check == 0) {
        if (syoriType_ == 5) {
            // Saving needs data; restoring into the empty place needs the
            // restore step, which this program does not have.
            if (carryMode_ == 0)
                ShowUserMessage(NoDataHere, TMsgDlgType::mtInformation);
            ClearChosenPath();
            return;
        }
        if (ShowUserMessage(NewDataQuestion, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) !=
            mrYes) {
            ClearChosenPath();
            return;
        }
        // Only data that was really made is chosen: a creation that failed
        // or was cancelled leaves the screen open on the empty place.
        if (CreateNewData(row) != 1) {
            ClearChosenPath();
            return;
        }
        SystemDef.DataDir = chosenPath_;
        SystemDef.DataPathRegistered = chosenPasName_;
        done(1);
        return;
    }
    if (check != 1)
        return;
    if (!IsSelectableRow(row)) {
        TMessage2InfoRec info;
        info.MessageId = UpdateForbiddenMessage;
        ShowMessageBox2(info);
        ClearChosenPath();
        return;
    }
    if (syoriType_ == 0 || syoriType_ == 1 || syoriType_ == 3) {
        SystemDef.DataDir = chosenPath_;
        SystemDef.DataPathRegistered = chosenPasName_;
        done(1);
        return;
    }
    // Kind 5 (carrying data out and back) needs the save and restore steps,
    // which this program does not have: the choice stays open.
    ClearChosenPath();
}

void TDataSentakuBox::ChooseEmptyPlace(int row)
{
    if (chosenPath_ == SystemDef.DataDir) {
        ShowUserMessage(CurrentData, TMsgDlgType::mtInformation);
        ClearChosenPath();
        return;
    }
    const std::int32_t check = GuardedCheckDataFolder(chosenPath_);
    if (check == -1 || check == -2 || check == -3) {
        RefuseRow(row, check);
        return;
    }
    if (check == 1) {
        ShowUserMessage(DataPresent, TMsgDlgType::mtInformation);
        ClearChosenPath();
        return;
    }
    if (check != 0)
        return;
    if (syoriType_ == 2 && ConnectionMode == 0 && SystemDef.DataDir != SystemDef.DataPathRegistered &&
        chosenPath_ == WithoutTrailingSeparator(chosenPasName_)) {
        TMessage2InfoRec info;
        InitMessage2Info(3, info);
        const char* lines[] = {"更新前データは共有データ領域で管理されています。",
                               "今回指定した保存先では他のオペレータとデータが共有できません。",
                               "共有の必要がなければこのメッセージを[OK]してください。",
                               "共有する必要がある場合は[キャンセル]し、データ選択画面右上の「共有取得」ボタン",
                               "より、共有データ領域をお選びください。"};
        for (int i = 0; i < 5; ++i)
            info.Lines[static_cast<std::size_t>(i)].Text = lines[i];
        if (ShowMessageBox2(info) != mrOk) {
            ClearChosenPath();
            return;
        }
    }
    SystemDef.DataSelectResult = "PATH1=" + chosenPath_ + "\r" + "PATH2=" + chosenPasName_;
    done(1);
}

std::int32_t TDataSentakuBox::CheckDataFolder(const std::string& folder)
{
    if (TrimZen(folder).empty()) {
        if (syoriType_ != 3)
            throw EmptyDataPath();
        return -2;
    }
    const bool server = ConnectionMode == 1 || ConnectionMode == 2;
    if (server && (syoriType_ == 2 || syoriType_ == 4))
        return DataFileExists(folder) ? 1 : 0;
    if (server && syoriType_ == 5)
        return -1;
    std::uint8_t status = DataStatusFree;
    if (syoriType_ == 2 || syoriType_ == 4)
        status = CheckDataStatus(folder, false, false);
    else if (!server && (syoriType_ == 0 || syoriType_ == 1))
        // A folder without data is offered for new data rather than warned
        // about: these kinds make data where the operator points.
        status = CheckDataStatus(folder, false, true);
    else if (syoriType_ != 5 || server)
        status = CheckDataStatus(folder, true, true);
    if (!StatusPasses(status))
        return SystemDef.DataDamaged == 1 ? -3 : -1;
    if (DataFileExists(folder))
        return 1;
    if (!server)
        return 0;
    ShowUserMessage(NoDataWarning, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes});
    return -1;
}

std::uint8_t TDataSentakuBox::CheckDataStatus(const std::string& folder, bool warn, bool box)
{
    if (!DataFileExists(folder)) {
        if (!warn)
            return DataStatusFree;
        ShowUserMessage(NoDataWarning, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes});
        return 0;
    }
    const bool server = ConnectionMode == 1 || ConnectionMode == 2;
    dataInfo_ = server ? ReadServerFolderStatus(folder) : ReadDataFolderStatus(folder);
    const std::uint8_t status = dataInfo_.STATUS;
    if (status == DataStatusUnknown || status == DataStatusDamaged || !box || StatusPasses(status))
        return status;
    ShowStatusBox(folder, dataInfo_, status == DataStatusInUse);
    return status;
}

void TDataSentakuBox::ShowStatusBox(const std::string& folder, const TDataInfomationRec& info, bool inUseNote,
                                    bool fullOpcode)
{
    TMessageInfoRec box;
    InitMessageInfo(box);
    box.Kind = 1;
    box.Caption = "選択データの状態";
    box.Lines = {"【データフォルダ】",
                 "　" + folder,
                 "",
                 "【オペレータ】",
                 "　" + Numbered(fullOpcode ? info.OPCODE : OperatorNumber(info.OPCODE)),
                 "",
                 "【オペレータ名】",
                 "　" + info.OPERATOR};
    box.LabelText = "このデータは" + GetDataStatusName(info.STATUS) + "のため処理が行えません。";
    if (inUseNote)
        box.LabelText += "\r前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。";
    ShowMessageBox(box);
}

std::int32_t TDataSentakuBox::CreateNewData(int row)
{
    const TDataListRec* rec = GetRowRecord(row);
    if (!rec || ConnectionMode != 0)
        return 0;
    const std::string folder = chosenPath_;
    if (CheckDataStatus(folder, false, false) != DataStatusFree)
        return 0;
    std::error_code error;
    const bool made = !std::filesystem::exists(folder, error);
    std::filesystem::create_directories(folder, error);
    if (error)
        throw std::runtime_error(BadPathMessage);
    WriteFolderState(folder, CreatingStatus);
    std::int32_t result = -1;
    try {
        if (ProcessLauncherHook)
            result = ProcessLauncherHook(NewDataProcess, 1,
                                         "DataPath=" + folder + "\rDataListRec=" + std::to_string(rec->REC) +
                                             "\rPHandle=" + std::to_string(winId()));
    } catch (...) {
        WriteFolderState(folder, DataStatusFree);
        throw;
    }
    // Whatever the creation answered, the folder is nobody's any more; a
    // folder made here for data that did not come is taken away again.
    if (result != 1 && made && !std::filesystem::exists(DataDbFileOfFolder(folder), error))
        std::filesystem::remove_all(folder, error);
    else
        WriteFolderState(folder, DataStatusFree);
    return result;
}

void TDataSentakuBox::WriteFolderState(const std::string& folder, std::uint8_t status)
{
    IniFile ini(DataInfoFileOfFolder(folder));
    ini.WriteInteger("DATASTS", "STATUS", status);
    ini.WriteInteger("DATASTS", "OPCODE", status == DataStatusFree ? 0 : SystemDef.OPCODE);
    ini.WriteString("DATASTS", "OPERATOR", status == DataStatusFree ? std::string() : SystemDef.OPNAME);
}
