// Accounting update 0.1.2: the bank reconciliation statement's procedures.
//
// Two selectable procedures page through one account's journal lines from
// a reference line, backwards (LISTUP, newest first) or forwards (LISTDOWN,
// oldest first); the third gives the statement's balance up to a line or
// up to a month. Each stands in its own "SET TERM" block; the version stamp
// follows the last block directly.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace z5UserDbUpdate012 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 1, 2);

const char* const Code = "VARCHAR(6) CHARACTER SET ASCII";

// One column of the paging procedures' rows, in the order the callers read
// them. The row is the journal line as SIWAKE_VIEW gives it, except that
// RESERVE1 and RESERVE2 are never read: they stay null in every row.
struct PagedColumn {
    const char* name;
    const char* type;
    bool fromView;
};

const std::vector<PagedColumn>& PagedColumns()
{
    static const std::vector<PagedColumn> columns = [] {
        std::vector<PagedColumn> list;
        const auto add = [&list](std::initializer_list<const char*> names, const char* type, bool fromView = true) {
            for (const char* name : names)
                list.push_back({name, type, fromView});
        };
        add({"REC", "SWKREC", "SWKNO", "DELFLG", "TAISHAKU"}, "INTEGER");
        add({"HIZUKE"}, "DATE");
        add({"MNUM", "KESSAN", "DNUM", "SNUM", "MDAYNUM", "SDAYNUM"}, "INTEGER");
        add({"SCODE", "KGROUP", "KCODE", "USERCODE", "HCODE", "BCODE"}, Code);
        add({"KNAME", "HNAME", "BNAME"}, "VARCHAR(14) CHARACTER SET SJIS_0208");
        add({"TAXCODE", "TAXUH", "TAXDC"}, "INTEGER");
        add({"NUK", "ZEI", "RIT"}, "NUMERIC(16,4)");
        add({"SIKIN"}, "INTEGER");
        add({"R_KGROUP", "R_KCODE", "R_USERCODE", "R_HCODE", "R_BCODE"}, Code);
        add({"R_KNAME", "R_HNAME", "R_BNAME"}, "VARCHAR(56) CHARACTER SET SJIS_0208");
        add({"R_TAXCODE", "R_TAXUH", "R_TAXDC"}, "INTEGER");
        add({"R_NUK", "R_ZEI", "R_RIT"}, "NUMERIC(16,4)");
        add({"R_SIKIN"}, "INTEGER");
        add({"KINGAKU", "ZEIGAKU"}, "NUMERIC(16,4)");
        add({"ZEIRITUNO", "AUTCALCU", "TAXCALCU", "OLDRATE", "TEKCODE"}, "INTEGER");
        add({"TEKTEXT"}, "VARCHAR(50) CHARACTER SET SJIS_0208");
        add({"TORCODE"}, "INTEGER");
        add({"TORTEXT"}, "VARCHAR(20) CHARACTER SET SJIS_0208");
        add({"FUSEN1", "FUSEN2", "FUSEN3", "FUSEN4", "FUSEN5"}, "INTEGER");
        add({"CTIME"}, "TIMESTAMP");
        add({"COMMENT", "AO_COMMENT"}, "VARCHAR(50) CHARACTER SET SJIS_0208");
        add({"LINKKEY"}, "VARCHAR(20) CHARACTER SET SJIS_0208");
        add({"LINKKUB", "LINKREC", "LOCALFLG"}, "INTEGER");
        add({"RESERVE1", "RESERVE2"}, "INTEGER", false);
        add({"RTIME"}, "TIMESTAMP");
        add({"OPCODE"}, "INTEGER");
        return list;
    }();
    return columns;
}

// The names of the columns read from the view, each with the prefix, as
// lines of a few names each, every line but the last ending in a comma.
std::vector<std::string> ViewColumnLines(const std::string& indent, const std::string& prefix)
{
    std::vector<std::string> names;
    for (const PagedColumn& column : PagedColumns())
        if (column.fromView)
            names.push_back(prefix + column.name);
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string item = names[i] + (i + 1 < names.size() ? "," : "");
        if (!line.empty() && line.size() + 1 + item.size() > 96) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? indent : " ") + item;
    }
    lines.push_back(line);
    return lines;
}

// What sets LISTUP (backwards from the end of the range) apart from
// LISTDOWN (forwards from its start).
struct PagingDirection {
    const char* procedure;
    const char* pointDate;  // the date the reference point stands on
    const char* order;      // ASC or DESC
    // The test of a line whose shifted date is past the point, and the
    // tests of a line on the point itself, given the reference line.
    const char* beyondPoint;
    std::vector<const char*> onPoint;
};

const PagingDirection Upwards{
    "SP_TOUZACHOSEIHYO_LISTUP",
    "PEHIZUKE",
    "DESC",
    "VLINEDATE < VPOINTDATE",
    {
        "HIZUKE < PEHIZUKE",
        "OR PSWKNO = 0",
        "OR SWKNO < PSWKNO",
        "OR (SWKNO = PSWKNO AND TAISHAKU <= PTAISHAKU)",
    },
};

const PagingDirection Downwards{
    "SP_TOUZACHOSEIHYO_LISTDOWN",
    "PSHIZUKE",
    "ASC",
    // Forwards the range may run into the next period; its lines are left
    // to the next period's statement.
    "VLINEDATE > VPOINTDATE AND MNUM <= PMNUM",
    {
        "HIZUKE > PSHIZUKE",
        "OR PSWKNO = 0",
        "OR SWKNO > PSWKNO",
        "OR (SWKNO = PSWKNO AND TAISHAKU >= PTAISHAKU)",
    },
};

void AddPagingProcedure(TUpdateScript& script, const PagingDirection& direction)
{
    const std::string order = direction.order;
    script.Add("SET TERM ^ ;");
    script.Add(std::string("RECREATE PROCEDURE ") + direction.procedure + " (");
    script.Add({
        "    PPROCTYPE INTEGER,",
        "    PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PKCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PHCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PBCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PMNUM INTEGER,",
        "    PKESSAN INTEGER,",
        "    PSHIZUKE DATE,",
        "    PEHIZUKE DATE,",
        "    PSWKNO INTEGER,",
        "    PTAISHAKU INTEGER,",
        "    PDELFLG INTEGER,",
        "    POFFSET INTEGER,",
        "    PLIMIT INTEGER)",
        "RETURNS (",
        "    RECORDCNT INTEGER,",
    });
    const std::vector<PagedColumn>& columns = PagedColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        script.Add(std::string("    ") + columns[i].name + " " + columns[i].type + (i + 1 < columns.size() ? "," : ")"));
    script.Add({
        "AS",
        "DECLARE VARIABLE VPOINTDATE DATE;",
        "DECLARE VARIABLE VLINEDATE DATE;",
        "DECLARE VARIABLE VCOUNT INTEGER;",
        "DECLARE VARIABLE VSENT INTEGER;",
        "BEGIN",
        "    IF (PLIMIT = 0) THEN",
        "        PLIMIT = 50;",
        "    IF (PEHIZUKE < PSHIZUKE) THEN",
        "        SELECT KISHU FROM ACCDEF1 WHERE REC = 1 INTO :PSHIZUKE;",
        // A settlement entry belongs after the ordinary entries of its day:
        // the point and every line move one day on when they are one.
        std::string("    VPOINTDATE = ") + direction.pointDate + ";",
        "    IF (PKESSAN = 1) THEN",
        "        VPOINTDATE = VPOINTDATE + 1;",
        "    VCOUNT = 0;",
        "    VSENT = 0;",
        "    IF (PPROCTYPE IS DISTINCT FROM 0 AND PPROCTYPE IS DISTINCT FROM 1) THEN",
        "        EXIT;",
        "    FOR SELECT",
    });
    // Every output is fetched anew for each line, so nothing of one line
    // survives into the next; RESERVE1 and RESERVE2 are never assigned.
    for (const std::string& line : ViewColumnLines("           ", "V."))
        script.Add(line);
    script.Add({
        "          FROM SIWAKE_VIEW V",
        "         WHERE V.KCODE = :PKCODE",
        "           AND V.HIZUKE BETWEEN :PSHIZUKE AND :PEHIZUKE",
        "           AND V.DELFLG = :PDELFLG",
        "           AND (:PPROCTYPE = 0 OR V.FUSEN2 = 0)",
        "           AND (:PSCODE = '' OR V.SCODE = :PSCODE)",
        "           AND (:PHCODE = '' OR V.HCODE = :PHCODE)",
        "           AND (:PBCODE = '' OR V.BCODE = :PBCODE)",
        "         ORDER BY V.HIZUKE " + order + ", V.KESSAN " + order + ", V.SDAYNUM " + order + ", V.SWKNO " + order +
            ", V.TAISHAKU " + order,
        "          INTO",
    });
    for (const std::string& line : ViewColumnLines("           ", ":"))
        script.Add(line);
    script.Add({
        "    DO",
        "    BEGIN",
        "        VLINEDATE = HIZUKE;",
        "        IF (KESSAN = 1) THEN",
        "            VLINEDATE = VLINEDATE + 1;",
        std::string("        IF ((") + direction.beyondPoint + ")",
        "            OR (VLINEDATE = VPOINTDATE",
    });
    for (std::size_t i = 0; i < direction.onPoint.size(); ++i)
        script.Add(std::string(i == 0 ? "                AND (" : "                     ") + direction.onPoint[i] +
                   (i + 1 < direction.onPoint.size() ? "" : "))) THEN"));
    script.Add({
        "        BEGIN",
        "            VCOUNT = VCOUNT + 1;",
        "            RECORDCNT = VCOUNT;",
        "            IF (VCOUNT > POFFSET) THEN",
        "            BEGIN",
        "                IF (VSENT >= PLIMIT) THEN",
        "                    EXIT;",
        "                VSENT = VSENT + 1;",
        "                SUSPEND;",
        "            END",
        "        END",
        "    END",
        "END ^",
        "SET TERM ; ^",
    });
}

void AddBalanceProcedure(TUpdateScript& script)
{
    script.Add({
        "SET TERM ^ ;",
        "RECREATE PROCEDURE SP_TOUZACHOSEIHYO_ZENZAN (",
        "    PPROCTYPE INTEGER,",
        "    PCALCTYPE INTEGER,",
        "    PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PKCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PHCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PBCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PZEIKBN INTEGER,",
        "    PMNUM INTEGER,",
        "    PHIZUKE DATE,",
        "    PKESSAN INTEGER,",
        "    PDAC INTEGER,",
        "    PSWKREC INTEGER,",
        "    PTAISHAKU INTEGER,",
        "    PKIMATUZAN NUMERIC(16,4))",
        "RETURNS (",
        "    ZANDAKA NUMERIC(16,4))",
        "AS",
        "DECLARE VARIABLE VSWKREC INTEGER;",
        "DECLARE VARIABLE VTAISHAKU INTEGER;",
        "DECLARE VARIABLE VNUK NUMERIC(16,4);",
        "DECLARE VARIABLE VZEI NUMERIC(16,4);",
        "BEGIN",
        "    ZANDAKA = PKIMATUZAN;",
        "    IF (PPROCTYPE IN (0, 1) AND PCALCTYPE IN (0, 1)) THEN",
        "    BEGIN",
        "        FOR SELECT S.SWKREC, S.TAISHAKU, S.NUK, S.ZEI",
        "              FROM SIWAKE S",
        "             WHERE S.KCODE = :PKCODE",
        "               AND S.DELFLG = 0",
        "               AND (:PPROCTYPE = 0 OR S.FUSEN2 = 0)",
        "               AND (:PSCODE = '' OR S.SCODE = :PSCODE)",
        "               AND (:PHCODE = '' OR S.HCODE = :PHCODE)",
        "               AND (:PBCODE = '' OR S.BCODE = :PBCODE)",
        "               AND ((:PCALCTYPE = 0 AND S.MNUM = :PMNUM AND S.HIZUKE <= :PHIZUKE)",
        "                 OR (:PCALCTYPE = 1 AND S.MNUM <= :PMNUM))",
        "             ORDER BY S.HIZUKE, S.KESSAN, S.SWKNO, S.TAISHAKU",
        "              INTO :VSWKREC, :VTAISHAKU, :VNUK, :VZEI",
        "        DO",
        "        BEGIN",
        "            IF (PCALCTYPE = 0 AND VSWKREC = PSWKREC AND VTAISHAKU = PTAISHAKU) THEN",
        "            BEGIN",
        "                SUSPEND;",
        "                EXIT;",
        "            END",
        // The statement's balance runs opposite to the account's book
        // balance: each line counts as if it stood on the other side.
        "            IF (VTAISHAKU = 1) THEN",
        "                VTAISHAKU = 2;",
        "            ELSE IF (VTAISHAKU = 2) THEN",
        "                VTAISHAKU = 1;",
        "            EXECUTE PROCEDURE SP_GETZANDAKA(:PZEIKBN, :PDAC, :VTAISHAKU, :VNUK, :VZEI, :ZANDAKA)",
        "                RETURNING_VALUES :ZANDAKA;",
        "        END",
        "    END",
        "    SUSPEND;",
        "END ^",
        "SET TERM ; ^",
    });
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddPagingProcedure(script, Upwards);
    AddPagingProcedure(script, Downwards);
    AddBalanceProcedure(script);
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "当座残高調整表を追加", "当座残高調整表用のプロシジャーを作成します。");
}

}  // namespace z5UserDbUpdate012
