#include "foundation/AppInfo.h"

#include "platform/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

TAppInfoRec AppInfo;

namespace {

constexpr std::int32_t DefaultDataListCnt = 120;

// Folder values written for Windows use "\"; here "/" separates folders.
std::string FolderValue(std::string value)
{
    std::replace(value.begin(), value.end(), '\\', '/');
    return value;
}

std::string FileBeside(const std::string& programPath, std::string_view name)
{
    const auto slash = programPath.find_last_of('/');
    std::string path = slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
    path += name;
    return path;
}

bool IsFalseText(const std::string& text)
{
    if (text.size() != 5)
        return false;
    static constexpr std::string_view False = "false";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != False[i])
            return false;
    }
    return true;
}

[[noreturn]] void BadPattern(std::string_view pattern, const char* why)
{
    throw std::invalid_argument("file-name pattern \"" + std::string(pattern) + "\": " + why);
}

}  // namespace

bool ReadAppInfoKey(const IniFile& ini, const std::string& section, const std::string& key, std::string& value)
{
    value = ini.ReadString(section, key, "");
    return !value.empty();
}

void SetAppInfoDefaults(TAppInfoRec& info)
{
    auto& a = info.Application;
    a.OEM = "-";
    a.Since = "2005-2025";
    a.RegKey = "\\SOFTWARE\\NORVEL";
    a.Qel = "Qelキーステーション";
    a.QelAlias = "Qel";
    a.VerMajorDiff = 0;
    a.VerMinorDiff = 0;
    a.VerRevDiff = 0;
    a.VerTest.clear();
    a.DuzezuzaBlind = 0;
    a.WebNavigoreServer = "navigore.norvel.example";
    a.BudvantServer = "budvant.norvel.example";

    auto& z = info.Zaimu;
    z.AppName = "qhzaimu";
    z.AppTitle = "Ledrix財務";
    z.AppTitle_CL = "顧問先版";
    z.RegKey = "LEDRIXZAIMU";
    z.HomeDir = "norvel/ledrixzaimu";
    z.ShareDir = "ledrixzaimu";
    z.ServerDir = "/ledrixzaimu/data";
    z.ServerTempDir = "/ledrixzaimu/temp";
    z.DataDefFile = "qhaccdef.fdb";
    z.DataFile = "qhacc.fdb";
    z.DataBackupFile = "qhacc.fbk";
    z.DataInitFile = "acc%d.gbk";
    z.DataIniFile = "qhacc.ini";
    z.DataListCnt = DefaultDataListCnt;

    info.VOrera.AppTitle = "電子帳簿";
    info.VOrera.DataDir = "qhzview";
    info.VOrera.WriteDirFmt = "qhz%.2dcd";

    info.Navigore.AppTitle = "経営Navigore";
    info.Navigore.RegKey = "NAVIGORE";
    info.Navigore.HomeDir = "norvel/ledrixzaimu";

    info.Duzezuza.AppTitle = "Ledrix現金出納帳";
    info.Duzezuza.RegKey = "DUZEZUZA";
    info.Duzezuza.DataDir = "cb_data";
    info.Duzezuza.DataBackupFile = "qhcashbook.fbk";

    auto& m = info.Menu;
    m.DataCon = "データ通信";
    m.DataCon01 = "データ送信";
    m.DataCon02 = "データ受信";
    m.DataCon03 = "通信設定";
    m.DataConQel01 = "Qel保存";
    m.DataConQel02 = "Qel復元";
    m.BudvantMenuLimit = true;
}

std::int32_t LoadAppInfo(const std::string& programPath, TAppInfoRec& info)
{
    const std::string fileName = FileBeside(programPath, AppInfoFileName);
    std::error_code ec;
    // A folder of that name is no information file.
    if (!std::filesystem::is_regular_file(fileName, ec))
        return AppInfoMissing;

    try {
        const IniFile ini(fileName);
        std::string value;
        const auto text = [&](const char* section, const char* key) {
            ReadAppInfoKey(ini, section, key, value);
            return value;
        };
        const auto folder = [&](const char* section, const char* key) { return FolderValue(text(section, key)); };
        const auto integer = [&](const char* section, const char* key, std::int32_t def) {
            return ini.ReadInteger(section, key, def);
        };

        auto& a = info.Application;
        const bool hasEdition = ReadAppInfoKey(ini, "Application", "OEM", value);
        a.OEM = value;
        if (!hasEdition) {
            SetAppInfoDefaults(info);
            return AppInfoNoEdition;
        }
        a.Since = text("Application", "Since");
        a.RegKey = text("Application", "RegKey");
        a.Qel = text("Application", "Qel");
        a.QelAlias = text("Application", "QelAlias");
        a.VerMajorDiff = integer("Application", "VerMajorDiff", 0);
        a.VerMinorDiff = integer("Application", "VerMinorDiff", 0);
        a.VerRevDiff = integer("Application", "VerRevDiff", 0);
        a.VerTest = text("Application", "VerTest");
        a.DuzezuzaBlind = integer("Application", "DuzezuzaBlind", 0);

        auto& z = info.Zaimu;
        z.AppName = text("Zaimu", "AppName");
        z.AppTitle = text("Zaimu", "AppTitle");
        z.AppTitle_CL = text("Zaimu", "AppTitle_CL");
        z.RegKey = text("Zaimu", "RegKey");
        z.HomeDir = folder("Zaimu", "HomeDir");
        z.ShareDir = folder("Zaimu", "ShareDir");
        z.ServerDir = folder("Zaimu", "ServerDir");
        z.ServerTempDir = folder("Zaimu", "ServerTempDir");
        z.DataDefFile = text("Zaimu", "DataDefFile");
        z.DataFile = text("Zaimu", "DataFile");
        z.DataBackupFile = text("Zaimu", "DataBackupFile");
        z.DataInitFile = text("Zaimu", "DataInitFile");
        z.DataIniFile = text("Zaimu", "DataIniFile");
        z.DataListCnt = integer("Zaimu", "DataListCnt", DefaultDataListCnt);
        if (z.DataListCnt < 1)
            z.DataListCnt = DefaultDataListCnt;

        info.VOrera.AppTitle = text("VOrera", "AppTitle");
        info.VOrera.DataDir = folder("VOrera", "DataDir");
        info.VOrera.WriteDirFmt = folder("VOrera", "WriteDirFmt");

        info.Navigore.AppTitle = text("Navigore", "AppTitle");
        info.Navigore.RegKey = text("Navigore", "RegKey");
        info.Navigore.HomeDir = folder("Navigore", "HomeDir");

        info.Duzezuza.AppTitle = text("Duzezuza", "AppTitle");
        info.Duzezuza.RegKey = text("Duzezuza", "RegKey");
        info.Duzezuza.DataDir = folder("Duzezuza", "DataDir");
        info.Duzezuza.DataBackupFile = text("Duzezuza", "DataBackupFile");

        auto& m = info.Menu;
        m.DataCon = text("Menu", "DataCon");
        m.DataCon01 = text("Menu", "DataCon01");
        m.DataCon02 = text("Menu", "DataCon02");
        m.DataCon03 = text("Menu", "DataCon03");
        m.DataConQel01 = text("Menu", "DataConQel01");
        m.DataConQel02 = text("Menu", "DataConQel02");

        a.WebNavigoreServer = text("Application", "WebNavigoreServer");
        a.BudvantServer = text("Application", "BudvantServer");

        // Only an explicit "false" lifts the limit; anything else, even an
        // empty value, keeps it.
        m.BudvantMenuLimit = true;
        if (IsFalseText(text("Menu", "BudvantMenuLimit")))
            m.BudvantMenuLimit = false;
        return AppInfoLoaded;
    } catch (...) {
        return AppInfoUnreadable;
    }
}

std::string AppInfoLoadErrorText(std::int32_t result)
{
    if (result >= AppInfoLoaded)
        return {};
    if (result == AppInfoMissing)
        return "アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\r"
               "アプリケーションを強制終了します。";
    if (result == AppInfoNoEdition)
        return "アプリケーションの設定ファイル(AppInfo.ini)の値を参照できませんでした。\r"
               "アプリケーションを強制終了します。";
    return "アプリケーションの設定ファイル(AppInfo.ini)を参照できませんでした。\r"
           "アプリケーションを強制終了します。";
}

std::string FormatAppInfoPattern(std::string_view pattern, std::int32_t number)
{
    constexpr int MaxField = 64;
    std::string out;
    bool converted = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < pattern.size() && pattern[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool left = false;
        if (i < pattern.size() && pattern[i] == '-') {
            left = true;
            ++i;
        }
        const auto readNumber = [&](int& field) {
            field = 0;
            while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
                field = field * 10 + (pattern[i++] - '0');
                if (field > MaxField)
                    BadPattern(pattern, "width or precision too large");
            }
        };
        int width = 0;
        int precision = 0;
        readNumber(width);
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            readNumber(precision);
        }
        if (i >= pattern.size() || (pattern[i] != 'd' && pattern[i] != 'D'))
            BadPattern(pattern, "only one integer conversion %d is allowed");
        ++i;
        if (converted)
            BadPattern(pattern, "more than one conversion");
        converted = true;

        const std::int64_t wide = number;
        std::string digits = std::to_string(wide < 0 ? -wide : wide);
        if (static_cast<int>(digits.size()) < precision)
            digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
        if (number < 0)
            digits.insert(0, 1, '-');
        if (static_cast<int>(digits.size()) < width) {
            const std::size_t pad = static_cast<std::size_t>(width) - digits.size();
            if (left)
                digits.append(pad, ' ');
            else
                digits.insert(0, pad, ' ');
        }
        out += digits;
    }
    return out;
}
