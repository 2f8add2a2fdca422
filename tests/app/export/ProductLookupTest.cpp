#include "app/export/ProductLookup.h"

#include "ExportTestSupport.h"

#include <gtest/gtest.h>

using exporttest::ExportWorld;

TEST(ProductLookupTest, LastMatchingSubkeyOfTheMajorVersionIsRead)
{
    ExportWorld world;
    ExportWorld::AddProduct("LedrixZaimu14", "Ledrix財務14", "14.2.0");
    ExportWorld::AddProduct("LedrixZaimu15_x", "Ledrix財務15", "15.0.3");
    EXPECT_EQ(GetProductRegValue(15, "Product"), "Ledrix財務15");
    EXPECT_EQ(GetProductRegValue(15, "Version"), "15.0.3");
    EXPECT_EQ(GetProductRegValue(14, "Version"), "14.2.0");

    // Two matches: the one listed last wins.
    ExportWorld::AddProduct("XLEDRIXZAIMU15", "second", "15.0.9");
    EXPECT_EQ(GetProductRegValue(15, "Version"), "15.0.9");
}

TEST(ProductLookupTest, MissingKeysValuesAndOtherTypesReadEmpty)
{
    ExportWorld world;
    EXPECT_EQ(GetProductRegValue(15, "Product"), "");  // no maker's key at all
    ExportWorld::AddProduct("LedrixZaimu14", "Ledrix財務14", "14.2.0");
    EXPECT_EQ(GetProductRegValue(15, "Product"), "");  // no subkey of version 15
    ExportWorld::AddProduct("LedrixZaimu15", "Ledrix財務15", "15.0.1");
    EXPECT_EQ(GetProductRegValue(15, "Missing"), "");
    Registry reg(RootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\NORVEL\\LedrixZaimu15", false));
    reg.WriteInteger("Version", 15);
    EXPECT_EQ(GetProductRegValue(15, "Version"), "");
}

struct VersionCase {
    const char* version;
    const char* required;
    bool atLeast;
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << "\"" << c.version << "\" against \"" << c.required << "\"";
}

class CompareVersionTest : public testing::TestWithParam<VersionCase> {};

TEST_P(CompareVersionTest, Compares)
{
    EXPECT_EQ(CompareVersion(GetParam().version, GetParam().required), GetParam().atLeast)
        << GetParam().version << " against " << GetParam().required;
}

INSTANTIATE_TEST_SUITE_P(Versions, CompareVersionTest,
                         testing::Values(VersionCase{"15.0.3", "15.0.0", true}, VersionCase{"15.0.0", "15.0.0", true},
                                         VersionCase{"14.9.9", "15.0.0", false}, VersionCase{"", "15.0.0", false},
                                         VersionCase{"15", "15.0.0", true}, VersionCase{"15.1", "15.0.0", true},
                                         VersionCase{"15.0.0.1", "15.0.0", false}, VersionCase{"abc", "", false},
                                         VersionCase{"15.x.1", "15.0.0", true}, VersionCase{"0.0.1", "", true}));
