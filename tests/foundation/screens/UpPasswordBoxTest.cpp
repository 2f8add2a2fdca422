#include "foundation/screens/TUpPasswordBox.h"

#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "support/RecordingMessagePresenter.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void ShowActive(TUpPasswordBox& box)
{
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
}

struct OkCase {
    const char* name;
    const char* current;
    const char* now;
    const char* new1;
    const char* new2;
    const char* message;  // nullptr: accepted
    const char* focus;
};

void PrintTo(const OkCase& c, std::ostream* os)
{
    *os << c.name;
}

class UpPasswordBoxOk : public ::testing::TestWithParam<OkCase> {};

TEST_P(UpPasswordBoxOk, ChecksTheEntries)
{
    const OkCase& c = GetParam();
    RecordingMessagePresenter presenter;
    TUpPasswordBox box;
    box.SetCurrentPassword(c.current);
    ShowActive(box);
    QTest::keyClicks(box.txtPasswordNow, QString::fromUtf8(c.now));
    QTest::keyClicks(box.txtPasswordNew1, QString::fromUtf8(c.new1));
    QTest::keyClicks(box.txtPasswordNew2, QString::fromUtf8(c.new2));
    box.txtPasswordNew2->setFocus();
    QTest::keyClick(box.txtPasswordNew2, Qt::Key_F12);
    if (!c.message) {
        EXPECT_TRUE(presenter.shown.empty());
        EXPECT_EQ(box.result(), QDialog::Accepted);
        EXPECT_EQ(box.NewPassword, c.new1);
        return;
    }
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, c.message);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.NewPassword, "");
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.focus);
}

const OkCase kOkCases[] = {
    {"NoCurrentEntered", "Abc1", "", "x", "x", "現在のパスワードが入力されていません。", "txtPasswordNow"},
    {"CurrentInOtherCase", "Abc1", "abc1", "x", "x", "現在のパスワードが入力されたパスワードと一致しません。",
     "txtPasswordNow"},
    {"SecondNewMissing", "Abc1", "Abc1", "Neu", "",
     "新しいパスワードが入力されていません。両方のボックスに入力して下さい。", "txtPasswordNew1"},
    {"NewDifferInCase", "Abc1", "Abc1", "Neu", "neu", "入力されたパスワードは一致しません。", "txtPasswordNew1"},
    {"Changed", "Abc1", "Abc1", "Neu2", "Neu2", nullptr, ""},
    {"SetFirstTime", "", "", "Erst", "Erst", nullptr, ""},
    {"FirstTimeEmpty", "", "", "", "", "新しいパスワードが入力されていません。両方のボックスに入力して下さい。",
     "txtPasswordNew1"},
};
INSTANTIATE_TEST_SUITE_P(Cases, UpPasswordBoxOk, ::testing::ValuesIn(kOkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpPasswordBox, WithoutCurrentPasswordOnlyTheNewFieldsShow)
{
    TUpPasswordBox box;
    box.SetCurrentPassword("Abc1");
    EXPECT_EQ(box.windowTitle(), QStringLiteral("パスワードの変更"));
    EXPECT_EQ(box.Label4->y(), 92);
    box.SetCurrentPassword("");
    ShowActive(box);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("パスワードの設定"));
    EXPECT_EQ(box.Label1->text(), QStringLiteral("パスワードを設定します。"));
    EXPECT_FALSE(box.txtPasswordNow->isVisible());
    EXPECT_FALSE(box.Label2->isVisible());
    EXPECT_EQ(box.Label3->y(), 42);
    EXPECT_EQ(box.txtPasswordNew1->y(), 38);
    EXPECT_EQ(box.Label4->y(), 76);
    EXPECT_EQ(QApplication::focusWidget(), box.txtPasswordNew1);
}

TEST(UpPasswordBox, FieldsTakeLettersAndDigitsUpToTen)
{
    TUpPasswordBox box;
    box.SetCurrentPassword("");
    ShowActive(box);
    QTest::keyClicks(box.txtPasswordNew1, QStringLiteral("a-b!c 1"));
    QTest::sendKeyEvent(QTest::Click, box.txtPasswordNew1, Qt::Key_unknown, QStringLiteral("あ"), Qt::NoModifier);
    QTest::keyClicks(box.txtPasswordNew1, QStringLiteral(" Z_9"));
    EXPECT_EQ(box.txtPasswordNew1->text(), QStringLiteral("abc1Z9"));
    QTest::keyClicks(box.txtPasswordNew1, QStringLiteral("12345678"));
    EXPECT_EQ(box.txtPasswordNew1->text(), QStringLiteral("abc1Z91234"));
    EXPECT_EQ(box.txtPasswordNew1->echoMode(), QLineEdit::Normal);
}

TEST(UpPasswordBox, EscCancels)
{
    TUpPasswordBox box;
    box.SetCurrentPassword("Abc1");
    ShowActive(box);
    QTest::keyClicks(box.txtPasswordNow, QStringLiteral("Abc1"));
    QTest::keyClick(box.txtPasswordNow, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
}

}  // namespace
