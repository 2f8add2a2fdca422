#include "calc/TaxCodes.h"

#include "TestTaxContext.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TaxCodeInfo, DescribesEveryCodeOfTheTable)
{
    const struct {
        std::int32_t code;
        const char* category;
        const char* className;
        std::int32_t marker, uh, dc;
    } cases[] = {
        {110, "売上", "課税売上", 1, 1, 3},
        {113, "売上", "第３種課税売上", 2, 1, 3},
        {140, "売上", "非課税売上（有価証券）", 0, 0, 3},
        {250, "貸倒回収", "非課税売上（輸出等）", 0, 0, 3},
        {316, "返還", "第６種課税返還", 2, 1, 1},
        {410, "貸倒", "課税売上", 0, 1, 1},
        {533, "仕入", "非課税売上対調整（棚卸）", 0, 2, 1},
        {540, "仕入", "非課税仕入", 0, 0, 1},
        {583, "仕入", "非課売上対応特定仕入返還", 0, 2, 3},
        {610, "仮受", "売上", 1, 0, 3},
        {635, "仮受", "第５種課税返還", 2, 0, 1},
        {733, "仮払", "非課売上対応調整（棚卸）", 0, 0, 1},
        {725, "仮払", "共通売上対応課税輸入(国)", 0, 0, 1},
        {776, "仮払", "非課売対課税輸入返還(国)", 0, 0, 3},
        {810, "課税対象外", "課税対象外・不課税", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        TTaxCodeInfo info;
        ASSERT_TRUE(GetTaxCodeInfo(c.code, info));
        EXPECT_EQ(info.Category, c.category);
        const std::string name = c.className;
        EXPECT_EQ(info.ClassName, name + std::string(24 - cp932::ByteWidth(name), ' '));
        EXPECT_EQ(info.Marker, c.marker);
        EXPECT_EQ(info.TAXUH, c.uh);
        EXPECT_EQ(info.TAXDC, c.dc);
    }
}

TEST(TaxCodeInfo, UndecidedIsPaddedWithFullWidthBlanksAndUnknownCodesAreErrors)
{
    TTaxCodeInfo info;
    ASSERT_TRUE(GetTaxCodeInfo(910, info));
    EXPECT_EQ(info.ClassName, "区分未定　　　　　　    ");
    EXPECT_EQ(cp932::ByteWidth(info.ClassName), 24u);

    for (const std::int32_t code : {117, 0, 560, 777, 999}) {
        EXPECT_FALSE(GetTaxCodeInfo(code, info)) << code;
        EXPECT_EQ(info.Category, "Error               ");
        EXPECT_EQ(info.ClassName, " ");
        EXPECT_EQ(info.Marker, 9);
        EXPECT_EQ(info.TAXUH, 0);
        EXPECT_EQ(info.TAXDC, 0);
    }
}

TEST(NormalizeSalesTaxCode, FollowsTheTaxationMethod)
{
    TestTaxContext context;
    const struct {
        std::int32_t kanni, jigyou, code, expected;
    } cases[] = {
        {0, 5, 614, 610}, {0, 5, 620, 620}, {0, 5, 116, 110}, {0, 5, 311, 310}, {0, 5, 636, 630}, {0, 5, 110, 110},
        {1, 5, 630, 635}, {1, 3, 110, 113}, {1, 3, 310, 313}, {1, 3, 610, 613}, {1, 3, 614, 614}, {1, 3, 620, 620},
    };
    for (const auto& c : cases) {
        context.settings.TAXKANNI = c.kanni;
        context.settings.TAXJIGYOU = c.jigyou;
        std::int32_t code = c.code;
        NormalizeSalesTaxCode(code);
        EXPECT_EQ(code, c.expected) << c.kanni << " " << c.code;
    }
}

TEST(CheckTaxCodeForAccount, KeepsSuspenseTaxCodesWithTheirAccounts)
{
    TestTaxContext context;
    const std::string karibarai = "仮払消費税の税コードは[700番台,810,910]を使用してください。";
    const std::string only700 = "税コードが[700番台]は、科目に仮払消費税を使用してください。";
    const std::string only600 = "税コードが[600番台]は、科目に仮受消費税を使用してください。";
    const std::string kariuke = "仮受消費税の税コードは[600番台,810,910]を使用してください。";
    const struct {
        std::int32_t kanni;
        const char* account;
        std::int32_t code;
        bool ok;
        std::string message;
    } cases[] = {
        {0, "1560", 711, true, ""},         {0, "1560", 726, true, ""},
        {0, "1560", 910, true, ""},         {0, "1560", 610, false, karibarai},
        {0, "1560", 714, false, karibarai}, {0, "1000", 711, false, only700},
        {0, "1000", 610, false, only600},   {0, "1000", 110, true, "kept"},
        {0, "2240", 620, true, ""},         {0, "2240", 613, true, "注意：原則課税が選択されています。"},
        {0, "2240", 110, false, kariuke},   {1, "2240", 610, true, "注意：簡易課税が選択されています。"},
        {1, "2240", 615, true, ""},         {1, "2240", 810, true, ""},
        {1, "2240", 711, false, only700},   {1, "2240", 540, false, kariuke},
        {2, "2240", 540, true, "kept"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.account) + " " + std::to_string(c.code) + " kanni " + std::to_string(c.kanni));
        context.settings.TAXKANNI = c.kanni;
        std::string message = "kept";
        EXPECT_EQ(CheckTaxCodeForAccount(message, c.account, c.code), c.ok);
        EXPECT_EQ(message, c.message);
    }
}

TEST(CheckTaxCounterAndSundryCodes, PutOutOfScopeInPlaceOfARefusedCode)
{
    TestTaxContext context;
    std::string message;
    std::int32_t code = 110;
    EXPECT_FALSE(CheckTaxCounterCode(message, "2240", code));
    EXPECT_EQ(message, "仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。");
    EXPECT_EQ(code, 810);
    code = 910;
    message.clear();
    EXPECT_TRUE(CheckTaxCounterCode(message, "1560", code));
    code = 110;
    EXPECT_TRUE(CheckTaxCounterCode(message, "1000", code));
    EXPECT_EQ(code, 110);
    EXPECT_EQ(message, "");

    EXPECT_FALSE(CheckSundryTaxCode(message, "9999", code));
    EXPECT_EQ(message, "諸口の消費税コードは、[810,910]を使用してください。");
    EXPECT_EQ(code, 810);
    code = 511;
    EXPECT_TRUE(CheckSundryTaxCode(message, "1000", code));
    EXPECT_EQ(code, 511);

    // Without system accounts (no data open) no account is a suspense one.
    context.settings = {};
    code = 110;
    EXPECT_TRUE(CheckTaxCounterCode(message, "", code));
    EXPECT_TRUE(CheckSundryTaxCode(message, "", code));
}

TEST(CheckSpecifiedPurchaseCode, RefusesEarlyDatesAndOldOrReducedRates)
{
    TestTaxContext context;
    const std::string prefix = "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では";
    std::string message;
    std::int32_t code = 551;
    EXPECT_EQ(CheckSpecifiedPurchaseCode(message, code, 0, EncodeDate(2015, 9, 30)), 0);
    EXPECT_EQ(message, prefix + "[<2015/09/30>]より前の取引を登録できません。");

    message.clear();
    EXPECT_EQ(CheckSpecifiedPurchaseCode(message, code, 4, EncodeDate(2020, 1, 1)), 0);
    EXPECT_EQ(message, prefix + "税率[軽減8%]は使用できません。");
    // Both faults: the rate's message replaces the date's.
    code = 583;
    EXPECT_EQ(CheckSpecifiedPurchaseCode(message, code, 2, EncodeDate(2000, 1, 1)), 0);
    EXPECT_EQ(message, prefix + "税率[5%]は使用できません。");

    message = "kept";
    EXPECT_EQ(CheckSpecifiedPurchaseCode(message, code, 3, EncodeDate(2015, 10, 1)), 1);
    code = 511;
    EXPECT_EQ(CheckSpecifiedPurchaseCode(message, code, 1, EncodeDate(2000, 1, 1)), 1);
    EXPECT_EQ(message, "kept");
    for (const std::int32_t c : {551, 552, 553, 581, 582, 583})
        EXPECT_TRUE(IsSpecifiedPurchaseCode(c));
    for (const std::int32_t c : {550, 554, 561, 580, 584})
        EXPECT_FALSE(IsSpecifiedPurchaseCode(c));
}

}  // namespace
