#include "platform/db/FirebirdRoot.h"

#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace dbtest;
namespace fs = std::filesystem;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class DbFirebirdRootTest : public FirebirdTest {};

TEST_F(DbFirebirdRootTest, LaysOutCopiesAndItsOwnConfiguration)
{
    const fs::path root = folder_ / "root";
    db::FirebirdRootSettings settings;
    settings.remoteServicePort = 3999;
    settings.remoteBindAddress = "127.0.0.1";
    settings.securityDatabase = folder_ / "sec.fdb";
    db::LayOutFirebirdRoot(root, settings);

    // Real files where the installed root has links: the character-set
    // module does not load through linked folders.
    for (const char* part : {"intl", "plugins"})
        EXPECT_FALSE(fs::is_symlink(root / part)) << part;
    for (const char* file : {"intl/fbintl.conf", "intl/libfbintl.so", "plugins/libEngine12.so", "firebird.msg"}) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root / file))) << file;
        EXPECT_EQ(fs::file_size(db::InstalledFirebirdRoot() / file), fs::file_size(root / file)) << file;
    }
    EXPECT_TRUE(fs::is_directory(root / "plugins" / "udr"));
    EXPECT_TRUE(fs::is_directory(root / "lock"));

    const std::string conf = Read(root / "firebird.conf");
    EXPECT_NE(std::string::npos, conf.find("ServerMode = SuperClassic\n"));
    EXPECT_NE(std::string::npos, conf.find("RemoteServicePort = 3999\n"));
    EXPECT_NE(std::string::npos, conf.find("RemoteBindAddress = 127.0.0.1\n"));
    EXPECT_NE(std::string::npos, conf.find("SecurityDatabase = " + settings.securityDatabase.string() + "\n"));
    EXPECT_NE(std::string::npos, Read(root / "plugins.conf").find("path = " + (root / "plugins" / "udr").string()));
    EXPECT_NE(std::string::npos, Read(root / "databases.conf").find(settings.securityDatabase.string()));
}

TEST_F(DbFirebirdRootTest, LayingOutAgainKeepsWhatIsThere)
{
    const fs::path root = folder_ / "root";
    db::LayOutFirebirdRoot(root);
    const fs::path engine = root / "plugins" / "libEngine12.so";
    const auto copied = fs::last_write_time(engine);
    const auto confWritten = fs::last_write_time(root / "firebird.conf");
    // A file of the program's own in the plugin folder stays too.
    std::ofstream(root / "plugins" / "udr" / "mine.so") << "x";

    db::LayOutFirebirdRoot(root);
    EXPECT_EQ(copied, fs::last_write_time(engine));
    EXPECT_EQ(confWritten, fs::last_write_time(root / "firebird.conf"));
    EXPECT_TRUE(fs::exists(root / "plugins" / "udr" / "mine.so"));

    db::FirebirdRootSettings settings;
    settings.remoteServicePort = 3998;
    db::LayOutFirebirdRoot(root, settings);
    EXPECT_NE(std::string::npos, Read(root / "firebird.conf").find("RemoteServicePort = 3998\n"));
    EXPECT_EQ(copied, fs::last_write_time(engine));
    // No half-finished copies are left beside the parts.
    for (const auto& entry : fs::directory_iterator(root))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp-")) << entry.path();
}

TEST_F(DbFirebirdRootTest, RefusesWhatItCannotUse)
{
    db::FirebirdRootSettings settings;
    settings.installedRoot = folder_ / "nothing-here";
    EXPECT_THROW(db::LayOutFirebirdRoot(folder_ / "root", settings), std::runtime_error);
    EXPECT_THROW(db::UseFirebirdRoot(folder_ / "not-laid-out"), std::exception);

    // Once the client has started, its root can no longer move.
    db::Database database;
    dbtest::CreateTestDatabase(database, DbPath("started.fdb"));
    db::LayOutFirebirdRoot(folder_ / "late");
    EXPECT_THROW(db::UseFirebirdRoot(folder_ / "late"), std::logic_error);
}

}  // namespace
