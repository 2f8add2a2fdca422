#pragma once
// The record language of print files (".FOL") and form files (".FOF").
//
// A file is CP932 text, one record a line, lines ended by CR LF. Fields are
// separated by ";", the first field is the keyword (compared in upper case).
// Records stay CP932 bytes until a text field is drawn, so a lone byte that
// some other writer left in a file costs one character, never the line.
//
// Decisions this engine holds to where the language leaves a choice (the
// golden files of the writer's tests pin the written side):
//  - Hexadecimal in the header's colour lines is written in upper case
//    ("*NETC1=$C0C0C0"); readers accept either case.
//  - A number field is trimmed of blanks (space, tab) and read as an
//    optional sign and decimal digits, or "$" and hexadecimal digits (signed
//    32-bit). Anything else (decimals, "0x", exponents, trailing text) or a
//    value outside 32 bits reads as the field's default.
//  - Text fields are not trimmed (the writer pads with spaces on purpose) and
//    "//" is not a comment inside a record; only the field helpers of
//    FieldSplit.h cut at "//".
//  - A field missing at the end of a line reads as empty; the reader never
//    stops to ask the user about a short record.
//  - Pen styles 0-5 are solid, dash, dot, dash-dot, dash-dot-dot, clear; any
//    other number draws solid. Brush styles are 0 solid, 1 clear, 2
//    horizontal, 3 vertical, 4 forward diagonal, 5 backward diagonal, 6 cross,
//    7 diagonal cross; any other number draws solid.
//  - The system colours (colour numbers 16-35) keep their negative encoding
//    until drawing, where they take the classic Windows default colours.
//  - The writer puts CR LF after every line, the last one included; the
//    reader takes a last line with or without it.
//  - A CR or LF inside a text is written as one space (a CR LF pair as one
//    space), so no text can end a record or forge a page end.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fol {

// A colour as the engine keeps it: $00BBGGRR, or 0x80000000 | n for the
// platform's system colour n.
using TColor = std::int32_t;
constexpr TColor SystemColourFlag = static_cast<TColor>(0x80000000u);
constexpr TColor FormGrey = 0xE6E6E6;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Black = 0x000000;

// One record line split into its fields (CP932 bytes, double quotes gone).
class FolRecord final {
public:
    // line: one line without its line end. formDefinitions: the line is read
    // for "&"/"$" definitions, where a missing end gets ";0;" added.
    explicit FolRecord(std::string_view line, bool formDefinitions = false);

    const std::string& Keyword() const { return keyword_; }  // upper case
    // Field n (1 = first after the keyword); empty when missing.
    const std::string& Text(std::size_t n) const;
    int Int(std::size_t n, int def = 0) const;
    std::size_t FieldCount() const { return fields_.size(); }
    // The line as it was read (quotes removed, ";" appended).
    const std::string& Line() const { return line_; }

private:
    std::string line_;
    std::string keyword_;
    std::vector<std::string> fields_;
};

// The number grammar above; nullopt when the text is not a number.
std::optional<std::int32_t> ParseNumber(std::string_view text);
int NumberOr(std::string_view text, int def);

// A line that ends a page: its first two characters are "E;" in either case.
bool IsPageEnd(std::string_view line);

// A text field (CP932) as UTF-8 for drawing; a byte that is no character of
// CP932 shows as U+FFFD, so a damaged field costs one character, not the
// record.
std::string TextOf(std::string_view sjis);

// Upper case of the ASCII letters only; CP932 trail bytes are left alone.
std::string UpperAscii(std::string_view text);

// The document's colours that colour fields can name.
struct ColourSet {
    TColor Net1 = 0xC0C0C0;
    TColor Net2 = 0xC0C0C0;
    TColor User1 = 0x000000;
    TColor User2 = 0x000000;
    TColor OcrGreen = 0x2CBE00;
    TColor OcrBlue = 0xAC661F;
    TColor OcrBrown = 0x23234D;
    TColor OcrPink = 0x7F02F0;
    TColor OcrOrange = 0x41B3FE;
    TColor OcrViolet = 0x903D57;
    TColor OcrPurple = 0x741A82;
};

// A colour field (CP932 bytes) to its colour, before the form grey and the
// grey scale.
TColor ResolveColour(std::string_view field, const ColourSet& colours);
// The form grey (form drawn without its colours) and then the grey scale.
TColor AdjustColour(TColor colour, bool formGrey, bool greyScale);
// The colour as red, green and blue; system colours take their defaults.
void ColourToRgb(TColor colour, int& red, int& green, int& blue);

// A fill field of the text records: nullopt for no background.
std::optional<TColor> ResolveFill(std::string_view field, const ColourSet& colours);

enum class TextAlign { Left = 0, Centre = 1, Right = 2 };
TextAlign ResolveAlignment(std::string_view field);

struct TextStyle {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool DoubleUnderline = false;
    bool Fit = false;  // "C": fit to width (UTEXT, "@") or condense (TEXT)
};
TextStyle ResolveStyle(std::string_view field);

// Font faces: "" is "ＭＳ 明朝", "OCR-B" the first installed of "OCR-B",
// "OCRB", "ＭＳ ゴシック", "JAN" the bar-code face; any other name as given.
// The field and the result are UTF-8.
std::string ResolveFace(std::string_view face, const std::function<bool(const std::string&)>& installed);
constexpr const char* DefaultFace = "ＭＳ 明朝";
constexpr const char* BarCodeFace = "JAN";

// Pen and brush styles by their numbers (see the decisions above).
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
PenStyle PenStyleOf(int number);
BrushStyle BrushStyleOf(int number);

}  // namespace fol
