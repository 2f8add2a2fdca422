#include "foundation/InstallationNames.h"

std::string AppIniBaseName = "qhzaimu";
std::string AppHomeDir = "norvel/ledrixzaimu";
std::string ViewerFolderName = "qhzview";
std::string ProductFolderName = "ledrixzaimu";
std::string DataFolderSuffix = "/ledrixzaimu/data";
std::string TempFolderSuffix = "/ledrixzaimu/temp";
std::string SysDbFileName = "qhaccdef.fdb";
std::string DataDbFileName = "qhacc.fdb";
std::string DataBackupFileName = "qhacc.fbk";
std::string DataIniFileName = "qhacc.ini";
std::string CashBookFolderName = "cb_data";
std::string CashBookBackupFileName = "qhcashbook.fbk";
std::string AnalysisHomeDir = "norvel/ledrixzaimu";
std::array<std::string, 5> InitialDataFileNames = {"acc11.gbk", "acc21.gbk", "acc22.gbk", "acc23.gbk", "acc31.gbk"};
std::string YearRangeText;
std::string BackupWorkFileName = "qhacc.fbk";
std::int32_t DataListMax = 120;
