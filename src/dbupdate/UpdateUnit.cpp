#include "dbupdate/UpdateUnit.h"

#include "dbupdate/EmbeddedSql.h"
#include "dbupdate/PrivateFile.h"
#include "dbupdate/UnitRollback.h"

#include "foundation/SystemDef.h"
#include "foundation/InstallationNames.h"
#include "foundation/StringUtils.h"
#include "platform/Cp932.h"
#include "platform/db/ConnectionString.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int MemoMaxBytes = 127;
// The width of the MEMO columns of ACCVERSION and VERSION.
constexpr int MemoColumnBytes = 254;

std::string ToCp932(std::string_view utf8)
{
    try {
        return cp932::FromUtf8(utf8);
    } catch (const cp932::TextEncodingError&) {
        throw TUpdateScriptError("update script: the text cannot be written in code page 932: " + std::string(utf8));
    }
}

// The text with every character CP932 cannot hold (and every invalid UTF-8
// byte) replaced by "?": names of operators and computers are free text.
std::string Representable(std::string_view utf8)
{
    if (cp932::IsRepresentable(utf8))
        return std::string(utf8);
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        if (i + n > utf8.size())
            n = 1;
        const std::string_view ch = utf8.substr(i, n);
        out += cp932::IsRepresentable(ch) ? std::string(ch) : std::string("?");
        i += n;
    }
    return out;
}

std::string TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

// A name inside the quotes of the CONNECT line. The tool's CONNECT takes no
// doubled quote (it ends the name there), so a quote cannot be written.
std::string ConnectItem(std::string_view what, const std::string& value)
{
    if (value.find('\'') != std::string::npos)
        throw TUpdateScriptError("update script: the " + std::string(what) +
                                 " of the CONNECT line contains a quote: " + value);
    return value;
}

std::string FormatTime(TDateTime now)
{
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", now);
}

}  // namespace

std::string UnitVersionText(const TUpdateUnitShape& shape)
{
    return std::to_string(shape.Major) + "." + std::to_string(shape.Minor1) + "." + std::to_string(shape.Minor2);
}

std::string SqlQuoted(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

std::string UnitSqlFolder(const TUpdateUnitShape& shape)
{
    return std::string(shape.Target == TUpdateTarget::SystemDatabase ? "system/" : "accounting/") +
           std::to_string(shape.Major) + std::to_string(shape.Minor1) + std::to_string(shape.Minor2);
}

std::string BodyFileFolder(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    return SystemDef.SqlDir + "/" + std::to_string(major) + std::to_string(minor1) + std::to_string(minor2);
}

std::string MakeVersionMemo(TMemoForm form, TDateTime now)
{
    const std::string time = FormatTime(now);
    if (form == TMemoForm::Short)
        return time;
    const std::string full = Representable(time + "," + std::to_string(SystemDef.LOGINCODE) + "," + SystemDef.OPNAME +
                                           "," + SystemDef.PCName);
    switch (form) {
    case TMemoForm::Unlimited:
        // Unlimited by its form, but never more than the MEMO column holds:
        // a longer stamp would fail the update.
        return cp932::ByteWidth(full) > MemoColumnBytes ? FixLenStrL(full, MemoColumnBytes) : full;
    case TMemoForm::Padded:
        return FixLenStrL(full, MemoMaxBytes);
    case TMemoForm::Long:
    case TMemoForm::Short:
        break;
    }
    return TrimBlanks(FixLenStrL(full, MemoMaxBytes));
}

std::string UpdateDatabasePath(TUpdateTarget target)
{
    const bool system = target == TUpdateTarget::SystemDatabase;
    const std::string& folder = system ? SystemDef.SYSDIR : SystemDef.DataDir;
    const std::string& file = system ? SysDbFileName : DataDbFileName;
    return folder + "/" + file;
}

std::string UpdateDatabaseName(TUpdateTarget target)
{
    return db::ConnectionString(SystemDef.HOSTNAME, UpdateDatabasePath(target));
}

TUpdateScript::TUpdateScript(const TUpdateUnitShape& shape, TDateTime now) : shape_(shape), now_(now)
{
    const std::string database = ConnectItem("database", UpdateDatabaseName(shape.Target));
    const std::string user = ConnectItem("user", SystemDef.USER);
    const std::string password = ConnectItem("password", SystemDef.PASSWORD);
    lines_.push_back(ToCp932("/* " + FormatTime(now) + "," + Representable(SystemDef.PCName) + "," +
                             std::to_string(SystemDef.OPCODE) + " */"));
    lines_.emplace_back();
    // The one line not in CP932: the tool hands the database name to the
    // file system byte for byte, and the file system's names are UTF-8 (a
    // folder with Japanese letters in CP932 names no file).
    lines_.push_back("CONNECT '" + database + "' USER '" + user + "' PASSWORD '" + password + "';");
    if (shape.SetNames)
        lines_.emplace_back("SET NAMES SJIS_0208;");
}

void TUpdateScript::Add(std::string_view line)
{
    lines_.push_back(ToCp932(line));
}

void TUpdateScript::Add(std::initializer_list<std::string_view> lines)
{
    for (const std::string_view line : lines)
        Add(line);
}

void TUpdateScript::AddSql(std::string_view name)
{
    const std::string path =
        fs::path(UnitSqlFolder(shape_) + "/" + std::string(name)).lexically_normal().generic_string();
    const std::string* text = embeddedsql::Find(path);
    if (text == nullptr)
        throw TUpdateScriptError("update script: the program holds no SQL file " + path);
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t newline = rest.find('\n');
        std::string_view line = rest.substr(0, newline);
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        Add(line);
    }
}

std::string TUpdateScript::BodyFilePath(std::string_view name) const
{
    return BodyFileFolder(shape_.Major, shape_.Minor1, shape_.Minor2) + "/" + std::string(name);
}

bool TUpdateScript::BodyFileExists(std::string_view name) const
{
    std::error_code ec;
    return fs::is_regular_file(BodyFilePath(name), ec);
}

bool TUpdateScript::BodyFilesExist(const std::vector<std::string>& names) const
{
    for (const std::string& name : names)
        if (!BodyFileExists(name))
            return false;
    return true;
}

bool TUpdateScript::AddBodyFile(std::string_view name)
{
    if (!BodyFileExists(name))
        return false;
    const std::string path = BodyFilePath(name);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    if (!in || in.bad())
        throw TUpdateScriptError("update script: the body file cannot be read: " + path);
    for (std::string& line : SplitTextLines(text.str()))
        if (!line.empty())
            lines_.push_back(std::move(line));
    return true;
}

std::vector<std::string> TUpdateScript::FinalLines() const
{
    std::vector<std::string> lines = lines_;
    const std::string memo = SqlQuoted(ToCp932(MakeVersionMemo(shape_.Memo, now_)));
    const std::string numbers =
        std::to_string(shape_.Major) + "," + std::to_string(shape_.Minor1) + "," + std::to_string(shape_.Minor2);
    switch (shape_.Stamp) {
    case TVersionStamp::SystemOneLine:
        lines.push_back("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(" + numbers + ",'" + memo + "');");
        break;
    case TVersionStamp::SystemTwoLines:
        lines.emplace_back("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)");
        lines.push_back("VALUES(" + numbers + ",'" + memo + "');");
        break;
    case TVersionStamp::AccountingData:
        lines.push_back("UPDATE ACCVERSION SET MAJOR=" + std::to_string(shape_.Major) +
                        ",MINOR1=" + std::to_string(shape_.Minor1) + ",MINOR2=" + std::to_string(shape_.Minor2) +
                        ",MEMO='" + memo + "'");
        lines.emplace_back("WHERE REC=1;");
        break;
    }
    lines.emplace_back("COMMIT;");
    lines.emplace_back("EXIT;");
    return lines;
}

std::string TUpdateScript::Text() const
{
    std::string text;
    for (const std::string& line : FinalLines())
        text += line + "\r\n";
    return text;
}

void TUpdateScript::Save() const
{
    try {
        WritePrivateFile(UpdateScriptPath(), Text());
    } catch (const TPrivateFileError& error) {
        throw TUpdateScriptError(std::string("update script: ") + error.what());
    }
}

std::int32_t TUpdateScript::Run() const
{
    const std::string version = UnitVersionText(shape_);
    return RunGuardedUnit(shape_.Target, version, [this, &version] {
        Save();
        return ExecIsqlScript(version);
    });
}

void DescribeUnit(TDbUpdateListRec& rec, const TUpdateUnitShape& shape, TDbUpdateFunc updateFunc,
                  std::int32_t backupFlag, std::string title, std::string description)
{
    rec.Major = shape.Major;
    rec.Minor1 = shape.Minor1;
    rec.Minor2 = shape.Minor2;
    rec.UpdateFunc = GuardedUpdateFunc(shape.Target, UnitVersionText(shape), std::move(updateFunc));
    rec.BackupFlag = backupFlag;
    rec.Title = std::move(title);
    rec.Description = std::move(description);
}

void DescribeStandardUnit(const TStandardUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec)
{
    DescribeUnit(rec, unit.Shape, std::move(updateFunc), unit.BackupFlag, unit.Title, unit.Description);
}

TUpdateScript StandardUnitScript(const TStandardUnit& unit)
{
    TUpdateScript script(unit.Shape);
    for (const std::string& name : unit.SqlFiles)
        script.AddSql(name);
    for (const std::string& name : unit.BodyFiles)
        script.AddBodyFile(name);
    return script;
}

std::int32_t RunStandardUnit(const TStandardUnit& unit)
{
    // A unit that needs all its files checks them before it writes anything.
    if (unit.MissingFile == TMissingBodyFile::Fail && !TUpdateScript(unit.Shape).BodyFilesExist(unit.BodyFiles))
        return UpdateResultFileMissing;
    const std::int32_t result = StandardUnitScript(unit).Run();
    return result == UpdateResultOk && unit.AfterScript ? unit.AfterScript() : result;
}
