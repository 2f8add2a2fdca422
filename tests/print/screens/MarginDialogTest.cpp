#include "print/screens/TEditFOL.h"
#include "print/screens/TNowPrintingdlg.h"
#include "print/screens/Tfmyohaku.h"
#include "support/RecordingMessagePresenter.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MarginDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void Enter(TEditFOL* edit)
    {
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 5000));
    }

    Tfmyohaku dialog;
};

TEST_F(MarginDialogTest, LeavingAnEditKeepsItWithinItsLimits)
{
    Enter(dialog.EditTop);
    QTest::keyClicks(dialog.EditTop, "150");
    EXPECT_EQ(dialog.EditTop->text(), "150");
    QTest::keyClick(dialog.EditTop, Qt::Key_Tab);
    EXPECT_EQ(dialog.EditTop->text(), "100");
    EXPECT_EQ(dialog.TopMargin(), 100);

    Enter(dialog.EditVertical);
    QTest::keyClicks(dialog.EditVertical, "-70");
    QTest::keyClick(dialog.EditVertical, Qt::Key_Tab);
    EXPECT_EQ(dialog.EditVertical->text(), "-50");
    EXPECT_EQ(dialog.VRatio(), 950);

    // Entering selects all, so the minus replaces the text.
    Enter(dialog.EditLeft);
    QTest::keyClicks(dialog.EditLeft, "-7");
    EXPECT_EQ(dialog.EditLeft->text(), "-7");
}

TEST_F(MarginDialogTest, ZeroAfterZeroIsRefusedUnlessItReplacesTheText)
{
    Enter(dialog.EditTop);
    dialog.EditTop->end(false);
    QTest::keyClick(dialog.EditTop, Qt::Key_0);
    EXPECT_EQ(dialog.EditTop->text(), "0");
    dialog.EditTop->selectAll();
    QTest::keyClick(dialog.EditTop, Qt::Key_0);
    EXPECT_EQ(dialog.EditTop->text(), "0");
    QTest::keyClick(dialog.EditTop, Qt::Key_A);
    QTest::keyClick(dialog.EditTop, Qt::Key_5);
    EXPECT_EQ(dialog.EditTop->text(), "05");
}

TEST_F(MarginDialogTest, RatiosShowAsTheirDifferenceAndComeBackOnOK)
{
    dialog.SetVRatio(1020);
    EXPECT_EQ(dialog.EditVertical->text(), "20");
    dialog.SetHRatio(900);
    EXPECT_EQ(dialog.EditHorizontal->text(), "0");
    dialog.SetTopMargin(150);
    EXPECT_EQ(dialog.EditTop->text(), "100");
    QTest::mouseClick(dialog.BtnOK, Qt::LeftButton);
    EXPECT_EQ(dialog.VRatio(), 1020);
    EXPECT_EQ(dialog.HRatio(), 1000);
    EXPECT_EQ(dialog.TopMargin(), 100);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.ShowSpacing(false);
    EXPECT_EQ(dialog.height(), 220);
    EXPECT_TRUE(dialog.GroupSpacing->isHidden());
}

TEST_F(MarginDialogTest, ArrowsMoveTheFocusAsTheEditsKeyStylesSay)
{
    Enter(dialog.EditLeft);
    QTest::keyClick(dialog.EditLeft, Qt::Key_Up);
    EXPECT_TRUE(dialog.EditTop->hasFocus());

    Enter(dialog.EditTop);
    dialog.EditTop->KeyStyles = TKeyStyles{ksEnter, ksUp, ksRight};
    dialog.EditTop->setText("12");
    dialog.EditTop->end(false);
    QTest::keyClick(dialog.EditTop, Qt::Key_Right);
    EXPECT_TRUE(dialog.EditTop->hasFocus());
    dialog.EditTop->selectAll();
    QTest::keyClick(dialog.EditTop, Qt::Key_Right);
    EXPECT_TRUE(dialog.EditLeft->hasFocus());
}

TEST_F(MarginDialogTest, PrintingDialogStopsOnlyWhenTheCancelIsConfirmed)
{
    RecordingMessagePresenter messages;
    int pages = 0;
    TNowPrintingdlg printing([&](fol::PrintProgress& progress) {
        while (!progress.Cancelled() && pages < 10) {
            ++pages;
            progress.SetPageLabel("(Page=" + std::to_string(pages) + ")");
            if (pages == 2) {
                messages.answers.push_back(mrNo);
                QTest::mouseClick(qobject_cast<TNowPrintingdlg*>(QApplication::activeModalWidget())->BtnCancel,
                                  Qt::LeftButton);
            }
            if (pages == 4) {
                messages.answers.push_back(mrYes);
                QTest::mouseClick(qobject_cast<TNowPrintingdlg*>(QApplication::activeModalWidget())->BtnCancel,
                                  Qt::LeftButton);
            }
        }
    });
    EXPECT_EQ(printing.windowTitle(), "印刷");
    printing.exec();
    EXPECT_EQ(pages, 4);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].Text, "印刷を中止しますか？");
    EXPECT_EQ(printing.LblPage->text(), "(Page=4)");
}

}  // namespace
