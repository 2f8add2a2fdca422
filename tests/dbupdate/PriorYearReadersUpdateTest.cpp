// Accounting update 1.0.1 on copies of company databases brought to 1.0.1
// by the real updates: the previous-year writer, the previous-year readers
// of a facility, a department and a facility group, the comparison groups
// and the cleared screen settings.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Quote;
using schematest::Session;

class PriorYearReadersTest : public dbtest::FirebirdTest {
protected:
    std::string UseCompany(DataKind kind = DataKind::Corporation)
    {
        const std::string path = companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.1", kind),
                                                                folder_ / dbtest::DataKindName(kind));
        // Facilities of their own: their balance rows come from the
        // facility trigger, every account on department ' '.
        Session s(path);
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T1', '本店', 1)");
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('T2', '支店', 1)");
        return path;
    }

    static std::string Key(const std::string& scode, const std::string& kcode, const std::string& bcode = " ")
    {
        return " WHERE SCODE = " + Quote(scode) + " AND KCODE = " + Quote(kcode) +
               " AND HCODE = ' ' AND BCODE = " + Quote(bcode);
    }
};

TEST_F(PriorYearReadersTest, WriterTakesMovementsOrBalances)
{
    struct Case {
        const char* name;
        DataKind kind;
        int hassei;
        const char* kcode;
        int taxuh;
        const char* column;
        std::string periods;  // the written column at MNUM 3, 4, 18
    };
    const Case cases[] = {
        {"movements run on from the balance before", DataKind::Corporation, 1, "1101", 0, "KOMIZAN", "1010|1020|1160"},
        {"movements without tax", DataKind::Corporation, 1, "1101", 1, "NUKIZAN", "1010|1020|1160"},
        {"a profit-and-loss account starts from 0", DataKind::Corporation, 1, "4101", 0, "KOMIZAN", "10|20|160"},
        {"balances are written as they are", DataKind::Corporation, 0, "1101", 0, "KOMIZAN", "-30|-40|-180"},
        {"an individual's capital starts from 0", DataKind::Individual, 1, "3101", 0, "KOMIZAN", "10|20|160"},
        {"an individual's other accounts run on", DataKind::Individual, 1, "1101", 0, "KOMIZAN", "1010|1020|1160"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(UseCompany(c.kind));
        s.Exec("UPDATE KAMOKU_PZ SET KOMIZAN = 1000" + Key("T1", c.kcode) + " AND MNUM = 2");
        // Movements of 10 a period, or the balances -10 * (period).
        std::string values;
        for (int i = 1; i <= 16; ++i)
            values += ", " + std::to_string(c.hassei == 1 ? 10 : -10 * (i + 2));
        s.Exec("EXECUTE PROCEDURE SP_UPDATE_KANENDOZAN(" + std::to_string(c.hassei) + ", 'T1', " + Quote(c.kcode) +
               ", ' ', ' ', 3, " + std::to_string(c.taxuh) + values + ")");
        std::vector<std::string> written;
        for (int mnum : {3, 4, 18})
            written.push_back(s.Line(std::string("SELECT CAST(") + c.column + " AS BIGINT) FROM KAMOKU_PZ" +
                                     Key("T1", c.kcode) + " AND MNUM = " + std::to_string(mnum)));
        EXPECT_EQ(written[0] + "|" + written[1] + "|" + written[2], c.periods);
    }
}

// Every period up to 15 is read whatever the start month, accounts come in
// code order, and a period without a row reads 0, not the figure of the
// account listed before.
TEST_F(PriorYearReadersTest, FacilityReaderReadsEveryPeriodAfresh)
{
    Session s(UseCompany());
    s.Exec("UPDATE ACCDEF1 SET KAISINO = 4 WHERE REC = 1");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 70" + Key("T1", "1101") + " AND MNUM = 5");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 99" + Key("T1", "1101") + " AND MNUM = -1");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 7" + Key("T2", "1101") + " AND MNUM = -1");
    s.Exec("DELETE FROM KAMOKU_PZ" + Key("T1", "1102") + " AND MNUM IN (-1, 5)");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 12" + Key("T1", "1101") + " AND MNUM = 15");
    const std::string columns = "SELECT KCODE, CAST(ZANM01 AS BIGINT), CAST(ZANP05 AS BIGINT), CAST(YOSAN15 AS BIGINT)";
    EXPECT_EQ(s.Lines(columns + " FROM SP_KANENDO_ZANDAKA('T1') WHERE KCODE IN ('1101', '1102')"),
              (std::vector<std::string>{"1101|99|70|12", "1102|0|0|0"}));
    EXPECT_EQ(s.Lines(columns + " FROM SP_KANENDO_ZANDAKA('') WHERE KCODE = '1101'"),
              (std::vector<std::string>{"1101|106|70|12"}));
    const std::vector<std::string> codes = s.Lines("SELECT KCODE FROM SP_KANENDO_ZANDAKA('T1')");
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
}

// The common department keeps its allocated share, another department adds
// its share of the common figure; shares round half away from zero, and a
// balance far beyond what a product of two four-place numerics holds is
// allocated all the same.
TEST_F(PriorYearReadersTest, DepartmentReaderAllocatesTheCommonDepartment)
{
    Session s(UseCompany());
    s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('10', '営業部') MATCHING (BCODE)");
    for (const char* bcode : {"00", "10"})
        s.Exec(std::string("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('T1', '4101', ' ', '") + bcode +
               "')");
    const auto set = [&](const std::string& bcode, int mnum, const std::string& amount, const std::string& rate) {
        s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = " + amount + ", HAIBUN = " + rate + Key("T1", "4101", bcode) +
               " AND MNUM = " + std::to_string(mnum));
    };
    set("00", -1, "1001", "50");
    set("10", -1, "10", "50");
    set("00", -2, "-1001", "50");
    set("10", -2, "0", "50");
    set("00", -3, "1000000000000", "30");
    set("10", -3, "0", "70");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 3" + Key("T1", "4101", "00") + " AND MNUM = 1");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 1" + Key("T1", "4101", "10") + " AND MNUM = 1");
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 50" + Key("T1", "4101", "10"));
    s.Exec("UPDATE KAMOKU_SZ SET HAIBUN01 = 50" + Key("T1", "4101", "00"));
    const std::string columns =
        "SELECT CAST(ZANM01 AS BIGINT), CAST(ZANM02 AS BIGINT), CAST(ZANM03 AS BIGINT), CAST(YOSAN01 AS BIGINT)";
    EXPECT_EQ(s.Line(columns + " FROM SP_KANENDO_BUMON_ZANDAKA('T1', '10', 1) WHERE KCODE = '4101'"),
              "511|-501|700000000000|3");
    EXPECT_EQ(s.Line(columns + " FROM SP_KANENDO_BUMON_ZANDAKA('T1', '00', 1) WHERE KCODE = '4101'"),
              "501|-501|300000000000|2");
    EXPECT_EQ(s.Line(columns + " FROM SP_KANENDO_BUMON_ZANDAKA('T1', '10', 0) WHERE KCODE = '4101'"), "10|0|0|1");
}

// A facility group sums its facilities; a key is listed once it has the
// row of period 15.
TEST_F(PriorYearReadersTest, GroupReaderSumsTheGroupsFacilities)
{
    Session s(UseCompany());
    s.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'T1')");
    s.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'T2')");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 5" + Key("T1", "1101") + " AND MNUM = 0");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 6" + Key("T2", "1101") + " AND MNUM = 0");
    s.Exec("UPDATE KAMOKU_PZ SET NUKIZAN = 9" + Key(" ", "1101") + " AND MNUM = 0");
    s.Exec("UPDATE KAMOKU_MS SET BYOSAN = 4" + Key("T2", "1101") + " AND MNUM = 2");
    s.Exec("DELETE FROM KAMOKU_PZ WHERE SCODE IN ('T1', 'T2') AND KCODE = '1102' AND MNUM = 15");
    EXPECT_EQ(s.Lines("SELECT KCODE, USERCODE, CAST(ZANM00 AS BIGINT), CAST(YOSAN02 AS BIGINT)"
                      " FROM SP_KANENDO_GROUPZANDAKA('G1') WHERE KCODE IN ('1101', '1102')"),
              (std::vector<std::string>{"1101|1101|11|4"}));
}

TEST_F(PriorYearReadersTest, ComparisonGroupsAndClearedSettings)
{
    Session s(UseCompany());
    EXPECT_EQ(s.Lines("SELECT REC, GROUPA1, GROUPA2, GROUPB1, GROUPB2 FROM NAVIGORE_HIKAKU"
                      " WHERE REC IN (1, 9, 13, 25, 26, 29, 31, 35) ORDER BY REC"),
              (std::vector<std::string>{"1|4100|5820||", "9|1100|1320|4100|4110", "13|4100|4110||", "25|4100|4110||",
                                        "26||||", "29|5100|5300|5510|5530", "31||||", "35|1400|1410||"}));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM OPINF"), 0);
}

}  // namespace
