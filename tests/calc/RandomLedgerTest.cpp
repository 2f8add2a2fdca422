// An independent check of the trial-balance load and the period-range
// calculation: a random balanced ledger is posted through the journal
// triggers, and every account's and sub-account's range figures must equal
// sums over the posted journal lines computed here, for every range kind,
// in both tax modes. The balancing row must close the balance sheet.
//
// Each seed is one test; a failure names its seed, and the same seed posts
// the same ledger again.

#include "CalcTestSupport.h"

#include "calc/engine/CalcFront.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using calctest::BalanceArrays;
using calctest::CompanyDataTest;
using calctest::JournalSide;
using calctest::PostSide;
using calctest::Yen;
using schematest::Session;

// What the ledger knows of an account of the chart.
struct Account {
    int side = 0;  // DAC
    bool profitAndLoss = false;
    std::string group1;
};

// Debit and credit per period 1 to 16 of one account or sub-account.
struct Movements {
    Currency opening = 0;
    std::array<Currency, 17> debit{};
    std::array<Currency, 17> credit{};
};

// An account's figures in one tax mode: the whole, and per sub-account code
// (" " the part without one).
struct Figures {
    Movements total;
    std::map<std::string, Movements> parts;
};

// One kind of business event: debit account, credit account, which side
// carries tax (0 none, 1 the credit side as tax received, 2 the debit side
// as tax paid) and the sub-accounts either side may use.
struct Template {
    const char* debit;
    const char* credit;
    int taxed;
    std::vector<const char*> debitSubs;
    std::vector<const char*> creditSubs;
};

const std::vector<Template>& Templates()
{
    static const std::vector<Template> templates = {
        {"1202", "4101", 1, {" ", "01", "02"}, {" "}},  // sale on credit
        {"1101", "4101", 1, {" "}, {" ", "01"}},        // cash sale, some to a sales line
        {"4102", "1202", 1, {" "}, {"01", "02"}},       // returns (tax received goes back)
        {"1103", "1202", 0, {" "}, {" ", "01", "02"}},  // collection
        {"5102", "2102", 2, {" "}, {" ", "01"}},        // purchase on credit
        {"2102", "1103", 0, {"01", " "}, {" "}},        // payment
        {"6110", "1101", 2, {" "}, {" "}},              // rent
        {"6102", "1103", 0, {" "}, {" "}},              // wages
        {"6204", "1416", 0, {" "}, {" "}},              // depreciation
        {"6113", "1305", 0, {" "}, {" "}},              // allowance
        {"1301", "5103", 0, {" "}, {" "}},              // closing inventory
        {"1103", "7101", 0, {" "}, {" "}},              // interest received
        {"7201", "1103", 0, {" "}, {" "}},              // interest paid
        {"1103", "2201", 0, {" "}, {" "}},              // borrowing
        {"8301", "2110", 0, {" "}, {" "}},              // corporate tax
        {"3302", "1101", 0, {" "}, {" "}},              // dividend paid out of retained earnings
        {"1401", "2104", 2, {" "}, {" "}},              // building bought on account
    };
    return templates;
}

// The opening balances, on each account's own side; retained earnings takes
// what balances them.
const std::vector<std::pair<const char*, long long>>& Openings()
{
    static const std::vector<std::pair<const char*, long long>> openings = {
        {"1101", 300000}, {"1103", 2500000}, {"1202", 800000},  {"1301", 150000},  {"1401", 4000000}, {"1305", 20000},
        {"1416", 900000}, {"2102", 600000},  {"2201", 1500000}, {"3101", 3000000}, {"3201", 500000},  {"3301", 100000},
    };
    return openings;
}

class RandomLedgerTest : public CompanyDataTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::map<std::string, Account> chart;
    std::map<std::string, Figures> inclusive;  // tax mode 0
    std::map<std::string, Figures> exclusive;  // tax mode 1

    void ReadChart()
    {
        Session s(Path());
        for (const auto& row : s.Rows("SELECT KCODE, DAC, BPFLG, GROUPM1 FROM KAMOKUMST"))
            chart[row[0]] = Account{std::stoi(row[1]), row[2] == "P", row[3]};
    }

    void Book(std::map<std::string, Figures>& book, const std::string& kcode, const std::string& hcode, int period,
              bool debit, Currency amount)
    {
        Figures& f = book[kcode];
        (debit ? f.total.debit : f.total.credit)[static_cast<std::size_t>(period)] += amount;
        (debit ? f.parts[hcode].debit : f.parts[hcode].credit)[static_cast<std::size_t>(period)] += amount;
    }

    // Posts the seed's ledger and books every line in both tax modes.
    void PostLedger(unsigned seed)
    {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        Session s(Path());
        s.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(seed % 2 == 0 ? 2 : 0) + " WHERE REC = 1");
        for (const char* sub : {"01", "02"})
            s.Exec(std::string("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1202', '") + sub + "', 'C" + sub +
                   "')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('2102', '01', 'S01')");
        s.Exec("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', '01', 'Shop')");
        const char* departments[] = {" ", "00"};
        int rec = 0;
        for (int entry = 0; entry < 220; ++entry) {
            const Template& t = Templates()[static_cast<std::size_t>(pick(static_cast<int>(Templates().size())))];
            const int period = 1 + pick(16);
            const long long net = 100 + pick(50000);
            const long long tax = t.taxed ? net / 10 : 0;
            const std::string debitSub =
                t.debitSubs[static_cast<std::size_t>(pick(static_cast<int>(t.debitSubs.size())))];
            const std::string creditSub =
                t.creditSubs[static_cast<std::size_t>(pick(static_cast<int>(t.creditSubs.size())))];
            const std::string department = departments[pick(2)];
            const JournalSide debit{++rec,
                                    1,
                                    t.debit,
                                    debitSub,
                                    department,
                                    period,
                                    t.taxed == 2 ? 2 : 0,
                                    t.taxed == 2 ? net : net + tax,
                                    t.taxed == 2 ? tax : 0};
            const JournalSide credit{++rec,
                                     2,
                                     t.credit,
                                     creditSub,
                                     department,
                                     period,
                                     t.taxed == 1 ? 1 : 0,
                                     t.taxed == 1 ? net : net + tax,
                                     t.taxed == 1 ? tax : 0};
            for (const JournalSide& side : {debit, credit}) {
                PostSide(s, side);
                const bool isDebit = side.taishaku == 1;
                Book(inclusive, side.kcode, side.hcode, period, isDebit, Yen(side.nuk + side.zei));
                Book(exclusive, side.kcode, side.hcode, period, isDebit, Yen(side.nuk));
                if (side.zei != 0)
                    Book(exclusive, side.taxuh == 1 ? "2109" : "1304", " ", period, isDebit, Yen(side.zei));
            }
        }
        // Balanced openings: debit-balance accounts against credit-balance
        // ones, retained earnings taking the difference. Part of the
        // receivables' opening sits on a sub-account.
        Currency net = 0;
        auto open = [&](const std::string& kcode, const std::string& hcode, Currency amount) {
            s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '" + kcode +
                   "', '" + hcode + "', ' ', " + std::to_string(amount / CurrencyScale) +
                   ")"
                   " MATCHING (SCODE, KCODE, HCODE, BCODE)");
            for (auto* book : {&inclusive, &exclusive}) {
                (*book)[kcode].total.opening += amount;
                (*book)[kcode].parts[hcode].opening += amount;
            }
            net += DebitBalanceSide(chart.at(kcode).side) ? amount : -amount;
        };
        for (const auto& [kcode, amount] : Openings())
            open(kcode, kcode == std::string("1202") ? "01" : " ", Yen(amount));
        open("3302", " ", net);
    }

    static long long Signed(int side, Currency debit, Currency credit) { return SignedMovement(side, debit, credit); }
};

struct Range {
    int kind, first, last, noOpening;
};

// The range a kind stands for, and whether profit-and-loss accounts start it
// from zero (the data starts with the fiscal year).
std::pair<int, int> Periods(const Range& r)
{
    switch (r.kind) {
    case 1:
        return {1, 4};
    case 2:
        return {5, 8};
    case 3:
        return {9, 12};
    case 4:
        return {13, 16};
    case 5:
        return {1, 8};
    case 6:
        return {9, 16};
    default:
        return {r.first, r.last};
    }
}

bool ProfitRestarts(const Range& r, int first)
{
    return r.kind == 2 || r.kind == 3 || r.kind == 4 || r.kind == 6 || (r.kind == 7 && first > 1);
}

TEST_P(RandomLedgerTest, RangeFiguresEqualSumsOverTheJournal)
{
    const unsigned seed = GetParam();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (a failing seed posts the same ledger again)");
    Copy();
    ReadChart();
    PostLedger(seed);
    Open();

    const Range ranges[] = {{0, 1, 16, 0}, {0, 5, 8, 0}, {0, 1, 1, 0},  {0, 3, 15, 0}, {0, 4, 12, 1},
                            {1, 0, 0, 0},  {2, 0, 0, 0}, {3, 0, 0, 0},  {4, 0, 0, 0},  {5, 0, 0, 0},
                            {6, 0, 0, 0},  {7, 2, 9, 0}, {-1, 1, 12, 0}};
    for (int tax : {0, 1}) {
        const auto& book = tax == 0 ? inclusive : exclusive;
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", " ", tax, 0, 0, 2, 0, 0, 0));
        std::map<std::string, const TBALANCE*> rowOf;
        for (std::size_t i = FirstAccountRowGeneral; i < a.rows.size(); ++i)
            if (!a.rows[i].KMK.KCODE.empty())
                rowOf[a.rows[i].KMK.KCODE] = &a.rows[i];

        for (const Range& range : ranges) {
            SCOPED_TRACE("tax mode " + std::to_string(tax) + ", kind " + std::to_string(range.kind) + " " +
                         std::to_string(range.first) + "-" + std::to_string(range.last) +
                         (range.noOpening ? " without opening" : ""));
            CalcBalancePeriods(a.rows, a.High(), range.noOpening, range.kind, range.first, range.last, 0);
            const auto [first, last] = Periods(range);

            // Every account and sub-account against the journal.
            Currency assets = 0, claims = 0, retainedBook = 0, income = 0;
            for (const auto& [kcode, account] : chart) {
                if (account.group1 == "9900")
                    continue;
                SCOPED_TRACE("account " + kcode);
                ASSERT_TRUE(rowOf.count(kcode));
                const TBALANCE& row = *rowOf.at(kcode);
                const auto found = book.find(kcode);
                const Figures figures = found == book.end() ? Figures{} : found->second;
                auto expect = [&](const Movements& m, Currency opening, Currency debit, Currency credit,
                                  Currency closing, const std::string& what) {
                    Currency o = 0, d = 0, c = 0;
                    if (range.noOpening != 1 && !(account.profitAndLoss && ProfitRestarts(range, first))) {
                        o = m.opening;
                        for (int p = 1; p < first; ++p)
                            o += Signed(account.side, m.debit[static_cast<std::size_t>(p)],
                                        m.credit[static_cast<std::size_t>(p)]);
                    }
                    for (int p = first; p <= last; ++p) {
                        d += m.debit[static_cast<std::size_t>(p)];
                        c += m.credit[static_cast<std::size_t>(p)];
                    }
                    EXPECT_EQ(opening, o) << what;
                    EXPECT_EQ(debit, d) << what;
                    EXPECT_EQ(credit, c) << what;
                    EXPECT_EQ(closing, o + Signed(account.side, d, c)) << what;
                };
                if (kcode != "3302")  // the balancing row's own figures are replaced
                    expect(figures.total, row.RangeOpening, row.RangeDebit, row.RangeCredit, row.RangeClosing,
                           "account");

                // Sub-accounts: the named ones, and the part without one when
                // it holds anything.
                std::set<std::string> expected;
                bool named = false;
                for (const auto& [hcode, m] : figures.parts)
                    named = named || hcode != " ";
                for (const auto& [hcode, m] : figures.parts) {
                    bool any = m.opening != 0;
                    for (int p = 1; p <= 16; ++p)
                        any = any || m.debit[static_cast<std::size_t>(p)] != 0 ||
                              m.credit[static_cast<std::size_t>(p)] != 0;
                    if (named && (hcode != " " || any))
                        expected.insert(hcode);
                }
                std::set<std::string> loaded;
                for (const THOJOUTIWAKE& sub : row.Hojo) {
                    loaded.insert(sub.HCODE);
                    const auto part = figures.parts.find(sub.HCODE);
                    ASSERT_NE(part, figures.parts.end()) << "sub-account " << sub.HCODE;
                    expect(part->second, sub.RangeOpening, sub.RangeDebit, sub.RangeCredit, sub.RangeClosing,
                           "sub-account '" + sub.HCODE + "'");
                }
                EXPECT_EQ(loaded, expected);
                EXPECT_EQ(row.HOJCNT, static_cast<int>(row.Hojo.size()));

                // The balance sheet on a debit-minus-credit basis, to the
                // range's end.
                Currency netDebit = DebitBalanceSide(account.side) ? figures.total.opening : -figures.total.opening;
                if (range.noOpening == 1)
                    netDebit = 0;
                const int from = range.noOpening == 1 ? first : 1;
                for (int p = from; p <= last; ++p)
                    netDebit += figures.total.debit[static_cast<std::size_t>(p)] -
                                figures.total.credit[static_cast<std::size_t>(p)];
                if (account.profitAndLoss)
                    income -= netDebit;
                else if (kcode == "3302")
                    retainedBook -= netDebit;
                else if (account.group1 < "2000")
                    assets += netDebit;
                else
                    claims -= netDebit;
            }

            // The balancing row closes the sheet: assets minus liabilities
            // minus the other equity, which on a balanced ledger is the
            // retained earnings as booked plus the income of the year.
            const TBALANCE& retained = *rowOf.at("3302");
            EXPECT_EQ(retained.RangeClosing, assets - claims);
            EXPECT_EQ(retained.RangeClosing, retainedBook + income);
            EXPECT_EQ(a.rows[27].RangeClosing, a.rows[11].RangeClosing);
            EXPECT_EQ(a.rows[11].RangeClosing, assets);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomLedgerTest, ::testing::Values(1u, 2u, 3u, 20261211u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

}  // namespace
