#include "foundation/GamenKeyValue.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/DataModule.h"
#include "platform/Cp932.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

#include <string>

using namespace dbtest;

namespace {

class GamenKeyValueTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = User;
        SystemDef.PASSWORD = Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = folder_.string();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.OPCODE = 100001;
        ConnectionMode = 0;
        CopyMasterFile(BaseMaster(dbupdate::BaseSchema::SystemDatabase), folder_ / "sys" / "qhaccdef.fdb");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        ConnectionMode = savedMode_;
    }

    struct Row {
        std::string styleName;
        std::string sstr;
        std::string colours;
    };
    std::vector<Row> Rows()
    {
        db::Transaction transaction(DM->IBDatabaseDEF);
        transaction.Start();
        db::Query q(DM->IBDatabaseDEF, transaction,
                    "SELECT STYLENAME, SSTR, LINECOLOR1 || ',' || LINECOLOR5 || ',' || NETCOLOR1 || ',' || NETCOLOR2"
                    " AS COLOURS FROM STYLECOLOR WHERE OPCODE = 100001 ORDER BY STYLENAME");
        std::vector<Row> rows;
        for (q.Open(); !q.Eof(); q.Next())
            rows.push_back({q.FieldByName("STYLENAME").AsString(), q.FieldByName("SSTR").AsString(),
                            q.FieldByName("COLOURS").AsString()});
        return rows;
    }

    RecordingMessagePresenter presenter;

private:
    const TSystemDef saved_ = SystemDef;
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(GamenKeyValueTest, SavesAndRestoresOneRowPerScreenWhateverTheCase)
{
    TGamenKeyValue store;
    store.HozonValue("Form1", "  KIKAN=1,4　");
    std::string value = "old";
    store.FukugenValue("FORM1", value);
    EXPECT_EQ(value, "KIKAN=1,4");

    store.HozonValue("form1", "KIKAN=2,5");  // the same row, updated
    const std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].styleName, "020-FORM1");
    EXPECT_EQ(rows[0].sstr, "KIKAN=2,5");
    EXPECT_EQ(rows[0].colours, "-1,-1,-1,-1");
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
}

TEST_F(GamenKeyValueTest, NothingSavedLeavesTheCallersValue)
{
    TGamenKeyValue store;
    std::string value = "kept";
    store.FukugenValue("Other", value);
    EXPECT_EQ(value, "kept");
}

TEST_F(GamenKeyValueTest, LongValuesAndNamesAreCutByBytesWithoutTearingACharacter)
{
    TGamenKeyValue store;
    // 1 + 2 × 750 = 1501 bytes: byte 1024 is the first half of a character.
    std::string value = "a";
    for (int i = 0; i < 750; ++i)
        value += "表";
    store.HozonValue(std::string(50, 'x'), value);
    const std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].styleName, "020-" + std::string(36, 'X'));
    const std::string stored = rows[0].sstr;
    EXPECT_EQ(cp932::ByteWidth(stored), 1023u);
    EXPECT_EQ(stored, value.substr(0, 1 + 3 * 511));  // 511 whole characters, the torn one dropped
}

TEST_F(GamenKeyValueTest, WithoutOperatorOrScreenNothingIsReadOrWritten)
{
    SystemDef.OPCODE = 0;
    TGamenKeyValue noOperator;
    noOperator.HozonValue("Form1", "x");
    SystemDef.OPCODE = 100001;
    TGamenKeyValue store;
    store.HozonValue("", "x");
    EXPECT_TRUE(Rows().empty());
    store.HozonValue("Form1", "y");
    std::string value = "before";
    noOperator.FukugenValue("Form1", value);
    EXPECT_EQ(value, "before");
}

TEST_F(GamenKeyValueTest, FailureShownOnlyInItsOwnTransaction)
{
    TGamenKeyValue store;
    store.HozonValue("Form1", "first");
    // Another connection holds the row, so the update fails at once.
    db::Database other;
    other.Attach(DM->IBDatabaseDEF.DatabaseName(), User, Password);
    db::Transaction holder(other);
    holder.Start();
    db::Query(other, holder, "UPDATE STYLECOLOR SET SSTR = 'held' WHERE OPCODE = 100001").ExecSQL();

    DM->IBTransactionDEF.Start();
    store.HozonValue("Form1", "second");  // the caller's transaction: dropped
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_TRUE(DM->IBTransactionDEF.InTransaction());
    DM->IBTransactionDEF.Rollback();

    store.HozonValue("Form1", "third");  // its own: shown, and committed
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.shown[0].Text.find("画面値の保存に失敗しました。"), std::string::npos);
    EXPECT_FALSE(DM->IBTransactionDEF.InTransaction());
    holder.Rollback();
    EXPECT_EQ(Rows().at(0).sstr, "first");
}

}  // namespace
