#include "foundation/EdgeGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>

#include "controls/Abort.h"
#include "support/RecordingMessagePresenter.h"

namespace {

TEST(EdgeGuardTest, ErrorsOfTheWorkAreShownAndStopAtTheEdge)
{
    RecordingMessagePresenter messages;
    int ran = 0;
    EXPECT_TRUE(RunAtEdge([&] { ++ran; }));
    EXPECT_FALSE(RunAtEdge([] { throw std::runtime_error("ファイルが見つかりません。"); }));
    EXPECT_FALSE(RunAtEdge([] { throw 42; }));
    EXPECT_FALSE(RunAtEdge([] { throw std::runtime_error(""); }));
    EXPECT_EQ(ran, 1);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].Text, "ファイルが見つかりません。");
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages.shown[1].Text, UnknownErrorMessage);
    EXPECT_EQ(messages.shown[2].Text, UnknownErrorMessage);
}

TEST(EdgeGuardTest, AnAbortStopsSilently)
{
    RecordingMessagePresenter messages;
    EXPECT_FALSE(RunAtEdge([] { throw EAbort(); }));
    EXPECT_TRUE(messages.shown.empty());
}

class ThrowingPresenter final : public IMessagePresenter {
public:
    TModalResult Present(const TUserMessage&) override { throw std::runtime_error("no screen"); }
};

TEST(EdgeGuardTest, APresenterThatFailsDoesNotLetTheErrorOut)
{
    ThrowingPresenter presenter;
    IMessagePresenter* previous = MessagePresenter();
    SetMessagePresenter(&presenter);
    EXPECT_FALSE(RunAtEdge([] { throw std::runtime_error("x"); }));
    SetMessagePresenter(previous);
}

}  // namespace
