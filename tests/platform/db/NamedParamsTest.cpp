#include "platform/db/NamedParams.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* sql;
    const char* expected;
    std::vector<std::string> names;
};

std::ostream& operator<<(std::ostream& out, const Case& c)
{
    return out << c.sql;
}

class DbNamedParamsTest : public ::testing::TestWithParam<Case> {};

TEST_P(DbNamedParamsTest, TranslatesToPositionalMarkers)
{
    const Case& c = GetParam();
    const db::NamedParamSql result = db::TranslateNamedParams(c.sql);
    EXPECT_EQ(c.expected, result.sql);
    EXPECT_EQ(c.names, result.names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbNamedParamsTest,
    ::testing::Values(
        Case{"SELECT * FROM T WHERE A = :A AND B = :b_2", "SELECT * FROM T WHERE A = ? AND B = ?", {"A", "B_2"}},
        Case{"UPDATE T SET X = :V WHERE Y = :v", "UPDATE T SET X = ? WHERE Y = ?", {"V", "V"}},
        Case{"SELECT ':A', 'it''s :B' FROM T WHERE C=:C", "SELECT ':A', 'it''s :B' FROM T WHERE C=?", {"C"}},
        Case{"SELECT \"X:Y\" FROM T WHERE D = :D", "SELECT \"X:Y\" FROM T WHERE D = ?", {"D"}},
        Case{"SELECT 1 -- :NOT\nFROM T WHERE E = :E", "SELECT 1 -- :NOT\nFROM T WHERE E = ?", {"E"}},
        Case{"SELECT /* :NOT */ 1 FROM T WHERE F=:F$1", "SELECT /* :NOT */ 1 FROM T WHERE F=?", {"F$1"}},
        Case{"SELECT '表:示' FROM T WHERE G = :表", "SELECT '表:示' FROM T WHERE G = :表", {}},
        Case{"SELECT 12:30, :1 FROM T WHERE H = ?", "SELECT 12:30, :1 FROM T WHERE H = ?", {""}},
        Case{"SELECT 'unclosed :A", "SELECT 'unclosed :A", {}},
        Case{"INSERT INTO T VALUES (:A,:B)", "INSERT INTO T VALUES (?,?)", {"A", "B"}}));

}  // namespace
