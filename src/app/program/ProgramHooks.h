#pragma once
// The wizard's answers to the framework's three host hooks (HostHooks.h):
// the show hook, the process launcher and the company data check.

#include "foundation/ProcessRegistry.h"

#include <cstdint>
#include <memory>
#include <string>

// Every question of the framework answers 0: no other screens are open, so
// a screen may always be started modally.
std::int32_t MainShowHook(std::int32_t command, const std::string& text);

// A new form of the class registered under the name (letters compared
// without case); nothing when none is registered.
std::unique_ptr<IProcessForm> FindProcessClass(const std::string& processName);

// Starts the screen registered under the name with the parameter lines
// ("name=value" lines at "\r", "\n" or "\r\n") and "FormStyle=2" for a modal
// start (mode 1), "FormStyle=0" otherwise; its result. -1 for an empty name,
// while another launch is running (the hourglass cursor is up), and for a
// name without a process screen, which also shows the interface message.
// Runs on the main thread with a GUI application.
std::int32_t ExecuteProcess(const std::string& processName, std::int32_t mode, const std::string& paramText);

// Validates the company database of the folder (over TCP on the host, or
// locally when the host is empty or "127.0.0.1"); 1 sound, 0 damaged. A
// damaged file sets SystemDef.DataDamaged, is reported unless silent is 1,
// and is marked damaged in its data-list row (DATALIST or CHILD_DATALIST)
// and in its information file; failures of the marking are ignored.
std::int32_t VerifyDataFile(const std::string& host, const std::string& folder, std::int32_t silent);

// Points MenuCallbackHook, ProcessLauncherHook and DataCheckHook at the
// three routines above, and empties them again.
void InstallProgramHooks();
void ClearProgramHooks();
