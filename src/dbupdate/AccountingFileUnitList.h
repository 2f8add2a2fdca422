#pragma once
// The accounting-data updates 8.0.2 to 15.0.0 (AccountingFileUnits.h).

#include "dbupdate/AccountingFileUnits.h"

#define LEDRIX_FILE_UNIT_DECLARATION(name)        \
    namespace name {                              \
    const accupdate::TAccountingFileUnit& Unit(); \
    std::int32_t DoUpdate();                      \
    void GetUpdateInfo(TDbUpdateListRec& rec);    \
    }

LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate802)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate803)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate900)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate901)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate902)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate903)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate904)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate905)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1000)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1001)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1003)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1004)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1005)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1100)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1101)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1110)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1200)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1300)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1303)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1400)
LEDRIX_FILE_UNIT_DECLARATION(z5UserDbUpdate1500)

#undef LEDRIX_FILE_UNIT_DECLARATION

namespace accupdate {
// 9.0.3, every data kind: the three budgets of every period row rounded.
void NormalizeBudgetAmounts(const TDataFixContext& context);
// 9.0.5, editions 1 and 2 only: every journal row's DNUM set to 0.
void ResetJournalDNum(const TDataFixContext& context);
}  // namespace accupdate
