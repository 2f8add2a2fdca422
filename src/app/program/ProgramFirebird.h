#pragma once
// The Firebird root the program and its tools run in.

#include <filesystem>

// FIREBIRD when it is set (the installation names its root), else
// "<common application data>/ledrix/firebird". The root is laid out (the
// first start copies the engine's modules, later starts find them) and this
// process pointed at it; the first database call must come after. Throws
// std::runtime_error when the root cannot be laid out.
std::filesystem::path UseProgramFirebirdRoot();
