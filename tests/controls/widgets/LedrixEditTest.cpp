#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TLedrixEdit.h"

namespace {

class LedrixEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before = form.Add<QLineEdit>();
        edit = form.Add<TLedrixEdit>();
        after = form.Add<QLineEdit>();
        form.ShowActive();
        edit->setFocus();
    }
    void Type(const char* keys) { QTest::keyClicks(edit, keys); }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    TestForm form;
    QLineEdit* before = nullptr;
    TLedrixEdit* edit = nullptr;
    QLineEdit* after = nullptr;
};

TEST_F(LedrixEditTest, StylesFilterWhatIsTyped)
{
    struct Row {
        TEditStyle style;
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {esNumeric, "1a,-.2", "12"},    {esFloat, ".1.5.", "1.5"}, {esNumericMinus, "-12", "-12"},
        {esFloatMinus, "-1.5", "-1.5"}, {esNone, "a,-.", "a,-."},
    };
    for (const Row& r : rows) {
        edit->clear();
        edit->EditStyle = r.style;
        Type(r.typed);
        EXPECT_EQ(edit->text().toStdString(), r.shown) << r.style;
    }
    edit->EditStyle = esNumeric;
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "a,-");  // Backspace still works
}

TEST_F(LedrixEditTest, MinusTurnsTheSign)
{
    edit->EditStyle = esNumericMinus;
    edit->setText("1234");
    Type("-");
    EXPECT_EQ(edit->text(), "-1234");
    EXPECT_EQ(edit->cursorPosition(), 5);
    Type("-");
    EXPECT_EQ(edit->text(), "1234");
}

TEST_F(LedrixEditTest, ZeroKeys)
{
    edit->EditStyle = esNumericMinus;
    edit->Zero3Key = zkDot;
    Type("5.");
    EXPECT_EQ(edit->text(), "5000");
    edit->clear();
    edit->EditStyle = esFloat;
    Type("5.");
    EXPECT_EQ(edit->text(), "5.");  // the decimal point, not zeros
    edit->clear();
    edit->EditStyle = esNumeric;
    edit->Zero2Key = zkPlus;
    Type("7+");
    EXPECT_EQ(edit->text(), "700");
}

TEST_F(LedrixEditTest, CommaWhileTyping)
{
    edit->EditStyle = esNumeric;
    edit->SetOutputFormat("#,##0");
    edit->SetComma(true);
    const char* shown[] = {"1", "12", "123", "1,234", "12,345"};
    const char* keys = "12345";
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(edit, keys[i]);
        EXPECT_EQ(edit->text().toStdString(), shown[i]);
        EXPECT_EQ(edit->cursorPosition(), edit->text().length());
    }
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "1,234");
    EXPECT_EQ(edit->cursorPosition(), 5);
}

TEST_F(LedrixEditTest, EnteringAndLeavingFormat)
{
    edit->EditStyle = esNumeric;
    edit->SetOutputFormat("#,##0");
    edit->setText("1,234");
    before->setFocus();
    edit->setFocus();
    EXPECT_EQ(edit->text(), "1234");
    EXPECT_EQ(edit->selectedText(), "1234");
    after->setFocus();
    EXPECT_EQ(edit->text(), "1,234");
    edit->clear();
    edit->setFocus();
    after->setFocus();
    EXPECT_EQ(edit->text(), "0");
    edit->AllowBlank = true;
    edit->clear();
    edit->setFocus();
    after->setFocus();
    EXPECT_EQ(edit->text(), "");
}

TEST_F(LedrixEditTest, FullFieldMovesOrReports)
{
    edit->EditStyle = esNumeric;
    edit->SetMaxLength(3);
    edit->AutoNextCtls = TAutoNextCtls{acMaxLength};
    Type("123");
    EXPECT_EQ(edit->text(), "123");
    EXPECT_EQ(Focus(), after);

    edit->clear();
    edit->setFocus();
    edit->AutoNextCtls = TAutoNextCtls{acMaxLength, acSendEnter};
    Type("123");
    EXPECT_EQ(edit->text(), "123");
    EXPECT_EQ(Focus(), edit);
    EXPECT_TRUE(edit->AutoNextCtls_Result().Has(acMaxLength));
    EXPECT_TRUE(edit->AutoNextCtls_Result().Has(acSendEnter));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_TRUE(edit->AutoNextCtls_Result().Empty());
}

TEST_F(LedrixEditTest, DownAndTabReported)
{
    edit->AutoNextCtls = TAutoNextCtls{acDownKey, acTabKey};
    edit->KeyStyles = TKeyStyles{ksEnter, ksDown};
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(Focus(), edit);
    EXPECT_TRUE(edit->AutoNextCtls_Result().Has(acDownKey));
    EXPECT_TRUE(edit->AutoNextCtls_Result().Has(acSendEnter));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(Focus(), edit);
    EXPECT_TRUE(edit->AutoNextCtls_Result().Has(acTabKey));
    QTest::keyClick(edit, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), after);
}

TEST_F(LedrixEditTest, ArrowsAndTab)
{
    edit->KeyStyles = TKeyStyles{ksEnter, ksLeft, ksRight, ksUp};
    edit->setText("123");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Left);  // all selected is not enough here
    EXPECT_EQ(Focus(), edit);
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(Focus(), before);
    edit->setFocus();
    edit->setCursorPosition(3);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(Focus(), after);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), before);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Focus(), after);
}

TEST_F(LedrixEditTest, KanaFromCompositions)
{
    edit->KanaMode = kmHankaku;
    QInputMethodEvent preedit(QStringLiteral("さとう"), {});
    QApplication::sendEvent(edit, &preedit);
    EXPECT_TRUE(edit->ImeOnFlg());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("佐藤"));
    QApplication::sendEvent(edit, &commit);
    EXPECT_FALSE(edit->ImeOnFlg());
    EXPECT_EQ(edit->Kana(), QStringLiteral("ｻﾄｳ"));
}

TEST_F(LedrixEditTest, ImeStatusEvents)
{
    int changes = 0;
    edit->OnImeStatusChange = [&](QObject*) { ++changes; };
    QInputMethodEvent preedit(QStringLiteral("あ"), {});
    QApplication::sendEvent(edit, &preedit);
    QInputMethodEvent more(QStringLiteral("あい"), {});
    QApplication::sendEvent(edit, &more);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("愛"));
    QApplication::sendEvent(edit, &commit);
    EXPECT_EQ(changes, 2);
}

}  // namespace
