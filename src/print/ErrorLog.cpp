#include "print/ErrorLog.h"

#include "platform/Cp932.h"
#include "platform/SpecialFolders.h"

#include <filesystem>
#include <fstream>

namespace fol {
namespace {

std::function<TDateTime()>& Clock()
{
    static std::function<TDateTime()> clock;
    return clock;
}

std::string Encode(const std::string& utf8)
{
    try {
        return cp932::FromUtf8(utf8);
    } catch (const cp932::TextEncodingError&) {
        // A text CP932 cannot hold still leaves its line; the bytes as given.
        return utf8;
    }
}

}  // namespace

void SetErrorLogClock(std::function<TDateTime()> clock)
{
    Clock() = std::move(clock);
}

bool WriteErrorLog(const std::string& text)
{
    try {
        const TDateTime now = Clock() ? Clock()() : Now();
        const std::filesystem::path folder = folders::Documents();
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::ofstream out(folder / ErrorLogName, std::ios::binary | std::ios::app);
        if (!out)
            return false;
        out << Encode(FormatDateTime("yy/mm/dd hh:nn:ss", now) + "  " + text) << "\r\n";
        out.flush();
        return static_cast<bool>(out);
    } catch (...) {
        return false;
    }
}

bool WriteErrorLog(const std::string& location, const std::string& error)
{
    return WriteErrorLog(location + ":" + error);
}

}  // namespace fol
