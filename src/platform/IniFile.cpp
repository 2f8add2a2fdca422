#include "platform/IniFile.h"

#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/FileReplace.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::UniqueFd;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class LineKind { Other, Section, Key };

struct Line {
    LineKind kind = LineKind::Other;
    std::string text;                // the line as UTF-8, without its line end
    std::optional<std::string> raw;  // the file's own bytes while the line is unchanged
    std::string name;                // section or key name, trimmed
    std::string value;               // entry value, trimmed, quotes still on
};

struct Document {
    bool utf8 = false;  // the file began with a UTF-8 byte-order mark
    std::vector<Line> lines;
};

// Lines [header, end) of one part of a section.
struct Part {
    std::size_t header;
    std::size_t end;
};

[[noreturn]] void Fail(const std::string& file, const std::string& what)
{
    throw IniFileError("ini file " + file + ": " + what);
}

[[noreturn]] void FailErrno(const std::string& file, const std::string& what, int err)
{
    Fail(file, what + ": " + std::strerror(err));
}

using ascii::IsBlank;
constexpr auto Trim = ascii::TrimBlanks;
constexpr auto SameName = ascii::SameText;

bool IsValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else
            return false;
        if (i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

Line Classify(std::string text, std::optional<std::string> raw = std::nullopt)
{
    Line line;
    line.text = std::move(text);
    line.raw = std::move(raw);
    const std::string_view t = Trim(line.text);
    if (t.empty() || t.front() == ';')
        return line;
    if (t.front() == '[') {
        const auto close = t.find(']');
        if (close == std::string_view::npos)
            return line;
        line.kind = LineKind::Section;
        line.name = Trim(t.substr(1, close - 1));
        return line;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return line;
    const std::string_view key = Trim(t.substr(0, eq));
    if (key.empty())
        return line;
    line.kind = LineKind::Key;
    line.name = key;
    line.value = Trim(t.substr(eq + 1));
    return line;
}

Document Parse(std::string_view bytes, const std::string& file)
{
    Document doc;
    if (bytes.starts_with(kUtf8Bom)) {
        doc.utf8 = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    std::size_t pos = 0;
    std::size_t number = 0;
    while (pos < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", pos);
        const std::string_view raw =
            bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        ++number;
        std::string text;
        if (doc.utf8) {
            if (!IsValidUtf8(raw))
                Fail(file, "line " + std::to_string(number) + " is not valid UTF-8 text");
            text = raw;
        } else {
            try {
                text = cp932::ToUtf8(raw);
            } catch (const cp932::TextEncodingError& e) {
                Fail(file,
                     "line " + std::to_string(number) + " is not valid Shift-JIS (CP932) text (" + e.what() + ")");
            }
        }
        doc.lines.push_back(Classify(std::move(text), std::string(raw)));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return doc;
}

std::string Serialize(const Document& doc, const std::string& file)
{
    std::string out;
    if (doc.utf8)
        out += kUtf8Bom;
    for (const Line& line : doc.lines) {
        if (line.raw) {
            out += *line.raw;
        } else if (doc.utf8) {
            if (!IsValidUtf8(line.text))
                Fail(file, "\"" + line.text + "\" is not valid UTF-8 text");
            out += line.text;
        } else {
            try {
                out += cp932::FromUtf8(line.text);
            } catch (const cp932::TextEncodingError& e) {
                Fail(file, "\"" + line.text + "\" cannot be written in Shift-JIS (CP932) (" + e.what() + ")");
            }
        }
        out += "\r\n";
    }
    return out;
}

std::vector<Part> Parts(const Document& doc, std::string_view section)
{
    std::vector<Part> parts;
    const auto& lines = doc.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !SameName(lines[i].name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section)
            ++end;
        parts.push_back({i, end});
    }
    return parts;
}

const Line* FindKey(const Document& doc, std::string_view section, std::string_view key)
{
    for (const Part& part : Parts(doc, section))
        for (std::size_t i = part.header + 1; i < part.end; ++i)
            if (doc.lines[i].kind == LineKind::Key && SameName(doc.lines[i].name, key))
                return &doc.lines[i];
    return nullptr;
}

std::vector<std::string> KeyNames(const Document& doc, std::string_view section)
{
    std::vector<std::string> names;
    for (const Part& part : Parts(doc, section)) {
        for (std::size_t i = part.header + 1; i < part.end; ++i) {
            const Line& line = doc.lines[i];
            if (line.kind != LineKind::Key)
                continue;
            bool seen = false;
            for (const auto& n : names)
                seen = seen || SameName(n, line.name);
            if (!seen)
                names.push_back(line.name);
        }
    }
    return names;
}

// GetPrivateProfileString drops one pair of matching quotes around a value.
std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool HasLineBreakOrNul(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string CheckSection(const std::string& file, std::string_view section)
{
    const std::string_view name = Trim(section);
    if (name.empty())
        Fail(file, "a section name must not be empty");
    if (HasLineBreakOrNul(name) || name.find(']') != std::string_view::npos)
        Fail(file, "section name \"" + std::string(section) + "\" holds \"]\", a line break or NUL");
    return std::string(name);
}

std::string CheckKey(const std::string& file, std::string_view key)
{
    const std::string_view name = Trim(key);
    if (name.empty())
        Fail(file, "a key name must not be empty");
    if (HasLineBreakOrNul(name) || name.find('=') != std::string_view::npos || name.front() == ';' ||
        name.front() == '[')
        Fail(file,
             "key name \"" + std::string(key) + "\" holds \"=\", a line break or NUL, or starts with \";\" or \"[\"");
    return std::string(name);
}

void CheckValue(const std::string& file, std::string_view value)
{
    if (HasLineBreakOrNul(value))
        Fail(file, "a value must not hold a line break or NUL");
}

Line EntryLine(const std::string& key, const std::string& value)
{
    return Classify(key + "=" + value);
}
Line HeaderLine(const std::string& section)
{
    return Classify("[" + section + "]");
}

void SetValue(Document& doc, const std::string& section, const std::string& key, const std::string& value)
{
    const auto parts = Parts(doc, section);
    for (const Part& part : parts) {
        for (std::size_t i = part.header + 1; i < part.end; ++i) {
            Line& line = doc.lines[i];
            if (line.kind == LineKind::Key && SameName(line.name, key)) {
                // Keep the key as the file spells it.
                line = EntryLine(line.name, value);
                return;
            }
        }
    }
    if (parts.empty()) {
        doc.lines.push_back(HeaderLine(section));
        doc.lines.push_back(EntryLine(key, value));
        return;
    }
    // After the last non-blank line of the first part, so a blank line that
    // separates it from the next section stays where it is.
    std::size_t at = parts.front().end;
    while (at > parts.front().header + 1 && Trim(doc.lines[at - 1].text).empty())
        --at;
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at), EntryLine(key, value));
}

// Removes every part of the section; returns where the first one stood.
std::optional<std::size_t> RemoveSection(Document& doc, std::string_view section)
{
    const auto parts = Parts(doc, section);
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
        doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(it->header),
                        doc.lines.begin() + static_cast<std::ptrdiff_t>(it->end));
    if (parts.empty())
        return std::nullopt;
    return parts.front().header;
}

void RemoveKey(Document& doc, std::string_view section, std::string_view key)
{
    const auto parts = Parts(doc, section);
    for (auto part = parts.rbegin(); part != parts.rend(); ++part)
        for (std::size_t i = part->end; i-- > part->header + 1;)
            if (doc.lines[i].kind == LineKind::Key && SameName(doc.lines[i].name, key))
                doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(i));
}

std::string ReadAll(int fd, const std::string& file)
{
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            FailErrno(file, "cannot read", errno);
        }
        if (n == 0)
            return data;
        data.append(buf, static_cast<std::size_t>(n));
    }
}

Document Load(const std::string& file)
{
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        FailErrno(file, "cannot open", errno);
    }
    return Parse(ReadAll(fd.Get(), file), file);
}

// Puts `bytes` in place of `file` in one rename, so that no reader ever sees
// a half-written file and a crash leaves the old or the new file whole.
void ReplaceFile(const std::string& file, const std::string& bytes, mode_t mode)
{
    try {
        platform::ReplaceFileContents(file, bytes, mode);
    } catch (const std::system_error& e) {
        Fail(file, e.what());
    }
}

// Read-modify-write under an exclusive flock on the file itself. The lock
// belongs to the file's inode, and a writer replaces the inode; so after
// taking the lock we check that the name still leads to the locked inode
// and start again when another writer got there first.
void Modify(const std::string& file, bool create, const std::function<void(Document&)>& change)
{
    UniqueFd fd;
    bool created = false;
    struct stat locked {};
    for (int attempt = 0;; ++attempt) {
        if (attempt == 1000)
            Fail(file, "the file keeps being replaced or removed while it is written");
        created = false;
        int raw = -1;
        if (create) {
            raw = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (raw >= 0)
                created = true;
            else if (errno != EEXIST)
                FailErrno(file, "cannot create", errno);
        }
        if (raw < 0) {
            raw = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
            if (raw < 0) {
                if (errno == ENOENT && create)
                    continue;  // removed meanwhile
                if (!create && (errno == ENOENT || errno == ENOTDIR))
                    return;
                FailErrno(file, "cannot open for writing", errno);
            }
        }
        fd.Reset(raw);
        while (::flock(fd.Get(), LOCK_EX) != 0)
            if (errno != EINTR)
                FailErrno(file, "cannot lock", errno);
        if (::fstat(fd.Get(), &locked) != 0)
            FailErrno(file, "cannot inspect", errno);
        struct stat now {};
        if (::stat(file.c_str(), &now) == 0) {
            if (now.st_dev == locked.st_dev && now.st_ino == locked.st_ino)
                break;
        } else if (!create && errno == ENOENT) {
            return;
        }
    }

    try {
        const std::string before = ReadAll(fd.Get(), file);
        Document doc = Parse(before, file);
        change(doc);
        const std::string after = Serialize(doc, file);
        if (!created && after == before)
            return;
        ReplaceFile(file, after, locked.st_mode & 07777);
    } catch (...) {
        // Leave no empty file behind for a write that did not happen.
        if (created)
            ::unlink(file.c_str());
        throw;
    }
}

bool ParseInteger(std::string_view s, std::int32_t& out)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    unsigned base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    // Hexadecimal covers all 32 bits (0xFFFFFFFF is -1); decimal stays in range.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    std::uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        v = v * base + d;
        if (v > limit)
            return false;
    }
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (negative)
        u = 0u - u;
    out = static_cast<std::int32_t>(u);
    return true;
}

}  // namespace

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    const Document doc = Load(fileName_);
    const Line* line = FindKey(doc, Trim(section), Trim(key));
    return line ? Unquote(line->value) : defaultValue;
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const
{
    std::int32_t value = 0;
    return ParseInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string s = CheckSection(fileName_, section);
    const std::string k = CheckKey(fileName_, key);
    CheckValue(fileName_, value);
    Modify(fileName_, true, [&](Document& doc) { SetValue(doc, s, k, value); });
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::ReadSection(const std::string& section) const
{
    return KeyNames(Load(fileName_), Trim(section));
}

std::vector<std::string> IniFile::ReadSections() const
{
    const Document doc = Load(fileName_);
    std::vector<std::string> names;
    for (const Line& line : doc.lines) {
        if (line.kind != LineKind::Section)
            continue;
        bool seen = false;
        for (const auto& n : names)
            seen = seen || SameName(n, line.name);
        if (!seen)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::ReadSectionValues(const std::string& section) const
{
    const Document doc = Load(fileName_);
    const std::string_view s = Trim(section);
    std::vector<std::string> result;
    for (const std::string& key : KeyNames(doc, s))
        result.push_back(key + "=" + Unquote(FindKey(doc, s, key)->value));
    return result;
}

bool IniFile::SectionExists(const std::string& section) const
{
    return !ReadSection(section).empty();
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return FindKey(Load(fileName_), Trim(section), Trim(key)) != nullptr;
}

void IniFile::EraseSection(const std::string& section)
{
    const std::string s = CheckSection(fileName_, section);
    Modify(fileName_, false, [&](Document& doc) { RemoveSection(doc, s); });
}

void IniFile::DeleteKey(const std::string& section, const std::string& key)
{
    const std::string s = CheckSection(fileName_, section);
    const std::string k = CheckKey(fileName_, key);
    Modify(fileName_, false, [&](Document& doc) { RemoveKey(doc, s, k); });
}

void IniFile::ReplaceSection(const std::string& section,
                             const std::vector<std::pair<std::string, std::string>>& entries)
{
    const std::string s = CheckSection(fileName_, section);
    std::vector<Line> block{HeaderLine(s)};
    for (const auto& [key, value] : entries) {
        const std::string k = CheckKey(fileName_, key);
        CheckValue(fileName_, value);
        bool replaced = false;
        for (Line& line : block) {
            if (line.kind == LineKind::Key && SameName(line.name, k)) {
                line = EntryLine(line.name, value);
                replaced = true;
            }
        }
        if (!replaced)
            block.push_back(EntryLine(k, value));
    }
    Modify(fileName_, true, [&](Document& doc) {
        const std::size_t at = RemoveSection(doc, s).value_or(doc.lines.size());
        doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
    });
}

void IniFile::CreateSection(const std::string& section)
{
    const std::string s = CheckSection(fileName_, section);
    Modify(fileName_, true, [&](Document& doc) {
        if (Parts(doc, s).empty())
            doc.lines.push_back(HeaderLine(s));
    });
}
