#include "calc/engine/MedicalBalanceLoad.h"

#include "calc/engine/BalanceAccumulation.h"
#include "calc/engine/TrialBalanceAccumulation.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/FiscalDates.h"
#include "calc/engine/EarlierYearShift.h"
#include "calc/engine/MedicalBalanceReaders.h"
#include "calc/engine/MedicalBalanceTotals.h"
#include "calc/engine/MedicalTotals.h"
#include "calc/engine/MedicalTrialBalanceLoad.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/QueryFactory.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The earlier-year and the budget statement of a layout and scope;
// nullptr where there is none.
struct TStatements {
    const char* years = nullptr;
    const char* budgets = nullptr;
};

TStatements StandardStatements(std::int32_t scope, bool department)
{
    switch (scope) {
    case 0:
        if (department)
            return {"SELECT * FROM SP_KANENDO_BUMONGOKEI( :TAX, :BCODE, 0 )",
                    "SELECT * FROM SP_YOSAN_BUMONGOKEI( :TAX, :BCODE, 0 )"};
        return {"SELECT * From SP_KANENDO_ZANDAKA( '', :TAX , 0 )", "SELECT * FROM SP_YOSAN( :TAX, '' , 0 )"};
    case 1:
        if (department)
            return {"SELECT * FROM SP_KANENDO_BUMONGOKEI( :TAX, :BCODE, :JIGYOU )",
                    "SELECT * FROM SP_YOSAN_BUMONGOKEI( :TAX, :BCODE, :JIGYOU )"};
        return {"SELECT * From SP_KANENDO_ZANDAKA( '', :TAX , :JIGYOU )",
                "SELECT * FROM SP_YOSAN( :TAX ,'' ,:JIGYOU  )"};
    case 2:
        return {"SELECT * From SP_KANENDO_ZANDAK_SISETU( :SCODE , :TAX )",
                "SELECT * FROM SP_YOSAN_SISETU(:TAX, :SCODE )"};
    case 3:
        return {"SELECT * From SP_KANENDO_BUMON_ZANDAKA( :SCODE, :BCODE, :TAX  ,:HAIBUN )",
                "SELECT * FROM SP_YOSAN_BUMON( :TAX, :SCODE, :BCODE ,:HAIBUN )"};
    case 4:
        return {"SELECT * From SP_KANENDO_BUMON_ZANDAKA( :SCODE, :BCODE,  :TAX ,:HAIBUN )",
                "SELECT * FROM SP_YOSAN_BUMON( :TAX, :SCODE, :BCODE ,:HAIBUN )"};
    case 5:
        return {"SELECT * FROM SP_KANENDO_ZANDAKA_GROUP( :GCODE , :TAX )",
                "SELECT * FROM SP_YOSAN_GROUP( :TAX, :GCODE )"};
    default:
        return {};
    }
}

TStatements A4Statements(std::int32_t scope, bool department)
{
    switch (scope) {
    case 1:
        if (department)
            return {"SELECT * From SP_KANENDO_JIGYOBETUBUMON_A4(:TAX ,:BCODE, :JIGYOU )",
                    "SELECT * FROM SP_YOSAN_JIGYOBETUBUMON_A4( :BCODE, :JIGYOU )"};
        return {"SELECT * From SP_KANENDO_ZANDAKA_A4( '' ,:TAX ,:JIGYOU )",
                "SELECT * FROM SP_YOSAN_A4( '' , :JIGYOU )"};
    case 2:
        return {"SELECT * From SP_KANENDO_ZANDAKA_A4( :SCODE ,:TAX ,0 )", "SELECT * FROM SP_YOSAN_A4( :SCODE , 0 )"};
    case 3:
        return {"SELECT * From SP_KANENDO_BUMON_ZANDAKA_A4(  :SCODE, :BCODE, :TAX ,:HAIBUN )",
                "SELECT * FROM SP_YOSAN_BUMON_A4( :SCODE ,:BCODE ,:HAIBUN )"};
    case 4:
        return {"SELECT * From SP_KANENDO_BUMON_ZANDAKA_A4( :SCODE, :BCODE ,:TAX ,:HAIBUN )",
                "SELECT * FROM SP_YOSAN_BUMON_A4( :SCODE ,:BCODE ,:HAIBUN )"};
    default:
        return {};
    }
}

TStatements A3Statements(std::int32_t scope)
{
    switch (scope) {
    case 0:
    case 2:
        return {"SELECT * From SP_KANENDO_ZANDAKA_A3( :TAX, :SCODE )", nullptr};
    case 1:
        return {"SELECT * From SP_KANENDO_JIGYOBETU_A3( :TAX, :JIGYOU )", nullptr};
    default:
        return {};
    }
}

TStatements SettlementStatements(std::int32_t scope, bool department)
{
    switch (scope) {
    case 0:
        if (department)
            return {"SELECT * FROM SP_KANENDO_BUMONGOKEI_KS( :TAX ,:BCODE, :JIGYOU )",
                    "SELECT * FROM SP_YOSAN_BUMONGOKEI_KS( :BCODE )"};
        return {"SELECT * FROM SP_KANENDO_ZANDAKA_KESSAN( '','' , :TAX , 0)",
                "SELECT * FROM SP_YOSAN_KESSAN( '','' , 0)"};
    case 1:
        return {"SELECT * FROM SP_KANENDO_ZANDAKA_KESSAN( '','' , :TAX, :JIGYOU)",
                "SELECT * FROM SP_YOSAN_KESSAN( '','' , :JIGYOU)"};
    case 3:
        return {"SELECT * FROM SP_KANENDO_ZANDAKA_KESSAN( :SCODE ,'', :TAX, 0)",
                "SELECT * FROM SP_YOSAN_KESSAN( :SCODE,'' , 0)"};
    case 5:
        return {"SELECT * FROM SP_KANENDO_ZANDAKA_KESSAN( '', :GCODE , :TAX , 0)",
                "SELECT * FROM SP_YOSAN_KESSAN( '',:GCODE ,0)"};
    default:
        return {};
    }
}

TStatements Statements(std::int32_t layout, std::int32_t scope, bool department)
{
    switch (layout) {
    case 0:
        return StandardStatements(scope, department);
    case 1:
        return A4Statements(scope, department);
    case 2:
        return A3Statements(scope);
    case 3:
    case 4:
        return SettlementStatements(scope, department);
    default:
        return {};
    }
}

// Blank after leading and trailing blanks and control characters go.
bool Blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// What the statements bind: every parameter a statement names.
struct TBinding {
    std::int32_t tax;
    std::string facility;
    std::string department;
    std::int32_t allocation;
    std::int32_t kind;
};

void Bind(db::Query& query, const char* sql, const TBinding& b)
{
    query.SetSQL(sql);
    for (const std::string& name : query.ParamNames()) {
        db::Param p = query.ParamByName(name);
        if (name == "TAX")
            p.SetInteger(b.tax);
        else if (name == "SCODE" || name == "GCODE")
            p.SetString(b.facility);
        else if (name == "BCODE")
            p.SetString(b.department);
        else if (name == "HAIBUN")
            p.SetInteger(b.allocation);
        else if (name == "JIGYOU")
            p.SetInteger(b.kind);
    }
}

// Before the earlier years come in: account "9301" of data starting with
// the year keeps its first period's balance as that period's change, and
// the periods before the data's start month (index 0, this year's opening,
// at least) are emptied of the row and of its sub-accounts.
void ClearBeforeStart(std::span<TBALANCE> rows, int last)
{
    const int n = MonthToPeriodNo(AccInf.KAISINO - 1);
    for (int i = 0; i <= last; ++i) {
        TBALANCE& row = rows[static_cast<std::size_t>(i)];
        if (AccInf.KAISINO == 1 && row.KMK.KCODE == "9301")
            row.PeriodChange[1] = row.PeriodBalance[1];
        for (int p = 0; p < n; ++p) {
            row.PeriodChange[p] = 0;
            row.PeriodBalance[p] = 0;
            for (THOJOUTIWAKE& sub : row.Hojo) {
                sub.PeriodChange[p] = 0;
                sub.PeriodBalance[p] = 0;
            }
        }
    }
}

// The expense class of each profit-and-loss account row.
void ReadExpenseClasses(db::Query& query, std::span<TBALANCE> rows, int last)
{
    query.SetSQL("SELECT KCODE,KEIHKUBU FROM KAMOKUMST WHERE BPFLG='P'");
    for (query.Open(); !query.Eof(); query.Next()) {
        const std::string kcode = query.FieldByName("KCODE").AsString();
        for (int i = FirstAccountRowMedical; i <= last; ++i) {
            TBALANCE& row = rows[static_cast<std::size_t>(i)];
            if (row.KMK.KCODE == kcode) {
                row.KMK.KEIHKUBU = query.FieldByName("KEIHKUBU").AsString();
                break;
            }
        }
    }
    query.Close();
}

}  // namespace

bool LoadBalancesMedical(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                         const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                         std::int32_t Layout, std::int32_t HAIBUN, std::int32_t businessKind, std::int32_t KESKUBUN,
                         std::int32_t carryOver)
{
    if (!LoadTrialBalanceMedical(Rows, RowsHigh, Order, OrderHigh, SCODE, BCODE, TAX, Scope, Layout, KESKUBUN, HAIBUN,
                                 businessKind))
        return false;
    ClearBeforeStart(Rows, RowsHigh);
    db::Transaction& snapshot = DM->IBTransactionDATSS;
    try {
        const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", true);
        if (!query)
            throw std::runtime_error("no query on the company data");
        // The previous year's tax mode as the accounting information read it
        // at opening: KURIKOSI1 where the data has the column, which no
        // update of these data adds, else the data's own tax mode. Asking
        // the column itself would fail on every such database.
        TBinding binding{carryOver == 1 ? AccInf.YearTaxModes[1] : TAX, SCODE, BCODE, HAIBUN, businessKind};
        ReadExpenseClasses(*query, Rows, RowsHigh);

        if (Scope == 6) {
            // The facility x department accumulation reads its earlier
            // years and budgets pair by pair itself.
            TTrialBalanceContext load(Rows, RowsHigh, Order, OrderHigh);
            load.BCODE = BCODE;
            load.TAX = binding.tax;
            load.Scope = Scope;
            load.Layout = Layout;
            load.KESKUBUN = KESKUBUN;
            load.HAIBUN = HAIBUN;
            load.ZENTAX = -1;
            AccumulateBalances(Rows, RowsHigh, Order, OrderHigh, FacilityDepartmentSetting(load));
        }
        const TStatements statements = Statements(Layout, Scope, !Blank(BCODE));
        // The A3 layout of the whole data names the facility but reads every
        // one.
        if (Layout == 2 && Scope == 0)
            binding.facility.clear();
        std::vector<std::string> departments{BCODE};
        if (Scope == 4 && (statements.years || statements.budgets))
            departments = FacilityGroupDepartments(*query, BCODE, SCODE);
        const TMedicalReadSetting setting{Rows, RowsHigh, Layout, businessKind};
        // Cleared once: the departments of a group add their openings
        // into the same rows.
        if (statements.years)
            ClearOpeningsForEarlierYears(Rows, RowsHigh);
        for (const std::string& department : departments) {
            binding.department = department;
            if (statements.years) {
                Bind(*query, statements.years, binding);
                ReadMedicalEarlierYears(*query, setting);
            }
            if (statements.budgets) {
                Bind(*query, statements.budgets, binding);
                ReadMedicalBudgets(*query, setting);
            }
        }
        // Once, after the last line of every department.
        if (statements.years)
            ShiftShortEarlierYears(Rows, RowsHigh);

        for (int i = TPeriodArray::Low; i <= 16; ++i)
            RollUpMedicalTotals(Rows, RowsHigh, i, businessKind);
        RollUpMedicalOpenings(Rows, RowsHigh);
        RollUpMedicalBudgets(Rows, RowsHigh);
        if (snapshot.InTransaction())
            snapshot.Commit();
        return true;
    } catch (...) {
        snapshot.RollbackQuietly();
        throw;
    }
}
