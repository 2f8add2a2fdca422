#include "calc/engine/AllocationPasses.h"

#include "calc/TaxAmounts.h"
#include "calc/engine/AccumulationConditions.h"
#include "calc/engine/AccumulationStatements.h"
#include "calc/engine/TrialBalanceContext.h"
#include "foundation/DataModule.h"

#include <cmath>
#include <string>
#include <memory>
#include <vector>

namespace {

db::Transaction& Snapshot()
{
    if (!DM)
        throw TTrialBalanceError("データモジュールがありません。");
    return DM->IBTransactionDATSS;
}

}  // namespace

TSnapshotUse::TSnapshotUse()
{
    db::Transaction& snapshot = Snapshot();
    if (!snapshot.InTransaction()) {
        snapshot.Start();
        started_ = true;
    }
}

TSnapshotUse::~TSnapshotUse()
{
    if (!started_ || !DM)
        return;
    try {
        if (DM->IBTransactionDATSS.InTransaction())
            DM->IBTransactionDATSS.Rollback();
    } catch (...) {
    }
}

void TSnapshotUse::Finish()
{
    if (started_)
        Snapshot().Commit();
    started_ = false;
}

Currency WeightedShare(Currency amount, double ratio)
{
    const long double tenThousandths = std::nearbyint(static_cast<long double>(amount) * ratio);
    return RoundTaxAmount(0, static_cast<Currency>(tenThousandths));
}

void ForEachAllocationPair(const TCalcSisanhyoSettingRec& Setting,
                           const std::function<void(const TCalcSisanhyoSettingRec&)>& pass)
{
    TSnapshotUse snapshot;
    std::vector<std::string> facilities;
    std::vector<std::string> departments;
    {
        const std::unique_ptr<db::Query> query = AccumulationStatement();
        query->SetSQL(
            "SELECT SCODE FROM SISETUMST\r\n"
            "WHERE (SCODE<>'') AND (BUMEX=1)\r\n"
            "ORDER BY SCODE");
        facilities = ReadCodes(*query);
        query->SetSQL(
            "SELECT BCODE FROM GROUPLIST\r\n"
            "WHERE (GCODE=:GCODE) AND (BCODE<>'')\r\n"
            "ORDER BY BCODE");
        query->ParamByName("GCODE").SetString(Setting.BCODE);
        departments = ReadCodes(*query);
    }
    for (const std::string& facility : facilities)
        for (const std::string& department : departments) {
            TCalcSisanhyoSettingRec pair = Setting;
            pair.SCODE = facility;
            pair.SingleSCODE = 1;
            pair.BCODE = department;
            pair.SingleBCODE = 1;
            pass(pair);
        }
    snapshot.Finish();
}
