#include "SchemaTestSupport.h"
#include "dbupdate/DatabaseBuilder.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/SystemUpdates.h"

#include "ScriptLintSupport.h"
#include "UpdateTestSupport.h"

#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "calc/FiscalDates.h"
#include "platform/Cp932.h"
#include "platform/db/FbError.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace updtest;
using dbtest::TestFirebird;
using dbupdate::DatabaseBuildReport;
using dbupdate::DatabaseBuildSettings;
using dbupdate::UpdateListKind;
using dbupdate::UpdateVersion;

fs::path SourceSqlDir()
{
    return fs::path(LEDRIX_SQL_DIR);
}

using schematest::Session;

UpdateVersion V(int a, int b, int c)
{
    return {a, b, c};
}

std::vector<std::string> Texts(const std::vector<UpdateVersion>& versions)
{
    std::vector<std::string> texts;
    for (const UpdateVersion& v : versions)
        texts.push_back(v.Text());
    return texts;
}

const std::vector<std::string> BuiltVersions{"0.3.1", "0.3.2", "0.3.3", "1.0.1",  "3.0.0",  "3.0.5",
                                             "3.0.7", "4.0.0", "4.0.2", "5.0.0",  "7.0.0",  "7.0.4",
                                             "8.0.0", "8.0.2", "9.0.4", "10.0.4", "11.0.1", "12.0.0"};

// The edition and connection mode a test sets, put back afterwards.
class SavedModes final {
public:
    SavedModes() : edition_(EditionFlag), mode_(ConnectionMode), title_(AppInfo.Zaimu.AppTitle) {}
    ~SavedModes()
    {
        EditionFlag = edition_;
        ConnectionMode = mode_;
        AppInfo.Zaimu.AppTitle = title_;
    }
    SavedModes(const SavedModes&) = delete;
    SavedModes& operator=(const SavedModes&) = delete;

private:
    std::uint8_t edition_, mode_;
    std::string title_;
};

DatabaseBuildSettings SettingsIn(const fs::path& work, const fs::path& sqlDir = SourceSqlDir())
{
    DatabaseBuildSettings settings;
    settings.sqlDir = sqlDir;
    settings.tempDir = work / "temp";
    settings.logDir = work / "log";
    settings.schema = schematest::Options();
    return settings;
}

// The system database built once per test run through every registered
// unit (edition 0, stand-alone mode), with a copy of the file at the base and
// after each unit, and the run's report.
struct TBuiltChain {
    DatabaseBuildReport report;
    std::map<std::string, std::string> snapshots;  // "0.0.0" is the base
    std::string sysDir;
};

// The report travels with the master as lines "<field> <values...>".
std::string ReportText(const DatabaseBuildReport& report, const std::string& sysDir)
{
    const auto line = [](const std::string& field, const std::vector<UpdateVersion>& versions) {
        std::string text = field;
        for (const UpdateVersion& v : versions)
            text += " " + v.Text();
        return text + "\n";
    };
    std::string text = line("start", {report.start}) + line("reached", {report.reached}) +
                       line("applied", report.applied) + line("pending", report.pending);
    text +=
        "failed " + std::to_string(report.failedResult) + (report.failedAt ? " " + report.failedAt->Text() : "") + "\n";
    if (report.unregisteredAt)
        text += line("unregistered", {*report.unregisteredAt});
    return text + "sysdir " + sysDir + "\n";
}

UpdateVersion ParseV(const std::string& text)
{
    UpdateVersion v;
    char dot1 = 0, dot2 = 0;
    std::istringstream(text) >> v.major >> dot1 >> v.minor1 >> dot2 >> v.minor2;
    return v;
}

TBuiltChain ReadChain(const fs::path& master)
{
    TBuiltChain chain;
    std::istringstream lines(ReadFile(master / "report.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string field, word;
        words >> field;
        if (field == "sysdir") {
            chain.sysDir = line.substr(field.size() + 1);
            continue;
        }
        std::vector<UpdateVersion> versions;
        if (field == "failed") {
            words >> chain.report.failedResult;
            if (words >> word)
                chain.report.failedAt = ParseV(word);
            continue;
        }
        while (words >> word)
            versions.push_back(ParseV(word));
        if (field == "start")
            chain.report.start = versions.at(0);
        else if (field == "reached")
            chain.report.reached = versions.at(0);
        else if (field == "applied")
            chain.report.applied = versions;
        else if (field == "pending")
            chain.report.pending = versions;
        else if (field == "unregistered")
            chain.report.unregisteredAt = versions.at(0);
    }
    for (const auto& entry : fs::directory_iterator(master / "snapshots"))
        chain.snapshots[entry.path().stem().string()] = entry.path().string();
    return chain;
}

const TBuiltChain& Chain()
{
    static const TBuiltChain chain =
        ReadChain(dbtest::CachedMaster("system-chain", dbtest::SchemaMastersKey(), [](const fs::path& master) {
            SavedGlobals globals;
            SavedModes modes;
            RecordingMessagePresenter messages;
            EditionFlag = 0;
            ConnectionMode = 0;
            const fs::path work = TestFirebird::Get().NewWorkFolder("SystemChain");
            const fs::path sys = master / "sys";
            const fs::path shots = master / "snapshots";
            fs::create_directories(shots);
            DatabaseBuildSettings settings = SettingsIn(work);
            // The base copy is taken before the first unit: a stop below 0.3.1.
            settings.stopAt = V(0, 0, 0);
            dbupdate::BuildSystemDatabase(sys, settings);
            const auto keep = [&](const std::string& version) {
                fs::copy_file(dbupdate::UpdateTargetPath(UpdateListKind::SystemDatabase, sys),
                              shots / (version + ".fdb"));
            };
            keep("0.0.0");
            settings.stopAt.reset();
            settings.afterUnit = [&](const TDbUpdateListRec& rec) { keep(dbupdate::VersionOf(rec).Text()); };
            const DatabaseBuildReport report =
                dbupdate::RunPendingUpdates(UpdateListKind::SystemDatabase, sys, GetSystemUpdateList(), settings);
            WriteFile(master / "report.txt", ReportText(report, sys.string()));
        }));
    return chain;
}

std::string Snapshot(const std::string& version)
{
    const auto& shots = Chain().snapshots;
    const auto it = shots.find(version);
    if (it == shots.end())
        throw std::runtime_error("no snapshot at " + version);
    return it->second;
}

std::string Previous(const std::string& version)
{
    if (version == BuiltVersions.front())
        return "0.0.0";
    for (std::size_t i = 1; i < BuiltVersions.size(); ++i)
        if (BuiltVersions[i] == version)
            return BuiltVersions[i - 1];
    throw std::runtime_error("not a built version: " + version);
}

class SystemUpdateDbTest : public UpdateDbTest {
protected:
    // The database of SYSDIR as the chain left it at version.
    std::string UseSnapshot(const std::string& version)
    {
        const std::string path = SystemDbPath();
        fs::remove(path);
        dbtest::CopyMasterFile(Snapshot(version), path);
        return path;
    }
    DatabaseBuildReport RunUpTo(std::optional<UpdateVersion> stopAt, const fs::path& sqlDir = SourceSqlDir())
    {
        DatabaseBuildSettings settings = SettingsIn(folder_, sqlDir);
        settings.stopAt = stopAt;
        return dbupdate::RunPendingUpdates(UpdateListKind::SystemDatabase, SystemDef.SYSDIR, GetSystemUpdateList(),
                                           settings);
    }
    SavedModes modes_;
};

// ---------------------------------------------------------------------------
// The catalogue

struct CatalogueRow {
    const char* version;
    int backup;
    const char* title;
    const char* description;
};

const CatalogueRow kCatalogue[] = {
    {"0.3.1", 1, "共有サーバー機能の追加", "共有サーバー機能を追加します。"},
    {"0.3.2", 0, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。"},
    {"0.3.3", 0, "経営Navigoreユーザーの追加", "経営Navigoreユーザーを追加します。"},
    {"1.0.1", 0, "データリスト上のデータフォルダ名を大文字に統一",
     "データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。"},
    {"3.0.0", 0, "旧バージョンデータの更新を禁止する機能を追加",
     "旧バージョンデータの更新を設定により禁止することが可能になります。"},
    {"3.0.5", 0, "データ合算機能の追加", "データの合算処理が可能になります。"},
    {"3.0.7", 0, "処理コントロールデータの改修", "処理レベルによる処理コントロールのデータ関連性を改修します。"},
    {"4.0.0", 1, "データ選択に会社コード列を追加 他",
     "１）データ選択で会社コードをキーとした検索機能が利用可能となります。\r２）コード体系保存件数が20件へ拡張となります。"},
    {"4.0.2", 1, "データ選択でデータの破損検証", "１）データ選択でデータの破損を検証する機能が追加されます。"},
    {"5.0.0", 1, "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加",
     "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。"},
    {"7.0.0", 0, "Ledrix財務１５のデータ形式に変換", "１）Ledrix財務１５のデータ形式に変換する。"},
    {"7.0.4", 0, "消費税・特定課税仕入れ に対応", "１）特定課税仕入れの取引 に対応します。"},
    {"8.0.0", 1, "マイナンバー制度に対応", "１）マイナンバー制度に対応しました。"},
    {"8.0.2", 1, "メニューの起動管理方法を変更", "１）メニューの起動管理方法を変更しました。"},
    {"9.0.4", 1, "仕訳帳、元帳の入力方法の管理項目を変更", "１）仕訳帳、元帳の入力方法の管理項目を変更しました。"},
    {"10.0.4", 1, "オペレータの種類に承認者を追加", "１）オペレータの種類に承認者を追加しました。"},
    {"11.0.1", 1, "新元号対応 他", "１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。"},
    {"12.0.0", 1, "仕訳入力の禁止設定", "１）仕訳入力を禁止にする設定を追加しました。※対象製品：Ledrix財務"},
};

TEST(SystemUpdateCatalogue, EighteenRowsInVersionOrderWithTheirTexts)
{
    SavedModes modes;
    EditionFlag = 0;
    AppInfo.Zaimu.AppTitle = "Ledrix財務";
    const TArrayDbUpdateListRec list = GetSystemUpdateList();
    ASSERT_EQ(list.size(), std::size(kCatalogue));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const CatalogueRow& row = kCatalogue[i];
        SCOPED_TRACE(row.version);
        EXPECT_EQ(dbupdate::VersionOf(list[i]).Text(), row.version);
        EXPECT_EQ(list[i].BackupFlag, row.backup);
        EXPECT_EQ(list[i].Title, row.title);
        EXPECT_EQ(list[i].Description, row.description);
        if (i > 0) {
            EXPECT_LT(dbupdate::VersionOf(list[i - 1]), dbupdate::VersionOf(list[i]));
        }
    }
    // Every unit of the list runs.
    EXPECT_EQ(RegisteredSystemUpdateVersions(), BuiltVersions);
}

TEST(SystemUpdateCatalogue, EditionsOneAndTwoReplaceFourTexts)
{
    SavedModes modes;
    AppInfo.Zaimu.AppTitle = "Ledrix財務";
    const std::map<std::string, std::pair<std::string, std::string>> replaced{
        {"7.0.0", {"個別原価管理機能の追加", "１）個別原価管理機能を追加する。"}},
        {"10.0.4", {"機能強化および不具合修正", "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）"}},
        {"11.0.1", {"機能強化および不具合修正", "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）"}},
        {"12.0.0", {"機能強化および不具合修正", "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）"}},
    };
    for (const std::uint8_t edition : {1, 2}) {
        EditionFlag = edition;
        const TArrayDbUpdateListRec list = GetSystemUpdateList();
        ASSERT_EQ(list.size(), std::size(kCatalogue));
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string version = dbupdate::VersionOf(list[i]).Text();
            SCOPED_TRACE(version + " edition " + std::to_string(edition));
            const auto it = replaced.find(version);
            EXPECT_EQ(list[i].Title, it != replaced.end() ? it->second.first : kCatalogue[i].title);
            EXPECT_EQ(list[i].Description, it != replaced.end() ? it->second.second : kCatalogue[i].description);
            EXPECT_EQ(list[i].BackupFlag, kCatalogue[i].backup);
        }
    }
}

// Every unit's script as it would run now.
std::vector<std::pair<std::string, TUpdateScript>> AllScripts()
{
    std::vector<std::pair<std::string, TUpdateScript>> scripts;
    const auto add = [&](const char* version, TUpdateScript (*script)()) { scripts.emplace_back(version, script()); };
    add("0.3.1", &z5SystemDbUpdate031::Script);
    add("0.3.2", &z5SystemDbUpdate032::Script);
    add("0.3.3", &z5SystemDbUpdate033::Script);
    add("1.0.1", &z5SystemDbUpdate101::Script);
    add("3.0.0", &z5SystemDbUpdate300::Script);
    add("3.0.5", &z5SystemDbUpdate305::Script);
    add("3.0.7", &z5SystemDbUpdate307::Script);
    add("4.0.0", &z5SystemDbUpdate400::Script);
    add("4.0.2", &z5SystemDbUpdate402::Script);
    add("5.0.0", &z5SystemDbUpdate500::Script);
    add("7.0.0", &z5SystemDbUpdate700::Script);
    add("7.0.4", &z5SystemDbUpdate704::Script);
    add("8.0.0", &z5SystemDbUpdate800::Script);
    add("8.0.2", &z5SystemDbUpdate802::Script);
    add("9.0.4", &z5SystemDbUpdate904::Script);
    add("10.0.4", &z5SystemDbUpdate1004::Script);
    add("11.0.1", &z5SystemDbUpdate1101::Script);
    add("12.0.0", &z5SystemDbUpdate1200::Script);
    return scripts;
}

TEST(SystemUpdateCatalogue, SetNamesFromVersion402OnAndTheStampOfEachUnit)
{
    SavedGlobals globals;
    SavedModes modes;
    SystemDef.SYSDIR = "/srv/ledrix/sys";
    SystemDef.SqlDir = SourceSqlDir().string();
    // A quote in the operator's name is doubled in the long MEMO, and the
    // MEMO is cut to its column's 127 bytes.
    SystemDef.OPNAME = "O'Brien " + std::string(200, 'x');
    SystemDef.PCName = "PC'01";
    for (const std::uint8_t edition : {0, 1}) {
        EditionFlag = edition;
        for (const auto& [version, script] : AllScripts()) {
            SCOPED_TRACE(version);
            ASSERT_EQ(UnitVersionText(script.Shape()), version);
            const std::string text = script.Text();
            const bool named = text.find("\r\nSET NAMES SJIS_0208;\r\n") != std::string::npos;
            const UpdateVersion unit = V(script.Shape().Major, script.Shape().Minor1, script.Shape().Minor2);
            EXPECT_EQ(named, unit >= V(4, 0, 2));
            const std::string numbers = std::to_string(script.Shape().Major) + "," +
                                        std::to_string(script.Shape().Minor1) + "," +
                                        std::to_string(script.Shape().Minor2) + ",'";
            if (unit < V(11, 0, 1)) {
                EXPECT_NE(text.find("\r\nINSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(" + numbers),
                          std::string::npos);
                continue;
            }
            const std::string head = "\r\nINSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)\r\nVALUES(" + numbers;
            const std::size_t at = text.find(head);
            ASSERT_NE(at, std::string::npos);
            const std::size_t begin = at + head.size();
            const std::string literal = text.substr(begin, text.find("');\r\n", begin) - begin);
            EXPECT_NE(literal.find(",O''Brien x"), std::string::npos) << literal;
            std::string stored = std::regex_replace(literal, std::regex("''"), "'");
            EXPECT_EQ(stored.size(), 127u);
            EXPECT_EQ(stored.back(), 'x');
        }
    }
}

// ---------------------------------------------------------------------------
// The chain from the base to 12.0.0

TEST_F(SystemUpdateDbTest, BaseToTwelveRunsEveryUnit)
{
    const DatabaseBuildReport& report = Chain().report;
    ASSERT_TRUE(report.Succeeded()) << report.failedResult << " at " << report.failedAt->Text();
    EXPECT_EQ(report.start, V(0, 0, 0));
    EXPECT_EQ(Texts(report.applied), BuiltVersions);
    EXPECT_EQ(report.reached, V(12, 0, 0));
    EXPECT_FALSE(report.unregisteredAt.has_value());
    EXPECT_TRUE(report.pending.empty());

    // VERSION_REC numbers the stamps 1, 2, ... in the order they ran.
    Session session(UseSnapshot("12.0.0"));
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < BuiltVersions.size(); ++i)
        expected.push_back(std::to_string(i + 1) + "|" + BuiltVersions[i]);
    std::vector<std::string> rows;
    for (const std::string& row :
         session.Lines("SELECT REC, MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION ORDER BY REC"))
        rows.push_back(row);
    EXPECT_EQ(rows, expected);
    // A row inserted with a number of its own is renumbered too.
    session.Exec("INSERT INTO VERSION(REC,MAJOR,MINOR1,MINOR2,MEMO) VALUES(500,6,0,0,'x')");
    EXPECT_EQ(session.Line("SELECT REC FROM VERSION WHERE MAJOR=6"), "19");
}

TEST_F(SystemUpdateDbTest, DataListTablesCarryTheirColumnsAndKeysAtFive)
{
    Session session(UseSnapshot("5.0.0"));
    const auto columns = [&](const std::string& table) {
        std::string names;
        for (const std::string& row : session.Lines("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE "
                                                    "RDB$RELATION_NAME='" +
                                                    table + "' ORDER BY RDB$FIELD_POSITION"))
            names += (names.empty() ? "" : ",") + row;
        return names;
    };
    const auto key = [&](const std::string& table) {
        return session.Line(
            "SELECT LIST(TRIM(S.RDB$FIELD_NAME), ',') FROM (SELECT S.RDB$FIELD_NAME FROM "
            "RDB$RELATION_CONSTRAINTS C JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME=C.RDB$INDEX_NAME "
            "WHERE C.RDB$RELATION_NAME='" +
            table +
            "' AND C.RDB$CONSTRAINT_TYPE='PRIMARY KEY' "
            "ORDER BY S.RDB$FIELD_POSITION) S");
    };
    const std::string later = "DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3";
    struct TableCase {
        const char* table;
        std::string columns;
        const char* key;
    };
    const TableCase cases[] = {
        {"DATALIST",
         "GROUPID,REC,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,TANTOU,"
         "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,KYOYULOCK,UPDATE_LOCK,GASSAN," +
             later,
         "REC"},
        {"SERVERDATALIST",
         "GROUPID,DRIVELETTER,REC,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,"
         "DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN," +
             later,
         "GROUPID,DRIVELETTER,REC"},
        {"CHILD_DATALIST",
         "REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,"
         "DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,KYOYULOCK,UPDATE_LOCK,GASSAN," +
             later,
         "REC,ROWNO"},
        {"CHILD_SERVERDATALIST",
         "GROUPID,DRIVELETTER,REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,NENDO,KISHU,"
         "KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN," +
             later,
         "GROUPID,DRIVELETTER,REC,ROWNO"},
        {"DATALIST_EX",
         "DATAPLACEREC,REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,"
         "DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,KYOYULOCK,UPDATE_LOCK,GASSAN," +
             later,
         "DATAPLACEREC,REC"},
        {"DATAPLACEMAN", "REC,ORDERKBN,NAME,PATH,YOBI1,YOBI2,YOBI3", "REC"},
        {"KENSAKUJYOKEN",
         "OPCODE,LISTTYPE,JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,"
         "SORTCOL,SORTTYPE",
         "OPCODE,LISTTYPE"},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(columns(c.table), c.columns);
        EXPECT_EQ(key(c.table), c.key);
    }

    // The references cascade: deleting a data-list row takes its children,
    // a data place its extra rows.
    session.Exec("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT) VALUES(1,10000,'親')");
    session.Exec("INSERT INTO CHILD_DATALIST(REC,ROWNO,ENTTEXT) VALUES(1,1,'子')");
    session.Exec("INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC) VALUES(10000,'S',1)");
    session.Exec("INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO) VALUES(10000,'S',1,1)");
    session.Exec("INSERT INTO DATALIST_EX(DATAPLACEREC,REC) VALUES(3,1)");
    EXPECT_EQ(session.Line("SELECT GROUPID || '|' || DATA_STATUS || '|' || DATACODE || '|' || GASSAN || '|' || "
                           "KYOYULOCK FROM DATALIST_EX"),
              "10000|0||0|0");
    session.Exec("DELETE FROM DATALIST WHERE REC=1");
    session.Exec("DELETE FROM SERVERDATALIST");
    session.Exec("DELETE FROM DATAPLACEMAN WHERE REC=3");
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CHILD_DATALIST"), 0);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM CHILD_SERVERDATALIST"), 0);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM DATALIST_EX"), 0);
    EXPECT_THROW(session.Exec("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID) VALUES(1,1,99)"), db::FbError);
}

TEST_F(SystemUpdateDbTest, SeedRowsOfTheChain)
{
    Session session(dbtest::ProcessCopy(Snapshot("5.0.0")).string());
    // Four eras in order.
    EXPECT_EQ(session.Lines("SELECT GNAME, GSIGN, CAST(STARTDATE AS DATE), YEAROFFSET FROM GENGO"),
              (std::vector<std::string>{"明治|M|1868/09/08|1868", "大正|T|1912/07/30|1912", "昭和|S|1926/12/25|1926",
                                        "平成|H|1989/01/08|1989"}));
    // Code systems 11 to 20 added as empty slots after the ten delivered.
    EXPECT_EQ(session.Line("SELECT COUNT(*) || '|' || MIN(RECNO) || '|' || MAX(RECNO) FROM USERCODE"), "20|1|20");
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM USERCODE WHERE RECNO>10 AND NAME='' AND DATATYPE=0 AND CODETYPE=0 "
                            "AND CAST(INIDAT1 AS VARCHAR(10))='' AND CAST(INIDAT8 AS VARCHAR(10))=''"),
              10);
    // The system user: inserted with a password by 0.3.2, emptied by 0.3.3.
    EXPECT_EQ(Session(dbtest::ProcessCopy(Snapshot("0.3.2")).string())
                  .Line("SELECT OPNAME || '|' || JOBLEVEL || '|' || CHAR_LENGTH(PASWORD) FROM "
                        "OPERATOR WHERE GROUPID=10000 AND OPCODE=1"),
              "システムユーザー|9|1");
    EXPECT_EQ(session.Line("SELECT '[' || PASWORD || ']' || DATAPAS || JIMUSHO || OKINIIRI || KANSA FROM OPERATOR "
                           "WHERE GROUPID=10000 AND OPCODE=1"),
              "[]000");

    // One hundred data places: 0 is the system-data folder itself, 1 to 99
    // its numbered neighbours in order 2 to 100.
    const std::string sysDir = Chain().sysDir;
    const auto places = session.Lines("SELECT REC, ORDERKBN, NAME, PATH FROM DATAPLACEMAN ORDER BY REC");
    ASSERT_EQ(places.size(), 100u);
    const std::string firstName = cp932::ByteWidth(sysDir) > 40 ? "標準の場所" : sysDir;
    EXPECT_EQ(places[0], "0|1|" + firstName + "|" + sysDir);
    for (int i = 1; i <= 99; ++i) {
        const std::string two = (i < 10 ? "0" : "") + std::to_string(i);
        EXPECT_EQ(places[static_cast<std::size_t>(i)],
                  std::to_string(i) + "|" + std::to_string(i + 1) + "||" + sysDir + two);
    }
}

TEST_F(SystemUpdateDbTest, DataListInsertSecondFormFillsFromOneOnAnEmptyList)
{
    Session session(UseSnapshot("5.0.0"));
    ASSERT_EQ(session.Count("SELECT COUNT(*) FROM DATALIST"), 0);
    EXPECT_EQ(session.Lines("SELECT REC, PATHNAME FROM SP_DATALIST_INSERT(0, '/srv/d', 3)"),
              (std::vector<std::string>{"1|/srv/d/0001", "2|/srv/d/0002", "3|/srv/d/0003"}));
    // Continues after the highest row; a count already reached adds nothing.
    EXPECT_EQ(session.Lines("SELECT REC, PATHNAME FROM SP_DATALIST_INSERT(0, '/srv/d', 5)"),
              (std::vector<std::string>{"4|/srv/d/0004", "5|/srv/d/0005"}));
    EXPECT_TRUE(session.Lines("SELECT REC FROM SP_DATALIST_INSERT(0, '/srv/d', 5)").empty());
    EXPECT_EQ(
        session.Line("SELECT GROUPID || '|' || ENTTEXT || '|' || SHOUGOU || '|' || NETDRIVE || DATATYPE || "
                     "CODETYPE || NENDO || '|' || CAST(KISHU AS DATE) || '|' || CAST(KIMATU AS DATE) FROM DATALIST "
                     "WHERE REC=5"),
        "10000|||0000|1899-12-30|1899-12-30");
    // Another place numbers its own list from 1 in DATALIST_EX.
    EXPECT_EQ(session.Lines("SELECT REC, PATHNAME FROM SP_DATALIST_INSERT(7, '/srv/e', 2)"),
              (std::vector<std::string>{"1|/srv/e/0001", "2|/srv/e/0002"}));
    EXPECT_EQ(session.Lines("SELECT DATAPLACEREC, REC, PASNAME FROM DATALIST_EX ORDER BY REC"),
              (std::vector<std::string>{"7|1|/srv/e/0001", "7|2|/srv/e/0002"}));
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM DATALIST"), 5);
}

TEST_F(SystemUpdateDbTest, DataListInsertFirstFormNeedsARowToContinueFrom)
{
    Session session(UseSnapshot("4.0.2"));
    EXPECT_TRUE(session.Lines("SELECT REC FROM SP_DATALIST_INSERT(3, '/srv/d')").empty());
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM DATALIST"), 0);
    session.Exec("INSERT INTO DATALIST(REC,GROUPID) VALUES(1,10000)");
    EXPECT_EQ(session.Lines("SELECT REC, PASNAME FROM SP_DATALIST_INSERT(3, '/srv/d')"),
              (std::vector<std::string>{"2|/srv/d/0002", "3|/srv/d/0003"}));
}

// ---------------------------------------------------------------------------
// Single units and their variants

TEST_F(SystemUpdateDbTest, MenuPagesRotateAboveLevel1000EachTimeTheUnitRuns)
{
    {
        Session session(UseSnapshot("3.0.5"));
        for (const int level : {1000, 1001})
            for (const int page : {10, 11, 12, 13})
                session.Exec("INSERT INTO JOBCONTROL(LEVELNO,PAGENO,MENUNO) VALUES(" + std::to_string(level) + "," +
                             std::to_string(page) + "," + std::to_string(page * 10) + ")");
    }
    const auto pages = [&] {
        Session session(SystemDbPath());
        return session.Lines("SELECT LEVELNO, MENUNO, PAGENO FROM JOBCONTROL ORDER BY LEVELNO, MENUNO");
    };
    ASSERT_EQ(RunUpTo(V(3, 0, 7)).reached, V(3, 0, 7));
    EXPECT_EQ(pages(), (std::vector<std::string>{"1000|100|10", "1000|110|11", "1000|120|12", "1000|130|13",
                                                 "1001|100|11", "1001|110|12", "1001|120|10", "1001|130|13"}));
    // Not idempotent: a second run moves the pages on again.
    ASSERT_EQ(z5SystemDbUpdate307::DoUpdate(), UpdateResultOk);
    EXPECT_EQ(pages(), (std::vector<std::string>{"1000|100|10", "1000|110|11", "1000|120|12", "1000|130|13",
                                                 "1001|100|12", "1001|110|10", "1001|120|11", "1001|130|13"}));
}

TEST_F(SystemUpdateDbTest, OfficeSwitchIsSetOnlyOnRowTenKeepingItsRecord)
{
    {
        Session session(UseSnapshot("3.0.7"));
        session.Exec("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2) VALUES(10,1,5)");
        session.Exec("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2) VALUES(11,1,5)");
    }
    ASSERT_EQ(RunUpTo(V(4, 0, 0)).reached, V(4, 0, 0));
    EXPECT_EQ(Session(SystemDbPath()).Lines("SELECT REC, RESERVE2 FROM SYSTEMINI ORDER BY REC"),
              (std::vector<std::string>{"10|63", "11|5"}));

    {
        Session session(UseSnapshot("3.0.7"));
        session.Exec("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2) VALUES(10,0,5)");
    }
    ASSERT_EQ(RunUpTo(V(4, 0, 0)).reached, V(4, 0, 0));
    EXPECT_EQ(Session(SystemDbPath()).Line("SELECT RESERVE2 FROM SYSTEMINI WHERE REC=10"), "5");
}

// A data-list path under the system-data folder spelled in another case.
std::string OtherCase(const std::string& path)
{
    std::string out = path;
    for (char& c : out)
        c = static_cast<char>(std::islower(static_cast<unsigned char>(c))
                                  ? std::toupper(static_cast<unsigned char>(c))
                                  : std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct FolderCase {
    const char* version;  // the unit under test
    std::uint8_t mode;
    std::uint8_t edition;
    bool rewritten;     // the data list's folder names follow SYSDIR
    bool columnsAdded;  // 4.0.2's damage-mark columns
};

void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.version << " mode " << int(c.mode) << " edition " << int(c.edition);
}

class SystemUpdateVariantTest : public SystemUpdateDbTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(SystemUpdateVariantTest, FolderNamesAndColumnsFollowModeAndEdition)
{
    const FolderCase& c = GetParam();
    ConnectionMode = c.mode;
    EditionFlag = c.edition;
    const std::string stored = OtherCase(SystemDef.SYSDIR) + "/0001";
    {
        Session session(UseSnapshot(Previous(c.version)));
        session.Exec("INSERT INTO DATALIST(REC,GROUPID,PASNAME) VALUES(1,10000,'" + stored + "')");
        session.Exec("INSERT INTO DATALIST(REC,GROUPID,PASNAME) VALUES(2,10000,'/elsewhere/0002')");
    }
    UpdateVersion target;
    target.major = c.version[0] - '0';
    target.minor1 = c.version[2] - '0';
    target.minor2 = c.version[4] - '0';
    const DatabaseBuildReport report = RunUpTo(target);
    ASSERT_TRUE(report.Succeeded()) << messages_.shown.size();
    EXPECT_EQ(report.reached, target);

    Session session(SystemDbPath());
    EXPECT_EQ(session.Lines("SELECT PASNAME FROM DATALIST ORDER BY REC"),
              (std::vector<std::string>{c.rewritten ? SystemDef.SYSDIR + "/0001" : stored, "/elsewhere/0002"}));
    if (std::string(c.version) == "4.0.2") {
        for (const std::string& table : sysupdate::DataListTables)
            EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='" + table +
                                    "' AND RDB$FIELD_NAME IN ('DATA_STATUS','YOBI1','YOBI2','YOBI3')"),
                      c.columnsAdded ? 4 : 0)
                << table;
        if (c.columnsAdded) {
            EXPECT_EQ(session.Line("SELECT DATA_STATUS || '[' || YOBI1 || YOBI2 || YOBI3 || ']' FROM DATALIST WHERE "
                                   "REC=2"),
                      "0[]");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ModesAndEditions, SystemUpdateVariantTest,
    ::testing::Values(FolderCase{"1.0.1", 0, 0, false, false}, FolderCase{"1.0.1", 1, 0, true, false},
                      FolderCase{"1.0.1", 2, 0, false, false}, FolderCase{"4.0.2", 0, 0, false, true},
                      FolderCase{"4.0.2", 1, 0, true, true}, FolderCase{"4.0.2", 2, 0, false, true},
                      FolderCase{"4.0.2", 1, 1, false, false}, FolderCase{"4.0.2", 0, 2, false, false}));

// Records the imports 5.0.0 asks for; refuses the file numbered refuseAt.
struct TImportLog {
    std::vector<std::string> calls;  // "<row>:<file name>"
    int made = 0;
    int freed = 0;
    int refuseAt = 0;
};

class RecordingImporter final : public ICodeSystemImporter {
public:
    explicit RecordingImporter(TImportLog& log) : log_(log) { ++log_.made; }
    ~RecordingImporter() override { ++log_.freed; }
    bool ImportCodeTaikei(const std::string& fileName, std::int32_t recNo) override
    {
        log_.calls.push_back(std::to_string(recNo) + ":" + fs::path(fileName).filename().string());
        return recNo != log_.refuseAt;
    }

private:
    TImportLog& log_;
};

class SystemUpdate500Test : public SystemUpdateDbTest {
protected:
    void SetUp() override
    {
        SystemUpdateDbTest::SetUp();
        sqlDir_ = folder_ / "installsql";
        for (const std::string& name : z5SystemDbUpdate500::CodeSystemFiles())
            if (!name.empty())
                WriteFile(sqlDir_ / "500" / name, "1,name,1,1\r\n");
        SetCodeSystemImporterFactory([this] { return std::make_unique<RecordingImporter>(log_); });
        Session session(UseSnapshot("4.0.2"));
        session.Exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100010,'試算表集計出力区分','整数','0')");
    }
    void TearDown() override
    {
        SetCodeSystemImporterFactory({});
        DM.reset();
        AppInfo = savedAppInfo_;
        SystemUpdateDbTest::TearDown();
    }
    std::string Setting() { return Session(SystemDbPath()).Line("SELECT STEXT FROM SYSREG"); }
    // RECNO, NAME, DATATYPE, CODETYPE, INIDAT1 and INIDAT2 of rows 1 to 10.
    std::vector<std::vector<std::string>> DeliveredCodeSystems()
    {
        return Session(SystemDbPath())
            .Rows("SELECT RECNO,NAME,DATATYPE,CODETYPE,INIDAT1,INIDAT2 FROM USERCODE WHERE RECNO<=10 ORDER BY RECNO");
    }

    fs::path sqlDir_;
    TImportLog log_;
    TAppInfoRec savedAppInfo_ = AppInfo;
};

const std::vector<std::string> kAllImports{"1:販売業.txt",     "2:製造業.txt",       "3:建設業.txt",
                                           "4:運送業.txt",     "5:病院.txt",         "6:その他.txt",
                                           "8:個人　一般.txt", "9:個人　不動産.txt", "10:個人　医業.txt"};

TEST_F(SystemUpdate500Test, EditionZeroImportsNothingAndKeepsTheSetting)
{
    EditionFlag = 0;
    EXPECT_EQ(RunUpTo(V(5, 0, 0), sqlDir_).reached, V(5, 0, 0));
    EXPECT_EQ(log_.made, 0);
    EXPECT_EQ(Setting(), "0");
}

TEST_F(SystemUpdate500Test, EditionsOneAndTwoImportNineFilesAndSetTheSetting)
{
    for (const std::uint8_t edition : {1, 2}) {
        SCOPED_TRACE(int(edition));
        EditionFlag = edition;
        log_ = {};
        UseSnapshot("4.0.2");
        Session(SystemDbPath())
            .Exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100010,'試算表集計出力区分','整数','0')");
        EXPECT_EQ(RunUpTo(V(5, 0, 0), sqlDir_).reached, V(5, 0, 0));
        EXPECT_EQ(log_.calls, kAllImports);
        EXPECT_EQ(log_.made, 1);
        EXPECT_EQ(log_.freed, 1);
        EXPECT_EQ(Setting(), "1");
    }
}

TEST_F(SystemUpdate500Test, FirstRefusedImportEndsTheImportsButNotTheUpdate)
{
    EditionFlag = 1;
    log_.refuseAt = 3;
    EXPECT_EQ(RunUpTo(V(5, 0, 0), sqlDir_).reached, V(5, 0, 0));
    EXPECT_EQ(log_.calls, (std::vector<std::string>{"1:販売業.txt", "2:製造業.txt", "3:建設業.txt"}));
    EXPECT_EQ(log_.freed, 1);
}

TEST_F(SystemUpdate500Test, AMissingFileLeavesTheDatabaseAtItsVersionWithEitherImporter)
{
    EditionFlag = 1;
    fs::remove(sqlDir_ / "500" / "個人　一般.txt");
    EXPECT_THROW(RunUpTo(std::nullopt, sqlDir_), dbupdate::DatabaseUpdateError);
    EXPECT_EQ(log_.calls.size(), 6u);
    EXPECT_EQ(log_.freed, 1);
    EXPECT_EQ(dbupdate::ReadDatabaseVersion(UpdateListKind::SystemDatabase, SystemDbPath()), V(4, 0, 2));

    // The program's own importer stops at the missing file alike, after it
    // imported the files before it (their header has no product field,
    // which this installation's product code "-" accepts); the failed unit
    // then puts the database back, so those imports are gone as well.
    SetCodeSystemImporterFactory({});
    AppInfo.Application.OEM = "-";
    AppInfo.Application.VerTest = "";
    const auto before = DeliveredCodeSystems();
    EXPECT_THROW(RunUpTo(std::nullopt, sqlDir_), dbupdate::DatabaseUpdateError);
    EXPECT_EQ(dbupdate::ReadDatabaseVersion(UpdateListKind::SystemDatabase, SystemDbPath()), V(4, 0, 2));
    EXPECT_FALSE(fs::exists(ScriptPath()));
    EXPECT_EQ(DeliveredCodeSystems(), before);
    EXPECT_EQ(DM, nullptr);
}

// The program's own importer, on definition files as an installation
// delivers them (CP932), whatever state the data module is in: the update
// leaves the data module and its system connection as it found them.
TEST_F(SystemUpdate500Test, DefinitionFilesFillTheDeliveredCodeSystems)
{
    EditionFlag = 1;
    AppInfo.Application.OEM = "BrendalData";
    AppInfo.Application.VerTest = "";
    SetCodeSystemImporterFactory({});
    const std::vector<std::string>& files = z5SystemDbUpdate500::CodeSystemFiles();
    std::vector<std::vector<std::string>> expected;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string recNo = std::to_string(i + 1);
        if (files[i].empty()) {
            expected.push_back({recNo, "", "0", "0", "<null>", "<null>"});
            continue;
        }
        const std::string name = fs::path(files[i]).stem().string();
        const std::string header = "1," + name + "," + std::to_string(i % 3 + 1) + ",2,,BrendalData";
        WriteFile(sqlDir_ / "500" / files[i], cp932::FromUtf8(header + "\r\n2,100,現金\r\n5,x\r\n21,110,小口現金\r\n"));
        expected.push_back({recNo, name, std::to_string(i % 3 + 1), "2", header, "2,100,現金\r\n21,110,小口現金"});
    }

    enum class Start { NoDataModule, Disconnected, Connected };
    for (const Start start : {Start::NoDataModule, Start::Disconnected, Start::Connected}) {
        SCOPED_TRACE(static_cast<int>(start));
        UseSnapshot("4.0.2");
        if (start != Start::NoDataModule)
            DM = std::make_unique<TDM>();
        if (start == Start::Connected) {
            ASSERT_TRUE(DM->fnAccDefConnected("", false));
        }

        EXPECT_EQ(RunUpTo(V(5, 0, 0), sqlDir_).reached, V(5, 0, 0));
        EXPECT_TRUE(messages_.shown.empty());
        EXPECT_EQ(DeliveredCodeSystems(), expected);
        EXPECT_EQ(DM != nullptr, start != Start::NoDataModule);
        if (DM) {
            EXPECT_EQ(DM->IBDatabaseDEF.Connected(), start == Start::Connected);
        }
        DM.reset();
    }
}

// The first data place is named after a system-data folder of up to 40
// bytes.
TEST_F(SystemUpdateDbTest, FirstPlaceNameFollowsTheFolderUpToFortyBytes)
{
    // A short root of its own, so that the folder can have an exact length.
    std::string pattern = "/tmp/lxs-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    for (const std::size_t bytes : {40u, 41u}) {
        SCOPED_TRACE(bytes);
        const std::string base = root.string() + "/";
        const fs::path sys = base + std::string(bytes - base.size(), 'd');
        fs::create_directories(sys);
        dbtest::CopyMasterFile(Snapshot("4.0.2"), dbupdate::UpdateTargetPath(UpdateListKind::SystemDatabase, sys));
        DatabaseBuildSettings settings = SettingsIn(folder_);
        settings.stopAt = V(5, 0, 0);
        const DatabaseBuildReport report =
            dbupdate::RunPendingUpdates(UpdateListKind::SystemDatabase, sys, GetSystemUpdateList(), settings);
        EXPECT_EQ(report.reached, V(5, 0, 0));
        Session session(dbupdate::UpdateTargetPath(UpdateListKind::SystemDatabase, sys));
        EXPECT_EQ(session.Line("SELECT NAME || '|' || PATH FROM DATAPLACEMAN WHERE REC=0"),
                  (bytes == 40 ? sys.string() : std::string("標準の場所")) + "|" + sys.string());
        EXPECT_EQ(session.Line("SELECT PATH FROM DATAPLACEMAN WHERE REC=99"), sys.string() + "99");
    }
    fs::remove_all(root);
}

// ---------------------------------------------------------------------------
// The units from 7.0.0 on

TEST_F(SystemUpdateDbTest, LaterObjectsOfTheChain)
{
    Session session(dbtest::ProcessCopy(Snapshot("12.0.0")).string());
    EXPECT_EQ(session.Lines("SELECT GNAME, GSIGN, CAST(STARTDATE AS DATE), YEAROFFSET FROM GENGO ORDER BY STARTDATE"),
              (std::vector<std::string>{"明治|M|1868/09/08|1868", "大正|T|1912/07/30|1912", "昭和|S|1926/12/25|1926",
                                        "平成|H|1989/01/08|1989", "令和|R|2019/05/01|2019"}));
    for (const char* table : {"DATALIST", "SERVERDATALIST", "CHILD_DATALIST", "CHILD_SERVERDATALIST", "DATALIST_EX"}) {
        EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='" +
                                std::string(table) + "' AND RDB$FIELD_NAME IN ('CLOUD','READ_ONLY')"),
                  2)
            << table;
    }
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME='OPERATOR' AND "
                            "RDB$FIELD_NAME IN ('MYNUMBER_ADM','SHONIN')"),
              2);
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM JOBCONTROL2"), 0);
}

TEST_F(SystemUpdateDbTest, AQuoteInTheOperatorNameReachesTheLongMemoCutToItsColumn)
{
    SystemDef.OPNAME = "O'Brien " + std::string(200, 'x');
    SystemDef.PCName = "PC'01";
    UseSnapshot("10.0.4");
    const DatabaseBuildReport report = RunUpTo(V(12, 0, 0));
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    const auto memos = Session(SystemDbPath()).Lines("SELECT MEMO FROM VERSION WHERE MAJOR>=11 ORDER BY MAJOR");
    ASSERT_EQ(memos.size(), 2u);
    for (const std::string& memo : memos) {
        EXPECT_NE(memo.find(",7,O'Brien xxx"), std::string::npos) << memo;
        EXPECT_EQ(memo.size(), 127u);
    }
}

TEST_F(SystemUpdateDbTest, MissingBodyFilesAreSkippedUpToSevenZeroFourAndFailFromEightOn)
{
    // An installation whose sql folder lacks the version folders.
    const fs::path emptySql = folder_ / "emptysql";
    fs::create_directories(emptySql);
    UseSnapshot("5.0.0");
    const DatabaseBuildReport report = RunUpTo(std::nullopt, emptySql);
    EXPECT_EQ(Texts(report.applied), (std::vector<std::string>{"7.0.0", "7.0.4"}));
    EXPECT_EQ(report.failedResult, UpdateResultFileMissing);
    ASSERT_TRUE(report.failedAt.has_value());
    EXPECT_EQ(*report.failedAt, V(8, 0, 0));
    EXPECT_EQ(report.reached, V(7, 0, 4));

    // The later units return 18 without writing a script; 11.0.1 needs
    // both of its files.
    WriteFile(emptySql / "1101" / "sysup01.sql", "COMMIT;\r\n");
    SystemDef.SqlDir = emptySql.string();
    WriteFile(ScriptPath(), "older");
    const std::pair<const char*, std::int32_t (*)()> units[] = {
        {"8.0.2", &z5SystemDbUpdate802::DoUpdate},
        {"10.0.4", &z5SystemDbUpdate1004::DoUpdate},
        {"11.0.1", &z5SystemDbUpdate1101::DoUpdate},
        {"12.0.0", &z5SystemDbUpdate1200::DoUpdate},
    };
    for (const auto& [version, doUpdate] : units) {
        EXPECT_EQ(doUpdate(), UpdateResultFileMissing) << version;
        EXPECT_EQ(ReadFile(ScriptPath()), "older") << version;
    }
    EXPECT_EQ(Session(SystemDbPath()).Line("SELECT MAX(MAJOR * 100 + MINOR1 * 10 + MINOR2) FROM VERSION"), "704");
}

class SystemUpdate700Test : public SystemUpdateDbTest {
protected:
    void SetUp() override
    {
        SystemUpdateDbTest::SetUp();
        SystemDef.OfficeName = "stale";
        SystemDef.OfficeReserve3 = 5;
    }
    std::vector<std::string> RowTen()
    {
        return Session(SystemDbPath())
            .Lines("SELECT RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR FROM SYSTEMINI WHERE REC=10");
    }
};

TEST_F(SystemUpdate700Test, OfficeRecordIsRewrittenOnlyWhenTheOfficeKeepsIt)
{
    struct OfficeCase {
        int reserve1;
        std::vector<std::string> after;
        int converted;
    };
    const std::string stored = "TEL=03-1234\r\nNAME=山田会計\r\nOTHER=x\r\nJYUSHO=東京都";
    const OfficeCase cases[] = {
        {1, {"1|63|1|0|0|NAME=山田会計\rJYUSHO=東京都\rTEL=03-1234\r"}, 1},
        {0, {"0|63|7|8|9|" + stored}, 0},
        {2, {"2|63|7|8|9|" + stored}, 0},
    };
    for (const OfficeCase& c : cases) {
        SCOPED_TRACE(c.reserve1);
        {
            Session session(UseSnapshot("5.0.0"));
            session.Exec("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR) VALUES(10," +
                         std::to_string(c.reserve1) + ",63,7,8,9,'" + stored + "')");
            session.Exec("INSERT INTO SYSTEMINI(REC,RESERVE1,SSTR) VALUES(11,1,'NAME=x')");
        }
        ASSERT_EQ(RunUpTo(V(7, 0, 0)).reached, V(7, 0, 0));
        EXPECT_EQ(RowTen(), c.after);
        EXPECT_EQ(Session(SystemDbPath()).Line("SELECT RESERVE3 || SSTR FROM SYSTEMINI WHERE REC=11"), "0NAME=x");
        // The office copy for the rest of the run.
        EXPECT_EQ(SystemDef.OfficeName, "山田会計");
        EXPECT_EQ(SystemDef.OfficeAddress, "東京都");
        EXPECT_EQ(SystemDef.OfficeTel, "03-1234");
        EXPECT_EQ(SystemDef.OfficeReserve1, c.reserve1);
        EXPECT_EQ(SystemDef.OfficeReserve2, 63);
        EXPECT_EQ(SystemDef.OfficeReserve3, c.converted);
    }

    // Without row 10 the copy is empty and no row is written.
    UseSnapshot("5.0.0");
    ASSERT_EQ(RunUpTo(V(7, 0, 0)).reached, V(7, 0, 0));
    EXPECT_TRUE(RowTen().empty());
    EXPECT_EQ(SystemDef.OfficeName, "");
    EXPECT_EQ(SystemDef.OfficeReserve3, 0);
    EXPECT_EQ(DM, nullptr);
}

TEST_F(SystemUpdate700Test, AnUnreadableOfficeRecordFailsTheUpdateWithoutEndingTheProgram)
{
    bool quitAsked = false;
    const TQuitApplicationHook savedHook = QuitApplicationHook;
    QuitApplicationHook = [&] { quitAsked = true; };
    {
        Session session(UseSnapshot("5.0.0"));
        session.Exec("DROP TABLE SYSTEMINI");
        session.Exec(
            "CREATE VIEW SYSTEMINI (REC, RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR) AS "
            "SELECT 10, 1 / 0, 0, 0, 0, 0, '' FROM RDB$DATABASE");
    }
    const DatabaseBuildReport report = RunUpTo(std::nullopt);
    QuitApplicationHook = savedHook;
    EXPECT_EQ(report.failedResult, UpdateResultConversionError);
    ASSERT_TRUE(report.failedAt.has_value());
    EXPECT_EQ(*report.failedAt, V(7, 0, 0));
    EXPECT_EQ(report.reached, V(5, 0, 0));
    EXPECT_FALSE(quitAsked);
    EXPECT_FALSE(AppTerminating);
    bool shown = false;
    for (const TUserMessage& message : messages_.shown)
        shown = shown || message.Text.find("システム情報の取得に失敗しました。") != std::string::npos;
    EXPECT_TRUE(shown);
    EXPECT_EQ(Session(SystemDbPath()).Line("SELECT MAX(MAJOR) FROM VERSION"), "5");
}

// The JOBCONTROL rows (level, page, slot) of a test.
void InsertMenuRights(const std::string& path, const std::vector<std::tuple<int, int, int>>& rows)
{
    Session session(path);
    for (const auto& [level, page, slot] : rows)
        session.Exec("INSERT INTO JOBCONTROL(LEVELNO,PAGENO,MENUNO) VALUES(" + std::to_string(level) + "," +
                     std::to_string(page) + "," + std::to_string(slot) + ")");
}

std::vector<std::string> MenuPrograms(const std::string& path)
{
    return Session(path).Lines(
        "SELECT LEVELNO, PROC_ID, PROC_OPTION FROM JOBCONTROL2 ORDER BY LEVELNO, PROC_ID, PROC_OPTION");
}

TEST_F(SystemUpdateDbTest, MenuRightsBecomeProgramsForFilledSlotsOnly)
{
    SavedModes modes;
    EditionFlag = 0;
    InsertMenuRights(UseSnapshot("8.0.0"), {{5, 1, 0},
                                            {5, 1, 1},
                                            {5, 1, 6},
                                            {5, 11, 0},
                                            {5, 1, 15},
                                            {1000, 4, 4},
                                            {1001, 4, 4},
                                            {1500, 2, 0},
                                            {1500, 11, 19},
                                            {1500, 10, 0}});
    const DatabaseBuildReport report = RunUpTo(V(8, 0, 2));
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    EXPECT_EQ(MenuPrograms(SystemDbPath()),
              (std::vector<std::string>{"5|QvSiwake|SyoriType=0", "5|QvSiwake|SyoriType=1", "1000|QvKeieiBunseki|",
                                        "1001|QvKeieiBunseki2|", "1500|QvFuzokuIkkatu|", "1500|QvMBKessansyo|"}));
    EXPECT_EQ(Session(SystemDbPath()).Count("SELECT COUNT(*) FROM JOBCONTROL"), 10);
    EXPECT_EQ(DM, nullptr);
}

TEST_F(SystemUpdateDbTest, AFailedMenuConversionGivesNineteenAndTheRunPutsTheDatabaseBack)
{
    // An installation whose JOBCONTROL2 refuses one program.
    const fs::path sqlDir = folder_ / "failsql";
    WriteFile(sqlDir / "802" / "sysup01.sql",
              "CREATE TABLE JOBCONTROL2 (LEVELNO INTEGER NOT NULL, PROC_ID VARCHAR(64) NOT NULL,\r\n"
              "  PROC_OPTION VARCHAR(254) DEFAULT '', CHECK (PROC_ID <> 'QvMonitor'));\r\nCOMMIT;\r\n");
    const std::vector<std::tuple<int, int, int>> rights{{5, 1, 0}, {5, 1, 2}, {5, 1, 3}};

    // The unit alone: what came before the failure is committed.
    InsertMenuRights(UseSnapshot("8.0.0"), rights);
    SystemDef.SqlDir = sqlDir.string();
    EXPECT_EQ(z5SystemDbUpdate802::DoUpdate(), UpdateResultConversionError);
    EXPECT_EQ(MenuPrograms(SystemDbPath()), (std::vector<std::string>{"5|QvSiwake|SyoriType=1"}));
    EXPECT_EQ(DM, nullptr);

    // In a run the unit's copy of the database goes back.
    InsertMenuRights(UseSnapshot("8.0.0"), rights);
    const DatabaseBuildReport report = RunUpTo(std::nullopt, sqlDir);
    EXPECT_EQ(report.failedResult, UpdateResultConversionError);
    ASSERT_TRUE(report.failedAt.has_value());
    EXPECT_EQ(*report.failedAt, V(8, 0, 2));
    Session session(SystemDbPath());
    EXPECT_EQ(session.Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='JOBCONTROL2'"), 0);
    EXPECT_EQ(session.Line("SELECT MAX(MAJOR * 100 + MINOR1 * 10 + MINOR2) FROM VERSION"), "800");
}

TEST_F(SystemUpdateDbTest, DictionaryOpeningSettingsAreWrittenPerOperator)
{
    {
        Session session(UseSnapshot("8.0.2"));
        session.Exec("INSERT INTO SYSDEF(OPCODE,DICTEKAUTO,DICTORAUTO) VALUES(100001,0,2)");
        session.Exec("INSERT INTO SYSDEF(OPCODE,DICTEKAUTO,DICTORAUTO) VALUES(100002,1,3)");
        session.Exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100002,'摘要項目の入力区分','整数','2')");
        session.Exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100002,'取引先項目の入力区分','整数','x')");
        // An existing setting keeps its stored type.
        session.Exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100002,'摘要＿辞書開く区分','文字','9')");
    }
    const DatabaseBuildReport report = RunUpTo(V(9, 0, 4));
    ASSERT_TRUE(report.Succeeded()) << report.failedResult;
    const auto settings = [&](int opcode) {
        return Session(SystemDbPath())
            .Lines("SELECT SCODE, STYPE, STEXT FROM SYSREG WHERE OPCODE=" + std::to_string(opcode) + " ORDER BY SCODE");
    };
    const auto sorted = [](std::vector<std::string> rows) {
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    // Summary off (dictionary by default), partner by association; the
    // missing input kinds are stored with "0".
    EXPECT_EQ(sorted(settings(100001)),
              sorted({"摘要項目の入力区分|整数|0", "取引先項目の入力区分|整数|0", "摘要＿辞書開く区分|整数|1",
                      "摘要＿連想開く区分|整数|0", "摘要＿自動開く区分|整数|0", "摘要＿入力なし区分|整数|0",
                      "取引先＿辞書開く区分|整数|0", "取引先＿連想開く区分|整数|1", "取引先＿自動開く区分|整数|1",
                      "取引先＿入力なし区分|整数|0"}));
    // Summary by dictionary with no entry; partner with an unknown switch
    // and an input kind that is no number.
    EXPECT_EQ(sorted(settings(100002)),
              sorted({"摘要項目の入力区分|整数|2", "取引先項目の入力区分|整数|x", "摘要＿辞書開く区分|文字|1",
                      "摘要＿連想開く区分|整数|0", "摘要＿自動開く区分|整数|1", "摘要＿入力なし区分|整数|1",
                      "取引先＿辞書開く区分|整数|1", "取引先＿連想開く区分|整数|0", "取引先＿自動開く区分|整数|0",
                      "取引先＿入力なし区分|整数|0"}));
    EXPECT_EQ(DM, nullptr);
}

TEST_F(SystemUpdateDbTest, TheEraTableIsReadAgainAfterElevenZeroOneAlsoWhenItsScriptFails)
{
    const TGengoArray saved = GengoTable();
    ClearGengoTable();
    UseSnapshot("10.0.4");
    ASSERT_EQ(RunUpTo(V(11, 0, 1)).reached, V(11, 0, 1));
    ASSERT_EQ(GengoTable().size(), 5u);
    EXPECT_EQ(GengoTable().front().GNAME, "令和");
    EXPECT_EQ(GengoTable().front().YEAROFFSET, 2019);

    // A script that fails after its era: the database goes back to four
    // eras, and so does the program's table.
    const fs::path sqlDir = folder_ / "failsql";
    WriteFile(sqlDir / "1101" / "sysup01.sql", ReadFile(SourceSqlDir() / "1101" / "sysup01.sql"));
    WriteFile(sqlDir / "1101" / "sysup02.sql", "ALTER TABLE NO_SUCH_TABLE ADD CLOUD INTEGER;\r\n");
    UseSnapshot("10.0.4");
    SystemDef.SqlDir = sqlDir.string();
    EXPECT_EQ(z5SystemDbUpdate1101::DoUpdate(), UpdateResultScriptError);
    ASSERT_EQ(GengoTable().size(), 4u);
    EXPECT_EQ(GengoTable().front().GNAME, "平成");
    EXPECT_EQ(DM, nullptr);
    if (saved.empty())
        ClearGengoTable();
    else
        SetGengoTable(saved);
}

// ---------------------------------------------------------------------------
// The builder

TEST_F(SystemUpdateDbTest, StoppingAtAVersionLeavesTheLaterOnesPendingUntilTheNextRun)
{
    UseSnapshot("0.0.0");
    const DatabaseBuildReport first = RunUpTo(V(3, 0, 0));
    ASSERT_TRUE(first.Succeeded());
    EXPECT_EQ(Texts(first.applied), (std::vector<std::string>{"0.3.1", "0.3.2", "0.3.3", "1.0.1", "3.0.0"}));
    EXPECT_EQ(first.reached, V(3, 0, 0));
    EXPECT_FALSE(first.unregisteredAt.has_value());
    ASSERT_FALSE(first.pending.empty());
    EXPECT_EQ(first.pending.front(), V(3, 0, 5));
    EXPECT_EQ(
        Session(SystemDbPath()).Count("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='CHILD_DATALIST'"),
        0);

    const DatabaseBuildReport second = RunUpTo(V(5, 0, 0));
    EXPECT_EQ(second.start, V(3, 0, 0));
    EXPECT_EQ(Texts(second.applied), (std::vector<std::string>{"3.0.5", "3.0.7", "4.0.0", "4.0.2", "5.0.0"}));
    EXPECT_EQ(second.pending.front(), V(7, 0, 0));
    // The builder puts the program's folders back.
    EXPECT_EQ(SystemDef.TempDir, (folder_ / "temp").string());
    EXPECT_EQ(SystemDef.SqlDir, (folder_ / "sql").string());
}

TEST_F(SystemUpdateDbTest, AFailingUnitStopsTheRunBeforeItsStamp)
{
    {
        // The system user is there already: 0.3.2's insert fails.
        Session session(UseSnapshot("0.3.1"));
        session.Exec("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME) VALUES(10000,1,'x')");
    }
    const DatabaseBuildReport report = RunUpTo(std::nullopt);
    EXPECT_FALSE(report.Succeeded());
    EXPECT_EQ(report.failedResult, UpdateResultScriptError);
    ASSERT_TRUE(report.failedAt.has_value());
    EXPECT_EQ(*report.failedAt, V(0, 3, 2));
    EXPECT_TRUE(report.applied.empty());
    EXPECT_EQ(report.reached, V(0, 3, 1));
    EXPECT_EQ(report.pending.front(), V(0, 3, 2));
    EXPECT_TRUE(fs::exists(ErrText()));
}

// ---------------------------------------------------------------------------
// Lint: what the scripts use exists when they run

using scriptlint::Exists;
using scriptlint::ObjectKind;
using scriptlint::UsedObject;
using scriptlint::UsedObjects;

TEST_F(SystemUpdateDbTest, EveryObjectAUnitUsesExistsBeforeItRuns)
{
    // Mode 1 and both kinds of edition, so that every optional statement is
    // in some script.
    ConnectionMode = 1;
    SystemDef.SqlDir = SourceSqlDir().string();
    std::map<std::string, std::set<UsedObject>> usedBy;
    for (const std::uint8_t edition : {0, 1}) {
        EditionFlag = edition;
        for (const auto& [version, script] : AllScripts())
            for (const UsedObject& object : UsedObjects(script.Text()))
                usedBy[version].insert(object);
    }

    // What the lint must at least find (a guard on the reading above).
    const std::multimap<std::string, UsedObject> known{
        {"0.3.1", {ObjectKind::Trigger, "SERVERDATALIST_NO"}},
        {"0.3.1", {ObjectKind::Column, "SERVERDATALIST.GROUPID"}},
        {"0.3.1", {ObjectKind::Table, "SERVERDATALIST"}},
        {"0.3.1", {ObjectKind::Table, "VERSION"}},
        {"0.3.1", {ObjectKind::Table, "USERGROUP"}},
        {"0.3.1", {ObjectKind::Table, "DATALIST"}},
        {"0.3.3", {ObjectKind::Table, "OPERATOR"}},
        {"1.0.1", {ObjectKind::Procedure, "SP_DATALIST_UPDATE"}},
        {"3.0.0", {ObjectKind::Trigger, "VERSION_REC"}},
        {"3.0.5", {ObjectKind::Table, "SERVERDATALIST"}},
        {"3.0.7", {ObjectKind::Table, "JOBCONTROL"}},
        {"4.0.0", {ObjectKind::Function, "F_RIGHT"}},
        {"4.0.0", {ObjectKind::Table, "CHILD_SERVERDATALIST"}},
        {"4.0.0", {ObjectKind::Table, "USERCODE"}},
        {"4.0.0", {ObjectKind::Table, "SYSTEMINI"}},
        {"4.0.2", {ObjectKind::Procedure, "SP_DATALIST_UPDATE"}},
        {"5.0.0", {ObjectKind::Table, "USERGROUP"}},
        {"5.0.0", {ObjectKind::Table, "SYSREG"}},
        {"5.0.0", {ObjectKind::Function, "F_RIGHT"}},
        {"8.0.0", {ObjectKind::Table, "OPERATOR"}},
        {"10.0.4", {ObjectKind::Table, "OPERATOR"}},
        {"11.0.1", {ObjectKind::Table, "GENGO"}},
        {"11.0.1", {ObjectKind::Table, "DATALIST_EX"}},
        {"12.0.0", {ObjectKind::Table, "CHILD_SERVERDATALIST"}},
    };
    for (const auto& [version, object] : known)
        EXPECT_TRUE(usedBy[version].count(object)) << version << " " << object.name;

    for (const auto& [version, objects] : usedBy) {
        Session session(dbtest::ProcessCopy(Snapshot(Previous(version))).string());
        for (const UsedObject& object : objects)
            EXPECT_TRUE(Exists(session, object)) << version << " uses " << object.name;
    }

    // The program-side steps: 7.0.0 before its script, the others after it.
    const std::pair<std::string, std::vector<UsedObject>> stepUses[] = {
        {"5.0.0", {{ObjectKind::Table, "SYSTEMINI"}, {ObjectKind::Column, "SYSTEMINI.SSTR"}}},
        {"8.0.2",
         {{ObjectKind::Column, "JOBCONTROL.MENUNO"},
          {ObjectKind::Column, "JOBCONTROL2.PROC_ID"},
          {ObjectKind::Column, "JOBCONTROL2.PROC_OPTION"},
          {ObjectKind::Column, "JOBCONTROL2.LEVELNO"}}},
        {"9.0.4",
         {{ObjectKind::Column, "SYSDEF.DICTEKAUTO"},
          {ObjectKind::Column, "SYSDEF.DICTORAUTO"},
          {ObjectKind::Column, "SYSREG.STEXT"}}},
        {"11.0.1", {{ObjectKind::Column, "GENGO.YEAROFFSET"}, {ObjectKind::Column, "GENGO.STARTDATE"}}},
    };
    for (const auto& [version, objects] : stepUses) {
        Session session(dbtest::ProcessCopy(Snapshot(version)).string());
        for (const UsedObject& object : objects)
            EXPECT_TRUE(Exists(session, object)) << version << " step uses " << object.name;
    }
}

}  // namespace
