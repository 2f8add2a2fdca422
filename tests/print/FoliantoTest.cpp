#include "platform/Cp932.h"
#include "print/FolDef.h"
#include "print/Folianto.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace fol;

namespace {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class FoliantoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("folianto-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        writer.SetClock([] { return EncodeDate(2026, 12, 11); });
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    TFolianto writer;
};

// The writer's whole output for a two-page document, compared byte for byte
// with the checked-in file (CP932, CR LF, upper-case hexadecimal colours).
// Only the folder line differs from run to run.
TEST_F(FoliantoTest, TwoPageDocumentMatchesTheGoldenFile)
{
    writer.DataFile = (folder / "doc.FOL").string();
    writer.Title = "試算表";
    writer.FormFile = "/forms/試算表.FOF";
    writer.Orientation = 1;
    writer.TopMargin = 50;
    writer.LeftMargin = 70;
    writer.FormTopMargin = 3;
    writer.FormLeftMargin = -4;
    writer.Colours.Net1 = 0xABCDEF;
    writer.Colours.User2 = 0x0000FF;
    writer.PrintFom = false;
    writer.SetCopie(3);
    writer.PageBango = true;
    writer.PageBangoLeft = 1800;
    writer.PageBangoTop = 2800;
    writer.PageBangoAlignment = TextAlign::Centre;
    writer.SetPageBangoFormat("- %d -");
    writer.BlankPage = 1;

    writer.OpenPrintFile(false);
    writer.WriteHeader();  // once per opened file: writes nothing more
    writer.PrintText(100, 200, "a;b", "", 10, "", "黒", "OFF", "left", 0);
    writer.PrintText(100, 300, "勘定科目", "ＭＳ ゴシック", 12, "B", "青", "ON", "RIGHT", 10);
    writer.PrintText(100, 400, "一行目\r\n二行目\nE;三", "", 10, "", "0", "1", "CENTER", 0);
    writer.PrintLine(10, 20, 1900, 20, 2, 0, "赤", false);
    writer.PrintLine(10, 30, 1900, 30, 5, 1, "UCOLOR1", true);
    writer.PrintBox(10, 40, 200, 90, 1, 0, "黒", "薄網掛", 0);
    writer.NewPage();
    writer.PrintText(0, 0, "２頁", "OCR-B", 0, "DU", "16777215", "白", "", 6);
    writer.ClosePrintFile();
    EXPECT_EQ(writer.PageNo, 2);

    std::string expected = ReadBytes(fs::path(LEDRIX_PRINT_GOLDEN_DIR) / "two-pages.FOL");
    ASSERT_FALSE(expected.empty());
    const std::string marker = "@FOLDER@";
    expected.replace(expected.find(marker), marker.size(), cp932::FromUtf8(folder.string()));
    EXPECT_EQ(ReadBytes(folder / "doc.FOL"), expected);
}

struct FitCase {
    const char* Name;
    std::string Text;  // UTF-8
    const char* Alignment;
    int Width;
    std::string Expected;  // UTF-8
};

std::ostream& operator<<(std::ostream& out, const FitCase& c)
{
    return out << c.Name;
}

class FitTextTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTextTest, FitsToTheByteWidth)
{
    const FitCase& c = GetParam();
    const std::string fitted = FitText(cp932::FromUtf8(c.Text), c.Alignment, c.Width);
    EXPECT_EQ(cp932::ToUtf8(fitted), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitTextTest,
                         ::testing::Values(FitCase{"LeftPadsBehind", "abcde", "LEFT", 8, "abcde   "},
                                           FitCase{"RightPadsInFront", "abcde", "RIGHT", 8, "   abcde"},
                                           FitCase{"CentreUnchanged", "abcde", "CENTER", 8, "abcde"},
                                           FitCase{"OtherAlignmentIsLeft", "ab", "", 4, "ab  "},
                                           FitCase{"LeftCutsLongText", "abcdefghij", "LEFT", 8, "abcdefgh"},
                                           // The 8th byte is the lead byte of "科": seven bytes are kept.
                                           FitCase{"LeftNeverCutsACharacterInHalf", "abc勘定科", "LEFT", 8, "abc勘定"},
                                           FitCase{"RightKeepsTheLastBytes", "abcdefghij", "RIGHT", 8, "cdefghij"},
                                           // The last 7 bytes begin with the trail byte of "勘": a space stands
                                           // in for it rather than a lone trail byte.
                                           FitCase{"RightNeverLeavesALoneTrailByte", "a勘定科目", "RIGHT", 7,
                                                   " 定科目"},
                                           FitCase{"WideFieldsAreNotPadded", "abc", "LEFT", 127, "abc"},
                                           FitCase{"WidthZeroUnchanged", "abc", "LEFT", 0, "abc"},
                                           FitCase{"SemicolonBecomesColon", "a;b;c", "LEFT", 0, "a:b:c"},
                                           FitCase{"LineBreaksBecomeSpaces", "a\r\nb\nc\rd", "LEFT", 0, "a b c d"},
                                           FitCase{"ReplacedBeforeFitting", "a;\nb", "RIGHT", 5, " a: b"}));

TEST_F(FoliantoTest, PropertiesKeepTheirValueForRefusedInput)
{
    writer.SetCopie(5);
    writer.SetCopie(0);
    writer.SetCopie(100);
    EXPECT_EQ(writer.Copie(), 5);
    writer.SetZoom(25);
    EXPECT_EQ(writer.Zoom(), 10);
    writer.SetZoom(5);
    EXPECT_EQ(writer.Zoom(), 5);
    writer.SetScale(49);
    EXPECT_EQ(writer.Scale(), 100);
    writer.SetPrintQuality(-5);
    EXPECT_EQ(writer.PrintQuality(), 0);
    writer.SetPrintQuality(-2);
    EXPECT_EQ(writer.PrintQuality(), -2);
    writer.SetColorMode(7);
    EXPECT_EQ(writer.ColorMode(), 0);
    writer.SetDuplex(4);
    EXPECT_EQ(writer.Duplex(), 0);
    writer.SetCollate(2);
    EXPECT_EQ(writer.Collate(), 0);

    const std::pair<int, int> ratios[] = {{20, 1020}, {-50, 950}, {900, 1000}, {1050, 1050}, {51, 1000}};
    for (const auto& [given, stored] : ratios) {
        writer.SetVRATIO(given);
        writer.SetHRATIO(given);
        EXPECT_EQ(writer.VRATIO(), stored) << given;
        EXPECT_EQ(writer.HRATIO(), stored) << given;
    }
}

TEST_F(FoliantoTest, PageNumberFormatCountsItsPlaceholders)
{
    EXPECT_EQ(writer.PageBangoPlaceholders(), 2);
    writer.PageBango = true;
    writer.SetPageBangoFormat("%d");
    EXPECT_EQ(writer.PageBangoPlaceholders(), 1);
    EXPECT_TRUE(writer.PageBango);
    writer.SetPageBangoFormat("P%D/%d");
    EXPECT_EQ(writer.PageBangoPlaceholders(), 2);
    for (const char* refused : {"Page", "%d %d %d", "%s of %d", "%d%"}) {
        writer.PageBango = true;
        writer.SetPageBangoFormat(refused);
        EXPECT_FALSE(writer.PageBango) << refused;
        EXPECT_EQ(writer.PageBangoFormat(), "(%d/%d)") << refused;
        EXPECT_EQ(writer.PageBangoPlaceholders(), 2) << refused;
    }
}

TEST_F(FoliantoTest, WritingWithoutAnOpenFileRaises)
{
    EXPECT_THROW(writer.PrintLine(0, 0, 1, 1, 1, 0, "黒", false), EInOutError);
    writer.DataFile = (folder / "missing-folder" / "x.FOL").string();
    EXPECT_THROW(writer.OpenPrintFile(false), EInOutError);
}

TEST_F(FoliantoTest, TextCp932CannotHoldIsRefusedWithoutWritingIt)
{
    writer.DataFile = (folder / "doc.FOL").string();
    writer.OpenPrintFile(false);
    EXPECT_THROW(writer.PrintText(0, 0, "emoji 😀", "", 10, "", "黒", "1", "", 0), cp932::TextEncodingError);
    writer.PrintLine(1, 2, 3, 4, 1, 0, "黒", false);
    writer.ClosePrintFile();
    const std::string bytes = ReadBytes(writer.DataFile);
    EXPECT_EQ(bytes.find("emoji"), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("FOLIANTO*\r\nLINE;1;2;3;4;1;0;" + cp932::FromUtf8("黒") + ";\r\n"));
}

TEST_F(FoliantoTest, TemporaryNameIsMadeInTheDataFilesFolder)
{
    writer.DataFile = (folder / "データリスト.TMP").string();
    writer.OpenPrintFile(true);
    writer.ClosePrintFile();
    EXPECT_EQ(writer.DocTitle, "データリスト");
    const fs::path made(writer.DataFile);
    EXPECT_EQ(made.parent_path(), folder);
    EXPECT_EQ(made.filename().string().substr(0, 1), "~");
    EXPECT_EQ(ReadBytes(made).substr(0, 10), "*FOLIANTO*");
}

TEST_F(FoliantoTest, CopySettingsFillsTheRecord)
{
    writer.DataFile = "/tmp/a.FOL";
    writer.LeftMargin = 100;
    writer.EvenLeftMargin = 130;
    writer.SetVRATIO(20);
    TFOLDEF record;
    writer.CopySettings(record);
    EXPECT_EQ(record.EvenShift, 30);
    EXPECT_EQ(record.VRatio, 1020);
    EXPECT_EQ(record.DocTitle(), "FOLIANTO-VCL.2.5");
    EXPECT_EQ(record.PageNumbers.Placeholders, 2);
    writer.Title = "元帳";
    writer.CopySettings(record);
    EXPECT_EQ(record.DocTitle(), "元帳");
    writer.EvenLeftMargin = 0;
    writer.CopySettings(record);
    EXPECT_EQ(record.EvenShift, 0);
}

// A path cut to the record's field would name another file: refused.
TEST_F(FoliantoTest, PathLongerThanTheRecordFieldIsRefused)
{
    TFOLDEF record;
    writer.DataFile = "/" + std::string(126, 'a');
    EXPECT_NO_THROW(writer.CopySettings(record));
    EXPECT_EQ(record.DataFile(), writer.DataFile);
    writer.DataFile = "/" + std::string(129, 'a');
    EXPECT_THROW(writer.CopySettings(record), EFolDefError);
    EXPECT_NE(record.DataFile(), writer.DataFile);
    writer.DataFile = "/tmp/x.FOL";
    writer.FormFile = "/" + std::string(63, 'a') + std::string(32, 'a') + "帳票帳票帳票帳票帳票帳票帳票帳票";
    EXPECT_THROW(writer.CopySettings(record), EFolDefError);
    // Names are cut at a character boundary instead.
    record.SetTitle(std::string(62, 'x') + "帳");
    EXPECT_EQ(record.Title(), std::string(62, 'x'));
}

}  // namespace
