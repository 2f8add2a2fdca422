// Journal counts of the open company data.

#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "platform/db/JoinedTransaction.h"

#include <string>

namespace {

std::int32_t FirstColumn(db::Query& query)
{
    query.Open();
    const std::int32_t value = query.Eof() ? 0 : query.FieldByIndex(0).OptionalInteger().value_or(0);
    query.Close();
    return value;
}

std::string FacilityLine(const std::string& code)
{
    return TrimZen(code).empty() ? std::string() : "\nAND (SCODE=:SCODE)";
}

// The cash book's entries: its lines on the cash account, less half of
// those whose other side is the cash account too.
std::int32_t CashBookCount(db::Query& query, const std::string& code)
{
    const std::string cash = AccInf.SystemCodes[0];
    const std::string facility = FacilityLine(code);
    query.SetSQL("SELECT COUNT(REC) AS SWKCNT FROM SIWAKE\nWHERE (DELFLG=0) AND (KCODE=:KCODE)" + facility);
    query.ParamByName("KCODE").SetString(cash);
    if (!facility.empty())
        query.ParamByName("SCODE").SetString(code);
    const std::int32_t all = FirstColumn(query);
    query.SetSQL(
        "SELECT COUNT(REC) AS SWKCNT FROM SIWAKE\nWHERE (DELFLG=0) AND ((KCODE=:KCODE) AND ((R_KCODE=:R_KCODE)))" +
        facility);
    query.ParamByName("KCODE").SetString(cash);
    query.ParamByName("R_KCODE").SetString(cash);
    if (!facility.empty())
        query.ParamByName("SCODE").SetString(code);
    const std::int32_t both = FirstColumn(query);
    return all - both / 2;
}

std::int32_t ValidCount(db::Query& query, const std::string& code)
{
    if (ProgramKind <= 2) {
        if (TrimZen(code).empty()) {
            query.SetSQL("SELECT SUM(SIWAKECOUNT) AS SWKCNT FROM SISETUMST");
        } else {
            query.SetSQL("SELECT SIWAKECOUNT AS SWKCNT FROM SISETUMST\nWHERE (SCODE=:SCODE)");
            query.ParamByName("SCODE").SetString(code);
        }
        return FirstColumn(query);
    }
    if (ProgramKind == 3)
        return CashBookCount(query, code);
    return -1;
}

std::int32_t ChangedCount(db::Query& query, const std::string& code)
{
    const std::string facility = FacilityLine(code);
    query.SetSQL("SELECT COUNT(REC) AS SWKCNT FROM SIWAKE\nWHERE (DELFLG IN (1,2) AND TAISHAKU=1)" + facility);
    if (!facility.empty())
        query.ParamByName("SCODE").SetString(code);
    return FirstColumn(query);
}

// Runs count in the company transaction (started and committed here when
// none is active); a database error is logged under location when this call
// started the transaction, and every error goes on to the caller.
template <class Count>
std::int32_t Counting(TDM& dm, const char* location, Count count)
{
    const bool started = !dm.IBTransactionDAT.InTransaction();
    try {
        db::JoinedTransaction joined(dm.IBTransactionDAT);
        dm.IBQACC1.Close();
        const std::int32_t result = count(dm.IBQACC1);
        joined.Commit();
        return result;
    } catch (const db::FbError& error) {
        dm.IBQACC1.Close();
        if (started)
            HandleIBError(error, location, "");
        throw;
    }
}

}  // namespace

std::int32_t TDM::GetYukouSiwakeCount(const std::string& facilityCode)
{
    return Counting(*this, "TDM.GetYukouSiwakeCount", [&](db::Query& q) { return ValidCount(q, facilityCode); });
}

std::int32_t TDM::GetUpDelSiwakeCount(const std::string& facilityCode)
{
    return Counting(*this, "TDM.GetUpDelSiwakeCount", [&](db::Query& q) { return ChangedCount(q, facilityCode); });
}

std::int32_t TDM::GetSiwakeCount(const std::string& facilityCode, std::int32_t& valid, std::int32_t& changed)
{
    return Counting(*this, "TDM.GetSiwakeCount", [&](db::Query& q) {
        valid = ValidCount(q, facilityCode);
        changed = ChangedCount(q, facilityCode);
        return valid;
    });
}

std::int32_t TDM::GetSiwakeCounts(const std::string& facilityCode)
{
    std::int32_t valid = 0, changed = 0;
    return GetSiwakeCount(facilityCode, valid, changed);
}
