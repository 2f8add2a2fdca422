// Accounting update 0.1.3: the audit items in their current form, the
// audit report's heading and first item, and the ACCDEF1 columns.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

namespace z5UserDbUpdate013 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 3);

// The eight foreign keys, in the order they are dropped and created:
// name, columns, referenced table and columns.
struct AuditItemKey {
    const char* name;
    const char* columns;
    const char* references;
};
constexpr AuditItemKey AuditItemKeys[] = {
    {"KANSA_ITEM_SIWAKE", "SWK_KENSAKU", "SWK_SEARCH (REC)"},
    {"KANSA_ITEM_MOTO", "MOT_KENSAKU", "SWK_SEARCH (REC)"},
    {"KANSA_ITEM_MOTBCODE", "MOT_BCODE", "BUMONMST (BCODE)"},
    {"KANSA_ITEM_MOTHCODE", "MOT_KCODE, MOT_HCODE", "HOJOMST (KCODE, HCODE)"},
    {"KANSA_ITEM_MOTKCODE", "MOT_KCODE", "KAMOKUMST (KCODE)"},
    {"KANSA_ITEM_TOZBCODE", "TOZ_BCODE", "BUMONMST (BCODE)"},
    {"KANSA_ITEM_TOZHCODE", "TOZ_KCODE, TOZ_HCODE", "HOJOMST (KCODE, HCODE)"},
    {"KANSA_ITEM_TOZKCODE", "TOZ_KCODE", "KAMOKUMST (KCODE)"},
};

void AddAuditItemTable(TUpdateScript& script)
{
    for (const AuditItemKey& key : AuditItemKeys)
        script.Add(std::string("ALTER TABLE KANSA_ITEM DROP CONSTRAINT ") + key.name + ";");
    script.Add("DROP TABLE KANSA_ITEM;");
    script.Add({
        "CREATE TABLE KANSA_ITEM (",
        "REC INTEGER NOT NULL,",
        "JUNJO INTEGER DEFAULT 0,",
        "TEXT VARCHAR(15) CHARACTER SET SJIS_0208,",
        "NOTE VARCHAR(64) CHARACTER SET SJIS_0208,",
        "PRINT INTEGER DEFAULT 1,",
        "CHECKMARK INTEGER DEFAULT 0,",
        "CHOUBO INTEGER DEFAULT 0,",
        "KENSAKU INTEGER DEFAULT 0,",
        "SWK_KENSAKU INTEGER DEFAULT NULL,",
        "MOT_KENSAKU INTEGER DEFAULT NULL,",
        "MOT_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "MOT_HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "MOT_BCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "TOZ_KCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "TOZ_HCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "TOZ_BCODE VARCHAR(6) CHARACTER SET ASCII DEFAULT NULL,",
        "PRIMARY KEY (REC)",
        ");",
    });
    for (const AuditItemKey& key : AuditItemKeys)
        script.Add({
            "ALTER TABLE KANSA_ITEM ADD CONSTRAINT " + std::string(key.name) + " FOREIGN KEY (" + key.columns +
                ") REFERENCES " + key.references,
            "ON UPDATE CASCADE ON DELETE SET NULL;",
        });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddAuditItemTable(script);
    script.Add({
        "DELETE FROM KANSA;",
        "INSERT INTO KANSA(REC,TITLE,NOTE,JIMUSHO,TANTOU) VALUES(1,'監査報告書',"
        "'監査対象期間において、下記項目の監査が完了致しましたのでご報告申し上げます。','','');",
        "INSERT INTO KANSA_ITEM(REC,JUNJO,TEXT,NOTE,PRINT,CHECKMARK,CHOUBO) VALUES(1,1,'現・預金の残高確認',"
        "'現・預金の残高を確認しました。',0,0,0);",
        "COMMIT;",
    });
    accupdate::AddAccDef1ColumnChecks(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "監査処理機能を追加", "監査処理用のテーブルを作成します。");
}

}  // namespace z5UserDbUpdate013
