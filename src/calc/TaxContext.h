#pragma once
// What the consumption-tax rules need from the open company data, and how
// they report. The data module installs a context when company data is
// opened; until then (and in tests that install none) the rules work with
// the default: standard taxation, rounding mode 0, no system accounts, every
// tax-rate switch on, data version 0.0.0, dates as "yyyy/mm/dd" and no report.

#include "platform/DateTime.h"

#include <array>
#include <cstdint>
#include <string>

// The data settings the tax rules read.
struct TTaxSettings {
    std::int32_t TAXKANNI = 0;    // 1 simplified taxation
    std::int32_t TAXJIGYOU = 0;   // business kind 1-6 of the simplified taxation
    std::int32_t TAXU_HASUU = 0;  // rounding mode of tax on sales
    std::int32_t TAXH_HASUU = 0;  // rounding mode of tax on purchases
    // Account codes of 仮払消費税, 仮受消費税 and 諸口 as journal sides carry
    // them (the account's USERCODE); an empty code matches no account.
    std::string KaribaraiCode;
    std::string KariukeCode;
    std::string ShokuchiCode;
    std::array<std::uint8_t, 5> TaxRateSwitches{1, 1, 1, 1, 1};
    std::int32_t VersionMajor = 0;  // data version
    std::int32_t VersionMinor1 = 0;
    std::int32_t VersionMinor2 = 0;
};

class ITaxContext {
public:
    virtual ~ITaxContext() = default;
    virtual TTaxSettings Settings() const = 0;
    // A date as "yyyy/mm/dd", in era form when the operator shows eras.
    virtual std::string DateText(TDateTime date) const = 0;
    // Shows an error the calculation ran into.
    virtual void ReportError(const std::string& text) const = 0;
};

// Installs the context (not owned; nullptr puts the default back).
void SetTaxContext(const ITaxContext* context);
const ITaxContext& TaxContext();
