#include "platform/db/Transaction.h"

#include "platform/db/Database.h"
#include "platform/db/DbState.h"
#include "platform/db/FbError.h"

namespace db {

namespace detail {

TransactionState::TransactionState(DatabaseState* owner, const TransactionOptions& transactionOptions)
    : database(owner), options(transactionOptions), tpb(transactionOptions.Build())
{
    database->transactions.push_back(this);
}

TransactionState::~TransactionState()
{
    RollbackQuietly();
    for (QueryState* query : queries)
        query->transaction = nullptr;
    if (database != nullptr)
        Unlink(database->transactions, this);
}

void TransactionState::CloseCursors() noexcept
{
    for (QueryState* query : queries)
        query->CloseCursor();
}

void TransactionState::RollbackQuietly() noexcept
{
    if (!handle)
        return;
    CloseCursors();
    handle.End();
}

void TransactionState::Start()
{
    if (handle)
        throw FbError("the transaction is already active");
    if (database == nullptr || !database->attachment)
        throw FbError("the database of the transaction is not connected");
    Status status;
    handle = Handle<Firebird::ITransaction>(
        database->attachment->startTransaction(&status, static_cast<unsigned>(tpb.size()), tpb.data()));
}

}  // namespace detail

Transaction::Transaction(Database& database, const TransactionOptions& options)
{
    if (!database.state_)
        database.state_ = std::make_unique<detail::DatabaseState>();
    state_ = std::make_unique<detail::TransactionState>(database.state_.get(), options);
}

Transaction::~Transaction() = default;
Transaction::Transaction(Transaction&& other) noexcept = default;
Transaction& Transaction::operator=(Transaction&& other) noexcept = default;

void Transaction::Start()
{
    if (!state_)
        throw FbError("the transaction object was moved from");
    state_->Start();
}

bool Transaction::InTransaction() const noexcept
{
    return state_ && static_cast<bool>(state_->handle);
}

void Transaction::RollbackQuietly() noexcept
{
    try {
        if (InTransaction())
            Rollback();
    } catch (...) {
        // The failure being handled is the one worth reporting.
    }
}

void Transaction::Commit()
{
    if (!InTransaction())
        throw FbError("the transaction is not active");
    state_->CloseCursors();
    detail::Status status;
    state_->handle->commit(&status);
    state_->handle.Disown();
}

void Transaction::CommitRetaining()
{
    if (!InTransaction())
        throw FbError("the transaction is not active");
    detail::Status status;
    state_->handle->commitRetaining(&status);
}

void Transaction::Rollback()
{
    if (!InTransaction())
        throw FbError("the transaction is not active");
    state_->CloseCursors();
    // A rollback the server cannot do (the connection is gone, say) still
    // ends the transaction on this side.
    state_->handle.Finish();
}

const TransactionOptions& Transaction::Options() const
{
    if (!state_)
        throw FbError("the transaction object was moved from");
    return state_->options;
}

}  // namespace db
