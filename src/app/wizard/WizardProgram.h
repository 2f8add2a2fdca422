#pragma once
// What the wizard form needs from the program that hosts it. The program's
// own start-up fills these before it creates the form; an empty one is
// skipped, so the form runs in tests without the program around it.
//
//   InstallHooks       puts the program's show hook, process launcher and
//                      data check into the framework's hooks (FormCreate,
//                      first thing). FormDestroy clears the hooks itself.
//   SetAppInfoValues   copies the application information into the
//                      framework's settings (FormCreate, after AppInfo.ini
//                      is loaded).
//   SetUpEnvironment   the start-up environment: folders, the application
//                      ini, the connection (InitApplication). It answers
//                      false, or throws, when the set-up did not complete;
//                      it may first replace the initialisation message with
//                      a more precise one.

#include <functional>
#include <string>

struct TWizardProgram {
    std::function<void()> InstallHooks;
    std::function<void()> SetAppInfoValues;
    std::function<bool(std::string& initialisationMessage)> SetUpEnvironment;
};

// The program's seams; empty until the program fills them.
extern TWizardProgram WizardProgram;
