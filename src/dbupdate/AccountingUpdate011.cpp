// Accounting update 0.1.1: the fixed-asset store rebuilt, the journal and
// master triggers recreated, depreciation method 6, the head-count reader,
// a single version row, and the ACCDEF1 columns.

#include "dbupdate/AccountingUpdate011.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate011 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 1);

// What the unit replaces, in an order in which nothing dropped is still
// used by something left.
void AddDrops(TUpdateScript& script)
{
    script.Add({
        "DROP PROCEDURE SP_KS_BUMONHB_ADD;",
        "DROP PROCEDURE SP_KS_SISAN_MUJUN;",
        "DROP PROCEDURE SP_KS_DAICHO_UPDATE;",
        "DROP PROCEDURE SP_KS_BUMONHB_REC_ADD;",
        "DROP TRIGGER SIWAKE_AFTER_INSERT;",
        "DROP TRIGGER SIWAKE_AFTER_UPDATE;",
        "ALTER TABLE KS_DAICHO DROP CONSTRAINT KSDAICHO_REC;",
        "DROP TABLE KS_DAICHO;",
        "ALTER TABLE KS_BUMONHB DROP CONSTRAINT KSBUMONHB_REC;",
        "ALTER TABLE KS_BUMONHB DROP CONSTRAINT KSBUMONHB_SBCODE;",
        "DROP TABLE KS_BUMONHB;",
        "DROP TRIGGER SISETUMST_AFTER_INSERT;",
        "DROP TRIGGER KAMOKUMST_AFTER_INSERT;",
        "DROP PROCEDURE SP_KS_INSSETSWK_CALL_SISETU;",
        "DROP PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU;",
        "DROP PROCEDURE SP_KS_INSSETSWK;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_BAIEKIKCODE;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_BAISONKCODE;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_JYOSONKCODE;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_KCODE;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_RUIKEIKCODE;",
        "ALTER TABLE KS_SETSWK_INIT DROP CONSTRAINT KSSETSWKINIT_SYOKYAKUKCODE;",
        "DROP TRIGGER KSSETSWKINIT_BEFORE_INSERT;",
        "DROP TABLE KS_SETSWK_INIT;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_BAIEKIKHCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_BAISONKHCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_JYOSONKHCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_KCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_RUIKEIKHCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_SCODE;",
        "ALTER TABLE KS_SETSWK DROP CONSTRAINT KSSETSWK_SYOKYAKUKHCODE;",
        "DROP TRIGGER KSSETSWK_BEFORE_INSERT;",
        "DROP TABLE KS_SETSWK;",
        "ALTER TABLE KS_SISAN DROP CONSTRAINT KSSISAN_KHCODE;",
        "ALTER TABLE KS_SISAN DROP CONSTRAINT KSSISAN_SCODE;",
        "ALTER TABLE KS_SISAN DROP CONSTRAINT KSSISAN_SIHAKHCODE;",
        "ALTER TABLE KS_SISAN DROP CONSTRAINT KSSISAN_SYUNYUKHCODE;",
        "DROP TABLE KS_SISAN;",
    });
}

// Data whose version table lost its 0.1.0 row (several rows, none of them
// the delivered version) is left with the one row the stamp updates.
void AddVersionNormalisation(TUpdateScript& script)
{
    script.Add({
        "SET TERM ^ ;",
        "CREATE PROCEDURE ONE_TIME_PROC",
        "AS",
        "  DECLARE VARIABLE dvCOUNT INTEGER;",
        "BEGIN",
        "  SELECT COUNT(*) FROM ACCVERSION",
        "  WHERE (MAJOR=0) AND (MINOR1=1) AND (MINOR2=0)",
        "  INTO :dvCOUNT;",
        "  IF (dvCOUNT = 0) THEN",
        "  BEGIN",
        "    DELETE FROM ACCVERSION;",
        "    INSERT INTO ACCVERSION(REC,MAJOR,MINOR1,MINOR2,MEMO) VALUES(1,0,1,0,'');",
        "  END",
        "END ^",
        "SET TERM ; ^",
        "EXECUTE PROCEDURE ONE_TIME_PROC;",
        "Commit;",
        "DROP PROCEDURE ONE_TIME_PROC;",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddDrops(script);
    accupdate011::AddFixedAssetTables(script);

    script.Add("SET TERM ^ ;");
    accupdate011::AddFixedAssetProcedures(script);
    accupdate011::AddJournalTriggers(script);
    accupdate011::AddAssetBookProcedure(script);
    accupdate011::AddMasterTriggers(script);
    script.Add("SET TERM ; ^");

    accupdate011::AddInitialJournalSettings(script);
    accupdate011::AddExistingFacilitySettings(script);
    script.Add({"INSERT INTO GENKADIV(CODE,GDNAM) VALUES(6,'リース期間定額法');", "Commit;"});

    script.Add("SET TERM ^ ;");
    accupdate011::AddHeadCountProcedure(script);
    script.Add("SET TERM ; ^");

    AddVersionNormalisation(script);
    accupdate::AddAccDef1ColumnChecks(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "減価償却処理を追加　他",
                        "1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。");
}

}  // namespace z5UserDbUpdate011
