#include "platform/db/ServiceManager.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/FbError.h"
#include "platform/db/FbHandle.h"
#include "platform/db/ParameterBlock.h"

#include <ibase.h>

#include <cstdint>

namespace db {

namespace {

// "Summary of validation errors", the first code of a validation that found
// faults.
constexpr std::int32_t ValidationSummaryCode = 335740952;

// The client passes answer lengths in 16 bits.
constexpr std::size_t AnswerSize = 32 * 1024;

// A little-endian integer of the service's answers.
std::uint32_t ReadNumber(const unsigned char* data, unsigned length)
{
    std::uint32_t value = 0;
    for (unsigned i = 0; i < length; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return value;
}

// One attachment to the service manager; its handle detaches it however the
// call ends.
class ServiceSession final {
public:
    ServiceSession(const std::string& name, const std::string& user, const std::string& password)
    {
        detail::Status status;
        detail::ParameterBlock spb(status, Firebird::IXpbBuilder::SPB_ATTACH);
        spb.Tag(isc_spb_utf8_filename);  // database and backup names are UTF-8
        spb.String(isc_spb_user_name, user);
        spb.String(isc_spb_password, password);
        service_ = detail::Handle<Firebird::IService>(
            detail::Provider()->attachServiceManager(&status, name.c_str(), spb.Length(), spb.Buffer()));
    }

    void Start(detail::ParameterBlock& spb)
    {
        detail::Status status;
        service_->start(&status, spb.Length(), spb.Buffer());
    }

    // Reads the running service's output line by line until it ends; a
    // failure of the service arrives with the last answer.
    std::vector<std::string> ReadLines(const ServiceManager::OutputLine& onLine)
    {
        std::vector<std::string> lines;
        ReadLines(onLine, lines);
        return lines;
    }

    // The same, keeping the lines read so far when the service fails.
    void ReadLines(const ServiceManager::OutputLine& onLine, std::vector<std::string>& lines)
    {
        const unsigned char items[] = {isc_info_svc_line};
        std::vector<unsigned char> buffer(AnswerSize);
        for (;;) {
            detail::Status status;
            service_->query(&status, 0, nullptr, sizeof items, items, static_cast<unsigned>(buffer.size()),
                            buffer.data());
            const unsigned char* p = buffer.data();
            if (*p != isc_info_svc_line)
                throw FbError("the service answered without an output line");
            const unsigned length = ReadNumber(p + 1, 2);
            if (length == 0)
                break;
            if (3 + length > buffer.size())
                throw FbError("the service's output line does not fit its answer");
            std::string line = detail::TextFromServer(std::string_view(reinterpret_cast<const char*>(p + 3), length));
            if (onLine)
                onLine(line);
            lines.push_back(std::move(line));
        }
    }

    std::vector<unsigned char> Query(unsigned char item)
    {
        std::vector<unsigned char> buffer(AnswerSize);
        detail::Status status;
        service_->query(&status, 0, nullptr, 1, &item, static_cast<unsigned>(buffer.size()), buffer.data());
        return buffer;
    }

private:
    detail::Handle<Firebird::IService> service_;
};

// Ends a backup's or restore's block with its options and runs it to the end
// of its output.
std::vector<std::string> RunWithOptions(ServiceSession& session, detail::ParameterBlock& spb, int flags, bool verbose,
                                        const ServiceManager::OutputLine& onLine)
{
    spb.Int(isc_spb_options, flags);
    if (verbose)
        spb.Tag(isc_spb_verbose);
    session.Start(spb);
    return session.ReadLines(onLine);
}

}  // namespace

ServiceManager::ServiceManager(std::string host, std::string user, std::string password, int port)
    : host_(std::move(host)), user_(std::move(user)), password_(std::move(password)), port_(port)
{}

std::vector<std::string> ServiceManager::Backup(const std::string& database, const std::string& backupFile,
                                                const BackupOptions& options, const OutputLine& onLine) const
{
    ServiceSession session(ServiceManagerName(host_, port_), user_, password_);
    detail::Status status;
    detail::ParameterBlock spb(status, Firebird::IXpbBuilder::SPB_START);
    spb.Tag(isc_action_svc_backup);
    spb.String(isc_spb_dbname, database);
    spb.String(isc_spb_bkp_file, backupFile);
    int flags = 0;
    if (options.ignoreLimbo)
        flags |= isc_spb_bkp_ignore_limbo;
    if (options.noGarbageCollection)
        flags |= isc_spb_bkp_no_garbage_collect;
    if (options.nonTransportable)
        flags |= isc_spb_bkp_non_transportable;
    return RunWithOptions(session, spb, flags, options.verbose, onLine);
}

std::vector<std::string> ServiceManager::Restore(const std::string& backupFile, const std::string& database,
                                                 const RestoreOptions& options, const OutputLine& onLine) const
{
    ServiceSession session(ServiceManagerName(host_, port_), user_, password_);
    detail::Status status;
    detail::ParameterBlock spb(status, Firebird::IXpbBuilder::SPB_START);
    spb.Tag(isc_action_svc_restore);
    spb.String(isc_spb_bkp_file, backupFile);
    spb.String(isc_spb_dbname, database);
    if (options.pageBuffers > 0)
        spb.Int(isc_spb_res_buffers, options.pageBuffers);
    if (options.pageSize > 0)
        spb.Int(isc_spb_res_page_size, options.pageSize);
    int flags = 0;
    if (options.replace)
        flags |= isc_spb_res_replace;
    if (options.create)
        flags |= isc_spb_res_create;
    if (options.deactivateIndexes)
        flags |= isc_spb_res_deactivate_idx;
    return RunWithOptions(session, spb, flags, options.verbose, onLine);
}

ValidationResult ServiceManager::Validate(const std::string& database, const OutputLine& onLine) const
{
    ServiceSession session(ServiceManagerName(host_, port_), user_, password_);
    detail::Status status;
    detail::ParameterBlock spb(status, Firebird::IXpbBuilder::SPB_START);
    spb.Tag(isc_action_svc_repair);
    spb.String(isc_spb_dbname, database);
    spb.Int(isc_spb_options, isc_spb_rpr_validate_db | isc_spb_rpr_full | isc_spb_rpr_ignore_checksum);

    // The engine ends a validation that found faults with their summary as
    // the service's error; that is the report, not a failure.
    std::string summary;
    try {
        session.Start(spb);
    } catch (const FbError& error) {
        if (error.IBErrorCode() != ValidationSummaryCode)
            throw;
        // The service reports itself started with the summary's first line
        // and goes on adding the counts after it: this copy may lack them.
        summary = error.Message();
    }
    std::vector<std::string> lines;
    try {
        // Reading waits for the end of the service, so an error here carries
        // the whole summary.
        session.ReadLines(onLine, lines);
    } catch (const FbError& error) {
        if (error.IBErrorCode() != ValidationSummaryCode)
            throw;
        summary = error.Message();
    }

    ValidationResult result;
    if (!summary.empty()) {
        result.errorsFound = true;
        for (std::size_t start = 0; start <= summary.size();) {
            std::size_t end = summary.find('\n', start);
            if (end == std::string::npos)
                end = summary.size();
            lines.push_back(summary.substr(start, end - start));
            start = end + 1;
        }
    }
    for (const std::string& line : lines) {
        if (line.find_first_not_of(" \t\r\n") != std::string::npos)
            result.errorsFound = true;
        result.report += line;
        result.report += '\n';
    }
    return result;
}

std::vector<std::string> ServiceManager::AttachedDatabases() const
{
    ServiceSession session(ServiceManagerName(host_, port_), user_, password_);
    const std::vector<unsigned char> answer = session.Query(isc_info_svc_svr_db_info);

    std::vector<std::string> names;
    const unsigned char* p = answer.data();
    const unsigned char* const end = answer.data() + answer.size();
    if (*p++ != isc_info_svc_svr_db_info)
        throw FbError("the service answered without the database list");
    while (p < end && *p != isc_info_flag_end && *p != isc_info_end) {
        const unsigned char item = *p++;
        if (item == isc_spb_num_att || item == isc_spb_num_db) {
            if (end - p < 4)
                break;
            p += 4;
        } else if (item == isc_spb_dbname) {
            if (end - p < 2)
                break;
            const unsigned length = ReadNumber(p, 2);
            p += 2;
            if (static_cast<std::size_t>(end - p) < length)
                throw FbError("the service's database list is cut short");
            names.push_back(detail::TextFromServer(std::string_view(reinterpret_cast<const char*>(p), length)));
            p += length;
        } else {
            throw FbError("the service's database list holds an unknown item " + std::to_string(item));
        }
    }
    return names;
}

}  // namespace db
