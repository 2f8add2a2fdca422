#include "print/Folianto.h"

#include "platform/Cp932.h"
#include "print/FolHeader.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fol {
namespace {

std::function<bool(const std::string&)>& FaceTest()
{
    static std::function<bool(const std::string&)> test;
    return test;
}

int CountPlaceholders(const std::string& format)
{
    int count = 0;
    for (std::size_t i = 0; i + 1 < format.size(); ++i)
        if (format[i] == '%' && (format[i + 1] == 'd' || format[i + 1] == 'D'))
            ++count;
    return count;
}

// Spaces for widths the fitting pads to; wider fields are left as they are.
constexpr int MaxPaddedWidth = 126;

std::string FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

std::string FitText(std::string sjis, const std::string& upperAlignment, int byteWidth)
{
    // A line end inside a text would end the record, and a following "E;"
    // the page: each CR, LF or CR LF becomes one space.
    std::string clean;
    clean.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const std::size_t len = cp932::CharLength(sjis, i);
        if (len == 2) {
            clean.append(sjis, i, 2);
            ++i;
            continue;
        }
        char c = sjis[i];
        if (c == ';')
            c = ':';
        if (c == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n')
            ++i;
        if (c == '\r' || c == '\n')
            c = ' ';
        clean += c;
    }
    if (byteWidth <= 0 || upperAlignment == "CENTER")
        return clean;
    const auto n = static_cast<std::size_t>(byteWidth);
    if (upperAlignment == "RIGHT") {
        if (clean.size() < n)
            return byteWidth <= MaxPaddedWidth ? std::string(n - clean.size(), ' ') + clean : clean;
        // Keep the last n bytes; where they begin with the second half of a
        // double-byte character, a space stands in for that half, so the
        // file never holds a lone trail byte and the width still holds.
        std::size_t start = 0;
        const std::size_t from = clean.size() - n;
        while (start < from)
            start += cp932::CharLength(clean, start);
        std::string kept = clean.substr(start);
        if (start > from)
            kept.insert(0, start - from, ' ');
        return kept;
    }
    if (clean.size() < n)
        return byteWidth <= MaxPaddedWidth ? clean + std::string(n - clean.size(), ' ') : clean;
    std::size_t end = 0;
    while (end < n) {
        const std::size_t len = cp932::CharLength(clean, end);
        if (end + len > n)
            break;
        end += len;
    }
    return clean.substr(0, end);
}

bool FormatPageNumber(const std::string& format, int page, int pages, std::string& out)
{
    const int args[2] = {page, pages};
    int used = 0;
    out.clear();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        if (i + 1 >= format.size() || (format[i + 1] != 'd' && format[i + 1] != 'D') || used >= 2)
            return false;
        out += std::to_string(args[used++]);
        ++i;
    }
    return true;
}

TFolianto::TFolianto()
{
    SetOcrFontName("");
}

TFolianto::~TFolianto() = default;

void TFolianto::SetInstalledFaceTest(std::function<bool(const std::string&)> test)
{
    FaceTest() = std::move(test);
}

bool TFolianto::IsFaceInstalled(const std::string& face)
{
    return FaceTest() && FaceTest()(face);
}

void TFolianto::SetCopie(int value)
{
    if (value >= 1 && value <= 99)
        copie_ = value;
}

void TFolianto::SetZoom(int value)
{
    if (value >= 5 && value <= 20)
        zoom_ = value;
}

void TFolianto::SetScale(int value)
{
    if (value >= 50 && value <= 150)
        scale_ = value;
}

void TFolianto::SetPrintQuality(int value)
{
    if (value >= -4 && value <= -1)
        printQuality_ = value;
}

void TFolianto::SetColorMode(int value)
{
    if (value >= 0)
        colorMode_ = value <= 2 ? value : 0;
}

void TFolianto::SetDuplex(int value)
{
    if (value >= 0 && value <= 3)
        duplex_ = value;
}

void TFolianto::SetCollate(int value)
{
    if (value == 0 || value == 1)
        collate_ = value;
}

namespace {
int Ratio(int value)
{
    if (value >= -50 && value <= 50)
        return 1000 + value;
    if (value >= 950 && value <= 1050)
        return value;
    return 1000;
}
}  // namespace

void TFolianto::SetVRATIO(int value)
{
    vRatio_ = Ratio(value);
}

void TFolianto::SetHRATIO(int value)
{
    hRatio_ = Ratio(value);
}

void TFolianto::SetPageBangoFormat(const std::string& format)
{
    const int count = CountPlaceholders(format);
    std::string probe;
    if ((count == 1 || count == 2) && FormatPageNumber(format, 1, 1, probe)) {
        pageBangoFormat_ = format;
        placeholders_ = count;
        return;
    }
    PageBango = false;
    pageBangoFormat_ = "(%d/%d)";
    placeholders_ = 2;
}

void TFolianto::SetOcrFontName(const std::string& face)
{
    if (face.empty()) {
        ocrFontName_ = ResolveFace("OCR-B", FaceTest());
        return;
    }
    if (IsFaceInstalled(face))
        ocrFontName_ = face;
}

void TFolianto::WriteLine(const std::string& utf8)
{
    const std::string bytes = cp932::FromUtf8(utf8);
    if (!file_.is_open())
        throw EInOutError("The print file is not open");
    file_ << bytes << "\r\n";
    if (!file_)
        throw EInOutError("Cannot write the print file " + DataFile);
}

void TFolianto::OpenPrintFile(bool temporaryName)
{
    if (DocTitle.empty())
        DocTitle = std::filesystem::path(DataFile).stem().string();
    if (temporaryName) {
        std::string folder = FolderOf(DataFile);
        if (folder.empty())
            folder = ".";
        std::string pattern = folder + "/~XXXXXX.tmp";
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0)
            throw EInOutError("Cannot create a temporary print file in " + folder);
        ::close(fd);
        DataFile = pattern;
    }
    if (file_.is_open())
        file_.close();
    file_.clear();
    file_.open(DataFile, std::ios::binary | std::ios::trunc);
    if (!file_)
        throw EInOutError("Cannot create the print file " + DataFile);
    headerWritten_ = false;
    WriteHeader();
}

void TFolianto::WriteHeader()
{
    if (headerWritten_)
        return;
    HeaderValues v;
    v.Path = FolderOf(DataFile);
    v.Date = FormatDateTime("yyyy/mm/dd", clock_ ? clock_() : Now());
    v.Title = Title;
    v.FormFile = FormFile;
    v.PaperSize = PaperSize;
    v.OutputPaper = OutPutPaper;
    v.Orientation = Orientation;
    v.TopMargin = TopMargin;
    v.LeftMargin = LeftMargin;
    v.FormTopMargin = FormTopMargin;
    v.FormLeftMargin = FormLeftMargin;
    v.NetColour1 = Colours.Net1;
    v.NetColour2 = Colours.Net2;
    v.UserColour1 = Colours.User1;
    v.UserColour2 = Colours.User2;
    v.FormPrint = PrintFom;
    v.Copies = copie_;
    v.PageNumbers = PageBango;
    v.PageNumberLeft = PageBangoLeft;
    v.PageNumberTop = PageBangoTop;
    v.PageNumberAlignment = static_cast<int>(PageBangoAlignment);
    v.PageNumberFormat = pageBangoFormat_;
    std::string block;
    for (const auto& line : HeaderLines(v))
        block += cp932::FromUtf8(line) + "\r\n";
    if (!file_.is_open())
        throw EInOutError("The print file is not open");
    file_ << block;
    if (!file_)
        throw EInOutError("Cannot write the print file " + DataFile);
    headerWritten_ = true;
}

void TFolianto::PrintText(int x, int y, const std::string& text, const std::string& fontName, int fontSize,
                          const std::string& style, const std::string& colour, const std::string& fill,
                          const std::string& alignment, int byteWidth)
{
    const std::string align = UpperAscii(alignment);
    const std::string fitted = cp932::ToUtf8(FitText(cp932::FromUtf8(text), align, byteWidth));
    const std::string fillText = fill == "OFF" ? "1" : fill;
    WriteLine("TEXT;" + std::to_string(x) + ";" + std::to_string(y) + ";" + fitted + ";" + fontName + ";" +
              std::to_string(fontSize) + ";" + style + ";" + colour + ";" + fillText + ";" + align + ";0;0;");
}

void TFolianto::PrintLine(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& colour, bool fine)
{
    using std::to_string;
    WriteLine(std::string(fine ? "ELINE" : "LINE") + ";" + to_string(x1) + ";" + to_string(y1) + ";" + to_string(x2) +
              ";" + to_string(y2) + ";" + to_string(width) + ";" + to_string(penStyle) + ";" + colour + ";");
}

void TFolianto::PrintBox(int x1, int y1, int x2, int y2, int width, int penStyle, const std::string& colour,
                         const std::string& brushColour, int brushStyle)
{
    using std::to_string;
    WriteLine("BOX;" + to_string(x1) + ";" + to_string(y1) + ";" + to_string(x2) + ";" + to_string(y2) + ";" +
              to_string(width) + ";" + to_string(penStyle) + ";" + colour + ";" + brushColour + ";" +
              to_string(brushStyle) + ";");
}

void TFolianto::NewPage()
{
    ++PageNo;
    if (BlankPage != 0)
        PrintBox(100, 100, 101, 101, 0, 0, "黒", "白", 1);
    WriteLine("E;");
}

void TFolianto::ClosePrintFile()
{
    headerWritten_ = false;
    if (!file_.is_open())
        return;
    file_.close();
    if (file_.fail())
        throw EInOutError("Cannot close the print file " + DataFile);
}

void TFolianto::CopySettings(TFOLDEF& r) const
{
    r.SetFormFile(FormFile);
    r.SetDataFile(DataFile);
    r.SetTitle(Title);
    r.SetPaperName(PaperName);
    if (!DocTitle.empty())
        r.SetDocTitle(DocTitle);
    else if (!Title.empty())
        r.SetDocTitle(Title);
    else
        r.SetDocTitle(std::string("FOLIANTO-") + EngineVersion);
    r.PrinterIndex = PrinterNum;
    r.PaperSize = PaperSize;
    r.OutputPaper = OutPutPaper;
    r.Orientation = Orientation;
    r.Scale = scale_;
    r.Copies = copie_;
    r.PrintQuality = printQuality_;
    r.ColourMode = colorMode_;
    r.Duplex = duplex_;
    r.Collate = collate_;
    r.TopMargin = TopMargin;
    r.LeftMargin = LeftMargin;
    r.EvenShift = EvenLeftMargin != 0 ? EvenLeftMargin - LeftMargin : 0;
    r.TopCorrect = TopCorrect;
    r.LeftCorrect = LeftCorrect;
    r.FormTopMargin = FormTopMargin;
    r.FormLeftMargin = FormLeftMargin;
    r.Colours = Colours;
    r.FormPrint = PrintFom;
    r.PrintDialog = PrnDlg;
    r.Zoom = zoom_;
    r.SizeChange = SizeChange;
    r.ModeSwitch = ModeSw;
    r.PaperLength = PaperLength;
    r.PaperWidth = PaperWidth;
    r.Permit = Permit;
    r.ImageOut = ImageOut;
    r.CurrentPageButton = CurrentPage;
    r.VRatio = vRatio_;
    r.HRatio = hRatio_;
    r.GreyScale = GrayScale;
    r.PrevPaperButton = PrevPaperButton;
    r.NextPaperButton = NextPaperButton;
    r.PageNumbers.Switch = PageBango;
    r.PageNumbers.X = PageBangoLeft;
    r.PageNumbers.Y = PageBangoTop;
    r.PageNumbers.Alignment = static_cast<int>(PageBangoAlignment);
    r.PageNumbers.FontName = PageBangoFontName;
    r.PageNumbers.FontSize = PageBangoFontSize;
    r.PageNumbers.Format = pageBangoFormat_;
    r.PageNumbers.Placeholders = placeholders_;
}

}  // namespace fol
