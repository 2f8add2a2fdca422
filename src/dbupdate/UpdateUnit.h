#pragma once
// The frame every schema update unit shares: its catalogue record, the
// script it writes for isql-fb, and the standard unit that needs nothing but
// a table row.
//
// A unit is two routines. GetUpdateInfo fills a TDbUpdateListRec (version,
// update function, backup flag, title, description) and has no other effect;
// DoUpdate writes "qhzdataup.sql" into the work folder, runs it through
// ExecIsqlScript and returns its result code (IsqlRunner.h).
//
// A unit's fixed statements are SQL files embedded in the program
// (EmbeddedSql.h says where they live and how the build takes them in);
// AddSql appends one. A unit whose row needs no code of its own is a
// TStandardUnit constant:
//
//   LEDRIX_STANDARD_UNIT(z5SystemDbUpdate032, SystemUnit(0, 3, 2, 0, "title", "description",
//                                                       {"system-user.sql"}))
//
// Units with choices of their own (files left out for a chart, lines for a
// data kind, a step after the script) build a TUpdateScript themselves: the
// files they take, the lines that depend on the database or the edition,
// and nothing else in C++.
//
// The script (CP932 but for the CONNECT line, which keeps the file system's
// UTF-8 names; every line ended by CR LF):
//   /* yyyy/mm/dd hh:nn:ss,<computer>,<OPCODE> */
//   <empty line>
//   CONNECT '<database>' USER '<user>' PASSWORD '<password>';
//   SET NAMES SJIS_0208;                  (where the unit's row says so)
//   <body: the unit's statements and the lines of its body files>
//   <version stamp>
//   COMMIT;
//   EXIT;
//
// The stamp always comes last. A database must reach a unit's version only
// when the whole body ran: the tool runs with bail-on-error (IsqlRunner.h),
// so a failed statement ends the script before the stamp, and a rerun of the
// update finds the old version and tries again. Units whose body lies in
// body files therefore no longer commit the stamp ahead of the body (their
// "stamp first" order); that order recorded the new version even when the
// body then failed, which left databases without a backup marked as updated
// while broken.
//
// The statements before a failure are committed all the same (isql-fb
// commits each DDL statement as it runs). So a unit runs under the guard of
// a copy of its database, taken before it and put back when it fails
// (UnitRollback.h): its update function as described here is guarded as a
// whole, and Run guards the script again where it is called on its own.
//
// The script carries the database password in its CONNECT line: it is saved
// as a file only this user may read (PrivateFile.h), never passed on a
// command line, and removed after the run (IsqlRunner.h).
//
// The database of the CONNECT line: "<host>:<folder>/<file>" when a database
// host is set (also "127.0.0.1": the tool must reach the server, as a bare
// path would open the file beside it through the embedded engine), else the
// plain "<folder>/<file>" through the embedded engine. The terminal-server
// switch GOGLOBAL changes nothing: its form without a host (":<path>") names
// no database on this platform.

#include "dbupdate/IsqlRunner.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The unit's update function: no arguments, a result code.
using TDbUpdateFunc = std::function<std::int32_t()>;

struct TDbUpdateListRec {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    TDbUpdateFunc UpdateFunc;
    std::int32_t BackupFlag = 0;  // 1: back the database up before the pending updates run
    std::string Title;
    std::string Description;
};
using TArrayDbUpdateListRec = std::vector<TDbUpdateListRec>;

// A unit's describe procedure.
using TGetUpdateInfoProc = void (*)(TDbUpdateListRec&);

// A script cannot be written: a text CP932 cannot hold, a quote in a name of
// the CONNECT line, a body file that cannot be read, a work folder that
// cannot be written.
class TUpdateScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TUpdateTarget {
    SystemDatabase,   // <SYSDIR>/<SysDbFileName>
    CompanyDatabase,  // <DataDir>/<DataDbFileName>
};

enum class TVersionStamp {
    SystemOneLine,   // "INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) VALUES(%d,%d,%d,'%s');"
    SystemTwoLines,  // "INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)" / "VALUES(%d,%d,%d,'%s');"
    AccountingData,  // "UPDATE ACCVERSION SET MAJOR=%d,MINOR1=%d,MINOR2=%d,MEMO='%s'" / "WHERE REC=1;"
};

enum class TMemoForm {
    Short,      // "yyyy/mm/dd hh:nn:ss"
    Long,       // time,LOGINCODE,OPNAME,computer: cut to 127 bytes, trimmed of blanks
    Unlimited,  // time,LOGINCODE,OPNAME,computer as it comes
    Padded,     // time,LOGINCODE,OPNAME,computer made exactly 127 bytes (cut or filled with blanks)
};

// What happens when a body file of the unit is missing.
enum class TMissingBodyFile {
    Skip,  // go on without it
    Fail,  // the unit returns 18 at once, without writing or running a script
};

struct TUpdateUnitShape {
    TUpdateTarget Target = TUpdateTarget::CompanyDatabase;
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    bool SetNames = false;  // "SET NAMES SJIS_0208;" after the CONNECT line
    TVersionStamp Stamp = TVersionStamp::AccountingData;
    TMemoForm Memo = TMemoForm::Short;
};

// "%d.%d.%d" of the shape's version.
std::string UnitVersionText(const TUpdateUnitShape& shape);

// The folder of a unit's body files: <SqlDir>/<Major><Minor1><Minor2>
// (7.0.0 -> 700, 10.0.4 -> 1004).
std::string BodyFileFolder(std::int32_t major, std::int32_t minor1, std::int32_t minor2);

// The MEMO text (UTF-8) of a form at the given time, from SystemDef's
// LOGINCODE, OPNAME and PCName. A character CP932 cannot hold becomes "?";
// a cut never leaves half a double-byte character.
std::string MakeVersionMemo(TMemoForm form, TDateTime now);

// The database name of the CONNECT line for the target (see above).
std::string UpdateDatabaseName(TUpdateTarget target);
// The target's file on its machine: "<folder>/<file>", without the host.
std::string UpdateDatabasePath(TUpdateTarget target);

// The folder of a unit's embedded SQL files: "accounting/<MMM>" for the
// company database, "system/<MMM>" for the system database, <MMM> as in
// BodyFileFolder (0.1.1 -> "accounting/011").
std::string UnitSqlFolder(const TUpdateUnitShape& shape);

// The text between the quotes of an SQL string literal: every quote doubled.
std::string SqlQuoted(std::string_view text);

class TUpdateScript final {
public:
    // Starts the script: comment line, empty line, CONNECT line and, where
    // the shape says so, "SET NAMES SJIS_0208;". Reads SystemDef now. The
    // time goes into the comment line and the MEMO. Throws
    // TUpdateScriptError for a quote in the database name, user or
    // password.
    explicit TUpdateScript(const TUpdateUnitShape& shape, TDateTime now = Now());

    // A line of the program's own text (a statement, or one line of a
    // procedure), UTF-8. Throws TUpdateScriptError when CP932 cannot hold it.
    void Add(std::string_view line);
    void Add(std::initializer_list<std::string_view> lines);

    // Every line of the unit's embedded SQL file <UnitSqlFolder>/<name> (a
    // name may reach another unit's file of the list: "../022/x.sql"), as
    // it stands (empty lines too; a carriage return ending a line is part
    // of the line end). Throws TUpdateScriptError when the program holds no
    // such file or CP932 cannot hold a line.
    void AddSql(std::string_view name);

    // <BodyFileFolder>/<name> of this unit.
    std::string BodyFilePath(std::string_view name) const;
    bool BodyFileExists(std::string_view name) const;
    // True when every one of the files exists.
    bool BodyFilesExist(const std::vector<std::string>& names) const;
    // Appends every non-empty line of the body file byte for byte (a line of
    // blanks too). False, appending nothing, when the file does not exist;
    // throws TUpdateScriptError when it exists but cannot be read.
    bool AddBodyFile(std::string_view name);

    // The whole script as saved: the lines so far, the version stamp,
    // "COMMIT;" and "EXIT;", in CP932 (the CONNECT line in UTF-8), each line
    // ended by CR LF.
    std::string Text() const;
    // Saves Text() as <TempDir>/qhzdataup.sql, a new file that only this
    // user may read (an older file or link there is removed first). Throws
    // TUpdateScriptError when it cannot be written.
    void Save() const;
    // Save, then ExecIsqlScript with the unit's version, under the guard of
    // a copy of the target database (UnitRollback.h).
    std::int32_t Run() const;

    const TUpdateUnitShape& Shape() const { return shape_; }

private:
    std::vector<std::string> FinalLines() const;

    TUpdateUnitShape shape_;
    TDateTime now_;
    std::vector<std::string> lines_;  // CP932 bytes, without line ends
};

// A unit that is nothing but its row.
struct TStandardUnit {
    TUpdateUnitShape Shape;
    std::int32_t BackupFlag = 0;
    std::string Title;
    std::string Description;
    std::vector<std::string> SqlFiles;   // the unit's embedded SQL files, in order, before the body files
    std::vector<std::string> BodyFiles;  // names in the unit's body-file folder, in order
    TMissingBodyFile MissingFile = TMissingBodyFile::Skip;
    // A program-side step that runs only when the script succeeded; its
    // result is the unit's. None for most units.
    std::function<std::int32_t()> AfterScript;
};

// Fills a unit's catalogue row; its update function runs guarded
// (UnitRollback.h).
void DescribeUnit(TDbUpdateListRec& rec, const TUpdateUnitShape& shape, TDbUpdateFunc updateFunc,
                  std::int32_t backupFlag, std::string title, std::string description);
// What a standard unit's GetUpdateInfo does.
void DescribeStandardUnit(const TStandardUnit& unit, TDbUpdateFunc updateFunc, TDbUpdateListRec& rec);
// A standard unit's script: its SQL files, then its body files (those that
// exist).
TUpdateScript StandardUnitScript(const TStandardUnit& unit);
// A standard unit's DoUpdate: 18 without a script when a body file is
// missing and the row says so, else the script's result, else (when it
// succeeded and the unit has one) the after-script step's.
std::int32_t RunStandardUnit(const TStandardUnit& unit);

// A standard unit's namespace: Unit() returning the TStandardUnit that the
// arguments make, and the unit's Script, DoUpdate and GetUpdateInfo.
//
//   LEDRIX_STANDARD_UNIT(z5UserDbUpdate020, TStandardUnit{...})
#define LEDRIX_STANDARD_UNIT(unitNamespace, ...)       \
    namespace unitNamespace {                          \
    const TStandardUnit& Unit()                        \
    {                                                  \
        static const TStandardUnit unit = __VA_ARGS__; \
        return unit;                                   \
    }                                                  \
    TUpdateScript Script()                             \
    {                                                  \
        return StandardUnitScript(Unit());             \
    }                                                  \
    std::int32_t DoUpdate()                            \
    {                                                  \
        return RunStandardUnit(Unit());                \
    }                                                  \
    void GetUpdateInfo(TDbUpdateListRec& rec)          \
    {                                                  \
        DescribeStandardUnit(Unit(), &DoUpdate, rec);  \
    }                                                  \
    }
