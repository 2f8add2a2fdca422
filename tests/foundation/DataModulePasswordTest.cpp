#include "foundation/DataModule.h"

#include "foundation/AccInf.h"
#include "foundation/DataPasswordPrompt.h"
#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Answers the prompt from a script and records the attempts it was asked.
class DataModulePasswordTest : public testing::Test {
protected:
    void SetUp() override
    {
        AccInf.DataPassword = "Ab12";
        ProgramKind = 0;
        SetDataPasswordPrompt([this](int attempt) -> std::optional<std::string> {
            attempts.push_back(attempt);
            if (answers.empty())
                return std::nullopt;
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }
    void TearDown() override
    {
        SetDataPasswordPrompt({});
        AccInf = savedInfo_;
        ProgramKind = savedKind_;
    }

    std::vector<std::optional<std::string>> answers;
    std::vector<int> attempts;

private:
    const TACCINF savedInfo_ = AccInf;
    const std::uint8_t savedKind_ = ProgramKind;
};

TEST_F(DataModulePasswordTest, ThreeTriesWithBlanksTrimmed)
{
    struct Case {
        const char* label;
        std::vector<std::optional<std::string>> answers;
        bool known;
        std::vector<int> attempts;
    };
    const std::vector<Case> cases = {
        {"first", {"Ab12"}, true, {1}},
        {"second, with blanks", {"x", "\xE3\x80\x80 Ab12 "}, true, {1, 2}},
        {"third", {"x", "y", "Ab12"}, true, {1, 2, 3}},
        {"three wrong", {"x", "ab12", "Ab1"}, false, {1, 2, 3}},
        {"cancelled", {"x", std::nullopt}, false, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        answers = c.answers;
        attempts.clear();
        EXPECT_EQ(TDM::InputDataPassword(), c.known);
        EXPECT_EQ(attempts, c.attempts);
    }
}

TEST_F(DataModulePasswordTest, NotAskedWithoutPasswordOrForOtherPrograms)
{
    for (const std::uint8_t kind : {1, 3}) {
        ProgramKind = kind;
        EXPECT_TRUE(TDM::InputDataPassword());
    }
    ProgramKind = 2;
    AccInf.DataPassword.clear();
    EXPECT_TRUE(TDM::InputDataPassword());
    EXPECT_TRUE(attempts.empty());

    // Nobody to ask: the password is not known.
    AccInf.DataPassword = "Ab12";
    SetDataPasswordPrompt({});
    EXPECT_FALSE(TDM::InputDataPassword());
}

}  // namespace
