#include "controls/HtmlHelpPath.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlHelpPathTest, StartPagesLieInTheHelpFolderAndOthersInTheManualOfTheProgramKind)
{
    struct Row {
        std::uint8_t kind;
        const char* page;
        const char* path;
    };
    const Row rows[] = {
        {0, "olm.html", "/h/olm.html"},
        {0, "ecbolm.html", "/h/ecbolm.html"},
        {3, "nvgolm.html", "/h/nvgolm.html"},
        {4, "csbolm.html", "/h/csbolm.html"},
        {0, "tsusin01.html", "/h/olm.files/tsusin01.html"},
        {2, "tsusin01.html", "/h/olm.files/tsusin01.html"},
        {3, "tsusin01.html", "/h/csbolm.files/tsusin01.html"},
        {4, "tsusin01.html", ""},
        {0, "", ""},
        {0, "OLM.html", "/h/olm.files/OLM.html"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HtmlHelpPath("/h", row.kind, row.page), row.path) << int(row.kind) << " " << row.page;
}

}  // namespace
