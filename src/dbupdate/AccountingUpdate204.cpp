// Accounting update 2.0.4: the cash-book extras. Real-estate data gets the
// fixed-asset journal presets of its chart; the trial balances name a line
// after its account also when the line's own name is the account's; the
// journal edit keeps the cash-book link of an exchanged entry.

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/DataModule.h"

#include <optional>
#include <string>
#include <vector>

namespace z5UserDbUpdate204 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(2, 0, 4);

struct TPresetProbe {
    bool hasPresets = false;
    std::vector<std::string> facilities;
};

// Whether the presets of the real-estate chart are there already (a row
// for the building account 1401), and the facilities that would get
// copies, in code order (the single ' ' of data without facility books).
// A database that cannot be read stops the update before any script runs.
TPresetProbe ProbePresets(std::int32_t siten)
{
    TPresetProbe probe;
    bool read = false;
    std::string failure;
    const bool opened = accupdate::AskCompanyDatabase([&](TDM& dm) {
        db::Query& query = dm.IBQACC1;
        try {
            query.Close();
            query.SetSQL("SELECT COUNT(REC) AS RECCNT FROM KS_SETSWK_INIT WHERE KCODE='1401'");
            query.Open();
            probe.hasPresets = !query.Eof() && query.FieldByName("RECCNT").AsInteger() > 0;
            query.Close();
            if (siten != 0) {
                query.SetSQL("SELECT SCODE FROM SISETUMST ORDER BY SCODE");
                query.Open();
                for (; !query.Eof(); query.Next())
                    probe.facilities.push_back(query.FieldByName("SCODE").AsString());
                query.Close();
            } else {
                probe.facilities.push_back(" ");
            }
            read = true;
        } catch (const db::FbError& error) {
            query.Close();
            failure = error.what();
        }
    });
    if (!opened || !read)
        throw TUpdateScriptError("update script: the fixed-asset presets cannot be read: " + failure);
    return probe;
}

}  // namespace

TUpdateScript Script()
{
    const std::optional<accupdate::TCompanyKind> kind = accupdate::ReadCompanyKind("z5UserDbUpdate204");
    if (!kind)
        throw TUpdateScriptError("update script: the data kind of the company data cannot be read");
    std::optional<TPresetProbe> presets;
    if (kind->DataType == 2 && kind->CodeType == 2)
        presets = ProbePresets(kind->Siten);
    TUpdateScript script(Shape);
    // The journal monitor places by facility number and lists in that
    // order, so that its pages follow the facility's own numbering.
    script.AddSql("monitor-paging.sql");
    // Real-estate data without the presets of its chart gets them anew,
    // and every facility a copy of them.
    if (presets && !presets->hasPresets) {
        script.AddSql("real-estate-presets.sql");
        for (const std::string& scode : presets->facilities)
            script.Add("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('" + SqlQuoted(scode) + "');");
        script.Add("COMMIT;");
    }
    // A line's codes are its account's also when the line's own name is
    // the account's name; the settlement trial balance reads the previous
    // year to period 15.
    script.AddSql("layout-trial-balances.sql");
    script.AddSql("department-layout-trial-balances.sql");
    script.AddSql("settlement-trial-balance.sql");
    // An edited entry's old version loses its link; the new version of an
    // entry exchanged through the cash book points back at the old one.
    script.AddSql("journal-edit.sql");
    // The previous years by line of the A4 layout for one department, and
    // by department group with the budgets of the group's departments
    // summed per period (the text after its head is 0.2.2's).
    for (const char* file :
         {"prior-year-layout.sql", "../022/group-prior-year-recreate.sql", "../022/group-prior-year.sql"})
        script.AddSql(file);
    script.Add("SET TERM ; ^");
    // A new sub-account's balance rows: in the departments the account is
    // kept in, where the data keeps departments for the account.
    script.AddSql("sub-account-balance-rows.sql");
    script.Add("Commit;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "出納帳スペシャル機能の追加", "１）出納帳スペシャル機能を追加します。");
}

}  // namespace z5UserDbUpdate204
