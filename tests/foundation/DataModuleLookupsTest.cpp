#include "foundation/DataModule.h"

#include "foundation/AccInf.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A copy of the system database in SYSDIR, connected through the data module.
class DataModuleLookupsTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        SystemDef.GROUPID = 10000;
        ConnectionMode = 0;
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(), folder_ / "sys" / "qhaccdef.fdb");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
        AccInf = savedAccInf_;
    }
    void Exec(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query(DM->IBDatabaseDEF, tr, sql).ExecSQL();
        tr.Commit();
    }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
    const TACCINF savedAccInf_ = AccInf;
};

TEST_F(DataModuleLookupsTest, DataListRecordOfAFolderByMode)
{
    std::int32_t rec = -1, row = -1;
    DM->GetDataListRec("/srv/ledrixzaimu/data/0012/3", rec, row);
    EXPECT_EQ(12, rec);
    EXPECT_EQ(3, row);
    DM->GetDataListRec("/srv/ledrixzaimu/other/0012/3", rec, row);
    EXPECT_EQ(0, rec);
    EXPECT_EQ(0, row);

    Exec(
        "INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE) "
        "VALUES(131,10000,'A','A','/srv/Data01/0131',0)");
    ConnectionMode = 1;
    DM->GetDataListRec("/srv/data01/0131", rec, row);
    EXPECT_EQ(131, rec);
    EXPECT_EQ(0, row);
    DM->GetDataListRec("/srv/data01/9999", rec, row);
    EXPECT_EQ(0, rec);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

TEST_F(DataModuleLookupsTest, JobControlRestrictsOnlyLevelsWithRows)
{
    SystemDef.JOBLEVEL = 3;
    AccInf.MedicalChart = 0;
    EXPECT_TRUE(DM->SetJobControl("QvAnyJob", ""));
    Exec("INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) VALUES(3,'QvListed','A,PRINT,B')");
    EXPECT_TRUE(DM->SetJobControl("QvListed", ""));
    EXPECT_TRUE(DM->SetJobControl("QvListed", "PRINT"));
    EXPECT_FALSE(DM->SetJobControl("QvListed", "EXPORT"));
    EXPECT_FALSE(DM->SetJobControl("QvAnyJob", ""));
    AccInf.MedicalChart = 1;  // level 1003 has no rows
    EXPECT_TRUE(DM->SetJobControl("QvAnyJob", ""));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

}  // namespace
