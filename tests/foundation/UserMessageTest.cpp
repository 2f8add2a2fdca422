#include "foundation/UserMessage.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

namespace {

TEST(UserMessage, GoesToTheInstalledPresenterAndReturnsItsAnswer)
{
    RecordingMessagePresenter presenter;
    presenter.answers.push_back(mrNo);
    EXPECT_EQ(ShowUserMessage("削除しますか？", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
              mrNo);
    // Once the queue is empty the default button answers.
    EXPECT_EQ(ShowUserMessage("続けますか？", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 1),
              mrNo);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Text, "削除しますか？");
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtConfirmation);
}

TEST(UserMessage, WithoutPresenterTheDefaultButtonAnswers)
{
    ASSERT_EQ(MessagePresenter(), nullptr);
    EXPECT_EQ(ShowUserMessage("x", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}, 1), mrCancel);
    {
        RecordingMessagePresenter presenter;
        EXPECT_EQ(MessagePresenter(), &presenter);
    }
    EXPECT_EQ(MessagePresenter(), nullptr);
}

}  // namespace
