#pragma once
// Queries and statements of their own for code that does not use the data
// module's fixed ones, bound by one rule everywhere:
//   "ACCDEF" (exactly, case-sensitive) - the system database in its ordinary
//            transaction; the snapshot flag is ignored;
//   any other name ("ACCDAT")          - the company database in its ordinary
//            transaction, or in the snapshot transaction when asked, so that
//            all reads of one calculation see one state of the books.
// The object comes with an empty SQL text. The caller owns it, starts the
// transaction when needed (a query starts it by itself, a statement does
// not), ends it by its own rules and frees the object. Binding needs no
// connection: with the company database closed the object is still made and
// fails only when it runs. nullptr when the object cannot be made (no data
// module); nothing is shown.

#include "platform/db/Query.h"

#include <memory>
#include <string>

// A dataset query: starts its transaction when none is active.
std::unique_ptr<db::Query> CreateAccQuery(const std::string& databaseName, bool snapshot);
// An SQL statement: runs only in a transaction the caller started.
std::unique_ptr<db::Query> CreateAccSQL(const std::string& databaseName, bool snapshot);
