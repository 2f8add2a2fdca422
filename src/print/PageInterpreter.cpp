#include "print/PageInterpreter.h"

#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/Folianto.h"
#include "print/PageState.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <filesystem>

namespace fol {
namespace {

Qt::PenStyle QtPenStyle(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    case PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Clear:
        return Qt::NoBrush;
    case BrushStyle::Horizontal:
        return Qt::HorPattern;
    case BrushStyle::Vertical:
        return Qt::VerPattern;
    case BrushStyle::FDiagonal:
        return Qt::FDiagPattern;
    case BrushStyle::BDiagonal:
        return Qt::BDiagPattern;
    case BrushStyle::Cross:
        return Qt::CrossPattern;
    case BrushStyle::DiagCross:
        return Qt::DiagCrossPattern;
    case BrushStyle::Solid:
        break;
    }
    return Qt::SolidPattern;
}

std::string ErrorText(const std::exception& e)
{
    return e.what();
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

// A pen as the platform makes it: width 0 is one device unit; a wide pen
// with a broken style is a geometric pen with flat ends and mitred joins.
QPen MakePen(int width, int style, const QColor& colour)
{
    QPen pen(colour);
    pen.setStyle(QtPenStyle(PenStyleOf(style)));
    pen.setWidth(width);
    if (width > 1 && PenStyleOf(style) != PenStyle::Solid) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QColor ToQColor(TColor colour)
{
    int r, g, b;
    ColourToRgb(colour, r, g, b);
    return QColor(r, g, b);
}

PageInterpreter::PageInterpreter(TFOLDEF& settings) : settings_(settings)
{
    vRatio_ = settings.VRatio;
    hRatio_ = settings.HRatio;
}

void PageInterpreter::SetAdjustedMargins(int left, int top)
{
    adjLeft_ = left;
    adjTop_ = top;
}

void PageInterpreter::UpdateRatios(int documentPaper, int printerPaper)
{
    if (documentPaper == printerPaper) {
        vRatio_ = settings_.VRatio;
        hRatio_ = settings_.HRatio;
        return;
    }
    struct Pair {
        int From, To, Vertical, Horizontal;
    };
    static constexpr Pair pairs[] = {
        {8, 9, 704, 704},  {8, 12, 843, 842},   {9, 11, 707, 705},   {9, 13, 865, 867},  {12, 13, 726, 728},
        {12, 9, 839, 840}, {13, 9, 1156, 1154}, {9, 12, 1192, 1190}, {9, 8, 1414, 1414}, {12, 8, 1186, 1188},
    };
    for (const auto& p : pairs)
        if (p.From == documentPaper && p.To == printerPaper) {
            vRatio_ = p.Vertical;
            hRatio_ = p.Horizontal;
        }
}

int PageInterpreter::LoadFormFields(const std::string& formFile, int xOffset, int yOffset)
{
    FolFile file;
    if (!file.Open(formFile)) {
        fields_.Clear();
        return 0;
    }
    return fields_.Load(file.Lines(), xOffset, yOffset, settings_.Colours);
}

int PageInterpreter::CountPages(const std::string& fileName, bool numbering, bool form)
{
    if (fileName.empty())
        return 1;
    FolFile file;
    if (!file.Open(fileName)) {
        const std::string text = "<" + fileName + "> が見つかりません。";
        if (messageHook_)
            messageHook_(text);
        else
            WriteErrorLog(text);
        if (numbering && settings_.PageNumbers.Switch) {
            pageNumbers_ = {1};
            numberedPages_ = 1;
        }
        return 1;
    }
    if (numbering && settings_.PageNumbers.Switch) {
        pageNumbers_ = PageNumberList(file.Lines());
        numberedPages_ = 0;
        for (int n : pageNumbers_)
            numberedPages_ = std::max(numberedPages_, n);
    }
    return CountPagesOf(file.Lines(), form);
}

int PageInterpreter::SetPageCount()
{
    const int formPages = CountPages(settings_.FormFile(), false, true);
    const int dataPages = CountPages(settings_.DataFile(), true);
    return DocumentPages(formPages, dataPages);
}

void PageInterpreter::ComputeOffsets(PageState& s) const
{
    const DrawInputs& in = s.In;
    const int even = in.EvenSheet ? settings_.EvenShift : 0;
    int left = adjLeft_ + even;
    int top = adjTop_;
    if (in.Kind == DrawKind::Fom) {
        left += settings_.FormLeftMargin;
        top += settings_.FormTopMargin;
    }
    if (in.Printer) {
        left += settings_.LeftCorrect;
        top += settings_.TopCorrect;
    }
    s.OffsetX = Round(in.HFactor * left);
    s.OffsetY = Round(in.VFactor * top);
}

std::vector<std::string> PageInterpreter::ReadPage(FolFile& file, const DrawInputs& in, bool& endedWithE)
{
    std::vector<std::string> list;
    const TPAGEBANGO& numbers = settings_.PageNumbers;
    const bool numbering = in.Kind == DrawKind::Dat && numbers.Switch;
    if (numbering && (numbers.Placeholders == 1 || numbers.Placeholders == 2)) {
        const auto index = static_cast<std::size_t>(in.Page - 1);
        const int number = index < pageNumbers_.size() ? pageNumbers_[index] : 0;
        std::string text;
        if (number != 0 && FormatPageNumber(numbers.Format, number, numberedPages_, text)) {
            list.push_back(cp932::FromUtf8("TEXT;" + std::to_string(numbers.X) + ";" + std::to_string(numbers.Y) + ";" +
                                           text + ";" + numbers.FontName + ";" + std::to_string(numbers.FontSize) +
                                           ";;黒;OFF;" + std::to_string(numbers.Alignment) + ";0;0;*AUTO*"));
        } else {
            list.push_back("*");
        }
    }
    endedWithE = false;
    while (const auto line = file.ReadLine()) {
        const FolRecord record(*line);
        list.push_back(record.Line());
        if (record.Keyword() == "E") {
            endedWithE = true;
            break;
        }
    }
    if (numbering && !list.empty() && list.front().find("*AUTO*") != std::string::npos) {
        // A page without content gets no number.
        const bool bare = list.size() == 1 || (list.size() == 2 && (FolRecord(list[1]).Keyword() == "ORIENTATION" ||
                                                                    FolRecord(list[1]).Keyword() == "LINE" ||
                                                                    FolRecord(list[1]).Keyword() == "E"));
        if (bare)
            list.front().insert(0, "*");
    }
    return list;
}

bool PageInterpreter::DrawPrintPage(FolFile& file, QPainter& painter, const DrawInputs& in)
{
    pendingMessage_.clear();
    PageState s;
    s.Painter = &painter;
    s.In = in;
    s.OriginX = in.OriginX;
    s.OriginY = in.OriginY;
    s.VRatio = vRatio_;
    s.HRatio = hRatio_;
    s.ApplyRatio = !(in.Kind == DrawKind::SubForm && !settings_.FormPrint);
    s.FormGrey = in.Kind != DrawKind::Dat && !settings_.FormPrint;
    s.SavedLeft = adjLeft_;
    s.SavedTop = adjTop_;
    ComputeOffsets(s);
    if (in.Kind != DrawKind::SubForm)
        fields_.ResetCounts(in.FormPage);

    bool endedWithE = false;
    std::vector<std::string> list;
    try {
        list = ReadPage(file, in, endedWithE);
    } catch (const std::exception& e) {
        WriteErrorLog("ImageOut.(" + s.Keyword + ")", ErrorText(e));
        return false;
    }

    painter.save();
    painter.scale(in.Zoom / 10.0, in.Zoom / 10.0);
    s.Current = QPointF(s.H(s.OffsetX + s.OriginX), s.V(s.OffsetY + s.OriginY));
    try {
        // FRECT mode 1 fills before every other record of the page.
        for (const auto& line : list) {
            const FolRecord r(line);
            if (r.Keyword() != "FRECT" || r.Int(6) != 1)
                continue;
            s.Keyword = r.Keyword();
            const QRect rect(QPoint(s.X(r.Int(1)), s.Y(r.Int(2))), QPoint(s.X(r.Int(3)), s.Y(r.Int(4))));
            painter.fillRect(
                QRect(rect.topLeft(), rect.bottomRight() - QPoint(1, 1)),
                ToQColor(AdjustColour(ResolveColour(r.Text(5), settings_.Colours), s.FormGrey, settings_.GreyScale)));
        }
        ComputeOffsets(s);
        for (const auto& line : list) {
            const FolRecord r(line);
            s.Keyword = r.Keyword();
            if (s.Keyword == "E")
                break;
            DrawRecord(r, s);
        }
    } catch (const std::exception& e) {
        WriteErrorLog("ImageOut.(" + s.Keyword + ")", ErrorText(e));
    }
    painter.restore();
    adjLeft_ = s.SavedLeft;
    adjTop_ = s.SavedTop;
    return !endedWithE;
}

void PageInterpreter::DrawRecord(const FolRecord& r, PageState& s)
{
    QPainter& p = *s.Painter;
    const std::string& k = s.Keyword;
    auto colour = [&](std::size_t field, bool formGrey = true) {
        return ToQColor(
            AdjustColour(ResolveColour(r.Text(field), settings_.Colours), formGrey && s.FormGrey, settings_.GreyScale));
    };
    auto rect = [&]() {
        return QRect(QPoint(s.X(r.Int(1)), s.Y(r.Int(2))), QPoint(s.X(r.Int(3)), s.Y(r.Int(4))) - QPoint(1, 1));
    };
    auto shapeSetup = [&](std::size_t penField, bool formGreyBrush) {
        p.setPen(MakePen(s.Width(r.Int(penField, 1)), r.Int(penField + 1), colour(penField + 2)));
        QBrush brush(colour(penField + 3, formGreyBrush), QtBrushStyle(BrushStyleOf(r.Int(penField + 4))));
        p.setBrush(brush);
        p.setBackground(Qt::white);
        p.setBackgroundMode(Qt::OpaqueMode);
    };

    if (k == "LEFTMARGIN" || k == "TOPMARGIN") {
        const int n = r.Int(1);
        if (n == 0)
            return;
        (k == "LEFTMARGIN" ? adjLeft_ : adjTop_) = (k == "LEFTMARGIN" ? s.SavedLeft : s.SavedTop) + n;
        ComputeOffsets(s);
    } else if (k == "MESSAGE") {
        if (s.In.Printer)
            pendingMessage_ = TextOf(r.Text(1));
    } else if (k == "FORM") {
        DrawForm(r, s);
    } else if (k == "TEXT" || k == "NTEXT" || k == "UTEXT" || k == "VTEXT" || k == "@") {
        DrawText(r, s);
    } else if (k == "MEMO") {
        DrawMemo(r, s);
    } else if (k == "BP") {
        s.OriginX = Round(r.Int(1) * s.In.HFactor);
        s.OriginY = Round(r.Int(2) * s.In.VFactor);
        s.Pen = MakePen(s.Width(r.Int(3)), r.Int(4), colour(5));
        s.Current = QPointF(s.H(s.OffsetX + s.OriginX), s.V(s.OffsetY + s.OriginY));
    } else if (k == "LINEB") {
        const QPointF to(s.X(r.Int(1)), s.Y(r.Int(2)));
        p.setPen(s.Pen);
        p.setBackgroundMode(Qt::TransparentMode);
        p.drawLine(s.Current, to);
        s.Current = to;
    } else if (k == "LINE" || k == "ELINE") {
        const int width = k == "LINE" ? s.Width(r.Int(5, 1)) : Round(r.Int(5, 1) * 0.1 * s.In.HFactor);
        p.setPen(MakePen(width, r.Int(6), colour(7)));
        p.setBackgroundMode(Qt::TransparentMode);
        p.drawLine(QPoint(s.X(r.Int(1)), s.Y(r.Int(2))), QPoint(s.X(r.Int(3)), s.Y(r.Int(4))));
    } else if (k == "BOX") {
        shapeSetup(5, true);
        p.drawRect(rect());
    } else if (k == "CIRCLE") {
        shapeSetup(5, false);
        p.drawEllipse(rect());
    } else if (k == "RRECT") {
        p.setPen(MakePen(s.Width(r.Int(7, 1)), r.Int(8), colour(9)));
        p.setBrush(QBrush(colour(10, false), QtBrushStyle(BrushStyleOf(r.Int(11)))));
        p.setBackground(Qt::white);
        p.setBackgroundMode(Qt::OpaqueMode);
        // Its corners take the page offsets but not the BP origin.
        const auto px = [&](int x) { return s.H(Round(x * s.In.HFactor) + s.OffsetX); };
        const auto py = [&](int y) { return s.V(Round(y * s.In.VFactor) + s.OffsetY); };
        const QRect box(QPoint(px(r.Int(1)), py(r.Int(2))), QPoint(px(r.Int(3)), py(r.Int(4))) - QPoint(1, 1));
        const int cw = s.H(Round(r.Int(5) * s.In.HFactor) + 1);
        const int ch = s.V(Round(r.Int(6) * s.In.VFactor) + 1);
        p.drawRoundedRect(box, cw / 2.0, ch / 2.0);
    } else if (k == "FRECT") {
        const int mode = r.Int(6);
        const QRect box = rect();
        const QColor fill = colour(5);
        if (mode == 0) {
            p.fillRect(box, fill);
        } else if (mode == 2) {
            QImage bitmap(box.size(), QImage::Format_RGB32);
            bitmap.fill(fill);
            const QRect target(box.topLeft(), box.size());
            DrawBitmap(bitmap, target, false,
                       "FRECT " + std::to_string(box.left()) + ";" + std::to_string(box.top()) + ";" +
                           std::to_string(box.right() + 1) + ";" + std::to_string(box.bottom() + 1),
                       s);
        }
    } else if (k == "SLINE") {
        DrawSLine(r, s);
    } else if (k == "MARUMOJI") {
        DrawMaruMoji(r, s);
    } else if (k == "IMAGE") {
        DrawImage(r, s);
    }
    // CHART: no chart source is registered here, so it draws nothing.
    // ORIENTATION is read by the paging; unknown keywords draw nothing.
}

void PageInterpreter::DrawBitmap(const QImage& image, const QRect& target, bool combine, const std::string& label,
                                 PageState& s)
{
    if (image.isNull()) {
        WriteErrorLog(label + " ビットマップイメージの取得ができない　GETDIB()");
        return;
    }
    QPainter& p = *s.Painter;
    const auto mode = p.compositionMode();
    // Combining keeps what lies under the picture where the picture is white.
    if (combine)
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(target, image);
    p.setCompositionMode(mode);
}

void PageInterpreter::DrawImage(const FolRecord& r, PageState& s)
{
    const std::string path = TextOf(r.Text(5));
    if (!FileExists(path))
        return;
    const std::string ext = UpperAscii(std::filesystem::path(path).extension().string());
    const QPoint from(s.X(r.Int(1)), s.Y(r.Int(2)));
    const QPoint to(s.X(r.Int(3)), s.Y(r.Int(4)));
    const QRect target(from, QSize(to.x() - from.x(), to.y() - from.y()));
    if (ext == ".WMF" || ext == ".EMF") {
        WriteErrorLog("ImageOut.(IMAGE)", path + " WMF/EMF の描画には対応していません");
        return;
    }
    if (ext != ".BMP" && ext != ".JPG")
        return;
    QImageReader reader(QString::fromStdString(path), ext == ".BMP" ? "bmp" : "jpeg");
    const QImage image = reader.read();
    DrawBitmap(image, target, r.Int(6) != 0, path, s);
}

void PageInterpreter::DrawForm(const FolRecord& r, PageState& s)
{
    if (!settings_.FormPrint && s.In.Printer)
        return;
    const std::string path = TextOf(r.Text(1));
    if (!FileExists(path))
        return;
    // A form that names itself, or a ring of forms, would draw forever.
    if (depth_ >= MaxFormDepth) {
        WriteErrorLog("ImageOut.(FORM)", path + " フォームの入れ子が深すぎます");
        return;
    }
    const int x = r.Int(3);
    const int y = r.Int(4);
    if (UpperAscii(r.Text(2)) == "TRUE")
        LoadFormFields(path, x, y);
    FolFile form;
    if (!form.Open(path))
        return;
    DrawInputs sub = s.In;
    sub.Kind = DrawKind::SubForm;
    sub.OriginY = Round(y * s.In.VFactor);
    sub.OriginX = Round(x * s.In.HFactor);
    sub.FormPage = 0;
    sub.Zoom = 10;  // the outer page's zoom is already on the painter
    ++depth_;
    const std::string pending = pendingMessage_;
    DrawPrintPage(form, *s.Painter, sub);
    --depth_;
    pendingMessage_ = pending;
}

}  // namespace fol
