#pragma once
// Process-wide date and time formats: separators "/" and ":", "yyyy/MM/dd",
// "yyyy年MM月dd日", "hh:mm", "hh:mm:ss". FormatSettings already holds them
// when main starts; start-up calls this once more to fix them, and it puts
// them back after anything changed them.
void InitAccRecordFormats();
