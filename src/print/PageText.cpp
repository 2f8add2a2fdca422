// The text records of the interpreter: TEXT, NTEXT, UTEXT, VTEXT, "@",
// MEMO, MARUMOJI and SLINE.

#include "platform/Cp932.h"
#include "platform/NumberText.h"
#include "print/ErrorLog.h"
#include "print/PageInterpreter.h"
#include "print/PageState.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace fol {
namespace {

// A text field cut into its characters, each with its CP932 byte count; a
// byte that is no character of CP932 shows as U+FFFD rather than losing the
// record.
struct Glyphs {
    std::vector<QString> Chars;
    std::vector<int> Bytes;
    QString Text;
    int TotalBytes = 0;
};

Glyphs SplitGlyphs(const std::string& sjis)
{
    Glyphs g;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t len = cp932::CharLength(sjis, i);
        const QString c = QString::fromStdString(TextOf(std::string_view(sjis).substr(i, len)));
        g.Chars.push_back(c);
        g.Bytes.push_back(static_cast<int>(len));
        g.Text += c;
        g.TotalBytes += static_cast<int>(len);
        i += len;
    }
    return g;
}

bool FaceInstalled(const std::string& face)
{
    return QFontDatabase::families().contains(QString::fromStdString(face));
}

// What one text record asks for, from its own fields or a form field.
struct TextSpec {
    int X = 0, Y = 0;
    std::string Sjis;
    std::string Face;  // UTF-8, before the font rules
    int Size = 10;
    TextStyle Style;
    TColor Colour = 0;
    std::optional<TColor> Fill;
    TextAlign Align = TextAlign::Left;
    int Width = 0;
    int VCentre = 0;
    int Dy = 0;
    bool Field = false;
};

void Paint(QPainter& p, const QFont& font, QPointF topLeft, const QString& text, const std::optional<QColor>& fill,
           const QColor& colour)
{
    const QFontMetricsF fm(font, p.device());
    if (fill)
        p.fillRect(QRectF(topLeft.x(), topLeft.y(), fm.horizontalAdvance(text), fm.height()), *fill);
    p.setFont(font);
    p.setPen(colour);
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
}

}  // namespace

QFont RecordFont(const std::string& faceUtf8, int pixelHeight, const TextStyle& style)
{
    QFont font(QString::fromStdString(faceUtf8));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline || style.DoubleUnderline);
    font.setStrikeOut(style.StrikeOut);
    font.setFixedPitch(false);
    return font;
}

void InstallFontSubstitutes()
{
    static const std::pair<const char*, const char*> faces[] = {
        {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
    };
    for (const auto& [windows, here] : faces)
        if (QFont::substitute(QString::fromUtf8(windows)).compare(QString::fromUtf8(here), Qt::CaseInsensitive) != 0)
            QFont::insertSubstitution(QString::fromUtf8(windows), QString::fromUtf8(here));
}

void PageInterpreter::DrawText(const FolRecord& r, PageState& s)
{
    QPainter& p = *s.Painter;
    const std::string& k = s.Keyword;
    const DrawInputs& in = s.In;
    TextSpec t;
    if (k == "@") {
        t.Field = true;
        t.Sjis = r.Text(2);
        TDataField* f = fields_.Find(in.FormPage, r.Text(1));
        FormPageFields* page = fields_.Page(in.FormPage);
        if (!f || f->Name.empty()) {
            t.Sjis.clear();
        } else {
            if (f->Once == 1 && f->Count > 0)
                t.Sjis.clear();
            double number = 0;
            if (TryStrToFloat(TextOf(r.Text(2)), number))
                f->Total += static_cast<std::int64_t>(std::llround(number * 10000));
            t.X = f->X;
            t.Y = f->Y;
            const int pitch = page ? page->Fields[0].Width : 0;
            if (pitch > 0) {
                t.Y = std::min(f->Y + f->Count * pitch, Round((paperHeightMM_ - 10) * 10));
                ++f->Count;
            }
            t.Face = f->FontName;
            t.Size = r.Int(3) != 0 ? r.Int(3) : f->Size;
            t.Style = ResolveStyle(r.Text(4).empty() ? f->Style : r.Text(4));
            t.Colour = f->Colour;
            t.Fill = f->Fill;
            t.Align = f->Alignment;
            t.Width = f->Width;
            t.VCentre = f->VCentre;
        }
        t.Dy = r.Int(5);
    } else {
        t.X = r.Int(1);
        t.Y = r.Int(2);
        t.Sjis = r.Text(3);
        t.Face = TextOf(r.Text(4));
        t.Size = r.Int(5, 10);
        t.Style = ResolveStyle(r.Text(6));
        t.Colour = ResolveColour(r.Text(7), settings_.Colours);
        t.Fill = ResolveFill(r.Text(8), settings_.Colours);
        t.Align = ResolveAlignment(r.Text(9));
        t.Width = r.Int(10);
        t.VCentre = r.Int(11);
    }
    if (t.Sjis.empty())
        return;
    const std::string face = ResolveFace(t.Face, FaceInstalled);
    if (face == BarCodeFace) {
        WriteErrorLog("ImageOut.(" + k + ")", "バーコードフォント JAN には対応していません");
        return;
    }

    auto pixelHeight = [&](int size) {
        if (size <= 0)
            size = 10;
        if (s.VRatio != 0 && s.VRatio != 1000)
            return Round(size * in.Dpi * s.VRatio * 0.001) / 72;
        return Round(size * static_cast<double>(in.Dpi) / 72.0);
    };
    int size = t.Size;
    QFont font = RecordFont(face, pixelHeight(size), t.Style);
    const QColor colour = ToQColor(AdjustColour(t.Colour, s.FormGrey, settings_.GreyScale));
    std::optional<QColor> fill;
    if (t.Fill)
        fill = ToQColor(AdjustColour(*t.Fill, s.FormGrey, settings_.GreyScale));
    const Glyphs g = SplitGlyphs(t.Sjis);
    QFontMetricsF fm(font, p.device());
    const int height = pixelHeight(size);
    const int q = t.VCentre == 1 ? Round(height * 0.5 - 0.55) : 0;
    const double textWidth = fm.horizontalAdvance(g.Text);
    int x0 = s.H(Round(t.X * in.HFactor));
    if (t.Align == TextAlign::Centre)
        x0 -= Round(textWidth / 2);
    else if (t.Align == TextAlign::Right)
        x0 -= Round(textWidth);
    else if (t.VCentre == 1)
        x0 -= Round(fm.horizontalAdvance(g.Chars.front()) / 2);
    const int base = s.H(s.OriginX + s.OffsetX);
    const int top = s.Y(t.Y) - q;

    // Characters placed one step (0.1 mm per byte) apart from start.
    auto spread = [&](double start, bool fit) {
        const std::size_t n = g.Chars.size();
        const int b = g.TotalBytes - g.Bytes.back();
        auto stepOf = [&] {
            const QFontMetricsF m(font, p.device());
            return b > 0 ? (t.Width - m.horizontalAdvance(g.Chars.back()) / in.HFactor) / b : 0.0;
        };
        double step = stepOf();
        const QFontMetricsF m(font, p.device());
        const bool firstTooWide = m.horizontalAdvance(g.Chars.front()) > step * in.HFactor;
        if (t.Field && firstTooWide && (!fit || m.horizontalAdvance(g.Text) > t.Width * in.HFactor)) {
            font = RecordFont(face, pixelHeight(--size), t.Style);
            step = stepOf();
        } else if (fit && firstTooWide && m.horizontalAdvance(g.Text) > t.Width * in.HFactor &&
                   m.horizontalAdvance(g.Text) > 0) {
            font.setStretch(std::clamp(Round(t.Width * in.HFactor / m.horizontalAdvance(g.Text) * 100), 1, 4000));
            step = stepOf();
        }
        if (n <= 1 || step <= 0) {
            Paint(p, font, QPointF(base + x0, top), g.Text, fill, colour);
            return;
        }
        int before = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const int x = base + s.H(Round((start + before * step) * in.HFactor));
            Paint(p, font, QPointF(x, top), g.Chars[i], fill, colour);
            before += g.Bytes[i];
        }
    };
    auto fitStart = [&] {
        if (t.Align == TextAlign::Centre)
            return t.X - t.Width / 2.0;
        if (t.Align == TextAlign::Right)
            return static_cast<double>(t.X - t.Width);
        return static_cast<double>(t.X);
    };

    if (k == "VTEXT") {
        const std::size_t n = g.Chars.size();
        const double first = fm.height() / in.VFactor;
        const double step = n < 3 ? t.Width - first : std::round((t.Width - first) / (n - 1));
        if (step < 1) {
            Paint(p, font, QPointF(base + x0, top), g.Text, fill, colour);
            return;
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (g.Chars[i] == QString::fromUtf8("ー")) {
                // Drawn in the vertical variant of the face, which this
                // machine does not have.
                WriteErrorLog("ImageOut.(VTEXT)", "縦書きフォントには対応していません");
                continue;
            }
            const int y = s.Y(Round(t.Y + i * step)) - q;
            Paint(p, font, QPointF(base + x0, y), g.Chars[i], fill, colour);
        }
        return;
    }
    if (k == "UTEXT" || (t.Field && t.Width > 0)) {
        if (t.Width <= 0 || g.Chars.size() <= 1) {
            Paint(p, font, QPointF(base + x0, top), g.Text, fill, colour);
            return;
        }
        spread(t.Style.Fit ? fitStart() : t.X, t.Style.Fit);
        return;
    }
    if (t.Style.Fit && t.Width > 0 && textWidth > t.Width * in.HFactor && g.Chars.size() > 1) {
        spread(fitStart(), true);
        return;
    }
    if (g.Text.contains('\t')) {
        const QStringList lines = g.Text.split('\t');
        const int lift = t.Dy < 0 ? Round(-t.Dy * in.VFactor) : 0;
        for (int i = 0; i < lines.size(); ++i)
            Paint(p, font, QPointF(base + x0, top - lift + i * fm.height()), lines[i], fill, colour);
        return;
    }
    const double x = t.X == 0 ? s.Current.x() : base + x0;
    const double y = t.Y == 0 ? s.Current.y() : top;
    Paint(p, font, QPointF(x, y), g.Text, fill, colour);
    if (t.Style.DoubleUnderline) {
        const int spaces = std::clamp(g.TotalBytes, 1, 126);
        Paint(p, font, QPointF(x, y + Round(4 * in.VFactor)), QString(spaces, ' '), std::nullopt, colour);
    }
    s.Current = QPointF(x + textWidth, y);
}

void PageInterpreter::DrawMemo(const FolRecord& r, PageState& s)
{
    QPainter& p = *s.Painter;
    const DrawInputs& in = s.In;
    const std::string face = ResolveFace(TextOf(r.Text(7)), FaceInstalled);
    const int size = r.Int(8, 10) > 0 ? r.Int(8, 10) : 10;
    const QFont font = RecordFont(face, Round(size * static_cast<double>(in.Dpi) / 72.0), ResolveStyle(r.Text(9)));
    const QColor colour =
        ToQColor(AdjustColour(ResolveColour(r.Text(10), settings_.Colours), s.FormGrey, settings_.GreyScale));
    const int frame = r.Int(6);
    if (frame >= 0) {
        // Five device units outside the box, without the ratio.
        const auto dx = [&](int x) { return Round(x * in.HFactor) + s.OffsetX + s.OriginX; };
        const auto dy = [&](int y) { return Round(y * in.VFactor) + s.OffsetY + s.OriginY; };
        QPen pen(colour);
        pen.setWidth(Round(frame * in.HFactor));
        p.setPen(pen);
        p.setBrush(Qt::white);
        p.drawRect(QRect(QPoint(dx(r.Int(1)) - 5, dy(r.Int(2)) - 5), QPoint(dx(r.Int(3)) + 5, dy(r.Int(4)) + 5)));
    }
    const QFontMetricsF fm(font, p.device());
    const double boxWidth = (r.Int(3) - r.Int(1)) * in.HFactor;
    const int x = s.X(r.Int(1));
    const int bottom = s.Y(r.Int(4));
    double y = s.Y(r.Int(2));
    const Glyphs g = SplitGlyphs(r.Text(5));
    QStringList lines = g.Text.split(QRegularExpression("\r\n|\r|\n"));
    for (const QString& line : lines) {
        int at = 0;
        while (at < line.size() || (line.isEmpty() && at == 0)) {
            // Greedy, but at least one character a piece, so a box narrower
            // than one character still ends.
            int len = 1;
            while (at + len < line.size() && fm.horizontalAdvance(line.mid(at, len + 1)) <= boxWidth)
                ++len;
            if (y + fm.height() > bottom)
                return;
            if (!line.isEmpty())
                Paint(p, font, QPointF(x, y), line.mid(at, len), std::nullopt, colour);
            y += fm.height();
            at += line.isEmpty() ? 1 : len;
        }
    }
}

void PageInterpreter::DrawMaruMoji(const FolRecord& r, PageState& s)
{
    QPainter& p = *s.Painter;
    const DrawInputs& in = s.In;
    const TextStyle style = ResolveStyle(r.Text(7));
    const std::string face = ResolveFace(TextOf(r.Text(5)), FaceInstalled);
    const int size = r.Int(6, 10) > 0 ? r.Int(6, 10) : 10;
    const QFont font = RecordFont(face, Round(size * static_cast<double>(in.Dpi) / 72.0), style);
    const QColor colour =
        ToQColor(AdjustColour(ResolveColour(r.Text(8), settings_.Colours), s.FormGrey, settings_.GreyScale));
    const int cx = s.X(r.Int(1));
    const int cy = s.Y(r.Int(2));
    QPen pen(colour);
    pen.setWidth(Round((style.Bold ? 2 : 1) * in.HFactor));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.setBackgroundMode(Qt::TransparentMode);
    const int radius = Round(r.Int(3) * 0.5 * in.VFactor);
    p.drawEllipse(QPoint(cx, cy), radius, radius);
    const Glyphs g = SplitGlyphs(r.Text(4));
    const QFontMetricsF fm(font, p.device());
    Paint(p, font, QPointF(cx - Round(fm.horizontalAdvance(g.Text) / 2), cy - Round(fm.height() / 2)), g.Text,
          std::nullopt, colour);
}

void PageInterpreter::DrawSLine(const FolRecord& r, PageState& s)
{
    QPainter& p = *s.Painter;
    const DrawInputs& in = s.In;
    const std::string face = ResolveFace(TextOf(r.Text(8)), FaceInstalled);
    const int size = r.Int(9, 10) > 0 ? r.Int(9, 10) : 10;
    const QFont font = RecordFont(face, Round(size * static_cast<double>(in.Dpi) / 72.0), TextStyle{});
    const QFontMetricsF fm(font, p.device());
    const int digits = Round(fm.horizontalAdvance(QStringLiteral("000")));
    p.setPen(
        MakePen(s.Width(r.Int(5)), r.Int(6),
                ToQColor(AdjustColour(ResolveColour(r.Text(7), settings_.Colours), s.FormGrey, settings_.GreyScale))));
    const int y1 = s.Y(r.Int(2));
    const int y2 = s.Y(r.Int(3));
    // An amount column has a handful of digit groups; a wild count must not
    // stall the page.
    const int count = std::min(r.Int(4), 64);
    for (int k = 1; k <= count; ++k) {
        const int d = k * digits + 1;
        const int x = s.H(Round(r.Int(1) * in.HFactor) + s.OffsetX + s.OriginX - d);
        p.drawLine(QPoint(x, y1), QPoint(x, y2));
    }
}

}  // namespace fol
