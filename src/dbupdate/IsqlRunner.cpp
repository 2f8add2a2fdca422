#include "dbupdate/IsqlRunner.h"

#include "dbupdate/PrivateFile.h"
#include "foundation/SystemDef.h"
#include "foundation/ScreenServices.h"
#include "foundation/UserMessage.h"
#include "platform/ChildProcess.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::atomic<long long> g_timeLimitMs{60LL * 60 * 1000};
std::atomic<bool> g_cancel{false};

enum class StopReason { None, Cancelled, TimedOut };

constexpr const char* MissingScriptMessage = "更新ファイル(%s)が見つかりません。\r処理を中止します。";
constexpr const char* ToolStartMessage = "ISQL.EXEが起動できません。\r処理を中止します。";
constexpr const char* UpdateFailedMessage = "Ver %sのデータベース更新に失敗しました。";
constexpr const char* LogWriteFailedMessage = "エラー情報をログファイルに書き込めませんでした。";

std::string Replace(std::string text, std::string_view value)
{
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

std::string Join(const std::string& folder, std::string_view name)
{
    return folder + "/" + std::string(name);
}

void RemoveQuietly(const std::string& path) noexcept
{
    std::error_code ec;
    fs::remove(path, ec);
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return text.str();
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines, bool append)
{
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

// The tool echoes the CONNECT line with the database password; the error
// logs outlive the run and are read by anyone who looks into the log folder,
// so the password is blotted out there.
std::vector<std::string> WithoutPassword(std::vector<std::string> lines)
{
    if (SystemDef.PASSWORD.empty())
        return lines;
    const std::string secret = "PASSWORD '" + SystemDef.PASSWORD + "'";
    const std::string hidden = "PASSWORD '********'";
    for (std::string& line : lines)
        for (std::size_t at = line.find(secret); at != std::string::npos; at = line.find(secret, at + hidden.size()))
            line.replace(at, secret.size(), hidden);
    return lines;
}

// What a failed run leaves in the error logs: the tool's log, or a line that
// says why there is none.
void KeepFailedLog(const std::vector<std::string>& rawLines)
{
    const std::vector<std::string> lines = WithoutPassword(rawLines);
    const std::string txt = Join(SystemDef.LogDir, std::string(UpdateErrorLogBaseName) + ".txt");
    const bool savedText = WriteLines(txt, lines, false);
    const bool appended = AppendErrorLog(lines);
    if (!savedText || !appended)
        ShowUserMessage(std::string(LogWriteFailedMessage) + "\r" + SystemDef.LogDir, TMsgDlgType::mtWarning);
}

bool ContainsFailure(const std::string& text)
{
    return text.find("failed") != std::string::npos || text.find("Error") != std::string::npos;
}

// The tool's log, made anew, empty and private before the run; the reason
// when it cannot be made (then the tool must not run: it would write the
// echoed password where others may read it, or append to a stale log).
std::optional<std::string> MakeEmptyLog(const std::string& log)
{
    try {
        CreatePrivateFile(log);
        return std::nullopt;
    } catch (const TPrivateFileError& error) {
        return std::string(error.what());
    }
}

// Whether the run failed, judged by its log and its end; the lines of the
// log (and why it failed where the log does not say) go to lines.
// Whether a line of the log that is not an echo of the script (the tool
// echoes every statement with -e) says "failed" or "Error": a name or a
// text in the script that holds one of the words (a data folder called
// "Error", a memo) is no failure.
bool ReportsFailure(const std::vector<std::string>& logLines, const std::vector<std::string>& scriptLines)
{
    std::set<std::string> echoed(scriptLines.begin(), scriptLines.end());
    for (const std::string& line : logLines)
        if (!echoed.contains(line) && ContainsFailure(line))
            return true;
    return false;
}

bool JudgeLog(const std::string& log, const proc::ExitStatus& status, const std::vector<std::string>& scriptLines,
              std::vector<std::string>& lines)
{
    const std::optional<std::string> text = ReadWholeFile(log);
    if (!text || text->empty()) {
        // The tool echoes every statement, the CONNECT line first: a log it
        // left empty (or removed) means it never got to the script, and its
        // silence is no success.
        lines.push_back(std::string(IsqlToolName) + " wrote no log (" + status.Describe() + ")");
        return true;
    }
    lines = SplitTextLines(*text);
    if (lines.size() > 2 && ReportsFailure(lines, scriptLines))
        return true;
    // Bailing out, the tool ends with a non-zero code also where its log
    // names no error (a statement left open at the end of the script:
    // "Expected end of statement, encountered EOF"); then nothing after it
    // has run.
    if (!status.Succeeded()) {
        lines.push_back(std::string(IsqlToolName) + " ended with " + status.Describe());
        return true;
    }
    return false;
}

// Runs the tool; nothing when it could not be started. stopped tells why
// the wait killed it.
std::optional<proc::ExitStatus> RunTool(const std::string& script, const std::string& log, StopReason& stopped)
{
    proc::ChildOptions options;
    // The tool writes everything worth keeping to the log (-o, with -m for
    // its error output); what else it prints has no reader.
    options.stdoutTarget = proc::OutputTarget::Discard();
    options.stderrTarget = proc::OutputTarget::Discard();
    proc::ChildProcess child({IsqlToolPath(), "-b", "-i", script, "-e", "-m", "-o", log}, options);
    try {
        child.Start();
    } catch (const proc::ChildProcessError&) {
        return std::nullopt;
    }
    // Pumps the screens' messages while the tool runs; its end is noticed at
    // once, not at the next interval.
    const auto deadline = std::chrono::steady_clock::now() + IsqlTimeLimit();
    auto status = child.Wait(std::chrono::milliseconds(20), [&] {
        if (g_cancel.load())
            stopped = StopReason::Cancelled;
        else if (std::chrono::steady_clock::now() >= deadline)
            stopped = StopReason::TimedOut;
        if (stopped != StopReason::None)
            return proc::WaitAction::Kill;
        DelayMSec(1);
        return proc::WaitAction::Continue;
    });
    return status ? status : std::optional<proc::ExitStatus>(child.Wait());
}

}  // namespace

void SetIsqlTimeLimit(std::chrono::milliseconds limit)
{
    g_timeLimitMs.store(limit.count());
}

std::chrono::milliseconds IsqlTimeLimit()
{
    return std::chrono::milliseconds(g_timeLimitMs.load());
}

void RequestIsqlCancel()
{
    g_cancel.store(true);
}

void ClearIsqlCancel()
{
    g_cancel.store(false);
}

bool IsqlCancelRequested()
{
    return g_cancel.load();
}

std::string UpdateScriptPath()
{
    return Join(SystemDef.TempDir, UpdateScriptFileName);
}

std::string UpdateLogPath()
{
    return Join(SystemDef.TempDir, UpdateLogFileName);
}

std::string IsqlToolPath()
{
    if (!SystemDef.ProgramDir.empty()) {
        const std::string local = Join(SystemDef.ProgramDir, IsqlToolName);
        std::error_code ec;
        if (fs::is_regular_file(local, ec))
            return local;
    }
    return std::string(IsqlToolName);
}

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

bool AppendErrorLog(const std::vector<std::string>& lines)
{
    return WriteLines(Join(SystemDef.LogDir, std::string(UpdateErrorLogBaseName) + ".log"), lines, true);
}

std::int32_t ExecIsqlScript(const std::string& VersionText)
{
    const std::string script = UpdateScriptPath();
    const std::string log = UpdateLogPath();
    std::int32_t result = UpdateResultOk;
    try {
        std::error_code ec;
        if (!fs::is_regular_file(script, ec)) {
            ShowUserMessage(Replace(MissingScriptMessage, script), TMsgDlgType::mtCustom);
            result = UpdateResultFileMissing;
        } else {
            std::vector<std::string> lines;  // what a failed run leaves in the error logs
            bool failed = false;
            if (std::optional<std::string> refused = MakeEmptyLog(log)) {
                failed = true;
                lines.push_back(std::move(*refused));
            } else if (g_cancel.load()) {
                failed = true;
                lines.push_back(std::string(IsqlToolName) + " was not started: the update was cancelled");
            } else {
                const std::optional<std::string> scriptText = ReadWholeFile(script);
                const std::vector<std::string> scriptLines = SplitTextLines(scriptText.value_or(std::string()));
                StopReason stopped = StopReason::None;
                const std::optional<proc::ExitStatus> status = RunTool(script, log, stopped);
                if (!status) {
                    ShowUserMessage(ToolStartMessage, TMsgDlgType::mtCustom);
                    result = UpdateResultToolMissing;
                } else {
                    failed = JudgeLog(log, *status, scriptLines, lines);
                    if (stopped != StopReason::None)
                        lines.push_back(
                            std::string(IsqlToolName) + " was stopped: " +
                            (stopped == StopReason::Cancelled ? "the update was cancelled" : "its time limit passed"));
                }
            }
            if (failed) {
                result = UpdateResultScriptError;
                ShowUserMessage(Replace(UpdateFailedMessage, VersionText), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
                KeepFailedLog(lines);
            }
        }
    } catch (const std::exception& e) {
        // Out of memory or a refused process table: the update did not run.
        ShowUserMessage(std::string(ToolStartMessage) + "\r" + e.what(), TMsgDlgType::mtCustom);
        result = UpdateResultToolMissing;
    }
    // The script holds the database password: it never outlives the call.
    RemoveQuietly(script);
    RemoveQuietly(log);
    return result;
}
