#pragma once
// Fixed label tables and small value sets shared by the screens and reports.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

inline constexpr std::array<std::string_view, 13> FunctionKeyLabels = {
    "ESC:", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:", "F9:", "F10:", "F11:", "F12:"};
inline constexpr std::array<std::string_view, 2> SortMarks = {"▲", "▼"};  // ascending, descending
inline constexpr std::array<std::string_view, 2> ScreenFontNames = {"ＭＳ 明朝", "ＭＳ ゴシック"};
inline constexpr std::array<std::string_view, 6> DataKindNames = {"法人",     "個人(一般)",       "個人(不動産)",
                                                                  "医療法人", "個人(クリニック)", "個人(農業)"};
inline constexpr std::array<std::string_view, 3> FacilityTotalNames = {"法人全体", "総体", "法人全体"};
inline constexpr std::array<std::string_view, 5> MedicalFacilityKinds = {"法人全体", "病院・診療所", "老人保健施設",
                                                                         "指定訪問看護", "その他の事業"};
// Code widths indexed by a data's code-length setting.
inline constexpr std::array<std::int32_t, 4> CodeWidths = {3, 4, 5, 6};
inline constexpr std::array<std::string_view, 4> TerminalSolutionNames = {"", "GO-Global", "RDS", "XenDesktop"};

// A set of small values (0-31), as the merged-data kinds are tested.
struct TSmallSet {
    std::uint32_t Bits = 0;
    constexpr bool Contains(std::int32_t value) const
    {
        return value >= 0 && value < 32 && ((Bits >> value) & 1u) != 0;
    }
};
constexpr TSmallSet MakeSmallSet(std::initializer_list<std::int32_t> values)
{
    TSmallSet set;
    for (const std::int32_t v : values)
        set.Bits |= 1u << v;
    return set;
}
// Merged-data kinds (GASSAN of a data-list row): 0 ordinary data, 1 and 2 the
// two kinds of merged data, 10 a child data set.
inline constexpr TSmallSet GassanParentKinds = MakeSmallSet({0, 1, 2});  // rows of DATALIST
inline constexpr TSmallSet GassanMergedKinds = MakeSmallSet({1, 2});     // rows that own child rows
