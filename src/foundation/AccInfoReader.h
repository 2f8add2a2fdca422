#pragma once
// Reading the accounting information of the open company data into AccInf,
// and the small lookups it uses that others call too. They run on the data
// module's company connection in its ordinary transaction (IBTransactionDAT),
// joined when the caller has one running.

#include "platform/DateTime.h"

#include <cstdint>
#include <string>

// Fills AccInf from the open company data: the settings row (ACCDEF1), the
// typed settings (ACCREG, whose missing values are stored with their
// defaults), the data version, the communication identities, the system
// accounts and the three-year fiscal calendar; then publishes the chart's
// cash-flow items and the tax-rate table. True on success.
//
// AccInf describes the data just read and nothing else: every field starts
// from its empty value, so a column the data lacks reads as its default, and
// a failed read leaves AccInf empty rather than half of one data set and
// half of another. A failure is reported ("基本情報の取得に失敗しました。")
// and what the call stored is rolled back. A data password that cannot be
// unscrambled is such a failure: the data does not open without it.
bool fnGetAccInfo();

// 1 "法人", 2 "個人", 3 "医療法人"; another type throws std::runtime_error.
std::string DataTypeName(std::int32_t dataType);
// The code type's name: empty for the charts of corporations (code type 1),
// "一般", "不動産", "クリニック", "農業" for individuals; withKind puts the
// data type's name and "／" in front. An invalid code type throws the
// code-type error whatever the data type; an invalid data type with a code
// type of 1-4 throws the data-type error.
std::string CodeTypeName(std::int32_t dataType, std::int32_t codeType, bool withKind);

// The column of the last ACCTOTALNAME row of the total group; empty when
// none or on a failure (reported).
std::string fnGetAccTotalName(const std::string& group, const std::string& column);
// The chart flag of AccInf (1 for the medical-corporation chart), with
// which the chart's cash-flow items are published.
std::uint8_t SetChartFlag();
// KCODE and USERCODE of the system account of that name (ACCDEF2 joined to
// KAMOKUMST); both empty when there is none. A database error is logged and
// passed on.
void SetSystemCode(const std::string& accountName, std::string& code, std::string& userCode);
// USERCODE of the account; empty for a blank code or one not found.
std::string GetKamokuUserCode(const std::string& code);
// Communication identity `slot` of AccInf from TUSIN_ID row `row`, when the
// data has that table; emptied first.
void GetTusinId(std::int32_t row, std::int32_t slot);
// "major.minor1.minor2" of ACCVERSION row 1; "0.0.0" when there is none or
// on a failure (reported). A caller's transaction is neither committed nor
// rolled back.
std::string fnGetDataBaseVer();
// Whether the audit lock forbids changing a journal entry of the date.
bool IsKansaLocked(TDateTime date, bool settlementEntry);

// Installs fnGetAccInfo as the screens' accounting-information loader and
// AccInf as the data the tax rules read.
void InstallAccInfoReader();
