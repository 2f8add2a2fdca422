// Accounting update 2.0.0 on copies of company databases built through the
// real updates: journal deletion, the partner index of a new facility, the
// dictionary keys and the presets and cash-flow row by data kind.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Session;
namespace fs = std::filesystem;

class DataForm2010Test : public dbtest::FirebirdTest {
protected:
    std::string Copy(DataKind kind = DataKind::Corporation)
    {
        return companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.0", kind), folder_ / "d");
    }
};

// Deleting an entry flags both rows, drops its cash-book link and takes it
// out of the totals through the flag.
TEST_F(DataForm2010Test, DeletedEntryLosesItsLinkAndLeavesTheTotals)
{
    Session s(Copy());
    for (int rec : {1, 2})
        s.Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH,"
            " NUK, ZEI, LINKKEY, LINKKUB, LINKREC) VALUES (" +
            std::to_string(rec) + ", 1, 1, 0, " + std::to_string(rec) + ", ' ', '" + (rec == 1 ? "6110" : "1101") +
            "', ' ', ' ', 3, 0, 500, 0, 'K1', 10, 9)");
    const std::string totals =
        "SELECT CAST(KAR_NUK AS BIGINT) FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110'"
        " AND HCODE = ' ' AND BCODE = ' ' AND MNUM = 3";
    EXPECT_EQ(s.Line(totals), "500");
    EXPECT_EQ(s.Line("SELECT RESULT FROM SP_SIWAKE_DEL(1, 77)"), "0");
    EXPECT_EQ(s.Lines("SELECT DELFLG, LINKKEY, LINKKUB, LINKREC, OPCODE, IIF(RTIME IS NULL, 0, 1)"
                      " FROM SIWAKE ORDER BY REC"),
              (std::vector<std::string>{"1||0|0|77|1", "1||0|0|77|1"}));
    EXPECT_EQ(s.Line(totals), "0");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME IN ('SIWAKE_AFTER_DELETE',"
                      " 'ACCDEF1_BEFORE_UPDATE')"),
              0);
}

// A new facility's partner index reads the kana grid row by row.
TEST_F(DataForm2010Test, NewFacilityGetsTheKanaPartnerIndex)
{
    Session s(Copy());
    s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S9', '支店', 1)");
    EXPECT_EQ(s.Lines("SELECT SORTCODE, TEXT FROM TORDICTI WHERE SCODE = 'S9' AND SORTCODE IN (1, 10, 11, 18, 19, 50)"
                      " ORDER BY SORTCODE"),
              (std::vector<std::string>{"1|あ", "10|わ", "11|い", "18|　", "19|り", "50|　"}));
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM TORDICTI WHERE SCODE = 'S9' AND SORTCODE BETWEEN 1 AND 50"), 50);
}

// A business-overview item goes with its sub-account.
TEST_F(DataForm2010Test, OverviewItemFollowsItsSubAccount)
{
    Session s(Copy());
    s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1101', 'H9', '小口')");
    s.Exec("INSERT INTO GAIKYOSYO_ITEM (FORMVER, ID, ITEMNO, KCODE, HCODE) VALUES (1, 1, '01', '1101', 'H9')");
    s.Exec("INSERT INTO GAIKYOSYO_ITEM (FORMVER, ID, ITEMNO, KCODE, HCODE) VALUES (1, 2, '02', '1101', ' ')");
    s.Exec("DELETE FROM HOJOMST WHERE KCODE = '1101' AND HCODE = 'H9'");
    EXPECT_EQ(s.Lines("SELECT ID FROM GAIKYOSYO_ITEM"), (std::vector<std::string>{"2"}));
}

class DataForm2010UnitTest : public updtest::UpdateDbTest {};

// An individual's asset presets post no acquisition and depreciate to
// 6202; the general corporation chart gets the cash-flow sundry row once.
TEST_F(DataForm2010UnitTest, PresetsAndCashFlowRowByDataKind)
{
    struct Case {
        const char* name;
        DataKind kind;
        bool individual;
        int cashFlowRows;  // CASHFMKU rows of line 2 with the sundry account, the delivered one taken away
    };
    const Case cases[] = {
        {"corporation", DataKind::Corporation, false, 1},
        {"individual", DataKind::Individual, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("1.0.5", c.kind), SystemDef.DataDir);
        int presets = 0;
        {
            Session s(CompanyDbPath());
            s.Exec("DELETE FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'");
            s.Exec("UPDATE KS_SETSWK_INIT SET GSKEIJYO = 1, SYOKYAKU1_KCODE = '6204' WHERE ACCGROUP = 2");
            presets = s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2");
        }
        ASSERT_GT(presets, 0);
        ASSERT_EQ(z5UserDbUpdate200::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND GSKEIJYO = 1"),
                  c.individual ? 0 : presets);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND SYOKYAKU1_KCODE = '6202'"),
                  c.individual ? presets : 0);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'"), c.cashFlowRows);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'"), 0);
    }
}

}  // namespace
