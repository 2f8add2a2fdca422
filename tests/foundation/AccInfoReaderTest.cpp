#include "foundation/AccInfoReader.h"

#include "calc/AccountCodeTables.h"
#include "calc/TaxRates.h"
#include "dbupdate/SchemaBuilder.h"
#include "foundation/AccInf.h"
#include "foundation/AccInfoLoader.h"
#include "foundation/CashFlowItems.h"
#include "foundation/DataModule.h"
#include "foundation/PasswordScramble.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dbtest::DataKind;

std::string Day(TDateTime date)
{
    return FormatDateTime("yyyy/mm/dd", date);
}

// A copy of company data built through every accounting update, attached as
// the data module's company connection.
class AccInfoReaderTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.ProgramParentDir = DbPath("program");
        SystemDef.LogDir = DbPath("log");
        fs::create_directories(SystemDef.ProgramParentDir);
        fs::create_directories(SystemDef.LogDir);
        savedInfo_ = AccInf;
    }
    void TearDown() override
    {
        DM.reset();
        AccInf = savedInfo_;
        ProgramKind = savedKind_;
        ClearZeiRituList();
        FirebirdTest::TearDown();
    }

    void Open(DataKind kind) { OpenCopy(dbtest::CompanyMasterFile("", kind), dbtest::DataKindName(kind)); }

    void OpenCopy(const fs::path& master, const std::string& name)
    {
        DM.reset();
        path_ = DbPath("qhacc-" + name + ".fdb");
        dbtest::CopyMasterFile(master, path_);
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDAT.Attach(path_, dbtest::User, dbtest::Password);
    }

    // Runs SQL on a connection of its own and commits.
    void Exec(const std::string& sql)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, sql);
        q.ExecSQL();
        tr.Commit();
    }

    std::optional<std::string> Scalar(const std::string& sql)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, sql);
        q.Open();
        std::optional<std::string> value;
        if (!q.Eof())
            value = q.FieldByIndex(0).AsString();
        q.Close();
        tr.Commit();
        return value;
    }

    std::string AccReg(const std::string& code)
    {
        return Scalar("SELECT ATEXT FROM ACCREG WHERE ACODE='" + code + "'").value_or("<none>");
    }

    std::string path_;
    dbtest::SavedGlobals saved_;
    TACCINF savedInfo_;
    std::uint8_t savedKind_ = ProgramKind;
    RecordingMessagePresenter messages_;
};

TEST_F(AccInfoReaderTest, ReadsEachKindOfData)
{
    const struct {
        DataKind kind;
        int codeType;
        const char* typeName;
        const char* codeName;
        std::uint8_t chart;
        std::size_t cashFlowItems;
        std::array<const char*, 12> slots;
        std::array<const char*, 3> notes;
        std::vector<std::string> accounts;  // system accounts this data names besides the five
    } cases[] = {
        {DataKind::Corporation,
         1,
         "法人",
         "",
         0,
         39,
         {"1101", "1304", "2109", "9999", "3302", "", "", "", "", "", "", ""},
         {"1201", "2111", "2112"},
         {"'1201', '受取手形'", "'2111', '割引手形'", "'2112', '裏書手形'"}},
        {DataKind::Individual,
         3,
         "個人",
         "クリニック",
         0,
         39,
         {"1101", "1304", "2109", "9999", "3302", "1608", "2205", "3101", "", "", "", ""},
         {"", "", ""},
         {}},
        {DataKind::Medical,
         1,
         "医療法人",
         "",
         1,
         38,
         {"1101", "1304", "2109", "9999", "3302", "", "", "", "6102", "6103", "6114", "6115"},
         {"", "", ""},
         {"'3302', '前期繰越利益'", "'6102', '給料'", "'6103', '賞与'", "'6114', '賞与引当金繰入額'",
          "'6115', '退職給付費用'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(dbtest::DataKindName(c.kind));
        Open(c.kind);
        Exec("UPDATE ACCDEF1 SET CODETYPE=" + std::to_string(c.codeType) + ", TAXDEFUH=2");
        for (const std::string& account : c.accounts)
            Exec("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES (" + account + ")");
        // What another data set left behind must not survive the read.
        AccInf.KESSAN_KIKAN = 9;
        AccInf.READ_ONLY = 1;
        AccInf.YearTaxModes = {7, 7, 7};
        ASSERT_TRUE(fnGetAccInfo());
        EXPECT_TRUE(messages_.shown.empty());

        EXPECT_EQ(AccInf.DataTypeText, c.typeName);
        EXPECT_EQ(AccInf.CodeTypeText, c.codeName);
        EXPECT_EQ(AccInf.MedicalChart, c.chart);
        EXPECT_EQ(CashFlowItems.size(), c.cashFlowItems);
        // The calculations' account-code tables follow the chart of the data just opened.
        EXPECT_EQ(AccountCodeTables().RetainedEarningsGroup, c.chart == 1 ? "****" : "3340");
        for (std::size_t slot = 0; slot < 12; ++slot)
            EXPECT_EQ(AccInf.SystemCodes[slot], c.slots[slot]) << "slot " << slot;
        EXPECT_EQ(AccInf.SystemUserCodes[1], c.slots[1]);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(AccInf.NoteAccountCodes[i], c.notes[i]);
        EXPECT_EQ(AccInf.SystemCodesLoaded, 1);

        // The fiscal calendar of a year 2025/04/01 - 2026/03/31 closing at
        // month end, with no earlier starts stored.
        EXPECT_EQ(Day(AccInf.YearStarts[1]), "2024/04/01");
        EXPECT_EQ(Day(AccInf.YearEnds[1]), "2025/03/31");
        EXPECT_EQ(Day(AccInf.YearStarts[2]), "2023/04/01");
        EXPECT_EQ(Day(AccInf.YearEnds[2]), "2024/03/31");
        EXPECT_EQ(Day(AccInf.BookOpenDates[0]), "2025/04/01");
        EXPECT_EQ(Day(AccInf.BookOpenDates[2]), "2023/04/01");
        EXPECT_EQ(Day(AccInf.QuarterDates[0]), "2025/06/30");
        EXPECT_EQ(Day(AccInf.QuarterDates[1]), "2025/09/30");
        EXPECT_EQ(Day(AccInf.QuarterDates[2]), "2025/12/31");
        EXPECT_EQ(Day(AccInf.YearEnd), "2026/03/31");
        EXPECT_EQ(AccInf.YearMonths, 11);
        EXPECT_EQ(AccInf.YearEndPeriod, 15);
        EXPECT_EQ(AccInf.OpeningPeriodIndex, 0);
        EXPECT_EQ(AccInf.OpeningMonthOffset, 0);

        // The data version, as the version reader gives it too.
        const TVersionNumbers& v = AccInf.DataVersion;
        EXPECT_EQ(std::to_string(v.MAJOR) + "." + std::to_string(v.MINOR1) + "." + std::to_string(v.MINOR2),
                  fnGetDataBaseVer());
        EXPECT_GT(v.MAJOR + v.MINOR1 + v.MINOR2, 0);

        // Columns this data does not have read as their defaults.
        EXPECT_EQ(AccInf.READ_ONLY, 0);
        EXPECT_EQ(AccInf.YearTaxModes, (std::array<std::int32_t, 3>{2, 2, 2}));
        EXPECT_EQ(AccInf.FacilitySwitch, 1);   // no facilities
        EXPECT_EQ(AccInf.DepartmentCount, 0);  // no departments kept
        EXPECT_EQ(AccInf.TaxRateSwitches, (std::array<std::uint8_t, 5>{0, 0, 1, 1, 1}));
        EXPECT_EQ(AccInf.IndividualCostName, "個別原価");
        EXPECT_EQ(AccReg("個別原価別名"), "個別原価");  // stored as the default
        EXPECT_EQ(AccReg("監査処理＿決算仕訳含む"), "FALSE");
        EXPECT_EQ(AccInf.DataPassword, "");
        EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    }
}

TEST_F(AccInfoReaderTest, StoredStartsDepartmentsAuditDateAndPasswords)
{
    Open(DataKind::Corporation);
    Exec(
        "UPDATE ACCDEF1 SET ZKISHU='2024-01-01', ZZKISHU='2022-10-01', KANSA_FIXDATE='2025-09-30', BUMON=1,"
        " SITEN=1");
    Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '営業部')");
    Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('02', '製造部')");
    SystemDef.FacilitySwitch = 0;
    ASSERT_TRUE(fnGetAccInfo());
    EXPECT_EQ(Day(AccInf.YearStarts[1]), "2024/01/01");
    EXPECT_EQ(Day(AccInf.YearEnds[1]), "2025/03/31");
    EXPECT_EQ(Day(AccInf.YearStarts[2]), "2022/10/01");
    EXPECT_EQ(Day(AccInf.YearEnds[2]), "2023/12/31");
    EXPECT_EQ(std::to_string(AccInf.DepartmentCount), Scalar("SELECT COUNT(*) FROM BUMONMST WHERE BCODE<>''"));
    EXPECT_GE(AccInf.DepartmentCount, 2);
    EXPECT_EQ(AccInf.FacilitySwitch, 0);
    // Fixed at the half-year closing: settlement entries of that day are
    // within the audit by default.
    EXPECT_EQ(AccInf.AuditIncludesSettlement, 1);
    EXPECT_EQ(AccReg("監査処理＿決算仕訳含む"), "TRUE");

    // Up to version 6 the plain password, from version 7 the scrambled one.
    TEasyEncodeInfo scramble;
    scramble.Key = std::string(DataPasswordKey);
    scramble.TargetLen = DataPasswordLength;
    scramble.PlainText = "pass1234";
    scramble.PlainLen = 8;
    ASSERT_EQ(EasyEncode(scramble), 1);
    Exec(
        "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', 'データパスワード', '文字', '　old ') MATCHING (AGROUP, ACODE)");
    Exec(
        "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', 'データパスワードV2', '文字', '" +
        scramble.CodeText + "') MATCHING (AGROUP, ACODE)");
    const struct {
        int major;
        const char* password;
    } versions[] = {{6, "old"}, {7, "pass1234"}, {15, "pass1234"}};
    for (const auto& v : versions) {
        SCOPED_TRACE(v.major);
        Exec("UPDATE ACCVERSION SET MAJOR=" + std::to_string(v.major) + ", MINOR1=0, MINOR2=0");
        ASSERT_TRUE(fnGetAccInfo());
        EXPECT_EQ(AccInf.DataPassword, v.password);
        EXPECT_EQ(ZeiRituList().size(), v.major >= 12 ? 5u : 3u);
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(AccInfoReaderTest, OlderDataReadsWithDefaults)
{
    // The data as delivered, before any update added a column.
    OpenCopy(dbtest::BaseMaster(dbupdate::BaseSchema::CompanyDatabase), "base");
    AccInf.KESSAN_KIKAN = 3;
    AccInf.CASHFLOW_KIKAN1 = 4;
    AccInf.SDAI_HASUU3 = 5;
    AccInf.WEB_HOLDER = "前のデータ";
    ASSERT_TRUE(fnGetAccInfo());
    EXPECT_EQ(AccInf.KESSAN_KIKAN, 0);
    EXPECT_EQ(AccInf.CASHFLOW_KIKAN1, 0);
    EXPECT_EQ(AccInf.SDAI_HASUU3, 0);
    EXPECT_EQ(AccInf.WEB_HOLDER, "");
    EXPECT_EQ(AccInf.CommHolders[0], "");
    EXPECT_EQ(AccInf.DataVersion.MAJOR, 0);
    EXPECT_EQ(ZeiRituList().size(), 3u);
    EXPECT_EQ(AccInf.SystemCodes[4], "3302");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(AccInfoReaderTest, AnUnreadablePasswordKeepsTheDataClosedAndStoresNothing)
{
    Open(DataKind::Corporation);
    Exec("UPDATE ACCVERSION SET MAJOR=15");
    Exec("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', 'データパスワードV2', '文字', '#?!')");
    const std::string rowsBefore = Scalar("SELECT COUNT(*) FROM ACCREG").value_or("");
    AccInf.SHOUGOU = "前のデータ";

    EXPECT_FALSE(fnGetAccInfo());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text.rfind("基本情報の取得に失敗しました。", 0), 0u);
    EXPECT_NE(messages_.shown[0].Text.find("データパスワードを復元できませんでした。"), std::string::npos);
    // Nothing of a data set stays behind, and the defaults read on the way
    // were not kept.
    EXPECT_EQ(AccInf.SHOUGOU, "");
    EXPECT_EQ(AccInf.DataPassword, "");
    EXPECT_EQ(AccInf.DATATYPE, 0);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ACCREG").value_or(""), rowsBefore);
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
}

TEST_F(AccInfoReaderTest, MissingSettingsRowOrKindFails)
{
    Open(DataKind::Corporation);
    const struct {
        const char* sql;
        const char* detail;
    } cases[] = {
        {"UPDATE ACCDEF1 SET DATATYPE=4",
         "このプログラムでは、該当のデータタイプを処理することが出来ません。(DataType=4)"},
        {"UPDATE ACCDEF1 SET DATATYPE=1, CODETYPE=2",
         "このプログラムでは、該当のコードタイプを処理することが出来ません。(CodeType=2)"},
        {"DELETE FROM ACCDEF1", "基本設定(ACCDEF1)のレコードが見つかりませんでした。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        Exec(c.sql);
        messages_.shown.clear();
        EXPECT_FALSE(fnGetAccInfo());
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].Text, std::string("基本情報の取得に失敗しました。\r\r\r[詳細情報]\r") + c.detail);
    }
}

TEST_F(AccInfoReaderTest, VersionReaderLeavesTheCallersTransactionOpen)
{
    Open(DataKind::Corporation);
    DM->IBTransactionDAT.Start();
    db::Query insert(DM->IBDatabaseDAT, DM->IBTransactionDAT, "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('77', 'x')");
    insert.ExecSQL();
    const std::string version = fnGetDataBaseVer();
    EXPECT_NE(version, "0.0.0");
    ASSERT_TRUE(DM->IBTransactionDAT.InTransaction());
    DM->IBTransactionDAT.Rollback();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM BUMONMST WHERE BCODE='77'"), "0");

    // The screens' reload runs the reader once it is installed.
    InstallAccInfoReader();
    AccInf = TACCINF{};
    EXPECT_TRUE(ReloadAccInfo());
    EXPECT_EQ(AccInf.DATATYPE, 1);
    SetAccInfoLoader({});
}

TEST(CodeTypeName, NamesKindsAndRefusesOthers)
{
    const struct {
        int dataType, codeType;
        bool withKind;
        const char* name;  // nullptr: the error
        const char* error;
    } cases[] = {
        {1, 1, false, "", nullptr},
        {1, 1, true, "法人", nullptr},
        {3, 1, true, "医療法人", nullptr},
        {2, 3, false, "クリニック", nullptr},
        {2, 4, true, "個人／農業", nullptr},
        {2, 1, true, "個人／一般", nullptr},
        {2, 5, false, nullptr, "(CodeType=5)"},
        {1, 2, false, nullptr, "(CodeType=2)"},
        {5, 9, false, nullptr, "(CodeType=9)"},
        {5, 1, false, nullptr, "(DataType=5)"},
        {0, 1, true, nullptr, "(DataType=0)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dataType) + "/" + std::to_string(c.codeType));
        if (c.name != nullptr) {
            EXPECT_EQ(CodeTypeName(c.dataType, c.codeType, c.withKind), c.name);
            continue;
        }
        try {
            CodeTypeName(c.dataType, c.codeType, c.withKind);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(c.error), std::string::npos) << text;
        }
    }
}

TEST(IsKansaLocked, FollowsTheAuditLock)
{
    const TACCINF saved = AccInf;
    const TSystemDef savedDef = SystemDef;
    const std::uint8_t savedKind = ProgramKind;
    const TDateTime fixed = EncodeDate(2024, 3, 31);
    const struct {
        const char* name;
        TDateTime date;
        bool settlement;
        std::uint8_t includes;
        std::int32_t lock, jimusho, jobLevel;
        std::uint8_t kind;
        bool locked;
    } cases[] = {
        {"normal entry on the fixed day", fixed, false, 0, 1, 0, 1, 0, true},
        {"settlement entry on the fixed day", fixed, true, 0, 1, 0, 1, 0, false},
        {"settlement entry, settlement included", fixed, true, 1, 1, 0, 1, 0, true},
        {"day before", fixed - 1, true, 0, 1, 0, 1, 0, true},
        {"day after", fixed + 1, false, 1, 1, 0, 1, 0, false},
        {"lock off", fixed - 1, false, 0, 0, 0, 1, 0, false},
        {"no date", 0, false, 0, 1, 0, 1, 0, false},
        {"office operator", fixed - 1, false, 0, 1, 1, 1, 0, false},
        {"administrator", fixed - 1, false, 0, 1, 0, 9, 0, false},
        {"administrator of program kind 3", fixed - 1, false, 0, 1, 0, 9, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AccInf.KANSA_FIXDATE = fixed;
        AccInf.KANSA_DATE = EncodeDate(2024, 5, 10);
        AccInf.KANSA_LOCK = c.lock;
        AccInf.AuditIncludesSettlement = c.includes;
        SystemDef.JIMUSHO = static_cast<std::uint8_t>(c.jimusho);
        SystemDef.JOBLEVEL = c.jobLevel;
        ProgramKind = c.kind;
        // A time of day does not move an entry to another day.
        EXPECT_EQ(IsKansaLocked(c.date == 0 ? 0 : c.date + 0.5, c.settlement), c.locked);
    }
    AccInf = saved;
    SystemDef = savedDef;
    ProgramKind = savedKind;
}

}  // namespace
