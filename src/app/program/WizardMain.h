#pragma once
// The program's start, from the single-instance check to the end of the
// message loop.

#include <functional>

// Refuses to run beside the accounting package, its tools or another copy
// (with the message of the name held); prepares the Firebird root, installs
// what the framework needs of the program (message box, accounting
// information reader, font test, hooks, data-selection screen), creates the
// wizard form with the command line, initialises it and runs the message
// loop until the form closes. The answer is the process's exit code: 0 after
// the loop, 2 when the start stopped. firstPainted, when given, runs once
// the wizard's first page has been drawn (for measuring the start).
int RunWizardProgram(int argc, char** argv, std::function<void()> firstPainted = {});
