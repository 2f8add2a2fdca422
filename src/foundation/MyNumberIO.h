#pragma once
// The My Number settings of a company data set and its management log.
//
// Three typed settings (group "基本設定"): "＃USE" (1 when the data manages
// My Number), "＃KEY" (the management password) and "＃VALUE" (a second
// value), the last two kept through the string cipher. Every access that
// matters is written into the data's table MYNUMBER_LOG.
//
// The operations that name a data set by its database file work on the data
// module's company connection: they connect it for the data's folder when
// it is closed and close it again afterwards (also after an error); a file
// that does not exist, a connection that fails, or a company connection
// that is open on other data ends them silently, so they never read or
// change the wrong data.
//
// Clearing and putting back. A backup made without My Number information
// reads the settings with clearing (use 0, key and value deleted, a state-3
// log entry), backs up, and puts them back. The stored texts of the key and
// the value are written back exactly as they were read, never decoded and
// coded again: a text that another installation's cipher wrote would not
// survive that round trip, and the data would lose its password.
//
// Database errors end an operation with the plain error box and its message
// (named below); the operation then returns normally.

#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TMyNumberLogRec {
    TDateTime FHIZUKE = 0;  // 0: stamp with the current time when inserting
    std::string FSERIAL;
    std::string FOPCODE;
    std::string FOPNAME;
    std::string FHOST;  // at most 60 bytes
    std::uint8_t FSTATE = 0;
    std::string FPROCNAME;  // at most 40 bytes
    std::string FCOMMENT;   // at most 100 bytes
};
using TMyNumberLogList = std::vector<TMyNumberLogRec>;

inline constexpr const char* MyNumberClearWord = "MYNUMBER_CLEAR";

// The comment of an event kind for a process name.
std::string MyNumberLogComment(std::uint8_t state, const std::string& processName);

// The management password prompt, installed by the screens: called for
// attempt 1, 2, 3; the entry, or nothing when the user did not press OK.
using TMyNumberPasswordPrompt = std::function<std::optional<std::string>(int attempt)>;
void SetMyNumberPasswordPrompt(TMyNumberPasswordPrompt prompt);

class TMyNumberIO final {
public:
    // True at once for an operator who is no My Number administrator, false
    // at once for an empty stored password; otherwise up to three entries
    // (trimmed of half- and full-width blanks) compared exactly. Without an
    // installed prompt nobody passes.
    static bool ConfirmMyNumberPassword(const std::string& storedPassword);

    void MakeMyNumberLogRec(TMyNumberLogRec& rec, std::uint8_t state, const std::string& processName) const;
    // The company name and the whole log of the connected company database
    // ("管理ログリストの取得に失敗しました。").
    void LoadMyNumberLog(bool descending);
    void LoadMyNumberLogOfData(const std::string& host, const std::string& databasePath);
    // Up to four attempts; a duplicate key is retried with a fresh time
    // stamp ("管理ログリストの追加に失敗しました。").
    void AddLog(TMyNumberLogRec rec);
    void AddLogToData(const TMyNumberLogRec& rec, const std::string& host, const std::string& databasePath);
    // Inserts the loaded rows that the data lacks, only into data of the
    // loaded company name ("管理ログリストのマージに失敗しました。").
    void MergeMyNumberLog(const std::string& host, const std::string& databasePath);
    void DeleteMyNumberLog(const TMyNumberLogRec& rec);  // "管理ログリストの削除に失敗しました。"
    // Reads the three settings; with the clear word "MYNUMBER_CLEAR" (any
    // case) clears them and logs state 3 ("マイナンバー情報の取得に失敗しまし
    // た。"). True when the settings were read (and cleared where asked).
    bool ReadMyNumberSettings(const std::string& host, const std::string& databasePath, const std::string& clearWord,
                              const std::string& processName);
    // Writes back what ReadMyNumberSettings read (when the use was 1) and
    // removes the clearing's log entry. True when written (or nothing to do).
    bool RestoreMyNumberSettings(const std::string& host, const std::string& databasePath);

    std::string CompanyName;
    std::int32_t LogCount = 0;
    TMyNumberLogList LogList;
    TMyNumberLogRec OwnLog;
    std::int32_t Use = 0;
    std::string Password;  // decoded
    std::string Value;     // decoded

private:
    // AddLog, leaving the time stamp it used in rec.
    void InsertLog(TMyNumberLogRec& rec);

    std::string storedKey_;    // "＃KEY" as stored
    std::string storedValue_;  // "＃VALUE" as stored
};
