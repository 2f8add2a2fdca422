#pragma once
// The named fields ("&") and totals ("$") a form file defines, per form page,
// and the "@" lookups of a print file into them.

#include "print/FolFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fol {

struct TDataField {
    std::int32_t Count = 0;  // references so far on the page being drawn
    std::string Name;        // upper case, CP932
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::string FontName = DefaultFace;  // UTF-8
    std::int32_t Size = 10;
    std::string Style;  // upper case
    TColor Colour = 0;
    std::optional<TColor> Fill;
    TextAlign Alignment = TextAlign::Left;
    std::int32_t Width = 0;
    std::int32_t Once = 0;
    std::int32_t VCentre = 0;
    std::int64_t Total = 0;  // running total of the references, in 1/10000
};

struct TTotalField {
    std::string Name;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int64_t Total = 0;
    std::uint8_t Shown = 0;
};

// How a known total is to be shown ("$" naming an existing total).
struct TotalDisplay {
    std::string Name;
    std::int32_t X = 0, Y = 0;
    std::string FontName;
    std::int32_t Size = 0;
    std::string Style;
    TColor Colour = 0;
    std::optional<TColor> Fill;
    TextAlign Alignment = TextAlign::Left;
    std::int32_t Number1 = 0, Number2 = 0;
};

constexpr int FormPages = 5;
constexpr int FieldSlots = 200;
constexpr int TotalSlots = 200;
constexpr int DisplaySlots = 10;

struct FormPageFields {
    std::array<TDataField, FieldSlots> Fields;
    int FieldsUsed = 0;  // slots 1.. taken
    std::vector<TTotalField> Totals;
    std::vector<TotalDisplay> Displays;
};

class FormFieldTables final {
public:
    // Clears every page's slots (size 10, "ＭＳ 明朝").
    void Clear();
    // Reads the "&" and "$" definitions of a form file's lines into pages 0-4,
    // counting page-end records and stopping at the 5th; the offsets are
    // added to every definition. Returns the number of page ends counted.
    int Load(const std::vector<std::string>& lines, int xOffset, int yOffset, const ColourSet& colours);

    // nullptr for a page index of 5 or more.
    FormPageFields* Page(int index);
    // The slot named name (CP932, any case) on the page, among slots 1-199.
    TDataField* Find(int page, const std::string& name);
    // Resets every reference count and running total of the page.
    void ResetCounts(int page);
    int PagesLoaded() const { return pagesLoaded_; }

private:
    std::array<FormPageFields, FormPages> pages_;
    int pagesLoaded_ = 0;
};

}  // namespace fol
