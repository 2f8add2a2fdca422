#pragma once
// The open company data (TACCINF), filled when a company database is
// opened. There is exactly one instance, read and written on the main
// thread.

#include "platform/DateTime.h"
#include "foundation/VersionRecords.h"

#include <array>
#include <cstdint>
#include <string>

struct TACCINF {
    std::int32_t GROUPID = 0;
    std::string ENTTEXT;  // data code
    std::string SERIAL;
    std::int32_t TANTOU = 0;
    std::int32_t GYOUSHU = 0;
    std::int32_t DATATYPE = 0;  // 1 corporation, 2 individual, 3 medical corporation
    std::string DataTypeText;   // name of DATATYPE
    std::int32_t CODETYPE = 0;
    std::string CodeTypeText;  // name of the code type without the kind prefix
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
    TDateTime zzKISHU = 0;  // as stored; 0 when not stored
    TDateTime zKISHU = 0;
    std::int32_t NENDO = 0;
    TDateTime KISHU = 0;
    TDateTime KIMATU = 0;
    TDateTime KAISI = 0;
    std::int32_t SIME = 0;  // closing day 1-28, 99 month end
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
    std::string PASWORD;  // communication password
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
    std::uint8_t MedicalChart = 0;  // 1 for DATATYPE 3 with CODETYPE 1
    std::int32_t Spare2 = 0;
    // [0] this fiscal year, [1] the previous one, [2] the year before.
    std::array<TDateTime, 3> YearStarts{};
    std::array<TDateTime, 3> YearEnds{};
    std::array<TDateTime, 3> BookOpenDates{};
    std::int32_t PastDetailImport = 0;      // 過去明細取り込み
    std::uint8_t GassanKind = 0;            // 合算データ区分 (merged-data kind)
    std::int32_t GassanCount = 0;           // 合算データ数
    std::uint8_t AccountCodeDigits = 0;     // 科目コード桁数
    std::uint8_t SubAccountCodeDigits = 0;  // 補助コード桁数
    std::uint8_t DepartmentCodeDigits = 0;  // 部門コード桁数
    std::int32_t BulkTaxExclusion = 0;      // 一括税抜処理 (always 0 after loading)
    std::int32_t Spare3 = 0;
    std::string DataPassword;
    std::int32_t PrintPeriodUse = 0;  // 印刷用期間使用区分
    TDateTime PrintPeriodStart = 0;   // 印刷用期間（期首）
    TDateTime PrintPeriodEnd = 0;     // 印刷用期間（期末）
    // 受取手形, 割引手形, 裏書手形 (corporations only).
    std::array<std::string, 3> NoteAccountCodes;
    std::array<std::string, 3> NoteAccountUserCodes;
    std::array<std::int32_t, 3> YearTaxModes{};  // tax mode per fiscal year
    std::string GENKA_HWORD6;
    std::string TotalName5688;                  // PLUSNAME of total group "5688"
    TVersionNumbers DataVersion;                // newest ACCVERSION row
    std::int32_t IndividualCostUse = 0;         // 個別原価使用区分
    std::string IndividualCostName;             // 個別原価別名
    std::uint8_t IndividualCostCodeDigits = 0;  // 個別原価コード桁数: index into CodeWidths
    std::int32_t MyNumberUse = 0;               // ＃USE
    std::string MyNumberKey;                    // ＃KEY, decoded
    std::string MyNumberValue;                  // ＃VALUE, decoded
    std::int32_t CloudKind = 0;                 // クラウド区分 of 通信設定
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

extern TACCINF AccInf;
