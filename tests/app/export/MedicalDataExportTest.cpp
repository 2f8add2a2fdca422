// The export of a medical corporation's data end to end without windows:
// journal lines posted to three facilities of a company database of the
// medical chart built by the project's own updates, the whole year exported
// in each tax mode, and every account and sub-account element of the written
// file compared with figures computed here from the journal lines.

#include "app/export/UtiwakesyoDataExport.h"

#include "CompanyExportSupport.h"
#include "ExportFileReader.h"
#include "JournalSums.h"
#include "app/export/RendoFile.h"
#include "app/export/XmlValueText.h"
#include "calc/AccountCodeTables.h"
#include "platform/DateTime.h"
#include "foundation/StringUtils.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using namespace exporttest;

struct MedicalLine {
    const char* scode;
    JournalSide side;
};

// Fees, cash, a bank with a named sub-account and its own part, materials
// with tax paid, salaries, a settlement-period expense, spread over the
// facility of the whole data and two facilities of different business kinds.
const std::vector<MedicalLine> Journal = {
    {" ", {1, "1101", " ", 1, "50000", "0", 0}},     {" ", {2, "4101", " ", 1, "50000", "0", 0}},
    {"01", {1, "1103", "01", 2, "80000", "0", 0}},   {"01", {2, "4101", " ", 2, "80000", "0", 0}},
    {"02", {1, "5102", " ", 3, "10000", "1000", 2}}, {"02", {2, "1101", " ", 3, "11000", "0", 0}},
    {"01", {1, "6102", " ", 7, "30000", "0", 0}},    {"01", {2, "1103", " ", 7, "30000", "0", 0}},
    {"02", {1, "1103", " ", 9, "2500.5", "0", 0}},   {"02", {2, "4101", " ", 9, "2500.5", "0", 0}},
    {" ", {1, "6204", " ", 16, "700", "70", 2}},     {" ", {2, "1101", " ", 16, "770", "0", 0}},
};

struct Account {
    std::string kcode, usercode, name, groupm1;
    int dac;
};

class MedicalDataExportTest : public CompanyExportTest, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        CompanyExportTest::SetUp();
        companytest::CopyCompanyMaster(companytest::CompanyMaster("", dbtest::DataKind::Medical), dataDir_);
        Exec("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('01', 'F01', 8)");
        Exec("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('02', 'F02', 1)");
        AddSubAccount("1103", "01", "みずほ銀行");
        schematest::Session s(DataFile());
        int rec = 0;
        for (const MedicalLine& line : Journal) {
            const JournalSide& side = line.side;
            ++rec;
            s.Exec(
                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM,"
                " TAXUH, NUK, ZEI) VALUES (" +
                std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", " + std::to_string((rec + 1) / 2) +
                ", 0, " + std::to_string(side.taishaku) + ", '" + line.scode + "', '" + side.kcode + "', '" +
                side.hcode + "', ' ', " + std::to_string(side.mnum) + ", " + std::to_string(side.taxuh) + ", " +
                side.nuk + ", " + side.zei + ")");
        }
        for (const auto& r : s.Rows("SELECT KCODE, USERCODE, KNAME, GROUPM1, DAC FROM KAMOKUMST WHERE USE = 1"))
            accounts_.push_back({r[0], r[1], r[2], r[3], std::stoi(r[4])});
    }

    // The account code tables follow the chart of the data opened; the
    // tests after this one read the general chart's.
    void TearDown() override
    {
        CompanyExportTest::TearDown();
        SetupAccountCodeTables(AccInf.MedicalChart);
    }

    // Opens the data as the wizard has it open: a medical corporation of
    // the medical chart whose year runs twelve months.
    void OpenMedical()
    {
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDatConnected("", dataDir_.string(), false));
        AccInf.DATATYPE = 3;
        AccInf.CODETYPE = 1;
        AccInf.KAISINO = 1;
        AccInf.MedicalChart = 1;
        AccInf.SIME = 99;
        AccInf.KISHU = EncodeDate(2024, 4, 1);
        AccInf.KIMATU = EncodeDate(2025, 3, 31);
        SetupAccountCodeTables(AccInf.MedicalChart);
    }

    // Debit minus credit of the lines of (kcode, hcode) over the year in the
    // tax mode; hcode "*" takes every sub-account.
    static Currency DebitLessCredit(const std::string& kcode, const std::string& hcode, int taxMode)
    {
        static const std::vector<JournalSide> sides = [] {
            std::vector<JournalSide> all;
            for (const MedicalLine& line : Journal)
                all.push_back(line.side);
            return all;
        }();
        return exporttest::DebitLessCredit(sides, kcode, hcode, taxMode);
    }

    // Every account in use in the order of its group and code, the bank with
    // its own part and its sub-account.
    std::vector<KamokuElement> Expected(int taxMode) const
    {
        std::vector<std::pair<std::string, Account>> keyed;
        for (const Account& a : accounts_)
            keyed.emplace_back(a.groupm1 + (a.usercode + "    ").substr(0, 4), a);
        std::sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<KamokuElement> expected;
        for (const auto& [key, a] : keyed) {
            KamokuElement e{std::to_string(expected.size() + 1),
                            a.usercode,
                            a.name,
                            Written(a.dac, DebitLessCredit(a.kcode, "*", taxMode)),
                            {}};
            if (a.kcode == "1103")
                e.subs = {{"1", " ", a.name, Written(a.dac, DebitLessCredit(a.kcode, " ", taxMode)), {}},
                          {"2", "01", "みずほ銀行", Written(a.dac, DebitLessCredit(a.kcode, "01", taxMode)), {}}};
            expected.push_back(e);
        }
        return expected;
    }

    std::vector<Account> accounts_;
};

TEST_P(MedicalDataExportTest, EveryAccountOverAllFacilitiesMatchesTheJournal)
{
    const int taxMode = GetParam();
    OpenMedical();
    const std::string file = (folder_ / "ug.xml").string();
    {
        TUtiwakesyoDataExport e(3, file);
        e.CompanyName = "医療法人テスト会";
        e.FiscalStart = EncodeDate(2024, 4, 1);
        e.FiscalEnd = EncodeDate(2025, 3, 31);
        e.DataType = 3;
        e.StartCell = 0;
        e.EndCell = 15;
        e.LastCell = 15;
        e.TaxMode = taxMode;
        WriteRendoFile(e, e.OutputFileName);
    }
    EXPECT_TRUE(messages_.shown.empty());
    const ExportFileContents contents = ReadExportFile(file);
    EXPECT_EQ(contents.companyName, "医療法人テスト会");
    const std::vector<KamokuElement> expected = Expected(taxMode);
    ASSERT_EQ(contents.accounts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(contents.accounts[i], expected[i]) << "element " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(TaxModes, MedicalDataExportTest, testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "TaxIncluded" : "TaxExcluded"; });

}  // namespace
