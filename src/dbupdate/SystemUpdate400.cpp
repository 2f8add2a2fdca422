// System updates 4.0.0 (company code column, eras, twenty code systems),
// 4.0.2 (damage mark of the data list) and 5.0.0 (data places).

#include "dbupdate/CodeSystemImporter.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/AccRecord.h"
#include "platform/Cp932.h"

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <system_error>

using sysupdate::Describe;
using sysupdate::SqlString;
using sysupdate::SystemShape;

namespace fs = std::filesystem;

namespace {

// The data-list row that SP_DATALIST_INSERT creates for a fixed area: an
// empty area numbered REC in the folder PASNAME_VALUE.
constexpr const char* NewAreaColumns =
    "REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU";
std::string NewAreaValues(const std::string& pathVariable)
{
    return ":REC, 10000, '', '', :" + pathVariable + ", 0, 0, 0, 0, '1899/12/30', '1899/12/30'";
}

// The folder of area dvCNT: the last four digits of 10000 + the number.
// Folders are joined with "/", the platform's separator.
constexpr const char* NextAreaLines[] = {
    "    dvCNT = dvCNT + 1;",
    "    dvWK = dvCNT + 10000;",
    "    REC = dvCNT;",
};
std::string AreaPath(const std::string& variable)
{
    return "    " + variable + " = PATHTEXT || '/' || f_Right(CAST(dvWK AS VARCHAR(10)), 4);";
}

}  // namespace

namespace z5SystemDbUpdate400 {

const TUpdateUnitShape Shape = SystemShape(4, 0, 0, false);

void AddEras(TUpdateScript& script)
{
    script.Add({
        "RECREATE TABLE GENGO (",
        "  GName VARCHAR(10) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  GSign VARCHAR(2) CHARACTER SET ASCII DEFAULT '',",
        "  StartDate TIMESTAMP,",
        "  YearOffSet INTEGER DEFAULT 0",
        ");",
    });
    struct TEra {
        const char* Name;
        const char* Sign;
        const char* Start;
        int Year;
    };
    constexpr TEra eras[] = {
        {"明治", "M", "1868/09/08", 1868},
        {"大正", "T", "1912/07/30", 1912},
        {"昭和", "S", "1926/12/25", 1926},
        {"平成", "H", "1989/01/08", 1989},
    };
    for (const TEra& era : eras)
        script.Add("INSERT INTO GENGO(GName,GSign,StartDate,YearOffSet) VALUES('" + std::string(era.Name) + "','" +
                   era.Sign + "','" + era.Start + "'," + std::to_string(era.Year) + ");");
    script.Add("COMMIT;");
}

void AddDataListInsert(TUpdateScript& script)
{
    // First form: it continues after the highest number and so, on an
    // empty list, inserts nothing (MAX gives null and the loop never runs).
    script.Add({
        "SET TERM ^ ;",
        "CREATE PROCEDURE SP_DATALIST_INSERT (",
        "  MAXCNT INTEGER,",
        "  PATHTEXT VARCHAR(254) CHARACTER SET SJIS_0208)",
        "RETURNS (",
        "  REC INTEGER,",
        "  PASNAME VARCHAR(254) CHARACTER SET SJIS_0208)",
        "AS",
        "  DECLARE VARIABLE dvBaseREC INTEGER;",
        "  DECLARE VARIABLE dvCNT INTEGER;",
        "  DECLARE VARIABLE dvWK INTEGER;",
        "BEGIN",
        "  SELECT MAX(REC) FROM DATALIST INTO :dvBaseREC;",
        "  dvCNT = dvBaseREC;",
        "  WHILE (dvCNT < MAXCNT) DO",
        "  BEGIN",
    });
    for (const char* line : NextAreaLines)
        script.Add(line);
    script.Add(AreaPath("PASNAME"));
    script.Add("    INSERT INTO DATALIST (" + std::string(NewAreaColumns) + ")");
    script.Add("    VALUES (" + NewAreaValues("PASNAME") + ");");
    script.Add({"    SUSPEND;", "  END", "end ^", "SET TERM ; ^", "COMMIT;"});
}

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddEras(script);

    for (const std::string& table : sysupdate::DataListTables)
        script.Add("ALTER TABLE " + table + " ADD DATACODE VARCHAR(10) CHARACTER SET ASCII DEFAULT '';");
    for (const std::string& table : sysupdate::DataListTables)
        script.Add("UPDATE " + table + " SET DATACODE='';");
    script.Add("COMMIT;");

    AddDataListInsert(script);

    // Code systems 11 to 20: empty slots after the ten delivered ones.
    script.Add("DELETE FROM USERCODE WHERE RECNO>10;");
    for (int recNo = 11; recNo <= 20; ++recNo)
        script.Add("INSERT INTO USERCODE(RECNO,NAME,DATATYPE,CODETYPE,INIDAT1,INIDAT2,INIDAT3,INIDAT4,INIDAT5,INIDAT6,"
                   "INIDAT7,INIDAT8) VALUES(" + std::to_string(recNo) + ",'',0,0,'','','','','','','','');");
    script.Add("COMMIT;");

    // An office that keeps its record (RESERVE1 1) gets the new switch set.
    script.Add("UPDATE SYSTEMINI SET RESERVE2=63 \r\nWHERE (REC=" + std::to_string(10) + ") AND (RESERVE1=1);");
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 1, "データ選択に会社コード列を追加 他",
             "１）データ選択で会社コードをキーとした検索機能が利用可能となります。\r"
             "２）コード体系保存件数が20件へ拡張となります。");
}

}  // namespace z5SystemDbUpdate400

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
    for (const std::string& table : sysupdate::DataListTables)
        script.Add("ALTER TABLE " + table +
                   " ADD DATA_STATUS INTEGER DEFAULT 0, ADD YOBI1 VARCHAR(10) CHARACTER SET ASCII DEFAULT '',"
                   " ADD YOBI2 VARCHAR(10) CHARACTER SET ASCII DEFAULT '', ADD YOBI3 VARCHAR(10) CHARACTER SET ASCII"
                   " DEFAULT '';");
    for (const std::string& table : sysupdate::DataListTables)
        script.Add("UPDATE " + table + " SET DATA_STATUS=0,YOBI1='',YOBI2='',YOBI3='';");
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    Describe(rec, Shape, &DoUpdate, 1, "データ選択でデータの破損検証", "１）データ選択でデータの破損を検証する機能が追加されます。");
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
        "販売業.txt", "製造業.txt", "建設業.txt", "運送業.txt", "病院.txt", "その他.txt", "",
        "個人　一般.txt", "個人　不動産.txt", "個人　医業.txt",
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

void AddDataPlaceTables(TUpdateScript& script)
{
    script.Add({
        "CREATE TABLE DATAPLACEMAN (",
        "  REC INTEGER NOT NULL,",
        "  ORDERKBN INTEGER DEFAULT 0,",
        "  NAME VARCHAR(20) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  PATH VARCHAR(127) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  YOBI1 VARCHAR(10) CHARACTER SET ASCII DEFAULT '',",
        "  YOBI2 VARCHAR(10) CHARACTER SET ASCII DEFAULT '',",
        "  YOBI3 VARCHAR(10) CHARACTER SET ASCII DEFAULT '',",
        "  CONSTRAINT PK_DATAPLACEMAN PRIMARY KEY (REC)",
        ");",
    });
    script.Add({
        "CREATE TABLE DATALIST_EX (",
        "  DATAPLACEREC INTEGER NOT NULL,",
        "  REC INTEGER NOT NULL,",
        "  GROUPID INTEGER DEFAULT 10000,",
        "  ENTTEXT VARCHAR(20) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  SHOUGOU VARCHAR(20) CHARACTER SET SJIS_0208 DEFAULT '',",
        "  PASNAME VARCHAR(127) CHARACTER SET SJIS_0208 DEFAULT '',",
    });
    for (const char* column : {"NETDRIVE", "DATATYPE", "CODETYPE", "NENDO"})
        script.Add("  " + std::string(column) + " INTEGER DEFAULT 0,");
    script.Add({"  KISHU TIMESTAMP,", "  KIMATU TIMESTAMP,"});
    for (const char* column : {"DATALOCK", "TANTOU", "VER_MAJOR", "VER_MINOR1", "VER_MINOR2"})
        script.Add("  " + std::string(column) + " INTEGER DEFAULT 0,");
    script.Add("  VER_TEXT VARCHAR(20) DEFAULT '',");
    for (const char* column : {"KYOYULOCK", "UPDATE_LOCK", "GASSAN"})
        script.Add("  " + std::string(column) + " INTEGER DEFAULT 0,");
    script.Add({"  DATACODE VARCHAR(10) CHARACTER SET ASCII DEFAULT '',", "  DATA_STATUS INTEGER DEFAULT 0,"});
    for (const char* column : {"YOBI1", "YOBI2", "YOBI3"})
        script.Add("  " + std::string(column) + " VARCHAR(10) CHARACTER SET ASCII DEFAULT '',");
    script.Add({
        "  CONSTRAINT PK_DATALIST_EX PRIMARY KEY (DATAPLACEREC, REC),",
        "  CONSTRAINT FK_DATALIST_EX_PLACE FOREIGN KEY (DATAPLACEREC) REFERENCES DATAPLACEMAN (REC)",
        "    ON UPDATE CASCADE ON DELETE CASCADE,",
        "  CONSTRAINT FK_DATALIST_EX_GROUP FOREIGN KEY (GROUPID) REFERENCES USERGROUP (GROUPID)",
        "    ON UPDATE CASCADE ON DELETE CASCADE",
        ");",
    });
}

void AddDataListInsert(TUpdateScript& script)
{
    // Second form: also for the other data places, and from number 1 on an
    // empty list.
    script.Add({
        "SET TERM ^ ;",
        "CREATE OR ALTER PROCEDURE SP_DATALIST_INSERT (",
        "  DATAPLACEREC INTEGER,",
        "  PATHTEXT VARCHAR(254) CHARACTER SET SJIS_0208,",
        "  MAXCNT INTEGER)",
        "RETURNS (",
        "  REC INTEGER,",
        "  PATHNAME VARCHAR(254) CHARACTER SET SJIS_0208)",
        "AS",
        "  DECLARE VARIABLE dvBaseREC INTEGER;",
        "  DECLARE VARIABLE dvCNT INTEGER;",
        "  DECLARE VARIABLE dvWK INTEGER;",
        "BEGIN",
        "  IF (DATAPLACEREC = 0) THEN",
        "    SELECT MAX(REC) FROM DATALIST INTO :dvBaseREC;",
        "  ELSE",
        "    SELECT MAX(E.REC) FROM DATALIST_EX E WHERE E.DATAPLACEREC = :DATAPLACEREC INTO :dvBaseREC;",
        "  IF (dvBaseREC IS NULL) THEN",
        "    dvBaseREC = 0;",
        "  dvCNT = dvBaseREC;",
        "  WHILE (dvCNT < MAXCNT) DO",
        "  BEGIN",
    });
    for (const char* line : NextAreaLines)
        script.Add(line);
    script.Add(AreaPath("PATHNAME"));
    script.Add({
        "    IF (DATAPLACEREC = 0) THEN",
        "      INSERT INTO DATALIST (" + std::string(NewAreaColumns) + ")",
        "      VALUES (" + NewAreaValues("PATHNAME") + ");",
        "    ELSE",
        "      INSERT INTO DATALIST_EX (DATAPLACEREC, " + std::string(NewAreaColumns) + ")",
        "      VALUES (:DATAPLACEREC, " + NewAreaValues("PATHNAME") + ");",
        "    SUSPEND;",
        "  END",
        "END ^",
        "SET TERM ; ^",
        "COMMIT;",
    });
}

std::string TwoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddDataPlaceTables(script);
    AddDataListInsert(script);

    // Place 0 is the system-data folder itself; places 1 to 99 are its
    // numbered neighbours ("<SYSDIR>01" ...), unnamed until the user names
    // them.
    const std::string sysDir = SqlString(SystemDef.SYSDIR);
    script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(0,1,'" + SqlString(FirstPlaceName()) + "','" +
               sysDir + "');");
    for (int i = 1; i <= 99; ++i)
        script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(" + TwoDigits(i) + "," + TwoDigits(i + 1) +
                   ",'','" + sysDir + TwoDigits(i) + "');");
    script.Add("COMMIT;");

    if (EditionFlag == 1 || EditionFlag == 2)
        script.Add({"UPDATE SYSREG SET STEXT='1' WHERE SCODE='試算表集計出力区分';", "COMMIT;"});
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
    Describe(rec, Shape, &DoUpdate, 1, "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加",
             "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。");
}

}  // namespace z5SystemDbUpdate500
