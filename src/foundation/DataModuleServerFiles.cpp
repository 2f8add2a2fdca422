// The data module's file operations by connection mode: local files in
// stand-alone mode, the system database's file procedures on the server
// in the other modes.

#include "foundation/DataModule.h"

#include "foundation/ErrorHandling.h"
#include "foundation/FolderOps.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool Blank(const std::string& text)
{
    return TrimZen(text).empty();
}

// The system database for one call: connected when closed (and closed
// again at the end), its transaction started when not active (and ended
// here only when started here).
class ServerCall final {
public:
    explicit ServerCall(TDM& dm) : dm_(dm), connectedHere_(!dm.IBDatabaseDEF.Connected())
    {
        if (connectedHere_ && !dm_.fnAccDefConnected(SystemDef.HOSTNAME, true))
            connectedHere_ = false, ok_ = false;
    }
    ~ServerCall()
    {
        dm_.IBSQLDEF.Close();
        if (started_ && dm_.IBTransactionDEF.InTransaction()) {
            try {
                dm_.IBTransactionDEF.Rollback();
            } catch (...) {
            }
        }
        if (connectedHere_) {
            try {
                dm_.IBDatabaseDEF.Detach();
            } catch (...) {
            }
        }
    }
    ServerCall(const ServerCall&) = delete;
    ServerCall& operator=(const ServerCall&) = delete;

    bool Connected() const { return ok_; }
    void Start()
    {
        started_ = !dm_.IBTransactionDEF.InTransaction();
        if (started_)
            dm_.IBTransactionDEF.Start();
    }
    void Commit()
    {
        if (started_ && dm_.IBTransactionDEF.InTransaction())
            dm_.IBTransactionDEF.Commit();
    }

private:
    TDM& dm_;
    bool connectedHere_;
    bool ok_ = true;
    bool started_ = false;
};

}  // namespace

bool TDM::ServerFileOperation(const std::string& operation, const std::string& path1, const std::string& path2)
{
    const std::string mode = AsciiUpper(operation);
    const bool fileOperation = mode == "FEXIST" || mode == "FCOPY" || mode == "FDEL";
    const bool folderOperation = mode == "DEXIST" || mode == "MKDIR" || mode == "RMDIR";
    if (!fileOperation && !folderOperation)
        return false;
    if (Blank(path1) || (mode == "FCOPY" && Blank(path2)))
        return false;
    char message[256];
    std::snprintf(message, sizeof message, "サーバーへのファイル操作(%s)に失敗しました。", mode.c_str());
    ServerCall call(*this);
    if (!call.Connected())
        return false;
    try {
        call.Start();
        IBSQLDEF.SetSQL(fileOperation ? "SELECT WBOOL FROM FILEOPERATION(:MODE,:FILEPATH1,:FILEPATH2)"
                                      : "SELECT WBOOL FROM DIRECTORYTEST(:MODE,:FILEPATH1)");
        IBSQLDEF.ParamByName("MODE").SetString(mode);
        IBSQLDEF.ParamByName("FILEPATH1").SetString(path1);
        if (fileOperation)
            IBSQLDEF.ParamByName("FILEPATH2").SetString(path2);
        IBSQLDEF.Open();
        const bool done = !IBSQLDEF.Eof() && IBSQLDEF.FieldByName("WBOOL").AsInteger() == 1;
        IBSQLDEF.Close();
        call.Commit();
        return done;
    } catch (const db::FbError& e) {
        IBSQLDEF.Close();
        HandleIBError(e, "TDM.ServerFileOperation", message);
    } catch (const std::exception& e) {
        IBSQLDEF.Close();
        ShowErrorMessage(message, e.what(), TMsgDlgType::mtError);
    }
    return false;
}

std::string TDM::ServerLongToShortFileName(const std::string& path)
{
    if (Blank(path))
        return {};
    const char* const message = "サーバーからのファイル名の変換(LongToShort)に失敗しました。";
    ServerCall call(*this);
    if (!call.Connected())
        return {};
    try {
        call.Start();
        IBSQLDEF.SetSQL("SELECT SHORTNAME FROM LONGTOSHORTFILENAME(:LONGNAME)");
        IBSQLDEF.ParamByName("LONGNAME").SetString(path);
        IBSQLDEF.Open();
        const std::string name = IBSQLDEF.Eof() ? std::string() : IBSQLDEF.FieldByName("SHORTNAME").AsString();
        IBSQLDEF.Close();
        call.Commit();
        return name;
    } catch (const db::FbError& e) {
        IBSQLDEF.Close();
        HandleIBError(e, "TDM.ServerLongToShortFileName", message);
    } catch (const std::exception& e) {
        IBSQLDEF.Close();
        ShowErrorMessage(message, e.what(), TMsgDlgType::mtError);
    }
    return {};
}

bool TDM::ServerFileExists(const std::string& path, std::uint8_t mode)
{
    std::error_code ec;
    if (mode == 0)
        return !Blank(path) && fs::is_regular_file(GetUNCName(path), ec);
    return (mode == 1 || mode == 2) && ServerFileOperation("FExist", path, "");
}

bool TDM::ServerDirExists(const std::string& path, std::uint8_t mode)
{
    std::error_code ec;
    if (mode == 0)
        return !Blank(path) && fs::is_directory(GetUNCName(path), ec);
    return (mode == 1 || mode == 2) && ServerFileOperation("DExist", path, "");
}

bool TDM::ServerMkDir(const std::string& path, std::uint8_t mode)
{
    if (mode == 0)
        return ForceDir(path);
    return (mode == 1 || mode == 2) && ServerFileOperation("MkDir", path, "");
}

bool TDM::ServerRmDir(const std::string& path, std::uint8_t mode, bool toRecycleBin)
{
    if (mode == 0)
        return ShellDeleteEx(path, FO_DELETE, toRecycleBin, true);
    return (mode == 1 || mode == 2) && ServerFileOperation("RmDir", path, "");
}

bool TDM::ServerFileDelete(const std::string& path, std::uint8_t mode, bool toRecycleBin)
{
    if (mode == 0)
        return ShellDeleteEx(path, FO_DELETE, toRecycleBin, true);
    return (mode == 1 || mode == 2) && ServerFileOperation("FDel", path, "");
}

bool TDM::ServerFileCopy(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (mode == 0)
        return ShellCopyEx(source, target, FO_COPY);
    return (mode == 1 || mode == 2) && ServerFileOperation("FCopy", source, target);
}

bool TDM::ServerFileMove(const std::string& source, const std::string& target, std::uint8_t mode)
{
    if (mode == 0) {
        if (Blank(source) || Blank(target))
            return false;
        std::error_code ec;
        fs::rename(GetUNCName(source), GetUNCName(target), ec);
        return !ec;
    }
    // The source goes only once its copy is there.
    return (mode == 1 || mode == 2) && ServerFileOperation("FCopy", source, target) &&
           ServerFileOperation("FDel", source, "");
}

std::string TDM::LongToShortFileName(const std::string& path, std::uint8_t mode)
{
    if (mode == 0) {
        try {
            return GetShortPath(path);
        } catch (const std::exception&) {
            return path;
        }
    }
    return (mode == 1 || mode == 2) ? ServerLongToShortFileName(path) : std::string();
}
