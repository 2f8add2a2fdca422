#include "controls/dialogs/TInputDlgBox.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/widgets/TLedrixEdit.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "platform/DateTime.h"
#include "support/RecordingMessagePresenter.h"

namespace {

class InputDlgBoxTest : public ::testing::Test {
protected:
    void Open(int kind)
    {
        dlg.InputKind = kind;
        dlg.DlgCaption = "入力";
        dlg.Prompt = "値を入力して下さい。";
        dlg.SetupInputDlg(true);
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    void Commit(QWidget* edit, const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
    void ClickOK() { QTest::mouseClick(dlg.btnOK, Qt::LeftButton); }
    bool Accepted() const { return !dlg.isVisible() && dlg.result() == 1; }

    RecordingMessagePresenter messages;
    TInputDlgBox dlg;
};

TEST_F(InputDlgBoxTest, TextInputKeepsItsLimitInCp932Bytes)
{
    dlg.MaxInputLength = 8;
    dlg.Value = "abc";
    Open(0);
    EXPECT_TRUE(dlg.txtInput->hasFocus());
    EXPECT_TRUE(dlg.pnlText->isVisible());
    EXPECT_FALSE(dlg.btnFuseji->isVisible());
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Normal);
    dlg.txtInput->end(false);
    QTest::keyClicks(dlg.txtInput, QStringLiteral("defghij"));
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("abcdefgh"));
    dlg.txtInput->clear();
    Commit(dlg.txtInput, QStringLiteral("売掛金ｱｲ"));  // 6 + 2 bytes
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("売掛金ｱｲ"));
    dlg.txtInput->clear();
    Commit(dlg.txtInput, QStringLiteral("abc売掛金"));  // the last character would take bytes 8 and 9
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("abc売掛"));
    Commit(dlg.txtInput, QStringLiteral("😀"));  // CP932 cannot hold it
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("abc売掛"));
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, "abc売掛");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputDlgBoxTest, PasswordIsRequiredMaskedAndFiltered)
{
    dlg.MaxInputLength = 8;
    dlg.CharFilter = 30;
    Open(1);
    EXPECT_TRUE(dlg.Required);
    EXPECT_TRUE(dlg.btnFuseji->isVisible());
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Password);
    ClickOK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, "入力してから[OK]ボタンを押して下さい。");
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtInformation);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.txtInput->hasFocus());

    QTest::keyClicks(dlg.txtInput, QStringLiteral("ab-1_c.2 3456"));
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("ab1c2345"));
    QTest::mouseClick(dlg.btnFuseji, Qt::LeftButton, {}, QPoint(6, dlg.btnFuseji->height() / 2));
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Normal);
    QTest::mouseClick(dlg.btnFuseji, Qt::LeftButton, {}, QPoint(6, dlg.btnFuseji->height() / 2));
    EXPECT_EQ(dlg.txtInput->echoMode(), QLineEdit::Password);
    QTest::keyClick(&dlg, Qt::Key_F12);
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, "ab1c2345");
}

TEST_F(InputDlgBoxTest, KeyFiltersDropRefusedCharactersAlsoFromInputMethods)
{
    struct Row {
        int filter;
        QString typed;
        QString kept;
    };
    const Row rows[] = {
        {10, QStringLiteral("-1.5e+3"), QStringLiteral("-1.53")},
        {20, QStringLiteral("aB1-c"), QStringLiteral("aBc")},
        {40, QStringLiteral("a<b|c/d"), QStringLiteral("abcd")},
        {0, QStringLiteral("a<b|"), QStringLiteral("a<b|")},
    };
    Open(0);
    for (const auto& row : rows) {
        dlg.SetInputCharFilter(row.filter);
        dlg.txtInput->clear();
        QTest::keyClicks(dlg.txtInput, row.typed);
        EXPECT_EQ(dlg.txtInput->text(), row.kept) << row.filter;
    }
    dlg.SetInputCharFilter(40);
    dlg.txtInput->clear();
    Commit(dlg.txtInput, QStringLiteral("株式<会社>"));
    EXPECT_EQ(dlg.txtInput->text(), QStringLiteral("株式会社"));
}

TEST_F(InputDlgBoxTest, RejectedValuesAreRefusedEvenWithSpacesAround)
{
    dlg.RejectList = {"0000"};
    dlg.RejectMessage = "このコードは使用できません。";
    Open(0);
    QTest::keyClicks(dlg.txtInput, QStringLiteral(" 0000"));
    Commit(dlg.txtInput, QStringLiteral("　"));
    ClickOK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, "このコードは使用できません。");
    EXPECT_TRUE(dlg.isVisible());
    dlg.txtInput->end(false);
    QTest::keyClicks(dlg.txtInput, QStringLiteral("1"));
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, " 0000　1");

    // The same dialog again: its lists are still there.
    dlg.Value.clear();
    Open(0);
    QTest::keyClicks(dlg.txtInput, QStringLiteral("0000"));
    ClickOK();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(InputDlgBoxTest, ComboTakesItsItemsAndRequiresAChoice)
{
    dlg.ComboItems = {"001:現金", "002:普通預金"};
    dlg.Required = true;
    dlg.MaxInputLength = 6;
    Open(2);
    EXPECT_TRUE(dlg.pnlCombo->isVisible());
    EXPECT_FALSE(dlg.pnlText->isVisible());
    EXPECT_EQ(dlg.pnlCombo->geometry(), dlg.pnlText->geometry());
    EXPECT_EQ(dlg.cmbInput->count(), 2);
    EXPECT_TRUE(dlg.cmbInput->hasFocus());
    Commit(dlg.cmbInput->lineEdit(), QStringLiteral("　"));
    ClickOK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, "入力または選択してから[OK]ボタンを押して下さい。");
    dlg.cmbInput->lineEdit()->clear();
    Commit(dlg.cmbInput->lineEdit(), QStringLiteral("現金預金"));
    EXPECT_EQ(dlg.cmbInput->currentText(), QStringLiteral("現金預"));
    dlg.cmbInput->SetItemIndex(1);
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, "002:普通預金");

    // The value given selects its item; another value stays as text.
    dlg.Value = "001:現金";
    Open(2);
    EXPECT_EQ(dlg.cmbInput->currentIndex(), 0);
    dlg.Value = "手入力";
    Open(2);
    EXPECT_EQ(dlg.cmbInput->currentText(), QStringLiteral("手入力"));
}

TEST_F(InputDlgBoxTest, BlankAmountBecomesZero)
{
    Open(3);
    EXPECT_TRUE(dlg.txtKingaku->hasFocus());
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, "0");

    dlg.Value.clear();
    Open(3);
    QTest::keyClicks(dlg.txtKingaku, QStringLiteral("1234567"));
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Value, "1,234,567");
}

TEST_F(InputDlgBoxTest, DateRangeComesBackAndAWrongDateStopsOkQuietly)
{
    TDateTime first = 0, last = 0;
    ASSERT_TRUE(TryEncodeDate(2024, 4, 1, first));
    ASSERT_TRUE(TryEncodeDate(2025, 3, 31, last));
    dlg.Date1 = first;
    dlg.Date2 = last;
    Open(4);
    EXPECT_TRUE(dlg.pnlDate->isVisible());
    EXPECT_EQ(dlg.txtHizuke1->Gengo(), rsWareki);
    EXPECT_TRUE(dlg.txtHizuke1->EditGengo());
    dlg.Date1 = dlg.Date2 = 0;
    ClickOK();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dlg.Date1, first);
    EXPECT_EQ(dlg.Date2, last);

    Open(4);
    QLineEdit* day = dlg.txtHizuke2->NumberBox(dbDay);
    day->setText(QStringLiteral("32"));
    ClickOK();
    // The edit has said what is wrong; the dialog stays open for a fix.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(InputDlgBoxTest, HintAreaShowsTheLongHintOfTheFocusedControl)
{
    dlg.InputHint = "科目名|科目の名称を全角10文字以内で入力します。";
    Open(0);
    EXPECT_EQ(dlg.txtInput->toolTip(), QStringLiteral("科目名"));
    EXPECT_EQ(dlg.HintArea->text(), QStringLiteral("科目の名称を全角10文字以内で入力します。"));
    dlg.btnCancel->setFocus();
    EXPECT_EQ(dlg.HintArea->text(), QStringLiteral("画面を閉じます。"));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 2);
}

}  // namespace
