#include "foundation/ErrorHandling.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/IBErrorMessages.h"
#include "foundation/StringUtils.h"
#include "platform/Cp932.h"
#include "platform/DateTime.h"
#include "platform/UniqueFd.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

TCompanyDatabaseNameHook CompanyDatabaseNameHook;
TQuitApplicationHook QuitApplicationHook;

namespace {

constexpr std::string_view kEndingText =
    "\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）\r"
    "アプリケーションが終了しましたら再起動して下さい。\r";
constexpr std::string_view kNetworkLostText =
    "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。";
constexpr std::string_view kStandAloneNote = "\r※注意 共有サーバーのデータ利用時は自動保管されません。\r";
constexpr std::string_view kLogFailureText = "エラー情報をログファイルに書き込めませんでした。";

struct TLogFailure {
    std::string Path;
    std::string Reason;
};
using TLogFailures = std::vector<TLogFailure>;

std::string TimeStamp()
{
    return FormatDateTime("yyyy/mm/dd hh:nn:ss", Now());
}

std::string CompanyDatabaseName()
{
    if (!CompanyDatabaseNameHook)
        return {};
    // The error path must not fail on its way to the user.
    try {
        return CompanyDatabaseNameHook();
    } catch (const std::exception&) {
        return {};
    }
}

std::string JoinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// The text in CP932. A character CP932 cannot hold, or a byte that is not
// UTF-8, becomes "?": the log keeps the rest of the line instead of losing it.
std::string ToLogBytes(std::string_view utf8)
{
    try {
        return cp932::FromUtf8(utf8);
    } catch (const cp932::TextEncodingError&) {
    }
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (pos + length > utf8.size())
            length = 1;
        try {
            out += cp932::FromUtf8(utf8.substr(pos, length));
        } catch (const cp932::TextEncodingError&) {
            out += '?';
        }
        pos += length;
    }
    return out;
}

// Lines as a text of separate lines reads them: CR, LF and CR LF each end a
// line, and a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

// One log line never spans several: each line break inside it becomes a blank.
std::string OneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

// Writes the lines, each ended by CR LF, appending to the file or replacing
// it; the file is created when absent. On failure returns false with the
// system's reason.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines, bool append, std::string& reason)
{
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += ToLogBytes(line);
        bytes += "\r\n";
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    platform::UniqueFd fd(::open(path.c_str(), flags, 0644));
    if (!fd) {
        reason = std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            reason = std::strerror(errno);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd.Release()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

void WriteLog(const std::string& folder, std::string_view name, const std::vector<std::string>& lines, bool append,
              TLogFailures& failures)
{
    if (folder.empty()) {
        // Never fall back to the root folder: "/ErrFbAccess.log" is no log.
        failures.push_back({std::string(name), "no folder is set"});
        return;
    }
    const std::string path = JoinPath(folder, name);
    std::string reason;
    if (!WriteLines(path, lines, append, reason))
        failures.push_back({path, reason});
}

// The program parent folder first, the log folder when that fails.
void WriteFBErrorLog(std::string_view name, const std::vector<std::string>& lines, bool append, TLogFailures& failures)
{
    TLogFailures first;
    if (!SystemDef.ProgramParentDir.empty()) {
        WriteLog(SystemDef.ProgramParentDir, name, lines, append, first);
        if (first.empty())
            return;
    }
    TLogFailures second;
    WriteLog(SystemDef.LogDir, name, lines, append, second);
    if (second.empty())
        return;
    failures.insert(failures.end(), first.begin(), first.end());
    failures.insert(failures.end(), second.begin(), second.end());
}

void ReportLogFailures(const TLogFailures& failures)
{
    if (failures.empty())
        return;
    std::string text(kLogFailureText);
    for (const TLogFailure& failure : failures)
        text += "\r" + failure.Path + "\r（" + failure.Reason + "）";
    ShowUserMessage(text, TMsgDlgType::mtWarning);
}

}  // namespace

void HandleIBError(const db::FbError& E, const std::string& Location, const std::string& Message)
{
    if (AppTerminating)
        return;

    const std::int32_t code = E.IBErrorCode();
    const std::string explanation = GetIBErrorMessage(code, E.SQLCode());

    const std::vector<std::string> lines{
        OneLine(TimeStamp() + "," + SystemDef.PCName + "," + std::to_string(SystemDef.OPCODE) +
                ",Serial=" + SystemDef.ProductSerial + ",AppVer=" + SystemDef.ProgramVersion +
                ",DBName=" + SystemDef.HOSTNAME + ":" + CompanyDatabaseName() + ",DataVer=" + DataVersionText),
        OneLine("Error=" + Location + " [" + std::to_string(code) + "] (" + std::to_string(E.SQLCode()) + ") " +
                explanation + "," + E.Message()),
    };
    TLogFailures failures;
    const std::string logName(ErrorLogBaseName);
    WriteLog(SystemDef.LogDir, logName + ".log", lines, true, failures);
    WriteLog(SystemDef.LogDir, logName + ".txt", lines, false, failures);

    std::string message = Message;
    if (IsNetworkLoss(code)) {
        AppTerminating = true;
        message = std::string(kNetworkLostText) + std::string(kEndingText);
    } else if (code == IBErrorConsistencyCheck) {
        AppTerminating = true;
        message = explanation + std::string(kEndingText);
    }

    if (!message.empty()) {
        if (AppTerminating) {
            if (ConnectionMode == 0)
                message += kStandAloneNote;
            ShowUserMessage(message, TMsgDlgType::mtError);
        } else {
            ShowErrorMessage(message,
                             "IBXエラーコード:" + std::to_string(code) + "\r" + E.Message() + "\r" + explanation,
                             TMsgDlgType::mtError);
        }
    }
    ReportLogFailures(failures);

    if (AppTerminating && QuitApplicationHook)
        QuitApplicationHook();
}

void ShowErrorMessage(const std::string& Message, const std::string& Detail, TMsgDlgType DialogType)
{
    if (Message.empty() && Detail.empty())
        return;
    std::string text = Message;
    if (!Detail.empty())
        text += "\r\r[詳細情報]\r" + Detail;
    ShowUserMessage(text, DialogType);
}

void ShowFBError(const db::FbError& E, const std::string& Title)
{
    const std::string text = Title + "\r\nErrCode<" + std::to_string(E.IBErrorCode()) + ">  SQLCODE<" +
                             std::to_string(E.SQLCode()) + ">\r\n" + E.Message() + "\r\r\n" +
                             GetIBErrorMessage(E.IBErrorCode(), E.SQLCode()) + "\r\n";
    ShowUserMessage(text, TMsgDlgType::mtError);

    std::vector<std::string> lines = SplitLines(text);
    lines.push_back("PG_VERSION[" + SystemDef.ProgramVersion + "]");
    lines.push_back("DB_VERSION[" + DataVersionText + "]");
    lines.push_back("Serial[" + SystemDef.ProductSerial + "]");
    lines.push_back("Server[" + SystemDef.HOSTNAME + "]");
    lines.push_back("DatabaseName[" + CompanyDatabaseName() + "]");
    lines.push_back(TimeStamp());
    lines.push_back(SystemDef.PCName);
    lines.push_back(std::to_string(SystemDef.OPCODE));

    TLogFailures failures;
    WriteFBErrorLog(FBErrorTextFileName, lines, false, failures);
    WriteFBErrorLog(FBErrorLogFileName, lines, true, failures);
    ReportLogFailures(failures);
}

void ShowCommaMessage(const std::string& Text, TMsgDlgType DialogType)
{
    std::array<std::string, 51> items;
    const int last = SplitStr(Text, ",", items);
    std::string text;
    for (int i = 0; i <= last; ++i)
        text += items[static_cast<std::size_t>(i)] + "\r";
    ShowUserMessage(text, DialogType);
}
