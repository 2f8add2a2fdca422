#pragma once
// The server's file routines module, installed into the test root's UDR
// folder, and its declarations run against a database.

#include "platform/db/FirebirdServerFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace dbtest {

inline void InstallFileProcModule()
{
    // Beside it and renamed over it: a server of an earlier test has the
    // module mapped, and writing into that file would pull its code away.
    const std::filesystem::path module = TestFirebird::Get().Root() / "plugins" / "udr" / "libledrix_fileproc.so";
    std::filesystem::copy_file(LEDRIX_FILEPROC_MODULE, module.string() + ".new",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::rename(module.string() + ".new", module);
}

// Runs the declaring script against the database (embedded).
inline void Declare(const std::string& database, const char* script)
{
    std::ifstream in(script);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ToolRun run = TestFirebird::Get().Isql(database, text);
    ASSERT_TRUE(run.status.Succeeded()) << run.output;
}

}  // namespace dbtest
