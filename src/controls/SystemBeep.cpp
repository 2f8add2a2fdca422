#include "controls/SystemBeep.h"

#include <cstdio>
#include <utility>

namespace {
std::function<void()>& Hook()
{
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void SystemBeep()
{
    if (Hook()) {
        Hook()();
        return;
    }
    // Without a screen the terminal bell is the only beep there is.
    std::fputc('\a', stderr);
}

void SetSystemBeepHook(std::function<void()> hook)
{
    Hook() = std::move(hook);
}
