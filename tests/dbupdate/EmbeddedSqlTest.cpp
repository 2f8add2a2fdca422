#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/EmbeddedSql.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "dbupdate/UpdateUnit.h"
#include "dbupdate/sqlgen/SqlEmbed.h"
#include "dbupdate/sqlgen/SqlInclude.h"

#include "UpdateTestSupport.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace updtest;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of a saved script between its CONNECT line and its stamp.
std::vector<std::string> ScriptBody(const TUpdateScript& script, std::size_t stampLines)
{
    std::vector<std::string> lines;
    std::string text = script.Text();
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
        lines.push_back(text.substr(0, at));
    return {lines.begin() + 3, lines.end() - static_cast<std::ptrdiff_t>(stampLines + 2)};
}

// The file's lines as the script carries them: CP932, no line ends.
std::vector<std::string> FileLines(const std::string& utf8)
{
    std::vector<std::string> lines;
    std::string text = utf8;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(cp932::FromUtf8(line));
    return lines;
}

TEST(EmbeddedSql, TheProgramHoldsEveryUnitFileExpanded)
{
    std::vector<std::string> sourceNames;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(LEDRIX_UNIT_SQL_SOURCE_DIR)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".sql")
            continue;
        const std::string name = entry.path().lexically_relative(LEDRIX_UNIT_SQL_SOURCE_DIR).generic_string();
        sourceNames.push_back(name);
        const std::string* embedded = embeddedsql::Find(name);
        ASSERT_NE(embedded, nullptr) << name;
        EXPECT_EQ(*embedded, sqlgen::ExpandSqlFile(entry.path(), ReadText)) << name;
        EXPECT_EQ(embedded->find("/*@"), std::string::npos) << name;
    }
    std::sort(sourceNames.begin(), sourceNames.end());
    EXPECT_EQ(embeddedsql::Names(), sourceNames);
    EXPECT_EQ(embeddedsql::Find("accounting/011/no-such-file.sql"), nullptr);
}

class AddSqlTest : public ::testing::Test {
protected:
    void SetUp() override { PointGlobalsAt(fs::temp_directory_path() / "ledrix-addsql"); }
    SavedGlobals saved_;
};

TEST_F(AddSqlTest, EveryLineOfTheFileAsItStands)
{
    struct Case {
        TUpdateUnitShape shape;
        const char* name;
        const char* file;  // as the program holds it
        std::size_t stampLines;
    };
    const Case cases[] = {
        // Word lists expanded, a line ending in a blank kept.
        {sysupdate::SystemShape(4, 0, 0, false), "company-code-and-eras.sql", "system/400/company-code-and-eras.sql",
         1},
        // Empty lines kept.
        {accupdate::AccountingShape(0, 2, 2), "carry-forward.sql", "accounting/022/carry-forward.sql", 2},
        // Another unit's file of the same list.
        {sysupdate::SystemShape(3, 0, 0, false), "../031/version-rec-body.sql", "system/031/version-rec-body.sql", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TUpdateScript script(c.shape);
        script.AddSql(c.name);
        const std::string* text = embeddedsql::Find(c.file);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(ScriptBody(script, c.stampLines), FileLines(*text));
    }
    TUpdateScript script(sysupdate::SystemShape(4, 0, 0, false));
    script.AddSql("company-code-and-eras.sql");
    EXPECT_NE(script.Text().find("ALTER TABLE CHILD_SERVERDATALIST ADD DATACODE"), std::string::npos);
    EXPECT_NE(script.Text().find("UPDATE SYSTEMINI SET RESERVE2=63 \r\nWHERE (REC=10)"), std::string::npos);
}

TEST_F(AddSqlTest, AFileTheProgramDoesNotHoldIsAnError)
{
    TUpdateScript script(accupdate::AccountingShape(0, 2, 2));
    for (const char* name :
         {"no-such-file.sql", "../022/carry-forward.sql/..", "../../system/400/company-code-and-eras.sql/x"})
        EXPECT_THROW(script.AddSql(name), TUpdateScriptError) << name;
}

TEST(SqlEmbedSource, EveryByteSurvivesAndLongTextsComeInPieces)
{
    const std::string tricky =
        "SELECT '\"\\?"
        "?=' FROM T; -- 仮受\r\n)sql\"\n";
    std::string longText;
    while (longText.size() <= sqlgen::PieceBytes)
        longText += "INSERT INTO T VALUES (1);\n";
    const std::string source = sqlgen::EmbeddedSqlSource({{"a/tricky.sql", tricky}, {"b/long.sql", longText}});

    // Only printable ASCII reaches the source, "?" and the rest as octal.
    EXPECT_TRUE(std::all_of(source.begin(), source.end(),
                            [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7F && c != '?'); }));
    EXPECT_NE(source.find(R"("SELECT '\"\\\077\077=' FROM T; -- \344\273\256\345\217\227\015\012")"),
              std::string::npos);
    EXPECT_NE(source.find(R"(")sql\"\012")"), std::string::npos);
    // The long text: two pieces, the first cut after a line end.
    const std::size_t longAt = source.find("\"b/long.sql\"");
    ASSERT_NE(longAt, std::string::npos);
    std::size_t pieces = 0;
    for (std::size_t at = longAt; (at = source.find("std::string_view(", at)) != std::string::npos; ++at)
        ++pieces;
    EXPECT_EQ(pieces, 2u);
    const std::size_t firstLength = (sqlgen::PieceBytes / 26) * 26;
    EXPECT_NE(source.find(", " + std::to_string(firstLength) + "),", longAt), std::string::npos);
}

}  // namespace
