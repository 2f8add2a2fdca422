// The trial balance of company data at 15.0.0, in the form the program
// calls it for the general chart ("SP_SISANHYO(:TAX,'','')") and for the
// medical chart ("SP_SISANHYO('',:TAX,0)"), against the sums taken
// directly from the journal rows that the journal triggers booked.

#include "LaterUnitTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace laterunittest;

struct Entry {
    int period;
    const char* debitNet;
    const char* debitTax;
    const char* creditNet;
    const char* creditTax;
    int taxKind;  // 1 tax received, 2 tax paid
};

// Period movements of one account: debit and credit, per period 1 to 16.
struct Movements {
    std::map<int, long long> debit, credit;  // in ten-thousandths
};

long long Units(const std::string& amount)
{
    const std::size_t dot = amount.find('.');
    const std::string whole = amount.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : amount.substr(dot + 1);
    fraction.resize(4, '0');
    const bool negative = !whole.empty() && whole[0] == '-';
    const long long value = std::stoll(whole) * 10000 + (negative ? -1 : 1) * std::stoll(fraction);
    return value;
}

class TrialBalanceLedgerTest : public LaterUnitDbTest, public ::testing::WithParamInterface<DataKind> {
protected:
    std::string Call(int tax) const
    {
        return GetParam() == DataKind::Medical ? "SELECT * From SP_SISANHYO( '' ," + std::to_string(tax) + ",0 )"
                                               : "SELECT * From SP_SISANHYO( " + std::to_string(tax) + ", '' ,'' )";
    }
};

TEST_P(TrialBalanceLedgerTest, TaxInclusiveAndExclusiveEqualTheJournalSums)
{
    UseDataBefore802(GetParam());
    ASSERT_TRUE(RunTo({15, 0, 0}).Succeeded());
    auto data = Data();
    const std::string scode = data.Value("SELECT FIRST 1 SCODE FROM SISETUMST ORDER BY SCODE").value();
    const std::string paid = data.Value("SELECT CODE FROM SYSKMKCODEINF('仮払消費税')").value();
    const std::string received = data.Value("SELECT CODE FROM SYSKMKCODEINF('仮受消費税')").value();
    const std::vector<std::string> accounts =
        data.Lines("SELECT FIRST 2 K.KCODE FROM KAMOKUMST K WHERE K.USE=1 AND K.KCODE NOT IN ('" + paid + "','" +
                   received + "') AND EXISTS (SELECT 1 FROM KAMOKU_MS M WHERE M.KCODE=K.KCODE AND M.SCODE='" + scode +
                   "' AND M.HCODE=' ' AND M.BCODE=' ' AND M.MNUM=1) ORDER BY K.GROUPM1, K.USERCODE");
    ASSERT_EQ(accounts.size(), 2u);

    const Entry entries[] = {{1, "1000", "100", "1000", "100", 2},
                             {1, "250.5", "25", "250.5", "25", 2},
                             {2, "3000", "0", "3000", "0", 1},
                             {3, "77", "7.7", "77", "7.7", 1},
                             {16, "12", "1", "12", "1", 2}};
    int rec = 900000;
    for (const Entry& e : entries) {
        ++rec;
        for (int side = 1; side <= 2; ++side) {
            const std::string kcode = side == 1 ? accounts[0] : accounts[1];
            data.Exec(
                "INSERT INTO SIWAKE (REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE,MNUM,SCODE,KCODE,HCODE,BCODE,TAXUH,"
                "NUK,ZEI,R_KCODE) VALUES (" +
                std::to_string(rec * 2 + side) + "," + std::to_string(rec) + "," + std::to_string(rec) + ",0," +
                std::to_string(side) + ",CURRENT_DATE," + std::to_string(e.period) + ",'" + scode + "','" + kcode +
                "',' ',' '," + std::to_string(e.taxKind) + "," + (side == 1 ? e.debitNet : e.creditNet) + "," +
                (side == 1 ? e.debitTax : e.creditTax) + ",'" + (side == 1 ? accounts[1] : accounts[0]) + "')");
        }
    }

    // The sums from the journal rows: per account, side and period, with
    // tax (net plus tax) or without it (net), the tax of either side booked
    // to the tax account of its kind when the figures leave it out.
    std::map<std::string, Movements> inclusive, exclusive;
    for (const auto& row : data.Rows("SELECT KCODE,TAISHAKU,MNUM,NUK,ZEI,TAXUH FROM SIWAKE WHERE DELFLG=0")) {
        const int side = std::stoi(row[1]);
        const int period = std::stoi(row[2]);
        const long long net = Units(row[3]);
        const long long tax = Units(row[4]);
        Movements& in = inclusive[row[0]];
        Movements& ex = exclusive[row[0]];
        (side == 1 ? in.debit : in.credit)[period] += net + tax;
        (side == 1 ? ex.debit : ex.credit)[period] += net;
        Movements& taxAccount = exclusive[std::stoi(row[5]) == 1 ? received : paid];
        (side == 1 ? taxAccount.debit : taxAccount.credit)[period] += tax;
    }

    for (const int tax : {0, 1}) {
        std::map<std::string, Movements>& expected = tax == 0 ? inclusive : exclusive;
        std::map<std::string, Movements> actual;
        const std::vector<std::vector<std::string>> rows = data.Rows("SELECT KCODE, HCODE, " + [] {
            std::string columns;
            for (int n = 1; n <= 16; ++n)
                columns += (n > 1 ? "," : "") + std::string("KAR") + (n < 10 ? "0" : "") + std::to_string(n) + ",KAS" +
                           (n < 10 ? "0" : "") + std::to_string(n);
            return columns;
        }() + " FROM (" + Call(tax) + ")");
        for (const auto& row : rows) {
            if (row[1] != "" && row[1] != "<null>")
                continue;  // the account row alone, not its sub-accounts
            for (int n = 1; n <= 16; ++n) {
                actual[row[0]].debit[n] = Units(row[2 * n]);
                actual[row[0]].credit[n] = Units(row[2 * n + 1]);
            }
        }
        for (const std::string& account : {accounts[0], accounts[1], paid, received}) {
            for (int n = 1; n <= 16; ++n) {
                SCOPED_TRACE("tax " + std::to_string(tax) + " account " + account + " period " + std::to_string(n));
                EXPECT_EQ(actual[account].debit[n], expected[account].debit[n]);
                EXPECT_EQ(actual[account].credit[n], expected[account].credit[n]);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Charts, TrialBalanceLedgerTest, ::testing::Values(DataKind::Corporation, DataKind::Medical),
                         [](const auto& info) { return std::string(dbtest::DataKindName(info.param)); });

}  // namespace
