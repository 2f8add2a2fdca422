#include "dataselect/DataSentakuListCtl.h"

#include "dataselect/DataListRecords.h"
#include "dataselect/DataListSql.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/EraText.h"
#include "foundation/ErrorHandling.h"
#include "foundation/FolderOps.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "foundation/VersionUtils.h"
#include "platform/DateTime.h"
#include "platform/db/FbError.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

using datalist::BlankPath;
using datalist::FolderNumber;
using datalist::Lines;
using datalist::RunWriter;

namespace {

const char* const ListColumns =
    "ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,"
    "KYOYULOCK,TANTOU,";
const char* const GetListFailed = "データリストの取得に失敗しました。";

// "yyyy/mm/dd" of the information file; 0 for a text that is no date.
TDateTime DateFromInfoText(const std::string& text)
{
    int y = 0, m = 0, d = 0;
    char rest = 0;
    TDateTime value = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d%c", &y, &m, &d, &rest) != 3 || !TryEncodeDate(y, m, d, value))
        return 0;
    return value;
}

}  // namespace

std::int32_t FixedDataAreaCount()
{
    return AppInfo.Zaimu.DataListCnt < 1 ? 120 : AppInfo.Zaimu.DataListCnt;
}

TDataSentakuListCtl::TDataSentakuListCtl()
    : Sql(std::make_unique<db::Query>(DM->IBDatabaseDEF, DM->IBTransactionDEF)),
      Sql2(std::make_unique<db::Query>(DM->IBDatabaseDEF, DM->IBTransactionDEF))
{
    SetDataPlace(0);
    const std::string version = VersionToText(SystemDef.SysDbVersion);
    HasCloud = VersionAtLeast(version, "11.0.1") ? 1 : 0;
    HasReadOnly = VersionAtLeast(version, "12.0.0") ? 1 : 0;
}

TDataSentakuListCtl::~TDataSentakuListCtl() = default;

void TDataSentakuListCtl::SetDataPlace(std::int32_t place)
{
    DataPlaceRec = (ListMode == 0 || ListMode > 2) ? 0 : place;
    TableName = DataPlaceRec > 0 ? "DATALIST_EX" : "DATALIST";
}

void TDataSentakuListCtl::LearnColumns()
{
    if (hasDataStatus_)
        return;
    Sql->SetSQL(Lines({"SELECT COUNT(*) AS RECCNT FROM RDB$RELATION_FIELDS",
                       "WHERE (RDB$RELATION_NAME='DATALIST') AND (RDB$FIELD_NAME='DATA_STATUS')"}));
    Sql->Open();
    hasDataStatus_ = Sql->FieldByName("RECCNT").AsInteger() > 0;
    Sql->Close();
}

std::string TDataSentakuListCtl::SelectTail() const
{
    std::string tail = "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,";
    tail += hasDataStatus_.value_or(true) ? "DATA_STATUS,YOBI1,YOBI2,YOBI3"
                                          : "0 AS DATA_STATUS,'' AS YOBI1,'' AS YOBI2,'' AS YOBI3";
    tail += HasCloud ? "\n,CLOUD" : "\n,0 AS CLOUD";
    tail += HasReadOnly ? "\n,READ_ONLY" : "\n,0 AS READ_ONLY";
    return tail;
}

std::string TDataSentakuListCtl::PlaceLine() const
{
    return DataPlaceRec > 0 ? "AND (DATAPLACEREC=:DATAPLACEREC)" : "";
}

std::string TDataSentakuListCtl::UpdateSetLines(const std::string& table) const
{
    std::string last = "UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE";
    if (hasDataStatus_.value_or(true))
        last += ",DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,YOBI2=:YOBI2,YOBI3=:YOBI3";
    return Lines({"UPDATE " + table, "SET PASNAME=:PASNAME,ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU,NETDRIVE=:NETDRIVE,",
                  "DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,",
                  "DATALOCK=:DATALOCK,KYOYULOCK=:KYOYULOCK,TANTOU=:TANTOU,",
                  "VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,", last,
                  HasCloud ? ",CLOUD=:CLOUD" : "", HasReadOnly ? ",READ_ONLY=:READ_ONLY" : ""});
}

// Binds every parameter the statement names from the row and the store.
void TDataSentakuListCtl::BindRow(db::Query& query, const TDataListRec& rec) const
{
    for (const std::string& name : query.ParamNames()) {
        db::Param p = query.ParamByName(name);
        const auto text = [&](const std::string& v) { p.SetString(v); };
        if (name == "REC")
            p.SetInteger(rec.REC);
        else if (name == "ROWNO")
            p.SetInteger(rec.ROWNO);
        else if (name == "GROUPID")
            p.SetInteger(SystemDef.GROUPID);
        else if (name == "DRIVELETTER")
            text(ShareDriveLetter(rec.PASNAME));
        else if (name == "DATAPLACEREC")
            p.SetInteger(DataPlaceRec);
        else if (name == "PASNAME")
            text(rec.PASNAME);
        else if (name == "ENTTEXT")
            text(rec.ENTTEXT);
        else if (name == "SHOUGOU")
            text(rec.SHOUGOU);
        else if (name == "NETDRIVE")
            p.SetInteger(rec.NETDRIVE);
        else if (name == "DATATYPE")
            p.SetInteger(rec.DATATYPE);
        else if (name == "CODETYPE")
            p.SetInteger(rec.CODETYPE);
        else if (name == "NENDO")
            p.SetInteger(rec.NENDO);
        else if (name == "KISHU")
            p.SetDateTime(rec.KISHU);
        else if (name == "KIMATU")
            p.SetDateTime(rec.KIMATU);
        else if (name == "DATALOCK")
            p.SetInteger(rec.DATALOCK);
        else if (name == "KYOYULOCK")
            p.SetInteger(rec.KYOYULOCK);
        else if (name == "TANTOU")
            p.SetInteger(rec.TANTOU);
        else if (name == "VER_MAJOR")
            p.SetInteger(rec.VER_MAJOR);
        else if (name == "VER_MINOR1")
            p.SetInteger(rec.VER_MINOR1);
        else if (name == "VER_MINOR2")
            p.SetInteger(rec.VER_MINOR2);
        else if (name == "VER_TEXT")
            text(rec.VER_TEXT);
        else if (name == "UPDATE_LOCK")
            p.SetInteger(rec.UPDATE_LOCK);
        else if (name == "GASSAN")
            p.SetInteger(rec.GASSAN);
        else if (name == "DATACODE")
            text(rec.DATACODE);
        else if (name == "DATA_STATUS")
            p.SetInteger(rec.DATA_STATUS);
        else if (name == "YOBI1")
            text(rec.YOBI1);
        else if (name == "YOBI2")
            text(rec.YOBI2);
        else if (name == "YOBI3")
            text(rec.YOBI3);
        else if (name == "CLOUD")
            p.SetInteger(rec.CLOUD);
        else if (name == "READ_ONLY")
            p.SetInteger(rec.READ_ONLY);
        else
            throw std::logic_error("data list: no value for parameter " + name);
    }
}

// The current row of Sql into rec. A list row takes its path in the file
// system's form and drops NETDRIVE for a folder that is its own local one;
// a single-row read keeps the stored path and NETDRIVE.
void TDataSentakuListCtl::ReadRow(TDataListRec& rec, bool forList)
{
    const auto f = [&](const char* name) { return Sql->FieldByName(name); };
    rec.REC = f("REC").AsInteger();
    rec.ROWNO = f("ROWNO").AsInteger();
    rec.GROUPID = SystemDef.GROUPID;
    rec.DATACODE = f("DATACODE").AsString();
    rec.ENTTEXT = f("ENTTEXT").AsString();
    rec.SHOUGOU = f("SHOUGOU").AsString();
    rec.NENDO = f("NENDO").AsInteger();
    rec.KISHU = f("KISHU").AsDateTime();
    rec.KIMATU = f("KIMATU").AsDateTime();
    rec.KIKANTEXT = GetKikanText(rec.KISHU, rec.KIMATU);
    rec.NETDRIVE = f("NETDRIVE").AsInteger();
    rec.PASNAME = forList ? StoredPathToFolder(f("PASNAME").AsString()) : f("PASNAME").AsString();
    rec.TANTOU = f("TANTOU").AsInteger();
    rec.DATATYPE = f("DATATYPE").AsInteger();
    rec.CODETYPE = f("CODETYPE").AsInteger();
    rec.DATALOCK = f("DATALOCK").AsInteger();
    rec.KYOYULOCK = f("KYOYULOCK").AsInteger();
    rec.VER_MAJOR = f("VER_MAJOR").AsInteger();
    rec.VER_MINOR1 = f("VER_MINOR1").AsInteger();
    rec.VER_MINOR2 = f("VER_MINOR2").AsInteger();
    rec.VER_TEXT = f("VER_TEXT").AsString();
    rec.UPDATE_LOCK = f("UPDATE_LOCK").AsInteger();
    rec.GASSAN = static_cast<std::uint8_t>(f("GASSAN").AsInteger() & 0xFF);
    rec.DATA_STATUS = static_cast<std::uint8_t>(f("DATA_STATUS").AsInteger() & 0xFF);
    rec.YOBI1 = f("YOBI1").AsString();
    rec.YOBI2 = f("YOBI2").AsString();
    rec.YOBI3 = f("YOBI3").AsString();
    rec.DISPNAME = rec.ENTTEXT;
    rec.LOCALPATH = MakeLocalDataFolder(rec);
    if (forList) {
        if (rec.PASNAME == rec.LOCALPATH)
            rec.NETDRIVE = 0;
        rec.RESERVE_NO = 0;
        rec.RESERVE_TEXT.clear();
    }
    rec.CLOUD = static_cast<std::uint8_t>(f("CLOUD").AsInteger() & 0xFF);
    rec.READ_ONLY = f("READ_ONLY").AsInteger();
}

void TDataSentakuListCtl::Execute(std::int32_t excludeShared, std::uint8_t sortKind, bool descending,
                                  const std::string& orderText)
{
    DataList.clear();
    ChildList.clear();
    DataCount = 0;
    ChildListCount = 0;
    if (ServerList == 1)
        return;
    if (ListMode != 0)
        excludeShared = 0;
    Scope scope;
    try {
        LearnColumns();
        const std::string filters =
            Lines({excludeShared == 1 ? "AND (KYOYULOCK<>1)" : "", NendoFilter > 0 ? "AND (NENDO=:NENDO)" : "",
                   ShougouFilter.empty() ? "" : "AND (SHOUGOU=:SHOUGOU)", PlaceLine()});
        // The filters bind through a key row that carries their values.
        TDataListRec key;
        key.NENDO = NendoFilter;
        key.SHOUGOU = ShougouFilter;
        static const char* const where[] = {"WHERE (GROUPID=:GROUPID)", "WHERE (GROUPID=:GROUPID) AND (ENTTEXT<>'')",
                                            "WHERE (GROUPID=:GROUPID) AND (ENTTEXT='')"};
        Sql->SetSQL(
            Lines({"SELECT COUNT(REC) AS RECCNT FROM " + TableName, where[std::min<int>(ListFilter, 2)], filters}));
        BindRow(*Sql, key);
        Sql->Open();
        DataCount = Sql->FieldByName("RECCNT").AsInteger();
        Sql->Close();

        const bool columnSort = sortKind >= 2 && sortKind <= 7;
        static const char* const ascending[] = {"",
                                                "ORDER BY REC",
                                                "ORDER BY ENTTEXT,NENDO DESC,REC",
                                                "ORDER BY NENDO,REC",
                                                "ORDER BY KISHU,REC",
                                                "ORDER BY UPPER(PASNAME),REC",
                                                "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC",
                                                "ORDER BY DATACODE,NENDO DESC,REC"};
        static const char* const descendingLines[] = {
            "",
            "ORDER BY REC DESC",
            "ORDER BY ENTTEXT DESC,NENDO DESC,REC DESC",
            "ORDER BY NENDO DESC,REC DESC",
            "ORDER BY KISHU DESC,REC DESC",
            "ORDER BY UPPER(PASNAME) DESC,REC DESC",
            "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC",
            "ORDER BY DATACODE DESC,NENDO DESC,REC DESC"};
        std::string order;
        if (sortKind == 0)
            order = orderText;
        else if (sortKind <= 7)
            order = descending ? descendingLines[sortKind] : ascending[sortKind];

        // Rows beyond the count (added meanwhile by another operator) are
        // kept rather than written past the counted size.
        const auto readParents = [&] {
            for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
                TDataSentakuRec row;
                ReadRow(row.Data, true);
                DataList.push_back(std::move(row));
            }
            Sql->Close();
        };
        if (ListFilter != 2) {
            Sql->SetSQL(Lines({std::string("SELECT REC,0 AS ROWNO,") + ListColumns, SelectTail(), "FROM " + TableName,
                               "WHERE (GROUPID=:GROUPID)", (ListFilter != 0 || columnSort) ? "AND (ENTTEXT<>'')" : "",
                               filters, order}));
            BindRow(*Sql, key);
            readParents();
        }
        if ((ListFilter == 0 || ListFilter == 2) && columnSort) {
            const std::string blankOrder =
                sortKind == 5 ? (descending ? "ORDER BY PASNAME DESC,REC DESC" : "ORDER BY PASNAME,REC")
                              : (descending ? "ORDER BY REC DESC" : "ORDER BY REC");
            Sql->SetSQL(Lines({std::string("SELECT REC,0 AS ROWNO,") + ListColumns, SelectTail(), "FROM " + TableName,
                               "WHERE (GROUPID=:GROUPID) AND (ENTTEXT='')", filters, blankOrder}));
            BindRow(*Sql, key);
            readParents();
        }
        DataCount = static_cast<std::int32_t>(DataList.size());

        Sql->SetSQL(Lines({std::string("SELECT REC,ROWNO,") + ListColumns, SelectTail(), "FROM CHILD_DATALIST",
                           "WHERE (GROUPID=:GROUPID)", "ORDER BY REC,PASNAME"}));
        BindRow(*Sql, key);
        for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
            TDataListRec child;
            ReadRow(child, true);
            ChildList.push_back(child);
            const auto parent = std::find_if(DataList.begin(), DataList.end(),
                                             [&](const TDataSentakuRec& p) { return p.Data.REC == child.REC; });
            if (parent != DataList.end()) {
                parent->Children.push_back(child);
                parent->ChildCount = static_cast<std::int32_t>(parent->Children.size());
            }
        }
        Sql->Close();
        ChildListCount = static_cast<std::int32_t>(ChildList.size());
        scope.Commit();
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Rollback();
        HandleIBError(e, "TDataSentakuListCtl.Execute", GetListFailed);
    } catch (const std::exception& e) {
        Sql->Close();
        scope.Rollback();
        ShowErrorMessage(GetListFailed, e.what(), TMsgDlgType::mtError);
    }
}

void TDataSentakuListCtl::InitDataListRecord(TDataListRec& rec, const std::string& path)
{
    rec = TDataListRec{};
    rec.GROUPID = SystemDef.GROUPID;
    rec.NENDO = 1;
    rec.PASNAME = path;
    rec.LOCALPATH = MakeLocalDataFolder(rec);
}

void TDataSentakuListCtl::SetDataListRecordFromInfo(const TDataInfomationRec& info, TDataListRec& rec)
{
    rec.GROUPID = SystemDef.GROUPID;
    rec.DATACODE = info.CODE;
    rec.ENTTEXT = info.DATALISTNAME;
    rec.SHOUGOU = info.SHOUGOU;
    rec.NENDO = info.NENDO;
    rec.KISHU = DateFromInfoText(info.KISHU);
    rec.KIMATU = DateFromInfoText(info.KIMATU);
    rec.KIKANTEXT = GetKikanText(rec.KISHU, rec.KIMATU);
    rec.DATATYPE = info.DATAKBN;
    rec.CODETYPE = info.CODEKBN;
    rec.TANTOU = info.TANTO;
    rec.VER_MAJOR = info.VERSION1[0];
    rec.VER_MINOR1 = info.VERSION1[1];
    rec.VER_MINOR2 = info.VERSION1[2];
    rec.VER_TEXT = info.VERSION2;
    rec.UPDATE_LOCK = info.UPDATE_LOCK;
    if (rec.ROWNO > 0)
        rec.GASSAN = 10;
    const std::int32_t groupBase = SystemDef.GROUPID * 10000;
    rec.DATALOCK = (info.STATUS == DataStatusLocked && info.OPCODE != 0)
                       ? (groupBase != 0 ? info.OPCODE % groupBase : info.OPCODE)
                       : 0;
    if (info.SHARE_STATUS == 2 && info.SHARE_OPCODE == SystemDef.OPCODE)
        rec.KYOYULOCK = 1;
    rec.CLOUD = info.CLOUD_SHARE;
    rec.READ_ONLY = info.READ_ONLY;
    const bool blankName =
        rec.ENTTEXT.empty() || (rec.NETDRIVE != 0 && (rec.ENTTEXT == FreeAreaText || rec.ENTTEXT == NewAreaText));
    if (blankName)
        rec.ENTTEXT = rec.SHOUGOU;
    rec.DISPNAME = rec.ENTTEXT;
    rec.LOCALPATH = MakeLocalDataFolder(rec);
}

bool TDataSentakuListCtl::GetLocalPathToData(const std::string& path, TDataListRec& rec)
{
    if (ServerList == 1)
        return true;
    rec.PASNAME = path;
    if (BlankPath(path))
        return false;
    if (ListMode == 1 || ListMode == 2)
        return true;
    return RunPathLookup("TDataSentakuListCtl.GetLocalPathToData", [&] {
        const bool child = rec.GASSAN == 10;
        const std::string table = child ? "CHILD_DATALIST" : "DATALIST";
        Sql->SetSQL(
            Lines({"SELECT COUNT(REC) AS RECCNT FROM " + table, "WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)"}));
        BindRow(*Sql, rec);
        Sql->Open();
        const std::int32_t count = Sql->FieldByName("RECCNT").AsInteger();
        Sql->Close();
        if (count == 0 && GetUNCName(path) == path) {
            // A local copy of a shared row: its folder number (the parent's
            // for a child) names the registered row.
            const std::string folder = ExcludePathDelim(path);
            const std::size_t slash = folder.rfind('/');
            const std::string parent = slash == std::string::npos ? std::string() : folder.substr(0, slash);
            TDataListRec key = rec;
            key.REC = FolderNumber(LastPathComponent(child ? parent : folder));
            Sql->SetSQL(Lines({"SELECT PASNAME FROM " + table, "WHERE (REC=:REC)"}));
            BindRow(*Sql, key);
            for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
                const std::string stored = Sql->FieldByName("PASNAME").AsString();
                if (child && LastPathComponent(stored) != LastPathComponent(folder))
                    continue;
                rec.PASNAME = stored;
                rec.LOCALPATH = MakeLocalDataFolder(rec);
            }
            Sql->Close();
        }
    });
}

bool TDataSentakuListCtl::RunPathLookup(const char* location, const std::function<void()>& body)
{
    Scope scope;
    try {
        body();
        scope.Commit();
        return true;
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Rollback();
        HandleIBError(e, location, "");
        return false;
    }
}

void TDataSentakuListCtl::GetDataListRecord(std::uint8_t mode, TDataListRec& rec, bool showError)
{
    if (ServerList == 1)
        return;
    std::string stopPath;
    if (mode == 1) {
        stopPath = rec.PASNAME;
        if (!GetLocalPathToData(rec.PASNAME, rec)) {
            InitDataListRecord(rec, "");
            return;
        }
    } else if (mode != 0) {
        InitDataListRecord(rec, "");
        return;
    }
    Scope scope;
    try {
        LearnColumns();
        const bool child = rec.GASSAN == 10;
        const std::string head = child ? std::string("SELECT REC,ROWNO,") + ListColumns
                                       : std::string("SELECT REC,0 AS ROWNO,") + ListColumns;
        const std::string table = child ? "CHILD_DATALIST" : TableName;
        std::string where;
        if (mode == 0)
            where = child ? "WHERE (REC=:REC) AND (ROWNO=:ROWNO) AND (GROUPID=:GROUPID)"
                          : "WHERE (REC=:REC) AND (GROUPID=:GROUPID)";
        else
            where = "WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)";
        Sql->SetSQL(Lines({head, SelectTail(), "FROM " + table, where, child ? "" : PlaceLine()}));
        BindRow(*Sql, rec);
        for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
            const std::int32_t reserveNo = rec.RESERVE_NO;
            const std::string reserveText = rec.RESERVE_TEXT;
            ReadRow(rec, false);
            rec.RESERVE_NO = reserveNo;
            rec.RESERVE_TEXT = reserveText;
            if (!stopPath.empty() && rec.LOCALPATH == ExcludePathDelim(stopPath))
                break;
        }
        Sql->Close();
        scope.Commit();
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Commit();
        if (!showError)
            throw;
        HandleIBError(e, "TDataSentakuListCtl.GetDataListRecord", GetListFailed);
    } catch (const std::exception& e) {
        Sql->Close();
        scope.Commit();
        if (!showError)
            throw;
        ShowErrorMessage(GetListFailed, e.what(), TMsgDlgType::mtError);
    }
}

bool TDataSentakuListCtl::InsertDataListRecord(TDataListRec& rec, bool showError)
{
    if (ServerList == 1)
        return true;
    if (BlankPath(rec.PASNAME))
        return false;
    if (ListMode == 0)
        return true;  // the fixed areas of the stand-alone list are only updated
    return RunWriter(
        *Sql, showError, "TDataSentakuListCtl.InsertDataListRecord", "データリストの追加に失敗しました。", true, [&] {
            LearnColumns();
            rec.REC = GetDataFolderName(1);
            const bool status = hasDataStatus_.value_or(true);
            const std::string place = DataPlaceRec > 0 ? "DATAPLACEREC," : "";
            Sql->SetSQL(Lines({"INSERT INTO " + TableName + "(" + place +
                                   "REC,GROUPID,PASNAME,ENTTEXT,SHOUGOU,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,"
                                   "KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
                               std::string("VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,GASSAN,DATACODE,") +
                                   (status ? "DATA_STATUS,YOBI1,YOBI2,YOBI3," : "") + "UPDATE_LOCK",
                               HasCloud ? ",CLOUD" : "", HasReadOnly ? ",READ_ONLY" : "", ")",
                               "VALUES(" + (place.empty() ? std::string() : ":DATAPLACEREC,") +
                                   ":REC,:GROUPID,:PASNAME,:ENTTEXT,:SHOUGOU,:NETDRIVE,:DATATYPE,:CODETYPE,:NENDO,"
                                   ":KISHU,:KIMATU,:DATALOCK,",
                               std::string(":KYOYULOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:GASSAN,"
                                           ":DATACODE,") +
                                   (status ? ":DATA_STATUS,:YOBI1,:YOBI2,:YOBI3," : "") + ":UPDATE_LOCK",
                               HasCloud ? ",:CLOUD" : "", HasReadOnly ? ",:READ_ONLY" : "", ")"}));
            BindRow(*Sql, rec);
            Sql->ExecSQL();
        });
}

bool TDataSentakuListCtl::UpdateDataListRecord(const TDataListRec& given, std::int32_t withNames, bool showError)
{
    if (ServerList == 1)
        return true;
    const TDataListRec rec = given;
    if (rec.REC == 0 || BlankPath(rec.PASNAME))
        return false;
    if (rec.GASSAN == 10)
        return UpdateDataListChildRecord(rec, withNames, showError);
    return RunWriter(*Sql, showError, "TDataSentakuListCtl.UpdateDataListRecord", "データリストの更新に失敗しました。",
                     true, [&] {
                         LearnColumns();
                         if (ListMode == 1 || ListMode == 2) {
                             // Another operator may have renumbered the list:
                             // write only while REC still names this folder.
                             Sql->SetSQL(Lines({"SELECT PASNAME FROM " + TableName, "WHERE (REC=:REC)", PlaceLine()}));
                             BindRow(*Sql, rec);
                             std::optional<std::string> stored;
                             for (Sql->Open(); !Sql->Eof(); Sql->Next())
                                 stored = Sql->FieldByName("PASNAME").AsString();
                             Sql->Close();
                             if (!stored || *stored != rec.PASNAME)
                                 return;
                         }
                         Sql->SetSQL(Lines({UpdateSetLines(TableName), "WHERE (REC=:REC)", PlaceLine()}));
                         BindRow(*Sql, rec);
                         Sql->ExecSQL();
                         if (rec.SHOUGOU.empty() && rec.KISHU == 0 && rec.KIMATU == 0) {
                             Sql->SetSQL(Lines({"DELETE FROM CHILD_DATALIST", "WHERE REC=:REC AND GROUPID=:GROUPID"}));
                             BindRow(*Sql, rec);
                             Sql->ExecSQL();
                         }
                         if (rec.NETDRIVE == 1) {
                             TDataListRec area = rec;
                             UpdateServerDataListRecord(area, withNames, false);
                         }
                     });
}

bool TDataSentakuListCtl::UpdateDataListChildRecord(const TDataListRec& given, std::int32_t withNames, bool showError)
{
    (void)withNames;
    if (ListMode == 1 || ListMode == 2 || ServerList == 1)
        return true;
    const TDataListRec rec = given;
    if (BlankPath(rec.PASNAME))
        return false;
    return RunWriter(*Sql, showError, "TDataSentakuListCtl.UpdateDataListChildRecord",
                     "(子)データリストの更新に失敗しました。", false, [&] {
                         LearnColumns();
                         const std::string where = "WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID";
                         Sql->SetSQL(Lines({"SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST", where}));
                         BindRow(*Sql, rec);
                         Sql->Open();
                         const bool found = Sql->FieldByName("RECCNT").AsInteger() > 0;
                         Sql->Close();
                         if (found) {
                             Sql->SetSQL(Lines({UpdateSetLines("CHILD_DATALIST"), where}));
                         } else {
                             const bool status = hasDataStatus_.value_or(true);
                             Sql->SetSQL(Lines(
                                 {"INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,"
                                  "DATATYPE,CODETYPE,NENDO,",
                                  std::string("KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,"
                                              "KYOYULOCK,UPDATE_LOCK,GASSAN,DATACODE") +
                                      (status ? ",DATA_STATUS,YOBI1,YOBI2,YOBI3" : ""),
                                  HasCloud ? ",CLOUD" : "", HasReadOnly ? ",READ_ONLY" : "", ")",
                                  "VALUES(:REC,:ROWNO,:GROUPID,:ENTTEXT,:SHOUGOU,:PASNAME,:NETDRIVE,:DATATYPE,"
                                  ":CODETYPE,:NENDO,",
                                  std::string(":KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,"
                                              ":VER_TEXT,:KYOYULOCK,:UPDATE_LOCK,:GASSAN,:DATACODE") +
                                      (status ? ",:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3" : ""),
                                  HasCloud ? ",:CLOUD" : "", HasReadOnly ? ",:READ_ONLY" : "", ")"}));
                         }
                         BindRow(*Sql, rec);
                         Sql->ExecSQL();
                         if (rec.NETDRIVE == 1) {
                             TDataListRec area = rec;
                             UpdateServerDataListChildRecord(area, 1, false);
                         }
                     });
}

bool TDataSentakuListCtl::DeleteDataListRecord(const TDataListRec& given, bool showError)
{
    if (ServerList == 1)
        return true;
    const TDataListRec rec = given;
    if (BlankPath(rec.PASNAME))
        return false;
    if (ListMode == 0 && rec.GASSAN == 10)
        return DeleteDataListChildRecord(rec, showError);
    return RunWriter(
        *Sql, showError, "TDataSentakuListCtl.DeleteDataListRecord", "データリストの削除に失敗しました。", true, [&] {
            // The fixed areas are never deleted; the screens blank them.
            TDataListRec key = rec;
            key.REC = FixedDataAreaCount();
            Sql->SetSQL(Lines({"DELETE FROM " + TableName, "WHERE (PASNAME=:PASNAME) AND (REC>:REC)", PlaceLine()}));
            BindRow(*Sql, key);
            Sql->ExecSQL();
            DeleteDataListChildRecord(rec, false);
        });
}

bool TDataSentakuListCtl::DeleteDataListChildRecord(const TDataListRec& given, bool showError)
{
    if (ListMode == 1 || ListMode == 2 || ServerList == 1)
        return true;
    const TDataListRec rec = given;
    if (BlankPath(rec.PASNAME))
        return false;
    const bool child = rec.GASSAN == 10;
    return RunWriter(*Sql, showError, "TDataSentakuListCtl.DeleteDataListChildRecord",
                     "(子)データリストの削除に失敗しました。", false, [&] {
                         Sql->SetSQL(Lines({"DELETE FROM CHILD_DATALIST",
                                            child ? "WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID"
                                                  : "WHERE REC=:REC AND GROUPID=:GROUPID"}));
                         BindRow(*Sql, rec);
                         Sql->ExecSQL();
                         if (rec.NETDRIVE != 1)
                             return;
                         // The area's children on the share server: the child
                         // itself, or every folder below the area. STARTING
                         // WITH, not LIKE: a "_" or "%" in a folder name must
                         // not reach the children of another area.
                         TDataListRec key = rec;
                         if (!child)
                             key.PASNAME = ExcludePathDelim(rec.PASNAME) + "/";
                         Sql->SetSQL(Lines({"DELETE FROM CHILD_SERVERDATALIST",
                                            std::string("WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND ") +
                                                (child ? "PASNAME=:PASNAME" : "PASNAME STARTING WITH :PASNAME")}));
                         BindRow(*Sql, key);
                         Sql->ExecSQL();
                     });
}

void TDataSentakuListCtl::RenumberDataList()
{
    if (ServerList == 1 || !(ListMode == 1 || ListMode == 2))
        return;
    Scope scope;
    const std::string place = DataPlaceRec > 0 ? "AND (DATAPLACEREC=" + std::to_string(DataPlaceRec) + ")" : "";
    Sql->SetSQL(Lines({"UPDATE " + TableName + " SET REC=:NEWREC", "WHERE (REC=:OLDREC)", place}));
    Sql2->SetSQL(Lines({"SELECT REC FROM " + TableName, "WHERE (REC>:REC)", place, "ORDER BY REC"}));
    Sql2->ParamByName("REC").SetInteger(FixedDataAreaCount());
    std::vector<std::int32_t> recs;
    for (Sql2->Open(); !Sql2->Eof(); Sql2->Next())
        recs.push_back(Sql2->FieldByName("REC").AsInteger());
    Sql2->Close();
    std::int32_t next = FixedDataAreaCount() + 1;
    for (const std::int32_t rec : recs) {
        if (rec != next) {
            Sql->ParamByName("NEWREC").SetInteger(next);
            Sql->ParamByName("OLDREC").SetInteger(rec);
            Sql->ExecSQL();
        }
        ++next;
    }
    scope.Commit();
}

void TDataSentakuListCtl::GetDataListChildRecord(TDataSentakuRec& rec, bool showError)
{
    if (ServerList == 1 || ListMode != 0)
        return;
    if (rec.Data.GASSAN != 1 && rec.Data.GASSAN != 2)
        return;
    Scope scope;
    try {
        LearnColumns();
        Sql->SetSQL(Lines({std::string("SELECT REC,ROWNO,") + ListColumns, SelectTail(), "FROM CHILD_DATALIST",
                           "WHERE (REC=:REC) AND (GROUPID=:GROUPID)", "ORDER BY PASNAME"}));
        BindRow(*Sql, rec.Data);
        rec.Children.clear();
        for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
            TDataListRec child;
            ReadRow(child, false);
            rec.Children.push_back(child);
        }
        Sql->Close();
        rec.ChildCount = static_cast<std::int32_t>(rec.Children.size());
        scope.Commit();
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Commit();
        if (!showError)
            throw;
        HandleIBError(e, "TDataSentakuListCtl.GetDataListChildRecord", GetListFailed);
    }
}

std::int32_t TDataSentakuListCtl::GetDataFolderName(std::int32_t add)
{
    if (ServerList == 1)
        return 0;
    Scope scope;
    try {
        Sql->SetSQL(Lines({"SELECT MAX(REC) AS RECMAX FROM " + TableName, "WHERE (GROUPID=:GROUPID)", PlaceLine()}));
        BindRow(*Sql, {});
        Sql->Open();
        const std::int32_t max = Sql->FieldByName("RECMAX").AsInteger();
        Sql->Close();
        scope.Commit();
        return max + add;
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Commit();
        HandleIBError(e, "TDataSentakuListCtl.GetDataFolderName", "最大のレコー番号の取得に失敗しました。");
        return 0;
    }
}

bool TDataSentakuListCtl::IsDataPathToroku(const std::string& path)
{
    if (ServerList == 1)
        return true;
    Scope scope;
    try {
        TDataListRec key;
        key.PASNAME = path;
        Sql->SetSQL(Lines({"SELECT COUNT(REC) AS RECCNT FROM " + TableName,
                           "WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)", PlaceLine()}));
        BindRow(*Sql, key);
        Sql->Open();
        const bool found = Sql->FieldByName("RECCNT").AsInteger() > 0;
        Sql->Close();
        scope.Commit();
        return found;
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Commit();
        HandleIBError(e, "TDataSentakuListCtl.IsDataPathToroku", "データリストの登録チェックに失敗しました。");
        return false;
    }
}

std::int32_t TDataSentakuListCtl::GetDataListRecByPath(const std::string& path)
{
    Scope scope;
    try {
        TDataListRec key;
        key.PASNAME = path;
        Sql->SetSQL(Lines({"SELECT REC FROM " + TableName, "WHERE (PASNAME=:PASNAME)", PlaceLine()}));
        BindRow(*Sql, key);
        Sql->Open();
        const std::int32_t rec = Sql->Eof() ? 0 : Sql->FieldByName("REC").AsInteger();
        Sql->Close();
        scope.Commit();
        return rec;
    } catch (const std::exception&) {
        Sql->Close();
        return 0;
    }
}

bool TDataSentakuListCtl::IsDataListEmpty()
{
    Scope scope;
    try {
        Sql->SetSQL(Lines({"SELECT COUNT(REC) AS RECCNT FROM " + TableName, "WHERE (ENTTEXT<>'') AND (SHOUGOU<>'')"}));
        Sql->Open();
        const bool empty = Sql->FieldByName("RECCNT").AsInteger() == 0;
        Sql->Close();
        scope.Commit();
        return empty;
    } catch (const std::exception&) {
        Sql->Close();
        return false;
    }
}

void TDataSentakuListCtl::NumberChildNames(TDataSentakuRec& rec)
{
    char number[16];
    for (std::size_t i = 0; i < rec.Children.size(); ++i) {
        std::snprintf(number, sizeof number, "%.2d ", static_cast<int>(i + 1));
        rec.Children[i].DISPNAME = number + rec.Children[i].ENTTEXT;
    }
}

void TDataSentakuListCtl::RemoveChildRow(TDataSentakuRec& rec, std::int32_t index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < rec.Children.size())
        rec.Children.erase(rec.Children.begin() + index);
    rec.ChildCount = static_cast<std::int32_t>(rec.Children.size());
}
