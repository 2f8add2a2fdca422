#include "dbupdate/UpdateUnit.h"

#include "UpdateTestSupport.h"

#include "platform/Cp932.h"
#include "foundation/SystemDef.h"
#include "foundation/InstallationNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace updtest;

TDateTime FixedTime()
{
    return EncodeDate(2026, 12, 10) + EncodeTime(9, 5, 3, 0);
}

// ---------------------------------------------------------------------------
// Script text of the frame variants

struct FrameCase {
    const char* name;
    TUpdateUnitShape shape;
    const char* host;
    std::uint8_t goGlobal;
    std::vector<std::string> body;
    const char* expected;  // UTF-8; compared after conversion to CP932
};

void PrintTo(const FrameCase& c, std::ostream* os)
{
    *os << c.name;
}

class UpdateFrameTextTest : public ::testing::TestWithParam<FrameCase> {
protected:
    void SetUp() override
    {
        SystemDef.SYSDIR = "/srv/ledrix/sys";
        SystemDef.DataDir = "/srv/ledrix/data/01";
        SystemDef.USER = "LEDRIX";
        SystemDef.PASSWORD = "tolvaz";
        SystemDef.PCName = "PC01";
        SystemDef.LOGINCODE = 7;
        SystemDef.OPCODE = 100007;
        SystemDef.OPNAME = "経理 太郎";
        SysDbFileName = "qhaccdef.fdb";
        DataDbFileName = "qhacc.fdb";
    }
    SavedGlobals saved_;
};

TEST_P(UpdateFrameTextTest, WritesTheExpectedBytes)
{
    const FrameCase& c = GetParam();
    SystemDef.HOSTNAME = c.host;
    SystemDef.GOGLOBAL = c.goGlobal;
    TUpdateScript script(c.shape, FixedTime());
    for (const std::string& line : c.body)
        script.Add(line);
    EXPECT_EQ(script.Text(), cp932::FromUtf8(c.expected));
}

constexpr TUpdateUnitShape SystemShape(int major, int minor1, int minor2, bool setNames, TVersionStamp stamp,
                                       TMemoForm memo)
{
    return {TUpdateTarget::SystemDatabase, major, minor1, minor2, setNames, stamp, memo};
}
constexpr TUpdateUnitShape DataShape(int major, int minor1, int minor2, bool setNames)
{
    return {TUpdateTarget::CompanyDatabase, major,           minor1, minor2, setNames,
            TVersionStamp::AccountingData,  TMemoForm::Short};
}

INSTANTIATE_TEST_SUITE_P(
    Variants, UpdateFrameTextTest,
    ::testing::Values(FrameCase{"SystemOneLineStandAlone",
                                SystemShape(0, 3, 1, false, TVersionStamp::SystemOneLine, TMemoForm::Short),
                                "",
                                0,
                                {"ALTER TABLE DATALIST ADD VER_TEXT VARCHAR(20);", "COMMIT;"},
                                "/* 2026/12/10 09:05:03,PC01,100007 */\r\n"
                                "\r\n"
                                "CONNECT '/srv/ledrix/sys/qhaccdef.fdb' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n"
                                "ALTER TABLE DATALIST ADD VER_TEXT VARCHAR(20);\r\n"
                                "COMMIT;\r\n"
                                "INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(0,3,1,'2026/12/10 09:05:03');\r\n"
                                "COMMIT;\r\n"
                                "EXIT;\r\n"},
                      FrameCase{"SystemTwoLinesLongMemoThroughLoopback",
                                SystemShape(11, 0, 1, true, TVersionStamp::SystemTwoLines, TMemoForm::Long),
                                "127.0.0.1",
                                0,
                                {"UPDATE GENGO SET GNAME='令和' WHERE REC=5;"},
                                "/* 2026/12/10 09:05:03,PC01,100007 */\r\n"
                                "\r\n"
                                "CONNECT '127.0.0.1:/srv/ledrix/sys/qhaccdef.fdb' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n"
                                "SET NAMES SJIS_0208;\r\n"
                                "UPDATE GENGO SET GNAME='令和' WHERE REC=5;\r\n"
                                "INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)\r\n"
                                "VALUES(11,0,1,'2026/12/10 09:05:03,7,経理 太郎,PC01');\r\n"
                                "COMMIT;\r\n"
                                "EXIT;\r\n"},
                      FrameCase{"SystemStampOnly",
                                SystemShape(9, 0, 4, true, TVersionStamp::SystemOneLine, TMemoForm::Short),
                                "",
                                0,
                                {},
                                "/* 2026/12/10 09:05:03,PC01,100007 */\r\n"
                                "\r\n"
                                "CONNECT '/srv/ledrix/sys/qhaccdef.fdb' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n"
                                "SET NAMES SJIS_0208;\r\n"
                                "INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(9,0,4,'2026/12/10 09:05:03');\r\n"
                                "COMMIT;\r\n"
                                "EXIT;\r\n"},
                      FrameCase{"DataGoGlobalWithoutHostIsThePlainPath",
                                DataShape(0, 1, 1, false),
                                "",
                                1,
                                {"SET TERM ^ ;", "CREATE PROCEDURE P AS BEGIN EXIT; END^", "SET TERM ; ^"},
                                "/* 2026/12/10 09:05:03,PC01,100007 */\r\n"
                                "\r\n"
                                "CONNECT '/srv/ledrix/data/01/qhacc.fdb' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n"
                                "SET TERM ^ ;\r\n"
                                "CREATE PROCEDURE P AS BEGIN EXIT; END^\r\n"
                                "SET TERM ; ^\r\n"
                                "UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=1,MEMO='2026/12/10 09:05:03'\r\n"
                                "WHERE REC=1;\r\n"
                                "COMMIT;\r\n"
                                "EXIT;\r\n"},
                      FrameCase{"DataHostWinsOverGoGlobal",
                                DataShape(3, 0, 6, true),
                                "dbserver",
                                1,
                                {"COMMIT;"},
                                "/* 2026/12/10 09:05:03,PC01,100007 */\r\n"
                                "\r\n"
                                "CONNECT 'dbserver:/srv/ledrix/data/01/qhacc.fdb' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n"
                                "SET NAMES SJIS_0208;\r\n"
                                "COMMIT;\r\n"
                                "UPDATE ACCVERSION SET MAJOR=3,MINOR1=0,MINOR2=6,MEMO='2026/12/10 09:05:03'\r\n"
                                "WHERE REC=1;\r\n"
                                "COMMIT;\r\n"
                                "EXIT;\r\n"}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

class UpdateFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SystemDef.PCName = "PC01";
        SystemDef.LOGINCODE = 7;
        SystemDef.USER = "LEDRIX";
        SystemDef.PASSWORD = "tolvaz";
        SystemDef.HOSTNAME.clear();
    }
    SavedGlobals saved_;
};

TEST_F(UpdateFrameTest, QuotesInTheMemoAreDoubled)
{
    SystemDef.OPNAME = "O'Neil";
    TUpdateUnitShape shape = DataShape(0, 1, 1, false);
    shape.Memo = TMemoForm::Long;
    EXPECT_NE(TUpdateScript(shape, FixedTime()).Text().find("MEMO='2026/12/10 09:05:03,7,O''Neil,PC01'\r\n"),
              std::string::npos);
}

TEST_F(UpdateFrameTest, AQuoteInTheConnectLineIsRefused)
{
    SystemDef.DataDir = "/srv/o'neil";
    EXPECT_THROW(TUpdateScript(DataShape(0, 1, 1, false)), TUpdateScriptError);
    SystemDef.DataDir = "/srv/data";
    SystemDef.PASSWORD = "it's";
    EXPECT_THROW(TUpdateScript(DataShape(0, 1, 1, false)), TUpdateScriptError);
}

TEST_F(UpdateFrameTest, ProgramTextCP932CannotHoldIsRefused)
{
    TUpdateScript script(DataShape(0, 1, 1, false));
    EXPECT_THROW(script.Add("INSERT INTO T VALUES('😀');"), TUpdateScriptError);
}

// ---------------------------------------------------------------------------
// MEMO forms

struct MemoCase {
    const char* name;
    TMemoForm form;
    std::string opName;
    std::string expected;
};

void PrintTo(const MemoCase& c, std::ostream* os)
{
    *os << c.name;
}

class VersionMemoTest : public ::testing::TestWithParam<MemoCase> {
protected:
    SavedGlobals saved_;
};

std::string Repeat(const std::string& text, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += text;
    return out;
}

TEST_P(VersionMemoTest, MakesTheMemo)
{
    SystemDef.LOGINCODE = 7;
    SystemDef.PCName = "PC01";
    SystemDef.OPNAME = GetParam().opName;
    const std::string memo = MakeVersionMemo(GetParam().form, FixedTime());
    EXPECT_EQ(memo, GetParam().expected);
    EXPECT_LE(cp932::ByteWidth(memo), GetParam().form == TMemoForm::Unlimited ? 254u : 127u);
}

const std::string Head = "2026/12/10 09:05:03,7,";  // 22 bytes

INSTANTIATE_TEST_SUITE_P(
    Forms, VersionMemoTest,
    ::testing::Values(
        MemoCase{"Short", TMemoForm::Short, "経理", "2026/12/10 09:05:03"},
        MemoCase{"LongFits", TMemoForm::Long, "経理 太郎", Head + "経理 太郎,PC01"},
        // Byte 127 falls on the first half of the 53rd "あ": it goes whole,
        // and the blank put in its place is trimmed.
        MemoCase{"LongCutInsideACharacter", TMemoForm::Long, Repeat("あ", 60), Head + Repeat("あ", 52)},
        MemoCase{"LongCutBetweenCharacters", TMemoForm::Long, "a" + Repeat("あ", 60), Head + "a" + Repeat("あ", 52)},
        MemoCase{"PaddedFillsTo127", TMemoForm::Padded, "経理", Head + "経理,PC01" + std::string(127 - 31, ' ')},
        MemoCase{"PaddedCutInsideACharacter", TMemoForm::Padded, Repeat("あ", 60), Head + Repeat("あ", 52) + " "},
        MemoCase{"UnlimitedKeepsAll", TMemoForm::Unlimited, Repeat("あ", 60), Head + Repeat("あ", 60) + ",PC01"},
        // No longer than the MEMO column, or the stamp would fail the update.
        MemoCase{"UnlimitedCutToTheColumn", TMemoForm::Unlimited, Repeat("あ", 130), Head + Repeat("あ", 116)},
        MemoCase{"UnrepresentableBecomesQuestionMark", TMemoForm::Long, "太郎😀", Head + "太郎?,PC01"}),
    [](const ::testing::TestParamInfo<MemoCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Body files and runs against real databases

class UpdateUnitDbTest : public UpdateDbTest {
protected:
    void CreateCompanyDb()
    {
        CreateDatabase(CompanyDbPath(), {"CREATE TABLE ACCVERSION (REC INTEGER NOT NULL PRIMARY KEY, MAJOR INTEGER, "
                                         "MINOR1 INTEGER, MINOR2 INTEGER, MEMO VARCHAR(255))",
                                         "INSERT INTO ACCVERSION VALUES(1,0,1,0,'')", "CREATE TABLE T (A INTEGER)"});
    }
    void CreateSystemDb()
    {
        CreateDatabase(SystemDbPath(), {"CREATE TABLE VERSION (REC INTEGER GENERATED BY DEFAULT AS IDENTITY, "
                                        "MAJOR INTEGER, MINOR1 INTEGER, MINOR2 INTEGER, MEMO VARCHAR(127))"});
    }
    std::string AccVersion()
    {
        return QueryText(CompanyDbPath(),
                         "SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 AS V FROM ACCVERSION WHERE REC=1");
    }
    std::string SystemVersions()
    {
        return QueryText(SystemDbPath(),
                         "SELECT LIST(MAJOR || '.' || MINOR1 || '.' || MINOR2, ' ') AS V "
                         "FROM (SELECT * FROM VERSION ORDER BY REC)");
    }
    void WriteBodyFile(const std::string& folder, const std::string& name, const std::string& utf8)
    {
        WriteFile(fs::path(SystemDef.SqlDir) / folder / name, cp932::FromUtf8(utf8));
    }
};

TEST_F(UpdateUnitDbTest, BodyFilesAreCopiedWithoutEmptyLines)
{
    WriteBodyFile("1004", "sysup01.sql",
                  "-- head\r\n\r\nCREATE TABLE 表A (A INTEGER);\n   \n\nINSERT INTO X VALUES('ｱ');\rLAST");
    TUpdateScript script(SystemShape(10, 0, 4, true, TVersionStamp::SystemOneLine, TMemoForm::Short), FixedTime());
    EXPECT_EQ(script.BodyFilePath("sysup01.sql"), SystemDef.SqlDir + "/1004/sysup01.sql");
    EXPECT_TRUE(script.AddBodyFile("sysup01.sql"));
    EXPECT_FALSE(script.AddBodyFile("sysup02.sql"));
    EXPECT_EQ(BodyFileFolder(12, 0, 0), SystemDef.SqlDir + "/1200");

    const std::string text = cp932::ToUtf8(script.Text());
    EXPECT_NE(text.find("SET NAMES SJIS_0208;\r\n-- head\r\nCREATE TABLE 表A (A INTEGER);\r\n   \r\n"
                        "INSERT INTO X VALUES('ｱ');\r\nLAST\r\nINSERT INTO VERSION"),
              std::string::npos)
        << text;

    script.Save();
    EXPECT_EQ(ReadFile(ScriptPath()), script.Text());
}

TEST_F(UpdateUnitDbTest, AUnitRunsItsBodyAndStampsItsVersion)
{
    CreateCompanyDb();
    SystemDef.OPNAME = "O'Neil 経理";
    TUpdateUnitShape shape = DataShape(0, 1, 1, false);
    shape.Memo = TMemoForm::Long;
    TUpdateScript script(shape);
    script.Add({"CREATE TABLE KANSA_ITEM (REC INTEGER);", "INSERT INTO T VALUES(1);"});

    EXPECT_EQ(script.Run(), 1);
    EXPECT_EQ(AccVersion(), "0.1.1");
    EXPECT_EQ(QueryText(CompanyDbPath(), "SELECT COUNT(*) AS V FROM T"), "1");
    const std::string memo = QueryText(CompanyDbPath(), "SELECT MEMO AS V FROM ACCVERSION WHERE REC=1");
    EXPECT_NE(memo.find(",7,O'Neil 経理,PC01"), std::string::npos) << memo;
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UpdateUnitDbTest, ADataFolderWithJapaneseLettersIsReached)
{
    SystemDef.DataDir = (folder_ / "会計データ" / "01").string();
    fs::create_directories(SystemDef.DataDir);
    CreateCompanyDb();
    TUpdateScript script(DataShape(0, 1, 1, false));
    script.Add("INSERT INTO T VALUES(1);");

    EXPECT_EQ(script.Run(), 1) << (messages_.shown.empty() ? "" : messages_.shown[0].Text);
    EXPECT_EQ(AccVersion(), "0.1.1");
}

TEST_F(UpdateUnitDbTest, AFailedStatementLeavesNoStamp)
{
    CreateCompanyDb();
    TUpdateScript script(DataShape(0, 1, 1, false));
    script.Add({"INSERT INTO T VALUES(1);", "INSERT INTO NO_SUCH_TABLE VALUES(1);", "INSERT INTO T VALUES(2);"});

    EXPECT_EQ(script.Run(), 16);
    EXPECT_EQ(AccVersion(), "0.1.0");
    EXPECT_EQ(QueryText(CompanyDbPath(), "SELECT COUNT(*) AS V FROM T"), "0");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, "Ver 0.1.1のデータベース更新に失敗しました。");
}

TEST_F(UpdateUnitDbTest, AStatementLeftOpenAtTheEndIsAFailure)
{
    // The tool's log names no error here, yet nothing after SET TERM ran.
    CreateCompanyDb();
    TUpdateScript script(DataShape(0, 1, 1, false));
    script.Add({"SET TERM ^ ;", "INSERT INTO T VALUES(1);"});

    EXPECT_EQ(script.Run(), 16);
    EXPECT_EQ(AccVersion(), "0.1.0");
    EXPECT_NE(ReadFile(ErrText()).find("exit code 1"), std::string::npos);
}

TEST_F(UpdateUnitDbTest, AFailedBodyFileLeavesNoStamp)
{
    // A unit whose body lies in files: its version must not be recorded
    // ahead of a body that then fails.
    CreateCompanyDb();
    WriteBodyFile("800", "qhzup01.sql", "CREATE TABLE NEW_ONE (A INTEGER);\r\nCOMMIT;\r\n");
    WriteBodyFile("800", "qhzup02.sql", "ALTER TABLE NO_SUCH_TABLE ADD B INTEGER;\r\n");
    const TStandardUnit unit{DataShape(8, 0, 0, true), 1, "title", "description", {}, {"qhzup01.sql", "qhzup02.sql"},
                             TMissingBodyFile::Fail,   {}};

    EXPECT_EQ(RunStandardUnit(unit), 16);
    EXPECT_EQ(AccVersion(), "0.1.0");
}

TEST_F(UpdateUnitDbTest, MissingBodyFileSkippedOrFatalAsTheRowSays)
{
    CreateSystemDb();
    const TUpdateUnitShape v700 = SystemShape(7, 0, 0, true, TVersionStamp::SystemOneLine, TMemoForm::Short);
    const TUpdateUnitShape v800 = SystemShape(8, 0, 0, true, TVersionStamp::SystemOneLine, TMemoForm::Short);
    const TStandardUnit skipping{v700, 0, "t", "d", {}, {"sysup01.sql"}, TMissingBodyFile::Skip, {}};
    const TStandardUnit failing{v800, 0, "t", "d", {}, {"sysup01.sql"}, TMissingBodyFile::Fail, {}};

    EXPECT_EQ(RunStandardUnit(skipping), 1);
    EXPECT_EQ(SystemVersions(), "7.0.0");

    WriteFile(ScriptPath(), "older script");
    EXPECT_EQ(RunStandardUnit(failing), 18);
    EXPECT_EQ(ReadFile(ScriptPath()), "older script") << "no script is written";
    EXPECT_EQ(SystemVersions(), "7.0.0");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(UpdateUnitDbTest, StandardUnitDescribesItself)
{
    const TStandardUnit unit{SystemShape(12, 0, 0, true, TVersionStamp::SystemTwoLines, TMemoForm::Long),
                             1,
                             "クラウド対応",
                             "１）説明",
                             {},
                             {"sysup01.sql"},
                             TMissingBodyFile::Fail,
                             {}};
    TDbUpdateListRec rec;
    int called = 0;
    DescribeStandardUnit(
        unit, [&] { return ++called; }, rec);
    EXPECT_EQ((std::vector<int>{rec.Major, rec.Minor1, rec.Minor2, rec.BackupFlag}), (std::vector<int>{12, 0, 0, 1}));
    EXPECT_EQ(rec.Title, "クラウド対応");
    EXPECT_EQ(rec.Description, "１）説明");
    ASSERT_TRUE(rec.UpdateFunc);
    EXPECT_EQ(rec.UpdateFunc(), 1);
    EXPECT_EQ(called, 1);
}

// The password travels in the script's CONNECT line only: the tool's
// command line never holds it, and no file that holds it (the script, the
// tool's log while the tool runs) is readable by anyone else. The tool in the
// program folder is a stand-in that notes its arguments and the modes of its
// script and log, then hands over to the real tool.
TEST_F(UpdateUnitDbTest, TheLoginStaysOffCommandLinesAndOutOfOthersReach)
{
    CreateCompanyDb();
    const fs::path program(SystemDef.ProgramDir);
    WriteFile(program / "isql-fb",
              "#!/bin/sh\n"
              "d=$(dirname \"$0\")\n"
              "printf '%s\\n' \"$@\" >> \"$d/args.txt\"\n"
              "stat -c %a \"$3\" \"$7\" >> \"$d/modes.txt\"\n"
              "exec isql-fb \"$@\"\n");
    fs::permissions(program / "isql-fb", fs::perms::owner_all);
    // Stale files where the script and the log go are replaced, not reused.
    WriteFile(ScriptPath(), "stale");
    fs::permissions(ScriptPath(), fs::perms::all);
    fs::create_symlink(folder_ / "elsewhere.log", LogPath());

    TUpdateScript passing(DataShape(0, 1, 1, false));
    passing.Add("INSERT INTO T VALUES(1);");
    EXPECT_EQ(passing.Run(), 1) << (messages_.shown.empty() ? "" : messages_.shown[0].Text);
    TUpdateScript failing(DataShape(0, 1, 2, false));
    failing.Add("INSERT INTO NO_SUCH_TABLE VALUES(1);");
    EXPECT_EQ(failing.Run(), 16);

    EXPECT_EQ(AccVersion(), "0.1.1");
    EXPECT_EQ(ReadFile(program / "modes.txt"), "600\n600\n600\n600\n");
    const std::string args = ReadFile(program / "args.txt");
    EXPECT_NE(args.find("qhzdataup.sql"), std::string::npos) << args;
    EXPECT_EQ(args.find(dbtest::Password), std::string::npos) << args;
    EXPECT_FALSE(fs::exists(folder_ / "elsewhere.log"));
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
        if (!entry.is_regular_file())
            continue;
        const bool othersRead =
            (entry.status().permissions() & (fs::perms::group_read | fs::perms::others_read)) != fs::perms::none;
        EXPECT_FALSE(othersRead && ReadFile(entry.path()).find(dbtest::Password) != std::string::npos) << entry.path();
    }
}

class UpdateUnitServerTest : public dbtest::FirebirdServerTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdServerTest::SetUp();
        PointGlobalsAt(folder_);
    }
    SavedGlobals saved_;
    RecordingMessagePresenter messages_;
};

TEST_F(UpdateUnitServerTest, TheLoopbackHostReachesTheServer)
{
    const std::string path = SystemDef.SYSDIR + "/" + SysDbFileName;
    CreateDatabase(path, {"CREATE TABLE VERSION (REC INTEGER GENERATED BY DEFAULT AS IDENTITY, "
                          "MAJOR INTEGER, MINOR1 INTEGER, MINOR2 INTEGER, MEMO VARCHAR(127))"});
    SystemDef.HOSTNAME = "127.0.0.1";
    TUpdateScript script(SystemShape(0, 3, 1, false, TVersionStamp::SystemOneLine, TMemoForm::Short));
    script.Add("CREATE TABLE KENSAKUJYOKEN (REC INTEGER);");

    EXPECT_EQ(script.Run(), 1) << (messages_.shown.empty() ? "" : messages_.shown[0].Text);
    EXPECT_EQ(QueryText(path, "SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 AS V FROM VERSION"), "0.3.1");
}

}  // namespace
