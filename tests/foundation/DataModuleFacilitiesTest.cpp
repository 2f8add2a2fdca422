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
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t Operator = 100020;  // GROUPID 10000, login 20

// A copy of company data opened as the data module's company database, with
// facilities 01 (red) and 02 (no colour), and a restricted operator.
class DataModuleFacilitiesTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.LogDir = DbPath("log");
        fs::create_directories(SystemDef.LogDir);
        SystemDef.OPCODE = Operator;
        SystemDef.JOBLEVEL = 1;
        SystemDef.JIMUSHO = 0;
        SystemDef.FacilityRightsOff = 0;
        AppTerminating = false;
        Open(dbtest::DataKind::Corporation);
    }
    void TearDown() override
    {
        DM.reset();
        AccInf = savedInfo_;
    }

    void Open(dbtest::DataKind kind)
    {
        DM.reset();
        path_ = DbPath(std::string("qhacc-") + dbtest::DataKindName(kind) + ".fdb");
        dbtest::CopyMasterFile(dbtest::CompanyMasterFile("", kind), path_);
        AccInf.SITEN = 1;
        AccInf.MedicalChart = kind == dbtest::DataKind::Medical ? 1 : 0;
        Exec("DELETE FROM SISETUMST");
        Exec(
            "INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU, XSTR) VALUES ('01', '本店', 8, 'A=1' || ASCII_CHAR(13) || "
            "ASCII_CHAR(10) || 'color=255')");
        Exec("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU, XSTR) VALUES ('02', '北支店', 4, '')");
        dbtest::OpenAsCompanyData(path_);
    }

    void Exec(const std::string& sql) { dbtest::ExecOn(path_, sql); }

    void License(const char* code)
    {
        Exec("INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (100020, '" + std::string(code) + "')");
    }

    std::string path_;
    dbtest::SavedGlobals saved_;
    const TACCINF savedInfo_ = AccInf;
    RecordingMessagePresenter messages_;
};

struct RightsCase {
    const char* label;
    std::int32_t rightsOff;
    std::uint8_t jimusho;
    std::int32_t jobLevel;
    bool unrestricted;
};

TEST(DataModuleRights, UnrestrictedBySwitchOfficeOrLevel)
{
    dbtest::SavedGlobals saved;
    const RightsCase cases[] = {
        {"restricted", 0, 0, 1, false},       {"switch off", 1, 0, 1, true}, {"other switch value", 2, 0, 1, false},
        {"accounting office", 0, 1, 1, true}, {"level 9", 0, 0, 9, true},
    };
    for (const RightsCase& c : cases) {
        SCOPED_TRACE(c.label);
        SystemDef.FacilityRightsOff = c.rightsOff;
        SystemDef.JIMUSHO = c.jimusho;
        SystemDef.JOBLEVEL = c.jobLevel;
        EXPECT_EQ(TDM::IsOpeUnrestricted(), c.unrestricted);
    }
}

TEST(DataModuleXstr, ColourAndOtherKeys)
{
    const std::string text = "NAME=北\r\nCOLOR=255\r\n";
    EXPECT_EQ(std::get<std::int32_t>(TDM::GetXstrValue(text, "color")), 255);
    EXPECT_EQ(std::get<std::string>(TDM::GetXstrValue(text, "NAME")), "北");
    EXPECT_EQ(std::get<std::string>(TDM::GetXstrValue(text, "MISSING")), "");
    for (const char* none : {"", "NAME=x", "COLOR=", "COLOR=0", "COLOR=-5", "COLOR=red"}) {
        SCOPED_TRACE(none);
        EXPECT_EQ(std::get<std::int32_t>(TDM::GetXstrValue(none, "COLOR")), 16756608);
    }
}

TEST_F(DataModuleFacilitiesTest, RightsFollowTheUsualFacilityAndTheLicences)
{
    EXPECT_FALSE(DM->HasOpeDefSisetu());
    EXPECT_FALSE(DM->IsAllSisetuPermitted(Operator));
    Exec("INSERT INTO OPDEFSISETU (OPCODE, SCODE) VALUES (100020, '01')");
    EXPECT_FALSE(DM->HasOpeDefSisetu()) << "a usual facility without any licence";
    License("01");
    EXPECT_TRUE(DM->HasOpeDefSisetu());
    EXPECT_FALSE(DM->IsAllSisetuPermitted(Operator)) << "one facility is missing";
    License("02");
    EXPECT_TRUE(DM->IsAllSisetuPermitted(Operator));
    EXPECT_FALSE(DM->IsAllSisetuPermitted(20)) << "the login number alone holds no licence";

    // The unrestricted and data without facility management pass at once.
    Exec("DELETE FROM OPLICENSE");
    Exec("DELETE FROM OPDEFSISETU");
    SystemDef.JOBLEVEL = 9;
    EXPECT_TRUE(DM->HasOpeDefSisetu());
    EXPECT_TRUE(DM->IsAllSisetuPermitted(Operator));
    SystemDef.JOBLEVEL = 1;
    AccInf.SITEN = 0;
    EXPECT_TRUE(DM->IsAllSisetuPermitted(Operator));
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DataModuleFacilitiesTest, UsualFacilityOfGeneralData)
{
    // Restricted: the operator's own row.
    Exec("INSERT INTO OPDEFSISETU (OPCODE, SCODE) VALUES (100020, '02')");
    EXPECT_EQ(DM->GetOpeDefSisetu(), "北支店");
    EXPECT_EQ(SystemDef.FacilityCode, "02");
    EXPECT_EQ(SystemDef.FacilityCodeCopy, "02");
    EXPECT_EQ(SystemDef.FacilityBusinessKind, 1);
    EXPECT_EQ(SystemDef.FacilityColor, 16756608);

    // Unrestricted: the lowest facility code.
    SystemDef.JIMUSHO = 1;
    EXPECT_EQ(DM->GetOpeDefSisetu(), "本店");
    EXPECT_EQ(SystemDef.FacilityCode, "01");
    EXPECT_EQ(SystemDef.FacilityColor, 255);

    // Without facility management: the company itself, code " ".
    AccInf.SITEN = 0;
    Exec("UPDATE ACCDEF1 SET SHOUGOU = '山田商事'");
    EXPECT_EQ(DM->GetOpeDefSisetu(), "山田商事");
    EXPECT_EQ(SystemDef.FacilityCode, " ");
    EXPECT_EQ(SystemDef.FacilityColor, 16756608);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
}

TEST_F(DataModuleFacilitiesTest, UsualFacilityOfMedicalData)
{
    Open(dbtest::DataKind::Medical);
    Exec("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU, XSTR) VALUES ('00', '法人本部', 1, '')");
    // Restricted without a row of his own: the head office "00".
    EXPECT_EQ(DM->GetOpeDefSisetu(), "法人本部");
    EXPECT_EQ(SystemDef.FacilityCode, "00");
    EXPECT_EQ(SystemDef.FacilityBusinessKind, 1);
    Exec("INSERT INTO OPDEFSISETU (OPCODE, SCODE) VALUES (100020, '02')");
    EXPECT_EQ(DM->GetOpeDefSisetu(), "北支店");
    EXPECT_EQ(SystemDef.FacilityBusinessKind, 4);

    // Unrestricted: the lowest code but "00".
    SystemDef.JOBLEVEL = 9;
    EXPECT_EQ(DM->GetOpeDefSisetu(), "本店");
    EXPECT_EQ(SystemDef.FacilityBusinessKind, 8);
    EXPECT_TRUE(messages_.shown.empty());

    // Medical data without facility management is damaged data.
    AccInf.SITEN = 0;
    SystemDef.FacilityCode = "01";
    EXPECT_EQ(DM->GetOpeDefSisetu(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text.rfind("通常使用するデータ（本・支店）の取得に失敗しました。\r\r[詳細情報]\r"
                                            "このデータは医療法人データですが、施設管理がおこなわれていません。",
                                            0),
              0u)
        << messages_.shown[0].Text;
    EXPECT_EQ(SystemDef.FacilityCode, "01");
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
}

TEST_F(DataModuleFacilitiesTest, FacilityListErrorsAreReportedAndPassedOn)
{
    Exec("DROP TABLE OPLICENSE");
    EXPECT_THROW(DM->IsAllSisetuPermitted(Operator), db::FbError);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text.rfind("支店リストの取得に失敗しました。", 0), 0u);
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
}

}  // namespace
