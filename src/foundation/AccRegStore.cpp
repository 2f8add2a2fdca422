#include "foundation/AccRegStore.h"

#include "foundation/SettingText.h"

#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/QueryFactory.h"

#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <ibase.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

std::unique_ptr<db::Query> NewQuery()
{
    return CreateAccQuery("ACCDAT", false);
}

// How long a reader waits for another program's transaction that holds the
// key it wants to insert.
constexpr unsigned KeyWaitSeconds = 30;

// Another program inserted the same key first: the key rejects ours, at once
// when that program has committed, or (the company transaction does not
// wait) while its transaction still holds the key.
bool IsKeyTaken(const db::FbError& error)
{
    return error.HasCode(isc_unique_key_violation) || error.HasCode(isc_no_dup);
}

bool IsKeyRace(const db::FbError& error)
{
    return IsKeyTaken(error) || error.HasCode(isc_lock_conflict) || error.HasCode(isc_deadlock);
}

// The key row of a setting, in the order of the insert's four parameters.
struct KeyRow {
    const char* const* names;
    std::string values[4];
};

void InsertRow(db::Query& insert, const std::string& insertSql, const KeyRow& row)
{
    insert.SetSQL(insertSql);
    for (int i = 0; i < 4; ++i)
        insert.ParamByName(row.names[i]).SetString(row.values[i]);
    insert.ExecSQL();
}

// Waits until the transaction that holds the key has ended: the same insert
// in a transaction of its own that waits on the lock (up to its time-out,
// which ends the wait with the engine's error), rolled back whatever it
// gives.
void WaitForKey(const std::string& insertSql, const KeyRow& row)
{
    db::Transaction waiting(
        DM->IBDatabaseDAT,
        db::TransactionOptions(db::TransactionOptions::ReadCommitted()).SetLockTimeout(KeyWaitSeconds));
    waiting.Start();
    db::Query probe(DM->IBDatabaseDAT, waiting);
    try {
        InsertRow(probe, insertSql, row);
    } catch (const db::FbError& error) {
        // Only the committed key ends the wait well; a time-out goes to
        // the caller.
        if (!IsKeyTaken(error))
            throw;
    }
    waiting.Rollback();
}

bool ReadText(const std::string& selectSql, const std::string& textField, const KeyRow& row, std::string& text)
{
    auto query = NewQuery();
    query->SetSQL(selectSql);
    query->ParamByName(row.names[0]).SetString(row.values[0]);
    query->ParamByName(row.names[1]).SetString(row.values[1]);
    query->Open();
    const bool found = !query->Eof();
    if (found)
        text = query->FieldByName(textField).AsString();  // NULL reads as ""
    query->Close();
    return found;
}

// Reads a value, storing the default when the key is missing. When another
// program stores the same key between our read and our insert, its row wins:
// we read that one back, first waiting for that program's transaction to end
// while it is open (after its rollback the key is free again for ours).
std::string ReadOrInsert(const std::string& selectSql, const std::string& insertSql, const char* const names[4],
                         const std::string& textField, const std::string& group, const std::string& code,
                         const std::string& typeName, const std::string& defaultText)
{
    const KeyRow row{names, {group, code, typeName, defaultText}};
    std::string text;
    if (ReadText(selectSql, textField, row, text))
        return text;
    for (int attempt = 0;; ++attempt) {
        try {
            auto insert = NewQuery();
            InsertRow(*insert, insertSql, row);
            return defaultText;
        } catch (const db::FbError& error) {
            if (!IsKeyRace(error) || attempt >= 10)
                throw;
        }
        if (ReadText(selectSql, textField, row, text))
            return text;
        WaitForKey(insertSql, row);
        if (ReadText(selectSql, textField, row, text))
            return text;
    }
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

bool IsPicture(const std::string& kind)
{
    return kind == "画像" || kind == "BMP" || kind == "JPG";
}

const char* const AccRegNames[4] = {"AGROUP", "ACODE", "ATYPE", "ATEXT"};
const char* const MsdNames[4] = {"MDGROUP", "MDCODE", "MDTYPE", "MDTEXT1"};

}  // namespace

void GetAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const std::string& defaultText, AccRegValue& value)
{
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    const std::string text =
        ReadOrInsert("SELECT ATYPE,ATEXT FROM ACCREG WHERE AGROUP=:AGROUP AND ACODE=:ACODE ",
                     "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)", AccRegNames,
                     "ATEXT", group, code, typeName, defaultText);
    AccRegValue result = SettingFromText(text, typeName, TSettingTypes{true, false});
    transaction.Commit();
    value = std::move(result);
}

void PutAccReg(const std::string& group, const std::string& code, const std::string& typeName, const AccRegValue& value)
{
    std::string text;
    const bool hasText = SettingToText(value, typeName, true, text);
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = NewQuery();
    query->SetSQL("SELECT COUNT(AGROUP) AS RECCNT FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
    query->ParamByName("AGROUP").SetString(group);
    query->ParamByName("ACODE").SetString(code);
    query->Open();
    const bool exists = query->FieldByName("RECCNT").AsInteger() > 0;
    query->Close();
    if (exists) {
        query->SetSQL("UPDATE ACCREG SET ATEXT=:ATEXT WHERE AGROUP=:AGROUP AND ACODE=:ACODE");
    } else {
        query->SetSQL("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
        query->ParamByName("ATYPE").SetString(typeName);
    }
    query->ParamByName("AGROUP").SetString(group);
    query->ParamByName("ACODE").SetString(code);
    if (hasText)
        query->ParamByName("ATEXT").SetString(text);
    else
        query->ParamByName("ATEXT").SetNull();
    query->ExecSQL();
    transaction.Commit();
}

void DelAccReg(const std::string& group, const std::string& code)
{
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = NewQuery();
    query->SetSQL("DELETE FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
    query->ParamByName("AGROUP").SetString(group);
    query->ParamByName("ACODE").SetString(code);
    query->ExecSQL();
    transaction.Commit();
}

void GetAccRegBlob(const std::string& group, const std::string& key, const std::string& /*kind*/, AccRegValue& value)
{
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = NewQuery();
    query->SetSQL("SELECT FGROUP,FKEY,FTYPE,FVALUE FROM ACCREG_BLOB_BINARY WHERE FGROUP=:FGROUP AND FKEY=:FKEY");
    query->ParamByName("FGROUP").SetString(group);
    query->ParamByName("FKEY").SetString(key);
    query->Open();
    std::optional<AccRegValue> result;
    if (!query->Eof()) {
        // The stored kind decides, whatever the caller named.
        const std::string stored = query->FieldByName("FTYPE").AsString();
        const db::Field field = query->FieldByName("FVALUE");
        const std::string bytes = field.IsNull() ? std::string() : field.AsBlob();
        if (IsPicture(stored)) {
            const std::string file = SystemDef.WinTempDir + "/accreg-" + FormatDateTime("yyyymmddhhnnss", Now()) +
                                     (stored == "JPG" ? ".jpg" : ".bmp");
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out)
                throw std::runtime_error("AccReg: cannot write " + file);
            result = file;
        } else if (stored == "メモ") {
            result = JoinCrLf(SplitLines(bytes));
        }
    }
    query->Close();
    transaction.Commit();
    if (result)
        value = std::move(*result);
}

void PutAccRegBlob(const std::string& group, const std::string& key, const std::string& kind, const AccRegValue& value)
{
    std::optional<std::string> bytes;
    if (IsPicture(kind)) {
        const std::string& file = std::get<std::string>(value);
        std::ifstream in(file, std::ios::binary);
        if (!in)
            throw std::runtime_error("AccReg: cannot read " + file);
        bytes = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (kind == "メモ") {
        bytes = JoinCrLf(SplitLines(std::get<std::string>(value)));
    }
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = NewQuery();
    query->SetSQL("SELECT COUNT(FGROUP) AS RECCNT FROM ACCREG_BLOB_BINARY WHERE (FGROUP=:FGROUP) AND (FKEY=:FKEY)");
    query->ParamByName("FGROUP").SetString(group);
    query->ParamByName("FKEY").SetString(key);
    query->Open();
    const bool exists = query->FieldByName("RECCNT").AsInteger() > 0;
    query->Close();
    query->SetSQL(
        exists ? "UPDATE ACCREG_BLOB_BINARY SET FTYPE=:FTYPE,FVALUE=:FVALUE WHERE FGROUP=:FGROUP AND FKEY=:FKEY"
               : "INSERT INTO ACCREG_BLOB_BINARY(FGROUP,FKEY,FTYPE,FVALUE) VALUES(:FGROUP,:FKEY,:FTYPE,:FVALUE)");
    query->ParamByName("FGROUP").SetString(group);
    query->ParamByName("FKEY").SetString(key);
    query->ParamByName("FTYPE").SetString(kind);
    if (bytes)
        query->ParamByName("FVALUE").SetBlob(*bytes);
    else
        query->ParamByName("FVALUE").SetNull();
    query->ExecSQL();
    transaction.Commit();
}

void GetMsdHoukoku(const std::string& group, const std::string& code, const std::string& typeName,
                   const std::string& defaultText, AccRegValue& value)
{
    if (!DM->IBTransactionDAT.InTransaction())
        DM->IBTransactionDAT.Start();
    try {
        const std::string text = ReadOrInsert(
            "SELECT MDTEXT1 FROM MSD_HOUKOKU WHERE MDGROUP=:MDGROUP AND MDCODE=:MDCODE ",
            "INSERT INTO MSD_HOUKOKU(MDGROUP,MDCODE,MDTYPE,MDTEXT1) VALUES(:MDGROUP,:MDCODE,:MDTYPE,:MDTEXT1)",
            MsdNames, "MDTEXT1", group, code, typeName, defaultText);
        AccRegValue result = SettingFromText(text, typeName, TSettingTypes{false, false});
        // This reader ends whatever company transaction is open, the caller's too.
        DM->IBTransactionDAT.Commit();
        value = std::move(result);
    } catch (...) {
        if (DM->IBTransactionDAT.InTransaction()) {
            try {
                DM->IBTransactionDAT.Rollback();
            } catch (...) {
            }
        }
        throw;
    }
}

bool GetHoujinGaiyouKind()
{
    const auto read = [](const std::string& code) {
        AccRegValue value;
        GetAccReg("法人概要", code, "文字", "", value);
        return std::get<std::string>(value);
    };
    return read("財団社団") == "財団" || read("医療法人") == "社会" || read("医療法人") == "特定";
}

bool GetHoujinGaiyouKikin()
{
    AccRegValue value;
    GetAccReg("法人概要", "基金", "文字", "無", value);
    return std::get<std::string>(value) == "有";
}
