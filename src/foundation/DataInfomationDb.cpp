// The summary read from a company database, the state of a folder in the
// server modes, and the summary written back into the data.

#include "foundation/DataInfomation.h"

#include "foundation/AccRegStore.h"
#include "foundation/DataModule.h"
#include "foundation/DataModuleChecks.h"
#include "foundation/ErrorHandling.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "foundation/VersionUtils.h"
#include "platform/AsciiText.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"

#include <exception>
#include <variant>

namespace {

// The engine's "dynamic SQL error": the caller's statement is at fault, and
// the caller hears of it unchanged.
constexpr std::int32_t DynamicSqlError = 335544569;

const char* const BasicGroup = "基本設定";

std::int32_t SettingInt(const char* code)
{
    AccRegValue value;
    GetAccReg(BasicGroup, code, "整数", "0", value);
    return std::get<std::int32_t>(value);
}

db::Query CompanyQuery(const std::string& sql)
{
    return db::Query(DM->IBDatabaseDAT, DM->IBTransactionDAT, sql);
}

TVersionNumbers ReadDataVersion()
{
    db::Query q = CompanyQuery("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\nWHERE REC=1\nORDER BY MAJOR,MINOR1,MINOR2");
    q.Open();
    TVersionNumbers v;
    if (!q.Eof()) {
        v.MAJOR = q.FieldByName("MAJOR").AsInteger();
        v.MINOR1 = q.FieldByName("MINOR1").AsInteger();
        v.MINOR2 = q.FieldByName("MINOR2").AsInteger();
    }
    return v;
}

std::int32_t CountOf(const std::string& sql)
{
    db::Query q = CompanyQuery(sql);
    q.Open();
    return q.Eof() ? 0 : q.FieldByName("RECCNT").AsInteger();
}

std::string DateText(const db::Field& field)
{
    return DateToText(4, field.AsDateTime());
}

}  // namespace

void TDataInfomation::ReadSummaryFromDatabase(TDataInfomationRec& rec)
{
    {
        db::Query q = CompanyQuery(
            "SELECT ENTTEXT,DATATYPE,CODETYPE,SCODE1,SKANA,SHOUGOU,TANTOU,NENDO,KISHU,KIMATU,SITEN,BUMON,DATALOCK\n"
            "FROM ACCDEF1\nWHERE REC=1");
        q.Open();
        if (!q.Eof()) {
            rec.DATALISTNAME = q.FieldByName("ENTTEXT").AsString();
            rec.CODE = q.FieldByName("SCODE1").AsString();
            rec.DATAKBN = q.FieldByName("DATATYPE").AsInteger();
            rec.CODEKBN = q.FieldByName("CODETYPE").AsInteger();
            rec.SHOUGOU = q.FieldByName("SHOUGOU").AsString();
            rec.KANA = q.FieldByName("SKANA").AsString();
            rec.NENDO = q.FieldByName("NENDO").AsInteger();
            rec.KISHU = DateText(q.FieldByName("KISHU"));
            rec.KIMATU = DateText(q.FieldByName("KIMATU"));
            rec.TANTO = q.FieldByName("TANTOU").AsInteger();
            rec.SITEN = q.FieldByName("SITEN").AsInteger();
            rec.BUMON = q.FieldByName("BUMON").AsInteger();
            rec.UPDATE_LOCK = q.FieldByName("DATALOCK").AsInteger();
        }
    }
    rec.GASSANKBN = static_cast<std::uint8_t>(SettingInt("合算データ区分") & 0xFF);

    const TVersionNumbers version = ReadDataVersion();
    rec.VERSION1 = {version.MAJOR, version.MINOR1, version.MINOR2};
    if (version.MAJOR != 0 || version.MINOR1 != 0 || version.MINOR2 != 0)
        rec.VERSION2 = GetDataVersionLabel(version.MAJOR, version.MINOR1);

    if (rec.SITEN > 0)
        rec.SITENCNT = CountOf("SELECT COUNT(SCODE) AS RECCNT FROM SISETUMST\nWHERE SCODE <> ''");
    if (rec.BUMON > 0)
        rec.BUMONCNT = CountOf("SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST\nWHERE BCODE <> ''");

    if (IDataModuleChecks* checks = DataModuleChecks()) {
        rec.SIWAKE = checks->GetYukouSiwakeCount("");
        std::int32_t valid = 0;
        std::int32_t changed = 0;
        checks->GetSiwakeCount("", valid, changed);
        rec.TOTALSIWAKE = valid + changed;
    }

    try {
        rec.GASSANKBN = static_cast<std::uint8_t>(SettingInt("合算データ区分") & 0xFF);
    } catch (const std::exception&) {
        rec.GASSANKBN = 0;
    }
    rec.USEMYNUMBER = SettingInt("＃USE");

    const std::string versionText = VersionToText(version);
    if (TDM::IsCloudShareMode(false) && VersionGreater(versionText, "11.0.0")) {
        db::Query q = CompanyQuery("SELECT CLOUD_LINE\nFROM ACCDEF1\nWHERE REC=1");
        q.Open();
        rec.CLOUD_SHARE = (!q.Eof() && q.FieldByName("CLOUD_LINE").AsInteger() > 0) ? 1 : 0;
    }
    if (VersionAtLeast(versionText, "12.0.0")) {
        db::Query q = CompanyQuery("SELECT READ_ONLY\nFROM ACCDEF1\nWHERE REC=1");
        q.Open();
        if (!q.Eof())
            rec.READ_ONLY = q.FieldByName("READ_ONLY").AsInteger();
    }
}

bool TDataInfomation::GetDataInfoRec(TDataInfomationRec& rec)
{
    ClearDataInfoRec(rec);
    if (!DM)
        return false;
    const bool wasConnected = DM->IBDatabaseDAT.Connected();
    if (!wasConnected && !DM->fnAccDatConnected("", "", false))
        return false;
    const char* const failed = "基本情報の取得に失敗しました。\r(iniファイル)";
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        ReadSummaryFromDatabase(rec);
        transaction.Commit();
        return true;
    } catch (const db::FbError& error) {
        if (error.IBErrorCode() == DynamicSqlError) {
            if (!wasConnected)
                DM->fnAccDatDisConnected("", false, false);
            throw;
        }
        HandleIBError(error, "TDataInfomation.GetDataInfoRec", failed);
    } catch (const std::exception& error) {
        ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
    }
    if (!wasConnected)
        DM->fnAccDatDisConnected("", false, false);
    return false;
}

bool TDataInfomation::FolderFileExists(const std::string& folder) const
{
    return DM && DM->ServerFileExists(DataDbFileOfFolder(folder), ConnectionMode);
}

bool TDataInfomation::GetDataInfoRecOfFolder(const std::string& folder, TDataInfomationRec& rec)
{
    if (!FolderFileExists(folder) || !DM->fnAccDatConnected(SystemDef.HOSTNAME, folder, false))
        return false;
    const bool ok = GetDataInfoRec(rec);
    DM->fnAccDatDisConnected(folder, false, false);
    return ok;
}

bool TDataInfomation::ReadServerState(const std::string& host, const std::string& folder, TDataInfomationRec& rec)
{
    if (!DM)
        return true;
    const std::string upper = ascii::Upper(folder);
    const bool dataRoot = upper.find("/DATA/") != std::string::npos || upper.find("\\DATA\\") != std::string::npos;
    const std::string table = dataRoot ? "DATALIST" : "DATALIST_EX";
    const std::string version = VersionToText(SystemDef.SysDbVersion);
    const bool hasCloud = VersionAtLeast(version, "11.0.1");
    const bool hasReadOnly = VersionAtLeast(version, "12.0.0");

    const bool defWasConnected = DM->IBDatabaseDEF.Connected();
    try {
        if (!defWasConnected)
            DM->fnAccDefConnected(host, false);
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        // Paths keep their case here, so the stored path is compared as it is.
        db::Query q(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                    "SELECT D.DATALOCK,O.OPCODE,O.OPNAME,\n"
                    "D.ENTTEXT,D.DATACODE,D.DATATYPE,D.CODETYPE,D.SHOUGOU,D.NENDO,D.KISHU,D.KIMATU,D.TANTOU,"
                    "D.UPDATE_LOCK,D.VER_TEXT\n"
                    ",D.VER_MAJOR,D.VER_MINOR1,D.VER_MINOR2\n" +
                        std::string(hasCloud ? ",D.CLOUD\n" : ",0 AS CLOUD\n") +
                        (hasReadOnly ? ",D.READ_ONLY\n" : ",0 AS READ_ONLY\n") + "FROM " + table +
                        " D\n"
                        "LEFT JOIN OPERATOR O ON(D.GROUPID=O.GROUPID AND D.DATALOCK=O.OPCODE)\n"
                        "WHERE (D.DATALOCK<>0)AND(D.PASNAME=:PASNAME)AND(D.GROUPID=:GROUPID)");
        q.ParamByName("PASNAME").SetString(folder);
        q.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
        for (q.Open(); !q.Eof(); q.Next()) {
            rec.STATUS = DataStatusLocked;
            rec.OPCODE = q.FieldByName("OPCODE").AsInteger() + SystemDef.GROUPID * 10000;
            rec.OPERATOR = q.FieldByName("OPNAME").AsString();
            rec.DATALISTNAME = q.FieldByName("ENTTEXT").AsString();
            rec.CODE = q.FieldByName("DATACODE").AsString();
            rec.DATAKBN = q.FieldByName("DATATYPE").AsInteger();
            rec.CODEKBN = q.FieldByName("CODETYPE").AsInteger();
            rec.SHOUGOU = q.FieldByName("SHOUGOU").AsString();
            rec.NENDO = q.FieldByName("NENDO").AsInteger();
            rec.KISHU = DateText(q.FieldByName("KISHU"));
            rec.KIMATU = DateText(q.FieldByName("KIMATU"));
            rec.TANTO = q.FieldByName("TANTOU").AsInteger();
            rec.UPDATE_LOCK = q.FieldByName("UPDATE_LOCK").AsInteger();
            rec.VERSION1 = {q.FieldByName("VER_MAJOR").AsInteger(), q.FieldByName("VER_MINOR1").AsInteger(),
                            q.FieldByName("VER_MINOR2").AsInteger()};
            rec.VERSION2 = q.FieldByName("VER_TEXT").AsString();
            rec.CLOUD_SHARE = static_cast<std::uint8_t>(q.FieldByName("CLOUD").AsInteger() & 0xFF);
            rec.READ_ONLY = q.FieldByName("READ_ONLY").AsInteger();
        }
        q.Close();
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDataInfomation.ReadIniFile", "ロック情報の取得に失敗しました。");
    } catch (const std::exception&) {
        // The state then comes from the company database alone.
    }

    bool result = true;
    if (rec.STATUS == DataStatusLocked) {
        result = false;
    } else if (DM->fnAccDatConnected(host, folder, false)) {
        GetDataInfoRec(rec);
        DM->fnAccDatDisConnected(folder, false, false);
        rec.STATUS = DM->AccDatInConnection(1, host, folder, true) ? DataStatusInUse : DataStatusFree;
    } else {
        rec.STATUS = DataStatusUnknown;
    }
    if (!defWasConnected)
        DM->IBDatabaseDEF.Detach();
    return result;
}

void TDataInfomation::UpdateDataInfomation(const std::string& host, const std::string& folder,
                                           const TDataInfomationRec& rec)
{
    if (!DM || !DM->fnAccDatConnected(host, folder, false))
        return;
    const char* const failed = "データ情報の更新に失敗しました。";
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        std::string name = rec.DATALISTNAME;
        if (TrimZen(name).empty()) {
            db::Query q = CompanyQuery("SELECT ENTTEXT FROM ACCDEF1");
            q.Open();
            if (!q.Eof())
                name = q.FieldByName("ENTTEXT").AsString();
        }
        name = TrimZen(FixLenStrL(name, 40));
        const bool readOnly = VersionAtLeast(VersionToText(ReadDataVersion()), "12.0.0");
        db::Query update = CompanyQuery(std::string("UPDATE ACCDEF1 SET ENTTEXT=:ENTTEXT,DATALOCK=:DATALOCK") +
                                        (readOnly ? ",READ_ONLY=:READ_ONLY" : "") + "\nWHERE REC=1");
        update.ParamByName("ENTTEXT").SetString(name);
        update.ParamByName("DATALOCK").SetInteger(rec.UPDATE_LOCK);
        if (readOnly)
            update.ParamByName("READ_ONLY").SetInteger(rec.READ_ONLY);
        update.ExecSQL();
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.UpdateDataInfomation", failed);
    } catch (const std::exception& error) {
        ShowErrorMessage(failed, error.what(), TMsgDlgType::mtError);
    }
    DM->fnAccDatDisConnected(folder, false, false);
}
