// Accounting update 0.2.1: a one-time repair of the prior-year allocation
// ratios and of the no-department past balances.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate021 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 2, 1);

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    script.Add({
        "SET TERM ^ ;",
        "RECREATE PROCEDURE ONE_TIME_PROC",
        "AS",
        "  DECLARE VARIABLE dvSCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvKCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvHCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvBCODE VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE dvMNUM INTEGER;",
        "  DECLARE VARIABLE dvHAIBUN NUMERIC(16,4);",
        "BEGIN",
        "  /* The two earlier years take this year's allocation ratios, period",
        "     by period. */",
        "  FOR SELECT SCODE, KCODE, HCODE, BCODE, MNUM, HAIBUN FROM KAMOKU_PZ",
        "       WHERE MNUM BETWEEN 1 AND 16",
        "       ORDER BY SCODE, KCODE, HCODE, BCODE, MNUM",
        "        INTO :dvSCODE, :dvKCODE, :dvHCODE, :dvBCODE, :dvMNUM, :dvHAIBUN DO",
        "    UPDATE KAMOKU_PZ SET HAIBUN = :dvHAIBUN",
        "     WHERE SCODE = :dvSCODE AND KCODE = :dvKCODE AND HCODE = :dvHCODE AND BCODE = :dvBCODE",
        "       AND (MNUM = :dvMNUM - 16 OR MNUM = :dvMNUM - 32);",
        "  /* Where an account keeps its past balances by department, the",
        "     no-department rows held them a second time. The tax-inclusive",
        "     balance goes with the other two, or readers of it would still",
        "     count them twice. */",
        "  FOR SELECT DISTINCT SCODE, KCODE, HCODE FROM KAMOKU_VIEW",
        "       WHERE BCODE <> ' '",
        "        INTO :dvSCODE, :dvKCODE, :dvHCODE DO",
        "    UPDATE KAMOKU_PZ SET NUKIZAN = 0, ZEIGAKU = 0, KOMIZAN = 0",
        "     WHERE SCODE = :dvSCODE AND KCODE = :dvKCODE AND HCODE = :dvHCODE AND BCODE = ' '",
        "       AND MNUM <= 0;",
        "END ^",
        "SET TERM ; ^",
        "EXECUTE PROCEDURE ONE_TIME_PROC;",
        "Commit;",
        "DROP PROCEDURE \"ONE_TIME_PROC\";",
    });
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "過年度残高の修復 ", "過年度残高を修復します。");
}

}  // namespace z5UserDbUpdate021
