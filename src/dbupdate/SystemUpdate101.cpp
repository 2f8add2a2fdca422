// System update 1.0.1: the data list's folder names.

#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/ProgramGlobals.h"

namespace z5SystemDbUpdate101 {

namespace {

const TUpdateUnitShape Shape = sysupdate::SystemShape(1, 0, 1, false);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // Only the client/server data list holds folder names typed on other
    // computers; the other modes record the version alone.
    if (ConnectionMode == 1)
        sysupdate::AddDataListFolderUpdate(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 0, "データリスト上のデータフォルダ名を大文字に統一",
                 "データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。");
}

}  // namespace z5SystemDbUpdate101
