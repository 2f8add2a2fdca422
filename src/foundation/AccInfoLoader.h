#pragma once
// Reloading the open data's accounting information (AccInf) from the
// company database, which the screens ask for when they are first shown.
// The loader belongs to the data module's accounting-information reader;
// until it is installed there is nothing to reload from and the screens go
// on with AccInf as it stands.

#include <functional>

// Answers whether the information was loaded.
using TAccInfoLoader = std::function<bool()>;

// Installs the loader (an empty function removes it).
void SetAccInfoLoader(TAccInfoLoader loader);

// Runs the installed loader; false without one.
bool ReloadAccInfo();
