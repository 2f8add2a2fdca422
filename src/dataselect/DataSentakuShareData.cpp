// Taking a shared data set from its share area into the local data folder
// and storing it back, with the data-list rows kept in step (stand-alone
// mode). The copies and the share mark belong to the information object
// (ShareDataInfo.h); this file decides what is copied and tells the
// operator why a take or store was refused.

#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "dataselect/DataListRecords.h"
#include "dataselect/DataListSql.h"
#include "dataselect/DataSentakuListCtl.h"
#include "dataselect/ShareDataInfo.h"
#include "foundation/DataPathSplit.h"
#include "foundation/FolderOps.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemDef.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace datalist;

namespace {

constexpr const char* Unreachable =
    "共有サーバーが起動していない、接続が切断されている または "
    "共有サーバー上のデータ領域が削除された可能性があります。";
constexpr const char* DamagedArea =
    "共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
    "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。";
constexpr const char* InUse = "共有データは現在使用されています。";

// Whether the folder (a share path "X:..." included) holds a company
// database.
bool HoldsDataFile(const std::string& folder)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(DataDbFileOfFolder(folder), ec);
}

// The sub-folders of the folder that hold a company database, each with its
// position among all sub-folders (the listing is sorted by name).
std::vector<std::pair<std::size_t, std::string>> DataSubFolders(const std::string& folder)
{
    std::vector<std::string> all;
    GetSubDirList(folder, 0, all);
    std::vector<std::pair<std::size_t, std::string>> found;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (HoldsDataFile(all[i]))
            found.emplace_back(i, all[i]);
    }
    return found;
}

// Who holds the area, as the information read last records it.
std::vector<std::string> HolderLines(const std::string& pasName, const TDataInfomationRec& info)
{
    std::vector<std::string> lines{"【データフォルダ】", "　" + pasName, "", "【オペレータ】"};
    if (info.SHARE_OPCODE > 0) {
        const std::int32_t groupBase = SystemDef.GROUPID * 10000;
        lines.push_back("　" + std::to_string(groupBase > 0 ? info.SHARE_OPCODE % groupBase : info.SHARE_OPCODE));
    }
    lines.insert(lines.end(), {"", "【オペレータ名】", "　" + info.SHARE_OPERATOR});
    return lines;
}

void ShowRefusal(const std::string& pasName, const TDataInfomationRec& info)
{
    ShowShareStatusBox(info.STATUS == DataStatusDamaged ? DamagedArea : InUse, HolderLines(pasName, info));
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

bool TDataSentakuListCtl::ConvLocalPathToSharePath(const std::string& path, std::string& sharePath,
                                                   std::int32_t& netDrive, std::int32_t& kyoyuLock)
{
    if (ServerList == 1)
        return true;
    sharePath = path;
    netDrive = 0;
    kyoyuLock = 0;
    if (BlankPath(path))
        return false;
    if (ListMode == 1 || ListMode == 2)
        return true;
    return RunPathLookup("TDataSentakuListCtl.ConvLocalPathToSharePath", [&] {
        // Stored paths keep their case, so the lookup compares exactly.
        TDataListRec key;
        key.GROUPID = SystemDef.GROUPID;
        key.PASNAME = path;
        Sql->SetSQL(Lines(
            {"SELECT COUNT(REC) AS RECCNT FROM DATALIST", "WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)", "UNION",
             "SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST", "WHERE (GROUPID=:GROUPID) AND (PASNAME=:PASNAME)"}));
        BindRow(*Sql, key);
        std::int64_t count = 0;
        for (Sql->Open(); !Sql->Eof(); Sql->Next())
            count += Sql->FieldByName("RECCNT").AsInteger();
        Sql->Close();
        if (count == 0 && GetUNCName(path) == path) {
            // A local copy: its folder number names the shared row, and a
            // child's own folder follows the area's path.
            std::string folder, sub;
            SplitDataPath(path, folder, sub);
            key.REC = FolderNumber(folder);
            Sql->SetSQL(Lines({"SELECT REC,PASNAME,NETDRIVE,KYOYULOCK FROM DATALIST", "WHERE REC=:REC"}));
            BindRow(*Sql, key);
            for (Sql->Open(); !Sql->Eof(); Sql->Next()) {
                sharePath = StoredPathToFolder(Sql->FieldByName("PASNAME").AsString());
                if (!sub.empty())
                    sharePath = IncludePathDelim(sharePath) + sub;
                netDrive = Sql->FieldByName("NETDRIVE").AsInteger();
                kyoyuLock = Sql->FieldByName("KYOYULOCK").AsInteger();
            }
            Sql->Close();
        }
    });
}

std::int32_t TDataSentakuListCtl::LoadDataListRecordByPath(const std::string& path, TDataSentakuRec& rec)
{
    rec = TDataSentakuRec{};
    InitDataListRecord(rec.Data, "");
    rec.Data.LOCALPATH = path;
    ConvLocalPathToSharePath(path, rec.Data.PASNAME, rec.Data.NETDRIVE, rec.Data.KYOYULOCK);
    rec.Data.REC = ListMode == 0 ? GetDataListRecNo(path) : GetDataListRecByPath(path);
    if (rec.Data.REC == 0)
        rec.Data.REC = GetDataListRecByPath(path);
    if (rec.Data.REC <= 0) {
        InitDataListRecord(rec.Data, "");
        return 0;
    }
    GetDataListRecord(0, rec.Data, false);
    GetDataListChildRecord(rec, false);
    return 1;
}

std::int32_t TDataSentakuListCtl::GetShareData(TDataSentakuRec& rec, std::int32_t quiet)
{
    TDataListRec& row = rec.Data;
    if (row.PASNAME.empty() || row.LOCALPATH.empty())
        return 0;
    const std::unique_ptr<IShareDataInfo> files = CreateShareDataInfo(ListMode);
    TDataInfomationRec info;
    bool ok = files->ReadDataIni(row.PASNAME, info);
    // An area nobody has filled yet has no information file.
    if (!ok && (row.ENTTEXT == FreeAreaText || row.ENTTEXT == NewAreaText)) {
        info = TDataInfomationRec{};
        ok = true;
    }
    if (!ok) {
        if (quiet != 1)
            ShowShareStatusBox(Unreachable, {"【共有データパス】", row.PASNAME});
        return 0;
    }

    // The row is refreshed from the area before anything is copied.
    bool damaged = info.STATUS == DataStatusDamaged;
    TDataInfomationRec last = info;
    const std::string name = row.ENTTEXT.empty() ? std::string(FreeAreaText) : row.ENTTEXT;
    if (info.SHOUGOU.empty())
        info.SHOUGOU = name;
    if (info.DATALISTNAME.empty())
        info.DATALISTNAME = name;
    const std::string localPath = row.LOCALPATH;
    row.GASSAN = info.GASSANKBN;
    SetDataListRecordFromInfo(info, row);
    row.LOCALPATH = localPath;
    row.KYOYULOCK = 0;
    UpdateDataListRecord(row, 0, true);
    DeleteDataListChildRecord(row, true);

    if (!damaged && (row.GASSAN == 1 || row.GASSAN == 2)) {
        rec.Children.clear();
        for (const auto& [position, folder] : DataSubFolders(row.PASNAME)) {
            TDataInfomationRec childInfo;
            files->ReadDataIni(folder, childInfo);
            last = childInfo;
            if (childInfo.STATUS == DataStatusDamaged)
                damaged = true;
            TDataListRec child;
            InitDataListRecord(child, folder);
            child.REC = row.REC;
            child.ROWNO = static_cast<std::int32_t>(position) + 1;
            child.NETDRIVE = row.NETDRIVE;
            child.GASSAN = 10;
            SetDataListRecordFromInfo(childInfo, child);
            child.KYOYULOCK = 0;
            UpdateDataListRecord(child, 0, true);
            rec.Children.push_back(child);
        }
        rec.ChildCount = static_cast<std::int32_t>(rec.Children.size());
    }
    if (damaged) {
        ShowShareStatusBox(DamagedArea, HolderLines(row.PASNAME, last));
        return -1;
    }

    const std::int32_t result = files->GetShareFiles(row.PASNAME, row.LOCALPATH, quiet);
    if (result == 0) {
        try {
            files->SetShareStatus(row.PASNAME, 1);
        } catch (const std::exception&) {
            // The take failed already; a mark that cannot be cleared is
            // cleared by the next store.
        }
        return 0;
    }
    if (result == -1)
        ShowRefusal(row.PASNAME, files->Record());
    row.KYOYULOCK = result == 1 ? 1 : 0;
    UpdateDataListRecord(row, 0, true);
    if (row.GASSAN == 1 || row.GASSAN == 2) {
        // The child folders are copied afresh from the area.
        for (const auto& entry : DataSubFolders(row.LOCALPATH))
            ShellDeleteEx(entry.second, FO_DELETE, false, true);
        for (TDataListRec& child : rec.Children) {
            child.LOCALPATH = ReplaceAll(child.PASNAME, row.PASNAME, row.LOCALPATH);
            if (HoldsDataFile(child.PASNAME) && files->GetShareFiles(child.PASNAME, child.LOCALPATH, 1) == 0)
                break;
            child.KYOYULOCK = row.KYOYULOCK;
            UpdateDataListRecord(child, 0, true);
        }
    }
    return result;
}

std::int32_t TDataSentakuListCtl::PutShareData(TDataSentakuRec& rec, std::int32_t quiet)
{
    TDataListRec& row = rec.Data;
    if (row.PASNAME.empty() || row.LOCALPATH.empty())
        return 0;
    const std::unique_ptr<IShareDataInfo> files = CreateShareDataInfo(ListMode);
    const std::int32_t result = files->PutShareFiles(row.PASNAME, row.LOCALPATH, quiet);
    if (result == 0)
        return 0;
    if (result == -1) {
        ShowRefusal(row.PASNAME, files->Record());
        return -1;
    }
    row.KYOYULOCK = 0;
    UpdateDataListRecord(row, 0, true);
    // The area's old child data sets go; the local ones are copied in anew.
    for (const auto& entry : DataSubFolders(row.PASNAME)) {
        ShellDeleteEx(entry.second, FO_DELETE, false, false);
        DelayMSec(500);
    }
    if (row.GASSAN == 1 || row.GASSAN == 2) {
        for (TDataListRec& child : rec.Children) {
            if (!HoldsDataFile(child.LOCALPATH))
                continue;
            if (files->PutShareFiles(child.PASNAME, child.LOCALPATH, 1) < 0)
                break;
            child.KYOYULOCK = row.KYOYULOCK;
            UpdateDataListRecord(child, 0, true);
        }
    }
    return result;
}
