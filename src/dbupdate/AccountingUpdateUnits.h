#pragma once
// The accounting-data update units built into this program, one namespace
// per unit, and what they share. Each unit's Script() writes the whole
// script as its DoUpdate would run it now (from SystemDef and, where the
// unit asks the database, the database's present shape); DoUpdate runs it.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class TDM;

namespace accupdate {

// The shape the units share: the company database of the current data
// folder, no "SET NAMES" line, the two-line ACCVERSION stamp with the
// short MEMO, the body before the stamp.
TUpdateUnitShape AccountingShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2);

// Opens the company database of the current data folder through the data
// module's own connection (without marking the folder in use), lets ask
// read it, and closes it again without refreshing anything. False, without
// calling ask, when the database cannot be opened (the data module has
// reported why).
bool AskCompanyDatabase(const std::function<void(TDM&)>& ask);

// The data kind of the company database of the current data folder, from
// its own ACCDEF1 row 1 (NULL read as 0): DataType 1 corporation, 2
// individual, 3 medical corporation; CodeType 1 general, 2 real estate.
// The tool that builds databases runs the units with no company data open,
// and in the program the open data is the data being updated, so this is
// what the open data's record holds. Nothing when it cannot be read (the
// data module reports why, naming unitName).
struct TCompanyKind {
    std::int32_t DataType = 0;
    std::int32_t CodeType = 0;
};
std::optional<TCompanyKind> ReadCompanyKind(const char* unitName);

// Whether the company database of the current data folder has the column,
// asked while the script is written through the data module's own
// connection (opened without marking the folder in use, closed again
// without refreshing anything). A check that fails (the database cannot be
// opened, the question fails; the data module reports it) answers false:
// the script then carries the statements that add the column.
bool CompanyColumnExists(const std::string& table, const std::string& column);

// The two ACCDEF1 column checks: SDAI_HASUU3, then KESSAN_KIKAN with the
// two cash-flow periods, each added only when the database lacks it.
void AddAccDef1ColumnChecks(TUpdateScript& script);

// The second of them alone: KESSAN_KIKAN, CASHFLOW_KIKAN1 and
// CASHFLOW_KIKAN2 (INTEGER DEFAULT -1, row 1 set to -1), added only when
// the database lacks KESSAN_KIKAN.
void AddKessanKikanColumnCheck(TUpdateScript& script);

}  // namespace accupdate

#define LEDRIX_ACCOUNTING_UNIT(name)           \
    namespace name {                           \
    TUpdateScript Script();                    \
    std::int32_t DoUpdate();                   \
    void GetUpdateInfo(TDbUpdateListRec& rec); \
    }

LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate011)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate012)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate013)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate014)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate015)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate020)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate021)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate022)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate030)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate031)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate032)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate033)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate034)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate040)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate041)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate100)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate101)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate102)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate300)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate301)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate303)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate304)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate306)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate307)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate400)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate402)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate500)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate502)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate505)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate600)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate610)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate613)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate700)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate702)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate703)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate704)
LEDRIX_ACCOUNTING_UNIT(z5UserDbUpdate800)

#undef LEDRIX_ACCOUNTING_UNIT

namespace z5UserDbUpdate700 {
// The data password of the open company data moved to its scrambled
// setting "データパスワードV2", in the company transaction: the scrambled
// form is written before the plain one is removed, and a password that
// cannot be scrambled raises with both settings as they were. Without a
// password neither setting is left.
void ReencodeDataPassword();
}  // namespace z5UserDbUpdate700
