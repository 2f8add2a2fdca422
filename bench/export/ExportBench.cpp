// The export benchmark.
//
//   export_bench                          the large company of the build folder
//   export_bench DB FIRST-LAST TAX OUT    a company database of your own
//
// DB is a company database file; FIRST-LAST the periods of the range, 1 to
// 16 (16 is the annual settlement; the wizard always starts at the data's
// first period); TAX 0 tax-inclusive or 1 tax-exclusive; OUT the XML
// file to write. Without arguments the whole year is exported tax-inclusive
// from the generated company (made on first use, see GeneratedCompany.h)
// to export.xml beside it.
//
// It prints the time of the whole export (trial-balance procedure, range
// calculation, XML built and saved), the time of one aggregate SELECT over
// the balance table KAMOKU_MS of the same database, their ratio, and the
// memory peak of the process during the export; each time by the wall clock
// and as the processor time of the process. Each is the best of three
// runs (one, when it takes more than ten seconds), after one warming run of
// the SELECT.

#include "GeneratedCompany.h"

#include "app/export/DataExportError.h"
#include "app/export/RendoFile.h"
#include "app/export/UtiwakesyoDataExport.h"
#include "foundation/AccInf.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

constexpr int Runs = 3;

struct Options {
    fs::path database;
    int firstPeriod = 1;
    int lastPeriod = 16;
    int taxMode = 0;
    fs::path output;
};

// Messages of the calculations go to standard error: nobody is there to
// press a button.
class ConsoleMessages final : public IMessagePresenter {
public:
    TModalResult Present(const TUserMessage& message) override
    {
        std::fprintf(stderr, "message: %s\n", message.Text.c_str());
        return mrOk;
    }
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc == 1) {
        options.database = GeneratedCompany();
        options.output = options.database.parent_path() / "export.xml";
        return true;
    }
    if (argc != 5)
        return false;
    options.database = fs::absolute(argv[1]);
    if (std::sscanf(argv[2], "%d-%d", &options.firstPeriod, &options.lastPeriod) != 2 || options.firstPeriod < 1 ||
        options.lastPeriod > 16 || options.firstPeriod > options.lastPeriod)
        return false;
    const std::string tax = argv[3];
    if (tax != "0" && tax != "1")
        return false;
    options.taxMode = tax == "1" ? 1 : 0;
    options.output = fs::absolute(argv[4]);
    return true;
}

// Processor time of the process, all its threads (the database engine runs
// inside it): on a machine that others load, the wall clock says more about
// them than about the export.
double ProcessorSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = 1e300;
    double processor = 1e300;
};

// The best of three runs, by the wall clock and by processor time; a run of
// more than ten seconds is not repeated, as noise no longer matters at that
// length.
Timing BestSeconds(const std::function<void()>& run)
{
    Timing best;
    for (int i = 0; i < Runs && (i == 0 || best.wall <= 10); ++i) {
        const auto start = std::chrono::steady_clock::now();
        const double processorStart = ProcessorSeconds();
        run();
        best.processor = std::min(best.processor, ProcessorSeconds() - processorStart);
        best.wall =
            std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

long PeakKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The open data's accounting information as far as the calculations read it.
void ReadAccInfo()
{
    db::Query query(DM->IBDatabaseDAT, DM->IBTransactionDAT);
    query.SetAutoStart(true);
    query.SetSQL("SELECT DATATYPE, CODETYPE, KAISINO, SHOUGOU, KISHU, KIMATU FROM ACCDEF1 WHERE REC = 1");
    query.Open();
    AccInf.DATATYPE = query.FieldByName("DATATYPE").AsInteger();
    AccInf.KAISINO = query.FieldByName("KAISINO").AsInteger();
    AccInf.MedicalChart = AccInf.DATATYPE == 3 && query.FieldByName("CODETYPE").AsInteger() == 1 ? 1 : 0;
    AccInf.SHOUGOU = query.FieldByName("SHOUGOU").AsString();
    AccInf.KISHU = query.FieldByName("KISHU").AsDateTime();
    AccInf.KIMATU = query.FieldByName("KIMATU").AsDateTime();
    query.Close();
    DM->IBTransactionDAT.Commit();
}

void Export(const Options& options)
{
    TUtiwakesyoDataExport e(1, options.output.string());
    e.CompanyName = AccInf.SHOUGOU;
    e.FiscalStart = AccInf.KISHU;
    e.FiscalEnd = AccInf.KIMATU;
    e.DataType = AccInf.DATATYPE;
    e.StartCell = options.firstPeriod - 1;
    e.EndCell = options.lastPeriod - 1;
    e.LastCell = 15;
    e.TaxMode = options.taxMode;
    WriteRendoFile(e, options.output.string());
}

// Every row of the company trial-balance procedure, as the export reads it.
std::size_t TrialBalanceProcedure(int taxMode)
{
    db::Query query(DM->IBDatabaseDAT, DM->IBTransactionDAT);
    query.SetAutoStart(true);
    query.SetSQL("SELECT * FROM SP_SISANHYO(" + std::to_string(taxMode) + ", '', '')");
    query.Open();
    std::size_t rows = 0;
    for (; !query.Eof(); query.Next())
        ++rows;
    query.Close();
    DM->IBTransactionDAT.Commit();
    return rows;
}

std::size_t AggregateSelect()
{
    db::Query query(DM->IBDatabaseDAT, DM->IBTransactionDAT);
    query.SetAutoStart(true);
    query.SetSQL(
        "SELECT KCODE, HCODE, SUM(KAR_NUK + KAR_TAX), SUM(KAS_NUK + KAS_TAX) FROM KAMOKU_MS"
        " GROUP BY KCODE, HCODE");
    query.Open();
    std::size_t rows = 0;
    for (; !query.Eof(); query.Next())
        ++rows;
    query.Close();
    DM->IBTransactionDAT.Commit();
    return rows;
}

int Run(const Options& options)
{
    // The export's settings file goes to a folder of the benchmark's own.
    const fs::path home = options.output.parent_path() / "bench-home";
    ::setenv("LEDRIX_COMMON_APPDATA", home.c_str(), 1);
    ::setenv("LEDRIX_REGISTRY_DIR", (home / "registry").c_str(), 1);
    AppInfo.Zaimu.HomeDir = "export-bench";

    dbtest::TestFirebird::Get();
    SystemDef.USER = dbtest::User;
    SystemDef.PASSWORD = dbtest::Password;
    SystemDef.HOSTNAME.clear();
    SystemDef.LogDir = home.string();
    fs::create_directories(home);
    ConnectionMode = 0;
    DataDbFileName = options.database.filename().string();
    DM = std::make_unique<TDM>();
    if (!DM->fnAccDatConnected("", options.database.parent_path().string(), false)) {
        std::fprintf(stderr, "cannot open %s\n", options.database.c_str());
        return 1;
    }
    ReadAccInfo();

    const std::size_t groups = AggregateSelect();
    const long before = PeakKilobytes();
    const Timing exportTime = BestSeconds([&] { Export(options); });
    const long peak = PeakKilobytes();
    const Timing selectTime = BestSeconds([] { AggregateSelect(); });
    std::size_t procedureRows = 0;
    const Timing procedureTime = BestSeconds([&] { procedureRows = TrialBalanceProcedure(options.taxMode); });

    std::printf("database          %s\n", options.database.c_str());
    std::printf("range             periods %d-%d, %s\n", options.firstPeriod, options.lastPeriod,
                options.taxMode == 0 ? "tax-inclusive" : "tax-exclusive");
    std::printf("written           %s (%ju bytes)\n", options.output.c_str(),
                static_cast<std::uintmax_t>(fs::file_size(options.output)));
    std::printf("                  wall      processor\n");
    std::printf("export            %.3f s   %.3f s (trial-balance procedure, range calculation, XML)\n",
                exportTime.wall, exportTime.processor);
    std::printf("  procedure alone %.3f s   %.3f s (SP_SISANHYO, %zu rows read)\n", procedureTime.wall,
                procedureTime.processor, procedureRows);
    std::printf("aggregate SELECT  %.3f s   %.3f s (KAMOKU_MS grouped by account and sub-account: %zu groups)\n",
                selectTime.wall, selectTime.processor, groups);
    std::printf("ratio             %.2f      %.2f\n", exportTime.wall / selectTime.wall,
                exportTime.processor / selectTime.processor);
    std::printf("memory peak       %.1f MB during the export (%.1f MB before it)\n", peak / 1024.0, before / 1024.0);
    DM.reset();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    int result = 2;
    try {
        ConsoleMessages messages;
        SetMessagePresenter(&messages);
        if (!ParseOptions(argc, argv, options)) {
            std::fprintf(stderr,
                         "usage: %s [DATABASE FIRST-LAST TAX OUTPUT]\n"
                         "  FIRST-LAST  periods of the range, 1-16\n"
                         "  TAX         0 tax-inclusive, 1 tax-exclusive\n",
                         argv[0]);
        } else {
            result = Run(options);
        }
        SetMessagePresenter(nullptr);
    } catch (const EDataExportError& e) {
        std::fprintf(stderr, "export failed: %s %s (code %d)\n", e.what(), e.Detail.c_str(), e.Code);
        result = 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        result = 1;
    }
    DM.reset();
    dbtest::TestFirebird::Get().TearDown();
    return result;
}
