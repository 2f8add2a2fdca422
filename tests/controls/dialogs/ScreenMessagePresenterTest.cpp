#include "controls/dialogs/ScreenMessagePresenter.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/dialogs/TMessageBox2.h"
#include "support/ModalDriver.h"

namespace {

TEST(ScreenMessagePresenterTest, MessagesOfTheEngineShowInTheMessageBox)
{
    IMessagePresenter* previous = MessagePresenter();
    InstallScreenMessagePresenter();
    WhenModalShows([](QWidget* modal) {
        auto* box = qobject_cast<TMessageBox2*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
        EXPECT_EQ(box->Labels[0]->text(), QStringLiteral("データを削除します。"));
        EXPECT_EQ(box->Labels[1]->text(), QStringLiteral("よろしいですか？"));
        EXPECT_EQ(box->Buttons[0]->text(), QStringLiteral("はい(&Y)"));
        EXPECT_EQ(box->Buttons[1]->text(), QStringLiteral("いいえ(&N)"));
        EXPECT_TRUE(box->Buttons[1]->hasFocus());
        QTest::keyClick(box->Buttons[1], Qt::Key_Space);
    });
    TUserMessage message;
    message.Text = "データを削除します。\rよろしいですか？";
    message.Caption = "確認";
    message.Type = TMsgDlgType::mtConfirmation;
    message.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
    message.DefaultButton = 1;
    EXPECT_EQ(ShowUserMessage(message), mrNo);
    SetMessagePresenter(previous);
}

TEST(ScreenMessagePresenterTest, RecordKeepsEveryLineAndTheDefaultButton)
{
    TUserMessage message;
    message.Text = "1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r11\r12";
    message.Type = TMsgDlgType::mtError;
    message.Buttons = {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbOK};
    message.DefaultButton = 0;
    const TMessage2InfoRec info = MessageBoxRecordOf(message);
    EXPECT_EQ(info.MessageType, 1);
    EXPECT_EQ(info.Lines[0].Text, "1");
    EXPECT_EQ(info.Lines[8].Text, "9");
    EXPECT_EQ(info.Lines[9].Text, "10\n11\n12");
    // Shown in the order of the bits: OK, Cancel, Retry.
    EXPECT_EQ(Message2ShownButtons(info.Buttons), (std::vector<int>{mb2OK, mb2Cancel, mb2Retry}));
    EXPECT_EQ(info.DefaultButton, 1);

    TMessageBox2 box;
    box.SetupMessage(info);
    box.show();
    EXPECT_LE(box.Labels[9]->geometry().bottom(), box.pnlClient->height());
}

}  // namespace
