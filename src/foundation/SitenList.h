#pragma once
// The facility (branch) choices a screen offers for the open company data:
// the whole entity, facility groups (business kinds for medical-corporation
// data), facilities, and facilities that keep department accounts, each
// limited to what the given operator is permitted (OPLICENSE). The list
// exists as rows for the program and as display lines for a combo box or a
// grid.
//
// The caller loads the data's accounting information (AccInf) first, sets
// Kinds and the other switches, builds with RefreshSitenList and reads
// Count, Items and Lines. The statements run on the data module's company
// database, in its ordinary transaction unless SetSitenTransaction names
// another; a build starts the transaction when none is active and ends only
// what it started.

#include "platform/db/Transaction.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSitenListRec {
    std::string Code;  // SCODE, GCODE, or " " for the whole entity and business kinds
    std::string Name;
    // 0 whole entity; 1 facility group (general data) or business kind
    // (medical-corporation data); 2 facility; 3 facility with department
    // accounts; 5 facility group (medical-corporation data).
    std::int32_t Kind = 0;
    std::int32_t JigyouKind = 0;  // business kind (MB_JIGYOU or its bit); 1 throughout general data
    std::int32_t Bumex = 0;       // keeps department accounts
    std::int32_t Color = 0;       // display colour of the facility
    std::string Text1;
    std::string Text2;
};

// Bits of TSitenList::Kinds.
inline constexpr std::uint8_t SitenKindWhole = 1;
inline constexpr std::uint8_t SitenKindGroups = 2;
inline constexpr std::uint8_t SitenKindFacilities = 4;
inline constexpr std::uint8_t SitenKindDepartmentFacilities = 8;

class TSitenList final {
public:
    // Binds the list to the data module's company database and ordinary
    // transaction.
    TSitenList();

    void SetSitenTransaction(db::Transaction& transaction);
    // Builds the list for the operator (-1: everything; an unrestricted
    // operator always gets everything). A failure is reported ("TSitenList.
    // Execute") and then raised again; the list holds what was built so far.
    void RefreshSitenList(std::int32_t operatorCode);
    // Empty for an index out of range.
    std::string GetSitenCode(int index) const;
    void ClearSitenList();

    std::vector<TSitenListRec> Items;
    std::vector<std::string> Lines;
    std::int32_t Count = 0;
    std::uint8_t Kinds = 0;
    std::int32_t OpeCode = -1;       // the operator the list was built for
    std::int32_t JigyouFilter = 0;   // medical-corporation data: only this business kind (0 all)
    std::uint8_t QuotedLines = 0;    // 1: lines of three tab-separated quoted columns
    std::uint8_t IncludeCode00 = 1;  // 0: medical-corporation data without facility "00"

private:
    void Execute();
    void ExecuteMedical();
    void AddWhole(std::int32_t jigyou, std::int32_t bumex);
    void Add(const TSitenListRec& rec);
    bool WholePermitted();
    void AddGroups(std::int32_t kind, std::int32_t jigyou);
    void AddFacilities(bool departments, bool medical);
    void AddBusinessKinds();

    db::Transaction* transaction_;
};
