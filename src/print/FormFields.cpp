#include "print/FormFields.h"

#include "platform/Cp932.h"

namespace fol {
namespace {

// The fields "&" and "$" share: x, y, name, font, size, style, colour,
// fill and alignment.
template <typename Slot>
void ReadDefinition(const FolRecord& r, const std::string& name, int xOffset, int yOffset, const ColourSet& colours,
                    Slot& slot)
{
    slot.Name = name;
    slot.X = r.Int(1) + xOffset;
    slot.Y = r.Int(2) + yOffset;
    slot.FontName = TextOf(r.Text(4));
    slot.Size = r.Int(5);
    slot.Style = UpperAscii(r.Text(6));
    slot.Colour = ResolveColour(r.Text(7), colours);
    slot.Fill = ResolveFill(r.Text(8), colours);
    slot.Alignment = ResolveAlignment(r.Text(9));
}

}  // namespace

void FormFieldTables::Clear()
{
    for (auto& page : pages_)
        page = FormPageFields{};
    pagesLoaded_ = 0;
}

int FormFieldTables::Load(const std::vector<std::string>& lines, int xOffset, int yOffset, const ColourSet& colours)
{
    Clear();
    static const std::string pitchName = cp932::FromUtf8("行間");
    int page = 0;
    for (const auto& line : lines) {
        const FolRecord r(line, true);
        if (r.Keyword() == "E") {
            if (++page >= FormPages)
                break;
            continue;
        }
        FormPageFields& p = pages_[static_cast<std::size_t>(page)];
        if (r.Keyword() == "&") {
            const std::string name = UpperAscii(r.Text(3));
            std::size_t slot;
            if (name == "0" || name == pitchName) {
                slot = 0;
            } else {
                if (p.FieldsUsed + 1 >= FieldSlots)
                    continue;
                slot = static_cast<std::size_t>(++p.FieldsUsed);
            }
            TDataField& f = p.Fields[slot];
            f = TDataField{};
            ReadDefinition(r, name, xOffset, yOffset, colours, f);
            if (f.Size == 0)
                f.Size = 12;
            f.Width = r.Int(10);
            f.Once = r.Int(11);
            f.VCentre = r.Int(12);
        } else if (r.Keyword() == "$") {
            const std::string name = UpperAscii(r.Text(3));
            TTotalField* known = nullptr;
            for (auto& t : p.Totals)
                if (t.Name == name)
                    known = &t;
            if (known) {
                known->Shown = 1;
                if (p.Displays.size() >= DisplaySlots)
                    continue;
                TotalDisplay d;
                ReadDefinition(r, name, xOffset, yOffset, colours, d);
                d.Number1 = r.Int(10);
                d.Number2 = r.Int(11);
                p.Displays.push_back(std::move(d));
            } else if (p.Totals.size() < TotalSlots) {
                p.Totals.push_back({name, r.Int(1) + xOffset, r.Int(2) + yOffset, 0, 0});
            }
        }
    }
    pagesLoaded_ = page;
    return page;
}

FormPageFields* FormFieldTables::Page(int index)
{
    return index >= 0 && index < FormPages ? &pages_[static_cast<std::size_t>(index)] : nullptr;
}

TDataField* FormFieldTables::Find(int page, const std::string& name)
{
    FormPageFields* p = Page(page);
    if (!p)
        return nullptr;
    const std::string upper = UpperAscii(name);
    // Every slot a definition can take is searched: a form with more than a
    // hundred fields still finds its last ones.
    for (int slot = 1; slot <= p->FieldsUsed; ++slot)
        if (p->Fields[static_cast<std::size_t>(slot)].Name == upper)
            return &p->Fields[static_cast<std::size_t>(slot)];
    return nullptr;
}

void FormFieldTables::ResetCounts(int page)
{
    FormPageFields* p = Page(page);
    if (!p)
        return;
    for (auto& f : p->Fields) {
        f.Count = 0;
        f.Total = 0;
    }
    for (auto& t : p->Totals)
        t.Total = 0;
}

}  // namespace fol
