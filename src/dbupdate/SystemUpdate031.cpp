// System updates 0.3.1 (shared server), 0.3.2 and 0.3.3 (the system user)
// and 1.0.1 (data-list folder names).

#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/AccRecord.h"

using sysupdate::Describe;
using sysupdate::SystemShape;

namespace sysupdate {

// The body of VERSION_REC, shared by its creation (0.3.1) and its
// re-issue (3.0.0): every new row is numbered after the highest one.
void AddVersionRecBody(TUpdateScript& script)
{
    script.Add({
        "AS",
        "  DECLARE VARIABLE dvREC INTEGER;",
        "BEGIN",
        "  SELECT MAX(REC) FROM VERSION INTO :dvREC;",
        "  IF (dvREC IS NULL) THEN",
        "    NEW.REC = 1;",
        "  ELSE",
        "    NEW.REC = dvREC + 1;",
        "END ^",
    });
}

}  // namespace sysupdate

namespace z5SystemDbUpdate031 {

const TUpdateUnitShape Shape = SystemShape(0, 3, 1, false);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    script.Add({"SET TERM ^ ;", "CREATE TRIGGER VERSION_REC FOR VERSION", "ACTIVE BEFORE INSERT POSITION 0"});
    sysupdate::AddVersionRecBody(script);
    script.Add("SET TERM ;^");

    script.Add({
        "ALTER TABLE DATALIST",
        "  ADD VER_TEXT VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  ADD KYOYULOCK INTEGER DEFAULT 0;",
    });

    // The first form numbered its rows per group; the new one is keyed by
    // group, drive letter and number.
    script.Add({
        "DROP TRIGGER SERVERDATALIST_NO;",
        "ALTER TABLE SERVERDATALIST DROP GROUPID;",
        "DROP TABLE SERVERDATALIST;",
    });
    script.Add({
        "CREATE TABLE SERVERDATALIST (",
        "  GROUPID INTEGER NOT NULL,",
        "  DRIVELETTER VARCHAR(1) CHARACTER SET ASCII NOT NULL,",
        "  REC INTEGER NOT NULL,",
        "  ENTTEXT VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  SHOUGOU VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  PASNAME VARCHAR(128) CHARACTER SET SJIS_0208,",
        "  DATATYPE INTEGER,",
        "  CODETYPE INTEGER,",
        "  NENDO INTEGER,",
        "  KISHU TIMESTAMP,",
        "  KIMATU TIMESTAMP,",
        "  DATALOCK INTEGER DEFAULT 0,",
        "  TANTOU INTEGER DEFAULT 0,",
        "  VER_MAJOR INTEGER DEFAULT 0,",
        "  VER_MINOR1 INTEGER DEFAULT 0,",
        "  VER_MINOR2 INTEGER DEFAULT 0,",
        "  VER_TEXT VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  CONSTRAINT PK_SERVERDATALIST PRIMARY KEY (GROUPID, DRIVELETTER, REC),",
        "  CONSTRAINT FK_SERVERDATALIST_GROUP FOREIGN KEY (GROUPID) REFERENCES USERGROUP (GROUPID)",
        "    ON UPDATE CASCADE ON DELETE CASCADE",
        ");",
    });

    script.Add({
        "CREATE TABLE KENSAKUJYOKEN (",
        "  OPCODE INTEGER NOT NULL,",
        "  LISTTYPE INTEGER NOT NULL,",
        "  JYOKENUSE INTEGER,",
        "  DATATYPE INTEGER,",
        "  CODETYPE INTEGER,",
        "  DATACODE VARCHAR(10) CHARACTER SET ASCII,",
        "  DATANAME VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  TANTO INTEGER,",
        "  DATAVER VARCHAR(10) CHARACTER SET ASCII,",
        "  SEIHINNAME VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  SORTCOL INTEGER,",
        "  SORTTYPE INTEGER,",
        "  CONSTRAINT PK_KENSAKUJYOKEN PRIMARY KEY (OPCODE, LISTTYPE)",
        ");",
    });
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 1, "共有サーバー機能の追加", "共有サーバー機能を追加します。");
}

}  // namespace z5SystemDbUpdate031

namespace z5SystemDbUpdate032 {

const TUpdateUnitShape Shape = SystemShape(0, 3, 2, false);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // The electronic-book programs log on as this user; its first password
    // is a fixed digit, which 0.3.3 takes away again.
    script.Add({
        "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,JIMUSHO,OKINIIRI,KANSA)",
        "VALUES(10000,1,'システムユーザー',9,'1','',0,0,0);",
        "COMMIT;",
    });
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 0, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。");
}

}  // namespace z5SystemDbUpdate032

namespace z5SystemDbUpdate033 {

const TUpdateUnitShape Shape = SystemShape(0, 3, 3, false);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    script.Add({"UPDATE OPERATOR SET PASWORD='' ", "WHERE GROUPID=10000 AND OPCODE=1;", "COMMIT;"});
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 0, "経営Navigoreユーザーの追加", "経営Navigoreユーザーを追加します。");
}

}  // namespace z5SystemDbUpdate033

namespace z5SystemDbUpdate101 {

const TUpdateUnitShape Shape = SystemShape(1, 0, 1, false);

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
    Describe(rec, Shape, &DoUpdate, 0, "データリスト上のデータフォルダ名を大文字に統一",
             "データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。");
}

}  // namespace z5SystemDbUpdate101
