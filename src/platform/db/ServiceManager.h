#pragma once
// The Firebird services the program uses: backup to a file, restore from a
// file, full validation, and the list of databases a server has attached.
//
// Each operation attaches to the service manager, runs, reads the service's
// output to its end and detaches, so the object holds no connection between
// calls. An empty host means the embedded engine's services in this process
// (which see only this process's attachments); otherwise the server on host.
// Paths are the server's own. A failure of the service arrives as FbError.
//
// While a service runs, each output line goes to the caller's callback as it
// comes (the screens pump their messages there); the lines are also returned.

#include <functional>
#include <string>
#include <vector>

namespace db {

struct BackupOptions {
    bool ignoreLimbo = true;          // skip transactions in limbo
    bool noGarbageCollection = true;  // do not collect garbage while reading
    bool nonTransportable = true;     // this platform's own format
    bool verbose = true;
};

struct RestoreOptions {
    int pageSize = 16384;
    int pageBuffers = 4096;
    bool replace = true;             // replace an existing database ...
    bool create = true;              // ... or create a new one
    bool deactivateIndexes = false;  // restore without building the indexes
    bool verbose = true;
};

struct ValidationResult {
    // True when the validation printed anything but blank lines: every
    // line of a full validation reports a fault.
    bool errorsFound = false;
    std::string report;  // the lines, each ended by "\n"
};

class ServiceManager final {
public:
    using OutputLine = std::function<void(const std::string& line)>;

    ServiceManager(std::string host, std::string user, std::string password, int port = 0);
    ServiceManager(ServiceManager&&) noexcept = default;
    ServiceManager& operator=(ServiceManager&&) noexcept = default;
    ServiceManager(const ServiceManager&) = delete;
    ServiceManager& operator=(const ServiceManager&) = delete;

    // Returns the output lines.
    std::vector<std::string> Backup(const std::string& database, const std::string& backupFile,
                                    const BackupOptions& options = {}, const OutputLine& onLine = {}) const;
    std::vector<std::string> Restore(const std::string& backupFile, const std::string& database,
                                     const RestoreOptions& options = {}, const OutputLine& onLine = {}) const;
    // Full validation, checksums ignored. The database must not be in use by
    // others that write to it.
    ValidationResult Validate(const std::string& database, const OutputLine& onLine = {}) const;
    // The file names of the databases the server has attached now.
    std::vector<std::string> AttachedDatabases() const;

    const std::string& Host() const { return host_; }

private:
    std::string host_;
    std::string user_;
    std::string password_;
    int port_ = 0;
};

}  // namespace db
