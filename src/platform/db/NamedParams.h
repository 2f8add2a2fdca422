#pragma once
// Named parameters in SQL text: ":NAME" becomes the positional "?" that the
// server understands, and the names are kept in the order of the "?".
//
// A colon inside a string literal ('12:30'), a quoted name ("A:B"), a line
// comment (-- ...) or a block comment (/* ... */) is not a parameter. A name
// is a letter or "_" followed by letters, digits, "_" and "$", and is kept in
// upper case (names are case-insensitive). A "?" already in the text stays a
// positional parameter without a name ("" in the list).

#include <string>
#include <string_view>
#include <vector>

namespace db {

struct NamedParamSql {
    std::string sql;                 // the text with "?" for each parameter
    std::vector<std::string> names;  // one per "?", upper case
};

NamedParamSql TranslateNamedParams(std::string_view sql);

}  // namespace db
