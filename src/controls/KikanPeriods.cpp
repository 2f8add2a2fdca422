#include "controls/KikanPeriods.h"

#include <algorithm>

#include "controls/SystemBeep.h"

namespace {

bool ValidClosingDay(int d)
{
    return (d >= 1 && d <= 28) || d == 99;
}

// The year and month n months after the date's (n may be negative).
void AddMonths(TDateTime date, int n, int& year, int& month)
{
    int d;
    DecodeDate(date, year, month, d);
    const int index = year * 12 + (month - 1) + n;
    year = index / 12;
    month = index % 12 + 1;
}

int MonthOffset(int closingDay, TDateTime date, TDateTime fiscalStart)
{
    int y0, m0, d0, y1, m1, d1;
    DecodeDate(KikanClosingDate(0, closingDay, fiscalStart), y0, m0, d0);
    DecodeDate(KikanClosingDate(0, closingDay, date), y1, m1, d1);
    return 12 * (y1 - y0) + (m1 - m0);
}

int MonthOf(TDateTime date)
{
    int y, m, d;
    DecodeDate(date, y, m, d);
    return m;
}

}  // namespace

TDateTime KikanClosingDate(int k, int closingDay, TDateTime fiscalStart)
{
    if (!ValidClosingDay(closingDay)) {
        SystemBeep();
        return fiscalStart;
    }
    int y, m, d;
    DecodeDate(fiscalStart, y, m, d);
    AddMonths(fiscalStart, closingDay < d ? k + 1 : k, y, m);
    return EncodeDate(y, m, closingDay == 99 ? DaysInMonth(y, m) : closingDay);
}

int CellOfDate(int closingDay, TDateTime date, TDateTime fiscalStart)
{
    const int e = MonthOffset(closingDay, date, fiscalStart);
    if (e < 0 || e > 14)
        return 15;
    if (e >= 12)
        return 14;
    return e + e / 3;
}

int MonthOffsetOfDate(int closingDay, TDateTime date, TDateTime fiscalStart)
{
    const int e = MonthOffset(closingDay, date, fiscalStart);
    return e < 0 || e > 11 ? 11 : e;
}

TKikanYear SetupKikan16(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate, bool kessan,
                        bool kikanMove)
{
    TKikanYear year;
    year.Cells.resize(16);
    // The settlement cell sits after the last month cell, so that cell can be
    // 14 at most: a fiscal end outside the year must not push it off the strip.
    const int lastMonth = std::min(CellOfDate(closingDay, fiscalEnd, fiscalStart), 14);
    year.LastNo = lastMonth + 1;
    year.LastSelectable = kessan ? lastMonth + 1 : lastMonth;
    year.FirstSelectable = CellOfDate(closingDay, startDate, fiscalStart);
    year.Stno = year.FirstSelectable;
    year.Edno = kikanMove ? year.LastSelectable : year.Stno;
    for (int j = 0; j < 16; ++j) {
        TKikanCell& cell = year.Cells[j];
        if (j < year.FirstSelectable)
            cell.Enabled = false;
        if (j > year.LastNo)
            continue;
        if (j == year.LastNo || j == 15) {
            cell.Caption = "決";
            cell.Period = 15;
        } else if (j == 3 || j == 7 || j == 11) {
            cell.Caption = "・";
            cell.Period = j;
        } else {
            cell.Caption = std::to_string(MonthOf(KikanClosingDate(j - j / 4, closingDay, fiscalStart)));
            cell.Period = j;
        }
    }
    for (int j = year.LastSelectable + 1; j < 16; ++j) {
        year.Cells[j].Enabled = false;
        year.Cells[j].Caption.clear();
    }
    return year;
}

void SwitchKessan(TKikanYear& year, bool kessan)
{
    const int count = static_cast<int>(year.Cells.size());
    if (kessan) {
        if (year.LastSelectable + 1 >= count)
            return;
        ++year.LastSelectable;
        year.Cells[year.LastSelectable].Enabled = true;
        year.Cells[year.LastSelectable].Caption = "決";
    } else {
        if (year.LastSelectable < 0)
            return;
        year.Cells[year.LastSelectable].Enabled = false;
        year.Cells[year.LastSelectable].Caption.clear();
        --year.LastSelectable;
    }
}

int Kikan12Period(int cell)
{
    return cell >= 0 && cell < 12 ? cell + cell / 3 : cell;
}

TKikanYear SetupKikan12(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate, bool kikanMove)
{
    TKikanYear year;
    year.Cells.resize(12);
    year.LastNo = year.LastSelectable = MonthOffsetOfDate(closingDay, fiscalEnd, fiscalStart);
    year.FirstSelectable = MonthOffsetOfDate(closingDay, startDate, fiscalStart);
    year.Stno = year.FirstSelectable;
    year.Edno = kikanMove ? year.LastSelectable : year.Stno;
    for (int j = 0; j < 12; ++j) {
        TKikanCell& cell = year.Cells[j];
        cell.Period = Kikan12Period(j);
        if (j < year.FirstSelectable)
            cell.Enabled = false;
        if (j <= year.LastSelectable) {
            cell.Caption = std::to_string(MonthOf(KikanClosingDate(j, closingDay, fiscalStart)));
        } else {
            cell.Enabled = false;
        }
    }
    return year;
}

TKikanYear SetupKikan4(int btnCnt, int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate,
                       bool kikanMove)
{
    TKikanYear year;
    const int n = btnCnt == 2 ? 2 : 4;
    year.Cells.resize(4);
    for (int j = 0; j < 4; ++j) {
        year.Cells[j].Enabled = false;
        if (j < n)
            year.Cells[j].Caption = n == 2 ? (j == 0 ? "上" : "下") : std::to_string(j + 1);
    }
    const int span = 12 / n;
    year.FirstSelectable = MonthOffsetOfDate(closingDay, startDate, fiscalStart) / span;
    year.LastSelectable = MonthOffsetOfDate(closingDay, fiscalEnd, fiscalStart) / span;
    year.LastNo = year.LastSelectable;
    for (int j = year.FirstSelectable; j <= year.LastSelectable; ++j)
        year.Cells[j].Enabled = true;
    year.Stno = year.FirstSelectable;
    year.Edno = kikanMove ? year.LastSelectable : year.FirstSelectable;
    return year;
}

std::vector<TCellRect> ArrangeCells(int width, int height, int n)
{
    std::vector<TCellRect> cells(static_cast<std::size_t>(std::max(n, 0)));
    if (n <= 0)
        return cells;
    const int w = std::max((width - 8) / n, 0);
    const int spare = std::max(width - (n * w + 8), 0);
    int left = 4;
    for (int i = 0; i < n; ++i) {
        const int cw = i < spare ? w + 1 : w;
        cells[i] = {left, 3, cw, std::max(height - 6, 0)};
        left += cw;
    }
    return cells;
}

int SnappedKikanWidth(int width, int n)
{
    return n * std::max((width - 8) / n, 0) + 8;
}
