// Every table, view, procedure and column that the program's own SQL texts
// name exists in the databases as the updates leave them: the system
// database at its last version, the file-manager database, and company
// data of each chart at 15.0.0. A change that makes the program name an
// object that no script creates fails here.

#include "LaterUnitTestSupport.h"
#include "ProgramSqlNames.h"

#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace laterunittest;
using sqlnames::UsedName;
namespace fs = std::filesystem;

std::set<std::string> NameTexts(const std::string& sql)
{
    std::set<std::string> texts;
    for (const UsedName& name : sqlnames::NamesInSql(sql))
        texts.insert(name.Text());
    return texts;
}

TEST(ProgramSqlNameReader, FindsObjectsAndTheColumnsItCanTie)
{
    using S = std::set<std::string>;
    EXPECT_EQ(NameTexts("SELECT ATYPE,ATEXT FROM ACCREG WHERE AGROUP=:AGROUP AND ACODE=:ACODE "),
              (S{"ACCREG", "ACCREG.ATYPE", "ACCREG.ATEXT", "ACCREG.AGROUP", "ACCREG.ACODE"}));
    EXPECT_EQ(NameTexts("INSERT INTO OPINF(OPCODE,JOBNAME)\r\nVALUES(:OPCODE,'x')"),
              (S{"OPINF", "OPINF.OPCODE", "OPINF.JOBNAME"}));
    EXPECT_EQ(NameTexts("UPDATE ACCDEF1 SET CLOUD_LINE=:CLOUD_LINE\nWHERE REC=1"),
              (S{"ACCDEF1", "ACCDEF1.CLOUD_LINE", "ACCDEF1.REC"}));
    EXPECT_EQ(NameTexts("SELECT * From SP_SISANHYO( :TAX, '' ,'' ) "), (S{"SP_SISANHYO"}));
    EXPECT_EQ(
        NameTexts("SELECT SZ.KCODE,KM.USERCODE FROM KAMOKU_SZ SZ\nINNER JOIN KAMOKUMST KM ON (SZ.KCODE = KM.KCODE)"),
        (S{"KAMOKU_SZ", "KAMOKUMST", "KAMOKU_SZ.KCODE", "KAMOKUMST.USERCODE", "KAMOKUMST.KCODE"}));
    EXPECT_EQ(NameTexts("SELECT COUNT(*) AS C FROM MON$ATTACHMENTS"), S{});
    EXPECT_EQ(NameTexts("SELECT %s FROM %s"), S{});
    EXPECT_EQ(NameTexts("該当するデータがありません"), S{});
    EXPECT_EQ(sqlnames::StringTexts("q.SetSQL(\"SELECT A\"\n  \"FROM T\"); x(\"B\");"),
              (std::vector<std::string>{"SELECT A\nFROM T", "B"}));
}

// The objects and columns of a database, by name.
using Schema = std::map<std::string, std::set<std::string>>;

void AddSchema(Schema& schema, const std::string& path)
{
    schematest::Session session(path);
    for (const auto& row : session.Rows("SELECT TRIM(RDB$RELATION_NAME), TRIM(RDB$FIELD_NAME) FROM "
                                        "RDB$RELATION_FIELDS"))
        schema[row[0]].insert(row[1]);
    for (const auto& row : session.Rows("SELECT TRIM(RDB$PROCEDURE_NAME), TRIM(RDB$PARAMETER_NAME) FROM "
                                        "RDB$PROCEDURE_PARAMETERS"))
        schema[row[0]].insert(row[1]);
    for (const auto& row : session.Rows("SELECT TRIM(RDB$PROCEDURE_NAME) FROM RDB$PROCEDURES"))
        schema[row[0]];
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The server's file procedures are declared by their module's own script, run
// where the module is installed on a server, not by the updates.
void AddDeclaredProcedures(Schema& schema, const fs::path& script)
{
    const std::string text = ReadAll(script);
    ASSERT_FALSE(text.empty()) << script;
    // Each declaration runs from its name to its EXTERNAL clause; a parameter
    // is a name that follows "(" or "," and precedes its type.
    static const std::regex procedure(R"(PROCEDURE\s+(\w+)\s*\(([\s\S]*?)EXTERNAL)");
    static const std::regex parameter(R"([(,]\s*([A-Z]\w*)\s+[A-Z])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), procedure); it != std::sregex_iterator(); ++it) {
        std::set<std::string>& columns = schema[(*it)[1].str()];
        const std::string list = (*it)[2].str();
        for (auto p = std::sregex_iterator(list.begin(), list.end(), parameter); p != std::sregex_iterator(); ++p)
            columns.insert((*p)[1].str());
    }
}

// Every name of the program's sources outside the update units (whose
// scripts create and drop what they name), with the file that names it.
std::map<UsedName, std::string> ProgramNames()
{
    std::map<UsedName, std::string> names;
    const fs::path root = LEDRIX_SOURCE_ROOT;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h"))
            continue;
        if (fs::relative(path, root).string().rfind("dbupdate", 0) == 0)
            continue;
        for (const std::string& text : sqlnames::StringTexts(ReadAll(path)))
            for (const UsedName& name : sqlnames::NamesInSql(text))
                names.emplace(name, fs::relative(path, root).string());
    }
    return names;
}

// Objects the program already calls whose scripts are still to be written
// (none at present). A name leaves this list when a script creates it (the
// test says so), and nothing else may be missing.
const std::set<std::string> NotYetCreated = {};

class ProgramSqlNamesTest : public LaterUnitDbTest {};

TEST_F(ProgramSqlNamesTest, EveryNameExistsInTheDatabasesAtTheirLastVersions)
{
    const std::map<UsedName, std::string> names = ProgramNames();
    ASSERT_FALSE(names.empty());

    // The schemas are only read: each master's copy for this process.
    Schema schema;
    AddSchema(schema, dbtest::ProcessCopy(dbtest::SystemMasterFile()).string());
    AddSchema(schema, dbtest::ProcessCopy(dbtest::BaseMaster(dbupdate::BaseSchema::FileManager)).string());
    AddDeclaredProcedures(schema, fs::path(LEDRIX_SOURCE_ROOT) / "fileproc" / "declare-file-procedures.sql");
    for (const DataKind kind : {DataKind::Corporation, DataKind::Individual, DataKind::Medical})
        AddSchema(schema, dbtest::ProcessCopy(dbtest::CompanyMasterFile("15.0.0", kind)).string());

    std::vector<std::string> missing;
    for (const auto& [name, file] : names) {
        const auto object = schema.find(name.object);
        const bool found =
            object != schema.end() && (name.kind == UsedName::Object || object->second.count(name.column));
        if (!found && !NotYetCreated.count(name.object))
            missing.push_back(name.Text() + " (" + file + ")");
    }
    for (const std::string& pending : NotYetCreated)
        EXPECT_EQ(schema.count(pending), 0u) << pending << " is created now: take it off the list";
    EXPECT_TRUE(missing.empty()) << [&] {
        std::string list;
        for (const std::string& m : missing)
            list += "\n  " + m;
        return "named by the program but created by no script:" + list;
    }();
}

}  // namespace
