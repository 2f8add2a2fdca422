#pragma once
// What the data-selection screen works in, for its tests and its demo: a
// copy of the system database in SYSDIR, connected through the data module
// with the logged-on operator's settings loaded, data folders under the
// home folder (so that the list shows them as "~/data/...") and the
// screen's process registered.

#include "dataselect/screens/DataSenkakuProcess.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemSettings.h"
#include "platform/IniFile.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace dstest {

constexpr std::int32_t Group = 10000;

// One data-list row and its folder.
struct ListRow {
    int Rec;
    std::string Code;
    std::string Name;  // empty: a blank area
    int DataType = 1;
    int Major = 15;
    int Minor1 = 0;
    int UpdateLock = 0;
    int Status = 1;  // the folder's state in its information file
    bool HasData = true;
    int NetDrive = 0;
    int Nendo = 5;
};

class DataSentakuWorld {
public:
    // Sets the globals and connects; restores them when it goes.
    explicit DataSentakuWorld(std::filesystem::path folder) : folder_(std::move(folder))
    {
        namespace fs = std::filesystem;
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.HomeDir = (folder_ / "home").string();
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        fs::create_directories(folder_ / "home" / "data");
        SystemDef.GROUPID = Group;
        SystemDef.OPCODE = Group * 10000 + 1;
        SystemDef.LOGINCODE = 1;
        SystemDef.SysDbVersion = {12, 0, 0};
        AppInfo.Zaimu.DataListCnt = 120;
        ConnectionMode = 0;
        dbtest::CopyMasterFile(dbtest::SystemMasterFile(), folder_ / "sys" / "qhaccdef.fdb");
        DM = std::make_unique<TDM>();
        if (!DM->fnAccDefConnected("", true) || !fnGetSysDef())
            throw std::runtime_error("the system database does not open");
        SystemDef.DataDir.clear();
        SystemDef.DataPathRegistered.clear();
        SystemDef.AutoShareData = 0;
        RegisterDataSenkakuProcess();
    }
    ~DataSentakuWorld()
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
        AppInfo = savedInfo_;
    }
    DataSentakuWorld(const DataSentakuWorld&) = delete;
    DataSentakuWorld& operator=(const DataSentakuWorld&) = delete;

    std::string Folder(int rec) const
    {
        char number[8];
        std::snprintf(number, sizeof number, "%.4d", rec);
        return (folder_ / "home" / "data" / number).string();
    }

    // The screen only looks at whether the data file is there and at the
    // state its information file records, so a placeholder file serves.
    void AddRow(const ListRow& row)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query q(DM->IBDatabaseDEF, tr,
                    "INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                    "KISHU,KIMATU,KYOYULOCK,GASSAN,DATACODE,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK) "
                    "VALUES(:REC,:GROUPID,:NAME,:NAME,:PAS,:NET,:DT,1,:NENDO,'2024/04/01','2025/03/31',0,0,:CODE,"
                    ":MAJ,:MIN,0,:VERTEXT,:LOCK)");
        q.ParamByName("REC").SetInteger(row.Rec);
        q.ParamByName("GROUPID").SetInteger(Group);
        q.ParamByName("NAME").SetString(row.Name);
        // A shared row's registered path is the share server's area.
        q.ParamByName("PAS").SetString(row.NetDrive == 1 ? (folder_ / "share" / "sv0001").string() : Folder(row.Rec));
        q.ParamByName("NET").SetInteger(row.NetDrive);
        q.ParamByName("DT").SetInteger(row.DataType);
        q.ParamByName("NENDO").SetInteger(row.Nendo);
        q.ParamByName("CODE").SetString(row.Code);
        q.ParamByName("MAJ").SetInteger(row.Major);
        q.ParamByName("MIN").SetInteger(row.Minor1);
        q.ParamByName("VERTEXT").SetString(row.Name.empty() ? std::string() : std::to_string(row.Major) + "版");
        q.ParamByName("LOCK").SetInteger(row.UpdateLock);
        q.ExecSQL();
        tr.Commit();
        std::filesystem::create_directories(Folder(row.Rec));
        if (row.HasData)
            std::ofstream(Folder(row.Rec) + "/qhacc.fdb") << "data";
        IniFile ini(Folder(row.Rec) + "/qhacc.ini");
        ini.WriteInteger("DATASTS", "STATUS", row.Status);
        if (row.Status == 2) {
            ini.WriteInteger("DATASTS", "OPCODE", Group * 10000 + 7);
            ini.WriteString("DATASTS", "OPERATOR", "佐藤");
        }
    }

    // What a company database says of itself.
    struct CompanyFacts {
        std::string Shougou;
        std::string Code;
        int DataType = 1;
        int Nendo = 1;
        int Gassan = 0;  // the merged-data kind of its settings
    };

    // Real company data (the newest version) in the folder, in place of
    // whatever data file it held, saying of itself what company gives.
    static void PutCompanyData(const std::string& folder, const CompanyFacts& company)
    {
        std::filesystem::create_directories(folder);
        const std::string file = folder + "/qhacc.fdb";
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), file);
        db::Database database;
        database.Attach(file, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr,
                    "UPDATE ACCDEF1 SET SHOUGOU=:SHOUGOU,SCODE1=:CODE,DATATYPE=:DT,NENDO=:NENDO,"
                    "KISHU='2024/04/01',KIMATU='2025/03/31' WHERE REC=1");
        q.ParamByName("SHOUGOU").SetString(company.Shougou);
        q.ParamByName("CODE").SetString(company.Code);
        q.ParamByName("DT").SetInteger(company.DataType);
        q.ParamByName("NENDO").SetInteger(company.Nendo);
        q.ExecSQL();
        db::Query reg(database, tr,
                      "UPDATE OR INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) "
                      "VALUES('基本設定','合算データ区分','整数',:KIND) MATCHING (AGROUP,ACODE)");
        reg.ParamByName("KIND").SetString(std::to_string(company.Gassan));
        reg.ExecSQL();
        tr.Commit();
    }

private:
    std::filesystem::path folder_;
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
    const TAppInfoRec savedInfo_ = AppInfo;
};

}  // namespace dstest
