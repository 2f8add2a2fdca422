#pragma once
// Japanese explanations of Firebird status codes, shown to the user and
// written to the error logs beside the server's own (English) message.
//
// The table holds 368 codes: the classic engine codes 335544321-335544701
// (with the gaps that the server never raises), 335544788 (operation needs
// SYSDBA or the owner) and the two gbak codes 336330766 and 336330817. Two
// rows apply only together with one SQL code. Every explanation but one is a
// sentence in full-width parentheses; 335544450 explains as one blank.
// Placeholders such as <string> and <long> stand where the server's message
// has a parameter; they are kept as written, nothing is substituted.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct TIBErrorMessageRow {
    std::int32_t ErrorCode;
    // When set, the explanation applies only to errors with this SQL code.
    bool HasRequiredSQLCode;
    std::int32_t RequiredSQLCode;
    std::string_view Explanation;
};

// The whole table, ordered by ErrorCode (each code once).
std::span<const TIBErrorMessageRow> IBErrorMessageTable();

// The explanation of a status code; a single blank " " for a code outside the
// table, or for a row with a required SQL code when SQLCode differs from it.
std::string GetIBErrorMessage(std::int32_t ErrorCode, std::int32_t SQLCode);
