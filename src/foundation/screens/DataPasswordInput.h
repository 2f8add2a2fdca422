#pragma once
// The data password prompt of the data module (DataPasswordPrompt.h) on the
// input dialog: the screens install it at start-up.

// Installs the prompt as the data module's data password prompt.
void InstallDataPasswordPrompt();
