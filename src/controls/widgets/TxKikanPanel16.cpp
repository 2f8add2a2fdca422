#include "controls/widgets/TxKikanPanel16.h"

#include "controls/widgets/VclColors.h"

TxKikanPanel16::TxKikanPanel16(QWidget* parent)
    : TxKikanPanelBase(16, parent), disabelColor_(vcl::clSilver), kakuteiFont_(vcl::clWhite)
{
    resize(242, 22);
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    SetupPeriod(99, EncodeDate(y, 1, 1), EncodeDate(y, 12, 31), EncodeDate(y, 1, 1));
}

void TxKikanPanel16::SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate)
{
    ApplyYear(SetupKikan16(closingDay, fiscalStart, fiscalEnd, startDate, kessan_, kikanMove_));
}

void TxKikanPanel16::SetKESSAN(bool on)
{
    if (on == kessan_)
        return;
    kessan_ = on;
    SwitchKessan(year_, on);
    for (int i = 0; i < CellCount(); ++i) {
        cells_[i]->setText(QString::fromStdString(year_.Cells[i].Caption));
        cells_[i]->setEnabled(year_.Cells[i].Enabled);
    }
    PaintCells();
}

void TxKikanPanel16::SetKakuteiMode(bool on)
{
    if (on == kakuteiMode_)
        return;
    kakuteiMode_ = on;
    PaintCells();
}

void TxKikanPanel16::SetKakuteiMNo(int n)
{
    if (n == kakuteiMNo_)
        return;
    kakuteiMNo_ = n;
    PaintCells();
}

int TxKikanPanel16::PeriodOf(int cell) const
{
    if (cell < 0 || cell >= 16)
        return cell;
    return year_.Cells[cell].Period;
}
