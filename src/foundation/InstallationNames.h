#pragma once
// File and folder names of the installation, with their built-in values;
// start-up overwrites them from the application information file. The texts
// are constructed before main like any global, so no other global's
// initialiser may read them.

#include <array>
#include <cstdint>
#include <string>

extern std::string AppIniBaseName;                       // "qhzaimu"
extern std::string AppHomeDir;                           // "norvel/ledrixzaimu"
extern std::string ViewerFolderName;                     // "qhzview"
extern std::string ProductFolderName;                    // "ledrixzaimu"
extern std::string DataFolderSuffix;                     // "/ledrixzaimu/data"
extern std::string TempFolderSuffix;                     // "/ledrixzaimu/temp"
extern std::string SysDbFileName;                        // "qhaccdef.fdb"
extern std::string DataDbFileName;                       // "qhacc.fdb"
extern std::string DataBackupFileName;                   // "qhacc.fbk"
extern std::string DataIniFileName;                      // "qhacc.ini"
extern std::string CashBookFolderName;                   // "cb_data"
extern std::string CashBookBackupFileName;               // "qhcashbook.fbk"
extern std::string AnalysisHomeDir;                      // "norvel/ledrixzaimu"
extern std::array<std::string, 5> InitialDataFileNames;  // "acc%d.gbk" with 11, 21, 22, 23, 31
extern std::string YearRangeText;                        // empty until start-up sets it
extern std::string BackupWorkFileName;                   // "qhacc.fbk"; never overwritten at start-up
extern std::int32_t DataListMax;                         // 120
