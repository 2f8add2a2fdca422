#pragma once
// The balance rows every balance calculation fills, and their helpers.
//
// A caller allocates one array of TBALANCE rows and one of TQSORT order
// entries of the same length (BalanceCapacity) and hands both, with their
// last index, to the loaders and calculations. Row 0 is a scratch row: sums
// aimed at a total the data does not have land there and are never read.
// The total rows sit at fixed positions before FirstAccountRow; the
// accounts follow in the order the loader reads them.
//
// Amounts are Currency (64-bit, scaled by 10000) throughout, and every sum
// is formed exactly. Per-period amounts live in TPeriodArray, indexed -32 to
// 19: 1 to 16 the current fiscal year's periods (4, 8, 12 and 16 the
// settlements), p - 16 the previous year's period p, p - 32 the period p of
// the year before; index 17 to 19 is never filled.

#include "platform/NumberText.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// First account row of the general chart and of the medical-corporation
// chart.
inline constexpr int FirstAccountRowGeneral = 51;
inline constexpr int FirstAccountRowMedical = 61;
// Rows a caller allocates for either chart.
inline constexpr int BalanceCapacityGeneral = 500;
inline constexpr int BalanceCapacityMedical = 700;

// 52 amounts indexed -32 to 19. An index outside that range throws
// std::out_of_range rather than reaching into a neighbouring field.
class TPeriodArray final {
public:
    static constexpr int Low = -32;
    static constexpr int High = 19;

    Currency& operator[](int index) { return values_.at(Slot(index)); }
    Currency operator[](int index) const { return values_.at(Slot(index)); }
    void Clear() { values_.fill(0); }

private:
    static std::size_t Slot(int index)
    {
        if (index < Low || index > High)
            throw std::out_of_range("period index " + std::to_string(index) + " outside -32 to 19");
        return static_cast<std::size_t>(index - Low);
    }
    std::array<Currency, High - Low + 1> values_{};
};

// Facility part: filled only by facility-based loading.
struct TSISREC {
    std::string SCODE;
    std::string SNAME;
};

// Department part.
struct TBUMREC {
    std::string BCODE;
    std::string BNAME;
};

// Account part; the account table of the journal reader fills the same
// record from the account master. KCODE is empty on total rows and on rows
// that must not be written out.
struct TKMKREC {
    std::string KCODE;
    std::string USERCODE;
    std::int32_t REC = 0;
    std::string GROUPM1;  // the total's group code on total rows
    std::string GROUPM2;  // its range selects the total row an account rolls into
    // The medical chart's third and fourth group codes: the second grouping
    // (GROUPR1, GROUPR2) that business kinds 2 and 4 roll up by.
    std::string GroupCode3;
    std::string GroupCode4;
    std::string KNAME;
    std::int32_t BLDAC = 0;
    // 1 and 4 count debit minus credit as the balance, 2 and 3 credit minus
    // debit (DAC of the account master).
    std::int32_t TAISHAKU = 0;
    std::int32_t DELFLG = 0;
    std::int32_t TAX_LCODE = 0;
    std::int32_t TAX_RCODE = 0;
    std::int32_t FUN_LCODE = 0;
    std::int32_t FUN_RCODE = 0;
    std::string HOJOSW;
    std::string BSPL;  // "B" balance sheet, "P" profit and loss
    std::string KEIHKUBU;
    std::int32_t EXT1_KS = 0;
    std::int32_t EXT1_A4 = 0;
    std::int32_t EXT1_A3 = 0;
    std::int32_t ZEIRITUKBN = 0;
};

// One sub-account of the account master (H_REC, H_TAX_LCODE, ... there).
struct THOJREC {
    std::string KCODE;
    std::string HCODE;
    std::string HNAME;
    std::int32_t REC = 0;
    std::int32_t TAX_LCODE = 0;
    std::int32_t TAX_RCODE = 0;
    std::int32_t ZEIRITUKBN = 0;
};

using TBudgetMonths = std::array<Currency, 16>;

// One sub-account of a balance row, with the row's figures for its part.
struct THOJOUTIWAKE {
    std::string HCODE;
    std::string HNAME;
    Currency RangeOpening = 0;
    Currency RangeDebit = 0;
    Currency RangeCredit = 0;
    Currency RangeClosing = 0;
    Currency RangeRatio = 0;  // share of the row's closing, percent with one decimal
    Currency KAISIZAN = 0;
    TPeriodArray KAR;
    TPeriodArray KAS;
    TPeriodArray PeriodChange;
    TPeriodArray PeriodBalance;
    std::array<Currency, 20> YOSAN{};
    std::array<TBudgetMonths, 3> Budgets{};
    TBudgetMonths JISSEKI{};
    std::array<std::int32_t, 16> PeriodFlags{};
    std::array<Currency, 4> OpeningByYear{};
};

// One balance row.
struct TBALANCE {
    TSISREC SIS;
    TBUMREC BUM;
    TKMKREC KMK;
    THOJREC HOJ;
    // Opening balance at the start of the data: the fiscal year's opening, or
    // the balance at the first month with data when the data starts later.
    Currency KAISIZAN = 0;
    // Balance at the start of the fiscal year when the data starts later.
    Currency KISHU0 = 0;
    // Number of entries of Hojo; 0 = none. Kept equal to Hojo.size().
    std::int32_t HOJCNT = 0;
    std::vector<THOJOUTIWAKE> Hojo;
    std::int32_t MSTREC = 0;
    std::int32_t SUBREC = 0;
    // Account rows added into this total by the range roll-up; never
    // cleared by the range calculation, so it grows across calls.
    std::int32_t SumCount = 0;
    Currency RangeOpening = 0;
    Currency RangeDebit = 0;
    Currency RangeCredit = 0;
    Currency RangeClosing = 0;
    Currency RangeRatio = 0;    // share of a base total, percent with one decimal
    Currency RangeCompare = 0;  // the same range one year earlier
    TPeriodArray KAR;
    TPeriodArray KAS;
    TPeriodArray PeriodChange;   // net movement, signed by the account's side
    TPeriodArray PeriodBalance;  // running balance at each period's end
    TPeriodArray PeriodRatio;
    std::array<Currency, 20> YOSAN{};
    std::array<TBudgetMonths, 3> Budgets{};
    TBudgetMonths JISSEKI{};
    std::array<std::int32_t, 16> PeriodFlags{};
    // Opening of the current year (0) and of up to three earlier ones.
    std::array<Currency, 4> OpeningByYear{};
};

// Empties every text and figure of the row, its counters and its
// sub-account list (the list belongs to the row, so clearing releases it):
// a row that a load reuses keeps nothing of the previous load.
void ClearBalanceRow(TBALANCE& row);

// Whether a side counts debit minus credit as the balance (1 and 4).
constexpr bool DebitBalanceSide(std::int32_t taishaku)
{
    return taishaku == 1 || taishaku == 4;
}

// The movement of one period signed by the side: debit minus credit for
// sides 1 and 4, credit minus debit otherwise.
constexpr Currency SignedMovement(std::int32_t taishaku, Currency debit, Currency credit)
{
    return DebitBalanceSide(taishaku) ? debit - credit : credit - debit;
}

// A ratio as a percent with one decimal, rounded half away from zero:
// 0.12345 gives 12.3, -0.00051 gives -0.1. Ratios too large for an amount
// come back at the amount's limit.
Currency RatioToPercent(double ratio);

// A percent amount limited to -999.0 to 9999.0, the range the ratio
// columns show.
Currency ClampPercent(Currency percent);
