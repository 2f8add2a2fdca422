// The facility x department trial balance (scope 6) of the general chart on
// copies of company data at its last version, journals posted through the
// journal triggers.

#include "AccumulationTestSupport.h"

#include "calc/engine/TrialBalanceAccumulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>

namespace {

using namespace acctest;

// The figures and texts of a row that a trial balance fills, as one line.
std::string Describe(const TBALANCE& row)
{
    std::ostringstream text;
    const auto periods = [&](const auto& r) {
        text << " open " << r.KAISIZAN << "/" << r.OpeningByYear[0] << "/" << r.OpeningByYear[1];
        for (int p = 1; p <= 16; ++p)
            text << " " << p << ":" << r.KAR[p] << "," << r.KAS[p] << "," << r.PeriodChange[p] << ","
                 << r.PeriodBalance[p];
    };
    text << row.KMK.KCODE << "|" << row.KMK.USERCODE << "|" << row.KMK.KNAME << "|" << row.KMK.GROUPM1 << "|"
         << row.KMK.GROUPM2 << "|" << row.KMK.BSPL << "|" << row.KMK.TAISHAKU;
    periods(row);
    text << " subs " << row.HOJCNT;
    for (const THOJOUTIWAKE& sub : row.Hojo) {
        text << " [" << sub.HCODE << "|" << sub.HNAME;
        periods(sub);
        text << "]";
    }
    return text.str();
}

// The account rows from first on, and their order keys, alike; the first
// few rows that differ are shown.
void ExpectSameRows(const BalanceArrays& procedure, const BalanceArrays& accumulated, std::size_t first)
{
    const auto entryOf = [](const BalanceArrays& a, std::size_t row) {
        const auto entry = std::find_if(a.order.begin(), a.order.end(),
                                        [&](const TQSORT& e) { return e.Value == static_cast<int>(row); });
        return entry == a.order.end() ? std::string("(none)") : entry->Key;
    };
    int differences = 0;
    for (std::size_t i = first; i < procedure.rows.size() && differences < 5; ++i) {
        const std::string expected = entryOf(procedure, i) + " " + Describe(procedure.rows[i]);
        const std::string actual = entryOf(accumulated, i) + " " + Describe(accumulated.rows[i]);
        if (expected != actual) {
            ++differences;
            ADD_FAILURE() << "row " << i << "\n procedure:   " << expected << "\n accumulated: " << actual;
        }
    }
}

class FacilityDepartmentTrialBalanceTest : public AccumulationTest {};

// Every amount in the departments of the group: scope 6 without allocation
// reads the balance tables and must give what the company's trial-balance
// procedure gives, row by row and in the same order, in both tax modes.
TEST_F(FacilityDepartmentTrialBalanceTest, WithoutAllocationEqualsTheCompanyTrialBalance)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '01', 'North')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '02', 'South')");
        Balance(s, " ", "1101", " ", "D1", 5000);
        Balance(s, " ", "1202", "01", "D1", 300);
        Balance(s, " ", "6110", " ", "00", -120);
        const JournalSide sides[] = {
            {1, 1, "1202", "01", "D1", 1, 0, 1100, 0}, {2, 2, "4101", " ", "D1", 1, 1, 1000, 100},
            {3, 1, "1202", "02", "D2", 5, 0, 2200, 0}, {4, 2, "4101", " ", "D2", 5, 1, 2000, 200},
            {5, 1, "1202", " ", "D1", 16, 0, 330, 0},  {6, 2, "4101", " ", "D1", 16, 1, 300, 30},
            {7, 1, "6110", " ", "00", 2, 2, 400, 40},  {8, 2, "1101", " ", "D1", 2, 0, 440, 0},
            {9, 1, "6110", " ", "D2", 3, 2, -50, -5},  {10, 2, "1101", " ", "D2", 3, 0, -55, 0},
        };
        for (const JournalSide& side : sides)
            PostSide(s, side);
    }
    OpenData();

    for (int tax : {0, 1}) {
        SCOPED_TRACE("tax mode " + std::to_string(tax));
        const BalanceArrays company = Load(0, " ", tax, 0);
        const BalanceArrays accumulated = Load(6, "G1", tax, 0);

        const TBALANCE* receivable = FindAccount(accumulated, "1202");
        ASSERT_NE(receivable, nullptr);
        EXPECT_EQ(receivable->HOJCNT, 3);  // the own part, 01 and 02
        const TBALANCE* taxReceived = FindAccount(accumulated, ReceivedTax);
        ASSERT_NE(taxReceived, nullptr);
        EXPECT_EQ(taxReceived->KAS[5], Yen(tax == 1 ? 200 : 0));

        ExpectSameRows(company, accumulated, FirstAccountRowGeneral);
    }
}

// Facilities S1 and S2 keep departments, S3 does not. An expense booked in
// the common department "00" of a facility is shared out to the pair of
// each department by that pair's ratio (S1: "00" 50%, D1 33.33%), each
// share cut toward zero to whole yen: 33.33% of 1000 is 333, of -1000 -333.
TEST_F(FacilityDepartmentTrialBalanceTest, AllocationSharesTheCommonDepartmentByThePairsRatios)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        Facility(s, "S1", 1);
        Facility(s, "S2", 1);
        Facility(s, "S3", 0);
        Balance(s, "S1", "6110", " ", "00", 1000, "50");
        Balance(s, "S1", "6110", " ", "D1", 0, "33.33");
        Balance(s, "S2", "6110", " ", "00", 0, "50");
        Balance(s, "S2", "6110", " ", "D1", 0, "33.33");
        Balance(s, "S3", "6110", " ", "D1", 0, "100");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('6110', 'H1', 'Sub')");
        const struct {
            const char* scode;
            JournalSide side;
        } sides[] = {
            {"S1", {1, 1, "6110", " ", "00", 1, 0, 1000, 0}},  {"S1", {2, 2, "1101", " ", "00", 1, 0, 1000, 0}},
            {"S1", {3, 1, "6110", " ", "D1", 1, 0, 500, 0}},   {"S1", {4, 2, "1101", " ", "D1", 1, 0, 500, 0}},
            {"S2", {5, 1, "6110", " ", "00", 2, 0, -1000, 0}}, {"S2", {6, 2, "1101", " ", "00", 2, 0, -1000, 0}},
            {"S3", {7, 1, "6110", " ", "D1", 3, 0, 7777, 0}},  {"S3", {8, 2, "1101", " ", "D1", 3, 0, 7777, 0}},
            {"S1", {9, 1, "6110", "H1", "00", 4, 0, 400, 0}},  {"S1", {10, 2, "1101", " ", "00", 4, 0, 400, 0}},
            {"S1", {11, 1, "6110", "H1", "D1", 4, 0, 200, 0}}, {"S1", {12, 2, "1101", " ", "D1", 4, 0, 200, 0}},
        };
        for (const auto& [scode, side] : sides)
            PostSide(s, side, scode);
    }
    OpenData();

    const struct {
        int haibun;
        long long opening, period1, period2, period3, period4;
    } cases[] = {
        // Plain sums over every facility, S3 included.
        {0, 1000, 1500, -1000, 7777, 600},
        // "00" keeps its shares (500, -500, 200), D1 adds its own figures
        // and its shares (333, -333, 133); S3 takes no part.
        {1, 833, 1333, -833, 0, 533},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("allocation " + std::to_string(c.haibun));
        const BalanceArrays a = Load(6, "G1", 0, c.haibun);
        const TBALANCE* expense = FindAccount(a, "6110");
        ASSERT_NE(expense, nullptr);
        EXPECT_EQ(expense->KAISIZAN, Yen(c.opening));
        EXPECT_EQ(expense->OpeningByYear[1], Yen(c.opening));
        EXPECT_EQ(expense->KAR[1], Yen(c.period1));
        EXPECT_EQ(expense->KAR[2], Yen(c.period2));
        EXPECT_EQ(expense->KAR[3], Yen(c.period3));
        EXPECT_EQ(expense->KAR[4], Yen(c.period4));
        EXPECT_EQ(expense->PeriodBalance[16], Yen(c.opening + c.period1 + c.period2 + c.period3 + c.period4));

        // The own part and H1; together they hold the account's figures, also
        // where a pair (S2) has no named sub-account of its own.
        ASSERT_EQ(expense->HOJCNT, 2);
        ASSERT_EQ(expense->Hojo.size(), 2u);
        EXPECT_EQ(expense->Hojo[0].HCODE, " ");
        EXPECT_EQ(expense->Hojo[0].HNAME, expense->KMK.KNAME);
        EXPECT_EQ(expense->Hojo[1].HCODE, "H1");
        EXPECT_EQ(expense->Hojo[1].KAR[4], Yen(c.period4));
        EXPECT_EQ(expense->Hojo[0].PeriodBalance[16] + expense->Hojo[1].PeriodBalance[16], expense->PeriodBalance[16]);
    }
}

// Fixed-form and settlement lines: an A4 line that two accounts enter shows
// "-" as its codes and its own name; an account without balance rows in the
// departments makes no line; in a settlement line that also holds a
// debit-side account, a credit-side account takes its BLDAC as the line's
// side and its opening reversed, its movements as booked.
TEST_F(FacilityDepartmentTrialBalanceTest, FixedFormAndSettlementLines)
{
    Copy(dbtest::DataKind::Corporation, "");
    {
        Session s(Path());
        Prepare(s);
        const struct {
            int line;
            const char* kname1;
        } lines[] = {{900, ""}, {901, "試験行"}, {902, ""}};
        for (const char* table : {"EXTERA4", "EXTERKS"})
            for (const auto& l : lines)
                s.Exec(std::string("INSERT INTO ") + table + " (REC, KGROUP, SUBREC, KNAME1) VALUES (" +
                       std::to_string(l.line) + ", 'T" + std::to_string(l.line) + "', 1, '" + l.kname1 + "')");
        const struct {
            const char* kcode;
            const char* kname;
            int dac;
            int line;
        } accounts[] = {{"T100", "試験費", 1, 900},
                        {"T200", "試験収入", 1, 901},
                        {"T300", "試験戻", 2, 901},
                        {"T400", "試験外", 1, 902}};
        for (const auto& a : accounts)
            s.Exec(std::string("INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC, BLDAC,"
                               " EXT1_A4, EXT1_A3, EXT1_KS) VALUES ('") +
                   a.kcode + "', '" + a.kcode + "', '" + a.kname + "', '8000', '8100', 'B', " + std::to_string(a.dac) +
                   ", 1, " + std::to_string(a.line) + ", 0, " + std::to_string(a.line) + ")");
        Balance(s, " ", "T100", " ", "D1", 100);
        Balance(s, " ", "T200", " ", "D1", 200);
        Balance(s, " ", "T300", " ", "D2", 300);
        PostSide(s, {1, 1, "T300", " ", "D2", 1, 0, 40, 0});
        PostSide(s, {2, 2, "T200", " ", "D1", 1, 0, 40, 0});
    }
    OpenData();

    const auto line = [](const BalanceArrays& a, const std::string& group) -> const TBALANCE* {
        for (std::size_t i = FirstAccountRowGeneral; i < a.rows.size(); ++i)
            if (!a.rows[i].KMK.KCODE.empty() && a.rows[i].KMK.GROUPM2 == group)
                return &a.rows[i];
        return nullptr;
    };

    const BalanceArrays a4 = Load(6, "G1", 0, 0, 1);
    const TBALANCE* single = line(a4, "T900");
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->KMK.KCODE, "T100");
    EXPECT_EQ(single->KMK.KNAME, "試験費");
    const TBALANCE* shared = line(a4, "T901");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->KMK.KCODE, "-");
    EXPECT_EQ(shared->KMK.USERCODE, "-");
    EXPECT_EQ(shared->KMK.KNAME, "試験行");
    EXPECT_EQ(shared->KAISIZAN, Yen(500));
    EXPECT_EQ(line(a4, "T902"), nullptr);
    const auto entry = std::find_if(a4.order.begin(), a4.order.end(),
                                    [&](const TQSORT& e) { return e.Value == shared - a4.rows.data(); });
    ASSERT_NE(entry, a4.order.end());
    EXPECT_EQ(entry->Key, "T90101");

    // The settlement layout is read by the accumulation itself: the general
    // chart's loader reads its own settlement procedure.
    BalanceArrays ks(BalanceCapacity());
    InitBalanceRows(ks.rows, ks.High(), ks.order, ks.High());
    TCalcSisanhyoSettingRec setting;
    setting.BCODE = "G1";
    setting.Scope = 6;
    setting.Layout = 3;
    const int last = AccumulateTrialBalance(ks.rows, ks.High(), ks.order, ks.High(), setting);
    const TBALANCE* settled = line(ks, "T901");
    ASSERT_NE(settled, nullptr);
    EXPECT_LE(settled - ks.rows.data(), last);
    EXPECT_EQ(settled->KMK.TAISHAKU, 1);           // T300's BLDAC
    EXPECT_EQ(settled->KAISIZAN, Yen(200 - 300));  // T300's opening reversed
    EXPECT_EQ(settled->PeriodBalance[1], Yen(-100 + 40 - 40));
}

// Medical-corporation data: the accounts from row 61 on, keyed by their
// first group, as the chart's own trial-balance procedure gives them.
TEST_F(FacilityDepartmentTrialBalanceTest, MedicalCorporationAccountsAsTheChartsProcedureGives)
{
    Copy(dbtest::DataKind::Medical, "");
    {
        Session s(Path());
        Prepare(s);
        Balance(s, " ", "1101", " ", "D1", 5000);
        PostSide(s, {1, 1, "6110", " ", "D1", 1, 0, 800, 0});
        PostSide(s, {2, 2, "1101", " ", "D2", 1, 0, 800, 0});
    }
    OpenData();
    ASSERT_EQ(AccInf.MedicalChart, 1);
    BalanceArrays company = Load(0, " ", 0, 0);
    const BalanceArrays accumulated = Load(6, "G1", 0, 0);
    // The chart's procedure reader keeps the clearing account of group
    // "9900", which comes last; the accumulation leaves it out.
    const auto clearing = std::find_if(company.rows.begin(), company.rows.end(),
                                       [](const TBALANCE& r) { return r.KMK.GROUPM1 == "9900"; });
    ASSERT_NE(clearing, company.rows.end());
    EXPECT_TRUE(std::next(clearing)->KMK.KCODE.empty());
    EXPECT_EQ(FindAccount(accumulated, clearing->KMK.KCODE), nullptr);
    ClearBalanceRow(*clearing);
    for (TQSORT& entry : company.order)
        if (entry.Value == clearing - company.rows.begin())
            entry.Key = "ﾟ";
    const TBALANCE* cash = FindAccount(accumulated, "1101");
    ASSERT_NE(cash, nullptr);
    EXPECT_GE(cash - accumulated.rows.data(), FirstAccountRowMedical);
    EXPECT_EQ(cash->PeriodBalance[16], Yen(4200));
    ExpectSameRows(company, accumulated, FirstAccountRowMedical);
}

}  // namespace
