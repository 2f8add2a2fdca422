#include "dbupdate/SchemaBuilder.h"
#include "SchemaTestSupport.h"
#include "platform/db/MasterCache.h"

#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dbtest::FirebirdTest;
using dbtest::TestFirebird;

// The source tree's sql folder, named by the build.
fs::path SqlDir()
{
    return fs::path(LEDRIX_SQL_DIR);
}

using schematest::Options;
using schematest::Quote;
using schematest::Session;
using schematest::SplitCommas;

// The base databases, each built once per test run and copied for each test
// that changes one.
const std::string& BuiltBase(dbupdate::BaseSchema schema)
{
    if (schema == dbupdate::BaseSchema::SystemDatabase) {
        static const std::string system = dbtest::BaseMaster(schema).string();
        return system;
    }
    static const std::string fileMan = dbtest::BaseMaster(schema).string();
    return fileMan;
}

const std::string& SystemBase()
{
    return BuiltBase(dbupdate::BaseSchema::SystemDatabase);
}
const std::string& FileManBase()
{
    return BuiltBase(dbupdate::BaseSchema::FileManager);
}

class SchemaBaseTest : public FirebirdTest {
protected:
    // A private copy of a built base.
    std::string CopyOf(const std::string& built, const std::string& name)
    {
        return dbtest::CopyMasterFile(built, DbPath(name)).string();
    }
};

// ---------------------------------------------------------------------------
// Building

TEST_F(SchemaBaseTest, BothBasesBuildIntoFreshDatabases)
{
    for (const std::string& path : {SystemBase(), FileManBase()}) {
        SCOPED_TRACE(path);
        Session session(dbtest::ProcessCopy(path).string());
        const auto rows = session.Rows(
            "SELECT MON$PAGE_SIZE, TRIM(RDB$CHARACTER_SET_NAME) FROM MON$DATABASE CROSS JOIN RDB$DATABASE");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], "16384");
        EXPECT_EQ(rows[0][1], "SJIS_0208");
        EXPECT_GT(session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"), 0);
    }
}

TEST_F(SchemaBaseTest, SeedTextsArriveAsShiftJis)
{
    // The script is UTF-8 run as UTF8: the engine must store the names as
    // SJIS_0208 characters, not as the UTF-8 bytes.
    Session session(dbtest::ProcessCopy(SystemBase()).string());
    EXPECT_EQ(session.Value("SELECT OPNAME FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 10"), "管理者");
    EXPECT_EQ(session.Value("SELECT OCTET_LENGTH(OPNAME) FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 10"), "6");
}

TEST_F(SchemaBaseTest, FailingScriptStopsReportsAndRemovesTheDatabase)
{
    const fs::path script = folder_ / "broken.sql";
    std::ofstream(script) << "CREATE TABLE A (X INTEGER);\n"
                             "CREATE TABLE B (X NO_SUCH_TYPE);\n"
                             "CREATE TABLE C (X INTEGER);\n";
    const std::string path = DbPath("broken.fdb");
    try {
        dbupdate::CreateDatabaseFromScript(path, script, Options());
        FAIL() << "a failing script must throw";
    } catch (const dbupdate::SchemaBuildError& error) {
        const std::string what = error.what();
        EXPECT_NE(what.find("broken.sql"), std::string::npos) << what;
        EXPECT_NE(error.ToolOutput().find("NO_SUCH_TYPE"), std::string::npos) << error.ToolOutput();
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(SchemaBaseTest, RunSchemaScriptStopsAtTheFirstFailure)
{
    const std::string path = CopyOf(FileManBase(), "bail.fdb");
    const fs::path script = folder_ / "bail.sql";
    std::ofstream(script) << "CREATE TABLE A (X INTEGER);\n"
                             "INSERT INTO NO_SUCH_TABLE VALUES (1);\n"
                             "CREATE TABLE C (X INTEGER);\n";
    EXPECT_THROW(dbupdate::RunSchemaScript(path, script, Options()), dbupdate::SchemaBuildError);
    Session session(path);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'A'"), 1);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'C'"), 0);
}

// The password is never on the tool's command line, yet the tool logs in
// with it: the server checks it.
TEST_F(SchemaBaseTest, TheLoginReachesTheToolOutsideItsCommandLine)
{
    const fs::path args = folder_ / "args.txt";
    const fs::path wrapper = folder_ / "isql-wrapper";
    std::ofstream(wrapper) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << args.string() << "'\nexec isql-fb \"$@\"\n";
    fs::permissions(wrapper, fs::perms::owner_all);
    dbupdate::SchemaBuildOptions options = Options();
    options.isqlProgram = wrapper.string();
    const fs::path script = folder_ / "table.sql";
    std::ofstream(script) << "CREATE TABLE T (A INTEGER);\n";
    TestFirebird::Get().StartServer();
    const std::string remote = "127.0.0.1:" + DbPath("remote.fdb");

    EXPECT_NO_THROW(dbupdate::CreateDatabaseFromScript(DbPath("local.fdb"), script, options));
    EXPECT_NO_THROW(dbupdate::CreateDatabaseFromScript(remote, script, options));
    EXPECT_EQ(Session(DbPath("remote.fdb")).Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'T'"),
              1);
    options.password = "wrong";
    EXPECT_THROW(dbupdate::RunSchemaScript(remote, script, options), dbupdate::SchemaBuildError);

    std::ostringstream recorded;
    recorded << std::ifstream(args).rdbuf();
    const std::string seen = recorded.str();
    EXPECT_NE(seen.find("table.sql"), std::string::npos) << seen;
    EXPECT_EQ(seen.find(dbtest::Password), std::string::npos) << seen;
    EXPECT_EQ(seen.find("wrong"), std::string::npos) << seen;
}

TEST_F(SchemaBaseTest, MissingScriptOrToolIsReportedWithoutLeavingADatabase)
{
    const std::string path = DbPath("none.fdb");
    EXPECT_THROW(dbupdate::BuildBaseDatabase(path, dbupdate::BaseSchema::SystemDatabase, folder_ / "nosql", Options()),
                 dbupdate::SchemaBuildError);
    EXPECT_FALSE(fs::exists(path));

    dbupdate::SchemaBuildOptions noTool = Options();
    noTool.isqlProgram = (folder_ / "no-isql").string();
    EXPECT_THROW(dbupdate::BuildBaseDatabase(path, dbupdate::BaseSchema::FileManager, SqlDir(), noTool),
                 dbupdate::SchemaBuildError);
    EXPECT_FALSE(fs::exists(path));
}

// ---------------------------------------------------------------------------
// What the updates and the program find in the system base

enum class Kind { Table, Trigger, Procedure, Function, UniqueKey, Rows };

struct Expected {
    Kind kind;
    const char* name;    // table, trigger, procedure or function
    const char* detail;  // Table: columns; Trigger: its table; Procedure: "in:...;out:..." names;
                         // Function: argument count; UniqueKey: key columns; Rows: a WHERE condition
    friend std::ostream& operator<<(std::ostream& out, const Expected& e) { return out << e.name << " " << e.detail; }
};

// Read, altered, dropped or called by the system updates (before they create
// anything of their own) and by the program's foundation.
const Expected kPresent[] = {
    {Kind::Table, "VERSION", "REC,MAJOR,MINOR1,MINOR2,MEMO"},
    {Kind::Table, "DATALIST",
     "GROUPID,REC,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,TANTOU,"
     "VER_MAJOR,VER_MINOR1,VER_MINOR2"},
    {Kind::UniqueKey, "DATALIST", "REC"},                    // CHILD_DATALIST (3.0.5) refers to it
    {Kind::Table, "SERVERDATALIST", "GROUPID"},              // 0.3.1 drops the column
    {Kind::Trigger, "SERVERDATALIST_NO", "SERVERDATALIST"},  // 0.3.1 drops it
    {Kind::Table, "USERGROUP", "GROUPID"},
    {Kind::UniqueKey, "USERGROUP", "GROUPID"},     // SERVERDATALIST and DATALIST_EX refer to it
    {Kind::Rows, "USERGROUP", "GROUPID = 10000"},  // DATALIST_EX rows default to group 10000
    {Kind::Table, "OPERATOR", "GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,JIMUSHO,OKINIIRI,KANSA"},
    {Kind::Table, "JOBCONTROL", "LEVELNO,PAGENO,MENUNO"},
    {Kind::Table, "USERCODE",
     "RECNO,NAME,DATATYPE,CODETYPE,INIDAT1,INIDAT2,INIDAT3,INIDAT4,INIDAT5,INIDAT6,INIDAT7,INIDAT8"},
    {Kind::Rows, "USERCODE", "RECNO BETWEEN 1 AND 10 HAVING COUNT(*) = 10"},  // 5.0.0 updates rows 1 to 10
    {Kind::Table, "SYSTEMINI", "REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR"},
    {Kind::Table, "SYSREG", "OPCODE,SCODE,STYPE,STEXT"},
    {Kind::Procedure, "SP_DATALIST_UPDATE", "in:SYSDIRTEXT;out:"},
    {Kind::Function, "F_RIGHT", "2"},
    {Kind::Table, "SYSDEF",
     "OPCODE,DATADIR,PRINTERNAME,MFTOP,MFLEFT,MFWIDTH,MFHEIGHT,LASTMENU,FONTNAME,FONTSIZE,FONTSTYLE,FONTCHARSET,"
     "FONTHEIGHT,GRIDRESIZE,SHOWHINT,GRIDMAXROW,GRIDRSIZ,CLIENTCOLOR,CLIENTCOLOR1,CLIENTCOLOR2,CLIENTCOLOR3,"
     "FORECOLOR,BORDERCOLOR,ACTIVECOLOR,THRUBORDERCOLOR,COLHEADERCOLOR,FIXEDTOPCOLOR,ROWHEADERCOLOR,"
     "FIXEDLEFTCOLOR,TOTALCOLOR,NETCOLOR1,NETCOLOR2,PLINECOLOR1,PLINECOLOR2,PREVIEWZOOM,PANELCOLOR,"
     "PANELBACKCOLOR,MENUPRINTSW,SHOUHYOU,HOJWAIT,DICSWITCH,DICTEKAUTO,DICTORAUTO,DICUSEDNT,DICTYPE,DICNUM1,"
     "DICNUM2,DICSORTTYPE,COLHEADERGRADCOLOR1,COLHEADERGRADCOLOR2,SHOWDATASENTAKU,ZENKAIDRIVE,USERPRINT,"
     "SWKTOTAL,SWKLINE,KINGAKUPLUS,ZEROPRINT,SANKAKUPLUS,TEK_AUTOUP,TOR_AUTOUP,RESERVE1,RESERVE2,RESERVE3,"
     "RESERVE4,RESERVE5,SSTR"},
    {Kind::Table, "STYLECOLOR",
     "OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,NETCOLOR1,NETCOLOR2,SSTR"},
    {Kind::Table, "GENGO", "GNAME,GSIGN,STARTDATE,YEAROFFSET"},
    {Kind::Table, "LOGONUSERLIST", "OPCODE,OPERATORCODE,GROUPID,PCNAME,ATTACHMENT_ID"},
    {Kind::Procedure, "LOGONUSERTEST", "in:PCNAME,GROUPID,OPCODE,APPVERSION,PASWORD;out:NUM,LOGINCODE,JOBLEVEL"},
    {Kind::Table, "LEVELNAME", "LEVELNO,NAME"},
    {Kind::Table, "FORMRSIZE", "OPCODE,FMNAME,FMTOP,FMLEFT,FMHEIGHT,FMWIDTH,DEFHEIGHT,DEFWIDTH"},
};

// Created or added by the system updates 0.3.1 to 12.0.0: a CREATE or ADD
// would fail on a base that already had them. (A table may be named with one
// of its columns: "TABLE.COLUMN".)
const Expected kAbsent[] = {
    {Kind::Trigger, "VERSION_REC", "VERSION"},
    {Kind::Table, "KENSAKUJYOKEN", ""},
    {Kind::Table, "CHILD_DATALIST", ""},
    {Kind::Table, "CHILD_SERVERDATALIST", ""},
    {Kind::Procedure, "SP_DATALIST_INSERT", ""},
    {Kind::Table, "DATAPLACEMAN", ""},
    {Kind::Table, "DATALIST_EX", ""},
    {Kind::Table, "JOBCONTROL2", ""},
    {Kind::Table, "DATALIST",
     "VER_TEXT,KYOYULOCK,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3,CLOUD,READ_ONLY"},
    {Kind::Table, "SERVERDATALIST", "DRIVELETTER,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3"},
    {Kind::Table, "OPERATOR", "MYNUMBER_ADM,SHONIN"},
    {Kind::Rows, "OPERATOR", "GROUPID = 10000 AND OPCODE = 1"},  // 0.3.2 inserts the system user
};

int CountOf(Session& session, const Expected& e, const std::string& column = {})
{
    const std::string name = Quote(e.name);
    switch (e.kind) {
    case Kind::Table:
        if (column.empty())
            return session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = " + name);
        return session.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = " + name +
                             " AND RDB$FIELD_NAME = " + Quote(column));
    case Kind::Trigger:
        return session.Count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = " + name +
                             " AND RDB$RELATION_NAME = " + Quote(e.detail));
    case Kind::Procedure:
        return session.Count("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = " + name);
    case Kind::Function:
        return session.Count("SELECT COUNT(*) FROM RDB$FUNCTIONS WHERE RDB$FUNCTION_NAME = " + name);
    case Kind::UniqueKey:
    case Kind::Rows:
        break;
    }
    return -1;
}

void ExpectPresent(Session& session, const Expected& e)
{
    switch (e.kind) {
    case Kind::Table:
        ASSERT_EQ(CountOf(session, e), 1) << "table " << e.name;
        for (const std::string& column : SplitCommas(e.detail))
            EXPECT_EQ(CountOf(session, e, column), 1) << e.name << "." << column;
        break;
    case Kind::Trigger:
    case Kind::Procedure:
        EXPECT_EQ(CountOf(session, e), 1) << e.name;
        if (e.kind == Kind::Procedure) {
            const std::string detail = e.detail;
            const auto semicolon = detail.find(';');
            const std::string in = detail.substr(3, semicolon - 3);
            const std::string out = detail.substr(semicolon + 5);
            const auto params = [&](int type) {
                std::string names;
                for (const auto& row : session.Rows("SELECT TRIM(RDB$PARAMETER_NAME) FROM RDB$PROCEDURE_PARAMETERS"
                                                    " WHERE RDB$PROCEDURE_NAME = " +
                                                    Quote(e.name) + " AND RDB$PARAMETER_TYPE = " +
                                                    std::to_string(type) + " ORDER BY RDB$PARAMETER_NUMBER"))
                    names += (names.empty() ? "" : ",") + row[0];
                return names;
            };
            EXPECT_EQ(params(0), in) << e.name << " inputs";
            if (!out.empty())
                EXPECT_EQ(params(1), out) << e.name << " outputs";
            else
                EXPECT_FALSE(params(1).empty()) << e.name << " must be selectable";
        }
        break;
    case Kind::Function:
        ASSERT_EQ(CountOf(session, e), 1) << e.name;
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$FUNCTION_ARGUMENTS WHERE RDB$FUNCTION_NAME = " +
                                Quote(e.name) + " AND RDB$ARGUMENT_NAME IS NOT NULL"),
                  std::stoi(e.detail));
        break;
    case Kind::UniqueKey: {
        // A primary or unique key over exactly these columns.
        bool found = false;
        for (const auto& key : session.Rows("SELECT TRIM(RDB$INDEX_NAME) FROM RDB$RELATION_CONSTRAINTS"
                                            " WHERE RDB$RELATION_NAME = " +
                                            Quote(e.name) + " AND RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'UNIQUE')")) {
            std::string columns;
            for (const auto& segment : session.Rows("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$INDEX_SEGMENTS"
                                                    " WHERE RDB$INDEX_NAME = " +
                                                    Quote(key[0]) + " ORDER BY RDB$FIELD_POSITION"))
                columns += (columns.empty() ? "" : ",") + segment[0];
            found = found || columns == e.detail;
        }
        EXPECT_TRUE(found) << "no key (" << e.detail << ") on " << e.name;
        break;
    }
    case Kind::Rows:
        EXPECT_GT(session.Count("SELECT COUNT(*) FROM " + std::string(e.name) + " WHERE " + e.detail), 0)
            << e.name << " WHERE " << e.detail;
        break;
    }
}

TEST_F(SchemaBaseTest, EverythingTheUpdatesAndTheProgramUseIsThere)
{
    Session session(dbtest::ProcessCopy(SystemBase()).string());
    for (const Expected& e : kPresent) {
        SCOPED_TRACE(::testing::PrintToString(e));
        ExpectPresent(session, e);
    }
}

TEST_F(SchemaBaseTest, NothingTheUpdatesCreateIsThereYet)
{
    Session session(dbtest::ProcessCopy(SystemBase()).string());
    for (const Expected& e : kAbsent) {
        SCOPED_TRACE(::testing::PrintToString(e));
        if (e.kind == Kind::Rows) {
            EXPECT_EQ(session.Count("SELECT COUNT(*) FROM " + std::string(e.name) + " WHERE " + e.detail), 0);
        } else if (e.kind == Kind::Table && *e.detail != '\0') {
            for (const std::string& column : SplitCommas(e.detail))
                EXPECT_EQ(CountOf(session, e, column), 0) << e.name << "." << column;
        } else {
            EXPECT_EQ(CountOf(session, e), 0) << e.name;
        }
    }
}

TEST_F(SchemaBaseTest, FileManagerBaseHoldsTheTransferTable)
{
    Session session(dbtest::ProcessCopy(FileManBase()).string());
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = 'FILETRANS'"
                            " AND RDB$FIELD_NAME IN ('CONTENT_ID', 'CONTENT')"),
              2);
    // A transfer deletes, inserts and reads back one content id.
    session.Exec("DELETE FROM FILETRANS WHERE CONTENT_ID='QHZ_100010'");
    session.Exec("INSERT INTO FILETRANS(CONTENT_ID,CONTENT) VALUES('QHZ_100010', x'00FF10')");
    EXPECT_EQ(session.Value("SELECT OCTET_LENGTH(CONTENT) FROM FILETRANS WHERE CONTENT_ID='QHZ_100010'"), "3");
}

// ---------------------------------------------------------------------------
// The base objects at work, as the first updates and the program use them

TEST_F(SchemaBaseTest, FirstUpdatesCanDropAndRecreateWhatTheyReplace)
{
    // 0.3.1 replaces the share-server list in this order; 4.0.0 recreates
    // the era table. Any dependency the base adds would stop them.
    const std::string path = CopyOf(SystemBase(), "drops.fdb");
    const fs::path script = folder_ / "drops.sql";
    std::ofstream(script) << "DROP TRIGGER SERVERDATALIST_NO;\n"
                             "ALTER TABLE SERVERDATALIST DROP GROUPID;\n"
                             "DROP TABLE SERVERDATALIST;\n"
                             "RECREATE TABLE GENGO (GName VARCHAR(10) DEFAULT '', GSign VARCHAR(2) CHARACTER SET ASCII"
                             " DEFAULT '', StartDate TIMESTAMP, YearOffSet INTEGER DEFAULT 0);\n"
                             "COMMIT;\n";
    EXPECT_NO_THROW(dbupdate::RunSchemaScript(path, script, Options()));
}

TEST_F(SchemaBaseTest, RightFunctionTakesTheLastCharacters)
{
    struct Case {
        const char* call;
        const char* expected;
    };
    const Case cases[] = {
        {"f_Right('10007', 4)", "0007"},    {"f_Right(10007, 4)", "0007"},  // 4.0.0 passes a number
        {"f_Right('ab', 5)", "ab"},         {"f_Right('abc', 0)", ""},      {"f_Right('abc', -2)", ""},
        {"f_Right('会計帳簿', 2)", "帳簿"}, {"f_Right(NULL, 2)", "<null>"},
    };
    Session session(dbtest::ProcessCopy(SystemBase()).string());
    for (const Case& c : cases)
        EXPECT_EQ(session.Value(std::string("SELECT ") + c.call + " FROM RDB$DATABASE"), c.expected) << c.call;
}

TEST_F(SchemaBaseTest, DataListUpdateBringsFolderNamesIntoTheSystemFolderSpelling)
{
    const std::string path = CopyOf(SystemBase(), "datalist.fdb");
    {
        Session session(path);
        session.Exec("INSERT INTO DATALIST (GROUPID, REC, PASNAME) VALUES (10000, 1, '/Srv/LedrixZaimu/Data/0001')");
        session.Exec(
            "INSERT INTO DATALIST (GROUPID, REC, PASNAME) VALUES (10000, 2, '/srv/ledrixzaimu/data/0002/sub')");
        session.Exec("INSERT INTO DATALIST (GROUPID, REC, PASNAME) VALUES (10000, 3, '/srv/LEDRIXZAIMU/DATA/0003')");
        session.Exec("INSERT INTO DATALIST (GROUPID, REC, PASNAME) VALUES (10000, 4, '/other/place/0004')");
        session.Exec("INSERT INTO DATALIST (GROUPID, REC, PASNAME) VALUES (10000, 5, NULL)");
    }
    {
        Session session(path);
        const auto changed = session.Rows("SELECT REC, PASNAME FROM SP_DATALIST_UPDATE('/srv/LEDRIXZAIMU/DATA')");
        ASSERT_EQ(changed.size(), 2u);  // row 3 is already spelt so
        EXPECT_EQ(changed[0], (std::vector<std::string>{"1", "/srv/LEDRIXZAIMU/DATA/0001"}));
        EXPECT_EQ(changed[1], (std::vector<std::string>{"2", "/srv/LEDRIXZAIMU/DATA/0002/sub"}));
        EXPECT_TRUE(session.Rows("SELECT * FROM SP_DATALIST_UPDATE('')").empty());
    }
    Session session(path);
    const auto rows = session.Rows("SELECT REC, PASNAME FROM DATALIST ORDER BY REC");
    const std::vector<std::vector<std::string>> expected = {{"1", "/srv/LEDRIXZAIMU/DATA/0001"},
                                                            {"2", "/srv/LEDRIXZAIMU/DATA/0002/sub"},
                                                            {"3", "/srv/LEDRIXZAIMU/DATA/0003"},
                                                            {"4", "/other/place/0004"},
                                                            {"5", "<null>"}};
    EXPECT_EQ(rows, expected);
}

TEST_F(SchemaBaseTest, LogonTestChecksTheOperatorAndRecordsTheLogon)
{
    const std::string path = CopyOf(SystemBase(), "logon.fdb");
    {
        Session session(path);
        session.Exec(
            "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD) VALUES (10000, 11, 'B', 3, 'Abc')");
        session.Exec("INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD) VALUES (10000, 1, 'S', 9, '')");
    }
    struct Step {
        const char* pc;
        int group;
        int code;
        const char* password;
        const char* answer;  // NUM,LOGINCODE,JOBLEVEL
    };
    const Step steps[] = {
        {"PC1", 10000, 11, "abc", "-1,11,0"},   // the password's case counts
        {"PC1", 10000, 11, "Abc ", "-1,11,0"},  // and so do trailing blanks
        {"PC1", 10000, 12, "", "-1,12,0"},      // no such operator
        {"PC1", 20000, 11, "Abc", "-1,11,0"},   // not in that group
        {"PC1", 10000, 11, "Abc", "0,11,3"},
        {"PC1", 10000, 11, "Abc", "0,11,3"},   // the same computer again (a program that did not log off)
        {"PC2", 10000, 11, "Abc", "-3,11,3"},  // logged on elsewhere
        {"PC2", 10000, 10, "", "0,10,9"},      // the delivered administrator
        {"PC1", 10000, 1, "", "0,1,9"},        // a fixed system user ...
        {"PC2", 10000, 1, "", "0,1,9"},        // ... from several computers
    };
    // Each computer keeps its attachment open, as a running program does.
    std::map<std::string, std::unique_ptr<Session>> computers;
    for (const Step& s : steps) {
        auto& session = computers[s.pc];
        if (!session)
            session = std::make_unique<Session>(path);
        const auto rows =
            session->Rows("SELECT NUM, LOGINCODE, JOBLEVEL FROM LOGONUSERTEST(" + Quote(s.pc) + ", " +
                          std::to_string(s.group) + ", " + std::to_string(s.code) + ", 2, " + Quote(s.password) + ")");
        ASSERT_EQ(rows.size(), 1u) << s.pc << " " << s.code;
        EXPECT_EQ(rows[0][0] + "," + rows[0][1] + "," + rows[0][2], s.answer) << s.pc << " " << s.code;
        session->Commit();
    }
    const auto list = computers["PC1"]->Rows(
        "SELECT OPCODE, OPERATORCODE, GROUPID, PCNAME FROM LOGONUSERLIST ORDER BY OPCODE, PCNAME");
    // OPCODE is GROUPID * 10000 + the logon code.
    const std::vector<std::vector<std::string>> expected = {{"100000001", "1", "10000", "PC1"},
                                                            {"100000001", "1", "10000", "PC2"},
                                                            {"100000010", "10", "10000", "PC2"},
                                                            {"100000011", "11", "10000", "PC1"}};
    EXPECT_EQ(list, expected);

    // The program of PC1 ends without logging off (a crash): its row is left
    // over and no longer keeps the operator from logging on elsewhere.
    computers.erase("PC1");
    Session session(path);
    EXPECT_EQ(session.Value("SELECT NUM FROM LOGONUSERTEST('PC2', 10000, 11, 2, 'Abc')"), "0");
    EXPECT_EQ(session.Value("SELECT COUNT(*) FROM LOGONUSERLIST WHERE OPCODE = 100000011 AND PCNAME = 'PC1'"), "0");
}

}  // namespace
