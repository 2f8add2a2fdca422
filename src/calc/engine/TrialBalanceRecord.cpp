#include "calc/engine/TrialBalanceRecord.h"

namespace {

bool BlankCode(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

void ReadTrialBalanceSubAccounts(db::Query& query, TBALANCE& row, int n)
{
    if (row.HOJCNT == 0) {
        if (!query.Eof() && BlankCode(query.FieldByName("HCODE").AsString()))
            ++n;
        row.HOJCNT = n;
        row.Hojo.assign(static_cast<std::size_t>(n), THOJOUTIWAKE{});
    }
    for (int k = 0; k < row.HOJCNT; ++k) {
        if (query.Eof() || query.FieldByName("KCODE").AsString() != row.KMK.KCODE) {
            row.HOJCNT = k;
            row.Hojo.resize(static_cast<std::size_t>(k));
            return;
        }
        THOJOUTIWAKE& sub = row.Hojo[static_cast<std::size_t>(k)];
        sub.HCODE = query.FieldByName("HCODE").AsString();
        sub.HNAME = query.FieldByName("HNAME").AsString();
        AddTrialBalancePeriods(sub, query, row.KMK.TAISHAKU);
        query.Next();
    }
}
