#pragma once
// A copy of a table's columns and indexes under another name, without its
// triggers and keys to other tables: the plain inserts the journal's
// posting triggers are measured against.

#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

#include <string>

// Creates <copy> with the columns (types and character sets) of <table>,
// its primary key and every index of it as a plain index. Commits.
void CreatePlainCopy(db::Database& database, db::Transaction& transaction, const std::string& table,
                     const std::string& copy);
