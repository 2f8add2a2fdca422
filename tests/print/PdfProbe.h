#pragma once
// What poppler's tools read from a PDF: page sizes (pdfinfo) and the words
// with their boxes (pdftotext -bbox), in points.

#include <cstdio>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace pdfprobe {

inline std::string Run(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.append(buffer, n);
    return out;
}

struct Word {
    int Page = 0;  // from 1
    std::string Text;
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
};

struct Page {
    double Width = 0, Height = 0;
};

inline int PageCount(const std::string& pdf)
{
    std::smatch m;
    const std::string info = Run("pdfinfo '" + pdf + "' 2>/dev/null");
    static const std::regex pages(R"(Pages:\s+(\d+))");
    return std::regex_search(info, m, pages) ? std::stoi(m[1]) : 0;
}

// Pages and words of the whole file.
inline std::vector<Word> Words(const std::string& pdf, std::vector<Page>* pages = nullptr)
{
    const std::string xml = Run("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
    static const std::regex item(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    int page = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), item); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            ++page;
            if (pages)
                pages->push_back({std::stod(m[1]), std::stod(m[2])});
        } else {
            words.push_back({page, m[7], std::stod(m[3]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6])});
        }
    }
    return words;
}

inline double Mm(double points)
{
    return points * 25.4 / 72.0;
}

}  // namespace pdfprobe
