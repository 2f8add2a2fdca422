// The trial balances of company data 9.0.3 by department over the
// branches or facilities, by facility, by facility group and by business
// kind, on ledgers posted through the journal triggers, against the sums
// taken directly from the journal rows.

#include "LaterUnitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace laterunittest;

struct Journal {
    const char* scode;
    const char* bcode;
    int period;
    long long net;
    long long tax;
};

class ScopedTrialBalanceTest : public LaterUnitDbTest {
protected:
    // The final data of the kind with two accounts in use that have a
    // period row in the company facility.
    void Prepare(DataKind kind)
    {
        companytest::CopyCompanyMaster(companytest::CompanyMaster("", kind), SystemDef.DataDir);
        auto data = Data();
        accounts_ = data.Lines(
            "SELECT FIRST 2 K.KCODE FROM KAMOKUMST K WHERE K.USE=1 AND K.KCODE NOT IN (SELECT CODE FROM "
            "SYSKMKCODEINF('仮払消費税') UNION SELECT CODE FROM SYSKMKCODEINF('仮受消費税')) AND EXISTS (SELECT 1 "
            "FROM KAMOKU_MS M WHERE M.KCODE=K.KCODE AND M.HCODE=' ' AND M.BCODE=' ' AND M.MNUM=1) ORDER BY "
            "K.GROUPM1, K.USERCODE");
        ASSERT_EQ(accounts_.size(), 2u);
    }

    // A facility (or branch) of the business kind keeping departments, with
    // the balance rows of the two accounts in the departments. A department
    // trial balance shows only departments of the department master, as
    // data entry registers them before anything is booked on them.
    void Facility(const std::string& scode, int kind, const std::vector<std::string>& departments)
    {
        auto data = Data();
        data.Exec("UPDATE OR INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU) VALUES ('" + scode + "', 'F" +
                  scode + "', 1, " + std::to_string(kind) + ") MATCHING (SCODE)");
        for (const std::string& bcode : departments) {
            data.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('" + bcode + "', 'D" + bcode +
                      "') MATCHING (BCODE)");
            data.Exec("UPDATE OR INSERT INTO SISETUBUM (SCODE, BCODE) VALUES ('" + scode + "', '" + bcode +
                      "') MATCHING (SCODE, BCODE)");
        }
        for (const std::string& bcode : departments)
            for (const std::string& kcode : accounts_)
                data.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('" + scode + "', '" +
                          kcode + "', ' ', '" + bcode + "') MATCHING (SCODE, KCODE, HCODE, BCODE)");
    }

    // A debit on the first account against a credit on the second, through
    // the journal triggers (tax paid on both sides).
    void Post(const Journal& j)
    {
        auto data = Data();
        ++rec_;
        for (int side = 1; side <= 2; ++side)
            data.Exec(
                "INSERT INTO SIWAKE (REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE,MNUM,SCODE,KCODE,HCODE,BCODE,TAXUH,"
                "NUK,ZEI,R_KCODE) VALUES (" +
                std::to_string(rec_ * 2 + side) + "," + std::to_string(rec_) + "," + std::to_string(rec_) + ",0," +
                std::to_string(side) + ",CURRENT_DATE," + std::to_string(j.period) + ",'" + j.scode + "','" +
                accounts_[side - 1] + "',' ','" + j.bcode + "',2," + std::to_string(j.net) + "," +
                std::to_string(j.tax) + ",'" + accounts_[2 - side] + "')");
        posted_.push_back(j);
    }

    // "KCODE|side|period" -> the sum of the journals posted that the filter
    // takes: net plus tax with tax, net without.
    std::map<std::string, long long> Expected(int tax, const std::function<bool(const Journal&)>& take) const
    {
        std::map<std::string, long long> sums;
        for (const Journal& j : posted_)
            if (take(j))
                for (int side = 1; side <= 2; ++side)
                    sums[accounts_[side - 1] + "|" + std::to_string(side) + "|" + std::to_string(j.period)] +=
                        (j.net + (tax == 0 ? j.tax : 0)) * 10000;
        return sums;
    }

    // The same figures from the account rows of a procedure's result (every
    // figure that is not zero), checking that each account row counts the
    // part rows that follow it. The layout and settlement forms have no part
    // rows: each row is an account's own (every account of these data has a
    // layout line of its own).
    std::map<std::string, long long> Actual(const std::string& call)
    {
        const bool parts = call.find("_A4") == std::string::npos && call.find("_A3") == std::string::npos &&
                           call.find("_KS") == std::string::npos && call.find("HIKAKU") == std::string::npos;
        const std::string head = parts ? "KCODE, CHAR_LENGTH(HCODE), HOJCNT" : "KCODE, 0, 0";
        auto data = Data();
        std::string columns;
        for (int n = 1; n <= 16; ++n) {
            const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
            columns += ", CAST(KAR" + nn + " * 10000 AS BIGINT), CAST(KAS" + nn + " * 10000 AS BIGINT)";
        }
        std::map<std::string, long long> sums;
        const auto rows = data.Rows("SELECT " + head + columns + " FROM " + call);
        EXPECT_FALSE(rows.empty()) << call;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto& row = rows[r];
            if (row[1] != "0")
                continue;
            const int count = std::stoi(row[2]);
            for (int p = 1; p <= count; ++p)
                EXPECT_TRUE(r + p < rows.size() && rows[r + p][0] == row[0] && rows[r + p][1] != "0")
                    << call << ": " << row[0] << " announces " << count << " part rows";
            for (const std::string& kcode : accounts_) {
                if (row[0] != kcode)
                    continue;
                for (int n = 1; n <= 16; ++n)
                    for (int side = 1; side <= 2; ++side)
                        if (const long long v = std::stoll(row[2 * n + side]); v != 0)
                            sums[kcode + "|" + std::to_string(side) + "|" + std::to_string(n)] += v;
            }
        }
        return sums;
    }

    std::vector<std::string> accounts_;
    std::vector<Journal> posted_;
    int rec_ = 800000;
};

TEST_F(ScopedTrialBalanceTest, DepartmentTotalOverTheBranchesOfTheGeneralChart)
{
    Prepare(DataKind::Corporation);
    Facility(" ", 0, {"D1", "D2"});
    Facility("T1", 0, {" ", "D1"});
    Post({" ", "D1", 1, 1000, 100});
    Post({"T1", "D1", 1, 250, 25});
    Post({"T1", "D1", 3, 40, 4});
    Post({" ", "D2", 1, 7000, 700});
    Post({"T1", " ", 2, 90, 9});
    for (const int tax : {0, 1}) {
        for (const char* bcode : {"D1", "D2"}) {
            for (const char* form : {"", "_A4", "_A3"}) {
                const std::string call =
                    std::string("SP_SISANHYO_BUMONGOKEI") + form + "(" + std::to_string(tax) + ", '" + bcode + "')";
                SCOPED_TRACE(call);
                EXPECT_EQ(Actual(call), Expected(tax, [&](const Journal& j) { return std::string(j.bcode) == bcode; }));
            }
        }
    }
}

TEST_F(ScopedTrialBalanceTest, FacilityGroupKindAndDepartmentTotalsOfTheMedicalChart)
{
    Prepare(DataKind::Medical);
    Facility("F1", 8, {" ", "D1"});
    Facility("F2", 4, {" ", "D1"});
    Facility("F3", 8, {" "});
    {
        auto data = Data();
        data.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'F1')");
        data.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'F2')");
    }
    Post({"F1", " ", 1, 1000, 100});
    Post({"F1", "D1", 2, 300, 30});
    Post({"F2", " ", 1, 500, 50});
    Post({"F2", "D1", 2, 60, 6});
    Post({"F3", " ", 16, 20, 2});
    const auto in = [](std::initializer_list<const char*> codes, const char* bcode = nullptr) {
        const std::vector<std::string> list(codes.begin(), codes.end());
        return [list, bcode](const Journal& j) {
            return std::find(list.begin(), list.end(), j.scode) != list.end() &&
                   (bcode == nullptr || std::string(j.bcode) == bcode);
        };
    };
    const struct {
        const char* call;
        std::function<bool(const Journal&)> take;
    } cases[] = {
        {"SP_SISANHYO_SISETU('F1', {T})", in({"F1"})},
        {"SP_SISANHYO_SISETU('F3', {T})", in({"F3"})},
        {"SP_SISANHYO_GROUP('G1', {T})", in({"F1", "F2"})},
        {"SP_SISANHYO_BUMONGOKEI({T}, ' ', 0)", in({"F1", "F2", "F3"}, " ")},
        {"SP_SISANHYO_BUMONGOKEI({T}, ' ', 8)", in({"F1", "F3"}, " ")},
        {"SP_SISANHYO_JIGYOBETUBUMON_A4({T}, 'D1', 8)", in({"F1", "F3"}, "D1")},
        {"SP_SISANHYO_JIGYOBETUBUMON_A3({T}, 'D1', 0)", in({"F1", "F2", "F3"}, "D1")},
        // The chart's layout forms take the facility first, then the kind.
        {"SP_SISANHYO_A4('F2', {T}, 0)", in({"F2"})},
        {"SP_SISANHYO_A4('', {T}, 8)", in({"F1", "F3"})},
        {"SP_SISANHYO_A3(' ', {T}, 0)", in({"F1", "F2", "F3"})},
        {"SP_SISANHYO_A3('', {T}, 4)", in({"F2"})},
        {"SP_SISANHYO_BUMONGOKEI_KS({T}, 'D1')", in({"F1", "F2", "F3"}, "D1")},
        {"SP_SISETUHIKAKU_SISANHYO('', '', {T}, 0, 0)", in({"F1", "F2", "F3"})},
        {"SP_SISETUHIKAKU_SISANHYO('', ' ', {T}, 8, 1)", in({"F1", "F3"})},
        {"SP_SISETUHIKAKU_SISANHYO('F2', '', {T}, 0, 1)", in({"F2"})},
        {"SP_SISETUHIKAKU_SISANHYO('', 'G1', {T}, 0, 1)", in({"F1", "F2"})},
    };
    for (const int tax : {0, 1}) {
        for (const auto& c : cases) {
            std::string call = c.call;
            call.replace(call.find("{T}"), 3, std::to_string(tax));
            SCOPED_TRACE(call);
            EXPECT_EQ(Actual(call), Expected(tax, c.take));
        }
    }
}

}  // namespace
