#include "foundation/AccRegStore.h"

#include "dbupdate/SchemaBuilder.h"
#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"

#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/DatabaseMasters.h"
#include "platform/db/MasterCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using dbtest::TestFirebird;

// The company database is built once per test run; each test works on its
// own copy.
const fs::path& BaseCompany()
{
    static const fs::path file = dbtest::BaseMaster(dbupdate::BaseSchema::CompanyDatabase);
    return file;
}

class AccRegTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        savedSystemDef_ = SystemDef;
        path_ = DbPath("qhacc.fdb");
        dbtest::CopyMasterFile(BaseCompany(), path_);
        temp_ = fs::path(DbPath("wintemp"));
        fs::create_directories(temp_);
        SystemDef.WinTempDir = temp_.string();
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDAT.Attach(path_, dbtest::User, dbtest::Password);
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = savedSystemDef_;
        FirebirdTest::TearDown();
    }

    // A row's column as text, read on DM's attachment in its own transaction.
    std::optional<std::string> Column(const std::string& sql, const std::string& a, const std::string& b)
    {
        db::Transaction tr(DM->IBDatabaseDAT);
        tr.Start();
        db::Query q(DM->IBDatabaseDAT, tr, sql);
        q.ParamByName("A").SetString(a);
        q.ParamByName("B").SetString(b);
        q.Open();
        std::optional<std::string> out;
        if (!q.Eof())
            out = q.FieldByIndex(0).IsNull() ? "<null>" : q.FieldByIndex(0).AsString();
        q.Close();
        tr.Commit();
        return out;
    }
    std::optional<std::string> AccRegColumn(const std::string& column, const std::string& group,
                                            const std::string& code)
    {
        return Column("SELECT " + column + " FROM ACCREG WHERE AGROUP=:A AND ACODE=:B", group, code);
    }

    std::string path_;
    fs::path temp_;
    TSystemDef savedSystemDef_;
};

TEST_F(AccRegTest, MissingKeyInsertsDefaultThenReadsStoredRow)
{
    AccRegValue value;
    GetAccReg("基本設定", "合算", "論理", "FALSE", value);
    EXPECT_EQ(AccRegValue(false), value);
    EXPECT_EQ("FALSE", AccRegColumn("ATEXT", "基本設定", "合算"));
    EXPECT_EQ("論理", AccRegColumn("ATYPE", "基本設定", "合算"));
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());

    PutAccReg("基本設定", "合算", "論理", AccRegValue(true));
    GetAccReg("基本設定", "合算", "論理", "FALSE", value);  // the stored row, not the default
    EXPECT_EQ(AccRegValue(true), value);
}

TEST_F(AccRegTest, EmptyTextReadsOneBlankAndUnknownTypeReadsError)
{
    AccRegValue value;
    GetAccReg("G", "empty", "文字", "", value);
    EXPECT_EQ(AccRegValue(std::string(" ")), value);
    GetAccReg("G", "other", "謎", "1", value);
    EXPECT_EQ(AccRegValue(std::string("Data Type Error")), value);
}

TEST_F(AccRegTest, PutKeepsTypeOfExistingRowAndUnknownTypeStoresNull)
{
    AccRegValue value;
    GetAccReg("G", "K", "文字", "abc", value);
    PutAccReg("G", "K", "整数", AccRegValue(std::int32_t{42}));
    EXPECT_EQ("文字", AccRegColumn("ATYPE", "G", "K"));
    EXPECT_EQ("42", AccRegColumn("ATEXT", "G", "K"));

    PutAccReg("G", "N", "謎", AccRegValue(std::string("x")));
    EXPECT_EQ("<null>", AccRegColumn("ATEXT", "G", "N"));
    EXPECT_EQ("謎", AccRegColumn("ATYPE", "G", "N"));

    DelAccReg("G", "K");
    EXPECT_FALSE(AccRegColumn("ATEXT", "G", "K").has_value());
}

TEST_F(AccRegTest, TypedValuesRoundTripThroughTheirTextForms)
{
    struct Case {
        const char* type;
        AccRegValue value;
        const char* text;
    };
    const Case cases[] = {
        {"日付", AccRegDate{EncodeDate(2024, 4, 1)}, "2024/04/01"},
        {"日付", AccRegDate{0}, ""},
        {"整数", std::int32_t{-7}, "-7"},
        {"金額", Currency{12345000}, "1234.5"},
        {"実数", 2.5, "2.5"},
        {"日時", AccRegDate{EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 58, 0)}, "2024/12/31 23:59:58"},
        {"文字", std::string("テキスト"), "テキスト"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string code = "C" + std::to_string(n++);
        PutAccReg("T", code, c.type, c.value);
        EXPECT_EQ(c.text, AccRegColumn("ATEXT", "T", code)) << c.type;
        AccRegValue back;
        GetAccReg("T", code, c.type, "", back);
        EXPECT_EQ(c.value, back) << c.type;
    }
}

TEST_F(AccRegTest, BadStoredTextsReadAsZeroExceptDateTimeWhichRaises)
{
    for (const char* type : {"日付", "整数", "金額", "実数"})
        PutAccReg("B", type, "文字", AccRegValue(std::string("bad")));
    AccRegValue value;
    GetAccReg("B", "日付", "日付", "", value);
    EXPECT_EQ(AccRegValue(AccRegDate{0}), value);
    GetAccReg("B", "整数", "整数", "", value);
    EXPECT_EQ(AccRegValue(std::int32_t{0}), value);
    GetAccReg("B", "金額", "金額", "", value);
    EXPECT_EQ(AccRegValue(Currency{0}), value);
    GetAccReg("B", "実数", "実数", "", value);
    EXPECT_EQ(AccRegValue(0.0), value);

    // A caller's open transaction stays open when the read raises.
    DM->IBTransactionDAT.Start();
    EXPECT_ANY_THROW(GetAccReg("B", "dt", "日時", "2024/13/45 00:00:00", value));
    EXPECT_TRUE(DM->IBTransactionDAT.InTransaction());
    DM->IBTransactionDAT.Rollback();
    // Our own transaction is rolled back: the default inserted before the failure is gone.
    EXPECT_ANY_THROW(GetAccReg("B", "dt", "日時", "not a time", value));
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    EXPECT_FALSE(AccRegColumn("ATEXT", "B", "dt").has_value());
}

// Another program inserts the key while our reader is trying to insert its
// default, and ends its transaction only once our reader waits on that key.
// Returns what the reader read; the reader must not fail on the key.
AccRegValue RaceAnotherProgram(const std::string& path, bool commit)
{
    db::Database other;
    other.Attach(path, dbtest::User, dbtest::Password);
    db::Transaction otherTr(other);
    otherTr.Start();
    db::Query insert(other, otherTr,
                     "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
    insert.ParamByName("AGROUP").SetString("基本設定");
    insert.ParamByName("ACODE").SetString("同時");
    insert.ParamByName("ATYPE").SetString("論理");
    insert.ParamByName("ATEXT").SetString("TRUE");
    insert.ExecSQL();

    AccRegValue value;
    std::exception_ptr failure;
    std::thread reader([&] {
        try {
            GetAccReg("基本設定", "同時", "論理", "FALSE", value);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    const bool waiting = dbtest::WaitForRunningStatement(other, "INSERT INTO ACCREG");
    if (commit)
        otherTr.Commit();
    else
        otherTr.Rollback();
    reader.join();
    other.Detach();

    EXPECT_TRUE(waiting) << "the reader never waited on the key";
    if (failure)
        std::rethrow_exception(failure);
    return value;
}

TEST_F(AccRegTest, SecondAttachmentInsertingSameMissingKeyWins)
{
    EXPECT_EQ(AccRegValue(true), RaceAnotherProgram(path_, true));
    EXPECT_EQ("TRUE", AccRegColumn("ATEXT", "基本設定", "同時"));
}

TEST_F(AccRegTest, SecondAttachmentRollingBackLeavesTheKeyToTheReader)
{
    EXPECT_EQ(AccRegValue(false), RaceAnotherProgram(path_, false));
    EXPECT_EQ("FALSE", AccRegColumn("ATEXT", "基本設定", "同時"));
}

TEST_F(AccRegTest, BlobMemoAndPictureRoundTrip)
{
    PutAccRegBlob("B", "memo", "メモ", AccRegValue(std::string("一行目\n二行目\r\nthree")));
    AccRegValue value;
    GetAccRegBlob("B", "memo", "", value);
    EXPECT_EQ(AccRegValue(std::string("一行目\r\n二行目\r\nthree\r\n")), value);

    const std::string bytes("BM\0\x01\xff\r\n tail", 11);
    const fs::path source = temp_ / "in.jpg";
    std::ofstream(source, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    PutAccRegBlob("B", "pic", "JPG", AccRegValue(source.string()));
    GetAccRegBlob("B", "pic", "画像", value);  // the stored kind decides
    const std::string file = std::get<std::string>(value);
    EXPECT_EQ(temp_.string(), fs::path(file).parent_path().string());
    EXPECT_EQ(0u, fs::path(file).filename().string().rfind("accreg-", 0));
    EXPECT_EQ(".jpg", fs::path(file).extension().string());
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(bytes, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));

    AccRegValue untouched(std::int32_t{5});
    GetAccRegBlob("B", "missing", "メモ", untouched);
    EXPECT_EQ(AccRegValue(std::int32_t{5}), untouched);
}

TEST_F(AccRegTest, MsdHoukokuAndHoujinGaiyou)
{
    DM->IBTransactionDAT.Start();  // the MSD reader ends even a caller's transaction
    AccRegValue value;
    GetMsdHoukoku("M", "amount", "金額", "10", value);
    EXPECT_EQ(AccRegValue(Currency{100000}), value);
    EXPECT_FALSE(DM->IBTransactionDAT.InTransaction());
    GetMsdHoukoku("M", "real", "実数", "1.5", value);
    EXPECT_EQ(AccRegValue(std::string("Data Type Error")), value);

    EXPECT_FALSE(GetHoujinGaiyouKikin());
    EXPECT_EQ("無", AccRegColumn("ATEXT", "法人概要", "基金"));
    EXPECT_FALSE(GetHoujinGaiyouKind());
    PutAccReg("法人概要", "医療法人", "文字", AccRegValue(std::string("特定")));
    EXPECT_TRUE(GetHoujinGaiyouKind());
}

}  // namespace
