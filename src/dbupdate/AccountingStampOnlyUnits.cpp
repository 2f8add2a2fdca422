// Accounting updates that change nothing but the version the data records
// and ask for no backup: 0.2.0 and 0.3.0, and 0.3.2, which keeps the title
// it was delivered with.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace {

// Without texts of their own, title and description name the version the
// data is brought to.
void DescribeStampOnly(TDbUpdateListRec& rec, const TUpdateUnitShape& shape, TDbUpdateFunc func,
                       std::string title = {}, std::string description = {})
{
    const std::string version = UnitVersionText(shape);
    if (title.empty())
        title = "データのバージョンを" + version + "に更新";
    if (description.empty())
        description = "データのバージョンを" + version + "に更新します。";
    sysupdate::Describe(rec, shape, std::move(func), 0, std::move(title), std::move(description));
}

}  // namespace

#define LEDRIX_STAMP_ONLY_UNIT(name, major, minor1, minor2, ...)                                \
    namespace name {                                                                            \
    namespace {                                                                                 \
    const TUpdateUnitShape Shape = accupdate::AccountingShape(major, minor1, minor2);          \
    }                                                                                           \
    TUpdateScript Script() { return TUpdateScript(Shape); }                                     \
    std::int32_t DoUpdate() { return Script().Run(); }                                          \
    void GetUpdateInfo(TDbUpdateListRec& rec) { DescribeStampOnly(rec, Shape, &DoUpdate __VA_OPT__(,) __VA_ARGS__); }     \
    }

LEDRIX_STAMP_ONLY_UNIT(z5UserDbUpdate020, 0, 2, 0)
LEDRIX_STAMP_ONLY_UNIT(z5UserDbUpdate030, 0, 3, 0)
LEDRIX_STAMP_ONLY_UNIT(z5UserDbUpdate032, 0, 3, 2, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。")

#undef LEDRIX_STAMP_ONLY_UNIT
