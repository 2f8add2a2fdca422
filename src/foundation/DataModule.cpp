#include "foundation/DataModule.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/HostHooks.h"
#include "foundation/InstallationNames.h"
#include "foundation/ErrorHandling.h"
#include "foundation/FolderOps.h"
#include "foundation/StringUtils.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/ServiceManager.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <system_error>

std::unique_ptr<TDM> DM;

namespace {

const char* const kDefConnectFailed = "システムデータベースの接続処理に失敗しました。";
const char* const kDatConnectFailed =
    "ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
    "使用中の可能性がありますので接続パスを確認して下さい。";
const char* const kInConnectionFailed = "データベースの使用情報の取得に失敗しました。";
const char* const kDropFailed = "ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。";

std::string JoinPath(const std::string& folder, const std::string& file)
{
    return ExcludePathDelim(folder) + "/" + file;
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The same file whatever "." or ".." or doubled separators the texts carry;
// the case is kept (the file system tells cases apart).
std::string SamePathKey(const std::string& path)
{
    std::string slashes = path;
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    return std::filesystem::path(slashes).lexically_normal().string();
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

void TDMTimer::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (OnEnabledChanged)
        OnEnabledChanged(enabled);
}

TDM::TDM()
    : IBTransactionDEF(IBDatabaseDEF, db::TransactionOptions::ReadCommitted()),
      IBTransactionDAT(IBDatabaseDAT, db::TransactionOptions::ReadCommitted()),
      IBTransactionDATSS(IBDatabaseDAT, db::TransactionOptions::Snapshot()),
      IBTransFileMan(IBFileMan, db::TransactionOptions::ReadCommitted()),
      IBQSysDefGet(IBDatabaseDEF, IBTransactionDEF),
      IBQSysDefPut(IBDatabaseDEF, IBTransactionDEF),
      QueryDef(IBDatabaseDEF, IBTransactionDEF),
      IBSQLDEF(IBDatabaseDEF, IBTransactionDEF),
      IBQACC1(IBDatabaseDAT, IBTransactionDAT),
      IBQACC2(IBDatabaseDAT, IBTransactionDAT),
      IBQueryFileMan(IBFileMan, IBTransFileMan),
      IBSQLFileMan(IBFileMan, IBTransFileMan)
{
    for (db::Query* query : {&IBQSysDefGet, &IBQSysDefPut, &QueryDef, &IBQACC1, &IBQACC2, &IBQueryFileMan})
        query->SetAutoStart(true);
    IBSQLDEF.SetParamCheck(true);
    CompanyDatabaseNameHook = [this] { return IBDatabaseDAT.DatabaseName(); };
}

TDM::~TDM()
{
    CompanyDatabaseNameHook = nullptr;
}

std::string TDM::DatabaseConnectionName(const std::string& host, const std::string& folder, const std::string& file)
{
    const std::string path = JoinPath(folder, file);
    if (ConnectionMode == 0)
        return db::ConnectionString("", path);
    if (Trimmed(host).empty())
        throw db::FbError("no database server host is set for the client/server connection to " + path);
    return db::ConnectionString(host, path);
}

bool TDM::fnAccDefConnected(std::string host, bool report)
{
    if (host.empty())
        host = SystemDef.HOSTNAME;
    if (IBDatabaseDEF.Connected())
        return true;
    try {
        IBDatabaseDEF.Attach(DatabaseConnectionName(host, SystemDef.SYSDIR, SysDbFileName), SystemDef.USER,
                             SystemDef.PASSWORD);
        return IBDatabaseDEF.Connected();
    } catch (const db::FbError& error) {
        if (!report)
            throw;
        HandleIBError(error, "TDM.fnAccDefConnected", kDefConnectFailed);
        return false;
    } catch (const std::exception& error) {
        if (!report)
            throw;
        ShowErrorMessage(kDefConnectFailed, error.what(), TMsgDlgType::mtError);
        return false;
    }
}

bool TDM::LocalOrServerFileExists(const std::string& path) const
{
    switch (ConnectionMode) {
    case 0: {
        std::error_code ignored;
        return std::filesystem::is_regular_file(path, ignored);
    }
    case 1:
    case 2:
        // Without the server-side test the connect itself finds out.
        return ServerFiles == nullptr || ServerFiles->FileExists(path, ConnectionMode);
    default:
        return false;
    }
}

bool TDM::fnFileManConnected(std::string host)
{
    try {
        if (!LocalOrServerFileExists(JoinPath(SystemDef.SYSDIR, FileManDbFileName)))
            return false;
        if (host.empty())
            host = SystemDef.HOSTNAME;
        if (IBFileMan.Connected())
            return true;
        IBFileMan.Attach(DatabaseConnectionName(host, SystemDef.SYSDIR, FileManDbFileName), SystemDef.USER,
                         SystemDef.PASSWORD);
        return IBFileMan.Connected();
    } catch (const std::exception&) {
        return false;
    }
}

bool TDM::MayBeDataDamage(const db::FbError& error)
{
    switch (error.IBErrorCode()) {
    case 0:          // raised by the database layer, not by the engine
    case 335544344:  // I/O error: the file is missing or cannot be opened
    case 335544352:  // no permission
    case 335544375:  // unavailable database
    case 335544472:  // wrong user name or password
    case 335544528:  // database shut down
    case 335544345:  // lock conflict
    case 335544336:  // deadlock
    case 335544510:  // lock time-out
    case 335544721:  // network request failed
    case 335544726:  // error reading from the connection: the server went away
    case 335544727:  // error writing to the connection: the server went away
        return false;
    default:
        return true;
    }
}

bool TDM::fnAccDatConnected(std::string host, std::string folder, bool markInUse)
{
    if (host.empty())
        host = SystemDef.HOSTNAME;
    if (folder.empty())
        folder = SystemDef.DataDir;
    try {
        IBDatabaseDAT.Detach();
        IBDatabaseDAT.Attach(DatabaseConnectionName(host, folder, DataDbFileName), SystemDef.USER, SystemDef.PASSWORD);
        if (markInUse && DataFolderState != nullptr) {
            TDataInfomationRec info;
            DataFolderState->GetDataInfoRec(info);
            info.STATUS = DataStatusInUse;
            info.OPCODE = SystemDef.OPCODE;
            info.OPERATOR = SystemDef.OPNAME;
            if (ConnectionMode == 0)
                DataFolderState->WriteDataInfo(folder, "", info);
        }
        return IBDatabaseDAT.Connected();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.fnAccDatConnected", kDatConnectFailed);
        // Validating a healthy file that merely could not be opened (a wrong
        // password, a lock, a lost server) would mark it damaged in the data
        // list and in its information file.
        if (MayBeDataDamage(error))
            CallDataCheckEvent(host, folder, 1, false);
        return false;
    } catch (const std::exception& error) {
        ShowErrorMessage(kDatConnectFailed, error.what(), TMsgDlgType::mtError);
        return false;
    }
}

bool TDM::fnAccDatDisConnected(std::string folder, bool refreshInfo, bool refreshList)
{
    if (folder.empty())
        folder = SystemDef.DataDir;
    const bool listRefresh = refreshList && ProgramKind != 1 && DataListAccess != nullptr && DataFolderState != nullptr;
    if ((refreshInfo || listRefresh) && DataFolderState != nullptr) {
        TDataInfomationRec info;
        DataFolderState->GetDataInfoRec(info);
        info.STATUS = DataStatusFree;
        if (refreshInfo && ConnectionMode == 0)
            DataFolderState->WriteDataInfo(folder, "", info);
        if (listRefresh) {
            const std::unique_ptr<IDataListController> list = DataListAccess->CreateDataListController();
            if (list) {
                list->SetListMode(ConnectionMode);
                list->SetDataPlace(SystemDef.DataPlaceNo);
                TDataListRec row;
                list->InitDataListRecord(row, folder);
                // A child folder is looked up among the child rows.
                row.GASSAN = info.GASSANKBN;
                list->GetDataListRecord(1, row, true);
                // The data code goes to the row's data-code column; the name
                // the user gave the row stays as stored.
                row.GROUPID = SystemDef.GROUPID;
                row.DATACODE = info.CODE;
                row.SHOUGOU = info.SHOUGOU;
                row.NENDO = info.NENDO;
                row.KISHU = StrToDateDef0(info.KISHU);
                row.KIMATU = StrToDateDef0(info.KIMATU);
                row.DATATYPE = info.DATAKBN;
                row.CODETYPE = info.CODEKBN;
                row.TANTOU = info.TANTO;
                row.VER_MAJOR = info.VERSION1[0];
                row.VER_MINOR1 = info.VERSION1[1];
                row.VER_MINOR2 = info.VERSION1[2];
                row.VER_TEXT = info.VERSION2;
                row.GASSAN = info.GASSANKBN;
                row.CLOUD = info.CLOUD_SHARE;
                list->UpdateDataListRecord(row, 0, true);
            }
        }
    }
    IBDatabaseDAT.Detach();
    return true;
}

bool TDM::AccDatInConnection(std::int32_t kind, std::string host, const std::string& folder, bool keepOwn)
{
    if (host.empty())
        host = SystemDef.HOSTNAME;
    if (Trimmed(folder).empty())
        return false;
    // Short (8.3) names do not exist here: a path is its own short form.
    const std::string path = SamePathKey(JoinPath(folder, kind == 0 ? SysDbFileName : DataDbFileName));
    db::Database& own = kind == 0 ? IBDatabaseDEF : IBDatabaseDAT;

    bool found = false;
    bool reopen = false;
    std::string ownName;
    bool ok = true;
    try {
        if (ConnectionMode != 0 && Trimmed(host).empty())
            throw db::FbError("no database server host is set for the client/server connection to " + path);
        if (!keepOwn && own.Connected()) {
            ownName = own.DatabaseName();
            reopen = true;
            own.Detach();
        }
        found = ConnectionMode == 0 ? AttachedLocally(path) : AttachedOnServer(host, path);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.AccDatInConnection", kInConnectionFailed);
        ok = false;
    } catch (const std::exception& error) {
        ShowErrorMessage(kInConnectionFailed, error.what(), TMsgDlgType::mtError);
        ok = false;
    }
    if (reopen && !own.Connected()) {
        try {
            own.Attach(ownName, SystemDef.USER, SystemDef.PASSWORD);
        } catch (const db::FbError& error) {
            HandleIBError(error, "TDM.AccDatInConnection", kInConnectionFailed);
            ok = false;
        } catch (const std::exception& error) {
            ShowErrorMessage(kInConnectionFailed, error.what(), TMsgDlgType::mtError);
            ok = false;
        }
    }
    return ok && found;
}

bool TDM::AttachedOnServer(const std::string& host, const std::string& path)
{
    const db::ServiceManager services(host, SystemDef.USER, SystemDef.PASSWORD);
    for (const std::string& attached : services.AttachedDatabases()) {
        if (SamePathKey(attached) == path)
            return true;
    }
    return false;
}

bool TDM::AttachedLocally(const std::string& path)
{
    // The embedded engine's service answers only for this process, and only
    // to an administrator. The engines of all processes that share the file
    // (one root, SuperClassic) see each other's attachments in the monitoring
    // tables, so the file itself is asked; every program attaches as the same
    // user, whose attachments the tables show. A file that does not exist is
    // attached by nobody.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
        return false;
    db::Database probe;
    probe.Attach(db::ConnectionString("", path), SystemDef.USER, SystemDef.PASSWORD);
    db::Transaction transaction(probe);
    transaction.Start();
    db::Query query(probe, transaction,
                    "SELECT COUNT(*) AS C FROM MON$ATTACHMENTS"
                    " WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0");
    query.Open();
    return query.FieldByName("C").AsInteger() > 0;
}

bool TDM::AccDatDropDatabase(std::string host, const std::string& folder)
{
    if (host.empty())
        host = SystemDef.HOSTNAME;
    if (folder.empty())
        return false;
    try {
        db::Database database;
        database.Attach(DatabaseConnectionName(host, folder, DataDbFileName), SystemDef.USER, SystemDef.PASSWORD);
        database.Drop();
        return true;
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.AccDatDropDatabase", kDropFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(kDropFailed, error.what(), TMsgDlgType::mtError);
    }
    return false;
}

std::int32_t TDM::CallDataCheckEvent(const std::string& host, const std::string& folder, std::int32_t mode, bool force)
{
    if ((!force && SystemDef.DataCheckSwitch != 1) || !DataCheckHook)
        return 1;
    return DataCheckHook(host, folder, mode);
}

bool TDM::IsCloudShareMode(bool strict)
{
    if (EditionFlag != 0 || (ProgramKind != 0 && ProgramKind != 2) || ConnectionMode == 2)
        return false;
    return !strict || ProgramKind != 2;
}

std::string TDM::GetParamValue(const std::string& lines, const std::string& key)
{
    std::size_t pos = 0;
    while (pos <= lines.size()) {
        std::size_t end = lines.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(pos, end - pos);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && EqualsIgnoringAsciiCase(line.substr(0, equals), key))
            return line.substr(equals + 1);
        if (end == lines.size())
            break;
        pos = end + ((lines[end] == '\r' && end + 1 < lines.size() && lines[end + 1] == '\n') ? 2 : 1);
    }
    return {};
}

void TDM::TimerFormCloseTimer()
{
    TimerFormClose.SetEnabled(false);
    if (TimerFormClose.Tag != 0) {
        const platform::WindowHandle window = TimerFormClose.Tag;
        TimerFormClose.Tag = 0;
        platform::PostMessage(window, platform::WM_CLOSE, 0, 0);
    }
}

void TDM::SetDeferredProcess(const std::string& name, std::int32_t mode, const std::string& paramLines)
{
    deferredName_ = name;
    deferredMode_ = mode;
    deferredParams_ = paramLines;
}

void TDM::TimerSyoriKidouTimer()
{
    TimerSyoriKidou.SetEnabled(false);
    // Cleared before the launch, so that a launcher that throws or defers
    // another process does not leave this one behind.
    const std::string name = std::move(deferredName_);
    const std::int32_t mode = deferredMode_;
    const std::string params = std::move(deferredParams_);
    deferredName_.clear();
    deferredMode_ = 0;
    deferredParams_.clear();
    if (ProcessLauncherHook)
        ProcessLauncherHook(name, mode, params);
}
