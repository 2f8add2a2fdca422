#pragma once
// The single-instance rule of the wizard: it does not run beside the
// accounting package's main program ("ZORVATH000"), beside its tools
// ("ZORVATH_TOOLS"), nor beside a second copy of itself ("VARIMON_RENDO").

#include "platform/NamedMutex.h"

#include <optional>

// Checks the three names in that order; the first one held shows its message
// (information, OK) and the answer is empty. Otherwise "VARIMON_RENDO" is
// taken and handed back, held until the object dies. A name taken by a copy
// starting at the same moment counts as held.
std::optional<platform::NamedMutex> AcquireProgramMutex();
