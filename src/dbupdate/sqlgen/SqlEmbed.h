#pragma once
// Writes the C++ source that embeds the update units' SQL files in the
// program (see dbupdate/EmbeddedSql.h).
//
// Every file becomes a list of ordinary string literals, one per line with
// each byte outside printable ASCII written as an octal escape, so that no
// text of a file (quotes, backslashes, a ")" that would end a raw string,
// carriage returns) can change what the compiler reads. The literals of a
// file are grouped into pieces of at most PieceBytes bytes, each piece a
// string_view of its own, so that no single literal comes near the length
// limits some compilers set; the program joins the pieces again.

#include <cstddef>
#include <map>
#include <string>

namespace sqlgen {

constexpr std::size_t PieceBytes = 16000;

// files: the expanded text of each file by its name relative to the
// folder ("accounting/011/drops.sql"). The source defines
// embeddedsql::GeneratedFiles() as declared in dbupdate/EmbeddedSql.h.
std::string EmbeddedSqlSource(const std::map<std::string, std::string>& files);

}  // namespace sqlgen
