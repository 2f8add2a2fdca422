#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/FieldSplit.h"
#include "print/FolFormat.h"
#include "print/FolHeader.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace fol;

namespace {

std::string S(const char* utf8)
{
    return cp932::FromUtf8(utf8);
}

TEST(FolRecordTest, SplitsFieldsDropsQuotesAndReadsMissingFieldsAsEmpty)
{
    const FolRecord text(S("text;100;200;\"引用\";;;B"));
    EXPECT_EQ(text.Keyword(), "TEXT");
    EXPECT_EQ(text.Int(1), 100);
    EXPECT_EQ(text.Text(3), S("引用"));
    EXPECT_EQ(text.Text(4), "");
    EXPECT_EQ(text.Text(6), "B");
    EXPECT_EQ(text.Text(9), "");
    EXPECT_EQ(text.Int(5, 10), 10);
    EXPECT_EQ(text.Line(), S("text;100;200;引用;;;B;"));

    const FolRecord definition("&;10;20;NAME", true);
    EXPECT_EQ(definition.Keyword(), "&");
    EXPECT_EQ(definition.Text(3), "NAME");
    EXPECT_EQ(definition.Text(4), "0");
}

TEST(FolRecordTest, NumberGrammar)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"12", 12},
        {" -7 ", -7},
        {"+3", 3},
        {"$FF", 255},
        {"$ff0000", 0xFF0000},
        {"$FFFFFFFF", -1},
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
        {"12a", std::nullopt},
        {"4294967296", std::nullopt},
        {"2147483648", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseNumber(text), expected) << text;
}

TEST(FolRecordTest, PageEndLines)
{
    EXPECT_TRUE(IsPageEnd("E;"));
    EXPECT_TRUE(IsPageEnd("e;"));
    EXPECT_TRUE(IsPageEnd("E;more text"));
    EXPECT_FALSE(IsPageEnd("E"));
    EXPECT_FALSE(IsPageEnd(" E;"));
    EXPECT_FALSE(IsPageEnd("ELINE;1;2;3;4;"));
}

TEST(ColourFieldTest, ResolvesNamesWordsAndNumbers)
{
    ColourSet colours;
    colours.Net1 = 0x111111;
    colours.Net2 = 0x222222;
    colours.User1 = 0x333333;
    colours.User2 = 0x444444;
    const std::pair<std::string, TColor> cases[] = {
        {S("黒"), 0x000000},
        {S("黄緑"), 0x008080},
        {S("赤"), 0x0000FF},
        {S("青"), 0xFF0000},
        {S("白"), 0xFFFFFF},
        {S("黄"), 0x00FFFF},
        {S("薄網掛"), 0x111111},
        {S("濃網掛"), 0x222222},
        {"ucolor1", 0x333333},
        {"UCOLOR2", 0x444444},
        {"OcrGreen", 0x2CBE00},
        {"OCRPURPLE", 0x741A82},
        {"0", 0x000000},
        {"", 0x000000},
        {"abc", 0x000000},
        {"16777215", 0xFFFFFF},
        {"9", 0x0000FF},
        {"11", 0xFF0000},
        {"14", 0xFFFFFF},
        {"15", 0x00FFFF},
        {"16", SystemColourFlag | 1},
        {"35", SystemColourFlag | 20},
        {"40", 0x111111},
        {"43", 0x444444},
        {"36", 36},
        {"$00FF00", 0x00FF00},
    };
    for (const auto& [field, expected] : cases)
        EXPECT_EQ(ResolveColour(field, colours), expected) << cp932::ToUtf8(field);
}

TEST(ColourFieldTest, FormGreyAndGreyScale)
{
    EXPECT_EQ(AdjustColour(0x0000FF, true, false), FormGrey);
    EXPECT_EQ(AdjustColour(0x000000, true, false), FormGrey);
    EXPECT_EQ(AdjustColour(White, true, false), White);
    // 0.299 × 255 = 76.245 → 76; 0.587 × 255 = 149.685 → 150.
    EXPECT_EQ(AdjustColour(0x0000FF, false, true), 0x4C4C4C);
    EXPECT_EQ(AdjustColour(0x00FF00, false, true), 0x969696);
    EXPECT_EQ(AdjustColour(0x102030, false, true), 0x232323);  // 14.352 + 18.784 + 1.824 = 34.96 → 35
    EXPECT_EQ(AdjustColour(Black, false, true), Black);
    EXPECT_EQ(AdjustColour(White, false, true), White);
}

TEST(ColourFieldTest, FillField)
{
    const ColourSet colours;
    EXPECT_EQ(ResolveFill("1", colours), std::nullopt);
    EXPECT_EQ(ResolveFill("off", colours), std::nullopt);
    EXPECT_EQ(ResolveFill("ON", colours), White);
    EXPECT_EQ(ResolveFill(S("黒"), colours), std::nullopt);
    EXPECT_EQ(ResolveFill(S("白"), colours), White);
    EXPECT_EQ(ResolveFill(S("栗"), colours), 0x000080);
    EXPECT_EQ(ResolveFill("20", colours), std::nullopt);  // a system colour
    EXPECT_EQ(ResolveFill("15", colours), 0x00FFFF);      // index 15 is yellow, not the value 15
}

TEST(TextFieldsTest, AlignmentStyleAndFace)
{
    EXPECT_EQ(ResolveAlignment("center"), TextAlign::Centre);
    EXPECT_EQ(ResolveAlignment("1"), TextAlign::Centre);
    EXPECT_EQ(ResolveAlignment("BOTTOM"), TextAlign::Right);
    EXPECT_EQ(ResolveAlignment("2"), TextAlign::Right);
    EXPECT_EQ(ResolveAlignment("LEFT"), TextAlign::Left);
    EXPECT_EQ(ResolveAlignment("middle"), TextAlign::Left);

    const TextStyle bis = ResolveStyle("bis");
    EXPECT_TRUE(bis.Bold && bis.Italic && bis.StrikeOut && !bis.Underline && !bis.Fit);
    const TextStyle fit = ResolveStyle("CB");
    EXPECT_TRUE(fit.Fit && fit.Bold);
    EXPECT_TRUE(ResolveStyle("DU").DoubleUnderline);
    const TextStyle odd = ResolveStyle("SB");  // not one of the combinations
    EXPECT_FALSE(odd.Bold || odd.StrikeOut);

    const auto none = [](const std::string&) { return false; };
    const auto ocrb = [](const std::string& face) { return face == "OCRB"; };
    EXPECT_EQ(ResolveFace("", none), "ＭＳ 明朝");
    EXPECT_EQ(ResolveFace("OCR-B", none), "ＭＳ ゴシック");
    EXPECT_EQ(ResolveFace("OCR-B", ocrb), "OCRB");
    EXPECT_EQ(ResolveFace("IPAGothic", none), "IPAGothic");
}

TEST(FolHeaderTest, ReadBackByKeyWithDefaults)
{
    const std::vector<std::string> full = {
        "*FOLIANTO**",   "*FORMFILE= /f/a.FOF ", "*PAPERSIZE=12",  "*OUTPUTPAPER=0", "*ORIENTATION=1",
        "*TOPMARGIN=50", "*LEFTMARGIN=-3",       "*NETC1=$c0c0c0", "*NETC2=$ABCDEF", "*USERC1=255",
        "*USERC2=x",     "*FORMPRINT=TRUE",      "*PAPERSIZE=8"};
    const ReadBackSettings s = ReadHeader(full);
    EXPECT_EQ(s.FormFile, "/f/a.FOF");
    EXPECT_EQ(s.PaperSize, 12);
    EXPECT_EQ(s.OutputPaper, 0);
    EXPECT_EQ(s.Orientation, 1);
    EXPECT_EQ(s.TopMargin, 50);
    EXPECT_EQ(s.LeftMargin, -3);
    EXPECT_EQ(s.NetColour1, 0xC0C0C0);
    EXPECT_EQ(s.NetColour2, 0xABCDEF);
    EXPECT_EQ(s.UserColour1, 255);
    EXPECT_EQ(s.UserColour2, 0);
    EXPECT_TRUE(s.FormPrint);

    const ReadBackSettings empty = ReadHeader({"*FOLIANTO*", "*FORMPRINT=true"});
    EXPECT_EQ(empty.PaperSize, 9);
    EXPECT_EQ(empty.OutputPaper, 9);
    EXPECT_EQ(empty.TopMargin, 0);
    EXPECT_FALSE(empty.FormPrint);
    EXPECT_EQ(empty.FormFile, "");

    EXPECT_TRUE(HasPrintFileMark("*FOLIANTO*****"));
    EXPECT_FALSE(HasPrintFileMark("*FOLIANTO"));
    EXPECT_FALSE(HasPrintFileMark("TEXT;1;2;"));
}

TEST(FieldSplitTest, SplitsAtSeparatorsAndCutsComments)
{
    std::vector<std::string> pieces;
    EXPECT_EQ(SplitFields("A;B//C;D", ';', pieces), 1);
    EXPECT_EQ(pieces, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SplitFields("", ';', pieces), 0);
    EXPECT_EQ(SplitFields(";x", ';', pieces), 1);
    EXPECT_EQ(pieces, (std::vector<std::string>{"", "x"}));
    std::string many;
    for (int i = 0; i < 105; ++i)
        many += "a;";
    EXPECT_EQ(SplitFields(many, ';', pieces), MaxSeparators);
    EXPECT_EQ(pieces.size(), static_cast<std::size_t>(MaxSeparators + 1));

    const std::string form = "FORM;a.FOF;TRUE; 10 ;20;";
    EXPECT_EQ(FieldOf(form, ';', 3), "10");
    EXPECT_EQ(FieldOf(form, ';', 1), "a.FOF");
    EXPECT_EQ(FieldOf(form, ';', 9), "");
    EXPECT_EQ(SafeStrToFloat("1.5"), 1.5);
    EXPECT_EQ(SafeStrToFloat("x"), 0);
}

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("folianto-log-" + std::to_string(::getpid()));
        fs::remove_all(root);
        SetErrorLogClock([] { return EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 0); });
    }
    void TearDown() override
    {
        SetErrorLogClock({});
        fs::remove_all(root);
    }
    fs::path root;
};

TEST_F(ErrorLogTest, AppendsStampedCp932Lines)
{
    ScopedEnv documents("LEDRIX_DOCUMENTS", (root / "docs").string());
    EXPECT_TRUE(WriteErrorLog("Vdb.GetPaper", "失敗"));
    EXPECT_TRUE(WriteErrorLog("ImageOut.(TEXT):x"));
    std::ifstream in(root / "docs" / ErrorLogName, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), S("26/03/04 05:06:07  Vdb.GetPaper:失敗\r\n26/03/04 05:06:07  ImageOut.(TEXT):x\r\n"));
}

// Logging happens inside drawing: a folder it cannot write loses the line
// and says so, it never raises into the caller.
TEST_F(ErrorLogTest, UnwritableFolderIsReportedNotThrown)
{
    fs::create_directories(root);
    std::ofstream(root / "file") << "x";
    ScopedEnv documents("LEDRIX_DOCUMENTS", (root / "file" / "docs").string());
    bool written = true;
    EXPECT_NO_THROW(written = WriteErrorLog("PRINT.メイン", "x"));
    EXPECT_FALSE(written);
}

}  // namespace
