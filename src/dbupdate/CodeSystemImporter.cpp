#include "dbupdate/CodeSystemImporter.h"

#include "dbupdate/SystemConnection.h"

#include "foundation/CodeTaikeiIO.h"
#include "foundation/DataModule.h"

namespace {

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
