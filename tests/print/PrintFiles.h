#pragma once
// Print and form files for the tests: pages of record lines (UTF-8) written
// as the engine reads them, CP932 with "E;" between pages.

#include "platform/Cp932.h"

#include <fstream>
#include <string>
#include <vector>

namespace fol {

using TestPage = std::vector<std::string>;

// A print file starts with its mark; a form file does not.
inline void WritePrintFile(const std::string& path, const std::vector<TestPage>& pages, bool printFile = true)
{
    std::ofstream out(path, std::ios::binary);
    if (printFile)
        out << "*FOLIANTO*\r\n";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            out << "E;\r\n";
        for (const auto& line : pages[i])
            out << cp932::FromUtf8(line) << "\r\n";
    }
}

}  // namespace fol
