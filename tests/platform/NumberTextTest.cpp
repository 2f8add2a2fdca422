#include "platform/NumberText.h"

#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

namespace {

constexpr Currency MaxCurrency = std::numeric_limits<Currency>::max();
constexpr Currency MinCurrency = std::numeric_limits<Currency>::min();

TEST(NumberText, CurrToStrIsTheShortestExactForm)
{
    const std::pair<Currency, const char*> cases[] = {
        {0, "0"},
        {10000, "1"},
        {12345000, "1234.5"},
        {-125000, "-12.5"},
        {1, "0.0001"},
        {-1, "-0.0001"},
        {10, "0.001"},
        {100000000, "10000"},
        {123456789, "12345.6789"},
        {MaxCurrency, "922337203685477.5807"},
        {MinCurrency, "-922337203685477.5808"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(CurrToStr(value), text);
        EXPECT_EQ(StrToCurr(text), value) << text;
    }
}

TEST(NumberText, StrToCurrAcceptsItsGrammar)
{
    const std::pair<const char*, Currency> cases[] = {
        {"1234", 12340000}, {" -12.5\t", -125000}, {"+3", 30000}, {"5.", 50000}, {".5", 5000},
        {"-.0001", -1},     {"0001.10", 11000},    {"-0", 0},     {"0.0000", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToCurr(text), value) << text;
}

TEST(NumberText, StrToCurrRejectsEverythingElse)
{
    for (const char* bad : {"",
                            " ",
                            "-",
                            "+",
                            ".",
                            "-.",
                            "1,234",
                            "1.23456",
                            "1e3",
                            "abc",
                            "12a",
                            "1..2",
                            "1.2.3",
                            "--1",
                            "+-1",
                            "1 2",
                            "- 1",
                            "¥100",
                            "１２",
                            "922337203685477.5808",
                            "-922337203685477.5809",
                            "99999999999999999999",
                            "0x10"}) {
        Currency result = 77;
        EXPECT_FALSE(TryStrToCurr(bad, result)) << bad;
        EXPECT_EQ(result, 77);
        EXPECT_THROW(StrToCurr(bad), EConvertError) << bad;
    }
}

TEST(NumberText, FloatToStrUsesFifteenSignificantDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},
        {100, "100"},
        {1.5, "1.5"},
        {-12.25, "-12.25"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {0.0001, "0.0001"},
        {0.000123, "0.000123"},
        {999999999999999.0, "999999999999999"},
        // exponent form from 1E15 up and below 0.0001
        {1e15, "1E15"},
        {999999999999999.9, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-1.5e20, "-1.5E20"},
        {0.00001, "1E-5"},
        {1.5e-5, "1.5E-5"},
        {0.000099999, "9.9999E-5"},
        {1e-300, "1E-300"},
        {5e-324, "4.94065645841247E-324"},
        {0.0, "0"},
        {-0.0, "0"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FloatToStr(value), text) << text;
}

TEST(NumberText, StrToFloatReadsWhatFloatToStrWrites)
{
    for (const double v : {0.1, -12.25, 1.0 / 3, 1e20, 1.5e-5, 123456789.123457, -1.23456789012346e15}) {
        const std::string text = FloatToStr(v);
        EXPECT_NEAR(StrToFloat(text), v, std::fabs(v) * 1e-14) << text;
        EXPECT_EQ(FloatToStr(StrToFloat(text)), text);
    }
    const std::pair<const char*, double> cases[] = {
        {" -2.5e3 ", -2500}, {"+.5", 0.5}, {"5.", 5}, {"1E-5", 1e-5}, {"1e+2", 100}, {"007", 7}, {"1e-400", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToFloat(text), value) << text;
    for (const char* bad : {"", ".", "-", "e5", "1e", "1e+", "1e400", "-1e400", "0x10", "inf", "nan", "1,5", "1.5.",
                            "1 5", "１", "1.5f"}) {
        double result = 7;
        EXPECT_FALSE(TryStrToFloat(bad, result)) << bad;
        EXPECT_EQ(result, 7);
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    }
}

struct FloatFormatCase {
    const char* format;
    double value;
    const char* expected;
};

void PrintTo(const FloatFormatCase& c, std::ostream* os)
{
    *os << '"' << c.format << "\" of " << c.value;
}

class FormatFloatCases : public ::testing::TestWithParam<FloatFormatCase> {};

TEST_P(FormatFloatCases, Formats)
{
    EXPECT_EQ(FormatFloat(GetParam().format, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, FormatFloatCases,
    ::testing::Values(FloatFormatCase{"#,##0", 1234567.5, "1,234,568"}, FloatFormatCase{"#,##0", -1234, "-1,234"},
                      FloatFormatCase{"#,##0", 999.5, "1,000"}, FloatFormatCase{"#,##0", 2.5, "3"},
                      FloatFormatCase{"#,##0", -2.5, "-3"}, FloatFormatCase{"#,##0", 0, "0"},
                      FloatFormatCase{"#,##0", 12, "12"}, FloatFormatCase{"#,##0", 1e20, "100,000,000,000,000,000,000"},
                      FloatFormatCase{"0.00", 3.14159, "3.14"}, FloatFormatCase{"0.00", 2.675, "2.68"},
                      FloatFormatCase{"0.00", 1.005, "1.01"}, FloatFormatCase{"0.00", -2.5, "-2.50"},
                      FloatFormatCase{"#,##0.00", 1234567.891, "1,234,567.89"}, FloatFormatCase{"0.0#", 1.5, "1.5"},
                      FloatFormatCase{"0.0#", 1.256, "1.26"}, FloatFormatCase{"0.0#", 1, "1.0"},
                      FloatFormatCase{"0.###", 1234.56789, "1234.568"}, FloatFormatCase{"#.##", 0.5, ".5"},
                      FloatFormatCase{"#.##", 1, "1"}, FloatFormatCase{"#", 0, ""},
                      FloatFormatCase{".00", 12.5, "12.50"}, FloatFormatCase{"000", 5, "005"},
                      FloatFormatCase{"0,000", 5, "0,005"}, FloatFormatCase{"000-0000", 1234567, "123-4567"},
                      FloatFormatCase{"0.0.0", 1.25, "1.25"}, FloatFormatCase{"#,##0円", 1000, "1,000円"},
                      FloatFormatCase{"\"¥\"#,##0", -1000, "-¥1,000"}, FloatFormatCase{"'#'0", 5, "#5"},
                      FloatFormatCase{"0", 1e-20, "0"},
                      // sections: negative written as given, zero by its own text
                      FloatFormatCase{"#,##0;△#,##0", -1234, "△1,234"}, FloatFormatCase{"#,##0;△#,##0", 1234, "1,234"},
                      FloatFormatCase{"#,##0;△#,##0", 0, "0"}, FloatFormatCase{"#,##0;(#,##0);-", 0, "-"},
                      FloatFormatCase{"#,##0;(#,##0);-", -5, "(5)"}, FloatFormatCase{"#,##0;;zero", -5, "-5"},
                      FloatFormatCase{"#,##0;;zero", 0, "zero"}, FloatFormatCase{"0.0;(0.0)", -0.25, "(0.3)"},
                      // what rounds to zero is zero, never "-0"
                      FloatFormatCase{"#,##0", -0.4, "0"}, FloatFormatCase{"0;(0);zero", -0.4, "zero"},
                      FloatFormatCase{"0;△0", -0.4, "0"}, FloatFormatCase{"0.00", -0.001, "0.00"},
                      // empty format or positive section: the general form
                      FloatFormatCase{"", 1.5, "1.5"}, FloatFormatCase{";(0)", -1e20, "-1E20"},
                      FloatFormatCase{"#,##0", std::numeric_limits<double>::quiet_NaN(), "NAN"},
                      FloatFormatCase{"#,##0", -std::numeric_limits<double>::infinity(), "-INF"}));

TEST(NumberText, FormatCurrWorksOnTheExactAmount)
{
    EXPECT_EQ(FormatCurr("#,##0", 12345675000), "1,234,568");
    EXPECT_EQ(FormatCurr("#,##0;△#,##0", -12340000), "△1,234");
    EXPECT_EQ(FormatCurr("0.00", 12345), "1.23");
    EXPECT_EQ(FormatCurr("0.00", 12350), "1.24");  // exactly half: away from zero
    EXPECT_EQ(FormatCurr("0.00", -12350), "-1.24");
    EXPECT_EQ(FormatCurr("0.000000", 12345), "1.234500");
    EXPECT_EQ(FormatCurr("#,##0.0000", MaxCurrency), "922,337,203,685,477.5807");
    EXPECT_EQ(FormatCurr("#,##0", MaxCurrency), "922,337,203,685,478");
    EXPECT_EQ(FormatCurr("#,##0", MinCurrency), "-922,337,203,685,478");
    EXPECT_EQ(FormatCurr("#,##0.####;△#,##0.####", MinCurrency), "△922,337,203,685,477.5808");
    EXPECT_EQ(FormatCurr("#,##0;(#,##0);-", -4999), "-");
    EXPECT_EQ(FormatCurr("", -125000), "-12.5");
    EXPECT_EQ(FormatCurr("", MinCurrency), "-922337203685477.5808");
}

TEST(NumberText, StrToIntDefFallsBackOnAnythingElse)
{
    const std::pair<const char*, int> good[] = {
        {"123", 123},
        {" -45\t", -45},
        {"+7", 7},
        {"0", 0},
        {"-0", 0},
        {"00012", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good) {
        EXPECT_EQ(StrToIntDef(text, -99), value) << text;
        int result = 0;
        EXPECT_TRUE(TryStrToInt(text, result));
        EXPECT_EQ(result, value);
    }
    for (const char* bad : {"", " ", "-", "+", "2147483648", "-2147483649", "99999999999999999999999", "12a", "$1F",
                            "0x1F", "1.0", "1e3", "1 2", "--1", "１２", "1,000"}) {
        EXPECT_EQ(StrToIntDef(bad, -99), -99) << bad;
        int result = 5;
        EXPECT_FALSE(TryStrToInt(bad, result)) << bad;
        EXPECT_EQ(result, 5);
    }
}

// A comma decimal point in the C and C++ locales must not leak into any text.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(NumberText, IgnoresTheMachineLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    EXPECT_EQ(FloatToStr(1234.5), "1234.5");
    EXPECT_EQ(FloatToStr(1.5e-5), "1.5E-5");
    EXPECT_EQ(StrToFloat("1234.5"), 1234.5);
    double ignored = 0;
    EXPECT_FALSE(TryStrToFloat("1234,5", ignored));
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    EXPECT_EQ(FormatCurr("#,##0.00", 12345000), "1,234.50");
    EXPECT_EQ(CurrToStr(12345000), "1234.5");
    EXPECT_EQ(StrToCurr("1234.5"), 12345000);
    EXPECT_EQ(StrToIntDef("1.234", -1), -1);
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
}

}  // namespace
