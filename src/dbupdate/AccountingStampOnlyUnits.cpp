// Accounting updates 0.2.0 and 0.3.0: they change nothing but the version
// the data records, and ask for no backup.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace {

// Title and description name the version the data is brought to.
void DescribeStampOnly(TDbUpdateListRec& rec, const TUpdateUnitShape& shape, TDbUpdateFunc func)
{
    const std::string version = UnitVersionText(shape);
    sysupdate::Describe(rec, shape, std::move(func), 0, "データのバージョンを" + version + "に更新",
                        "データのバージョンを" + version + "に更新します。");
}

}  // namespace

#define LEDRIX_STAMP_ONLY_UNIT(name, major, minor1, minor2)                                     \
    namespace name {                                                                            \
    namespace {                                                                                 \
    const TUpdateUnitShape Shape = accupdate::AccountingShape(major, minor1, minor2);          \
    }                                                                                           \
    TUpdateScript Script() { return TUpdateScript(Shape); }                                     \
    std::int32_t DoUpdate() { return Script().Run(); }                                          \
    void GetUpdateInfo(TDbUpdateListRec& rec) { DescribeStampOnly(rec, Shape, &DoUpdate); }     \
    }

LEDRIX_STAMP_ONLY_UNIT(z5UserDbUpdate020, 0, 2, 0)
LEDRIX_STAMP_ONLY_UNIT(z5UserDbUpdate030, 0, 3, 0)

#undef LEDRIX_STAMP_ONLY_UNIT
