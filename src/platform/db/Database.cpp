#include "platform/db/Database.h"

#include "platform/db/DbState.h"
#include "platform/db/FbError.h"

#include <ibase.h>

namespace db {

namespace detail {

DatabaseState::~DatabaseState()
{
    ReleaseDependents();
    if (attachment != nullptr) {
        try {
            Status status;
            attachment->detach(&status);
            attachment = nullptr;
        } catch (...) {
            Abandon();
        }
    }
    for (TransactionState* transaction : transactions)
        transaction->database = nullptr;
    for (QueryState* query : queries)
        query->database = nullptr;
}

void DatabaseState::ReleaseDependents() noexcept
{
    // Statements first: closing a cursor needs its transaction still alive.
    for (QueryState* query : queries)
        query->Unprepare();
    for (TransactionState* transaction : transactions)
        transaction->RollbackQuietly();
}

void DatabaseState::Abandon() noexcept
{
    if (attachment != nullptr) {
        attachment->release();
        attachment = nullptr;
    }
}

}  // namespace detail

namespace {

void CheckConnectArguments(std::string_view connectionString, std::string_view user, std::string_view password)
{
    if (connectionString.empty())
        throw FbError("no database name given");
    for (std::string_view text : {connectionString, user, password}) {
        if (text.find('\0') != std::string_view::npos)
            throw FbError("a database name, user name or password holds a NUL character");
        if (text.size() > 255)
            throw FbError("a database name, user name or password is longer than 255 bytes");
    }
}

void AddLogin(detail::ParameterBlock& dpb, std::string_view user, std::string_view password)
{
    // File names are UTF-8 here, whatever the process's locale says.
    dpb.Tag(isc_dpb_utf8_filename);
    dpb.Int(isc_dpb_sql_dialect, static_cast<int>(detail::SqlDialect));
    dpb.String(isc_dpb_user_name, user);
    dpb.String(isc_dpb_password, password);
    dpb.String(isc_dpb_lc_ctype, detail::ConnectionCharset);
}

}  // namespace

Database::Database() : state_(std::make_unique<detail::DatabaseState>()) {}

Database::~Database() = default;
Database::Database(Database&& other) noexcept = default;
Database& Database::operator=(Database&& other) noexcept = default;

void Database::Attach(std::string_view connectionString, std::string_view user, std::string_view password)
{
    if (!state_)
        state_ = std::make_unique<detail::DatabaseState>();
    if (state_->attachment != nullptr)
        throw FbError("the database is already connected");
    CheckConnectArguments(connectionString, user, password);

    detail::Status status;
    detail::ParameterBlock dpb(status, Firebird::IXpbBuilder::DPB);
    AddLogin(dpb, user, password);
    state_->connectionString = std::string(connectionString);
    state_->attachment = detail::Provider()->attachDatabase(&status, state_->connectionString.c_str(), dpb.Length(),
                                                            dpb.Buffer());
}

void Database::Create(std::string_view connectionString, std::string_view user, std::string_view password,
                      int pageSize, bool forcedWrites)
{
    if (!state_)
        state_ = std::make_unique<detail::DatabaseState>();
    if (state_->attachment != nullptr)
        throw FbError("the database is already connected");
    CheckConnectArguments(connectionString, user, password);

    detail::Status status;
    detail::ParameterBlock dpb(status, Firebird::IXpbBuilder::DPB);
    AddLogin(dpb, user, password);
    dpb.Int(isc_dpb_page_size, pageSize);
    dpb.String(isc_dpb_set_db_charset, detail::ConnectionCharset);
    if (!forcedWrites)
        dpb.Int(isc_dpb_force_write, 0);
    state_->connectionString = std::string(connectionString);
    state_->attachment = detail::Provider()->createDatabase(&status, state_->connectionString.c_str(), dpb.Length(),
                                                            dpb.Buffer());
}

void Database::Detach()
{
    if (!state_ || state_->attachment == nullptr)
        return;
    state_->ReleaseDependents();
    try {
        detail::Status status;
        state_->attachment->detach(&status);
        state_->attachment = nullptr;
    } catch (const FbError&) {
        state_->Abandon();
        throw;
    }
}

void Database::Drop()
{
    if (!state_ || state_->attachment == nullptr)
        throw FbError("the database is not connected");
    state_->ReleaseDependents();
    detail::Status status;
    state_->attachment->dropDatabase(&status);
    state_->attachment = nullptr;
}

bool Database::Connected() const noexcept
{
    return state_ && state_->attachment != nullptr;
}

std::string Database::DatabaseName() const
{
    return state_ ? state_->connectionString : std::string();
}

}  // namespace db
