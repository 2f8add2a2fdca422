#include "dataselect/DataPlaces.h"

#include "dataselect/DataListRecords.h"
#include "dataselect/DataListSql.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/Cp932.h"

#include <cstdio>
#include <exception>

using datalist::Lines;

namespace {

constexpr std::int32_t PlaceCount = 100;
constexpr std::size_t PlaceNameMaxBytes = 40;

// Runs work in the data module's system transaction, starting and ending it
// only when none is active.
template <class F>
void InSystemTransaction(F&& work)
{
    db::Transaction& tr = DM->IBTransactionDEF;
    const bool started = !tr.InTransaction();
    if (started)
        tr.Start();
    try {
        work();
    } catch (...) {
        if (started && tr.InTransaction())
            tr.Rollback();
        throw;
    }
    if (started)
        tr.Commit();
}

std::string TwoDigits(std::int32_t n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%.2d", n);
    return text;
}

void SeedPlaces(db::Query& q)
{
    const std::string& root = SystemDef.SYSDIR;
    q.SetSQL(Lines({"INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH)", "VALUES(:REC,:ORDERKBN,:NAME,:PATH)"}));
    for (std::int32_t rec = 0; rec < PlaceCount; ++rec) {
        q.ParamByName("REC").SetInteger(rec);
        q.ParamByName("ORDERKBN").SetInteger(rec + 1);
        if (rec == 0) {
            q.ParamByName("NAME").SetString(cp932::ByteWidth(root) > PlaceNameMaxBytes ? std::string("標準の場所")
                                                                                       : root);
            q.ParamByName("PATH").SetString(root);
        } else {
            // The numbered neighbours of the data root, without a separator.
            q.ParamByName("NAME").SetString("");
            q.ParamByName("PATH").SetString(root + TwoDigits(rec));
        }
        q.ExecSQL();
    }
}

std::int32_t Count(db::Query& q, bool namedOnly)
{
    q.SetSQL(Lines({"SELECT COUNT(REC) AS RECCNT FROM DATAPLACEMAN", namedOnly ? "WHERE NAME<>''" : ""}));
    q.Open();
    const std::int32_t count = q.FieldByName("RECCNT").AsInteger();
    q.Close();
    return count;
}

}  // namespace

bool TDataPlaceStore::LoadPlaces(bool namedOnly)
{
    List.clear();
    try {
        InSystemTransaction([&] {
            db::Query q(DM->IBDatabaseDEF, DM->IBTransactionDEF);
            if (Count(q, false) == 0)
                SeedPlaces(q);
            List.reserve(static_cast<std::size_t>(Count(q, namedOnly)));
            q.SetSQL(Lines({"SELECT REC,ORDERKBN,NAME,PATH FROM DATAPLACEMAN", namedOnly ? "WHERE NAME<>''" : "",
                            "ORDER BY ORDERKBN,REC"}));
            for (q.Open(); !q.Eof(); q.Next()) {
                TDataPlaceRec place;
                place.REC = q.FieldByName("REC").AsInteger();
                place.ORDERKBN = q.FieldByName("ORDERKBN").AsInteger();
                place.PATH = q.FieldByName("PATH").AsString();
                place.NAME = q.FieldByName("NAME").AsString();
                List.push_back(std::move(place));
            }
            q.Close();
        });
        return true;
    } catch (const std::exception&) {
        List.clear();
        return false;
    }
}

void TDataPlaceStore::SaveChanges()
{
    InSystemTransaction([&] {
        db::Query update(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                         Lines({"UPDATE DATAPLACEMAN SET ORDERKBN=:ORDERKBN,NAME=:NAME", "WHERE REC=:REC"}));
        db::Query q(DM->IBDatabaseDEF, DM->IBTransactionDEF);
        for (const TDataPlaceRec& place : List) {
            if (place.State <= StateUnchanged)
                continue;
            update.ParamByName("REC").SetInteger(place.REC);
            update.ParamByName("ORDERKBN").SetInteger(place.ORDERKBN);
            update.ParamByName("NAME").SetString(place.NAME);
            update.ExecSQL();
            if (place.State == StateNamed) {
                q.SetSQL("SELECT REC FROM SP_DATALIST_INSERT(:REC,:PATH,:MAXCNT)");
                q.ParamByName("REC").SetInteger(place.REC);
                q.ParamByName("PATH").SetString(place.PATH);
                q.ParamByName("MAXCNT").SetInteger(FixedDataAreaCount());
                for (q.Open(); !q.Eof(); q.Next()) {
                }
                q.Close();
            } else if (place.State == StateDeleted) {
                q.SetSQL(Lines({"DELETE FROM DATALIST_EX", "WHERE DATAPLACEREC=:REC"}));
                q.ParamByName("REC").SetInteger(place.REC);
                q.ExecSQL();
            }
        }
    });
    for (TDataPlaceRec& place : List)
        place.State = StateUnchanged;
}

bool TDataPlaceStore::IsPlaceInUse(std::int32_t rec)
{
    std::vector<std::string> folders;
    try {
        InSystemTransaction([&] {
            db::Query q(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                        Lines({"SELECT PASNAME FROM DATALIST_EX", "WHERE (DATAPLACEREC=:REC)", "ORDER BY REC"}));
            q.ParamByName("REC").SetInteger(rec);
            for (q.Open(); !q.Eof(); q.Next())
                folders.push_back(StoredPathToFolder(q.FieldByName("PASNAME").AsString()));
            q.Close();
        });
    } catch (const std::exception&) {
        return true;
    }
    for (const std::string& folder : folders)
        if (!folder.empty() && DM->ServerDirExists(folder, ConnectionMode))
            return true;
    return false;
}

std::string TDataPlaceStore::GetDataPlacePathList()
{
    LoadPlaces(true);
    std::string names;
    for (const TDataPlaceRec& place : List)
        names += place.NAME + "\r";
    return names;
}

std::int32_t TDataPlaceStore::GetDataPlaceRec(std::int32_t index) const
{
    return index >= 0 && index < static_cast<std::int32_t>(List.size()) ? List[static_cast<std::size_t>(index)].REC
                                                                        : -1;
}

std::string TDataPlaceStore::GetDataPlacePath(std::int32_t index) const
{
    return index >= 0 && index < static_cast<std::int32_t>(List.size()) ? List[static_cast<std::size_t>(index)].PATH
                                                                        : std::string();
}

std::int32_t TDataPlaceStore::IndexOfDataPlaceRec(std::int32_t rec) const
{
    for (std::size_t i = 0; i < List.size(); ++i)
        if (List[i].REC == rec)
            return static_cast<std::int32_t>(i);
    return -1;
}

std::string TDataPlaceStore::GetDataPlacePathByRec(std::int32_t rec) const
{
    const std::int32_t index = IndexOfDataPlaceRec(rec);
    return index < 0 ? std::string() : List[static_cast<std::size_t>(index)].PATH;
}
