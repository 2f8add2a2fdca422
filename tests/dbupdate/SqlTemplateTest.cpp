#include "dbupdate/sqlgen/SqlTemplate.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using sqlgen::ExpandSqlTemplate;
using sqlgen::SqlTemplateError;

// ---------------------------------------------------------------------------
// The forms of the template and the text each one writes

struct ExpandCase {
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const ExpandCase& c, std::ostream* os)
{
    *os << c.name;
}

class SqlTemplateExpandTest : public testing::TestWithParam<ExpandCase> {};

TEST_P(SqlTemplateExpandTest, WritesTheExpectedText)
{
    EXPECT_EQ(ExpandSqlTemplate(GetParam().input), GetParam().expected);
}

const ExpandCase ExpandCases[] = {
    {"BlockRepeatsItsLinesAndDropsTheDirectiveLines",
     "CREATE TABLE T (\n"
     "    /*@ FOR N IN 1..3 */\n"
     "    HAIBUN{NN} CURRENCY DEFAULT 100,\n"
     "    A{N} INTEGER,\n"
     "    /*@ END */\n"
     "    K INTEGER);\n",
     "CREATE TABLE T (\n"
     "    HAIBUN01 CURRENCY DEFAULT 100,\n"
     "    A1 INTEGER,\n"
     "    HAIBUN02 CURRENCY DEFAULT 100,\n"
     "    A2 INTEGER,\n"
     "    HAIBUN03 CURRENCY DEFAULT 100,\n"
     "    A3 INTEGER,\n"
     "    K INTEGER);\n"},
    {"InlineJoinsItsItemsWithinTheLine",
     "SELECT /*@ FOR N IN 1..3 JOIN \", \" */SUM(IIF(MNUM = {N}, KAR, 0))/*@ END */ FROM T;",
     "SELECT SUM(IIF(MNUM = 1, KAR, 0)), SUM(IIF(MNUM = 2, KAR, 0)), SUM(IIF(MNUM = 3, KAR, 0)) FROM T;"},
    {"InlineWithoutJoinRunsTheItemsTogether", "X/*@ FOR N IN 1..3 */{N}/*@ END */X", "X123X"},
    {"TwoListsOnOneLine",
     "(/*@ FOR N IN 1..2 JOIN \", \" */:A{NN}/*@ END */) AND (/*@ FOR N IN 1..2 JOIN \", \" */:B{NN}/*@ END */)",
     "(:A01, :A02) AND (:B01, :B02)"},
    {"PaddingFollowsTheLettersOfThePlaceholder", "/*@ FOR N IN 9..10 JOIN \" \" */{N}/{NN}/{NNN}/*@ END */",
     "9/09/009 10/10/010"},
    {"DescendingRange", "/*@ FOR N IN 3..0 JOIN \", \" */ZANM{NN}/*@ END */", "ZANM03, ZANM02, ZANM01, ZANM00"},
    {"NegativeValuesKeepTheirSignBeforeTheDigits", "/*@ FOR N IN -2..1 JOIN \" \" */{N}|{NN}/*@ END */",
     "-2|-02 -1|-01 0|00 1|01"},
    {"SeveralRangesAndSingleValues", "/*@ FOR N IN 1..3, 5..7, 9, 12..11 JOIN \" \" */{N}/*@ END */",
     "1 2 3 5 6 7 9 12 11"},
    {"WrapContinuesUnderTheFirstItem", "      INTO /*@ FOR N IN 1..5 JOIN \", \" WRAP 2 */:A{NN}/*@ END */;\n",
     "      INTO :A01, :A02,\n"
     "           :A03, :A04,\n"
     "           :A05;\n"},
    {"WrapOfABlankJoinLeavesNoTrailingBlank", "    /*@ FOR N IN 1..4 JOIN \" \" WRAP 2 */R{NN} = 0;/*@ END */",
     "    R01 = 0; R02 = 0;\n"
     "    R03 = 0; R04 = 0;"},
    {"LineBreakInTheJoin", "        /*@ FOR N IN 1..3 JOIN \"\\nELSE \" */IF (V = {N}) THEN Y{N} = 1;/*@ END */\n",
     "        IF (V = 1) THEN Y1 = 1;\n"
     "        ELSE IF (V = 2) THEN Y2 = 1;\n"
     "        ELSE IF (V = 3) THEN Y3 = 1;\n"},
    {"OnePerLineJoinEndsTheLineAfterTheComma", "SELECT /*@ FOR N IN 1..2 JOIN \",\\n\" */C{N}/*@ END */\n",
     "SELECT C1,\n"
     "       C2\n"},
    {"ColumnsCountCharactersNotBytes", "-- 仮受 /*@ FOR N IN 1..2 JOIN \",\\n\" */:K{N}/*@ END */",
     "-- 仮受 :K1,\n"
     "      :K2"},
    {"QuotesAndBackslashesInTheJoin", "/*@ FOR N IN 1..2 JOIN \"\\\"\\\\\" */{N}/*@ END */", "1\"\\2"},
    {"ListWithinABlockTakesBothVariables",
     "/*@ FOR Y IN 1..2 */\n"
     "Y{Y}: /*@ FOR M IN 1..3 JOIN \" \" */{Y}{MM}/*@ END */\n"
     "/*@ END */\n",
     "Y1: 101 102 103\n"
     "Y2: 201 202 203\n"},
    {"BlockWithinABlock",
     "/*@ FOR A IN 1..2 */\n"
     "  /*@ FOR B IN 2..1 */\n"
     "  {A}{B}\n"
     "  /*@ END */\n"
     "/*@ END */",
     "  12\n"
     "  11\n"
     "  22\n"
     "  21"},
    {"BracesThatNameNoPlaceholderStay", "/*@ FOR N IN 1..1 */\n{n} {NM} {} {N\n/*@ END */", "{n} {NM} {} {N"},
    {"FileWithoutDirectivesComesOutUnchanged",
     "/* A comment {N} with braces. */\r\n\tSELECT '{NN}' FROM RDB$DATABASE;\r\n-- 仮払消費税 */ /* @ FOR */\n\n",
     "/* A comment {N} with braces. */\r\n\tSELECT '{NN}' FROM RDB$DATABASE;\r\n-- 仮払消費税 */ /* @ FOR */\n\n"},
    {"EmptyText", "", ""},
    {"WordListRepeatsLinesOncePerWord",
     "/*@ FOR F IN A4, A3 */\nCREATE PROCEDURE SP_SISANHYO_{F}\nSELECT * FROM EXTER{F};\n/*@ END */",
     "CREATE PROCEDURE SP_SISANHYO_A4\nSELECT * FROM EXTERA4;\nCREATE PROCEDURE SP_SISANHYO_A3\nSELECT * FROM EXTERA3;"},
    {"WordListWithinALineAndWithinANumberList",
     "/*@ FOR N IN 1..2 */\nSET /*@ FOR T IN KAR, KAS_2 JOIN \", \" */{T}{NN}/*@ END */;\n/*@ END */",
     "SET KAR01, KAS_201;\nSET KAR02, KAS_202;"},
    {"TextAfterTheLastBlockWithoutLineEnd", "/*@ FOR N IN 1..2 */\nL{N}\n/*@ END */\nEND", "L1\nL2\nEND"},
};

INSTANTIATE_TEST_SUITE_P(Forms, SqlTemplateExpandTest, testing::ValuesIn(ExpandCases),
                         [](const testing::TestParamInfo<ExpandCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Malformed templates: the error names the template's line and the fault

struct ErrorCase {
    const char* name;
    std::string input;
    int line;
    const char* fault;  // a part of the message
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << c.name;
}

class SqlTemplateErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(SqlTemplateErrorTest, NamesTheLineAndTheFault)
{
    const ErrorCase& c = GetParam();
    try {
        const std::string text = ExpandSqlTemplate(c.input);
        FAIL() << "expanded without error to:\n" << text;
    } catch (const SqlTemplateError& error) {
        EXPECT_EQ(error.Line(), c.line);
        EXPECT_NE(error.Fault().find(c.fault), std::string::npos) << error.Fault();
        EXPECT_EQ(std::string(error.what()), "line " + std::to_string(c.line) + ": " + error.Fault());
    }
}

const ErrorCase ErrorCases[] = {
    {"UnknownDirective", "A\n/*@ REPEAT 3 */\nB\n", 2, "unknown directive \"REPEAT 3\""},
    {"EndWithoutFor", "A\nB\n  /*@ END */\n", 3, "END without FOR"},
    {"EndWithoutForWithinALine", "A /*@ END */ B\n", 1, "END without FOR"},
    {"BlockWithoutEndNamesItsFor", "A\n/*@ FOR N IN 1..2 */\nX{N}\n", 2, "FOR without END"},
    {"InlineForWithoutEndOnItsLine", "A\nSELECT /*@ FOR N IN 1..2 */C{N},\n/*@ END */\n", 2,
     "FOR without END on its line"},
    {"DirectiveNotClosedOnItsLine", "A\nB /*@ FOR N IN 1..2\n*/\n", 2, "closes on its own line"},
    {"VariableOfTwoLetters", "/*@ FOR NN IN 1..2 */\n/*@ END */\n", 1, "one capital letter"},
    {"VariableInLowerCase", "/*@ FOR n IN 1..2 */\n/*@ END */\n", 1, "one capital letter"},
    {"MissingIn", "/*@ FOR N 1..2 */\n/*@ END */\n", 1, "needs IN"},
    {"RangeWithoutItsEnd", "\n/*@ FOR N IN 1.. */\n/*@ END */\n", 2, "the end of the range expected"},
    {"ValueThatIsNoNumber", "/*@ FOR N IN one..two */\n/*@ END */\n", 1, "a number expected"},
    {"WordsAndNumbersMixed", "/*@ FOR T IN A4, 3 */\n/*@ END */\n", 1, "a list holds numbers or words, not both"},
    {"PaddedWord", "/*@ FOR T IN A4 */\n{TT}\n/*@ END */\n", 2, "{TT} pads a number, but T runs over words"},
    {"TooManyValues", "/*@ FOR N IN 1..100000 */\n/*@ END */\n", 1, "more than 1000 values"},
    {"UnknownOption", "x /*@ FOR N IN 1..2 SEP \",\" */{N}/*@ END */\n", 1, "unexpected \"SEP"},
    {"JoinWithoutQuotes", "x /*@ FOR N IN 1..2 JOIN , */{N}/*@ END */\n", 1, "double quotes"},
    {"JoinWithoutItsClosingQuote", "x /*@ FOR N IN 1..2 JOIN \", */{N}/*@ END */\n", 1, "closing quote"},
    {"UnknownEscapeInTheJoin", "x /*@ FOR N IN 1..2 JOIN \"\\t\" */{N}/*@ END */\n", 1, "unknown escape"},
    {"WrapOfNoItems", "x /*@ FOR N IN 1..2 JOIN \", \" WRAP 0 */{N}/*@ END */\n", 1, "at least one item"},
    {"JoinGivenToABlock", "A\n/*@ FOR N IN 1..2 JOIN \", \" */\nX\n/*@ END */\n", 2, "JOIN and WRAP belong"},
    {"ListWithinALineHoldsNoFurtherFor", "/*@ FOR N IN 1..2 */a/*@ FOR M IN 1..2 */b/*@ END */\n", 1, "no further FOR"},
    {"PlaceholderOfNoEnclosingFor", "/*@ FOR N IN 1..2 */\nA{N}\nB{M}\n/*@ END */\n", 3, "{M} names no variable"},
    {"PlaceholderInAListOfNoEnclosingFor", "A\nx /*@ FOR N IN 1..2 */{K}/*@ END */\n", 2, "{K} names no variable"},
    {"VariableOfAnEnclosingForReused", "/*@ FOR N IN 1..2 */\n/*@ FOR N IN 1..2 */\n/*@ END */\n/*@ END */\n", 2,
     "already the variable"},
};

INSTANTIATE_TEST_SUITE_P(Malformed, SqlTemplateErrorTest, testing::ValuesIn(ErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

}  // namespace
