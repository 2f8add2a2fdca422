// System update 8.0.2: the menu rights of the processing levels move from
// old menu positions (JOBCONTROL) to program ids (JOBCONTROL2, created by
// the body file).

#include "dbupdate/OldMenuList.h"
#include "dbupdate/SystemConnection.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/DataModule.h"

namespace z5SystemDbUpdate802 {

namespace {

void ConvertRows()
{
    db::Query reader(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                     "SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL ORDER BY "
                     "LEVELNO,PAGENO,MENUNO");
    db::Query writer(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                     "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) "
                     "VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    reader.Open();
    std::string procId, option, procIdCopy;
    for (; !reader.Eof(); reader.Next()) {
        const std::int32_t level = reader.FieldByName("LEVELNO").AsInteger();
        z5MenuListOldHistory::GetOldMenuProc(level, reader.FieldByName("PAGENO").AsInteger(),
                                             reader.FieldByName("MENUNO").AsInteger(), procId, option, procIdCopy);
        // A slot that held no program gives the level nothing to start.
        if (procId.empty())
            continue;
        writer.ParamByName("LEVELNO").SetInteger(level);
        writer.ParamByName("PROC_ID").SetString(procId);
        writer.ParamByName("PROC_OPTION").SetString(option);
        writer.ExecSQL();
    }
    reader.Close();
}

}  // namespace

std::int32_t ConvertMenuControl()
{
    return RunSystemConversion("z5SystemDbUpdate802", &ConvertRows);
}

}  // namespace z5SystemDbUpdate802

namespace {

TStandardUnit MakeUnit()
{
    TStandardUnit unit =
        sysupdate::BodyFileUnit(8, 0, 2, 1, "メニューの起動管理方法を変更",
                                "１）メニューの起動管理方法を変更しました。", {"sysup01.sql"}, TMissingBodyFile::Fail);
    unit.AfterScript = &z5SystemDbUpdate802::ConvertMenuControl;
    return unit;
}

}  // namespace

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate802, MakeUnit())
