// The data password check of the data module.

#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/DataPasswordPrompt.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"

#include <utility>

namespace {

TDataPasswordPrompt g_prompt;

}  // namespace

void SetDataPasswordPrompt(TDataPasswordPrompt prompt)
{
    g_prompt = std::move(prompt);
}

const TDataPasswordPrompt& DataPasswordPrompt()
{
    return g_prompt;
}

bool TDM::InputDataPassword()
{
    if (ProgramKind == 1 || ProgramKind == 3 || AccInf.DataPassword.empty())
        return true;
    // A program without screens cannot ask, and an unasked password must
    // never count as known.
    if (!g_prompt)
        return false;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const std::optional<std::string> entry = g_prompt(attempt);
        if (!entry)
            return false;
        if (TrimZen(*entry) == AccInf.DataPassword)
            return true;
    }
    return false;
}
