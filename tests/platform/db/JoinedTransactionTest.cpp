#include "platform/db/JoinedTransaction.h"

#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

namespace {

using namespace dbtest;

class DbJoinedTransactionTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        database_.Create(DbPath("joined.fdb"), User, Password);
        transaction_.Start();
        db::Query(database_, transaction_, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY)").ExecSQL();
        transaction_.Commit();
    }

    void Insert(int id)
    {
        db::Query insert(database_, transaction_, "INSERT INTO T (ID) VALUES (:ID)");
        insert.ParamByName("ID").SetInteger(id);
        insert.ExecSQL();
    }

    // The committed rows, as another transaction sees them.
    int Committed()
    {
        db::Transaction reader(database_);
        reader.Start();
        db::Query count(database_, reader, "SELECT COUNT(*) FROM T");
        count.Open();
        return count.FieldByIndex(0).AsInteger();
    }

    db::Database database_;
    db::Transaction transaction_{database_};
};

struct ScopeCase {
    const char* label;
    bool callerActive;   // the caller holds the transaction before the scope
    bool raises;         // the work raises instead of reaching Commit
    bool activeAfter;    // the transaction is active after the scope
    int committedAfter;  // rows committed after the scope
};

void PrintTo(const ScopeCase& c, std::ostream* os)
{
    *os << c.label;
}

class DbJoinedTransactionCases : public DbJoinedTransactionTest, public ::testing::WithParamInterface<ScopeCase> {};

TEST_P(DbJoinedTransactionCases, EndsOnlyWhatItStarted)
{
    const ScopeCase& c = GetParam();
    if (c.callerActive) {
        transaction_.Start();
        Insert(1);  // the caller's own work
    }
    try {
        db::JoinedTransaction joined(transaction_);
        EXPECT_EQ(!c.callerActive, joined.Started());
        EXPECT_TRUE(transaction_.InTransaction());
        Insert(2);
        if (c.raises)
            throw std::runtime_error("the work failed");
        joined.Commit();
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(c.activeAfter, transaction_.InTransaction());
    EXPECT_EQ(c.committedAfter, Committed());
    if (c.callerActive) {
        // The caller's transaction holds its work and the scope's, for the
        // caller to end.
        db::Query count(database_, transaction_, "SELECT COUNT(*) FROM T");
        count.Open();
        EXPECT_EQ(2, count.FieldByIndex(0).AsInteger());
        transaction_.Commit();
        EXPECT_EQ(2, Committed());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DbJoinedTransactionCases,
                         ::testing::Values(ScopeCase{"OwnCommitted", false, false, false, 1},
                                           ScopeCase{"OwnRolledBack", false, true, false, 0},
                                           ScopeCase{"CallersLeftOpen", true, false, true, 0},
                                           ScopeCase{"CallersKeptOnError", true, true, true, 0}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(DbJoinedTransactionTest, StartFailureLeavesNothingToEnd)
{
    database_.Detach();
    EXPECT_THROW(db::JoinedTransaction joined(transaction_), db::FbError);
    EXPECT_FALSE(transaction_.InTransaction());
}

}  // namespace
