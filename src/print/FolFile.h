#pragma once
// A print or form file opened for drawing: its lines (CP932 bytes, line ends
// taken off) and a reading position, so the paging operations can read
// sequentially and rewind, as the interpreter needs.

#include <optional>
#include <string>
#include <vector>

namespace fol {

class FolFile final {
public:
    FolFile() = default;
    // Reads the whole file; false when it cannot be opened.
    bool Open(const std::string& path);
    static FolFile FromLines(std::vector<std::string> lines);

    bool AtEnd() const { return pos_ >= lines_.size(); }
    // The next line; nullopt at the end.
    std::optional<std::string> ReadLine();
    void Rewind() { pos_ = 0; }
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::string& Path() const { return path_; }

private:
    std::vector<std::string> lines_;
    std::size_t pos_ = 0;
    std::string path_;
};

// Reads lines until n - 1 page ends have gone by; false at the end of the
// file. cyclic (forms): the end of the file counts as a page end and the file
// starts again.
bool SeekPage(FolFile& file, int n, bool cyclic);

// The number of pages of a file's lines: page ends + 1. For a form a last
// page end followed by nothing but blank lines starts no page of its own.
int CountPagesOf(const std::vector<std::string>& lines, bool form);

// The orientation of every page: the value of its last ORIENTATION record,
// else the default; lines beginning with "*" are skipped.
std::vector<int> PageOrientations(const std::vector<std::string>& lines, int defaultOrientation);

// The page-number list of a print file: each page's running number, or 0
// for a page that holds no line, or exactly one ORIENTATION or LINE record.
// Every line before the first page end counts, the header's included.
std::vector<int> PageNumberList(const std::vector<std::string>& lines);

// A document's page count: the print file's pages rounded up to whole cycles
// of the form when the form has fewer pages, else the form's pages.
int DocumentPages(int formPages, int dataPages);

}  // namespace fol
