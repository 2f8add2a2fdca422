#pragma once
// The records passed between every part of the program, and the program-wide
// state: the running program (TSystemDef), the open company data (TACCINF),
// the switches, the hooks through which a hosting program is reached, the
// version records and the typed constants (file and folder names, colour
// defaults, label tables).
//
// There is exactly one instance of each global; they are read and written on
// the main thread without any guard. Everything starts zero or empty, the
// typed constants at their built-in values; start-up overwrites the file and
// folder names from the application information file.
//
// Folder names are kept with "/" between their parts ("norvel/ledrixzaimu",
// "/ledrixzaimu/data"): paths here are the platform's, and every caller joins
// them with "/".

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/DateTime.h"

class TProgressWindow;

// ---------------------------------------------------------------------------
// Small shared records

// A version as three numbers (the VERSION and ACCVERSION tables' columns).
struct TVersionNumbers {
    std::int32_t MAJOR = 0;
    std::int32_t MINOR1 = 0;
    std::int32_t MINOR2 = 0;
};

// A parsed version text "major.minor1.minor2[.build]"; the version routines
// fill and compare it (the build number never takes part in a comparison).
struct TVersionRec {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    std::int32_t Build = 0;
    std::string Text;
};

// A version kept as its text and its numbers, as data communication reads it.
struct TVersionTextRec {
    std::string Text;
    TVersionNumbers Numbers;
};

// One row of SYSTEMINI.
struct TSystemIniRec {
    std::int32_t REC = 0;
    std::int32_t RESERVE1 = 0;
    std::int32_t RESERVE2 = 0;
    std::int32_t RESERVE3 = 0;
    std::int32_t RESERVE4 = 0;
    std::int32_t RESERVE5 = 0;
    std::string SSTR;
};

// A font as the settings keep it; screens build their own font object from
// it. Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out (the SYSDEF
// values 0-3 are the first two bits).
struct TFontInfo {
    std::string Name;
    std::int32_t Size = 0;
    std::int32_t Style = 0;
    std::int32_t CharSet = 0;
    std::int32_t Height = 0;
};

// ---------------------------------------------------------------------------
// The running program

struct TSystemDef {
    // Environment, connection and logged-on operator.
    std::int32_t GROUPID = 0;        // operator group; 10000 unless a group logon applies
    std::string AppIniPath;          // HomeDir + "/" + AppIniBaseName + ".ini"
    std::string WinUserName;         // logon name of the desktop user
    std::string WinSystemDir;
    std::string DocumentsDir;        // documents folder + "/" + AppHomeDir
    std::string HomeDir;             // common application-data folder + "/" + AppHomeDir
    std::string ProgramDir;          // folder of the executable
    std::string ProgramParentDir;
    std::string PrintDir;            // ProgramParentDir + "/print"
    std::string HelpDir;             // ProgramParentDir + "/help"
    std::string SqlDir;              // ProgramParentDir + "/sql"
    std::string IniDir;              // HomeDir + "/ini"
    std::string LogDir;              // HomeDir + "/log"
    std::string TempDir;             // HomeDir + "/temp"
    std::string WinTempDir;
    std::string ViewerDir;           // WinTempDir + "/" + ViewerFolderName
    std::string SYSDIR;              // folder of the system database and the data folders
    std::string DataDir;             // company-data folder last chosen
    std::string HOSTNAME;            // database server; empty in stand-alone mode
    std::uint8_t GOGLOBAL = 0;
    std::uint8_t GROUP = 0;
    std::string USER;                // database user
    std::string PASSWORD;            // database password
    std::string ProductSerial;
    std::string PCName;
    std::int32_t OPCODE = 0;         // GROUPID * 10000 + LOGINCODE
    std::int32_t LOGINCODE = 0;
    std::string OPNAME;
    std::int32_t JOBLEVEL = 0;       // 9 = administrator
    std::uint8_t JIMUSHO = 0;        // accounting-office operator
    std::string FacilityCodeCopy;
    std::uint8_t MYNUMBER_ADM = 0;
    std::uint8_t SHONIN = 0;
    std::int32_t FacilityBusinessKind = 0;  // JIGYOKBN of the operator's usual facility
    std::string FacilityCode;               // SCODE of that facility, " " when empty

    // Operator display settings, one per SYSDEF column.
    std::string FontName;
    std::int32_t FontSize = 0;
    std::int32_t FontStyle = 0;
    std::int32_t FontCharSet = 0;
    std::int32_t FontHeight = 0;
    std::int32_t GridResize = 0;
    std::int32_t ShowHint = 0;
    std::int32_t GridMaxRow = 0;
    std::int32_t GridRsiz = 0;
    std::int32_t PanelColor = 0;
    std::int32_t PanelBackColor = 0;
    std::int32_t MenuPrintSw = 0;
    std::int32_t ColHeaderColor = 0;
    std::int32_t FixedTopColor = 0;
    std::int32_t RowHeaderColor = 0;
    std::int32_t FixedLeftColor = 0;
    std::int32_t ActiveColor = 0;
    std::int32_t ClientColor = 0;
    std::int32_t ClientColor1 = 0;
    std::int32_t ClientColor2 = 0;
    std::int32_t ClientColor3 = 0;
    std::int32_t TotalColor = 0;
    std::int32_t ColHeaderGradColor1 = 0;
    std::int32_t ColHeaderGradColor2 = 0;
    std::int32_t ForeColor = 0;
    std::int32_t BorderColor = 0;
    std::int32_t ThruBorderColor = 0;
    std::string PrinterName;
    std::int32_t PreviewZOOM = 0;
    std::int32_t DisplaySpare = 0;   // cleared when the settings are loaded
    std::int32_t NetColor1 = 0;
    std::int32_t NetColor2 = 0;
    std::int32_t PLineColor1 = 0;
    std::int32_t PLineColor2 = 0;
    std::int32_t HojWait = 0;
    std::int32_t DicSwitch = 0;
    std::int32_t DicTekAuto = 0;
    std::int32_t DicTorAuto = 0;
    std::int32_t DicUsednt = 0;
    std::int32_t DicType = 0;
    std::int32_t DicNum1 = 0;
    std::int32_t DicNum2 = 0;
    std::int32_t DicSortType = 0;
    std::int32_t TEK_AUTOUP = 0;
    std::int32_t TOR_AUTOUP = 0;
    std::int32_t UserPrint = 0;
    std::int32_t SwkTotal = 0;
    std::int32_t SwkLine = 0;
    std::int32_t Reserve3 = 0;
    std::int32_t Reserve1 = 0;
    std::int32_t KingakuPlus = 0;
    std::int32_t ZeroPrint = 0;
    std::int32_t SankakuPlus = 0;
    std::int32_t Reserve2Bit1 = 0;   // bit 1 of Reserve2
    std::int32_t Reserve2Bit2 = 0;   // bit 2 of Reserve2
    std::int32_t Reserve2 = 0;
    std::int32_t Reserve4 = 0;
    std::int32_t Reserve5 = 0;
    std::string SSTR;

    // Program and screen values.
    std::string ProgramTitle;        // the %s of the start-up and logon messages
    std::string ProgramTitleCopy;
    std::string ProgramVersion;      // written to the error log
    std::int32_t AppKind = 0;        // sent as APPVERSION by one logon variant
    std::int32_t AppMinorNumber = 0;
    std::int32_t MFTop = 0;
    std::int32_t MFLeft = 0;
    std::int32_t MFWidth = 0;
    std::int32_t MFHeight = 0;
    std::string LastPathText;        // last chosen path text of data selection
    std::int32_t WindowsVersion = 0;
    TFontInfo StandardFont;          // the main form's font
    TFontInfo OperatorFont;          // built from the SYSDEF font fields
    std::int32_t MenuHeight = 0;
    std::int32_t FrameHeight = 0;
    std::int32_t CaptionHeight = 0;
    std::int32_t ExtraTopOffset = 0; // always 0
    std::int32_t TaskBarMetric = 0;
    std::int32_t ShowDataSentaku = 0;
    std::string ZenkaiDrive;
    std::int32_t LastMenu = 0;
    std::string DataSelectResult;    // "PATH1=%s" and "PATH2=%s" lines
    std::uint8_t MenuAnswer = 0;     // MenuCallbackHook's answer to command 11
    std::uint8_t ProcessScreenOpen = 0;
    std::string OfficeName;          // NAME of SYSTEMINI record 10
    std::string OfficeAddress;       // JYUSHO
    std::string OfficeTel;           // TEL
    std::int32_t OfficeReserve1 = 0; // RESERVE1-RESERVE3 of SYSTEMINI record 10
    std::int32_t OfficeReserve2 = 0;
    std::int32_t OfficeReserve3 = 0;

    // Flags decoded from Reserve4 (bit 1 the lowest), and the facility-rights
    // switch stored among them.
    std::int32_t AutoShareData = 0;         // bit 1: store shared data back automatically
    std::int32_t CommFlag = 0;              // bit 2
    std::int32_t Reserve4Bit3 = 0;          // bit 3
    std::int32_t FacilitySwitch = 0;        // bit 4: copied into TACCINF
    std::int32_t Reserve4ThreeWay = 0;      // 1 for bit 5, else 2 for bit 6, else 0
    std::int32_t LedgerLastLineDefault = 0; // bit 7
    std::int32_t Reserve4Bit8 = 0;          // bit 8
    std::int32_t Reserve4Bit9 = 0;          // bit 9
    std::int32_t EraDisplay = 0;            // bit 10: dates in Japanese era form
    std::int32_t Reserve4Bit11 = 0;         // bit 11
    std::int32_t FacilityRightsOff = 0;     // RESERVE1 of SYSTEMINI record 20

    // System variables (SYSREG common variables and the values beside them).
    std::int32_t NextItemMove = 0;                 // 次項目移動区分
    std::uint8_t AccountCodeDigits = 0;            // 科目コード桁数
    std::uint8_t SubAccountCodeDigits = 0;         // 補助コード桁数
    std::uint8_t DepartmentCodeDigits = 0;         // 部門コード桁数
    std::uint8_t JournalDateFocus = 0;             // 仕訳日付フォーカス
    std::int32_t LedgerOneLine = 0;                // 元帳１行出力区分
    std::int32_t LedgerTagMark = 0;                // 元帳付箋マーク出力区
    std::int32_t AssocDictFilter = 0;              // 連想辞書抽出条件区分
    std::int32_t LedgerLastLineBalance = 0;        // 元帳最終行残高出力区
    std::int32_t TrialTotalOutput = 0;             // 試算表集計出力区分
    std::int32_t LedgerTitleOutput = 0;            // 元帳タイトル出力区分
    std::int32_t TrialBsPageBreak = 0;             // 試算表ＢＳ改ページ区
    std::int32_t TrialTitleOutput = 0;             // 試算表タイトル出力区
    std::int32_t TrialPeriodOutput = 0;            // 試算表期間出力区分
    std::string TrialTitle;                        // 試算表タイトル
    std::string TwoPeriodTrialTitle;               // ２期試算表タイトル
    // Statement titles per layout: [0] all accounts, [1] fixed A4, [2] fixed A3.
    std::array<std::string, 3> BsTitles;           // balance sheet
    std::array<std::string, 3> AssetTitles;
    std::array<std::string, 3> LiabilityTitles;
    std::array<std::string, 3> PlTitles;           // profit and loss
    std::array<std::string, 3> ExpenseTitles;      // selling and general expenses
    std::int32_t DataCheckSwitch = 0;              // データ破損チェック区 (group-wide)
    std::int32_t DataDamaged = 0;                  // 1 when the last data check found damage
    std::int32_t DataPlaceNo = 0;                  // サーバのデータの場所
    std::string DataPathRegistered;                // registered path of the chosen data
    std::int32_t FacilityColor = 0;                // colour of the operator's usual facility
    std::string ServerTempDir;                     // set by the logon; used by the backup transfer
    TVersionNumbers SysDbVersion;                  // newest row of VERSION
    std::int32_t TekiyoEditMode = 0;               // 摘要項目の編集モード
    std::int32_t TekiyoInputKind = 0;              // 摘要項目の入力区分
    std::int32_t PartnerInputKind = 0;             // 取引先項目の入力区分
    std::int32_t BackRulePrint = 0;                // 裏面の罫線印刷区分
    std::int32_t TaxCodePrint = 0;                 // 消費税コード印刷区分
    std::int32_t SettlementBillOffset = 0;         // 決算書手形相殺区分
    std::int32_t SettlementSellingCost = 0;        // 決算書販売費組入区分
    std::int32_t TrialRowAdjust = 0;               // 試算表行数調整区分 (never written back)
    std::int32_t AssocDictCodeInput = 0;           // 連想辞書コード入力区
    std::int32_t AssocDictListOrder = 0;           // 連想辞書リスト並び順
    std::int32_t TekiyoDictOpen = 0;               // 摘要＿辞書開く区分
    std::int32_t TekiyoAssocOpen = 0;              // 摘要＿連想開く区分
    std::int32_t TekiyoAutoOpen = 0;               // 摘要＿自動開く区分
    std::int32_t TekiyoNoInput = 0;                // 摘要＿入力なし区分
    std::int32_t PartnerDictOpen = 0;              // 取引先＿辞書開く区分
    std::int32_t PartnerAssocOpen = 0;             // 取引先＿連想開く区分
    std::int32_t PartnerAutoOpen = 0;              // 取引先＿自動開く区分
    std::int32_t PartnerNoInput = 0;               // 取引先＿入力なし区分
    std::int32_t TrialManufacturingRow = 0;        // 試算表製造集計行出区

    TProgressWindow* ProgressWindow = nullptr;       // the progress window shown now (the screens own it)
    std::int32_t SpareFlag = 0;
};

// ---------------------------------------------------------------------------
// The open company data (filled when a company database is opened)

struct TACCINF {
    std::int32_t GROUPID = 0;
    std::string ENTTEXT;             // data code
    std::string SERIAL;
    std::int32_t TANTOU = 0;
    std::int32_t GYOUSHU = 0;
    std::int32_t DATATYPE = 0;       // 1 corporation, 2 individual, 3 medical corporation
    std::string DataTypeText;        // name of DATATYPE
    std::int32_t CODETYPE = 0;
    std::string CodeTypeText;        // name of the code type without the kind prefix
    std::int32_t DepartmentCount = 0;
    std::string SCODE1;
    std::string SCODE2;
    std::string SKANA;
    std::string SHOUGOU;
    std::string POST;
    std::string ADD1;
    std::string ADD2;
    std::string TEL;
    std::string AO_ADD1;
    std::string AO_ADD2;
    std::string AO_KANA;
    std::string AO_SIMEI;
    std::string AO_GYOUSHU;
    std::string AO_YAGO;
    std::string AO_KANYU;
    std::string AO_TEL;
    std::string AO_SHOKUGYO1;
    std::string AO_SHOKUGYO2;
    std::string MAIL;
    TDateTime zzKISHU = 0;           // as stored; 0 when not stored
    TDateTime zKISHU = 0;
    std::int32_t NENDO = 0;
    TDateTime KISHU = 0;
    TDateTime KIMATU = 0;
    TDateTime KAISI = 0;
    std::int32_t SIME = 0;           // closing day 1-28, 99 month end
    std::int32_t KAISINO = 0;
    std::int32_t OpeningPeriodIndex = 0;
    std::int32_t YearEndPeriod = 0;
    std::int32_t OpeningMonthOffset = 0;
    std::int32_t YearMonths = 0;
    std::int32_t GENGOU_FLG = 0;
    std::int32_t GENGOU_HOSEI = 0;
    std::string GENGOU_NAME;
    std::string YAKUMEI1;
    std::string YAKUMEI2;
    std::string YAKUMEI3;
    double OLD_TAX_RATE1 = 0;
    double OLD_TAX_RATE2 = 0;
    double OLD_TAX_RATE3 = 0;
    double OLD_TAX_RATE4 = 0;
    double OLD_TAX_RATE5 = 0;
    double NEW_TAX_RATE1 = 0;
    double NEW_TAX_RATE2 = 0;
    double NEW_TAX_RATE3 = 0;
    double NEW_TAX_RATE4 = 0;
    double NEW_TAX_RATE5 = 0;
    TDateTime CHG_DAYS1 = 0;
    TDateTime CHG_DAYS2 = 0;
    TDateTime CHG_DAYS3 = 0;
    TDateTime CHG_DAYS4 = 0;
    TDateTime CHG_DAYS5 = 0;
    TDateTime KANSA_FIXDATE = 0;
    std::uint8_t AuditIncludesSettlement = 0;  // 監査処理＿決算仕訳含む
    TDateTime KANSA_DATE = 0;
    std::int32_t CALCU = 0;
    std::int32_t TAXU_HASUU = 0;
    std::int32_t TAXH_HASUU = 0;
    std::int32_t TAXDEFUH = 0;
    std::int32_t TAXKANNI = 0;
    std::int32_t TAXJIGYOU = 0;
    std::int32_t GENKAPRINT = 0;
    std::int32_t KANSA_LOCK = 0;
    std::int32_t TEGATADICSW = 0;
    std::int32_t KESSAN_KIKAN = 0;
    std::int32_t CASHFLOW_KIKAN1 = 0;
    std::int32_t CASHFLOW_KIKAN2 = 0;
    std::int32_t CASHFLOWSW = 0;
    std::int32_t SDAI_HASUU1 = 0;
    std::int32_t SDAI_HASUU2 = 0;
    std::int32_t SDAI_HASUU3 = 0;
    std::int32_t CONVERT = 0;
    std::int32_t SHOUHYOU = 0;
    std::int32_t Spare1 = 0;
    std::int32_t SITEN = 0;
    std::int32_t BUMON = 0;
    std::int32_t DATALOCK = 0;
    std::int32_t GENKA_USE = 0;
    std::string GENKA_HWORD1;
    std::string GENKA_HWORD2;
    std::string GENKA_HWORD3;
    std::string GENKA_HWORD4;
    std::string GENKA_HWORD5;
    // PLUSNAME of the total groups "5880", "5580", "5680", "5780", "5790".
    std::array<std::string, 5> TotalNames;
    std::string PASWORD;             // communication password
    std::string WEB_HOLDER;
    std::array<std::string, 6> CommPasswords;  // [0] PASWORD, [1] TUSIN_ID row 1
    std::array<std::string, 6> CommHolders;    // [0] WEB_HOLDER, [1] TUSIN_ID row 1
    // KCODE and USERCODE of the system accounts, slots 0-11:
    // 現金, 仮払消費税, 仮受消費税, 諸口, 繰越利益剰余金 (前期繰越利益 for the
    // medical-corporation chart), 事業主貸, 事業主借, 元入金, 給料, 賞与,
    // 賞与引当金繰入額, 退職給付費用.
    std::array<std::string, 12> SystemCodes;
    std::array<std::string, 12> SystemUserCodes;
    std::string FUMEI_KCODE;
    std::string FumeiUserCode;
    std::int32_t SystemCodesLoaded = 0;
    std::uint8_t MedicalChart = 0;   // 1 for DATATYPE 3 with CODETYPE 1
    std::int32_t Spare2 = 0;
    // [0] this fiscal year, [1] the previous one, [2] the year before.
    std::array<TDateTime, 3> YearStarts{};
    std::array<TDateTime, 3> YearEnds{};
    std::array<TDateTime, 3> BookOpenDates{};
    std::int32_t PastDetailImport = 0;         // 過去明細取り込み
    std::uint8_t GassanKind = 0;               // 合算データ区分 (merged-data kind)
    std::int32_t GassanCount = 0;              // 合算データ数
    std::uint8_t AccountCodeDigits = 0;        // 科目コード桁数
    std::uint8_t SubAccountCodeDigits = 0;     // 補助コード桁数
    std::uint8_t DepartmentCodeDigits = 0;     // 部門コード桁数
    std::int32_t BulkTaxExclusion = 0;         // 一括税抜処理 (always 0 after loading)
    std::int32_t Spare3 = 0;
    std::string DataPassword;
    std::int32_t PrintPeriodUse = 0;           // 印刷用期間使用区分
    TDateTime PrintPeriodStart = 0;            // 印刷用期間（期首）
    TDateTime PrintPeriodEnd = 0;              // 印刷用期間（期末）
    // 受取手形, 割引手形, 裏書手形 (corporations only).
    std::array<std::string, 3> NoteAccountCodes;
    std::array<std::string, 3> NoteAccountUserCodes;
    std::array<std::int32_t, 3> YearTaxModes{};  // tax mode per fiscal year
    std::string GENKA_HWORD6;
    std::string TotalName5688;                 // PLUSNAME of total group "5688"
    TVersionNumbers DataVersion;               // newest ACCVERSION row
    std::int32_t IndividualCostUse = 0;        // 個別原価使用区分
    std::string IndividualCostName;            // 個別原価別名
    std::uint8_t IndividualCostCodeDigits = 0; // 個別原価コード桁数: index into CodeWidths
    std::int32_t MyNumberUse = 0;              // ＃USE
    std::string MyNumberKey;                   // ＃KEY, decoded
    std::string MyNumberValue;                 // ＃VALUE, decoded
    std::int32_t CloudKind = 0;                // クラウド区分 of 通信設定
    std::int32_t FacilitySwitch = 0;
    std::int32_t CLOUD_LINE = 0;
    TDateTime CLOUD_TIME = 0;
    // 使用税率3%, 使用税率5%, 使用税率8%, then two switches that are always 1.
    std::array<std::uint8_t, 5> TaxRateSwitches{};
    std::int32_t READ_ONLY = 0;
    // Closing dates 2, 5 and 8 months after the start month.
    std::array<TDateTime, 3> QuarterDates{};
    TDateTime YearEnd = 0;
};

// ---------------------------------------------------------------------------
// Program globals

extern TSystemDef SystemDef;
extern TACCINF AccInf;

extern std::uint8_t ConnectionMode;        // 0 stand-alone, 1 client/server, 2 server-based
extern std::uint8_t ProgramKind;           // which program of the family runs; 0 here
extern std::uint8_t EditionFlag;           // 1 for the "BrendalData" edition (2 alike)
extern std::uint8_t TerminalSolutionKind;  // index into TerminalSolutionNames
extern bool AppTerminating;                // a database error is ending the program

// The data-version record of the running product (the error log's data
// version, the version value data communication sends) and the two further
// version records of data communication: ReceiveMinVersion, the lowest
// received cash-book version the import accepts, and CommVersion, which
// nothing here reads. Nothing in this program fills any of them, so they stay
// empty and 0.0.0.
extern std::string DataVersionText;
extern TVersionNumbers DataVersionNumbers;
extern TVersionTextRec ReceiveMinVersion;
extern TVersionTextRec CommVersion;

// ---------------------------------------------------------------------------
// Hooks to a hosting program. A caller finding a hook empty skips the call
// and takes its own default.

// command 4 a screen was shown, 10 how many other screens are open, 11 with
// "ZorvathMenu" the menu answer.
using TMenuCallbackHook = std::function<std::int32_t(std::int32_t command, const std::string& text)>;
// Starts the screen registered under a process name; -1 when nothing started.
using TProcessLauncherHook =
    std::function<std::int32_t(const std::string& processName, std::int32_t mode, const std::string& paramLines)>;
// Validates a company database: 1 sound, 0 damaged; mode 0 tells the user.
using TDataCheckHook =
    std::function<std::int32_t(const std::string& host, const std::string& dataDir, std::int32_t mode)>;
using TFormActivateHook = std::function<void(bool flag, std::int32_t value)>;
using TDataOpenedHook = std::function<void(std::int32_t value)>;
using TDataCaptionHook =
    std::function<void(std::int32_t index, const std::string& text, std::int32_t flag, const std::string& text2)>;
using TDataPanelHook = std::function<void(std::int32_t index, std::int32_t value)>;

extern TMenuCallbackHook MenuCallbackHook;
extern TProcessLauncherHook ProcessLauncherHook;
extern TDataCheckHook DataCheckHook;
extern TFormActivateHook FormActivateHook;
extern TDataOpenedHook DataOpenedHook;
extern TDataCaptionHook DataCaptionHook;
extern TDataPanelHook DataPanelHook;
// The cash-book import reports its status through the same two hooks that
// data communication uses for the caption and the panels.
inline TDataCaptionHook& StatusTextHook = DataCaptionHook;
inline TDataPanelHook& StatusRefreshHook = DataPanelHook;

// Empties all seven hooks (shut-down).
void ClearHooks();

// ---------------------------------------------------------------------------
// Typed constants: built-in values; start-up overwrites the file and folder
// names from the application information file. The texts are constructed
// before main like any global of this file, so no other global's initialiser
// may read them.

extern std::string AppIniBaseName;        // "qhzaimu"
extern std::string AppHomeDir;            // "norvel/ledrixzaimu"
extern std::string ViewerFolderName;      // "qhzview"
extern std::string ProductFolderName;     // "ledrixzaimu"
extern std::string DataFolderSuffix;      // "/ledrixzaimu/data"
extern std::string TempFolderSuffix;      // "/ledrixzaimu/temp"
extern std::string SysDbFileName;         // "qhaccdef.fdb"
extern std::string DataDbFileName;        // "qhacc.fdb"
extern std::string DataBackupFileName;    // "qhacc.fbk"
extern std::string DataIniFileName;       // "qhacc.ini"
extern std::string CashBookFolderName;    // "cb_data"
extern std::string CashBookBackupFileName;  // "qhcashbook.fbk"
extern std::string AnalysisHomeDir;       // "norvel/ledrixzaimu"
extern std::array<std::string, 5> InitialDataFileNames;  // "acc%d.gbk" with 11, 21, 22, 23, 31
extern std::string YearRangeText;         // empty until start-up sets it
extern std::string BackupWorkFileName;    // "qhacc.fbk"; never overwritten at start-up
extern std::int32_t DataListMax;          // 120

// Colours are Windows colour integers: red in the low byte, then green, blue.
// Defaults of a new SYSDEF row.
inline constexpr std::int32_t DefColHeaderColor = 14408667;
inline constexpr std::int32_t DefColHeaderGradColor1 = 16777215;
inline constexpr std::int32_t DefColHeaderGradColor2 = 14408667;
inline constexpr std::int32_t DefClientColor = 16777215;
inline constexpr std::int32_t DefClientColor1 = 16777215;
// The three accent colours (new-row ClientColor2, TotalColor, ActiveColor).
extern std::int32_t DefClientColor2;      // 14807295
extern std::int32_t DefTotalColor;        // 9357311
extern std::int32_t DefActiveColor;       // 2386943

// Puts the three accent colours of the edition in EditionFlag: 15925230,
// 14090184 and 32768 for editions 1 and 2, the built-in ones otherwise.
// Start-up calls it once EditionFlag is known.
void ApplyEditionColors();

inline constexpr std::array<std::string_view, 13> FunctionKeyLabels = {
    "ESC:", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:", "F9:", "F10:", "F11:", "F12:"};
inline constexpr std::array<std::string_view, 2> SortMarks = {"▲", "▼"};  // ascending, descending
inline constexpr std::array<std::string_view, 2> ScreenFontNames = {"ＭＳ 明朝", "ＭＳ ゴシック"};
inline constexpr std::array<std::string_view, 6> DataKindNames = {
    "法人", "個人(一般)", "個人(不動産)", "医療法人", "個人(クリニック)", "個人(農業)"};
inline constexpr std::array<std::string_view, 3> FacilityTotalNames = {"法人全体", "総体", "法人全体"};
inline constexpr std::array<std::string_view, 5> MedicalFacilityKinds = {
    "法人全体", "病院・診療所", "老人保健施設", "指定訪問看護", "その他の事業"};
// Code widths indexed by a data's code-length setting.
inline constexpr std::array<std::int32_t, 4> CodeWidths = {3, 4, 5, 6};
inline constexpr std::array<std::string_view, 4> TerminalSolutionNames = {"", "GO-Global", "RDS", "XenDesktop"};

// A set of small values (0-31), as the merged-data kinds are tested.
struct TSmallSet {
    std::uint32_t Bits = 0;
    constexpr bool Contains(std::int32_t value) const {
        return value >= 0 && value < 32 && ((Bits >> value) & 1u) != 0;
    }
};
constexpr TSmallSet MakeSmallSet(std::initializer_list<std::int32_t> values) {
    TSmallSet set;
    for (const std::int32_t v : values) set.Bits |= 1u << v;
    return set;
}
// Merged-data kinds (GASSAN of a data-list row): 0 ordinary data, 1 and 2 the
// two kinds of merged data, 10 a child data set.
inline constexpr TSmallSet GassanParentKinds = MakeSmallSet({0, 1, 2});  // rows of DATALIST
inline constexpr TSmallSet GassanMergedKinds = MakeSmallSet({1, 2});     // rows that own child rows

// ---------------------------------------------------------------------------
// Process-wide date and time formats: separators "/" and ":", "yyyy/MM/dd",
// "yyyy年MM月dd日", "hh:mm", "hh:mm:ss". FormatSettings already holds them
// when main starts; start-up calls this once more to fix them, and it puts
// them back after anything changed them.
void InitAccRecordFormats();
