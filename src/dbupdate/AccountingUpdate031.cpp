// Accounting update 0.3.1: the communication folder of the company data,
// the department-group prior-year balances summed over the group, and the
// past-balance mark of an account row.

#include "dbupdate/AccountingUpdate022.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate031 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 3, 1);

void AddCommunicationFolder(TUpdateScript& script)
{
    script.Add({
        "ALTER TABLE ACCDEF1",
        "ADD WEB_HOLDER VARCHAR(30) CHARACTER SET ASCII;",
        "UPDATE ACCDEF1 SET WEB_HOLDER = '';",
        "COMMIT;",
    });
}

// KAKOZAN marks an account row that carries past balances: the largest
// non-zero balance of its earlier periods, 0 when there is none. The period
// -32 only seeds the oldest year's comparison and is left out.
void AddPastBalanceMarkTrigger(TUpdateScript& script)
{
    script.Add({
        "ALTER TRIGGER KAMOKU_PZ_AFTER_UPDATE",
        "ACTIVE AFTER UPDATE POSITION 0",
        "AS",
        "  DECLARE VARIABLE VMAX NUMERIC(16,4);",
        "BEGIN",
        "  IF (NEW.NUKIZAN IS NOT DISTINCT FROM OLD.NUKIZAN) THEN",
        "    EXIT;",
        "  VMAX = NULL;",
        "  SELECT MAX(NUKIZAN) FROM KAMOKU_PZ",
        "   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE",
        "     AND NUKIZAN <> 0 AND MNUM <> -32",
        "    INTO :VMAX;",
        "  UPDATE KAMOKU_SZ SET KAKOZAN = COALESCE(:VMAX, 0)",
        "   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE;",
        "END ^",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddCommunicationFolder(script);
    script.Add("SET TERM ^ ;");
    accupdate022::AddGroupPriorYearProcedure(script, "ALTER");
    AddPastBalanceMarkTrigger(script);
    script.Add("SET TERM ; ^");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "３期比較集計プログラムの更新 他",
                        "３期比較集計プログラムを更新します。\r基本情報に通信フォルダー列を追加します。");
}

}  // namespace z5UserDbUpdate031
