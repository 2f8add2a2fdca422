#include "GeneratedCompany.h"

#include "platform/db/FirebirdServerFixture.h"
#include "platform/Cp932.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int JournalBlocks = 20;

std::string ReadScript(const char* name)
{
    const fs::path file = fs::path(LEDRIX_BENCH_SQL_DIR) / name;
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunScript(const fs::path& database, const std::string& script, const std::string& what)
{
    // isql-fb talks SJIS_0208 here, so the script goes as code page 932.
    const dbtest::ToolRun run = dbtest::TestFirebird::Get().Isql(database.string(), cp932::FromUtf8(script));
    if (!run.status.Succeeded())
        throw std::runtime_error(what + " failed:\n" + run.output);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

fs::path GeneratedCompany()
{
    const fs::path dir = LEDRIX_BENCH_DATA_DIR;
    const fs::path file = dir / "qhacc.fdb";
    if (fs::exists(file))
        return file;

    fs::create_directories(dir);
    const fs::path work = dir / "qhacc.fdb.part";
    fs::remove(work);
    std::printf("Generating the large company in %s (once) ...\n", dir.c_str());
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), work);
    RunScript(work, ReadScript("generate-company.sql"), "generate-company.sql");
    const std::string journal = ReadScript("generate-journal.sql");
    for (int n = 0; n < JournalBlocks; ++n) {
        RunScript(work, Replace(journal, "{N}", std::to_string(n)), "generate-journal.sql block " + std::to_string(n));
        std::printf("  journal lines posted: %d\n", (n + 1) * 50000);
        std::fflush(stdout);
    }
    fs::rename(work, file);
    std::printf("Generated in %.0f s.\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return file;
}
