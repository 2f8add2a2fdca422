#include "calc/engine/MedicalTotals.h"

#include <array>
#include <charconv>
#include <utility>

namespace {

using Terms = std::pair<int, int>;

constexpr Terms T2[] = {{2, 1}, {1, 1}};
constexpr Terms T5[] = {{2, 1}, {3, 1}, {4, 1}};
constexpr Terms T9[] = {{6, 1}, {7, 1}, {8, 1}};
constexpr Terms T11[] = {{5, 1}, {9, 1}, {10, 1}};
constexpr Terms T14[] = {{12, 1}, {13, 1}};
constexpr Terms T19[] = {{11, 1}, {14, -1}, {15, -1}, {16, -1}, {17, -1}, {18, -1}, {22, -1}};
constexpr Terms T21[] = {{17, 1}, {18, 1}, {19, 1}};
constexpr Terms T23[] = {{15, 1}, {16, 1}, {21, 1}, {22, 1}};
constexpr Terms T24[] = {{14, 1}, {23, 1}};
constexpr Terms T26[] = {{26, 1}, {25, 1}};
constexpr Terms T28[] = {{28, 1}, {27, 1}};
constexpr Terms T30[] = {{30, 1}, {29, 1}};
constexpr Terms T32[] = {{26, 1}, {28, 1}, {30, 1}, {31, 1}};
constexpr Terms T41[] = {{33, 1}, {34, 1}, {35, 1}, {36, 1}, {37, 1}, {38, 1}, {39, 1}, {40, 1}};
constexpr Terms T42[] = {{32, 1}, {41, -1}};
constexpr Terms T45[] = {{42, 1}, {43, 1}, {44, -1}};
constexpr Terms T48[] = {{45, 1}, {46, 1}, {47, -1}};
constexpr Terms T49[] = {{48, 1}, {49, -1}};
constexpr Terms T50[] = {{49, 1}, {50, 1}};
constexpr Terms T53[] = {{50, 1}, {51, 1}, {52, -1}};
constexpr Terms T20[] = {{49, 1}};

constexpr TMedicalFormula Formulas[] = {
    {2, T2, false},   {5, T5, false},   {9, T9, false},   {11, T11, false}, {14, T14, false}, {19, T19, true},
    {21, T21, false}, {23, T23, false}, {24, T24, false}, {26, T26, false}, {28, T28, false}, {30, T30, false},
    {32, T32, false}, {41, T41, false}, {42, T42, true},  {45, T45, true},  {48, T48, true},  {49, T49, true},
    {50, T50, true},  {53, T53, true},  {20, T20, false}};

// The leading integer of a group code; 0 when it does not start with one.
int CodeNumber(const std::string& code)
{
    int value = 0;
    std::from_chars(code.data(), code.data() + code.size(), value);
    return value;
}

}  // namespace

int MedicalSide(std::int32_t businessKind)
{
    return businessKind == 2 || businessKind == 4 ? 2 : 1;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool ValidBusinessKind(std::int32_t businessKind)
{
    switch (businessKind) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 255:
        return true;
    default:
        return false;
    }
}

const std::string& ComparisonCode(const TKMKREC& account, int side)
{
    return side == 2 ? account.GroupCode3 : account.GROUPM1;
}

bool MedicalDebitSection(int total)
{
    if (total >= 1 && total <= 11)
        return true;
    if (total >= 12 && total <= 32)
        return false;
    if (total >= 33 && total <= 41)
        return true;
    switch (total) {
    case 43:
    case 46:
    case 50:
    case 51:
        return false;
    default:
        return true;
    }
}

int MedicalSectionSign(int total, std::int32_t taishaku)
{
    if (taishaku < 1 || taishaku > 4)
        return 0;
    return DebitBalanceSide(taishaku) == MedicalDebitSection(total) ? 1 : -1;
}

std::span<const TMedicalFormula> MedicalFormulas()
{
    return Formulas;
}

void RollUpMedicalTotals(std::span<TBALANCE> rows, int last, int i, std::int32_t businessKind)
{
    auto row = [&](int n) -> TBALANCE& { return rows[static_cast<std::size_t>(n <= last ? n : 0)]; };
    for (int n = 0; n <= MedicalReservedTotals && n <= last; ++n) {
        TBALANCE& r = row(n);
        r.OpeningByYear[0] = 0;
        if (i == 16)
            r.OpeningByYear.fill(0);
        if (n <= MedicalLastTotal) {
            r.PeriodBalance[i] = 0;
            r.PeriodChange[i] = 0;
        }
    }
    ForEachAccountInTotal(rows, last, MedicalSide(businessKind), [&](int t, TBALANCE& total, const TBALANCE& account) {
        const int sign = MedicalSectionSign(t, account.KMK.TAISHAKU);
        total.PeriodBalance[i] += sign * account.PeriodBalance[i];
        total.PeriodChange[i] += sign * account.PeriodChange[i];
        total.OpeningByYear[0] += sign * account.OpeningByYear[0];
        if (i == 16)
            for (std::size_t y = 1; y < 4; ++y)
                total.OpeningByYear[y] += sign * account.OpeningByYear[y];
        total.KMK.TAISHAKU = account.KMK.TAISHAKU;
    });
    for (const TMedicalFormula& f : MedicalFormulas()) {
        Currency balance = 0;
        Currency change = 0;
        for (const auto& [n, sign] : f.terms) {
            balance += sign * row(n).PeriodBalance[i];
            change += sign * row(n).PeriodChange[i];
        }
        TBALANCE& target = row(f.target);
        target.PeriodBalance[i] = balance;
        target.PeriodChange[i] = change;
    }
    const Currency bases[] = {row(11).PeriodBalance[i], row(24).PeriodBalance[i], row(32).PeriodBalance[i]};
    for (int n = 0; n <= last; ++n) {
        TBALANCE& r = row(n);
        const int code = CodeNumber(r.KMK.GROUPM1);
        const int range = code >= 1000 && code <= 1900   ? 0
                          : code >= 2000 && code <= 3900 ? 1
                          : code >= 4000 && code <= 9500 ? 2
                                                         : -1;
        if (range < 0 || bases[range] == 0)
            continue;
        const Currency percent =
            RatioToPercent(static_cast<double>(r.PeriodBalance[i]) / static_cast<double>(bases[range]));
        r.PeriodRatio[i] = percent > 9999 * CurrencyScale || percent < -999 * CurrencyScale ? 0 : percent;
    }
}
