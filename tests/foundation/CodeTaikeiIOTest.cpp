// Code-system import on a real system database: where each line of a
// definition file lands, which products a file may come from, what the
// writer refuses, whose transaction it runs in, the repair of the kind
// columns, and database failures reported and undone.

#include "foundation/CodeTaikeiIO.h"

#include "dbupdate/SchemaBuilder.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "platform/Cp932.h"
#include "platform/db/Database.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"
#include "platform/db/MasterCache.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dbtest::TestFirebird;

const std::string kUpdateFailed = "コード体系の更新に失敗しました。";
const std::string kRepairFailed = "コード体系の区分修復に失敗しました。";
const std::string kExpectedProduct = "BrendalDataT";

// The system database as delivered (USERCODE rows 1 to 10, empty), built
// once per test run; each test works on its own copy.
const fs::path& BaseSystem()
{
    static const fs::path file = dbtest::BaseMaster(dbupdate::BaseSchema::SystemDatabase);
    return file;
}

// One USERCODE row as another program sees it (committed data only).
struct TRow {
    std::string name;
    int dataType = 0;
    int codeType = 0;
    std::array<std::string, 8> parts;  // "<null>" for a null part
};

// A second attachment that holds a row locked until it is released.
class TRowLock final {
public:
    TRowLock(const std::string& path, int recNo) : transaction_(database_)
    {
        database_.Attach(path, dbtest::User, dbtest::Password);
        transaction_.Start();
        db::Query query(database_, transaction_, "UPDATE USERCODE SET NAME=NAME WHERE RECNO=:RECNO");
        query.ParamByName("RECNO").SetInteger(recNo);
        query.ExecSQL();
    }
    ~TRowLock()
    {
        try {
            transaction_.Rollback();
            database_.Detach();
        } catch (...) {
        }
    }

private:
    db::Database database_;
    db::Transaction transaction_;
};

class CodeTaikeiIOTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        path_ = DbPath("qhaccdef.fdb");
        dbtest::CopyMasterFile(BaseSystem(), path_);
        SystemDef.LogDir = (folder_ / "log").string();
        fs::create_directories(SystemDef.LogDir);
        AppTerminating = false;
        EditionFlag = 0;
        AppInfo.Application.OEM = "BrendalData";
        AppInfo.Application.VerTest = "T";
        AppInfo.Zaimu.AppTitle = "Ledrix財務";
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDEF.Attach(path_, dbtest::User, dbtest::Password);
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = savedSystemDef_;
        AppInfo = savedAppInfo_;
        EditionFlag = savedEdition_;
        AppTerminating = false;
    }

    void Exec(const std::string& sql)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction);
        query.SetParamCheck(false);
        query.SetSQL(sql);
        query.ExecSQL();
        transaction.Commit();
    }

    TRow Row(int recNo)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction,
                        "SELECT NAME,DATATYPE,CODETYPE,INIDAT1,INIDAT2,INIDAT3,INIDAT4,INIDAT5,INIDAT6,INIDAT7,INIDAT8 "
                        "FROM USERCODE WHERE RECNO=:RECNO");
        query.ParamByName("RECNO").SetInteger(recNo);
        query.Open();
        if (query.Eof())
            throw std::runtime_error("no USERCODE row " + std::to_string(recNo));
        TRow row;
        row.name = query.FieldByName("NAME").AsString();
        row.dataType = query.FieldByName("DATATYPE").AsInteger();
        row.codeType = query.FieldByName("CODETYPE").AsInteger();
        for (std::size_t i = 0; i < row.parts.size(); ++i) {
            const db::Field field = query.FieldByIndex(3 + i);
            row.parts[i] = field.IsNull() ? "<null>" : field.AsString();
        }
        query.Close();
        transaction.Commit();
        return row;
    }

    // A definition file, written in CP932 as the installation delivers it.
    std::string Definition(const std::string& name, const std::string& utf8)
    {
        const fs::path file = folder_ / name;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << cp932::FromUtf8(utf8);
        return file.string();
    }

    std::string LastError() const
    {
        std::ifstream in(folder_ / "log" / "ErrFbAccess.txt", std::ios::binary);
        return cp932::ToUtf8(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }

    // The error box of a failure: the message, then the database details.
    void ExpectErrorShown(const std::string& message)
    {
        ASSERT_EQ(presenter_.shown.size(), 1u);
        EXPECT_EQ(presenter_.shown[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(presenter_.shown[0].Text.rfind(message + "\r\r[詳細情報]\r", 0), 0u) << presenter_.shown[0].Text;
    }

    std::string path_;
    RecordingMessagePresenter presenter_;
    TSystemDef savedSystemDef_ = SystemDef;
    TAppInfoRec savedAppInfo_ = AppInfo;
    std::uint8_t savedEdition_ = EditionFlag;
};

TEST_F(CodeTaikeiIOTest, ImportSortsEveryLineIntoItsPartInFileOrder)
{
    EditionFlag = 1;
    const std::string header = "1,個人 一般,2,3,メモ,BrendalDataT";
    const std::string file = Definition("個人　一般.txt", header +
                                                              "\r\n"
                                                              "2,a\r\n"
                                                              "21,b\n"
                                                              "\r\n"
                                                              "3,c\r\n"
                                                              "31,d\r\n"
                                                              "9,ignored\r\n"
                                                              "22,e\r\n"
                                                              "32,f\r\n"
                                                              "33,g\r\n"
                                                              "34,h\r\n"
                                                              "2,i\r\n"
                                                              "71,j\r\n"
                                                              "7,k\r\n"
                                                              "4,売掛金\r\n"
                                                              "5,m\r\n"
                                                              "20,ignored\r\n"
                                                              "35,ignored\r\n"
                                                              "70,ignored\r\n"
                                                              "72,ignored\r\n"
                                                              "x,ignored\r\n"
                                                              "   \r\n"
                                                              "8,\"n,o\"\r\n"
                                                              "0,ignored");
    TCodeTaikeiIO io;
    ASSERT_TRUE(io.ImportCodeTaikei(file, 4));
    EXPECT_TRUE(presenter_.shown.empty());
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());

    const TRow row = Row(4);
    // Fields end at commas only: the blank stays in the name and the kinds
    // are read from their own fields.
    EXPECT_EQ(row.name, "個人 一般");
    EXPECT_EQ(row.dataType, 2);
    EXPECT_EQ(row.codeType, 3);
    const std::array<std::string, 8> parts{
        header,
        "2,a\r\n21,b\r\n22,e\r\n2,i",
        "3,c\r\n31,d\r\n32,f\r\n33,g\r\n34,h",
        "4,売掛金",
        "5,m",
        "",
        "71,j\r\n7,k",
        "8,\"n,o\"",
    };
    for (std::size_t i = 0; i < parts.size(); ++i)
        EXPECT_EQ(row.parts[i], parts[i]) << "INIDAT" << i + 1;
    EXPECT_EQ(Row(5).name, "");

    // A later import replaces every part; nothing of the first file stays.
    ASSERT_TRUE(io.ImportCodeTaikei(Definition("short.txt", "1,短い,1,1,,BrendalDataT\r\n"), 4));
    const TRow replaced = Row(4);
    EXPECT_EQ(replaced.name, "短い");
    EXPECT_EQ(replaced.parts[0], "1,短い,1,1,,BrendalDataT");
    for (std::size_t i = 1; i < replaced.parts.size(); ++i)
        EXPECT_EQ(replaced.parts[i], "") << "INIDAT" << i + 1;
}

struct ProductCase {
    std::uint8_t edition;
    const char* oem;
    const char* verTest;
    const char* header;  // the file's header line
    bool accepted;
};

void PrintTo(const ProductCase& c, std::ostream* os)
{
    *os << "edition " << int(c.edition) << ", expected \"" << c.oem << c.verTest << "\", header \"" << c.header << "\"";
}

TEST_F(CodeTaikeiIOTest, OnlyFilesOfThisProductAreImported)
{
    constexpr const char* kEmpty = "1,販売業,1,1,,";
    constexpr const char* kEqual = "1,販売業,1,1,,BrendalDataT";
    constexpr const char* kOther = "1,販売業,1,1,,OtherT";
    constexpr const char* kOemOnly = "1,販売業,1,1,,BrendalData";
    constexpr const char* kNoField = "1,販売業,1,1,x";  // five fields: the product code is "-"
    const ProductCase cases[] = {
        {0, "BrendalData", "T", kEmpty, true},
        {0, "BrendalData", "T", kEqual, true},
        {0, "BrendalData", "T", kOther, false},
        {0, "BrendalData", "T", kOemOnly, false},
        {0, "BrendalData", "T", kNoField, false},
        {1, "BrendalData", "T", kEmpty, false},
        {1, "BrendalData", "T", kEqual, true},
        {1, "BrendalData", "T", kOther, false},
        {1, "BrendalData", "T", kNoField, false},
        {2, "BrendalData", "T", kEqual, true},
        {2, "BrendalData", "T", kEmpty, false},
        {3, "BrendalData", "T", kEqual, false},
        {0, "-", "", kNoField, true},
        {1, "-", "", kNoField, true},
        {2, "-", "", kEmpty, false},
    };
    TCodeTaikeiIO io;
    for (const ProductCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        Exec("UPDATE USERCODE SET NAME='',DATATYPE=0,CODETYPE=0 WHERE RECNO=1");
        presenter_.shown.clear();
        EditionFlag = c.edition;
        AppInfo.Application.OEM = c.oem;
        AppInfo.Application.VerTest = c.verTest;

        EXPECT_EQ(io.ImportCodeTaikei(Definition("販売業.txt", std::string(c.header) + "\r\n2,a\r\n"), 1), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(presenter_.shown.empty());
            EXPECT_EQ(Row(1).name, "販売業");
        } else {
            ASSERT_EQ(presenter_.shown.size(), 1u);
            EXPECT_EQ(presenter_.shown[0].Type, TMsgDlgType::mtInformation);
            EXPECT_EQ(presenter_.shown[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
            EXPECT_EQ(presenter_.shown[0].Text,
                      "このプログラムでは、該当のデータ（製品区分）を処理することが出来ません。Ledrix財務"
                      "以外で作成されたデータの可能性があります。");
            EXPECT_EQ(Row(1).name, "");
        }
    }
}

TEST_F(CodeTaikeiIOTest, WriterRefusesARecordWithoutNameOrKinds)
{
    TCodeTaikeiIO io;
    struct Incomplete {
        const char* name;
        std::int32_t dataType, codeType;
    };
    for (const Incomplete& c : {Incomplete{"", 1, 1}, Incomplete{"名前", 0, 1}, Incomplete{"名前", 1, 0}}) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.dataType) + "/" + std::to_string(c.codeType));
        TCodeTaikeiRec2 record;
        record.RecNo = 2;
        record.Name = c.name;
        record.DataType = c.dataType;
        record.CodeType = c.codeType;
        record.IniDat[0] = {"1,名前,1,1"};
        EXPECT_FALSE(io.UpDateRecored(record));
        EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
        const TRow row = Row(2);
        EXPECT_EQ(row.name, "");
        EXPECT_EQ(row.parts[0], "<null>");
    }
    EXPECT_TRUE(presenter_.shown.empty());
}

// The writer updates and never inserts: a row that is not there must not
// come back as a code system written.
TEST_F(CodeTaikeiIOTest, ImportIntoARowThatDoesNotExistFails)
{
    TCodeTaikeiIO io;
    EXPECT_FALSE(io.ImportCodeTaikei(Definition("a.txt", "1,販売業,1,1,,\r\n"), 11));
    ExpectErrorShown(kUpdateFailed);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
    db::Database database;
    database.Attach(path_, dbtest::User, dbtest::Password);
    db::Transaction transaction(database);
    transaction.Start();
    db::Query count(database, transaction, "SELECT COUNT(*) AS N FROM USERCODE WHERE RECNO=11");
    count.Open();
    EXPECT_EQ(count.FieldByName("N").AsInteger(), 0);
}

TEST_F(CodeTaikeiIOTest, WriterRunsInTheCallersTransactionAndEndsOnlyItsOwn)
{
    TCodeTaikeiIO io;
    TCodeTaikeiRec2 record;
    record.RecNo = 2;
    record.Name = "製造業";
    record.DataType = 1;
    record.CodeType = 2;
    record.IniDat[0] = {"1,製造業,1,2"};

    DM->IBTransactionDEF.Start();
    ASSERT_TRUE(io.UpDateRecored(record));
    EXPECT_TRUE(DM->IBTransactionDEF.InTransaction());
    EXPECT_EQ(Row(2).name, "");  // not committed
    DM->IBTransactionDEF.Rollback();
    EXPECT_EQ(Row(2).name, "");

    ASSERT_TRUE(io.UpDateRecored(record));  // its own transaction, committed
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
    const TRow row = Row(2);
    EXPECT_EQ(row.name, "製造業");
    EXPECT_EQ(row.dataType, 1);
    EXPECT_EQ(row.codeType, 2);
    EXPECT_EQ(row.parts[0], "1,製造業,1,2");
    EXPECT_EQ(row.parts[1], "");
}

TEST_F(CodeTaikeiIOTest, ConstructionRepairsKindsFromTheStoredHeader)
{
    Exec("UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1='1,法人,2,3,,P' WHERE RECNO=1");
    Exec("UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1='1,個人,1,4' WHERE RECNO=2");
    Exec("UPDATE USERCODE SET DATATYPE=2,CODETYPE=1,INIDAT1='1,別,3,3' WHERE RECNO=3");
    Exec("UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1=NULL WHERE RECNO=4");
    Exec("UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1='1,y,abc,2' WHERE RECNO=5");
    Exec(
        "UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1='1,z,3,2'||ASCII_CHAR(13)||ASCII_CHAR(10)||'1,w,4,4' "
        "WHERE RECNO=6");

    TCodeTaikeiIO io;
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
    EXPECT_TRUE(presenter_.shown.empty());
    struct Expected {
        int recNo, dataType, codeType;
    };
    // 1 and 6 repaired (6 from its first line); 2 says data kind 1; 3 is
    // not a 1/1 row; 4 and 5 have no data kind in their header to take.
    for (const Expected e : {Expected{1, 2, 3}, Expected{2, 1, 1}, Expected{3, 2, 1}, Expected{4, 1, 1},
                             Expected{5, 1, 1}, Expected{6, 3, 2}}) {
        const TRow row = Row(e.recNo);
        EXPECT_EQ(row.dataType, e.dataType) << "row " << e.recNo;
        EXPECT_EQ(row.codeType, e.codeType) << "row " << e.recNo;
    }
}

// Another program holds the row: the repair and the write each report the
// database error under their own name and undo what they started.
TEST_F(CodeTaikeiIOTest, DatabaseErrorsAreReportedAndUndone)
{
    Exec("UPDATE USERCODE SET DATATYPE=1,CODETYPE=1,INIDAT1='1,a,2,1' WHERE RECNO IN (2,9)");
    std::optional<TCodeTaikeiIO> io;
    {
        const TRowLock lock(path_, 9);
        io.emplace();
        ExpectErrorShown(kRepairFailed);
        EXPECT_NE(LastError().find("Error=TCodeTaikeiIO.KubunSyufuku ["), std::string::npos) << LastError();
        EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
        EXPECT_EQ(Row(2).dataType, 1);  // repaired before the failure, rolled back with it
    }

    presenter_.shown.clear();
    TCodeTaikeiRec2 record;
    record.RecNo = 3;
    record.Name = "建設業";
    record.DataType = 1;
    record.CodeType = 1;
    const TRowLock lock(path_, 3);
    EXPECT_FALSE(io->UpDateRecored(record));
    ExpectErrorShown(kUpdateFailed);
    EXPECT_NE(LastError().find("Error=TCodeTaikeiIO.UpDateRecored ["), std::string::npos) << LastError();
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());

    // In the caller's transaction the failure leaves that transaction to
    // the caller.
    presenter_.shown.clear();
    DM->IBTransactionDEF.Start();
    EXPECT_FALSE(io->UpDateRecored(record));
    ExpectErrorShown(kUpdateFailed);
    EXPECT_TRUE(DM->IBTransactionDEF.InTransaction());
    DM->IBTransactionDEF.Rollback();
    EXPECT_EQ(Row(3).name, "");
}

TEST_F(CodeTaikeiIOTest, AFileThatCannotBeReadThrows)
{
    TCodeTaikeiIO io;
    EXPECT_THROW(io.ImportCodeTaikei((folder_ / "missing.txt").string(), 1), fs::filesystem_error);
    const fs::path broken = folder_ / "broken.txt";
    std::ofstream(broken, std::ios::binary) << "1,\x81\x20,1,1\r\n";  // half a double-byte character
    EXPECT_THROW(io.ImportCodeTaikei(broken.string(), 1), cp932::TextEncodingError);
    EXPECT_EQ(Row(1).name, "");
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

TEST_F(CodeTaikeiIOTest, NeedsTheDataModuleWithItsSystemDatabaseConnected)
{
    DM->IBDatabaseDEF.Detach();
    EXPECT_THROW(TCodeTaikeiIO(), std::logic_error);
    DM.reset();
    EXPECT_THROW(TCodeTaikeiIO(), std::logic_error);
}

}  // namespace
