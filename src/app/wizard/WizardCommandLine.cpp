#include "app/wizard/WizardCommandLine.h"

#include "foundation/StringUtils.h"
#include "platform/NumberText.h"

TWizardCommandLine ReadWizardCommandLine(const std::vector<std::string>& arguments)
{
    TWizardCommandLine line;
    if (arguments.empty())
        return line;
    if (arguments.size() > 1) {
        line.Kind = TWizardArguments::TooMany;
        return line;
    }
    const std::string& argument = arguments.front();
    int window = 0;
    int message = 0;
    int functionNo = 0;
    // The handle is read as the 32-bit integer the caller wrote; one that
    // cannot be a window is as bad as text.
    if (!TryStrToInt(GetSplitItem(argument, ",", 1), window) || window < 0 ||
        !TryStrToInt(GetSplitItem(argument, ",", 2), message) || message < 0) {
        line.Kind = TWizardArguments::BadField;
        return line;
    }
    line.CallerWindow = static_cast<platform::WindowHandle>(window);
    line.CallerMessage = static_cast<std::uint32_t>(message);
    line.CallerKnown = window != 0;
    if (!TryStrToInt(GetSplitItem(argument, ",", 3), functionNo)) {
        line.Kind = TWizardArguments::BadField;
        return line;
    }
    line.FunctionNo = functionNo;
    line.FileName = GetSplitItem(argument, ",", 4);
    line.Kind = TWizardArguments::Caller;
    return line;
}
