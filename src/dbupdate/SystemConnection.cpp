#include "dbupdate/SystemConnection.h"

#include "dbupdate/IsqlRunner.h"
#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "platform/db/JoinedTransaction.h"

#include <memory>

TDataModuleLease::TDataModuleLease()
{
    if (!DM) {
        DM = std::make_unique<TDM>();
        made_ = true;
    }
}

TDataModuleLease::~TDataModuleLease()
{
    if (made_)
        DM.reset();
}

TSystemConnectionLease::TSystemConnectionLease(bool report)
{
    if (DM->IBDatabaseDEF.Connected()) {
        connected_ = true;
        return;
    }
    connected_ = DM->fnAccDefConnected(SystemDef.HOSTNAME, report);
    opened_ = connected_;
}

TSystemConnectionLease::~TSystemConnectionLease()
{
    if (!opened_ || !DM || !DM->IBDatabaseDEF.Connected())
        return;
    try {
        DM->IBDatabaseDEF.Detach();
    } catch (const std::exception&) {
        // The next connect of the data module replaces what is left.
    }
}

std::int32_t RunSystemConversion(const std::string& location, const std::function<void()>& convert)
{
    TDataModuleLease dataModule;
    TSystemConnectionLease connection(true);
    if (!connection.Connected())
        return UpdateResultConversionError;
    std::int32_t result = UpdateResultOk;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        try {
            convert();
        } catch (const db::FbError& error) {
            HandleIBError(error, location, "");
            result = UpdateResultConversionError;
        } catch (const std::exception&) {
            result = UpdateResultConversionError;
        }
        // What was written before a failure stays: the run's copy of the
        // database, not this commit, decides what survives a failed update.
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, location, "");
        result = UpdateResultConversionError;
    }
    return result;
}
