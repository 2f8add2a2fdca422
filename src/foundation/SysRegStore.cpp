#include "foundation/SysRegStore.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/SystemDef.h"

#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Transaction.h"

#include <stdexcept>

namespace {

constexpr const char* SelectSql = "SELECT STEXT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE ";
constexpr const char* InsertSql = "INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT )";

std::unique_ptr<db::Query> SystemQuery()
{
    auto query = CreateAccQuery("ACCDEF", false);
    if (!query)
        throw std::runtime_error("no data module");
    return query;
}

void BindKey(db::Query& query, std::int32_t opcode, const std::string& key)
{
    query.ParamByName("OPCODE").SetInteger(opcode);
    query.ParamByName("SCODE").SetString(key);
}

// Runs work (which has its transaction) and reports its failure under the
// location and message.
template <typename Work>
void Reported(const char* location, const char* message, Work work)
{
    try {
        work();
    } catch (const db::FbError& error) {
        HandleIBError(error, location, message);
    } catch (const std::exception& error) {
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
    }
}

}  // namespace

void ReadSysReg(const std::string& key, const std::string& typeName, AccRegValue& value, std::int32_t opcode,
                const std::string& defaultText)
{
    if (!DM)
        throw std::runtime_error("no data module");
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    auto query = SystemQuery();
    query->SetSQL(SelectSql);
    BindKey(*query, opcode, key);
    query->Open();
    const bool found = !query->Eof();
    const std::string text = found ? query->FieldByName("STEXT").AsString() : defaultText;
    query->Close();
    if (!found) {
        query->SetSQL(InsertSql);
        BindKey(*query, opcode, key);
        query->ParamByName("STYPE").SetString(typeName);
        query->ParamByName("STEXT").SetString(defaultText);
        query->ExecSQL();
    }
    value = SettingFromText(text, typeName, TSettingTypes{false, true});
    transaction.Commit();
}

void WriteSysReg(const std::string& key, const std::string& typeName, std::int32_t opcode, const AccRegValue& value)
{
    if (!DM)
        throw std::runtime_error("no data module");
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    std::string text;
    const bool hasText = SettingToText(value, typeName, false, text);
    auto query = SystemQuery();
    query->SetSQL("SELECT COUNT(OPCODE) AS RECCNT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
    BindKey(*query, opcode, key);
    query->Open();
    const bool exists = query->FieldByName("RECCNT").AsInteger() > 0;
    query->Close();
    if (exists) {
        query->SetSQL("UPDATE SYSREG SET STEXT=:STEXT WHERE OPCODE=:OPCODE AND SCODE=:SCODE ");
    } else {
        query->SetSQL(InsertSql);
        query->ParamByName("STYPE").SetString(typeName);
    }
    BindKey(*query, opcode, key);
    if (hasText)
        query->ParamByName("STEXT").SetString(text);
    else
        query->ParamByName("STEXT").SetNull();
    query->ExecSQL();
    transaction.Commit();
}

void funcGetSysReg(const std::string& key, const std::string& typeName, AccRegValue& value, std::int32_t opcode,
                   const std::string& defaultText)
{
    Reported("TDM.funcGetSysReg", "システム共通変数の取得に失敗しました。",
             [&] { ReadSysReg(key, typeName, value, opcode, defaultText); });
}

void funcPutSysReg(const std::string& key, const std::string& typeName, std::int32_t opcode, const AccRegValue& value)
{
    Reported("TDM.funcPutSysReg", "システム共通変数の保存に失敗しました。",
             [&] { WriteSysReg(key, typeName, opcode, value); });
}

void GetSysRegOp(const std::string& key, const std::string& typeName, AccRegValue& value,
                 const std::string& defaultText)
{
    funcGetSysReg(key, typeName, value, SystemDef.OPCODE, defaultText);
}

void PutSysRegOp(const std::string& key, const std::string& typeName, const AccRegValue& value)
{
    funcPutSysReg(key, typeName, SystemDef.OPCODE, value);
}

std::int32_t SysRegInteger(const std::string& key, std::int32_t opcode, std::int32_t defaultValue, std::int32_t current)
{
    AccRegValue value = current;
    funcGetSysReg(key, "整数", value, opcode, std::to_string(defaultValue));
    return std::get<std::int32_t>(value);
}
