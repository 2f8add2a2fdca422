// The share-server side of the data-list store: the area lists of share
// drives (SERVERDATALIST, CHILD_SERVERDATALIST) and the row number of a
// data folder.

#include "dataselect/DataListRecords.h"
#include "dataselect/DataListSql.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataPathSplit.h"
#include "foundation/FolderOps.h"
#include "foundation/SystemDef.h"

#include <cstdio>
#include <filesystem>
#include <optional>

using datalist::BlankPath;
using datalist::FolderNumber;
using datalist::Lines;
using datalist::RunWriter;

namespace {

// The share-server tables have no NETDRIVE and KYOYULOCK: their rows are
// shared ones that nobody here has taken.
const char* const ServerColumns =
    "ENTTEXT,SHOUGOU,PASNAME,1 AS NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,0 AS KYOYULOCK,TANTOU,";
const char* const ServerRowWhere = "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME=:PASNAME)";

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The folder that holds the path; empty when it has no separator.
std::string ParentFolder(const std::string& path)
{
    const std::string folder = ExcludePathDelim(path);
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

bool FolderExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(GetUNCName(path), ec);
}

}  // namespace

std::string ShareDriveLetter(const std::string& path)
{
    return FixLenStrL(path, 1);
}

std::string TDataSentakuListCtl::ServerSetLines(const std::string& table, std::int32_t withNames) const
{
    std::string last = "UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE";
    if (hasDataStatus_.value_or(true))
        last += ",DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,YOBI2=:YOBI2,YOBI3=:YOBI3";
    return Lines({"UPDATE " + table, "SET PASNAME=:PASNAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,",
                  "NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,DATALOCK=:DATALOCK,TANTOU=:TANTOU,",
                  "VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,", last,
                  withNames == 1 ? ",ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU" : "", HasCloud ? ",CLOUD=:CLOUD" : "",
                  HasReadOnly ? ",READ_ONLY=:READ_ONLY" : ""});
}

std::string TDataSentakuListCtl::ServerInsertLines(const std::string& table) const
{
    const bool child = table == "CHILD_SERVERDATALIST";
    const bool status = hasDataStatus_.value_or(true);
    return Lines({"INSERT INTO " + table + "(GROUPID,DRIVELETTER,REC," + (child ? "ROWNO," : "") +
                      "ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,",
                  std::string("NENDO,KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,"
                              "GASSAN,DATACODE") +
                      (status ? ",DATA_STATUS,YOBI1,YOBI2,YOBI3" : ""),
                  HasCloud ? ",CLOUD" : "", HasReadOnly ? ",READ_ONLY" : "", ")",
                  std::string("VALUES(:GROUPID,:DRIVELETTER,:REC,") + (child ? ":ROWNO," : "") +
                      ":ENTTEXT,:SHOUGOU,:PASNAME,:DATATYPE,:CODETYPE,",
                  std::string(":NENDO,:KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,"
                              ":UPDATE_LOCK,:GASSAN,:DATACODE") +
                      (status ? ",:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3" : ""),
                  HasCloud ? ",:CLOUD" : "", HasReadOnly ? ",:READ_ONLY" : "", ")"});
}

// Reads the open statement's share-server rows: into parents, or (children)
// into ChildList and under the first parent of the same REC.
void TDataSentakuListCtl::ReadServerRows(TDataSentakuRecArray* parents, bool children)
{
    for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
        TDataListRec row;
        ReadRow(row, true);
        row.NETDRIVE = 1;
        row.KYOYULOCK = 0;
        row.LOCALPATH = MakeLocalDataFolder(row);
        if (!children) {
            TDataSentakuRec parent;
            parent.Data = row;
            parents->push_back(std::move(parent));
            continue;
        }
        ChildList.push_back(row);
        for (TDataSentakuRec& parent : DataList) {
            if (parent.Data.REC == row.REC) {
                parent.Children.push_back(row);
                parent.ChildCount = static_cast<std::int32_t>(parent.Children.size());
                break;
            }
        }
    }
    Sql->Close();
}

void TDataSentakuListCtl::ServerExecute(std::uint8_t mode, const std::string& drivePath, std::uint8_t sortKind,
                                        bool descending, const std::string& orderText)
{
    (void)orderText;  // the share-server list knows no caller's order
    DataList.clear();
    ChildList.clear();
    DataCount = 0;
    ChildListCount = 0;
    if (ServerList == 0)
        return;
    const char* const failed = "共有データリストの取得に失敗しました。";
    Scope scope;
    try {
        LearnColumns();
        TDataListRec key;
        key.PASNAME = drivePath;
        const std::string driveWhere = "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)";
        if (mode == 0) {
            const bool namedFirst = sortKind == 2 || sortKind == 3 || sortKind == 4 || sortKind == 6 || sortKind == 7;
            std::string order;
            switch (sortKind) {
            case 2:
                order = descending ? "ORDER BY ENTTEXT DESC,PASNAME DESC" : "ORDER BY ENTTEXT,PASNAME";
                break;
            case 3:
                order = descending ? "ORDER BY NENDO DESC,PASNAME DESC" : "ORDER BY NENDO,PASNAME";
                break;
            case 4:
                order = descending ? "ORDER BY KISHU DESC,PASNAME DESC" : "ORDER BY KISHU,PASNAME";
                break;
            case 5:
                order = descending ? "ORDER BY PASNAME DESC" : "ORDER BY PASNAME";
                break;
            case 6:
                order = descending ? "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC"
                                   : "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC";
                break;
            case 7:
                order = descending ? "ORDER BY DATACODE DESC,REC DESC" : "ORDER BY DATACODE,REC";
                break;
            default:
                order = "ORDER BY PASNAME";
                break;
            }
            const std::string areaText = std::string("'") + FreeAreaText + "'";
            const std::string newText = std::string("'") + NewAreaText + "'";
            const std::string head = std::string("SELECT REC,0 AS ROWNO,") + ServerColumns;
            Sql->SetSQL(
                Lines({head, SelectTail(), "FROM SERVERDATALIST", driveWhere,
                       namedFirst ? "AND (ENTTEXT<>'' AND ENTTEXT<>" + areaText + " AND ENTTEXT<>" + newText + ")" : "",
                       order}));
            BindRow(*Sql, key);
            ReadServerRows(&DataList, false);
            if (namedFirst) {
                Sql->SetSQL(
                    Lines({head, SelectTail(), "FROM SERVERDATALIST",
                           driveWhere + " AND (ENTTEXT='' OR ENTTEXT=" + areaText + " OR ENTTEXT=" + newText + ")",
                           "ORDER BY PASNAME"}));
                BindRow(*Sql, key);
                ReadServerRows(&DataList, false);
            }
            DataCount = static_cast<std::int32_t>(DataList.size());
            Sql->SetSQL(Lines({std::string("SELECT REC,ROWNO,") + ServerColumns, SelectTail(),
                               "FROM CHILD_SERVERDATALIST", driveWhere, "ORDER BY REC,PASNAME"}));
            BindRow(*Sql, key);
            ReadServerRows(nullptr, true);
            ChildListCount = static_cast<std::int32_t>(ChildList.size());
        } else if (mode == 1) {
            for (const char* table : {"DELETE FROM SERVERDATALIST", "DELETE FROM CHILD_SERVERDATALIST"}) {
                Sql->SetSQL(Lines({table, driveWhere}));
                BindRow(*Sql, key);
                Sql->ExecSQL();
            }
            const auto blankArea = [&](const std::string& path) {
                TDataListRec area;
                InitDataListRecord(area, "");
                area.ENTTEXT = FreeAreaText;
                area.NENDO = 0;
                area.KIKANTEXT = "～";
                area.NETDRIVE = 1;
                area.PASNAME = path;
                return area;
            };
            std::vector<std::string> names;
            GetServerSubFolders(drivePath, names);
            for (const std::string& name : names) {
                TDataSentakuRec parent;
                parent.Data = blankArea(ExcludePathDelim(drivePath) + "/" + name);
                std::vector<std::string> childNames;
                GetServerSubFolders(parent.Data.PASNAME, childNames);
                for (std::size_t i = 0; i < childNames.size(); ++i) {
                    TDataListRec child = blankArea(parent.Data.PASNAME + "/" + childNames[i]);
                    child.ROWNO = static_cast<std::int32_t>(i + 1);
                    child.GASSAN = 10;
                    ChildList.push_back(child);
                    parent.Children.push_back(child);
                }
                parent.ChildCount = static_cast<std::int32_t>(parent.Children.size());
                DataList.push_back(std::move(parent));
            }
            DataCount = static_cast<std::int32_t>(DataList.size());
            ChildListCount = static_cast<std::int32_t>(ChildList.size());
        }
        scope.Commit();
    } catch (const db::FbError& e) {
        Sql->Close();
        scope.Rollback();
        HandleIBError(e, "TDataSentakuListCtl.ServerExecute", failed);
    } catch (const std::exception& e) {
        Sql->Close();
        scope.Rollback();
        ShowErrorMessage(failed, e.what(), TMsgDlgType::mtError);
    }
}

bool TDataSentakuListCtl::UpdateServerDataListRecord(TDataListRec& rec, std::int32_t withNames, bool showError)
{
    if (rec.NETDRIVE == 0)
        return true;
    if (rec.GASSAN == 10)
        return UpdateServerDataListChildRecord(rec, withNames, showError);
    return RunWriter(
        *Sql, showError, "TDataSentakuListCtl.UpdateServerDataListRecord", "共有データリストの更新に失敗しました。",
        false, [&] {
            LearnColumns();
            Sql->SetSQL(Lines({"SELECT REC FROM SERVERDATALIST", ServerRowWhere}));
            BindRow(*Sql, rec);
            rec.REC = 0;
            for (Sql->Open(); !Sql->Eof(); Sql->Next())
                rec.REC = Sql->FieldByName("REC").AsInteger();
            Sql->Close();
            if (FolderExists(rec.PASNAME)) {
                if (rec.REC != 0) {
                    Sql->SetSQL(Lines({ServerSetLines("SERVERDATALIST", withNames),
                                       "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND "
                                       "(REC=:REC)"}));
                } else {
                    Sql->SetSQL(Lines({"SELECT MAX(REC) AS RECMAX FROM SERVERDATALIST",
                                       "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)"}));
                    BindRow(*Sql, rec);
                    Sql->Open();
                    rec.REC = Sql->FieldByName("RECMAX").AsInteger() + 1;
                    Sql->Close();
                    Sql->SetSQL(ServerInsertLines("SERVERDATALIST"));
                }
                BindRow(*Sql, rec);
                Sql->ExecSQL();
            }
            // An area that holds no data and carries no area
            // label is no area: its row goes (children follow).
            if (rec.ENTTEXT != FreeAreaText && rec.ENTTEXT != NewAreaText && rec.KISHU == 0 && rec.KIMATU == 0) {
                Sql->SetSQL(Lines({"DELETE FROM SERVERDATALIST",
                                   "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND "
                                   "(REC=:REC)"}));
                BindRow(*Sql, rec);
                Sql->ExecSQL();
            }
            Sql->SetSQL(Lines({"UPDATE DATALIST", "SET DATALOCK=:DATALOCK", "WHERE PASNAME=:PASNAME"}));
            BindRow(*Sql, rec);
            Sql->ExecSQL();
        });
}

bool TDataSentakuListCtl::UpdateServerDataListChildRecord(TDataListRec& rec, std::int32_t withNames, bool showError)
{
    if (rec.NETDRIVE == 0)
        return true;
    return RunWriter(
        *Sql, showError, "TDataSentakuListCtl.UpdateServerDataListChildRecord",
        "共有(子)データリストの更新に失敗しました。", false, [&] {
            LearnColumns();
            const auto lastRec = [&](const TDataListRec& key) {
                Sql->SetSQL(
                    Lines({"SELECT REC FROM " + std::string(&key == &rec ? "CHILD_SERVERDATALIST" : "SERVERDATALIST"),
                           ServerRowWhere}));
                BindRow(*Sql, key);
                std::int32_t found = 0;
                for (Sql->Open(); !Sql->Eof(); Sql->Next())
                    found = Sql->FieldByName("REC").AsInteger();
                Sql->Close();
                return found;
            };
            rec.REC = lastRec(rec);
            if (rec.REC != 0) {
                Sql->SetSQL(Lines({ServerSetLines("CHILD_SERVERDATALIST", withNames),
                                   "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND "
                                   "(REC=:REC) AND (ROWNO=:ROWNO)"}));
            } else {
                TDataListRec parent = rec;
                parent.PASNAME = ParentFolder(rec.PASNAME);
                rec.REC = lastRec(parent);
                Sql->SetSQL(ServerInsertLines("CHILD_SERVERDATALIST"));
            }
            // A child whose parent area is not registered has
            // no row to hang from.
            if (rec.REC > 0) {
                BindRow(*Sql, rec);
                Sql->ExecSQL();
            }
            Sql->SetSQL(Lines({"UPDATE CHILD_DATALIST", "SET DATALOCK=:DATALOCK", "WHERE PASNAME=:PASNAME"}));
            BindRow(*Sql, rec);
            Sql->ExecSQL();
        });
}

bool TDataSentakuListCtl::DeleteServerDataListChildRecord(const TDataListRec& given, bool showError)
{
    const TDataListRec rec = given;
    if (rec.NETDRIVE == 0)
        return true;
    if (BlankPath(rec.PASNAME))
        return false;
    return RunWriter(
        *Sql, showError, "TDataSentakuListCtl.DeleteServerDataListChildRecord",
        "共有(子)データリストの削除に失敗しました。", false, [&] {
            Sql->SetSQL(Lines({"DELETE FROM CHILD_SERVERDATALIST",
                               rec.GASSAN == 10
                                   ? "WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC AND ROWNO=:ROWNO"
                                   : "WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC"}));
            BindRow(*Sql, rec);
            Sql->ExecSQL();
        });
}

void TDataSentakuListCtl::GetNewServerFolderName(const std::string& drivePath, std::int32_t add, std::string& name)
{
    name.clear();
    Scope scope;
    std::int32_t highest = 0;
    try {
        TDataListRec key;
        key.PASNAME = ExcludePathDelim(drivePath) + "/sv%";
        Sql->SetSQL(Lines({"SELECT MAX(PASNAME) AS MAXPATH FROM SERVERDATALIST",
                           "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME LIKE :PASNAME)"}));
        BindRow(*Sql, key);
        Sql->Open();
        highest = FolderNumber(FixLenStrR(Sql->FieldByName("MAXPATH").AsString(), 4));
        Sql->Close();
        scope.Commit();
    } catch (const std::exception&) {
        Sql->Close();
        name = "sv0001";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "sv%.4d", static_cast<int>(highest + add));
    name = text;
}

void TDataSentakuListCtl::GetServerLocalFolder(const std::string& path, std::uint8_t kind, std::string& folder)
{
    folder.clear();
    if (BlankPath(path))
        return;
    TDataListRec work;
    InitDataListRecord(work, path);
    TDataListRec key = work;
    if (kind == 10)
        key.PASNAME = ParentFolder(path);
    std::int32_t rec = 0;
    Scope scope;
    try {
        Sql->SetSQL(Lines({"SELECT REC FROM " + TableName, "WHERE (PASNAME=:PASNAME)", "ORDER BY REC"}));
        BindRow(*Sql, key);
        Sql->Open();
        if (!Sql->Eof())
            rec = Sql->FieldByName("REC").AsInteger();
        Sql->Close();
        scope.Commit();
    } catch (const std::exception&) {
        Sql->Close();
    }
    if (rec == 0)
        return;
    work.REC = rec;
    work.NETDRIVE = 1;
    work.PASNAME = path;
    work.GASSAN = kind;
    folder = MakeLocalDataFolder(work);
}

std::int32_t TDataSentakuListCtl::GetDataListRecNo(const std::string& path)
{
    if (BlankPath(path))
        return 0;
    if (ListMode == 0) {
        std::string first, second;
        SplitDataPath(path, first, second);
        return FolderNumber(first);
    }
    if (ListMode == 1 || ListMode == 2) {
        TDataListRec rec;
        InitDataListRecord(rec, path);
        GetDataListRecord(1, rec, true);
        return rec.REC;
    }
    return 0;
}

void TDataSentakuListCtl::GetServerSubFolders(const std::string& path, std::vector<std::string>& list)
{
    std::vector<std::string> names;
    GetSubDirList(path, 1, names);
    list.clear();
    for (const std::string& name : names) {
        const std::string upper = AsciiUpper(name);
        if (upper != "LEDRIXZAIMU_BACKUP" && upper != "PELLVANZAIMU_BACKUP")
            list.push_back(name);
    }
}
