#pragma once
// Firebird for tests.
//
// Each test process gets a Firebird root of its own in a temporary folder,
// laid out on first use (which must come before anything else in the process
// calls the client): SuperClassic, a free port for a server on 127.0.0.1, and
// a security database of its own that knows the user LEDRIX. Tests that need
// a server start the private one (/usr/sbin/firebird in the foreground with
// that root); it is stopped, and the folder removed, when the process's tests
// end. The machine's own Firebird service is never used or changed.

#include "platform/ChildProcess.h"
#include "platform/db/Database.h"

#include <chrono>
#include <string_view>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace db {
class Database;
}

namespace dbtest {

inline constexpr const char* User = "LEDRIX";
inline constexpr const char* Password = "tolvaz";

struct ToolRun {
    proc::ExitStatus status;
    std::string output;  // standard output and error together
};

class TestFirebird final {
public:
    // Sets the process up on the first call.
    static TestFirebird& Get();

    const std::filesystem::path& Root() const { return root_; }
    int Port() const { return port_; }

    // A new, empty folder for one test's files.
    std::filesystem::path NewWorkFolder(const std::string& name);

    // Starts the private server once and waits until it accepts connections.
    void StartServer();
    void StopServer() noexcept;
    bool ServerRunning();

    // Sets the server up as an installation does (scripts/
    // setup-firebird-server.sh): LEDRIX with its password and the right to
    // create databases, mapped to the RDB$ADMIN role for every database and
    // service of this root's server. The server's list of attached databases
    // answers only administrators.
    void GrantServerAdmin();

    // Runs isql-fb (embedded unless the database name says a host) as LEDRIX
    // with lc_ctype SJIS_0208, feeding it the script.
    ToolRun Isql(const std::string& database, const std::string& script);
    // Runs a Firebird tool with the process's root; asTestUser logs it in
    // as LEDRIX (SetTestLogin).
    ToolRun Tool(std::vector<std::string> args, bool asTestUser = false);

    // Stops the server and removes the folder.
    void TearDown() noexcept;

private:
    TestFirebird();

    std::filesystem::path folder_;
    std::filesystem::path root_;
    int port_ = 0;
    std::unique_ptr<proc::ChildProcess> server_;
    unsigned workCount_ = 0;
};

// The whole content of a file ("" when it cannot be read).
std::string ReadWholeFile(const std::filesystem::path& path);

// Creates a test's database at connectionString, owned by the test user,
// and leaves database attached to it. Forced writes are off: the database
// is thrown away, so a flush per commit only costs time.
void CreateTestDatabase(db::Database& database, const std::string& connectionString);

// Waits until a statement that starts with sqlStart runs on another
// attachment of observer's database (running, not idle: for an INSERT or
// UPDATE that meets another's lock, waiting on it), asking the engine's
// monitoring tables until the deadline. False when the deadline passes.
bool WaitForRunningStatement(db::Database& observer, std::string_view sqlStart,
                             std::chrono::seconds deadline = std::chrono::seconds(60));

// Logs a Firebird tool in as LEDRIX through the client library's variables
// ISC_USER and ISC_PASSWORD: a password on a command line is readable by
// every user of the machine in the process list.
void SetTestLogin(proc::ChildOptions& options);

// A folder of its own for every test.
class FirebirdTest : public ::testing::Test {
protected:
    void SetUp() override;
    // A database file name in the test's folder.
    std::string DbPath(const std::string& name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_;
};

// The same, with the private server running.
class FirebirdServerTest : public FirebirdTest {
protected:
    void SetUp() override;
};

}  // namespace dbtest
