#pragma once
// The data-selection screen as a process screen: the program registers it
// under "QvDataSenkaku" once, before it starts anything by that name.

inline constexpr const char* DataSenkakuProcessName = "QvDataSenkaku";

// Registers TDataSentakuBox under "QvDataSenkaku"; later calls add nothing.
void RegisterDataSenkakuProcess();
