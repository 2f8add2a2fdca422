#pragma once
// The figures the export tests work out from their own journal lines, to
// hold the written file against.

#include "CompanyExportSupport.h"
#include "app/export/XmlValueText.h"
#include "platform/NumberText.h"

#include <limits>
#include <string>
#include <vector>

namespace exporttest {

// Debit minus credit of the lines of (kcode, hcode) up to the period, in the
// tax mode; hcode "*" takes every sub-account. Without tax, the tax of every
// line goes to the suspense-tax accounts on the line's side.
inline Currency DebitLessCredit(const std::vector<JournalSide>& lines, const std::string& kcode,
                                const std::string& hcode, int taxMode, int lastPeriod = std::numeric_limits<int>::max())
{
    Currency sum = 0;
    for (const JournalSide& j : lines) {
        if (j.mnum > lastPeriod)
            continue;
        const Currency sign = j.taishaku == 1 ? 1 : -1;
        if (j.kcode == kcode && (hcode == "*" || j.hcode == hcode))
            sum += sign * (StrToCurr(j.nuk) + (taxMode == 0 ? StrToCurr(j.zei) : 0));
        const char* taxAccount = j.taxuh == 1 ? "2109" : j.taxuh == 2 ? "1304" : "";
        if (taxMode == 1 && kcode == taxAccount && (hcode == "*" || hcode == " "))
            sum += sign * StrToCurr(j.zei);
    }
    return sum;
}

// The figure written for an account of that side: the balance of the side,
// negated for sides 2 and 4.
inline std::string Written(int dac, Currency debitLessCredit)
{
    const Currency balance = dac == 1 || dac == 4 ? debitLessCredit : -debitLessCredit;
    return ZandakaText(dac == 2 || dac == 4 ? -balance : balance);
}

}  // namespace exporttest
