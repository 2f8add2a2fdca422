#pragma once
// The system beep, behind a hook: the screens leave the default (the
// platform's beep), tests install a counter.

#include <functional>

void SystemBeep();
// Installs the beep; an empty function restores the default.
void SetSystemBeepHook(std::function<void()> hook);
