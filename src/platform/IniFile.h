#pragma once
// Ini files in the Windows profile format, read and written the way the
// Windows profile functions do it, with the calls of a Delphi TIniFile.
//
// Format
//   - Text is CP932 (Shift-JIS) with CR LF line ends. Lines ending in LF or
//     a lone CR read the same; every write puts CR LF after every line.
//   - A file that starts with a UTF-8 byte-order mark is read as UTF-8 and
//     stays UTF-8 (with its mark) when written, so a file another tool wrote
//     that way loses nothing.
//   - A file that is not valid CP932 (or, with the mark, not valid UTF-8) is
//     refused: reads and writes throw IniFileError naming the file and the
//     line, and the file is left as it is. Guessing an encoding could turn
//     the whole file into garbage on the next write.
//   - "[name]" starts a section (text after the first "]" is ignored);
//     "key=value" is an entry, split at the first "=". Names and values are
//     trimmed of blanks and tabs. Lines starting with ";" are comments.
//     Blank lines, comments, entries before the first section and lines
//     that are neither a section nor an entry are ignored by reads and kept
//     byte for byte by writes.
//   - Section and key names compare case-insensitively for ASCII letters and
//     exactly for everything else (full-width and Japanese names included).
//   - A value read loses one matching pair of surrounding double or single
//     quotes, as GetPrivateProfileString does; values are written as given,
//     so a value with surrounding blanks or quotes does not read back
//     unchanged (the same as on Windows).
//   - A section that appears more than once is read as one section: a key is
//     looked up through all of its parts in file order and the first match
//     wins. Writes change the first match (a new key goes at the end of the
//     first part), erasing a section removes every part, and deleting a key
//     removes every copy of it, so nothing erased can reappear.
//
// Reads open the file each time, so they see other processes' writes. A
// missing file (or folder) reads as empty: every read gives its default. A
// file that exists but cannot be read raises IniFileError.
//
// Each write reads the file, changes it and replaces it in one step (a
// temporary file in the same folder renamed over it), holding an exclusive
// flock on the file meanwhile, so concurrent writers in other processes never
// lose each other's changes and readers never see half a file. A write to a
// missing file creates it, but not its folder: a missing folder, a file that
// cannot be written, text CP932 cannot hold or a name that would corrupt the
// file (see WriteString) raise IniFileError and leave the file unchanged.
// Writes take effect at once; UpdateFile has nothing left to do.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The error every failed write (and every unreadable file) raises.
class IniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile final {
public:
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    // The value, or `defaultValue` when the section or key is absent.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$", with an optional sign,
    // within 32 bits; any other text (or none) gives `defaultValue`.
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    // ReadInteger != 0.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Creates the file, the section or the key as needed. Refused with
    // IniFileError: an empty section or key name, a section name with "]",
    // a key name with "=" or starting with ";" or "[", and any CR, LF or NUL
    // in a name or value.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
    // Writes "1" or "0".
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // Key names of the section in file order, each once, as spelled in the file.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // Section names in file order, each once, empty sections included.
    std::vector<std::string> ReadSections() const;
    // "key=value" for every key of ReadSection, the value as ReadString gives it.
    std::vector<std::string> ReadSectionValues(const std::string& section) const;

    // True when the section holds at least one key (as TIniFile answers it;
    // a bare "[section]" line does not count).
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    // Removing from a missing file does nothing and creates nothing.
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

    // Erases the section and writes the entries in one step, where the first
    // part of the old section stood (at the end when it was absent); a key
    // given twice keeps its last value. Readers never see the section half
    // written. An empty list leaves an empty "[section]".
    void ReplaceSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries);
    // Adds an empty "[section]" when the file has no such section.
    void CreateSection(const std::string& section);

    // Writes are immediate; kept for the callers that flush.
    void UpdateFile() {}

private:
    std::string fileName_;
};
