#pragma once
// A copy of company data that a test opens as the data module's company
// database and changes through a connection of its own.

#include "foundation/DataModule.h"
#include "platform/db/FirebirdServerFixture.h"

#include <memory>
#include <string>

namespace dbtest {

// Runs the statement on its own connection to the database and commits.
inline void ExecOn(const std::string& path, const std::string& sql)
{
    db::Database database;
    database.Attach(path, User, Password);
    db::Transaction transaction(database);
    transaction.Start();
    db::Query(database, transaction, sql).ExecSQL();
    transaction.Commit();
}

// A new data module with the database attached as its company database.
inline void OpenAsCompanyData(const std::string& path)
{
    DM = std::make_unique<TDM>();
    DM->IBDatabaseDAT.Attach(path, User, Password);
}

}  // namespace dbtest
