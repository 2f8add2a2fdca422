// Accounting update 2.0.4 on copies of company databases built through the
// real updates: the journal edit with its history, the balance rows of a
// new sub-account, and the fixed-asset presets of real-estate data.

#include "CompanyUpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using companytest::DataKind;
using schematest::Session;
namespace fs = std::filesystem;

class JournalEditTest : public dbtest::FirebirdTest {
protected:
    std::string Copy() { return companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.4"), folder_ / "d"); }

    // Entry 1 (rows 1 and 2, history 1): rent 1000 paid in cash on
    // 2026-05-10, exchanged through the cash book (LINKKUB 10).
    static void StoreEntry(Session& s)
    {
        for (int taishaku : {1, 2})
            s.Exec(
                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KCODE, R_KCODE, NUK, R_NUK,"
                " KINGAKU, LINKKEY, LINKKUB) VALUES (" +
                std::to_string(taishaku) + ", 1, 1, 0, " + std::to_string(taishaku) + ", '2026-05-10', 2, '" +
                (taishaku == 1 ? "6110" : "1101") + "', '" + (taishaku == 1 ? "1101" : "6110") +
                "', 1000, 1000, 1000, 'K', 10)");
    }

    // The edit call with the stored entry's values, but for the changes.
    static std::string Edit(const std::map<std::string, std::string>& changes)
    {
        const std::vector<std::pair<std::string, std::string>> parameters = {
            {"REC", "1"},
            {"SWKREC", "1"},
            {"SWKNO", "1"},
            {"DELFLG", "0"},
            {"HIZUKE", "'2026-05-10'"},
            {"MNUM", "2"},
            {"KESSAN", "0"},
            {"SDAYNUM", "0"},
            {"MDAYNUM", "0"},
            {"DNUM", "0"},
            {"SNUM", "0"},
            {"SCODE", "' '"},
            {"L_KGROUP", "''"},
            {"L_KCODE", "'6110'"},
            {"L_HCODE", "' '"},
            {"L_BCODE", "' '"},
            {"L_KNAME", "''"},
            {"L_HNAME", "''"},
            {"L_BNAME", "''"},
            {"L_TAXCODE", "0"},
            {"L_TAXUH", "0"},
            {"L_TAXDC", "0"},
            {"L_NUK", "1000"},
            {"L_ZEI", "0"},
            {"L_RIT", "0"},
            {"L_SIKIN", "0"},
            {"R_KGROUP", "''"},
            {"R_KCODE", "'1101'"},
            {"R_HCODE", "' '"},
            {"R_BCODE", "' '"},
            {"R_KNAME", "''"},
            {"R_HNAME", "''"},
            {"R_BNAME", "''"},
            {"R_TAXCODE", "0"},
            {"R_TAXUH", "0"},
            {"R_TAXDC", "0"},
            {"R_NUK", "1000"},
            {"R_ZEI", "0"},
            {"R_RIT", "0"},
            {"R_SIKIN", "0"},
            {"KINGAKU", "1000"},
            {"ZEIGAKU", "0"},
            {"ZEIRITUNO", "0"},
            {"AUTCALCU", "0"},
            {"TAXCALCU", "0"},
            {"OLDRATE", "0"},
            {"TEKCODE", "0"},
            {"TEKTEXT", "''"},
            {"TORCODE", "0"},
            {"TORTEXT", "''"},
            {"FUSEN1", "0"},
            {"FUSEN2", "0"},
            {"FUSEN3", "0"},
            {"FUSEN4", "0"},
            {"FUSEN5", "0"},
            {"CTIME", "NULL"},
            {"COMMENT", "''"},
            {"AO_COMMENT", "''"},
            {"LINKKEY", "'K'"},
            {"LINKKUB", "10"},
            {"LINKREC", "0"},
            {"LOCALFLG", "0"},
            {"RESERVE1", "0"},
            {"RESERVE2", "0"},
            {"OPCODE", "1"},
        };
        std::string call;
        for (const auto& [name, value] : parameters) {
            const auto changed = changes.find(name);
            call += (call.empty() ? "" : ", ") + (changed == changes.end() ? value : changed->second);
        }
        return "SELECT NEWREC, NEWSWKREC, NEWSWKNO, UPREC FROM SP_SIWAKE_UPD(" + call + ")";
    }
};

TEST_F(JournalEditTest, EditKeepsOrRenumbersTheHistory)
{
    Session s(Copy());
    StoreEntry(s);
    s.Exec("SET GENERATOR SIWAKE_REC_GEN TO 10");

    // A sticky note and a comment: same numbers, nothing replaced.
    EXPECT_EQ(s.Line(Edit({{"FUSEN2", "1"}, {"COMMENT", "'済'"}})), "1|1|1|0");
    EXPECT_EQ(s.Lines("SELECT REC, DELFLG, FUSEN2, COMMENT FROM SIWAKE ORDER BY REC"),
              (std::vector<std::string>{"1|0|1|済", "2|0|1|済"}));

    // The amount: a new version 11 in the same history; the old one loses
    // its link, the new one points back at the old debit row.
    EXPECT_EQ(s.Line(Edit({{"L_NUK", "1200"}, {"R_NUK", "1200"}, {"KINGAKU", "1200"}})), "21|11|1|0");
    EXPECT_EQ(s.Lines("SELECT REC, SWKREC, SWKNO, DELFLG, COALESCE(LINKKEY, 'null'), LINKKUB, LINKREC, KCODE,"
                      " CAST(NUK AS INTEGER) FROM SIWAKE ORDER BY REC"),
              (std::vector<std::string>{"1|1|1|2|null|0|0|6110|1000", "2|1|1|2|null|0|0|1101|1000",
                                        "21|11|1|0|K|10|1|6110|1200", "22|11|1|0|K|10|1|1101|1200"}));
    EXPECT_EQ(s.Line("SELECT CAST(KAR_NUK AS INTEGER) FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110'"
                     " AND HCODE = ' ' AND BCODE = ' ' AND MNUM = 2"),
              "1200");

    // The replaced version: -2 and the live debit row; nothing written.
    EXPECT_EQ(s.Line(Edit({{"L_NUK", "5"}})), "21|0|1|-2");
    // The date: version 12 and the whole history renumbered to it.
    EXPECT_EQ(s.Line(Edit({{"REC", "21"},
                           {"SWKREC", "11"},
                           {"HIZUKE", "'2026-05-11'"},
                           {"L_NUK", "1200"},
                           {"R_NUK", "1200"},
                           {"KINGAKU", "1200"},
                           {"LINKKUB", "0"},
                           {"LINKKEY", "NULL"}})),
              "23|12|12|0");
    EXPECT_EQ(s.Lines("SELECT DISTINCT SWKNO FROM SIWAKE"), (std::vector<std::string>{"12"}));
    EXPECT_EQ(s.Line("SELECT LINKREC FROM SIWAKE WHERE REC = 23"), "0") << "no cash-book entry: no link back";

    // A deleted entry: -1, nothing written.
    EXPECT_EQ(s.Line("SELECT RESULT FROM SP_SIWAKE_DEL(12, 1)"), "0");
    EXPECT_EQ(s.Line(Edit({{"REC", "23"}, {"SWKREC", "12"}, {"SWKNO", "12"}})), "-1|0|12|-1");
    EXPECT_EQ(s.Count("SELECT COUNT(*) FROM SIWAKE"), 6);
}

// A new sub-account gets balance rows in the account's departments where
// the data keeps them for it: all with departments throughout, the
// profit-and-loss accounts of groups 4000 to 7999 with departments for
// those, otherwise only the company-wide row.
TEST_F(JournalEditTest, NewSubAccountGetsTheBalanceRowsOfItsDepartments)
{
    struct Case {
        const char* name;
        int bumon;
        const char* kcode;
        std::vector<std::string> rows;  // BCODE|KAISIZAN|HAIBUN01|HAIBUN16
    };
    const Case cases[] = {
        {"departments throughout", 2, "1101", {" |0|100|100", "00|0|100|100", "D1|0|100|100"}},
        {"departments for profit and loss, an expense", 1, "6110", {" |0|100|100", "00|0|100|100", "D1|0|100|100"}},
        {"departments for profit and loss, cash", 1, "1101", {" |0|100|100"}},
        {"no departments", 0, "6110", {" |0|100|100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(Copy());
        s.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(c.bumon) + ", HOJO_INS_MODE = 0 WHERE REC = 1");
        s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業')");
        for (const char* bcode : {"00", "D1"})
            s.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '") +
                   c.kcode + "', ' ', '" + bcode + "') MATCHING (SCODE, KCODE, HCODE, BCODE)");
        s.Exec(std::string("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('") + c.kcode + "', 'N1', '新規')");
        s.Exec(std::string("DELETE FROM KAMOKU_SZ WHERE KCODE = '") + c.kcode + "' AND HCODE = 'N1'");
        EXPECT_EQ(s.Line(std::string("SELECT OUT_SCODE, OUT_KCODE, OUT_HCODE FROM SP_HOJO_KAMOKUSZ_INS(' ', '") +
                         c.kcode + "', 'N1')"),
                  std::string(" |") + c.kcode + "|N1");
        EXPECT_EQ(s.Lines(std::string("SELECT BCODE, CAST(KAISIZAN AS INTEGER), CAST(HAIBUN01 AS INTEGER),"
                                      " CAST(HAIBUN16 AS INTEGER) FROM KAMOKU_SZ WHERE KCODE = '") +
                          c.kcode + "' AND HCODE = 'N1' ORDER BY BCODE"),
                  c.rows);
    }
}

class RealEstatePresetTest : public updtest::UpdateDbTest {};

// Real-estate data gets the presets of its chart once, and every facility
// a copy; data that has them already, or is of another kind, keeps its own.
TEST_F(RealEstatePresetTest, PresetsOnceForEveryFacility)
{
    struct Case {
        const char* name;
        int codeType;
        bool presetPresent;
        int initRows;  // KS_SETSWK_INIT rows of ACCGROUP 2 with KNOTLIST 1 and "購入" after the update, -1: unchanged
    };
    const Case cases[] = {
        {"real estate without presets", 2, false, 35},
        {"real estate with a preset for 1401", 2, true, -1},
        {"general individual", 1, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(CompanyDbPath());
        companytest::CopyCompanyMaster(companytest::CompanyMaster("2.0.0", DataKind::Individual), SystemDef.DataDir);
        int before = 0;
        {
            Session s(CompanyDbPath());
            s.Exec("UPDATE ACCDEF1 SET CODETYPE = " + std::to_string(c.codeType) + ", SITEN = 1 WHERE REC = 1");
            s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('S2', '支店', 1)");
            if (!c.presetPresent)
                s.Exec("DELETE FROM KS_SETSWK_INIT WHERE KCODE = '1401'");
            before = s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT");
        }
        const std::string script = z5UserDbUpdate204::Script().Text();
        ASSERT_EQ(z5UserDbUpdate204::DoUpdate(), UpdateResultOk);
        Session s(CompanyDbPath());
        if (c.initRows < 0) {
            EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT"), before);
            EXPECT_EQ(script.find("SP_KS_INSSETSWK_CALL_SISETU"), std::string::npos);
            continue;
        }
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT"), c.initRows);
        EXPECT_EQ(s.Count("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND NOTLIST = 1"), c.initRows);
        EXPECT_EQ(s.Lines("SELECT KGROUP, COUNT(*), SUM(IIF(KCODE IS NULL, 1, 0)) FROM KS_SETSWK_INIT GROUP BY KGROUP"),
                  (std::vector<std::string>{"0|14|1", "1|7|1", "2|10|1", "3|4|1"}));
        EXPECT_LT(script.find("SP_KS_INSSETSWK_CALL_SISETU(' ');"), script.find("SP_KS_INSSETSWK_CALL_SISETU('S2');"));
        EXPECT_EQ(s.Lines("SELECT DISTINCT SCODE FROM KS_SETSWK ORDER BY SCODE"),
                  (std::vector<std::string>{" ", "S2"}));
    }
}

}  // namespace
