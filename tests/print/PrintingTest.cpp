#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/Folianto.h"
#include "print/PrintEngine.h"
#include "print/Printing.h"
#include "print/QtPrintJobSink.h"
#include "support/ScopedEnv.h"
#include "FakePrinter.h"
#include "PdfProbe.h"
#include "PrintFiles.h"
#include "RecordingPrintHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace fol;

namespace {

using Page = std::vector<std::string>;

std::string Text(int x, int y, const std::string& text)
{
    return "TEXT;" + std::to_string(x) + ";" + std::to_string(y) + ";" + text + ";;10;;黒;OFF;LEFT;0;0;";
}

// One page per entry, each with a TEXT "<prefix><n>" at (300, 400).
std::vector<Page> NamedPages(const std::string& prefix, int count)
{
    std::vector<Page> pages;
    for (int n = 1; n <= count; ++n)
        pages.push_back({Text(300, 400, prefix + std::to_string(n))});
    return pages;
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("printing-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        documents = std::make_unique<ScopedEnv>("LEDRIX_DOCUMENTS", folder.string());
        printer.Papers = {{9, "A4", 2970, 2100}, {8, "A3", 4200, 2970}};
        printer.Mode.PaperSize = 9;
        printer.Mode.Fields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE;
        printer.PrintableWidth = 200;  // a 5 mm border all round
        printer.PrintableHeight = 287;
        ASSERT_TRUE(StartPrintEngine(std::make_unique<FakeBackend>(printer)));
        sink = std::make_unique<QtPrintJobSink>((folder / "job").string());
        SetPrintHost(&host);
        SetPrintJobSink(sink.get());
    }
    void TearDown() override
    {
        SetPrintJobSink(nullptr);
        SetPrintHost(nullptr);
        EndPrintEngine();
        fs::remove_all(folder);
    }

    std::string WriteFile(const std::string& name, const std::vector<Page>& pages, bool printFile = true)
    {
        const std::string path = (folder / name).string();
        WritePrintFile(path, pages, printFile);
        return path;
    }

    TFOLDEF Record(const std::string& data, const std::string& form = {})
    {
        TFOLDEF r;
        r.SetDataFile(data);
        r.SetFormFile(form);
        r.PaperSize = 9;
        r.PrintDialog = false;
        r.SetDocTitle("test");
        return r;
    }

    // The words of every page of job n (from 1).
    std::vector<pdfprobe::Word> JobWords(std::size_t n, std::vector<pdfprobe::Page>* pages = nullptr) const
    {
        return pdfprobe::Words(sink->Jobs().at(n - 1).File, pages);
    }

    static std::string PageTexts(const std::vector<pdfprobe::Word>& words, int page)
    {
        std::string out;
        for (const auto& w : words)
            if (w.Page == page)
                out += (out.empty() ? "" : " ") + w.Text;
        return out;
    }

    fs::path folder;
    std::unique_ptr<ScopedEnv> documents;
    FakePrinter printer;
    RecordingPrintHost host;
    std::unique_ptr<QtPrintJobSink> sink;
};

TEST_F(PrintingTest, TextSitsAtItsPositionOnThePaperAtAnyPreviewZoom)
{
    const std::string data = WriteFile("d.txt", {{Text(300, 400, "Here")}});
    double height10 = 0;
    for (int zoom : {10, 18}) {
        SCOPED_TRACE(zoom);
        TFOLDEF r = Record(data);
        r.Zoom = zoom;
        const std::size_t before = sink->Jobs().size();
        ASSERT_TRUE(RunPrint(r));
        ASSERT_EQ(sink->Jobs().size(), before + 1);
        std::vector<pdfprobe::Page> pages;
        const auto words = JobWords(before + 1, &pages);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NEAR(pages[0].Width, 595.3, 0.5);
        EXPECT_NEAR(pages[0].Height, 841.9, 0.5);
        ASSERT_EQ(words.size(), 1u);
        EXPECT_NEAR(pdfprobe::Mm(words[0].XMin), 30.0, 0.5);
        EXPECT_NEAR(pdfprobe::Mm(words[0].YMin), 40.0, 0.5);
        const double height = words[0].YMax - words[0].YMin;
        if (zoom == 10)
            height10 = height;
        else
            EXPECT_NEAR(height, height10, 0.1);
    }
}

TEST_F(PrintingTest, ATurnedPageStartsAJobOnLandscapePaper)
{
    std::vector<Page> pages = NamedPages("P", 3);
    pages[1].insert(pages[1].begin(), "ORIENTATION;1;");
    TFOLDEF r = Record(WriteFile("d.txt", pages));
    ASSERT_TRUE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 3u);
    const bool landscape[] = {false, true, false};
    for (std::size_t n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        std::vector<pdfprobe::Page> sizes;
        const auto words = JobWords(n, &sizes);
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_NEAR(sizes[0].Width, landscape[n - 1] ? 841.9 : 595.3, 0.5);
        EXPECT_NEAR(sizes[0].Height, landscape[n - 1] ? 595.3 : 841.9, 0.5);
        EXPECT_EQ(PageTexts(words, 1), "P" + std::to_string(n));
    }
}

struct FormCase {
    const char* Name;
    int DataPages;
    int FormPages;
    std::optional<std::pair<int, int>> Range;
    std::vector<std::string> Sheets;  // the texts of each sheet
};

void PrintTo(const FormCase& c, std::ostream* os)
{
    *os << c.Name << ": " << c.DataPages << " data pages under " << c.FormPages << " form pages";
}

class FormCycleTest : public PrintingTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(FormCycleTest, SheetsCarryTheirFormPages)
{
    const FormCase& c = GetParam();
    std::vector<Page> form;
    for (int n = 1; n <= c.FormPages; ++n)
        form.push_back({Text(300, 1000, "F" + std::to_string(n))});
    TFOLDEF r = Record(WriteFile("d.txt", NamedPages("D", c.DataPages)), WriteFile("f.txt", form, false));
    if (c.Range) {
        r.PrintDialog = true;
        host.Answer = PrintDialogAnswer{true, c.Range->first, c.Range->second, 1, false};
    }
    ASSERT_TRUE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 1u);
    const auto words = JobWords(1);
    EXPECT_EQ(pdfprobe::PageCount(sink->Jobs()[0].File), static_cast<int>(c.Sheets.size()));
    for (std::size_t s = 0; s < c.Sheets.size(); ++s)
        EXPECT_EQ(PageTexts(words, static_cast<int>(s + 1)), c.Sheets[s]) << "sheet " << s + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormCycleTest,
    ::testing::Values(FormCase{"RangeOfFive", 5, 5, std::pair{2, 3}, {"D2 F2", "D3 F3"}},
                      FormCase{"LongFormEndsItsCycle", 1, 3, std::nullopt, {"D1 F1", "F2", "F3"}},
                      FormCase{"LongFormInARange", 1, 3, std::pair{1, 1}, {"D1 F1"}},
                      FormCase{"ShortFormRepeats", 3, 2, std::nullopt, {"D1 F1", "D2 F2", "D3 F1", "F2"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PrintingTest, CollatedCopiesArePrintedAsJobsOfOneCopy)
{
    TFOLDEF r = Record(WriteFile("d.txt", NamedPages("D", 2)));
    r.PrintDialog = true;
    host.Answer = PrintDialogAnswer{false, 1, 1, 3, true};
    ASSERT_TRUE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 3u);
    for (const auto& job : sink->Jobs()) {
        EXPECT_EQ(job.Setup.Copies, 1);
        EXPECT_EQ(job.Sheets, 2);
        EXPECT_TRUE(job.Ended);
    }
    EXPECT_EQ(host.Events.front(), "dialog:1-2");

    // Without collating the printer makes the copies of one job.
    host.Answer = PrintDialogAnswer{false, 1, 1, 3, false};
    TFOLDEF again = Record(r.DataFile());
    again.PrintDialog = true;
    ASSERT_TRUE(RunPrint(again));
    ASSERT_EQ(sink->Jobs().size(), 4u);
    EXPECT_EQ(sink->Jobs()[3].Setup.Copies, 3);
}

TEST_F(PrintingTest, AMessageEndsTheJobAndShowsBeforeTheNextSheet)
{
    std::vector<Page> pages = NamedPages("D", 3);
    pages[1].push_back("MESSAGE;用紙を替えてください;");
    TFOLDEF r = Record(WriteFile("d.txt", pages));
    std::vector<std::size_t> endedJobsAtMessage;
    host.OnMessage = [&] {
        std::size_t ended = 0;
        for (const auto& job : sink->Jobs())
            ended += job.Ended ? 1 : 0;
        endedJobsAtMessage.push_back(ended);
    };
    ASSERT_TRUE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 2u);
    EXPECT_EQ(sink->Jobs()[0].Sheets, 2);
    EXPECT_EQ(sink->Jobs()[1].Sheets, 1);
    EXPECT_EQ(PageTexts(JobWords(2), 1), "D3");
    EXPECT_EQ(std::count(host.Events.begin(), host.Events.end(), "info:用紙を替えてください"), 1);
    EXPECT_EQ(endedJobsAtMessage, std::vector<std::size_t>{1});
}

TEST_F(PrintingTest, EvenSheetsShiftByTheDocumentsPageAfterASplit)
{
    std::vector<Page> pages = NamedPages("D", 3);
    pages[0].push_back("MESSAGE;next;");
    TFOLDEF r = Record(WriteFile("d.txt", pages));
    r.EvenShift = 100;
    ASSERT_TRUE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 2u);
    const auto second = JobWords(2);
    ASSERT_EQ(PageTexts(second, 1), "D2");
    // Page 2 is the first sheet of its job, yet an even page of the document.
    EXPECT_NEAR(pdfprobe::Mm(second[0].XMin), 40.0, 0.5);
    const auto third = std::find_if(second.begin(), second.end(), [](const auto& w) { return w.Text == "D3"; });
    ASSERT_NE(third, second.end());
    EXPECT_NEAR(pdfprobe::Mm(third->XMin), 30.0, 0.5);
}

TEST_F(PrintingTest, CancelAbortsAfterThePageBeingPrinted)
{
    TFOLDEF r = Record(WriteFile("d.txt", NamedPages("D", 6)));
    host.CancelAfterPages = 4;
    EXPECT_FALSE(RunPrint(r));
    ASSERT_EQ(sink->Jobs().size(), 1u);
    EXPECT_TRUE(sink->Jobs()[0].Aborted);
    EXPECT_EQ(sink->Jobs()[0].Sheets, 4);
    EXPECT_FALSE(fs::exists(sink->Jobs()[0].File));
}

TEST_F(PrintingTest, APrintThatCannotStartIsAFailure)
{
    const std::string data = WriteFile("d.txt", NamedPages("D", 1));
    const std::string notPrint = WriteFile("plain.txt", NamedPages("D", 1), false);
    struct Case {
        const char* Name;
        std::string Data;
        std::string Form;
        bool NoSink;
        bool BadStem;
        bool DialogCancelled;
        const char* Event;
    };
    const std::string missingForm = (folder / "none.fof").string();
    const Case cases[] = {
        {"no sink", data, "", true, false, false, nullptr},
        {"job refused", data, "", false, true, false, nullptr},
        {"missing form", data, missingForm, false, false, false, nullptr},
        {"not a print file", notPrint, "", false, false, false, "error:<FOLIANTO>印刷データではありません。"},
        {"dialog cancelled", data, "", false, false, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        host.Events.clear();
        QtPrintJobSink badSink((folder / "missing" / "job").string());
        SetPrintJobSink(c.NoSink ? nullptr : c.BadStem ? &badSink : sink.get());
        TFOLDEF r = Record(c.Data, c.Form);
        if (c.DialogCancelled) {
            r.PrintDialog = true;
            host.Answer = std::nullopt;
        }
        EXPECT_FALSE(RunPrint(r));
        if (c.Event) {
            EXPECT_EQ(host.Events.front(), c.Event);
        }
        if (!c.Form.empty()) {
            EXPECT_EQ(host.Events.front(), "error:<" + missingForm + "> が見つかりません。");
        }
        host.Answer = PrintDialogAnswer{};
    }
    SetPrintJobSink(sink.get());
    EXPECT_TRUE(sink->Jobs().empty());
}

TEST_F(PrintingTest, WriterPrintsAndCleansUp)
{
    TFolianto writer;
    writer.DataFile = (folder / "list.TMP").string();
    writer.PrnDlg = false;
    writer.OpenPrintFile(true);
    writer.PrintText(300, 400, "Hello", "", 10, "", "黒", "OFF", "LEFT", 0);
    writer.ClosePrintFile();
    const std::string temporary = writer.DataFile;
    ASSERT_TRUE(fs::exists(temporary));
    std::ofstream(folder / "CHART.WMF") << "x";

    EXPECT_TRUE(writer.Print());
    EXPECT_EQ(writer.PreviewCloseNum(), 1);
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_FALSE(fs::exists(folder / "CHART.WMF"));
    ASSERT_EQ(sink->Jobs().size(), 1u);
    EXPECT_EQ(PageTexts(JobWords(1), 1), "Hello");

    // The file is gone now: printing it again fails and says so.
    EXPECT_FALSE(writer.Print());
    EXPECT_EQ(writer.PreviewCloseNum(), 0);

    // Without permission the preview is shown instead.
    TFolianto viewer;
    viewer.DataFile = (folder / "view.TMP").string();
    viewer.Permit = false;
    viewer.OpenPrintFile(false);
    viewer.ClosePrintFile();
    host.Events.clear();
    EXPECT_FALSE(viewer.Print());
    EXPECT_EQ(host.Events, std::vector<std::string>{"preview"});
    host.PreviewCode = -1;
    EXPECT_TRUE(viewer.Preview());
    EXPECT_EQ(viewer.PreviewCloseNum(), -1);
}

}  // namespace
