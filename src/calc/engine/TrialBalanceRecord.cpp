#include "calc/engine/TrialBalanceRecord.h"

#include "platform/AsciiText.h"
#include "platform/db/FbError.h"

namespace {

bool BlankCode(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

TTrialBalanceColumns::TTrialBalanceColumns(const db::Query& query)
{
    names_.reserve(query.FieldCount());
    for (std::size_t i = 0; i < query.FieldCount(); ++i)
        names_.push_back(ascii::Upper(query.FieldByIndex(i).Name()));
    KAISIZAN = Find("KAISIZAN");
    for (int p = 1; p <= 16; ++p) {
        KAR[static_cast<std::size_t>(p)] = Find(TwoDigits("KAR", p));
        KAS[static_cast<std::size_t>(p)] = Find(TwoDigits("KAS", p));
    }
    KCODE = Find("KCODE");
}

std::size_t TTrialBalanceColumns::HCODE() const
{
    return Find("HCODE");
}

std::size_t TTrialBalanceColumns::HNAME() const
{
    return Find("HNAME");
}

std::size_t TTrialBalanceColumns::Find(const std::string& name) const
{
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return i;
    throw db::FbError("the query has no field " + name);
}

void ReadTrialBalanceSubAccounts(db::Query& query, const TTrialBalanceColumns& columns, TBALANCE& row, int n)
{
    const std::size_t hcode = columns.HCODE();
    const std::size_t hname = columns.HNAME();
    if (row.HOJCNT == 0) {
        if (!query.Eof() && BlankCode(query.FieldByIndex(hcode).AsString()))
            ++n;
        row.HOJCNT = n;
        // Built in place: an entry is some two kilobytes of figures, and an
        // account may have thousands of sub-accounts.
        row.Hojo.clear();
        row.Hojo.resize(static_cast<std::size_t>(n));
    }
    for (int k = 0; k < row.HOJCNT; ++k) {
        if (query.Eof() || query.FieldByIndex(columns.KCODE).AsString() != row.KMK.KCODE) {
            row.HOJCNT = k;
            row.Hojo.resize(static_cast<std::size_t>(k));
            return;
        }
        THOJOUTIWAKE& sub = row.Hojo[static_cast<std::size_t>(k)];
        sub.HCODE = query.FieldByIndex(hcode).AsString();
        sub.HNAME = query.FieldByIndex(hname).AsString();
        AddTrialBalancePeriods(sub, query, columns, row.KMK.TAISHAKU);
        query.Next();
    }
}
