#include "dataselect/print/PrDataList.h"
#include "foundation/SystemDef.h"
#include "platform/Cp932.h"
#include "print/PrintEngine.h"
#include "print/QtPrintJobSink.h"
#include "support/ScopedEnv.h"
#include "FakePrinter.h"
#include "PdfProbe.h"
#include "RecordingPrintHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace fol;

namespace {

TDataSentakuRec Row(int rec, const std::string& name, int nendo = 3)
{
    TDataSentakuRec row;
    row.Data.REC = rec;
    row.Data.DATACODE = "C" + std::to_string(rec);
    row.Data.ENTTEXT = name;
    row.Data.DISPNAME = name;
    row.Data.NENDO = nendo;
    row.Data.KIKANTEXT = "R06/04/01-R07/03/31";
    row.Data.PASNAME = "/srv/acc/data/" + std::to_string(rec);
    return row;
}

class PrDataListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("prdatalist-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "temp");
        documents = std::make_unique<ScopedEnv>("LEDRIX_DOCUMENTS", folder.string());
        temp = std::make_unique<ScopedEnv>("LEDRIX_TEMP", (folder / "temp").string());
        printer.Papers = {{9, "A4", 2970, 2100}};
        printer.Mode.PaperSize = 9;
        printer.PrintableWidth = 200;
        printer.PrintableHeight = 287;
        ASSERT_TRUE(StartPrintEngine(std::make_unique<FakeBackend>(printer)));
        sink = std::make_unique<QtPrintJobSink>((folder / "list").string());
        SetPrintHost(&host);
        SetPrintJobSink(sink.get());
        savedHome = SystemDef.HomeDir;
        SystemDef.HomeDir = "/srv/acc";
    }
    void TearDown() override
    {
        SystemDef.HomeDir = savedHome;
        SetPrintJobSink(nullptr);
        SetPrintHost(nullptr);
        EndPrintEngine();
        fs::remove_all(folder);
    }

    // Prints the list and keeps its print file; the file's lines in UTF-8.
    std::vector<std::string> PrintKept(TPrDataList& list)
    {
        list.Writer().DelFile = false;
        EXPECT_TRUE(list.PrintList(true));
        std::ifstream in(list.Writer().DataFile.empty() ? std::string() : keptFile(list), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(cp932::ToUtf8(line));
        }
        return lines;
    }

    // The writer forgets nothing but the document title after printing, so
    // its data file still names the temporary file.
    static std::string keptFile(TPrDataList& list) { return list.Writer().DataFile; }

    static std::vector<std::vector<std::string>> Pages(const std::vector<std::string>& lines)
    {
        std::vector<std::vector<std::string>> pages(1);
        for (const auto& line : lines) {
            if (line == "E;")
                pages.emplace_back();
            else
                pages.back().push_back(line);
        }
        return pages;
    }

    static long Count(const std::vector<std::string>& page, const std::string& prefix)
    {
        return std::count_if(page.begin(), page.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    fs::path folder;
    std::unique_ptr<ScopedEnv> documents;
    std::unique_ptr<ScopedEnv> temp;
    FakePrinter printer;
    RecordingPrintHost host;
    std::unique_ptr<QtPrintJobSink> sink;
    std::string savedHome;
};

TEST_F(PrDataListTest, FiftySixPortraitRowsMakeTwoPages)
{
    TPrDataList list;
    for (int i = 1; i <= 56; ++i) {
        list.Rows.push_back(Row(i + 100, "会社" + std::to_string(i)));
        list.RowOrder.push_back(i - 1);
    }
    const auto pages = Pages(PrintKept(list));
    ASSERT_EQ(pages.size(), 2u);
    // Row 55 is the last line of page 1 and has no dotted rule under it.
    EXPECT_EQ(Count(pages[0], "TEXT;170;"), 55);
    EXPECT_EQ(Count(pages[0], "LINE;150;") - 3, 54);
    EXPECT_EQ(Count(pages[0], "TEXT;170;2781;155;"), 1);
    EXPECT_EQ(Count(pages[1], "TEXT;2000;250;PAGE    2;ＭＳ 明朝;9;;黒;1;RIGHT;0;0;"), 1);
    EXPECT_EQ(Count(pages[1], "TEXT;170;405;156;ＭＳ 明朝;9;"), 1);
    EXPECT_EQ(Count(pages[0], "TEXT;1050;405;3 期;ＭＳ 明朝;9;;黒;1;CENTER;"), 1);

    ASSERT_EQ(sink->Jobs().size(), 1u);
    const std::string pdf = sink->Jobs()[0].File;
    EXPECT_EQ(pdfprobe::PageCount(pdf), 2);
    std::vector<pdfprobe::Page> sizes;
    const auto words = pdfprobe::Words(pdf, &sizes);
    EXPECT_NEAR(sizes[0].Width, 595.3, 0.5);
    const auto page =
        std::find_if(words.begin(), words.end(), [](const auto& w) { return w.Page == 2 && w.Text == "PAGE"; });
    ASSERT_NE(page, words.end());
    const auto number = std::find_if(words.begin(), words.end(), [&](const auto& w) {
        return w.Page == 2 && w.Text == "2" && std::abs(w.YMin - page->YMin) < 1;
    });
    ASSERT_NE(number, words.end());
    // Right-aligned at 200 mm from the paper's edge.
    EXPECT_NEAR(pdfprobe::Mm(number->XMax), 200.0, 0.5);
}

TEST_F(PrDataListTest, LandscapePrintsTheCodeColumn)
{
    TPrDataList list;
    list.Orientation = 1;
    list.Rows = {Row(7, "本社")};
    list.RowOrder = {0};
    const auto lines = PrintKept(list);
    EXPECT_EQ(Count(lines, "TEXT;250;405;C7;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;450;405;本社;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;250;325;コード;"), 1);
    EXPECT_EQ(Count(lines, "LINE;150;1945;2820;1945;4;0;0;"), 1);
    std::vector<pdfprobe::Page> sizes;
    const auto words = pdfprobe::Words(sink->Jobs().at(0).File, &sizes);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].Width, 841.9, 0.5);
    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [](const auto& w) { return w.Text == "C7"; }));
}

TEST_F(PrDataListTest, SharedListNumbersRowsAndChildrenTakeLines)
{
    TPrDataList list;
    list.ShareList = 1;
    TDataSentakuRec merged = Row(40, "合算");
    TDataListRec child = Row(41, "子会社").Data;
    merged.Children = {child, child};
    merged.ChildCount = 2;
    TDataSentakuRec blank;
    blank.Data.REC = 90;
    blank.Data.PASNAME = "/SRV/ACC/data/90";
    list.Rows = {Row(30, "A", 0), merged, blank};
    list.RowOrder = {2, 1, 0};
    const auto lines = PrintKept(list);
    EXPECT_EQ(Count(lines, "TEXT;1000;150;共有データリスト;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;170;405;  1;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;1050;405;;ＭＳ 明朝;9;;黒;1;LEFT;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;1600;405;~/data/90;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;170;449;  2;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;250;493;子会社;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;250;537;子会社;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;170;581;  3;"), 1);
    EXPECT_EQ(Count(lines, "TEXT;1050;581;;ＭＳ 明朝;9;;黒;1;CENTER;"), 1);
}

TEST_F(PrDataListTest, TemporaryFilesAreGoneAfterPrintingAndPreview)
{
    for (const bool print : {true, false}) {
        SCOPED_TRACE(print);
        TPrDataList list;
        list.Rows = {Row(1, "A")};
        list.RowOrder = {0};
        std::ofstream(folder / "temp" / "CHART.WMF") << "x";
        list.PrintList(print);
        EXPECT_TRUE(fs::is_empty(folder / "temp"));
    }
    EXPECT_EQ(host.Events.back(), "preview");
    EXPECT_EQ(sink->Jobs().size(), 1u);
}

}  // namespace
