#pragma once
// A tax context a test fills, installed for the length of the test.

#include "calc/TaxContext.h"
#include "calc/TaxRates.h"

#include <string>
#include <vector>

class TestTaxContext final : public ITaxContext {
public:
    TestTaxContext()
    {
        settings.KaribaraiCode = "1560";
        settings.KariukeCode = "2240";
        settings.ShokuchiCode = "9999";
        settings.VersionMajor = 15;
        SetTaxContext(this);
        ClearZeiRituList();
    }
    ~TestTaxContext() override
    {
        SetTaxContext(nullptr);
        ClearZeiRituList();
    }
    TestTaxContext(const TestTaxContext&) = delete;
    TestTaxContext& operator=(const TestTaxContext&) = delete;

    TTaxSettings Settings() const override { return settings; }
    std::string DateText(TDateTime date) const override { return "<" + FormatDateTime("yyyy/mm/dd", date) + ">"; }
    void ReportError(const std::string& text) const override { reports.push_back(text); }

    TTaxSettings settings;
    mutable std::vector<std::string> reports;
};
