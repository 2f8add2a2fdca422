#pragma once
// Code systems: named sets of account-code definitions for one data kind and
// code kind, kept in the system database's USERCODE, one row per code system
// (RECNO), the definition text split into the eight parts INIDAT1 … INIDAT8.
//
// A definition file is CP932 text of comma-separated lines (CR LF or LF; a
// double-quoted field keeps its commas). Field 0 of a line is its kind, and
// the whole line goes into one part:
//   1            INIDAT1, the header: name (field 1), data kind (2), code
//                kind (3) and, when the line has six fields or more, the
//                product code (5); without it the product code is "-"
//   2 … 8        INIDAT2 … INIDAT8
//   21, 22       INIDAT2
//   31 … 34      INIDAT3
//   71           INIDAT7
// Empty lines and lines of any other kind are ignored. A part is stored as
// the text of its lines, in file order, joined by CR LF.
//
// Fields end at the comma only and are trimmed: a name such as "個人 一般"
// keeps its blank instead of pushing the kinds into the wrong fields.
//
// TCodeTaikeiIO works on the data module's system connection
// (DM->IBDatabaseDEF and its transaction IBTransactionDEF). Each operation
// starts that transaction only when none is active, and commits or rolls back
// only a transaction it started itself, so a caller can fold the writes into
// its own transaction.

#include "foundation/MojiBunkatu.h"
#include "platform/db/Query.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace db {
class Transaction;
}

// One code system. The reserve fields are part of the record's layout; this
// class clears them and does not use them.
struct TCodeTaikeiRec2 {
    std::int32_t RecNo = 0;
    std::string Name;
    std::int32_t DataType = 0;
    std::int32_t CodeType = 0;
    std::string ReserveText1;
    std::int32_t ReserveInt1 = 0;
    std::int32_t ReserveInt2 = 0;
    std::int32_t ReserveInt3 = 0;
    std::string ProductCode;  // "-" when the header has no product field
    std::uint8_t Flag = 0;
    std::array<std::vector<std::string>, 8> IniDat;  // IniDat[0] is INIDAT1
    std::string ReserveText2;
    std::int32_t ReserveInt4 = 0;
    std::int32_t ReserveInt5 = 0;
};

class TCodeTaikeiIO final {
public:
    // Repairs the kind columns (KubunSyufuku) before anything else.
    // Throws std::logic_error when there is no data module or its system
    // database is not connected.
    TCodeTaikeiIO();
    TCodeTaikeiIO(const TCodeTaikeiIO&) = delete;
    TCodeTaikeiIO& operator=(const TCodeTaikeiIO&) = delete;

    // Imports the definition file into the USERCODE row recordNumber. A file
    // made for another product is refused with an information box (OK) and
    // answers false; otherwise the answer is UpDateRecored's. A file that
    // cannot be read, or that is not CP932 text, throws.
    bool ImportCodeTaikei(const std::string& fileName, std::int32_t recordNumber);

    // Writes the code system into its existing row (never inserts). False
    // without action for an empty name or a data or code kind of 0. A
    // failure is reported ("コード体系の更新に失敗しました。") and answers
    // false; so does a row that does not exist, which would otherwise take
    // the definition nowhere and still answer true.
    bool UpDateRecored(const TCodeTaikeiRec2& record);

    // Rows whose columns say data kind 1 and code kind 1 take the kinds of
    // their stored header when the header names another data kind. A header
    // without a data kind (empty, or not a number) leaves its row alone:
    // there is nothing to repair it from. A failure is reported
    // ("コード体系の区分修復に失敗しました。") and the repair undone.
    void KubunSyufuku();

    // Whether this program may import a file of that product code. The
    // expected code is AppInfo's OEM followed by its VerTest. EditionFlag 0
    // takes an empty code or the expected one, 1 and 2 only the expected
    // one, any other edition nothing. message is empty when the code passes,
    // otherwise the refusal text naming the application title.
    static bool CheckCodeTaikeiProduct(const std::string& productCode, std::string& message);

private:
    // Fills record from the file's lines (RecNo untouched).
    void ReadDefinitionFile(const std::string& fileName, TCodeTaikeiRec2& record);

    db::Transaction& transaction_;
    db::Query IBSQL;    // statement
    db::Query IBQuery;  // query
    TMojiBunkatu Moji;
    // The version of this reader, kept with the object.
    std::int32_t verMajor_ = 1;
    std::int32_t verMinor_ = 0;
    std::string verText_;
};
