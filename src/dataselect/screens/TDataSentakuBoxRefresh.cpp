// The data-selection screen: bringing the list back in step with the data
// folders. A row is re-read from its folder's information file and its
// database; a folder that lost its data leaves a blank area; merged data
// gets its child rows rebuilt from the sub-folders that hold data. The
// whole-list refresh ("更新") does this for every row.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/widgets/TPerfectGrid.h"
#include "dataselect/DataListRecords.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataInfomation.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/FolderOps.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/FbError.h"

#include <QApplication>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr const char* BadPathMessage = "データフォルダパスが不正です。\r処理を中止します。";
constexpr const char* RefreshFailed = "データリストの更新に失敗しました。";
constexpr const char* NotResponding = "データリストが応答状態ではないので処理は行えません。";
constexpr const char* RefreshQuestion = "データリストの更新を行います。\rよろしいですか？";
constexpr const char* RefreshingLabel = "データリストの更新中…";
constexpr const char* DamagedChildName = "破損データ";
constexpr int NoTopRow = 32700;

const QColor DamagedBack(255, 0, 0);

bool IsServerMode()
{
    return ConnectionMode == 1 || ConnectionMode == 2;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    return IncludePathDelim(folder) + name;
}

// The state the information file keeps and the summary read from the data
// itself: the file knows who holds the data, the database what it holds.
TDataInfomationRec StateWithSummary(const TDataInfomationRec& file, const TDataInfomationRec& data)
{
    TDataInfomationRec merged = data;
    merged.STATUS = file.STATUS;
    merged.OPCODE = file.OPCODE;
    merged.OPERATOR = file.OPERATOR;
    merged.SHARE_STATUS = file.SHARE_STATUS;
    merged.SHARE_OPCODE = file.SHARE_OPCODE;
    merged.SHARE_OPERATOR = file.SHARE_OPERATOR;
    return merged;
}

}  // namespace

TDataInfomation& TDataSentakuBox::DataInfomation()
{
    if (!dataInfomation_)
        dataInfomation_ = std::make_shared<TDataInfomation>();
    dataInfomation_->ConnectionMode = ConnectionMode;
    return *dataInfomation_;
}

void TDataSentakuBox::SetProgressLabel(const QString& text)
{
    if (xAnimeProgressDialog1)
        xAnimeProgressDialog1->SetInfoLabel(text);
}

void TDataSentakuBox::SetRowFromDataInfo(TDataListRec& rec, bool blank)
{
    if (blank) {
        TDataListRec empty;
        empty.REC = rec.REC;
        empty.GROUPID = SystemDef.GROUPID;
        empty.NENDO = 1;
        empty.PASNAME = rec.PASNAME;
        empty.NETDRIVE = rec.NETDRIVE;
        if (empty.NETDRIVE == 1) {
            empty.ENTTEXT = FreeAreaText;
            empty.KYOYULOCK = 1;
        }
        empty.LOCALPATH = MakeLocalDataFolder(empty);
        empty.DISPNAME = empty.ENTTEXT;
        rec = empty;
        return;
    }
    // The name the operator gave the row stays; the rest is the data's.
    const std::string name = rec.ENTTEXT;
    const std::uint8_t gassan = rec.GASSAN;
    listCtl_->SetDataListRecordFromInfo(dataInfo_, rec);
    rec.ENTTEXT = name;
    const bool freeArea = name == FreeAreaText || name == NewAreaText;
    if (name.empty() || (rec.NETDRIVE == 1 && freeArea))
        rec.ENTTEXT = rec.SHOUGOU;
    rec.DISPNAME = rec.ENTTEXT;
    // A child row stays a child whatever its data says of itself: as a
    // parent it would be written over its parent's row.
    rec.GASSAN = gassan == 10 ? gassan : dataInfo_.GASSANKBN;
}

void TDataSentakuBox::SaveRowRecord(const TDataListRec& rec)
{
    if (TrimZen(rec.PASNAME).empty())
        throw std::runtime_error(BadPathMessage);
    listCtl_->UpdateDataListRecord(rec, 0, true);
}

void TDataSentakuBox::RefillRow()
{
    FillGrid(GetDispIndex(rowCounter_));
}

bool TDataSentakuBox::DataListRefresh(int row)
{
    if (row >= 0) {
        RefreshRow(row);
        return false;
    }
    if (IsServerMode()) {
        SetProgressLabel(QString::fromUtf8(RefreshingLabel));
        try {
            listCtl_->RenumberDataList();
            const int current = PerfectGrid1->CurRow();
            TDataListRec rec;
            if (const TDataListRec* shown = current == TPerfectGrid::NoRow ? nullptr : GetRowRecord(current))
                rec = *shown;
            else if (!listCtl_->DataList.empty())
                rec = listCtl_->DataList.front().Data;
            ReloadDataList(PerfectGrid1->TopRow(), rec);
        } catch (const db::FbError& error) {
            HandleIBError(error, "TDataSentakuBox.DataListRefresh", RefreshFailed);
        } catch (const std::exception& error) {
            ShowErrorMessage(RefreshFailed, error.what(), TMsgDlgType::mtError);
        }
    }
    // Rows come and go below a merged row while it is refreshed, so the
    // count is asked again each time round.
    for (int r = 0; r < PerfectGrid1->Rows(); ++r) {
        if (xAnimeProgressDialog1 && xAnimeProgressDialog1->Cancelled)
            break;
        if (r % 5 == 0)
            SetProgressLabel(QStringLiteral("データリスト（%1行目）の更新中…").arg(r + 1));
        RefreshRow(r);
        QApplication::processEvents();
    }
    return false;
}

void TDataSentakuBox::RefreshRow(int row)
{
    TDataListRec* rec = GetRowRecord(row);
    if (!rec)
        return;
    // Damaged data is not read again: opening it could only do more harm.
    if (rec->DATA_STATUS == 1) {
        PerfectGrid1->SetCellText(row, colStatus, QStringLiteral("1"));
        PerfectGrid1->SetRowBackColor(row, DamagedBack);
        return;
    }
    const bool child = rec->GASSAN == 10;
    if (rec->GASSAN > 2 && !child)
        return;
    rowCounter_ = child ? GetParentRow(row) : row;
    const std::string folder = GetRowDataPath(row);
    TDataInfomation& info = DataInfomation();
    const bool named = !PerfectGrid1->CellText(row, colName).isEmpty();

    if (IsServerMode()) {
        if (DM && DM->ServerFileOperation("FEXIST", DataDbFileOfFolder(folder), "")) {
            info.ReadIniFile(SystemDef.HOSTNAME, folder, dataInfo_);
            SetRowFromDataInfo(*rec, false);
            SaveRowRecord(*rec);
        } else if (named) {
            if (child) {
                RemoveChildRows(row, false);
            } else {
                SetRowFromDataInfo(*rec, true);
                SaveRowRecord(*rec);
            }
        }
        RefillRow();
        return;
    }

    std::error_code ec;
    if (std::filesystem::is_regular_file(DataDbFileOfFolder(folder), ec)) {
        TDataInfomationRec fromFile;
        info.ReadIniFile(SystemDef.HOSTNAME, folder, fromFile);
        TDataInfomationRec fromData;
        // Only what this read finds counts as damage, not an earlier check.
        SystemDef.DataDamaged = 0;
        if (info.GetDataInfoRecOfFolder(folder, fromData)) {
            dataInfo_ = StateWithSummary(fromFile, fromData);
            info.WriteDataIniValue(folder, DataStsSection, false, std::int64_t{dataInfo_.UPDATE_LOCK}, "UPDATE_LOCK");
            info.WriteDataIniValue(folder, DataStsSection, false, std::int64_t{dataInfo_.READ_ONLY}, "READ_ONLY");
            info.WriteDataInfo(folder, DataInfoSection, dataInfo_);
            SetRowFromDataInfo(*rec, false);
            SaveRowRecord(*rec);
            SyncChildRows(row);
        } else if (SystemDef.DataDamaged == 1) {
            rec->DATA_STATUS = 1;
        }
    } else if (GetShareState(*rec) != 1) {
        // Shared data not taken here lives on the share server; its local
        // folder is empty by rights, and blanking the row for that would
        // lose the share's name and claim the area for this operator.
        if (GetShareState(*rec) == 0)
            std::filesystem::remove(DataInfoFileOfFolder(folder), ec);
        if (named) {
            if (child) {
                RemoveChildRows(row, false);
            } else {
                SetRowFromDataInfo(*rec, true);
                if (TDataSentakuRec* entry = GetLoadedEntry(row)) {
                    entry->Children.clear();
                    entry->ChildCount = 0;
                }
                SaveRowRecord(*rec);
            }
        }
    }
    // The server copy of shared data taken here keeps its own information
    // until the data is stored back: this program has no shared-area screen
    // to write it now.
    RefillRow();
}

void TDataSentakuBox::SyncChildRows(int row)
{
    TDataSentakuRec* entry = GetLoadedEntry(row);
    if (!entry || PerfectGrid1->CellText(row, colGassan).toInt() > 2 || GetShareState(entry->Data) == 1)
        return;
    for (const TDataListRec& child : entry->Children) {
        if (child.DATA_STATUS == 1) {
            PerfectGrid1->SetRowBackColor(row, DamagedBack);
            return;
        }
    }
    TDataListRec& parent = entry->Data;
    entry->Children.clear();
    entry->ChildCount = 0;
    listCtl_->DeleteDataListChildRecord(parent, true);
    if (parent.GASSAN != 1 && parent.GASSAN != 2)
        return;

    TDataInfomation& info = DataInfomation();
    std::vector<std::string> names;
    TDataSentakuListCtl::GetServerSubFolders(parent.LOCALPATH, names);
    std::error_code ec;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string local = Joined(parent.LOCALPATH, names[i]);
        if (!std::filesystem::is_regular_file(DataDbFileOfFolder(local), ec))
            continue;
        TDataListRec child;
        listCtl_->InitDataListRecord(child, Joined(parent.PASNAME, names[i]));
        child.REC = parent.REC;
        child.ROWNO = static_cast<std::int32_t>(i) + 1;
        child.NETDRIVE = parent.NETDRIVE;
        child.KYOYULOCK = parent.KYOYULOCK;
        child.GASSAN = 10;
        child.LOCALPATH = local;
        TDataInfomationRec fromData;
        if (info.GetDataInfoRecOfFolder(local, fromData)) {
            TDataInfomationRec fromFile;
            info.ReadIniFile(SystemDef.HOSTNAME, local, fromFile);
            dataInfo_ = StateWithSummary(fromFile, fromData);
            SetRowFromDataInfo(child, false);
            SaveRowRecord(child);
            info.WriteDataIniValue(local, DataStsSection, false, std::int64_t{dataInfo_.UPDATE_LOCK}, "UPDATE_LOCK");
            info.WriteDataIniValue(local, DataStsSection, false, std::int64_t{dataInfo_.READ_ONLY}, "READ_ONLY");
            info.WriteDataInfo(local, DataInfoSection, dataInfo_);
        } else {
            info.ReadIniFile(SystemDef.HOSTNAME, local, dataInfo_);
            SetRowFromDataInfo(child, false);
            if (child.ENTTEXT.empty()) {
                child.ENTTEXT = DamagedChildName;
                child.SHOUGOU = parent.SHOUGOU;
                child.NENDO = parent.NENDO;
                child.KISHU = parent.KISHU;
                child.KIMATU = parent.KIMATU;
                child.KIKANTEXT = parent.KIKANTEXT;
                child.DATATYPE = parent.DATATYPE;
                child.CODETYPE = parent.CODETYPE;
                child.TANTOU = parent.TANTOU;
                child.VER_MAJOR = parent.VER_MAJOR;
                child.VER_MINOR1 = parent.VER_MINOR1;
                child.VER_MINOR2 = parent.VER_MINOR2;
                child.VER_TEXT = parent.VER_TEXT;
                child.DISPNAME = parent.ENTTEXT;
            }
            child.DATA_STATUS = 1;
            SaveRowRecord(child);
        }
        entry->Children.push_back(child);
    }
    entry->ChildCount = static_cast<std::int32_t>(entry->Children.size());
}

void TDataSentakuBox::RemoveChildRows(int row, bool all)
{
    TDataSentakuRec* entry = GetLoadedEntry(row);
    if (!entry)
        return;
    if (!all) {
        TDataSentakuListCtl::RemoveChildRow(*entry, PerfectGrid1->CellText(row, colChild).toInt());
        return;
    }
    entry->Children.clear();
    entry->ChildCount = 0;
    const TDataListRec& parent = entry->Data;
    if (parent.GASSAN != 1 && parent.GASSAN != 2)
        return;
    listCtl_->DeleteDataListChildRecord(parent, true);
    std::vector<std::string> folders{parent.PASNAME};
    if (GetShareState(parent) == 2)
        folders.push_back(parent.LOCALPATH);
    for (const std::string& folder : folders) {
        std::vector<std::string> names;
        TDataSentakuListCtl::GetServerSubFolders(folder, names);
        for (const std::string& name : names)
            if (DM)
                DM->ServerRmDir(Joined(folder, name), ConnectionMode, false);
    }
}

TDataSentakuRec* TDataSentakuBox::GetLoadedEntry(int row)
{
    if (row < 0 || row >= PerfectGrid1->Rows())
        return nullptr;
    bool ok = false;
    const int loaded = PerfectGrid1->CellText(row, colIndex).toInt(&ok);
    if (!ok || loaded < 0 || loaded >= static_cast<int>(listCtl_->DataList.size()))
        return nullptr;
    return &listCtl_->DataList[static_cast<std::size_t>(loaded)];
}

void TDataSentakuBox::ReloadDataList(int topRow, const TDataListRec& rec)
{
    QueryDataList();
    FillGrid(-1);
    TPerfectGrid* grid = PerfectGrid1;
    if (topRow >= 0 && topRow < NoTopRow && topRow < grid->Rows())
        grid->SetTopRow(topRow);
    QString path = QString::fromStdString(rec.PASNAME);
    if (!SystemDef.HomeDir.empty())
        path.replace(QString::fromStdString(SystemDef.HomeDir), QStringLiteral("~"), Qt::CaseInsensitive);
    for (int r = 0; r < grid->Rows(); ++r) {
        if (grid->CellValue(r, -1).toInt() != rec.REC)
            continue;
        if (!path.isEmpty() && grid->CellText(r, colFolder).compare(path, Qt::CaseInsensitive) != 0)
            continue;
        grid->MoveCursor(r, colName);
        grid->MakeRowVisible(r);
        return;
    }
    if (grid->Rows() > 0)
        grid->MoveCursor(std::clamp(topRow, 0, grid->Rows() - 1), colName);
}

void TDataSentakuBox::btnListUpdateClick()
{
    if (!PerfectGrid1->isEnabled()) {
        ShowUserMessage(NotResponding, TMsgDlgType::mtInformation);
        return;
    }
    if (ShowUserMessage(RefreshQuestion, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return;
    TxAnimeProgressDialog progress(this);
    progress.SetCaption(QStringLiteral("更新中"));
    progress.SetInfoLabel(QString::fromUtf8(RefreshingLabel));
    progress.SetAviFile(QString::fromStdString(SystemDef.ProgramDir + "/progress.avi"));
    progress.CancelBtnShow = true;
    progress.ShowProgressDialog(this);
    xAnimeProgressDialog1 = &progress;
    // The window closes and the form comes back whatever the refresh did.
    struct Close {
        TDataSentakuBox* form;
        TxAnimeProgressDialog& window;
        ~Close()
        {
            form->xAnimeProgressDialog1 = nullptr;
            window.CloseProgressDialog();
            form->raise();
            form->activateWindow();
            form->show();
        }
    } close{this, progress};
    DataListRefresh(-1);
    UpdateFunctionKeys();
}
