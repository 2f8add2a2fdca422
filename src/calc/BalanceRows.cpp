#include "calc/BalanceRows.h"

#include <cmath>
#include <limits>

void ClearBalanceRow(TBALANCE& row)
{
    row = TBALANCE{};
}

Currency RatioToPercent(double ratio)
{
    // trunc(x * 1000 +- 0.5) tenths of a percent; one tenth is 1000 in the
    // amount's scale of 10000.
    const double tenths = std::trunc(ratio >= 0 ? ratio * 1000 + 0.5 : ratio * 1000 - 0.5);
    constexpr double limit = static_cast<double>(std::numeric_limits<Currency>::max() / 1000);
    if (!(tenths < limit))
        return std::numeric_limits<Currency>::max() / 1000 * 1000;
    if (!(tenths > -limit))
        return -(std::numeric_limits<Currency>::max() / 1000 * 1000);
    return static_cast<Currency>(tenths) * 1000;
}

Currency ClampPercent(Currency percent)
{
    constexpr Currency upper = 9999 * CurrencyScale;
    constexpr Currency lower = -999 * CurrencyScale;
    return percent > upper ? upper : percent < lower ? lower : percent;
}
