#pragma once
// A company data folder of its own for every test: a copy of the company
// master as <test folder>/data/0001/qhacc.fdb, the data module in
// stand-alone mode, a registry store of the test's own and a recording
// message presenter.

#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"
#include "support/ScopedEnv.h"

#include <filesystem>
#include <memory>
#include <string>

class CompanyFolderTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        registry_ = std::make_unique<ScopedEnv>("LEDRIX_REGISTRY_DIR", (folder_ / "reg").string());
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = (folder_ / "log").string();
        std::filesystem::create_directories(SystemDef.LogDir);
        DataDbFileName = "qhacc.fdb";
        ConnectionMode = 0;
        ProgramKind = 0;
        EditionFlag = 0;
        data_ = (folder_ / "data" / "0001").string();
        SystemDef.DataDir = data_;
        std::filesystem::create_directories(data_);
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), data_ + "/qhacc.fdb");
        DM = std::make_unique<TDM>();
    }
    void TearDown() override
    {
        DM.reset();
        ConnectionMode = savedMode_;
    }

    std::unique_ptr<ScopedEnv> registry_;
    std::string data_;
    RecordingMessagePresenter messages_;
    dbtest::SavedGlobals saved_;
    const std::uint8_t savedMode_ = ConnectionMode;
};
