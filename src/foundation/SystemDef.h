#pragma once
// The running program (TSystemDef): its folders, the connection, the
// logged-on operator and the operator's settings. There is exactly one
// instance, read and written on the main thread without any guard; start-up
// fills it.
//
// Folder names are kept with "/" between their parts: paths here are the
// platform's, and every caller joins them with "/".

#include "foundation/SettingsRecords.h"
#include "platform/DateTime.h"
#include "foundation/VersionRecords.h"

#include <array>
#include <cstdint>
#include <string>

class TProgressWindow;

struct TSystemDef {
    // Environment, connection and logged-on operator.
    std::int32_t GROUPID = 0;  // operator group; 10000 unless a group logon applies
    std::string AppIniPath;    // HomeDir + "/" + AppIniBaseName + ".ini"
    std::string WinUserName;   // logon name of the desktop user
    std::string WinSystemDir;
    std::string DocumentsDir;  // documents folder + "/" + AppHomeDir
    std::string HomeDir;       // common application-data folder + "/" + AppHomeDir
    std::string ProgramDir;    // folder of the executable
    std::string ProgramParentDir;
    std::string PrintDir;  // ProgramParentDir + "/print"
    std::string HelpDir;   // ProgramParentDir + "/help"
    std::string SqlDir;    // ProgramParentDir + "/sql"
    std::string IniDir;    // HomeDir + "/ini"
    std::string LogDir;    // HomeDir + "/log"
    std::string TempDir;   // HomeDir + "/temp"
    std::string WinTempDir;
    std::string ViewerDir;  // WinTempDir + "/" + ViewerFolderName
    std::string SYSDIR;     // folder of the system database and the data folders
    std::string DataDir;    // company-data folder last chosen
    std::string HOSTNAME;   // database server; empty in stand-alone mode
    std::uint8_t GOGLOBAL = 0;
    std::uint8_t GROUP = 0;
    std::string USER;      // database user
    std::string PASSWORD;  // database password
    std::string ProductSerial;
    std::string PCName;
    std::int32_t OPCODE = 0;  // GROUPID * 10000 + LOGINCODE
    std::int32_t LOGINCODE = 0;
    std::string OPNAME;
    std::int32_t JOBLEVEL = 0;  // 9 = administrator
    std::uint8_t JIMUSHO = 0;   // accounting-office operator
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
    std::int32_t DisplaySpare = 0;  // cleared when the settings are loaded
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
    std::int32_t Reserve2Bit1 = 0;  // bit 1 of Reserve2
    std::int32_t Reserve2Bit2 = 0;  // bit 2 of Reserve2
    std::int32_t Reserve2 = 0;
    std::int32_t Reserve4 = 0;
    std::int32_t Reserve5 = 0;
    std::string SSTR;

    // Program and screen values.
    std::string ProgramTitle;  // the %s of the start-up and logon messages
    std::string ProgramTitleCopy;
    std::string ProgramVersion;  // written to the error log
    std::int32_t AppKind = 0;    // sent as APPVERSION by one logon variant
    std::int32_t AppMinorNumber = 0;
    std::int32_t MFTop = 0;
    std::int32_t MFLeft = 0;
    std::int32_t MFWidth = 0;
    std::int32_t MFHeight = 0;
    std::string LastPathText;  // last chosen path text of data selection
    std::int32_t WindowsVersion = 0;
    TFontInfo StandardFont;  // the main form's font
    TFontInfo OperatorFont;  // built from the SYSDEF font fields
    std::int32_t MenuHeight = 0;
    std::int32_t FrameHeight = 0;
    std::int32_t CaptionHeight = 0;
    std::int32_t ExtraTopOffset = 0;  // always 0
    std::int32_t TaskBarMetric = 0;
    std::int32_t ShowDataSentaku = 0;
    std::string ZenkaiDrive;
    std::int32_t LastMenu = 0;
    std::string DataSelectResult;  // "PATH1=%s" and "PATH2=%s" lines
    std::uint8_t MenuAnswer = 0;   // MenuCallbackHook's answer to command 11
    std::uint8_t ProcessScreenOpen = 0;
    std::string OfficeName;           // NAME of SYSTEMINI record 10
    std::string OfficeAddress;        // JYUSHO
    std::string OfficeTel;            // TEL
    std::int32_t OfficeReserve1 = 0;  // RESERVE1-RESERVE3 of SYSTEMINI record 10
    std::int32_t OfficeReserve2 = 0;
    std::int32_t OfficeReserve3 = 0;

    // Flags decoded from Reserve4 (bit 1 the lowest), and the facility-rights
    // switch stored among them.
    std::int32_t AutoShareData = 0;          // bit 1: store shared data back automatically
    std::int32_t CommFlag = 0;               // bit 2
    std::int32_t Reserve4Bit3 = 0;           // bit 3
    std::int32_t FacilitySwitch = 0;         // bit 4: copied into TACCINF
    std::int32_t Reserve4ThreeWay = 0;       // 1 for bit 5, else 2 for bit 6, else 0
    std::int32_t LedgerLastLineDefault = 0;  // bit 7
    std::int32_t Reserve4Bit8 = 0;           // bit 8
    std::int32_t Reserve4Bit9 = 0;           // bit 9
    std::int32_t EraDisplay = 0;             // bit 10: dates in Japanese era form
    std::int32_t Reserve4Bit11 = 0;          // bit 11
    std::int32_t FacilityRightsOff = 0;      // RESERVE1 of SYSTEMINI record 20

    // System variables (SYSREG common variables and the values beside them).
    std::int32_t NextItemMove = 0;           // 次項目移動区分
    std::uint8_t AccountCodeDigits = 0;      // 科目コード桁数
    std::uint8_t SubAccountCodeDigits = 0;   // 補助コード桁数
    std::uint8_t DepartmentCodeDigits = 0;   // 部門コード桁数
    std::uint8_t JournalDateFocus = 0;       // 仕訳日付フォーカス
    std::int32_t LedgerOneLine = 0;          // 元帳１行出力区分
    std::int32_t LedgerTagMark = 0;          // 元帳付箋マーク出力区
    std::int32_t AssocDictFilter = 0;        // 連想辞書抽出条件区分
    std::int32_t LedgerLastLineBalance = 0;  // 元帳最終行残高出力区
    std::int32_t TrialTotalOutput = 0;       // 試算表集計出力区分
    std::int32_t LedgerTitleOutput = 0;      // 元帳タイトル出力区分
    std::int32_t TrialBsPageBreak = 0;       // 試算表ＢＳ改ページ区
    std::int32_t TrialTitleOutput = 0;       // 試算表タイトル出力区
    std::int32_t TrialPeriodOutput = 0;      // 試算表期間出力区分
    std::string TrialTitle;                  // 試算表タイトル
    std::string TwoPeriodTrialTitle;         // ２期試算表タイトル
    // Statement titles per layout: [0] all accounts, [1] fixed A4, [2] fixed A3.
    std::array<std::string, 3> BsTitles;  // balance sheet
    std::array<std::string, 3> AssetTitles;
    std::array<std::string, 3> LiabilityTitles;
    std::array<std::string, 3> PlTitles;       // profit and loss
    std::array<std::string, 3> ExpenseTitles;  // selling and general expenses
    std::int32_t DataCheckSwitch = 0;          // データ破損チェック区 (group-wide)
    std::int32_t DataDamaged = 0;              // 1 when the last data check found damage
    std::int32_t DataPlaceNo = 0;              // サーバのデータの場所
    std::string DataPathRegistered;            // registered path of the chosen data
    std::int32_t FacilityColor = 0;            // colour of the operator's usual facility
    std::string ServerTempDir;                 // set by the logon; used by the backup transfer
    TVersionNumbers SysDbVersion;              // newest row of VERSION
    std::int32_t TekiyoEditMode = 0;           // 摘要項目の編集モード
    std::int32_t TekiyoInputKind = 0;          // 摘要項目の入力区分
    std::int32_t PartnerInputKind = 0;         // 取引先項目の入力区分
    std::int32_t BackRulePrint = 0;            // 裏面の罫線印刷区分
    std::int32_t TaxCodePrint = 0;             // 消費税コード印刷区分
    std::int32_t SettlementBillOffset = 0;     // 決算書手形相殺区分
    std::int32_t SettlementSellingCost = 0;    // 決算書販売費組入区分
    std::int32_t TrialRowAdjust = 0;           // 試算表行数調整区分 (never written back)
    std::int32_t AssocDictCodeInput = 0;       // 連想辞書コード入力区
    std::int32_t AssocDictListOrder = 0;       // 連想辞書リスト並び順
    std::int32_t TekiyoDictOpen = 0;           // 摘要＿辞書開く区分
    std::int32_t TekiyoAssocOpen = 0;          // 摘要＿連想開く区分
    std::int32_t TekiyoAutoOpen = 0;           // 摘要＿自動開く区分
    std::int32_t TekiyoNoInput = 0;            // 摘要＿入力なし区分
    std::int32_t PartnerDictOpen = 0;          // 取引先＿辞書開く区分
    std::int32_t PartnerAssocOpen = 0;         // 取引先＿連想開く区分
    std::int32_t PartnerAutoOpen = 0;          // 取引先＿自動開く区分
    std::int32_t PartnerNoInput = 0;           // 取引先＿入力なし区分
    std::int32_t TrialManufacturingRow = 0;    // 試算表製造集計行出区

    TProgressWindow* ProgressWindow = nullptr;  // the progress window shown now (the screens own it)
    std::int32_t SpareFlag = 0;
};

extern TSystemDef SystemDef;
