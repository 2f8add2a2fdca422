#include "app/wizard/WizardCommandLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* label;
    std::vector<std::string> arguments;
    TWizardArguments kind;
    bool callerKnown;
    platform::WindowHandle window;
    std::uint32_t message;
    std::int32_t functionNo;
    std::string fileName;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.label;
}

class WizardCommandLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(WizardCommandLineTest, ReadsTheFourFieldsOrRefuses)
{
    const LineCase& c = GetParam();
    const TWizardCommandLine line = ReadWizardCommandLine(c.arguments);
    EXPECT_EQ(line.Kind, c.kind);
    EXPECT_EQ(line.CallerKnown, c.callerKnown);
    EXPECT_EQ(line.CallerWindow, c.window);
    EXPECT_EQ(line.CallerMessage, c.message);
    EXPECT_EQ(line.FunctionNo, c.functionNo);
    EXPECT_EQ(line.FileName, c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WizardCommandLineTest,
    testing::Values(
        LineCase{"NoArgument", {}, TWizardArguments::NoCaller, false, 0, 0, 0, ""},
        LineCase{"Caller", {"1234,1025,3,/data/ug.xml"}, TWizardArguments::Caller, true, 1234, 1025, 3, "/data/ug.xml"},
        LineCase{
            "CommaEndsTheFileName", {"1234,1025,3,/a,b/ug.xml"}, TWizardArguments::Caller, true, 1234, 1025, 3, "/a"},
        LineCase{"HandleZeroIsNoWindow", {"0,1025,3,ug.xml"}, TWizardArguments::Caller, false, 0, 1025, 3, "ug.xml"},
        LineCase{"TwoArguments", {"1234,1025,3,a.xml", "x"}, TWizardArguments::TooMany, false, 0, 0, 0, ""},
        LineCase{"HandleNotANumber", {"abc,1025,3,a.xml"}, TWizardArguments::BadField, false, 0, 0, 0, ""},
        LineCase{"NegativeHandle", {"-5,1025,3,a.xml"}, TWizardArguments::BadField, false, 0, 0, 0, ""},
        LineCase{"HandleBeyond32Bits", {"4294967296,1025,3,a.xml"}, TWizardArguments::BadField, false, 0, 0, 0, ""},
        LineCase{"MessageNotANumber", {"1234,WM,3,a.xml"}, TWizardArguments::BadField, false, 0, 0, 0, ""},
        // The caller is known: it can still be told that the run failed.
        LineCase{"FunctionNotANumber", {"1234,1025,3x,a.xml"}, TWizardArguments::BadField, true, 1234, 1025, 0, ""},
        LineCase{"FieldsMissing", {"1234"}, TWizardArguments::BadField, false, 0, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
