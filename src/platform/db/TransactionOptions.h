#pragma once
// What kind of transaction to start: a small value type with named setters
// that builds the transaction parameter block. The two sets the program uses
// are named constants, built once.

#include <cstdint>
#include <vector>

namespace db {

class TransactionOptions final {
public:
    enum class Isolation {
        ReadCommitted,  // sees what others committed, statement by statement
        Snapshot,       // "concurrency": one state from its start to its end
        Consistency,    // snapshot that also locks the tables it reads
    };

    TransactionOptions() = default;

    TransactionOptions& SetIsolation(Isolation isolation)
    {
        isolation_ = isolation;
        return *this;
    }
    // Read committed only: read the latest committed version of a row that
    // another transaction is changing (rec_version) instead of waiting on it
    // or failing (no_rec_version).
    TransactionOptions& SetRecordVersion(bool recordVersion)
    {
        recordVersion_ = recordVersion;
        return *this;
    }
    // Whether a lock conflict waits for the other transaction (wait) or fails
    // at once (nowait).
    TransactionOptions& SetWait(bool wait)
    {
        wait_ = wait;
        return *this;
    }
    // How many seconds a waiting transaction waits on a lock before the
    // statement fails as a nowait one would have at once (a row held by
    // another transaction: isc_deadlock with isc_update_conflict); 0 waits
    // as long as it takes. A time-out turns waiting on (it means nothing to
    // nowait).
    TransactionOptions& SetLockTimeout(unsigned seconds)
    {
        lockTimeout_ = seconds;
        if (seconds > 0)
            wait_ = true;
        return *this;
    }
    TransactionOptions& SetReadOnly(bool readOnly)
    {
        readOnly_ = readOnly;
        return *this;
    }

    Isolation GetIsolation() const { return isolation_; }
    bool RecordVersion() const { return recordVersion_; }
    bool Wait() const { return wait_; }
    unsigned LockTimeout() const { return lockTimeout_; }
    bool ReadOnly() const { return readOnly_; }

    // The parameter block, version 3.
    std::vector<std::uint8_t> Build() const;

    // "read_committed", "rec_version", "nowait": the ordinary transaction of
    // every database of the program.
    static const TransactionOptions& ReadCommitted();
    // "concurrency", "nowait": a snapshot, so that every read of a
    // calculation sees one state of the books.
    static const TransactionOptions& Snapshot();

private:
    Isolation isolation_ = Isolation::ReadCommitted;
    bool recordVersion_ = true;
    bool wait_ = false;
    bool readOnly_ = false;
    unsigned lockTimeout_ = 0;
};

}  // namespace db
