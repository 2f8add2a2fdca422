#pragma once
// The operators of a group, for pickers of a person in charge: the rows of
// OPERATOR with their level names, by operator code. Codes below 10 are the
// system's own operators and are never listed. An optional leading entry
// (code 0, level 9) heads the list, for "nobody".
//
// The list reads the system database of the data module in a transaction of
// its own (read committed, no wait). A failed read is reported
// ("TUserList.Execute", "ユーザーリストの取得に失敗しました。") and the list
// keeps what it read before the error.

#include <cstdint>
#include <string>
#include <vector>

struct TUserListRec {
    std::int32_t GROUPID = 0;
    std::int32_t OPCODE = 0;
    std::string OPNAME;
    std::string PASWORD;
    std::int32_t JOBLEVEL = 0;
    std::string LEVELNAME;
    std::uint8_t JIMUSHO = 0;
    std::uint8_t OKINIIRI = 0;
    std::uint8_t KANSA = 0;  // always 0 here
    std::uint8_t MYNUMBER_ADM = 0;
    std::uint8_t SHONIN = 0;
};

class TUserList final {
public:
    std::string LeadingLabel;  // not empty: the leading entry's text
    std::int32_t GroupId = 0;
    std::uint8_t TabLines = 0;       // 1: lines are "\"code\"\t\"name\""
    std::uint8_t ApproversOnly = 0;  // 1: only approvers (SHONIN above 0)
    std::vector<TUserListRec> Rows;
    std::vector<std::string> Lines;  // "code:name" per row
    std::int32_t Count = 0;

    void Execute();
    // The lines, each followed by a line break.
    std::string GetUserListText() const;
    // 0 for an index out of range.
    std::int32_t GetUserOpCode(int index) const;
    // The first row with the code; -1 when none.
    int IndexOfOpCode(std::int32_t code) const;
};
