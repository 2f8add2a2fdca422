#include "dataselect/print/PrDataList.h"

#include "foundation/SystemDef.h"
#include "platform/SpecialFolders.h"

#include <QString>

#include <cstdio>

namespace {

std::string Numbered(const char* format, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The home folder in a path as "~", letters in any case.
std::string ShortenHome(const std::string& path)
{
    const QString home = QString::fromStdString(SystemDef.HomeDir);
    if (home.isEmpty())
        return path;
    return QString::fromStdString(path).replace(home, QStringLiteral("~"), Qt::CaseInsensitive).toStdString();
}

}  // namespace

TPrDataList::TPrDataList() = default;

void TPrDataList::Text(int x, int y, const std::string& text, int size, const char* alignment)
{
    writer_.PrintText(x, y, text, PrintFontName(PrintSettings.SizeA), size, "", "黒", "OFF", alignment, 0);
}

void TPrDataList::Rule(int x1, int y, int x2, int width, int penStyle)
{
    writer_.PrintLine(x1, y, x2, y, width, penStyle, std::to_string(writer_.Colours.User1), false);
}

void TPrDataList::PageStep(const Layout& l)
{
    if (line_ != 0 && line_ <= l.LinesPerPage - 1) {
        ++line_;
        return;
    }
    if (line_ > 0)
        writer_.NewPage();
    const bool landscape = Orientation == 1;
    Text((l.RightEdge + 1) / 2, 150, ShareList == 0 ? "データリスト" : "共有データリスト", PrintSettings.SizeB,
         "CENTER");
    Text(l.RightEdge, 250, Numbered("PAGE %4d", page_), PrintSettings.SizeC, "RIGHT");
    Rule(150, 300, l.RightEdge, 4, 0);
    const int heading = PrintSettings.SizeC;
    Text(180, 325, "No", heading, "LEFT");
    if (landscape)
        Text(250, 325, "コード", heading, "LEFT");
    Text(landscape ? 450 : 250, 325, "データリスト名", heading, "LEFT");
    Text(landscape ? 1250 : 1050, 325, "会計年度", heading, "CENTER");
    Text(landscape ? 1550 : 1350, 325, "会計期間", heading, "CENTER");
    Text(landscape ? 1800 : 1600, 325, "データフォルダ", heading, "LEFT");
    Rule(150, 390, l.RightEdge, 4, 0);
    Rule(150, l.BottomRule, l.RightEdge, 4, 0);
    line_ = 1;
    ++page_;
}

void TPrDataList::RowCells(const TDataListRec& row, const std::string* number, int y)
{
    const bool landscape = Orientation == 1;
    const int body = PrintSettings.SizeD;
    if (number)
        Text(170, y, *number, body, "LEFT");
    if (landscape)
        Text(250, y, row.DATACODE, body, "LEFT");
    Text(landscape ? 450 : 250, y, row.DISPNAME, body, "LEFT");
    const int yearX = landscape ? 1250 : 1050;
    const int periodX = landscape ? 1550 : 1350;
    if (!row.ENTTEXT.empty()) {
        if (row.NENDO >= 1) {
            Text(yearX, y, Numbered("%d 期", row.NENDO), body, "CENTER");
            Text(periodX, y, row.KIKANTEXT, body, "CENTER");
        } else {
            Text(yearX, y, "", body, "CENTER");
            Text(periodX, y, "", body, "CENTER");
        }
    } else {
        Text(yearX, y, "", body, "LEFT");
        Text(periodX, y, "", body, "LEFT");
    }
    Text(landscape ? 1800 : 1600, y, ShortenHome(row.PASNAME), body, "LEFT");
}

void TPrDataList::WriteList(const Layout& l)
{
    line_ = 0;
    page_ = 1;
    int entry = 0;
    const auto lineY = [this] { return line_ * 44 + 361; };
    const auto dottedRule = [&](int y) {
        if (line_ < l.LinesPerPage)
            Rule(150, y + 34, l.RightEdge, 0, 2);
    };
    for (const std::int32_t index : RowOrder) {
        ++entry;
        if (index < 0 || static_cast<std::size_t>(index) >= Rows.size())
            continue;
        const TDataSentakuRec& rec = Rows[static_cast<std::size_t>(index)];
        PageStep(l);
        int y = lineY();
        const std::string number = Numbered("%3d", ShareList == 0 ? rec.Data.REC : entry);
        RowCells(rec.Data, &number, y);
        dottedRule(y);
        for (const TDataListRec& child : rec.Children) {
            PageStep(l);
            y = lineY();
            RowCells(child, nullptr, y);
            dottedRule(y);
        }
    }
}

bool TPrDataList::PrintList(bool print)
{
    PrintSettings.SizeD = 9;
    const Layout layout = Orientation == 1 ? Layout{35, 2820, 1945} : Layout{55, 2000, 2820};
    writer_.Title = "印刷プレビュー";
    writer_.DataFile = folders::Temp() + "/データリスト.TMP";
    writer_.FormFile.clear();
    writer_.PaperSize = 9;
    writer_.Orientation = Orientation;
    writer_.TopMargin = 0;
    writer_.LeftMargin = 0;
    writer_.SetZoom(10);
    writer_.Colours.User1 = 0;
    writer_.Colours.User2 = 0;
    writer_.Colours.Net1 = SystemDef.NetColor1;
    writer_.Colours.Net2 = SystemDef.NetColor2;
    SetMonoPrintColors(PrintSettings.ColorPrint, writer_);
    writer_.PrintFom = false;
    writer_.ModeSw = false;
    writer_.Permit = true;
    writer_.OpenPrintFile(true);
    try {
        writer_.WriteHeader();
        WriteList(layout);
    } catch (...) {
        writer_.ClosePrintFile();
        throw;
    }
    writer_.ClosePrintFile();
    return print ? writer_.Print() : writer_.Preview();
}
