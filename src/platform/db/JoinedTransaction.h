#pragma once
// Work that runs in a caller's transaction when there is one, and in one of
// its own otherwise.
//
// The scope starts the transaction when it is not active and then owns that
// run of it: Commit commits what the scope started and leaves a caller's
// transaction alone, for the caller to end. Leaving the scope without
// Commit (an exception on its way out) rolls back what the scope started,
// never a caller's transaction. Not movable: it is a scope, not a value.

namespace db {

class Transaction;

class JoinedTransaction final {
public:
    // Throws FbError when the transaction cannot be started.
    explicit JoinedTransaction(Transaction& transaction);
    ~JoinedTransaction();
    JoinedTransaction(const JoinedTransaction&) = delete;
    JoinedTransaction& operator=(const JoinedTransaction&) = delete;
    JoinedTransaction(JoinedTransaction&&) = delete;
    JoinedTransaction& operator=(JoinedTransaction&&) = delete;

    // Whether this scope started the transaction.
    bool Started() const noexcept { return started_; }
    // Commits when this scope started the transaction (a failed commit
    // leaves it to the scope's rollback); nothing otherwise. The scope is
    // done afterwards.
    void Commit();

private:
    Transaction& transaction_;
    bool started_;
    bool done_ = false;
};

}  // namespace db
