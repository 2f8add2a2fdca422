#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TxCheckedComboBox.h"

namespace {

class CheckedComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        combo = form.Add<TxCheckedComboBox>();
        after = form.Add<QLineEdit>();
        combo->SetItems({"a", "b", "c"});
        combo->OnChange = [this](QObject*) { ++changes; };
        form.ShowActive();
    }
    void ClickItem(int row)
    {
        QListWidgetItem* item = combo->CheckList()->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    TestForm form;
    TxCheckedComboBox* combo = nullptr;
    QLineEdit* after = nullptr;
    int changes = 0;
};

TEST_F(CheckedComboTest, CountItemsAndEmptyText)
{
    EXPECT_EQ(combo->Text(), "未選択");
    ClickItem(2);
    EXPECT_EQ(combo->Text(), "c");
    ClickItem(0);
    ClickItem(1);
    EXPECT_EQ(combo->Text(), "3件選択");
    combo->SetDispStyle(dsItems);
    EXPECT_EQ(combo->Text(), "c,a,b");
    combo->SetSortDisplay(true);
    EXPECT_EQ(combo->Text(), "a,b,c");
    EXPECT_EQ(changes, 3);
    combo->SetItems({"x", "y"});
    EXPECT_EQ(combo->Text(), "未選択");
    EXPECT_EQ(combo->CheckList()->count(), 2);
}

TEST_F(CheckedComboTest, SingleSelection)
{
    combo->SetMultiSelect(false);
    ClickItem(0);
    ClickItem(1);
    EXPECT_EQ(combo->CheckList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(combo->Value(), "b");
    EXPECT_FALSE(combo->CheckListMenu()->actions()[0]->isEnabled());
}

TEST_F(CheckedComboTest, MenuChecksAndUnchecksAll)
{
    combo->CheckListMenu()->actions()[0]->trigger();
    EXPECT_EQ(combo->Value(), "a,b,c");
    EXPECT_EQ(combo->CheckList()->item(1)->checkState(), Qt::Checked);
    combo->CheckListMenu()->actions()[1]->trigger();
    EXPECT_EQ(combo->Count(), 0);
    EXPECT_EQ(combo->Text(), "未選択");
    EXPECT_EQ(changes, 2);
}

TEST_F(CheckedComboTest, ListLinesAndRefusedSetting)
{
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many << QString::number(i);
    combo->SetItems(many);
    combo->OpenList();
    EXPECT_EQ(combo->ListLines(), 15);
    combo->DropDownWindow()->hide();
    combo->SetItems({"a", "b", "c"});
    combo->OpenList();
    EXPECT_EQ(combo->ListLines(), 3);
    combo->DropDownWindow()->hide();
    combo->SetDropDownLines(25);
    EXPECT_EQ(combo->DropDownLines(), 15);
}

TEST_F(CheckedComboTest, OpensBelowOrAboveAndTheButtonClosesIt)
{
    int buttonClicks = 0;
    combo->OnButtonClick = [&](QObject*) { ++buttonClicks; };
    QTest::mouseClick(combo->DropDownButton(), Qt::LeftButton);
    ASSERT_TRUE(combo->ListOpen());
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(combo->ButtonPicture(), "DROPDOWN_PRESS");
    EXPECT_EQ(combo->DropDownWindow()->y(), combo->mapToGlobal(QPoint(0, combo->height())).y());
    EXPECT_EQ(combo->DropDownWindow()->width(), 120);
    QTest::keyClick(combo->CheckList(), Qt::Key_Escape);
    EXPECT_FALSE(combo->ListOpen());
    EXPECT_EQ(combo->ButtonPicture(), "DROPDOWN_NORMAL");

    // Near the bottom of the screen the list opens above.
    const int screenHeight = combo->screen()->geometry().height();
    form.move(form.x(), screenHeight - 60);
    combo->OpenList();
    ASSERT_TRUE(combo->ListOpen());
    EXPECT_LT(combo->DropDownWindow()->y(), combo->mapToGlobal(QPoint(0, 0)).y());
    combo->DropDownWindow()->hide();
}

TEST_F(CheckedComboTest, EnterInTheListClosesAndMovesOn)
{
    combo->OpenList();
    ASSERT_TRUE(combo->ListOpen());
    QTest::keyClick(combo->CheckList(), Qt::Key_Return);
    EXPECT_FALSE(combo->ListOpen());
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST_F(CheckedComboTest, EmptyListDoesNotOpenAndF4Opens)
{
    combo->SetItems({});
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_FALSE(combo->ListOpen());
    combo->SetItems({"a"});
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_TRUE(combo->ListOpen());
    combo->DropDownWindow()->hide();
}

TEST_F(CheckedComboTest, DisabledLook)
{
    combo->setEnabled(false);
    EXPECT_EQ(combo->ButtonPicture(), "DROPDOWN_GRAY");
    combo->setEnabled(true);
    EXPECT_EQ(combo->ButtonPicture(), "DROPDOWN_NORMAL");
    combo->setFocus();
    EXPECT_EQ(combo->TextArea()->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Highlight));
}

}  // namespace
