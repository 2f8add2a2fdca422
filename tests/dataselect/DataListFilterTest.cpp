#include "dataselect/DataListFilter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

TDataSentakuRec Row(int type, int code, const std::string& name, int major, int minor, const std::string& dataCode,
                    int tantou = 0)
{
    TDataSentakuRec row;
    row.Data.DATATYPE = type;
    row.Data.CODETYPE = code;
    row.Data.ENTTEXT = name;
    row.Data.VER_MAJOR = major;
    row.Data.VER_MINOR1 = minor;
    row.Data.DATACODE = dataCode;
    row.Data.TANTOU = tantou;
    return row;
}

const TDataSentakuRecArray Rows = {
    Row(1, 1, "青葉商事", 15, 0, "A100"),      // 0
    Row(2, 1, "山田ｶﾞｯｺｳ", 15, 2, "a105", 3),  // 1
    Row(2, 2, "abc不動産", 14, 9, "B200"),     // 2
    Row(3, 1, "さくら会", 15, 1, "A1"),        // 3
    Row(1, 2, "", 0, 0, ""),                   // 4 a blank area
};

struct FilterCase {
    const char* what;
    int dataType;
    int codeType;
    std::string name;
    int tanto;
    std::string version;
    int versionMode;
    std::string code;
    std::vector<std::int32_t> shown;
};

std::ostream& operator<<(std::ostream& out, const FilterCase& c)
{
    return out << c.what;
}

class FilterDataListTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterDataListTest, KeepsTheRowsThatPassEveryCondition)
{
    const FilterCase& c = GetParam();
    TDataKensakuRec conditions;
    conditions.DATATYPE = c.dataType;
    conditions.CODETYPE = c.codeType;
    conditions.DATANAME = c.name;
    conditions.TANTO = c.tanto;
    conditions.DATAVER = c.version;
    conditions.VERMODE = c.versionMode;
    conditions.DATACODE = c.code;
    EXPECT_EQ(c.shown, FilterDataList(Rows, conditions));
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, FilterDataListTest,
    ::testing::Values(FilterCase{"none", 0, 0, "", 0, "", 0, "", {0, 1, 2, 3, 4}},
                      FilterCase{"kinds 1 and 3 (-13)", -13, 0, "", 0, "", 0, "", {0, 3, 4}},
                      FilterCase{"kind 2 any code kind", 2, 0, "", 0, "", 0, "", {1, 2}},
                      FilterCase{"kind 2 code kind 2", 2, 2, "", 0, "", 0, "", {2}},
                      FilterCase{"another negative kind keeps all", -5, 0, "", 0, "", 0, "", {0, 1, 2, 3, 4}},
                      FilterCase{"name widened and upper-cased", 0, 0, "ＡＢＣ", 0, "", 0, "", {2}},
                      FilterCase{"half-width kana name", 0, 0, "ガッ", 0, "", 0, "", {1}},
                      FilterCase{"person in charge", 0, 0, "", 3, "", 0, "", {1}},
                      FilterCase{"major only", 0, 0, "", 0, "15", VersionModeMajor, "", {0, 1, 3}},
                      FilterCase{"major and minor equal", 0, 0, "", 0, "15.1", VersionModeEqual, "", {3}},
                      FilterCase{"equal mode compares the whole text", 0, 0, "", 0, "15", VersionModeEqual, "", {}},
                      FilterCase{"a missing minor counts 0", 0, 0, "", 0, "15", VersionModeAtLeast, "", {0, 1, 3}},
                      FilterCase{"not older", 0, 0, "", 0, "15.1", VersionModeAtLeast, "", {1, 3}},
                      FilterCase{"code prefix without regard to case", 0, 0, "", 0, "", 0, "a1", {0, 1, 3}},
                      FilterCase{"code longer than the row's", 0, 0, "", 0, "", 0, "A1 0", {}},
                      FilterCase{"wizard's conditions", -13, 0, "", 0, "15", VersionModeMajor, "", {0, 3}}));

TEST(SortKindOfColumnTest, MapsTheSortableColumnsAndFallsBackToTheRowNumber)
{
    const std::pair<int, int> cases[] = {{1, 7}, {3, 2}, {4, 3},  {5, 4}, {6, 5},
                                         {7, 6}, {0, 1}, {-1, 1}, {2, 1}, {8, 1}};
    for (const auto& [column, kind] : cases)
        EXPECT_EQ(kind, SortKindOfColumn(column)) << column;
}

}  // namespace
