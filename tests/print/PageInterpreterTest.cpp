#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/FolFile.h"
#include "print/PageInterpreter.h"
#include "support/ScopedEnv.h"
#include "RecordingDevice.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace fol;

namespace {

// Lines of a page as the file holds them (CP932).
std::vector<std::string> Lines(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> out;
    for (const char* line : utf8)
        out.push_back(cp932::FromUtf8(line));
    return out;
}

class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFontSubstitutes();
        folder = fs::temp_directory_path() / ("interp-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string WriteFile(const std::string& name, std::initializer_list<const char*> utf8)
    {
        const fs::path path = folder / name;
        std::ofstream out(path, std::ios::binary);
        for (const auto& line : Lines(utf8))
            out << line << "\r\n";
        return path.string();
    }

    std::string Log() const
    {
        std::ifstream in(folder / ErrorLogName, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return cp932::ToUtf8(out.str());
    }

    // Draws the page on the recording device (1 unit = 0.1 mm).
    bool Record(std::initializer_list<const char*> page, DrawInputs in = {})
    {
        FolFile file = FolFile::FromLines(Lines(page));
        QPainter painter(&device);
        return interpreter.DrawPrintPage(file, painter, in);
    }

    QImage Render(std::initializer_list<const char*> page, DrawInputs in = {})
    {
        QImage image(400, 400, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        FolFile file = FolFile::FromLines(Lines(page));
        QPainter painter(&image);
        interpreter.DrawPrintPage(file, painter, in);
        return image;
    }

    fs::path folder;
    ScopedEnv documents{"LEDRIX_DOCUMENTS",
                        (fs::temp_directory_path() / ("interp-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                            .string()};
    TFOLDEF settings;
    PageInterpreter interpreter{settings};
    RecordingDevice device;
};

struct PlacementCase {
    const char* Name;
    DrawKind Kind;
    bool Even;
    bool Printer;
    int DocumentPaper, PrinterPaper;
    QLineF Expected;
};

std::ostream& operator<<(std::ostream& out, const PlacementCase& c)
{
    return out << c.Name;
}

class PlacementTest : public InterpreterTest, public ::testing::WithParamInterface<PlacementCase> {};

// L' 100, T' 200, even shift 30, form margins 7/9, corrections 3/4: the
// line LINE;1000;1000;2000;1500 lands where each placement rule says.
TEST_P(PlacementTest, PlacesTheLine)
{
    const PlacementCase& c = GetParam();
    settings.EvenShift = 30;
    settings.FormLeftMargin = 7;
    settings.FormTopMargin = 9;
    settings.LeftCorrect = 3;
    settings.TopCorrect = 4;
    interpreter.SetAdjustedMargins(100, 200);
    interpreter.UpdateRatios(c.DocumentPaper, c.PrinterPaper);
    DrawInputs in;
    in.Kind = c.Kind;
    in.EvenSheet = c.Even;
    in.Printer = c.Printer;
    Record({"LINE;1000;1000;2000;1500;"}, in);
    const auto lines = device.Of(Drawn::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Line, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementTest,
    ::testing::Values(
        PlacementCase{"Margins", DrawKind::Dat, false, false, 9, 9, QLineF(1100, 1200, 2100, 1700)},
        PlacementCase{"EvenSheetShift", DrawKind::Dat, true, false, 9, 9, QLineF(1130, 1200, 2130, 1700)},
        PlacementCase{"FormMargins", DrawKind::Fom, false, false, 9, 9, QLineF(1107, 1209, 2107, 1709)},
        PlacementCase{"PrinterCorrections", DrawKind::Dat, false, true, 9, 9, QLineF(1103, 1204, 2103, 1704)},
        PlacementCase{"FormOnPrinter", DrawKind::Fom, true, true, 9, 9, QLineF(1140, 1213, 2140, 1713)},
        // A4 printed on B5: 867 per mille across, 865 down.
        PlacementCase{"A4OnB5", DrawKind::Dat, false, false, 9, 13, QLineF(954, 1038, 1821, 1471)},
        PlacementCase{"UnlistedPairKeepsRatios", DrawKind::Dat, false, false, 9, 44, QLineF(1100, 1200, 2100, 1700)}));

TEST_F(InterpreterTest, MarginRecordsOriginAndPens)
{
    interpreter.SetAdjustedMargins(100, 200);
    Record({"TOPMARGIN;50;", "LINE;0;0;10;0;3;1;赤;", "LEFTMARGIN;-20;", "ELINE;0;0;0;10;25;0;;", "BP;300;400;2;0;青;",
            "LINEB;10;20;", "LINEB;30;20;"});
    const auto lines = device.Of(Drawn::Line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Line, QLineF(100, 250, 110, 250));
    EXPECT_EQ(lines[0].Pen.width(), 3);
    EXPECT_EQ(lines[0].Pen.style(), Qt::DashLine);
    EXPECT_EQ(lines[0].Pen.capStyle(), Qt::FlatCap);
    EXPECT_EQ(lines[0].Pen.color(), QColor(255, 0, 0));
    EXPECT_EQ(lines[1].Line, QLineF(80, 250, 80, 260));
    EXPECT_EQ(lines[1].Pen.width(), 3);  // 25 × 0.01 mm, rounded
    EXPECT_EQ(lines[2].Line, QLineF(380, 650, 390, 670));
    EXPECT_EQ(lines[2].Pen.color(), QColor(0, 0, 255));
    EXPECT_EQ(lines[3].Line, QLineF(390, 670, 410, 670));
    // The next page starts at the document margins again.
    EXPECT_EQ(interpreter.AdjustedLeft(), 100);
    EXPECT_EQ(interpreter.AdjustedTop(), 200);
    device.Items().clear();
    Record({"LINE;0;0;10;0;"});
    EXPECT_EQ(device.Of(Drawn::Line)[0].Line, QLineF(100, 200, 110, 200));
}

TEST_F(InterpreterTest, PageEndsAndZoom)
{
    EXPECT_FALSE(Record({"E;", "LINE;0;0;1;1;"}));
    EXPECT_TRUE(device.Items().empty());
    FolFile file = FolFile::FromLines(Lines({"LINE;0;0;10;10;", "e;more", "LINE;5;5;6;6;"}));
    QPainter painter(&device);
    DrawInputs in;
    in.Zoom = 5;
    EXPECT_FALSE(interpreter.DrawPrintPage(file, painter, in));
    EXPECT_TRUE(interpreter.DrawPrintPage(file, painter, in));
    const auto lines = device.Of(Drawn::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Transform.map(lines[0].Line), QLineF(0, 0, 5, 5));
}

// The recorded text sits at its top-left plus the ascent of the same font.
TEST_F(InterpreterTest, TextPositionsFollowTheFontMetrics)
{
    interpreter.SetAdjustedMargins(100, 200);
    Record({"TEXT;500;300;ABC;IPAGothic;10;;;;;", "TEXT;500;400;ABC;IPAGothic;10;;黒;1;CENTER;0;0;",
            "TEXT;500;500;ABC;IPAGothic;10;;黒;1;RIGHT;", "TEXT;500;600;ABC;IPAGothic;10;;黒;1;;0;1;",
            "TEXT;500;700;A\tBC;IPAGothic;10;", "TEXT;0;0;DE;IPAGothic;10;"});
    const QFont font = RecordFont("IPAGothic", 35, TextStyle{});  // 10 pt at 254 dpi
    const QFontMetricsF fm(font, &device);
    const double w = fm.horizontalAdvance("ABC");
    const double a = fm.ascent();
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0].Font.pixelSize(), 35);
    EXPECT_EQ(texts[0].Point, QPointF(600, 500 + a));
    EXPECT_EQ(texts[1].Point, QPointF(600 - std::lround(w / 2), 600 + a));
    EXPECT_EQ(texts[2].Point, QPointF(600 - std::lround(w), 700 + a));
    const int q = std::lround(35 * 0.5 - 0.55);
    EXPECT_EQ(texts[3].Point, QPointF(600 - std::lround(fm.horizontalAdvance("A") / 2), 800 - q + a));
    EXPECT_EQ(texts[4].Text, "A");
    EXPECT_EQ(texts[5].Text, "BC");
    EXPECT_EQ(texts[5].Point, QPointF(600, 900 + fm.height() + a));
    // x 0 and y 0 continue after the text drawn last.
    EXPECT_EQ(texts[6].Point, QPointF(600 - std::lround(fm.horizontalAdvance("A") / 2) + w, 800 - q + a));
}

TEST_F(InterpreterTest, FieldsWithLinePitchAndOnce)
{
    const std::string form =
        WriteFile("form.FOF", {"&;100;200;NAME;IPAGothic;10;;黒;;;0;0;0", "&;0;0;行間;;;;;;;60;",
                               "&;100;900;ONE;IPAGothic;10;;黒;;;0;1;", "E;", "&;1;1;NAME;IPAGothic;10;;黒;"});
    EXPECT_EQ(interpreter.LoadFormFields(form, 0, 0), 1);
    Record({"@;name;A;", "@;NAME;B;", "@;ONE;C;", "@;ONE;D;", "@;NONE;E;"});
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 3u);
    const double a = QFontMetricsF(texts[0].Font, &device).ascent();
    EXPECT_EQ(texts[0].Point, QPointF(100, 200 + a));
    EXPECT_EQ(texts[1].Point, QPointF(100, 260 + a));
    EXPECT_EQ(texts[2].Text, "C");
    EXPECT_EQ(interpreter.Fields().Find(0, "NAME")->Count, 2);
    EXPECT_EQ(interpreter.Fields().Find(1, "NAME")->X, 1);
}

// Slots 101-199 are found like the first hundred.
TEST_F(InterpreterTest, FieldsBeyondTheHundredthAreFound)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 199; ++i)
        lines.push_back("&;" + std::to_string(i) + ";0;F" + std::to_string(i) + ";");
    lines.push_back("&;0;0;F200;");
    FormFieldTables tables;
    tables.Load(lines, 0, 0, ColourSet{});
    ASSERT_NE(tables.Find(0, "f150"), nullptr);
    EXPECT_EQ(tables.Find(0, "F199")->X, 199);
    EXPECT_EQ(tables.Find(0, "F200"), nullptr);  // 199 slots a page
}

TEST_F(InterpreterTest, PageNumbersSkipEmptyPages)
{
    settings.PageNumbers.Switch = true;
    settings.PageNumbers.X = 1000;
    settings.PageNumbers.Y = 50;
    settings.PageNumbers.FontName = "IPAGothic";
    const std::string data = WriteFile("doc.FOL", {"*FOLIANTO*", "TEXT;1;1;x;", "E;", "E;", "TEXT;1;1;y;"});
    settings.SetDataFile(data);
    EXPECT_EQ(interpreter.SetPageCount(), 3);
    EXPECT_EQ(interpreter.PageNumbers(), (std::vector<int>{1, 0, 2}));
    FolFile file;
    ASSERT_TRUE(file.Open(data));
    QPainter painter(&device);
    std::vector<QString> numbers;
    for (int page = 1; page <= 3; ++page) {
        device.Items().clear();
        DrawInputs in;
        in.Page = page;
        interpreter.DrawPrintPage(file, painter, in);
        QString found;
        for (const auto& t : device.Of(Drawn::Text))
            if (t.Text.startsWith('('))
                found = t.Text;
        numbers.push_back(found);
    }
    EXPECT_EQ(numbers, (std::vector<QString>{"(1/2)", "", "(2/2)"}));
}

TEST_F(InterpreterTest, MemoWrapsAndStopsAtTheBottom)
{
    Record({"MEMO;0;0;2000;100;ABCDEFGH;-1;IPAGothic;10;", "MEMO;0;200;0;2000;XYZ;-1;IPAGothic;10;",
            "MEMO;0;3000;0;3000;XYZ;0;IPAGothic;10;"});
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 4u);  // one line fits the first box; one letter a line in the narrow one
    EXPECT_EQ(texts[0].Text, "ABCDEFGH");
    EXPECT_EQ(texts[1].Text, "X");
    EXPECT_EQ(texts[3].Text, "Z");
    EXPECT_EQ(device.Of(Drawn::Rect).size(), 1u);  // the frame of the last memo only
}

TEST_F(InterpreterTest, SubFormsLoadFieldsAtTheirOffsetAndStopAtTheDepthLimit)
{
    const std::string sub = WriteFile("sub.FOF", {"&;10;10;F;IPAGothic;10;", "LINE;0;0;5;0;"});
    const std::string data = "FORM;" + sub + ";TRUE;100;200;";
    Record({data.c_str(), "@;F;X;"});
    const auto lines = device.Of(Drawn::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Line, QLineF(100, 200, 105, 200));
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Point.x(), 110);

    const std::string self = (folder / "self.FOF").string();
    std::ofstream(self, std::ios::binary) << "LINE;0;0;1;0;\r\nFORM;" << self << ";FALSE;1;1;\r\n";
    device.Items().clear();
    const std::string call = "FORM;" + self + ";FALSE;0;0;";
    Record({call.c_str()});
    EXPECT_EQ(device.Of(Drawn::Line).size(), static_cast<std::size_t>(PageInterpreter::MaxFormDepth));
    EXPECT_NE(Log().find("ImageOut.(FORM)"), std::string::npos);

    // On the printer without the form's colours, forms are not printed.
    settings.FormPrint = false;
    device.Items().clear();
    DrawInputs printer;
    printer.Printer = true;
    Record({data.c_str()}, printer);
    EXPECT_TRUE(device.Of(Drawn::Line).empty());
}

TEST_F(InterpreterTest, WhatCannotBeDrawnHereIsLogged)
{
    const std::string wmf = (folder / "p.WMF").string();
    std::ofstream(wmf) << "not a metafile";
    const std::string image = "IMAGE;0;0;100;100;" + wmf + ";0;";
    Record({image.c_str(), "TEXT;0;0;4901234567894;JAN;10;", "VTEXT;10;10;アーイ;IPAGothic;10;;;;;600;",
            "CHART;x;0;0;100;100;1;", "IMAGE;0;0;10;10;/no/such.BMP;0;"});
    EXPECT_TRUE(device.Of(Drawn::Image).empty());
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 2u);  // the vertical text without its "ー"
    EXPECT_EQ(texts[1].Text, "イ");
    const std::string log = Log();
    EXPECT_NE(log.find("ImageOut.(IMAGE)"), std::string::npos);
    EXPECT_NE(log.find("JAN"), std::string::npos);
    EXPECT_NE(log.find("ImageOut.(VTEXT)"), std::string::npos);
}

TEST_F(InterpreterTest, FillsAndGreysOnAnImage)
{
    QImage page = Render({"BOX;0;0;100;100;1;5;黒;赤;0;", "FRECT;50;50;150;150;青;1;", "FRECT;200;0;300;100;緑;0;",
                          "TEXT;0;200;  ;IPAGothic;10;;黒;ON;", "TEXT;100;200;  ;IPAGothic;10;;黒;黒;"});
    EXPECT_EQ(page.pixelColor(75, 75), QColor(255, 0, 0));    // the box covers the early fill
    EXPECT_EQ(page.pixelColor(125, 125), QColor(0, 0, 255));  // the fill drawn before it
    EXPECT_EQ(page.pixelColor(250, 50), QColor(0, 128, 0));

    settings.FormPrint = false;
    DrawInputs form;
    form.Kind = DrawKind::Fom;
    page = Render({"FRECT;0;0;100;100;赤;0;", "FRECT;100;0;200;100;白;0;"}, form);
    EXPECT_EQ(page.pixelColor(50, 50), QColor(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(page.pixelColor(150, 50), QColor(255, 255, 255));

    settings.FormPrint = true;
    settings.GreyScale = true;
    page = Render({"FRECT;0;0;100;100;赤;0;", "FRECT;100;0;200;100;黒;0;"});
    EXPECT_EQ(page.pixelColor(50, 50), QColor(0x4C, 0x4C, 0x4C));
    EXPECT_EQ(page.pixelColor(150, 50), QColor(0, 0, 0));
}

TEST_F(InterpreterTest, PicturesAreStretchedIntoTheirRectangle)
{
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    const std::string bmp = (folder / "red.BMP").string();
    const std::string jpg = (folder / "red.JPG").string();
    ASSERT_TRUE(red.save(QString::fromStdString(bmp), "BMP"));
    ASSERT_TRUE(red.save(QString::fromStdString(jpg), "JPEG", 100));
    QImage half(2, 1, QImage::Format_RGB32);
    half.setPixelColor(0, 0, Qt::white);
    half.setPixelColor(1, 0, Qt::black);
    const std::string andBmp = (folder / "and.BMP").string();
    ASSERT_TRUE(half.save(QString::fromStdString(andBmp), "BMP"));

    const std::string a = "IMAGE;100;100;200;200;" + bmp + ";0;";
    const std::string b = "IMAGE;200;100;300;200;" + jpg + ";0;";
    const std::string c = "IMAGE;0;300;200;400;" + andBmp + ";1;";
    const QImage page = Render({a.c_str(), b.c_str(), "FRECT;0;300;200;400;青;0;", c.c_str()});
    EXPECT_EQ(page.pixelColor(150, 150), QColor(255, 0, 0));
    EXPECT_EQ(page.pixelColor(99, 150), QColor(255, 255, 255));
    const QColor jpeg = page.pixelColor(250, 150);
    EXPECT_GT(jpeg.red(), 240);
    EXPECT_LT(jpeg.green(), 20);
    EXPECT_EQ(page.pixelColor(50, 350), QColor(0, 0, 255));  // white lets the blue through
    EXPECT_EQ(page.pixelColor(150, 350), QColor(0, 0, 0));
}

TEST(PagingTest, CountsSeeksAndCycles)
{
    const auto lines = Lines({"A", "E;", "B", "e;", "C"});
    EXPECT_EQ(CountPagesOf(lines, false), 3);
    EXPECT_EQ(CountPagesOf(Lines({"A", "E;", "B", "E;"}), false), 3);
    // A form's closing page end starts no empty form page.
    EXPECT_EQ(CountPagesOf(Lines({"A", "E;", "B", "E;", ""}), true), 2);
    EXPECT_EQ(CountPagesOf(Lines({"A", "E;", "B"}), true), 2);
    EXPECT_EQ(DocumentPages(2, 5), 6);
    EXPECT_EQ(DocumentPages(3, 1), 3);
    EXPECT_EQ(DocumentPages(3, 7), 9);
    EXPECT_EQ(DocumentPages(1, 4), 4);

    FolFile file = FolFile::FromLines(lines);
    EXPECT_TRUE(SeekPage(file, 3, false));
    EXPECT_EQ(file.ReadLine(), "C");
    file.Rewind();
    EXPECT_FALSE(SeekPage(file, 4, false));
    file.Rewind();
    EXPECT_TRUE(SeekPage(file, 4, true));  // the end of a form starts it again
    EXPECT_EQ(file.ReadLine(), "A");

    EXPECT_EQ(PageOrientations(
                  Lines({"*ORIENTATION=1", "ORIENTATION;1;", "E;", "x", "E;", "ORIENTATION;0;", "ORIENTATION;1;"}), 0),
              (std::vector<int>{1, 0, 1}));
    // Only a bare ORIENTATION or LINE record leaves a page unnumbered.
    EXPECT_EQ(PageNumberList(Lines({"TEXT;1;1;DEADLINE;", "E;", "LINE;0;0;1;1;", "E;", "ELINE;0;0;1;1;"})),
              (std::vector<int>{1, 0, 2}));
}

// A page of every record kind, saved in the build folder to be looked at.
TEST_F(InterpreterTest, FixturePageOfEveryRecordKind)
{
    const std::string sub = WriteFile(
        "sub.FOF", {"&;1300;1500;AMOUNT;IPAGothic;11;B;赤;;RIGHT;0;0;0", "BOX;1000;1400;1900;1700;2;0;濃紺;空;4;",
                    "TEXT;1020;1420;副フォーム;IPAGothic;9;;濃紺;"});
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(QColor(220, 30, 30));
    const std::string bmp = (folder / "pic.BMP").string();
    ASSERT_TRUE(red.save(QString::fromStdString(bmp), "BMP"));
    const std::string form = "FORM;" + sub + ";TRUE;0;0;";
    const std::string image = "IMAGE;1500;100;1900;400;" + bmp + ";0;";
    QImage page(2100, 2970, QImage::Format_RGB32);
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(10000);
    page.fill(Qt::white);
    FolFile file = FolFile::FromLines(Lines({
        "FRECT;50;50;2050;90;銀;1;",
        "TEXT;100;100;左寄せ TEXT;ＭＳ 明朝;14;B;黒;ON;",
        "NTEXT;1000;100;中央 NTEXT;ＭＳ ゴシック;12;U;赤;空;CENTER;",
        "TEXT;1400;200;右寄せ;;12;I;青;1;RIGHT;",
        "TEXT;100;300;タブ\t二行目;;10;DU;緑;",
        "UTEXT;100;500;均等割付;;12;;黒;1;LEFT;800;",
        "UTEXT;100;600;長い文字列を縮める;;12;C;黒;1;LEFT;500;",
        "VTEXT;1000;300;縦書きー;;12;;紫;1;;600;",
        "MEMO;100;800;700;1100;折り返しのあるメモの本文です。枠の中で折り返します。;0;;10;;黒;",
        "LINE;100;1200;900;1200;5;0;赤;",
        "ELINE;100;1250;900;1250;50;1;青;",
        "BOX;100;1300;900;1400;3;0;黒;銀;6;",
        "SLINE;1900;1800;2000;3;1;0;灰;;10;",
        "RRECT;100;1600;900;1750;60;60;2;0;栗;黄;0;",
        "FRECT;100;1800;400;1900;黄;0;",
        "FRECT;450;1800;750;1900;空;2;",
        "CIRCLE;100;1950;400;2150;2;0;黒;赤紫;7;",
        "MARUMOJI;600;2050;150;済;;12;B;赤;",
        image.c_str(),
        "CHART;c;1000;1900;1900;2200;1;",
        form.c_str(),
        "@;AMOUNT;12,345;",
        // The origin BP sets moves every record after it.
        "BP;100;2300;2;2;緑;",
        "LINEB;400;0;",
        "LINEB;400;100;",
        "TEXT;420;80;BP の原点から;;10;",
        "LEFTMARGIN;0;",
        "TOPMARGIN;0;",
        "MESSAGE;用紙を替えてください;",
        "ORIENTATION;0;",
        "E;",
    }));
    {
        QPainter painter(&page);
        interpreter.DrawPrintPage(file, painter, DrawInputs{});
    }
    const QString out = QString::fromStdString((fs::current_path() / "print_fixture_page.png").string());
    ASSERT_TRUE(page.save(out));
    EXPECT_EQ(page.pixelColor(1600, 200), QColor(220, 30, 30));
    EXPECT_EQ(page.pixelColor(60, 60), QColor(0xC0, 0xC0, 0xC0));
}

}  // namespace

namespace {

// UTEXT spreads its characters one step per byte apart so that the text
// spans the width: step = (width - last character) / bytes before it.
TEST_F(InterpreterTest, SpreadTextAndBackgrounds)
{
    Record({"UTEXT;100;100;AB漢;IPAGothic;10;;黒;ON;;400;", "TEXT;100;300;X;IPAGothic;10;;黒;1;",
            "TEXT;100;400;Y;IPAGothic;10;;黒;黒;"});
    const QFont font = RecordFont("IPAGothic", 35, TextStyle{});
    const QFontMetricsF fm(font, &device);
    const double step = (400 - fm.horizontalAdvance(QString::fromUtf8("漢"))) / 2;
    const auto texts = device.Of(Drawn::Text);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].Point.x(), 100);
    EXPECT_EQ(texts[1].Point.x(), 100 + std::lround(step));
    EXPECT_EQ(texts[2].Point.x(), 100 + std::lround(2 * step));
    // Only the fill "ON" paints a (white) background, one a character.
    const auto rects = device.Of(Drawn::Rect);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].Brush.color(), QColor(Qt::white));
}

TEST_F(InterpreterTest, MissingFileCountsOnePageAndIsReported)
{
    std::string shown;
    interpreter.SetMessageHook([&](const std::string& text) { shown = text; });
    EXPECT_EQ(interpreter.CountPages("/no/such.FOL", false), 1);
    EXPECT_EQ(shown, "</no/such.FOL> が見つかりません。");
    EXPECT_EQ(interpreter.CountPages("", false), 1);
}

}  // namespace
