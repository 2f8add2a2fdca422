#include "foundation/OperatorLogon.h"

#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/IBErrorMessages.h"
#include "foundation/LabelTables.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/Query.h"

namespace {

constexpr std::int32_t IBErrorFileNotFound = 335544344;  // I/O error: also a missing file
constexpr std::int32_t IBErrorNetwork = 335544721;

// Starts the system database's transaction when none is active and rolls it
// back on leaving unless committed.
class DefWork final {
public:
    DefWork() : transaction_(DM->IBTransactionDEF)
    {
        if (!transaction_.InTransaction())
            transaction_.Start();
    }
    ~DefWork()
    {
        if (transaction_.InTransaction()) {
            try {
                transaction_.Rollback();
            } catch (const db::FbError&) {
            }
        }
    }
    DefWork(const DefWork&) = delete;
    DefWork& operator=(const DefWork&) = delete;
    void Commit() { transaction_.Commit(); }

private:
    db::Transaction& transaction_;
};

}  // namespace

std::string LogonPCName()
{
    return ConnectionMode == 2 ? SystemDef.WinUserName : SystemDef.PCName;
}

std::vector<std::string> ConnectionFailureLines(const db::FbError* error, const std::string& message, std::int32_t mode,
                                                std::int32_t launchKind)
{
    if (error == nullptr)
        return {"財務システムデータベースの接続処理に失敗しました。", "[例外内容]", message};
    const std::int32_t code = error->IBErrorCode();
    if (code != IBErrorFileNotFound && code != IBErrorNetwork)
        return {"財務システムデータベースの接続処理に失敗しました。", "[例外内容]",
                "(IBXエラーコード:" + std::to_string(code) + ") " + GetIBErrorMessage(code, error->SQLCode())};
    std::vector<std::string> lines{"ログイン処理に失敗しました。以下の理由が考えられます。"};
    const std::vector<std::string> server{
        "サーバー上でFireBirdサービスが起動しているか確認して下さい。",
        "ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。",
        "Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、"
        "このアプリケーションがサーバーと通信できる状態か確認して下さい。"};
    const char* const numbers[] = {"１）", "２）", "３）", "４）"};
    std::vector<std::string> reasons;
    if (mode == 0) {
        if (launchKind == 1)
            reasons.push_back("財務アプリケーションがインストールされていない。");
        reasons.push_back("データファイルが見つからない。");
        reasons.push_back("別のプロセスがデータファイルを使用中。");
    } else {
        if (mode == 2) {
            const std::size_t kind = TerminalSolutionKind < TerminalSolutionNames.size() ? TerminalSolutionKind : 0;
            reasons.push_back(std::string(TerminalSolutionNames[kind]) +
                              "ソリューションが正常に動作しているか確認して下さい。");
        }
        reasons.insert(reasons.end(), server.begin(), server.end());
    }
    for (std::size_t i = 0; i < reasons.size(); ++i)
        lines.push_back(numbers[i] + reasons[i]);
    return lines;
}

TLogonAnswer CallLogonUserTest(const std::string& pcName, std::int32_t groupId, std::int32_t opCode,
                               std::int32_t appVersion, const std::string& password)
{
    DefWork work;
    db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                    "SELECT NUM,LOGINCODE,JOBLEVEL FROM LOGONUSERTEST(:PCNAME,:GROUPID,:OPCODE,:APPVERSION,:PASWORD)");
    query.ParamByName("PCNAME").SetString(pcName);
    query.ParamByName("GROUPID").SetInteger(groupId);
    query.ParamByName("OPCODE").SetInteger(opCode);
    query.ParamByName("APPVERSION").SetInteger(appVersion);
    query.ParamByName("PASWORD").SetString(password);
    query.Open();
    TLogonAnswer answer;
    if (!query.Eof()) {
        answer.NUM = query.FieldByName("NUM").OptionalInteger().value_or(0);
        answer.LOGINCODE = query.FieldByName("LOGINCODE").OptionalInteger().value_or(0);
        answer.JOBLEVEL = query.FieldByName("JOBLEVEL").OptionalInteger().value_or(0);
    }
    query.Close();
    work.Commit();
    return answer;
}

void LoadLogonOperator(std::int32_t loginCode)
{
    SystemDef.OPNAME.clear();
    SystemDef.JIMUSHO = 0;
    try {
        DefWork work;
        db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                        "SELECT OPNAME,JIMUSHO,OKINIIRI FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        query.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
        query.ParamByName("OPCODE").SetInteger(loginCode);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            SystemDef.OPNAME = query.FieldByName("OPNAME").AsString();
            SystemDef.JIMUSHO = query.FieldByName("JIMUSHO").OptionalInteger().value_or(0) == 1 ? 1 : 0;
        }
        query.Close();
        work.Commit();
    } catch (const db::FbError&) {
        // The name and the office flag are conveniences; the logon stands.
    }

    SystemDef.MYNUMBER_ADM = 0;
    SystemDef.SHONIN = 0;
    try {
        DefWork work;
        db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                        "SELECT MYNUMBER_ADM,SHONIN FROM OPERATOR WHERE (GROUPID=:GROUPID) AND (OPCODE=:OPCODE)");
        query.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
        query.ParamByName("OPCODE").SetInteger(loginCode);
        query.Open();
        std::uint8_t admin = 0;
        std::uint8_t approver = 0;
        for (; !query.Eof(); query.Next()) {
            admin = query.FieldByName("MYNUMBER_ADM").OptionalInteger().value_or(0) == 1 ? 1 : 0;
            approver = query.FieldByName("SHONIN").OptionalInteger().value_or(0) == 1 ? 1 : 0;
        }
        query.Close();
        work.Commit();
        SystemDef.MYNUMBER_ADM = admin;
        SystemDef.SHONIN = approver;
    } catch (const db::FbError&) {
        // Without the columns nobody holds either right.
    }
}

std::string LogonServerTempDir(std::int32_t mode)
{
    if (mode != 1 && mode != 2)
        return {};
    const std::string& sysDir = SystemDef.SYSDIR;
    const bool hasDrive = sysDir.size() >= 2 && sysDir[1] == ':' &&
                          ((sysDir[0] >= 'A' && sysDir[0] <= 'Z') || (sysDir[0] >= 'a' && sysDir[0] <= 'z'));
    return (hasDrive ? sysDir.substr(0, 2) : std::string()) + AppInfo.Zaimu.ServerTempDir;
}

std::string ReadOperatorPassword(std::int32_t opCode)
{
    DefWork work;
    db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                    "SELECT PASWORD FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
    query.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
    query.ParamByName("OPCODE").SetInteger(opCode);
    query.Open();
    std::string password;
    if (!query.Eof())
        password = query.FieldByName("PASWORD").OptionalString().value_or("");
    query.Close();
    work.Commit();
    return password;
}

void StoreOperatorPassword(std::int32_t opCode, const std::string& password)
{
    DefWork work;
    db::Query count(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                    "SELECT COUNT(GROUPID) AS RECCNT FROM OPERATOR WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
    count.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
    count.ParamByName("OPCODE").SetInteger(opCode);
    count.Open();
    const bool exists = count.FieldByName("RECCNT").AsInteger() > 0;
    count.Close();
    db::Query store(DM->IBDatabaseDEF, DM->IBTransactionDEF);
    if (exists) {
        store.SetSQL("UPDATE OPERATOR SET PASWORD=:PASWORD WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
    } else {
        store.SetSQL(
            "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,JIMUSHO,OKINIIRI,KANSA)"
            "VALUES(:GROUPID,:OPCODE,:OPNAME,:JOBLEVEL,:PASWORD,:DATAPAS,:JIMUSHO,:OKINIIRI,:KANSA)");
        store.ParamByName("OPNAME").SetString("システムユーザー");
        store.ParamByName("JOBLEVEL").SetInteger(9);
        store.ParamByName("DATAPAS").SetString("");
        for (const char* name : {"JIMUSHO", "OKINIIRI", "KANSA"})
            store.ParamByName(name).SetInteger(0);
    }
    store.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
    store.ParamByName("OPCODE").SetInteger(opCode);
    store.ParamByName("PASWORD").SetString(password);
    store.ExecSQL();
    work.Commit();
}
