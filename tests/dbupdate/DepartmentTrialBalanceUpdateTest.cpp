// The department and department-group trial balances, the carry-forward of
// retained earnings, the asset journal settings chosen by the account group
// column, and the breakdown-statement tables of accounting update 0.2.2, on
// copies of company databases built through the real updates.
//
// The trial-balance figures use a test account 'T100' (sub-account 'H1')
// and the received-tax account '2109' of the corporation's chart, in the
// facility ' ' and the departments 'D1', 'D2' and the common '00'.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using companytest::CompanyMaster;
using companytest::CopyCompanyMaster;
using schematest::Session;

const char* const ReceivedTax = "2109";

class DepartmentTrialBalanceUpdateTest : public dbtest::FirebirdTest {
protected:
    std::string Copy() { return CopyCompanyMaster(CompanyMaster("0.2.2"), folder_ / "data"); }

    // The settings the procedures read.
    static void Settings(Session& s, int kaisino, int bumon)
    {
        s.Exec("UPDATE ACCDEF1 SET KAISINO = " + std::to_string(kaisino) + ", BUMON = " + std::to_string(bumon) +
               " WHERE REC = 1");
    }

    // A balance row of the facility ' ' (its period rows come with it) with
    // the opening balance and, on the account's own row, the allocation
    // percentage of every period.
    static void Balance(Session& s, const std::string& kcode, const std::string& hcode, const std::string& bcode,
                        const std::string& opening, const std::string& percent = "100")
    {
        s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '" + kcode +
               "', '" + hcode + "', '" + bcode + "', " + opening + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
        std::string haibun;
        for (int n = 1; n <= 16; ++n)
            haibun +=
                std::string(n == 1 ? "" : ", ") + "HAIBUN" + (n < 10 ? "0" : "") + std::to_string(n) + " = " + percent;
        s.Exec("UPDATE KAMOKU_SZ SET " + haibun + " WHERE SCODE = ' ' AND KCODE = '" + kcode + "' AND HCODE = '" +
               hcode + "' AND BCODE = '" + bcode + "'");
    }

    // The debit and credit of one period, without tax and their tax.
    static void Movement(Session& s, const std::string& kcode, const std::string& hcode, const std::string& bcode,
                         int mnum, const std::string& karNuk, const std::string& karTax, const std::string& kasNuk,
                         const std::string& kasTax)
    {
        s.Exec("UPDATE KAMOKU_MS SET KAR_NUK = " + karNuk + ", KAR_TAX = " + karTax + ", KAS_NUK = " + kasNuk +
               ", KAS_TAX = " + kasTax + " WHERE SCODE = ' ' AND KCODE = '" + kcode + "' AND HCODE = '" + hcode +
               "' AND BCODE = '" + bcode + "' AND MNUM = " + std::to_string(mnum));
    }

    // Departments D1, D2 and the test account with its sub-account H1.
    static void Fixture(Session& s)
    {
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業')");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D2', '製造')");
        s.Exec(
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
            "VALUES ('T100', 'T100', '試験費', '8000', '8100', 'P', 1)");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('T100', 'H1', '内訳一')");
        for (const char* bcode : {"D1", "D2", "00"}) {
            Balance(s, "T100", " ", bcode, "0");
            Balance(s, "T100", "H1", bcode, "0");
        }
    }

    static std::string Row(Session& s, const std::string& from, const std::string& hcode = "")
    {
        return s.Line("SELECT HOJCNT, KAISIZAN, KAR01, KAS01, KAR05, KAS05, KAR16 FROM " + from +
                      " WHERE KCODE = 'T100' AND HCODE = '" + hcode + "'");
    }
};

// One department's trial balance of the test account, by tax mode,
// allocation, start month and the department asked for.
TEST_F(DepartmentTrialBalanceUpdateTest, DepartmentTrialBalanceByTaxModeAllocationAndStart)
{
    struct Case {
        const char* name;
        int ptax, phibun, kaisino, bumon;
        const char* bcode;
        const char* account;  // HOJCNT|KAISIZAN|KAR01|KAS01|KAR05|KAS05|KAR16
    };
    // D1: opening 1000 on H1, period 1 debit 100+10, credit 40+4, period 5
    // debit 7+0. '00': opening 300 on the account, period 1 debit 50+5,
    // credit -5+0, period 5 debit 9; D1's share 50 % in period 1, 30 % in
    // period 5, '00' keeps 20 % in period 1, 60 % in period 5.
    const Case cases[] = {
        {"inclusive, no allocation", 0, 0, 1, 2, "D1", "1|1000|110|44|7|0|0"},
        {"exclusive, no allocation", 1, 0, 1, 2, "D1", "1|1000|100|40|7|0|0"},
        // share of 55 is 27.5 -> 28; of -5 is -2.5 -> -3 (half away from zero)
        {"inclusive, allocated, start of year", 0, 1, 1, 2, "D1", "1|1150|138|41|10|0|0"},
        // the opening is allocated only with departments on every account
        {"allocated, start of year, no departments", 0, 1, 1, 0, "D1", "1|1000|138|41|10|0|0"},
        // mid-year start in April: the share of period 5 (30 %)
        {"allocated, start in April", 1, 1, 4, 0, "D1", "1|1090|125|37|10|0|0"},
        {"mid-year, no allocation", 1, 0, 4, 0, "D1", "1|1000|100|40|7|0|0"},
        // '00' keeps its own share: 300 x 20 %, 55 x 20 % = 11, -5 x 20 % = -1, 9 x 60 % = 5.4 -> 5
        {"common department keeps its share", 0, 1, 1, 2, "00", "1|60|11|-1|5|0|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        Fixture(s);
        Settings(s, c.kaisino, c.bumon);
        Balance(s, "T100", " ", "D1", "0", "50");
        s.Exec(
            "UPDATE KAMOKU_SZ SET HAIBUN05 = 30 WHERE SCODE = ' ' AND KCODE = 'T100' AND HCODE = ' ' AND BCODE = 'D1'");
        Balance(s, "T100", " ", "00", "300", "20");
        s.Exec(
            "UPDATE KAMOKU_SZ SET HAIBUN05 = 60 WHERE SCODE = ' ' AND KCODE = 'T100' AND HCODE = ' ' AND BCODE = '00'");
        Balance(s, "T100", "H1", "D1", "1000");
        Movement(s, "T100", "H1", "D1", 1, "100", "10", "40", "4");
        Movement(s, "T100", "H1", "D1", 5, "7", "0", "0", "0");
        Movement(s, "T100", " ", "00", 1, "50", "5", "-5", "0");
        Movement(s, "T100", " ", "00", 5, "9", "0", "0", "0");
        const std::string from = "SP_SISANHYO_BUMON(" + std::to_string(c.ptax) + ", " + std::to_string(c.phibun) +
                                 ", ' ', '" + c.bcode + "')";
        EXPECT_EQ(c.account, Row(s, from));
    }
}

// Sub-account rows: the account's own part shows only with figures, then
// named as the account; every row is computed afresh, so a missing period
// row reads as 0 and does not drop the sub-account.
TEST_F(DepartmentTrialBalanceUpdateTest, SubAccountRowsAreComputedAfreshAndTheOwnPartOnlyWithFigures)
{
    Session s(Copy());
    Fixture(s);
    Settings(s, 1, 2);
    Balance(s, "T100", "H1", "D1", "1000");
    Movement(s, "T100", "H1", "D1", 16, "70", "0", "0", "0");
    const std::string from = "SP_SISANHYO_BUMON(0, 0, ' ', 'D1')";
    EXPECT_EQ((std::vector<std::string>{"|1||1000|70", "H1|0|内訳一|1000|70"}),
              s.Lines("SELECT HCODE, HOJCNT, HNAME, KAISIZAN, KAR16 FROM " + from + " WHERE KCODE = 'T100'"));

    // The account's own part with an amount; H1 loses its period-16 row.
    Movement(s, "T100", " ", "D1", 16, "0", "0", "3", "0");
    s.Exec(
        "DELETE FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = 'T100' AND HCODE = 'H1' AND BCODE = 'D1' AND MNUM = 16");
    EXPECT_EQ((std::vector<std::string>{"|1||1000|0|3", " |0|試験費|0|0|3", "H1|0|内訳一|1000|0|0"}),
              s.Lines("SELECT HCODE, HOJCNT, HNAME, KAISIZAN, KAR16, KAS16 FROM " + from + " WHERE KCODE = 'T100'"));
}

// Without tax the received-tax account adds, when allocating, the
// department's own tax in full and the common department's tax in the
// account's share; without allocation it is not called.
TEST_F(DepartmentTrialBalanceUpdateTest, TaxAccountGetsOwnTaxAndTheAllocatedCommonTax)
{
    struct Case {
        const char* name;
        int ptax, phibun;
        const char* bcode;
        const char* kar01kas01;
    };
    // D1 tax totals: period 1 debit 6, credit 20; '00': credit 10. The tax
    // account's own movements in D1: credit 100; D1's share 50 %.
    const Case cases[] = {
        {"exclusive, allocated", 1, 1, "D1", "6|125"},
        {"exclusive, allocated, common department", 1, 1, "00", "0|5"},
        {"exclusive, no allocation", 1, 0, "D1", "0|100"},
        {"inclusive, allocated", 0, 1, "D1", "0|100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        Fixture(s);
        Settings(s, 1, 2);
        Balance(s, ReceivedTax, " ", "D1", "0", "50");
        Balance(s, ReceivedTax, " ", "00", "0", "50");
        Movement(s, ReceivedTax, " ", "D1", 1, "0", "0", "100", "0");
        s.Exec("DELETE FROM KAMOKU_TAX");
        s.Exec("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', 'D1', 1, 1, 6, 20)");
        s.Exec("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 1, 1, 0, 10)");
        const std::string from = "SP_SISANHYO_BUMON(" + std::to_string(c.ptax) + ", " + std::to_string(c.phibun) +
                                 ", ' ', '" + c.bcode + "')";
        EXPECT_EQ(c.kar01kas01,
                  s.Line("SELECT KAR01, KAS01 FROM " + from + " WHERE KCODE = '" + ReceivedTax + "' AND HCODE = ''"));
    }
}

// A department group sums its departments; without tax and with tax kept
// per department each member's tax is added in full.
TEST_F(DepartmentTrialBalanceUpdateTest, GroupTrialBalanceSumsItsDepartmentsAndAddsTheirTax)
{
    Session s(Copy());
    Fixture(s);
    Settings(s, 1, 2);
    s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', 'D1')");
    s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', 'D2')");
    Balance(s, "T100", "H1", "D1", "100");
    Balance(s, "T100", "H1", "D2", "20");
    Balance(s, "T100", "H1", "00", "5000");
    Movement(s, "T100", "H1", "D1", 1, "10", "1", "0", "0");
    Movement(s, "T100", "H1", "D2", 1, "30", "3", "0", "0");
    Movement(s, "T100", "H1", "00", 1, "999", "0", "0", "0");
    for (const char* bcode : {"D1", "D2"})
        Balance(s, ReceivedTax, " ", bcode, "0");
    s.Exec("DELETE FROM KAMOKU_TAX");
    s.Exec("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', 'D1', 1, 1, 0, 7)");
    s.Exec("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', 'D2', 1, 1, 0, 8)");
    s.Exec("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 1, 1, 0, 900)");

    EXPECT_EQ("1|120|44|0|0|0|0", Row(s, "SP_SISANHYO_BUMON_GROUP(0, ' ', 'G1')"));
    EXPECT_EQ("0|120|40|0|0|0|0", Row(s, "SP_SISANHYO_BUMON_GROUP(1, ' ', 'G1')", "H1"));
    EXPECT_EQ("15", s.Value(std::string("SELECT KAS01 FROM SP_SISANHYO_BUMON_GROUP(1, ' ', 'G1') WHERE KCODE = '") +
                            ReceivedTax + "' AND HCODE = ''"));
    EXPECT_EQ("0", s.Value(std::string("SELECT KAS01 FROM SP_SISANHYO_BUMON_GROUP(0, ' ', 'G1') WHERE KCODE = '") +
                           ReceivedTax + "' AND HCODE = ''"));
    // Tax kept for the facility as a whole has no department to add.
    Settings(s, 1, 0);
    EXPECT_EQ("0", s.Value(std::string("SELECT KAS01 FROM SP_SISANHYO_BUMON_GROUP(1, ' ', 'G1') WHERE KCODE = '") +
                           ReceivedTax + "' AND HCODE = ''"));
}

// The carry-forward sets a corporation's retained earnings to the debit
// less the credit openings of the other balance-sheet rows; other kinds of
// data are left alone.
TEST_F(DepartmentTrialBalanceUpdateTest, CarryForwardOnlyForCorporations)
{
    struct Case {
        const char* name;
        int datatype, bumon, bumex;
        std::vector<std::string> rows;  // BCODE|KAISIZAN
    };
    const Case cases[] = {
        {"corporation without departments", 1, 0, 1, {" |600"}},
        {"corporation, facility without departments", 1, 2, 0, {" |600"}},
        {"corporation with departments", 1, 2, 1, {" |600", "00|0", "D1|-25", "D2|0"}},
        {"individual", 2, 2, 1, {}},
        {"medical corporation", 3, 2, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        Fixture(s);
        s.Exec("UPDATE ACCDEF1 SET DATATYPE = " + std::to_string(c.datatype) + ", BUMON = " + std::to_string(c.bumon) +
               " WHERE REC = 1");
        s.Exec("UPDATE SISETUMST SET BUMEX = " + std::to_string(c.bumex) + " WHERE SCODE = ' '");
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 0 WHERE SCODE = ' '");
        Balance(s, "1101", " ", " ", "1000");   // cash, debit side
        Balance(s, "2109", " ", " ", "400");    // received tax, credit side
        Balance(s, "3302", " ", " ", "12345");  // retained earnings itself
        Balance(s, "T100", " ", " ", "777");    // profit and loss: not counted
        Balance(s, "2109", " ", "D1", "25");
        Balance(s, "3302", " ", "D1", "1");
        EXPECT_EQ(c.rows,
                  s.Lines("SELECT BCODE, KAISIZAN FROM SP_ZENKURI(' ', '') WHERE BCODE IN (' ', '00', 'D1', 'D2')"));
        EXPECT_EQ(
            c.rows.empty() ? "12345" : "600",
            s.Value(
                "SELECT KAISIZAN FROM KAMOKU_SZ WHERE SCODE = ' ' AND KCODE = '3302' AND HCODE = ' ' AND BCODE = ' '"));
        EXPECT_EQ(
            c.datatype == 1 && c.bumon == 2 && c.bumex == 1 ? "-25" : "1",
            s.Value(
                "SELECT KAISIZAN FROM KAMOKU_SZ WHERE SCODE = ' ' AND KCODE = '3302' AND HCODE = ' ' AND BCODE = 'D1'"));
    }
}

// The asset journal settings of a facility follow the new group column.
TEST_F(DepartmentTrialBalanceUpdateTest, AssetSettingsFollowTheNewGroupColumn)
{
    Session s(Copy());
    s.Exec(
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
        "VALUES ('T150', 'T150', '新資産', '9000', '9000', 'B', 1)");
    s.Exec(
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
        "VALUES ('T151', 'T151', '旧資産', '1500', '1500', 'B', 1)");
    s.Exec("UPDATE KAMOKUMST SET GROUPM0 = '1500' WHERE KCODE = 'T150'");
    s.Exec("UPDATE KAMOKUMST SET GROUPM0 = '9000' WHERE KCODE = 'T151'");
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '支店', 0)");
    s.Exec("DELETE FROM KS_SETSWK WHERE SCODE = 'T1'");

    s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('T1')");
    EXPECT_EQ(1, s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1' AND KCODE = 'T150'"));
    EXPECT_EQ(0, s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1' AND KCODE = 'T151'"));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 SIMILAR TO '[0-9]+' "
                      "AND CAST(GROUPM0 AS INTEGER) BETWEEN 1400 AND 1800"),
              s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1'"));
    // The facility trigger still reaches it with its new parameter.
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T2', '支店二', 0)");
    EXPECT_EQ(1, s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T2' AND KCODE = 'T150'"));
}

// The procedures' parameters and outputs as the database records them:
// name, kind (0 in, 1 out), type and length, character set.
TEST_F(DepartmentTrialBalanceUpdateTest, ProcedureInterfaces)
{
    Session s(Copy());
    auto params = [&](const std::string& procedure) {
        return s.Lines(
            "SELECT TRIM(P.RDB$PARAMETER_NAME), P.RDB$PARAMETER_TYPE, F.RDB$FIELD_TYPE, "
            "COALESCE(F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_PRECISION), F.RDB$FIELD_SCALE, "
            "COALESCE(TRIM(C.RDB$CHARACTER_SET_NAME), '') "
            "FROM RDB$PROCEDURE_PARAMETERS P JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = P.RDB$FIELD_SOURCE "
            "LEFT JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID "
            "AND F.RDB$FIELD_TYPE = 37 "
            "WHERE P.RDB$PROCEDURE_NAME = '" +
            procedure +
            "' "
            "ORDER BY P.RDB$PARAMETER_TYPE, P.RDB$PARAMETER_NUMBER");
    };
    const std::string code = "|37|6|0|ASCII";
    const std::string amount = "|16|16|-4|";
    std::vector<std::string> outputs = {
        "GROUPM1|1" + code,          "GROUPM2|1" + code,    "USERCODE|1" + code,  "KCODE|1" + code,
        "KNAME|1|37|14|0|SJIS_0208", "BSPL|1|37|1|0|ASCII", "HOJCNT|1|8|0|0|",    "HCODE|1" + code,
        "HNAME|1|37|14|0|SJIS_0208", "TAISHAKU|1|8|0|0|",   "KAISIZAN|1" + amount};
    for (const char* side : {"KAR", "KAS"})
        for (int n = 1; n <= 16; ++n)
            outputs.push_back(side + std::string(n < 10 ? "0" : "") + std::to_string(n) + "|1" + amount);

    std::vector<std::string> bumon = {"PTAX|0|8|0|0|", "PHIBUN|0|8|0|0|", "PSCODE|0" + code, "PBCODE|0" + code};
    bumon.insert(bumon.end(), outputs.begin(), outputs.end());
    EXPECT_EQ(bumon, params("SP_SISANHYO_BUMON"));
    std::vector<std::string> group = {"PTAX|0|8|0|0|", "PSCODE|0" + code, "PGCODE|0" + code};
    group.insert(group.end(), outputs.begin(), outputs.end());
    EXPECT_EQ(group, params("SP_SISANHYO_BUMON_GROUP"));
    EXPECT_EQ(
        (std::vector<std::string>{"SCODE|0" + code, "KAMOKUCODE|0" + code, "BCODE|1" + code, "KAISIZAN|1" + amount}),
        params("SP_ZENKURI"));
    EXPECT_EQ((std::vector<std::string>{"PSCODE|0" + code}), params("SP_KS_INSSETSWK_CALL_SISETU"));
}

// The breakdown tables: columns in order, the starting rows, the computed
// sums, and rows that outlive or follow the sub-account they name.
TEST_F(DepartmentTrialBalanceUpdateTest, BreakdownTablesShapeSeedsAndAccountLinks)
{
    Session s(Copy());
    auto columns = [&](const std::string& table) {
        std::string text;
        for (const auto& name :
             s.Lines("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '" + table +
                     "' ORDER BY RDB$FIELD_POSITION"))
            text += (text.empty() ? "" : ",") + name;
        return text;
    };
    const std::string linked = "REC,KGROUP,MEISAIKUBUN,NUMBER,KCODE,HCODE,";
    EXPECT_EQ("UTIWAKE,KGROUP,SORTKEY,KAMOKUZAN,MEMO", columns("UTIWAKE_ORDER"));
    EXPECT_EQ(linked + "GINKOU,SITEN,SYURUI,KOUZA,KIMATUZAN,TEKIYOU", columns("UTIWAKE01"));
    EXPECT_EQ(
        "REC,NUMBER,FURIDASI,FURIDASI_YY,FURIDASI_MM,FURIDASI_DD,KIJITU_YY,KIJITU_MM,KIJITU_DD,GINKOU,SITEN,"
        "KINGAKU,WARI_GINKOU,WARI_SITEN,TEKIYOU",
        columns("UTIWAKE02"));
    EXPECT_EQ(linked + "KAMOKU,KARIIRE,KANKEI,JYUSYO,KINGAKU,RISOKU,RIRITU,RIYUU,TANPO", columns("UTIWAKE11"));
    EXPECT_EQ(
        "REC,NUMBER,KUBUN,SYOZAITI,TIMOKU,SOUMENSEKI,URIAGE_GG,URIAGE_YY,URIAGE_MM,SIMEI,JYUSYO,MENSEKI,URIAGE,"
        "TESURYO,GOUKEI,SYUTOKU_GG,SYUTOKU_YY",
        columns("UTIWAKE12"));
    EXPECT_EQ("UTIWAKE,REC,NUMBER,KAMOKU,SIMEI,JYUSYO,KIMATUZAN,TEKIYOU", columns("UTIWAKE17"));
    // Every table of the block is there.
    EXPECT_EQ(27, s.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME STARTING WITH 'UTIWAKE'"));

    EXPECT_EQ((std::vector<std::string>{"1|0|||"}), s.Lines("SELECT * FROM UTIWAKE05_INI"));
    EXPECT_EQ((std::vector<std::string>{"1||||0", "2||||0", "3||||0", "4||||0"}),
              s.Lines("SELECT * FROM UTIWAKE09B ORDER BY REC"));
    EXPECT_EQ(12, s.Count("SELECT COUNT(*) FROM UTIWAKE10B WHERE YY = '' AND MM = '' AND SYURUI = '' AND KINGAKU = 0"));
    EXPECT_EQ("1|0|0|0|0|0|0|0|0|0", s.Line("SELECT * FROM UTIWAKE14B"));
    EXPECT_EQ("1|||||", s.Line("SELECT * FROM UTIWAKE17_TITLE"));
    for (const char* empty : {"UTIWAKE_ORDER", "UTIWAKE01", "UTIWAKE12", "UTIWAKE17"})
        EXPECT_EQ(0, s.Count(std::string("SELECT COUNT(*) FROM ") + empty)) << empty;

    // Computed sums.
    s.Exec(
        "INSERT INTO UTIWAKE14B (REC, SOUGAKU1, SOUGAKU2, SOUGAKU3, KAZOKU1, KAZOKU2, KAZOKU3) VALUES (2, 1, 2, 3, 4, 5, 6)");
    EXPECT_EQ("6|15", s.Line("SELECT SOUGAKU_KEI, KAZOKU_KEI FROM UTIWAKE14B WHERE REC = 2"));
    s.Exec("INSERT INTO UTIWAKE12 (REC, URIAGE, TESURYO) VALUES (1, 100, 5)");
    EXPECT_EQ("105", s.Value("SELECT GOUKEI FROM UTIWAKE12"));
    EXPECT_ANY_THROW(s.Exec("UPDATE UTIWAKE14 SET GOUKEI = 1"));

    // Links to a sub-account: a new code is carried over, a deletion leaves
    // the row without its account.
    s.Exec(
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
        "VALUES ('T100', 'T100', '試験費', '8000', '8100', 'P', 1)");
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('T100', 'H1', '内訳一')");
    for (const char* table :
         {"UTIWAKE01", "UTIWAKE03", "UTIWAKE04A", "UTIWAKE04B", "UTIWAKE09", "UTIWAKE10A", "UTIWAKE11"})
        s.Exec(std::string("INSERT INTO ") + table + " (REC, KCODE, HCODE) VALUES (1, 'T100', 'H1')");
    s.Exec("UPDATE HOJOMST SET HCODE = 'H2' WHERE KCODE = 'T100' AND HCODE = 'H1'");
    EXPECT_EQ("T100|H2", s.Line("SELECT KCODE, HCODE FROM UTIWAKE10A"));
    s.Exec("DELETE FROM HOJOMST WHERE KCODE = 'T100' AND HCODE = 'H2'");
    for (const char* table :
         {"UTIWAKE01", "UTIWAKE03", "UTIWAKE04A", "UTIWAKE04B", "UTIWAKE09", "UTIWAKE10A", "UTIWAKE11"})
        EXPECT_EQ("1|<null>|<null>", s.Line(std::string("SELECT REC, KCODE, HCODE FROM ") + table)) << table;
    EXPECT_EQ(
        (std::vector<std::string>{"UTIWAKE01_KAMOKU", "UTIWAKE03_KAMOKU", "UTIWAKE04A_KAMOKU", "UTIWAKE04B_KAMOKU",
                                  "UTIWAKE09_KAMOKU", "UTIWAKE10_KAMOKU", "UTIWAKE11_KAMOKU"}),
        s.Lines("SELECT TRIM(RDB$CONSTRAINT_NAME) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = "
                "'FOREIGN KEY' AND RDB$RELATION_NAME STARTING WITH 'UTIWAKE' ORDER BY 1"));
}

}  // namespace
