#include "foundation/AppInfo.h"

#include "foundation/InstallationNames.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program folder of its own for each test: "<tmp>/bin/ledrix" is the
// program, "<tmp>/bin/AppInfo.ini" its information file.
class AppInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ledrix-appinfo-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "bin");
        program_ = (root_ / "bin" / "ledrix").string();
        iniPath_ = root_ / "bin" / "AppInfo.ini";
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    void UseFixture(const char* name)
    {
        const fs::path dir = LEDRIX_TEST_FIXTURES_DIR;
        fs::copy_file(dir / "appinfo" / name, iniPath_);
    }
    // Writes the file as the installation does: CP932 with CR LF.
    void WriteIni(const std::string& utf8Lines)
    {
        std::string text;
        for (const char c : utf8Lines) {
            if (c == '\n')
                text += "\r\n";
            else
                text += c;
        }
        WriteRaw(cp932::FromUtf8(text));
    }
    void WriteRaw(const std::string& bytes)
    {
        std::ofstream out(iniPath_, std::ios::binary);
        out << bytes;
    }

    fs::path root_;
    fs::path iniPath_;
    std::string program_;
};

TAppInfoRec Defaults()
{
    TAppInfoRec info;
    SetAppInfoDefaults(info);
    return info;
}

// A record with a recognisable value in every field kind, to see what a load
// overwrote.
TAppInfoRec Sentinel()
{
    TAppInfoRec info;
    info.Application.OEM = "before";
    info.Zaimu.AppTitle = "before";
    info.Zaimu.DataListCnt = 7;
    info.Menu.BudvantMenuLimit = false;
    return info;
}

TEST_F(AppInfoTest, FullFileFillsEveryFieldFromItsOwnSection)
{
    UseFixture("full.ini");
    TAppInfoRec info = Defaults();
    ASSERT_EQ(LoadAppInfo(program_, info), AppInfoLoaded);

    const auto& a = info.Application;
    EXPECT_EQ(a.OEM, "BrendalData");
    EXPECT_EQ(a.Since, "2010-2024");
    EXPECT_EQ(a.RegKey, "\\SOFTWARE\\NORVEL");  // a registry key keeps its "\"
    EXPECT_EQ(a.Qel, "Qelキーステーション２");
    EXPECT_EQ(a.QelAlias, "QelX");
    EXPECT_EQ(a.VerMajorDiff, 2);
    EXPECT_EQ(a.VerMinorDiff, -1);
    EXPECT_EQ(a.VerRevDiff, 16);  // "$10"
    EXPECT_EQ(a.VerTest, "β");
    EXPECT_EQ(a.DuzezuzaBlind, 1);
    EXPECT_EQ(a.WebNavigoreServer, "web.navigore.test");
    EXPECT_EQ(a.BudvantServer, "budvant.test");

    const auto& z = info.Zaimu;
    EXPECT_EQ(z.AppName, "qhzaimu2");
    EXPECT_EQ(z.AppTitle, "Ledrix財務ＰＲＯ");
    EXPECT_EQ(z.AppTitle_CL, "顧問先版２");
    EXPECT_EQ(z.RegKey, "LEDRIXZAIMU");
    EXPECT_EQ(z.HomeDir, "norvel/ledrixzaimu2");  // folders written with "\" read with "/"
    EXPECT_EQ(z.ShareDir, "ledrixzaimu2");
    EXPECT_EQ(z.ServerDir, "/ledrixzaimu2/data");
    EXPECT_EQ(z.ServerTempDir, "/ledrixzaimu2/temp");
    EXPECT_EQ(z.DataDefFile, "qhaccdef2.fdb");
    EXPECT_EQ(z.DataFile, "qhacc2.fdb");
    EXPECT_EQ(z.DataBackupFile, "qhacc2.fbk");
    EXPECT_EQ(z.DataInitFile, "acc2_%d.gbk");
    EXPECT_EQ(z.DataIniFile, "qhacc2.ini");
    EXPECT_EQ(z.DataListCnt, 150);

    EXPECT_EQ(info.VOrera.AppTitle, "電子帳簿２");
    EXPECT_EQ(info.VOrera.DataDir, "qhzview2");
    EXPECT_EQ(info.VOrera.WriteDirFmt, "qhz%.2dcd2");
    EXPECT_EQ(info.Navigore.AppTitle, "経営Navigore２");
    EXPECT_EQ(info.Navigore.RegKey, "NAVIGORE2");
    EXPECT_EQ(info.Navigore.HomeDir, "norvel/navigore");
    EXPECT_EQ(info.Duzezuza.AppTitle, "Ledrix現金出納帳２");
    EXPECT_EQ(info.Duzezuza.RegKey, "DUZEZUZA2");
    EXPECT_EQ(info.Duzezuza.DataDir, "cb_data2");
    EXPECT_EQ(info.Duzezuza.DataBackupFile, "qhcashbook2.fbk");

    const auto& m = info.Menu;
    EXPECT_EQ(m.DataCon, "データ通信２");
    EXPECT_EQ(m.DataCon01, "データ送信２");
    EXPECT_EQ(m.DataCon02, "データ受信２");
    EXPECT_EQ(m.DataCon03, "通信設定２");
    EXPECT_EQ(m.DataConQel01, "Qel保存２");
    EXPECT_EQ(m.DataConQel02, "Qel復元２");
    EXPECT_FALSE(m.BudvantMenuLimit);  // "False"
}

TEST_F(AppInfoTest, EditionAloneGivesEmptyTextsAndTheNumericDefaults)
{
    UseFixture("oem_only.ini");
    TAppInfoRec info = Defaults();
    ASSERT_EQ(LoadAppInfo(program_, info), AppInfoLoaded);

    TAppInfoRec expected;
    expected.Application.OEM = "Ledrix";
    expected.Zaimu.DataListCnt = 120;
    expected.Menu.BudvantMenuLimit = true;
    EXPECT_EQ(info, expected);
}

TEST_F(AppInfoTest, WithoutTheEditionEveryFieldTakesItsBuiltInDefault)
{
    UseFixture("no_oem.ini");  // every other key is present
    TAppInfoRec info = Sentinel();
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoNoEdition);
    EXPECT_EQ(info, Defaults());
    EXPECT_EQ(info.Application.OEM, "-");
    EXPECT_EQ(info.Zaimu.DataListCnt, 120);
    EXPECT_TRUE(info.Menu.BudvantMenuLimit);
}

TEST_F(AppInfoTest, AnEmptyEditionValueCountsAsAbsent)
{
    WriteIni("[Application]\nOEM=\n[Zaimu]\nAppTitle=x\n");
    TAppInfoRec info = Sentinel();
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoNoEdition);
    EXPECT_EQ(info, Defaults());
}

TEST_F(AppInfoTest, NoFileLeavesTheRecordUntouched)
{
    TAppInfoRec info = Sentinel();
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoMissing);
    EXPECT_EQ(info, Sentinel());

    // A folder of that name is no file either.
    fs::create_directory(iniPath_);
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoMissing);
    EXPECT_EQ(info, Sentinel());

    // The name is exact: the file system tells case apart.
    fs::remove(iniPath_);
    WriteIni("[Application]\nOEM=x\n");
    fs::rename(iniPath_, root_ / "bin" / "appinfo.ini");
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoMissing);
}

TEST_F(AppInfoTest, AFileThatCannotBeReadAnswersMinusTenAndKeepsTheRecord)
{
    // "\x81\x20" is a lead byte without its trail byte: not Shift-JIS text.
    WriteRaw("[Application]\r\nOEM=\x81\x20\r\n");
    TAppInfoRec info = Sentinel();
    EXPECT_EQ(LoadAppInfo(program_, info), AppInfoUnreadable);
    EXPECT_EQ(info, Sentinel());
}

TEST_F(AppInfoTest, ProgramPathWithoutAFolderReadsTheWorkingFolder)
{
    WriteIni("[Application]\nOEM=here\n");
    const fs::path before = fs::current_path();
    fs::current_path(root_ / "bin");
    TAppInfoRec info;
    const std::int32_t result = LoadAppInfo("ledrix", info);
    fs::current_path(before);
    EXPECT_EQ(result, AppInfoLoaded);
    EXPECT_EQ(info.Application.OEM, "here");
}

// ---------------------------------------------------------------------------
// Single key readings

struct KeyCase {
    const char* name;
    const char* lines;  // below "[Application]" "OEM=x"
    std::int32_t dataListCnt;
    std::int32_t verMajorDiff;
    bool budvantMenuLimit;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class AppInfoKeyTest : public AppInfoTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(AppInfoKeyTest, ReadsTheValue)
{
    const KeyCase& c = GetParam();
    WriteIni(std::string("[Application]\nOEM=x\n") + c.lines);
    TAppInfoRec info;
    ASSERT_EQ(LoadAppInfo(program_, info), AppInfoLoaded);
    EXPECT_EQ(info.Zaimu.DataListCnt, c.dataListCnt);
    EXPECT_EQ(info.Application.VerMajorDiff, c.verMajorDiff);
    EXPECT_EQ(info.Menu.BudvantMenuLimit, c.budvantMenuLimit);
}

INSTANTIATE_TEST_SUITE_P(
    AppInfoKeys, AppInfoKeyTest,
    ::testing::Values(KeyCase{"count_not_a_number", "VerMajorDiff=abc\n[Zaimu]\nDataListCnt=abc\n", 120, 0, true},
                      KeyCase{"count_given", "[Zaimu]\nDataListCnt=75\n", 75, 0, true},
                      KeyCase{"count_zero", "[Zaimu]\nDataListCnt=0\n", 120, 0, true},
                      KeyCase{"count_negative", "[Zaimu]\nDataListCnt=-5\n", 120, 0, true},
                      KeyCase{"count_beyond_32_bits", "[Zaimu]\nDataListCnt=4294967296\n", 120, 0, true},
                      KeyCase{"negative_difference", "VerMajorDiff=-3\n", 120, -3, true},
                      KeyCase{"limit_upper_case_false", "[Menu]\nBudvantMenuLimit=FALSE\n", 120, 0, false},
                      KeyCase{"limit_mixed_case_false", "[Menu]\nBudvantMenuLimit=fAlSe\n", 120, 0, false},
                      KeyCase{"limit_quoted_false", "[Menu]\nBudvantMenuLimit=\"false\"\n", 120, 0, false},
                      KeyCase{"limit_zero", "[Menu]\nBudvantMenuLimit=0\n", 120, 0, true},
                      KeyCase{"limit_no", "[Menu]\nBudvantMenuLimit=no\n", 120, 0, true},
                      KeyCase{"limit_empty", "[Menu]\nBudvantMenuLimit=\n", 120, 0, true},
                      KeyCase{"limit_false_with_more", "[Menu]\nBudvantMenuLimit=falsey\n", 120, 0, true},
                      KeyCase{"limit_full_width_false", "[Menu]\nBudvantMenuLimit=ｆａｌｓｅ\n", 120, 0, true},
                      // A key of the same name in another section is another field.
                      KeyCase{"limit_in_wrong_section", "BudvantMenuLimit=false\n", 120, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppInfoTest, ReadAppInfoKeyTellsWhetherTheValueIsThere)
{
    WriteIni("[Zaimu]\nAppTitle=財務\nEmpty=\n");
    const IniFile ini(iniPath_.string());
    std::string value = "old";
    EXPECT_TRUE(ReadAppInfoKey(ini, "Zaimu", "AppTitle", value));
    EXPECT_EQ(value, "財務");
    EXPECT_FALSE(ReadAppInfoKey(ini, "Zaimu", "Empty", value));
    EXPECT_EQ(value, "");
    value = "old";
    EXPECT_FALSE(ReadAppInfoKey(ini, "Zaimu", "Absent", value));
    EXPECT_EQ(value, "");
}

// The record's defaults and the built-in file and folder names must agree:
// start-up copies the one over the other.
TEST(AppInfoDefaults, AgreeWithTheBuiltInFileAndFolderNames)
{
    const TAppInfoRec d = Defaults();
    EXPECT_EQ(d.Zaimu.AppName, AppIniBaseName);
    EXPECT_EQ(d.Zaimu.HomeDir, AppHomeDir);
    EXPECT_EQ(d.Zaimu.ShareDir, ProductFolderName);
    EXPECT_EQ(d.Zaimu.ServerDir, DataFolderSuffix);
    EXPECT_EQ(d.Zaimu.ServerTempDir, TempFolderSuffix);
    EXPECT_EQ(d.Zaimu.DataDefFile, SysDbFileName);
    EXPECT_EQ(d.Zaimu.DataFile, DataDbFileName);
    EXPECT_EQ(d.Zaimu.DataBackupFile, DataBackupFileName);
    EXPECT_EQ(d.Zaimu.DataIniFile, DataIniFileName);
    EXPECT_EQ(d.Zaimu.DataListCnt, DataListMax);
    EXPECT_EQ(d.VOrera.DataDir, ViewerFolderName);
    EXPECT_EQ(d.Duzezuza.DataDir, CashBookFolderName);
    EXPECT_EQ(d.Duzezuza.DataBackupFile, CashBookBackupFileName);
    EXPECT_EQ(d.Navigore.HomeDir, AnalysisHomeDir);
    const std::array<int, 5> numbers = {11, 21, 22, 23, 31};
    for (std::size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(FormatAppInfoPattern(d.Zaimu.DataInitFile, numbers[i]), InitialDataFileNames[i]);
}

TEST(AppInfoLoadErrorText, NamesTheCauseForEachFailure)
{
    EXPECT_EQ(AppInfoLoadErrorText(AppInfoLoaded), "");
    EXPECT_EQ(AppInfoLoadErrorText(AppInfoMissing),
              "アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\r"
              "アプリケーションを強制終了します。");
    EXPECT_EQ(AppInfoLoadErrorText(AppInfoNoEdition),
              "アプリケーションの設定ファイル(AppInfo.ini)の値を参照できませんでした。\r"
              "アプリケーションを強制終了します。");
    const std::string unreadable =
        "アプリケーションの設定ファイル(AppInfo.ini)を参照できませんでした。\r"
        "アプリケーションを強制終了します。";
    EXPECT_EQ(AppInfoLoadErrorText(-2), unreadable);
    EXPECT_EQ(AppInfoLoadErrorText(AppInfoUnreadable), unreadable);
}

// ---------------------------------------------------------------------------
// File-name patterns

TEST(FormatAppInfoPattern, FormatsTheOneIntegerConversion)
{
    struct Case {
        const char* pattern;
        std::int32_t number;
        const char* result;
    };
    const Case cases[] = {
        {"acc%d.gbk", 11, "acc11.gbk"},
        {"qhz%.2dcd", 3, "qhz03cd"},
        {"qhz%.2dcd", 123, "qhz123cd"},
        {"[%5d]", 42, "[   42]"},
        {"[%-5d]", 42, "[42   ]"},
        {"[%6.3d]", -5, "[  -005]"},
        {"%d", -2147483647 - 1, "-2147483648"},
        {"100%%_%D", 1, "100%_1"},
        {"plain.gbk", 7, "plain.gbk"},
        {"", 7, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatAppInfoPattern(c.pattern, c.number), c.result) << c.pattern;
}

TEST(FormatAppInfoPattern, RefusesPatternsItCannotFormatSafely)
{
    for (const char* pattern :
         {"acc%s.gbk", "acc%d%d.gbk", "acc%", "acc%x", "acc%n", "%*d", "%1:d", "%100d", "%.99999999999d"}) {
        EXPECT_THROW(FormatAppInfoPattern(pattern, 1), std::invalid_argument) << pattern;
    }
}

}  // namespace
