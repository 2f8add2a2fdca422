// The medical-corporation chart's trial-balance load and range calculation
// on a real medical company database: the total rows from the totals table
// by business kind, the keys of the kind totals following the facilities,
// and, on random ledgers posted through the journal triggers over several
// facilities, every account's range figures and every total against sums
// over the journal computed here, in both tax modes. Each seed is one test;
// a failure names its seed, and the same seed posts the same ledger again.

#include "CalcTestSupport.h"

#include "calc/engine/CalcFront.h"
#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using calctest::BalanceArrays;
using calctest::CompanyDataTest;
using calctest::JournalSide;
using calctest::PostSide;
using calctest::Yen;
using schematest::Session;

// The totals table of the test's medical chart: position, group code, name
// and, for a total named by its sign, the name of a negative amount. Every
// kind bit is set, so every business kind reads every total.
struct TotalLine {
    int position;
    const char* code;
    const char* name;
    const char* minusName = "";
};

const std::vector<TotalLine>& TotalLines()
{
    static const std::vector<TotalLine> lines = {
        {1, "1080", "流動資産"},      {2, "1180", "医業未収金合計"},  {3, "1280", "債権合計"},
        {4, "1380", "その他流動"},    {5, "1390", "流動資産合計"},    {6, "1480", "有形固定"},
        {7, "1580", "土地等"},        {8, "1680", "無形固定"},        {9, "1690", "固定資産合計"},
        {10, "1880", "その他資産"},   {11, "1900", "資産合計"},       {12, "2180", "流動負債"},
        {13, "2280", "固定負債"},     {14, "2290", "負債合計"},       {15, "3180", "出資金"},
        {16, "3280", "剰余金"},       {17, "3380", "利益剰余金"},     {18, "3450", "その他純資産"},
        {19, "3470", "当期純利益"},   {20, "3480", "当期純利益金額"}, {21, "3490", "利益剰余金合計"},
        {22, "3500", "評価差額"},     {23, "3800", "純資産"},         {24, "3900", "負債純資産"},
        {25, "4050", "医業収益A"},    {26, "4120", "病院収益"},       {27, "4130", "医業収益B"},
        {28, "4180", "医業収益合計"}, {29, "4300", "収益C"},          {30, "4400", "介護収益"},
        {31, "4480", "その他"},       {32, "4700", "事業収益合計"},   {33, "5180", "材料費"},
        {34, "5680", "委託費"},       {35, "6180", "給与費"},         {36, "6280", "経費"},
        {37, "6380", "費用A"},        {38, "6480", "費用B"},          {39, "6700", "費用C"},
        {40, "6900", "費用D"},        {41, "6950", "事業費用合計"},   {42, "7000", "医業利益"},
        {43, "7180", "医業外収益"},   {44, "7280", "医業外費用"},     {45, "7300", "経常利益", "経常損失"},
        {46, "8180", "臨時収益"},     {47, "8280", "臨時費用"},       {48, "8290", "税引前利益"},
        {49, "8380", "法人税等"},     {50, "9280", "当期純利益"},     {51, "9380", "前期繰越"},
        {52, "9500", "取崩"},         {53, "9600", "次期繰越"},
    };
    return lines;
}

class MedicalChartTest : public CompanyDataTest {
protected:
    // A medical company at the last version (the chart's trial balances by
    // department, group and facility comparison come with the later
    // updates) with the totals table, the business kinds of two more
    // facilities (" " keeps kind 0) and a year of twelve months.
    void Prepare(std::initializer_list<std::pair<const char*, int>> facilities)
    {
        Copy(dbtest::DataKind::Medical, "");
        Session s(Path());
        s.Exec("DELETE FROM ACCTOTALNAME");
        for (const TotalLine& line : TotalLines())
            s.Exec(
                "INSERT INTO ACCTOTALNAME (REC, MB_JIGYOU, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY)"
                " VALUES (" +
                std::to_string(line.position) + ", 31, '" + line.code + "', 0, " + std::to_string(line.position) +
                ", '" + line.name + "', '" + line.minusName + "', " + (*line.minusName ? "1" : "0") + ")");
        for (const auto& [code, kind] : facilities)
            s.Exec(std::string("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('") + code + "', 'F" + code +
                   "', " + std::to_string(kind) + ")");
    }

    void OpenMedical()
    {
        Open();
        AccInf.SIME = 99;
        AccInf.KISHU = EncodeDate(2024, 4, 1);
        AccInf.KIMATU = EncodeDate(2025, 3, 31);
        AccInf.SystemCodes[4] = "3302";
    }

    // The export's call.
    bool LoadForExport(BalanceArrays& a, int tax = 0)
    {
        return LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", " ", tax, 0, 0, 2, 0, 16, 0);
    }

    static bool Hidden(const BalanceArrays& a, int position)
    {
        for (const TQSORT& entry : a.order)
            if (entry.Value == position)
                return entry.Key == LastOrderKey;
        return true;
    }
};

TEST_F(MedicalChartTest, ExportCallLoadsTotalsAndAccountsAndShowsTheKindsInUse)
{
    Prepare({{"01", 8}, {"02", 1}});
    OpenMedical();
    ASSERT_EQ(BalanceCapacity(), 700);
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadForExport(a));
    EXPECT_TRUE(presenter.shown.empty());

    // Accounts from position 61 in the procedure's order.
    EXPECT_TRUE(a.rows[60].KMK.KCODE.empty());
    EXPECT_EQ(a.rows[61].KMK.KCODE, "1101");
    EXPECT_EQ(a.rows[61].KMK.GROUPM1, "1100");
    // Names for all business kinds; "4180" keeps its own, "4480" is fixed.
    EXPECT_EQ(a.rows[2].KMK.KNAME, "事業未収金合計");
    EXPECT_EQ(a.rows[46].KMK.KNAME, "特別収益");
    EXPECT_EQ(a.rows[28].KMK.KNAME, "医業収益合計");
    EXPECT_EQ(a.rows[31].KMK.KNAME, "その他事業収益合計");
    EXPECT_EQ(a.rows[24].KMK.KNAME, "負債純資産の部合計");
    // Fixed codes.
    EXPECT_EQ(a.rows[18].KMK.GROUPM1, "3460");
    EXPECT_EQ(a.rows[32].KMK.GROUPM1, "4800");
    EXPECT_EQ(a.rows[39].KMK.GROUPM1, "6780");
    // Selector 2 hides 1, the standard layout 17; kinds 8 and 1 are in use.
    EXPECT_TRUE(Hidden(a, 1));
    EXPECT_TRUE(Hidden(a, 17));
    EXPECT_FALSE(Hidden(a, 26));
    EXPECT_TRUE(Hidden(a, 28));
    EXPECT_TRUE(Hidden(a, 30));
    EXPECT_FALSE(Hidden(a, 31));
    EXPECT_FALSE(Hidden(a, 32));
    EXPECT_FALSE(Hidden(a, 46));
    // The shown entries are sorted by key from index 1 on.
    for (std::size_t i = 2; i < a.order.size(); ++i)
        EXPECT_LE(a.order[i - 1].Key, a.order[i].Key) << i;
}

TEST_F(MedicalChartTest, OneKindInUseHidesTheSumOfTheKinds)
{
    Prepare({{"01", 4}});
    OpenMedical();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadForExport(a));
    EXPECT_FALSE(Hidden(a, 28));
    for (int p : {26, 30, 31, 32})
        EXPECT_TRUE(Hidden(a, p)) << p;
}

TEST_F(MedicalChartTest, MoreAccountsThanRowsFailTheLoadWithoutWritingPastTheRows)
{
    Prepare({});
    OpenMedical();
    BalanceArrays a(70);  // room for the accounts at 61 to 68 only
    EXPECT_FALSE(LoadForExport(a));
    ASSERT_EQ(presenter.shown.size(), 1u);
    const TUserMessage& shown = presenter.shown[0];
    EXPECT_NE((shown.Caption + "," + shown.Text).find("上限"), std::string::npos);
    EXPECT_TRUE(a.rows[69].KMK.KCODE.empty());
}

// What the ledger knows of an account.
struct Account {
    int side = 0;
    bool profitAndLoss = false;
    std::string group1;
};

struct Movements {
    Currency opening = 0;
    std::array<Currency, 17> debit{};
    std::array<Currency, 17> credit{};
};

class MedicalLedgerTest : public MedicalChartTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::map<std::string, Account> chart;
    std::map<std::string, Movements> book;       // tax mode 0: amounts with their tax
    std::map<std::string, Movements> exclusive;  // tax mode 1: the tax on 仮受/仮払消費税
    // The departments entries are spread over (one: no choice is drawn, so
    // a seed posts the same ledger as before), and the tax-inclusive
    // movements per facility and department ("01/10").
    std::vector<std::string> departments{" "};
    std::map<std::string, std::map<std::string, Movements>> byPlace;

    void PostLedger(unsigned seed)
    {
        Session s(Path());
        for (const auto& row : s.Rows("SELECT KCODE, DAC, BPFLG, GROUPM1 FROM KAMOKUMST WHERE USE = 1"))
            chart[row[0]] = Account{std::stoi(row[1]), row[2] == "P", row[3]};
        // Business events: debit account, credit account, and the side that
        // carries tax (0 none, 1 the credit side as tax received, 2 the debit
        // side as tax paid).
        struct Event {
            const char* debit;
            const char* credit;
            int taxed;
        };
        static const Event events[] = {
            {"1202", "4101", 1}, {"1101", "4101", 1}, {"4102", "1202", 1}, {"1103", "1202", 0}, {"5102", "2102", 2},
            {"2102", "1103", 0}, {"6110", "1101", 2}, {"6102", "1103", 0}, {"6114", "1103", 0}, {"6204", "1416", 0},
            {"1301", "5103", 0}, {"1103", "7101", 0}, {"7201", "1103", 0}, {"1103", "8101", 0}, {"8201", "1101", 0},
            {"8301", "2110", 0}, {"1103", "2201", 0}, {"3302", "1101", 0}, {"1401", "2104", 2}};
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        const char* facilities[] = {" ", "01", "02"};
        int rec = 0;
        for (int entry = 0; entry < 150; ++entry) {
            const Event& e = events[pick(static_cast<int>(std::size(events)))];
            const int period = 1 + pick(16);
            const long long amount = 100 + pick(50000);
            const long long tax = e.taxed != 0 ? amount / 10 : 0;
            const std::string facility = facilities[pick(3)];
            const std::string department =
                departments.size() == 1
                    ? departments[0]
                    : departments[static_cast<std::size_t>(pick(static_cast<int>(departments.size())))];
            // The taxed side books the net amount and its tax; the other side
            // the whole.
            const JournalSide debit{++rec,
                                    1,
                                    e.debit,
                                    " ",
                                    department,
                                    period,
                                    e.taxed == 2 ? 2 : 0,
                                    e.taxed == 2 ? amount : amount + tax,
                                    e.taxed == 2 ? tax : 0};
            const JournalSide credit{++rec,
                                     2,
                                     e.credit,
                                     " ",
                                     department,
                                     period,
                                     e.taxed == 1 ? 1 : 0,
                                     e.taxed == 1 ? amount : amount + tax,
                                     e.taxed == 1 ? tax : 0};
            for (const JournalSide& side : {debit, credit}) {
                PostSide(s, side, facility);
                const auto at = static_cast<std::size_t>(period);
                Movements& m = book[side.kcode];
                Movements& placed = byPlace[facility + "/" + department][side.kcode];
                (side.taishaku == 1 ? placed.debit : placed.credit)[at] += Yen(side.nuk + side.zei);
                (side.taishaku == 1 ? m.debit : m.credit)[at] += Yen(side.nuk + side.zei);
                Movements& x = exclusive[side.kcode];
                (side.taishaku == 1 ? x.debit : x.credit)[at] += Yen(side.nuk);
                if (side.zei != 0) {
                    Movements& t = exclusive[side.taxuh == 1 ? "2109" : "1304"];
                    (side.taishaku == 1 ? t.debit : t.credit)[at] += Yen(side.zei);
                }
            }
        }
        // Balanced openings spread over the facilities; 前期繰越利益 takes
        // what balances them.
        static const std::pair<const char*, long long> openings[] = {
            {"1101", 300000}, {"1103", 2500000}, {"1202", 800000},  {"1301", 150000}, {"1401", 4000000},
            {"1416", 900000}, {"2102", 600000},  {"2201", 1500000}, {"3101", 3000000}};
        Currency net = 0;
        auto open = [&](const std::string& kcode, const std::string& facility, Currency amount) {
            s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('" + facility +
                   "', '" + kcode + "', ' ', ' ', " + std::to_string(amount / CurrencyScale) +
                   ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
            book[kcode].opening += amount;
            exclusive[kcode].opening += amount;
            net += DebitBalanceSide(chart.at(kcode).side) ? amount : -amount;
        };
        for (const auto& [kcode, amount] : openings)
            open(kcode, facilities[pick(3)], Yen(amount));
        open("3302", " ", net);
    }
};

// Whether a total sums its accounts debit minus credit: the assets, the
// costs and the deductions; the others credit minus debit.
bool DebitSection(int position)
{
    return position <= 11 || (position >= 33 && position <= 41) || position == 44 || position == 47 || position == 49;
}

// The total position whose code range holds the group: after the group of
// the shown total before it, before its own. 0 when none does.
int TotalOfGroup(const BalanceArrays& a, const std::string& group)
{
    std::string prev = "1000";
    for (const TotalLine& line : TotalLines()) {
        const std::string& own = a.rows[static_cast<std::size_t>(line.position)].KMK.GROUPM1;
        if (own.empty())
            continue;
        if (group > prev && group < own)
            return line.position;
        prev = own;
    }
    return 0;
}

std::map<std::string, const TBALANCE*> AccountRows(const BalanceArrays& a)
{
    std::map<std::string, const TBALANCE*> rowOf;
    for (std::size_t i = FirstAccountRowMedical; i < a.rows.size(); ++i)
        if (!a.rows[i].KMK.KCODE.empty())
            rowOf[a.rows[i].KMK.KCODE] = &a.rows[i];
    return rowOf;
}

struct ChartRow {
    std::string kcode;
    Account account;
    const TBALANCE* row;
};

// The chart's accounts but those of the group "9900", each with the row the
// load gave it; an account without a row fails the test.
std::vector<ChartRow> ChartRows(const std::map<std::string, Account>& chart, const BalanceArrays& a)
{
    const std::map<std::string, const TBALANCE*> rowOf = AccountRows(a);
    std::vector<ChartRow> rows;
    for (const auto& [kcode, account] : chart) {
        if (account.group1 == "9900")
            continue;
        const auto found = rowOf.find(kcode);
        if (found == rowOf.end())
            ADD_FAILURE() << "no row for the account " << kcode;
        else
            rows.push_back({kcode, account, found->second});
    }
    return rows;
}

std::pair<int, int> KindPeriods(int kind, int first, int last)
{
    static constexpr std::pair<int, int> ranges[] = {{0, 0}, {1, 4}, {5, 8}, {9, 12}, {13, 16}, {1, 8}, {9, 16}};
    return kind >= 1 && kind <= 6 ? ranges[kind] : std::pair{first, last};
}

TEST_P(MedicalLedgerTest, RangeFiguresAndTotalsEqualSumsOverTheJournal)
{
    const unsigned seed = GetParam();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (a failing seed posts the same ledger again)");
    Prepare({{"01", 8}, {"02", 1}});
    PostLedger(seed);
    OpenMedical();
    struct Range {
        int kind, first, last, noOpening;
    };
    const Range ranges[] = {{0, 1, 16, 0}, {0, 5, 8, 0}, {0, 3, 15, 1}, {1, 0, 0, 0}, {2, 0, 0, 0},
                            {4, 0, 0, 0},  {5, 0, 0, 0}, {6, 0, 0, 0},  {7, 2, 9, 0}};
    for (int tax : {0, 1}) {
        const std::map<std::string, Movements>& ledger = tax == 0 ? book : exclusive;
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(LoadForExport(a, tax));
        for (const Range& range : ranges) {
            SCOPED_TRACE("tax mode " + std::to_string(tax) + ", kind " + std::to_string(range.kind) + " " +
                         std::to_string(range.first) + "-" + std::to_string(range.last) +
                         (range.noOpening ? " without opening" : ""));
            CalcBalancePeriods(a.rows, a.High(), range.noOpening, range.kind, range.first, range.last, 16);
            const auto [first, last] = KindPeriods(range.kind, range.first, range.last);
            const bool restart =
                range.kind == 2 || range.kind == 4 || range.kind == 6 || (range.kind == 7 && first > 1);

            // Accounts, and the sums each total must hold on its section's basis.
            std::map<int, Currency> totalClosing;
            Currency assets = 0, claims = 0, profit = 0;
            for (const auto& [kcode, account, loaded] : ChartRows(chart, a)) {
                SCOPED_TRACE("account " + kcode);
                const TBALANCE& row = *loaded;
                const Movements m = ledger.count(kcode) ? ledger.at(kcode) : Movements{};
                Currency o = 0, d = 0, c = 0;
                if (range.noOpening != 1) {
                    Currency carried = m.opening;
                    for (int p = 1; p < first; ++p)
                        carried += SignedMovement(account.side, m.debit[static_cast<std::size_t>(p)],
                                                  m.credit[static_cast<std::size_t>(p)]);
                    if (!(account.profitAndLoss && restart))
                        o = carried;
                }
                for (int p = first; p <= last; ++p) {
                    d += m.debit[static_cast<std::size_t>(p)];
                    c += m.credit[static_cast<std::size_t>(p)];
                }
                const Currency closing = o + SignedMovement(account.side, d, c);
                if (kcode != "3302") {
                    EXPECT_EQ(row.RangeOpening, o);
                    EXPECT_EQ(row.RangeClosing, closing);
                }
                EXPECT_EQ(row.RangeDebit, d);
                EXPECT_EQ(row.RangeCredit, c);
                const Currency natural = DebitBalanceSide(account.side) ? row.RangeClosing : -row.RangeClosing;
                if (account.profitAndLoss)
                    profit -= natural;
                else if (account.group1 < "2000")
                    assets += natural;
                else
                    claims -= natural;
                // The total whose code range holds the account.
                if (const int total = TotalOfGroup(a, account.group1))
                    totalClosing[total] +=
                        DebitBalanceSide(account.side) == DebitSection(total) ? row.RangeClosing : -row.RangeClosing;
            }
            auto T = [&](int n) -> const TBALANCE& { return a.rows[static_cast<std::size_t>(n)]; };
            // Totals that only collect accounts.
            for (int n : {3, 4, 6, 7, 8, 10, 12, 13, 15, 16, 17, 27, 29, 31, 33, 34, 35, 36, 43, 44, 46, 47})
                EXPECT_EQ(T(n).RangeClosing, totalClosing[n]) << "T" << n;
            // The sheet and the profit against sums over the accounts.
            EXPECT_EQ(T(11).RangeClosing, assets);
            EXPECT_EQ(T(24).RangeClosing, T(11).RangeClosing);
            EXPECT_EQ(T(14).RangeClosing + T(15).RangeClosing + T(16).RangeClosing + T(17).RangeClosing, claims);
            EXPECT_EQ(T(53).RangeClosing, profit);
            // A balanced ledger: the balancing figure of the sheet is the
            // profit of the range, whatever the range's start.
            EXPECT_EQ(T(19).RangeClosing, profit);
            EXPECT_EQ(T(20).RangeClosing, T(49).RangeClosing);
            EXPECT_EQ(T(54).RangeClosing, T(49).RangeClosing - T(45).RangeClosing - T(46).RangeClosing);
            EXPECT_EQ(T(45).RangeDebit, 0);
            EXPECT_EQ(T(45).RangeCredit, T(45).RangeClosing - T(45).RangeOpening);
            EXPECT_EQ(T(45).KMK.KNAME, T(45).RangeClosing >= 0 ? "経常利益" : "経常損失");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MedicalLedgerTest, ::testing::Values(1u, 2u, 3u, 17u));

}  // namespace

namespace {

TEST_F(MedicalLedgerTest, ShortYearRunsItsLastRangeToTheSettlementAndBadKindsAreShown)
{
    Prepare({{"01", 8}, {"02", 1}});
    PostLedger(5);
    OpenMedical();
    AccInf.KIMATU = EncodeDate(2024, 9, 30);  // six months: the year ends in period 7
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadForExport(a));
    const TBALANCE* cash = nullptr;
    for (const TBALANCE& row : a.rows)
        if (row.KMK.KCODE == "1103")
            cash = &row;
    ASSERT_NE(cash, nullptr);
    const Movements& m = book.at("1103");
    auto debits = [&](int from, int to) {
        Currency sum = 0;
        for (int p = from; p <= to; ++p)
            sum += m.debit[static_cast<std::size_t>(p)];
        return sum;
    };

    CalcBalancePeriods(a.rows, a.High(), 0, 2, 0, 0, 16);
    EXPECT_EQ(cash->RangeDebit, debits(5, 16));
    CalcBalancePeriods(a.rows, a.High(), 0, 1, 0, 0, 16);
    EXPECT_EQ(cash->RangeDebit, debits(1, 4));
    EXPECT_TRUE(presenter.shown.empty());

    // A kind the chart does not know and a start below 1 are shown; the
    // calculation still fills the rows from period 1.
    CalcBalancePeriods(a.rows, a.High(), 0, 0, 0, 3, 3);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_NE(presenter.shown[0].Text.find("事業区分の設定が必要です。"), std::string::npos);
    EXPECT_NE(presenter.shown[1].Text.find("期間番号は「1～16」です。 [0-3]"), std::string::npos);
    EXPECT_EQ(cash->RangeDebit, debits(1, 3));
}

// The facility-comparison layout: every account's balance at the end of
// every period over all facilities, and the totals rolled up from them for
// every period, against sums over the journal, in both tax modes.
TEST_F(MedicalLedgerTest, FacilityComparisonRollsUpEveryPeriodFromTheJournal)
{
    Prepare({{"01", 8}, {"02", 1}});
    PostLedger(11);
    OpenMedical();
    for (int tax : {0, 1}) {
        SCOPED_TRACE("tax mode " + std::to_string(tax));
        const std::map<std::string, Movements>& ledger = tax == 0 ? book : exclusive;
        BalanceArrays a(BalanceCapacity());
        ASSERT_TRUE(LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", " ", tax, 0, 4, 2, 0, 0, 0));
        for (int p = 0; p <= 16; ++p) {
            SCOPED_TRACE("period " + std::to_string(p));
            std::map<int, Currency> totals;
            Currency assets = 0, profit = 0;
            for (const auto& [kcode, account, loaded] : ChartRows(chart, a)) {
                const TBALANCE& row = *loaded;
                const Movements m = ledger.count(kcode) ? ledger.at(kcode) : Movements{};
                Currency balance = m.opening;
                for (int q = 1; q <= p; ++q)
                    balance += SignedMovement(account.side, m.debit[static_cast<std::size_t>(q)],
                                              m.credit[static_cast<std::size_t>(q)]);
                EXPECT_EQ(row.PeriodBalance[p], balance) << kcode;
                const Currency natural = DebitBalanceSide(account.side) ? balance : -balance;
                if (account.profitAndLoss)
                    profit -= natural;
                else if (account.group1 < "2000")
                    assets += natural;
                if (const int total = TotalOfGroup(a, row.KMK.GROUPM1))
                    totals[total] += DebitBalanceSide(account.side) == DebitSection(total) ? balance : -balance;
            }
            auto T = [&](int n) { return a.rows[static_cast<std::size_t>(n)].PeriodBalance[p]; };
            for (int n : {3, 4, 6, 7, 8, 10, 12, 13, 15, 16, 17, 27, 29, 31, 33, 34, 35, 36, 43, 44, 46, 47})
                EXPECT_EQ(T(n), totals[n]) << "T" << n;
            EXPECT_EQ(T(11), assets);
            EXPECT_EQ(T(24), T(11));
            EXPECT_EQ(T(19), profit);
        }
    }
}

// Scope 4: the departments of a group that the facility keeps, read one
// after the other into the same rows. A department of the group that the
// facility does not keep, the other facilities and the entries without a
// department stay out.
TEST_F(MedicalLedgerTest, DepartmentGroupOfAFacilitySumsItsDepartments)
{
    Prepare({{"01", 8}, {"02", 1}});
    {
        Session s(Path());
        for (const std::string d : {"10", "20", "30"}) {
            s.Exec("INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('" + d + "', 'D" + d + "')");
            s.Exec("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '" + d + "')");
        }
        for (const char* kept : {"'01', '10'", "'01', '20'", "'02', '30'"})
            s.Exec(std::string("INSERT INTO SISETUBUM (SCODE, BCODE) VALUES (") + kept + ")");
    }
    departments = {" ", "10", "20", "30"};
    PostLedger(13);
    OpenMedical();
    BalanceArrays a(BalanceCapacity());
    ASSERT_TRUE(LoadTrialBalance(a.rows, a.High(), a.order, a.High(), "01", "G1", 0, 4, 0, 2, 0, 0, 0));
    CalcBalancePeriods(a.rows, a.High(), 0, 0, 1, 16, 8);
    for (const auto& [kcode, account, loaded] : ChartRows(chart, a)) {
        SCOPED_TRACE("account " + kcode);
        const TBALANCE& row = *loaded;
        Currency d = 0, c = 0;
        for (const char* place : {"01/10", "01/20"}) {
            const auto& accounts = byPlace[place];
            if (!accounts.count(kcode))
                continue;
            for (int p = 1; p <= 16; ++p) {
                d += accounts.at(kcode).debit[static_cast<std::size_t>(p)];
                c += accounts.at(kcode).credit[static_cast<std::size_t>(p)];
            }
        }
        EXPECT_EQ(row.RangeDebit, d);
        EXPECT_EQ(row.RangeCredit, c);
        if (kcode != "3302") {               // the balancing row's own figures are replaced
            EXPECT_EQ(row.RangeOpening, 0);  // the openings sit on no department
            EXPECT_EQ(row.RangeClosing, SignedMovement(account.side, d, c));
        }
    }
}

}  // namespace
