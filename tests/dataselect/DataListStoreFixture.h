#pragma once
// A copy of the system database in a test's SYSDIR, connected through the
// data module, for the tests of the data-list store.

#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"
#include "platform/Registry.h"
#include "dataselect/DataSentakuListCtl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace datalisttest {

namespace fs = std::filesystem;

constexpr std::int32_t Group = 10000;

// A copy of the system database of an edition in SYSDIR, connected through
// the data module, with the logged-on operator of group 10000.
class DataListStoreTest : public dbtest::FirebirdTest {
protected:
    void UseSystemDatabase(std::uint8_t edition, const char* version, const std::string& masterVersion = {})
    {
        FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        SystemDef.GROUPID = Group;
        SystemDef.OPCODE = Group * 10000 + 1;
        int major = 0, minor1 = 0, minor2 = 0;
        std::sscanf(version, "%d.%d.%d", &major, &minor1, &minor2);
        SystemDef.SysDbVersion = {major, minor1, minor2};
        AppInfo.Zaimu.DataListCnt = 120;
        ConnectionMode = 0;
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(edition, masterVersion), folder_ / "sys" / "qhaccdef.fdb");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
    }
    void SetUp() override { UseSystemDatabase(0, "12.0.0"); }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
        AppInfo = savedInfo_;
    }

    void Exec(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query(DM->IBDatabaseDEF, tr, sql).ExecSQL();
        tr.Commit();
    }
    std::string Single(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query q(DM->IBDatabaseDEF, tr, sql);
        q.Open();
        return q.Eof() ? std::string() : q.FieldByIndex(0).AsString();
    }
    // A row of DATALIST; blank when name is empty.
    void Row(int rec, const std::string& name, int nendo = 1, const std::string& path = {}, int kyoyu = 0,
             int gassan = 0)
    {
        const std::string pas = path.empty() ? (folder_ / "sys" / Number(rec)).string() : path;
        Exec(
            "INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,"
            "KIMATU,KYOYULOCK,GASSAN) VALUES(" +
            std::to_string(rec) + "," + std::to_string(Group) + ",'" + name + "','" + name + "','" + pas + "',0,1,0," +
            std::to_string(nendo) + ",'2024/04/01','2025/03/31'," + std::to_string(kyoyu) + "," +
            std::to_string(gassan) + ")");
    }
    void Child(int rec, int rowno, const std::string& name)
    {
        Exec("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,GASSAN) VALUES(" +
             std::to_string(rec) + "," + std::to_string(rowno) + "," + std::to_string(Group) + ",'" + name + "','" +
             name + "','" + (folder_ / "sys" / Number(rec) / name).string() + "',0,10)");
    }
    static std::string Number(int rec)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%.4d", rec);
        return text;
    }
    static std::vector<int> Recs(const TDataSentakuListCtl& store)
    {
        std::vector<int> recs;
        for (const TDataSentakuRec& row : store.DataList)
            recs.push_back(row.Data.REC);
        return recs;
    }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
    const TAppInfoRec savedInfo_ = AppInfo;
};

// A share drive "Z" mapped to a folder of the test that holds the share
// folder "ledrixzaimu".
class ShareDriveTest : public DataListStoreTest {
protected:
    void SetUp() override
    {
        DataListStoreTest::SetUp();
        registry_.emplace("LEDRIX_REGISTRY_DIR", (folder_ / "registry").string());
        fs::create_directories(folder_ / "registry");
        fs::create_directories(folder_ / "share" / "ledrixzaimu");
        Registry reg(RootKey::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("\\Network\\Z", true));
        reg.WriteString("RemotePath", (folder_ / "share").string());
    }
    void TearDown() override
    {
        registry_.reset();
        DataListStoreTest::TearDown();
    }
    // A folder of the share drive, created when create.
    std::string Area(const std::string& name, bool create = true)
    {
        if (create)
            fs::create_directories(folder_ / "share" / "ledrixzaimu" / name);
        return "Z:/ledrixzaimu/" + name;
    }

    std::optional<ScopedEnv> registry_;
};

}  // namespace datalisttest
