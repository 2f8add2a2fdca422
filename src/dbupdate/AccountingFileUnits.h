#pragma once
// What the accounting updates from 3.0.0 on share: their statements are the
// installation's script files "qhzupNN.sql" in the sql folder's version
// folder (<SqlDir>/300 for 3.0.0, 613 for 6.1.3), chosen per data set by the
// unit's file rules, and some units first look at or change the data
// through the program's own connection (their data fixes).
//
// The facts a unit chooses by are read from the company database being
// updated (its ACCDEF1 row 1 and its system accounts): in the program that
// is the open data, and the tool that builds databases runs the units with
// no data open at all.
//
// A data fix runs in the company transaction of the data module and is
// committed only when the whole fix went through. A fix that fails is a
// failed update: the database error is reported here, nothing of the fix
// is committed, and the unit answers UpdateResultConversionError, so the run
// puts the database back (the unit's guard, UnitRollback.h) and says that
// the update failed. No error of a fix leaves the unit.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Query;
}

namespace accupdate {

// The data set's facts, from ACCDEF1 row 1 (NULL read as 0) and ACCDEF2.
struct TCompanyFacts {
    std::int32_t DataType = 0;  // 1 corporation, 2 individual, 3 medical corporation
    std::int32_t CodeType = 0;  // 1 general, 2 real estate (with DataType 3: 1 the medical chart)
    std::int32_t KaisiNo = 0;   // the month of the fiscal year (1 to 12) in which the data begins
    std::int32_t Convert = 0;   // 1 for data converted from another format
    std::int32_t Siten = 0;     // branch management
    std::int32_t Bumon = 0;     // department management
    // Account codes of the system accounts, empty when the data has none.
    std::string ShokuchiCode;         // 諸口
    std::string JigyonushiKashiCode;  // 事業主貸
    std::string JigyonushiKariCode;   // 事業主借
    std::string MotoirekinCode;       // 元入金

    // 1 for the medical-corporation chart (data type 3 with code type 1).
    std::int32_t MedicalChart() const { return DataType == 3 && CodeType == 1 ? 1 : 0; }
};

// Reads the facts of the company database of the current data folder on
// the given statement (of the company transaction).
TCompanyFacts ReadCompanyFacts(db::Query& sql);

// The facts through a connection opened for the question and closed again.
// Nothing when they cannot be read (the error has been reported under
// unitName).
std::optional<TCompanyFacts> AskCompanyFacts(const char* unitName);

// The shape of a unit from 3.0.0 on: "SET NAMES SJIS_0208;" from 3.0.6 on.
TUpdateUnitShape FileUnitShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2);

// "qhzup01.sql" to "qhzupNN.sql" with NN = count.
std::vector<std::string> NumberedFiles(int count);
// The number of a "qhzupNN.sql" name (0 for any other name).
int FileNumber(std::string_view name);

// Decides for one file of the unit's list whether this data set takes it.
using TFileRule = std::function<bool(std::string_view name)>;

// The unit's script: the frame, the leading lines, the lines of every file
// of the list that exists and that take accepts (every file without a
// rule), and the trailing lines.
TUpdateScript FileUnitScript(const TUpdateUnitShape& shape, const std::vector<std::string>& files,
                             const TFileRule& take, const std::vector<std::string>& leading = {},
                             const std::vector<std::string>& trailing = {});

// True when a unit that needs every file of its list finds them all (the
// test comes before any rule, so a file the data set leaves out must exist
// too); false, after the unit's result 18, otherwise.
bool AllFilesPresent(const TUpdateUnitShape& shape, const std::vector<std::string>& files);

// The frame of a data fix (see above): the data module (made for the call
// when there is none) connects the company database of the current data
// folder without marking it in use; fix runs with a statement of its own on
// the company transaction and the data set's facts; what it did is
// committed when it returns, rolled back when it raises. The connection is
// closed again without refreshing anything. 1, or UpdateResultConversionError
// when the connection or the fix failed (reported under location).
std::int32_t RunCompanyDataFix(const std::string& location,
                               const std::function<void(db::Query& sql, const TCompanyFacts& facts)>& fix);

// The catalogue entry of a unit whose version names the product it
// converts to: AppTitle of the application information + the tail.
std::string ProductTitle(std::string_view tail);

}  // namespace accupdate

// A unit of 3.0.0 on that is its row, its file list and its rules: the
// catalogue texts (built when the entry is filled, so they see the
// application title and the edition of that moment), the files, what a
// missing file means, and the choices by the data set's facts.
struct TFileUnit {
    TUpdateUnitShape Shape;
    std::string Title;
    std::string Description;
    std::vector<std::string> Files;
    TMissingBodyFile MissingFile = TMissingBodyFile::Skip;
    // Whether the data set takes the file numbered n; none: every file.
    std::function<bool(const accupdate::TCompanyFacts& facts, int n)> Takes;
    // Lines of the unit's own between the frame and the files; none: no lines.
    std::function<std::vector<std::string>(const accupdate::TCompanyFacts& facts)> Leading;
};

namespace accupdate {

// The unit's script for a data set with these facts.
TUpdateScript FileUnitScriptFor(const TFileUnit& unit, const TCompanyFacts& facts);
// The unit's script as DoUpdate would write it now (the facts read from
// the database when the unit chooses by them). Throws TUpdateScriptError
// when they cannot be read.
TUpdateScript FileUnitScriptNow(const TFileUnit& unit, const char* unitName);
// The unit's DoUpdate: 18 without a script when a file is missing and the
// row says so, 19 when the facts cannot be read, else the script's result.
std::int32_t RunFileUnit(const TFileUnit& unit, const char* unitName);
// Fills the unit's catalogue row (every unit of 3.0.0 to 8.0.0 asks for a
// backup).
void DescribeFileUnit(const TFileUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec);

}  // namespace accupdate

// A file unit's namespace: Unit() building the TFileUnit that the
// arguments make, and the unit's Script, DoUpdate and GetUpdateInfo.
#define LEDRIX_FILE_UNIT(unitNamespace, ...)                         \
    namespace unitNamespace {                                        \
    TFileUnit Unit()                                                 \
    {                                                                \
        return __VA_ARGS__;                                          \
    }                                                                \
    TUpdateScript Script()                                           \
    {                                                                \
        return accupdate::FileUnitScriptNow(Unit(), #unitNamespace); \
    }                                                                \
    std::int32_t DoUpdate()                                          \
    {                                                                \
        return accupdate::RunFileUnit(Unit(), #unitNamespace);       \
    }                                                                \
    void GetUpdateInfo(TDbUpdateListRec& rec)                        \
    {                                                                \
        accupdate::DescribeFileUnit(Unit(), &DoUpdate, rec);         \
    }                                                                \
    }
