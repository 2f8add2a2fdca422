// Accounting update 0.3.3: the individual's capital carry-forward, the
// accounts' Navigore thresholds, the comparison columns and analysis items,
// and the thresholds and search kana of the standard chart of the data's kind.

#include "dbupdate/AccountingUpdateUnits.h"

namespace z5UserDbUpdate033 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 3, 3);

enum class TChart { None, Corporation, IndividualGeneral, IndividualRealEstate };

// A medical corporation's chart keeps the corporation's account codes
// (only a few names differ), so it takes the corporation's thresholds; the
// individual's search keys ('motoi' on the capital account, 'kajis' on a
// sales account) would mislabel it. A failed read writes no thresholds.
TChart CompanyChart()
{
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate033");
    if (!kind)
        return TChart::None;
    if (kind->DataType == 1 || kind->DataType == 3)
        return TChart::Corporation;
    if (kind->CodeType == 1)
        return TChart::IndividualGeneral;
    if (kind->CodeType == 2)
        return TChart::IndividualRealEstate;
    return TChart::None;
}

// The standard chart's thresholds and search kana: per account, a warning
// at or below 0.95 and good at or above 1.05 (balances that should grow),
// the reverse (costs and debts) or none, and the search key where the chart
// gives one; every other listed account loses its search key.
const char* ThresholdsFile(TChart chart)
{
    switch (chart) {
    case TChart::Corporation:
        return "thresholds-corporation.sql";
    case TChart::IndividualGeneral:
        return "thresholds-individual-general.sql";
    case TChart::IndividualRealEstate:
        return "thresholds-individual-real-estate.sql";
    case TChart::None:
        break;
    }
    return nullptr;
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // New capital is the old capital plus the year's net debit balance of
    // the balance sheet plus the owner's drawings in, less the drawings
    // out. A column added with a default reads as null in the rows already
    // there, so every account's kinds are set to 0 like a new account's;
    // cost ratios improve as they fall, every other item as it rises.
    script.AddSql("capital-carry-forward.sql");
    script.AddSql("navigore-tables.sql");
    if (const char* thresholds = ThresholdsFile(CompanyChart()))
        script.AddSql(thresholds);
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "経営Navigore機能の追加 他",
                 "比較経営分析表の初期値を設定します。\r元入金の繰り入れ計算を更新します。");
}

}  // namespace z5UserDbUpdate033
