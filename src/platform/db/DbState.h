#pragma once
// The state behind Database, Transaction and Query, internal to the layer.
//
// The public objects hold their state through a pointer, so moving them
// moves nothing the others point at. A database knows its transactions and
// queries, a transaction its queries, each of them its database: whichever
// goes first unhooks itself, so any order of destruction is safe.

#include "platform/DateTime.h"
#include "platform/NumberText.h"
#include "platform/db/FbHandle.h"
#include "platform/db/TransactionOptions.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace db::detail {

struct TransactionState;
struct QueryState;

struct DatabaseState {
    Handle<Firebird::IAttachment> attachment;
    std::string connectionString;
    std::vector<TransactionState*> transactions;
    std::vector<QueryState*> queries;

    DatabaseState() = default;
    DatabaseState(const DatabaseState&) = delete;
    DatabaseState& operator=(const DatabaseState&) = delete;
    ~DatabaseState();

    // Rolls back the active transactions and releases the statements, ahead
    // of a detach or a drop. Never throws.
    void ReleaseDependents() noexcept;
};

struct TransactionState {
    DatabaseState* database = nullptr;
    TransactionOptions options;
    std::vector<std::uint8_t> tpb;
    Handle<Firebird::ITransaction> handle;
    std::vector<QueryState*> queries;

    TransactionState(DatabaseState* database, const TransactionOptions& options);
    TransactionState(const TransactionState&) = delete;
    TransactionState& operator=(const TransactionState&) = delete;
    ~TransactionState();

    // Closes the cursors of the queries in this transaction. Never throws.
    void CloseCursors() noexcept;
    // Rolls back when active, ignoring errors; the handle is gone afterwards.
    void RollbackQuietly() noexcept;
    // Starts the transaction (a Start, or a query that starts its own).
    // Throws FbError when it is active or the database is not connected.
    void Start();
};

// A parameter value as the caller set it, before it meets the statement.
struct TextValue {
    std::string cp932;
};
struct BytesValue {
    std::string bytes;
};
struct ScaledValue {
    std::int64_t value;
    int scale;  // 0 or -4
    bool wide;  // 64 bits (else 32)
};
struct DateTimeValue {
    TDateTime value;
};
using ParamValue = std::variant<std::monostate, TextValue, BytesValue, ScaledValue, double, DateTimeValue>;

struct FieldInfo {
    std::string name;       // UTF-8 as the server describes it
    std::string upperName;  // for lookups
    unsigned type = 0;      // SQL_* without the null bit
    int subType = 0;
    int scale = 0;
    unsigned length = 0;
    unsigned charSet = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

struct QueryState {
    DatabaseState* database = nullptr;
    TransactionState* transaction = nullptr;

    std::string sql;        // as the caller wrote it (UTF-8)
    std::string serverSql;  // CP932, parameters as "?"
    bool paramCheck = true;
    bool autoStart = false;
    std::vector<std::string> paramPositions;  // upper-case name per "?"
    std::vector<ParamValue> values;           // per "?"

    Handle<Firebird::IStatement> statement;
    Firebird::IAttachment* preparedOn = nullptr;  // identity only
    Handle<Firebird::IMessageMetadata> inputMetadata;
    Handle<Firebird::IMessageMetadata> outputMetadata;
    unsigned statementType = 0;
    std::vector<FieldInfo> fields;

    Handle<Firebird::IResultSet> cursor;
    // The transaction the row's blobs belong to; identity only.
    Firebird::ITransaction* rowTransaction = nullptr;
    std::vector<unsigned char> row;
    std::vector<unsigned char> fetchBuffer;
    bool active = false;
    bool hasRow = false;
    bool eof = true;
    std::uint64_t rowsAffected = 0;

    QueryState() = default;
    QueryState(const QueryState&) = delete;
    QueryState& operator=(const QueryState&) = delete;
    ~QueryState();

    void CloseCursor() noexcept;
    void Unprepare() noexcept;
    void Unhook() noexcept;
};

// Removes one pointer from a list of back pointers.
template <typename T>
void Unlink(std::vector<T*>& list, T* item) noexcept
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (*it == item) {
            list.erase(it);
            return;
        }
    }
}

}  // namespace db::detail
