#pragma once
// One database connection.
//
// Every attachment uses the connection character set SJIS_0208 and SQL
// dialect 3; the layer converts the program's UTF-8 text to and from CP932
// at its edge. The connection string picks the engine: a plain path opens the
// file through the embedded engine in this process, "host:path" and
// "host/port:path" go to a server over TCP (see ConnectionString.h).
//
// Transactions and queries are bound to a Database object, not to one
// attachment: the same objects work again after a detach and a new attach.
// Detaching (and destroying the object) first rolls back the transactions of
// this database that are still active and releases the statements prepared
// on it, so a connection never ends with an open transaction.

#include <memory>
#include <string>
#include <string_view>

namespace db {

namespace detail {
struct DatabaseState;
}

class Database final {
public:
    Database();
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Attaches with user_name, password and lc_ctype SJIS_0208. Throws FbError
    // (also when already connected).
    void Attach(std::string_view connectionString, std::string_view user, std::string_view password);
    static constexpr int DefaultPageSize = 16384;

    // Creates the database (page size 16384 unless told, default character
    // set SJIS_0208) and stays attached to it. Forced writes (the engine
    // flushing every commit to the disk) stay on unless turned off; only a
    // throw-away database, such as a test's, has no use for them.
    void Create(std::string_view connectionString, std::string_view user, std::string_view password,
                int pageSize = DefaultPageSize, bool forcedWrites = true);
    // Rolls back this database's active transactions, releases its
    // statements and detaches. The connection is closed afterwards even when
    // the server reports an error (which is then thrown). Not connected:
    // nothing happens.
    void Detach();
    // Deletes the database file through the engine that has it open; the
    // object is then not connected.
    void Drop();

    bool Connected() const noexcept;
    // The connection string of the current attachment, or of the last
    // attempt (also a failed one).
    std::string DatabaseName() const;

private:
    void Open(bool create, std::string_view connectionString, std::string_view user, std::string_view password,
              int pageSize, bool forcedWrites);
    friend class Transaction;
    friend class Query;
    std::unique_ptr<detail::DatabaseState> state_;
};

}  // namespace db
