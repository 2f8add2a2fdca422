// The export end to end without windows: journal lines posted to a company
// database built by the project's own updates, the export run for a range of
// months in each tax mode, and every account and sub-account element of the
// written file compared with figures computed here from the journal lines.

#include "app/export/UtiwakesyoDataExport.h"

#include "CompanyExportSupport.h"
#include "ExportFileReader.h"
#include "JournalSums.h"
#include "app/export/DataExportError.h"
#include "app/export/RendoFile.h"
#include "app/export/XmlValueText.h"
#include "foundation/StringUtils.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

namespace {

using namespace exporttest;

// Cash, bank with two named sub-accounts and its own part, receivables with
// one, payables with one (a credit-side account's sub-account, its name
// padded with full-width blanks), capital, sales, purchases, supplies (in the settlement
// period too), interest and a half-yen expense; consumption tax on sales,
// purchases and supplies.
const std::vector<JournalSide> Journal = {
    {1, "1101", " ", 1, "100000", "0", 0},   {2, "3101", " ", 1, "100000", "0", 0},
    {1, "1202", "001", 1, "22000", "0", 0},  {2, "4101", " ", 1, "20000", "2000", 1},
    {1, "5102", " ", 2, "10000", "1000", 2}, {2, "2102", "A1", 2, "11000", "0", 0},
    {1, "1103", "01", 3, "50000", "0", 0},   {2, "1101", " ", 3, "50000", "0", 0},
    {1, "1103", "02", 5, "15000", "0", 0},   {2, "1202", "001", 5, "15000", "0", 0},
    {1, "6108", " ", 6, "3000", "300", 2},   {2, "1101", " ", 6, "3300", "0", 0},
    {1, "6113", " ", 9, "1234.5", "0", 0},   {2, "1101", " ", 9, "1234.5", "0", 0},
    {1, "1103", " ", 14, "7", "0", 0},       {2, "7101", " ", 14, "7", "0", 0},
    {1, "6108", " ", 16, "1000", "100", 2},  {2, "2104", " ", 16, "1100", "0", 0},
};

struct Account {
    std::string kcode, usercode, name, groupm1, groupm2;
    int dac;
};

struct RangeCase {
    const char* label;
    int taxMode;
    int endCell;
    int lastCell;
    int lastPeriod;  // what the range must reach
};

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.label;
}

class ExportEndToEndTest : public CompanyExportTest, public testing::WithParamInterface<RangeCase> {
protected:
    void SetUp() override
    {
        CompanyExportTest::SetUp();
        AddSubAccount("1103", "01", "みずほ銀行");
        AddSubAccount("1103", "02", "①髙橋信金");
        AddSubAccount("1202", "001", "㈱山田＆ｶﾝﾊﾟﾆｰ");
        AddSubAccount("2102", "A1", "　～仕入先－A　");
        Post(Journal);
        schematest::Session s(DataFile());
        for (const auto& r : s.Rows("SELECT KCODE, USERCODE, KNAME, GROUPM1, GROUPM2, DAC FROM KAMOKUMST"
                                    " WHERE USE = 1"))
            accounts_.push_back({r[0], r[1], r[2], r[3], r[4], std::stoi(r[5])});
        for (const auto& r : s.Rows("SELECT KCODE, HCODE, HNAME FROM HOJOMST WHERE HCODE <> ' '"))
            subNames_[{r[0], r[1]}] = r[2];
    }

    Currency DebitLessCredit(const std::string& kcode, const std::string& hcode, int taxMode, int lastPeriod) const
    {
        return exporttest::DebitLessCredit(Journal, kcode, hcode, taxMode, lastPeriod);
    }

    // Retained earnings brought forward (group "3340") balances the sheet:
    // whatever the other balance-sheet accounts leave, so that it carries
    // the year's profit on top of its own lines.
    Currency BalancingDebitLessCredit(const Account& balancing, int taxMode, int lastPeriod) const
    {
        Currency others = 0;
        for (const Account& a : accounts_)
            if (a.kcode != balancing.kcode && a.groupm1 != "9900" && a.groupm2 < "4000")
                others += DebitLessCredit(a.kcode, "*", taxMode, lastPeriod);
        return -others;
    }

    std::vector<KamokuElement> Expected(int taxMode, int lastPeriod) const
    {
        std::vector<std::pair<std::string, Account>> keyed;
        for (const Account& a : accounts_) {
            if (a.groupm1 == "9900")
                continue;
            const std::string group = a.groupm1 == "5300" ? "5881" : a.groupm2;
            keyed.emplace_back(group + (a.usercode + "    ").substr(0, 4), a);
        }
        std::sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) { return x.first < y.first; });

        std::vector<KamokuElement> expected;
        for (const auto& [key, a] : keyed) {
            KamokuElement e{std::to_string(expected.size() + 1),
                            a.usercode,
                            a.name,
                            Written(a.dac, a.groupm2 == "3340" ? BalancingDebitLessCredit(a, taxMode, lastPeriod)
                                                               : DebitLessCredit(a.kcode, "*", taxMode, lastPeriod)),
                            {}};
            std::vector<std::string> named;
            for (const auto& [k, name] : subNames_)
                if (k.first == a.kcode)
                    named.push_back(k.second);
            if (!named.empty()) {
                // The own part comes first, only when it has lines at all.
                if (exporttest::DebitLessCredit(Journal, a.kcode, " ", taxMode) != 0 ||
                    std::any_of(Journal.begin(), Journal.end(),
                                [&](const JournalSide& j) { return j.kcode == a.kcode && j.hcode == " "; }))
                    e.subs.push_back(
                        {"1", " ", a.name, Written(a.dac, DebitLessCredit(a.kcode, " ", taxMode, lastPeriod)), {}});
                for (const std::string& h : named)
                    e.subs.push_back({std::to_string(e.subs.size() + 1),
                                      h,
                                      TrimZen(subNames_.at({a.kcode, h})),
                                      Written(a.dac, DebitLessCredit(a.kcode, h, taxMode, lastPeriod)),
                                      {}});
            }
            expected.push_back(e);
        }
        return expected;
    }

    std::vector<Account> accounts_;
    std::map<std::pair<std::string, std::string>, std::string> subNames_;
};

TEST_P(ExportEndToEndTest, EveryAccountAndSubAccountMatchesTheJournal)
{
    const RangeCase& c = GetParam();
    OpenCompany();
    const std::string file = (folder_ / "ug.xml").string();
    {
        TUtiwakesyoDataExport e(3, file);
        e.CompanyName = "A&B商事";
        e.FiscalStart = EncodeDate(2025, 4, 1);
        e.FiscalEnd = EncodeDate(2026, 3, 31);
        e.DataType = 1;
        e.StartCell = 0;
        e.EndCell = c.endCell;
        e.LastCell = c.lastCell;
        e.TaxMode = c.taxMode;
        WriteRendoFile(e, e.OutputFileName);
    }
    EXPECT_TRUE(messages_.shown.empty());
    const ExportFileContents contents = ReadExportFile(file);
    EXPECT_EQ(contents.parts, (std::vector<std::string>{"SYSTEM", "BASIC", "DATA"}));
    EXPECT_EQ(contents.companyName, "A&B商事");
    const std::vector<KamokuElement> expected = Expected(c.taxMode, c.lastPeriod);
    ASSERT_EQ(contents.accounts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(contents.accounts[i], expected[i]) << "element " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Ranges, ExportEndToEndTest,
                         testing::Values(RangeCase{"WholeYearTaxIncluded", 0, 15, 15, 16},
                                         RangeCase{"WholeYearTaxExcluded", 1, 15, 15, 16},
                                         RangeCase{"WithoutSettlementTaxIncluded", 0, 14, 15, 15},
                                         RangeCase{"FirstSixMonthsTaxExcluded", 1, 6, 15, 7},
                                         RangeCase{"ShortYearReachesSettlement", 0, 11, 11, 16}),
                         [](const auto& info) { return std::string(info.param.label); });

class ExportFailureTest : public CompanyExportTest {
protected:
    // Runs the export of the whole year into file; the error it raised.
    EDataExportError Fails(const std::string& file)
    {
        OpenCompany();
        TUtiwakesyoDataExport e(3, file);
        e.DataType = 1;
        e.EndCell = e.LastCell = 15;
        try {
            WriteRendoFile(e, file);
        } catch (const EDataExportError& error) {
            return error;
        }
        ADD_FAILURE() << "the export did not fail";
        return EDataExportError("", "", 0);
    }
};

// A balance load that fails writes nothing and leaves an existing file of
// that name as it was.
TEST_F(ExportFailureTest, FailedLoadWritesNoFileAndKeepsTheOldOne)
{
    DropProcedureAndCallers("SP_SISANHYO");
    const std::string file = (folder_ / "ug.xml").string();
    {
        std::ofstream(file) << "the previous export";
    }
    const auto entries = [this] {
        return std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator());
    };
    const auto before = entries();
    const EDataExportError error = Fails(file);
    EXPECT_EQ(error.Code, ExportErrorCalculation);
    EXPECT_STREQ(error.what(), "科目の集計処理に失敗しました。");
    EXPECT_EQ(error.Detail, "");
    EXPECT_FALSE(messages_.shown.empty()) << "the calculation shows why it failed";
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the previous export");
    EXPECT_EQ(entries(), before) << "no temporary file is left behind";

    const std::string fresh = (folder_ / "new.xml").string();
    EXPECT_EQ(Fails(fresh).Code, ExportErrorCalculation);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST_F(ExportFailureTest, BlankNamesStopTheExport)
{
    const std::string file = (folder_ / "ug.xml").string();
    Exec("UPDATE KAMOKUMST SET KNAME = '　　' WHERE KCODE = '6108'");
    EDataExportError error = Fails(file);
    EXPECT_EQ(error.Code, ExportErrorAccountName);
    EXPECT_STREQ(error.what(), "空の科目名が設定されています。");
    EXPECT_EQ(error.Detail, "科目ｺｰﾄﾞ:6108");
    DM.reset();

    Exec("UPDATE KAMOKUMST SET KNAME = '消耗品費' WHERE KCODE = '6108'");
    AddSubAccount("1103", "01", "　");
    Post({{1, "1103", "01", 1, "10", "0", 0}, {2, "1101", " ", 1, "10", "0", 0}});
    error = Fails(file);
    EXPECT_EQ(error.Code, ExportErrorSubAccountName);
    EXPECT_STREQ(error.what(), "空の補助名が設定されています。");
    EXPECT_EQ(error.Detail, "科目ｺｰﾄﾞ:1103-01");
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
