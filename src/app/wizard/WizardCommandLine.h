#pragma once
// The command line of the wizard: no argument (started by a user), or one
// argument of four fields separated by ",": the calling application's window
// handle, the message number it wants back, its function number and the
// intermediate file name. The fields are items 1 to 4 of the argument split
// at ",", so a file name ends at a further comma ("/a,b/ug.xml" names
// "/a"). The first three are decimal integers.
//
// A command line that breaks these rules is refused before anything is done
// with it: more than one argument, or a field meant as a number that is not
// one (a negative handle or message number included). A handle of 0 names
// no window: the run is the caller's (no file-name step) but nothing is
// posted. When the handle and the message number were read, the caller can
// still be told the outcome, so they are kept even when a later field is
// bad.

#include "platform/WindowMessages.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TWizardArguments {
    NoCaller,  // no argument
    Caller,    // one argument, every field sound
    TooMany,   // more than one argument
    BadField,  // one argument with a field that is no number
};

struct TWizardCommandLine {
    TWizardArguments Kind = TWizardArguments::NoCaller;
    platform::WindowHandle CallerWindow = 0;  // 0: no caller
    std::uint32_t CallerMessage = 0;
    std::int32_t FunctionNo = 0;
    std::string FileName;
    // Whether the caller can be sent the result message: handle and message
    // number were read (also for BadField when only the later fields fail).
    bool CallerKnown = false;
};

TWizardCommandLine ReadWizardCommandLine(const std::vector<std::string>& arguments);

// "不正な引数が渡されました。\r\rアプリケーションを強制終了します。"
inline constexpr const char* BadArgumentsText = "不正な引数が渡されました。\r\rアプリケーションを強制終了します。";
