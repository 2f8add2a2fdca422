// The medical chart's readers of the earlier fiscal years and of the
// budgets at the last version: earlier years written into KAKOZAN for
// three facilities of two business kinds and the company facility, two
// departments and a sub-account; budgets written into the period rows and
// actual figures posted through the journal triggers. Every reader's rows
// against the sums this test takes of what it wrote.

#include "LaterUnitTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using laterunittest::DataKind;

struct Past {
    int nendo;
    std::string scode, bcode, kcode, hcode;
    long long kishu;
    long long komi[3];  // periods 1, 2 and 16 with tax
    long long nuki[3];  // and without
};

struct Place {
    std::string scode, bcode;
};

using Take = std::function<bool(const Place&)>;

// Facilities F1 and F3 are of kind 8, F2 of kind 4; the group G1 holds F1
// and F2. The company facility ' ' has no kind.
Take In(std::set<std::string> facilities, std::optional<std::string> bcode = std::nullopt)
{
    return [facilities, bcode](const Place& p) { return facilities.count(p.scode) && (!bcode || *bcode == p.bcode); };
}

const std::set<std::string> Every = {" ", "F1", "F2", "F3"};

class MedicalEarlierYearsAndBudgetsTest : public laterunittest::LaterUnitDbTest {
protected:
    void SetUp() override
    {
        LaterUnitDbTest::SetUp();
        companytest::CopyCompanyMaster(companytest::CompanyMaster("", DataKind::Medical), SystemDef.DataDir);
        auto data = Data();
        const std::pair<const char*, int> facilities[] = {{"F1", 8}, {"F2", 4}, {"F3", 8}};
        data.Exec("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('D1', 'D1') MATCHING (BCODE)");
        for (const auto& [scode, kind] : facilities) {
            data.Exec(std::string("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU) VALUES ('") + scode +
                      "', 'F', 1, " + std::to_string(kind) + ")");
            for (const char* bcode : {" ", "D1"})
                for (const char* kcode : {"4101", "5102"})
                    data.Exec(std::string("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('") +
                              scode + "', '" + kcode + "', ' ', '" + bcode +
                              "') MATCHING (SCODE, KCODE, HCODE, BCODE)");
        }
        data.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'F1')");
        data.Exec("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', 'F2')");
        for (const auto& row : data.Rows("SELECT K.KCODE, A.KGROUP, A.SUBREC, B.KGROUP, B.SUBREC, K.GROUPM1, "
                                         "COALESCE(S.SUBREC, 0) FROM KAMOKUMST K "
                                         "JOIN EXTERA4 A ON A.REC = K.EXT1_A4 JOIN EXTERA3 B ON B.REC = K.EXT1_A3 "
                                         "LEFT JOIN EXTERKS S ON S.REC = K.EXT1_KS WHERE K.KCODE IN ('4101', '5102')"))
            lines_[row[0]] = {row[1] + "|" + row[2], row[3] + "|" + row[4], row[5] + "|" + row[6]};
        ASSERT_EQ(lines_.size(), 2u);
    }

    // Three years of KAKOZAN: every facility and department, the two
    // accounts and a sub-account of the first, amounts from one counter.
    void WritePast()
    {
        auto data = Data();
        long long n = 0;
        for (int nendo = 0; nendo <= 2; ++nendo)
            for (const std::string& scode : Every)
                for (const char* bcode : {" ", "D1"})
                    for (const auto& [kcode, hcode] : {std::pair{"4101", " "}, {"4101", "H1"}, {"5102", " "}}) {
                        ++n;
                        const Past p{
                            nendo, scode, bcode, kcode, hcode, 1000 * n, {n, 3 * n, 7 * n}, {n - 1, 2 * n, 5 * n}};
                        data.Exec(
                            "INSERT INTO KAKOZAN (NENDO, SCODE, BCODE, KCODE, HCODE, KISHU, KOMIZAN_1, "
                            "NUKIZAN_1, KOMIZAN_2, NUKIZAN_2, KOMIZAN_16, NUKIZAN_16) VALUES (" +
                            std::to_string(nendo) + ", '" + scode + "', '" + bcode + "', '" + kcode + "', '" + hcode +
                            "', " + std::to_string(p.kishu) + ", " + std::to_string(p.komi[0]) + ", " +
                            std::to_string(p.nuki[0]) + ", " + std::to_string(p.komi[1]) + ", " +
                            std::to_string(p.nuki[1]) + ", " + std::to_string(p.komi[2]) + ", " +
                            std::to_string(p.nuki[2]) + ")");
                        past_.push_back(p);
                    }
    }

    // "key|NENDO" -> "KISHU|ZAN01|ZAN02|ZAN16" over the rows the filter
    // takes; the key is KCODE|HCODE, or the account's line (0 A4, 1 A3, 2
    // settlement) with the sub-accounts summed in.
    std::map<std::string, std::string> ExpectedYears(int tax, const Take& take, int line) const
    {
        std::map<std::string, std::array<long long, 4>> sums;
        for (const Past& p : past_) {
            if (!take({p.scode, p.bcode}))
                continue;
            const std::string key =
                (line < 0 ? p.kcode + "|" + p.hcode : lines_.at(p.kcode)[static_cast<std::size_t>(line)]) + "|" +
                std::to_string(p.nendo);
            auto& s = sums[key];
            s[0] += p.kishu;
            for (std::size_t i = 0; i < 3; ++i)
                s[i + 1] += tax == 0 ? p.komi[i] : p.nuki[i];
        }
        std::map<std::string, std::string> text;
        for (const auto& [key, s] : sums)
            text[key] = std::to_string(s[0]) + "|" + std::to_string(s[1]) + "|" + std::to_string(s[2]) + "|" +
                        std::to_string(s[3]);
        return text;
    }

    std::map<std::string, std::string> Read(const std::string& head, const std::string& columns,
                                            const std::string& from)
    {
        std::map<std::string, std::string> rows;
        auto data = Data();
        for (const auto& row : data.Rows("SELECT " + head + ", " + columns + " FROM " + from)) {
            std::string key = row[0] + "|" + row[1] + "|" + row[2];
            std::string value;
            for (std::size_t i = 3; i < row.size(); ++i)
                value += (i == 3 ? "" : "|") + row[i];
            EXPECT_TRUE(rows.emplace(key, value).second) << from << ": " << key << " twice";
        }
        return rows;
    }

    std::vector<Past> past_;
    std::map<std::string, std::array<std::string, 3>> lines_;
};

TEST_F(MedicalEarlierYearsAndBudgetsTest, EarlierYearsFollowFacilityKindGroupDepartmentAndLayout)
{
    WritePast();
    const std::string years =
        "CAST(KISHU AS BIGINT), CAST(ZAN01 AS BIGINT), CAST(ZAN02 AS BIGINT), CAST(ZAN16 AS BIGINT)";
    const struct {
        const char* call;  // {T}: the tax mode
        int line;          // -1 by account, else the layout of the key
        Take take;
    } cases[] = {
        {"SP_KANENDO_ZANDAKA('', {T}, 0)", -1, In(Every)},
        {"SP_KANENDO_ZANDAKA(' ', {T}, 8)", -1, In({"F1", "F3"})},
        {"SP_KANENDO_ZANDAKA('F2', {T}, 0)", -1, In({"F2"})},
        {"SP_KANENDO_ZANDAK_SISETU('F3', {T})", -1, In({"F3"})},
        {"SP_KANENDO_ZANDAKA_GROUP('G1', {T})", -1, In({"F1", "F2"})},
        {"SP_KANENDO_BUMON_ZANDAKA('F1', 'D1', {T}, 0)", -1, In({"F1"}, "D1")},
        {"SP_KANENDO_BUMON_ZANDAKA(' ', ' ', {T}, 0)", -1, In({" "}, " ")},
        {"SP_KANENDO_BUMONGOKEI({T}, 'D1', 8)", -1, In({"F1", "F3"}, "D1")},
        {"SP_KANENDO_BUMONGOKEI({T}, ' ', 0)", -1, In(Every, " ")},
        {"SP_KANENDO_ZANDAKA_A4('', {T}, 4)", 0, In({"F2"})},
        {"SP_KANENDO_ZANDAKA_A4('F1', {T}, 0)", 0, In({"F1"})},
        {"SP_KANENDO_ZANDAKA_A3({T}, 'F1')", 1, In({"F1"})},
        {"SP_KANENDO_BUMON_ZANDAKA_A4('F3', ' ', {T}, 0)", 0, In({"F3"}, " ")},
        {"SP_KANENDO_JIGYOBETUBUMON_A4({T}, 'D1', 0)", 0, In(Every, "D1")},
        {"SP_KANENDO_JIGYOBETU_A3({T}, 8)", 1, In({"F1", "F3"})},
        {"SP_KANENDO_BUMONGOKEI_KS({T}, 'D1', 4)", 2, In({"F2"}, "D1")},
        {"SP_KANENDO_ZANDAKA_KESSAN('', 'G1', {T}, 0)", 2, In({"F1", "F2"})},
        {"SP_KANENDO_ZANDAKA_KESSAN('F3', '', {T}, 0)", 2, In({"F3"})},
        {"SP_KANENDO_ZANDAKA_KESSAN('', '', {T}, 8)", 2, In({"F1", "F3"})},
    };
    for (const int tax : {0, 1})
        for (const auto& c : cases) {
            std::string call = c.call;
            call.replace(call.find("{T}"), 3, std::to_string(tax));
            SCOPED_TRACE(call);
            const std::string head = c.line < 0 ? "KCODE, HCODE, NENDO" : "KGROUP, SUBREC, NENDO";
            EXPECT_EQ(Read(head, years, call), ExpectedYears(tax, c.take, c.line));
        }
}

// Budgets of the two accounts in every facility and department, and one
// journal (expense against revenue, with tax on both) per facility and
// department in periods 1 and 4, so that the actual figures differ by
// place.
TEST_F(MedicalEarlierYearsAndBudgetsTest, BudgetsAndActualFiguresFollowFacilityKindAndDepartment)
{
    auto data = Data();
    const auto code = [](const std::string& scode, const std::string& bcode, const std::string& kcode) {
        return (scode == "F1"   ? 1000
                : scode == "F2" ? 2000
                                : 3000) +
               (bcode == "D1" ? 100 : 0) + (kcode == "5102" ? 7 : 0);
    };
    data.Exec(
        "UPDATE KAMOKU_MS SET BYOSAN = MNUM + IIF(SCODE = 'F1', 1000, IIF(SCODE = 'F2', 2000, 3000))"
        " + IIF(BCODE = 'D1', 100, 0) + IIF(KCODE = '5102', 7, 0), BYOSAN2 = 2, BYOSAN3 = 3"
        " WHERE SCODE IN ('F1', 'F2', 'F3') AND KCODE IN ('4101', '5102')");
    struct Posted {
        Place place;
        int mnum;
        long long net, tax;
    };
    std::vector<Posted> posted;
    int rec = 900000;
    for (const std::string scode : {"F1", "F2", "F3"})
        for (const std::string bcode : {" ", "D1"})
            for (const int mnum : {1, 4}) {
                const long long net = code(scode, bcode, "") * 10 + mnum, tax = net / 10;
                for (const auto& [side, kcode, taxuh] : {std::tuple{1, "5102", 2}, {2, "4101", 1}}) {
                    ++rec;
                    data.Exec(
                        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, "
                        "HCODE, BCODE, TAXUH, NUK, ZEI) VALUES (" +
                        std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", " +
                        std::to_string((rec + 1) / 2) + ", 0, " + std::to_string(side) + ", CURRENT_DATE, " +
                        std::to_string(mnum) + ", '" + scode + "', '" + kcode + "', ' ', '" + bcode + "', " +
                        std::to_string(taxuh) + ", " + std::to_string(net) + ", " + std::to_string(tax) + ")");
                }
                posted.push_back({{scode, bcode}, mnum, net, tax});
            }
    // "KCODE" -> "YOSAN01|YOSAN203|YOSAN315|JISSEKI01|JISSEKI04|JKUBUN01":
    // the expense's actual figure is its debit, the revenue's its credit.
    const auto expected = [&](int tax, const Take& take) {
        std::map<std::string, std::string> rows;
        for (const std::string kcode : {"4101", "5102"}) {
            long long yosan = 0, places = 0, actual1 = 0, actual4 = 0;
            for (const std::string scode : {"F1", "F2", "F3"})
                for (const std::string bcode : {" ", "D1"})
                    if (take({scode, bcode})) {
                        yosan += code(scode, bcode, kcode) + 1;
                        ++places;
                    }
            for (const Posted& p : posted)
                if (take(p.place))
                    (p.mnum == 1 ? actual1 : actual4) += p.net + (tax == 0 ? p.tax : 0);
            rows[kcode + "| "] = std::to_string(yosan) + "|" + std::to_string(2 * places) + "|" +
                                 std::to_string(3 * places) + "|" + std::to_string(actual1) + "|" +
                                 std::to_string(actual4) + "|0";
        }
        return rows;
    };
    const std::string columns =
        "CAST(YOSAN01 AS BIGINT), CAST(YOSAN203 AS BIGINT), CAST(YOSAN315 AS BIGINT), CAST(JISSEKI01 AS BIGINT),"
        " CAST(JISSEKI04 AS BIGINT), JKUBUN01";
    const std::string where = " WHERE KCODE IN ('4101', '5102')";
    const struct {
        const char* call;
        Take take;
    } cases[] = {
        {"SP_YOSAN({T}, '', 0)", In(Every)},
        {"SP_YOSAN({T}, '', 8)", In({"F1", "F3"})},
        {"SP_YOSAN_SISETU({T}, 'F2')", In({"F2"})},
        {"SP_YOSAN_BUMONGOKEI({T}, 'D1', 4)", In({"F2"}, "D1")},
        {"SP_YOSAN_BUMONGOKEI({T}, ' ', 0)", In(Every, " ")},
        {"SP_YOSAN_BUMON({T}, 'F3', 'D1', 0)", In({"F3"}, "D1")},
        {"SP_YOSAN_GROUP({T}, 'G1')", In({"F1", "F2"})},
    };
    for (const int tax : {0, 1})
        for (const auto& c : cases) {
            std::string call = c.call;
            call.replace(call.find("{T}"), 3, std::to_string(tax));
            SCOPED_TRACE(call);
            std::map<std::string, std::string> rows;
            for (const std::string& line : data.Lines("SELECT KCODE, HCODE, " + columns + " FROM " + call + where)) {
                const std::size_t second = line.find('|', line.find('|') + 1);
                rows[line.substr(0, second)] = line.substr(second + 1);
            }
            EXPECT_EQ(rows, expected(tax, c.take));
        }

    // By line: the first budget of the accounts the layout line holds.
    const auto lineBudget = [&](int line, const Take& take) {
        std::map<std::string, std::string> rows;
        for (const std::string kcode : {"4101", "5102"}) {
            long long yosan = 0;
            for (const std::string scode : {"F1", "F2", "F3"})
                for (const std::string bcode : {" ", "D1"})
                    if (take({scode, bcode}))
                        yosan += code(scode, bcode, kcode) + 5;
            rows[lines_.at(kcode)[static_cast<std::size_t>(line)]] = std::to_string(yosan);
        }
        return rows;
    };
    const struct {
        const char* call;
        int line;
        Take take;
    } lineCases[] = {
        {"SP_YOSAN_A4('', 8)", 0, In({"F1", "F3"})},
        {"SP_YOSAN_A4('F2', 0)", 0, In({"F2"})},
        {"SP_YOSAN_BUMON_A4('F1', 'D1', 0)", 0, In({"F1"}, "D1")},
        {"SP_YOSAN_JIGYOBETUBUMON_A4('D1', 0)", 0, In(Every, "D1")},
        {"SP_YOSAN_BUMONGOKEI_KS(' ')", 2, In(Every, " ")},
        {"SP_YOSAN_KESSAN('', 'G1', 0)", 2, In({"F1", "F2"})},
        {"SP_YOSAN_KESSAN('', '', 4)", 2, In({"F2"})},
    };
    for (const auto& c : lineCases) {
        SCOPED_TRACE(c.call);
        const auto wanted = lineBudget(c.line, c.take);
        std::map<std::string, std::string> rows;
        for (const auto& row : data.Rows("SELECT KGROUP, SUBREC, CAST(YOSAN05 AS BIGINT) FROM " + std::string(c.call)))
            if (wanted.count(row[0] + "|" + row[1]))
                rows[row[0] + "|" + row[1]] = row[2];
        EXPECT_EQ(rows, wanted);
    }
}

}  // namespace
