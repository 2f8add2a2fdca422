#include "calc/engine/BalanceLoad.h"

#include "calc/engine/BalanceAccumulation.h"
#include "calc/engine/TrialBalanceAccumulation.h"
#include "calc/FiscalDates.h"
#include "calc/engine/BalanceLoadRead.h"
#include "calc/engine/BalanceLoadRollUp.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/engine/TrialBalanceLoad.h"
#include "calc/engine/TrialBalanceTotals.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/QueryFactory.h"
#include "platform/AsciiText.h"

#include <map>
#include <memory>

namespace {

// The balance and budget statements of one scope and layout; an empty one
// has no statement. The codes and the allocation flag are parameters.
struct TStatements {
    const char* balance;
    const char* budget;
};

constexpr TStatements NoStatements{"", ""};

TStatements DepartmentTotalStatements(std::int32_t layout)
{
    if (layout == 0)
        return {"SELECT * FROM SP_Kanendo_BumonGokei( :TAX,:BCODE)", "SELECT * FROM SP_Yosan_BumonGokei(:TAX,:BCODE)"};
    if (layout == 1)
        return {"SELECT * FROM SP_Kanendo_BumonGokei_A4( :TAX,:BCODE)", "SELECT * FROM SP_Yosan_BumonGokei_A4(:BCODE)"};
    return NoStatements;
}

// The company (SCODE unused) and one branch share their procedures.
TStatements CompanyStatements(std::int32_t layout, bool branch)
{
    switch (layout) {
    case 0:
        return branch ? TStatements{"SELECT * FROM SP_KANENDO_ZANDAKA( :TAX, :SCODE)",
                                    "SELECT * FROM SP_YOSAN( :TAX, :SCODE) "}
                      : TStatements{"SELECT * FROM SP_KANENDO_ZANDAKA( :TAX,'')", "SELECT * FROM SP_YOSAN( :TAX,'' )"};
    case 1:
        return branch ? TStatements{"SELECT * FROM SP_KANENDO_ZANDAKA_A4( :TAX, :SCODE)",
                                    "SELECT * FROM SP_YOSAN_A4(:SCODE)"}
                      : TStatements{"SELECT * FROM SP_KANENDO_ZANDAKA_A4( :TAX,'')", "SELECT * FROM SP_YOSAN_A4( '' )"};
    case 2:
        return {branch ? "SELECT * FROM SP_KANENDO_ZANDAKA_A3( :TAX, :SCODE)"
                       : "SELECT * FROM SP_KANENDO_ZANDAKA_A3( :TAX,'')",
                ""};
    default:
        return NoStatements;
    }
}

TStatements BranchGroupStatements(std::int32_t layout)
{
    if (layout == 0)
        return {"SELECT * FROM SP_KANENDO_GROUPZANDAKA( :TAX, :GCODE)", "SELECT * FROM SP_YOSAN_GROUP( :TAX,:GCODE )"};
    return {"SELECT * FROM SP_KANENDO_GROUPZANDAKA_A4( :TAX, :GCODE)", "SELECT * FROM SP_YOSAN_GROUP_A4( :GCODE )"};
}

TStatements DepartmentStatements(std::int32_t layout)
{
    if (layout == 0)
        return {"SELECT * FROM SP_KANENDO_BUMON_ZANDAKA( :TAX, :SCODE,:BCODE,:HAIBUN)",
                "SELECT * FROM SP_YOSAN_BUMON( :TAX,:SCODE,:BCODE,:HAIBUN ) "};
    return {"SELECT * FROM SP_KANENDO_BUMON_ZANDAKA_A4( :TAX, :SCODE,:BCODE,:HAIBUN)",
            "SELECT * FROM SP_YOSAN_BUMON_A4( :SCODE,:BCODE,:HAIBUN)"};
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// Sets the statement and binds the parameters it names: the tax mode, the
// facility and department codes (the branch group's code is SCODE's), the
// allocation flag.
void Prepare(TTrialBalanceContext& load, const char* sql, const std::string& bcode)
{
    db::Query& query = *load.Query;
    query.SetSQL(sql);
    for (const std::string& name : query.ParamNames()) {
        if (name == "TAX")
            query.ParamByName(name).SetInteger(load.TAX);
        else if (name == "SCODE" || name == "GCODE")
            query.ParamByName(name).SetString(load.SCODE);
        else if (name == "BCODE")
            query.ParamByName(name).SetString(bcode);
        else if (name == "HAIBUN")
            query.ParamByName(name).SetInteger(load.HAIBUN);
    }
}

// The balances, then the budgets, of the departments given, each added into
// the same rows.
void ReadStatements(TTrialBalanceContext& load, const TStatements& statements,
                    const std::vector<std::string>& departments)
{
    if (*statements.balance) {
        // The procedures give the current year's opening; with data that
        // starts during the year the trial balance's opening is the data's
        // own. Cleared once, so that a group's departments add up.
        if (AccInf.KAISINO > 1)
            for (int r = 0; r <= load.RowsHigh; ++r)
                load.Row(r).OpeningByYear[0] = 0;
        for (const std::string& bcode : departments) {
            Prepare(load, statements.balance, bcode);
            ReadBalanceRows(load);
        }
    }
    if (*statements.budget)
        for (const std::string& bcode : departments) {
            Prepare(load, statements.budget, bcode);
            ReadBudgetRows(load);
        }
}

void ReadScope(TTrialBalanceContext& load)
{
    switch (load.Scope) {
    case 0:
        if (Blank(load.BCODE))
            ReadStatements(load, CompanyStatements(load.Layout, false), {load.BCODE});
        else
            ReadStatements(load, DepartmentTotalStatements(load.Layout), {load.BCODE});
        return;
    case 1:
        ReadStatements(load, BranchGroupStatements(load.Layout), {load.BCODE});
        return;
    case 2:
        ReadStatements(load, CompanyStatements(load.Layout, true), {load.BCODE});
        return;
    case 3:
        ReadStatements(load, DepartmentStatements(load.Layout), {load.BCODE});
        return;
    case 4:
        ListGroupDepartments(load);
        ReadStatements(load, DepartmentStatements(load.Layout), load.Departments);
        return;
    case 6:
        AccumulateBalances(load.Rows, load.RowsHigh, load.Order, load.OrderHigh, FacilityDepartmentSetting(load));
        return;
    default:
        return;
    }
}

// The tax mode of the earlier years under the notes-offset statements: the
// data's carry-forward setting, 1 without tax, anything else with tax.
// Data that has no such setting (ACCDEF1 without KURIKOSI1, as the updates
// leave it) carried its years forward in its own tax mode TAXDEFUH.
std::int32_t CarryForwardTaxMode(TTrialBalanceContext& load)
{
    db::Query& query = *load.Query;
    query.SetSQL("SELECT * FROM ACCDEF1 WHERE REC=1");
    query.Open();
    std::int32_t mode = 0;
    if (!query.Eof()) {
        std::string column = "TAXDEFUH";
        for (std::size_t i = 0; i < query.FieldCount(); ++i)
            if (ascii::Upper(query.FieldByIndex(i).Name()) == "KURIKOSI1")
                column = "KURIKOSI1";
        mode = query.FieldByName(column).AsInteger() == 1 ? 1 : 0;
    }
    query.Close();
    return mode;
}

// The earlier years and the current year's periods before the data's start
// come from the procedures only: what the trial balance put there goes.
void ClearEarlierYears(TTrialBalanceContext& load)
{
    const int before = MonthToPeriodNo(AccInf.KAISINO - 1);
    auto clear = [&](auto& target) {
        for (int i = 0; i < before; ++i)
            target.PeriodChange[i] = target.PeriodBalance[i] = 0;
        target.OpeningByYear[2] = target.OpeningByYear[3] = 0;
    };
    for (int r = 0; r <= load.RowsHigh; ++r) {
        TBALANCE& row = load.Row(r);
        clear(row);
        if (AccInf.KAISINO > 1)
            row.OpeningByYear[1] = 0;
        for (THOJOUTIWAKE& sub : row.Hojo)
            clear(sub);
    }
}

// Each profit-and-loss account's expense kind from the account master.
void ReadExpenseKinds(TTrialBalanceContext& load)
{
    db::Query& query = *load.Query;
    query.SetSQL("SELECT KCODE,KEIHKUBU FROM KAMOKUMST WHERE BPFLG='P' ");
    query.Open();
    std::map<std::string, std::string> kinds;
    for (; !query.Eof(); query.Next())
        kinds[query.FieldByName("KCODE").AsString()] = query.FieldByName("KEIHKUBU").AsString();
    query.Close();
    for (int r = FirstAccountRowGeneral; r <= load.RowsHigh; ++r) {
        TBALANCE& row = load.Row(r);
        if (const auto kind = kinds.find(row.KMK.KCODE); kind != kinds.end())
            row.KMK.KEIHKUBU = kind->second;
    }
}

}  // namespace

bool LoadBalancesGeneral(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                         const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                         std::int32_t Layout, std::int32_t HAIBUN, std::int32_t trialBalanceMode)
{
    const std::int32_t keskubun = trialBalanceMode == 1 ? 3 : 2;
    if (!LoadTrialBalanceGeneral(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, keskubun, HAIBUN,
                                 -1))
        return false;
    TTrialBalanceContext load(Rows, RowsHigh, Order, OrderHigh);
    load.SCODE = SCODE;
    load.BCODE = BCODE;
    load.TAX = TAX;
    load.Scope = Scope;
    load.Layout = Layout;
    load.KESKUBUN = keskubun;
    load.HAIBUN = HAIBUN;
    if (!DM)
        throw TTrialBalanceError("データモジュールがありません。");
    db::Transaction& snapshot = DM->IBTransactionDATSS;
    try {
        if (snapshot.InTransaction())
            snapshot.Commit();
        snapshot.Start();
        const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", true);
        if (!query)
            throw TTrialBalanceError("会社データの問合せを作れません。");
        load.Query = query.get();
        if (trialBalanceMode == 1)
            load.TAX = CarryForwardTaxMode(load);
        ClearEarlierYears(load);
        ReadExpenseKinds(load);
        ReadScope(load);
        for (int k = TPeriodArray::Low; k <= 16; ++k)
            RollUpPeriod(Rows, RowsHigh, k);
        RollUpOpenings(Rows, RowsHigh);
        for (int i = 1; i <= 15; ++i)
            RollUpBudget(Rows, RowsHigh, i);
        snapshot.Commit();
        return true;
    } catch (...) {
        snapshot.RollbackQuietly();
        throw;
    }
}
