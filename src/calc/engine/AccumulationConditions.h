#pragma once
// The facility and department conditions of a facility x department
// accumulation, and the statement lines they join.
//
// A condition is a text for a statement's WHERE clause. The facility part
// is "(SCODE='x')" for one facility, "(SCODE IN ('a','b'))" for the
// members of a facility group, and no condition at all for a blank
// facility or a group without members; the department part alike with
// BCODE. A group's members are read from SISETUGROUPLIST and GROUPLIST (for
// a medical corporation's business-kind scope, the facilities of the kind
// from SISETUMST). The pair condition is both parts joined by " AND ".
// Codes are written as SQL literals with their quotes doubled, so a code
// never changes the statement around it.

#include "calc/engine/CalcSisanhyoSetting.h"
#include "platform/db/Query.h"

#include <string>
#include <string_view>
#include <vector>

// One part of a pair's condition: the column and the codes it admits.
class TCodeCondition final {
public:
    TCodeCondition() = default;
    TCodeCondition(std::string column, std::vector<std::string> codes, bool single);

    bool Empty() const { return codes_.empty(); }
    // The condition with the column named prefix + column ("MAIN.", "MS."
    // or nothing); empty when the part admits every code.
    std::string Text(std::string_view prefix = {}) const;

private:
    std::string column_;
    std::vector<std::string> codes_;
    bool single_ = false;
};

// The facility condition (name "SCODE") or the department condition (name
// "BCODE") of the setting; reads a group's members on the query (a
// statement in a started transaction). Throws std::invalid_argument for
// another name; database errors pass on.
TCodeCondition BuildCodeCondition(std::string_view name, const TCalcSisanhyoSettingRec& Setting, db::Query& query);

// The two parts of a pair and their join.
struct TPairConditions {
    TCodeCondition Facility;
    TCodeCondition Department;

    // "facility AND department", either alone, or empty.
    std::string Pair(std::string_view prefix = {}) const;
};

TPairConditions BuildPairConditions(const TCalcSisanhyoSettingRec& Setting, db::Query& query);

// Appends a line to a statement text, after a line break unless the text
// is empty.
void AddLine(std::string& sql, std::string_view line);
// Appends lead + condition as a line, only when the condition is not empty
// (lead " AND " for a pair line, "AND " for a facility line, "WHERE ").
void AddConditionLine(std::string& sql, std::string_view lead, const std::string& condition);

// The codes of the first column of the query's statement (its text and
// parameters set), in the order read; the query is closed afterwards.
std::vector<std::string> ReadCodes(db::Query& query);
