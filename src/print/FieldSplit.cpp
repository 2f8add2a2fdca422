#include "print/FieldSplit.h"

#include "platform/NumberText.h"

namespace fol {

int SplitFields(std::string_view text, char separator, std::vector<std::string>& pieces)
{
    pieces.clear();
    if (const auto comment = text.find("//"); comment != std::string_view::npos)
        text = text.substr(0, comment);
    if (text.empty())
        return 0;
    int count = 0;
    while (count < MaxSeparators) {
        const auto at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
        ++count;
    }
    pieces.emplace_back(text);
    return count;
}

std::string FieldOf(std::string_view text, char separator, int n)
{
    std::vector<std::string> pieces;
    const int count = SplitFields(text, separator, pieces);
    if (n < 0 || n > count)
        return {};
    std::string_view piece = pieces[static_cast<std::size_t>(n)];
    while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t'))
        piece.remove_prefix(1);
    while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t'))
        piece.remove_suffix(1);
    return std::string(piece);
}

double SafeStrToFloat(std::string_view text)
{
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0;
}

}  // namespace fol
