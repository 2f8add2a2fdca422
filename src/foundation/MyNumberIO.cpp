#include "foundation/MyNumberIO.h"

#include "foundation/AccRegStore.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/InstallationNames.h"
#include "foundation/PasswordScramble.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "platform/db/JoinedTransaction.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

constexpr const char* Group = "基本設定";
constexpr const char* UseCode = "＃USE";
constexpr const char* KeyCode = "＃KEY";
constexpr const char* ValueCode = "＃VALUE";
constexpr const char* CipherKeyName = "MYNUMBER";
constexpr std::int32_t UniqueViolation = 335544665;

constexpr const char* LoadFailed = "管理ログリストの取得に失敗しました。";
constexpr const char* AddFailed = "管理ログリストの追加に失敗しました。";
constexpr const char* MergeFailed = "管理ログリストのマージに失敗しました。";
constexpr const char* DeleteFailed = "管理ログリストの削除に失敗しました。";
constexpr const char* ReadFailed = "マイナンバー情報の取得に失敗しました。";

constexpr const char* SelectLog =
    "SELECT FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT "
    "FROM MYNUMBER_LOG ";

std::mutex g_promptMutex;
TMyNumberPasswordPrompt g_prompt;

std::string Trimmed(std::string text)
{
    const auto notBlank = [](unsigned char c) { return c > ' '; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
    text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
    return text;
}

std::string Cut(const std::string& text, int bytes)
{
    return Trimmed(FixLenStrL(text, bytes));
}

bool FileOfData(const std::string& path)
{
    if (ConnectionMode != 0 && DM->ServerFiles != nullptr)
        return DM->ServerFiles->FileExists(path, ConnectionMode);
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The company connection on the data of a database file for one operation
// (see the header).
class CompanyScope final {
public:
    CompanyScope(const std::string& host, const std::string& databasePath, bool testFile)
        : folder_(std::filesystem::path(databasePath).parent_path().string())
    {
        if (testFile && !FileOfData(databasePath))
            return;
        const std::string name = TDM::DatabaseConnectionName(host, folder_, DataDbFileName);
        if (DM->IBDatabaseDAT.Connected()) {
            ok_ = DM->IBDatabaseDAT.DatabaseName() == name;
            return;
        }
        ok_ = DM->fnAccDatConnected(host, folder_, false);
        connected_ = ok_;
    }
    ~CompanyScope()
    {
        if (!connected_)
            return;
        try {
            DM->fnAccDatDisConnected(folder_, false, false);
        } catch (const std::exception&) {
            // The next connect closes what is left open.
        }
    }
    CompanyScope(const CompanyScope&) = delete;
    CompanyScope& operator=(const CompanyScope&) = delete;

    bool Ok() const { return ok_; }

private:
    std::string folder_;
    bool ok_ = false;
    bool connected_ = false;
};

db::Query CompanyQuery(const std::string& sql)
{
    return db::Query(DM->IBDatabaseDAT, DM->IBTransactionDAT, sql);
}

std::string CompanyNameOfData()
{
    db::Query query = CompanyQuery("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1");
    query.Open();
    return query.Eof() ? std::string() : query.FieldByName("SHOUGOU").AsString();
}

void ReportDbError(const char* message, const std::exception& error)
{
    ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
}

std::string StoredText(const char* code)
{
    AccRegValue value;
    GetAccReg(Group, code, "文字", "", value);
    const std::string* text = std::get_if<std::string>(&value);
    return text != nullptr ? *text : std::string();
}

}  // namespace

std::string MyNumberLogComment(std::uint8_t state, const std::string& processName)
{
    static const char* const words[] = {"**",
                                        "が登録",
                                        "が変更",
                                        "が削除",
                                        "が参照",
                                        "が印刷",
                                        "を含むデータが保存",
                                        "を含むデータが復元",
                                        "を含めずにデータが保存",
                                        "が既定値に設定",
                                        "が変更"};
    const bool sent = processName.find("送信") != std::string::npos;
    switch (state) {
    case 6:
        if (sent)
            return "マイナンバー情報を含むデータが送信されました。";
        break;
    case 7:
        if (processName.find("受信") != std::string::npos)
            return "マイナンバー情報を含むデータが受信されました。";
        break;
    case 8:
        if (sent)
            return "マイナンバー情報を含めずにデータが送信されました。";
        break;
    case 9:
        return "マイナンバー管理パスワードを既定値に設定しました。";
    case 10:
        return "マイナンバー管理パスワードを変更しました。";
    default:
        break;
    }
    return std::string("マイナンバー情報") + (state <= 10 ? words[state] : words[0]) + "されました。";
}

void SetMyNumberPasswordPrompt(TMyNumberPasswordPrompt prompt)
{
    std::lock_guard lock(g_promptMutex);
    g_prompt = std::move(prompt);
}

bool TMyNumberIO::ConfirmMyNumberPassword(const std::string& storedPassword)
{
    if (SystemDef.MYNUMBER_ADM == 0)
        return true;
    if (storedPassword.empty())
        return false;
    TMyNumberPasswordPrompt prompt;
    {
        std::lock_guard lock(g_promptMutex);
        prompt = g_prompt;
    }
    if (!prompt)
        return false;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const std::optional<std::string> entry = prompt(attempt);
        if (!entry)
            return false;
        if (TrimZen(*entry) == storedPassword)
            return true;
    }
    return false;
}

void TMyNumberIO::MakeMyNumberLogRec(TMyNumberLogRec& rec, std::uint8_t state, const std::string& processName) const
{
    rec.FHIZUKE = 0;
    rec.FSERIAL = SystemDef.ProductSerial;
    rec.FOPCODE = std::to_string(SystemDef.LOGINCODE);
    rec.FOPNAME = SystemDef.OPNAME;
    rec.FHOST = Cut(SystemDef.PCName, 60);
    rec.FSTATE = state;
    rec.FPROCNAME = Cut(processName, 40);
    rec.FCOMMENT = Cut(MyNumberLogComment(state, processName), 100);
}

void TMyNumberIO::LoadMyNumberLog(bool descending)
{
    CompanyName.clear();
    LogCount = 0;
    LogList.clear();
    try {
        db::JoinedTransaction joined(DM->IBTransactionDAT);
        CompanyName = CompanyNameOfData();
        db::Query count = CompanyQuery("SELECT COUNT(FSERIAL) AS RECCNT FROM MYNUMBER_LOG");
        count.Open();
        LogCount = count.FieldByName("RECCNT").AsInteger();
        count.Close();
        if (LogCount > 0) {
            db::Query rows = CompanyQuery(std::string(SelectLog) + (descending ? "ORDER BY FHIZUKE DESC,FSERIAL,FOPCODE"
                                                                               : "ORDER BY FHIZUKE,FSERIAL,FOPCODE"));
            rows.Open();
            // Rows added since the count are left for the next load.
            while (!rows.Eof() && static_cast<std::int32_t>(LogList.size()) < LogCount) {
                TMyNumberLogRec rec;
                rec.FHIZUKE = rows.FieldByName("FHIZUKE").AsDateTime();
                rec.FSERIAL = rows.FieldByName("FSERIAL").AsString();
                rec.FOPCODE = rows.FieldByName("FOPCODE").AsString();
                rec.FOPNAME = rows.FieldByName("FOPNAME").AsString();
                rec.FHOST = rows.FieldByName("FHOST").AsString();
                rec.FSTATE = static_cast<std::uint8_t>(rows.FieldByName("FSTATE").AsInteger());
                rec.FPROCNAME = rows.FieldByName("FPROCNAME").AsString();
                rec.FCOMMENT = rows.FieldByName("FCOMMENT").AsString();
                LogList.push_back(std::move(rec));
                rows.Next();
            }
            LogCount = static_cast<std::int32_t>(LogList.size());
        }
        joined.Commit();
    } catch (const std::exception& error) {
        ReportDbError(LoadFailed, error);
    }
}

void TMyNumberIO::LoadMyNumberLogOfData(const std::string& host, const std::string& databasePath)
{
    CompanyScope scope(host, databasePath, true);
    if (scope.Ok())
        LoadMyNumberLog(false);
}

void TMyNumberIO::AddLog(TMyNumberLogRec rec)
{
    InsertLog(rec);
}

void TMyNumberIO::InsertLog(TMyNumberLogRec& rec)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (attempt > 0) {
            // A fresh stamp needs the clock to move on.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        try {
            db::JoinedTransaction joined(DM->IBTransactionDAT);
            db::Query insert = CompanyQuery(
                "INSERT INTO MYNUMBER_LOG(FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT) "
                "VALUES(:FHIZUKE,:FSERIAL,:FOPCODE,:FOPNAME,:FHOST,:FSTATE,:FPROCNAME,:FCOMMENT)");
            if (rec.FHIZUKE == 0)
                rec.FHIZUKE = Now();
            insert.ParamByName("FHIZUKE").SetDateTime(rec.FHIZUKE);
            insert.ParamByName("FSERIAL").SetString(rec.FSERIAL);
            insert.ParamByName("FOPCODE").SetString(rec.FOPCODE);
            insert.ParamByName("FOPNAME").SetString(rec.FOPNAME);
            insert.ParamByName("FHOST").SetString(rec.FHOST);
            insert.ParamByName("FSTATE").SetInteger(rec.FSTATE);
            insert.ParamByName("FPROCNAME").SetString(rec.FPROCNAME);
            insert.ParamByName("FCOMMENT").SetString(rec.FCOMMENT);
            insert.ExecSQL();
            joined.Commit();
            return;
        } catch (const db::FbError& error) {
            if (error.IBErrorCode() == UniqueViolation) {
                rec.FHIZUKE = 0;
                continue;
            }
            HandleIBError(error, "TMyNumberIO.AddLog", AddFailed);
            return;
        } catch (const std::exception& error) {
            ReportDbError(AddFailed, error);
            return;
        }
    }
}

void TMyNumberIO::AddLogToData(const TMyNumberLogRec& rec, const std::string& host, const std::string& databasePath)
{
    CompanyScope scope(host, databasePath, true);
    if (scope.Ok())
        AddLog(rec);
}

void TMyNumberIO::MergeMyNumberLog(const std::string& host, const std::string& databasePath)
{
    if (CompanyName.empty())
        return;
    CompanyScope scope(host, databasePath, true);
    if (!scope.Ok())
        return;
    try {
        db::JoinedTransaction joined(DM->IBTransactionDAT);
        if (CompanyNameOfData() == CompanyName) {
            for (const TMyNumberLogRec& rec : LogList) {
                db::Query present = CompanyQuery(
                    "SELECT COUNT(FHIZUKE) AS RECCNT FROM MYNUMBER_LOG "
                    "WHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE) AND (FHOST=:FHOST)");
                present.ParamByName("FHIZUKE").SetDateTime(rec.FHIZUKE);
                present.ParamByName("FSERIAL").SetString(rec.FSERIAL);
                present.ParamByName("FOPCODE").SetString(rec.FOPCODE);
                present.ParamByName("FHOST").SetString(rec.FHOST);
                present.Open();
                const bool found = present.FieldByName("RECCNT").AsInteger() > 0;
                present.Close();
                if (!found)
                    AddLog(rec);
            }
        }
        joined.Commit();
    } catch (const std::exception& error) {
        ReportDbError(MergeFailed, error);
    }
}

void TMyNumberIO::DeleteMyNumberLog(const TMyNumberLogRec& rec)
{
    try {
        db::JoinedTransaction joined(DM->IBTransactionDAT);
        db::Query remove = CompanyQuery(
            "DELETE FROM MYNUMBER_LOG "
            "WHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE)");
        remove.ParamByName("FHIZUKE").SetDateTime(rec.FHIZUKE);
        remove.ParamByName("FSERIAL").SetString(rec.FSERIAL);
        remove.ParamByName("FOPCODE").SetString(rec.FOPCODE);
        remove.ExecSQL();
        joined.Commit();
    } catch (const std::exception& error) {
        ReportDbError(DeleteFailed, error);
    }
}

bool TMyNumberIO::ReadMyNumberSettings(const std::string& host, const std::string& databasePath,
                                       const std::string& clearWord, const std::string& processName)
{
    Use = 0;
    Password.clear();
    Value.clear();
    storedKey_.clear();
    storedValue_.clear();
    CompanyScope scope(host, databasePath, true);
    if (!scope.Ok())
        return false;
    try {
        db::JoinedTransaction joined(DM->IBTransactionDAT);
        AccRegValue use;
        GetAccReg(Group, UseCode, "整数", "0", use);
        if (const std::int32_t* number = std::get_if<std::int32_t>(&use))
            Use = *number;
        storedKey_ = StoredText(KeyCode);
        storedValue_ = StoredText(ValueCode);
        if (!storedKey_.empty())
            CipherDecodeText(storedKey_, CipherKeyName, 8, Password);
        if (!storedValue_.empty())
            CipherDecodeText(storedValue_, CipherKeyName, static_cast<std::int32_t>(storedValue_.size()), Value);
        std::string word = clearWord;
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
        if (word == MyNumberClearWord) {
            PutAccReg(Group, UseCode, "整数", AccRegValue(std::int32_t{0}));
            DelAccReg(Group, KeyCode);
            DelAccReg(Group, ValueCode);
            MakeMyNumberLogRec(OwnLog, 3, processName.empty() ? "アプリケーション" : processName);
            OwnLog.FHIZUKE = Now();
            InsertLog(OwnLog);
        }
        joined.Commit();
        return true;
    } catch (const std::exception& error) {
        ReportDbError(ReadFailed, error);
        return false;
    }
}

bool TMyNumberIO::RestoreMyNumberSettings(const std::string& host, const std::string& databasePath)
{
    if (Use != 1)
        return true;
    CompanyScope scope(host, databasePath, false);
    if (!scope.Ok())
        return false;
    try {
        db::JoinedTransaction joined(DM->IBTransactionDAT);
        PutAccReg(Group, UseCode, "整数", AccRegValue(Use));
        if (!storedKey_.empty())
            PutAccReg(Group, KeyCode, "文字", AccRegValue(storedKey_));
        if (!storedValue_.empty())
            PutAccReg(Group, ValueCode, "文字", AccRegValue(storedValue_));
        joined.Commit();
    } catch (const std::exception& error) {
        ReportDbError(ReadFailed, error);
        return false;
    }
    DeleteMyNumberLog(OwnLog);
    return true;
}
