#pragma once
// The text trailer of a backup file.
//
// A backup of company data may carry, behind the last byte that the database
// engine wrote, a short CP932 text that describes the data without restoring
// it: the marker line "## ZorvathZone", then eight "name=value" lines
// (SHOUGOU, KISHU, KIMATU, SIWAKE, TOTALSIWAKE, DATAVARSION, GASSAN,
// USEMYNUMBER; the key is spelled "DATAVARSION"), every line ended by CR LF.
// The whole trailer fits into 512 bytes; a reader takes no more. A backup
// without trailer is valid, and a trailer is written only for a named
// company.
//
// Finding the trailer. The trailer is the last thing in the file, so the
// reader looks for the last marker that lies within the file's final 512
// bytes and has no NUL byte behind it: the engine's own bytes may hold the
// marker text too (a memo that a user typed), and cutting the backup at
// such a place would destroy it. Offsets are 64-bit throughout: backups of
// several GiB are ordinary.
//
// Stripping. The file is renamed to "<name>.wk_", a new file under the old
// name receives the bytes before the marker, and only when that copy is
// complete and flushed is the work file removed; otherwise the partial copy
// goes and the work file is renamed back, so the backup is never lost.

#include <cstdint>
#include <string>

inline constexpr const char* BackupTrailerMarker = "## ZorvathZone";
inline constexpr std::int64_t BackupTrailerMaxBytes = 512;

// The eight values of a trailer (UTF-8 texts).
struct TBackupTrailerValues {
    std::string SHOUGOU;           // company name
    std::string KISHU;             // first day of the fiscal period, "yyyy/mm/dd"
    std::string KIMATU;            // last day of the fiscal period
    std::int32_t SIWAKE = 0;       // valid journal entries
    std::int32_t TOTALSIWAKE = 0;  // valid plus deleted or updated entries
    std::string DATAVARSION;       // "%d.%d.%d"
    std::int32_t GASSAN = 0;       // merged-data kind
    std::int32_t USEMYNUMBER = 0;  // 1: the backup holds My Number information

    // Strings empty, numbers 0.
    void ClearBackupResult() { *this = TBackupTrailerValues{}; }
    // The trailer's text (CP932, nine lines each ended by CR LF); empty
    // when SHOUGOU is empty.
    std::string TrailerText() const;
    // Appends TrailerText to the file; nothing when SHOUGOU is empty.
    // Throws std::runtime_error when the file cannot be written.
    void AppendBackupTrailer(const std::string& fileName) const;
    // Reads the trailer of the file into these values (cleared first) and,
    // with strip, cuts it off the file. True when SHOUGOU was found
    // non-empty. A file that cannot be read counts as one without trailer.
    bool GetBackupFileInfo(const std::string& fileName, bool strip);
};

// Opens the file for reading and writing and writes the bytes at its end.
// Throws std::runtime_error when it cannot.
void AppendTextToFile(const std::string& fileName, const std::string& text);

// The byte offset of the trailer's marker (see above), 0 when the file holds
// the marker only at its very start, -1 when absent; text receives the
// bytes from the marker up to 512, ending at the end of the file (or at a
// NUL byte for a marker only at the start). Throws TBufFileStreamError when
// the file cannot be read.
std::int64_t FindFileMarker(const std::string& fileName, const std::string& marker, std::string& text);

// FindFileMarker; when found above offset 0 and strip is set, cuts the file
// off at the marker (see above). False when the cut failed (the file is
// then as it was).
bool ReadFileTrailer(const std::string& fileName, const std::string& marker, std::string& text, bool strip,
                     std::int64_t* markerOffset = nullptr);

bool SameBytes(const void* a, const void* b, std::size_t length);
