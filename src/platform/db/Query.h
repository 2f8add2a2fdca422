#pragma once
// A statement of one database run in one transaction: SELECT with a cursor,
// EXECUTE PROCEDURE with its output row, and everything else.
//
// The SQL text names its parameters ":NAME". Before the text reaches the
// server each one becomes a positional "?"; a colon inside a string literal,
// a quoted name or a comment is left alone. Names are case-insensitive and
// one name may occur several times. PSQL bodies (CREATE PROCEDURE, EXECUTE
// BLOCK) use ":variable" for their own variables: run those with the
// parameter check turned off.
//
// Open and ExecSQL prepare the statement on first use (again after the SQL
// text changes or the database reconnects). A SELECT, also from a
// selectable procedure, opens a cursor on its first row; EXECUTE PROCEDURE
// and INSERT ... RETURNING give one row. The row is read with FieldByName;
// Next moves on and Eof tells when no row is left (the last row stays
// readable). An error while opening or fetching closes the cursor and
// leaves the query usable; the transaction stays as it was, for the caller
// to roll back.

#include "platform/db/Field.h"
#include "platform/db/Param.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class Database;
class Transaction;

namespace detail {
struct QueryState;
}

class Query final {
public:
    // Throws FbError when the transaction belongs to another database.
    Query(Database& database, Transaction& transaction);
    Query(Database& database, Transaction& transaction, std::string_view sql);
    ~Query();
    Query(Query&& other) noexcept;
    Query& operator=(Query&& other) noexcept;
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // Closes the query, forgets the prepared statement and every parameter
    // value. Throws FbError for a text CP932 cannot hold.
    void SetSQL(std::string_view sql);
    const std::string& SQL() const;
    // On (the default): ":NAME" are parameters. Off: the text goes to the
    // server as written. Takes effect with the next SetSQL.
    void SetParamCheck(bool on);
    // Off (the default): running without an active transaction is an error.
    // On: Open and ExecSQL start the transaction first, as a dataset does
    // (they never end it).
    void SetAutoStart(bool on);

    // Prepares now, to learn the statement's parameters and columns; Open and
    // ExecSQL do it themselves. Needs an active transaction.
    void Prepare();
    // Throws FbError for a name the SQL text does not have.
    Param ParamByName(std::string_view name);
    // The distinct parameter names, upper case, in order of first use.
    std::vector<std::string> ParamNames() const;

    // Runs a statement that gives rows; throws FbError for one that does not.
    void Open();
    // Runs any statement. A SELECT opens its cursor as Open does.
    void ExecSQL();
    // True while a cursor or an output row is open.
    bool Active() const noexcept;
    bool Eof() const noexcept;
    void Next();
    // Closes the cursor; the prepared statement and the parameters stay.
    void Close() noexcept;

    // Throws FbError for a name the statement does not have, or before the
    // statement was prepared (Prepare, Open, ExecSQL).
    Field FieldByName(std::string_view name) const;
    std::size_t FieldCount() const;
    Field FieldByIndex(std::size_t index) const;
    // Rows changed by the last ExecSQL of an INSERT, UPDATE or DELETE.
    std::uint64_t RowsAffected() const;

private:
    std::unique_ptr<detail::QueryState> state_;
};

}  // namespace db
