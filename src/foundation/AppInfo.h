#pragma once
// The application information file "AppInfo.ini" beside the program.
//
// It names the accounting product this program belongs to (titles, registry
// keys, folder and file names of its data) and the related products and
// services, so that one program file serves several editions. Start-up loads
// it into the global AppInfo before any screen or database exists and ends
// the program unless the load answers AppInfoLoaded; every other part of the
// program only reads the record. Nothing writes the file.
//
// The record mirrors the file: one member per section, one field per key, so
// keys of the same name in different sections ([Application] RegKey and
// [Zaimu] RegKey, the three AppTitle keys ...) are different fields, reached
// as AppInfo.Zaimu.RegKey.
//
// Folder values are kept with "/" between their parts, as every path of the
// program is: a file written with "\" (as the Windows installation writes
// "norvel\ledrixzaimu") reads as "norvel/ledrixzaimu". Registry keys keep
// their "\".

#include <cstdint>
#include <string>
#include <string_view>

class IniFile;

struct TAppInfoRec {
    struct TApplication {
        std::string OEM;     // names the edition; "BrendalData" sets EditionFlag 1
        std::string Since;   // year range of the product's notices
        std::string RegKey;  // the maker's key under HKEY_LOCAL_MACHINE
        std::string Qel;
        std::string QelAlias;
        std::int32_t VerMajorDiff = 0;
        std::int32_t VerMinorDiff = 0;
        std::int32_t VerRevDiff = 0;
        std::string VerTest;
        std::int32_t DuzezuzaBlind = 0;
        std::string WebNavigoreServer;  // host of the web analysis service
        std::string BudvantServer;      // host of the budget web service
        bool operator==(const TApplication&) const = default;
    };
    // The accounting product.
    struct TZaimu {
        std::string AppName;   // base name of the application ini
        std::string AppTitle;  // product title in messages
        std::string AppTitle_CL;
        std::string RegKey;         // product key word among the maker's keys
        std::string HomeDir;        // home folder below the common application data
        std::string ShareDir;       // share folder name
        std::string ServerDir;      // data folder on the server
        std::string ServerTempDir;  // temporary folder on the server
        std::string DataDefFile;    // system database file name
        std::string DataFile;       // company database file name
        std::string DataBackupFile;
        std::string DataInitFile;      // initial-data file name: a format with one %d
        std::string DataIniFile;       // per-data information file name
        std::int32_t DataListCnt = 0;  // rows of the data list
        bool operator==(const TZaimu&) const = default;
    };
    // The electronic-books output.
    struct TVOrera {
        std::string AppTitle;
        std::string DataDir;
        std::string WriteDirFmt;  // a format with one %.2d
        bool operator==(const TVOrera&) const = default;
    };
    // The web analysis product.
    struct TNavigore {
        std::string AppTitle;
        std::string RegKey;
        std::string HomeDir;
        bool operator==(const TNavigore&) const = default;
    };
    // The cash-book product.
    struct TDuzezuza {
        std::string AppTitle;
        std::string RegKey;
        std::string DataDir;
        std::string DataBackupFile;
        bool operator==(const TDuzezuza&) const = default;
    };
    // Captions of the data communication functions.
    struct TMenu {
        std::string DataCon;
        std::string DataCon01;
        std::string DataCon02;
        std::string DataCon03;
        std::string DataConQel01;
        std::string DataConQel02;
        bool BudvantMenuLimit = false;
        bool operator==(const TMenu&) const = default;
    };

    TApplication Application;
    TZaimu Zaimu;
    TVOrera VOrera;
    TNavigore Navigore;
    TDuzezuza Duzezuza;
    TMenu Menu;

    bool operator==(const TAppInfoRec&) const = default;
};

// The one record of the running program; empty until start-up loads it.
extern TAppInfoRec AppInfo;

inline constexpr std::string_view AppInfoFileName = "AppInfo.ini";

// Results of LoadAppInfo.
inline constexpr std::int32_t AppInfoLoaded = 1;
inline constexpr std::int32_t AppInfoMissing = 0;       // no file; the record is untouched
inline constexpr std::int32_t AppInfoNoEdition = -1;    // OEM empty or absent; the record holds the defaults
inline constexpr std::int32_t AppInfoUnreadable = -10;  // the file could not be read

// Reads "AppInfo.ini" in the folder of programPath (the full path of the
// program file; a path without a folder reads it from the working folder).
// Every field is written from its key: texts as read (absent: empty),
// integers as IniFile::ReadInteger reads them (not a number: 0).
// DataListCnt that is not a number, or below 1, reads as 120: the data list
// needs at least one row, and a count of 0 or less would size it negatively.
// BudvantMenuLimit is off only for "false" in any ASCII case.
// Never throws; the result tells the cause. On AppInfoUnreadable the fields
// read before the failure keep their new values.
std::int32_t LoadAppInfo(const std::string& programPath, TAppInfoRec& info);

// Fills every field with its built-in default.
void SetAppInfoDefaults(TAppInfoRec& info);

// One value of the file, empty when absent; answers whether it is non-empty.
// Throws IniFileError when the file cannot be read.
bool ReadAppInfoKey(const IniFile& ini, const std::string& section, const std::string& key, std::string& value);

// The message start-up shows before it ends the program for a result other
// than AppInfoLoaded (lines separated by "\r"); empty for AppInfoLoaded and
// for the results above it.
std::string AppInfoLoadErrorText(std::int32_t result);

// Formats the file-name patterns of the record (DataInitFile with the
// initial-data numbers, WriteDirFmt with a disc number). The pattern comes
// from a file, so it is never handed to printf: it may hold "%%" and at most
// one integer conversion "%[-][width][.precision]d" (precision pads with
// zeros, width with blanks, "-" on the right). A pattern without a
// conversion comes back as it is. Any other "%" sequence, a second
// conversion, or a width or precision above 64 throws std::invalid_argument
// naming the pattern.
std::string FormatAppInfoPattern(std::string_view pattern, std::int32_t number);
