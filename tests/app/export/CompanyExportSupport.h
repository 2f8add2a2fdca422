#pragma once
// A company database for the export's tests: a copy of the corporation
// master built through the project's own updates, journal lines posted
// through the journal table and its triggers, and the copy opened through
// the data module as the wizard leaves it open.

#include "ExportTestSupport.h"

#include "dbupdate/CompanyUpdateTestSupport.h"
#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace exporttest {

// One side of a journal entry.
struct JournalSide {
    int taishaku;  // 1 debit, 2 credit
    std::string kcode;
    std::string hcode;
    int mnum;
    std::string nuk;  // amounts as decimal text, four places at most
    std::string zei;
    int taxuh;  // 0 none, 1 tax received, 2 tax paid
};

class CompanyExportTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        dataDir_ = folder_ / "data";
        companytest::CopyCompanyMaster(companytest::CompanyMaster(""), dataDir_);
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = (folder_ / "log").string();
        std::filesystem::create_directories(SystemDef.LogDir);
        SystemDef.DataDir = dataDir_.string();
        ConnectionMode = 0;
        savedAccInf_ = AccInf;
    }
    void TearDown() override
    {
        DM.reset();
        AccInf = savedAccInf_;
        ConnectionMode = savedMode_;
    }

    std::string DataFile() const { return (dataDir_ / "qhacc.fdb").string(); }

    // Posts the sides in one transaction, numbering them on.
    void Post(const std::vector<JournalSide>& sides)
    {
        schematest::Session s(DataFile());
        for (const JournalSide& side : sides) {
            ++rec_;
            s.Exec(
                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, HCODE, BCODE, MNUM,"
                " TAXUH, NUK, ZEI) VALUES (" +
                std::to_string(rec_) + ", " + std::to_string((rec_ + 1) / 2) + ", " + std::to_string((rec_ + 1) / 2) +
                ", 0, " + std::to_string(side.taishaku) + ", ' ', '" + side.kcode + "', '" + side.hcode + "', ' ', " +
                std::to_string(side.mnum) + ", " + std::to_string(side.taxuh) + ", " + side.nuk + ", " + side.zei +
                ")");
        }
    }

    // Commits inside, so that a refused change (a definition still in use is
    // only refused at commit) fails the test instead of passing unseen.
    void Exec(const std::string& sql)
    {
        schematest::Session s(DataFile());
        s.Exec(sql);
        s.Commit();
    }

    // Drops a procedure and, first, every procedure that calls it.
    void DropProcedureAndCallers(const std::string& name)
    {
        std::vector<std::vector<std::string>> callers;
        {
            schematest::Session s(DataFile());
            callers = s.Rows("SELECT DISTINCT TRIM(RDB$DEPENDENT_NAME) FROM RDB$DEPENDENCIES"
                             " WHERE RDB$DEPENDED_ON_NAME = '" +
                             name + "' AND RDB$DEPENDENT_TYPE = 5 AND RDB$DEPENDENT_NAME <> '" + name + "'");
        }
        for (const auto& caller : callers)
            DropProcedureAndCallers(caller[0]);
        Exec("DROP PROCEDURE " + name);
    }

    // Registers a sub-account; the name goes as a parameter, so that the
    // characters code page 932 adds to Shift-JIS reach the column as they
    // are.
    void AddSubAccount(const std::string& kcode, const std::string& hcode, const std::string& name)
    {
        db::Database database;
        database.Attach(DataFile(), dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction);
        query.SetSQL("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES (:KCODE, :HCODE, :HNAME)");
        query.ParamByName("KCODE").SetString(kcode);
        query.ParamByName("HCODE").SetString(hcode);
        query.ParamByName("HNAME").SetString(name);
        query.ExecSQL();
        transaction.Commit();
        database.Detach();
    }

    // Opens the company data as the wizard has it open: the data module
    // connected, the accounting information of a corporation starting in
    // the first month.
    void OpenCompany()
    {
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDatConnected("", dataDir_.string(), false));
        AccInf.DATATYPE = 1;
        AccInf.KAISINO = 1;
        AccInf.MedicalChart = 0;
    }

    ExportWorld world_;
    dbtest::SavedGlobals savedGlobals_;
    RecordingMessagePresenter messages_;
    std::filesystem::path dataDir_;
    TACCINF savedAccInf_;
    std::uint8_t savedMode_ = ConnectionMode;
    int rec_ = 0;
};

}  // namespace exporttest
