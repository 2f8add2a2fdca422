#include "foundation/DataModule.h"

#include "OpenCompanyData.h"
#include "foundation/AccInf.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Company data with journal lines of two facilities, opened as the data
// module's company database.
class DataModuleJournalCountsTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.LogDir = DbPath("log");
        fs::create_directories(SystemDef.LogDir);
        AppTerminating = false;
        path_ = DbPath("qhacc.fdb");
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), path_);
        AccInf.SystemCodes[0] = "1101";
        Exec("UPDATE OR INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('01', 'A') MATCHING (SCODE)");
        Exec("UPDATE OR INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('02', 'B') MATCHING (SCODE)");
        // rec, facility, deleted flag, side, account, other side's account
        Line(1, "01", 0, 1, "1101", "3101");
        Line(2, "01", 0, 2, "3101", "1101");
        Line(3, "02", 0, 1, "1101", "1101");  // cash to cash: both lines
        Line(4, "02", 0, 2, "1101", "1101");  // on the cash account
        Line(5, "01", 1, 1, "1101", "3101");  // deleted
        Line(6, "01", 1, 2, "3101", "1101");
        Line(7, "02", 2, 1, "6108", "1101");  // changed
        Line(8, "02", 2, 2, "1101", "6108");
        Exec("UPDATE SISETUMST SET SIWAKECOUNT = 0");
        Exec("UPDATE SISETUMST SET SIWAKECOUNT = 7 WHERE SCODE = '01'");
        Exec("UPDATE SISETUMST SET SIWAKECOUNT = 5 WHERE SCODE = '02'");
        dbtest::OpenAsCompanyData(path_);
    }
    void TearDown() override
    {
        DM.reset();
        AccInf = savedInfo_;
        ProgramKind = savedKind_;
    }

    void Exec(const std::string& sql) { dbtest::ExecOn(path_, sql); }
    void Line(int rec, const char* facility, int deleted, int side, const char* account, const char* other)
    {
        Exec(
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, SCODE, KCODE, R_KCODE, HCODE, BCODE, MNUM)"
            " VALUES (" +
            std::to_string(rec) + ", " + std::to_string((rec + 1) / 2) + ", " + std::to_string((rec + 1) / 2) + ", " +
            std::to_string(deleted) + ", " + std::to_string(side) + ", '" + facility + "', '" + account + "', '" +
            other + "', ' ', ' ', 1)");
    }

    std::string path_;
    dbtest::SavedGlobals saved_;
    const TACCINF savedInfo_ = AccInf;
    const std::uint8_t savedKind_ = ProgramKind;
    RecordingMessagePresenter messages_;
};

TEST_F(DataModuleJournalCountsTest, CountsByProgramKindAndFacility)
{
    struct Case {
        std::uint8_t kind;
        const char* facility;
        std::int32_t valid;
        std::int32_t changed;
    };
    const Case cases[] = {
        {0, "", 12, 2},
        {0, "01", 7, 1},
        {2, "02", 5, 1},
        {0, "99", 0, 0},
        // Cash book: lines on the cash account, less half of the lines
        // whose other side is cash too.
        {3, "", 2, 2},
        {3, "01", 1, 1},
        {3, "02", 1, 1},
        {4, "", -1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " [" + c.facility + "]");
        ProgramKind = c.kind;
        EXPECT_EQ(DM->GetYukouSiwakeCount(c.facility), c.valid);
        EXPECT_EQ(DM->GetUpDelSiwakeCount(c.facility), c.changed);
        std::int32_t valid = -9, changed = -9;
        EXPECT_EQ(DM->GetSiwakeCount(c.facility, valid, changed), c.valid);
        EXPECT_EQ(valid, c.valid);
        EXPECT_EQ(changed, c.changed);
        EXPECT_EQ(DM->GetSiwakeCounts(c.facility), c.valid);
    }
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DataModuleJournalCountsTest, ErrorsAreLoggedAndPassedOn)
{
    ProgramKind = 0;
    DM->IBDatabaseDAT.Detach();
    EXPECT_THROW(DM->GetYukouSiwakeCount(""), db::FbError);
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    const fs::path log = fs::path(SystemDef.LogDir) / "ErrFbAccess.log";
    std::ifstream in(log, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("TDM.GetYukouSiwakeCount"), std::string::npos) << text;
    EXPECT_TRUE(messages_.shown.empty()) << "counts log their errors without a message";
}

}  // namespace
