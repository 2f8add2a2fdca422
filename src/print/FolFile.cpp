#include "print/FolFile.h"

#include "print/FolFormat.h"

#include <fstream>
#include <sstream>

namespace fol {

bool FolFile::Open(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    lines_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
    pos_ = 0;
    path_ = path;
    return true;
}

FolFile FolFile::FromLines(std::vector<std::string> lines)
{
    FolFile file;
    file.lines_ = std::move(lines);
    return file;
}

std::optional<std::string> FolFile::ReadLine()
{
    if (AtEnd())
        return std::nullopt;
    return lines_[pos_++];
}

bool SeekPage(FolFile& file, int n, bool cyclic)
{
    int ends = 0;
    while (ends < n - 1) {
        const auto line = file.ReadLine();
        if (!line) {
            if (!cyclic || file.Lines().empty())
                return false;
            ++ends;
            file.Rewind();
            continue;
        }
        if (IsPageEnd(*line))
            ++ends;
    }
    return true;
}

int CountPagesOf(const std::vector<std::string>& lines, bool form)
{
    int ends = 0;
    bool contentAfterLastEnd = false;
    for (const auto& line : lines) {
        if (IsPageEnd(line)) {
            ++ends;
            contentAfterLastEnd = false;
        } else if (line.find_first_not_of(" \t") != std::string::npos) {
            contentAfterLastEnd = true;
        }
    }
    // A form file that ends with its page end has no empty page after it:
    // counting one would pad every document with a blank form cycle.
    if (form && ends > 0 && !contentAfterLastEnd)
        return ends;
    return ends + 1;
}

std::vector<int> PageOrientations(const std::vector<std::string>& lines, int defaultOrientation)
{
    std::vector<int> out;
    int current = defaultOrientation;
    for (const auto& line : lines) {
        if (!line.empty() && line[0] == '*')
            continue;
        if (IsPageEnd(line)) {
            out.push_back(current);
            current = defaultOrientation;
            continue;
        }
        const FolRecord record(line);
        if (record.Keyword() == "ORIENTATION")
            current = record.Int(1, defaultOrientation);
    }
    out.push_back(current);
    return out;
}

namespace {

// A page of one record that draws nothing worth a number. Only the keyword
// counts: a text that merely contains "LINE" is content.
bool IsBareRecord(const std::string& line)
{
    const std::string keyword = FolRecord(line).Keyword();
    return keyword == "ORIENTATION" || keyword == "LINE";
}

}  // namespace

std::vector<int> PageNumberList(const std::vector<std::string>& lines)
{
    std::vector<int> out;
    int number = 0;
    std::vector<const std::string*> page;
    auto close = [&] {
        const bool empty = page.empty() || (page.size() == 1 && IsBareRecord(*page.front()));
        out.push_back(empty ? 0 : ++number);
        page.clear();
    };
    for (const auto& line : lines) {
        if (IsPageEnd(line))
            close();
        else
            page.push_back(&line);
    }
    close();
    return out;
}

int DocumentPages(int formPages, int dataPages)
{
    if (formPages <= 0)
        return dataPages;
    if (formPages < dataPages)
        return (dataPages + formPages - 1) / formPages * formPages;
    return formPages;
}

}  // namespace fol
