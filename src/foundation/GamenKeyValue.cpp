#include "foundation/GamenKeyValue.h"

#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/StringUtils.h"
#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/db/FbError.h"
#include "platform/db/Transaction.h"

#include <stdexcept>

namespace {

constexpr const char* kPrefix = "020-";
constexpr int kStyleNameBytes = 40;
constexpr std::size_t kValueBytes = 1024;
constexpr std::int32_t kNoColour = -1;

constexpr const char* kSelectSql =
    "SELECT SSTR FROM STYLECOLOR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* kCountSql =
    "SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* kUpdateSql =
    "UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:LINECOLOR1,"
    "LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:LINECOLOR4,LINECOLOR5=:LINECOLOR5,"
    "NETCOLOR1=:NETCOLOR1,NETCOLOR2=:NETCOLOR2,SSTR=:SSTR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr const char* kInsertSql =
    "INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,"
    "NETCOLOR1,NETCOLOR2,SSTR)\r\n"
    "VALUES(:OPCODE,:STYLENAME,:LINECOLOR1,:LINECOLOR2,:LINECOLOR3,:LINECOLOR4,:LINECOLOR5,"
    ":NETCOLOR1,:NETCOLOR2,:SSTR)";

const char* const kColourParams[] = {"LINECOLOR1", "LINECOLOR2", "LINECOLOR3", "LINECOLOR4",
                                     "LINECOLOR5", "NETCOLOR1",  "NETCOLOR2"};

// Runs work in the system-database transaction. Only a failure of a run
// that started the transaction is shown (and that transaction committed all
// the same, so that what went through stays); inside a caller's
// transaction the failure is dropped.
template <typename Work>
void RunInSystemTransaction(const char* location, const char* message, Work work)
{
    db::Transaction* transaction = DM ? &DM->IBTransactionDEF : nullptr;
    const bool callerActive = transaction && transaction->InTransaction();
    const auto endOwn = [&] {
        if (callerActive || !transaction || !transaction->InTransaction())
            return;
        try {
            transaction->Commit();
        } catch (const db::FbError&) {
            transaction->Rollback();
        }
    };
    try {
        auto query = CreateAccSQL("ACCDEF", false);
        if (!query)
            throw std::runtime_error("no data module");
        if (!callerActive)
            transaction->Start();
        work(*query);
        endOwn();
    } catch (const db::FbError& error) {
        if (callerActive)
            return;
        HandleIBError(error, location, message);
        endOwn();
    } catch (const std::exception& error) {
        if (callerActive)
            return;
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
        endOwn();
    }
}

}  // namespace

TGamenKeyValue::TGamenKeyValue() : opCode_(SystemDef.OPCODE) {}

std::string TGamenKeyValue::StyleNameOf(const std::string& screenName)
{
    return std::string(ascii::TrimBlanks(FixLenStrL(ascii::Upper(kPrefix + screenName), kStyleNameBytes)));
}

void TGamenKeyValue::FukugenValue(const std::string& screenName, std::string& value)
{
    value_.clear();
    if (opCode_ == 0 || screenName.empty())
        return;
    styleName_ = StyleNameOf(screenName);
    RunInSystemTransaction("TGamenValue.FukugenValue", "前回の画面値の取得に失敗しました。", [&](db::Query& q) {
        q.SetSQL(kSelectSql);
        q.ParamByName("OPCODE").SetInteger(opCode_);
        q.ParamByName("STYLENAME").SetString(styleName_);
        bool found = false;
        for (q.Open(); !q.Eof(); q.Next()) {
            value_ = q.FieldByName("SSTR").AsString();
            found = true;
        }
        q.Close();
        if (found)
            value = value_;
    });
}

void TGamenKeyValue::HozonValue(const std::string& screenName, const std::string& value)
{
    if (opCode_ == 0 || screenName.empty())
        return;
    styleName_ = StyleNameOf(screenName);
    value_ = TrimZen(value);
    if (cp932::ByteWidth(value_) > kValueBytes)
        value_ = std::string(ascii::TrimBlanks(FixLenStrL(value_, static_cast<int>(kValueBytes))));
    RunInSystemTransaction("TGamenValue.HozonValue", "画面値の保存に失敗しました。", [&](db::Query& q) {
        q.SetSQL(kCountSql);
        q.ParamByName("OPCODE").SetInteger(opCode_);
        q.ParamByName("STYLENAME").SetString(styleName_);
        q.ExecSQL();
        const bool exists = q.FieldByName("RECCNT").AsInteger() > 0;
        q.Close();
        q.SetSQL(exists ? kUpdateSql : kInsertSql);
        q.ParamByName("OPCODE").SetInteger(opCode_);
        q.ParamByName("STYLENAME").SetString(styleName_);
        for (const char* colour : kColourParams)
            q.ParamByName(colour).SetInteger(kNoColour);
        q.ParamByName("SSTR").SetString(value_);
        q.ExecSQL();
    });
}
