#include "platform/db/ConnectionString.h"

#include <gtest/gtest.h>

namespace {

TEST(DbConnectionStringTest, PicksTheEngineByHost)
{
    // No host: the embedded engine opens the file itself.
    EXPECT_EQ("/data/qhacc.fdb", db::ConnectionString("", "/data/qhacc.fdb"));
    // The loopback address goes to the local server over TCP, never through
    // the embedded engine.
    EXPECT_EQ("127.0.0.1:/data/qhacc.fdb", db::ConnectionString("127.0.0.1", "/data/qhacc.fdb"));
    EXPECT_EQ("server1:/data/qhacc.fdb", db::ConnectionString("server1", "/data/qhacc.fdb"));
    EXPECT_EQ("server1/3051:/data/qhacc.fdb", db::ConnectionString("server1", "/data/qhacc.fdb", 3051));
    EXPECT_EQ("[::1]:/d/a.fdb", db::ConnectionString("::1", "/d/a.fdb"));
    // Folder separators stored in the Windows form.
    EXPECT_EQ("server1:/ledrix/data\xE8\xA1\xA8/qhacc.fdb",
              db::ConnectionString("server1", "/ledrix\\data\xE8\xA1\xA8\\qhacc.fdb"));
}

TEST(DbConnectionStringTest, NamesTheServiceManager)
{
    EXPECT_EQ("service_mgr", db::ServiceManagerName(""));
    EXPECT_EQ("127.0.0.1:service_mgr", db::ServiceManagerName("127.0.0.1"));
    EXPECT_EQ("host/3051:service_mgr", db::ServiceManagerName("host", 3051));
}

}  // namespace
