#pragma once
// The accounting-data updates from 8.0.2 on: each is its row, its list of
// the installation's body files (<SqlDir>/<MMM>/qhzupNN.sql) with the files
// it leaves out for the general or the medical chart, the form of its
// MEMO, and at most a few lines and data fixes of its own.
//
// DoUpdate of such a unit:
//   1. every file of the list must exist, also one the chart leaves out:
//      a missing file answers 18 before anything is written;
//   2. the script: the frame, the files the chart takes in list order (only
//      their non-empty lines), the unit's own lines, the stamp, "COMMIT;",
//      "EXIT;" (UpdateUnit.h says why the stamp comes last);
//   3. the run; when it answered 1 and the unit has data fixes, the data-fix
//      stage: the company database through the data module's own
//      connection, one transaction for all fixes, which is committed also
//      after a fix failed (the run's copy of the database decides what
//      survives). A fix that raises ends the stage with 19; the fixes after
//      it do not run.
//
// The chart (MedicalChart: a medical corporation, DATATYPE 3, on the
// general code type 1) and the data kind are read from the company
// database itself: the builder runs the units with no company data open,
// and in the program the open data is the data being updated.

#include "dbupdate/AccountingUpdateUnits.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TDM;

namespace accupdate {

// What a data fix gets: the data module connected to the company database
// with its company transaction running, and the data's kind.
struct TDataFixContext {
    TDM& Dm;
    TCompanyKind Kind;
};
using TDataFix = std::function<void(const TDataFixContext&)>;

// A unit's own lines, written after its files.
using TOwnLines = std::function<std::int32_t(TUpdateScript&, const TCompanyKind&)>;

struct TLaterUnit {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    TMemoForm Memo = TMemoForm::Short;
    std::string Title;
    std::string Description;
    std::vector<std::string> Files;           // in script order
    std::vector<std::string> LeftOutGeneral;  // left out when MedicalChart is 0
    std::vector<std::string> LeftOutMedical;  // left out when MedicalChart is 1
    // Lines after the files; 1 to go on, anything else is the unit's result
    // (no script is saved or run then).
    TOwnLines OwnLines;
    // The data fixes after a successful run, in order; empty for most.
    std::vector<TDataFix> DataFixes;
    // When the data fixes run at all (the edition decides for 9.0.5).
    std::function<bool()> FixesWanted;
    // The title and description lead with the product title (AppTitle of
    // the application information, read when the row is filled): the title
    // is AppTitle + Title, the description "１）" + AppTitle + Description.
    bool AppTitleLead = false;
};

// The shape of the units: the company database, "SET NAMES SJIS_0208;",
// the two-line ACCVERSION stamp with the unit's MEMO form.
TUpdateUnitShape LaterUnitShape(const TLaterUnit& unit);

// 1 for the medical chart (DATATYPE 3 with CODETYPE 1), else 0.
std::int32_t MedicalChartOf(const TCompanyKind& kind);

// The files of the list the chart takes, in order.
std::vector<std::string> FilesForChart(const TLaterUnit& unit, std::int32_t medicalChart);

// The script of the unit for the data of kind (without the data fixes).
// Throws TUpdateScriptError when a file cannot be read.
TUpdateScript LaterUnitScript(const TLaterUnit& unit, const TCompanyKind& kind, std::int32_t& ownResult);

// The unit's DoUpdate (above).
std::int32_t RunLaterUnit(const TLaterUnit& unit, const char* unitName);

// The data-fix stage alone, on the company database of the current data
// folder: 1, or 19 when the database cannot be opened or a fix raised (a
// database error is written to the error log under location).
std::int32_t RunDataFixes(const std::vector<TDataFix>& fixes, const TCompanyKind& kind, const std::string& location);

// The row of a unit: its texts, replaced by the edition's when EditionFlag
// is 1 or 2 (8.0.2 has its own pair).
void DescribeLaterUnit(const TLaterUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec);

}  // namespace accupdate

// A file unit's namespace: Unit(), DoUpdate and GetUpdateInfo.
#define LEDRIX_LATER_UNIT(unitNamespace, ...)                            \
    namespace unitNamespace {                                           \
    const accupdate::TLaterUnit& Unit()                        \
    {                                                                   \
        static const accupdate::TLaterUnit unit = __VA_ARGS__; \
        return unit;                                                    \
    }                                                                   \
    std::int32_t DoUpdate()                                             \
    {                                                                   \
        return accupdate::RunLaterUnit(Unit(), #unitNamespace);          \
    }                                                                   \
    void GetUpdateInfo(TDbUpdateListRec& rec)                           \
    {                                                                   \
        accupdate::DescribeLaterUnit(Unit(), &DoUpdate, rec);            \
    }                                                                   \
    }
