// The data-selection screen's list: grid set-up, loading, filtering,
// filling, sorting and the incremental search by code.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataListFilter.h"
#include "dataselect/DataListRecords.h"
#include "dataselect/screens/TDataListKensakuBox.h"
#include "dataselect/screens/DataSentakuPictures.h"
#include "dbupdate/DbUpdateCheck.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace {

// Data communication is not part of this program, so no data set is
// cloud-shared and the cloud column and button stay hidden.
constexpr bool CloudShareUsable = false;

struct ColumnDef {
    const char* Header;
    int Width;
    int Alignment;  // 0 left, 1 right, 2 centre
};

// Widths of the columns whose width depends on the mode are set apart.
constexpr ColumnDef Columns[TDataSentakuBox::ColumnCount] = {{"No", 40, 1},
                                                             {"コード", 70, 0},
                                                             {"ｸﾗｳﾄﾞ", 40, 2},
                                                             {"データ名  ", 280, 0},
                                                             {"会計年度", 80, 2},
                                                             {"会計期間", 180, 2},
                                                             {"データフォルダ", 200, 0},
                                                             {"バージョン", 90, 2},
                                                             {"", 0, 2},
                                                             {"", 0, 2},
                                                             {"鍵", 0, 1},
                                                             {"共有", 0, 1},
                                                             {"バージョン", 0, 0},
                                                             {"データ更新", 0, 0},
                                                             {"合算区分", 0, 0},
                                                             {"", 0, 0},
                                                             {"", 0, 0},
                                                             {"データステータス", 0, 0},
                                                             {"ｸﾗｳﾄﾞ", 0, 1},
                                                             {"参照専用ﾞ", 0, 0}};

const QColor DamagedBack(255, 0, 0);
const QColor BlockedText(128, 128, 128);
const QColor ServerFocus(0, 64, 128);

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

bool IsFreeAreaName(const std::string& name)
{
    return name == FreeAreaText || name == NewAreaText;
}

}  // namespace

void TDataSentakuBox::SetUpGrid()
{
    TPerfectGrid* grid = PerfectGrid1;
    grid->SetCols(ColumnCount);
    grid->SetColWidth(-1, 0);
    for (int col = 0; col < ColumnCount; ++col) {
        grid->SetHeaderText(col, QString::fromUtf8(Columns[col].Header));
        grid->SetColWidth(col, Columns[col].Width);
        grid->SetColAlignment(col, Columns[col].Alignment);
        if (col <= 9 || col == colVersionText || col == colUpdateLock)
            grid->SetHeaderAlignment(col, 2);
    }
    for (int col : {colCloud, colLockPic, colSharePic})
        grid->SetColPictureType(col, 1);
    grid->AllowSelCol = false;
    grid->AllowSelRow = false;

    SetPerfectGridColors(grid, 0);
    int iconColumn = colSharePic;
    if (ConnectionMode == 1 || ConnectionMode == 2) {
        grid->OddRowBackColor = QColor(225, 240, 255);
        grid->FocusBorderColor = ServerFocus;
        btnKyoyuDataDown->hide();
        btnKyoyuDataUp->hide();
        cboxKyoyuDataAuto->hide();
        pnlDataMan->show();
        btnCloudShare->move(btnKyoyuDataDown->pos());
        grid->SetColWidth(colLockPic, 32);
        grid->SetHeaderText(colLockPic, QStringLiteral("鍵"));
        iconColumn = colLockPic;
    } else {
        pnlDataMan->hide();
        grid->SetColWidth(colSharePic, 32);
        grid->SetHeaderText(colSharePic, QStringLiteral("共有"));
    }
    grid->ApplyColors();
    if (!CloudShareUsable) {
        grid->SetColWidth(colCloud, 0);
        btnCloudShare->hide();
    }
    grid->SetColWidth(colName, 280 - grid->ColWidth(colCloud) - grid->ColWidth(iconColumn));
}

void TDataSentakuBox::InitDataList()
{
    SetHints();
    if (ConnectionMode == 1 || ConnectionMode == 2)
        FillDataPlaceCombo();
    DataListKensakuBox->SelectRecord(savedKensaku_);
    kensaku_ = savedKensaku_;
    if (kensaku_.JYOKENUSE == 0)
        ClearKensakuConditions(kensaku_);
    if (paramKensaku_.JYOKENUSE == 1) {
        paramKensaku_.SORTCOL = savedKensaku_.SORTCOL;
        paramKensaku_.SORTTYPE = savedKensaku_.SORTTYPE;
        kensaku_ = paramKensaku_;
    }
    searchTag_ = paramKensaku_.JYOKENUSE == 1 ? 1 : 0;
    btnSearchCancel->setEnabled(kensaku_.JYOKENUSE == 1);
    sortCol_ = kensaku_.SORTCOL;
    sortDesc_ = kensaku_.SORTTYPE != 0 ? 1 : 0;

    if (QueryDataList() == 0)
        return;
    FillGrid(-1);
    // A list that names no data at all is built from the data folders.
    if (ConnectionMode == 0 && syoriType_ == 0 && listCtl_->IsDataListEmpty())
        DataListRefresh(-1);

    cboxKyoyuDataAuto->blockSignals(true);
    cboxKyoyuDataAuto->setChecked(SystemDef.AutoShareData == 1);
    cboxKyoyuDataAuto->blockSignals(false);
    previousPath_ = SystemDef.DataDir;
    cancelled_ = false;
}

std::int32_t TDataSentakuBox::QueryDataList()
{
    listCtl_->SetDataPlace(dataPlaceNo_);
    listCtl_->Execute(0, SortKindOfColumn(sortCol_), sortDesc_ != 0, "");
    FilterDataList();
    return static_cast<std::int32_t>(listCtl_->DataList.size());
}

void TDataSentakuBox::FilterDataList()
{
    dispList_ = ::FilterDataList(listCtl_->DataList, kensaku_);
}

void TDataSentakuBox::FillGrid(std::int32_t index)
{
    TPerfectGrid* grid = PerfectGrid1;
    if (index < 0) {
        grid->DeleteRows(0, grid->Rows());
        for (int col : {colNo, colCode, colName, colNendo, colKikan, colFolder, colVersion}) {
            QString header = QString::fromUtf8(Columns[col].Header);
            if (col == std::max(sortCol_, 0))
                header += sortDesc_ ? QStringLiteral("▼") : QStringLiteral("▲");
            grid->SetHeaderText(col, header);
        }
        if (ConnectionMode == 0)
            grid->SetHeaderText(colSharePic, QStringLiteral("共有"));
        else
            grid->SetHeaderText(colLockPic, QStringLiteral("鍵"));
        const int count = std::min<int>(static_cast<int>(dispList_.size()), TPerfectGrid::RowCapacity);
        grid->InsertRows(0, count);
        rowCounter_ = 0;
        for (int i = 0; i < count; ++i) {
            FillGrid(i);
            ++rowCounter_;
        }
        if (grid->Rows() > 0)
            grid->MoveCursor(0, 0);
        return;
    }

    const std::int32_t loaded = dispList_.at(static_cast<std::size_t>(index));
    TDataSentakuRec& entry = listCtl_->DataList.at(static_cast<std::size_t>(loaded));
    if (entry.Data.GASSAN > 2)
        return;
    const QString loadedText = QString::number(loaded);
    FillGridRow(rowCounter_, entry.Data);
    grid->SetCellText(rowCounter_, colIndex, loadedText);
    SetShareColumns(rowCounter_, entry.Data);

    // The child rows shown before go; the current ones follow, numbered.
    while (rowCounter_ + 1 < grid->Rows() && grid->CellText(rowCounter_ + 1, colIndex) == loadedText &&
           grid->CellText(rowCounter_ + 1, colGassan) == QStringLiteral("10"))
        grid->DeleteRows(rowCounter_ + 1, 1);
    TDataSentakuListCtl::NumberChildNames(entry);
    for (std::size_t k = 0; k < entry.Children.size(); ++k) {
        if (grid->Rows() >= TPerfectGrid::RowCapacity)
            break;
        grid->InsertRows(rowCounter_ + 1, 1);
        ++rowCounter_;
        FillGridRow(rowCounter_, entry.Children[k]);
        grid->SetCellText(rowCounter_, colNo, QString());
        grid->SetCellText(rowCounter_, colIndex, loadedText);
        grid->SetCellText(rowCounter_, colChild, QString::number(k));
        SetShareColumns(rowCounter_, entry.Children[k]);
    }
}

void TDataSentakuBox::FillGridRow(int row, const TDataListRec& rec)
{
    TPerfectGrid* grid = PerfectGrid1;
    const bool named = !rec.ENTTEXT.empty() && !IsFreeAreaName(rec.ENTTEXT);
    grid->SetCellValue(row, -1, rec.REC);
    grid->SetCellText(row, colNo, QString::number(rec.REC));
    grid->SetCellText(row, colCode, Text(rec.DATACODE));
    grid->SetCellPicture(row, colCloud, CloudPicture(rec.CLOUD == 1 ? 1 : 0));
    grid->SetCellText(row, colName, Text(rec.DISPNAME));
    grid->SetCellText(row, colNendo, named ? QStringLiteral("%1 期").arg(rec.NENDO) : QString());
    grid->SetCellText(row, colKikan, named ? Text(rec.KIKANTEXT) : QStringLiteral("～"));
    QString folder = Text(rec.PASNAME);
    if (!SystemDef.HomeDir.empty())
        folder.replace(Text(SystemDef.HomeDir), QStringLiteral("~"), Qt::CaseInsensitive);
    grid->SetCellText(row, colFolder, folder);
    grid->SetCellText(row, colVersion, Text(rec.VER_TEXT));
    grid->SetCellPicture(row, colLockPic, pictures_[rec.DATALOCK != 0 ? 1 : 0]);
    grid->SetCellPicture(row, colSharePic, pictures_[0]);
    grid->SetCellText(row, colLock, QString::number(rec.DATALOCK));
    grid->SetCellText(row, colShareTaken, QString::number(GetShareState(rec) == 2 ? 1 : 0));
    grid->SetCellText(row, colVersionText,
                      QStringLiteral("%1.%2.%3").arg(rec.VER_MAJOR).arg(rec.VER_MINOR1).arg(rec.VER_MINOR2));
    grid->SetCellText(row, colUpdateLock, QString::number(rec.UPDATE_LOCK));
    grid->SetCellText(row, colGassan, QString::number(rec.GASSAN));
    grid->SetCellText(row, colChild, QStringLiteral("0"));
    grid->SetCellText(row, colStatus, QString::number(rec.DATA_STATUS));
    grid->SetCellText(row, colCloudFlag, QString::number(rec.CLOUD));
    grid->SetCellText(row, colReadOnly, QString::number(rec.READ_ONLY));
    CheckDataUpdate(row, true);
    SetRowColors(row);
}

void TDataSentakuBox::SetShareColumns(int row, const TDataListRec& rec)
{
    const int state = GetShareState(rec);
    if (state == 1) {
        PerfectGrid1->SetCellText(row, colShareTaken, QStringLiteral("0"));
        PerfectGrid1->SetCellPicture(row, colSharePic, pictures_[2]);
    } else if (state == 2) {
        PerfectGrid1->SetCellText(row, colShareTaken, QStringLiteral("1"));
        PerfectGrid1->SetCellPicture(row, colSharePic, pictures_[0]);
    }
}

// The row's normal colours: alternating backgrounds, red for damaged data,
// grey text while the data forbids the update it needs.
void TDataSentakuBox::SetRowColors(int row)
{
    TPerfectGrid* grid = PerfectGrid1;
    if (grid->CellText(row, colStatus) == QStringLiteral("1"))
        grid->SetRowBackColor(row, DamagedBack);
    else
        grid->SetRowBackColor(row, row % 2 == 1 ? grid->OddRowBackColor : grid->BackColor);
    grid->SetRowForeColor(row, CheckDataUpdate(row, false) ? BlockedText : grid->ForeColor);
}

bool TDataSentakuBox::CheckDataUpdate(int row, bool run)
{
    const QString version = PerfectGrid1->CellText(row, colVersionText);
    if (version.isEmpty())
        return false;
    bool answer = PerfectGrid1->CellText(row, colUpdateLock) == QStringLiteral("1");
    if (run && answer) {
        // Only the flag: the screen never runs an update itself.
        updateCheck_->CheckUpdate(1, version.toStdString());
        answer = updateCheck_->Pending;
        PerfectGrid1->SetCellText(row, colUpdateLock, answer ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return answer;
}

int TDataSentakuBox::GetShareState(const TDataListRec& rec)
{
    if (rec.NETDRIVE != 1)
        return 0;
    return rec.KYOYULOCK == 1 ? 2 : 1;
}

const TDataListRec* TDataSentakuBox::GetRowRecord(int row) const
{
    if (row < 0 || row >= PerfectGrid1->Rows())
        return nullptr;
    bool ok = false;
    const int loaded = PerfectGrid1->CellText(row, colIndex).toInt(&ok);
    if (!ok || loaded < 0 || loaded >= static_cast<int>(listCtl_->DataList.size()))
        return nullptr;
    const TDataSentakuRec& entry = listCtl_->DataList[static_cast<std::size_t>(loaded)];
    if (PerfectGrid1->CellText(row, colGassan).toInt() <= 2)
        return &entry.Data;
    const int child = PerfectGrid1->CellText(row, colChild).toInt();
    if (child < 0 || child >= static_cast<int>(entry.Children.size()))
        return nullptr;
    return &entry.Children[static_cast<std::size_t>(child)];
}

std::string TDataSentakuBox::GetRowDataPath(int row) const
{
    const TDataListRec* rec = GetRowRecord(row);
    return rec ? MakeLocalDataFolder(*rec) : std::string();
}

int TDataSentakuBox::GetParentRow(int row) const
{
    if (PerfectGrid1->CellText(row, colGassan).toInt() <= 2)
        return row;
    const QString loaded = PerfectGrid1->CellText(row, colIndex);
    for (int r = 0; r < PerfectGrid1->Rows(); ++r)
        if (PerfectGrid1->CellText(r, colGassan).toInt() <= 2 && PerfectGrid1->CellText(r, colIndex) == loaded &&
            PerfectGrid1->CellText(r, colChild) == QStringLiteral("0"))
            return r;
    return row;
}

std::int32_t TDataSentakuBox::GetDispIndex(int row) const
{
    const std::int32_t loaded = PerfectGrid1->CellText(row, colIndex).toInt();
    if (syoriType_ == 3 || btnSearchCancel->isEnabled()) {
        const auto at = std::find(dispList_.begin(), dispList_.end(), loaded);
        return at == dispList_.end() ? 0 : static_cast<std::int32_t>(at - dispList_.begin());
    }
    return loaded;
}

void TDataSentakuBox::FocusLastSelectedRow()
{
    previousPath_ = SystemDef.DataDir;
    // Paths keep their case: the file system tells folders apart by it.
    for (int row = 0; row < PerfectGrid1->Rows(); ++row) {
        if (GetRowDataPath(row) != previousPath_)
            continue;
        PerfectGrid1->MoveCursor(row, 0);
        PerfectGrid1->SetTopRow(std::max(0, row - 6));
        break;
    }
    focusLastSelected_ = true;
}

void TDataSentakuBox::SortByColumn(int col)
{
    int column = -1;
    if (col == 0 || col == 1 || (col >= 3 && col <= 7))
        column = col;
    if (column < 0)
        return;
    if (column == sortCol_ || (column == 0 && sortCol_ < 0)) {
        sortDesc_ = sortDesc_ ? 0 : 1;
    } else {
        sortDesc_ = 0;
    }
    sortCol_ = column;

    // The cursor stays on the data set it was on.
    const TDataListRec* current = GetRowRecord(PerfectGrid1->CurRow());
    const std::int32_t rec = current ? current->REC : 0;
    const std::int32_t rowNo = current ? current->ROWNO : 0;
    QueryDataList();
    FillGrid(-1);
    if (!current)
        return;
    for (int row = 0; row < PerfectGrid1->Rows(); ++row) {
        const TDataListRec* r = GetRowRecord(row);
        if (r && r->REC == rec && r->ROWNO == rowNo) {
            PerfectGrid1->MoveCursor(row, colName);
            PerfectGrid1->MakeRowVisible(row);
            break;
        }
    }
}

void TDataSentakuBox::PerfectGrid1CellClick(int row, int col)
{
    if (row < 0) {
        SortByColumn(col);
        UpdateFunctionKeys();
    } else if (col == colLockPic) {
        LockColumnClick(row);
    }
}

void TDataSentakuBox::PerfectGrid1CellGotFocus(int row, int)
{
    if (row < 0 || row >= PerfectGrid1->Rows())
        return;
    QColor text;
    if (CheckDataUpdate(row, false))
        text = BlockedText;
    else if (PerfectGrid1->CellText(row, colStatus) == QStringLiteral("1"))
        text = PerfectGrid1->ForeColor;
    else
        text = ConnectionMode == 0 ? PerfectGrid1->FocusBorderColor : ServerFocus;
    PerfectGrid1->SetRowForeColor(row, text);
    PerfectGrid1->SetRowFont(row, font());
    UpdateFunctionKeys();
}

void TDataSentakuBox::PerfectGrid1CellLostFocus(int row, int)
{
    if (row < 0 || row >= PerfectGrid1->Rows())
        return;
    SetRowColors(row);
    PerfectGrid1->SetRowFont(row, PerfectGrid1->font());
}

void TDataSentakuBox::PerfectGrid1DblClick()
{
    const int row = PerfectGrid1->CurRow();
    if (PerfectGrid1->Rows() > 0 && row >= 0 && row != TPerfectGrid::NoRow)
        F12Click();
}

void TDataSentakuBox::PerfectGrid1KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (PerfectGrid1->Rows() == 0)
        return;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        key = 0;
        PerfectGrid1DblClick();
        return;
    }
    // Letters, digits (also the number pad's) and the punctuation keys add
    // a character to the code searched for.
    QChar c;
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        c = QChar(key);
    else if (key > 0x20 && key < 0x7F && !(shift & Qt::ControlModifier))
        c = QChar(key);
    if (c.isNull() || (shift & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    key = 0;
    incSearchText_ += static_cast<char>(c.toLatin1());
    if (static_cast<int>(incSearchText_.size()) > txtIncSerch->maxLength())
        return;
    txtIncSerch->setText(Text(incSearchText_));
    txtIncSerch->move(PerfectGrid1->x() + static_cast<int>(PerfectGrid1->width() * 0.1) + 4, PerfectGrid1->y() - 12);
    txtIncSerch->show();
    txtIncSerch->raise();
    int interval = IncSerchTimer->interval();
    if (interval < 2000)
        interval = std::min(interval + 500, 1000);
    IncSerchTimer->setInterval(interval);
    IncSerchTimer->start();
}

void TDataSentakuBox::IncSerchTimerTimer()
{
    if (PerfectGrid1->hasFocus() && !incSearchText_.empty()) {
        const QString text = Text(incSearchText_);
        const int rows = PerfectGrid1->Rows();
        const int current = std::clamp(PerfectGrid1->CurRow(), -1, rows - 1);
        std::vector<int> order;
        for (int r = current + 1; r < rows; ++r)
            order.push_back(r);
        for (int r = 0; r <= current; ++r)
            order.push_back(r);
        for (int r : order) {
            if (PerfectGrid1->isRowHidden(r))
                continue;
            if (PerfectGrid1->CellText(r, colCode).left(text.size()).compare(text, Qt::CaseInsensitive) == 0) {
                PerfectGrid1->MoveCursor(r, 0);
                PerfectGrid1->MakeRowVisible(r);
                break;
            }
        }
    }
    IncSerchTimer->stop();
    IncSerchTimer->setInterval(0);
    incSearchText_.clear();
    txtIncSerch->clear();
    txtIncSerch->hide();
}

void TDataSentakuBox::btnSearchClick()
{
    if (!btnSearch->isEnabled())
        return;
    DataListKensakuBox->ListType = 0;
    DataListKensakuBox->Record = savedKensaku_;
    DataListKensakuBox->SetDataListKensakuMode(1);
    if (DataListKensakuBox->exec() != 1) {
        UpdateFunctionKeys();
        return;
    }
    // The stored row takes the order the list is shown in, so the
    // conditions do not bring back an order the operator has left.
    savedKensaku_ = DataListKensakuBox->Record;
    savedKensaku_.SORTCOL = sortCol_;
    savedKensaku_.SORTTYPE = sortDesc_;
    DataListKensakuBox->UpdateRecord(savedKensaku_);
    kensaku_ = savedKensaku_;
    QueryDataList();
    FillGrid(-1);
    btnSearchCancel->setEnabled(true);
    searchTag_ = 1;
    PerfectGrid1->setFocus();
    UpdateFunctionKeys();
}

void TDataSentakuBox::btnSearchCancelClick()
{
    if (!btnSearchCancel->isEnabled())
        return;
    ClearKensakuConditions(kensaku_);
    QueryDataList();
    FillGrid(-1);
    btnSearchCancel->setEnabled(false);
    searchTag_ = 0;
    UpdateFunctionKeys();
}
