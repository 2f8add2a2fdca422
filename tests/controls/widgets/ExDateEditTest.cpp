#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/Abort.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/VclColors.h"
#include "foundation/UserMessage.h"

namespace {

class RecordingPresenter : public IMessagePresenter {
public:
    TModalResult Present(const TUserMessage& message) override
    {
        messages.push_back(message);
        return mrOk;
    }
    std::vector<TUserMessage> messages;
};

TGengoArray Eras()
{
    return {{"令和", "R", EncodeDate(2019, 5, 1), 2019},
            {"平成", "H", EncodeDate(1989, 1, 8), 1989},
            {"昭和", "S", EncodeDate(1926, 12, 25), 1926},
            {"大正", "T", EncodeDate(1912, 7, 30), 1912},
            {"明治", "M", EncodeDate(1868, 9, 8), 1868}};
}

class ExDateEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessagePresenter(&presenter);
        before = form.Add<QLineEdit>();
        edit = form.Add<TLedrixExDateEdit>();
        edit->SetWarekiTable(Eras());
        form.ShowActive();
    }
    void TearDown() override { SetMessagePresenter(nullptr); }
    QLineEdit* Box(TExDateBox b) const { return edit->NumberBox(b); }
    void Fill(int era, const char* y, const char* m, const char* d)
    {
        edit->EraBox()->setCurrentIndex(era);
        Box(dbYear)->setText(y);
        Box(dbMonth)->setText(m);
        Box(dbDay)->setText(d);
    }
    // GetExDateEditValue as a handler calls it: an abort is caught at the edge.
    bool Aborts()
    {
        try {
            edit->GetExDateEditValue();
            return false;
        } catch (const EAbort&) {
            return true;
        }
    }

    RecordingPresenter presenter;
    TestForm form;
    QLineEdit* before = nullptr;
    TLedrixExDateEdit* edit = nullptr;
};

TEST_F(ExDateEditTest, NewestEraShownFirst)
{
    edit->SetExDateEditValue(EncodeDate(2024, 6, 7));
    EXPECT_EQ(edit->EraBox()->currentText(), "令和");
    EXPECT_EQ(Box(dbYear)->text(), "6");
    EXPECT_EQ(Box(dbMonth)->text(), "6");
    EXPECT_EQ(Box(dbDay)->text(), "7");
    EXPECT_EQ(edit->GetExDateEditValue(), EncodeDate(2024, 6, 7));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(ExDateEditTest, BothFormsListWesternFirst)
{
    edit->SetGengo(rsBoth);
    EXPECT_EQ(edit->EraBox()->itemText(0), "西暦");
    Fill(0, "1872", "12", "31");
    EXPECT_TRUE(Aborts());
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].Text, ExDateMsgBefore1873);
    EXPECT_EQ(presenter.messages[0].Caption, "日付時刻入力");
    EXPECT_EQ(presenter.messages[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbYear));
    Box(dbYear)->setText("1990");
    EXPECT_EQ(edit->GetExDateEditValue(), EncodeDate(1990, 12, 31));
}

// The era year box takes two digits; the Western item of the both-forms
// box reaches 2999 with four.
TEST_F(ExDateEditTest, Year2999WithEras)
{
    edit->SetGengo(rsBoth);
    Fill(0, "2999", "1", "1");
    ASSERT_TRUE(Aborts());
    EXPECT_EQ(presenter.messages.back().Text, ExDateMsg2999);
    // Writing the year form validates too, and refuses while the entry is wrong.
    EXPECT_THROW(edit->SetGengo(rsWareki), EAbort);
    EXPECT_EQ(edit->Gengo(), rsBoth);
    edit->ClearExDateEdit();
    edit->SetGengo(rsWareki);
    Box(dbYear)->setText("981");
    EXPECT_EQ(Box(dbYear)->text(), "98");
}

TEST_F(ExDateEditTest, ErrorsStopWithoutAMessageWhenNotDisplayed)
{
    edit->DisplayError = false;
    before->setFocus();
    Fill(0, "6", "", "1");
    EXPECT_TRUE(Aborts());
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(QApplication::focusWidget(), Box(dbMonth));
}

TEST_F(ExDateEditTest, EmptyEditAllowedOrNot)
{
    EXPECT_EQ(edit->GetExDateEditValue(), 0);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_TRUE(edit->IsEmpty());
    edit->SetCanEmpty(false);
    ASSERT_TRUE(Aborts());
    EXPECT_EQ(presenter.messages.back().Text, "入力欄が全て空白です．　　");
}

TEST_F(ExDateEditTest, MinDateNarrowsTheEras)
{
    edit->SetMinDate(EncodeDate(2019, 5, 1));
    ASSERT_EQ(edit->EraBox()->count(), 1);
    EXPECT_EQ(edit->EraBox()->itemText(0), "令和");
    edit->SetMinDate(0);
    EXPECT_EQ(edit->EraBox()->count(), 5);
    edit->SetMaxDate(EncodeDate(2000, 1, 1));
    EXPECT_EQ(edit->EraBox()->itemText(0), "平成");
    edit->SetExDateEditValue(EncodeDate(2024, 1, 1));
    EXPECT_EQ(edit->GetExDateEditValue(), EncodeDate(2000, 1, 1));
}

TEST_F(ExDateEditTest, TwelveHourEntry)
{
    edit->SetEditStyle(desHourMinute);
    edit->SetEditAmpm(true);
    edit->AmpmBox()->setCurrentIndex(1);
    Box(dbHour)->setText("11");
    Box(dbMinute)->setText("0");
    EXPECT_EQ(edit->GetExDateEditValue(), Date() + EncodeTime(23, 0, 0, 0));
    Box(dbHour)->setText("12");
    ASSERT_TRUE(Aborts());
    EXPECT_EQ(presenter.messages.back().Text, "時刻の入力可能な値は11時59分59秒までです．　　");
    EXPECT_EQ(QApplication::focusWidget(), Box(dbHour));
}

TEST_F(ExDateEditTest, TimeOnlyValues)
{
    edit->SetEditStyle(desHourMinute);
    edit->SetExDateEditValue(0.5);
    EXPECT_EQ(Box(dbHour)->text(), "12");
    EXPECT_EQ(Box(dbMinute)->text(), "0");
    EXPECT_EQ(edit->GetExDateEditValue(), Date() + 0.5);
    edit->SetExDateEditValue(0);
    EXPECT_EQ(Box(dbHour)->text(), "");
    EXPECT_TRUE(edit->IsEmpty());
}

TEST_F(ExDateEditTest, OnlyDigitsAndDeleteInTheEraBox)
{
    Box(dbYear)->setFocus();
    QTest::keyClicks(Box(dbYear), "a1b2");
    EXPECT_EQ(Box(dbYear)->text(), "12");
    edit->EraBox()->setFocus();
    edit->EraBox()->setCurrentIndex(1);
    int changes = 0;
    edit->OnChange = [&](QObject* sender) {
        if (sender == edit->EraBox())
            ++changes;
    };
    QTest::keyClicks(edit->EraBox(), "x");
    EXPECT_EQ(edit->EraBox()->currentIndex(), 1);
    QTest::keyClick(edit->EraBox(), Qt::Key_Delete);
    EXPECT_EQ(edit->EraBox()->currentIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(ExDateEditTest, TabAndEnterWalkTheBoxesRound)
{
    Box(dbYear)->setFocus();
    QTest::keyClick(Box(dbYear), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbMonth));
    QTest::keyClick(Box(dbMonth), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbDay));
    QTest::keyClick(Box(dbDay), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit->EraBox());
    QTest::keyClick(edit->EraBox(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbDay));
}

// With every other box of the edit hidden or disabled the walk finds none:
// the focus stays in the box.
TEST_F(ExDateEditTest, WalkWithNoOtherBoxStays)
{
    edit->SetEditGengo(false);
    edit->SetEditStyle(desYear);
    Box(dbYear)->setFocus();
    QTest::keyClick(Box(dbYear), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbYear));
    QTest::keyClick(Box(dbYear), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Box(dbYear));
}

TEST_F(ExDateEditTest, EditPassesItsFocusToTheFirstBox)
{
    edit->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), edit->EraBox());
    edit->SetEditGengo(false);
    before->setFocus();
    edit->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), Box(dbYear));
}

TEST_F(ExDateEditTest, ExitCheckValidatesOnLeaving)
{
    edit->ExitCheck = true;
    Box(dbYear)->setFocus();
    Fill(0, "6", "2", "30");
    before->setFocus();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].Text, "日付が正しくありません（変換できません）．　　");
    EXPECT_EQ(QApplication::focusWidget(), Box(dbYear));
}

TEST_F(ExDateEditTest, NegativeSpaceWidthPutsTheTimeOnASecondRow)
{
    edit->SetEditStyle(desYearMonthDayHM);
    const int row = Box(dbYear)->height();
    EXPECT_EQ(Box(dbHour)->y(), 0);
    EXPECT_GT(Box(dbHour)->x(), Box(dbDay)->x());
    edit->SetSpaceWidth(-2);
    EXPECT_EQ(Box(dbHour)->y(), row + 2);
    EXPECT_EQ(Box(dbHour)->x(), 0);
    EXPECT_EQ(edit->height(), 2 * row + 2);
}

TEST_F(ExDateEditTest, LayoutOfTheDateRow)
{
    const QFontMetrics fm(edit->font());
    EXPECT_EQ(edit->height(), fm.height() + 8);
    EXPECT_EQ(edit->EraBox()->width(), fm.horizontalAdvance("0000") + 26);
    EXPECT_EQ(Box(dbYear)->x(), edit->EraBox()->width() - 2);
    EXPECT_EQ(edit->Label(dbYear)->x(), Box(dbYear)->x() + Box(dbYear)->width());
    EXPECT_EQ(Box(dbMonth)->x(), edit->Label(dbYear)->x() + edit->Label(dbYear)->width() - 3);
    EXPECT_EQ(edit->width(), edit->Label(dbDay)->x() + edit->Label(dbDay)->width());
    EXPECT_FALSE(Box(dbHour)->isVisibleTo(edit));
}

TEST_F(ExDateEditTest, DisabledColours)
{
    edit->setEnabled(false);
    EXPECT_EQ(Box(dbYear)->palette().color(QPalette::Base), vcl::clGrayText);
    EXPECT_EQ(Box(dbYear)->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_FALSE(edit->EraBox()->isEnabled());
    edit->setEnabled(true);
    EXPECT_EQ(Box(dbYear)->palette().color(QPalette::Base), QColor(Qt::white));
}

}  // namespace
