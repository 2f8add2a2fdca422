// Accounting update 2.0.0: the data form of the 2010 edition. Journal
// deletion clears the entry's link, the business overview and the
// dictionaries get their keys, new facilities get the partner index, the
// trial balances name their lines by a new rule.

#include "dbupdate/AccountingUpdateUnits.h"

#include <optional>

namespace z5UserDbUpdate200 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(2, 0, 0);

}  // namespace

TUpdateScript Script()
{
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate200");
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    TUpdateScript script(Shape);
    // The journal monitor, the journal book and the account book page
    // through the journal in stored procedures, with the wider texts of
    // this data form.
    script.AddSql("monitor-paging.sql");
    script.AddSql("journal-book-paging.sql");
    script.AddSql("account-book-paging.sql");
    // The start month no longer follows the dates by itself, and a journal
    // row leaves the totals only through its flag: entries are deleted by
    // flagging both rows, which also drops the entry's cash-book link.
    script.AddSql("journal-delete.sql");
    script.AddSql("overview-and-dictionaries.sql");
    // An individual's asset presets post no acquisition journal, and
    // depreciation goes to the depreciation account the chart has.
    if (kind->DataType == 2)
        script.AddSql("asset-settings-individual.sql");
    // A line's codes are its account's only when it has no name of its own.
    // Allocated shares round half away from zero on a product that holds
    // balances of any size; a group's consumption tax is that of its own
    // facilities; without allocation a mid-year start keeps the
    // department's opening balance.
    script.AddSql("layout-trial-balances.sql");
    script.AddSql("department-layout-trial-balances.sql");
    script.AddSql("settlement-trial-balance.sql");
    // A new facility's partner index gets the kana headings; the general
    // corporation chart gets the sundry account on the cash-flow line 2.
    script.AddSql("partner-index-and-cash-flow.sql");
    // The Navigore budget beside the analysis budget, the variance
    // thresholds, and the budget writers that choose between the two.
    script.AddSql("budget.sql");
    // Profit and loss against the Navigore budget by period, by facility
    // and by department.
    script.AddSql("variance.sql");
    // Without tax the year-end carry-forward and the balances it reads
    // take the suspense tax accounts' tax of their own department whatever
    // the department mode.
    script.AddSql("carry-forward.sql");
    script.Add("Commit;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "Ledrix財務１０のデータ形式に変換",
                 "１）Ledrix財務１０のデータ形式に変換します。");
}

}  // namespace z5UserDbUpdate200
