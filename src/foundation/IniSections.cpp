#include "foundation/IniSections.h"

#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <utility>

std::string IniValueText(const IniValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    return FloatToStr(std::get<double>(value));
}

std::string ReadIniSection(const std::string& fileName, const std::string& section)
{
    if (fileName.empty() || section.empty())
        return {};
    std::string text;
    for (const std::string& line : IniFile(fileName).ReadSectionValues(section))
        text += line + "\r\n";
    return text;
}

void WriteIniSection(const std::string& fileName, const std::string& section, const std::vector<std::string>& values)
{
    if (fileName.empty() || section.empty())
        return;
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& line : values) {
        if (line.empty())
            continue;
        const auto eq = line.find('=');
        // Writing such a line would need a name the line does not give.
        if (eq == std::string::npos || eq == 0)
            throw IniFileError(fileName + ": the line \"" + line + "\" is not of the form name=value");
        entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    IniFile(fileName).ReplaceSection(section, entries);
}

void WriteIniValue(const std::string& fileName, const std::string& section, const std::string& key, bool deleteKey,
                   const IniValue& value)
{
    IniFile ini(fileName);
    if (deleteKey)
        ini.DeleteKey(section, key);
    else
        ini.WriteString(section, key, IniValueText(value));
}
