// Accounting update 0.3.3 on copies of company databases built through the
// real updates: the Navigore columns of the accounts, the comparison
// columns and analysis items, the account thresholds and search kana of the
// standard chart of each kind of data, and the individual's carry-forward
// of the year into the owner's capital.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using companytest::CompanyMaster;
using companytest::CopyCompanyMaster;
using companytest::DataKind;
using schematest::Session;
namespace fs = std::filesystem;

class NavigoreUpdateTest : public updtest::UpdateDbTest {
protected:
    // The master of the kind at version, copied into the data folder.
    std::string UseCompanyAt(const std::string& version, DataKind kind)
    {
        fs::remove(CompanyDbPath());
        return CopyCompanyMaster(CompanyMaster(version, kind), SystemDef.DataDir);
    }

    // KKANA and the four thresholds of the account.
    static std::string Thresholds(Session& s, const std::string& kcode)
    {
        return s.Line(
            "SELECT KKANA, Navigore_BadRate, Navigore_BadKind, Navigore_GoodRate, Navigore_GoodKind "
            "FROM KAMOKUMST WHERE KCODE = '" +
            kcode + "'");
    }

    static void Balance(Session& s, const std::string& kcode, const std::string& bcode, const std::string& opening)
    {
        s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '" + kcode +
               "', ' ', '" + bcode + "', " + opening + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    }
};

// The new account columns, with their defaults for an account added later,
// and the two lists the comparison reads, in full where it matters.
TEST_F(NavigoreUpdateTest, AccountColumnsAndComparisonTables)
{
    Session s(UseCompanyAt("0.3.3", DataKind::Corporation));
    EXPECT_EQ((std::vector<std::string>{"NAVIGORE_BADKIND|8|0", "NAVIGORE_BADRATE|16|-4", "NAVIGORE_GOODKIND|8|0",
                                        "NAVIGORE_GOODRATE|16|-4"}),
              s.Lines("SELECT TRIM(R.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, F.RDB$FIELD_SCALE FROM RDB$RELATION_FIELDS R "
                      "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE "
                      "WHERE R.RDB$RELATION_NAME = 'KAMOKUMST' AND R.RDB$FIELD_NAME STARTING WITH 'NAVIGORE' "
                      "ORDER BY 1"));
    s.Exec(
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
        "VALUES ('T900', 'T900', '追加科目', '6100', '6100', 'P', 4)");
    EXPECT_EQ("|<null>|0|<null>|0", Thresholds(s, "T900"));

    EXPECT_EQ((std::vector<std::string>{"1|1|過去3ヶ月", "2|2|過去6ヶ月", "3|3|過去12ヶ月", "4|4|過去24ヶ月",
                                        "5|5|当期平均", "6|6|前期平均", "7|7|前々期平均", "8|8|２期平均"}),
              s.Lines("SELECT REC, NUM, MEISHOU FROM NAVIGORE_HIKAKU_COL ORDER BY REC"));

    EXPECT_EQ(35, s.Count("SELECT COUNT(*) FROM NAVIGORE_HIKAKU"));
    EXPECT_EQ((std::vector<std::string>{
                  "1|1|売上総利益率|％|0.95|0|1.05|1|4100|5280||",
                  "9|2|流動資産回転率|回|0.95|0|1.05|1|1100|1320|4100|4110",
                  "22|3|損益分岐点売上高|円|0.95|0|1.05|1|4100|6100||",
                  "23|4|売上高対支払利息比率|％|1.05|1|0.95|0|4100|4110|7100|7200",
                  "27|4|従業員延人数|人|1.05|1|0.95|0||||",
                  "28|5|付加価値|円|0.95|0|1.05|1|4100|5820||",
                  "31|5|一人当たりに人件費|円|0.95|0|1.05|1|6100|6100||",
                  "35|5|一人当たり労働装備率|円|0.95|0|1.05|1|1400|1710||",
              }),
              s.Lines("SELECT * FROM NAVIGORE_HIKAKU WHERE REC IN (1, 9, 22, 23, 27, 28, 31, 35) ORDER BY REC"));
    // Only the cost items turn the thresholds round.
    EXPECT_EQ("23|27|5", s.Line("SELECT MIN(REC), MAX(REC), COUNT(*) FROM NAVIGORE_HIKAKU WHERE BadKind = 1 "
                                "AND BadRate = 1.05 AND GoodRate = 0.95 AND GoodKind = 0"));
    EXPECT_EQ(30, s.Count("SELECT COUNT(*) FROM NAVIGORE_HIKAKU WHERE BadRate = 0.95 AND BadKind = 0 "
                          "AND GoodRate = 1.05 AND GoodKind = 1"));
    s.Exec("INSERT INTO NAVIGORE_HIKAKU (REC) VALUES (36)");
    EXPECT_EQ("0|0|0|0|1", s.Line("SELECT BUNRUI, BadRate, BadKind, GoodRate, GoodKind FROM NAVIGORE_HIKAKU "
                                  "WHERE REC = 36"));
}

// The block of thresholds and search kana follows the data's kind and code
// type; accounts outside the block (added by the user, or of another chart)
// keep empty rates, standard accounts without a search key lose theirs, and
// data of another code type gets no block at all.
TEST_F(NavigoreUpdateTest, ThresholdsFollowTheChartOfTheData)
{
    const std::string none = "|<null>|0|<null>|0";
    const std::string kept = "zzz|<null>|0|<null>|0";
    struct Case {
        const char* name;
        DataKind kind;
        int codetype;                       // 0: as the chart script leaves it
        std::vector<std::string> expected;  // 1101, 1103, 2101, 3101, 4101, 4103, 5101, 8101, 9999, T900
    };
    const std::string a = "|0.95|0|1.05|1";
    const std::string b = "|1.05|1|0.95|0";
    const std::string z = "|0|0|0|0";
    const Case cases[] = {
        {"corporation",
         DataKind::Corporation,
         0,
         {"genki" + a, a, "shiha" + b, "shiho" + a, "uriag" + a, a, "kisyu" + b, "kotei" + a, "syoku" + z, none}},
        {"individual, general",
         DataKind::Individual,
         0,
         {"genki" + a, a, "shiha" + b, "motoi" + a, "uriag" + a, "kajis" + a, "kisyu" + b, kept, "syoku" + z, none}},
        {"individual, real estate",
         DataKind::Individual,
         2,
         {"genki" + a, a, "shiha" + b, "motoi" + a, "chint" + a, "kenri" + a, kept, kept, "syoku" + z, none}},
        {"individual of another code type",
         DataKind::Individual,
         3,
         {kept, kept, kept, kept, kept, kept, kept, kept, kept, none}},
        // The medical chart keeps the corporation's codes.
        {"medical corporation",
         DataKind::Medical,
         0,
         {"genki" + a, a, "shiha" + b, "shiho" + a, "uriag" + a, a, "kisyu" + b, "kotei" + a, "syoku" + z, none}},
    };
    const char* const codes[] = {"1101", "1103", "2101", "3101", "4101", "4103", "5101", "8101", "9999", "T900"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            Session s(UseCompanyAt("0.3.2", c.kind));
            if (c.codetype != 0)
                s.Exec("UPDATE ACCDEF1 SET CODETYPE = " + std::to_string(c.codetype) + " WHERE REC = 1");
            // 4103 is not in the base chart; the user's T900 is in no chart.
            s.Exec(
                "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
                "VALUES ('4103', '4103', '家事消費', '4100', '4100', 'P', 3)");
            s.Exec(
                "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
                "VALUES ('T900', 'T900', '追加科目', '6100', '6100', 'P', 4)");
            s.Exec("UPDATE KAMOKUMST SET KKANA = 'zzz'");
            s.Exec("UPDATE KAMOKUMST SET KKANA = '' WHERE KCODE = 'T900'");
        }
        ASSERT_EQ(1, z5UserDbUpdate033::DoUpdate());
        Session s(CompanyDbPath());
        EXPECT_EQ("0|3|3", s.Line("SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1"));
        EXPECT_EQ(35, s.Count("SELECT COUNT(*) FROM NAVIGORE_HIKAKU"));
        std::vector<std::string> actual;
        for (const char* code : codes)
            actual.push_back(Thresholds(s, code));
        EXPECT_EQ(c.expected, actual);
    }
}

// The individual's capital takes the net assets of the balance sheet; the
// owner's drawing accounts start the year at 0. Other kinds of data are
// left alone.
TEST_F(NavigoreUpdateTest, CapitalCarryForwardOnlyForIndividuals)
{
    // BCODE|MOTOIREZAN|KIMATU_MOTOIREZAN|KIMATU_JIGYOKASIZAN|KIMATU_JIGYOKARIZAN|KIMATU_KARIZAN|KIMATU_KASIZAN
    struct Case {
        const char* name;
        DataKind kind;
        int bumon, bumex;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"individual without departments", DataKind::Individual, 0, 1, {" |800|500|300|150|1300|850"}},
        {"individual, facility without departments", DataKind::Individual, 2, 0, {" |800|500|300|150|1300|850"}},
        {"individual with departments",
         DataKind::Individual,
         2,
         1,
         {" |800|500|300|150|1300|850", "00|0|0|0|0|0|0", "D1|30|10|20|5|70|35"}},
        {"corporation", DataKind::Corporation, 2, 1, {}},
        {"medical corporation", DataKind::Medical, 2, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(UseCompanyAt("0.3.3", c.kind));
        s.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(c.bumon) + " WHERE REC = 1");
        s.Exec("UPDATE SISETUMST SET BUMEX = " + std::to_string(c.bumex) + " WHERE SCODE = ' '");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業')");
        s.Exec("UPDATE KAMOKU_SZ SET KAISIZAN = 0 WHERE SCODE = ' '");
        Balance(s, "1101", " ", "1000");  // cash
        Balance(s, "1608", " ", "300");   // owner's drawings (an individual's 事業主貸)
        Balance(s, "2101", " ", "200");   // notes payable
        Balance(s, "2205", " ", "150");   // owner's contributions (事業主借)
        Balance(s, "3101", " ", "500");   // capital (元入金)
        Balance(s, "4101", " ", "777");   // profit and loss: not counted
        Balance(s, "1101", "D1", "50");
        Balance(s, "1608", "D1", "20");
        Balance(s, "2205", "D1", "5");
        Balance(s, "3101", "D1", "10");
        Balance(s, "2101", "D1", "20");
        EXPECT_EQ(c.rows, s.Lines("SELECT * FROM SP_MOTOIREKIN_KURIIRE(' ') WHERE BCODE IN (' ', '00', 'D1')"));
        const bool individual = c.kind == DataKind::Individual;
        const bool byDepartment = c.bumon == 2 && c.bumex == 1;
        auto opening = [&](const char* kcode, const char* bcode) {
            return s
                .Value("SELECT KAISIZAN FROM KAMOKU_SZ WHERE SCODE = ' ' AND KCODE = '" + std::string(kcode) +
                       "' AND HCODE = ' ' AND BCODE = '" + bcode + "'")
                .value_or("<none>");
        };
        EXPECT_EQ(individual ? "800" : "500", opening("3101", " "));
        EXPECT_EQ(individual ? "0" : "300", opening("1608", " "));
        EXPECT_EQ(individual ? "0" : "150", opening("2205", " "));
        EXPECT_EQ(individual && byDepartment ? "30" : "10", opening("3101", "D1"));
        EXPECT_EQ(individual && byDepartment ? "0" : "20", opening("1608", "D1"));
        EXPECT_EQ(individual && byDepartment ? "0" : "5", opening("2205", "D1"));
        EXPECT_EQ("1000", opening("1101", " "));
    }
}

}  // namespace
