#pragma once
// The data list: the system database's catalogue of company data sets, one
// row per data area (DATALIST, DATALIST_EX for the other data places, and
// CHILD_DATALIST for the child rows of merged data).
//
// The data-selection library's store (TDataSentakuListCtl) is the one class
// that reads and writes those tables. Code of this library reaches it only
// through IDataListController, which the start-up's factory hands out, so
// the foundation does not link the library above it.

#include "platform/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One data-list row. Fields KIKANTEXT, LOCALPATH, DISPNAME, RESERVE_NO and
// RESERVE_TEXT live only in memory.
struct TDataListRec {
    std::int32_t REC = 0;    // row number; for the data root also its folder number
    std::int32_t ROWNO = 0;  // 0 a parent row, 1, 2, ... a child row
    std::int32_t GROUPID = 0;
    std::string DATACODE;
    std::string ENTTEXT;  // data-list name; empty for a blank area
    std::string SHOUGOU;  // company name
    std::int32_t NENDO = 0;
    std::string KIKANTEXT;  // fiscal period as display text
    TDateTime KISHU = 0;
    TDateTime KIMATU = 0;
    std::int32_t NETDRIVE = 0;  // 1 when PASNAME is a share server's path
    std::string PASNAME;        // registered data path
    std::string LOCALPATH;      // the local data folder
    std::int32_t DATATYPE = 0;
    std::int32_t CODETYPE = 0;
    std::int32_t DATALOCK = 0;   // operator holding the data lock, 0 none
    std::int32_t KYOYULOCK = 0;  // 1 when this operator took the shared data
    std::int32_t TANTOU = 0;
    std::int32_t VER_MAJOR = 0;
    std::int32_t VER_MINOR1 = 0;
    std::int32_t VER_MINOR2 = 0;
    std::string VER_TEXT;
    std::int32_t UPDATE_LOCK = 0;
    std::uint8_t GASSAN = 0;  // merged-data kind: 0, 1, 2, or 10 a child row
    std::string DISPNAME;
    std::uint8_t DATA_STATUS = 0;  // 1 marks a data set found damaged
    std::string YOBI1;
    std::string YOBI2;
    std::string YOBI3;
    std::int32_t RESERVE_NO = 0;
    std::string RESERVE_TEXT;
    std::uint8_t CLOUD = 0;
    std::int32_t READ_ONLY = 0;
};

using TDataListArray = std::vector<TDataListRec>;

// A parent row with its child rows; ChildCount always equals Children.size().
struct TDataSentakuRec {
    TDataListRec Data;
    std::int32_t ChildCount = 0;
    TDataListArray Children;
};

// What the data module needs of a data-list controller.
class IDataListController {
public:
    virtual ~IDataListController() = default;

    // The connection mode the controller works in (0 after construction).
    virtual void SetListMode(std::uint8_t mode) = 0;
    // Mode 0 or above 2: place 0; otherwise the given one. The list table
    // becomes "DATALIST", or "DATALIST_EX" for a place above 0.
    virtual void SetDataPlace(std::int32_t place) = 0;
    // A blank row for the folder: REC 0, GROUPID of the logged-on group,
    // NENDO 1, PASNAME the folder, everything else empty or 0.
    virtual void InitDataListRecord(TDataListRec& rec, const std::string& path) = 0;
    // Kind 1 by the registered path (PASNAME), kind 0 by REC; a row with
    // GASSAN 10 comes from CHILD_DATALIST. A row not found keeps its values.
    virtual void GetDataListRecord(std::uint8_t kind, TDataListRec& rec, bool showError) = 0;
    // Writes every column of the row by REC; REC 0 or an empty path writes
    // nothing and gives false.
    virtual bool UpdateDataListRecord(const TDataListRec& rec, std::int32_t withNames, bool showError) = 0;
};
