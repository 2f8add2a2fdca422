#pragma once
// Connects the print engine to the screens: its messages in the message
// boxes, the platform's print dialog, the printing dialog and the preview
// window, and the system's printer as the place jobs go.

// The engine's start in a program with screens, once at the program's start
// before its main form: the application's hint window (TBigHintWindow), the
// engine on the system's printer unless a start made it ready already, the
// screens' host and the printer's job sink where none is installed yet. A
// failed engine start leaves it not ready, and every preview and print then
// does nothing. Needs the application object; a later call adds only what
// is missing (a start it makes runs on the system's printer).
void StartScreenPrintEngine();
