#include "app/program/ProgramMutex.h"

#include "platform/db/FirebirdServerFixture.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

namespace {

class ProgramMutexTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        runtime_.emplace("LEDRIX_RUNTIME_DIR", (folder_ / "run").string());
    }
    std::optional<ScopedEnv> runtime_;
    RecordingMessagePresenter messages_;
};

struct HeldName {
    const char* name;
    const char* message;
};

TEST_F(ProgramMutexTest, ANameHeldElsewhereRefusesTheStartWithItsMessage)
{
    const HeldName cases[] = {
        {"ZORVATH000", "Ledrix財務が起動しています。同時に起動することは出来ません。"},
        {"ZORVATH_TOOLS", "Ledrix財務ツールが起動しています。同時に起動することは出来ません。"},
        {"VARIMON_RENDO", "アプリケーションは既に起動しています。"},
    };
    for (const HeldName& c : cases) {
        messages_.shown.clear();
        platform::NamedMutex other(c.name);
        ASSERT_TRUE(other.Held()) << c.name;
        EXPECT_FALSE(AcquireProgramMutex().has_value()) << c.name;
        ASSERT_EQ(1u, messages_.shown.size()) << c.name;
        EXPECT_EQ(c.message, messages_.shown[0].Text);
        EXPECT_EQ(TMsgDlgType::mtInformation, messages_.shown[0].Type);
        // A refused start takes no name of its own.
        other.Release();
        EXPECT_FALSE(platform::NamedMutex::Exists("VARIMON_RENDO")) << c.name;
    }
}

TEST_F(ProgramMutexTest, TheFirstNameHeldDecides)
{
    platform::NamedMutex tools("ZORVATH_TOOLS");
    platform::NamedMutex self("VARIMON_RENDO");
    EXPECT_FALSE(AcquireProgramMutex().has_value());
    ASSERT_EQ(1u, messages_.shown.size());
    EXPECT_EQ("Ledrix財務ツールが起動しています。同時に起動することは出来ません。", messages_.shown[0].Text);
}

TEST_F(ProgramMutexTest, AStartHoldsItsNameUntilItEnds)
{
    {
        std::optional<platform::NamedMutex> own = AcquireProgramMutex();
        ASSERT_TRUE(own.has_value());
        EXPECT_TRUE(own->Held());
        EXPECT_TRUE(messages_.shown.empty());
        // A second copy is refused while the first runs.
        EXPECT_FALSE(AcquireProgramMutex().has_value());
        ASSERT_EQ(1u, messages_.shown.size());
        EXPECT_EQ("アプリケーションは既に起動しています。", messages_.shown[0].Text);
    }
    EXPECT_FALSE(platform::NamedMutex::Exists("VARIMON_RENDO"));
    EXPECT_TRUE(AcquireProgramMutex().has_value());
}

}  // namespace
