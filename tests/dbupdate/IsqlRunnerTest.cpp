#include "dbupdate/IsqlRunner.h"

#include "UpdateTestSupport.h"

#include "foundation/ScreenServices.h"
#include "support/ScopedEnv.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

using namespace updtest;

constexpr const char* FailedMessage = "Ver 1.2.3のデータベース更新に失敗しました。";

class IsqlRunnerTest : public UpdateDbTest {
protected:
    void WriteScript(const std::string& body)
    {
        WriteFile(ScriptPath(),
                  "CONNECT '" + CompanyDbPath() + "' USER 'LEDRIX' PASSWORD 'tolvaz';\r\n" + body + "EXIT;\r\n");
    }

    // A stand-in for the tool in the program folder: records its arguments,
    // appends the file "log-content" (when present) to its -o file and ends
    // with the code in "exit-code" (0 without it).
    void InstallFakeTool(const std::string& extra = "")
    {
        const fs::path tool = fs::path(SystemDef.ProgramDir) / "isql-fb";
        WriteFile(tool,
                  "#!/bin/sh\n"
                  "d=$(dirname \"$0\")\n"
                  "printf '%s\\n' \"$@\" > \"$d/args.txt\"\n" +
                      extra +
                      "log=\n"
                      "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && log=$2; shift; done\n"
                      "[ -f \"$d/log-content\" ] && cat \"$d/log-content\" >> \"$log\"\n"
                      "exit $(cat \"$d/exit-code\" 2>/dev/null || echo 0)\n");
        ::chmod(tool.c_str(), 0755);
    }

    void ExpectFilesGone()
    {
        EXPECT_FALSE(fs::exists(ScriptPath()));
        EXPECT_FALSE(fs::exists(LogPath()));
    }
};

TEST_F(IsqlRunnerTest, RunsTheScriptAndRemovesItsFiles)
{
    CreateDatabase(CompanyDbPath(), {});
    WriteScript("CREATE TABLE KANSA_TEST (A INTEGER);\r\nINSERT INTO KANSA_TEST VALUES(42);\r\nCOMMIT;\r\n");

    EXPECT_EQ(ExecIsqlScript("1.2.3"), 1);

    EXPECT_EQ(QueryText(CompanyDbPath(), "SELECT A AS V FROM KANSA_TEST"), "42");
    EXPECT_TRUE(messages_.shown.empty());
    ExpectFilesGone();
    EXPECT_FALSE(fs::exists(ErrText()));
    EXPECT_FALSE(fs::exists(ErrLog()));
}

TEST_F(IsqlRunnerTest, AFailedStatementGives16AndKeepsTheLogs)
{
    CreateDatabase(CompanyDbPath(), {"CREATE TABLE T (A INTEGER)"});

    WriteScript("INSERT INTO NOPE VALUES(1);\r\n");
    EXPECT_EQ(ExecIsqlScript("1.2.3"), 16);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, FailedMessage);
    EXPECT_EQ(messages_.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages_.shown[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
    ExpectFilesGone();
    const std::string first = ReadFile(ErrText());
    EXPECT_NE(first.find("INSERT INTO NOPE VALUES(1);\r\n"), std::string::npos) << first;
    EXPECT_NE(first.find("Statement failed"), std::string::npos) << first;
    EXPECT_EQ(first.find("tolvaz"), std::string::npos) << "the password stays out of the error logs";
    EXPECT_NE(first.find("USER 'LEDRIX' PASSWORD '********';"), std::string::npos) << first;
    EXPECT_EQ(ReadFile(ErrLog()), first);

    // The bail stops the tool at the failure: the later statement never runs.
    WriteScript("INSERT INTO T VALUES(1);\r\nINSERT INTO NOPE2 VALUES(1);\r\nCOMMIT;\r\n");
    EXPECT_EQ(ExecIsqlScript("1.2.3"), 16);
    EXPECT_EQ(QueryText(CompanyDbPath(), "SELECT COUNT(*) AS V FROM T"), "0");
    const std::string second = ReadFile(ErrText());
    EXPECT_NE(second.find("NOPE2"), std::string::npos);
    EXPECT_EQ(second.find("NOPE VALUES"), std::string::npos) << "the .txt holds only the last failure";
    EXPECT_EQ(ReadFile(ErrLog()), first + second);
}

TEST_F(IsqlRunnerTest, AStaleLogOfAnEarlierRunIsNotCounted)
{
    CreateDatabase(CompanyDbPath(), {});
    WriteFile(LogPath(), "old\r\nrun\r\nStatement failed, Error\r\n");
    WriteScript("CREATE TABLE T (A INTEGER);\r\n");

    EXPECT_EQ(ExecIsqlScript("1.2.3"), 1);
    EXPECT_TRUE(messages_.shown.empty());
    ExpectFilesGone();
}

TEST_F(IsqlRunnerTest, AMissingToolGives17)
{
    const fs::path emptyPath = folder_ / "nothing-here";
    fs::create_directories(emptyPath);
    ScopedEnv path("PATH", emptyPath.string());
    WriteScript("CREATE TABLE T (A INTEGER);\r\n");

    EXPECT_EQ(ExecIsqlScript("1.2.3"), 17);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, "ISQL.EXEが起動できません。\r処理を中止します。");
    ExpectFilesGone();
    EXPECT_FALSE(fs::exists(ErrText()));
}

TEST_F(IsqlRunnerTest, AMissingScriptGives18)
{
    EXPECT_EQ(ExecIsqlScript("1.2.3"), 18);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, "更新ファイル(" + ScriptPath() + ")が見つかりません。\r処理を中止します。");
    EXPECT_FALSE(fs::exists(ErrText()));
}

TEST_F(IsqlRunnerTest, PrefersTheProgramFolderToolAndPassesTheArguments)
{
    InstallFakeTool();
    WriteFile(fs::path(SystemDef.ProgramDir) / "log-content", "clean\n");
    WriteScript("");

    EXPECT_EQ(ExecIsqlScript("1.2.3"), 1);
    EXPECT_EQ(ReadFile(fs::path(SystemDef.ProgramDir) / "args.txt"),
              "-b\n-i\n" + ScriptPath() + "\n-e\n-m\n-o\n" + LogPath() + "\n");
}

struct LogCase {
    const char* name;
    const char* content;  // nullptr: the tool writes no log
    int exitCode;
    int expected;
    const char* script = "";  // the script the tool echoes
};

void PrintTo(const LogCase& c, std::ostream* os)
{
    *os << c.name;
}

class IsqlLogRuleTest : public IsqlRunnerTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(IsqlLogRuleTest, JudgesTheLog)
{
    InstallFakeTool();
    if (GetParam().content != nullptr)
        WriteFile(fs::path(SystemDef.ProgramDir) / "log-content", GetParam().content);
    WriteFile(fs::path(SystemDef.ProgramDir) / "exit-code", std::to_string(GetParam().exitCode));
    WriteScript(GetParam().script);

    EXPECT_EQ(ExecIsqlScript("1.2.3"), GetParam().expected);
    EXPECT_EQ(messages_.shown.size(), GetParam().expected == 16 ? 1u : 0u);
    EXPECT_EQ(fs::exists(ErrText()), GetParam().expected == 16);
    if (GetParam().content != nullptr && GetParam().expected == 16 && GetParam().exitCode == 0) {
        std::string saved;
        for (const std::string& line : SplitTextLines(GetParam().content))
            saved += line + "\r\n";
        EXPECT_EQ(ReadFile(ErrText()), saved);
    }
    ExpectFilesGone();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsqlLogRuleTest,
    ::testing::Values(
        LogCase{"TwoLinesWithError", "Error one\r\nError two\r\n", 0, 1},
        LogCase{"LowerCaseFailed", "a\nb\nsome error, it failed\n", 0, 16},
        LogCase{"LowerCaseErrorOnly", "a\nb\nsome error here\n", 0, 1},
        LogCase{"Failed", "a\r\nb\r\nStatement failed, SQLSTATE = 42S02\r\n", 0, 16},
        LogCase{"ErrorWithoutFinalLineEnd", "a\rb\rError", 0, 16},
        LogCase{"EmptyLineCounts", "a\r\n\r\n-Error while\r\n", 0, 16}, LogCase{"CleanLongLog", "a\nb\nc\nd\n", 0, 1},
        LogCase{"NoLogAtAll", nullptr, 0, 16},
        LogCase{"CleanLogButNonZeroExit", "a\nb\nExpected end of statement, encountered EOF\n", 1, 16},
        // The words inside echoed statements (a folder, a memo) are no failure.
        LogCase{"EchoedWordsOnly", "x\r\nCONNECT '/d/Error/qhacc.fdb';\r\nUPDATE T SET M='it failed';\r\n", 0, 1,
                "CONNECT '/d/Error/qhacc.fdb';\r\nUPDATE T SET M='it failed';\r\n"},
        LogCase{"EchoAndAFailure",
                "CONNECT '/d/Error/qhacc.fdb';\r\nUPDATE T SET M=1;\r\nStatement failed, SQLSTATE = 42S22\r\n", 0, 16,
                "CONNECT '/d/Error/qhacc.fdb';\r\nUPDATE T SET M=1;\r\n"}),
    [](const ::testing::TestParamInfo<LogCase>& info) { return std::string(info.param.name); });

TEST_F(IsqlRunnerTest, PumpsMessagesWhileTheToolRuns)
{
    // The tool ends only once the pump has run, which it can do only while
    // the runner waits.
    const fs::path flag = folder_ / "pumped";
    InstallFakeTool("while [ ! -f '" + flag.string() + "' ]; do sleep 0.01; done\n");
    WriteFile(fs::path(SystemDef.ProgramDir) / "log-content", "clean\n");
    WriteScript("");
    int pumped = 0;
    SetMessagePump([&] {
        if (++pumped == 1)
            WriteFile(flag, "");
    });

    const int result = ExecIsqlScript("1.2.3");
    SetMessagePump({});

    EXPECT_EQ(result, 1);
    EXPECT_GE(pumped, 1);
}

TEST(SplitTextLinesTest, SplitsAsAStringList)
{
    EXPECT_EQ(SplitTextLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitTextLines("\n\n"), (std::vector<std::string>{"", ""}));
}

}  // namespace
