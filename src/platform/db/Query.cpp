#include "platform/db/Query.h"

#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/db/Database.h"
#include "platform/db/DbState.h"
#include "platform/db/FbConstants.h"
#include "platform/db/FbError.h"
#include "platform/db/NamedParams.h"
#include "platform/db/Transaction.h"

#include <ibase.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace db {

namespace detail {

QueryState::~QueryState()
{
    Unhook();
}

void QueryState::CloseCursor() noexcept
{
    cursor.End();
    active = false;
    hasRow = false;
    eof = true;
    rowTransaction = nullptr;
}

void QueryState::Unprepare() noexcept
{
    CloseCursor();
    inputMetadata.End();
    outputMetadata.End();
    statement.End();
    preparedOn = nullptr;
    fields.clear();
    row.clear();
    fetchBuffer.clear();
}

void QueryState::Unhook() noexcept
{
    Unprepare();
    if (transaction != nullptr) {
        Unlink(transaction->queries, this);
        transaction = nullptr;
    }
    if (database != nullptr) {
        Unlink(database->queries, this);
        database = nullptr;
    }
}

}  // namespace detail

namespace {

using detail::CharsetNone;
using detail::CharsetOctets;
using detail::CharsetSjis;
using detail::QueryState;

bool IsTextType(unsigned type)
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

QueryState& Checked(const std::unique_ptr<QueryState>& state)
{
    if (!state)
        throw FbError("the query object was moved from");
    return *state;
}

Firebird::IAttachment* ConnectedAttachment(const QueryState& query)
{
    if (query.database == nullptr || !query.database->attachment)
        throw FbError("the database of the query is not connected");
    return query.database->attachment.get();
}

// The transaction the statement runs in; started here when the query is
// told to start it, as a dataset does.
Firebird::ITransaction* RunningTransaction(QueryState& query)
{
    ConnectedAttachment(query);
    if (query.transaction == nullptr)
        throw FbError("the transaction of the query no longer exists");
    if (!query.transaction->handle) {
        if (!query.autoStart)
            throw FbError("the transaction of the query is not active");
        query.transaction->Start();
    }
    return query.transaction->handle.get();
}

void PrepareStatement(QueryState& query, Firebird::ITransaction* transaction)
{
    Firebird::IAttachment* attachment = ConnectedAttachment(query);
    if (query.statement && query.preparedOn == attachment)
        return;
    query.Unprepare();
    if (query.serverSql.empty())
        throw FbError("the query has no SQL text");

    detail::Status status;
    try {
        query.statement = detail::Handle<Firebird::IStatement>(attachment->prepare(
            &status, transaction, static_cast<unsigned>(query.serverSql.size()), query.serverSql.data(),
            detail::SqlDialect, Firebird::IStatement::PREPARE_PREFETCH_METADATA));
        query.preparedOn = attachment;
        query.statementType = query.statement->getType(&status);
        query.inputMetadata = detail::Handle<Firebird::IMessageMetadata>(query.statement->getInputMetadata(&status));
        query.outputMetadata = detail::Handle<Firebird::IMessageMetadata>(query.statement->getOutputMetadata(&status));

        const unsigned inputs = query.inputMetadata->getCount(&status);
        if (query.paramCheck) {
            if (inputs != query.paramPositions.size())
                throw FbError("the statement has " + std::to_string(inputs) + " parameters where the text names " +
                              std::to_string(query.paramPositions.size()));
        } else {
            query.paramPositions.assign(inputs, std::string());
            query.values.resize(inputs);
        }

        Firebird::IMessageMetadata* out = query.outputMetadata.get();
        const unsigned columns = out->getCount(&status);
        query.fields.clear();
        query.fields.reserve(columns);
        for (unsigned i = 0; i < columns; ++i) {
            detail::FieldInfo field;
            const char* alias = out->getAlias(&status, i);
            field.name = detail::TextFromServer(alias != nullptr ? alias : "");
            field.upperName = ascii::Upper(field.name);
            field.type = out->getType(&status, i) & ~1u;
            field.subType = out->getSubType(&status, i);
            field.scale = out->getScale(&status, i);
            field.length = out->getLength(&status, i);
            field.charSet = out->getCharSet(&status, i);
            field.offset = out->getOffset(&status, i);
            field.nullOffset = out->getNullOffset(&status, i);
            query.fields.push_back(std::move(field));
        }
        const unsigned length = out->getMessageLength(&status);
        query.row.assign(length, 0);
        query.fetchBuffer.assign(length, 0);
    } catch (...) {
        query.Unprepare();
        throw;
    }
}

bool GivesRows(const QueryState& query)
{
    return query.statementType == isc_info_sql_stmt_select || query.statementType == isc_info_sql_stmt_select_for_upd ||
           !query.fields.empty();
}

bool IsSelect(const QueryState& query)
{
    return query.statementType == isc_info_sql_stmt_select || query.statementType == isc_info_sql_stmt_select_for_upd;
}

// The blob parameter block for writing a text blob: CP932 bytes of the
// connection character set go to the column's character set, read as they
// are when the column's set is SJIS_0208 itself or one without rules.
std::vector<unsigned char> WritingBpb(int subType, unsigned charSet)
{
    if (subType != isc_blob_text)
        return {};
    return detail::TextBlobBpb(detail::IsRawCharset(charSet) ? charSet : CharsetSjis, charSet);
}

ISC_QUAD WriteBlob(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, std::string_view bytes,
                   const std::vector<unsigned char>& bpb)
{
    detail::Status status;
    ISC_QUAD id{};
    // Cancelled unless it is closed: a blob cut short is never stored.
    detail::Handle<Firebird::IBlob> blob(attachment->createBlob(
        &status, transaction, &id, static_cast<unsigned>(bpb.size()), bpb.empty() ? nullptr : bpb.data()));
    for (std::size_t pos = 0; pos < bytes.size(); pos += detail::BlobSegment) {
        const std::size_t length = std::min<std::size_t>(detail::BlobSegment, bytes.size() - pos);
        blob->putSegment(&status, static_cast<unsigned>(length), bytes.data() + pos);
    }
    blob->close(&status);
    blob.Disown();
    return id;
}

// How a value is described to the server, whose conversion then takes it to
// the parameter's own type.
void Describe(Firebird::IMetadataBuilder* builder, detail::Status& status, unsigned index, unsigned type,
              unsigned length, int scale, unsigned charSet)
{
    builder->setType(&status, index, type | 1u);
    builder->setSubType(&status, index, 0);
    builder->setLength(&status, index, length);
    builder->setScale(&status, index, scale);
    builder->setCharSet(&status, index, charSet);
}

void ToFirebirdTime(TDateTime value, ISC_DATE& date, ISC_TIME& time)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        throw FbError("the date-time value is out of range");
    // The fraction counts the time of day away from zero, also before 1899.
    double day = std::trunc(value);
    auto ticks = static_cast<std::int64_t>(std::llround(std::fabs(value - day) * detail::TicksPerDay));
    if (ticks >= static_cast<std::int64_t>(detail::TicksPerDay)) {
        ticks -= static_cast<std::int64_t>(detail::TicksPerDay);
        day += 1;
    }
    date = static_cast<ISC_DATE>(day) + detail::DaysFromFirebirdToDelphi;
    time = static_cast<ISC_TIME>(ticks);
}

// The input message for one execution. Blob values are written here, in the
// statement's transaction.
detail::Handle<Firebird::IMessageMetadata> BuildInput(QueryState& query, Firebird::ITransaction* transaction,
                                                      std::vector<unsigned char>& buffer)
{
    detail::Status status;
    Firebird::IMessageMetadata* original = query.inputMetadata.get();
    const unsigned count = original->getCount(&status);
    if (count == 0) {
        buffer.clear();
        original->addRef();
        return detail::Handle<Firebird::IMessageMetadata>(original);
    }

    // Blob ids written for this execution, by parameter index.
    std::vector<ISC_QUAD> blobIds(count);
    detail::Handle<Firebird::IMetadataBuilder> builder(original->getBuilder(&status));
    for (unsigned i = 0; i < count; ++i) {
        const detail::ParamValue& value = query.values[i];
        const unsigned type = original->getType(&status, i) & ~1u;
        const unsigned charSet = original->getCharSet(&status, i);
        if (std::holds_alternative<detail::TextValue>(value) || std::holds_alternative<detail::BytesValue>(value)) {
            const bool text = std::holds_alternative<detail::TextValue>(value);
            const std::string& bytes =
                text ? std::get<detail::TextValue>(value).cp932 : std::get<detail::BytesValue>(value).bytes;
            if (type == SQL_BLOB) {
                const int subType = original->getSubType(&status, i);
                blobIds[i] = WriteBlob(query.database->attachment.get(), transaction, bytes,
                                       text ? WritingBpb(subType, charSet) : std::vector<unsigned char>{});
                continue;  // the parameter keeps its own description
            }
            if (bytes.size() > 32765)
                throw FbError("the value of parameter " + query.paramPositions[i] + " is longer than 32765 bytes");
            const unsigned textSet = IsTextType(type) ? charSet : (text ? CharsetSjis : CharsetOctets);
            Describe(builder.get(), status, i, SQL_VARYING,
                     static_cast<unsigned>(std::max<std::size_t>(bytes.size(), 1)), 0, textSet);
        } else if (const auto* scaled = std::get_if<detail::ScaledValue>(&value)) {
            Describe(builder.get(), status, i, scaled->wide ? SQL_INT64 : SQL_LONG, scaled->wide ? 8 : 4, scaled->scale,
                     CharsetNone);
        } else if (std::holds_alternative<double>(value)) {
            Describe(builder.get(), status, i, SQL_DOUBLE, sizeof(double), 0, CharsetNone);
        } else if (std::holds_alternative<detail::DateTimeValue>(value)) {
            Describe(builder.get(), status, i, SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP), 0, CharsetNone);
        }
    }

    detail::Handle<Firebird::IMessageMetadata> metadata(builder->getMetadata(&status));
    buffer.assign(metadata->getMessageLength(&status), 0);
    for (unsigned i = 0; i < count; ++i) {
        unsigned char* data = buffer.data() + metadata->getOffset(&status, i);
        unsigned char* nullFlag = buffer.data() + metadata->getNullOffset(&status, i);
        const detail::ParamValue& value = query.values[i];
        const std::int16_t isNull = std::holds_alternative<std::monostate>(value) ? -1 : 0;
        std::memcpy(nullFlag, &isNull, sizeof isNull);
        if (isNull != 0)
            continue;
        const unsigned type = metadata->getType(&status, i) & ~1u;
        if (type == SQL_BLOB) {
            std::memcpy(data, &blobIds[i], sizeof(ISC_QUAD));
        } else if (std::holds_alternative<detail::TextValue>(value) ||
                   std::holds_alternative<detail::BytesValue>(value)) {
            const std::string& bytes = std::holds_alternative<detail::TextValue>(value)
                                           ? std::get<detail::TextValue>(value).cp932
                                           : std::get<detail::BytesValue>(value).bytes;
            const auto length = static_cast<std::uint16_t>(bytes.size());
            std::memcpy(data, &length, sizeof length);
            std::memcpy(data + sizeof length, bytes.data(), bytes.size());
        } else if (const auto* scaled = std::get_if<detail::ScaledValue>(&value)) {
            if (scaled->wide) {
                std::memcpy(data, &scaled->value, sizeof(std::int64_t));
            } else {
                const auto narrow = static_cast<std::int32_t>(scaled->value);
                std::memcpy(data, &narrow, sizeof narrow);
            }
        } else if (const auto* real = std::get_if<double>(&value)) {
            std::memcpy(data, real, sizeof(double));
        } else if (const auto* dateTime = std::get_if<detail::DateTimeValue>(&value)) {
            ISC_TIMESTAMP stamp{};
            ToFirebirdTime(dateTime->value, stamp.timestamp_date, stamp.timestamp_time);
            std::memcpy(data, &stamp, sizeof stamp);
        }
    }
    return metadata;
}

void FetchRow(QueryState& query)
{
    try {
        detail::Status status;
        const int result = query.cursor->fetchNext(&status, query.fetchBuffer.data());
        if (result == Firebird::IStatus::RESULT_OK) {
            query.row.swap(query.fetchBuffer);
            query.hasRow = true;
            query.eof = false;
        } else {
            // The last row stays readable, as a dataset's does at its end.
            query.eof = true;
        }
    } catch (...) {
        query.CloseCursor();
        throw;
    }
}

void Run(QueryState& query, bool requireRows)
{
    Firebird::ITransaction* transaction = RunningTransaction(query);
    query.CloseCursor();
    PrepareStatement(query, transaction);
    if (requireRows && !GivesRows(query))
        throw FbError("the statement gives no rows to open");

    std::vector<unsigned char> input;
    detail::Handle<Firebird::IMessageMetadata> inputMetadata = BuildInput(query, transaction, input);
    void* inputData = input.empty() ? nullptr : input.data();

    detail::Status status;
    query.rowsAffected = 0;
    try {
        if (IsSelect(query)) {
            query.cursor = detail::Handle<Firebird::IResultSet>(query.statement->openCursor(
                &status, transaction, inputMetadata.get(), inputData, query.outputMetadata.get(), 0));
            query.active = true;
            query.rowTransaction = transaction;
            FetchRow(query);
        } else if (!query.fields.empty()) {
            query.statement->execute(&status, transaction, inputMetadata.get(), inputData, query.outputMetadata.get(),
                                     query.row.data());
            query.active = true;
            query.hasRow = true;
            query.eof = false;
            query.rowTransaction = transaction;
            query.rowsAffected = query.statement->getAffectedRecords(&status);
        } else {
            query.statement->execute(&status, transaction, inputMetadata.get(), inputData, nullptr, nullptr);
            query.rowsAffected = query.statement->getAffectedRecords(&status);
        }
    } catch (...) {
        query.CloseCursor();
        throw;
    }
}

}  // namespace

Query::Query(Database& database, Transaction& transaction)
{
    if (!database.state_)
        database.state_ = std::make_unique<detail::DatabaseState>();
    if (!transaction.state_)
        throw FbError("the transaction object was moved from");
    if (transaction.state_->database != database.state_.get())
        throw FbError("the transaction belongs to another database");
    state_ = std::make_unique<QueryState>();
    state_->database = database.state_.get();
    state_->transaction = transaction.state_.get();
    state_->database->queries.push_back(state_.get());
    state_->transaction->queries.push_back(state_.get());
}

Query::Query(Database& database, Transaction& transaction, std::string_view sql) : Query(database, transaction)
{
    SetSQL(sql);
}

Query::~Query() = default;
Query::Query(Query&& other) noexcept = default;
Query& Query::operator=(Query&& other) noexcept = default;

void Query::SetSQL(std::string_view sql)
{
    QueryState& query = Checked(state_);
    query.Unprepare();
    query.sql.clear();
    query.serverSql.clear();
    query.paramPositions.clear();
    query.values.clear();

    std::string text(sql);
    if (query.paramCheck) {
        NamedParamSql translated = TranslateNamedParams(sql);
        text = std::move(translated.sql);
        query.paramPositions = std::move(translated.names);
    }
    try {
        query.serverSql = cp932::FromUtf8(text);
    } catch (const cp932::TextEncodingError& error) {
        query.paramPositions.clear();
        throw FbError(std::string("the SQL text cannot be sent in CP932: ") + error.what());
    }
    query.values.assign(query.paramPositions.size(), std::monostate{});
    query.sql = std::string(sql);
}

const std::string& Query::SQL() const
{
    return Checked(state_).sql;
}

void Query::SetParamCheck(bool on)
{
    Checked(state_).paramCheck = on;
}

void Query::SetAutoStart(bool on)
{
    Checked(state_).autoStart = on;
}

void Query::Prepare()
{
    QueryState& query = Checked(state_);
    PrepareStatement(query, RunningTransaction(query));
}

Param Query::ParamByName(std::string_view name)
{
    QueryState& query = Checked(state_);
    std::string upper = ascii::Upper(name);
    if (upper.empty() ||
        std::find(query.paramPositions.begin(), query.paramPositions.end(), upper) == query.paramPositions.end())
        throw FbError("the SQL text has no parameter " + std::string(name));
    return Param(&query, std::move(upper));
}

std::vector<std::string> Query::ParamNames() const
{
    const QueryState& query = Checked(state_);
    std::vector<std::string> names;
    for (const std::string& name : query.paramPositions) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

void Query::Open()
{
    Run(Checked(state_), true);
}

void Query::ExecSQL()
{
    Run(Checked(state_), false);
}

bool Query::Active() const noexcept
{
    return state_ && state_->active;
}

bool Query::Eof() const noexcept
{
    return !state_ || state_->eof;
}

void Query::Next()
{
    QueryState& query = Checked(state_);
    if (!query.active)
        throw FbError("the query is not open");
    if (query.eof)
        return;
    if (!query.cursor) {
        query.eof = true;  // the one output row of a procedure
        return;
    }
    FetchRow(query);
}

void Query::Close() noexcept
{
    if (state_)
        state_->CloseCursor();
}

Field Query::FieldByName(std::string_view name) const
{
    const QueryState& query = Checked(state_);
    if (!query.statement)
        throw FbError("the query is not prepared; no field " + std::string(name));
    const std::string upper = ascii::Upper(name);
    for (std::size_t i = 0; i < query.fields.size(); ++i) {
        if (query.fields[i].upperName == upper)
            return Field(&query, i);
    }
    throw FbError("the query has no field " + std::string(name));
}

std::size_t Query::FieldCount() const
{
    return Checked(state_).fields.size();
}

Field Query::FieldByIndex(std::size_t index) const
{
    const QueryState& query = Checked(state_);
    if (index >= query.fields.size())
        throw FbError("the query has no field number " + std::to_string(index));
    return Field(&query, index);
}

std::uint64_t Query::RowsAffected() const
{
    return Checked(state_).rowsAffected;
}

}  // namespace db
