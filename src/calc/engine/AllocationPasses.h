#pragma once
// What the facility x department accumulations of the trial balance and of
// the earlier years and budgets share: the use of the data module's
// snapshot transaction, the statements they read with, the weighted share
// of the common department, and the allocation passes over every facility
// that keeps departments crossed with every department of a group.

#include "calc/engine/CalcSisanhyoSetting.h"
#include "platform/NumberText.h"
#include "platform/db/Query.h"

#include <array>
#include <functional>

// The snapshot transaction IBTransactionDATSS for one accumulation step:
// started here when none is active, and then committed by Finish; a step
// that fails before Finish rolls back what it started (nothing is written
// in it) and leaves an outer transaction alone.
class TSnapshotUse final {
public:
    TSnapshotUse();
    ~TSnapshotUse();
    TSnapshotUse(const TSnapshotUse&) = delete;
    TSnapshotUse& operator=(const TSnapshotUse&) = delete;

    void Finish();

private:
    bool started_ = false;
};

// The ratios of periods 1 to 16 (index 0 unused) as fractions.
using TAllocationRatios = std::array<double, 17>;

// The amount times the ratio, rounded to the nearest ten-thousandth and then
// cut toward zero to whole yen: 33.33 percent of 1000 yen gives 333, of
// -1000 yen -333.
Currency WeightedShare(Currency amount, double ratio);

// The allocation passes: reads the facilities that keep departments
// (SISETUMST.BUMEX 1) and the departments of the group Setting.BCODE, and
// runs pass once for every facility and department, in code order, with a
// copy of the setting that names that one facility and that one department.
// Runs in the snapshot transaction (TSnapshotUse).
void ForEachAllocationPair(const TCalcSisanhyoSettingRec& Setting,
                           const std::function<void(const TCalcSisanhyoSettingRec&)>& pass);
