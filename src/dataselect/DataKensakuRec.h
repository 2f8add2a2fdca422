#pragma once
// The search conditions of a data list and their store: each operator keeps,
// per list (0 the data-selection list, 1 the shared data list), one row of
// KENSAKUJYOKEN in the system database with the conditions and the sort
// order.
//
// In memory the sort column is the list's grid column; the table keeps a
// code of its own (1 name, 2 fiscal year, 3 period, 4 folder, 5 version,
// 6 code). A column or code without a counterpart maps to 0 either way.
//
// The record operations work on the system database of the data module in a
// transaction of their own ("read_committed", "rec_version", "nowait"). A
// database error is reported (HandleIBError, other errors ShowErrorMessage)
// with the operation's location and message; the transaction is rolled back
// and the operation answers false or 0. Nothing is passed on.

#include <cstdint>
#include <memory>
#include <string>

// How the version condition compares (the data-selection screen's own
// modes beyond the dialog's 0).
inline constexpr std::int32_t VersionModeEqual = 0;    // major.minor1 equals
inline constexpr std::int32_t VersionModeMajor = 1;    // major equals
inline constexpr std::int32_t VersionModeAtLeast = 2;  // not older than major.minor1

struct TDataKensakuRec {
    std::int32_t OPCODE = 0;
    std::int32_t LISTTYPE = 0;
    std::int32_t JYOKENUSE = 0;
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
    std::string DATACODE;
    std::string DATANAME;
    std::int32_t TANTO = 0;
    std::string DATAVER;
    std::string DATAVER2;
    std::int32_t VERMODE = VersionModeEqual;
    std::string SEIHINNAME;
    std::int32_t SORTCOL = 0;   // grid column
    std::int32_t SORTTYPE = 0;  // 0 ascending, 1 descending
    std::string RESERVE1;
    std::string RESERVE2;
};

// Grid column -> stored sort code, and back.
std::int32_t SortColumnToCode(std::int32_t column);
std::int32_t SortCodeToColumn(std::int32_t code);

// Clears the conditions that filter (JYOKENUSE, DATATYPE, CODETYPE,
// DATACODE, DATANAME, TANTO, DATAVER, SEIHINNAME); the sort order stays.
void ClearKensakuConditions(TDataKensakuRec& rec);

class TDataListKensakuRecords final {
public:
    TDataListKensakuRecords();
    ~TDataListKensakuRecords();
    TDataListKensakuRecords(const TDataListKensakuRecords&) = delete;
    TDataListKensakuRecords& operator=(const TDataListKensakuRecords&) = delete;

    std::int32_t ListType = 0;

    // rec: OPCODE of the logged-on operator, LISTTYPE this list, everything
    // else 0 or empty.
    void ResetRecord(TDataKensakuRec& rec) const;
    // Fills rec with the operator's stored conditions, creating the stored
    // row (all empty, sort column 0) when there is none.
    bool SelectRecord(TDataKensakuRec& rec);
    // Writes the conditions and the sort order; 1 on success, 0 on failure.
    std::int32_t UpdateRecord(const TDataKensakuRec& rec);
    // Writes only the sort order; 1 on success, 0 on failure.
    std::int32_t UpdateRecordSortField(const TDataKensakuRec& rec);

private:
    class Session;
    std::unique_ptr<Session> session_;
};
