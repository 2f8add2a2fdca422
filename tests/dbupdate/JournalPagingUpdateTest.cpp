// The journal monitor, journal book and account book paging procedures of
// the accounting updates, on copies of company databases built through the
// real updates and filled with a ledger of a few thousand entries.

#include "CompanyUpdateTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using schematest::Session;

// 3000 entries of the facility ' ' from 2026-04-01, ten a day, each entry
// n with SWKREC, SWKNO and SITREC n and the day number 1 to 10. The first
// entry of every fiftieth day is a settlement entry, so it sorts last on
// its day though its numbers are the day's lowest; every 97th entry is
// deleted. Odd entries debit cash (1101) from sales (4101); even entries
// debit 6110 with tax paid from cash, and every seventh cash row is on the
// sub-account H1. Twenty entries of the facility X1 follow on two days
// of their own.
constexpr int Entries = 3000;
constexpr const char* FillLedger = R"(EXECUTE BLOCK AS
DECLARE N INTEGER = 1;
DECLARE S VARCHAR(6);
DECLARE D DATE;
DECLARE K INTEGER;
DECLARE F INTEGER;
DECLARE C VARCHAR(6);
DECLARE SR INTEGER;
BEGIN
  WHILE (N <= 3020) DO
  BEGIN
    S = IIF(N > 3000, 'X1', ' ');
    SR = IIF(N > 3000, N - 3000, N);
    D = DATE '2026-04-01' + (N - 1) / 10;
    K = IIF(MOD(N, 500) = 491, 1, 0);
    F = IIF(MOD(N, 97) = 0, 1, 0);
    C = IIF(MOD(N, 7) = 0, 'H1', ' ');
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, SCODE,
                        KCODE, HCODE, TAXUH, NUK, ZEI, R_KCODE, R_HCODE)
    VALUES (2 * :N - 1, :N, :N, :SR, :F, 1, :D, 1, :K, MOD(:N - 1, 10) + 1, :S,
            IIF(MOD(:N, 2) = 1, '1101', '6110'), IIF(MOD(:N, 2) = 1, :C, ' '), IIF(MOD(:N, 2) = 1, 0, 2),
            100, IIF(MOD(:N, 2) = 1, 0, 8), IIF(MOD(:N, 2) = 1, '4101', '1101'), IIF(MOD(:N, 2) = 1, ' ', :C));
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, SCODE,
                        KCODE, HCODE, NUK, R_KCODE, R_HCODE)
    VALUES (2 * :N, :N, :N, :SR, :F, 2, :D, 1, :K, MOD(:N - 1, 10) + 1, :S,
            IIF(MOD(:N, 2) = 1, '4101', '1101'), IIF(MOD(:N, 2) = 1, ' ', :C), 100,
            IIF(MOD(:N, 2) = 1, '1101', '6110'), IIF(MOD(:N, 2) = 1, :C, ' '));
    N = N + 1;
  END
END)";

// One returned row: its running count and the columns that place it.
struct Row {
    int count = 0;
    int swkno = 0;
    int taishaku = 0;
    std::string hizuke;
    int kessan = 0;
    bool operator==(const Row& other) const { return swkno == other.swkno && taishaku == other.taishaku; }
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << row.swkno << "/" << row.taishaku;
}

std::vector<Row> Read(Session& s, const std::string& from)
{
    std::vector<Row> rows;
    for (const auto& r : s.Rows("SELECT RECORDCNT, SWKNO, TAISHAKU, HIZUKE, KESSAN FROM " + from))
        rows.push_back({std::stoi(r[0]), std::stoi(r[1]), std::stoi(r[2]), r[3], std::stoi(r[4])});
    return rows;
}

std::vector<Row> Reversed(std::vector<Row> rows)
{
    return {rows.rbegin(), rows.rend()};
}

class JournalPagingTest : public dbtest::FirebirdTest {
protected:
    std::string Ledger(const std::string& version = "2.0.4")
    {
        const std::string path =
            companytest::CopyCompanyMaster(companytest::CompanyMaster(version), folder_ / ("d" + version));
        Session s(path);
        s.Exec("UPDATE ACCDEF1 SET KISHU = DATE '2026-04-01', KIMATU = DATE '2027-03-31' WHERE REC = 1");
        s.Exec(FillLedger);
        return path;
    }

    // The rows a plain query over the journal gives in the order asked.
    static std::vector<Row> Expected(Session& s, const std::string& where, const std::string& order)
    {
        std::vector<Row> rows;
        for (const auto& r : s.Rows("SELECT SWKNO, TAISHAKU FROM SIWAKE WHERE " + where + " ORDER BY " + order))
            rows.push_back({0, std::stoi(r[0]), std::stoi(r[1]), "", 0});
        return rows;
    }

    static std::string Date(const Row& row) { return "DATE '" + row.hizuke + "'"; }
};

// The journal book read down to the end of the year a page at a time (the
// next page skips the position row with POFFSET 1) and back up again gives
// every live debit row once, settlement entries after their day's ordinary
// ones; each page read down is the page read up from its last row.
TEST_F(JournalPagingTest, JournalBookPagesDownAndUpOverTheYear)
{
    Session s(Ledger());
    const std::vector<Row> expected =
        Expected(s, "SCODE = ' ' AND TAISHAKU = 1 AND DELFLG = 0", "HIZUKE, KESSAN, SDAYNUM, SWKNO");
    ASSERT_GT(expected.size(), 2900u);
    const std::string end = "DATE '2027-03-31'";
    std::vector<Row> down = Read(s, "SP_SIWAKE_LISTDOWN(' ', 0, DATE '2026-04-01', " + end + ", 0, 0, 0, 0)");
    ASSERT_EQ(down.size(), 50u);
    EXPECT_EQ(down.back().count, 50);
    for (int pages = 0; pages < 100; ++pages) {
        const Row last = down.back();
        const std::vector<Row> page =
            Read(s, "SP_SIWAKE_LISTDOWN(' ', " + std::to_string(last.kessan) + ", " + Date(last) + ", " + end + ", " +
                        std::to_string(last.swkno) + ", 0, 1, 0)");
        if (page.empty())
            break;
        const std::vector<Row> before(down.end() - 50, down.end());
        // The page before, read up from its last row, is the same rows.
        EXPECT_EQ(Read(s, "SP_SIWAKE_LISTUP(' ', " + std::to_string(last.kessan) + ", DATE '2026-04-01', " +
                              Date(last) + ", " + std::to_string(last.swkno) + ", 0, 0, 50)"),
                  Reversed(before))
            << "up from " << last;
        down.insert(down.end(), page.begin(), page.end());
    }
    EXPECT_EQ(down, expected);
    // A settlement entry closes its day: entry 491 follows 492 to 500.
    const auto settlement = std::find(expected.begin(), expected.end(), Row{0, 491, 1, "", 0});
    ASSERT_NE(settlement, expected.end());
    EXPECT_EQ((settlement - 1)->swkno, 500);
    EXPECT_EQ((settlement + 1)->swkno, 501);
    // Up from the year's end, an end date before the start date standing
    // for the start of the year, and the settlement position of day 50:
    // the settlement entry itself, then its day's ordinary entries.
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTUP(' ', 0, " + end + ", DATE '2027-03-30', 0, 0, 0, 0)"),
              Reversed(std::vector<Row>(expected.end() - 50, expected.end())));
    const std::vector<Row> atSettlement =
        Read(s, "SP_SIWAKE_LISTUP(' ', 1, DATE '2026-04-01', DATE '2026-05-20', 491, 0, 0, 3)");
    EXPECT_EQ(atSettlement, (std::vector<Row>{{0, 491, 1, "", 0}, {0, 500, 1, "", 0}, {0, 499, 1, "", 0}}));
    // Every row whatever its flag with -1; deleted ones alone with 1.
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTDOWN(' ', 0, DATE '2026-04-01', " + end + ", 0, 1, 0, 0)").front().swkno, 97);
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTDOWN(' ', 0, DATE '2026-04-01', " + end + ", 0, -1, 95, 0)").front().swkno, 96);
}

// The list up to a position: newest first by history number, of one
// settlement kind or of both.
TEST_F(JournalPagingTest, JournalBookListsUpToAPosition)
{
    Session s(Ledger());
    const std::vector<Row> all =
        Read(s, "SP_SIWAKE_LISTIN(' ', -1, DATE '2026-04-01', DATE '2026-05-20', 495, 0, 0, 0)");
    ASSERT_EQ(all.size(), 50u);
    EXPECT_EQ(all.front().swkno, 495);
    EXPECT_EQ(all[1].swkno, 494);
    EXPECT_EQ(all.back().count, 50);
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTIN(' ', 1, DATE '2026-04-01', DATE '2027-03-31', 0, 0, 0, 0)"),
              Expected(s, "SCODE = ' ' AND TAISHAKU = 1 AND DELFLG = 0 AND KESSAN = 1", "SWKNO DESC"));
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTIN(' ', 0, DATE '2026-04-01', DATE '2026-05-20', 495, 0, 0, 0)").front().swkno,
              495);
    EXPECT_EQ(Read(s, "SP_SIWAKE_LISTIN(' ', 0, DATE '2026-04-01', DATE '2026-05-20', 491, 0, 0, 0)").front().swkno,
              490);
}

// The account book of cash with the tax-paid rows: both rows of an entry
// on the tax-paid side, split at the position by their side; a blank
// sub-account argument reads the account's own rows, an empty one all.
TEST_F(JournalPagingTest, AccountBookPagesByEntryAndSide)
{
    Session s(Ledger());
    const std::string where = "DELFLG = 0 AND (KCODE = '1101' OR (TAXUH = 2 AND ZEI > 0))";
    const std::vector<Row> expected = Expected(s, where, "HIZUKE, KESSAN, SDAYNUM, SWKNO, TAISHAKU");
    const std::string end = "DATE '2027-03-31'";
    std::vector<Row> down =
        Read(s, "SP_MOTOCHO_LISTDOWN(2, '', '1101', '', '', 0, DATE '2026-04-01', " + end + ", 0, 0, 0, 0, 0)");
    ASSERT_EQ(down.size(), 50u);
    for (int pages = 0; pages < 200; ++pages) {
        const Row last = down.back();
        const std::string position = std::to_string(last.kessan) + ", " + Date(last) + ", ";
        const std::vector<Row> page =
            Read(s, "SP_MOTOCHO_LISTDOWN(2, '', '1101', '', '', " + position + end + ", " + std::to_string(last.swkno) +
                        ", " + std::to_string(last.taishaku) + ", 0, 1, 0)");
        if (page.empty())
            break;
        const std::vector<Row> before(down.end() - 50, down.end());
        EXPECT_EQ(Read(s, "SP_MOTOCHO_LISTUP(2, '', '1101', '', '', " + std::to_string(last.kessan) +
                              ", DATE '2026-04-01', " + Date(last) + ", " + std::to_string(last.swkno) + ", " +
                              std::to_string(last.taishaku) + ", 0, 0, 0)"),
                  Reversed(before))
            << "up from " << last;
        down.insert(down.end(), page.begin(), page.end());
    }
    EXPECT_EQ(down, expected);
    // Up from the debit row of entry 2 (tax paid): that row, then entry
    // 1's cash row; from its credit row (cash), both rows of entry 2.
    const std::string head = "SP_MOTOCHO_LISTUP(2, '', '1101', '', '', 0, DATE '2026-04-01', DATE '2026-04-01', 2, ";
    EXPECT_EQ(Read(s, head + "1, 0, 0, 3)"), (std::vector<Row>{{0, 2, 1, "", 0}, {0, 1, 1, "", 0}}));
    EXPECT_EQ(Read(s, head + "2, 0, 0, 3)"), (std::vector<Row>{{0, 2, 2, "", 0}, {0, 2, 1, "", 0}, {0, 1, 1, "", 0}}));
    // A facility given blank or empty reads every facility; a sub-account
    // or department given blank is the blank code itself, empty every code.
    struct Case {
        const char* args;
        const char* where;
    };
    const Case cases[] = {
        {"' ', '1101', ' ', ' '", "KCODE = '1101' AND HCODE = ' ' AND BCODE = ' '"},
        {"'', '1101', '', ''", "KCODE = '1101'"},
        {"NULL, '1101', 'H1', NULL", "KCODE = '1101' AND HCODE = 'H1'"},
        {"'X1', '1101', '', ''", "KCODE = '1101' AND SCODE = 'X1'"},
        {"' ', '1101', '', 'D9'", "KCODE = '1101' AND BCODE = 'D9'"},
    };
    for (const Case& c : cases) {
        const std::vector<Row> rows =
            Expected(s, std::string(c.where) + " AND DELFLG = 0", "SWKNO DESC, TAISHAKU DESC");
        EXPECT_EQ(Read(s, std::string("SP_MOTOCHO_LISTIN(0, ") + c.args + ", -1, DATE '2026-04-01', " + end +
                              ", 0, 0, 0, 0, 10000)"),
                  rows)
            << c.args;
    }
}

// The monitor from its newest entry: fifty rows of the facility (not the
// later entries of another), then down and up over the same rows; the
// entry-order pair alike.
TEST_F(JournalPagingTest, MonitorStartsAtTheNewestEntry)
{
    Session s(Ledger());
    const std::vector<Row> live = Expected(s, "SCODE = ' ' AND TAISHAKU = 1 AND DELFLG = 0", "SWKNO DESC");
    for (const std::string proc : {"SP_MONITOR_LISTUP", "SP_MONITOR_LISTUP_ENTRYORDER"}) {
        const std::vector<Row> newest = Read(s, proc + "(' ', 0, 0, 0, 0, 0, 0, 0)");
        EXPECT_EQ(newest, std::vector<Row>(live.begin(), live.begin() + 50)) << proc;
        EXPECT_EQ(newest.back().count, 50) << proc;
        // Every flag with -1: the deleted entry 2910 is there.
        EXPECT_EQ(Read(s, proc + "(' ', 0, 0, -1, 0, 0, 90, 1)").front().swkno, 2910) << proc;
    }
    EXPECT_EQ(Read(s, "SP_MONITOR_LISTUP('X1', 0, 0, -1, 0, 0, 0, 0)").size(), 20u);
    // An empty facility is the blank one, as Firebird compares them.
    EXPECT_EQ(Read(s, "SP_MONITOR_LISTUP('', 0, 0, 0, 0, 0, 0, 0)"),
              Read(s, "SP_MONITOR_LISTUP(' ', 0, 0, 0, 0, 0, 0, 0)"));
    for (const std::string pair : {"", "_ENTRYORDER"}) {
        const std::vector<Row> down = Read(s, "SP_MONITOR_LISTDOWN" + pair + "(' ', 1000, 1000, 0, 0, 0, 0, 0)");
        ASSERT_EQ(down.size(), 50u);
        EXPECT_EQ(down.front().swkno, 1000);
        const std::string last = std::to_string(down.back().swkno);
        EXPECT_EQ(Read(s, "SP_MONITOR_LISTUP" + pair + "(' ', " + last + ", " + last + ", 0, 0, 0, 0, 0)"),
                  Reversed(down))
            << pair;
    }
}

// Each form of the monitor pair since 1.0.3 starts at the newest entry and
// stops after fifty rows.
TEST_F(JournalPagingTest, EveryMonitorFormPagesFiftyRows)
{
    for (const std::string version : {"1.0.3", "2.0.0"}) {
        Session s(Ledger(version));
        const std::vector<Row> up = Read(s, "SP_MONITOR_LISTUP(' ', 0, 0, 0, 0, 0, 0, 0)");
        ASSERT_EQ(up.size(), 50u) << version;
        EXPECT_EQ(up.front().swkno, Entries) << version;
        const std::vector<Row> down = Read(s, "SP_MONITOR_LISTDOWN(' ', 10, 10, 0, 0, 0, 0, 0)");
        ASSERT_EQ(down.size(), 50u) << version;
        EXPECT_EQ(down.front().swkno, 10) << version;
        EXPECT_EQ(down.back().swkno, 59) << version;
    }
}

}  // namespace
