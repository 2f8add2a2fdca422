#include "calc/engine/TrialBalanceLoad.h"

#include "calc/AccountCodeTables.h"
#include "calc/engine/CalcFront.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/engine/TrialBalanceAccumulation.h"
#include "calc/engine/TrialBalanceRead.h"
#include "calc/engine/TrialBalanceTotals.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"

#include <memory>
#include <string>

namespace {

// The statements of one scope in the three account layouts.
struct ScopeStatements {
    const char* layout0;
    const char* layoutA4;
    const char* layoutA3;
};

constexpr ScopeStatements CompanyStatements{"SELECT * From SP_SISANHYO( :TAX, '' ,'' ) ",
                                            "SELECT * From SP_SISANHYO_A4( :TAX, '' , '' ) ",
                                            "SELECT * From SP_SISANHYO_A3(:TAX, '', '' ) "};
constexpr ScopeStatements DepartmentTotalStatements{"SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE ) ",
                                                    "SELECT * From SP_Sisanhyo_BumonGokei_A4( :TAX, :BCODE ) ",
                                                    "SELECT * From SP_Sisanhyo_BumonGokei_A3( :TAX, :BCODE ) "};
constexpr ScopeStatements BranchGroupStatements{"SELECT * From SP_SISANHYO( :TAX, '' , :SITENGROUP ) ",
                                                "SELECT * From SP_SISANHYO_A4( :TAX, '' ,:SITENGROUP ) ",
                                                "SELECT * From SP_SISANHYO_A3(:TAX, '', :SITENGROUP) "};
constexpr ScopeStatements BranchStatements{"SELECT * From SP_SISANHYO( :TAX, :SCODE ,''  ) ",
                                           "SELECT * From SP_SISANHYO_A4( :TAX, :SCODE , '' ) ",
                                           "SELECT * From SP_SISANHYO_A3(:TAX, :SCODE , '' ) "};
constexpr ScopeStatements DepartmentStatements{"SELECT * From SP_SISANHYO_BUMON(  :TAX, :HAIBUN,  :SCODE, :BCODE ) ",
                                               "SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN, :SCODE, :BCODE ) ",
                                               "SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) "};
constexpr ScopeStatements GroupMemberStatements{"SELECT * FROM SP_SISANHYO_BUMON( :TAX, :HAIBUN,  :SCODE, :BCODE) ",
                                                "SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN,  :SCODE, :BCODE) ",
                                                "SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) "};

const char* ForLayout(const ScopeStatements& statements, std::int32_t layout)
{
    return layout == 0 ? statements.layout0 : layout == 1 ? statements.layoutA4 : statements.layoutA3;
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

void Prepare(TTrialBalanceContext& load, const char* sql)
{
    load.Query->SetSQL(sql);
    load.Query->ParamByName("TAX").SetInteger(load.TAX);
}

// The line names of the fixed-form layouts that a single account in use
// names anyway are blanked, so the line shows the account's own name.
void FixFixedFormNames(TTrialBalanceContext& load)
{
    const bool a4 = load.Layout == 1;
    const std::string table = a4 ? "EXTERA4" : "EXTERA3";
    const std::string column = a4 ? "EXT1_A4" : "EXT1_A3";
    const std::string countMany = a4 ? "COUNT( * )" : "COUNT(*)";
    const std::string first = "UPDATE \"" + table + "\" SET KNAME1='' \r\n" + "WHERE REC IN ( SELECT " + column +
                              " FROM \"KAMOKUMST\" WHERE USE=1 AND " + column + " IN ( SELECT " + column +
                              " FROM \"KAMOKUMST\" GROUP BY " + column + " HAVING  " + countMany + " > 1 )  GROUP BY " +
                              column + "  HAVING  " + countMany + " = 1) AND\r\n" +
                              "KNAME1 IN (SELECT KNAME FROM \"KAMOKUMST\" WHERE USE=1 AND " + column + " IN ( SELECT " +
                              column + " FROM \"KAMOKUMST\" GROUP BY " + column + " HAVING  " + countMany + ">1 ))";
    const std::string second = "UPDATE \"" + table + "\" SET KNAME1='' \r\n" + "WHERE ( REC  IN (SELECT " + column +
                               " FROM \"KAMOKUMST\" WHERE USE=1 AND " + column + " IN (SELECT " + column +
                               " FROM \"KAMOKUMST\" GROUP BY " + column + " HAVING  COUNT( * ) = 1 )) )\r\n" +
                               " AND (KNAME1 IN (SELECT KNAME   FROM \"KAMOKUMST\" WHERE USE=1 AND " + column +
                               " IN (SELECT " + column + " FROM \"KAMOKUMST\" GROUP BY " + column +
                               " HAVING  COUNT( * ) = 1 )) )";
    for (const std::string& sql : {first, second}) {
        load.Query->SetSQL(sql);
        load.Query->ExecSQL();
    }
}

// Gives total n's order entry a key, when the arrays hold that row.
void SetTotalKey(TTrialBalanceContext& load, int total, const char* key)
{
    const int index = AccountCodeTables().TotalRow.at(static_cast<std::size_t>(total));
    if (load.HasOrderEntry(index))
        load.OrderEntry(index).Key = key;
}

// Statement kinds 10 and 30 of the settlement layout: the totals' order keys
// and a few names.
void ApplyStatementKind(TTrialBalanceContext& load)
{
    auto row = [&](int total) -> TBALANCE* {
        const int index = AccountCodeTables().TotalRow.at(static_cast<std::size_t>(total));
        return load.HasRow(index) ? &load.Row(index) : nullptr;
    };
    auto key = [&](int total, const char* text) { SetTotalKey(load, total, text); };
    auto regroup = [&](int total, const char* group) {
        if (TBALANCE* r = row(total)) {
            r->KMK.GROUPM1 = group;
            r->KMK.GROUPM2 = group;
            r->KMK.BSPL = "B";
        }
    };
    auto named = [&](int total, const std::string& name) {
        if (TBALANCE* r = row(total))
            r->KMK.KNAME = name;
    };
    if (load.Scope == 10 || load.Scope == 30) {
        static constexpr std::pair<int, const char*> keys[] = {
            {5, "110/"},  {6, "140/"},  {7, "160/"},  {8, "170/"},  {9, "140-"},  {10, "180/"}, {12, "210/"},
            {13, "220/"}, {14, "230/"}, {23, "310/"}, {19, "320/"}, {18, "322/"}, {22, "330/"}, {21, "332/"},
            {24, "350/"}, {25, "360/"}, {28, "410/"}, {30, "510/"}, {31, "551/"}, {32, "560/"}, {46, "565/"},
            {33, "570/"}, {37, "610/"}, {39, "710/"}, {40, "720/"}, {42, "810/"}, {43, "820/"}};
        for (const auto& [total, text] : keys)
            key(total, text);
        if (TBALANCE* r19 = row(19))
            named(18, "その他" + r19->KMK.KNAME);
        regroup(18, "3270");
        if (TBALANCE* r22 = row(22))
            named(21, "その他" + r22->KMK.KNAME);
        regroup(21, "3330");
        regroup(25, "3680");
        named(31, "【" + AccInf.GENKA_HWORD3 + "】");
        named(32, "【" + AccInf.GENKA_HWORD4 + "】");
        named(46, "【" + AccInf.GENKA_HWORD6 + "】");
        named(33, "【" + AccInf.GENKA_HWORD5 + "】");
    } else if (load.Scope == 20) {
        // TotalNames holds the groups "5880", "5580", "5680", "5780", "5790".
        named(31, AccInf.TotalNames[1]);
        named(32, AccInf.TotalNames[2]);
        named(33, AccInf.TotalNames[3]);
        named(46, AccInf.TotalName5688);
        key(25, "3680");
        regroup(25, "3680");
    }
}

// Runs the statements of the scope and layout; the last row filled.
int ReadScope(TTrialBalanceContext& load)
{
    int last = FirstAccountRowGeneral - 1;
    const bool notesOffset = load.KESKUBUN == 3;
    if (load.Layout == 4) {
        Prepare(load, "SELECT * FROM SP_SISANHYO_KESSAN( :TAX , :ZENTAX ) ");
        load.Query->ParamByName("ZENTAX").SetInteger(load.ZENTAX > 0 ? 1 : -1);
        last = ReadTrialBalanceRows(load, true, false);
        ApplyStatementKind(load);
        return last;
    }
    if (load.Layout < 0 || load.Layout > 2)
        return last;
    if (load.Layout == 0) {
        // Row 29 is the manufacturing cost's copy; the cost-of-sales total
        // follows the accounts of "5881"; without cost accounting the
        // manufacturing cost is not shown.
        SetTotalKey(load, 29, LastOrderKey);
        SetTotalKey(load, 30, "5882");
        if (AccInf.GENKA_USE == 0)
            SetTotalKey(load, 35, LastOrderKey);
    } else {
        FixFixedFormNames(load);
    }
    const bool offset = load.Layout == 0 && notesOffset;
    switch (load.Scope) {
    case 0:
        if (Blank(load.BCODE)) {
            Prepare(load, ForLayout(CompanyStatements, load.Layout));
            return ReadTrialBalanceRows(load, false, offset);
        }
        Prepare(load, ForLayout(DepartmentTotalStatements, load.Layout));
        load.Query->ParamByName("BCODE").SetString(load.BCODE);
        return ReadTrialBalanceRows(load, false, false);
    case 1:
        Prepare(load, ForLayout(BranchGroupStatements, load.Layout));
        load.Query->ParamByName("SITENGROUP").SetString(load.SCODE);
        return ReadTrialBalanceRows(load, false, offset);
    case 2:
        Prepare(load, ForLayout(BranchStatements, load.Layout));
        load.Query->ParamByName("SCODE").SetString(load.SCODE);
        return ReadTrialBalanceRows(load, false, offset);
    case 3:
        Prepare(load, ForLayout(DepartmentStatements, load.Layout));
        load.Query->ParamByName("SCODE").SetString(load.SCODE);
        load.Query->ParamByName("BCODE").SetString(load.BCODE);
        load.Query->ParamByName("HAIBUN").SetInteger(load.HAIBUN);
        return ReadTrialBalanceRows(load, false, offset);
    case 4:
        ListGroupDepartments(load);
        for (const std::string& member : load.Departments) {
            Prepare(load, ForLayout(GroupMemberStatements, load.Layout));
            load.Query->ParamByName("SCODE").SetString(load.SCODE);
            load.Query->ParamByName("BCODE").SetString(member);
            load.Query->ParamByName("HAIBUN").SetInteger(load.HAIBUN);
            last = ReadTrialBalanceRows(load, false, offset);
        }
        return last;
    case 6:
        return AccumulateTrialBalance(load.Rows, load.RowsHigh, load.Order, load.OrderHigh,
                                      FacilityDepartmentSetting(load));
    default:
        return last;
    }
}

}  // namespace

bool LoadTrialBalanceGeneral(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                             const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                             std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN, std::int32_t ZENTAX)
{
    TTrialBalanceContext load(Rows, RowsHigh, Order, OrderHigh);
    load.SCODE = SCODE;
    load.BCODE = BCODE;
    load.TAX = TAX;
    load.Scope = Scope;
    load.Layout = Layout;
    load.KESKUBUN = KESKUBUN;
    load.HAIBUN = HAIBUN;
    load.ZENTAX = ZENTAX;
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
        InitBalanceRows(Rows, RowsHigh, Order, OrderHigh);
        SetupTotalRows(load, Scope == 3 || Scope == 4);
        const int last = ReadScope(load);
        QuickSortStrInt(Order, 0, std::min(last, OrderHigh));
        snapshot.Commit();
        return true;
    } catch (const db::FbError& error) {
        snapshot.RollbackQuietly();
        ShowFBError(error, TrialBalanceErrorTitle);
        return false;
    } catch (const TTrialBalanceError& error) {
        snapshot.RollbackQuietly();
        ShowCommaMessage(std::string(TrialBalanceErrorTitle) + "," + error.what(), TMsgDlgType::mtError);
        return false;
    } catch (...) {
        snapshot.RollbackQuietly();
        throw;
    }
}
