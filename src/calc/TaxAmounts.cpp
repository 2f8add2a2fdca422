#include "calc/TaxAmounts.h"

#include "calc/TaxCodes.h"
#include "calc/TaxContext.h"
#include "calc/TaxRates.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// numerator / denominator to four decimals (the amount's scale), half away
// from zero; a result outside the amount's range cannot be formed.
Currency DivideToAmount(__int128 numerator, __int128 denominator)
{
    if (denominator == 0)
        throw std::domain_error("no tax base");
    const bool negative = (numerator < 0) != (denominator < 0);
    const __int128 n = numerator < 0 ? -numerator : numerator;
    const __int128 d = denominator < 0 ? -denominator : denominator;
    __int128 q = n / d;
    if ((n % d) * 2 >= d)
        ++q;
    if (q > std::numeric_limits<Currency>::max())
        throw std::overflow_error("tax amount out of range");
    return static_cast<Currency>(negative ? -q : q);
}

constexpr Currency Hundred = 100 * CurrencyScale;

// amount × rate / divisor, rate and divisor in percent.
Currency TaxPart(Currency amount, Currency rate, Currency divisor)
{
    return DivideToAmount(static_cast<__int128>(amount) * rate, divisor);
}

// a − b; a difference outside the amount's range cannot be formed.
Currency Minus(Currency a, Currency b)
{
    Currency result = 0;
    if (__builtin_sub_overflow(a, b, &result))
        throw std::overflow_error("amount out of range");
    return result;
}

bool IsSuspenseTaxAccount(const TTaxSettings& settings, const std::string& account)
{
    return (!settings.KaribaraiCode.empty() && account == settings.KaribaraiCode) ||
           (!settings.KariukeCode.empty() && account == settings.KariukeCode);
}

void FillSide(const TSWKREC& entry, TSwkBalance& side)
{
    TTaxCodeInfo info;
    GetTaxCodeInfo(side.TAXCODE, info);
    side.TAXUH = info.TAXUH;
    side.TAXDC = info.TAXDC;
    side.NUK = 0;
    side.ZEI = 0;
    side.RIT = 0;

    Currency rate = GetTaxRate(entry.OLDRATE, entry.HIZUKE);
    if (side.RateCode != entry.OLDRATE)
        rate = GetTaxRate(side.RateCode, entry.HIZUKE);
    if (side.TAXUH != 0)
        side.RIT = rate;

    const TTaxSettings settings = TaxContext().Settings();
    const bool suspense = IsSuspenseTaxAccount(settings, side.KCODE);
    if (side.TAXUH == 0 || suspense) {
        side.NUK = entry.KINGAKU;
        side.ZEI = 0;
        side.RIT = suspense && side.TAXCODE != 810 && side.TAXCODE != 910 ? rate : 0;
        return;
    }
    side.NUK = entry.KINGAKU;
    if (entry.AUTCALCU == 0) {
        if (entry.TAXCALCU == 0) {
            side.NUK = Minus(entry.KINGAKU, entry.ZEIGAKU);
            side.ZEI = entry.ZEIGAKU;
        } else if (entry.TAXCALCU == 1) {
            side.ZEI = entry.ZEIGAKU;
        }
        return;
    }
    const std::int32_t mode = side.TAXUH == 1 ? settings.TAXU_HASUU : settings.TAXH_HASUU;
    if (entry.TAXCALCU == 0) {  // tax included
        const Currency tax = RoundTaxAmount(mode, TaxPart(entry.KINGAKU, rate, Hundred + rate));
        side.NUK = Minus(entry.KINGAKU, tax);
        side.ZEI = tax;
    } else if (entry.TAXCALCU == 1) {  // tax excluded
        side.ZEI = RoundTaxAmount(mode, TaxPart(entry.KINGAKU, rate, Hundred));
    }
}

}  // namespace

Currency RoundTaxAmount(std::int32_t mode, Currency amount)
{
    const Currency whole = amount / CurrencyScale * CurrencyScale;  // toward zero
    const Currency fraction = amount - whole;
    if (mode == 0 || fraction == 0)
        return whole;
    const Currency away = amount < 0 ? -CurrencyScale : CurrencyScale;
    if (mode == 2)
        return whole + away;
    return (fraction < 0 ? -fraction : fraction) * 2 >= CurrencyScale ? whole + away : whole;
}

double RoundTaxAmount(std::int32_t mode, double value)
{
    const double whole = std::trunc(value);
    if (mode == 0 || whole == value)
        return whole;
    const double away = value < 0 ? -1.0 : 1.0;
    if (mode == 2)
        return whole + away;
    return std::trunc(value + 0.5 * away);
}

bool CalcSideTax(const TSWKREC& entry, TSwkBalance& side)
{
    try {
        FillSide(entry, side);
        return true;
    } catch (const std::exception&) {
        TaxContext().ReportError("仕訳の消費税額が計算できません。");
        return false;
    }
}

bool CalcEntryTax(TSWKREC& entry)
{
    if (IsSpecifiedPurchaseCode(entry.Debit.TAXCODE) || IsSpecifiedPurchaseCode(entry.Credit.TAXCODE))
        entry.TAXCALCU = 2;
    entry.KINGAKU = RoundTaxAmount(0, entry.KINGAKU);
    entry.ZEIGAKU = RoundTaxAmount(0, entry.ZEIGAKU);
    if (!CalcSideTax(entry, entry.Debit) || !CalcSideTax(entry, entry.Credit))
        return false;

    TSwkBalance& debit = entry.Debit;
    TSwkBalance& credit = entry.Credit;
    if (debit.RIT > 0 && credit.RIT <= 0)
        entry.OLDRATE = debit.RateCode;
    else if (credit.RIT > 0 && debit.RIT <= 0)
        entry.OLDRATE = credit.RateCode;
    else if (debit.RIT > 0 && credit.RIT > 0 && debit.RateCode == credit.RateCode)
        entry.OLDRATE = debit.RateCode;

    if (entry.TAXCALCU == 1) {
        const Currency debitSum = debit.NUK + debit.ZEI;
        const Currency creditSum = credit.NUK + credit.ZEI;
        if (debitSum != creditSum) {
            TSwkBalance& smaller = debitSum < creditSum ? debit : credit;
            smaller.NUK = std::max(debitSum, creditSum);
            smaller.ZEI = 0;
        }
    }
    entry.ZEIGAKU = std::max(debit.ZEI, credit.ZEI);
    return true;
}
