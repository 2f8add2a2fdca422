#pragma once
// The data-list store: the one class through which the program reads and
// writes the data list (DATALIST, DATALIST_EX for the other data places,
// CHILD_DATALIST for the child rows of merged data).
//
// Every operation works on the system database of the data module
// (IBDatabaseDEF) in its ordinary transaction IBTransactionDEF, which
// several stores share: each operation starts the transaction when it is
// not active and ends only what it started. Readers commit at the end, also
// after an error; writers roll back what they started on an error, and the
// row writers commit-retain an outer transaction on success.
//
// Columns that not every system database has are gated: CLOUD (version
// 11.0.1 and later) and READ_ONLY (12.0.0 and later) by the version in
// SystemDef.SysDbVersion, DATA_STATUS and YOBI1-YOBI3 by the catalogue,
// since editions 1 and 2 skip the update that adds them. A missing column
// reads as 0 or '' and is left out of every write.
//
// Paths. A stored PASNAME is turned into the file system's form on every
// read (StoredPathToFolder); lookups by path compare the stored text
// exactly, with its case, because the file system is case-sensitive.
//
// Errors are reported through HandleIBError (database) or ShowErrorMessage
// (others) with the operation's location and message; operations with a
// showError argument report only when it is true and otherwise pass the
// exception on after ending the transaction they started.

#include "foundation/DataInfomationRec.h"
#include "foundation/DataListController.h"
#include "platform/db/Query.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using TDataSentakuRecArray = std::vector<TDataSentakuRec>;

class TDataSentakuListCtl final : public IDataListController {
public:
    // Needs the data module (DM); notes the version-gated columns from
    // SystemDef.SysDbVersion. List mode 0, data place 0, table "DATALIST".
    TDataSentakuListCtl();
    ~TDataSentakuListCtl() override;
    TDataSentakuListCtl(const TDataSentakuListCtl&) = delete;
    TDataSentakuListCtl& operator=(const TDataSentakuListCtl&) = delete;

    std::uint8_t ListMode = 0;    // 0 stand-alone, 1 client/server, 2 server-based
    std::uint8_t ServerList = 0;  // 1 while the store serves the share-server list
    std::int32_t DataCount = 0;
    TDataSentakuRecArray DataList;
    std::int32_t ChildListCount = 0;
    TDataListArray ChildList;
    std::uint8_t ListFilter = 0;  // 0 all, 1 named rows, 2 blank rows
    std::int32_t NendoFilter = 0;
    std::string ShougouFilter;
    std::int32_t DataPlaceRec = 0;
    std::string TableName;
    std::uint8_t HasCloud = 0;
    std::uint8_t HasReadOnly = 0;

    void SetListMode(std::uint8_t mode) override { ListMode = mode; }
    // Stand-alone (mode 0 or above 2) always works on place 0.
    void SetDataPlace(std::int32_t place) override;

    // Loads the list of the current place into DataList and every child row
    // into ChildList (and under its parent). excludeShared 1 leaves out rows
    // taken as shared data, in stand-alone mode only.
    void Execute(std::int32_t excludeShared, std::uint8_t sortKind, bool descending, const std::string& orderText);

    void InitDataListRecord(TDataListRec& rec, const std::string& path) override;
    // Fills a row from a data folder's information record.
    void SetDataListRecordFromInfo(const TDataInfomationRec& info, TDataListRec& rec);
    // Mode 0 by REC (and ROWNO for a child), mode 1 by the path.
    void GetDataListRecord(std::uint8_t mode, TDataListRec& rec, bool showError) override;
    // Sets rec.PASNAME to the registered path of a local data folder.
    bool GetLocalPathToData(const std::string& path, TDataListRec& rec);
    bool InsertDataListRecord(TDataListRec& rec, bool showError);
    bool UpdateDataListRecord(const TDataListRec& rec, std::int32_t withNames, bool showError) override;
    bool DeleteDataListRecord(const TDataListRec& rec, bool showError);
    // Closes the gaps in REC above the fixed areas (modes 1 and 2); errors
    // pass to the caller.
    void RenumberDataList();
    void GetDataListChildRecord(TDataSentakuRec& rec, bool showError);
    bool UpdateDataListChildRecord(const TDataListRec& rec, std::int32_t withNames, bool showError);
    bool DeleteDataListChildRecord(const TDataListRec& rec, bool showError);
    // Highest REC of the group in the current place plus add.
    std::int32_t GetDataFolderName(std::int32_t add);
    bool IsDataPathToroku(const std::string& path);
    std::int32_t GetDataListRecByPath(const std::string& path);
    bool IsDataListEmpty();

    // The share-server list (SERVERDATALIST, CHILD_SERVERDATALIST) of the
    // drive of drivePath: mode 0 loads the stored areas, mode 1 empties the
    // stored list and builds blank areas from the drive's folders (the
    // caller saves them). Only while ServerList is 1.
    void ServerExecute(std::uint8_t mode, const std::string& drivePath, std::uint8_t sortKind, bool descending,
                       const std::string& orderText);
    // Upserts the share-server row of a shared row (NETDRIVE 1) and mirrors
    // its data lock into the main list; rec.REC becomes the area's number.
    bool UpdateServerDataListRecord(TDataListRec& rec, std::int32_t withNames, bool showError);
    bool UpdateServerDataListChildRecord(TDataListRec& rec, std::int32_t withNames, bool showError);
    bool DeleteServerDataListChildRecord(const TDataListRec& rec, bool showError);
    // "sv%.4d" of the highest area number of the drive plus add; "sv0001"
    // on any failure.
    void GetNewServerFolderName(const std::string& drivePath, std::int32_t add, std::string& name);
    // The local folder of a registered share area (kind 10: a child area).
    void GetServerLocalFolder(const std::string& path, std::uint8_t kind, std::string& folder);
    // The row number of a data folder: stand-alone the folder number after
    // the "DATA" part of the path, the modes 1 and 2 the registered row's REC.
    std::int32_t GetDataListRecNo(const std::string& path);
    // Names of the sub-folders of path, without the backup folders.
    static void GetServerSubFolders(const std::string& path, std::vector<std::string>& list);

    // Shared data (stand-alone mode): the share area behind a local data
    // folder, the full record of a local folder, and taking and storing
    // the shared copy. quiet 1 keeps an unreachable area silent and makes
    // the copies answer with results instead of raising their messages.
    bool ConvLocalPathToSharePath(const std::string& path, std::string& sharePath, std::int32_t& netDrive,
                                  std::int32_t& kyoyuLock);
    // 1 when the folder is registered (rec filled with its children), 0
    // when not (rec blank).
    std::int32_t LoadDataListRecordByPath(const std::string& path, TDataSentakuRec& rec);
    // 1 taken, 0 not taken, -1 refused (damaged, or in use by another).
    std::int32_t GetShareData(TDataSentakuRec& rec, std::int32_t quiet);
    // 1 stored, 0 not stored, -1 refused.
    std::int32_t PutShareData(TDataSentakuRec& rec, std::int32_t quiet);

    static void NumberChildNames(TDataSentakuRec& rec);
    static void RemoveChildRow(TDataSentakuRec& rec, std::int32_t index);

private:
    class Scope;
    // The select list after the first columns: the common second line and
    // the gates.
    std::string SelectTail() const;
    std::string PlaceLine() const;
    void LearnColumns();
    void ReadRow(TDataListRec& rec, bool forList);
    void BindRow(db::Query& query, const TDataListRec& rec) const;
    std::string UpdateSetLines(const std::string& table) const;
    // The SET lines of a share-server row (names only with withNames 1).
    std::string ServerSetLines(const std::string& table, std::int32_t withNames) const;
    std::string ServerInsertLines(const std::string& table) const;
    void ReadServerRows(TDataSentakuRecArray* parents, bool children);
    // Runs a path lookup in the reader's transaction conventions; a
    // database error is reported at location without a message and gives
    // false.
    bool RunPathLookup(const char* location, const std::function<void()>& body);

    std::unique_ptr<db::Query> Sql;
    std::unique_ptr<db::Query> Sql2;
    // Whether DATA_STATUS and YOBI1-YOBI3 exist; learnt on first use.
    std::optional<bool> hasDataStatus_;
};

// The share drive of a path, as the share-server tables key it: the
// drive letter of "X:" + rest (its first character).
std::string ShareDriveLetter(const std::string& path);

// The configured number of fixed data areas (DataListCnt, 120 by default).
std::int32_t FixedDataAreaCount();
