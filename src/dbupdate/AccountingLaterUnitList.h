#pragma once
// The accounting-data updates 8.0.2 to 15.0.0 (AccountingLaterUnits.h).

#include "dbupdate/AccountingLaterUnits.h"

#define LEDRIX_LATER_UNIT_DECLARATION(name)        \
    namespace name {                              \
    const accupdate::TLaterUnit& Unit(); \
    std::int32_t DoUpdate();                      \
    void GetUpdateInfo(TDbUpdateListRec& rec);    \
    }

LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate802)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate803)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate900)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate901)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate902)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate903)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate904)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate905)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1000)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1001)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1003)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1004)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1005)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1100)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1101)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1110)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1200)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1300)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1303)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1400)
LEDRIX_LATER_UNIT_DECLARATION(z5UserDbUpdate1500)

#undef LEDRIX_LATER_UNIT_DECLARATION

namespace accupdate {
// 9.0.3, every data kind: the three budgets of every period row rounded.
void NormalizeBudgetAmounts(const TDataFixContext& context);
// 9.0.5, editions 1 and 2 only: every journal row's DNUM set to 0.
void ResetJournalDNum(const TDataFixContext& context);
}  // namespace accupdate
