#include "foundation/AccRecord.h"

TSystemDef SystemDef;
TACCINF AccInf;

std::uint8_t ConnectionMode = 0;
std::uint8_t ProgramKind = 0;
std::uint8_t EditionFlag = 0;
std::uint8_t TerminalSolutionKind = 0;
bool AppTerminating = false;

std::string DataVersionText;
TVersionNumbers DataVersionNumbers;
TVersionTextRec ReceiveMinVersion;
TVersionTextRec CommVersion;

TMenuCallbackHook MenuCallbackHook;
TProcessLauncherHook ProcessLauncherHook;
TDataCheckHook DataCheckHook;
TFormActivateHook FormActivateHook;
TDataOpenedHook DataOpenedHook;
TDataCaptionHook DataCaptionHook;
TDataPanelHook DataPanelHook;

void ClearHooks()
{
    MenuCallbackHook = nullptr;
    ProcessLauncherHook = nullptr;
    DataCheckHook = nullptr;
    FormActivateHook = nullptr;
    DataOpenedHook = nullptr;
    DataCaptionHook = nullptr;
    DataPanelHook = nullptr;
}

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
std::array<std::string, 5> InitialDataFileNames = {
    "acc11.gbk", "acc21.gbk", "acc22.gbk", "acc23.gbk", "acc31.gbk"};
std::string YearRangeText;
std::string BackupWorkFileName = "qhacc.fbk";
std::int32_t DataListMax = 120;

namespace {

constexpr std::int32_t BuiltInClientColor2 = 14807295;
constexpr std::int32_t BuiltInTotalColor = 9357311;
constexpr std::int32_t BuiltInActiveColor = 2386943;

// Accent colours of editions 1 and 2 (the "BrendalData" edition): RGB(238,
// 255, 242), RGB(200, 255, 214) and RGB(0, 128, 0).
constexpr std::int32_t EditionClientColor2 = 15925230;
constexpr std::int32_t EditionTotalColor = 14090184;
constexpr std::int32_t EditionActiveColor = 32768;

} // namespace

std::int32_t DefClientColor2 = BuiltInClientColor2;
std::int32_t DefTotalColor = BuiltInTotalColor;
std::int32_t DefActiveColor = BuiltInActiveColor;

void ApplyEditionColors()
{
    const bool edition = EditionFlag == 1 || EditionFlag == 2;
    DefClientColor2 = edition ? EditionClientColor2 : BuiltInClientColor2;
    DefTotalColor = edition ? EditionTotalColor : BuiltInTotalColor;
    DefActiveColor = edition ? EditionActiveColor : BuiltInActiveColor;
}

// These formats are in place before main without an initialiser of this
// file: FormatSettings is constructed by its own translation unit with exactly
// these values. A namespace-scope initialiser here calling
// InitAccRecordFormats would be unsafe, because FormatSettings is dynamically
// initialised (its long date format does not fit a short string) and the
// linker places this object's initialiser before the date library's: it would
// assign into strings not yet constructed. Start-up calls this function
// explicitly, which also undoes any change a test or a screen made.
void InitAccRecordFormats()
{
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ShortDateFormat = "yyyy/MM/dd";
    FormatSettings.LongDateFormat = "yyyy年MM月dd日";
    FormatSettings.ShortTimeFormat = "hh:mm";
    FormatSettings.LongTimeFormat = "hh:mm:ss";
}
