#include "foundation/VersionUtils.h"

#include <array>
#include <cstddef>

#include "platform/NumberText.h"
#include "foundation/VersionRecords.h"

void ParseVersion(std::string_view text, TVersionRec& version)
{
    version = TVersionRec{};
    std::array<std::int32_t*, 4> fields{&version.Major, &version.Minor1, &version.Minor2, &version.Build};
    std::size_t index = 0;
    std::string_view rest = text;
    while (index < fields.size()) {
        const std::size_t dot = rest.find('.');
        *fields[index++] = StrToIntDef(rest.substr(0, dot), 0);
        if (dot == std::string_view::npos)
            break;
        rest.remove_prefix(dot + 1);
    }
    version.Text = std::string(text);
}

namespace {

std::uint32_t Key(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    return static_cast<std::uint32_t>(major) * 65536u + static_cast<std::uint32_t>(minor1) * 256u +
           static_cast<std::uint32_t>(minor2);
}

std::uint32_t KeyOfText(std::string_view text)
{
    TVersionRec version;
    ParseVersion(text, version);
    return VersionKey(version);
}

}  // namespace

std::uint32_t VersionKey(const TVersionRec& version)
{
    return Key(version.Major, version.Minor1, version.Minor2);
}

std::uint32_t VersionKey(const TVersionNumbers& version)
{
    return Key(version.MAJOR, version.MINOR1, version.MINOR2);
}

bool VersionGreater(std::string_view a, std::string_view b)
{
    return KeyOfText(a) > KeyOfText(b);
}

bool VersionAtLeast(std::string_view a, std::string_view b)
{
    return KeyOfText(a) >= KeyOfText(b);
}

std::string VersionToText(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    return std::to_string(major) + "." + std::to_string(minor1) + "." + std::to_string(minor2);
}

std::string VersionToText(const TVersionNumbers& version)
{
    return VersionToText(version.MAJOR, version.MINOR1, version.MINOR2);
}
