// The data-selection screen in the server modes: the data places and the
// lock column.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataPlaces.h"
#include "dataselect/screens/TDataPlaceBox.h"
#include "foundation/DataInfomation.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

#include <QComboBox>

namespace {

bool ServerMode()
{
    return ConnectionMode == 1 || ConnectionMode == 2;
}

}  // namespace

TDataInfomationRec TDataSentakuBox::ReadServerFolderStatus(const std::string& folder) const
{
    TDataInfomation info;
    info.ConnectionMode = ConnectionMode;
    TDataInfomationRec rec;
    info.ReadIniFile(SystemDef.HOSTNAME, folder, rec);
    return rec;
}

void TDataSentakuBox::FillDataPlaceCombo()
{
    dataPlaces_->GetDataPlacePathList();
    cmbDataMan->blockSignals(true);
    cmbDataMan->clear();
    for (const TDataPlaceRec& place : dataPlaces_->List)
        cmbDataMan->addItem(QString::fromStdString(place.NAME));
    std::int32_t index = dataPlaces_->IndexOfDataPlaceRec(dataPlaceNo_);
    if (index < 0)
        index = dataPlaces_->IndexOfDataPlaceRec(0);
    cmbDataMan->setCurrentIndex(index);
    cmbDataMan->blockSignals(false);
    if (index >= 0) {
        dataPlaceNo_ = dataPlaces_->GetDataPlaceRec(index);
        dataPlacePath_ = dataPlaces_->GetDataPlacePath(index);
    } else {
        // Without any named place the list is the data root's own.
        dataPlaceNo_ = 0;
        dataPlacePath_ = SystemDef.SYSDIR;
    }
}

void TDataSentakuBox::cmbDataManChange()
{
    // The list shown belongs to the place before until the choice is
    // complete: nothing may be chosen from it meanwhile.
    btnDataMan->setFocusPolicy(Qt::TabFocus);
    btnSearch->setEnabled(false);
    btnSearchCancel->setEnabled(false);
    PerfectGrid1->setEnabled(false);
    UpdateFunctionKeys();
}

void TDataSentakuBox::cmbDataManExit()
{
    const std::int32_t index = cmbDataMan->currentIndex();
    if (index >= 0) {
        dataPlaceNo_ = dataPlaces_->GetDataPlaceRec(index);
        dataPlacePath_ = dataPlaces_->GetDataPlacePath(index);
    }
    btnDataMan->setFocusPolicy(Qt::NoFocus);
    btnSearch->setEnabled(true);
    btnSearchCancel->setEnabled(kensaku_.JYOKENUSE == 1);
    PerfectGrid1->setEnabled(true);
    // The grid always shows the list of the place now chosen, also when that
    // list is empty: rows of the place before would name other folders.
    const bool rows = QueryDataList() > 0;
    FillGrid(-1);
    if (rows)
        PerfectGrid1->setFocus();
    UpdateFunctionKeys();
}

void TDataSentakuBox::btnDataManClick()
{
    DataPlaceBox->SetDataPlaceMode(1);
    DataPlaceBox->exec();
    // Every action of the dialog is saved at once, so the combo follows it
    // however the dialog was closed. A place that lost its name gives way
    // to place 0, whose list is shown instead.
    const std::int32_t before = dataPlaceNo_;
    FillDataPlaceCombo();
    if (dataPlaceNo_ != before)
        cmbDataManExit();
    UpdateFunctionKeys();
}

void TDataSentakuBox::LockColumnClick(int row)
{
    if (!ServerMode())
        return;
    TDataListRec* rec = GetRowRecord(row);
    if (!rec)
        return;
    const std::string folder = GetRowDataPath(row);
    const std::uint8_t status = CheckDataStatus(folder, true, false);
    if (status == 0)
        return;
    if (status > DataStatusLocked) {
        ShowStatusBox(folder, dataInfo_, false, true);
        return;
    }

    // The lock lives in the data list (the holder's operator number); the
    // server modes keep no information file to mark as well.
    std::int32_t holder = PerfectGrid1->CellText(row, colLock).toInt();
    const bool locked = dataInfo_.STATUS == DataStatusLocked;
    if (holder != 0 && locked && dataInfo_.OPCODE == SystemDef.OPCODE) {
        holder = 0;
    } else if (holder != 0 && locked) {
        TMessageInfoRec box;
        InitMessageInfo(box);
        box.Kind = 1;
        box.Caption = "ロックデータの状態";
        box.Lines = {"【データフォルダ】", "　" + folder,
                     "【オペレータ】",     "　" + std::to_string(dataInfo_.OPCODE),
                     "【オペレータ名】",   "　" + dataInfo_.OPERATOR};
        box.LabelText = "このデータは違うオペレータによりロックされているため解除は行えません。";
        ShowMessageBox(box);
    } else if (holder == 0) {
        const std::int32_t group = SystemDef.GROUPID * 10000;
        holder = group != 0 ? SystemDef.OPCODE % group : SystemDef.OPCODE;
    }
    PerfectGrid1->SetCellPicture(row, colLockPic, pictures_[holder != 0 ? 1 : 0]);
    PerfectGrid1->SetCellText(row, colLock, QString::number(holder));
    rec->DATALOCK = holder;
    listCtl_->UpdateDataListRecord(*rec, 1, true);
}
