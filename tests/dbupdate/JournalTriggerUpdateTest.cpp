// The journal and master triggers and the head-count reader of accounting
// update 0.1.1, on copies of company databases built through the real
// updates.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using companytest::CompanyMaster;
using companytest::CopyCompanyMaster;
using schematest::Session;

class JournalTriggerTest : public dbtest::FirebirdTest {
protected:
    std::string Copy() { return CopyCompanyMaster(CompanyMaster("0.1.1"), folder_ / "data"); }
};

// Every total the journal triggers keep that differs from the sums over the
// live journal rows, one line each; a live journal key without its balance
// row counts as a difference too. Empty when the books agree.
std::vector<std::string> TotalsAgainstJournal(Session& s)
{
    std::vector<std::string> wrong;
    for (
        const auto& line : s.Lines(
            "SELECT 'KAMOKU_MS', COALESCE(J.SCODE, M.SCODE), COALESCE(J.BCODE, M.BCODE),"
            "       COALESCE(J.KCODE, M.KCODE), COALESCE(J.HCODE, M.HCODE), COALESCE(J.MNUM, M.MNUM),"
            "       IIF(M.SCODE IS NULL, 'no row', ''),"
            "       COALESCE(J.KAR_NUK, 0), M.KAR_NUK, COALESCE(J.KAR_TAX, 0), M.KAR_TAX,"
            "       COALESCE(J.KAS_NUK, 0), M.KAS_NUK, COALESCE(J.KAS_TAX, 0), M.KAS_TAX"
            "  FROM (SELECT SCODE, BCODE, KCODE, HCODE, MNUM,"
            "               SUM(IIF(TAISHAKU = 1, NUK, 0)) AS KAR_NUK, SUM(IIF(TAISHAKU = 1, ZEI, 0)) AS KAR_TAX,"
            "               SUM(IIF(TAISHAKU = 2, NUK, 0)) AS KAS_NUK, SUM(IIF(TAISHAKU = 2, ZEI, 0)) AS KAS_TAX"
            "          FROM SIWAKE WHERE DELFLG = 0"
            "         GROUP BY SCODE, BCODE, KCODE, HCODE, MNUM) J"
            "  FULL JOIN KAMOKU_MS M"
            "    ON M.SCODE = J.SCODE AND M.BCODE = J.BCODE AND M.KCODE = J.KCODE"
            "   AND M.HCODE = J.HCODE AND M.MNUM = J.MNUM"
            " WHERE (J.SCODE IS NOT NULL AND M.SCODE IS NULL)"
            "    OR COALESCE(J.KAR_NUK, 0) <> COALESCE(M.KAR_NUK, 0) OR COALESCE(J.KAR_TAX, 0) <> COALESCE(M.KAR_TAX, 0)"
            "    OR COALESCE(J.KAS_NUK, 0) <> COALESCE(M.KAS_NUK, 0) OR COALESCE(J.KAS_TAX, 0) <> COALESCE(M.KAS_TAX, 0)"))
        wrong.push_back(line);
    // Tax totals are per department only when ACCDEF1.BUMON is 2; a line
    // without tax needs no tax row.
    for (const auto& line :
         s.Lines("SELECT 'KAMOKU_TAX', COALESCE(J.SCODE, T.SCODE), COALESCE(J.TBCODE, T.BCODE),"
                 "       COALESCE(J.TAXUH, T.KKUBUN), COALESCE(J.MNUM, T.MNUM), IIF(T.SCODE IS NULL, 'no row', ''),"
                 "       COALESCE(J.KAR, 0), T.KAR, COALESCE(J.KAS, 0), T.KAS"
                 "  FROM (SELECT SCODE, TBCODE, TAXUH, MNUM,"
                 "               SUM(IIF(TAISHAKU = 1, ZEI, 0)) AS KAR, SUM(IIF(TAISHAKU = 2, ZEI, 0)) AS KAS"
                 "          FROM (SELECT S.SCODE, IIF(A.BUMON = 2, S.BCODE, ' ') AS TBCODE, S.TAXUH, S.MNUM,"
                 "                       S.TAISHAKU, S.ZEI"
                 "                  FROM SIWAKE S CROSS JOIN ACCDEF1 A"
                 "                 WHERE A.REC = 1 AND S.DELFLG = 0)"
                 "         GROUP BY SCODE, TBCODE, TAXUH, MNUM) J"
                 "  FULL JOIN KAMOKU_TAX T"
                 "    ON T.SCODE = J.SCODE AND T.BCODE = J.TBCODE AND T.KKUBUN = J.TAXUH AND T.MNUM = J.MNUM"
                 " WHERE (J.SCODE IS NOT NULL AND T.SCODE IS NULL AND (J.KAR <> 0 OR J.KAS <> 0))"
                 "    OR COALESCE(J.KAR, 0) <> COALESCE(T.KAR, 0) OR COALESCE(J.KAS, 0) <> COALESCE(T.KAS, 0)"))
        wrong.push_back(line);
    for (const auto& line :
         s.Lines("SELECT 'SIWAKECOUNT', F.SCODE, F.SIWAKECOUNT,"
                 "       (SELECT COUNT(*) FROM SIWAKE S WHERE S.SCODE = F.SCODE AND S.DELFLG = 0 AND S.TAISHAKU = 1)"
                 "  FROM SISETUMST F"
                 " WHERE COALESCE(F.SIWAKECOUNT, 0) <>"
                 "       (SELECT COUNT(*) FROM SIWAKE S WHERE S.SCODE = F.SCODE AND S.DELFLG = 0 AND S.TAISHAKU = 1)"))
        wrong.push_back(line);
    return wrong;
}

// One side of a journal entry as its writers store it: the columns the
// triggers read, the rest left to their defaults.
struct Side {
    int rec;
    int taishaku;
    const char* kcode;
    const char* hcode;
    const char* bcode;
    int mnum;
    int taxuh;
    int nuk;
    int zei;
};

void InsertSide(Session& s, const Side& side, int delflg = 0, const std::string& scode = "S1")
{
    s.Exec(
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK, ZEI)"
        " VALUES (" +
        std::to_string(side.rec) + ", " + std::to_string((side.rec + 1) / 2) + ", " +
        std::to_string((side.rec + 1) / 2) + ", " + std::to_string(delflg) + ", " + std::to_string(side.taishaku) +
        ", '" + scode + "', '" + side.kcode + "', '" + side.hcode + "', '" + side.bcode + "', " +
        std::to_string(side.mnum) + ", " + std::to_string(side.taxuh) + ", " + std::to_string(side.nuk) + ", " +
        std::to_string(side.zei) + ")");
}

struct DepartmentCase {
    int bumon;
    const char* taxBcode;  // where the tax totals of department '00' go
};

void PrintTo(const DepartmentCase& c, std::ostream* os)
{
    *os << "BUMON " << c.bumon;
}

class JournalTotalsTest : public JournalTriggerTest, public ::testing::WithParamInterface<DepartmentCase> {};

// Totals after every kind of journal change equal the sums over the live
// lines: inserts, voiding and restoring, superseding and restoring, a line
// inserted already voided, a live line changing its amounts or its account,
// and lines whose balance rows do not exist.
TEST_P(JournalTotalsTest, TotalsFollowTheLiveLines)
{
    const DepartmentCase& c = GetParam();
    Session s(Copy());
    s.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(c.bumon) + " WHERE REC = 1");
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S1', 'Branch', 1)");
    ASSERT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{});

    // Expenses of department '00' paid in cash; a sale on credit.
    const Side expense{1, 1, "6110", " ", "00", 1, 2, 1000, 80};
    const Side cash{2, 2, "1101", " ", " ", 1, 0, 1080, 0};
    const Side receivable{3, 1, "1202", " ", " ", 1, 0, 2200, 0};
    const Side sales{4, 2, "4101", " ", "00", 1, 1, 2000, 200};
    for (const Side& side : {expense, cash, receivable, sales})
        InsertSide(s, side);
    EXPECT_EQ(
        s.Line("SELECT CAST(KAR_NUK AS INTEGER), CAST(KAR_TAX AS INTEGER), CAST(KAS_NUK AS INTEGER)"
               "  FROM KAMOKU_MS WHERE SCODE = 'S1' AND KCODE = '6110' AND HCODE = ' ' AND BCODE = '00' AND MNUM = 1"),
        "1000|80|0");
    EXPECT_EQ(s.Line("SELECT CAST(KAR AS INTEGER), CAST(KAS AS INTEGER) FROM KAMOKU_TAX"
                     " WHERE SCODE = 'S1' AND BCODE = '" +
                     std::string(c.taxBcode) + "' AND KKUBUN = 2 AND MNUM = 1"),
              "80|0");
    EXPECT_EQ(s.Value("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = 'S1'"), "2");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after the inserts";

    s.Exec("UPDATE SIWAKE SET DELFLG = 1 WHERE SWKREC = 1");
    EXPECT_EQ(s.Value("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = 'S1'"), "1");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after voiding";
    s.Exec("UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 1");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after restoring a voided entry";

    s.Exec("UPDATE SIWAKE SET DELFLG = 2 WHERE SWKREC = 2");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after superseding";
    s.Exec("UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 2");
    EXPECT_EQ(s.Line("SELECT CAST(KAS_NUK AS INTEGER), CAST(KAS_TAX AS INTEGER) FROM KAMOKU_MS"
                     " WHERE SCODE = 'S1' AND KCODE = '4101' AND HCODE = ' ' AND BCODE = '00' AND MNUM = 1"),
              "2000|200");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after restoring a superseded entry";

    InsertSide(s, {5, 1, "6110", " ", "00", 1, 2, 500, 40}, 1);
    InsertSide(s, {6, 2, "1101", " ", " ", 1, 0, 540, 0}, 2);
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after inserting lines that are not live";

    s.Exec("UPDATE SIWAKE SET NUK = 1500, ZEI = 120 WHERE REC = 1");
    s.Exec("UPDATE SIWAKE SET NUK = 1620 WHERE REC = 2");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after changing live amounts";
    s.Exec("UPDATE SIWAKE SET KCODE = '6109', MNUM = 2, TAXUH = 1 WHERE REC = 1");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after moving a live line";
    s.Exec("UPDATE SIWAKE SET TAISHAKU = 2, SCODE = ' ' WHERE REC = 3");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{})
        << "after moving a line to another side and facility";

    // A sub-account with no balance key, a period row taken away, a tax row
    // taken away, a period outside the year.
    s.Exec("DELETE FROM KAMOKU_MS WHERE SCODE = 'S1' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' ' AND MNUM = 5");
    s.Exec("DELETE FROM KAMOKU_TAX WHERE SCODE = 'S1' AND KKUBUN = 2 AND MNUM = 5");
    InsertSide(s, {7, 1, "6108", "01", "00", 3, 2, 300, 24});
    InsertSide(s, {8, 2, "1101", " ", " ", 5, 0, 324, 0});
    InsertSide(s, {9, 1, "6108", " ", " ", 5, 2, 100, 8});
    InsertSide(s, {10, 2, "1101", " ", " ", 0, 0, 108, 0});
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after posting to missing balance rows";
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = 'S1' AND KCODE = '6108' AND HCODE = '01'"
                      " AND BCODE = '00'"),
              1);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_MS WHERE SCODE = 'S1' AND KCODE = '6108' AND HCODE = '01'"
                      " AND BCODE = '00' AND MNUM BETWEEN 1 AND 16"),
              16)
        << "a new balance key gets all its period rows";

    s.Exec("UPDATE SIWAKE SET DELFLG = 1 WHERE REC IN (7, 8, 9, 10)");
    s.Exec("UPDATE SIWAKE SET DELFLG = 2 WHERE REC IN (1, 2)");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after voiding everything new";

    // A line without a flag is live for no trigger: inserted it posts
    // nothing, deleted it takes nothing out, flagged live it posts.
    for (int rec : {11, 12})
        s.Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK,"
            " ZEI) VALUES (" +
            std::to_string(rec) + ", 6, 6, NULL, 1, 'S1', '6110', ' ', '00', 1, 2, 1000, 80)");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after inserting lines without a flag";
    s.Exec("DELETE FROM SIWAKE WHERE REC = 11");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after deleting a line without a flag";
    s.Exec("UPDATE SIWAKE SET DELFLG = 0 WHERE REC = 12");
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{}) << "after flagging a line live";
}

INSTANTIATE_TEST_SUITE_P(JournalTriggerDepartments, JournalTotalsTest,
                         ::testing::Values(DepartmentCase{2, "00"}, DepartmentCase{0, " "}),
                         [](const auto& info) { return "Bumon" + std::to_string(info.param.bumon); });

// A change that leaves a live line's posted values alone (a flag, a text)
// writes no balance row: such edits must not lock the totals other writers
// post to.
TEST_F(JournalTriggerTest, UnchangedLiveLineLeavesTheBalanceRowsAlone)
{
    const std::string db = Copy();
    {
        Session s(db);
        InsertSide(s, {1, 1, "6110", " ", " ", 1, 2, 1000, 80}, 0, " ");
        InsertSide(s, {2, 2, "1101", " ", " ", 1, 0, 1080, 0}, 0, " ");
    }
    const std::string versions =
        "SELECT (SELECT RDB$RECORD_VERSION FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110' AND HCODE = ' '"
        "          AND BCODE = ' ' AND MNUM = 1),"
        "       (SELECT RDB$RECORD_VERSION FROM KAMOKU_TAX WHERE SCODE = ' ' AND BCODE = ' ' AND KKUBUN = 2 AND MNUM = 1),"
        "       (SELECT RDB$RECORD_VERSION FROM SISETUMST WHERE SCODE = ' ')"
        "  FROM RDB$DATABASE";
    Session s(db);
    const std::string before = s.Line(versions);
    s.Exec("UPDATE SIWAKE SET FUSEN1 = 1, COMMENT = 'checked' WHERE SWKREC = 1");
    EXPECT_EQ(s.Line(versions), before);
    EXPECT_EQ(TotalsAgainstJournal(s), std::vector<std::string>{});
}

// The RECs of the assets marked as transferred, "11,13".
std::string Marked(Session& s)
{
    std::string recs;
    for (const auto& rec : s.Lines("SELECT REC FROM KS_SISAN WHERE TRANSKBN = 1 ORDER BY REC"))
        recs += (recs.empty() ? "" : ",") + rec;
    return recs;
}

// Lines made from the fixed-asset register (LINKKUB 8) mark their asset;
// a key starting "2-A" names the asset's account and sub-account through a
// HOJOMST REC and marks every asset of the facility on them.
TEST_F(JournalTriggerTest, AssetLinesMarkTheirAssets)
{
    struct Case {
        const char* name;
        int linkkub;
        const char* linkkey;
        const char* linkrec;  // SQL giving LINKREC
        const char* marked;   // RECs of the assets marked afterwards
    };
    const Case cases[] = {
        {"plain key names the asset", 8, "1-B", "11", "11"},
        {"no key names the asset", 8, nullptr, "12", "12"},
        {"2-A names account and sub-account", 8, "2-A-0001",
         "(SELECT REC FROM HOJOMST WHERE KCODE = '1401' AND HCODE = ' ')", "11,13"},
        {"other link kinds mark nothing", 7, "1-B", "11", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string db = Copy();
        Session s(db);
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S1', 'Branch', 0)");
        // Payment and income accounts stay null: their sub-account keys
        // would need HOJOMST rows.
        for (const char* asset : {"11, 'S1', '1401'", "12, 'S1', '1405'", "13, 'S1', '1401'", "14, ' ', '1401'"})
            s.Exec(std::string("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE,"
                               " SYUNYUHCODE, TRANSKBN) VALUES (") +
                   asset + ", ' ', NULL, NULL, NULL, NULL, 0)");
        s.Exec(
            std::string("INSERT INTO SIWAKE (REC, SWKREC, TAISHAKU, SCODE, KCODE, MNUM, NUK, LINKKUB, LINKKEY, LINKREC)"
                        " VALUES (1, 1, 1, 'S1', '1401', 1, 5000, ") +
            std::to_string(c.linkkub) + ", " + (c.linkkey ? "'" + std::string(c.linkkey) + "'" : "NULL") + ", " +
            c.linkrec + ")");
        EXPECT_EQ(Marked(s), c.marked);

        // Voiding counts every line that still names the asset, the voided
        // one included, so the mark stays.
        s.Exec("UPDATE SIWAKE SET DELFLG = 1 WHERE REC = 1");
        EXPECT_EQ(Marked(s), c.marked);
    }
}

// A new facility gets its balance keys, tax rows, dictionaries, asset
// settings, head-count and forecast rows, and its departments when it keeps
// them.
TEST_F(JournalTriggerTest, NewFacilityGetsItsRows)
{
    Session s(Copy());
    // An account out of use, an account with a sub-account, a department
    // besides the common one, and a summary dictionary template whose
    // entries name a sub-account that exists, one that does not, and none.
    s.Exec("UPDATE KAMOKUMST SET USE = 0 WHERE KCODE = '6203'");
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1103', '01', 'Bank A')");
    s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', 'Sales')");
    s.Exec("INSERT INTO ORGDIC_1 (REC, CREC, SORTCODE, TEXT) VALUES (1, 7, 1, 'Sales')");
    s.Exec("INSERT INTO ORGDIC_1 (REC, CREC, SORTCODE, TEXT) VALUES (2, 3, 2, 'Costs')");
    s.Exec(
        "INSERT INTO ORGDIC_2 (REC, CREC, KANA, TEXT, \"ROW\", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE,"
        " KAS_KCODE, KAS_HCODE, KAS_TAXCODE) VALUES (1, 7, 'URI', 'Cash sale', 1, 2, '1103', '01', 5, '4101', 'ZZ', 6)");
    s.Exec(
        "INSERT INTO ORGDIC_2 (REC, CREC, KANA, TEXT, \"ROW\", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE,"
        " KAS_KCODE, KAS_HCODE, KAS_TAXCODE) VALUES (2, 3, 'SHI', 'Rent', 3, 4, '6110', NULL, 0, '1101', ' ', 0)");

    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S1', 'Branch', 0)");
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S2', 'Works', 1)");

    const std::string inUse = "SELECT COUNT(*) FROM KAMOKUMST K JOIN HOJOMST H ON H.KCODE = K.KCODE WHERE K.USE = 1";
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = 'S1' AND BCODE = ' '"), s.Count(inUse));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = 'S1' AND KCODE = '1103' AND HCODE = '01'"), 1);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = 'S1' AND KCODE = '6203'"), 0);
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = 'S1'"), s.Count(inUse));
    EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(KKUBUN), MAX(KKUBUN), MIN(MNUM), MAX(MNUM) FROM KAMOKU_TAX"
                     " WHERE SCODE = 'S1' AND BCODE = ' '"),
              "32|1|2|1|16");

    EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(CREC), MAX(CREC) FROM TORDICTI"
                     " WHERE SCODE = 'S1' AND SORTCODE = CREC AND TEXT = ''"),
              "50|1|50");
    EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(REC), MAX(REC) FROM SWKDICTI"
                     " WHERE SCODE = 'S1' AND SORTCODE = REC AND TEXT = '' AND E_HIZUKE = 1 AND E_SIWAKE = 0"
                     "   AND E_KINGAKU = 1 AND E_TEKIYOU = 0 AND E_TORIHIKI = 0 AND E_CARET = 0"),
              "50|1|50");

    // Each facility's headings under numbers of their own, the entries
    // under their new heading.
    EXPECT_EQ(s.Count("SELECT COUNT(DISTINCT CREC) FROM TEKDICTI WHERE SCODE IN ('S1', 'S2')"), 4);
    EXPECT_EQ(s.Lines("SELECT T.SORTCODE, T.TEXT, D.KANA, D.FNUM, D.TEXT, D.\"ROW\", D.COL,"
                      "       D.KAR_KCODE, D.KAR_HCODE, D.KAR_BCODE, D.KAR_TAXCODE,"
                      "       D.KAS_KCODE, D.KAS_HCODE, D.KAS_BCODE, D.KAS_TAXCODE,"
                      "       D.WAITFLG, D.TAXOLD, D.TAXNUM, D.MOVEMENT, D.HAIBUN, D.RTIME"
                      "  FROM TEKDICTI T JOIN TEKDIC D ON D.CREC = T.CREC AND D.SCODE = T.SCODE"
                      " WHERE T.SCODE = 'S1' ORDER BY T.SORTCODE"),
              (std::vector<std::string>{
                  "1|Sales|URI|0|Cash sale|1|2|1103|01|<null>|5|4101| |<null>|6|0|0|0|0|0|<null>",
                  "2|Costs|SHI|0|Rent|3|4|6110|<null>|<null>|0|1101| |<null>|0|0|0|0|0|0|<null>",
              }));

    EXPECT_EQ(s.Lines("SELECT * FROM KS_TRANSSWK WHERE SCODE = 'S1'"),
              (std::vector<std::string>{"S1|-1|-1|-1|-1|-1|"}));
    // The asset journal settings: one row per asset account (groups 1400
    // to 1800), whatever its use.
    EXPECT_EQ(s.Lines("SELECT KCODE FROM KS_SETSWK WHERE SCODE = 'S1' ORDER BY KCODE"),
              s.Lines("SELECT KCODE FROM KAMOKUMST WHERE GROUPM1 BETWEEN '1400' AND '1800' ORDER BY KCODE"));

    EXPECT_EQ(s.Line("SELECT COUNT(*), MIN(MNUM), MAX(MNUM), COUNT(DISTINCT MNUM) FROM ACCDEF5"
                     " WHERE SCODE = 'S1' AND BCODE = ' '"),
              "48|-31|16|48");
    EXPECT_EQ(s.Lines("SELECT BCODE FROM YOSOKUINF WHERE SCODE = 'S1'"), (std::vector<std::string>{" "}));

    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM SISETUBUM WHERE SCODE = 'S1'"), 0);
    EXPECT_EQ(s.Lines("SELECT BCODE FROM SISETUBUM WHERE SCODE = 'S2' ORDER BY BCODE"),
              (std::vector<std::string>{"00", "01"}));
}

// A new account gets its own sub-account row; an asset account also its
// journal settings in every facility. An account whose group is not yet a
// number is still added.
TEST_F(JournalTriggerTest, NewAccountGetsItsRows)
{
    struct Case {
        const char* kcode;
        const char* groupm1;
        int settingsPerFacility;
    };
    const Case cases[] = {{"1413", "1400", 1}, {"1704", "1800", 1}, {"6114", "6100", 0}, {"9998", "", 0}};
    Session s(Copy());
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S1', 'Branch', 0)");
    const int facilities = s.Count("SELECT COUNT(*) FROM SISETUMST");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kcode);
        const std::string k = c.kcode;
        s.Exec(
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, BPFLG, TAX_LCODE, TAX_RCODE)"
            " VALUES ('" +
            k + "', '" + k + "', 'New', '" + c.groupm1 + "', 'P', 3, 4)");
        EXPECT_EQ(s.Lines("SELECT HCODE, HNAME, TAX_LCODE, TAX_RCODE, BPFLG FROM HOJOMST WHERE KCODE = '" + k + "'"),
                  (std::vector<std::string>{" ||3|4|P"}));
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK WHERE KCODE = '" + k + "'"),
                  c.settingsPerFacility * facilities);
    }
}

// The head counts per month of this year and the two before: periods 1-3,
// 5-7, 9-11, 13-15 are the months, less 16 and less 32 the earlier years;
// the settlement periods hold none.
TEST_F(JournalTriggerTest, HeadCountsByMonth)
{
    Session s(Copy());
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S1', 'Branch', 0)");
    // Every period of both facilities' blank department holds a count
    // (MNUM + 100 for the company, 1 for the branch); department '00' of
    // the branch holds a few.
    s.Exec("UPDATE ACCDEF5 SET NUM1 = IIF(SCODE = ' ', MNUM + 100, 1)");
    for (int mnum : {1, 4, 7, -15, -17})
        s.Exec("INSERT INTO ACCDEF5 (SCODE, BCODE, MNUM, NUM1) VALUES ('S1', '00', " + std::to_string(mnum) +
               ", 1000)");

    const std::string columns =
        "T_NINZU1, T_NINZU3, T_NINZU4, T_NINZU6, T_NINZU12, Z_NINZU1, Z_NINZU6, Z_NINZU12, ZZ_NINZU1, ZZ_NINZU12, "
        "T_NINZU2, Z_NINZU2, ZZ_NINZU11";
    struct Case {
        const char* scode;
        const char* bcode;
        const char* expected;
    };
    const Case cases[] = {
        // All facilities and departments: company + branch + department.
        {"", "", "1102|104|106|1108|116|1086|92|100|70|1084|103|87|83"},
        {" ", "", "1102|104|106|1108|116|1086|92|100|70|1084|103|87|83"},
        {" ", "00", "1000|<null>|<null>|1000|<null>|1000|<null>|<null>|<null>|1000|<null>|<null>|<null>"},
        {"S1", "", "1001|1|1|1001|1|1001|1|1|1|1001|1|1|1"},
        {"S1", " ", "1001|1|1|1001|1|1001|1|1|1|1001|1|1|1"},
        {"S1", "00", "1000|<null>|<null>|1000|<null>|1000|<null>|<null>|<null>|1000|<null>|<null>|<null>"},
        {"S9", "", "<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.scode + "', '" + c.bcode + "'");
        EXPECT_EQ(s.Lines("SELECT " + columns + " FROM SP_MB_SELECT_SYUGYOU('" + c.scode + "', '" + c.bcode + "')"),
                  (std::vector<std::string>{c.expected}));
    }
}

}  // namespace
