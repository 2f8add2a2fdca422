#include "controls/widgets/TxKikanPanel4.h"

TxKikanPanel4::TxKikanPanel4(QWidget* parent) : TxKikanPanelBase(4, parent)
{
    resize(80, 22);
    btnCnt_ = 2;  // so that writing 4 lays the cells out
    SetBtnCnt(4);
}

void TxKikanPanel4::SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate)
{
    ApplyYear(SetupKikan4(btnCnt_, closingDay, fiscalStart, fiscalEnd, startDate, kikanMove_));
}

void TxKikanPanel4::SetStno(int value)
{
    stno_ = value;
    PaintCells();
}

void TxKikanPanel4::SetEdno(int value)
{
    edno_ = value;
    PaintCells();
}

void TxKikanPanel4::SetBtnCnt(int count)
{
    if ((count != 2 && count != 4) || count == btnCnt_)
        return;
    btnCnt_ = count;
    TKikanYear year;
    year.Cells.resize(4);
    for (int j = 0; j < 4; ++j) {
        year.Cells[j].Caption = count == 2 ? (j == 0 ? "上" : j == 1 ? "下" : "") : std::to_string(j + 1);
        year.Cells[j].Enabled = j < count;
        cells_[j]->setVisible(j < count);
    }
    year.FirstSelectable = 0;
    year.LastSelectable = year.LastNo = count - 1;
    year.Stno = 0;
    year.Edno = count - 1;
    ApplyYear(year);
}
