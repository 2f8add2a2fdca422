#pragma once
// The engine's font-name lists, filled once at engine start: the faces of
// the Shift-JIS, symbol, Eastern European and OEM character sets, and all
// faces. A record's face is looked up in them (the OCR-B fallbacks in the
// list of all faces).
//
// The faces come from the font database by writing system: Japanese for
// Shift-JIS, Symbol for symbol. Fontconfig does not sort faces by the
// Eastern European or OEM code pages, so those two lists stay empty here.

#include <string>
#include <vector>

namespace fol {

struct FontNameLists {
    std::vector<std::string> ShiftJis;
    std::vector<std::string> Symbol;
    std::vector<std::string> EasternEuropean;
    std::vector<std::string> Oem;
    std::vector<std::string> All;
};

// Appends face (UTF-8) unless it equals, ignoring case, the face added just
// before it.
void AddFaceOnce(std::vector<std::string>& list, const std::string& face);
// Whether the list holds the face, ignoring case.
bool FaceListed(const std::vector<std::string>& list, const std::string& face);

// Fills the lists from the font database; throws std::runtime_error
// without the GUI application object (no font database then).
void FillFontNameLists();
void ClearFontNameLists();
const FontNameLists& FontNames();

}  // namespace fol
