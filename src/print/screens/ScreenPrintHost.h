#pragma once
// Connects the print engine to the screens: its messages in the message
// boxes, the platform's print dialog, the printing dialog and the preview
// window, and the system's printer as the place jobs go.

// Starts the engine on the system's printer when it is not ready yet, and
// installs the host and the printer's job sink where none is installed yet.
// Idempotent.
void InstallScreenPrintHost();
