#include "dbupdate/SystemSettingsStore.h"

#include "foundation/DataModule.h"
#include "foundation/SysRegStore.h"
#include "foundation/SystemIniStore.h"
#include "platform/db/JoinedTransaction.h"

#include <stdexcept>

namespace sysupdate {

namespace {

constexpr const char* IntegerType = "整数";

// Runs a store of the data module inside a transaction of this call's own
// (or the caller's): the store then passes a failure on as it is instead of
// reporting it, and the transaction started here is rolled back with it.
template <typename Work>
void InSystemTransaction(Work work)
{
    if (!DM)
        throw std::runtime_error("no data module");
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    work();
    transaction.Commit();
}

}  // namespace

void GetSysIni(TSystemIniRec& rec)
{
    InSystemTransaction([&] { ::GetSysIni(rec); });
}

void SetSysIni(const TSystemIniRec& rec)
{
    InSystemTransaction([&] { ::SetSysIni(rec); });
}

std::int32_t GetSysRegInteger(const std::string& key, std::int32_t opcode, const std::string& defaultText)
{
    AccRegValue value = std::int32_t{0};
    ReadSysReg(key, IntegerType, value, opcode, defaultText);
    return std::get<std::int32_t>(value);
}

void PutSysRegInteger(const std::string& key, std::int32_t opcode, std::int32_t value)
{
    WriteSysReg(key, IntegerType, opcode, AccRegValue{value});
}

}  // namespace sysupdate
