#pragma once
// Expands the repetition in the installation's SQL files.
//
// The company schema carries the same column, variable or branch once per
// period (16), per month (12) or per earlier period (48). Written out by
// hand the copies drift apart, so the source holds each list once, as a
// template, and the build writes the text that isql-fb runs and a reader
// opens. The directives are SQL comments opening with "/*@", so that a
// template still reads as SQL.
//
// A list of lines: a FOR standing alone on its line repeats the lines up to
// the matching END (alone on its line) once per value; the two directive
// lines are not written.
//
//     /*@ FOR N IN 1..16 */
//     DECLARE VARIABLE A{NN} NUMERIC(16,4);
//     /*@ END */
//
// A list within a line: a FOR with its END on the same line repeats the
// text between them, joined by the JOIN text.
//
//     INTO /*@ FOR N IN 1..16 JOIN ", " WRAP 8 */:KAR{NN}/*@ END */;
//
// "\n" in the JOIN text breaks the line, and "WRAP n" breaks it after every
// n-th item (the break takes the place of the blanks that end the JOIN
// text); either way the next line continues at the column where the FOR
// stood, under the first item. Columns count characters, not bytes.
//
// Values: numbers and ranges separated by commas ("1..3, 5..7"); a range
// counts down when it starts above its end ("32..0"), and numbers may be
// negative ("-32..15"). Or words separated by commas, for statements that
// differ only in a name (the A4 and A3 forms of a procedure, the tables
// that take the same column):
//
//     /*@ FOR T IN DATALIST, SERVERDATALIST */
//     ALTER TABLE {T} ADD GASSAN INTEGER DEFAULT 0;
//     /*@ END */
//
// A word is letters, digits and underscores, not starting with a digit; a
// list holds numbers or words, not both.
//
// The loop variable is one capital letter; in the repeated text {N} is its
// value and {NN}, {NNN} the value zero-padded to two or three digits (a
// minus sign goes before the digits); a word is written as it is, by {N}
// only. Inside a FOR every such brace must
// name a variable of an enclosing FOR; outside any FOR the text is left
// exactly as it is, so a file without directives comes out byte for byte.
//
// A list of lines may hold further lists of either kind; a list within a
// line holds no further directive. The expander reads lines, not SQL:
// "/*@" anywhere, even inside a string literal, opens a directive, and a
// directive closes on its own line. A malformed template throws
// SqlTemplateError naming the template's line.

#include <stdexcept>
#include <string>
#include <string_view>

namespace sqlgen {

class SqlTemplateError final : public std::runtime_error {
public:
    SqlTemplateError(int line, const std::string& message);

    // The 1-based line of the template that holds the fault.
    int Line() const noexcept { return line_; }
    // The fault without its line ("FOR without END").
    const std::string& Fault() const noexcept { return fault_; }

private:
    int line_;
    std::string fault_;
};

// The expanded text of a template.
std::string ExpandSqlTemplate(std::string_view text);

}  // namespace sqlgen
