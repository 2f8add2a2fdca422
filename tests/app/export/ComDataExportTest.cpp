#include "app/export/ComDataExport.h"

#include "ExportTestSupport.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>

using exporttest::ExportWorld;

namespace {

// The base with nothing in its data part.
class TestExport final : public TComDataExport {
public:
    using TComDataExport::TComDataExport;
    void SetDataNode(TXmlSaveDoc& doc) override { doc.AddNode(nullptr, "DATA"); }
};

void WriteSettings(const ExportWorld& world, const std::string& data, const std::string& company,
                   const std::string& file)
{
    IniFile ini(world.IniFile().string());
    ini.WriteString("UTIWAKESYO", "DATA", data);
    ini.WriteString("UTIWAKESYO", "KOMONSAKI", company);
    ini.WriteString("UTIWAKESYO", "EXPORTFILE", file);
}

std::string Read(const ExportWorld& world, const char* key)
{
    return IniFile(world.IniFile().string()).ReadString("UTIWAKESYO", key, "<absent>");
}

}  // namespace

TEST(ComDataExportTest, ConstructionFillsTheFixedFieldsAndProduct)
{
    ExportWorld world;
    ExportWorld::AddProduct("LedrixZaimu15", "Ledrix財務", "15.0.2");
    TestExport e(3, "/tmp/ug.xml");
    EXPECT_EQ(e.HomeDir, (world.Root() / "appdata" / "norvel/ledrixzaimu").string());
    EXPECT_TRUE(std::filesystem::is_directory(e.IniDir));
    EXPECT_EQ(e.Title, "内訳概況書のVarimon from Ledrix財務（内訳書）");
    EXPECT_EQ(e.TargetAppName, "内訳概況書のVarimon（内訳書）");
    EXPECT_EQ(e.ProductVersion, "15.0.2");
    EXPECT_EQ(e.RequiredVersion, "15.0.0");
    EXPECT_EQ(e.FunctionId, 3);
    EXPECT_EQ(e.ClosingDay, 99);
    EXPECT_EQ(e.DataVerMajor, "15");
    EXPECT_EQ(e.OutputFileName, "/tmp/ug.xml");

    TestExport none(0, "");
    EXPECT_EQ(none.FunctionId, 1);
}

TEST(ComDataExportTest, SystemAndBasicParts)
{
    ExportWorld world;
    ExportWorld::AddProduct("LedrixZaimu15", "Ledrix財務", "15.0.2");
    TestExport e(0, "");
    e.CompanyName = "A&B商事";
    e.FiscalStart = EncodeDate(2024, 4, 1);
    e.FiscalEnd = EncodeDate(2025, 3, 31);
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    e.SetSystemNode(doc);
    e.SetBasicNode(doc);
    e.SetDataNode(doc);
    EXPECT_EQ(cp932::ToUtf8(doc.SaveToBytes()),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<REPORT><SYSTEM><GYOUMUPREFIX>UG13</GYOUMUPREFIX>"
              "<VERSION>1</VERSION><FUNCTIONID>1</FUNCTIONID><CONNECTEDPROGRAMVER>15.0.1</CONNECTEDPROGRAMVER>"
              "<PROGRAMNAME>Ledrix財務</PROGRAMNAME><PROGRAMVER>15.0.2</PROGRAMVER></SYSTEM>"
              "<BASIC><KOMONSAKINAME>A&amp;B商事</KOMONSAKINAME><JIGYOUNENDOFROM>20240401</JIGYOUNENDOFROM>"
              "<JIGYOUNENDOTO>20250331</JIGYOUNENDOTO></BASIC><DATA/></REPORT>\n");
}

TEST(ComDataExportTest, WithoutFunctionNumberTheSettingsFileNamesTheOutputAndGetsItBack)
{
    ExportWorld world;
    {
        TestExport first(0, "");  // creates the folder
    }
    WriteSettings(world, "keep,this", "旧会社", "/data/old.xml");
    {
        TestExport e(0, "/given.xml");
        EXPECT_EQ(e.OutputFileName, "/data/old.xml");
        EXPECT_EQ(e.CompanyName, "旧会社");
        EXPECT_EQ(e.DataText, "keep,this");
        e.CompanyName = "新会社";
        e.OutputFileName = "/data/new.xml";
    }
    EXPECT_EQ(Read(world, "DATA"), "keep,this");
    EXPECT_EQ(Read(world, "KOMONSAKI"), "新会社");
    EXPECT_EQ(Read(world, "EXPORTFILE"), "/data/new.xml");

    // Cancelled at once: everything is written back as read.
    {
        TestExport e(0, "");
    }
    EXPECT_EQ(Read(world, "KOMONSAKI"), "新会社");
    EXPECT_EQ(Read(world, "EXPORTFILE"), "/data/new.xml");
}

TEST(ComDataExportTest, WithFunctionNumberExportFileIsNeitherReadNorWritten)
{
    ExportWorld world;
    {
        TestExport first(0, "");
    }
    WriteSettings(world, "", "旧会社", "/data/old.xml");
    {
        TestExport e(3, "/caller.xml");
        EXPECT_EQ(e.OutputFileName, "/caller.xml");
        e.CompanyName = "選んだ会社";
        e.OutputFileName = "/other.xml";
    }
    EXPECT_EQ(Read(world, "KOMONSAKI"), "選んだ会社");
    EXPECT_EQ(Read(world, "EXPORTFILE"), "/data/old.xml");
}

TEST(ComDataExportTest, UnreadableSettingsFileReadsEmptyAndIsLeftAsItWas)
{
    ExportWorld world;
    {
        TestExport first(0, "");
    }
    const std::string broken = "[UTIWAKESYO]\r\nKOMONSAKI=\x81\r\n";  // a torn double-byte character
    {
        std::ofstream(world.IniFile(), std::ios::binary) << broken;
    }
    {
        TestExport e(0, "/given.xml");
        EXPECT_EQ(e.CompanyName, "");
        EXPECT_EQ(e.OutputFileName, "");
        e.CompanyName = "新会社";
    }
    std::ifstream in(world.IniFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), broken);
}
