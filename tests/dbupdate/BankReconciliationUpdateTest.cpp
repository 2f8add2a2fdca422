// Accounting update 0.1.2: the bank reconciliation statement's procedures,
// run in a company database built through the real updates.

#include "CompanyUpdateTestSupport.h"
#include "SchemaTestSupport.h"
#include "UpdateTestSupport.h"

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using schematest::Quote;
using schematest::Session;

// One side of a journal entry as the tests need it; everything else keeps
// the table's defaults.
struct JournalLine {
    int rec = 0;
    int swkno = 0;  // also the entry number (SWKREC)
    int taishaku = 1;
    const char* hizuke = "";
    int mnum = 0;
    int kessan = 0;
    int sdaynum = 1;
    const char* kcode = "1102";
    const char* scode = " ";
    const char* hcode = " ";
    const char* bcode = " ";
    const char* nuk = "0";
    const char* zei = "0";
    int fusen2 = 0;
    int delflg = 0;
};

void Insert(Session& session, const JournalLine& line)
{
    session.Exec(
        "INSERT INTO SIWAKE(REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE,MNUM,KESSAN,SDAYNUM,"
        "SCODE,KCODE,HCODE,BCODE,NUK,ZEI,FUSEN2) VALUES(" +
        std::to_string(line.rec) + "," + std::to_string(line.swkno) + "," + std::to_string(line.swkno) + "," +
        std::to_string(line.delflg) + "," + std::to_string(line.taishaku) + ",'" + line.hizuke + "'," +
        std::to_string(line.mnum) + "," + std::to_string(line.kessan) + "," + std::to_string(line.sdaynum) + "," +
        Quote(line.scode) + "," + Quote(line.kcode) + "," + Quote(line.hcode) + "," + Quote(line.bcode) + "," +
        line.nuk + "," + line.zei + "," + std::to_string(line.fusen2) + ")");
}

// The paging data of account 1102 in a fiscal year from 2025-04-01:
// periods 1 to 3 are April to June, period 4 the quarter's settlement
// (dated June 30, KESSAN 1), period 5 July.
const JournalLine PagingLines[] = {
    {.rec = 101, .swkno = 1, .hizuke = "2025-04-10", .mnum = 1},
    {.rec = 102, .swkno = 2, .taishaku = 2, .hizuke = "2025-05-12", .mnum = 2},
    {.rec = 103, .swkno = 3, .hizuke = "2025-06-27", .mnum = 3, .fusen2 = 1},
    {.rec = 104, .swkno = 4, .hizuke = "2025-06-30", .mnum = 3},
    {.rec = 105, .swkno = 5, .hizuke = "2025-06-30", .mnum = 3, .sdaynum = 2},
    {.rec = 106, .swkno = 5, .taishaku = 2, .hizuke = "2025-06-30", .mnum = 3, .sdaynum = 2},
    {.rec = 107, .swkno = 7, .taishaku = 2, .hizuke = "2025-06-30", .mnum = 4, .kessan = 1},
    {.rec = 108, .swkno = 8, .hizuke = "2025-07-03", .mnum = 5},
    {.rec = 109, .swkno = 9, .hizuke = "2025-06-15", .mnum = 3, .delflg = 1},
    {.rec = 110, .swkno = 10, .hizuke = "2025-06-16", .mnum = 3, .bcode = "00"},
    {.rec = 111, .swkno = 11, .hizuke = "2025-06-17", .mnum = 3, .hcode = "01"},
    {.rec = 112, .swkno = 12, .hizuke = "2025-06-18", .mnum = 3, .scode = "01"},
    {.rec = 113, .swkno = 13, .hizuke = "2025-06-19", .mnum = 3, .kcode = "1101"},
};

// The balance data of account 1105 (amounts chosen so that every line
// shows in a sum).
const JournalLine BalanceLines[] = {
    {.rec = 301, .swkno = 31, .hizuke = "2025-05-31", .mnum = 2, .kcode = "1105", .nuk = "1000", .zei = "100"},
    {.rec = 302, .swkno = 32, .hizuke = "2025-06-05", .mnum = 3, .kcode = "1105", .nuk = "200", .zei = "20"},
    {.rec = 303, .swkno = 33, .taishaku = 2, .hizuke = "2025-06-10", .mnum = 3, .kcode = "1105", .nuk = "50"},
    {.rec = 304, .swkno = 34, .hizuke = "2025-06-10", .mnum = 3, .kcode = "1105", .nuk = "7", .fusen2 = 1},
    {.rec = 305, .swkno = 35, .hizuke = "2025-06-20", .mnum = 3, .kcode = "1105", .nuk = "3000"},
    {.rec = 306, .swkno = 36, .hizuke = "2025-06-12", .mnum = 3, .kcode = "1105", .nuk = "99999", .delflg = 1},
    {.rec = 307,
     .swkno = 37,
     .taishaku = 2,
     .hizuke = "2025-06-30",
     .mnum = 4,
     .kessan = 1,
     .kcode = "1105",
     .nuk = "400"},
    {.rec = 308, .swkno = 38, .hizuke = "2025-07-05", .mnum = 5, .kcode = "1105", .nuk = "600"},
    {.rec = 309,
     .swkno = 39,
     .taishaku = 2,
     .hizuke = "2025-06-25",
     .mnum = 3,
     .kcode = "1105",
     .bcode = "00",
     .nuk = "80000"},
};

// One company database at 0.1.2 with the journal lines of every test; the
// procedures only read it.
class BankReconciliationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const fs::path folder = dbtest::TestFirebird::Get().NewWorkFolder("BankReconciliation");
        database_ = companytest::CopyCompanyMaster(companytest::CompanyMaster("0.1.2"), folder);
        Session session(database_);
        for (const JournalLine& line : PagingLines)
            Insert(session, line);
        for (const JournalLine& line : BalanceLines)
            Insert(session, line);
        // Sixty lines of account 1104, one a day from April 1.
        for (int i = 1; i <= 60; ++i)
            session.Exec("INSERT INTO SIWAKE(REC,SWKREC,SWKNO,TAISHAKU,HIZUKE,MNUM,KCODE) VALUES(" +
                         std::to_string(1000 + i) + "," + std::to_string(1000 + i) + "," + std::to_string(1000 + i) +
                         ",1,DATEADD(" + std::to_string(i - 1) + " DAY TO DATE '2025-04-01'),1,'1104')");
        // Two lines of account 1103 for the row's columns.
        session.Exec(
            "INSERT INTO SIWAKE(REC,SWKREC,SWKNO,TAISHAKU,HIZUKE,MNUM,KESSAN,SDAYNUM,SCODE,KCODE,HCODE,"
            "BCODE,KNAME,NUK,ZEI,R_KCODE,R_KNAME,TEKTEXT,TORTEXT,FUSEN3,CTIME,COMMENT,LINKKEY,LINKKUB,"
            "RESERVE1,RESERVE2,RTIME,OPCODE) VALUES(201,201,21,1,'2025-05-01',2,0,4,' ','1103',' ',' ',"
            "'普通預金',1234.5,123.45,'4101','売上高','振込入金','得意先',2,'2025-05-01 10:11:12',"
            "'確認済','LK1',3,7,8,'2025-05-02 09:00:00',100007)");
        session.Exec(
            "INSERT INTO SIWAKE(REC,SWKREC,SWKNO,TAISHAKU,HIZUKE,MNUM,KCODE,KNAME,TEKTEXT,LINKKEY,CTIME)"
            " VALUES(202,202,22,1,'2025-05-02',2,'1103',NULL,NULL,NULL,NULL)");
    }

    static std::string database_;
};

std::string BankReconciliationTest::database_;

// The arguments of the paging procedures, with the defaults of the cases
// below.
struct PagingCall {
    int procType = 0;
    const char* scode = "";
    const char* kcode = "1102";
    const char* hcode = "";
    const char* bcode = "";
    int mnum = 16;
    int kessan = 0;
    const char* from = "2025-04-01";
    const char* to = "2025-06-30";
    int swkno = 0;
    int taishaku = 0;
    int delflg = 0;
    int offset = 0;
    int limit = 0;
};

std::string Arguments(const PagingCall& call)
{
    return std::to_string(call.procType) + "," + Quote(call.scode) + "," + Quote(call.kcode) + "," + Quote(call.hcode) +
           "," + Quote(call.bcode) + "," + std::to_string(call.mnum) + "," + std::to_string(call.kessan) + ",'" +
           call.from + "','" + call.to + "'," + std::to_string(call.swkno) + "," + std::to_string(call.taishaku) + "," +
           std::to_string(call.delflg) + "," + std::to_string(call.offset) + "," + std::to_string(call.limit);
}

// The rows of a paging procedure as "RECORDCNT:REC", blank-separated.
std::string Paged(Session& session, const char* procedure, const PagingCall& call)
{
    std::string text;
    for (const auto& row :
         session.Rows(std::string("SELECT RECORDCNT, REC FROM ") + procedure + "(" + Arguments(call) + ")"))
        text += (text.empty() ? "" : " ") + row.at(0) + ":" + row.at(1);
    return text;
}

const char* const Up = "SP_TOUZACHOSEIHYO_LISTUP";
const char* const Down = "SP_TOUZACHOSEIHYO_LISTDOWN";

struct PagingCase {
    const char* name;
    const char* procedure;
    PagingCall call;
    const char* rows;
};

const PagingCase PagingCases[] = {
    // Backwards from the end of the range, newest first. The settlement
    // line of June 30 sorts after the day's ordinary lines, so an ordinary
    // end point does not reach it.
    {"up from the end date", Up, {}, "1:106 2:105 3:104 4:103 5:112 6:111 7:110 8:102 9:101"},
    {"up from a settlement point takes the settlement line",
     Up,
     {.kessan = 1, .swkno = 7, .taishaku = 2, .limit = 3},
     "1:107 2:106 3:105"},
    {"up from a settlement point without a line", Up, {.kessan = 1, .limit = 2}, "1:107 2:106"},
    {"up from a settlement point numbered below the settlement line",
     Up,
     {.kessan = 1, .swkno = 6, .taishaku = 2, .limit = 2},
     "1:106 2:105"},
    {"up from a debit line leaves its credit side out",
     Up,
     {.swkno = 5, .taishaku = 1, .limit = 3},
     "1:105 2:104 3:103"},
    {"up from a credit line", Up, {.swkno = 5, .taishaku = 2, .limit = 3}, "1:106 2:105 3:104"},
    {"up from past the last line of an earlier day", Up, {.to = "2025-06-27", .swkno = 99, .limit = 2}, "1:103 2:112"},
    {"up skips the offset and counts on", Up, {.offset = 1, .limit = 2}, "2:105 3:104"},
    {"up with reconciliation lines only", Up, {.procType = 1, .limit = 4}, "1:106 2:105 3:104 4:112"},
    {"up with an unknown processing type", Up, {.procType = 2}, ""},
    {"up in one department", Up, {.bcode = "00"}, "1:110"},
    {"up in one sub-account", Up, {.hcode = "01"}, "1:111"},
    {"up in one facility", Up, {.scode = "01"}, "1:112"},
    {"up through deleted lines", Up, {.delflg = 1}, "1:109"},
    {"up with the end before the start reads from the fiscal year's start",
     Up,
     {.from = "2025-06-01", .to = "2025-05-31"},
     "1:102 2:101"},

    // Forwards from the start of the range, oldest first, never past the
    // period.
    {"down from a day", Down, {.from = "2025-06-30", .to = "2025-07-31"}, "1:104 2:105 3:106 4:107 5:108"},
    {"down skips later periods inside the range",
     Down,
     {.mnum = 3, .from = "2025-06-30", .to = "2025-07-31"},
     "1:104 2:105 3:106"},
    {"down skips the offset and counts on",
     Down,
     {.mnum = 3, .from = "2025-06-30", .to = "2025-07-31", .offset = 1},
     "2:105 3:106"},
    {"down from a settlement point",
     Down,
     {.mnum = 5, .kessan = 1, .from = "2025-06-30", .to = "2025-07-31", .swkno = 7, .taishaku = 2},
     "1:107 2:108"},
    {"down from a settlement point numbered above the settlement line",
     Down,
     {.mnum = 5, .kessan = 1, .from = "2025-06-30", .to = "2025-07-31", .swkno = 8, .taishaku = 1},
     "1:108"},
    {"down from a credit line leaves its debit side out",
     Down,
     {.mnum = 4, .from = "2025-06-30", .to = "2025-07-31", .swkno = 5, .taishaku = 2},
     "1:106 2:107"},
    {"down from past the last line of a day starts with the next",
     Down,
     {.mnum = 3, .from = "2025-06-27", .to = "2025-06-30", .swkno = 99, .limit = 2},
     "1:104 2:105"},
    {"down with reconciliation lines only", Down, {.procType = 1, .from = "2025-06-27", .limit = 2}, "1:104 2:105"},
    {"down with an unknown processing type", Down, {.procType = 2, .from = "2025-06-30", .to = "2025-07-31"}, ""},
};

TEST_F(BankReconciliationTest, PagingPicksCountsAndLimitsTheLines)
{
    Session session(database_);
    for (const PagingCase& c : PagingCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Paged(session, c.procedure, c.call), c.rows);
    }
}

TEST_F(BankReconciliationTest, NoLimitMeansFiftyLines)
{
    Session session(database_);
    for (const char* procedure : {Up, Down}) {
        SCOPED_TRACE(procedure);
        const PagingCall all{.kcode = "1104"};
        const auto rows =
            session.Rows(std::string("SELECT RECORDCNT, REC FROM ") + procedure + "(" + Arguments(all) + ")");
        ASSERT_EQ(rows.size(), 50u);
        EXPECT_EQ(rows.front().at(0), "1");
        EXPECT_EQ(rows.back().at(0), "50");
        EXPECT_EQ(rows.front().at(1), std::string_view(procedure) == Up ? "1060" : "1001");
        // Past the offset the rest of the sixty.
        PagingCall rest = all;
        rest.offset = 55;
        const auto tail = session.Rows(std::string("SELECT RECORDCNT FROM ") + procedure + "(" + Arguments(rest) + ")");
        EXPECT_EQ(tail.size(), 5u);
        EXPECT_EQ(tail.back().at(0), "60");
    }
}

TEST_F(BankReconciliationTest, RowsCarryTheJournalLineAndNothingOfTheLineBefore)
{
    Session session(database_);
    const PagingCall call{.kcode = "1103", .from = "2025-05-01", .to = "2025-05-31"};
    const std::string columns =
        "RECORDCNT, REC, SWKNO, HIZUKE, MNUM, SDAYNUM, KCODE, USERCODE, KNAME, NUK, ZEI, "
        "R_KCODE, R_USERCODE, R_KNAME, TEKTEXT, TORTEXT, FUSEN3, CTIME, COMMENT, LINKKEY, "
        "LINKKUB, RESERVE1, RESERVE2, RTIME, OPCODE";
    const auto rows = session.Lines("SELECT " + columns + " FROM SP_TOUZACHOSEIHYO_LISTDOWN(" + Arguments(call) + ")");
    ASSERT_EQ(rows.size(), 2u);
    // RESERVE1 and RESERVE2 of the line (7 and 8) are never passed on.
    EXPECT_EQ(rows[0],
              "1|201|21|2025/05/01|2|4|1103|1103|普通預金|1234.5|123.45|4101|4101|売上高|振込入金|得意先|2|"
              "2025/05/01 10:11:12|確認済|LK1|3|<null>|<null>|2025/05/02 09:00:00|100007");
    EXPECT_EQ(rows[1],
              "2|202|22|2025/05/02|2|0|1103|1103|<null>|0|0||<null>||<null>||0|<null>||<null>|0|<null>|"
              "<null>|<null>|0");
}

// The arguments of the balance procedure.
struct BalanceCall {
    int procType = 0;
    int calcType = 0;
    const char* bcode = "";
    int zeiKbn = 0;
    int mnum = 3;
    const char* hizuke = "2025-06-20";
    int dac = 1;
    int swkrec = 0;
    int taishaku = 1;
};

struct BalanceCase {
    const char* name;
    BalanceCall call;
    const char* balance;
};

// Starting from 10000 on an asset account, a debit line lowers the
// statement's balance and a credit line raises it; with the tax included
// a line counts NUK + ZEI.
const BalanceCase BalanceCases[] = {
    {"up to the given line", {.swkrec = 35}, "9823"},
    {"up to the given line, reconciliation lines only", {.procType = 1, .swkrec = 35}, "9830"},
    {"the given line on the other side is not found", {.swkrec = 35, .taishaku = 2}, "6823"},
    {"a line not found: the period up to the date", {.swkrec = 99}, "6823"},
    {"a line not found: an earlier date", {.hizuke = "2025-06-10", .swkrec = 99}, "9823"},
    {"up to the month", {.calcType = 1}, "85723"},
    {"up to the month ignores the given line", {.calcType = 1, .swkrec = 35}, "85723"},
    {"up to the settlement period", {.calcType = 1, .mnum = 4}, "86123"},
    {"up to the year's end", {.calcType = 1, .mnum = 16}, "85523"},
    {"up to the month without tax", {.calcType = 1, .zeiKbn = 1}, "85843"},
    {"up to the month of a credit-natured account", {.calcType = 1, .dac = 2}, "-65723"},
    {"up to the month in one department", {.calcType = 1, .bcode = "00"}, "90000"},
    {"an unknown processing type", {.procType = 2, .calcType = 1}, "10000"},
    {"an unknown calculation type", {.calcType = 2}, "10000"},
};

TEST_F(BankReconciliationTest, BalanceRunsOppositeToTheBookUpToALineOrAMonth)
{
    Session session(database_);
    for (const BalanceCase& c : BalanceCases) {
        SCOPED_TRACE(c.name);
        const BalanceCall& a = c.call;
        const std::string sql = "SELECT ZANDAKA FROM SP_TOUZACHOSEIHYO_ZENZAN(" + std::to_string(a.procType) + "," +
                                std::to_string(a.calcType) + ",'','1105',''," + Quote(a.bcode) + "," +
                                std::to_string(a.zeiKbn) + "," + std::to_string(a.mnum) + ",'" + a.hizuke + "',0," +
                                std::to_string(a.dac) + "," + std::to_string(a.swkrec) + "," +
                                std::to_string(a.taishaku) + ",10000)";
        EXPECT_EQ(session.Lines(sql), std::vector<std::string>{c.balance});
    }
}

// The names and types of a procedure's arguments (kind 0) or results
// (kind 1), in order, as "NAME TYPE" joined by ", ".
std::string Parameters(Session& session, const std::string& procedure, int kind)
{
    std::string text;
    for (const std::string& line :
         session.Lines("SELECT TRIM(P.RDB$PARAMETER_NAME) || ' ' || CASE F.RDB$FIELD_TYPE"
                       " WHEN 8 THEN 'INTEGER' WHEN 12 THEN 'DATE' WHEN 35 THEN 'TIMESTAMP'"
                       " WHEN 16 THEN 'NUMERIC(' || F.RDB$FIELD_PRECISION || ',' || (-F.RDB$FIELD_SCALE) || ')'"
                       " WHEN 37 THEN 'VARCHAR(' || F.RDB$CHARACTER_LENGTH || ') ' || TRIM(C.RDB$CHARACTER_SET_NAME)"
                       " ELSE 'TYPE ' || F.RDB$FIELD_TYPE END"
                       " FROM RDB$PROCEDURE_PARAMETERS P"
                       " JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = P.RDB$FIELD_SOURCE"
                       " LEFT JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID"
                       " WHERE P.RDB$PROCEDURE_NAME = " +
                       Quote(procedure) + " AND P.RDB$PARAMETER_TYPE = " + std::to_string(kind) +
                       " ORDER BY P.RDB$PARAMETER_NUMBER"))
        text += (text.empty() ? "" : ", ") + line;
    return text;
}

// "A B C:TYPE" -> "A TYPE, B TYPE, C TYPE".
std::string Typed(const std::vector<std::string>& groups)
{
    std::string text;
    for (const std::string& group : groups) {
        const std::size_t colon = group.find(':');
        std::istringstream names(group.substr(0, colon));
        for (std::string name; names >> name;)
            text += (text.empty() ? "" : ", ") + name + " " + group.substr(colon + 1);
    }
    return text;
}

TEST_F(BankReconciliationTest, ProceduresHaveTheirCallersArgumentsAndResults)
{
    const std::string code = "VARCHAR(6) ASCII";
    const std::string pagingArguments =
        Typed({"PPROCTYPE:INTEGER", "PSCODE PKCODE PHCODE PBCODE:" + code, "PMNUM PKESSAN:INTEGER",
               "PSHIZUKE PEHIZUKE:DATE", "PSWKNO PTAISHAKU PDELFLG POFFSET PLIMIT:INTEGER"});
    const std::string pagingResults = Typed({
        "RECORDCNT REC SWKREC SWKNO DELFLG TAISHAKU:INTEGER",
        "HIZUKE:DATE",
        "MNUM KESSAN DNUM SNUM MDAYNUM SDAYNUM:INTEGER",
        "SCODE KGROUP KCODE USERCODE HCODE BCODE:" + code,
        "KNAME HNAME BNAME:VARCHAR(14) SJIS_0208",
        "TAXCODE TAXUH TAXDC:INTEGER",
        "NUK ZEI RIT:NUMERIC(16,4)",
        "SIKIN:INTEGER",
        "R_KGROUP R_KCODE R_USERCODE R_HCODE R_BCODE:" + code,
        "R_KNAME R_HNAME R_BNAME:VARCHAR(56) SJIS_0208",
        "R_TAXCODE R_TAXUH R_TAXDC:INTEGER",
        "R_NUK R_ZEI R_RIT:NUMERIC(16,4)",
        "R_SIKIN:INTEGER",
        "KINGAKU ZEIGAKU:NUMERIC(16,4)",
        "ZEIRITUNO AUTCALCU TAXCALCU OLDRATE TEKCODE:INTEGER",
        "TEKTEXT:VARCHAR(50) SJIS_0208",
        "TORCODE:INTEGER",
        "TORTEXT:VARCHAR(20) SJIS_0208",
        "FUSEN1 FUSEN2 FUSEN3 FUSEN4 FUSEN5:INTEGER",
        "CTIME:TIMESTAMP",
        "COMMENT AO_COMMENT:VARCHAR(50) SJIS_0208",
        "LINKKEY:VARCHAR(20) SJIS_0208",
        "LINKKUB LINKREC LOCALFLG RESERVE1 RESERVE2:INTEGER",
        "RTIME:TIMESTAMP",
        "OPCODE:INTEGER",
    });
    Session session(database_);
    for (const char* procedure : {Up, Down}) {
        SCOPED_TRACE(procedure);
        EXPECT_EQ(Parameters(session, procedure, 0), pagingArguments);
        EXPECT_EQ(Parameters(session, procedure, 1), pagingResults);
    }
    EXPECT_EQ(Parameters(session, "SP_TOUZACHOSEIHYO_ZENZAN", 0),
              Typed({"PPROCTYPE PCALCTYPE:INTEGER", "PSCODE PKCODE PHCODE PBCODE:" + code, "PZEIKBN PMNUM:INTEGER",
                     "PHIZUKE:DATE", "PKESSAN PDAC PSWKREC PTAISHAKU:INTEGER", "PKIMATUZAN:NUMERIC(16,4)"}));
    EXPECT_EQ(Parameters(session, "SP_TOUZACHOSEIHYO_ZENZAN", 1), "ZANDAKA NUMERIC(16,4)");
}

TEST(BankReconciliationScript, ThreeProcedureBlocksThenTheStamp)
{
    updtest::SavedGlobals saved;
    SystemDef.DataDir = "/srv/ledrix/data/company";
    const std::string text = z5UserDbUpdate012::Script().Text();

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::string> blocks;
    std::size_t lastClose = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "SET TERM ^ ;") {
            ASSERT_LT(i + 1, lines.size());
            blocks.push_back(lines[i + 1]);
        }
        if (lines[i] == "SET TERM ; ^")
            lastClose = i;
    }
    EXPECT_EQ(blocks, (std::vector<std::string>{"RECREATE PROCEDURE SP_TOUZACHOSEIHYO_LISTUP (",
                                                "RECREATE PROCEDURE SP_TOUZACHOSEIHYO_LISTDOWN (",
                                                "RECREATE PROCEDURE SP_TOUZACHOSEIHYO_ZENZAN ("}));
    ASSERT_EQ(lastClose + 5, lines.size());
    EXPECT_EQ(lines[lastClose + 1].rfind("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=2,MEMO='", 0), 0u);
    EXPECT_EQ(lines[lastClose + 2], "WHERE REC=1;");
    EXPECT_EQ(lines[lastClose + 3], "COMMIT;");
    EXPECT_EQ(lines[lastClose + 4], "EXIT;");
}

}  // namespace
