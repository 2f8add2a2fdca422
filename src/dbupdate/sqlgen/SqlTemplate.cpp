#include "dbupdate/sqlgen/SqlTemplate.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace sqlgen {

SqlTemplateError::SqlTemplateError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line), fault_(message)
{}

namespace {

constexpr std::string_view DirectiveOpen = "/*@";
constexpr std::string_view CommentClose = "*/";

// A slip such as 1..1600 should stop the build, not write a script of
// thousands of columns.
constexpr std::size_t MaxValues = 1000;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsBlank);
}

bool IsWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A value of a FOR: a number, or a word of a word list.
struct Value {
    int number = 0;
    std::string word;  // empty for a number
};

struct ForClause {
    char var = 0;
    std::vector<Value> values;
    std::optional<std::string> join;
    int wrap = 0;  // 0: no breaks
};

// One "/*@ ... */" of a line.
struct Directive {
    std::size_t begin = 0;  // where "/*@" starts
    std::size_t end = 0;    // just past "*/"
    bool isEnd = false;
    ForClause clause;
};

// Reads the words between "/*@" and "*/".
class DirectiveReader {
public:
    DirectiveReader(std::string_view text, int line) : text_(text), line_(line) {}

    Directive Read()
    {
        Directive directive;
        SkipBlanks();
        if (TakeWord("END")) {
            directive.isEnd = true;
            ExpectEnd("END");
            return directive;
        }
        if (!TakeWord("FOR"))
            Fail("unknown directive \"" + std::string(Trimmed(text_)) + "\"; FOR or END expected");
        SkipBlanks();
        if (AtEnd() || text_[at_] < 'A' || text_[at_] > 'Z' || (at_ + 1 < text_.size() && IsWordChar(text_[at_ + 1])))
            Fail("FOR needs a loop variable of one capital letter");
        directive.clause.var = text_[at_++];
        SkipBlanks();
        if (!TakeWord("IN"))
            Fail(std::string("FOR ") + directive.clause.var + " needs IN and its values");
        ReadValues(directive.clause.values);
        ReadOptions(directive.clause);
        return directive;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw SqlTemplateError(line_, message); }

    bool AtEnd() const { return at_ >= text_.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(text_[at_]))
            ++at_;
    }

    std::string Rest() const { return std::string(Trimmed(text_.substr(std::min(at_, text_.size())))); }

    bool Take(std::string_view token)
    {
        if (text_.substr(at_, token.size()) != token)
            return false;
        at_ += token.size();
        return true;
    }

    bool TakeWord(std::string_view word)
    {
        if (text_.substr(at_, word.size()) != word)
            return false;
        const std::size_t after = at_ + word.size();
        if (after < text_.size() && IsWordChar(text_[after]))
            return false;
        at_ = after;
        return true;
    }

    void ExpectEnd(std::string_view after)
    {
        SkipBlanks();
        if (!AtEnd())
            Fail("unexpected \"" + Rest() + "\" after " + std::string(after));
    }

    int TakeNumber(std::string_view what)
    {
        SkipBlanks();
        const char* first = text_.data() + at_;
        const char* last = text_.data() + text_.size();
        int value = 0;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec != std::errc() || ptr == first)
            Fail(std::string(what) + " expected at \"" + Rest() + "\"");
        at_ += static_cast<std::size_t>(ptr - first);
        return value;
    }

    // A word of letters, digits and underscores, starting with a letter or
    // an underscore; empty when none starts here.
    std::string TakeName()
    {
        SkipBlanks();
        const std::size_t start = at_;
        if (AtEnd() || !IsWordChar(text_[at_]) || (text_[at_] >= '0' && text_[at_] <= '9'))
            return {};
        while (!AtEnd() && IsWordChar(text_[at_]))
            ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

    // Words separated by commas; the first word has been read.
    void ReadWords(std::vector<Value>& values, std::string first)
    {
        for (;;) {
            if (values.size() == MaxValues)
                Fail("more than " + std::to_string(MaxValues) + " values");
            values.push_back({0, std::move(first)});
            SkipBlanks();
            if (!Take(","))
                return;
            first = TakeName();
            if (first.empty())
                Fail("a word expected at \"" + Rest() + "\"; a list holds numbers or words, not both");
        }
    }

    void ReadValues(std::vector<Value>& values)
    {
        if (std::string word = TakeName(); !word.empty()) {
            SkipBlanks();
            if (text_.substr(at_, 2) == "..")
                Fail("a number expected at \"" + word + Rest() + "\"; a range runs between numbers");
            ReadWords(values, std::move(word));
            return;
        }
        do {
            const int from = TakeNumber("a number");
            SkipBlanks();
            const int to = Take("..") ? TakeNumber("the end of the range") : from;
            const std::size_t count = static_cast<std::size_t>(std::abs(static_cast<long long>(to) - from)) + 1;
            if (values.size() + count > MaxValues)
                Fail("more than " + std::to_string(MaxValues) + " values");
            const int step = from <= to ? 1 : -1;
            for (int v = from;; v += step) {
                values.push_back({v, {}});
                if (v == to)
                    break;
            }
            SkipBlanks();
        } while (Take(","));
    }

    void ReadOptions(ForClause& clause)
    {
        bool wrapSeen = false;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                return;
            if (TakeWord("JOIN")) {
                if (clause.join)
                    Fail("JOIN given twice");
                clause.join = TakeQuoted();
            } else if (TakeWord("WRAP")) {
                if (wrapSeen)
                    Fail("WRAP given twice");
                wrapSeen = true;
                clause.wrap = TakeNumber("the number of items per line");
                if (clause.wrap < 1)
                    Fail("WRAP needs at least one item per line");
            } else {
                Fail("unexpected \"" + Rest() + "\"; JOIN \"text\" or WRAP n expected");
            }
        }
    }

    // A double-quoted text; \n is a line break, \" and \\ the characters.
    std::string TakeQuoted()
    {
        SkipBlanks();
        if (!Take("\""))
            Fail("JOIN needs its text in double quotes");
        std::string text;
        for (;;) {
            if (AtEnd())
                Fail("JOIN text without its closing quote");
            const char c = text_[at_++];
            if (c == '"')
                return text;
            if (c != '\\') {
                text += c;
                continue;
            }
            const char escaped = AtEnd() ? '\0' : text_[at_++];
            if (escaped == 'n')
                text += '\n';
            else if (escaped == '"' || escaped == '\\')
                text += escaped;
            else
                Fail("unknown escape in the JOIN text; \\n, \\\" and \\\\ are known");
        }
    }

    std::string_view text_;
    int line_;
    std::size_t at_ = 0;
};

std::vector<Directive> FindDirectives(std::string_view line, int lineNo)
{
    std::vector<Directive> directives;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = line.find(DirectiveOpen, from);
        if (open == std::string_view::npos)
            return directives;
        const std::size_t contentAt = open + DirectiveOpen.size();
        const std::size_t close = line.find(CommentClose, contentAt);
        if (close == std::string_view::npos)
            throw SqlTemplateError(lineNo, "a directive closes on its own line");
        Directive directive = DirectiveReader(line.substr(contentAt, close - contentAt), lineNo).Read();
        directive.begin = open;
        directive.end = close + CommentClose.size();
        from = directive.end;
        directives.push_back(std::move(directive));
    }
}

struct InlineList {
    ForClause clause;
    std::string body;
};

using Segment = std::variant<std::string, InlineList>;

// A line of text (segments of text and lists within the line) or a list of
// lines (its FOR and the lines up to its END).
struct Node {
    int line = 0;
    bool isBlock = false;
    std::vector<Segment> segments;
    ForClause clause;
    std::vector<Node> children;
};

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, newline - start));
        start = newline + 1;
    }
}

class Parser {
public:
    explicit Parser(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    std::vector<Node> Parse() { return ParseLines(0); }

private:
    // The lines up to the END of the FOR on openLine, or to the end of the
    // text when openLine is 0.
    std::vector<Node> ParseLines(int openLine)
    {
        std::vector<Node> nodes;
        while (next_ < lines_.size()) {
            const int lineNo = static_cast<int>(next_) + 1;
            const std::string_view line = lines_[next_++];
            const std::vector<Directive> directives = FindDirectives(line, lineNo);
            if (directives.size() == 1 && IsBlankText(line.substr(0, directives.front().begin)) &&
                IsBlankText(line.substr(directives.front().end))) {
                const Directive& directive = directives.front();
                if (directive.isEnd) {
                    if (openLine == 0)
                        throw SqlTemplateError(lineNo, "END without FOR");
                    return nodes;
                }
                if (directive.clause.join || directive.clause.wrap != 0)
                    throw SqlTemplateError(lineNo,
                                           "JOIN and WRAP belong to a list within a line; "
                                           "a FOR alone on its line repeats whole lines");
                Node block;
                block.line = lineNo;
                block.isBlock = true;
                block.clause = directive.clause;
                block.children = ParseLines(lineNo);
                nodes.push_back(std::move(block));
                continue;
            }
            nodes.push_back(TextLine(line, directives, lineNo));
        }
        if (openLine != 0)
            throw SqlTemplateError(openLine, "FOR without END");
        return nodes;
    }

    static Node TextLine(std::string_view line, const std::vector<Directive>& directives, int lineNo)
    {
        Node node;
        node.line = lineNo;
        std::size_t from = 0;
        for (std::size_t i = 0; i < directives.size(); i += 2) {
            const Directive& open = directives[i];
            if (open.isEnd)
                throw SqlTemplateError(lineNo, "END without FOR");
            if (i + 1 == directives.size())
                throw SqlTemplateError(lineNo,
                                       "FOR without END on its line; a FOR that repeats whole lines "
                                       "stands alone on its line");
            const Directive& close = directives[i + 1];
            if (!close.isEnd)
                throw SqlTemplateError(lineNo, "a list within a line holds no further FOR");
            node.segments.emplace_back(std::string(line.substr(from, open.begin - from)));
            node.segments.emplace_back(
                InlineList{open.clause, std::string(line.substr(open.end, close.begin - open.end))});
            from = close.end;
        }
        node.segments.emplace_back(std::string(line.substr(from)));
        return node;
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

std::string Padded(int value, std::size_t width)
{
    std::string digits = std::to_string(std::abs(static_cast<long long>(value)));
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// Characters (not bytes) since the last line break.
std::size_t Column(std::string_view text)
{
    const std::size_t newline = text.rfind('\n');
    const std::string_view last = newline == std::string_view::npos ? text : text.substr(newline + 1);
    return static_cast<std::size_t>(
        std::count_if(last.begin(), last.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string RightTrimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// The JOIN text with each line break followed by the indent; the blanks
// before a break go, so that no line ends in blanks.
std::string Indented(std::string_view join, const std::string& indent)
{
    std::string text;
    for (char c : join) {
        if (c == '\n') {
            text = RightTrimmed(text);
            text += '\n';
            text += indent;
        } else {
            text += c;
        }
    }
    return text;
}

class Expander {
public:
    std::string Run(const std::vector<Node>& nodes)
    {
        EmitAll(nodes);
        std::string text;
        for (std::size_t i = 0; i < out_.size(); ++i) {
            if (i > 0)
                text += '\n';
            text += out_[i];
        }
        return text;
    }

private:
    void Bind(char var, int lineNo) const
    {
        if (env_.count(var))
            throw SqlTemplateError(lineNo, std::string(1, var) + " is already the variable of an enclosing FOR");
    }

    void EmitAll(const std::vector<Node>& nodes)
    {
        for (const Node& node : nodes) {
            if (!node.isBlock) {
                out_.push_back(ExpandLine(node));
                continue;
            }
            Bind(node.clause.var, node.line);
            for (const Value& value : node.clause.values) {
                env_[node.clause.var] = value;
                EmitAll(node.children);
            }
            env_.erase(node.clause.var);
        }
    }

    std::string ExpandLine(const Node& node)
    {
        std::string line;
        for (const Segment& segment : node.segments) {
            if (const auto* text = std::get_if<std::string>(&segment))
                line += Substitute(*text, node.line);
            else
                line += ExpandList(std::get<InlineList>(segment), Column(line), node.line);
        }
        return line;
    }

    std::string ExpandList(const InlineList& list, std::size_t column, int lineNo)
    {
        const ForClause& clause = list.clause;
        Bind(clause.var, lineNo);
        const std::string indent(column, ' ');
        const std::string join = Indented(clause.join.value_or(""), indent);
        const std::string wrapJoin = Indented(RightTrimmed(clause.join.value_or("")) + "\n", indent);
        std::string text;
        for (std::size_t i = 0; i < clause.values.size(); ++i) {
            if (i > 0)
                text += clause.wrap > 0 && i % static_cast<std::size_t>(clause.wrap) == 0 ? wrapJoin : join;
            env_[clause.var] = clause.values[i];
            text += Substitute(list.body, lineNo);
        }
        env_.erase(clause.var);
        return text;
    }

    // Replaces {N}, {NN}, ... by the value of N; outside any FOR the text
    // stays as it is.
    std::string Substitute(std::string_view text, int lineNo) const
    {
        if (env_.empty())
            return std::string(text);
        std::string out;
        std::size_t i = 0;
        while (i < text.size()) {
            if (text[i] == '{' && i + 1 < text.size() && text[i + 1] >= 'A' && text[i + 1] <= 'Z') {
                const char letter = text[i + 1];
                std::size_t j = i + 1;
                while (j < text.size() && text[j] == letter)
                    ++j;
                if (j < text.size() && text[j] == '}') {
                    const auto found = env_.find(letter);
                    if (found == env_.end())
                        throw SqlTemplateError(
                            lineNo, "{" + std::string(j - i - 1, letter) + "} names no variable of an enclosing FOR");
                    const Value& value = found->second;
                    if (!value.word.empty() && j - i - 1 > 1)
                        throw SqlTemplateError(lineNo, "{" + std::string(j - i - 1, letter) + "} pads a number, but " +
                                                           std::string(1, letter) + " runs over words");
                    out += value.word.empty() ? Padded(value.number, j - i - 1) : value.word;
                    i = j + 1;
                    continue;
                }
            }
            out += text[i++];
        }
        return out;
    }

    std::map<char, Value> env_;
    std::vector<std::string> out_;
};

}  // namespace

std::string ExpandSqlTemplate(std::string_view text)
{
    const std::vector<Node> nodes = Parser(SplitLines(text)).Parse();
    return Expander().Run(nodes);
}

}  // namespace sqlgen
