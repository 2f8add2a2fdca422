#pragma once
// A transaction of one database, started and ended explicitly.
//
// The object outlives single transactions: Start begins one when none is
// active (InTransaction), Commit or Rollback end it, CommitRetaining commits
// and goes on in a new one with the cursors kept open. Ending a transaction
// closes the cursors of the queries that run in it. A Transaction destroyed
// while active rolls back; so does a Detach of its database.

#include "platform/db/TransactionOptions.h"

#include <memory>

namespace db {

class Database;

namespace detail {
struct TransactionState;
}

class Transaction final {
public:
    explicit Transaction(Database& database, const TransactionOptions& options = TransactionOptions::ReadCommitted());
    ~Transaction();
    Transaction(Transaction&& other) noexcept;
    Transaction& operator=(Transaction&& other) noexcept;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws FbError when a transaction is already active or the database is
    // not connected.
    void Start();
    bool InTransaction() const noexcept;
    // Throw FbError when no transaction is active. A failed commit leaves the
    // transaction active (the caller rolls back); a failed rollback still
    // ends it on this side.
    void Commit();
    void CommitRetaining();
    void Rollback();
    // Ends an active transaction on a path that is already failing: what
    // the rollback itself throws would hide the first error.
    void RollbackQuietly() noexcept;

    const TransactionOptions& Options() const;

private:
    friend class Query;
    std::unique_ptr<detail::TransactionState> state_;
};

}  // namespace db
