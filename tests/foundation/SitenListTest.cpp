#include "foundation/SitenList.h"

#include "CompanyFolderTest.h"

#include "foundation/AccInf.h"
#include "foundation/DataInfomation.h"
#include "foundation/DataModuleChecks.h"
#include "platform/db/JoinedTransaction.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct OperatorChecks final : IDataModuleChecks {
    bool IsOpeUnrestricted() override { return unrestricted; }
    bool HasOpeDefSisetu() override { return true; }
    bool InputDataPassword() override { return true; }
    std::int32_t GetYukouSiwakeCount(const std::string&) override { return 0; }
    std::int32_t GetSiwakeCount(const std::string&, std::int32_t& valid, std::int32_t& changed) override
    {
        valid = changed = 0;
        return 0;
    }
    std::int32_t GetXstrColor(const std::string& settings) override { return settings == "COLOR=255" ? 255 : 1; }
    bool unrestricted = false;
};

constexpr std::int32_t Clerk = 10002;

// Three facilities in two groups; the clerk is permitted 01 and 02 only.
class SitenListTest : public CompanyFolderTest {
protected:
    void SetUp() override
    {
        CompanyFolderTest::SetUp();
        ASSERT_TRUE(DM->fnAccDatConnected("", data_, false));
        for (const char* sql : {
                 "UPDATE ACCDEF1 SET SITEN=1, SHOUGOU='株式会社テスト' WHERE REC=1",
                 "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU, XSTR) VALUES ('00', '本部', 0, 8, '')",
                 "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU, XSTR) VALUES ('01', '本店', 0, 8, "
                 "'COLOR=255')",
                 "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU, XSTR) VALUES ('02', '支\"店', 1, 4, '')",
                 "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX, MB_JIGYOU, XSTR) VALUES ('03', '出張所', 1, 2, '')",
                 "INSERT INTO SISETUGROUP (GCODE, GNAME) VALUES ('G1', '東')",
                 "INSERT INTO SISETUGROUP (GCODE, GNAME) VALUES ('G2', '西')",
                 "INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', '01')",
                 "INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', '02')",
                 "INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G2', '03')",
                 "INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (10002, '00')",
                 "INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (10002, '01')",
                 "INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (10002, '02')",
             })
            Run(sql);
        AccInf = TACCINF{};
        AccInf.SITEN = 1;
        AccInf.DATATYPE = 1;
        AccInf.SHOUGOU = "株式会社テスト";
        SetDataModuleChecks(&checks_);
    }
    void TearDown() override
    {
        SetDataModuleChecks(nullptr);
        AccInf = TACCINF{};
        CompanyFolderTest::TearDown();
    }
    void Run(const std::string& sql)
    {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        db::Query(DM->IBDatabaseDAT, DM->IBTransactionDAT, sql).ExecSQL();
        transaction.Commit();
    }
    static std::vector<std::string> Build(TSitenList& list, std::uint8_t kinds, std::int32_t op)
    {
        list.Kinds = kinds;
        list.RefreshSitenList(op);
        EXPECT_EQ(list.Count, static_cast<std::int32_t>(list.Lines.size()));
        return list.Lines;
    }
    using Lines = std::vector<std::string>;

    OperatorChecks checks_;
};

TEST_F(SitenListTest, GeneralDataLimitedToTheOperator)
{
    TSitenList list;
    EXPECT_EQ(Build(list, SitenKindWhole | SitenKindGroups | SitenKindFacilities, -1),
              (Lines{"法人全体", "(G1):東", "(G2):西", "00:本部", "01:本店", "02:支\"店", "03:出張所"}));
    EXPECT_EQ(list.Items[4].Color, 255);
    EXPECT_EQ(list.Items[4].JigyouKind, 1);
    // Not every facility: no whole entity, and no group with a facility missing.
    EXPECT_EQ(Build(list, SitenKindWhole | SitenKindGroups | SitenKindFacilities, Clerk),
              (Lines{"(G1):東", "00:本部", "01:本店", "02:支\"店"}));
    EXPECT_EQ(list.OpeCode, Clerk);
    EXPECT_EQ(Build(list, SitenKindDepartmentFacilities, Clerk), (Lines{"02:支\"店"}));
    EXPECT_EQ(list.Items[0].Kind, 3);

    list.QuotedLines = 1;
    EXPECT_EQ(Build(list, SitenKindWhole | SitenKindGroups | SitenKindFacilities, Clerk)[0],
              "\"(G1)\"\t\"G1\"\t\"東\"");
    EXPECT_EQ(list.Lines[3], "\"02\"\t\"\"\t\"支'店\"");

    // The same facilities for the clerk as for everybody once 03 is his too.
    Run("INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (10002, '03')");
    list.QuotedLines = 0;
    EXPECT_EQ(Build(list, SitenKindWhole | SitenKindGroups, Clerk), (Lines{"法人全体", "(G1):東", "(G2):西"}));

    // An unrestricted operator sees everything whatever was asked.
    Run("DELETE FROM OPLICENSE");
    checks_.unrestricted = true;
    EXPECT_EQ(Build(list, SitenKindFacilities, Clerk).size(), 4u);
    EXPECT_EQ(list.OpeCode, -1);
}

TEST_F(SitenListTest, DataWithoutFacilitiesOffersTheCompany)
{
    AccInf.SITEN = 0;
    AccInf.BUMON = 1;
    TSitenList list;
    EXPECT_EQ(Build(list, SitenKindFacilities, Clerk), (Lines{"株式会社テスト"}));
    EXPECT_EQ(list.Items[0].Bumex, 1);
    EXPECT_EQ(list.GetSitenCode(0), " ");
    EXPECT_EQ(list.GetSitenCode(-1), "");
    EXPECT_EQ(list.GetSitenCode(list.Count), "");
    EXPECT_EQ(Build(list, SitenKindWhole | SitenKindGroups | SitenKindFacilities, Clerk), (Lines{"株式会社テスト"}));
}

TEST_F(SitenListTest, MedicalDataOffersWhollyPermittedBusinessKinds)
{
    AccInf.DATATYPE = 3;
    AccInf.MedicalChart = 1;
    TSitenList list;
    EXPECT_EQ(Build(list, SitenKindGroups, -1),
              (Lines{"病院・診療所", "老人保健施設", "指定訪問看護", "(G1):東", "(G2):西"}));
    EXPECT_EQ(list.Items[1].JigyouKind, 4);
    EXPECT_EQ(list.Items[3].Kind, 5);
    // Facility 03 (business kind 2) is not the clerk's; "00" never counts.
    EXPECT_EQ(Build(list, SitenKindGroups, Clerk), (Lines{"病院・診療所", "老人保健施設", "(G1):東"}));
    list.IncludeCode00 = 0;
    EXPECT_EQ(Build(list, SitenKindFacilities, Clerk), (Lines{"01:本店", "02:支\"店"}));
    EXPECT_EQ(list.Items[1].JigyouKind, 4);
    list.JigyouFilter = 8;
    list.IncludeCode00 = 1;
    EXPECT_EQ(Build(list, SitenKindFacilities, -1), (Lines{"00:本部", "01:本店"}));
}

TEST_F(SitenListTest, UseRightNeedsEveryFacility)
{
    ASSERT_TRUE(DM->fnAccDatDisConnected(data_, false, false));
    SystemDef.OPCODE = Clerk;
    TDataInfomation info;
    EXPECT_FALSE(info.IsDataSiyouKengen(data_));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text.substr(0, messages_.shown[0].Text.find('\r')),
              "このデータを扱う権限がありません、他のデータを選択して下さい。");
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());

    ASSERT_TRUE(DM->fnAccDatConnected("", data_, false));
    Run("INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (10002, '03')");
    ASSERT_TRUE(DM->fnAccDatDisConnected(data_, false, false));
    EXPECT_TRUE(info.IsDataSiyouKengen(data_));
    EXPECT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(info.IsDataSiyouKengen((folder_ / "none").string()));
}

}  // namespace
