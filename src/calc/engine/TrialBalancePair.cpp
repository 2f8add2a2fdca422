#include "calc/engine/TrialBalancePair.h"

#include "calc/engine/AccumulationConditions.h"
#include "calc/engine/AccumulationStatements.h"
#include "calc/engine/AllocationPasses.h"
#include "calc/engine/SettlementRegrouping.h"
#include "calc/engine/TrialBalanceContext.h"
#include "calc/engine/TrialBalanceRecord.h"
#include "foundation/AccInf.h"
#include "foundation/StringUtils.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr const char* CommonDepartment = "00";

// The debits and credits of periods 1 to 16 (index 0 unused).
struct TPeriodFigures {
    std::array<Currency, 17> Debit{};
    std::array<Currency, 17> Credit{};

    bool Empty() const
    {
        return std::all_of(Debit.begin(), Debit.end(), [](Currency c) { return c == 0; }) &&
               std::all_of(Credit.begin(), Credit.end(), [](Currency c) { return c == 0; });
    }
};

const char* const PeriodSums =
    "SELECT MNUM,SUM(KAR_NUK) AS SUM_KARI_NUKI,SUM(KAR_TAX) AS SUM_KARI_TAX,SUM(KAS_NUK) AS SUM_KASI_NUKI,"
    "SUM(KAS_TAX) AS SUM_KASI_TAX,\r\n"
    "SUM(KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(KAS_IKKATSU) AS SUM_KASI_IKKATSU\r\n"
    "FROM KAMOKU_MS";
const char* const OpeningSums = "SELECT SUM(KISHU_KOMI) AS SUM_KOMI,SUM(KISHU_NUKI) AS SUM_NUKI\r\nFROM KAMOKU_SZ";

// The period's debit and credit of one record of the period sums (or of
// the sub-account statement, which has the same columns), by tax mode.
void TakePeriod(const db::Query& q, std::int32_t tax, TPeriodFigures& figures)
{
    const int mnum = q.FieldByName("MNUM").AsInteger();
    if (mnum < 1 || mnum > 16)
        return;
    const auto sum = [&](const char* name) { return q.FieldByName(name).AsCurrency(); };
    if (tax == 1) {
        figures.Debit[mnum] = sum("SUM_KARI_NUKI") - sum("SUM_KARI_IKKATSU");
        figures.Credit[mnum] = sum("SUM_KASI_NUKI") - sum("SUM_KASI_IKKATSU");
    } else {
        figures.Debit[mnum] = sum("SUM_KARI_NUKI") + sum("SUM_KARI_TAX");
        figures.Credit[mnum] = sum("SUM_KASI_NUKI") + sum("SUM_KASI_TAX");
    }
}

TPeriodFigures ReadPeriods(db::Query& q, std::int32_t tax)
{
    TPeriodFigures figures;
    q.Open();
    for (; !q.Eof(); q.Next())
        TakePeriod(q, tax, figures);
    q.Close();
    return figures;
}

Currency ReadOpening(db::Query& q, std::int32_t tax)
{
    q.Open();
    const Currency opening = q.FieldByName(tax == 1 ? "SUM_NUKI" : "SUM_KOMI").AsCurrency();
    q.Close();
    return opening;
}

void AddWeighted(TPeriodFigures& figures, const TPeriodFigures& common, const TAllocationRatios& ratios)
{
    for (int p = 1; p <= 16; ++p) {
        figures.Debit[p] += WeightedShare(common.Debit[p], ratios[p]);
        figures.Credit[p] += WeightedShare(common.Credit[p], ratios[p]);
    }
}

void Weigh(TPeriodFigures& figures, const TAllocationRatios& ratios)
{
    TPeriodFigures own = figures;
    figures = TPeriodFigures{};
    AddWeighted(figures, own, ratios);
}

// The opening's ratio: the one numbered KAISINO.
double OpeningRatio(const TAllocationRatios& ratios)
{
    return AccInf.KAISINO >= 1 && AccInf.KAISINO <= 16 ? ratios[static_cast<std::size_t>(AccInf.KAISINO)] : 0.0;
}

// Adds an opening and period figures into a row or a sub-account and
// derives its opening copies, changes and running balances.
template <typename Row>
void AddFigures(Row& row, Currency opening, const TPeriodFigures& figures, std::int32_t taishaku)
{
    row.KAISIZAN += opening;
    row.OpeningByYear[0] = row.KAISIZAN;
    row.OpeningByYear[1] = row.KAISIZAN;
    for (int p = 1; p <= 16; ++p) {
        row.KAR[p] += figures.Debit[static_cast<std::size_t>(p)];
        row.KAS[p] += figures.Credit[static_cast<std::size_t>(p)];
    }
    row.PeriodChange[0] = row.KAISIZAN;
    row.PeriodBalance[0] = row.KAISIZAN;
    for (int p = 1; p <= 16; ++p) {
        row.PeriodChange[p] = SignedMovement(taishaku, row.KAR[p], row.KAS[p]);
        row.PeriodBalance[p] = row.PeriodBalance[p - 1] + row.PeriodChange[p];
    }
}

class TPairBuilder final {
public:
    TPairBuilder(TTrialBalanceContext& rows, const TCalcSisanhyoSettingRec& setting, bool firstPass)
        : rows_(rows),
          setting_(setting),
          firstPass_(firstPass),
          first_(AccInf.DATATYPE == 3 ? FirstAccountRowMedical : FirstAccountRowGeneral),
          last_(first_ - 1)
    {}

    int Run()
    {
        {
            const std::unique_ptr<db::Query> lists = AccumulationStatement();
            conditions_ = BuildPairConditions(setting_, *lists);
        }
        pair_ = conditions_.Pair();
        facility_ = conditions_.Facility.Text();
        db::Query& main = statements_.Prepare(MainStatement());
        main.Open();
        for (; !main.Eof(); main.Next())
            Record(main);
        main.Close();
        return last_;
    }

private:
    bool Allocating() const { return setting_.HAIBUN == 1; }
    bool CommonPass() const { return setting_.BCODE == CommonDepartment; }
    bool Settlement() const { return setting_.Layout == 3 || setting_.Layout == 4; }

    std::string MainStatement() const
    {
        const bool medical = AccInf.DATATYPE == 3;
        const char* const accountColumns = ",KM.KCODE,KM.USERCODE,KM.KNAME,KM.BPFLG,KM.DAC";
        std::string sql;
        if (setting_.Layout == 0) {
            // Medical-corporation accounts keep no third group of their own:
            // their settlement grouping is the first one.
            AddLine(sql, "SELECT DISTINCT KM.GROUPM1,KM.GROUPM2");
            AddLine(sql, medical ? ",KM.GROUPR1,KM.GROUPR2,KM.GROUPM1 AS GROUPM3"
                                 : ",GROUPM1 AS GROUPR1,GROUPM2 AS GROUPR2,GROUPM1 AS GROUPM3");
            AddLine(sql, accountColumns);
            AddLine(sql, "FROM  KAMOKU_SZ MAIN");
            AddLine(sql, "INNER JOIN SISETUMST SM ON(MAIN.SCODE=SM.SCODE)");
            AddLine(sql, "INNER JOIN BUMONMST  BM ON(MAIN.BCODE=BM.BCODE)");
            AddLine(sql, "INNER JOIN KAMOKUMST KM ON(MAIN.KCODE=KM.KCODE)");
            AddLine(sql, "INNER JOIN HOJOMST   HM ON(MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)");
            AddConditionLine(sql, "WHERE ", conditions_.Facility.Text("MAIN."));
            AddLine(sql, "ORDER BY KM.GROUPM1,KM.USERCODE");
            return sql;
        }
        const char* alias = setting_.Layout == 1 ? "A4" : setting_.Layout == 2 ? "A3" : "KS";
        const char* table = setting_.Layout == 1 ? "EXTERA4" : setting_.Layout == 2 ? "EXTERA3" : "EXTERKS";
        const std::string a = alias;
        AddLine(sql, "SELECT " + a + ".REC," + a + ".KGROUP," + a + ".SUBREC," + a + ".KNAME1,KM.GROUPM1,KM.GROUPM2");
        AddLine(sql, medical ? ",KM.GROUPM2,KM.GROUPR1,KM.GROUPR2,KM.GROUPM1 AS GROUPM3"
                             : ",KM.GROUPM1 AS GROUPR1,KM.GROUPM2 AS GROUPR2,KM.GROUPM1 AS GROUPM3");
        AddLine(sql, std::string(accountColumns) + (Settlement() ? ",KM.BLDAC" : ""));
        AddLine(sql, "FROM " + std::string(table) + " " + a);
        AddLine(sql, "INNER JOIN KAMOKUMST KM ON (" + a + ".REC=KM.EXT1_" + (Settlement() ? "KS" : a) + ")");
        if (Settlement())
            AddLine(sql, "WHERE (KM.USE>0)");
        AddLine(sql, "ORDER BY " + a + ".KGROUP," + a + ".SUBREC,KM.USERCODE");
        return sql;
    }

    void Record(const db::Query& m)
    {
        const std::string kcode = m.FieldByName("KCODE").AsString();
        if (m.FieldByName("GROUPM1").AsString() == "9900")
            return;
        if (setting_.Layout != 0 && !HasBalanceRows(kcode))
            return;
        const int index = FindOrMakeRow(m);
        if (index < 0)
            return;
        TBALANCE& row = rows_.Row(index);
        if (firstPass_) {
            row.KMK.BSPL = m.FieldByName("BPFLG").AsString();
            row.KMK.TAISHAKU = m.FieldByName("DAC").AsInteger();
        }
        TAllocationRatios ratios{};
        if (Allocating())
            ratios = ReadRatios(kcode);
        Currency sign = 1;
        if (Settlement()) {
            const std::int32_t dac = m.FieldByName("DAC").AsInteger();
            if ((dac == 2 || dac == 4) && DebitSideAccountsOnLine(row.MSTREC)) {
                row.KMK.TAISHAKU = m.FieldByName("BLDAC").AsInteger();
                sign = -1;
            }
        }
        const Currency opening = AccountOpening(kcode, ratios);
        TPeriodFigures figures = AccountPeriods(kcode, ratios);
        AddTaxOfTaxAccount(kcode, ratios, figures);
        AddFigures(row, sign * opening, figures, row.KMK.TAISHAKU);
        rows_.OrderEntry(index) = TQSORT{OrderKey(row), index};
        if (setting_.Layout == 0)
            SubAccounts(row, kcode, ratios);
    }

    bool HasBalanceRows(const std::string& kcode) { return statements_.HasBalanceRows(kcode, pair_); }

    bool DebitSideAccountsOnLine(std::int32_t mstrec) { return statements_.DebitSideAccountsOnLine(mstrec); }

    // Rows are made ones (a code) from the first account row on; rows past
    // the ones made are empty.
    int FindRow(const std::function<bool(const TBALANCE&)>& match)
    {
        for (int i = first_; i <= rows_.RowsHigh; ++i) {
            const TBALANCE& row = rows_.Row(i);
            if (!row.KMK.KCODE.empty() && match(row))
                return i;
        }
        return -1;
    }

    int NewRow()
    {
        if (last_ + 1 > rows_.RowsHigh || last_ + 1 > rows_.OrderHigh)
            throw TTrialBalanceError("科目数が集計できる上限（" +
                                     std::to_string(std::min(rows_.RowsHigh, rows_.OrderHigh) - (first_ - 1)) +
                                     "科目）を超えています。");
        return ++last_;
    }

    int FindOrMakeRow(const db::Query& m)
    {
        const std::string kcode = m.FieldByName("KCODE").AsString();
        if (setting_.Layout == 0) {
            if (!firstPass_)
                return FindRow([&](const TBALANCE& row) { return row.KMK.KCODE == kcode; });
            const int index = NewRow();
            TBALANCE& row = rows_.Row(index);
            const bool second = AccInf.DATATYPE == 3 && (setting_.MB_JIGYOU == 2 || setting_.MB_JIGYOU == 4);
            const std::string g1 = m.FieldByName(second ? "GROUPR1" : "GROUPM1").AsString();
            const std::string g2 = m.FieldByName(second ? "GROUPR2" : "GROUPM2").AsString();
            row.KMK.GROUPM1 = g1;
            row.KMK.GROUPM2 = g2;
            row.KMK.GroupCode3 = g1;
            row.KMK.GroupCode4 = g2;
            row.KMK.USERCODE = m.FieldByName("USERCODE").AsString();
            row.KMK.KCODE = kcode;
            row.KMK.KNAME = m.FieldByName("KNAME").AsString();
            return index;
        }
        const std::string kgroup = m.FieldByName("KGROUP").AsString();
        const std::int32_t subrec = m.FieldByName("SUBREC").AsInteger();
        int index = FindRow([&](const TBALANCE& row) { return row.KMK.GROUPM2 == kgroup && row.SUBREC == subrec; });
        if (!firstPass_)
            return index;
        const bool shared = index >= 0;
        const std::string kname1 = m.FieldByName("KNAME1").AsString();
        const std::string kname = m.FieldByName("KNAME").AsString();
        if (!shared) {
            index = NewRow();
            TBALANCE& row = rows_.Row(index);
            row.KMK.USERCODE = m.FieldByName("USERCODE").AsString();
            row.KMK.KCODE = kcode;
            row.KMK.KNAME = TrimZen(kname1).empty() ? kname : kname1;
        }
        TBALANCE& row = rows_.Row(index);
        row.MSTREC = m.FieldByName("REC").AsInteger();
        row.SUBREC = subrec;
        row.KMK.GROUPM1 = kgroup;
        row.KMK.GROUPM2 = kgroup;
        if ((!TrimZen(kname1).empty() && kname1 != kname) || shared) {
            row.KMK.USERCODE = "-";
            row.KMK.KCODE = "-";
        }
        return index;
    }

    std::string OrderKey(TBALANCE& row) const
    {
        if (setting_.Layout == 0) {
            const std::string group = row.KMK.GROUPM1 == "5300" ? std::string("5881")
                                      : AccInf.DATATYPE == 3    ? row.KMK.GROUPM1
                                                                : row.KMK.GROUPM2;
            return group + FixLenStrL(row.KMK.USERCODE, 4);
        }
        if (!Settlement())
            return TwoDigits(row.KMK.GROUPM2, row.SUBREC);
        if (AccInf.DATATYPE == 2)
            row.KMK.GROUPM1 =
                RegroupedForIndividual(row.KMK.GROUPM1, row.MSTREC, AccInf.CODETYPE == 3 ? 1 : AccInf.CODETYPE);
        return TwoDigits(row.KMK.GROUPM1, row.SUBREC);
    }

    TAllocationRatios ReadRatios(const std::string& kcode)
    {
        std::string sql =
            "SELECT HAIBUN01*0.01 AS HAIBUN01,HAIBUN02*0.01 AS HAIBUN02,HAIBUN03*0.01 AS HAIBUN03,"
            "HAIBUN04*0.01 AS HAIBUN04,\r\n"
            "       HAIBUN05*0.01 AS HAIBUN05,HAIBUN06*0.01 AS HAIBUN06,HAIBUN07*0.01 AS HAIBUN07,"
            "HAIBUN08*0.01 AS HAIBUN08,\r\n"
            "       HAIBUN09*0.01 AS HAIBUN09,HAIBUN10*0.01 AS HAIBUN10,HAIBUN11*0.01 AS HAIBUN11,"
            "HAIBUN12*0.01 AS HAIBUN12,\r\n"
            "       HAIBUN13*0.01 AS HAIBUN13,HAIBUN14*0.01 AS HAIBUN14,HAIBUN15*0.01 AS HAIBUN15,"
            "HAIBUN16*0.01 AS HAIBUN16\r\n"
            "FROM KAMOKU_SZ\r\n"
            "WHERE (KCODE=:KCODE) AND (HCODE=:HCODE)";
        AddConditionLine(sql, " AND ", pair_);
        db::Query& q = statements_.Prepare(sql, {{"KCODE", kcode}, {"HCODE", " "}});
        TAllocationRatios ratios{};
        q.Open();
        for (; !q.Eof(); q.Next())
            for (int p = 1; p <= 16; ++p)
                ratios[static_cast<std::size_t>(p)] = q.FieldByName(TwoDigits("HAIBUN", p)).AsDouble();
        q.Close();
        return ratios;
    }

    // The opening of the pair's own rows (KISHU_KOMI or KISHU_NUKI), and
    // of the common department's of the facility, both for the account or
    // for one of its sub-accounts.
    Currency OwnOpening(const std::string& kcode, const std::string* hcode)
    {
        std::string sql = std::string(OpeningSums) + "\r\nWHERE (KCODE=:KCODE)" + (hcode ? " AND (HCODE=:HCODE)" : "");
        AddConditionLine(sql, " AND ", pair_);
        return ReadOpening(statements_.Prepare(sql, {{"KCODE", kcode}, {"HCODE", hcode ? *hcode : ""}}), setting_.TAX);
    }

    Currency CommonOpening(const std::string& kcode, const std::string* hcode)
    {
        std::string sql = std::string(OpeningSums) + "\r\nWHERE (BCODE=:BCODE) AND (KCODE=:KCODE)" +
                          (hcode ? " AND (HCODE=:HCODE)" : "");
        AddConditionLine(sql, "AND ", facility_);
        return ReadOpening(
            statements_.Prepare(sql, {{"BCODE", CommonDepartment}, {"KCODE", kcode}, {"HCODE", hcode ? *hcode : ""}}),
            setting_.TAX);
    }

    TPeriodFigures OwnPeriods(const std::string& kcode)
    {
        std::string sql = std::string(PeriodSums) + "\r\nWHERE (KCODE=:KCODE)";
        AddConditionLine(sql, " AND ", pair_);
        AddLine(sql, "GROUP BY MNUM");
        AddLine(sql, "ORDER BY MNUM");
        return ReadPeriods(statements_.Prepare(sql, {{"KCODE", kcode}}), setting_.TAX);
    }

    TPeriodFigures CommonPeriods(const std::string& kcode, const std::string* hcode)
    {
        std::string sql = std::string(PeriodSums) + "\r\nWHERE (BCODE=:BCODE) AND (KCODE=:KCODE)" +
                          (hcode ? " AND (HCODE=:HCODE)" : "");
        AddConditionLine(sql, "AND ", facility_);
        AddLine(sql, "GROUP BY MNUM");
        AddLine(sql, "ORDER BY MNUM");
        return ReadPeriods(
            statements_.Prepare(sql, {{"BCODE", CommonDepartment}, {"KCODE", kcode}, {"HCODE", hcode ? *hcode : ""}}),
            setting_.TAX);
    }

    Currency AccountOpening(const std::string& kcode, const TAllocationRatios& ratios)
    {
        Currency own = OwnOpening(kcode, nullptr);
        if (!Allocating() || !(AccInf.KAISINO > 1 || (AccInf.KAISINO == 1 && AccInf.BUMON == 2)))
            return own;
        Currency common = 0;
        if (CommonPass()) {
            common = own;
            own = 0;
        } else {
            common = CommonOpening(kcode, nullptr);
        }
        return own + WeightedShare(common, OpeningRatio(ratios));
    }

    TPeriodFigures AccountPeriods(const std::string& kcode, const TAllocationRatios& ratios)
    {
        TPeriodFigures figures = OwnPeriods(kcode);
        if (Allocating()) {
            if (CommonPass())
                Weigh(figures, ratios);
            else
                AddWeighted(figures, CommonPeriods(kcode, nullptr), ratios);
        }
        return figures;
    }

    // The tax of the tax table (KAMOKU_TAX, class 1 received, 2 paid) that
    // the tax-exclusive figures of the two suspense tax accounts carry.
    void AddTaxOfTaxAccount(const std::string& kcode, const TAllocationRatios& ratios, TPeriodFigures& figures)
    {
        if (setting_.TAX != 1)
            return;
        std::int32_t kind = 0;
        if (!AccInf.SystemCodes[2].empty() && kcode == AccInf.SystemCodes[2])
            kind = 1;  // 仮受消費税
        else if (!AccInf.SystemCodes[1].empty() && kcode == AccInf.SystemCodes[1])
            kind = 2;  // 仮払消費税
        if (kind == 0)
            return;
        if (!Allocating()) {
            AddTaxSums(kind, false, nullptr, figures);
        } else if (CommonPass()) {
            AddTaxSums(kind, false, &ratios, figures);
        } else {
            // Like the other figures: the common department's tax weighted,
            // the pair's own plain.
            AddTaxSums(kind, true, &ratios, figures);
            AddTaxSums(kind, false, nullptr, figures);
        }
    }

    void AddTaxSums(std::int32_t kind, bool common, const TAllocationRatios* ratios, TPeriodFigures& figures)
    {
        std::string sql =
            "SELECT MNUM,SUM(KAR) AS SUM_KARI_TAX,SUM(KAS) AS SUM_KASI_TAX\r\n"
            "FROM KAMOKU_TAX\r\n";
        sql += common ? "WHERE (KKUBUN=:KKUBUN) AND (BCODE=:BCODE)" : "WHERE (KKUBUN=:KKUBUN)";
        AddConditionLine(sql, "AND ", common ? facility_ : pair_);
        AddLine(sql, "GROUP BY MNUM");
        AddLine(sql, "ORDER BY MNUM");
        db::Query& q = statements_.Prepare(sql, {{"BCODE", CommonDepartment}}, {{"KKUBUN", kind}});
        q.Open();
        for (; !q.Eof(); q.Next()) {
            const int mnum = q.FieldByName("MNUM").AsInteger();
            if (mnum < 1 || mnum > 16)
                continue;
            const double ratio = ratios ? (*ratios)[static_cast<std::size_t>(mnum)] : 1.0;
            figures.Debit[static_cast<std::size_t>(mnum)] +=
                WeightedShare(q.FieldByName("SUM_KARI_TAX").AsCurrency(), ratio);
            figures.Credit[static_cast<std::size_t>(mnum)] +=
                WeightedShare(q.FieldByName("SUM_KASI_TAX").AsCurrency(), ratio);
        }
        q.Close();
    }

    // The sub-accounts of an account row in the all-accounts layout.
    void SubAccounts(TBALANCE& row, const std::string& kcode, const TAllocationRatios& ratios)
    {
        std::string count = "SELECT DISTINCT HCODE FROM KAMOKU_SZ\r\nWHERE (KCODE=:KCODE) AND (HCODE<>:HCODE)";
        AddConditionLine(count, " AND ", pair_);
        db::Query& named = statements_.Prepare(count, {{"KCODE", kcode}, {"HCODE", " "}});
        int n = 0;
        named.Open();
        for (; !named.Eof(); named.Next())
            ++n;
        named.Close();
        if (firstPass_) {
            row.HOJCNT = n;
            row.Hojo.clear();
            row.Hojo.resize(static_cast<std::size_t>(n));
        }
        // A later pass whose pair has no named sub-account still brings the
        // part without one: the sub-rows must keep adding up to the row.
        if (n == 0 && (firstPass_ || row.Hojo.empty()))
            return;

        std::string sql =
            "SELECT MAIN.HCODE,MAIN.MNUM,SUM(MAIN.KAR_NUK) AS SUM_KARI_NUKI,SUM(MAIN.KAR_TAX) AS SUM_KARI_TAX,"
            "SUM(MAIN.KAS_NUK) AS SUM_KASI_NUKI,SUM(MAIN.KAS_TAX) AS SUM_KASI_TAX,\r\n"
            "SUM(MAIN.KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(MAIN.KAS_IKKATSU) AS SUM_KASI_IKKATSU\r\n"
            ",HM.HNAME\r\n"
            "FROM KAMOKU_MS MAIN\r\n"
            "INNER JOIN HOJOMST HM ON (MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)\r\n"
            "WHERE (HM.KCODE=:KCODE)";
        AddConditionLine(sql, " AND ", conditions_.Pair("MAIN."));
        AddLine(sql, "GROUP BY MAIN.HCODE,MAIN.MNUM,HM.HNAME");
        AddLine(sql, "ORDER BY MAIN.HCODE,MAIN.MNUM");
        db::Query& q = statements_.Prepare(sql, {{"KCODE", kcode}});
        // Named sub-accounts are read into the sub-rows in reading order in
        // the first pass; the list keeps only the sub-rows that were filled,
        // so that no empty entry is left when a sub-account never reaches
        // its period 16.
        std::size_t filled = 0;
        TPeriodFigures figures;
        q.Open();
        for (; !q.Eof(); q.Next()) {
            TakePeriod(q, setting_.TAX, figures);
            if (q.FieldByName("MNUM").AsInteger() != 16)
                continue;
            std::string hcode = q.FieldByName("HCODE").AsString();
            if (TrimZen(hcode).empty())
                hcode = " ";
            SubAccount(row, kcode, hcode, q.FieldByName("HNAME").AsString(), ratios, figures, filled);
            figures = TPeriodFigures{};
        }
        q.Close();
        if (firstPass_ && filled < row.Hojo.size()) {
            row.Hojo.resize(filled);
            row.HOJCNT = static_cast<std::int32_t>(filled);
        }
    }

    void SubAccount(TBALANCE& row, const std::string& kcode, const std::string& hcode, const std::string& hname,
                    const TAllocationRatios& ratios, TPeriodFigures figures, std::size_t& filled)
    {
        Currency opening = OwnOpening(kcode, &hcode);
        if (Allocating()) {
            if (CommonPass()) {
                opening = WeightedShare(opening, OpeningRatio(ratios));
                Weigh(figures, ratios);
            } else {
                opening += WeightedShare(CommonOpening(kcode, &hcode), OpeningRatio(ratios));
                AddWeighted(figures, CommonPeriods(kcode, &hcode), ratios);
            }
        }
        const bool ownPart = hcode == " ";
        if (ownPart && opening == 0 && figures.Empty())
            return;
        std::size_t slot = row.Hojo.size();
        if (firstPass_) {
            if (ownPart)
                row.Hojo.emplace_back();
            if (filled >= row.Hojo.size())
                return;  // more sub-accounts than counted: nothing to add into
            slot = filled++;
        } else {
            for (std::size_t i = 0; i < row.Hojo.size(); ++i)
                if (row.Hojo[i].HCODE == hcode) {
                    slot = i;
                    break;
                }
            if (slot == row.Hojo.size()) {
                if (!ownPart)
                    return;
                row.Hojo.emplace_back();
            }
        }
        row.HOJCNT = static_cast<std::int32_t>(row.Hojo.size());
        AddSubAccountAmounts(row, slot, hcode, ownPart ? row.KMK.KNAME : hname, opening, figures);
    }

    static void AddSubAccountAmounts(TBALANCE& row, std::size_t slot, const std::string& hcode,
                                     const std::string& hname, Currency opening, const TPeriodFigures& figures)
    {
        THOJOUTIWAKE& sub = row.Hojo[slot];
        sub.HCODE = hcode;
        sub.HNAME = hname;
        AddFigures(sub, opening, figures, row.KMK.TAISHAKU);
    }

    TTrialBalanceContext& rows_;
    const TCalcSisanhyoSettingRec& setting_;
    const bool firstPass_;
    const int first_;
    int last_;
    TPairConditions conditions_;
    std::string pair_;
    std::string facility_;
    TStatementSet statements_;
};

}  // namespace

int BuildTrialBalancePair(std::span<TBALANCE> Rows, int RowsHigh, std::span<TQSORT> Order, int OrderHigh,
                          const TCalcSisanhyoSettingRec& Setting, bool FirstPass)
{
    TTrialBalanceContext rows(Rows, RowsHigh, Order, OrderHigh);
    TSnapshotUse snapshot;
    const int last = TPairBuilder(rows, Setting, FirstPass).Run();
    snapshot.Finish();
    return last;
}
