#include "dbupdate/sqlgen/SqlEmbed.h"

#include <cstdio>
#include <vector>

namespace sqlgen {

namespace {

// A C++ string literal holding the bytes exactly.
std::string Literal(std::string_view bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u < 0x7F && c != '?') {
            out += c;
        } else {
            // Octal escapes take at most three digits, so a digit after one
            // is never read as part of it ("?" too, against trigraphs).
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", u);
            out += escape;
        }
    }
    return out + "\"";
}

// The text cut after line ends into pieces of at most PieceBytes bytes (a
// longer line makes a piece of its own).
std::vector<std::string_view> Pieces(std::string_view text)
{
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        std::size_t cut = text.size();
        if (cut > PieceBytes) {
            const std::size_t newline = text.rfind('\n', PieceBytes - 1);
            cut = newline == std::string_view::npos ? PieceBytes : newline + 1;
        }
        pieces.push_back(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    return pieces;
}

}  // namespace

std::string EmbeddedSqlSource(const std::map<std::string, std::string>& files)
{
    std::string out =
        "// Written by ledrix_sqlgen --embed from the update units' SQL files; edit those, not this.\n"
        "#include \"dbupdate/EmbeddedSql.h\"\n"
        "\n"
        "namespace embeddedsql {\n"
        "\n"
        "const std::vector<TGeneratedFile>& GeneratedFiles()\n"
        "{\n"
        "    static const std::vector<TGeneratedFile> files{\n";
    for (const auto& [name, text] : files) {
        out += "        {" + Literal(name) + ", {\n";
        for (const std::string_view piece : Pieces(text)) {
            out += "            std::string_view(\n";
            std::string_view rest = piece;
            while (!rest.empty()) {
                const std::size_t newline = rest.find('\n');
                const std::size_t length = newline == std::string_view::npos ? rest.size() : newline + 1;
                out += "                " + Literal(rest.substr(0, length)) + "\n";
                rest.remove_prefix(length);
            }
            // The length is given, so a NUL byte in the text would not cut it short.
            out += "                , " + std::to_string(piece.size()) + "),\n";
        }
        out += "        }},\n";
    }
    out +=
        "    };\n"
        "    return files;\n"
        "}\n"
        "\n"
        "} // namespace embeddedsql\n";
    return out;
}

}  // namespace sqlgen
