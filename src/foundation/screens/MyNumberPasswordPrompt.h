#pragma once
// The My Number management password prompt (MyNumberIO.h) on the input
// dialog: the screens install it at start-up.

// Installs the prompt as TMyNumberIO's password prompt.
void InstallMyNumberPasswordPrompt();
