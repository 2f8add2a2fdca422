#include "foundation/MyNumberIO.h"

#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"
#include "support/SavedGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(MyNumberLogCommentTest, ComposesOrOverridesByStateAndProcess)
{
    struct Case {
        std::uint8_t state;
        const char* process;
        const char* comment;
    };
    for (const Case& c :
         {Case{6, "データ送信", "マイナンバー情報を含むデータが送信されました。"},
          Case{6, "データ選択", "マイナンバー情報を含むデータが保存されました。"},
          Case{7, "クラウドシェア受信", "マイナンバー情報を含むデータが受信されました。"},
          Case{7, "データ選択", "マイナンバー情報を含むデータが復元されました。"},
          Case{8, "データ送信", "マイナンバー情報を含めずにデータが送信されました。"},
          Case{3, "データ送信", "マイナンバー情報が削除されました。"},
          Case{9, "", "マイナンバー管理パスワードを既定値に設定しました。"},
          Case{10, "", "マイナンバー管理パスワードを変更しました。"}, Case{0, "", "マイナンバー情報**されました。"}}) {
        SCOPED_TRACE(c.comment);
        EXPECT_EQ(MyNumberLogComment(c.state, c.process), c.comment);
    }
}

class MyNumberPasswordTest : public ::testing::Test {
protected:
    void TearDown() override { SetMyNumberPasswordPrompt({}); }

    // A prompt that answers from the list (nothing: cancelled).
    void Answer(std::vector<std::optional<std::string>> answers)
    {
        answers_ = std::move(answers);
        asked_ = 0;
        SetMyNumberPasswordPrompt([this](int attempt) -> std::optional<std::string> {
            EXPECT_EQ(attempt, asked_ + 1);
            return answers_.at(static_cast<std::size_t>(asked_++));
        });
    }

    std::vector<std::optional<std::string>> answers_;
    int asked_ = 0;
    dbtest::SavedGlobals saved_;
};

TEST_F(MyNumberPasswordTest, AdministratorsGetThreeAttempts)
{
    SystemDef.MYNUMBER_ADM = 0;
    Answer({});
    EXPECT_TRUE(TMyNumberIO::ConfirmMyNumberPassword("abc12345"));  // no prompt for others
    EXPECT_EQ(asked_, 0);

    SystemDef.MYNUMBER_ADM = 1;
    EXPECT_FALSE(TMyNumberIO::ConfirmMyNumberPassword(""));
    EXPECT_EQ(asked_, 0);

    Answer({"x", "y", "z"});
    EXPECT_FALSE(TMyNumberIO::ConfirmMyNumberPassword("abc12345"));
    EXPECT_EQ(asked_, 3);

    Answer({"x", std::nullopt});
    EXPECT_FALSE(TMyNumberIO::ConfirmMyNumberPassword("abc12345"));
    EXPECT_EQ(asked_, 2);

    Answer({"x", "　abc12345 "});  // blanks around the entry do not count
    EXPECT_TRUE(TMyNumberIO::ConfirmMyNumberPassword("abc12345"));

    Answer({"ABC12345", "abc12345"});  // letter case does
    EXPECT_TRUE(TMyNumberIO::ConfirmMyNumberPassword("abc12345"));
    EXPECT_EQ(asked_, 2);
}

// The management log needs the table that update 8.0.0 brings.
class MyNumberLogTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        dbtest::FirebirdTest::SetUp();
        SystemDef.USER = dbtest::User;
        SystemDef.PASSWORD = dbtest::Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = (folder_ / "log").string();
        SystemDef.ProductSerial = "S-0001";
        SystemDef.LOGINCODE = 7;
        SystemDef.OPNAME = "経理 太郎";
        SystemDef.PCName = "PC01";
        DataDbFileName = "qhacc.fdb";
        SysDbFileName = "qhaccdef.fdb";
        ConnectionMode = 0;
        DM = std::make_unique<TDM>();
        // A log merges only into data of the same company name.
        for (const char* data : {"a", "b"}) {
            dbtest::CopyMasterFile(dbtest::CompanyMasterFile(""), Db(data));
            db::Database database;
            database.Attach(Db(data), dbtest::User, dbtest::Password);
            db::Transaction transaction(database);
            transaction.Start();
            db::Query(database, transaction, "UPDATE ACCDEF1 SET SHOUGOU='株式会社テスト' WHERE REC=1").ExecSQL();
            transaction.Commit();
        }
    }
    void TearDown() override
    {
        DM.reset();
        ConnectionMode = savedMode_;
    }
    std::string Db(const char* data) const { return (folder_ / data / "qhacc.fdb").string(); }

    RecordingMessagePresenter messages_;
    dbtest::SavedGlobals saved_;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(MyNumberLogTest, SameMomentIsRetriedAndMergeSkipsRowsPresent)
{
    TMyNumberIO io;
    TMyNumberLogRec rec;
    io.MakeMyNumberLogRec(rec, 6, "データ送信");
    rec.FHIZUKE = 46000.5;
    io.AddLogToData(rec, "", Db("a"));
    io.AddLogToData(rec, "", Db("a"));  // the same key: a fresh stamp
    io.LoadMyNumberLogOfData("", Db("a"));
    ASSERT_EQ(io.LogCount, 2);
    EXPECT_EQ(io.LogList[0].FCOMMENT, "マイナンバー情報を含むデータが送信されました。");
    EXPECT_NE(io.LogList[0].FHIZUKE, io.LogList[1].FHIZUKE);

    io.MergeMyNumberLog("", Db("b"));  // same company name: both rows
    io.MergeMyNumberLog("", Db("b"));  // and not twice
    TMyNumberIO b;
    b.LoadMyNumberLogOfData("", Db("b"));
    EXPECT_EQ(b.LogCount, 2);
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
