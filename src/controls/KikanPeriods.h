#pragma once
// How the period selectors lay out a fiscal year: which cell stands for which
// period, what each cell shows, which cells the user may pick, and where the
// cells sit. The selectors' widgets only paint and route input over these
// tables.
//
// The 16-cell selector has twelve month cells with a quarter mark ("・")
// after every third month and the settlement cell ("決"); the 12-cell twin
// has the month cells only; the 4-cell twin has four quarter or two half-year
// cells.
//
// A closing day is 1-28, or 99 for the month end. Any other closing day
// sounds the system beep for every date computed and leaves the date as it
// came (so every month cell shows the fiscal start's own month).

#include <array>
#include <string>
#include <vector>

#include "platform/DateTime.h"

// The closing date of the k-th month of the fiscal year that starts on
// fiscalStart.
TDateTime KikanClosingDate(int k, int closingDay, TDateTime fiscalStart);

// The 16-cell selector's cell of a date: the month offset e of the date's
// closing month from the fiscal start's gives cells 0-2, 4-6, 8-10 and
// 12-14; an offset below 0 or above 14 gives the settlement cell 15. A year
// longer than twelve months would reach past the sixteen cells (offsets
// 12-14), so those months fold into the last month cell, 14.
int CellOfDate(int closingDay, TDateTime date, TDateTime fiscalStart);

// The month offset of a date's closing month from the fiscal start's (the
// twins' rule): anything outside 0-11 gives 11.
int MonthOffsetOfDate(int closingDay, TDateTime date, TDateTime fiscalStart);

struct TKikanCell {
    std::string Caption;
    bool Enabled = true;
    int Period = -1;  // period index 0-15; -1 for cells after the settlement cell
};

// A selector's year after set-up.
struct TKikanYear {
    std::vector<TKikanCell> Cells;
    int FirstSelectable = 0;
    int LastSelectable = 0;
    int LastNo = 0;  // the settlement cell (16-cell) or the last month cell (12-cell)
    int Stno = 0;
    int Edno = 0;
};

// The 16-cell selector's set-up.
TKikanYear SetupKikan16(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate, bool kessan,
                        bool kikanMove);

// Switching the settlement cell on or off after set-up: off disables the last
// selectable cell and blanks it; on enables the cell after it again as "決".
// LastNo and the period map stay.
void SwitchKessan(TKikanYear& year, bool kessan);

// The 12-cell twin: cell i stands for the periods 0, 1, 2, 4, 5, 6, 8, 9, 10,
// 12, 13, 14.
int Kikan12Period(int cell);
TKikanYear SetupKikan12(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate,
                        bool kikanMove);

// The 4-cell twin with btnCnt 4 (quarters) or 2 (halves).
TKikanYear SetupKikan4(int btnCnt, int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate,
                       bool kikanMove);

struct TCellRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Cell geometry for a selector of the given size with n cells: cell width
// W = (width - 8) / n, height - 6 high, from left 4 and top 3, the pixels
// left over going one each to the first cells.
std::vector<TCellRect> ArrangeCells(int width, int height, int n);
// The width a size change snaps a selector to: n * W + 8.
int SnappedKikanWidth(int width, int n);
