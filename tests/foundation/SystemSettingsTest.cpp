#include "foundation/SystemSettings.h"

#include "calc/FiscalDates.h"
#include "dbupdate/SchemaBuilder.h"
#include "foundation/DataModule.h"
#include "foundation/InstalledFonts.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SysRegStore.h"
#include "foundation/SystemDef.h"
#include "foundation/StyleColorStore.h"
#include "foundation/SystemIniStore.h"

#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t OpCode = 100000010;

// A copy of the delivered system database, attached as the data module's
// system connection, and operator 10 of group 10000 logged on.
class SystemSettingsTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        static const fs::path master = dbtest::BaseMaster(dbupdate::BaseSchema::SystemDatabase);
        path_ = DbPath("qhaccdef.fdb");
        dbtest::CopyMasterFile(master, path_);
        SystemDef.OPCODE = OpCode;
        SystemDef.GROUPID = 10000;
        SystemDef.ProgramParentDir = DbPath("program");
        SystemDef.LogDir = DbPath("log");
        fs::create_directories(SystemDef.ProgramParentDir);
        fs::create_directories(SystemDef.LogDir);
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDEF.Attach(path_, dbtest::User, dbtest::Password);
    }
    void TearDown() override
    {
        DM.reset();
        EditionFlag = savedEdition_;
        SetInstalledFontTest({});
        ClearGengoTable();
        FirebirdTest::TearDown();
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

    // Changes the schema while the data module's statements are let go.
    void ChangeSchema(const std::string& sql)
    {
        DM.reset();
        Exec(sql);
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDEF.Attach(path_, dbtest::User, dbtest::Password);
    }

    // (STYPE, STEXT) of every SYSREG row of an operator code, read on a
    // connection of its own.
    std::map<std::string, std::pair<std::string, std::optional<std::string>>> SysReg(std::int32_t opcode)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, "SELECT SCODE, STYPE, STEXT FROM SYSREG WHERE OPCODE=:OPCODE");
        q.ParamByName("OPCODE").SetInteger(opcode);
        std::map<std::string, std::pair<std::string, std::optional<std::string>>> rows;
        for (q.Open(); !q.Eof(); q.Next())
            rows[q.FieldByName("SCODE").AsString()] = {q.FieldByName("STYPE").AsString(),
                                                       q.FieldByName("STEXT").OptionalString()};
        q.Close();
        tr.Commit();
        return rows;
    }

    std::optional<std::int32_t> SysDefColumn(const std::string& column)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, "SELECT " + column + " FROM SYSDEF WHERE OPCODE=" + std::to_string(OpCode));
        q.Open();
        std::optional<std::int32_t> value;
        if (!q.Eof())
            value = q.FieldByIndex(0).OptionalInteger();
        q.Close();
        tr.Commit();
        return value;
    }

    std::string path_;
    dbtest::SavedGlobals saved_;
    std::uint8_t savedEdition_ = EditionFlag;
    RecordingMessagePresenter messages_;
};

TEST_F(SystemSettingsTest, FirstUseCreatesTheOperatorsRowWithItsDefaults)
{
    for (const std::uint8_t edition : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(edition));
        EditionFlag = edition;
        Exec("DELETE FROM SYSDEF");
        Exec("DELETE FROM SYSREG");
        SystemDef.LedgerLastLineBalance = 7;
        ASSERT_TRUE(fnGetSysDef());
        EXPECT_TRUE(messages_.shown.empty());

        EXPECT_EQ(SystemDef.SankakuPlus, 1);
        EXPECT_EQ(SystemDef.NetColor1, 14155735);
        EXPECT_EQ(SystemDef.PLineColor2, 30976);
        EXPECT_EQ(SystemDef.ColHeaderGradColor1, 16777215);
        EXPECT_EQ(SystemDef.DicSwitch, edition ? 2 : 0);
        EXPECT_EQ(SystemDef.DicTekAuto, edition ? 2 : 1);
        EXPECT_EQ(SystemDef.DicTorAuto, edition ? 0 : 1);

        const auto rows = SysReg(OpCode);
        // The first-use value of 摘要＿自動開く区分 is 1 although it reads
        // with the default 0; the edition stores its own values over them.
        EXPECT_EQ(rows.at("摘要＿自動開く区分").second, edition ? "1" : "1");
        EXPECT_EQ(rows.at("摘要＿連想開く区分").second, edition ? "1" : "0");
        EXPECT_EQ(rows.at("取引先＿自動開く区分").second, edition ? "0" : "1");
        EXPECT_EQ(rows.at("摘要＿自動開く区分").first, "整数");
        EXPECT_EQ(rows.count("次項目移動区分"), edition ? 1u : 0u);
        EXPECT_EQ(SystemDef.TekiyoAutoOpen, 1);
        EXPECT_EQ(SystemDef.PartnerAutoOpen, edition ? 0 : 1);

        // Reading stored the defaults of every variable.
        EXPECT_EQ(rows.at("試算表タイトル").second, "試　算　表");
        EXPECT_EQ(rows.at("試算表タイトル").first, "文字");
        EXPECT_EQ(rows.at("試算表ＢＳ改ページ区").second, edition ? "0" : "1");
        EXPECT_EQ(SystemDef.TrialTitle, "試　算　表");
        EXPECT_EQ(SystemDef.PlTitles[2], "損益");
        EXPECT_EQ(SystemDef.ExpenseTitles[0], "");
        EXPECT_EQ(SystemDef.JournalDateFocus, edition ? 1 : 2);
        EXPECT_EQ(SystemDef.DepartmentCodeDigits, edition ? 1 : 0);
        EXPECT_EQ(SystemDef.LedgerLastLineBalance, edition ? 1 : 0);
        EXPECT_EQ(SystemDef.TrialTotalOutput, edition ? 1 : 0);
        EXPECT_EQ(SysReg(10000 * 10000 + 9999).at("データ破損チェック区").second, "1");
        EXPECT_EQ(SystemDef.DataCheckSwitch, 1);
    }
}

TEST_F(SystemSettingsTest, StoredValuesLoadAndSaveBack)
{
    Exec(
        "INSERT INTO SYSDEF (OPCODE, FontName, FontSize, FontStyle, ColHeaderGradColor1, ColHeaderGradColor2,"
        " Reserve2, Reserve4, Shouhyou, GridRsiz, ShowHint) VALUES (100000010, 'IPAGothic', 11, 1, 0, 5, 2, " +
        std::to_string((1 << 9) | (1 << 5) | (1 << 3) | (1 << 6)) + ", 42, 1, 1)");
    Exec("INSERT INTO SYSREG VALUES (100000010, '試算表タイトル', '文字', '')");
    Exec("INSERT INTO SYSREG VALUES (100000010, '消費税コード印刷区分', '整数', '0')");
    Exec("INSERT INTO SYSREG VALUES (100000010, '試算表行数調整区分', '整数', '5')");
    Exec("INSERT INTO SYSREG VALUES (100000010, 'サーバのデータの場所', '整数', 'x')");
    Exec(
        "INSERT INTO SYSTEMINI (REC, RESERVE1, RESERVE2, SSTR) VALUES (10, 3, 4, 'NAME=山田会計\rJYUSHO=東京都\rTEL=03-1234')");
    Exec("INSERT INTO SYSTEMINI (REC, RESERVE1) VALUES (20, 1)");
    Exec("INSERT INTO VERSION (REC, MAJOR, MINOR1, MINOR2) VALUES (1, 11, 0, 1)");
    Exec("INSERT INTO VERSION (REC, MAJOR, MINOR1, MINOR2) VALUES (2, 12, 0, 0)");
    SetInstalledFontTest([](const std::string& face) { return face == "IPAGothic"; });
    EditionFlag = 0;

    ASSERT_TRUE(fnGetSysDef());
    EXPECT_EQ(SystemDef.OperatorFont.Name, "IPAGothic");
    EXPECT_EQ(SystemDef.OperatorFont.Size, 11);
    EXPECT_EQ(SystemDef.OperatorFont.Style, 1);
    EXPECT_EQ(SystemDef.GridRsiz, 1);
    EXPECT_EQ(SystemDef.ShowHint, 1);
    EXPECT_EQ(SystemDef.ColHeaderGradColor1, 16777215);
    EXPECT_EQ(SystemDef.ColHeaderGradColor2, 5);
    EXPECT_EQ(SystemDef.Reserve2Bit1, 0);
    EXPECT_EQ(SystemDef.Reserve2Bit2, 1);
    EXPECT_EQ(SystemDef.FacilitySwitch, 1);    // bit 4
    EXPECT_EQ(SystemDef.Reserve4ThreeWay, 2);  // bit 6
    EXPECT_EQ(SystemDef.LedgerLastLineDefault, 1);
    EXPECT_EQ(SystemDef.EraDisplay, 1);  // bit 10
    EXPECT_EQ(SystemDef.TrialTitle, " ");
    EXPECT_EQ(SystemDef.TaxCodePrint, 1);  // forced outside the edition
    EXPECT_EQ(SystemDef.DataPlaceNo, 0);
    EXPECT_EQ(SystemDef.TrialRowAdjust, 5);
    EXPECT_EQ(SystemDef.LedgerLastLineBalance, 1);
    EXPECT_EQ(SystemDef.OfficeName, "山田会計");
    EXPECT_EQ(SystemDef.OfficeAddress, "東京都");
    EXPECT_EQ(SystemDef.OfficeTel, "03-1234");
    EXPECT_EQ(SystemDef.OfficeReserve2, 4);
    EXPECT_EQ(SystemDef.FacilityRightsOff, 1);
    EXPECT_EQ(SystemDef.SysDbVersion.MAJOR, 12);
    EXPECT_EQ(SystemDef.SysDbVersion.MINOR1, 0);

    SystemDef.Reserve4ThreeWay = 1;
    SystemDef.EraDisplay = 0;
    SystemDef.TrialRowAdjust = 9;
    SystemDef.TrialTitle = "月次試算表";
    SystemDef.MFWidth = 1024;
    ASSERT_TRUE(fnPutSysDef());
    EXPECT_EQ(SysDefColumn("Reserve4"), (1 << 4) | (1 << 3) | (1 << 6));
    EXPECT_EQ(SysDefColumn("MFWidth"), 1024);
    EXPECT_EQ(SysDefColumn("Shouhyou"), 42);  // the package's column stays
    const auto rows = SysReg(OpCode);
    EXPECT_EQ(rows.at("試算表タイトル").second, "月次試算表");
    EXPECT_EQ(rows.at("試算表行数調整区分").second, "5");  // never written back
    EXPECT_EQ(rows.at("サーバのデータの場所").second, "0");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SystemSettingsTest, AFontThatIsNotInstalledLeavesTheOperatorFont)
{
    Exec("INSERT INTO SYSDEF (OPCODE, FontName, FontSize, FontStyle) VALUES (100000010, 'NoSuchFace', 30, 3)");
    SystemDef.OperatorFont = TFontInfo{"Before", 9, 0, 128, 0};
    SetInstalledFontTest([](const std::string& face) { return face == "IPAGothic"; });
    ASSERT_TRUE(fnGetSysDef());
    EXPECT_EQ(SystemDef.OperatorFont.Name, "Before");
    EXPECT_EQ(SystemDef.OperatorFont.Size, 9);
}

TEST_F(SystemSettingsTest, TypedVariablesConvertAsStored)
{
    const struct {
        const char* type;
        const char* text;  // nullptr: no row
        const char* defaultText;
        AccRegValue expected;
    } cases[] = {
        {"文字", "", "x", std::string(" ")},
        {"整数", "", "3", std::int32_t{0}},
        {"論理", "true", "TRUE", false},  // exactly "TRUE" only
        {"論理", "TRUE", "FALSE", true},
        {"日付", "2024/04/01", "", AccRegDate{EncodeDate(2024, 4, 1)}},
        {"日付", "4月1日", "", AccRegDate{0}},
        {"金額", "12.5", "", Currency{125000}},
        {"実数", "1.5", "", std::string("Data Type Error")},
        {"整数", nullptr, "7", std::int32_t{7}},
        {"論理", nullptr, "TRUE", true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string key = "KEY" + std::to_string(++n);
        SCOPED_TRACE(key);
        if (c.text != nullptr)
            Exec("INSERT INTO SYSREG VALUES (5, '" + key + "', '" + c.type + "', '" + c.text + "')");
        AccRegValue value;
        funcGetSysReg(key, c.type, value, 5, c.defaultText);
        EXPECT_TRUE(value == c.expected);
        if (c.text == nullptr) {
            EXPECT_EQ(SysReg(5).at(key).first, c.type);
            EXPECT_EQ(SysReg(5).at(key).second, c.defaultText);
        }
    }
    // A write keeps the stored type; a type without a text stores none.
    funcPutSysReg("KEY1", "整数", 5, std::int32_t{12});
    funcPutSysReg("NEW", "実数", 5, 1.5);
    funcPutSysReg("DAY", "日付", 5, AccRegDate{EncodeDate(2025, 3, 31)});
    const auto rows = SysReg(5);
    EXPECT_EQ(rows.at("KEY1"), std::make_pair(std::string("文字"), std::optional<std::string>("12")));
    EXPECT_EQ(rows.at("NEW").second, std::nullopt);
    EXPECT_EQ(rows.at("DAY").second, "2025/03/31");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SystemSettingsTest, FailuresAreReportedAndLeaveTheValue)
{
    ChangeSchema("DROP TABLE SYSREG");
    AccRegValue value = std::int32_t{41};
    funcGetSysReg("KEY", "整数", value, 5, "1");
    EXPECT_TRUE(value == AccRegValue{std::int32_t{41}});
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].Text.find("システム共通変数の取得に失敗しました。"), std::string::npos);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());

    // The settings themselves cannot be written without their row table.
    ChangeSchema("DROP TABLE SYSDEF");
    messages_.shown.clear();
    EXPECT_FALSE(fnGetSysDef());
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_NE(messages_.shown[0].Text.find("システム情報の取得に失敗しました。"), std::string::npos);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

TEST_F(SystemSettingsTest, SystemRecordsRoundTripAndFailInsideACallersTransaction)
{
    TSystemIniRec rec;
    rec.REC = 30;
    rec.RESERVE3 = 9;
    rec.SSTR = "A=1";
    ASSERT_TRUE(SetSysIni(rec));
    rec.RESERVE3 = 10;
    ASSERT_TRUE(SetSysIni(rec));
    TSystemIniRec read;
    read.REC = 30;
    read.RESERVE1 = 99;
    ASSERT_TRUE(GetSysIni(read));
    EXPECT_EQ(read.RESERVE1, 0);
    EXPECT_EQ(read.RESERVE3, 10);
    EXPECT_EQ(read.SSTR, "A=1");
    TSystemIniRec missing;
    missing.REC = 31;
    missing.SSTR = "old";
    ASSERT_TRUE(GetSysIni(missing));
    EXPECT_EQ(missing.SSTR, "");

    ChangeSchema("DROP TABLE SYSTEMINI");
    EXPECT_FALSE(GetSysIni(read));
    EXPECT_EQ(messages_.shown.size(), 1u);
    DM->IBTransactionDEF.Start();
    EXPECT_THROW(GetSysIni(read), db::FbError);
    EXPECT_TRUE(DM->IBTransactionDEF.InTransaction());
    DM->IBTransactionDEF.Rollback();
}

TEST_F(SystemSettingsTest, VersionAndErasFallBackWhenTheyCannotBeRead)
{
    SystemDef.SysDbVersion = TVersionNumbers{3, 2, 1};
    GetSysDbVersion();  // no rows: unchanged
    EXPECT_EQ(SystemDef.SysDbVersion.MAJOR, 3);
    ChangeSchema("DROP TABLE VERSION");
    GetSysDbVersion();
    EXPECT_EQ(SystemDef.SysDbVersion.MAJOR, 0);
    EXPECT_EQ(SystemDef.SysDbVersion.MINOR2, 0);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());

    LoadGengo();  // an empty table
    ASSERT_EQ(GengoTable().size(), BuiltInGengoList().size());
    EXPECT_EQ(GengoTable().front().GNAME, "令和");

    // Sign letters of the table's one-byte set come back as stored.
    ChangeSchema("DROP TABLE GENGO");
    ChangeSchema(
        "CREATE TABLE GENGO (GNAME VARCHAR(10), GSIGN CHAR(1) CHARACTER SET ASCII, STARTDATE TIMESTAMP,"
        " YEAROFFSET INTEGER)");
    Exec("INSERT INTO GENGO VALUES ('平成', 'H', '1989-01-08', 1989)");
    Exec("INSERT INTO GENGO VALUES ('昭和', 'S', '1926-12-25', 1926)");
    LoadGengo();
    ASSERT_EQ(GengoTable().size(), 2u);
    EXPECT_EQ(GengoTable()[0].GNAME, "平成");
    EXPECT_EQ(GengoTable()[0].GSIGN, "H");
    EXPECT_EQ(GengoTable()[0].STARTDATE, EncodeDate(1989, 1, 8));
    EXPECT_EQ(GengoTable()[1].YEAROFFSET, 1926);

    ChangeSchema("DROP TABLE GENGO");
    LoadGengo();
    EXPECT_EQ(GengoTable().size(), BuiltInGengoList().size());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SystemSettingsTest, StylesKeepTheirTextAndSwallowFailures)
{
    EXPECT_EQ(GetStyleColor(OpCode, "帳票1"), "");
    PutStyleColor(OpCode, "帳票1", "LINE=255");
    PutStyleColor(OpCode, "帳票1", "LINE=128");
    PutStyleColor(OpCode + 1, "帳票1", "other");
    EXPECT_EQ(GetStyleColor(OpCode, "帳票1"), "LINE=128");
    EXPECT_EQ(GetStyleColor(OpCode + 1, "帳票1"), "other");

    ChangeSchema("DROP TABLE STYLECOLOR");
    PutStyleColor(OpCode, "帳票1", "LINE=1");
    EXPECT_EQ(GetStyleColor(OpCode, "帳票1"), "");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

}  // namespace
