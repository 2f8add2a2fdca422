// Accounting update 0.2.0.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate020 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 2, 0);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 0, "データのバージョンを0.2.0に更新", "データのバージョンを0.2.0に更新します。");
}

}  // namespace z5UserDbUpdate020
