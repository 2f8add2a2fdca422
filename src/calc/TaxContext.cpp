#include "calc/TaxContext.h"

namespace {

class DefaultTaxContext final : public ITaxContext {
public:
    TTaxSettings Settings() const override { return {}; }
    std::string DateText(TDateTime date) const override { return FormatDateTime("yyyy/mm/dd", date); }
    void ReportError(const std::string&) const override {}
};

const ITaxContext*& Installed()
{
    static const ITaxContext* context = nullptr;
    return context;
}

}  // namespace

void SetTaxContext(const ITaxContext* context)
{
    Installed() = context;
}

const ITaxContext& TaxContext()
{
    static const DefaultTaxContext fallback;
    return Installed() != nullptr ? *Installed() : fallback;
}
