// System updates 3.0.0 (update lock, merged-data kind), 3.0.5 (child lists
// of merged data) and 3.0.7 (menu pages of the levels above 1000).

#include "dbupdate/SystemUpdateUnits.h"

#include <utility>

using sysupdate::Describe;
using sysupdate::SystemShape;

namespace z5SystemDbUpdate300 {

const TUpdateUnitShape Shape = SystemShape(3, 0, 0, false);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    script.Add({"SET TERM ^ ;", "ALTER TRIGGER VERSION_REC"});
    sysupdate::AddVersionRecBody(script);
    script.Add({"SET TERM ; ^", "COMMIT;"});

    for (const char* table : {"DATALIST", "SERVERDATALIST"})
        script.Add("ALTER TABLE " + std::string(table) + " ADD UPDATE_LOCK INTEGER DEFAULT 0, ADD GASSAN INTEGER DEFAULT 0;");
    // The new columns' defaults do not reach the rows already there.
    script.Add({"UPDATE DATALIST       SET UPDATE_LOCK=0,GASSAN=0;", "UPDATE SERVERDATALIST SET UPDATE_LOCK=0,GASSAN=0;"});
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 0, "旧バージョンデータの更新を禁止する機能を追加",
             "旧バージョンデータの更新を設定により禁止することが可能になります。");
}

}  // namespace z5SystemDbUpdate300

namespace z5SystemDbUpdate305 {

const TUpdateUnitShape Shape = SystemShape(3, 0, 5, false);

// The columns a child row carries after its key. The share-server list has
// no local-drive flag and no share lock.
struct TChildColumn {
    const char* Definition;
    bool OnServer;
};
constexpr TChildColumn ChildColumns[] = {
    {"GROUPID INTEGER DEFAULT 10000", false},
    {"ENTTEXT VARCHAR(20) CHARACTER SET SJIS_0208", true},
    {"SHOUGOU VARCHAR(20) CHARACTER SET SJIS_0208", true},
    {"PASNAME VARCHAR(127) CHARACTER SET SJIS_0208", true},
    {"NETDRIVE INTEGER", false},
    {"DATATYPE INTEGER", true},
    {"CODETYPE INTEGER", true},
    {"NENDO INTEGER", true},
    {"KISHU TIMESTAMP", true},
    {"KIMATU TIMESTAMP", true},
    {"DATALOCK INTEGER DEFAULT 0", true},
    {"TANTOU INTEGER DEFAULT 0", true},
    {"VER_MAJOR INTEGER DEFAULT 0", true},
    {"VER_MINOR1 INTEGER DEFAULT 0", true},
    {"VER_MINOR2 INTEGER DEFAULT 0", true},
    {"VER_TEXT VARCHAR(20) CHARACTER SET SJIS_0208", true},
    {"KYOYULOCK INTEGER DEFAULT 0", false},
    {"UPDATE_LOCK INTEGER DEFAULT 0", true},
    {"GASSAN INTEGER DEFAULT 0", true},
};

void AddChildTable(TUpdateScript& script, const std::string& table, std::vector<std::string> key, bool server)
{
    script.Add("RECREATE TABLE " + table + " (");
    std::string keyList;
    for (const std::string& column : key) {
        script.Add("  " + column + " NOT NULL,");
        keyList += (keyList.empty() ? "" : ", ") + column.substr(0, column.find(' '));
    }
    for (const TChildColumn& column : ChildColumns)
        if (!server || column.OnServer)
            script.Add("  " + std::string(column.Definition) + ",");
    script.Add("  CONSTRAINT PK_" + table + " PRIMARY KEY (" + keyList + ")");
    script.Add(");");
}

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddChildTable(script, "CHILD_DATALIST", {"REC INTEGER", "ROWNO INTEGER"}, false);
    script.Add({
        "ALTER TABLE CHILD_DATALIST ADD CONSTRAINT FK_CHILD_DATALIST",
        "  FOREIGN KEY (REC) REFERENCES DATALIST (REC) ON UPDATE CASCADE ON DELETE CASCADE;",
    });
    AddChildTable(script, "CHILD_SERVERDATALIST",
                  {"GROUPID INTEGER", "DRIVELETTER VARCHAR(1) CHARACTER SET ASCII", "REC INTEGER", "ROWNO INTEGER"},
                  true);
    script.Add({
        "ALTER TABLE CHILD_SERVERDATALIST ADD CONSTRAINT FK_CHILD_SERVERDATALIST",
        "  FOREIGN KEY (GROUPID, DRIVELETTER, REC) REFERENCES SERVERDATALIST (GROUPID, DRIVELETTER, REC)",
        "  ON UPDATE CASCADE ON DELETE CASCADE;",
    });
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 0, "データ合算機能の追加", "データの合算処理が可能になります。");
}

}  // namespace z5SystemDbUpdate305

namespace z5SystemDbUpdate307 {

const TUpdateUnitShape Shape = SystemShape(3, 0, 7, false);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // Pages 10, 11 and 12 of the levels above 1000 move on by one (12 back
    // to 10), through the free pages 100 to 120 so that no two collide.
    constexpr std::pair<int, int> moves[] = {{10, 100}, {11, 110}, {12, 120}, {110, 12}, {100, 11}, {120, 10}};
    for (const auto& [from, to] : moves)
        script.Add("UPDATE JOBCONTROL SET PAGENO=" + std::to_string(to) + " WHERE (LEVELNO>1000) AND (PAGENO=" +
                   std::to_string(from) + ");");
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 0, "処理コントロールデータの改修",
             "処理レベルによる処理コントロールのデータ関連性を改修します。");
}

}  // namespace z5SystemDbUpdate307
