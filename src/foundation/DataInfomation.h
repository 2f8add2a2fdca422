#pragma once
// The per-data information file of a data folder and the questions asked
// before a data set is opened.
//
// Beside the company database "qhacc.fdb" of every data folder lies its
// information file, the database file name with the extension ".ini". Its
// section "DATASTS" holds the folder's state (free, in use, locked, being
// saved ...), who holds it, the shared-area take-out mark and the two lock
// switches; "DATAINFO" holds a summary of the data so that lists of data
// sets need not open every database.
//
// Connection modes. ConnectionMode is the mode the object works in; every
// user copies the program's mode into it before use. In modes 1 and 2
// (client/server, server-based) the client has no information file: the
// state comes from the system database's data list and the server's
// attachments, and every write of the file is skipped. Modes 0 and above 2
// use the file.
//
// Network drives. A folder on a mapped network drive (its universal name is
// not the folder itself) is never opened here to create a missing file:
// opening a database on a share from several computers risks its damage.
//
// Databases are reached through the data module (DM): its company
// connection opens the folder's database, and closing it with the
// information refresh writes the whole file on the way.

#include "foundation/DataInfomationRec.h"
#include "foundation/IniSections.h"
#include "foundation/SeihinVersionList.h"
#include "platform/IniFile.h"

#include <cstdint>
#include <string>

// Display text of a folder state for the lists of data sets.
std::string DataStatusText(std::uint8_t status);

// The information file (DataIniFileName) and the database file
// (DataDbFileName) of a data folder; a folder on a mapped drive letter is
// resolved to the share's folder.
std::string DataInfoFileOfFolder(const std::string& folder);
std::string DataDbFileOfFolder(const std::string& folder);

inline constexpr const char* DataStsSection = "DATASTS";
inline constexpr const char* DataInfoSection = "DATAINFO";

// The "DATASTS" fields of an information file into rec (the others stay
// as they are); a missing key reads as free.
void ReadDataStsSection(const IniFile& ini, TDataInfomationRec& rec);

// DataStatus values beyond those every reader knows.
inline constexpr std::uint8_t DataStatusSaving = 4;
inline constexpr std::uint8_t DataStatusRestoring = 5;
inline constexpr std::uint8_t DataStatusCopying = 6;
inline constexpr std::uint8_t DataStatusPasting = 7;
inline constexpr std::uint8_t DataStatusDeleting = 8;
inline constexpr std::uint8_t DataStatusCreating = 9;

// SHARE_STATUS values.
inline constexpr std::uint8_t ShareStatusFree = 1;
inline constexpr std::uint8_t ShareStatusTakenOut = 2;

class TDataInfomation final {
public:
    // Builds the edition list (unsorted) for the version labels.
    TDataInfomation();

    std::uint8_t ConnectionMode = 0;
    TDataInfomationRec DataInfoRec;  // the record the writes take their values from
    TSeihinVersionList SeihinList;

    // Fills rec from the company database open in the data module,
    // connecting it (DataDir) when it is closed; the database stays
    // connected on success. A dynamic SQL error (335544569) propagates; any
    // other failure is reported and gives false, and a connection made
    // here is closed again.
    bool GetDataInfoRec(TDataInfomationRec& rec);
    // GetDataInfoRec for the folder's database on the run-time host, when
    // its file exists; the connection is closed afterwards. False when the
    // file is missing or the connection fails.
    bool GetDataInfoRecOfFolder(const std::string& folder, TDataInfomationRec& rec);

    // The folder's state and summary. Mode 0 reads the information file,
    // first creating it through the data module when only the database
    // exists (not on a network drive); false when neither file exists.
    // Modes 1 and 2: false with state 3 and its holder when the data list
    // has the folder locked; otherwise the summary from the database, with
    // state 2 while anybody has it attached on the server, 1 when not, and
    // 0 when it cannot be opened. An empty folder gives the cleared record.
    bool ReadIniFile(const std::string& host, const std::string& folder, TDataInfomationRec& rec);
    // ReadIniFile on the run-time host.
    bool ReadDataIni(const std::string& folder, TDataInfomationRec& rec);

    // Writes one state; a state other than 1 stamps the logged-on operator
    // as holder, 1 deletes the holder's keys. False when the file could not
    // be written (its folder is gone); skipped (true) in the server modes
    // and for an empty folder.
    bool SetDataStatus(const std::string& folder, std::uint8_t status);
    bool SetShareStatus(const std::string& folder, std::uint8_t status);
    // Reads the folder's take-out mark and writes status (1 or 2) only when
    // the mark differs; true when it wrote.
    bool SetShareStatusIfChanged(const std::string& folder, std::uint8_t status);

    // Copies rec into DataInfoRec and rewrites "DATASTS", "DATAINFO" or both
    // (section empty), in one save of the file.
    void WriteDataInfo(const std::string& folder, const std::string& section, const TDataInfomationRec& rec);
    // Writes one value (its text) or deletes one key.
    void WriteDataIniValue(const std::string& folder, const std::string& section, bool deleteKey, const IniValue& value,
                           const std::string& key);
    // "DATASTS": the cleared state (free, no holder, not taken out).
    // "DATAINFO": a fresh summary from the folder's database. Empty: the
    // whole file through the data module's open and close (not on a network
    // drive).
    void RefreshDataInfo(const std::string& folder, const std::string& section);

    // Writes the summary's name (at most 40 bytes) and lock switches into
    // the folder's ACCDEF1 row; READ_ONLY only for data of 12.0.0 and later.
    // Failures are reported. The database is disconnected at the end.
    void UpdateDataInfomation(const std::string& host, const std::string& folder, const TDataInfomationRec& rec);

    // Copy the data's files between a local folder and a shared-server area
    // with the take-out mark (1 done, 0 failed or nothing to do, -1 refused:
    // the share is damaged or already taken out). silent 1 shows nothing;
    // otherwise GetShareFiles raises std::runtime_error with the message for
    // a damaged or unreachable share.
    int PutShareFiles(const std::string& shareFolder, const std::string& localFolder, int silent);
    int GetShareFiles(const std::string& shareFolder, const std::string& localFolder, int silent);

    // May the logged-on operator use the folder's data: every facility of it
    // must be permitted to him. A refusal is shown.
    bool IsDataSiyouKengen(const std::string& folder);
    // Asks for the data password of the folder's data; a refusal is shown.
    // True at once for an empty folder or a missing database file.
    bool IsDataPasswordAuth(const std::string& folder);

    // The edition name of the version, or "major.minor" when none matches.
    std::string GetDataVersionLabel(std::int32_t major, std::int32_t minor) const;

private:
    bool UsesFile(const std::string& folder) const;
    bool FolderFileExists(const std::string& folder) const;
    bool WriteState(const std::string& folder, const char* statusKey, const char* codeKey, const char* nameKey,
                    std::uint8_t status);
    void ReadFile(const std::string& folder, TDataInfomationRec& rec) const;
    bool ReadServerState(const std::string& host, const std::string& folder, TDataInfomationRec& rec);
    void ReadSummaryFromDatabase(TDataInfomationRec& rec);
    bool CopyDataFiles(const std::string& from, const std::string& to);
};
