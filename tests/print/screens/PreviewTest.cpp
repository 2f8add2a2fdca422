#include "print/PrinterSheet.h"
#include "print/screens/RunPreview.h"
#include "print/screens/TImageDispForm.h"
#include "print/screens/Tfmyohaku.h"
#include "print/screens/TEditFOL.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"
#include "PrintScreenFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

namespace {

std::string Text(const std::string& text)
{
    return "TEXT;300;400;" + text + ";;10;;黒;OFF;LEFT;0;0;";
}

class PreviewTest : public PrintScreenFixture {
protected:
    // A preview on a window large enough for A4 at 120 %, active.
    std::unique_ptr<TImageDispForm> Open(fol::TFOLDEF& record)
    {
        auto form = std::make_unique<TImageDispForm>(record);
        form->resize(1600, 1400);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    static QString PageText(const TImageDispForm& form) { return form.PnlPage->text(); }
};

TEST_F(PreviewTest, PagesAreSteppedJumpedAndKeptOverActivation)
{
    auto form = Open(Show(WriteFile("d.txt", {{Text("A")}, {Text("B")}, {Text("C")}})));
    EXPECT_EQ(PageText(*form), "1/3");
    QTest::mouseClick(form->BtnNext, Qt::LeftButton);
    EXPECT_EQ(PageText(*form), "2/3");
    QTest::mouseClick(form->BtnLast, Qt::LeftButton);
    QTest::mouseClick(form->BtnNext, Qt::LeftButton);
    EXPECT_EQ(PageText(*form), "3/3");
    QTest::mouseClick(form->BtnFirst, Qt::LeftButton);
    QTest::mouseClick(form->BtnPrev, Qt::LeftButton);
    EXPECT_EQ(PageText(*form), "1/3");

    for (const char* answer : {"3", "4", "x"}) {
        form->AskPageNumber = [answer]() -> std::optional<QString> { return QString(answer); };
        QTest::mouseClick(form->BtnPgJump, Qt::LeftButton);
        EXPECT_EQ(PageText(*form), "3/3") << answer;
    }
    form->FormActivate();
    EXPECT_EQ(PageText(*form), "3/3");
}

TEST_F(PreviewTest, OnePageFileDoesNotStep)
{
    auto form = Open(Show(WriteFile("d.txt", {{Text("A")}})));
    QTest::mouseClick(form->BtnNext, Qt::LeftButton);
    QTest::mouseClick(form->BtnPrev, Qt::LeftButton);
    form->AskPageNumber = []() -> std::optional<QString> { return QString("2"); };
    QTest::mouseClick(form->BtnPgJump, Qt::LeftButton);
    EXPECT_EQ(PageText(*form), "1/1");
}

TEST_F(PreviewTest, ZoomStepsBetweenFiftyAndTwoHundredPercent)
{
    fol::TFOLDEF& record = Show(WriteFile("d.txt", {{Text("A")}}));
    record.Zoom = 10;
    auto form = Open(record);
    // A4 at 96 dpi fits 1600 x 1400 up to 120 %.
    EXPECT_EQ(form->Zoom(), 12);
    EXPECT_EQ(form->PnlZoom->text(), "120%");
    QTest::mouseClick(form->BtnZoomIn, Qt::LeftButton);
    EXPECT_EQ(form->PnlZoom->text(), "130%");
    QTest::mouseClick(form->Btn100, Qt::LeftButton);
    EXPECT_EQ(form->Zoom(), 10);
    EXPECT_EQ(form->PaperPanel->width(), 794);
    for (int i = 0; i < 8; ++i)
        QTest::mouseClick(form->BtnZoomOut, Qt::LeftButton);
    EXPECT_EQ(form->Zoom(), 5);
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(form->BtnZoomIn, Qt::LeftButton);
    EXPECT_EQ(form->PnlZoom->text(), "200%");
    QTest::mouseClick(form->BtnFit, Qt::LeftButton);
    EXPECT_EQ(form->Zoom(), 12);
}

bool Dark(const QColor& c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

// The first and the last dark pixel of a row of the grab (the printable
// area's frame is blue, not dark).
std::pair<int, int> DarkColumns(const QImage& image, int row)
{
    std::pair<int, int> found{-1, -1};
    for (int x = 0; x < image.width(); ++x)
        if (Dark(image.pixelColor(x, row))) {
            if (found.first < 0)
                found.first = x;
            found.second = x;
        }
    return found;
}

TEST_F(PreviewTest, ABoxLandsOnItsPixelsAtEachZoom)
{
    auto form = Open(Show(WriteFile("d.txt", {{"BOX;550;550;1050;1050;0;0;黒;白;1;"}})));
    // 50 mm from the paper's edge is 45 mm into the printable area: 170 px
    // at 96 dpi, less the rounding of the border (19 px for 5 mm).
    for (const auto& [zoom, left, right] : {std::tuple{10, 189, 378}, std::tuple{20, 378, 756}}) {
        SCOPED_TRACE(zoom);
        form->SetZoom(zoom);
        const QImage image = form->ImageBox->grab().toImage();
        const int middle = (left + right) / 2;
        const auto [first, last] = DarkColumns(image, middle);
        EXPECT_NEAR(first, left, 1);
        EXPECT_NEAR(last, right - 1, 1);
        EXPECT_EQ(image.pixelColor(middle, middle), QColor(Qt::white));
    }
}

TEST_F(PreviewTest, MissingFileIsReportedAfterPainting)
{
    RecordingMessagePresenter messages;
    const std::string data = WriteFile("d.txt", {{Text("A")}});
    auto form = Open(Show(data));
    std::filesystem::remove(data);
    form->ImageBox->repaint();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 5000));
    EXPECT_EQ(messages.shown.front().Text, "\"" + data + "\"が見つかりません。");
    form->ImageBox->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.shown.size(), 1u);

    // Before the window opens, a missing file says so and shows nothing.
    EXPECT_EQ(RunPreview(Show(data)), 0);
    EXPECT_EQ(messages.shown.back().Text, "<" + data + "> が見つかりません。");
}

TEST_F(PreviewTest, APageTurnsThePrinterWhileItIsShown)
{
    auto form = Open(Show(WriteFile("d.txt", {{Text("A")}, {"ORIENTATION;1;", Text("B")}, {Text("C")}})));
    EXPECT_EQ(fol::PrinterOrientation(), 0);
    const int portraitWidth = form->PaperPanel->width();
    form->GoToPage(2);
    EXPECT_EQ(fol::PrinterOrientation(), 1);
    EXPECT_GT(form->PaperPanel->width(), form->PaperPanel->height());
    EXPECT_EQ(printer.Mode.Orientation, 2);
    form->GoToPage(3);
    EXPECT_EQ(fol::PrinterOrientation(), 0);
    EXPECT_EQ(form->PaperPanel->width(), portraitWidth);
}

struct CloseCase {
    const char* Name;
    bool ReportButtons;
    int Expected;
};

TEST_F(PreviewTest, CloseCodesTellHowThePreviewEnded)
{
    const std::string data = WriteFile("d.txt", {{Text("A")}});
    const std::pair<CloseCase, std::function<void(TImageDispForm*)>> cases[] = {
        {{"close button", false, 0}, [](TImageDispForm* f) { QTest::mouseClick(f->BtnClose, Qt::LeftButton); }},
        {{"close box", false, 1}, [](TImageDispForm* f) { f->close(); }},
        {{"close box with reports", true, 0}, [](TImageDispForm* f) { f->close(); }},
        {{"previous report", true, -1}, [](TImageDispForm* f) { QTest::mouseClick(f->BtnPrevReport, Qt::LeftButton); }},
        {{"next report", true, 1}, [](TImageDispForm* f) { QTest::mouseClick(f->BtnNextReport, Qt::LeftButton); }},
    };
    for (const auto& [c, act] : cases) {
        SCOPED_TRACE(c.Name);
        fol::TFOLDEF& record = Show(data);
        record.PrevPaperButton = c.ReportButtons;
        record.NextPaperButton = c.ReportButtons;
        WhenModalShows([act = act](QWidget* w) { act(qobject_cast<TImageDispForm*>(w)); });
        EXPECT_EQ(RunPreview(record), c.Expected);
    }
}

TEST_F(PreviewTest, WithoutPermitOnlyTheMarginsStayAtHand)
{
    fol::TFOLDEF& record = Show(WriteFile("d.txt", {{Text("A")}}));
    record.Permit = false;
    auto form = Open(record);
    EXPECT_FALSE(form->BtnPrint->isEnabled());
    EXPECT_FALSE(form->BtnPrinterSetup->isEnabled());
    EXPECT_FALSE(form->BtnCurrentPage->isEnabled());
    EXPECT_TRUE(form->BtnMargin->isEnabled());
    EXPECT_TRUE(form->BtnSave->isHidden());
    EXPECT_FALSE(form->BtnOpen->isEnabled());

    WhenModalShows([](QWidget* w) {
        auto* dialog = qobject_cast<Tfmyohaku*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->GroupSpacing->isVisibleTo(dialog));
        dialog->EditTop->setText("50");
        dialog->EditVertical->setText("20");
        QTest::mouseClick(dialog->BtnOK, Qt::LeftButton);
    });
    QTest::mouseClick(form->BtnMargin, Qt::LeftButton);
    EXPECT_EQ(record.TopMargin, 50);
    EXPECT_EQ(record.VRatio, 1020);
}

TEST_F(PreviewTest, PrintButtonsPrintTheDocumentAndTheCurrentPage)
{
    fol::TFOLDEF& record = Show(WriteFile("d.txt", {{Text("A")}, {Text("B")}, {Text("C")}}));
    record.Zoom = 18;
    auto form = Open(record);
    form->GoToPage(2);
    QTest::mouseClick(form->BtnPrint, Qt::LeftButton);
    ASSERT_EQ(sink->Jobs().size(), 1u);
    EXPECT_EQ(sink->Jobs()[0].Sheets, 3);
    EXPECT_EQ(host.Events.front(), "dialog:1-3");
    EXPECT_FALSE(record.PrintDialog);
    EXPECT_EQ(PageText(*form), "2/3");

    QTest::mouseClick(form->BtnCurrentPage, Qt::LeftButton);
    ASSERT_EQ(sink->Jobs().size(), 2u);
    EXPECT_EQ(sink->Jobs()[1].Sheets, 1);
}

}  // namespace

namespace {

TEST_F(PreviewTest, PrinterSetUpLaysThePageOutAgain)
{
    auto form = Open(Show(WriteFile("d.txt", {{Text("A")}})));
    EXPECT_LT(form->PaperPanel->width(), form->PaperPanel->height());
    form->PrinterSetup = [] { fol::SetPrinterOrientation(1); };
    QTest::mouseClick(form->BtnPrinterSetup, Qt::LeftButton);
    EXPECT_GT(form->PaperPanel->width(), form->PaperPanel->height());
}

}  // namespace
