#include "controls/HtmlHelpPath.h"

#include <array>
#include <string_view>

std::string HtmlHelpPath(const std::string& helpDir, std::uint8_t programKind, const std::string& page)
{
    if (page.empty())
        return {};
    constexpr std::array<std::string_view, 4> startPages{"olm.html", "ecbolm.html", "nvgolm.html", "csbolm.html"};
    for (const auto start : startPages)
        if (page == start)
            return helpDir + "/" + page;
    if (programKind < 3)
        return helpDir + "/olm.files/" + page;
    if (programKind == 3)
        return helpDir + "/csbolm.files/" + page;
    return {};
}
