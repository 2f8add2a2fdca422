#include "foundation/QueryFactory.h"

#include "foundation/DataModule.h"

namespace {

std::unique_ptr<db::Query> CreateBound(const std::string& databaseName, bool snapshot, bool autoStart)
{
    try {
        if (!DM)
            return nullptr;
        std::unique_ptr<db::Query> query;
        if (databaseName == "ACCDEF")
            query = std::make_unique<db::Query>(DM->IBDatabaseDEF, DM->IBTransactionDEF);
        else if (snapshot)
            query = std::make_unique<db::Query>(DM->IBDatabaseDAT, DM->IBTransactionDATSS);
        else
            query = std::make_unique<db::Query>(DM->IBDatabaseDAT, DM->IBTransactionDAT);
        query->SetAutoStart(autoStart);
        query->SetSQL("");
        return query;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

std::unique_ptr<db::Query> CreateAccQuery(const std::string& databaseName, bool snapshot)
{
    return CreateBound(databaseName, snapshot, true);
}

std::unique_ptr<db::Query> CreateAccSQL(const std::string& databaseName, bool snapshot)
{
    return CreateBound(databaseName, snapshot, false);
}
