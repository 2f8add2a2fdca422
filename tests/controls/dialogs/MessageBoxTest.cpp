#include "controls/dialogs/TMessageBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "support/ModalDriver.h"

namespace {

TMessageInfoRec Record(int kind, std::vector<std::string> lines = {"一行目", "二行目"})
{
    TMessageInfoRec info;
    InitMessageInfo(info);
    info.Kind = kind;
    info.Caption = "確認";
    info.LabelText = "次の内容で処理します。";
    info.Lines = std::move(lines);
    info.AgreeText = "確認しました";
    return info;
}

int Show(const TMessageInfoRec& info, std::function<void(TMessageBox*)> act)
{
    WhenModalShows([act](QWidget* modal) {
        auto* box = qobject_cast<TMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        act(box);
    });
    return ShowMessageBox(info);
}

TEST(MessageBoxTest, KindOneHasASingleOk)
{
    const int result = Show(Record(1), [](TMessageBox* box) {
        EXPECT_FALSE(box->btnOK->isVisible());
        EXPECT_FALSE(box->cboxAgree->isVisible());
        EXPECT_EQ(box->btnCancel->CaptionA().Caption, QStringLiteral("OK"));
        EXPECT_TRUE(box->btnCancel->hasFocus());
        QTest::keyClick(box, Qt::Key_F12);  // no OK to press
        EXPECT_TRUE(box->isVisible());
        QTest::mouseClick(box->btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
}

TEST(MessageBoxTest, KindTwoEnablesOkOnlyWhileTicked)
{
    const int result = Show(Record(2), [](TMessageBox* box) {
        EXPECT_TRUE(box->cboxAgree->isVisible());
        EXPECT_EQ(box->cboxAgree->text(), QStringLiteral("確認しました"));
        EXPECT_FALSE(box->btnOK->isEnabled());
        const QPoint tick(6, box->cboxAgree->height() / 2);
        QTest::mouseClick(box->cboxAgree, Qt::LeftButton, {}, tick);
        EXPECT_TRUE(box->btnOK->isEnabled());
        QTest::mouseClick(box->cboxAgree, Qt::LeftButton, {}, tick);
        EXPECT_FALSE(box->btnOK->isEnabled());
        QTest::mouseClick(box->cboxAgree, Qt::LeftButton, {}, tick);
        QTest::keyClick(box, Qt::Key_F12);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Show(Record(3),
                   [](TMessageBox* box) {
                       EXPECT_TRUE(box->btnOK->isEnabled());
                       QTest::keyClick(box, Qt::Key_Escape);
                   }),
              2);
}

TEST(MessageBoxTest, WithoutLinesTheMemoIsHiddenAndTheBoxShorter)
{
    TMessageBox withLines;
    withLines.SetupMessageBox(Record(0));
    TMessageBox without;
    without.SetupMessageBox(Record(0, {}));
    withLines.show();
    without.show();
    EXPECT_EQ(withLines.MessageArea->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_TRUE(withLines.MessageArea->isVisible());
    EXPECT_FALSE(without.MessageArea->isVisible());
    EXPECT_EQ(withLines.height() - without.height(), withLines.MessageArea->height());
    EXPECT_EQ(withLines.lblMain->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST(MessageBoxTest, TheHeadlineBreaksAtEveryLineEnd)
{
    TMessageBox box;
    TMessageInfoRec info = Record(0);
    info.LabelText = "一行目\r二行目\r\n三行目";
    box.SetupMessageBox(info);
    EXPECT_EQ(box.lblMain->text(), QStringLiteral("一行目\n二行目\n三行目"));
}

}  // namespace
