#include "controls/widgets/TxKikanPanel12.h"

#include <algorithm>

#include "controls/widgets/VclColors.h"

TxKikanPanel12::TxKikanPanel12(QWidget* parent) : TxKikanPanelBase(12, parent), kakuteiFont_(vcl::clWhite)
{
    resize(242, 22);
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    SetupPeriod(99, EncodeDate(y, 1, 1), EncodeDate(y, 12, 31), EncodeDate(y, 1, 1));
}

void TxKikanPanel12::SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate)
{
    ApplyYear(SetupKikan12(closingDay, fiscalStart, fiscalEnd, startDate, kikanMove_));
}

void TxKikanPanel12::SetPair(int st, int ed)
{
    st = std::clamp(st, 0, std::max(year_.LastSelectable, 0));
    ed = std::clamp(ed, 0, std::max(year_.LastSelectable, 0));
    stno_ = std::min(st, ed);
    edno_ = std::max(st, ed);
    anchor_ = stno_;
    current_ = edno_;
    PaintCells();
}

void TxKikanPanel12::SetStno(int value)
{
    SetPair(value, edno_);
}
void TxKikanPanel12::SetEdno(int value)
{
    SetPair(stno_, value);
}

void TxKikanPanel12::SetKakuteiMode(bool on)
{
    if (on == kakuteiMode_)
        return;
    kakuteiMode_ = on;
    PaintCells();
}

void TxKikanPanel12::SetKakuteiMNo(int n)
{
    if (n == kakuteiMNo_)
        return;
    kakuteiMNo_ = n;
    PaintCells();
}
