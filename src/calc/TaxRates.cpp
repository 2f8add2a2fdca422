#include "calc/TaxRates.h"

#include "calc/TaxContext.h"

#include <tuple>

namespace {

TZeiRituList& List()
{
    static TZeiRituList list;
    return list;
}

TZeiRituRec Row(const char* label, int rate, std::int32_t code, std::int32_t order, const char* start,
                std::int32_t value1, std::int32_t value2, std::uint8_t flag, std::uint8_t standard,
                std::int32_t switchIndex)
{
    return TZeiRituRec{label, rate * CurrencyScale, code, order, start, value1, value2, flag, standard, switchIndex, 1};
}

void EnsureBuilt()
{
    if (List().empty())
        BuildZeiRituList(0);
}

TDateTime StartOf(const TZeiRituRec& row)
{
    return StrToDate(row.StartDate);
}

const TZeiRituRec* RowOfCode(std::int32_t rateCode)
{
    for (const TZeiRituRec& row : List()) {
        if (row.RateCode == rateCode)
            return &row;
    }
    return nullptr;
}

}  // namespace

void BuildZeiRituList(TDateTime /*date*/)
{
    const TTaxSettings settings = TaxContext().Settings();
    const bool current =
        std::tie(settings.VersionMajor, settings.VersionMinor1, settings.VersionMinor2) >= std::make_tuple(11, 1, 0);
    if (current) {
        List() = {Row("10%", 10, 0, 4, "2019/10/01", 11, 1, 1, 1, 4), Row("8*%", 8, 4, 3, "2019/10/01", 11, 1, 1, 0, 3),
                  Row("8%", 8, 3, 2, "2014/04/01", 6, 1, 0, 1, 2), Row("5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1),
                  Row("3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0)};
    } else {
        List() = {Row("8%", 8, 0, 2, "2014/04/01", 6, 1, 1, 1, 2), Row("5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1),
                  Row("3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0)};
    }
}

const TZeiRituList& ZeiRituList()
{
    return List();
}

void ClearZeiRituList()
{
    List().clear();
}

Currency GetTaxRate(std::int32_t rateCode, TDateTime /*date*/)
{
    EnsureBuilt();
    const TZeiRituRec* row = RowOfCode(rateCode);
    return row != nullptr ? row->Rate : List().front().Rate;
}

std::int32_t ResolveTaxRateCode(std::int32_t rateCode, TDateTime date)
{
    EnsureBuilt();
    const TZeiRituRec* own = RowOfCode(rateCode);
    if (own != nullptr && own->Standard == 0)
        return rateCode;
    std::int32_t inForce = 0;
    for (const TZeiRituRec& row : List()) {
        if (StartOf(row) <= date) {
            inForce = row.RateCode;
            break;
        }
    }
    if (rateCode == inForce || (own != nullptr && StartOf(*own) <= date))
        return rateCode;
    return inForce;
}
