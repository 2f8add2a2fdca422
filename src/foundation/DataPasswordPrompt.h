#pragma once
// The prompt for the data password of the open data, installed by the
// screens at start-up: called for attempt 1, 2, 3; the entry, or nothing
// when the user did not press OK.

#include <functional>
#include <optional>
#include <string>

using TDataPasswordPrompt = std::function<std::optional<std::string>(int attempt)>;

// Installs the prompt; an empty function removes it.
void SetDataPasswordPrompt(TDataPasswordPrompt prompt);
const TDataPasswordPrompt& DataPasswordPrompt();
