#include "dbupdate/V1304Repair.h"

#include "dbupdate/IsqlRunner.h"
#include "dbupdate/SystemConnection.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/SystemDef.h"
#include "platform/db/JoinedTransaction.h"

#include <cctype>

namespace accupdate {

namespace {

const char* const MarkerName = "V1304";
const char* const MarkerLine = "V1304=1";

bool IsMarkerName(const std::string& line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals != 5)
        return false;
    for (std::size_t i = 0; i < equals; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != MarkerName[i])
            return false;
    return true;
}

std::size_t CharCount(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

// The first chars characters of the text.
std::string FirstChars(const std::string& utf8, std::size_t chars)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && count++ == chars)
            return utf8.substr(0, i);
    return utf8;
}

// An SQL expression of the text whose lines are joined by CR LF, each line
// a literal of its own so that the script keeps one statement per line.
std::string MemoExpression(const std::string& text)
{
    std::string expression;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        expression += "'" + SqlQuoted(text.substr(start, end == std::string::npos ? end : end - start)) + "'";
        if (end == std::string::npos)
            break;
        expression += " || ASCII_CHAR(13) || ASCII_CHAR(10) || ";
        start = end + 2;
    }
    return expression;
}

struct TRepairFacts {
    bool RowsRead = false;
    std::vector<TVersionMemoRow> Unmarked;
    bool ColumnExists = false;
};

TRepairFacts ReadRepairFacts()
{
    TRepairFacts facts;
    TDataModuleLease dataModule;
    if (!DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false))
        return facts;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        db::Query query(DM->IBDatabaseDAT, DM->IBTransactionDAT,
                        "SELECT REC,MAJOR,MINOR1,MINOR2,MEMO\n"
                        "FROM ACCVERSION\n"
                        "WHERE (MAJOR=:MAJOR) AND (MINOR1=:MINOR1) AND (MINOR2=:MINOR2)\n"
                        "ORDER BY REC");
        query.ParamByName("MAJOR").SetInteger(13);
        query.ParamByName("MINOR1").SetInteger(0);
        query.ParamByName("MINOR2").SetInteger(3);
        for (query.Open(); !query.Eof(); query.Next()) {
            const db::Field memo = query.FieldByName("MEMO");
            TVersionMemoRow row{query.FieldByName("REC").AsInteger(), memo.IsNull() ? std::string() : memo.AsString()};
            if (!MemoHasV1304Marker(row.Memo))
                facts.Unmarked.push_back(std::move(row));
        }
        query.Close();
        transaction.Commit();
        facts.RowsRead = true;
    } catch (const db::FbError&) {
        // The marker cannot be read: the update goes on without the repair.
        facts.Unmarked.clear();
    }
    if (facts.RowsRead && !facts.Unmarked.empty())
        facts.ColumnExists = DM->fnExistence_Field("MEISAI_JYOKEN_RULE", "FTEKIYOA_TIKAN_FIELD7");
    try {
        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    } catch (const std::exception&) {
        // The next connect closes what is left open.
    }
    return facts;
}

}  // namespace

bool MemoHasV1304Marker(const std::string& memo)
{
    for (const std::string& line : SplitTextLines(memo))
        if (IsMarkerName(line))
            return line.substr(6) == "1";
    return false;
}

std::string MemoWithV1304Marker(const std::string& memo, std::size_t maxChars)
{
    std::string kept;
    for (const std::string& line : SplitTextLines(memo)) {
        if (IsMarkerName(line))
            continue;
        kept += line + "\r\n";
    }
    const std::size_t room = maxChars - CharCount(MarkerLine);
    if (CharCount(kept) > room)
        kept = FirstChars(kept, room);
    return kept + MarkerLine;
}

void AppendV1304Marker(TUpdateScript& script, const std::vector<TVersionMemoRow>& rows)
{
    script.Add("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;");
    for (const TVersionMemoRow& row : rows) {
        script.Add("UPDATE ACCVERSION SET MEMO=" + MemoExpression(MemoWithV1304Marker(row.Memo)));
        script.Add("WHERE REC=" + std::to_string(row.Rec) + ";");
    }
    script.Add("COMMIT;");
    script.Add("ALTER TRIGGER ACCVERSION_AFTER_UPDATE ACTIVE;");
}

std::int32_t ApplyV1304Repair(TUpdateScript& script, std::int32_t medicalChart)
{
    const TRepairFacts facts = ReadRepairFacts();
    if (facts.Unmarked.empty())
        return UpdateResultOk;
    if (!facts.ColumnExists) {
        static const char* const files[] = {"qhzup01.sql", "qhzup02.sql", "qhzup03.sql", "qhzup04.sql"};
        for (const char* file : files) {
            const std::string name = std::string("../1300/") + file;
            if (!script.BodyFileExists(name))
                return UpdateResultFileMissing;
            const std::string leftOut = medicalChart == 1 ? "qhzup03.sql" : "qhzup04.sql";
            if (leftOut != file)
                script.AddBodyFile(name);
        }
    }
    AppendV1304Marker(script, facts.Unmarked);
    return UpdateResultOk;
}

}  // namespace accupdate
