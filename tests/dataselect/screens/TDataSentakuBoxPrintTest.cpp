// The data-selection screen's F8 end to end: the data-list print dialog on
// the real screen, then the list through the print engine to PDF files.

#include "controls/printdialogs/TDataSentakuPrintDlg.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "dataselect/screens/DataSentakuWorld.h"
#include "dataselect/screens/TDataSentakuBox.h"
#include "print/PrintEngine.h"
#include "print/QtPrintJobSink.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"
#include "FakePrinter.h"
#include "PdfProbe.h"
#include "RecordingPrintHost.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class DataSentakuBoxPrintTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        fs::create_directories(folder_ / "temp");
        temp_ = std::make_unique<ScopedEnv>("LEDRIX_TEMP", (folder_ / "temp").string());
        documents_ = std::make_unique<ScopedEnv>("LEDRIX_DOCUMENTS", folder_.string());
        // The program's start finds the engine ready, the host and the
        // sink installed, and keeps them.
        printer_.Papers = {{9, "A4", 2970, 2100}};
        printer_.Mode.PaperSize = 9;
        ASSERT_TRUE(fol::StartPrintEngine(std::make_unique<fol::FakeBackend>(printer_)));
        sink_ = std::make_unique<fol::QtPrintJobSink>((folder_ / "list").string());
        fol::SetPrintHost(&host_);
        fol::SetPrintJobSink(sink_.get());
        world_ = std::make_unique<dstest::DataSentakuWorld>(folder_);
        for (int rec = 1; rec <= 60; ++rec)
            world_->AddRow({rec, "A" + std::to_string(100 + rec), "会社" + std::to_string(rec)});
    }
    void TearDown() override
    {
        world_.reset();
        fol::SetPrintJobSink(nullptr);
        fol::SetPrintHost(nullptr);
        fol::EndPrintEngine();
    }

    // Opens the screen, presses F8 and answers the print dialog with the
    // orientation and the button; the screen is closed afterwards.
    void PrintByF8(bool landscape, bool preview)
    {
        const TProcessFormClass formClass = GetProcessClass("QvDataSenkaku");
        if (!formClass)
            throw std::runtime_error("QvDataSenkaku is not registered");
        std::unique_ptr<IProcessForm> form = formClass();
        // The plain selection: the wizard's start (3) blanks the function keys.
        form->SetParams({"SyoriType=0", "FormStyle=2"});
        auto* screen = dynamic_cast<TDataSentakuBox*>(form.release());
        ASSERT_NE(screen, nullptr);
        WhenModalShows([this, landscape, preview](QWidget* w) {
            auto& box = *static_cast<TDataSentakuBox*>(w);
            EXPECT_EQ(box.PerfectGrid1->Rows(), 60);
            WhenModalShows([landscape, preview](QWidget* d) {
                auto* dialog = qobject_cast<TDataSentakuPrintDlg*>(d);
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->windowTitle(), QStringLiteral("データリストの印刷"));
                QTest::mouseClick(landscape ? dialog->rbLandscape : dialog->rbPortrait, Qt::LeftButton);
                QTest::mouseClick(preview ? dialog->btnPreview : dialog->btnOK, Qt::LeftButton);
            });
            box.PerfectGrid1->setFocus();
            QTest::keyClick(box.PerfectGrid1, Qt::Key_F8);
            printed_ = sink_->Jobs().size();
            QTest::keyClick(box.PerfectGrid1, Qt::Key_Escape);
        });
        screen->Execute(true);
    }

    static std::vector<pdfprobe::Word> WordsOn(const std::vector<pdfprobe::Word>& words, int page,
                                               const std::string& text)
    {
        std::vector<pdfprobe::Word> found;
        std::copy_if(words.begin(), words.end(), std::back_inserter(found),
                     [&](const pdfprobe::Word& w) { return w.Page == page && w.Text == text; });
        return found;
    }

    std::unique_ptr<ScopedEnv> temp_;
    std::unique_ptr<ScopedEnv> documents_;
    fol::FakePrinter printer_;
    fol::RecordingPrintHost host_;
    std::unique_ptr<fol::QtPrintJobSink> sink_;
    std::unique_ptr<dstest::DataSentakuWorld> world_;
    RecordingMessagePresenter presenter_;
    std::size_t printed_ = 0;
};

TEST_F(DataSentakuBoxPrintTest, F8PrintsTheListInTheChosenOrientation)
{
    struct Case {
        bool Landscape;
        int Pages;  // 60 rows: 55 a portrait page, 35 a landscape one
        double Width, Height;
    };
    for (const Case& c : {Case{false, 2, 595.3, 841.9}, Case{true, 2, 841.9, 595.3}}) {
        SCOPED_TRACE(c.Landscape);
        const std::size_t before = sink_->Jobs().size();
        PrintByF8(c.Landscape, false);
        ASSERT_EQ(printed_, before + 1);
        const fol::PrintJobRecord& job = sink_->Jobs().back();
        EXPECT_TRUE(job.Ended);
        ASSERT_EQ(pdfprobe::PageCount(job.File), c.Pages);
        std::vector<pdfprobe::Page> pages;
        const auto words = pdfprobe::Words(job.File, &pages);
        EXPECT_NEAR(pages[0].Width, c.Width, 0.5);
        EXPECT_NEAR(pages[0].Height, c.Height, 0.5);
        EXPECT_EQ(WordsOn(words, 1, "データリスト").size(), 1u);
        EXPECT_EQ(WordsOn(words, 2, "PAGE").size(), 1u);
        EXPECT_EQ(WordsOn(words, 2, "会社60").size(), 1u);
        // Only landscape prints the code column.
        EXPECT_EQ(WordsOn(words, 1, "A101").size(), c.Landscape ? 1u : 0u);
    }
    // The print file is temporary.
    EXPECT_TRUE(fs::is_empty(folder_ / "temp"));
    EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(DataSentakuBoxPrintTest, WithoutAReadyEngineF8PrintsAndPreviewsNothing)
{
    fol::EndPrintEngine();
    for (const bool preview : {false, true}) {
        SCOPED_TRACE(preview);
        PrintByF8(false, preview);
        EXPECT_EQ(printed_, 0u);
        // The key does not start the engine: that is the program's start.
        EXPECT_FALSE(fol::PrintEngineReady());
    }
    EXPECT_TRUE(host_.Events.empty());
    EXPECT_TRUE(fs::is_empty(folder_ / "temp"));
    EXPECT_TRUE(presenter_.shown.empty());
}

}  // namespace
