#include "foundation/GamenKeyValue.h"

#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/StringUtils.h"
#include "foundation/StyleColorStore.h"
#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/db/FbError.h"
#include "platform/db/Transaction.h"

#include <stdexcept>

namespace {

constexpr const char* kPrefix = "020-";
constexpr int kStyleNameBytes = 40;
constexpr std::size_t kValueBytes = 1024;

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
        const bool found = ReadStyleText(q, opCode_, styleName_, value_);
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
    RunInSystemTransaction("TGamenValue.HozonValue", "画面値の保存に失敗しました。",
                           [&](db::Query& q) { WriteStyleText(q, opCode_, styleName_, value_); });
}
