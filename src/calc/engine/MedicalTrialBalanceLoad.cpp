#include "calc/engine/MedicalTrialBalanceLoad.h"

#include "calc/engine/CalcFront.h"
#include "calc/engine/MedicalTotals.h"
#include "calc/engine/TrialBalanceAccumulation.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/engine/TrialBalanceLoad.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "foundation/AccRegStore.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/StringUtils.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

struct MedicalLoad {
    TTrialBalanceContext& load;
    std::int32_t businessKind;
};

// Blank after leading and trailing blanks and control characters go.
bool Blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

void HideKey(TTrialBalanceContext& load, int position)
{
    if (load.HasOrderEntry(position))
        load.OrderEntry(position).Key = LastOrderKey;
}

bool KeyShown(TTrialBalanceContext& load, int position)
{
    return load.HasOrderEntry(position) && load.OrderEntry(position).Key != LastOrderKey;
}

// The business kind of a facility; 0 when it has no row.
std::int32_t FacilityKind(TTrialBalanceContext& load)
{
    db::Query& q = *load.Query;
    q.SetSQL("SELECT MB_JIGYOU FROM SISETUMST WHERE SCODE=:SCODE");
    q.ParamByName("SCODE").SetString(load.SCODE);
    q.Open();
    const std::int32_t kind = q.Eof() ? 0 : q.FieldByName("MB_JIGYOU").AsInteger();
    q.Close();
    return kind;
}

// Whether any facility (of the group SCODE when grouped) has the kind.
bool KindInUse(TTrialBalanceContext& load, std::int32_t kind, bool grouped)
{
    db::Query& q = *load.Query;
    if (grouped) {
        q.SetSQL(
            "SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=:KIND AND (SCODE IN ( SELECT G.SCODE FROM "
            "SISETUGROUPLIST G WHERE G.GCODE=:GCODE ))");
        q.ParamByName("GCODE").SetString(load.SCODE);
    } else {
        q.SetSQL("SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=:KIND");
    }
    q.ParamByName("KIND").SetInteger(kind);
    q.Open();
    const bool used = !q.Eof() && q.FieldByName("COUNT").AsInteger() > 0;
    q.Close();
    return used;
}

// The keys of the kind totals 26, 28, 30, 31 follow the facilities' kinds;
// their sum 32 is shown only beside at least two of them.
void KindTotalKeys(TTrialBalanceContext& load, bool grouped)
{
    static constexpr std::pair<int, std::int32_t> kinds[] = {{26, 8}, {28, 4}, {30, 2}, {31, 1}};
    int shown = 0;
    for (const auto& [position, kind] : kinds) {
        if (!KindInUse(load, kind, grouped))
            HideKey(load, position);
        if (KeyShown(load, position))
            ++shown;
    }
    if (shown < 2)
        HideKey(load, 32);
}

// The departments of the group BCODE that belong to the facility SCODE.
void ListFacilityGroupDepartments(TTrialBalanceContext& load)
{
    load.Departments = FacilityGroupDepartments(*load.Query, load.BCODE, load.SCODE);
}

void SetupMedicalTotalRows(TTrialBalanceContext& load, std::int32_t kind, std::int32_t selector, bool hide)
{
    const int bit = kind == 1 || kind == 2 || kind == 4 || kind == 8 ? kind : 16;
    const bool corporationKind = GetHoujinGaiyouKind();
    const bool fund = GetHoujinGaiyouKikin();
    const bool allKinds = kind == 0 || kind == 255;
    db::Query& q = *load.Query;
    // The bit is one of five fixed values, never text from input.
    q.SetSQL(bit == 16 ? std::string("SELECT * FROM ACCTOTALNAME WHERE 16=BIN_AND( MB_JIGYOU,16 ) ORDER BY KGROUP")
                       : "SELECT * FROM ACCTOTALNAME WHERE " + std::to_string(bit) + "=BIN_AND( MB_JIGYOU, " +
                             std::to_string(bit) + " ) ORDER BY KGROUP");
    for (q.Open(); !q.Eof(); q.Next()) {
        const int p = q.FieldByName("ARRAYNUM").AsInteger();
        // A record that names no total position must not overwrite an
        // account row.
        if (p < 1 || p > MedicalLastTotal || !load.HasRow(p))
            continue;
        TBALANCE& row = load.Row(p);
        const std::string group = q.FieldByName("KGROUP").AsString();
        row.KMK.GROUPM1 = row.KMK.GROUPM2 = row.KMK.GroupCode3 = row.KMK.GroupCode4 = group;
        row.KMK.KCODE.clear();
        row.KMK.KNAME = q.FieldByName("PLUSNAME").AsString();
        const std::int32_t keskubun = q.FieldByName("KESKUBUN").AsInteger();
        if (keskubun == 0 || keskubun == selector) {
            row.KMK.BSPL = group < "4000" ? "B" : "P";
            if (load.HasOrderEntry(p))
                load.OrderEntry(p) = TQSORT{group, p};
            if (allKinds && group != "4180") {
                ReplaceAll(row.KMK.KNAME, "医業", "事業");
                ReplaceAll(row.KMK.KNAME, "臨時", "特別");
                if (group == "4480")
                    row.KMK.KNAME = "その他事業収益合計";
            }
        }
        if (group == "3180")
            row.KMK.KNAME = corporationKind ? "出資金合計" : fund ? "基金合計" : "出資金合計";
        else if (group == "3800")
            row.KMK.KNAME = "純資産の部合計";
        else if (group == "3900")
            row.KMK.KNAME = "負債純資産の部合計";
        else if (group == "1108")
            row.KMK.KNAME = "現金及び預金";
    }
    q.Close();
    if (selector == 2)
        HideKey(load, 1);
    static constexpr std::pair<int, const char*> fixedCodes[] = {{18, "3460"}, {32, "4800"}, {39, "6780"}};
    for (const auto& [p, code] : fixedCodes) {
        if (!load.HasRow(p))
            continue;
        TKMKREC& k = load.Row(p).KMK;
        k.GROUPM1 = code;
        if (p != 39)
            k.GroupCode3 = code;
    }
    if (hide) {
        for (int p = 46; p <= 53 && load.HasRow(p); ++p) {
            HideKey(load, p);
            TKMKREC& k = load.Row(p).KMK;
            k.GROUPM1.clear();
            k.GROUPM2.clear();
            k.KNAME.clear();
        }
    }
}

// Reads one result into the rows from position 61 on; the last position.
int ReadMedicalRows(MedicalLoad& m)
{
    TTrialBalanceContext& load = m.load;
    const bool corporationKind = GetHoujinGaiyouKind();
    const bool fund = GetHoujinGaiyouKikin();
    const int side = MedicalSide(m.businessKind);
    db::Query& q = *load.Query;
    int position = FirstAccountRowMedical - 1;
    q.Open();
    std::optional<TTrialBalanceColumns> columns;
    while (!q.Eof()) {
        if (!columns)
            columns.emplace(q);
        ++position;
        // Position High stays free; an account beyond it would be lost, and
        // a trial balance without it would be wrong.
        if (position >= load.RowsHigh || position > load.OrderHigh)
            throw TTrialBalanceError(
                "科目数が集計できる上限（" +
                std::to_string(std::min(load.RowsHigh, load.OrderHigh + 1) - FirstAccountRowMedical) +
                "科目）を超えています。");
        TBALANCE& row = load.Row(position);
        TKMKREC& k = row.KMK;
        if (load.Layout == 3 || load.Layout == 4) {
            k.GROUPM1 = k.GROUPM2 = k.GroupCode3 = k.GroupCode4 = q.FieldByName("GROUPM3").AsString();
        } else if (ValidBusinessKind(m.businessKind)) {
            const char* first = side == 1 ? "GROUPM1" : "GROUPR1";
            const char* second = side == 1 ? "GROUPM2" : "GROUPR2";
            k.GROUPM1 = k.GroupCode3 = q.FieldByName(first).AsString();
            k.GROUPM2 = k.GroupCode4 = q.FieldByName(second).AsString();
        }
        k.USERCODE = q.FieldByName("USERCODE").AsString();
        k.KCODE = q.FieldByName("KCODE").AsString();
        k.KNAME = q.FieldByName("KNAME").AsString();
        k.BSPL = q.FieldByName("BSPL").AsString();
        k.TAISHAKU = q.FieldByName("TAISHAKU").AsInteger();
        if (k.GROUPM1 == "3110" && !corporationKind && k.KNAME == "資本金")
            k.KNAME = fund ? "基金" : "出資金";
        int subAccounts = 0;
        if (load.Layout == 0) {
            subAccounts = q.FieldByName("HOJCNT").AsInteger();
        } else if (load.Layout >= 1 && load.Layout <= 4) {
            row.MSTREC = q.FieldByName("MSTREC").AsInteger();
            row.SUBREC = q.FieldByName("SUBREC").AsInteger();
        }
        AddTrialBalancePeriods(row, q, *columns, k.TAISHAKU);
        const std::string key =
            load.Layout == 0 ? k.GROUPM1 + FixLenStrL(k.USERCODE, 4) : TwoDigits(k.GROUPM2, row.SUBREC);
        load.OrderEntry(position) = TQSORT{key, position};
        q.Next();
        if (load.Layout == 0 && subAccounts >= 1)
            ReadTrialBalanceSubAccounts(q, *columns, row, subAccounts);
    }
    q.Close();
    return position;
}

// The statement of the layout and scope; nullptr when there is none.
const char* Statement(const TTrialBalanceContext& load)
{
    const bool department = !Blank(load.BCODE);
    switch (load.Layout) {
    case 0:
        switch (load.Scope) {
        case 0:
            return department ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, 0 )"
                              : "SELECT * From SP_SISANHYO( '' ,:TAX,0 )";
        case 1:
            return department ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, :JIGYOU )"
                              : "SELECT * From SP_SISANHYO( '' ,:TAX ,:JIGYOU )";
        case 2:
            return "SELECT * From SP_SISANHYO_SISETU( :SCODE, :TAX )";
        case 3:
        case 4:
            return "SELECT * From SP_SISANHYO_BUMON( :SCODE, :BCODE ,:TAX, :HAIBUN )";
        case 5:
            return "SELECT * FROM SP_SISANHYO_GROUP( :GCODE ,:TAX)";
        default:
            return nullptr;
        }
    case 1:
    case 2: {
        const bool a4 = load.Layout == 1;
        switch (load.Scope) {
        case 1:
            if (department)
                return a4 ? "SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A4( :TAX, :BCODE, :JIGYOU )"
                          : "SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A3( :TAX, :BCODE, :JIGYOU )";
            return a4 ? "SELECT * From SP_SISANHYO_A4( '' , :TAX, :JIGYOU )"
                      : "SELECT * From SP_SISANHYO_A3( '' ,:TAX,:JIGYOU  )";
        case 2:
            return a4 ? "SELECT * From SP_SISANHYO_A4( :SCODE, :TAX ,0 )"
                      : "SELECT * From SP_SISANHYO_A3( :SCODE, :TAX, 0 )";
        case 3:
        case 4:
            return a4 ? "SELECT * From SP_SISANHYO_BUMON_A4( :SCODE, :BCODE ,:TAX, :HAIBUN )"
                      : "SELECT * From SP_SISANHYO_BUMON_A3( :SCODE, :BCODE ,:TAX, :HAIBUN )";
        default:
            return nullptr;
        }
    }
    case 3:
        switch (load.Scope) {
        case 0:
            return department ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI_KS( :TAX ,:BCODE )"
                              : "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX , 0, 0)";
        case 1:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX ,:JIGYOU, 0)";
        case 2:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE, '', :TAX ,0, 0)";
        case 5:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :GCODE ,:TAX ,0, 0)";
        default:
            return nullptr;
        }
    case 4:
        switch (load.Scope) {
        case 0:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','',:TAX ,0 ,0 )";
        case 1:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE,:TAX ,:JIGYOU , 1 )";
        case 2:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE,'' ,:TAX ,0, 1 )";
        case 5:
            return "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE ,:TAX ,0, 1)";
        default:
            return nullptr;
        }
    default:
        return nullptr;
    }
}

// Prepares the statement and binds the parameters it names.
void Prepare(MedicalLoad& m, const char* sql, const std::string& department)
{
    TTrialBalanceContext& load = m.load;
    const std::string text = sql;
    db::Query& q = *load.Query;
    q.SetSQL(text);
    q.ParamByName("TAX").SetInteger(load.TAX);
    if (text.find(":BCODE") != std::string::npos)
        q.ParamByName("BCODE").SetString(department);
    if (text.find(":SCODE") != std::string::npos)
        q.ParamByName("SCODE").SetString(load.SCODE);
    if (text.find(":GCODE") != std::string::npos)
        q.ParamByName("GCODE").SetString(load.SCODE);
    if (text.find(":HAIBUN") != std::string::npos)
        q.ParamByName("HAIBUN").SetInteger(load.HAIBUN);
    if (text.find(":JIGYOU") != std::string::npos)
        q.ParamByName("JIGYOU").SetInteger(m.businessKind);
}

int ReadScope(MedicalLoad& m)
{
    TTrialBalanceContext& load = m.load;
    if (load.Scope == 6) {
        TCalcSisanhyoSettingRec setting = FacilityDepartmentSetting(load);
        setting.ZENTAX = -1;
        return AccumulateTrialBalance(load.Rows, load.RowsHigh, load.Order, load.OrderHigh, setting);
    }
    const char* sql = Statement(load);
    if (!sql)
        return FirstAccountRowMedical - 1;
    if (load.Scope == 4 && load.Layout <= 2) {
        int last = FirstAccountRowMedical - 1;
        ListFacilityGroupDepartments(load);
        for (const std::string& department : load.Departments) {
            Prepare(m, sql, department);
            last = ReadMedicalRows(m);
        }
        return last;
    }
    Prepare(m, sql, load.BCODE);
    return ReadMedicalRows(m);
}

void SetupTotals(MedicalLoad& m)
{
    TTrialBalanceContext& load = m.load;
    const bool standardWhole = load.Layout == 0 && (load.Scope == 0 || load.Scope == 5 || load.Scope == 6);
    if (load.Layout == 3 || standardWhole) {
        const bool hide = load.Layout == 0 && (load.Scope == 6 || (load.Scope == 0 && !Blank(load.BCODE)));
        SetupMedicalTotalRows(load, 0, 2, hide);
        KindTotalKeys(load, load.Scope == 5);
    } else if (load.Layout == 4) {
        SetupMedicalTotalRows(load, 0, 2, false);
        KindTotalKeys(load, false);
    } else {
        if (m.businessKind == 0)
            m.businessKind = FacilityKind(load);
        SetupMedicalTotalRows(load, m.businessKind, load.KESKUBUN, load.Scope == 3 || load.Scope == 4);
    }
}

}  // namespace

std::vector<std::string> FacilityGroupDepartments(db::Query& query, const std::string& group,
                                                  const std::string& facility)
{
    query.SetSQL(
        "SELECT BCODE FROM GROUPLIST WHERE GCODE=:GCODE AND ( BCODE IN (SELECT BCODE FROM SISETUBUM WHERE "
        "SCODE=:SCODE))");
    query.ParamByName("GCODE").SetString(group);
    query.ParamByName("SCODE").SetString(facility);
    std::vector<std::string> departments;
    for (query.Open(); !query.Eof(); query.Next())
        departments.push_back(query.FieldByName("BCODE").AsString());
    query.Close();
    return departments;
}

bool LoadTrialBalanceMedical(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                             const std::string& SCODE, const std::string& BCODE, std::int32_t TAX, std::int32_t Scope,
                             std::int32_t Layout, std::int32_t KESKUBUN, std::int32_t HAIBUN, std::int32_t businessKind)
{
    TTrialBalanceContext load(Rows, RowsHigh, Order, OrderHigh);
    load.SCODE = SCODE;
    load.BCODE = BCODE;
    load.TAX = TAX;
    load.Scope = Scope;
    load.Layout = Layout;
    load.KESKUBUN = KESKUBUN;
    load.HAIBUN = HAIBUN;
    MedicalLoad m{load, businessKind};
    if (!DM)
        throw TTrialBalanceError("データモジュールがありません。");
    db::Transaction& snapshot = DM->IBTransactionDATSS;
    try {
        InitBalanceRows(Rows, RowsHigh, Order, OrderHigh);
        if (snapshot.InTransaction())
            snapshot.Commit();
        snapshot.Start();
        const std::unique_ptr<db::Query> query = CreateAccQuery("ACCDAT", true);
        if (!query)
            throw TTrialBalanceError("会社データの問合せを作れません。");
        load.Query = query.get();
        SetupTotals(m);
        const int last = ReadScope(m);
        if (Layout == 4)
            for (int i = 0; i <= 16; ++i)
                RollUpMedicalTotals(Rows, RowsHigh, i, m.businessKind);
        if (Layout != 1 && Layout != 2)
            HideKey(load, 17);
        QuickSortStrInt(Order, 1, std::min(last, OrderHigh));
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
