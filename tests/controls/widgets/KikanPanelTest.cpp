#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TxKikanPanel12.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxKikanPanel4.h"
#include "controls/widgets/VclColors.h"

namespace {

class KikanPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before = form.Add<QLineEdit>();
        panel = form.Add<TxKikanPanel16>();
        after = form.Add<QLineEdit>();
        panel->SetupPeriod(99, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), EncodeDate(2024, 1, 1));
        panel->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; };
        panel->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };
        form.ShowActive();
    }
    QPoint Middle(int cell) const { return panel->Cell(cell)->rect().center(); }

    TestForm form;
    QLineEdit* before = nullptr;
    TxKikanPanel16* panel = nullptr;
    QLineEdit* after = nullptr;
    int ups = 0;
    int downs = 0;
};

TEST_F(KikanPanelTest, CreatedSelectorShowsTheCalendarYear)
{
    TxKikanPanel16 fresh;
    EXPECT_EQ(fresh.Cell(0)->text(), "1");
    EXPECT_EQ(fresh.Cell(3)->text(), "・");
    EXPECT_EQ(fresh.Cell(14)->text(), "12");
    EXPECT_EQ(fresh.Cell(15)->text(), "決");
    EXPECT_EQ(fresh.Stno(), 0);
    EXPECT_EQ(fresh.Edno(), 15);
    EXPECT_EQ(fresh.LastNo(), 15);
    EXPECT_EQ(fresh.Cell(4)->objectName(), "No5");
}

TEST_F(KikanPanelTest, DragSelectsARunAndReportsOnce)
{
    QTest::mousePress(panel->Cell(6), Qt::LeftButton, {}, Middle(6));
    EXPECT_EQ(QApplication::focusWidget(), panel);
    // The pressed cell holds the mouse: moves come in its coordinates.
    const QPoint over2 = panel->Cell(6)->mapFrom(panel, panel->Cell(2)->geometry().center());
    QTest::mouseMove(panel->Cell(6), over2);
    QMouseEvent move(QEvent::MouseMove, over2, panel->Cell(6)->mapToGlobal(over2), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(panel->Cell(6), &move);
    QTest::mouseRelease(panel->Cell(6), Qt::LeftButton, {}, over2);
    EXPECT_EQ(panel->Stno(), 2);
    EXPECT_EQ(panel->Edno(), 6);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(panel->StMonthNo(), 2);
    EXPECT_EQ(panel->EdMonthNo(), 6);
}

TEST_F(KikanPanelTest, SingleCellModeIgnoresTheDrag)
{
    panel->SetKikanMove(false);
    QTest::mousePress(panel->Cell(6), Qt::LeftButton, {}, Middle(6));
    const QPoint over9 = panel->Cell(6)->mapFrom(panel, panel->Cell(9)->geometry().center());
    QMouseEvent move(QEvent::MouseMove, over9, panel->Cell(6)->mapToGlobal(over9), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(panel->Cell(6), &move);
    QTest::mouseRelease(panel->Cell(6), Qt::LeftButton, {}, over9);
    EXPECT_EQ(panel->Stno(), 6);
    EXPECT_EQ(panel->Edno(), 6);
}

TEST_F(KikanPanelTest, RightClickOnlyReportsTheDown)
{
    QTest::mouseClick(panel->Cell(4), Qt::RightButton, {}, Middle(4));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 0);
    EXPECT_EQ(panel->Stno(), 0);
    EXPECT_EQ(panel->Edno(), 15);
}

TEST_F(KikanPanelTest, ShiftLeftGivesAnInvertedPairUntilShiftIsReleased)
{
    QTest::mouseClick(panel->Cell(5), Qt::LeftButton, {}, Middle(5));
    ups = 0;
    // The keys one by one, so that Shift stays down between them.
    const auto send = [this](QEvent::Type type, int key, Qt::KeyboardModifiers mods) {
        QKeyEvent e(type, key, mods);
        QApplication::sendEvent(panel, &e);
    };
    send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    send(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
    send(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(panel->Stno(), 5);
    EXPECT_EQ(panel->Edno(), 4);
    send(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(panel->Stno(), 4);
    EXPECT_EQ(panel->Edno(), 5);
}

TEST_F(KikanPanelTest, KeyMovesReportOnceOnLeavingOrEnter)
{
    QTest::mouseClick(panel->Cell(5), Qt::LeftButton, {}, Middle(5));
    ups = 0;
    QTest::keyClick(panel, Qt::Key_Right);
    QTest::keyClick(panel, Qt::Key_Right);
    EXPECT_EQ(panel->Stno(), 7);
    EXPECT_TRUE(panel->KBDMOUSE());
    EXPECT_EQ(ups, 0);
    QTest::keyClick(panel, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    EXPECT_EQ(ups, 1);

    panel->setFocus();
    ups = 0;
    QTest::keyClick(panel, Qt::Key_Left);
    QTest::keyClick(panel, Qt::Key_Return);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(QApplication::focusWidget(), after);
    EXPECT_EQ(panel->Stno(), 6);
}

TEST_F(KikanPanelTest, KeysStopAtTheSelectableEnds)
{
    panel->SetupPeriod(99, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), EncodeDate(2024, 4, 1));
    panel->setFocus();
    QTest::mouseClick(panel->Cell(5), Qt::LeftButton, {}, Middle(5));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(panel, Qt::Key_Left);
    EXPECT_EQ(panel->Stno(), 4);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(panel, Qt::Key_Right);
    EXPECT_EQ(panel->Edno(), 15);
    QTest::keyClick(panel, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), before);
}

TEST_F(KikanPanelTest, WritersAndSettlement)
{
    panel->SetEdno(20);
    EXPECT_EQ(panel->Edno(), 15);
    panel->SetStno(20);
    EXPECT_EQ(panel->Stno(), 20);
    EXPECT_EQ(panel->StMonthNo(), 20);
    panel->SetStno(2);
    panel->SetKESSAN(false);
    EXPECT_FALSE(panel->Cell(15)->isEnabled());
    EXPECT_EQ(panel->Cell(15)->text(), "");
    panel->SetKESSAN(true);
    EXPECT_TRUE(panel->Cell(15)->isEnabled());
    EXPECT_EQ(panel->Cell(15)->text(), "決");
}

TEST_F(KikanPanelTest, ColoursOfSelectedConfirmedAndDisabledCells)
{
    panel->SetStno(4);
    panel->SetEdno(5);
    panel->SetKakuteiMode(true);
    panel->SetKakuteiMNo(3);
    EXPECT_EQ(panel->Cell(0)->palette().color(QPalette::Window), QColor(255, 128, 64));
    EXPECT_EQ(panel->Cell(0)->palette().color(QPalette::WindowText), vcl::clWhite);
    EXPECT_EQ(panel->Cell(3)->palette().color(QPalette::Window), vcl::clBtnFace());
    EXPECT_EQ(panel->Cell(4)->palette().color(QPalette::Window), vcl::clNavy);
    panel->setEnabled(false);
    EXPECT_EQ(panel->Cell(4)->palette().color(QPalette::Window), vcl::clSilver);
    EXPECT_EQ(panel->Cell(0)->palette().color(QPalette::WindowText), vcl::clGray);
}

TEST_F(KikanPanelTest, WidthSnapsToWholeCells)
{
    panel->resize(242, 22);
    EXPECT_EQ(panel->width(), 232);
    EXPECT_EQ(panel->Cell(0)->width(), 14);
    panel->resize(248, 22);
    EXPECT_EQ(panel->width(), 248);
    EXPECT_EQ(panel->Cell(15)->width(), 15);
    EXPECT_EQ(panel->Cell(15)->x(), 4 + 15 * 15);
}

TEST(KikanTwinPanels, TwelveClampsAndFourSwitchesToHalves)
{
    TxKikanPanel12 twelve;
    twelve.SetupPeriod(99, EncodeDate(2024, 4, 1), EncodeDate(2025, 3, 31), EncodeDate(2024, 4, 1));
    twelve.SetStno(20);
    EXPECT_EQ(twelve.Stno(), 11);
    twelve.SetEdno(3);
    EXPECT_EQ(twelve.Stno(), 3);
    EXPECT_EQ(twelve.Edno(), 11);
    EXPECT_EQ(twelve.StMonNo(), 4);

    TxKikanPanel4 four;
    EXPECT_EQ(four.width(), 80);
    EXPECT_EQ(four.Cell(3)->text(), "4");
    four.SetBtnCnt(2);
    EXPECT_EQ(four.Cell(0)->text(), "上");
    EXPECT_EQ(four.Cell(1)->text(), "下");
    EXPECT_TRUE(four.Cell(2)->isHidden());
    EXPECT_EQ(four.Edno(), 1);
    four.SetBtnCnt(3);
    EXPECT_EQ(four.BtnCnt(), 2);
}

}  // namespace
