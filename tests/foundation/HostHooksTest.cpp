#include "foundation/HostHooks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(HostHooks, ClearHooksEmptiesAllSeven)
{
    MenuCallbackHook = [](std::int32_t, const std::string&) { return 0; };
    ProcessLauncherHook = [](const std::string&, std::int32_t, const std::string&) { return 0; };
    DataCheckHook = [](const std::string&, const std::string&, std::int32_t) { return 1; };
    FormActivateHook = [](bool, std::int32_t) {};
    DataOpenedHook = [](std::int32_t) {};
    // The cash-book import's names reach the same two hooks.
    StatusTextHook = [](std::int32_t, const std::string&, std::int32_t, const std::string&) {};
    StatusRefreshHook = [](std::int32_t, std::int32_t) {};
    ASSERT_TRUE(DataCaptionHook);
    ASSERT_TRUE(DataPanelHook);

    ClearHooks();

    EXPECT_FALSE(MenuCallbackHook);
    EXPECT_FALSE(ProcessLauncherHook);
    EXPECT_FALSE(DataCheckHook);
    EXPECT_FALSE(FormActivateHook);
    EXPECT_FALSE(DataOpenedHook);
    EXPECT_FALSE(DataCaptionHook);
    EXPECT_FALSE(DataPanelHook);
}

}  // namespace
