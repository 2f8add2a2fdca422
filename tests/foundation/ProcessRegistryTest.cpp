#include "foundation/ProcessRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The registry lives for the whole program and has no way to forget an
// entry, so every test uses form classes and names of its own.

// A process screen that answers its kind of work and window style, so the
// test sees that the parameters reached it before it ran.
class TRecordingForm : public IProcessForm {
public:
    std::int32_t Execute(bool modal) override
    {
        executed = true;
        if (!paramsSet)
            return -1;
        return ProcessSyoriType(params_, 0) * 10 + (modal ? 1 : 0);
    }
    void SetParams(const TProcessParams& params) override
    {
        params_ = params;
        paramsSet = true;
    }

    bool paramsSet = false;
    bool executed = false;

private:
    TProcessParams params_;
};

// Distinct classes: a class's identity is its factory.
template <int N>
class TForm : public TRecordingForm {};

// Registered before main, from this file's static initialisation, which may
// run before the registry's own file is initialised.
const bool registeredEarly = (RegisterProcessClass(&CreateProcessForm<TForm<0>>, "EarlyScreen"), true);

TEST(ProcessRegistry, RegistrationFromAStaticInitialiserIsKept)
{
    ASSERT_TRUE(registeredEarly);
    EXPECT_EQ(GetProcessClass("EarlyScreen"), &CreateProcessForm<TForm<0>>);
}

TEST(ProcessRegistry, OneClassUnderTwoNamesKeepsOnlyTheFirstName)
{
    RegisterProcessClass(&CreateProcessForm<TForm<1>>, "FirstName");
    RegisterProcessClass(&CreateProcessForm<TForm<1>>, "SecondName");
    EXPECT_EQ(GetProcessClass("FirstName"), &CreateProcessForm<TForm<1>>);
    EXPECT_EQ(IndexOfProcessName("SecondName"), -1);
    EXPECT_EQ(GetProcessClass("SecondName"), nullptr);
}

TEST(ProcessRegistry, OneNameForTwoClassesFindsTheFirst)
{
    RegisterProcessClass(&CreateProcessForm<TForm<2>>, "SharedName");
    RegisterProcessClass(&CreateProcessForm<TForm<3>>, "SharedName");
    EXPECT_EQ(GetProcessClass("SharedName"), &CreateProcessForm<TForm<2>>);
    // The second class did get its entry: its own registration is not refused.
    RegisterProcessClass(&CreateProcessForm<TForm<3>>, "OtherName");
    EXPECT_EQ(GetProcessClass("OtherName"), nullptr);
}

TEST(ProcessRegistry, LookupIgnoresTheCaseOfAsciiLettersOnly)
{
    RegisterProcessClass(&CreateProcessForm<TForm<4>>, "QvCaseScreen");
    const int index = IndexOfProcessName("QvCaseScreen");
    ASSERT_GE(index, 0);
    EXPECT_EQ(IndexOfProcessName("qvcasescreen"), index);
    EXPECT_EQ(IndexOfProcessName("QVCASESCREEN"), index);
    EXPECT_EQ(GetProcessClass("qVcAsEsCrEeN"), &CreateProcessForm<TForm<4>>);
    EXPECT_EQ(GetProcessClass("QvCaseScreen "), nullptr);
    EXPECT_EQ(GetProcessClass("ＱｖCaseScreen"), nullptr);
    EXPECT_EQ(GetProcessClass(""), nullptr);
}

TEST(ProcessRegistry, ANullClassIsNotRegistered)
{
    RegisterProcessClass(nullptr, "NullScreen");
    EXPECT_EQ(IndexOfProcessName("NullScreen"), -1);
}

TEST(ProcessRegistry, ALaunchedFormGetsItsParametersBeforeItRuns)
{
    RegisterProcessClass(&CreateProcessForm<TForm<5>>, "LaunchedScreen");
    const TProcessFormClass formClass = GetProcessClass("launchedscreen");
    ASSERT_NE(formClass, nullptr);

    std::unique_ptr<IProcessForm> form = formClass();
    ASSERT_NE(form, nullptr);
    auto* recording = dynamic_cast<TForm<5>*>(form.get());
    ASSERT_NE(recording, nullptr);

    form->SetParams({"SyoriType=3", "JyokenSet=1", ProcessFormStyleLine(true)});
    EXPECT_TRUE(recording->paramsSet);
    EXPECT_EQ(form->Execute(true), 31);
    EXPECT_TRUE(recording->executed);

    // Each call of the class makes a new form.
    std::unique_ptr<IProcessForm> second = formClass();
    EXPECT_NE(second.get(), form.get());
    EXPECT_EQ(second->Execute(false), -1);  // never given its parameters
}

// ---------------------------------------------------------------------------
// Parameter conventions

TEST(ProcessParams, ValueOfTheFirstLineWithTheName)
{
    const TProcessParams params = {"DataType=-13", "datatype=9", "Path=a=b", "NoValue", "Empty="};
    EXPECT_EQ(ProcessParamValue(params, "DataType"), "-13");
    EXPECT_EQ(ProcessParamValue(params, "DATATYPE"), "-13");
    EXPECT_EQ(ProcessParamValue(params, "Path"), "a=b");
    EXPECT_EQ(ProcessParamValue(params, "NoValue"), "");
    EXPECT_EQ(ProcessParamValue(params, "Empty"), "");
    EXPECT_EQ(ProcessParamValue(params, "Missing"), "");
    EXPECT_EQ(ProcessParamValue({}, "DataType"), "");
}

TEST(ProcessParams, SyoriTypeTakesOnlyNumbersOfZeroOrMore)
{
    struct Case {
        TProcessParams params;
        std::int32_t result;
    };
    const Case cases[] = {
        {{"SyoriType=3"}, 3},
        {{"SyoriType=0"}, 0},
        {{"syoritype=2"}, 2},
        {{"SyoriType=-1"}, 7},
        {{"SyoriType=abc"}, 7},
        {{"SyoriType="}, 7},
        {{}, 7},
        {{"SyoriType=99999999999"}, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProcessSyoriType(c.params, 7), c.result) << (c.params.empty() ? "(none)" : c.params[0]);
}

TEST(ProcessParams, FormStyleChoosesTheWindowKind)
{
    struct Case {
        TProcessParams params;
        TProcessFormStyle style;
    };
    const Case cases[] = {
        {{}, TProcessFormStyle::MdiChild},
        {{"FormStyle=0"}, TProcessFormStyle::MdiChild},
        {{"FormStyle=abc"}, TProcessFormStyle::MdiChild},
        {{"FormStyle=1"}, TProcessFormStyle::MdiParent},
        {{"formstyle=2"}, TProcessFormStyle::Normal},
        {{"FormStyle=3"}, TProcessFormStyle::StayOnTop},
        {{"FormStyle=-1"}, TProcessFormStyle::StayOnTop},
        {{ProcessFormStyleLine(true)}, TProcessFormStyle::Normal},
        {{ProcessFormStyleLine(false)}, TProcessFormStyle::MdiChild},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProcessFormStyle(c.params), c.style) << (c.params.empty() ? "(none)" : c.params[0]);
    EXPECT_EQ(ProcessFormStyleLine(true), "FormStyle=2");
    EXPECT_EQ(ProcessFormStyleLine(false), "FormStyle=0");
}

}  // namespace
