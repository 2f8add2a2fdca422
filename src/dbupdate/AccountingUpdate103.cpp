// Accounting update 1.0.3: the company-wide previous-year balances and
// budgets of data kept per facility are cleared, and the department trial
// balances take the consumption tax of the department itself.

#include "dbupdate/AccountingUpdateUnits.h"

#include <optional>

namespace z5UserDbUpdate103 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(1, 0, 3);

}  // namespace

TUpdateScript Script()
{
    // Only data kept per facility loses its company-wide rows: there they
    // are the sum the facilities' rows already make, so entered twice they
    // counted double. Books without facilities keep everything in ' '.
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate103");
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    TUpdateScript script(Shape);
    if (kind->Siten != 0)
        script.AddSql("facility-books.sql");
    // The capital carried into the new year takes every sub-account of the
    // capital, drawings and owner's loan accounts.
    script.AddSql("capital-carry-forward.sql");
    // The tax share of an allocated department rounds half away from zero
    // on a product that holds balances of any size (the percentage is
    // made a whole number first, so a half is exact). The department trial
    // balance adds the department's own tax, then the common department's
    // share of its tax; a sub-account's opening is allocated whenever the
    // call allocates; an opening balance stands unallocated when the call
    // does not allocate, whatever month the entries start.
    script.AddSql("tax-and-department-trial-balance.sql");
    // The layout trial balances of one department: a line needs period
    // rows of its accounts in the department (or, allocating, in the
    // common department); without allocation a mid-year start keeps the
    // department's own opening balance.
    script.AddSql("department-layout-trial-balances.sql");
    // The journal monitor places by history number but lists in facility
    // number order.
    script.AddSql("monitor-paging.sql");
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(
        rec, Shape, &DoUpdate, 1, "本・支店管理データの予算または過年度残高を調整 他",
        "１）本・支店管理データの予算または過年度残高を調整します。\r２）定形試算表の共通部門集計を適正に処理出来るように修正します。");
}

}  // namespace z5UserDbUpdate103
