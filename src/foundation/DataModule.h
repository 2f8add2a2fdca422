#pragma once
// The data module: the program's one owner of its database connections.
//
// Three databases, each with its ordinary transaction ("read_committed",
// "rec_version", "nowait"):
//   IBDatabaseDEF  the system database SysDbFileName in SYSDIR
//   IBDatabaseDAT  one company database DataDbFileName in a data folder,
//                  with a second, snapshot transaction IBTransactionDATSS
//                  ("concurrency", "nowait") for the balance calculations
//   IBFileMan      the file-manager database "qhfileman.fdb" in SYSDIR on
//                  the server, used only to carry backup files
// and the fixed queries other code runs on them. One instance exists, held
// by DM; the start-up creates it and it lives until the program ends.
//
// Database names. Every connect builds its name from (host, folder, file):
//   - stand-alone mode (ConnectionMode 0): the plain path "folder/file",
//     which opens the file through the embedded engine in this process, so a
//     machine needs no running server;
//   - client/server and server-based modes: "host:folder/file" through the
//     server on host, "127.0.0.1" included. The Windows program sent
//     "127.0.0.1" to its local form, which there reached the running server;
//     here a bare path would open the file through the embedded engine beside
//     the server, bypassing the server's logins, so the loopback address is
//     spelled out and the connection goes over TCP to the local server. The
//     drop of a company database therefore needs no exception of its own.
//   A server mode with an empty host is a configuration fault and fails with
//   a database error rather than silently opening the file locally.
// The user, password and connection character set SJIS_0208 come with every
// attach (the database layer adds the character set and dialect 3).
//
// Queries and statements. The fixed queries (IBQ..., QueryDef) start their
// transaction themselves when none is active, as datasets do; the SQL
// statements (IBSQLDEF, IBSQLFileMan) need the caller to start it.
//
// Collaborators. Steps that belong to parts of the program built elsewhere
// are reached through small interfaces the start-up installs (not owned):
//   DataFolderState   the per-data information file (read the summary of
//                     the open data, write the folder's sections);
//   DataListAccess    makes data-list controllers for the row refresh;
//   ServerFiles       the existence test of a file on the database server
//                     (modes 1 and 2; mode 0 tests the local file here).
// While one is not installed the step that needs it is skipped, as the
// program does for its hooks. The data-list refresh also needs the
// information record, so it is skipped while DataFolderState is missing:
// refreshing a row from an empty record would blank the stored row.
// The data check's switch is the group-wide system variable that the
// settings load into SystemDef.DataCheckSwitch.
//
// Timers. The screens own the real timers; TDM keeps each timer's state
// (TDMTimer: enabled, interval, tag) and the handlers that run when it
// fires. A screen-side timer follows Enabled through OnEnabledChanged.

#include "foundation/DataInfomationRec.h"
#include "foundation/DataListController.h"
#include "platform/WindowMessages.h"
#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

inline constexpr const char* FileManDbFileName = "qhfileman.fdb";

// The per-data information file, as the data module uses it.
class IDataFolderState {
public:
    virtual ~IDataFolderState() = default;
    // Fills rec (already cleared) from the open company database; false on
    // failure (the record then stays as far as it was filled).
    virtual bool GetDataInfoRec(TDataInfomationRec& rec) = 0;
    // Writes the folder's section "DATASTS", "DATAINFO", or both when
    // section is empty, from rec.
    virtual void WriteDataInfo(const std::string& folder, const std::string& section,
                               const TDataInfomationRec& rec) = 0;
};

// Makes a new data-list controller for each refresh.
class IDataListAccess {
public:
    virtual ~IDataListAccess() = default;
    virtual std::unique_ptr<IDataListController> CreateDataListController() = 0;
};

// Files on the database server (connection modes 1 and 2).
class IServerFiles {
public:
    virtual ~IServerFiles() = default;
    virtual bool FileExists(const std::string& path, std::uint8_t mode) = 0;
};

// The state of one of the data module's timers.
class TDMTimer final {
public:
    explicit TDMTimer(int intervalMs) : interval_(intervalMs) {}

    bool Enabled() const { return enabled_; }
    // Calls OnEnabledChanged when the value changes.
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }

    // TimerFormClose: the window handle of the screen to close, 0 none.
    platform::WindowHandle Tag = 0;
    std::function<void(bool enabled)> OnEnabledChanged;

private:
    bool enabled_ = false;
    int interval_;
};

class TDM final {
public:
    // Installs CompanyDatabaseNameHook (the error log's database name).
    TDM();
    // Clears the hook; every connection is closed (active transactions
    // rolled back) with the objects.
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // Members are declared so that each database outlives its transactions
    // and queries.
    db::Database IBDatabaseDEF;
    db::Database IBDatabaseDAT;
    db::Database IBFileMan;
    db::Transaction IBTransactionDEF;
    db::Transaction IBTransactionDAT;
    db::Transaction IBTransactionDATSS;
    db::Transaction IBTransFileMan;

    db::Query IBQSysDefGet;  // system database
    db::Query IBQSysDefPut;
    db::Query QueryDef;
    db::Query IBSQLDEF;  // statement, parameter check on
    db::Query IBQACC1;   // company database
    db::Query IBQACC2;
    db::Query IBQueryFileMan;  // file-manager database
    db::Query IBSQLFileMan;    // statement

    TDMTimer TimerFormClose{100};
    TDMTimer TimerSyoriKidou{100};

    IDataFolderState* DataFolderState = nullptr;
    IDataListAccess* DataListAccess = nullptr;
    IServerFiles* ServerFiles = nullptr;

    // The database name for (host, folder, file) in the current connection
    // mode (rules above). Throws db::FbError for a server mode without host.
    static std::string DatabaseConnectionName(const std::string& host, const std::string& folder,
                                              const std::string& file);

    // Connects the system database. Empty host: HOSTNAME. Already connected:
    // true at once. With report, a failure is reported
    // ("TDM.fnAccDefConnected") and gives false; without, it propagates.
    bool fnAccDefConnected(std::string host, bool report);
    // Connects the file-manager database when its file exists; silent,
    // false on any failure.
    bool fnFileManConnected(std::string host);
    // Opens a company database (closing the one open before). Empty host:
    // HOSTNAME, empty folder: DataDir. With markInUse the folder's state
    // becomes "in use" by the logged-on operator (written to the folder's
    // information file in stand-alone mode only). Failures are reported
    // ("TDM.fnAccDatConnected") and give false; a failure that can be
    // damage of the file starts the data check.
    bool fnAccDatConnected(std::string host, std::string folder, bool markInUse);
    // Closes the company database, optionally leaving the folder "free" in
    // its information file (stand-alone mode) and refreshing its data-list
    // row. Errors of the refresh propagate and the database stays open.
    bool fnAccDatDisConnected(std::string folder, bool refreshInfo, bool refreshList);
    // Whether the company database has the table, or the table the column
    // (names as stored, upper case). They run on IBQACC1 and leave the
    // transaction as they find it, but for starting it when none is active.
    // A database error is reported and answers false.
    bool fnExistence_Table(const std::string& table);
    bool fnExistence_Field(const std::string& table, const std::string& column);
    // Whether anybody has the database of the folder attached on the server
    // (kind 0 system, 1 company). Unless keepOwn, this program's own
    // connection of that kind is closed while the list is fetched and
    // reopened afterwards. The server's list of attached databases answers
    // in the server modes (the user needs the server's administrator role);
    // in stand-alone mode the file's own monitoring tables do, which show the
    // attachments of every process that shares the file.
    bool AccDatInConnection(std::int32_t kind, std::string host, const std::string& folder, bool keepOwn);
    // Deletes the folder's company database file through the engine that
    // opens it. Empty folder: false.
    bool AccDatDropDatabase(std::string host, const std::string& folder);
    // Runs DataCheckHook (1 sound, 0 damaged). 1 without calling anything
    // when the hook is missing, or when not forced and the data check
    // switch is not 1.
    std::int32_t CallDataCheckEvent(const std::string& host, const std::string& folder, std::int32_t mode, bool force);
    // Removes the logged-on operator's logon row of this computer (the
    // computer name of the logon) from LOGONUSERLIST, on QueryDef; rows of
    // the same operator on other computers stay. Program kinds 1 and 2 log
    // on as operator 1, kind 3 as operator 2. Failures are reported
    // ("TDM.DeleteLogonInfo") and give false.
    bool DeleteLogonInfo();
    // Server file operations. ServerFileOperation runs one of "FEXIST",
    // "FCOPY", "FDEL" (FILEOPERATION) or "DEXIST", "MKDIR", "RMDIR"
    // (DIRECTORYTEST; any case) through the system database on the server,
    // connecting it for the call when it is closed; true when the server
    // answers WBOOL 1. Failures are reported ("TDM.ServerFileOperation") and
    // give false. ServerLongToShortFileName: the server's short form of a
    // path, empty on failure.
    bool ServerFileOperation(const std::string& operation, const std::string& path1, const std::string& path2);
    std::string ServerLongToShortFileName(const std::string& path);
    // The same operations by connection mode: 0 the local file system,
    // 1 and 2 the server; any other mode does nothing and gives false (an
    // empty text).
    bool ServerFileExists(const std::string& path, std::uint8_t mode);
    bool ServerDirExists(const std::string& path, std::uint8_t mode);
    bool ServerMkDir(const std::string& path, std::uint8_t mode);
    bool ServerRmDir(const std::string& path, std::uint8_t mode, bool toRecycleBin);
    bool ServerFileDelete(const std::string& path, std::uint8_t mode, bool toRecycleBin);
    bool ServerFileCopy(const std::string& source, const std::string& target, std::uint8_t mode);
    bool ServerFileMove(const std::string& source, const std::string& target, std::uint8_t mode);
    std::string LongToShortFileName(const std::string& path, std::uint8_t mode);
    // The data-list row of a data folder: stand-alone mode reads record and
    // row from the folder names after the data root (SplitDataPath); the
    // server modes look the folder up in DATALIST (the path compared without
    // regard to the case of its letters), row 0. Both 0 when nothing is
    // found; errors are swallowed.
    void GetDataListRec(const std::string& path, std::int32_t& rec, std::int32_t& row);
    // Whether the operator's level (JOBLEVEL + 1000 for the medical chart)
    // may run the menu job: a level without rows in JOBCONTROL2 may run
    // every job, a level with rows only those listed (with the option found
    // anywhere in PROC_OPTION). Failures give false; they are reported
    // ("TDM.SetJobControl") when this call started the transaction.
    bool SetJobControl(const std::string& jobId, const std::string& option);
    // Facility rights of the logged-on operator. Unrestricted: the rights
    // switch is off (SYSTEMINI record 20), an accounting-office operator, or
    // job level 9.
    static bool IsOpeUnrestricted();
    // Whether the operator has a usual facility that he is licensed for in
    // the open company data (always, when unrestricted). Errors propagate.
    bool HasOpeDefSisetu();
    // The name of the operator's usual facility in the open company data;
    // also sets the facility code (" " for none), its copy, the business
    // kind and the facility colour in SystemDef. Failures are reported
    // ("TDM.GetOpeDefSisetu") and give an empty name.
    std::string GetOpeDefSisetu();
    // Whether the operator may see every facility of the open company data:
    // data without facility management, or the operator's facility list as
    // long as the list for everybody. Errors are reported as the facility
    // list reports them and propagate.
    bool IsAllSisetuPermitted(std::int32_t operatorCode);
    // Journal counts of the open company data, for one facility or (empty
    // code) all. Valid entries: the facilities' running counts (program
    // kinds 0-2) or the cash book's own entries (kind 3), -1 for any other
    // kind; deleted or changed entries: one line each. Errors are logged
    // ("TDM.GetYukouSiwakeCount", ...) and propagate.
    std::int32_t GetYukouSiwakeCount(const std::string& facilityCode);
    std::int32_t GetUpDelSiwakeCount(const std::string& facilityCode);
    std::int32_t GetSiwakeCount(const std::string& facilityCode, std::int32_t& valid, std::int32_t& changed);
    std::int32_t GetSiwakeCounts(const std::string& facilityCode);
    // Asks for the data password of the open data through the installed
    // prompt (up to three entries); true at once for data without one and
    // for program kinds 1 and 3. Without a prompt nobody passes.
    static bool InputDataPassword();
    // The value unchanged (the export passes its tax settings through).
    static std::int32_t ReturnInt(std::int32_t value) { return value; }
    static std::int32_t ReturnIntValue(std::int32_t value) { return value; }
    // Whether cloud sharing applies to this program and connection mode.
    static bool IsCloudShareMode(bool strict);
    // The value after the first "=" of the first "name=value" line whose
    // name equals key (ASCII letters without regard to case); empty when
    // none. Lines end at CR LF, LF or CR.
    static std::string GetParamValue(const std::string& lines, const std::string& key);
    // The value of key in name=value lines; "COLOR" (any case) gives the
    // colour as an integer, 16756608 for none, 0 or a value that is no
    // number.
    static std::variant<std::int32_t, std::string> GetXstrValue(const std::string& text, const std::string& key);

    // Timer handlers.
    void TimerFormCloseTimer();
    void TimerSyoriKidouTimer();
    // Fills the deferred process that TimerSyoriKidouTimer starts.
    void SetDeferredProcess(const std::string& name, std::int32_t mode, const std::string& paramLines);
    const std::string& DeferredProcessName() const { return deferredName_; }
    std::int32_t DeferredProcessMode() const { return deferredMode_; }
    const std::string& DeferredParamLines() const { return deferredParams_; }

    // Whether a connect error of a company database can be damage of the
    // file. Missing files, logins, permissions, locks, an unavailable or
    // shut-down database and a lost network are not, nor are errors that the
    // database layer raised itself; everything else is.
    static bool MayBeDataDamage(const db::FbError& error);

private:
    bool LocalOrServerFileExists(const std::string& path) const;
    bool AttachedOnServer(const std::string& host, const std::string& path);
    bool AttachedLocally(const std::string& path);

    std::string deferredName_;
    std::int32_t deferredMode_ = 0;
    std::string deferredParams_;
};

// The one data module. The start-up creates it; the shut-down resets it
// before main returns, so that the connections close while the database
// client is still there.
extern std::unique_ptr<TDM> DM;
