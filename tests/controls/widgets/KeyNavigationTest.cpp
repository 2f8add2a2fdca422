#include <QAbstractItemView>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxMaskEdit.h"
#include "controls/widgets/TxRadioButton.h"

namespace {

enum Kind { Edit, Combo, Check, Radio, Mask };
enum Where { Before, Self, After };

struct KeyCase {
    const char* name;
    Kind kind;
    TKeyStyles styles;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;  // edits only
    int selStart;      // -1: caret at selLength (no selection)
    int selLength;
    Where focus;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class KeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, FocusAfterTheKey)
{
    const KeyCase& c = GetParam();
    TestForm form;
    auto* before = form.Add<QLineEdit>();
    QWidget* self = nullptr;
    switch (c.kind) {
    case Edit: {
        auto* e = form.Add<TxEdit>();
        e->KeyStyles = c.styles;
        self = e;
        break;
    }
    case Combo: {
        auto* e = form.Add<TxComboBox>();
        e->addItems({"a", "b"});
        e->KeyStyles = c.styles;
        self = e;
        break;
    }
    case Check: {
        auto* e = form.Add<TxCheckBox>(QStringLiteral("check"));
        e->KeyStyles = c.styles;
        self = e;
        break;
    }
    case Radio: {
        auto* e = form.Add<TxRadioButton>(QStringLiteral("one"));
        form.Add<TxRadioButton>(QStringLiteral("two"))->setFocusPolicy(Qt::NoFocus);
        e->KeyStyles = c.styles;
        self = e;
        break;
    }
    case Mask: {
        auto* e = form.Add<TxMaskEdit>();
        e->KeyStyles = c.styles;
        self = e;
        break;
    }
    }
    auto* after = form.Add<QLineEdit>();
    form.ShowActive();
    self->setFocus();
    ASSERT_TRUE(self->hasFocus());
    if (auto* edit = qobject_cast<QLineEdit*>(self)) {
        edit->setText(QString::fromUtf8(c.text));
        if (c.selStart >= 0)
            edit->setSelection(c.selStart, c.selLength);
        else
            edit->setCursorPosition(c.selLength);
    }
    QTest::keyClick(self, c.key, c.modifiers);
    QWidget* expected = c.focus == Before ? before : c.focus == After ? after : self;
    EXPECT_EQ(QApplication::focusWidget(), expected);
}

const TKeyStyles kLR{ksEnter, ksLeft, ksRight};

INSTANTIATE_TEST_SUITE_P(
    Controls, KeyTable,
    ::testing::Values(
        KeyCase{"edit all selected Left", Edit, kLR, Qt::Key_Left, {}, "123", 0, 3, Before},
        KeyCase{"edit all selected Right", Edit, kLR, Qt::Key_Right, {}, "123", 0, 3, After},
        KeyCase{"edit caret after first digit Left", Edit, kLR, Qt::Key_Left, {}, "123", -1, 1, Self},
        KeyCase{"edit caret after first digit Right", Edit, kLR, Qt::Key_Right, {}, "123", -1, 1, Self},
        KeyCase{"edit caret at start Left", Edit, kLR, Qt::Key_Left, {}, "123", -1, 0, Before},
        KeyCase{"edit caret at end Right", Edit, kLR, Qt::Key_Right, {}, "123", -1, 3, Self},
        KeyCase{"edit part selected from start Left", Edit, kLR, Qt::Key_Left, {}, "123", 0, 2, Self},
        KeyCase{"edit empty Left", Edit, kLR, Qt::Key_Left, {}, "", -1, 0, Before},
        KeyCase{"edit empty Right", Edit, kLR, Qt::Key_Right, {}, "", -1, 0, After},
        KeyCase{"edit Enter", Edit, kLR, Qt::Key_Return, {}, "1", -1, 0, After},
        KeyCase{"edit keypad Enter", Edit, kLR, Qt::Key_Enter, Qt::KeypadModifier, "1", -1, 0, After},
        KeyCase{"edit Ctrl+Enter", Edit, kLR, Qt::Key_Return, Qt::ControlModifier, "1", -1, 0, Self},
        KeyCase{"edit Up by default", Edit, DefaultKeyStyles, Qt::Key_Up, {}, "1", -1, 0, Before},
        KeyCase{"edit Down not in styles", Edit, DefaultKeyStyles, Qt::Key_Down, {}, "1", -1, 0, Self},
        KeyCase{"edit Shift+Up", Edit, DefaultKeyStyles, Qt::Key_Up, Qt::ShiftModifier, "1", -1, 0, Self},
        KeyCase{"combo Enter", Combo, DefaultKeyStyles, Qt::Key_Return, {}, "", -1, 0, After},
        KeyCase{"combo Up", Combo, DefaultKeyStyles, Qt::Key_Up, {}, "", -1, 0, Before},
        KeyCase{"combo Right not in styles", Combo, DefaultKeyStyles, Qt::Key_Right, {}, "", -1, 0, Self},
        KeyCase{"check Down", Check, TKeyStyles{ksDown}, Qt::Key_Down, {}, "", -1, 0, After},
        KeyCase{"check Shift+Down", Check, TKeyStyles{ksDown}, Qt::Key_Down, Qt::ShiftModifier, "", -1, 0, Self},
        KeyCase{"check Enter", Check, DefaultKeyStyles, Qt::Key_Return, {}, "", -1, 0, After},
        KeyCase{"radio Down in a group", Radio, TKeyStyles{ksDown}, Qt::Key_Down, {}, "", -1, 0, After},
        KeyCase{"radio Up", Radio, DefaultKeyStyles, Qt::Key_Up, {}, "", -1, 0, Before},
        KeyCase{"mask Left", Mask, TKeyStyles{ksLeft}, Qt::Key_Left, {}, "12", -1, 1, Before},
        KeyCase{"mask Enter not in styles", Mask, TKeyStyles{ksLeft}, Qt::Key_Return, {}, "", -1, 0, Self}));

// The radio button's Down moves the focus instead of checking the next
// button of its group.
TEST(KeyNavigation, RadioDownDoesNotStepInTheGroup)
{
    TestForm form;
    auto* one = form.Add<TxRadioButton>(QStringLiteral("one"));
    auto* two = form.Add<TxRadioButton>(QStringLiteral("two"));
    auto* after = form.Add<QLineEdit>();
    one->KeyStyles = TKeyStyles{ksDown};
    one->setChecked(true);
    two->setFocusPolicy(Qt::NoFocus);
    form.ShowActive();
    one->setFocus();
    QTest::keyClick(one, Qt::Key_Down);
    EXPECT_TRUE(one->isChecked());
    EXPECT_FALSE(two->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), after);
}

// With every other control of the form disabled or hidden there is nowhere
// to go: the focus stays, and the walk ends.
TEST(KeyNavigation, FocusStaysWhenNothingElseCanTakeIt)
{
    TestForm form;
    auto* disabled = form.Add<QLineEdit>();
    auto* edit = form.Add<TxEdit>();
    auto* hidden = form.Add<QLineEdit>();
    disabled->setEnabled(false);
    form.ShowActive();
    hidden->hide();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST(KeyNavigation, EnterWhileTheComboListIsOpenStays)
{
    TestForm form;
    auto* combo = form.Add<TxComboBox>();
    combo->addItems({"a", "b"});
    form.Add<QLineEdit>();
    form.ShowActive();
    combo->setFocus();
    combo->showPopup();
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), form.findChildren<QLineEdit*>().back());
    combo->hidePopup();
}

TEST(KeyNavigation, EnterHandlerThatClearsTheKeyStopsTheMove)
{
    TestForm form;
    auto* edit = form.Add<TxEdit>();
    form.Add<QLineEdit>();
    edit->OnKeyPress = [](QChar& key) {
        if (key == QChar('\r'))
            key = QChar();
    };
    form.ShowActive();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST(TxEditValues, LongAndCurr)
{
    TxEdit edit;
    edit.setText("15");
    edit.SetLong(0);
    EXPECT_EQ(edit.text(), "15");
    EXPECT_EQ(edit.Long(), 15);
    edit.setText("1,500");
    EXPECT_EQ(edit.Long(), 0);
    edit.SetCurr(125000);
    EXPECT_EQ(edit.text(), "12.5");
    EXPECT_EQ(edit.Curr(), 125000);
    edit.setText("abc");
    EXPECT_EQ(edit.Curr(), 0);
}

TEST(TxEditEntry, CaretPlacement)
{
    TestForm form;
    form.Add<QLineEdit>();
    auto* edit = form.Add<TxEdit>();
    edit->setText("12345");
    form.ShowActive();
    edit->CursorPos = cpRight;
    edit->setFocus();
    EXPECT_EQ(edit->cursorPosition(), 5);
    EXPECT_FALSE(edit->hasSelectedText());
    form.findChild<QLineEdit*>()->setFocus();
    edit->CursorPos = cpAllSel;
    edit->setFocus();
    EXPECT_EQ(edit->selectedText(), "12345");
}

TEST(TxEditPaste, BlockedOnlyWhileTheInputMethodIsDisabled)
{
    TestForm form;
    auto* edit = form.Add<TxEdit>();
    form.ShowActive();
    edit->setFocus();
    QApplication::clipboard()->setText("999");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "999");
    edit->clear();
    edit->SetImeMode(imDisable);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(edit, Qt::MiddleButton);
    EXPECT_EQ(edit->text(), "");
    edit->KillPaste = false;
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "999");
}

TEST(TxEditKana, CaptureFromTypingAndCompositions)
{
    TestForm form;
    form.Add<QLineEdit>();
    auto* edit = form.Add<TxEdit>();
    edit->KanaSw = true;
    form.ShowActive();
    edit->setFocus();
    QInputMethodEvent preedit(QStringLiteral("やまだ"), {});
    QApplication::sendEvent(edit, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("山田"));
    QApplication::sendEvent(edit, &commit);
    QTest::keyClicks(edit, "A");
    EXPECT_EQ(edit->text(), QStringLiteral("山田A"));
    EXPECT_EQ(edit->kana(), QStringLiteral("ﾔﾏﾀﾞA"));
    form.findChild<QLineEdit*>()->setFocus();
    edit->setFocus();
    EXPECT_EQ(edit->kana(), QString());
}

class ComboSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        combo = form.Add<TxComboBox>();
        combo->setEditable(true);
        combo->addItems({QStringLiteral("001:現金"), QStringLiteral("002:預金")});
        combo->KeyLen = 3;
        other = form.Add<QLineEdit>();
        form.ShowActive();
        combo->setFocus();
        combo->lineEdit()->clear();
    }
    TestForm form;
    TxComboBox* combo = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(ComboSearch, TypedCodeFindsTheItemShownOnLeaving)
{
    QTest::keyClicks(combo->lineEdit(), "002");
    EXPECT_EQ(combo->RememberedItem(), 1);
    EXPECT_EQ(combo->currentText(), "002");
    other->setFocus();
    EXPECT_EQ(combo->currentText(), QStringLiteral("002:預金"));
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(ComboSearch, UnknownCodeClearsTheIndexAndKeepsTheKey)
{
    QTest::keyClicks(combo->lineEdit(), "9");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "9");
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 1);
}

TEST_F(ComboSearch, TerminatorEndsTheCode)
{
    QTest::keyClicks(combo->lineEdit(), "2:");
    EXPECT_EQ(combo->currentText(), "2");  // key "2" finds nothing
    combo->lineEdit()->clear();
    combo->SetItemIndex(-1);
    QTest::keyClicks(combo->lineEdit(), "1:");
    EXPECT_EQ(combo->currentText(), "1");
}

TEST_F(ComboSearch, DeleteAtTheStartChoosesTheFirstItem)
{
    combo->SetItemIndex(1);
    combo->lineEdit()->setCursorPosition(0);
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->RememberedItem(), 0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("001:現金"));
}

TEST_F(ComboSearch, ProgramChoiceIsRemembered)
{
    combo->SetItemIndex(1);
    other->setFocus();
    combo->setFocus();
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(ComboSearch, DropDownWidth)
{
    combo->DropDownWidth = 333;
    combo->showPopup();
    EXPECT_GE(combo->view()->width(), 333);
    combo->hidePopup();
}

}  // namespace
