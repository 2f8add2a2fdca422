#pragma once
// The data-selection screen as a process screen: the program registers it
// under "QvDataSenkaku" once, before it starts anything by that name.

inline constexpr const char* DataSenkakuProcessName = "QvDataSenkaku";

// Registers TDataSentakuBox under "QvDataSenkaku" and starts the print
// engine for its list (StartScreenPrintEngine); needs the application
// object. Later calls add nothing.
void RegisterDataSenkakuProcess();
