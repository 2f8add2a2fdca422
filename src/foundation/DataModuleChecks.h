#pragma once
// The data module's answers about the logged-on operator and the journal
// counts of the open company data, as the per-data information and the
// facility list ask for them.
//
// They belong to the data module; the start-up installs the object that
// gives them (not owned). While none is installed, the steps that need them
// are skipped: the counts stay 0, a facility's colour is the default, and
// the use-right and data-password checks of a data folder let it pass, as
// they do for data that restricts nothing.

#include <cstdint>
#include <string>

class IDataModuleChecks {
public:
    virtual ~IDataModuleChecks() = default;
    // The facility-rights switch is off, the operator belongs to the
    // accounting office, or the operator's job level is 9.
    virtual bool IsOpeUnrestricted() = 0;
    // The operator has a usual facility and a facility permission.
    virtual bool HasOpeDefSisetu() = 0;
    // Asks for the data password of the open data (at most three tries);
    // true when it was given or the data has none.
    virtual bool InputDataPassword() = 0;
    // Valid journal entries of the facility (every facility for an empty
    // code). Errors propagate.
    virtual std::int32_t GetYukouSiwakeCount(const std::string& facility) = 0;
    // Valid and deleted-or-changed entries in one transaction; returns the
    // valid count. Errors propagate.
    virtual std::int32_t GetSiwakeCount(const std::string& facility, std::int32_t& valid, std::int32_t& changed) = 0;
    // The display colour kept under "COLOR" in a facility's settings text.
    virtual std::int32_t GetXstrColor(const std::string& settings) = 0;
};

void SetDataModuleChecks(IDataModuleChecks* checks);
IDataModuleChecks* DataModuleChecks();

// The colour of a facility whose settings give none.
inline constexpr std::int32_t DefaultFacilityColor = 16756608;
