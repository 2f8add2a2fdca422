#include "dbupdate/sqlgen/SqlInclude.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using sqlgen::ExpandSqlFile;
using sqlgen::SqlIncludeError;

// A small tree of template files held in memory; "main.sql" is expanded.
using Files = std::map<std::string, std::string>;

std::string Expand(const Files& files)
{
    return ExpandSqlFile("units/v1/main.sql", [&](const fs::path& path) {
        const auto found = files.find(path.lexically_normal().generic_string());
        if (found == files.end())
            throw std::runtime_error(path.generic_string() + ": cannot be read");
        return found->second;
    });
}

struct IncludeCase {
    const char* name;
    Files files;
    std::string expected;
};

void PrintTo(const IncludeCase& c, std::ostream* os)
{
    *os << c.name;
}

class SqlIncludeExpandTest : public testing::TestWithParam<IncludeCase> {};

TEST_P(SqlIncludeExpandTest, WritesTheExpectedText)
{
    EXPECT_EQ(Expand(GetParam().files), GetParam().expected);
}

const IncludeCase IncludeCases[] = {
    {"AFileWithoutIncludesComesOutAsItsTemplateDoes",
     {{"units/v1/main.sql", "A {N}\n/*@ FOR N IN 1..2 */\nB{N}\n/*@ END */\nC"}},
     "A {N}\nB1\nB2\nC"},
    {"TheBindingsOfWithAndTheEnclosingListsReachTheIncludedLines",
     {{"units/v1/main.sql",
       "/*@ FOR P IN UP, DOWN */\nX_{P} (\n    /*@ INCLUDE \"../shared/cols.sqlinc\" WITH W = 56, K = SWKNO */\n"
       ")\n/*@ END */\n"},
      {"units/shared/cols.sqlinc", "    {K} VARCHAR({W}), /*@ FOR C IN A, B JOIN \", \" */{P}_{C}/*@ END */\n"}},
     "X_UP (\n    SWKNO VARCHAR(56), UP_A, UP_B\n)\nX_DOWN (\n    SWKNO VARCHAR(56), DOWN_A, DOWN_B\n)\n"},
    {"AnIncludedFileIncludesFurtherFilesRelativeToItsOwnFolder",
     {{"units/v1/main.sql", "/*@ INCLUDE \"../shared/outer.sqlinc\" WITH W = 7 */\nend\n"},
      {"units/shared/outer.sqlinc", "outer {W}\n/*@ INCLUDE \"inner.sqlinc\" */\n"},
      {"units/shared/inner.sqlinc", "inner {W}\n"}},
     "outer 7\ninner 7\nend\n"},
};

INSTANTIATE_TEST_SUITE_P(Forms, SqlIncludeExpandTest, testing::ValuesIn(IncludeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each fault names the file and line that hold it.
struct FaultCase {
    const char* name;
    Files files;
    const char* file;
    int line;
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class SqlIncludeFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(SqlIncludeFaultTest, NamesTheFileAndLine)
{
    try {
        Expand(GetParam().files);
        FAIL() << "no error";
    } catch (const SqlIncludeError& error) {
        EXPECT_EQ(error.File().lexically_normal().generic_string(), GetParam().file) << error.what();
        EXPECT_EQ(error.Line(), GetParam().line) << error.what();
    }
}

const FaultCase FaultCases[] = {
    {"PathWithoutQuotes", {{"units/v1/main.sql", "a\n/*@ INCLUDE part.sqlinc */\n"}}, "units/v1/main.sql", 2},
    {"WithWithoutValue",
     {{"units/v1/main.sql", "/*@ INCLUDE \"p.sqlinc\" WITH W */\n"}, {"units/v1/p.sqlinc", "x\n"}},
     "units/v1/main.sql",
     1},
    {"MissingFile", {{"units/v1/main.sql", "a\nb\n/*@ INCLUDE \"gone.sqlinc\" */\n"}}, "units/v1/main.sql", 3},
    {"FileThatIncludesItself",
     {{"units/v1/main.sql", "/*@ INCLUDE \"p.sqlinc\" */\n"},
      {"units/v1/p.sqlinc", "x\n/*@ INCLUDE \"p.sqlinc\" */\n"}},
     "units/v1/p.sqlinc",
     2},
    {"TemplateFaultInTheIncludedLines",
     {{"units/v1/main.sql", "a\n/*@ INCLUDE \"p.sqlinc\" */\n"}, {"units/v1/p.sqlinc", "x\ny\n/*@ FOR N IN 1..2 */\n"}},
     "units/v1/p.sqlinc",
     3},
    {"BadBindingReportedAtTheInclude",
     {{"units/v1/main.sql", "/*@ INCLUDE \"p.sqlinc\" WITH w = 1 */\n"}, {"units/v1/p.sqlinc", "x\n"}},
     "units/v1/main.sql",
     1},
};

INSTANTIATE_TEST_SUITE_P(Faults, SqlIncludeFaultTest, testing::ValuesIn(FaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
