#include "dbupdate/CodeSystemImporter.h"

#include "foundation/SystemDef.h"
#include "foundation/CodeTaikeiIO.h"
#include "foundation/DataModule.h"

namespace {

// The global data module for as long as the importer lives; one made here
// goes away with it.
class TDataModuleLease final {
public:
    TDataModuleLease()
    {
        if (!DM) {
            DM = std::make_unique<TDM>();
            made_ = true;
        }
    }
    ~TDataModuleLease()
    {
        if (made_)
            DM.reset();
    }
    TDataModuleLease(const TDataModuleLease&) = delete;
    TDataModuleLease& operator=(const TDataModuleLease&) = delete;

private:
    bool made_ = false;
};

// The system connection of the data module for as long as the importer
// lives; one opened here is closed again.
class TSystemConnectionLease final {
public:
    TSystemConnectionLease()
    {
        if (!DM->IBDatabaseDEF.Connected()) {
            DM->fnAccDefConnected(SystemDef.HOSTNAME, false);
            opened_ = true;
        }
    }
    ~TSystemConnectionLease()
    {
        if (!opened_ || !DM || !DM->IBDatabaseDEF.Connected())
            return;
        try {
            // The importer commits what it started; anything still open was
            // left by a failure and is rolled back with the detach.
            DM->IBDatabaseDEF.Detach();
        } catch (const std::exception&) {
            // The next connect of the data module replaces what is left.
        }
    }
    TSystemConnectionLease(const TSystemConnectionLease&) = delete;
    TSystemConnectionLease& operator=(const TSystemConnectionLease&) = delete;

private:
    bool opened_ = false;
};

class TCodeTaikeiImporter final : public ICodeSystemImporter {
public:
    bool ImportCodeTaikei(const std::string& fileName, std::int32_t recNo) override
    {
        return io_.ImportCodeTaikei(fileName, recNo);
    }

private:
    // In this order: the reader needs the connection, the connection the
    // data module; they go in reverse, also when a later one fails to come.
    TDataModuleLease dataModule_;
    TSystemConnectionLease connection_;
    TCodeTaikeiIO io_;
};

}  // namespace

std::unique_ptr<ICodeSystemImporter> MakeCodeTaikeiImporter()
{
    return std::make_unique<TCodeTaikeiImporter>();
}
