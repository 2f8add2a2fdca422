#pragma once
// The data places of the server modes: the folders of the data server that
// hold company data sets, kept in DATAPLACEMAN (rows 0-99). Place 0 is the
// data root itself with its list in DATALIST; a place 1-99 is in use once it
// has a name, and then has its own list in DATALIST_EX.
//
// The store works on the data module's system database in its ordinary
// transaction, starting it when none is active and ending only what it
// started. Loading never reports: a failed load leaves an empty list. A
// failed save rolls back what it started and passes the error on.
//
// The lookups answer from the list as the last load left it (after
// GetDataPlacePathList: the named places only).

#include <cstdint>
#include <string>
#include <vector>

struct TDataPlaceRec {
    std::int32_t REC = 0;
    // 0 unchanged, 1 newly named, 2 renamed or moved, 9 deleted.
    std::int32_t State = 0;
    std::int32_t ORDERKBN = 0;
    std::string PATH;
    std::string NAME;
    std::string Reserved;
};

using TDataPlaceList = std::vector<TDataPlaceRec>;

class TDataPlaceStore {
public:
    enum : std::int32_t { StateUnchanged = 0, StateNamed = 1, StateChanged = 2, StateDeleted = 9 };

    TDataPlaceList List;

    // Fills the list in display order (ORDERKBN, REC); an empty table is
    // first given its 100 places. namedOnly leaves out the unnamed ones.
    // False (and an empty list) on any error.
    bool LoadPlaces(bool namedOnly);
    // Writes every place whose state is above 0 and resets the states: a
    // newly named place gets its data list pre-filled up to the data-list
    // row count, a deleted one loses its data list.
    void SaveChanges();
    // Whether a data folder of the place's list exists (on the data server
    // in the connection mode); a database error counts as in use.
    bool IsPlaceInUse(std::int32_t rec);

    // The names of the named places in display order, each followed by a
    // carriage return (reloads the list with the named places only).
    std::string GetDataPlacePathList();
    std::int32_t GetDataPlaceRec(std::int32_t index) const;
    std::string GetDataPlacePath(std::int32_t index) const;
    std::int32_t IndexOfDataPlaceRec(std::int32_t rec) const;
    std::string GetDataPlacePathByRec(std::int32_t rec) const;
};
