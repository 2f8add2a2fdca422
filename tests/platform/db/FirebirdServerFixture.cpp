#include "platform/db/FirebirdServerFixture.h"

#include "platform/db/Database.h"
#include "platform/db/FirebirdRoot.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace dbtest {

namespace {

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket() failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot find a free port");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

class Environment final : public ::testing::Environment {
public:
    void TearDown() override { TestFirebird::Get().TearDown(); }
};

}  // namespace

TestFirebird& TestFirebird::Get()
{
    static TestFirebird* const instance = [] {
        auto* created = new TestFirebird();
        ::testing::AddGlobalTestEnvironment(new Environment());
        return created;
    }();
    return *instance;
}

TestFirebird::TestFirebird()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/ledrix-fbtest-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    folder_ = pattern;
    root_ = folder_ / "firebird";
    port_ = FreePort();

    db::FirebirdRootSettings settings;
    settings.remoteServicePort = port_;
    settings.remoteBindAddress = "127.0.0.1";
    settings.securityDatabase = root_ / "security3.fdb";
    db::LayOutFirebirdRoot(root_, settings);
    db::UseFirebirdRoot(root_);

    // The security database (the server reads it for its logins): made once
    // per test run by the embedded engine of isql-fb, copied for each process
    // (starting the engine in a tool costs more than the copy).
    const std::string users = std::string("CREATE USER ") + User + " PASSWORD '" + Password + "';\n" +
                              "GRANT CREATE DATABASE TO USER " + User + ";\n" + "COMMIT;\n";
    // The engine opens the configured security database even to create
    // one, so it is made in its place and the master is a copy of it.
    const fs::path master = CachedMaster("security", ContentKey(users), [&](const fs::path& folder) {
        const fs::path script = folder_ / "security.sql";
        std::ofstream(script) << "CREATE DATABASE '" << settings.securityDatabase.string() << "' USER 'SYSDBA';\n"
                              << users;
        const ToolRun run = Tool({"isql-fb", "-q", "-b", "-i", script.string()});
        fs::remove(script);
        if (!run.status.Succeeded())
            throw std::runtime_error("cannot create the security database: " + run.output);
        fs::copy_file(settings.securityDatabase, folder / "security3.fdb");
    });
    if (!fs::exists(settings.securityDatabase))
        CopyMasterFile(master / "security3.fdb", settings.securityDatabase);
}

fs::path TestFirebird::NewWorkFolder(const std::string& name)
{
    std::string safe;
    for (char c : name)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
    const fs::path path = folder_ / "work" / (safe + "-" + std::to_string(++workCount_));
    fs::create_directories(path);
    return path;
}

void SetTestLogin(proc::ChildOptions& options)
{
    options.SetEnv("ISC_USER", User).SetEnv("ISC_PASSWORD", Password);
}

ToolRun TestFirebird::Tool(std::vector<std::string> args, bool asTestUser)
{
    const fs::path output = folder_ / ("tool-" + std::to_string(::getpid()) + ".out");
    proc::ChildOptions options;
    if (asTestUser)
        SetTestLogin(options);
    options.stdoutTarget = proc::OutputTarget::ToFile(output.string());
    options.stderrTarget = proc::OutputTarget::SameAsStdout();
    ToolRun run;
    run.status = proc::RunAndWait(std::move(args), options, std::chrono::seconds(120));
    run.output = ReadWholeFile(output);
    return run;
}

ToolRun TestFirebird::Isql(const std::string& database, const std::string& script)
{
    const fs::path file = folder_ / "script.sql";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << script;
    return Tool({"isql-fb", "-q", "-b", "-ch", "SJIS_0208", "-i", file.string(), database}, true);
}

void TestFirebird::GrantServerAdmin()
{
    // The installation's own step, so that the tests run against a server
    // set up the way an installation sets one up.
    proc::ChildOptions options;
    options.SetEnv("LEDRIX_DB_USER", User).SetEnv("LEDRIX_DB_PASSWORD", Password);
    const fs::path output = folder_ / "setup-server.out";
    options.stdoutTarget = proc::OutputTarget::ToFile(output.string());
    options.stderrTarget = proc::OutputTarget::SameAsStdout();
    const proc::ExitStatus status =
        proc::RunAndWait({"bash", std::string(LEDRIX_SOURCE_DIR) + "/scripts/setup-firebird-server.sh",
                          (root_ / "security3.fdb").string()},
                         options, std::chrono::seconds(120));
    if (!status.Succeeded())
        throw std::runtime_error("the server set-up failed: " + ReadWholeFile(output));
}

void TestFirebird::StartServer()
{
    if (server_ && server_->Running())
        return;
    const fs::path log = folder_ / "server.out";
    proc::ChildOptions options;
    options.stdoutTarget = proc::OutputTarget::ToFile(log.string());
    options.stderrTarget = proc::OutputTarget::SameAsStdout();
    server_ = std::make_unique<proc::ChildProcess>(std::vector<std::string>{"/usr/sbin/firebird"}, options);
    server_->Start();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Accepts(port_)) {
        if (server_->WaitFor(std::chrono::milliseconds(20)))
            throw std::runtime_error("the Firebird server ended at start: " + server_->Status()->Describe() + "\n" +
                                     ReadWholeFile(log));
        if (std::chrono::steady_clock::now() > deadline) {
            server_->Kill();
            throw std::runtime_error("the Firebird server did not accept connections within 30 s\n" +
                                     ReadWholeFile(log));
        }
    }
}

bool TestFirebird::ServerRunning()
{
    return server_ && server_->Running();
}

void TestFirebird::StopServer() noexcept
{
    if (!server_)
        return;
    try {
        if (server_->Running()) {
            ::kill(server_->Pid(), SIGTERM);
            if (!server_->WaitFor(std::chrono::seconds(10)))
                server_->Kill();
        }
    } catch (...) {
    }
    server_.reset();
}

void TestFirebird::TearDown() noexcept
{
    StopServer();
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void CreateTestDatabase(db::Database& database, const std::string& connectionString)
{
    database.Create(connectionString, User, Password, db::Database::DefaultPageSize, false);
}

bool WaitForRunningStatement(db::Database& observer, std::string_view sqlStart, std::chrono::seconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        // The monitoring tables are a snapshot per transaction: a new one
        // each time.
        db::Transaction look(observer);
        look.Start();
        db::Query query(observer, look,
                        "SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION"
                        " AND MON$STATE = 1 AND MON$SQL_TEXT STARTING WITH :SQL_START");
        query.ParamByName("SQL_START").SetString(sqlStart);
        query.Open();
        const bool running = query.FieldByIndex(0).AsInteger() > 0;
        query.Close();
        look.Commit();
        if (running)
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void FirebirdTest::SetUp()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = TestFirebird::Get().NewWorkFolder(std::string(info->test_suite_name()) + "." + info->name());
}

void FirebirdServerTest::SetUp()
{
    FirebirdTest::SetUp();
    TestFirebird::Get().StartServer();
}

}  // namespace dbtest
