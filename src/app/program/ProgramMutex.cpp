#include "app/program/ProgramMutex.h"

#include "foundation/UserMessage.h"

#include <array>

namespace {

struct Refusal {
    const char* name;
    const char* message;
};

constexpr std::array<Refusal, 3> Refusals{{
    {"ZORVATH000", "Ledrix財務が起動しています。同時に起動することは出来ません。"},
    {"ZORVATH_TOOLS", "Ledrix財務ツールが起動しています。同時に起動することは出来ません。"},
    {"VARIMON_RENDO", "アプリケーションは既に起動しています。"},
}};

void Refuse(const Refusal& refusal)
{
    ShowUserMessage(refusal.message, TMsgDlgType::mtInformation);
}

}  // namespace

std::optional<platform::NamedMutex> AcquireProgramMutex()
{
    for (const Refusal& refusal : Refusals) {
        if (platform::NamedMutex::Exists(refusal.name)) {
            Refuse(refusal);
            return std::nullopt;
        }
    }
    platform::NamedMutex own(Refusals.back().name);
    // Another copy may have taken the name between the check and here.
    if (!own.Held()) {
        Refuse(Refusals.back());
        return std::nullopt;
    }
    return own;
}
