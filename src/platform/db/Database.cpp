#include "platform/db/Database.h"

#include "platform/db/DbState.h"
#include "platform/db/FbConstants.h"
#include "platform/db/FbError.h"
#include "platform/db/ParameterBlock.h"

#include <ibase.h>

namespace db {

namespace detail {

DatabaseState::~DatabaseState()
{
    ReleaseDependents();
    attachment.End();
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

}  // namespace

Database::Database() : state_(std::make_unique<detail::DatabaseState>()) {}

Database::~Database() = default;
Database::Database(Database&& other) noexcept = default;
Database& Database::operator=(Database&& other) noexcept = default;

void Database::Open(bool create, std::string_view connectionString, std::string_view user, std::string_view password,
                    int pageSize, bool forcedWrites)
{
    if (!state_)
        state_ = std::make_unique<detail::DatabaseState>();
    if (state_->attachment)
        throw FbError("the database is already connected");
    CheckConnectArguments(connectionString, user, password);

    detail::Status status;
    detail::ParameterBlock dpb(status, Firebird::IXpbBuilder::DPB);
    // File names are UTF-8 here, whatever the process's locale says.
    dpb.Tag(isc_dpb_utf8_filename);
    dpb.Int(isc_dpb_sql_dialect, static_cast<int>(detail::SqlDialect));
    dpb.String(isc_dpb_user_name, user);
    dpb.String(isc_dpb_password, password);
    dpb.String(isc_dpb_lc_ctype, detail::ConnectionCharset);
    if (create) {
        dpb.Int(isc_dpb_page_size, pageSize);
        dpb.String(isc_dpb_set_db_charset, detail::ConnectionCharset);
        if (!forcedWrites)
            dpb.Int(isc_dpb_force_write, 0);
    }
    state_->connectionString = std::string(connectionString);
    const char* name = state_->connectionString.c_str();
    state_->attachment = detail::Handle<Firebird::IAttachment>(
        create ? detail::Provider()->createDatabase(&status, name, dpb.Length(), dpb.Buffer())
               : detail::Provider()->attachDatabase(&status, name, dpb.Length(), dpb.Buffer()));
}

void Database::Attach(std::string_view connectionString, std::string_view user, std::string_view password)
{
    Open(false, connectionString, user, password, 0, true);
}

void Database::Create(std::string_view connectionString, std::string_view user, std::string_view password, int pageSize,
                      bool forcedWrites)
{
    Open(true, connectionString, user, password, pageSize, forcedWrites);
}

void Database::Detach()
{
    if (!state_ || !state_->attachment)
        return;
    state_->ReleaseDependents();
    state_->attachment.Finish();
}

void Database::Drop()
{
    if (!state_ || !state_->attachment)
        throw FbError("the database is not connected");
    state_->ReleaseDependents();
    detail::Status status;
    state_->attachment->dropDatabase(&status);
    state_->attachment.Disown();
}

bool Database::Connected() const noexcept
{
    return state_ && static_cast<bool>(state_->attachment);
}

std::string Database::DatabaseName() const
{
    return state_ ? state_->connectionString : std::string();
}

}  // namespace db
