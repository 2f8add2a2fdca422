// System updates 4.0.2 (damage mark of the data list) and 5.0.0 (data
// places), which choose their statements by edition, connection mode and
// the system-data folder.

#include "dbupdate/CodeSystemImporter.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "platform/Cp932.h"

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <system_error>

using sysupdate::SystemShape;

namespace fs = std::filesystem;

namespace z5SystemDbUpdate402 {

const TUpdateUnitShape Shape = SystemShape(4, 0, 2, true);

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // The other editions check their data their own way: they record the
    // version alone.
    if (EditionFlag != 0)
        return script;
    if (ConnectionMode == 1)
        sysupdate::AddDataListFolderUpdate(script);
    script.AddSql("data-status.sql");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "データ選択でデータの破損検証",
                 "１）データ選択でデータの破損を検証する機能が追加されます。");
}

}  // namespace z5SystemDbUpdate402

namespace {

std::mutex importerMutex;
TCodeSystemImporterFactory& ImporterFactory()
{
    static TCodeSystemImporterFactory factory;
    return factory;
}

}  // namespace

void SetCodeSystemImporterFactory(TCodeSystemImporterFactory factory)
{
    const std::lock_guard lock(importerMutex);
    ImporterFactory() = std::move(factory);
}

namespace z5SystemDbUpdate500 {

const TUpdateUnitShape Shape = SystemShape(5, 0, 0, true);

// A data-place name holds at most this many bytes.
constexpr std::size_t PlaceNameMaxBytes = 40;

const std::vector<std::string>& CodeSystemFiles()
{
    static const std::vector<std::string> files{
        "販売業.txt", "製造業.txt", "建設業.txt",     "運送業.txt",       "病院.txt",
        "その他.txt", "",           "個人　一般.txt", "個人　不動産.txt", "個人　医業.txt",
    };
    return files;
}

std::string FirstPlaceName()
{
    return cp932::ByteWidth(SystemDef.SYSDIR) > PlaceNameMaxBytes ? std::string("標準の場所") : SystemDef.SYSDIR;
}

// The editions that deliver code systems fill the ten slots from the files
// of the installation, stopping at the first one the importer refuses.
void ImportCodeSystems()
{
    TCodeSystemImporterFactory factory;
    {
        const std::lock_guard lock(importerMutex);
        factory = ImporterFactory();
    }
    const std::string folder = BodyFileFolder(Shape.Major, Shape.Minor1, Shape.Minor2);
    const std::unique_ptr<ICodeSystemImporter> importer = factory ? factory() : MakeCodeTaikeiImporter();
    const std::vector<std::string>& files = CodeSystemFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].empty())
            continue;
        const std::string path = folder + "/" + files[i];
        std::error_code ec;
        if (!fs::is_regular_file(path, ec))
            throw fs::filesystem_error("update 5.0.0: code-system file missing", path,
                                       std::make_error_code(std::errc::no_such_file_or_directory));
        if (!importer->ImportCodeTaikei(path, static_cast<std::int32_t>(i + 1)))
            break;
    }
}

std::string TwoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // SP_DATALIST_INSERT in its second form serves the other data places
    // too, and starts from number 1 on an empty list.
    script.AddSql("data-places.sql");

    // Place 0 is the system-data folder itself; places 1 to 99 are its
    // numbered neighbours ("<SYSDIR>01" ...), unnamed until the user names
    // them.
    const std::string sysDir = SqlQuoted(SystemDef.SYSDIR);
    script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(0,1,'" + SqlQuoted(FirstPlaceName()) + "','" +
               sysDir + "');");
    for (int i = 1; i <= 99; ++i)
        script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(" + TwoDigits(i) + "," + TwoDigits(i + 1) +
                   ",'','" + sysDir + TwoDigits(i) + "');");
    script.Add("COMMIT;");

    if (EditionFlag == 1 || EditionFlag == 2)
        script.AddSql("trial-balance-totals.sql");
    return script;
}

std::int32_t DoUpdate()
{
    if (EditionFlag == 1 || EditionFlag == 2)
        ImportCodeSystems();
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(rec, Shape, &DoUpdate, 1, "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加",
                 "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。");
}

}  // namespace z5SystemDbUpdate500
