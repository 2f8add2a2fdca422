#pragma once
// Company databases for the calculation tests: a copy of a master built
// through the project's builder and updates, journal rows posted through the
// journal table's triggers, the copy opened through the data module, and the
// accounting information the calculations read filled from that database.

#include "calc/AccountCodeTables.h"
#include "calc/BalanceRows.h"
#include "dbupdate/SchemaTestSupport.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/KeySort.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace calctest {

// The newest company data version the builder reaches today.
inline constexpr const char* CompanyVersion = "1.0.2";

constexpr Currency Yen(long long yen)
{
    return yen * CurrencyScale;
}

// One side of a journal entry as its writers store it: the columns the
// triggers read, the rest left to their defaults.
struct JournalSide {
    int rec;
    int taishaku;  // 1 debit, 2 credit
    std::string kcode;
    std::string hcode;
    std::string bcode;
    int mnum;
    int taxuh;  // 0 none, 1 tax received, 2 tax paid
    long long nuk;
    long long zei;
};

inline void PostSide(schematest::Session& s, const JournalSide& side, const std::string& scode = " ")
{
    s.Exec(
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM, TAXUH, NUK, ZEI)"
        " VALUES (" +
        std::to_string(side.rec) + ", " + std::to_string((side.rec + 1) / 2) + ", " +
        std::to_string((side.rec + 1) / 2) + ", 0, " + std::to_string(side.taishaku) + ", " + schematest::Quote(scode) +
        ", " + schematest::Quote(side.kcode) + ", " + schematest::Quote(side.hcode) + ", " +
        schematest::Quote(side.bcode) + ", " + std::to_string(side.mnum) + ", " + std::to_string(side.taxuh) + ", " +
        std::to_string(side.nuk) + ", " + std::to_string(side.zei) + ")");
}

// A test with a company database of its own, opened through the data module
// once Open is called; the program state it changes is put back afterwards.
class CompanyDataTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = folder_.string();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.DataDir = (folder_ / "data").string();
        SystemDef.SettlementBillOffset = 0;
        SystemDef.KingakuPlus = 0;
        ConnectionMode = 0;
        std::filesystem::create_directories(folder_ / "sys");
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = savedSystem_;
        AccInf = savedAccInf_;
        ConnectionMode = savedMode_;
        SetupAccountCodeTables(AccInf.MedicalChart);
    }

    // Copies the master of the kind at the version (the last one when
    // empty) into the data folder; its path.
    std::string Copy(dbtest::DataKind kind = dbtest::DataKind::Corporation, const std::string& version = CompanyVersion)
    {
        path_ =
            dbtest::CopyMasterFile(dbtest::CompanyMasterFile(version, kind), folder_ / "data" / "qhacc.fdb").string();
        return path_;
    }

    // Opens the copy through the data module and fills the accounting
    // information the calculations read, as opening the data does.
    void Open()
    {
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
        schematest::Session s(path_);
        const auto def =
            s.Rows("SELECT DATATYPE, CODETYPE, KAISINO, COALESCE(GENKA_USE, 0) FROM ACCDEF1 WHERE REC = 1");
        ASSERT_EQ(def.size(), 1u);
        AccInf.DATATYPE = std::stoi(def[0][0]);
        AccInf.CODETYPE = std::stoi(def[0][1]);
        AccInf.KAISINO = std::stoi(def[0][2]);
        AccInf.GENKA_USE = std::stoi(def[0][3]);
        AccInf.MedicalChart = AccInf.DATATYPE == 3 && AccInf.CODETYPE == 1 ? 1 : 0;
        const char* notes[] = {"受取手形", "割引手形", "裏書手形"};
        for (std::size_t i = 0; i < 3; ++i)
            AccInf.NoteAccountCodes[i] =
                AccInf.DATATYPE == 1
                    ? s.Value("SELECT KCODE FROM ACCDEF2 WHERE KNAME = '" + std::string(notes[i]) + "'").value_or("")
                    : "";
        SetupAccountCodeTables(AccInf.MedicalChart);
    }

    const std::string& Path() const { return path_; }

    RecordingMessagePresenter presenter;

private:
    std::string path_;
    const TSystemDef savedSystem_ = SystemDef;
    const TACCINF savedAccInf_ = AccInf;
    const std::uint8_t savedMode_ = ConnectionMode;
};

// Rows and order entries as the export allocates them.
struct BalanceArrays {
    explicit BalanceArrays(int capacity) : rows(static_cast<std::size_t>(capacity)), order(rows.size()) {}
    int High() const { return static_cast<int>(rows.size()) - 1; }
    std::vector<TBALANCE> rows;
    std::vector<TQSORT> order;
};

}  // namespace calctest
