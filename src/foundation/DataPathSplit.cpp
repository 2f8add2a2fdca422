#include "foundation/DataPathSplit.h"

#include "foundation/StringUtils.h"

#include <cctype>
#include <vector>

namespace {

bool EqualsAsciiNoCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

void SplitDataPath(const std::string& path, std::string& first, std::string& second)
{
    first.clear();
    second.clear();
    const std::string text = DelSpaceAll(path);
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == '/' || c == '\\')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (EqualsAsciiNoCase(parts[i], "DATA") || EqualsAsciiNoCase(parts[i], "CB_DATA")) {
            if (i + 1 < parts.size())
                first = parts[i + 1];
            if (i + 2 < parts.size())
                second = parts[i + 2];
            return;
        }
    }
}
