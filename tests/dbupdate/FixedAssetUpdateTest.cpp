// The fixed-asset store of accounting update 0.1.1 (tables, initial journal
// settings, procedures), on copies of company databases built through the
// real updates.
//
// The facility and account triggers of the same update call the settings
// procedures too; the tests do not rely on them: where a test adds a
// facility or an account it removes whatever settings rows a trigger made
// and calls the procedures itself.

#include "CompanyUpdateTestSupport.h"

#include "platform/db/FbError.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using companytest::CompanyMaster;
using companytest::CopyCompanyMaster;
using companytest::DataKind;
using schematest::Session;

// The settings of a journal-settings row as the tests compare them.
const std::string SettingsColumns =
    "GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK, RUIKEIKCODE, SYOKYAKU1_KCODE, SYOKYAKU2_KCODE, "
    "JIGYOUNUSI_KCODE, BAISONKCODE, JYOSONKCODE, BAIEKIKCODE";
// Those settings of a row that no initial row filled.
const char* const NullSettings =
    "<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>";

class FixedAssetUpdateTest : public dbtest::FirebirdTest {
protected:
    std::string Copy(DataKind kind = DataKind::Corporation)
    {
        return CopyCompanyMaster(CompanyMaster("0.1.1", kind), folder_ / "data" / dbtest::DataKindName(kind));
    }

    // A facility keeping the departments (each added to the department
    // master when missing), without journal settings rows.
    static void AddFacility(Session& s, const std::string& scode, const std::vector<std::string>& departments = {})
    {
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('" + scode + "', 'テスト', 0)");
        s.Exec("DELETE FROM KS_SETSWK WHERE SCODE = '" + scode + "'");
        for (const std::string& bcode : departments) {
            s.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('" + bcode + "', '部門') MATCHING (BCODE)");
            s.Exec("UPDATE OR INSERT INTO SISETUBUM (SCODE, BCODE) VALUES ('" + scode + "', '" + bcode +
                   "') MATCHING (SCODE, BCODE)");
        }
    }

    // An asset of building account 1401 in the facility.
    static void AddAsset(Session& s, int rec, const std::string& scode)
    {
        s.Exec(
            "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, MEISYOU, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, "
            "SYUNYUHCODE) VALUES (" +
            std::to_string(rec) + ", '" + scode + "', '1401', ' ', '本社ビル', NULL, NULL, NULL, NULL)");
    }

    static void SetAllocation(Session& s, int rec, const std::string& scode, const std::string& bcode,
                              const std::string& haibun, const std::string& dummy = "''")
    {
        s.Exec("INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE, HAIBUN, DUMMY) VALUES (" + std::to_string(rec) + ", '" +
               scode + "', '" + bcode + "', " + haibun + ", " + dummy + ")");
    }

    static std::vector<std::string> Allocation(Session& s, int rec)
    {
        return s.Lines("SELECT BCODE, HAIBUN, DUMMY FROM KS_BUMONHB WHERE KS_REC = " + std::to_string(rec) +
                       " ORDER BY BCODE");
    }
};

// ---------------------------------------------------------------------------
// Initial journal settings

TEST_F(FixedAssetUpdateTest, InitialSettingsHoldBothDataTypesNumberedByTheirTrigger)
{
    Session s(Copy());
    // Per data type and asset group: rows, of which with an account.
    EXPECT_EQ(s.Lines("SELECT ACCGROUP, KGROUP, COUNT(*), COUNT(KCODE) FROM KS_SETSWK_INIT "
                      "GROUP BY ACCGROUP, KGROUP ORDER BY ACCGROUP, KGROUP"),
              (std::vector<std::string>{"1|0|14|13", "1|1|7|6", "1|2|10|9", "1|3|4|3", "2|0|14|13", "2|1|7|6",
                                        "2|2|10|9", "2|3|4|3"}));
    // Inserted with REC 0: the trigger numbers them in insertion order.
    EXPECT_EQ(s.Line("SELECT COUNT(DISTINCT REC), MIN(REC) FROM KS_SETSWK_INIT"), "70|1");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT A JOIN KS_SETSWK_INIT B ON A.ACCGROUP = 1 AND "
                      "B.ACCGROUP = 2 WHERE A.REC > B.REC"),
              0);
    EXPECT_EQ(s.Line("SELECT KCODE FROM KS_SETSWK_INIT WHERE REC = (SELECT MIN(REC) FROM KS_SETSWK_INIT)"), "1401");
    // The texts and the list flag are the same in every row.
    EXPECT_EQ(s.Lines("SELECT DISTINCT NOTLIST, TEKIYO, SYOKYAKUTEKIYO, BAISONTEKIYO, JYOSONTEKIYO, BAIEKITEKIYO "
                      "FROM KS_SETSWK_INIT"),
              (std::vector<std::string>{"1|購入|償却|売却|除却|売却"}));
}

TEST_F(FixedAssetUpdateTest, InitialSettingsValues)
{
    struct Case {
        int accGroup;
        int kGroup;
        const char* kcode;  // nullptr: the group's default row
        const char* settings;
    };
    const Case cases[] = {
        {1, 0, "1401", "0|1|0|1|0|1|1416|6204|5606|1608|8201|8202|8101"},
        {1, 0, "1416", "0|1|0|1|0|1|1416|6204|5606|1608|8201|8202|8101"},
        {1, 0, nullptr, "0|1|0|1|0|1|1416|6204|5606|1608|8201|8202|8101"},
        {2, 0, "1411", "0|1|0|1|0|1|1416|6204|5606|1608|1608|1608|2205"},
        {1, 1, "1506", "1|0|0|3|0|0|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
        {2, 1, nullptr, "0|0|1|3|0|0|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
        {1, 2, "1620", "2|0|0|3|0|0|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
        {2, 2, "1608", "2|0|0|3|0|0|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
        {1, 2, nullptr, "0|0|2|3|0|0|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
        {1, 3, "1701", "3|0|0|1|0|1|<null>|6204|5606|1608|8201|8202|8101"},
        {2, 3, "1703", "3|0|0|1|0|1|<null>|6204|5606|1608|1608|1608|2205"},
        {2, 3, nullptr, "0|0|3|1|0|1|<null>|6204|5606|1608|1608|1608|2205"},
    };
    Session s(Copy());
    for (const Case& c : cases) {
        const std::string kcode = c.kcode ? std::string(c.kcode) : "(default)";
        SCOPED_TRACE("ACCGROUP " + std::to_string(c.accGroup) + ", KGROUP " + std::to_string(c.kGroup) + ", " + kcode);
        const std::string where = " WHERE ACCGROUP = " + std::to_string(c.accGroup) +
                                  " AND KGROUP = " + std::to_string(c.kGroup) +
                                  (c.kcode ? " AND KCODE = '" + std::string(c.kcode) + "'" : " AND KCODE IS NULL");
        EXPECT_EQ(s.Lines("SELECT " + SettingsColumns + " FROM KS_SETSWK_INIT" + where),
                  (std::vector<std::string>{c.settings}));
    }
}

// ---------------------------------------------------------------------------
// Journal settings of the facilities

TEST_F(FixedAssetUpdateTest, ExistingFacilityGetsSettingsForEveryAssetAccountOfItsDataType)
{
    struct Case {
        DataKind kind;
        const char* building;  // 1401
        const char* deferred;  // 1701
    };
    const Case cases[] = {
        {DataKind::Corporation, "0|1|0|1|0|1|1416|6204|5606|1608|8201|8202|8101",
         "3|0|0|1|0|1|<null>|6204|5606|1608|8201|8202|8101"},
        {DataKind::Individual, "0|1|0|1|0|1|1416|6204|5606|1608|1608|1608|2205",
         "3|0|0|1|0|1|<null>|6204|5606|1608|1608|1608|2205"},
        // Medical corporations have no initial rows: every setting is null.
        {DataKind::Medical, NullSettings, NullSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(dbtest::DataKindName(c.kind));
        Session s(Copy(c.kind));
        // Accounts of groups 1400 to 1800 of the chart, nothing else.
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = ' '"), 31);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK S JOIN KAMOKUMST K ON K.KCODE = S.KCODE "
                          "WHERE CAST(K.GROUPM1 AS INTEGER) BETWEEN 1400 AND 1800"),
                  31);
        EXPECT_EQ(s.Lines("SELECT " + SettingsColumns + " FROM KS_SETSWK WHERE SCODE = ' ' AND KCODE = '1401'"),
                  (std::vector<std::string>{c.building}));
        EXPECT_EQ(s.Lines("SELECT " + SettingsColumns + " FROM KS_SETSWK WHERE SCODE = ' ' AND KCODE = '1701'"),
                  (std::vector<std::string>{c.deferred}));
        // No sub-accounts yet; the spare column is empty.
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE RUIKEIHCODE IS NULL AND SYOKYAKU1_HCODE IS NULL "
                          "AND SYOKYAKU2_HCODE IS NULL AND JIGYOUNUSI_HCODE IS NULL AND BAISONHCODE IS NULL "
                          "AND JYOSONHCODE IS NULL AND BAIEKIHCODE IS NULL AND DUMMY = ''"),
                  31);
    }
}

TEST_F(FixedAssetUpdateTest, InsertSettingsClassifiesTheAccountGroup)
{
    // Cash 1101 has no initial row of its own, so the row shows the
    // default row of the group the account group falls into.
    struct Case {
        int groupm1;
        const char* kcode;
        const char* settings;  // GSTAISYOU..SETSWK, "<none>" for no row
    };
    const Case cases[] = {
        {1399, "1101", "<none>"},
        {1400, "1101", "0|1|0|1|0|1"},
        {1599, "1101", "0|1|0|1|0|1"},
        {1600, "1101", "0|0|1|3|0|0"},
        {1699, "1101", "0|0|1|3|0|0"},
        {1700, "1101", "0|0|2|3|0|0"},
        {1799, "1101", "0|0|2|3|0|0"},
        {1800, "1101", "0|0|3|1|0|1"},
        {1801, "1101", "<none>"},
        // An account's own row wins over the default row of its group, but
        // only within the group.
        {1800, "1701", "3|0|0|1|0|1"},
        {1400, "1501", "0|1|0|1|0|1"},
    };
    Session s(Copy());
    AddFacility(s, "T1");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.groupm1) + " " + c.kcode);
        s.Exec("DELETE FROM KS_SETSWK WHERE SCODE = 'T1'");
        s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK('T1', " + std::to_string(c.groupm1) + ", '" + c.kcode + "')");
        EXPECT_EQ(s.Line("SELECT GSTAISYOU, GSKEIJYO, GSKAHI, GSHOUHOU, GSSISANZEI, SETSWK FROM KS_SETSWK "
                         "WHERE SCODE = 'T1'"),
                  c.settings);
        EXPECT_LE(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1'"), 1);
    }

    // A facility that does not exist gets nothing.
    s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK('T9', 1400, '1401')");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T9'"), 0);
}

TEST_F(FixedAssetUpdateTest, NewAccountTakesTheDefaultRowOfTheCompanysDataTypeInEveryFacility)
{
    const struct {
        DataKind kind;
        const char* settings;
    } cases[] = {
        {DataKind::Corporation, "0|1|0|1|0|1|1416|6204|5606|1608|8201|8202|8101"},
        {DataKind::Individual, "0|1|0|1|0|1|1416|6204|5606|1608|1608|1608|2205"},
        {DataKind::Medical, NullSettings},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(dbtest::DataKindName(c.kind));
        Session s(Copy(c.kind));
        AddFacility(s, "T1");
        s.Exec(
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) "
            "VALUES ('1413', '1413', '美術品', '1400', '1400', 'B', 1)");
        s.Exec("DELETE FROM KS_SETSWK WHERE KCODE = '1413'");
        s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU('1413', 1400)");
        EXPECT_EQ(s.Lines("SELECT SCODE, " + SettingsColumns + " FROM KS_SETSWK WHERE KCODE = '1413' ORDER BY SCODE"),
                  (std::vector<std::string>{std::string(" |") + c.settings, std::string("T1|") + c.settings}));
    }
}

TEST_F(FixedAssetUpdateTest, FacilitySettingsCoverAccountGroups1400To1800Only)
{
    Session s(Copy());
    AddFacility(s, "T1");
    // Groups are texts: one that is no number must not stop the procedure.
    s.Exec("UPDATE KAMOKUMST SET GROUPM1 = 'ZZ' WHERE KCODE = '9999'");
    s.Exec("UPDATE KAMOKUMST SET GROUPM1 = '' WHERE KCODE = '8301'");
    s.Exec("UPDATE KAMOKUMST SET GROUPM1 = '1800' WHERE KCODE = '1101'");
    s.Exec("UPDATE KAMOKUMST SET GROUPM1 = '1801' WHERE KCODE = '1102'");
    s.Exec("UPDATE KAMOKUMST SET GROUPM1 = '1399' WHERE KCODE = '1103'");

    s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('T1')");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1'"), 32);
    EXPECT_EQ(s.Lines("SELECT KCODE FROM KS_SETSWK WHERE SCODE = 'T1' AND KCODE NOT IN "
                      "(SELECT KCODE FROM KS_SETSWK WHERE SCODE = ' ')"),
              (std::vector<std::string>{"1101"}));
    // Every row numbered by the trigger.
    EXPECT_EQ(s.Count("SELECT COUNT(DISTINCT REC) FROM KS_SETSWK WHERE REC > 0"),
              s.Count("SELECT COUNT(*) FROM KS_SETSWK"));
}

// ---------------------------------------------------------------------------
// Department allocation

TEST_F(FixedAssetUpdateTest, AllocationRowUpsert)
{
    // A null on either side is no difference; otherwise one difference
    // rewrites both values.
    struct Case {
        const char* name;
        const char* existing;  // "HAIBUN, DUMMY" of the row, nullptr: no row
        const char* args;      // PHAIBUN, PDUMMY
        const char* after;     // BCODE|HAIBUN|DUMMY
    };
    const Case cases[] = {
        {"no row: inserted", nullptr, "40, 'N'", "01|40|N"},
        {"rate differs", "50, 'A'", "60, 'A'", "01|60|A"},
        {"spare text differs", "50, 'A'", "50, 'B'", "01|50|B"},
        {"nothing differs", "50, 'A'", "50, 'A'", "01|50|A"},
        {"null rate argument", "50, 'A'", "NULL, 'A'", "01|50|A"},
        {"null stored rate", "NULL, 'A'", "60, 'A'", "01|<null>|A"},
        {"rate differs, null text", "50, 'A'", "60, NULL", "01|60|<null>"},
    };
    Session s(Copy());
    AddFacility(s, "T1", {"00", "01"});
    AddAsset(s, 1, "T1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.Exec("DELETE FROM KS_BUMONHB");
        if (c.existing)
            s.Exec(std::string("INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE, HAIBUN, DUMMY) VALUES (1, 'T1', '01', ") +
                   c.existing + ")");
        s.Exec(std::string("EXECUTE PROCEDURE SP_KS_BUMONHB_REC_ADD(1, 'T1', '01', ") + c.args + ")");
        EXPECT_EQ(Allocation(s, 1), (std::vector<std::string>{c.after}));
    }
}

TEST_F(FixedAssetUpdateTest, AllocationAddsMissingDepartmentsWithRateZero)
{
    Session s(Copy());
    AddFacility(s, "T1", {"00", "01", "02"});
    AddFacility(s, "T2", {"00", "01"});
    AddAsset(s, 1, "T1");
    AddAsset(s, 2, "T1");
    AddAsset(s, 3, "T2");
    // Asset 1 is allocated wholly to the common department; the departments
    // after it must not take over its rate.
    SetAllocation(s, 1, "T1", "00", "100", "'X'");
    SetAllocation(s, 3, "T2", "00", "100");

    s.Exec("EXECUTE PROCEDURE SP_KS_BUMONHB_ADD('T1')");
    EXPECT_EQ(Allocation(s, 1), (std::vector<std::string>{"00|100|X", "01|0|", "02|0|"}));
    EXPECT_EQ(Allocation(s, 2), (std::vector<std::string>{"00|0|", "01|0|", "02|0|"}));
    // Other facilities are not touched.
    EXPECT_EQ(Allocation(s, 3), (std::vector<std::string>{"00|100|"}));

    // Again: nothing changes.
    s.Exec("EXECUTE PROCEDURE SP_KS_BUMONHB_ADD('T1')");
    EXPECT_EQ(Allocation(s, 1), (std::vector<std::string>{"00|100|X", "01|0|", "02|0|"}));

    // A facility without assets, or without departments, gets nothing.
    AddFacility(s, "T3", {"00"});
    AddFacility(s, "T4");
    AddAsset(s, 4, "T4");
    s.Exec("EXECUTE PROCEDURE SP_KS_BUMONHB_ADD('T3')");
    s.Exec("EXECUTE PROCEDURE SP_KS_BUMONHB_ADD('T4')");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_BUMONHB WHERE SCODE IN ('T3', 'T4')"), 0);
}

TEST_F(FixedAssetUpdateTest, AllocationRepairPutsTheRestOnTheCommonDepartment)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> rates;  // BCODE, HAIBUN
        const char* syufuku;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"60 and 30", {{"00", "60"}, {"01", "30"}}, "1", {"00|70|", "01|30|"}},
        {"over 100", {{"00", "80"}, {"01", "30"}, {"02", "10"}}, "1", {"00|60|", "01|30|", "02|10|"}},
        {"fractions",
         {{"00", "33.3333"}, {"01", "33.3333"}, {"02", "33.3333"}},
         "1",
         {"00|33.3334|", "01|33.3333|", "02|33.3333|"}},
        {"already 100", {{"00", "40"}, {"01", "60"}}, "0", {"00|40|", "01|60|"}},
        // Without other departments the common one takes it all, and a
        // missing rate counts as none.
        {"common only", {{"00", "60"}}, "1", {"00|100|"}},
        {"null rate", {{"00", "NULL"}, {"01", "30"}}, "1", {"00|70|", "01|30|"}},
        {"no rate at all", {{"00", "NULL"}, {"01", "NULL"}}, "1", {"00|100|", "01|<null>|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        AddFacility(s, "T1", {"00", "01", "02"});
        AddAsset(s, 1, "T1");
        AddAsset(s, 2, "T1");
        for (const auto& [bcode, haibun] : c.rates)
            SetAllocation(s, 1, "T1", bcode, haibun);
        // A second asset already right stays as it is.
        SetAllocation(s, 2, "T1", "00", "25");
        SetAllocation(s, 2, "T1", "01", "75");

        EXPECT_EQ(s.Lines("SELECT SYUFUKU FROM SP_KS_SISAN_SYUFUKU_HAIBUNRITU('T1')"),
                  (std::vector<std::string>{c.syufuku}));
        EXPECT_EQ(Allocation(s, 1), c.after);
        EXPECT_EQ(Allocation(s, 2), (std::vector<std::string>{"00|25|", "01|75|"}));
    }
}

TEST_F(FixedAssetUpdateTest, AllocationRepairOfAFacilityWithoutDepartmentsReturnsNoRow)
{
    Session s(Copy());
    AddFacility(s, "T1");
    AddAsset(s, 1, "T1");
    EXPECT_EQ(s.Lines("SELECT SYUFUKU FROM SP_KS_SISAN_SYUFUKU_HAIBUNRITU('T1')"), std::vector<std::string>{});
    // With departments but no assets: one row, nothing repaired.
    AddFacility(s, "T2", {"00"});
    EXPECT_EQ(s.Lines("SELECT SYUFUKU FROM SP_KS_SISAN_SYUFUKU_HAIBUNRITU('T2')"), (std::vector<std::string>{"0"}));
}

// ---------------------------------------------------------------------------
// Asset book

TEST_F(FixedAssetUpdateTest, AssetBookUpsert)
{
    struct Case {
        const char* name;
        const char* args;   // PTEKIYO, PSYUTOKIN, PKISHU, PSYOKYAKU, PBOKAGAKU, PDUMMY
        const char* after;  // TEKIYO|SYUTOKIN|KISHU|SYOKYAKU|BOKAGAKU|DUMMY
    };
    // Each case runs on the row "取得|1000|1000|100|900|D".
    const Case cases[] = {
        {"nothing differs", "'取得', 1000, 1000, 100, 900, 'D'", "取得|1000|1000|100|900|D"},
        {"depreciation differs", "'取得', 1000, 1000, 150, 850, 'D'", "取得|1000|1000|150|850|D"},
        {"text differs", "'期首', 1000, 1000, 100, 900, 'D'", "期首|1000|1000|100|900|D"},
        {"spare text differs", "'取得', 1000, 1000, 100, 900, 'E'", "取得|1000|1000|100|900|E"},
        {"nulls only", "NULL, NULL, NULL, NULL, NULL, NULL", "取得|1000|1000|100|900|D"},
        {"a null and a difference", "'取得', NULL, 1000, 200, 800, 'D'", "取得|<null>|1000|200|800|D"},
    };
    Session s(Copy());
    AddFacility(s, "T1");
    AddAsset(s, 1, "T1");
    const std::string key = "1, DATE '2025-04-01', 1";
    const std::string row = "SELECT TEKIYO, SYUTOKIN, KISHU, SYOKYAKU, BOKAGAKU, DUMMY FROM KS_DAICHO";

    // Absent: inserted.
    s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(" + key + ", '取得', 1000, 1000, 100, 900, 'D')");
    EXPECT_EQ(s.Lines(row), (std::vector<std::string>{"取得|1000|1000|100|900|D"}));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.Exec(
            "UPDATE KS_DAICHO SET TEKIYO = '取得', SYUTOKIN = 1000, KISHU = 1000, SYOKYAKU = 100, "
            "BOKAGAKU = 900, DUMMY = 'D'");
        s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(" + key + ", " + c.args + ")");
        EXPECT_EQ(s.Lines(row), (std::vector<std::string>{c.after}));
    }

    // Another date or kind is another row.
    s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(1, DATE '2025-04-01', 2, '償却', NULL, NULL, 100, NULL, '')");
    s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(1, DATE '2026-03-31', 1, '期末', NULL, NULL, NULL, 800, '')");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_DAICHO WHERE REC = 1"), 3);
}

// ---------------------------------------------------------------------------
// Defaults and foreign keys

TEST_F(FixedAssetUpdateTest, AssetRowsTakeTheirDefaults)
{
    Session s(Copy());
    AddFacility(s, "T1", {"00"});
    s.Exec(
        "INSERT INTO KS_SISAN (REC, SCODE, KCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
        "VALUES (1, 'T1', '1401', NULL, NULL, NULL, NULL)");
    // The account's own sub-account (one blank), state 1, method 1, the
    // sales and business shares 100 percent; amounts stay null.
    EXPECT_EQ(s.Line("SELECT KANRI, HCODE, BCODE, MEISYOU, JYOKYO, GSKAHI, GSHOUHOU, GSSISANZEI, SYUTOSWK, "
                     "ISINPKOUNYUTAX, ISINPSYUTOKIN, ISINPKISOKIN, ISINPSYOURITU, JYOBAI, GENSYOSWK, "
                     "ISINPBAIKYAKUTAX, ISINPSYOUKIKAN, ISINPFUTUSYOUKIN, TEKIYO, TRANSKBN, KAITEISYUTOKUKAGAKU, "
                     "KAITEISYUTOKUKAGAKU_INPUT, ISINPKAITEISYUTOKUKAGAKU, HANBAIHIWARIAI, JIGYOUWARIAI, "
                     "ZANKAHOSYOUGAKU, DUMMY, SURYO, SYUTOKIN FROM KS_SISAN"),
              "| |||1|0|1|0|0|0|0|0|0|0|0|0|0|0||<null>|0|0|0|100|100|0||<null>|<null>");
    s.Exec("INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE) VALUES (1, 'T1', '00')");
    EXPECT_EQ(s.Line("SELECT HAIBUN, DUMMY FROM KS_BUMONHB"), "<null>|");
    s.Exec("INSERT INTO KS_DAICHO (REC, HIZUKE, DTYPE) VALUES (1, DATE '2025-04-01', 1)");
    EXPECT_EQ(s.Line("SELECT TEKIYO, SYUTOKIN, DUMMY FROM KS_DAICHO"), "|<null>|");
}

TEST_F(FixedAssetUpdateTest, AssetRowsGoWithTheirAsset)
{
    Session s(Copy());
    AddFacility(s, "T1", {"00", "01"});
    AddAsset(s, 1, "T1");
    AddAsset(s, 2, "T1");
    SetAllocation(s, 1, "T1", "00", "50");
    SetAllocation(s, 1, "T1", "01", "50");
    s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(1, DATE '2025-04-01', 1, '取得', 1000, 0, 0, 1000, '')");
    s.Exec("EXECUTE PROCEDURE SP_KS_DAICHO_UPDATE(2, DATE '2025-04-01', 1, '取得', 500, 0, 0, 500, '')");

    // A renumbered asset takes its book along; the allocation rows do not
    // follow, so an allocated asset keeps its number.
    s.Exec("UPDATE KS_SISAN SET REC = 20 WHERE REC = 2");
    EXPECT_EQ(s.Lines("SELECT REC FROM KS_DAICHO ORDER BY REC"), (std::vector<std::string>{"1", "20"}));
    EXPECT_THROW(s.Exec("UPDATE KS_SISAN SET REC = 10 WHERE REC = 1"), db::FbError);
    SetAllocation(s, 20, "T1", "00", "100");

    // A deleted asset takes its allocation and book along.
    s.Exec("DELETE FROM KS_SISAN WHERE REC = 1");
    EXPECT_EQ(s.Lines("SELECT KS_REC, BCODE FROM KS_BUMONHB ORDER BY KS_REC, BCODE"),
              (std::vector<std::string>{"20|00"}));
    EXPECT_EQ(s.Lines("SELECT REC FROM KS_DAICHO"), (std::vector<std::string>{"20"}));

    // A department the facility gives up takes its allocation rows along.
    s.Exec("DELETE FROM SISETUBUM WHERE SCODE = 'T1' AND BCODE = '00'");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_BUMONHB"), 0);
    // An allocation needs a department of the facility.
    EXPECT_THROW(SetAllocation(s, 20, "T1", "00", "100"), db::FbError);
}

TEST_F(FixedAssetUpdateTest, FacilityAndSubAccountKeysOfTheSettingsAndAssets)
{
    Session s(Copy());
    AddFacility(s, "T1");
    AddFacility(s, "T2");
    s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('T1')");
    s.Exec("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('T2')");

    // A sub-account named by a setting or an asset.
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('8201', '01', '土地売却損')");
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1401', '01', '本社')");
    s.Exec("UPDATE KS_SETSWK SET BAISONHCODE = '01' WHERE SCODE = 'T1' AND KCODE = '1401'");
    s.Exec(
        "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
        "VALUES (1, 'T2', '1401', '01', '8201', '01', NULL, NULL)");

    // Deleting it empties the setting and the payment account of the asset,
    // but the asset's own sub-account cannot go.
    s.Exec("DELETE FROM HOJOMST WHERE KCODE = '8201' AND HCODE = '01'");
    EXPECT_EQ(s.Line("SELECT BAISONKCODE, BAISONHCODE FROM KS_SETSWK WHERE SCODE = 'T1' AND KCODE = '1401'"),
              "<null>|<null>");
    EXPECT_EQ(s.Line("SELECT SIHAKCODE, SIHAHCODE FROM KS_SISAN WHERE REC = 1"), "<null>|<null>");
    EXPECT_THROW(s.Exec("DELETE FROM HOJOMST WHERE KCODE = '1401' AND HCODE = '01'"), db::FbError);

    // A renamed facility keeps its settings and assets; a deleted one loses
    // its settings, but not while it has assets.
    s.Exec("UPDATE SISETUMST SET SCODE = 'T3' WHERE SCODE = 'T2'");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T3'"), 31);
    EXPECT_EQ(s.Line("SELECT SCODE FROM KS_SISAN WHERE REC = 1"), "T3");
    s.Exec("DELETE FROM SISETUMST WHERE SCODE = 'T1'");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = 'T1'"), 0);
    EXPECT_THROW(s.Exec("DELETE FROM SISETUMST WHERE SCODE = 'T3'"), db::FbError);
}

TEST_F(FixedAssetUpdateTest, RenumberedAccountsCarryTheirInitialSettings)
{
    Session s(Copy());
    s.Exec("UPDATE KAMOKUMST SET KCODE = '8291' WHERE KCODE = '8201'");
    s.Exec("UPDATE KAMOKUMST SET KCODE = '1491' WHERE KCODE = '1401'");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE BAISONKCODE = '8291'"), 18);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE KCODE = '1491'"), 2);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE KCODE = '1491'"), 1);
    // An initial row keeps its account in the chart.
    EXPECT_THROW(s.Exec("DELETE FROM KAMOKUMST WHERE KCODE = '1620'"), db::FbError);
}

// ---------------------------------------------------------------------------

TEST_F(FixedAssetUpdateTest, LeasePeriodStraightLineMethodIsAdded)
{
    Session s(Copy());
    EXPECT_EQ(s.Line("SELECT GDNAM FROM GENKADIV WHERE CODE = 6"), "リース期間定額法");
}

}  // namespace
