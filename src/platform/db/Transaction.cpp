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
    if (handle == nullptr)
        return;
    CloseCursors();
    try {
        Status status;
        handle->rollback(&status);
        handle = nullptr;
    } catch (...) {
        handle->release();
        handle = nullptr;
    }
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
    if (state_->handle != nullptr)
        throw FbError("the transaction is already active");
    if (state_->database == nullptr || state_->database->attachment == nullptr)
        throw FbError("the database of the transaction is not connected");
    detail::Status status;
    state_->handle = state_->database->attachment->startTransaction(
        &status, static_cast<unsigned>(state_->tpb.size()), state_->tpb.data());
}

bool Transaction::InTransaction() const noexcept
{
    return state_ && state_->handle != nullptr;
}

void Transaction::Commit()
{
    if (!InTransaction())
        throw FbError("the transaction is not active");
    state_->CloseCursors();
    detail::Status status;
    state_->handle->commit(&status);
    state_->handle = nullptr;
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
    try {
        detail::Status status;
        state_->handle->rollback(&status);
        state_->handle = nullptr;
    } catch (const FbError&) {
        // The server could not roll back (the connection is gone, say); the
        // transaction is over for this side all the same.
        state_->handle->release();
        state_->handle = nullptr;
        throw;
    }
}

const TransactionOptions& Transaction::Options() const
{
    if (!state_)
        throw FbError("the transaction object was moved from");
    return state_->options;
}

}  // namespace db
