#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/Folianto.h"
#include "print/FontNameLists.h"
#include "print/PrintEngine.h"
#include "print/QtPrinterBackend.h"
#include "print/VDBPrint.h"
#include "support/ScopedEnv.h"
#include "FakePrinter.h"

#include <gtest/gtest.h>

#include <QFont>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace fol;

namespace {

class VDBPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("vdbprint-" + std::to_string(::getpid()));
        fs::remove_all(root);
        printer.Papers = {{1, "Letter", 2794, 2159},
                          {70, "A4 (wide margins)", 2970, 2100},
                          {9, "A4", 2970, 2100},
                          {8, "A3", 4200, 2970}};
        printer.Mode.PaperSize = 8;
        printer.Mode.DeviceName = std::string(40, 'D');
    }
    void TearDown() override { fs::remove_all(root); }

    std::string Log() const
    {
        std::ifstream in(root / ErrorLogName, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return cp932::ToUtf8(out.str());
    }

    fs::path root;
    ScopedEnv documents{"LEDRIX_DOCUMENTS",
                        (fs::temp_directory_path() / ("vdbprint-" + std::to_string(::getpid()))).string()};
    FakePrinter printer;
};

TEST_F(VDBPrintTest, CreateSetsTheTrueTypeOption)
{
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    EXPECT_FALSE(vdb.NoPrinter());
    EXPECT_EQ(printer.Mode.TTOption, 1);
    vdb.SetTTOption(2);
    EXPECT_EQ(printer.Mode.TTOption, 2);
}

TEST_F(VDBPrintTest, PaperNumberByNameThenSizeThenDefault)
{
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    EXPECT_EQ(vdb.GetPaperNumber("A4", 0, 5, 0), 9);
    // By size: the first paper strictly within 1 mm on both sides.
    EXPECT_EQ(vdb.GetPaperNumber("", 2970, 5, 2100), 70);
    EXPECT_EQ(vdb.GetPaperNumber("", 2961, 5, 2109), 70);
    EXPECT_EQ(vdb.GetPaperNumber("", 2980, 5, 2100), 5);
    EXPECT_EQ(vdb.GetPaperNumber("", 2960, 5, 2100), 5);
    EXPECT_EQ(vdb.GetPaperNumber("", 0, 5, 2100), 5);
    EXPECT_EQ(vdb.GetPaperNumber("B9", 0, 7, 0), 7);
    printer.Broken = true;
    EXPECT_EQ(vdb.GetPaperNumber("A4", 0, 5, 0), 0);
    EXPECT_NE(Log().find("Vdb.GetPaperNumber:device lost"), std::string::npos);
}

TEST_F(VDBPrintTest, DeviceModeSettersAndRoundTrip)
{
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    EXPECT_EQ(vdb.GetPaper(), 8);
    vdb.SetPaper(13);
    EXPECT_EQ(vdb.GetPaper(), 13);
    vdb.SetUserPaperSize(3000, 2000);
    EXPECT_EQ(printer.Mode.Fields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH),
              DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH);
    EXPECT_EQ(printer.Mode.PaperLength, 3000);
    vdb.ResetUserPaperSize();
    EXPECT_EQ(printer.Mode.Fields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0);
    EXPECT_EQ(printer.Mode.Fields & DM_PAPERSIZE, DM_PAPERSIZE);
    EXPECT_EQ(printer.Mode.PaperWidth, 0);

    TFOLDEF record;
    record.Scale = 80;
    record.Copies = 3;
    record.ColourMode = 0;  // 0 leaves the printer's value
    record.Duplex = 2;
    record.PrintQuality = 0;
    record.Collate = 1;
    printer.Mode.Colour = 2;
    printer.Mode.PrintQuality = -3;
    vdb.SetDevMode(record);
    EXPECT_EQ(printer.Mode.Fields & DM_COLLATE, DM_COLLATE);
    EXPECT_EQ(printer.Mode.Scale, 80);
    EXPECT_EQ(printer.Mode.Copies, 3);
    EXPECT_EQ(printer.Mode.Colour, 2);
    EXPECT_EQ(printer.Mode.Duplex, 2);
    EXPECT_EQ(printer.Mode.PrintQuality, -3);
    EXPECT_EQ(printer.Mode.Collate, 1);

    printer.Mode.Orientation = 2;
    printer.Mode.YResolution = 300;
    printer.Mode.DefaultSource = 4;
    TFOLDEF back;
    vdb.GetDevMode(back);
    EXPECT_EQ(back.Orientation, 1);
    EXPECT_EQ(back.Copies, 3);
    EXPECT_EQ(back.Collate, 1);
    EXPECT_EQ(back.Scale, 80);
    EXPECT_EQ(back.YResolution, 300);
    EXPECT_EQ(back.PaperBin, 4);
    EXPECT_EQ(back.PrinterIndex, 2);
    EXPECT_EQ(back.DeviceName(), std::string(31, 'D'));
    EXPECT_EQ(back.DevModeFields, printer.Mode.Fields);
}

TEST_F(VDBPrintTest, FailuresAreLoggedAndGiveDefaults)
{
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    printer.Broken = true;
    EXPECT_EQ(vdb.GetPaper(), 9);
    EXPECT_NO_THROW(vdb.SetPaper(12));
    TFOLDEF record;
    EXPECT_NO_THROW(vdb.GetDevMode(record));
    const std::string log = Log();
    EXPECT_NE(log.find("Vdb.GetPaper:device lost"), std::string::npos);
    EXPECT_NE(log.find("Vdb.SetPaper:device lost"), std::string::npos);
    EXPECT_NE(log.find("Vdb.GetDevMode:device lost"), std::string::npos);
}

TEST_F(VDBPrintTest, WithoutAPrinterEveryOperationGivesItsDefault)
{
    printer.Present = false;
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    EXPECT_TRUE(vdb.NoPrinter());
    EXPECT_EQ(vdb.GetPaper(), 9);
    EXPECT_EQ(vdb.GetPaperNumber("A4", 2970, 9, 2100), 0);
    vdb.SetPaper(8);
    vdb.SetDevMode(TFOLDEF{});
    EXPECT_EQ(printer.Writes, 0);
    EXPECT_NE(Log().find("Vdb.Create:デフォルト プリンタが存在しません"), std::string::npos);
}

TEST_F(VDBPrintTest, PaperSizesFromTheTableOrThePrintableArea)
{
    TVDBPrint vdb(std::make_unique<FakeBackend>(printer));
    const PaperSize a4 = vdb.PaperSizeMM(9);
    EXPECT_EQ(a4.Width, 210);
    EXPECT_EQ(a4.Height, 297);
    EXPECT_FALSE(a4.Unknown);
    EXPECT_EQ(vdb.PaperSizeMM(12).Height, 354);  // the table's B4, not JIS B4
    const PaperSize odd = vdb.PaperSizeMM(256);
    EXPECT_TRUE(odd.Unknown);
    EXPECT_EQ(odd.Width, 200);
    EXPECT_EQ(odd.Height, 307);
    EXPECT_FALSE(vdb.PaperSizeMM(9).Unknown);
}

// The production backend on a machine whose print server cannot be reached:
// the engine still starts, as without a printer.
TEST_F(VDBPrintTest, QtBackendWithoutAPrintServerIsTheNoPrinterCase)
{
    ScopedEnv cups("CUPS_SERVER", (root / "no-such-socket").string());
    TVDBPrint vdb(MakeQtPrinterBackend());
    EXPECT_TRUE(vdb.NoPrinter());
    EXPECT_EQ(vdb.GetPaper(), 9);
    EXPECT_EQ(vdb.PaperSizeMM(9).Width, 210);
}

}  // namespace

namespace {

// Without a printer the engine still starts and answers with the defaults.
TEST_F(VDBPrintTest, EngineStartsWithoutAPrinter)
{
    printer.Present = false;
    EXPECT_TRUE(StartPrintEngine(std::make_unique<FakeBackend>(printer)));
    EXPECT_TRUE(PrintEngineReady());
    ASSERT_NE(Vdb(), nullptr);
    EXPECT_EQ(Vdb()->GetPaper(), 9);
    EXPECT_EQ(QFont::substitute(QString::fromUtf8("ＭＳ 明朝")).compare("IPAMincho", Qt::CaseInsensitive), 0);
    // The font-name lists: the Japanese faces among the Shift-JIS ones, and
    // the writer's installed-face test reads the list of all faces.
    EXPECT_TRUE(FaceListed(FontNames().ShiftJis, "IPAGothic"));
    EXPECT_FALSE(FaceListed(FontNames().ShiftJis, "No Such Face"));
    EXPECT_TRUE(FaceListed(FontNames().All, "ipamincho"));
    EXPECT_TRUE(TFolianto::IsFaceInstalled("IPAMincho"));
    EndPrintEngine();
    EXPECT_FALSE(PrintEngineReady());
    EXPECT_EQ(Vdb(), nullptr);
    EXPECT_TRUE(FontNames().All.empty());
    EXPECT_FALSE(TFolianto::IsFaceInstalled("IPAMincho"));
}

TEST(FontNameListsTest, AFaceEqualToTheOneBeforeIsSkipped)
{
    std::vector<std::string> list;
    for (const char* face : {"IPAGothic", "ipagothic", "Arial", "IPAGothic", "ＭＳ 明朝", "ＭＳ 明朝"})
        AddFaceOnce(list, face);
    EXPECT_EQ(list, (std::vector<std::string>{"IPAGothic", "Arial", "IPAGothic", "ＭＳ 明朝"}));
}

TEST_F(VDBPrintTest, EngineStartSetsTheDownloadOption)
{
    ASSERT_TRUE(StartPrintEngine(std::make_unique<FakeBackend>(printer)));
    EXPECT_EQ(printer.Mode.TTOption, 2);
    EndPrintEngine();
}

}  // namespace
