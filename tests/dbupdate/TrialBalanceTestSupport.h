#pragma once
// A small ledger for the tests of the trial-balance procedures: test
// accounts on layout lines of their own, balance rows in the departments
// ' ', 'D1' and the common '00' of the facility ' ', and journal rows
// posted through the journal triggers. The ledger keeps every row it
// posted, so a test can sum them itself and compare the procedures with
// that independent sum.

#include "SchemaTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tbtest {

using schematest::Session;

// The suspense tax accounts of the corporation's chart.
inline constexpr const char* ReceivedTax = "2109";
inline constexpr const char* PaidTax = "1304";

// Layout lines (the same REC in the A4, A3 and settlement layouts): 900
// holds T100 alone and has no name of its own; 901 holds T200 and T300
// and is named "試験行"; 902 holds T400, whose balance rows the tests may
// leave out; 903 and 904 hold the suspense tax accounts.
inline constexpr int LineOne = 900;
inline constexpr int LineTwo = 901;
inline constexpr int LineEmpty = 902;
inline constexpr int LineReceivedTax = 903;
inline constexpr int LinePaidTax = 904;

struct Posting {
    int taishaku;  // 1 debit, 2 credit
    std::string kcode;
    std::string bcode;
    int mnum;
    int taxuh;  // 1 tax received, 2 tax paid
    std::int64_t nuk;
    std::int64_t zei;
    int delflg = 0;
};

// Half away from zero, as the program rounds.
inline std::int64_t Share(std::int64_t amount, std::int64_t percent)
{
    return static_cast<std::int64_t>(std::round(static_cast<long double>(amount) * percent / 100.0L));
}

class Ledger {
public:
    // The accounts, lines, departments and balance rows; BUMON as given.
    explicit Ledger(Session& s, int bumon = 2) : s_(s)
    {
        s_.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(bumon) + ", KAISINO = 1 WHERE REC = 1");
        s_.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', '営業') MATCHING (BCODE)");
        const struct {
            const char* kcode;
            const char* name;
            int line;
        } accounts[] = {{"T100", "試験費", LineOne},
                        {"T200", "試験収入", LineTwo},
                        {"T300", "試験雑費", LineTwo},
                        {"T400", "試験外", LineEmpty}};
        for (const auto& a : accounts)
            s_.Exec(
                std::string("INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, BPFLG, DAC) VALUES ('") +
                a.kcode + "', '" + a.kcode + "', '" + a.name + "', '8000', '8100', 'P', 1)");
        for (const char* table : {"EXTERA4", "EXTERA3", "EXTERKS"})
            for (int line : {LineOne, LineTwo, LineEmpty, LineReceivedTax, LinePaidTax})
                s_.Exec(std::string("INSERT INTO ") + table + " (REC, KGROUP, SUBREC, KNAME1) VALUES (" +
                        std::to_string(line) + ", 'T" + std::to_string(line) + "', 1, '" +
                        (line == LineTwo ? "試験行" : "") + "')");
        const auto place = [&](const std::string& kcode, int line) {
            const std::string l = std::to_string(line);
            s_.Exec("UPDATE KAMOKUMST SET EXT1_A4 = " + l + ", EXT1_A3 = " + l + ", EXT1_KS = " + l +
                    " WHERE KCODE = '" + kcode + "'");
        };
        for (const auto& a : accounts)
            place(a.kcode, a.line);
        place(ReceivedTax, LineReceivedTax);
        place(PaidTax, LinePaidTax);
        for (const char* kcode : {"T100", "T200", "T300", ReceivedTax, PaidTax})
            for (const char* bcode : {" ", "D1", "00"})
                Balance(kcode, bcode, 0);
    }

    // The account's own balance row in the department, with its opening
    // balance (its period rows come with it).
    void Balance(const std::string& kcode, const std::string& bcode, std::int64_t opening)
    {
        s_.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '" + kcode +
                "', ' ', '" + bcode + "', " + std::to_string(opening) + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    }

    // The allocation percentage of every period of the account's row in the
    // department.
    void Rate(const std::string& kcode, const std::string& bcode, int percent)
    {
        std::string set;
        for (int n = 1; n <= 16; ++n)
            set += std::string(n == 1 ? "" : ", ") + "HAIBUN" + (n < 10 ? "0" : "") + std::to_string(n) + " = " +
                   std::to_string(percent);
        s_.Exec("UPDATE KAMOKU_SZ SET " + set + " WHERE SCODE = ' ' AND KCODE = '" + kcode +
                "' AND HCODE = ' ' AND BCODE = '" + bcode + "'");
    }

    // One journal row, inserted as the journal writer does; the triggers
    // post it.
    void Post(const Posting& p)
    {
        ++rec_;
        s_.Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH,"
            " NUK, ZEI) VALUES (" +
            std::to_string(rec_) + ", " + std::to_string((rec_ + 1) / 2) + ", " + std::to_string((rec_ + 1) / 2) +
            ", " + std::to_string(p.delflg) + ", " + std::to_string(p.taishaku) + ", ' ', '" + p.kcode + "', ' ', '" +
            p.bcode + "', " + std::to_string(p.mnum) + ", " + std::to_string(p.taxuh) + ", " + std::to_string(p.nuk) +
            ", " + std::to_string(p.zei) + ")");
        posted_.push_back(p);
    }

    // The sum over the live rows posted of one side of the account in the
    // period (every department when bcode is empty): amount, plus tax when
    // withTax.
    std::int64_t Sum(int taishaku, const std::string& kcode, const std::string& bcode, int mnum, bool withTax) const
    {
        std::int64_t sum = 0;
        for (const Posting& p : posted_)
            if (p.delflg == 0 && p.taishaku == taishaku && p.kcode == kcode && (bcode.empty() || p.bcode == bcode) &&
                p.mnum == mnum)
                sum += p.nuk + (withTax ? p.zei : 0);
        return sum;
    }

    // The tax of the live rows posted on one side with the tax class in the
    // period (every department when bcode is empty).
    std::int64_t Tax(int taishaku, int taxuh, const std::string& bcode, int mnum) const
    {
        std::int64_t sum = 0;
        for (const Posting& p : posted_)
            if (p.delflg == 0 && p.taishaku == taishaku && p.taxuh == taxuh && (bcode.empty() || p.bcode == bcode) &&
                p.mnum == mnum)
                sum += p.zei;
        return sum;
    }

private:
    Session& s_;
    int rec_ = 1000;
    std::vector<Posting> posted_;
};

// "KARnn|KASnn" of every period, joined by "|", as a procedure row reads
// them.
inline std::string PeriodColumns()
{
    std::string columns;
    for (int n = 1; n <= 16; ++n) {
        const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
        columns += std::string(n == 1 ? "" : ", ") + "CAST(KAR" + nn + " AS BIGINT), CAST(KAS" + nn + " AS BIGINT)";
    }
    return columns;
}

}  // namespace tbtest
