#include "foundation/ErrorHandling.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "platform/Cp932.h"
#include "platform/DateTime.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kEnding =
    "\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）\r"
    "アプリケーションが終了しましたら再起動して下さい。\r";
const std::string kNetworkLost =
    "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。" + kEnding;
const std::string kNote = "\r※注意 共有サーバーのデータ利用時は自動保管されません。\r";
const std::string kLogFailure = "エラー情報をログファイルに書き込めませんでした。";
const std::string kDatabase = "/srv/ledrix/data/0001/qhacc.fdb";

std::string Stamp()
{
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", Now());
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file's lines as UTF-8, checking that it is CP932 and that every line,
// the last included, ends with CR LF and holds no other break.
std::vector<std::string> ReadLines(const fs::path& path)
{
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": last line without CR LF";
            break;
        }
        const std::string line = bytes.substr(pos, end - pos);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << path << ": stray line break";
        lines.push_back(cp932::ToUtf8(line));
        pos = end + 2;
    }
    return lines;
}

void WriteCp932(const fs::path& path, const std::string& utf8)
{
    std::ofstream out(path, std::ios::binary);
    out << cp932::FromUtf8(utf8);
}

// How a log folder is made unusable.
// ThroughAFile: the folder's path runs through a regular file, so nothing
// can be written there, also by the superuser (whom a read-only folder does
// not stop).
enum class TBrokenFolder { Missing, NamesTaken, ThroughAFile, NotSet };

const char* Name(TBrokenFolder kind)
{
    switch (kind) {
    case TBrokenFolder::Missing:
        return "Missing";
    case TBrokenFolder::NamesTaken:
        return "NamesTaken";
    case TBrokenFolder::ThroughAFile:
        return "ThroughAFile";
    case TBrokenFolder::NotSet:
        return "NotSet";
    }
    return "?";
}

void PrintTo(TBrokenFolder kind, std::ostream* os)
{
    *os << Name(kind);
}

class ErrorHandlingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ledrix-errors-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        logDir_ = root_ / "log";
        parentDir_ = root_ / "program";
        fs::create_directories(logDir_);
        fs::create_directories(parentDir_);

        SystemDef = TSystemDef{};
        SystemDef.LogDir = logDir_.string();
        SystemDef.ProgramParentDir = parentDir_.string();
        SystemDef.PCName = "PC-KAIKEI01";
        SystemDef.OPCODE = 100003;
        SystemDef.ProductSerial = "SN-0042";
        SystemDef.HOSTNAME = "dbserver";
        ConnectionMode = 1;
        AppTerminating = false;
        DataVersionText.clear();
        CompanyDatabaseNameHook = [] { return kDatabase; };
        QuitApplicationHook = [this] { ++quitCalls_; };
    }

    void TearDown() override
    {
        CompanyDatabaseNameHook = nullptr;
        QuitApplicationHook = nullptr;
        AppTerminating = false;
        ConnectionMode = 0;
        DataVersionText.clear();
        SystemDef = TSystemDef{};
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Makes a folder unusable for the given file names and returns the folder
    // to configure.
    void Break(TBrokenFolder kind, const fs::path& folder, const std::vector<std::string>& names, std::string& use)
    {
        switch (kind) {
        case TBrokenFolder::Missing:
            use = (folder / "not-created").string();
            return;
        case TBrokenFolder::NamesTaken:
            for (const std::string& name : names)
                fs::create_directories(folder / name);
            use = folder.string();
            return;
        case TBrokenFolder::ThroughAFile: {
            const fs::path file = folder / "plain-file";
            std::ofstream(file) << "not a folder\n";
            use = (file / "log").string();
            return;
        }
        case TBrokenFolder::NotSet:
            use.clear();
            return;
        }
    }

    fs::path LogFile() const { return logDir_ / "ErrFbAccess.log"; }
    fs::path TxtFile() const { return logDir_ / "ErrFbAccess.txt"; }
    std::string Line1(const std::string& stamp) const
    {
        return stamp + ",PC-KAIKEI01,100003,Serial=SN-0042,AppVer=,DBName=dbserver:" + kDatabase + ",DataVer=";
    }
    // Checks the stamped first line against the time around the call.
    void ExpectLine1(const std::string& line, const std::string& before, const std::string& after) const
    {
        ASSERT_GE(line.size(), 19u);
        const std::string stamp = line.substr(0, 19);
        EXPECT_LE(before, stamp);
        EXPECT_LE(stamp, after);
        EXPECT_EQ(line, Line1(stamp));
    }

    fs::path root_, logDir_, parentDir_;
    RecordingMessagePresenter presenter_;
    int quitCalls_ = 0;
};

TEST_F(ErrorHandlingTest, LogsTwoLinesPerErrorAndShowsTheMessageWithDetails)
{
    WriteCp932(LogFile(), "以前の行\r\n");
    WriteCp932(TxtFile(), "a\r\nb\r\nc\r\n");

    // The server's message has several lines; each error still takes two.
    const db::FbError first(335544665, -803,
                            "violation of PRIMARY or UNIQUE KEY constraint \"PK_KAMOKU\" on table \"KAMOKUMST\"\n"
                            "Problematic key value is (\"KCODE\" = 101)");
    const std::string before = Stamp();
    HandleIBError(first, "TDM.fnGetAccInfo", "会計情報の取得に失敗しました。");
    const std::string after = Stamp();

    const std::string explanation = "（同じコードが登録されています。「PRIMARY KEY またはUNIQUE KEY 制約に違反」）";
    const std::string line2 = "Error=TDM.fnGetAccInfo [335544665] (-803) " + explanation +
                              ",violation of PRIMARY or UNIQUE KEY constraint \"PK_KAMOKU\" on table \"KAMOKUMST\" "
                              "Problematic key value is (\"KCODE\" = 101)";
    const auto log = ReadLines(LogFile());
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "以前の行");
    ExpectLine1(log[1], before, after);
    EXPECT_EQ(log[2], line2);
    EXPECT_EQ(ReadLines(TxtFile()), (std::vector<std::string>{log[1], line2}));

    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(presenter_.shown[0].Text, "会計情報の取得に失敗しました。\r\r[詳細情報]\rIBXエラーコード:335544665\r" +
                                            first.Message() + "\r" + explanation);
    ASSERT_EQ(presenter_.shown[0].Buttons.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].Buttons[0], TMsgDlgBtn::mbOK);

    // A second error: the .log grows by two lines, the .txt holds only it.
    HandleIBError(db::FbError(335544345, -901, "lock conflict on no wait transaction"), "TSiwakeWrite.PutSiwake",
                  "仕訳の書き込みに失敗しました。");
    const auto grown = ReadLines(LogFile());
    ASSERT_EQ(grown.size(), 5u);
    EXPECT_EQ(grown[4],
              "Error=TSiwakeWrite.PutSiwake [335544345] (-901) "
              "（NO WAIT トランザクションのロックが衝突しています）,lock conflict on no wait transaction");
    EXPECT_EQ(ReadLines(TxtFile()), (std::vector<std::string>{grown[3], grown[4]}));
    EXPECT_EQ(presenter_.shown.size(), 2u);
    EXPECT_FALSE(AppTerminating);
    EXPECT_EQ(quitCalls_, 0);
}

TEST_F(ErrorHandlingTest, EmptyMessageOnlyLogs)
{
    // Without an installed data module the database name is empty; a
    // character CP932 cannot hold is logged as "?".
    CompanyDatabaseNameHook = nullptr;
    DataVersionText = "7.1.0";
    HandleIBError(db::FbError(335544569, -204, "Table unknown 🙂 TEST"), "TDM.GetSysIni", "");

    EXPECT_TRUE(presenter_.shown.empty());
    const auto txt = ReadLines(TxtFile());
    ASSERT_EQ(txt.size(), 2u);
    EXPECT_EQ(txt[0].substr(19), ",PC-KAIKEI01,100003,Serial=SN-0042,AppVer=,DBName=dbserver:,DataVer=7.1.0");
    EXPECT_EQ(txt[1], "Error=TDM.GetSysIni [335544569] (-204) （動的SQL エラー）,Table unknown ? TEST");
    EXPECT_EQ(ReadLines(LogFile()), txt);
}

struct TExplanationCase {
    std::int32_t Code;
    std::int32_t SQLCode;
    std::string Explanation;
};

class HandleIBErrorExplanation : public ErrorHandlingTest, public ::testing::WithParamInterface<TExplanationCase> {};

TEST_P(HandleIBErrorExplanation, GoesToTheLogAndTheDetail)
{
    const auto& c = GetParam();
    HandleIBError(db::FbError(c.Code, c.SQLCode, "server text"), "TDM.Op", "失敗しました。");
    const auto txt = ReadLines(TxtFile());
    ASSERT_EQ(txt.size(), 2u);
    EXPECT_EQ(txt[1], "Error=TDM.Op [" + std::to_string(c.Code) + "] (" + std::to_string(c.SQLCode) + ") " +
                          c.Explanation + ",server text");
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].Text, "失敗しました。\r\r[詳細情報]\rIBXエラーコード:" + std::to_string(c.Code) +
                                            "\rserver text\r" + c.Explanation);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, HandleIBErrorExplanation,
    ::testing::Values(
        TExplanationCase{
            335544788, -901,
            "（操作を実行することができません。データベースのSYSDBAか所有者のどちらかでなければなりません。）"},
        TExplanationCase{335544788, -551, " "}, TExplanationCase{335545000, -901, " "}));

struct TFatalCase {
    const char* Label;
    std::int32_t Code;
    std::int32_t SQLCode;
    std::string CallerMessage;
    std::uint8_t Mode;
    std::string Shown;
};

void PrintTo(const TFatalCase& c, std::ostream* os)
{
    *os << c.Label;
}

class HandleIBErrorFatal : public ErrorHandlingTest, public ::testing::WithParamInterface<TFatalCase> {};

TEST_P(HandleIBErrorFatal, EndsTheProgramOnceAndThenStaysSilent)
{
    const auto& c = GetParam();
    ConnectionMode = c.Mode;
    HandleIBError(db::FbError(c.Code, c.SQLCode, "Error writing data to the connection."), "TDM.fnAccDatConnected",
                  c.CallerMessage);

    EXPECT_TRUE(AppTerminating);
    EXPECT_EQ(quitCalls_, 1);
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(presenter_.shown[0].Text, c.Shown);
    EXPECT_EQ(ReadLines(LogFile()).size(), 2u);

    // The cascade that follows: nothing logged, shown or asked.
    const std::string txtBefore = ReadBytes(TxtFile());
    HandleIBError(db::FbError(335544324, -904, "invalid database handle (no active connection)"), "TDM.Next",
                  "次の処理に失敗しました。");
    HandleIBError(db::FbError(335544721, -902, "again"), "TDM.Next", "");
    EXPECT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(quitCalls_, 1);
    EXPECT_EQ(ReadLines(LogFile()).size(), 2u);
    EXPECT_EQ(ReadBytes(TxtFile()), txtBefore);
}

INSTANTIATE_TEST_SUITE_P(Codes, HandleIBErrorFatal,
                         ::testing::Values(TFatalCase{"NetworkStandAlone", 335544721, -902,
                                                      "データの接続に失敗しました。", 0, kNetworkLost + kNote},
                                           TFatalCase{"NetworkClientServer", 335544721, -902,
                                                      "データの接続に失敗しました。", 1, kNetworkLost},
                                           TFatalCase{"NetworkServerBased", 335544721, -902, "", 2, kNetworkLost},
                                           TFatalCase{"ConsistencyStandAlone", 335544333, -902, "", 0,
                                                      "（isc 内部のソフトウェア一貫性チェック）" + kEnding + kNote},
                                           TFatalCase{"ConsistencyClientServer", 335544333, -902,
                                                      "読込に失敗しました。", 1,
                                                      "（isc 内部のソフトウェア一貫性チェック）" + kEnding}),
                         [](const auto& info) { return std::string(info.param.Label); });

TEST_F(ErrorHandlingTest, FatalRoadWithoutQuitHookStillEnds)
{
    QuitApplicationHook = nullptr;
    HandleIBError(db::FbError(335544721, -902, "network"), "TDM.X", "");
    EXPECT_TRUE(AppTerminating);
    ASSERT_EQ(presenter_.shown.size(), 1u);
}

class HandleIBErrorBrokenLog : public ErrorHandlingTest, public ::testing::WithParamInterface<TBrokenFolder> {};

TEST_P(HandleIBErrorBrokenLog, StillShowsTheErrorAndReportsTheLogSeparately)
{
    std::string logDir;
    Break(GetParam(), logDir_, {"ErrFbAccess.log", "ErrFbAccess.txt"}, logDir);
    SystemDef.LogDir = logDir;

    HandleIBError(db::FbError(335544345, -901, "lock conflict"), "TDM.Op", "更新に失敗しました。");
    ASSERT_EQ(presenter_.shown.size(), 2u);
    EXPECT_EQ(presenter_.shown[0].Text.rfind("更新に失敗しました。\r\r[詳細情報]\rIBXエラーコード:335544345\r", 0), 0u);
    const TUserMessage& warning = presenter_.shown[1];
    EXPECT_EQ(warning.Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(warning.Text.rfind(kLogFailure, 0), 0u) << warning.Text;
    EXPECT_NE(warning.Text.find("ErrFbAccess.log"), std::string::npos) << warning.Text;
    EXPECT_NE(warning.Text.find("ErrFbAccess.txt"), std::string::npos) << warning.Text;
    EXPECT_FALSE(AppTerminating);

    // An error that is only to be logged is not lost without a word.
    HandleIBError(db::FbError(335544345, -901, "lock conflict"), "TDM.Op", "");
    ASSERT_EQ(presenter_.shown.size(), 3u);
    EXPECT_EQ(presenter_.shown[2].Text.rfind(kLogFailure, 0), 0u);

    // A lost connection still takes the road out of the program.
    ConnectionMode = 0;
    HandleIBError(db::FbError(335544721, -902, "network"), "TDM.Op", "");
    EXPECT_TRUE(AppTerminating);
    EXPECT_EQ(quitCalls_, 1);
    ASSERT_EQ(presenter_.shown.size(), 5u);
    EXPECT_EQ(presenter_.shown[3].Text, kNetworkLost + kNote);
    EXPECT_EQ(presenter_.shown[4].Text.rfind(kLogFailure, 0), 0u);

    // Never a log of its own at the root of the file system.
    EXPECT_FALSE(fs::exists("/ErrFbAccess.log"));
}

INSTANTIATE_TEST_SUITE_P(Folders, HandleIBErrorBrokenLog,
                         ::testing::Values(TBrokenFolder::Missing, TBrokenFolder::NamesTaken,
                                           TBrokenFolder::ThroughAFile, TBrokenFolder::NotSet),
                         [](const auto& info) { return std::string(Name(info.param)); });

struct TShowErrorCase {
    const char* Label;
    std::string Message;
    std::string Detail;
    TMsgDlgType Type;
    bool Shown;
    std::string Text;
};

void PrintTo(const TShowErrorCase& c, std::ostream* os)
{
    *os << c.Label;
}

class ShowErrorMessageCases : public ::testing::TestWithParam<TShowErrorCase> {};

TEST_P(ShowErrorMessageCases, ShowsMessageAndDetail)
{
    RecordingMessagePresenter presenter;
    const auto& c = GetParam();
    ShowErrorMessage(c.Message, c.Detail, c.Type);
    if (!c.Shown) {
        EXPECT_TRUE(presenter.shown.empty());
        return;
    }
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, c.Text);
    EXPECT_EQ(presenter.shown[0].Type, c.Type);
    ASSERT_EQ(presenter.shown[0].Buttons.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Buttons[0], TMsgDlgBtn::mbOK);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowErrorMessageCases,
    ::testing::Values(
        TShowErrorCase{"Both", "ファイルのコピーに失敗しました。", "Access violation", TMsgDlgType::mtError, true,
                       "ファイルのコピーに失敗しました。\r\r[詳細情報]\rAccess violation"},
        TShowErrorCase{"MessageOnly", "保存しました。", "", TMsgDlgType::mtInformation, true, "保存しました。"},
        TShowErrorCase{"DetailOnly", "", "out of memory", TMsgDlgType::mtWarning, true,
                       "\r\r[詳細情報]\rout of memory"},
        TShowErrorCase{"Neither", "", "", TMsgDlgType::mtError, false, ""}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST_F(ErrorHandlingTest, ShowFBErrorShowsAndWritesTheLines)
{
    SystemDef.ProgramVersion = "1.2.3";
    DataVersionText = "7.1.0";
    const db::FbError error(335544569, -204, "Dynamic SQL Error\nSQL error code = -204\nTable unknown\nSP_SISANHYO");
    const std::string before = Stamp();
    ShowFBError(error, "試算表読込");
    const std::string after = Stamp();

    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(presenter_.shown[0].Text,
              "試算表読込\r\nErrCode<335544569>  SQLCODE<-204>\r\n"
              "Dynamic SQL Error\nSQL error code = -204\nTable unknown\nSP_SISANHYO\r\r\n"
              "（動的SQL エラー）\r\n");

    const auto txt = ReadLines(parentDir_ / "FB_ERROR.TXT");
    ASSERT_EQ(txt.size(), 16u);
    const std::string stamp = txt[13];
    EXPECT_LE(before, stamp);
    EXPECT_LE(stamp, after);
    EXPECT_EQ(txt, (std::vector<std::string>{"試算表読込", "ErrCode<335544569>  SQLCODE<-204>", "Dynamic SQL Error",
                                             "SQL error code = -204", "Table unknown", "SP_SISANHYO", "",
                                             "（動的SQL エラー）", "PG_VERSION[1.2.3]", "DB_VERSION[7.1.0]",
                                             "Serial[SN-0042]", "Server[dbserver]", "DatabaseName[" + kDatabase + "]",
                                             stamp, "PC-KAIKEI01", "100003"}));
    EXPECT_EQ(ReadLines(parentDir_ / "FB_ERROR.LOG"), txt);

    // The .TXT keeps the last error, the .LOG gathers them all.
    ShowFBError(db::FbError(335544345, -901, "lock conflict on no wait transaction"), "合計名称読込");
    const auto second = ReadLines(parentDir_ / "FB_ERROR.TXT");
    ASSERT_EQ(second.size(), 13u);
    EXPECT_EQ(second[0], "合計名称読込");
    EXPECT_EQ(second[2], "lock conflict on no wait transaction");
    EXPECT_EQ(second[3], "");
    const auto log = ReadLines(parentDir_ / "FB_ERROR.LOG");
    ASSERT_EQ(log.size(), 29u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 16), txt);
    EXPECT_EQ(std::vector<std::string>(log.begin() + 16, log.end()), second);
    EXPECT_FALSE(fs::exists(logDir_ / "FB_ERROR.TXT"));
    EXPECT_EQ(presenter_.shown.size(), 2u);
}

class ShowFBErrorBrokenFolder : public ErrorHandlingTest, public ::testing::WithParamInterface<TBrokenFolder> {};

TEST_P(ShowFBErrorBrokenFolder, FallsBackToTheLogFolderAndReportsOnlyWhenThatFailsToo)
{
    const std::vector<std::string> names{"FB_ERROR.TXT", "FB_ERROR.LOG"};
    std::string parent;
    Break(GetParam(), parentDir_, names, parent);
    SystemDef.ProgramParentDir = parent;

    ShowFBError(db::FbError(335544344, -902, "I/O error"), "試算表読込");
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(ReadLines(logDir_ / "FB_ERROR.TXT").at(0), "試算表読込");
    EXPECT_EQ(ReadLines(logDir_ / "FB_ERROR.LOG").size(), 13u);

    // With the log folder gone as well, the error is still shown, then the
    // failure.
    SystemDef.LogDir = (root_ / "gone").string();
    ShowFBError(db::FbError(335544344, -902, "I/O error"), "試算表読込");
    ASSERT_EQ(presenter_.shown.size(), 3u);
    EXPECT_EQ(presenter_.shown[1].Type, TMsgDlgType::mtError);
    EXPECT_EQ(presenter_.shown[2].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(presenter_.shown[2].Text.rfind(kLogFailure, 0), 0u);
    EXPECT_NE(presenter_.shown[2].Text.find((root_ / "gone" / "FB_ERROR.LOG").string()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Folders, ShowFBErrorBrokenFolder,
                         ::testing::Values(TBrokenFolder::Missing, TBrokenFolder::NamesTaken,
                                           TBrokenFolder::ThroughAFile, TBrokenFolder::NotSet),
                         [](const auto& info) { return std::string(Name(info.param)); });

struct TCommaCase {
    const char* Label;
    std::string Text;
    std::string Shown;
};

void PrintTo(const TCommaCase& c, std::ostream* os)
{
    *os << c.Label;
}

std::string Numbers(int from, int to, const char* separator)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += std::to_string(i) + (i < to ? separator : "");
    return text;
}

class ShowCommaMessageCases : public ::testing::TestWithParam<TCommaCase> {};

TEST_P(ShowCommaMessageCases, ShowsOneItemALine)
{
    RecordingMessagePresenter presenter;
    ShowCommaMessage(GetParam().Text, TMsgDlgType::mtWarning);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, GetParam().Shown);
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowCommaMessageCases,
                         ::testing::Values(TCommaCase{"TwoItems", "コピー元,コピー先", "コピー元\rコピー先\r"},
                                           TCommaCase{"CommentCut", "A,B//C,D", "A\rB\r"},
                                           TCommaCase{"OneItem", "ひとつ", "ひとつ\r"},
                                           TCommaCase{"EmptyItems", "A,,B,", "A\r\rB\r\r"},
                                           // Item 51 keeps the rest of the text, commas and all.
                                           TCommaCase{"FiftyOneItemsAtMost", Numbers(1, 60, ","),
                                                      Numbers(1, 50, "\r") + "\r" + Numbers(51, 60, ",") + "\r"}),
                         [](const auto& info) { return std::string(info.param.Label); });

}  // namespace
