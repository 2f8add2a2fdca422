// Accounting update 0.1.5: the dictionaries and audit items keep their
// entries when a department or sub-account is deleted (the code is blanked
// instead of the entry going), the opening-balance trigger leaves retained
// earnings alone, the notes table's title print switch, and the tables of
// the blue-return statements.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

#include <cstddef>
#include <iterator>
#include <string>

namespace z5UserDbUpdate015 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 5);

// The account references that no longer hold a dictionary or audit entry to
// the chart, in the order they are dropped: table, constraint.
struct AccountReference {
    const char* table;
    const char* constraint;
};
constexpr AccountReference AccountReferences[] = {
    {"SWKDIC", "SWKDIC_KAR_KCODE"},         {"SWKDIC", "SWKDIC_KAS_KCODE"},
    {"TEKDIC", "TEKDIC_KAR_KCODE"},         {"TEKDIC", "TEKDIC_KAS_KCODE"},
    {"TORDIC", "TORDIC_KAR_KCODE"},         {"TORDIC", "TORDIC_KAS_KCODE"},
    {"KANSA_ITEM", "KANSA_ITEM_MOTKCODE"},  {"KANSA_ITEM", "KANSA_ITEM_TOZKCODE"},
};

// Each side of an entry that names an account, sub-account and department,
// in the order the deletion triggers blank them: table and the column
// prefix of the side ("L_" gives L_KCODE, L_HCODE, L_BCODE).
struct EntrySide {
    const char* table;
    const char* prefix;
};
constexpr EntrySide EntrySides[] = {
    {"SWKDIC", "L_"},       {"SWKDIC", "R_"},       {"TEKDIC", "KAR_"},      {"TEKDIC", "KAS_"},
    {"TORDIC", "KAR_"},     {"TORDIC", "KAS_"},     {"KANSA_ITEM", "MOT_"},  {"KANSA_ITEM", "TOZ_"},
};

// The deleted HOJOMST row as HOJOLOG keeps it, after the history number.
constexpr const char* HojoLogColumns[] = {
    "REC",      "KCODE",   "HCODE",  "HKANA",   "HNAME",   "TAX_LCODE", "TAX_RCODE", "TAX_NUM", "BPFLG",
    "SIME",     "SAITO",   "CoDATE", "GENDO",   "WARIAISW", "WARI1",    "WARI2",     "WARI3",   "TEGATA",
    "YOKKMK",   "YOKHOJ",  "ADDRESS", "KOUZA",  "BANK",    "SITEN",     "KANKEI",    "TORIHIK", "RIRITU",
    "RIYUU",    "TANPO",   "YOUTO",  "FURIKOMI", "KARINAME", "KARIDADD", "RTIME",     "OPCODE",
};

void AddReferenceDrops(TUpdateScript& script)
{
    script.Add("/* 辞書テーブルの参照整合性の変更 */");
    for (const AccountReference& reference : AccountReferences)
        script.Add(std::string("ALTER TABLE \"") + reference.table + "\"    DROP  CONSTRAINT \"" +
                   reference.constraint + "\" ;");
}

// A changed opening balance is the closing balance of the period before the
// books start. Retained earnings are left out: the carry-forward writes that
// account's past balances itself.
void AddOpeningBalanceTrigger(TUpdateScript& script)
{
    script.Add({
        "ALTER TRIGGER KAMOKUSZ_AFTER_UPDATE",
        "ACTIVE AFTER UPDATE POSITION 0",
        "AS",
        "  DECLARE VARIABLE VKURIKOSI VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE VKAISINO INTEGER;",
        "  DECLARE VARIABLE VMNUM INTEGER;",
        "  DECLARE VARIABLE VZAN NUMERIC(16,4);",
        "BEGIN",
        "  IF (NEW.KAISIZAN IS NOT DISTINCT FROM OLD.KAISIZAN) THEN",
        "    EXIT;",
        "  SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金') INTO :VKURIKOSI;",
        "  IF (NEW.KCODE = VKURIKOSI) THEN",
        "    EXIT;",
        "  SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;",
        "  /* The start month's previous period: the months are the periods",
        "     1-3, 5-7, 9-11 and 13-15, each fourth period settling a quarter. */",
        "  VMNUM = CASE VKAISINO",
    });
    for (int month = 1; month <= 12; ++month)
        script.Add("    WHEN " + std::to_string(month) + " THEN " + std::to_string((month - 1) + (month - 1) / 3));
    script.Add({
        "    ELSE 0",
        "  END;",
        "  SELECT SUM(KAISIZAN) FROM KAMOKU_SZ",
        "   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE",
        "    INTO :VZAN;",
        "  UPDATE KAMOKU_PZ SET NUKIZAN = COALESCE(:VZAN, 0)",
        "   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE",
        "     AND MNUM = :VMNUM;",
        "END ^",
    });
}

void AddDepartmentDeletionTrigger(TUpdateScript& script)
{
    script.Add({
        "CREATE TRIGGER BUMONMST_BEFORE_DELETE FOR BUMONMST",
        "ACTIVE BEFORE DELETE POSITION 0",
        "AS",
        "BEGIN",
    });
    for (const EntrySide& side : EntrySides) {
        const std::string column = std::string(side.prefix) + "BCODE";
        script.Add("  UPDATE " + std::string(side.table) + " SET " + column + " = ' ' WHERE " + column +
                   " = OLD.BCODE;");
    }
    script.Add("END ^");
}

void AddSubAccountDeletionTrigger(TUpdateScript& script)
{
    script.Add({
        "ALTER TRIGGER HOJOMST_BEFORE_DELETE",
        "ACTIVE BEFORE DELETE POSITION 0",
        "AS",
        "BEGIN",
    });
    for (const EntrySide& side : EntrySides) {
        const std::string k = std::string(side.prefix) + "KCODE";
        const std::string h = std::string(side.prefix) + "HCODE";
        script.Add("  UPDATE " + std::string(side.table) + " SET " + h + " = ' ' WHERE " + k + " = OLD.KCODE AND " +
                   h + " = OLD.HCODE;");
    }
    script.Add({
        "  INSERT INTO HOJOLOG",
        "  VALUES (gen_id( HOJOLOG_REC_GEN, 1),",
    });
    // Five old values a line.
    constexpr std::size_t count = std::size(HojoLogColumns);
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        line += (line.empty() ? "          " : " ") + std::string("OLD.") + HojoLogColumns[i] +
                (i + 1 == count ? ");" : ",");
        if ((i + 1) % 5 == 0 || i + 1 == count) {
            script.Add(line);
            line.clear();
        }
    }
    script.Add("END ^");
}

void AddNotesTitleSwitch(TUpdateScript& script)
{
    if (accupdate::CompanyColumnExists("KESSAN", "CHUKI_TITLEPRINT"))
        return;
    script.Add({
        "/* KESSANテーブルへ注記表タイトル印字区分を追加 */",
        "ALTER TABLE KESSAN",
        "ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;",
        "UPDATE KESSAN SET CHUKI_TITLEPRINT=0 WHERE REC=1;",
        "COMMIT;",
    });
}

// The tables behind the blue-return settlement statements; RECREATE
// replaces an older table of the same name with an empty one.
void AddBlueReturnTables(TUpdateScript& script)
{
    script.Add({
        "/* 青色決算書用テーブル作成 */",
        "RECREATE TABLE AO_SINKOKU (",
        "REC INTEGER NOT NULL,",
        "ZEIRISI_ADD1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "ZEIRISI_ADD2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "ZEIRISI_SIMEI1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "ZEIRISI_SIMEI2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "ZEIRISI_TEL VARCHAR(15) CHARACTER SET ASCII,",
        "GYOUSHUKUBUN INTEGER DEFAULT 0,",
    });
    for (int i = 1; i <= 5; ++i)
        script.Add("KURIIRE" + std::to_string(i) + " CURRENCY,");
    script.Add({
        "HASUU INTEGER DEFAULT 0,",
        "KOUJOKUBUN INTEGER DEFAULT 0,",
    });
    for (int i = 6; i <= 9; ++i)
        script.Add("KOUJO" + std::to_string(i) + " CURRENCY,");
    script.Add({
        "FUSAIRISI CURRENCY,",
        "HIZUKE DATE,",
        "KISHU DATE,",
        "KIMATU DATE,",
        "YOUSI INTEGER DEFAULT 0,",
        "COLOR INTEGER DEFAULT 1,",
        "WAKU INTEGER DEFAULT 1,",
        "PRIMARY KEY (REC)",
        ");",
        "ALTER TABLE \"EXTERKS\" ADD AO_KISHUZAN   CURRENCY;",
        "ALTER TABLE \"EXTERKS\" ADD AO_KIMATUZAN  CURRENCY;",
        "UPDATE EXTERKS SET AO_KISHUZAN=0 ,AO_KIMATUZAN=0 ;",

        "RECREATE TABLE AO_URIAGE (",
        "REC INTEGER NOT NULL,",
        "URIAGE CURRENCY,",
        "SIIRE CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_KYUUYO (",
        "REC INTEGER NOT NULL,",
        "NUMBER INTEGER DEFAULT 0,",
        "SENJYU INTEGER DEFAULT 0,",
        "SIMEI VARCHAR(8) CHARACTER SET SJIS_0208,",
        "TUZUKIGARA VARCHAR(5) CHARACTER SET SJIS_0208,",
        "NENREI INTEGER DEFAULT 0,",
        "TUKISUU INTEGER DEFAULT 0,",
        "KYUUYO CURRENCY,",
        "SHOUYO CURRENCY,",
        "GOUKEI COMPUTED BY ( KYUUYO+SHOUYO),",
        "GENSEN CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_TIDAI (",
        "REC INTEGER NOT NULL,",
        "SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "BUKKEN1 VARCHAR(7) CHARACTER SET SJIS_0208,",
        "BUKKEN2 VARCHAR(7) CHARACTER SET SJIS_0208,",
        "KENRI CURRENCY,",
        "KOUSIN CURRENCY,",
        "TINRYOU CURRENCY,",
        "KEIHI CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_RISI (",
        "REC INTEGER NOT NULL,",
        "SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "KIMARU CURRENCY,",
        "RISI CURRENCY,",
        "KEIHI CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_HOUSHU (",
        "REC INTEGER NOT NULL,",
        "SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,",
        "HOUSHU CURRENCY,",
        "KEIHI CURRENCY,",
        "GENSEN CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_NOTE (",
        "REC INTEGER NOT NULL,",
        "MEMO VARCHAR(300) CHARACTER SET SJIS_0208,",
        "PRIMARY KEY (REC)",
        ");",

        "RECREATE TABLE AO_FUDOUSAN (",
        "REC INTEGER NOT NULL,",
        "NUMBER INTEGER DEFAULT 0,",
        "KUBUN VARCHAR(6) CHARACTER SET SJIS_0208,",
        "YOUTO VARCHAR(6) CHARACTER SET SJIS_0208,",
        "SHOZAITI VARCHAR(30) CHARACTER SET SJIS_0208,",
        "TINSYAKU VARCHAR(30) CHARACTER SET SJIS_0208,",
        "KAISI DATE,",
        "SHUURYOU DATE,",
        "MENSEKI CURRENCY,",
        "GETUGAKU CURRENCY,",
        "NENGAKU CURRENCY,",
        "REIKIN CURRENCY,",
        "KENRIKIN CURRENCY,",
        "KOUSINRYOU CURRENCY,",
        "MEIGIRYOU CURRENCY,",
        "SIKIKIN CURRENCY,",
        "PRIMARY KEY (REC)",
        ");",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddReferenceDrops(script);
    script.Add("SET TERM ^ ;");
    AddOpeningBalanceTrigger(script);
    AddDepartmentDeletionTrigger(script);
    AddSubAccountDeletionTrigger(script);
    script.Add({
        "SET TERM ; ^",
        "COMMIT ;",
    });
    AddNotesTitleSwitch(script);
    AddBlueReturnTables(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "ページ辞書機能の仕様変更 他",
                        "1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に削除されないように仕様を変更しました。\r"
                        "2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。\r"
                        "3)青色申告書用テーブルを作成します。");
}

}  // namespace z5UserDbUpdate015
