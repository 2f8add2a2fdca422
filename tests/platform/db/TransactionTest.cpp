#include "platform/db/Transaction.h"

#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Query.h"

#include <gtest/gtest.h>
#include <ibase.h>

#include <chrono>
#include <exception>
#include <thread>

namespace {

using namespace dbtest;

class DbTransactionTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        path_ = DbPath("tx.fdb");
        dbtest::CreateTestDatabase(first_, path_);
        db::Transaction ddl(first_);
        ddl.Start();
        db::Query(first_, ddl, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V INTEGER)").ExecSQL();
        ddl.Commit();
        second_.Attach(path_, User, Password);
    }

    static int Count(db::Database& database, db::Transaction& transaction)
    {
        db::Query query(database, transaction, "SELECT COUNT(*) AS N FROM T");
        query.Open();
        return query.FieldByName("N").AsInteger();
    }

    static void Run(db::Database& database, db::Transaction& transaction, const char* sql)
    {
        db::Query(database, transaction, sql).ExecSQL();
    }

    std::string path_;
    db::Database first_;
    db::Database second_;  // another attachment to the same file
};

TEST_F(DbTransactionTest, SnapshotKeepsItsStateReadCommittedSeesNewCommits)
{
    db::Transaction snapshot(first_, db::TransactionOptions::Snapshot());
    db::Transaction readCommitted(first_, db::TransactionOptions::ReadCommitted());
    snapshot.Start();
    readCommitted.Start();
    EXPECT_EQ(0, Count(first_, snapshot));

    db::Transaction writer(second_);
    writer.Start();
    Run(second_, writer, "INSERT INTO T (ID) VALUES (1)");
    writer.Commit();

    EXPECT_EQ(0, Count(first_, snapshot));
    EXPECT_EQ(1, Count(first_, readCommitted));
    snapshot.Commit();
    snapshot.Start();
    EXPECT_EQ(1, Count(first_, snapshot));
}

TEST_F(DbTransactionTest, StartsOnlyWhenNoneIsActive)
{
    db::Transaction transaction(first_);
    EXPECT_FALSE(transaction.InTransaction());
    EXPECT_THROW(transaction.Commit(), db::FbError);
    EXPECT_THROW(transaction.Rollback(), db::FbError);
    EXPECT_THROW(transaction.CommitRetaining(), db::FbError);
    transaction.Start();
    EXPECT_TRUE(transaction.InTransaction());
    EXPECT_THROW(transaction.Start(), db::FbError);
    transaction.Rollback();
    EXPECT_FALSE(transaction.InTransaction());

    db::Database detached;
    db::Transaction orphan(detached);
    EXPECT_THROW(orphan.Start(), db::FbError);
}

TEST_F(DbTransactionTest, DestroyedWhileActiveRollsBack)
{
    {
        db::Transaction transaction(first_);
        transaction.Start();
        Run(first_, transaction, "INSERT INTO T (ID) VALUES (1)");
    }
    db::Transaction reader(second_);
    reader.Start();
    EXPECT_EQ(0, Count(second_, reader));
}

TEST_F(DbTransactionTest, DetachRollsBackTheActiveTransactions)
{
    db::Transaction transaction(first_);
    transaction.Start();
    Run(first_, transaction, "INSERT INTO T (ID) VALUES (1)");
    first_.Detach();
    EXPECT_FALSE(first_.Connected());
    EXPECT_FALSE(transaction.InTransaction());

    first_.Attach(path_, User, Password);
    transaction.Start();  // the same object works on the new attachment
    EXPECT_EQ(0, Count(first_, transaction));
}

TEST_F(DbTransactionTest, CommitRetainingKeepsTheTransactionAndItsCursor)
{
    db::Transaction transaction(first_);
    transaction.Start();
    Run(first_, transaction, "INSERT INTO T (ID) VALUES (1)");
    Run(first_, transaction, "INSERT INTO T (ID) VALUES (2)");
    db::Query query(first_, transaction, "SELECT ID FROM T ORDER BY ID");
    query.Open();
    transaction.CommitRetaining();
    EXPECT_TRUE(transaction.InTransaction());
    ASSERT_TRUE(query.Active());
    query.Next();
    EXPECT_EQ(2, query.FieldByName("ID").AsInteger());

    db::Transaction reader(second_);
    reader.Start();
    EXPECT_EQ(2, Count(second_, reader));  // committed for everybody else
}

TEST_F(DbTransactionTest, NoWaitConflictFailsAtOnce)
{
    db::Transaction setup(first_);
    setup.Start();
    Run(first_, setup, "INSERT INTO T (ID, V) VALUES (1, 0)");
    setup.Commit();

    db::Transaction holder(first_);
    holder.Start();
    Run(first_, holder, "UPDATE T SET V = 1 WHERE ID = 1");

    for (const db::TransactionOptions* options :
         {&db::TransactionOptions::ReadCommitted(), &db::TransactionOptions::Snapshot()}) {
        db::Transaction other(second_, *options);
        other.Start();
        const auto started = std::chrono::steady_clock::now();
        try {
            Run(second_, other, "UPDATE T SET V = 2 WHERE ID = 1");
            ADD_FAILURE() << "the second update did not conflict";
        } catch (const db::FbError& error) {
            // "deadlock / update conflicts with concurrent update"
            EXPECT_EQ(335544336, error.IBErrorCode()) << error.what();
            EXPECT_EQ(-913, error.SQLCode()) << error.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
        other.Rollback();
    }
}

TEST_F(DbTransactionTest, LockTimeOutWaitsForTheHolderThenGivesUp)
{
    db::Transaction setup(first_);
    setup.Start();
    Run(first_, setup, "INSERT INTO T (ID, V) VALUES (1, 0)");
    setup.Commit();

    const db::TransactionOptions waitOptions =
        db::TransactionOptions(db::TransactionOptions::ReadCommitted()).SetLockTimeout(60);
    EXPECT_TRUE(waitOptions.Wait());

    // A holder that rolls back while the other waits on its lock: the
    // waiting update goes through.
    db::Transaction holder(first_);
    holder.Start();
    Run(first_, holder, "UPDATE T SET V = 1 WHERE ID = 1");
    db::Transaction waiter(second_, waitOptions);
    waiter.Start();
    std::exception_ptr failure;
    std::thread update([&] {
        try {
            Run(second_, waiter, "UPDATE T SET V = 2 WHERE ID = 1");
        } catch (...) {
            failure = std::current_exception();
        }
    });
    const bool waiting = WaitForRunningStatement(first_, "UPDATE T SET V = 2");
    holder.Rollback();
    update.join();
    EXPECT_TRUE(waiting);
    EXPECT_FALSE(failure);
    waiter.Commit();

    // A holder that stays: the wait ends with the time-out.
    holder.Start();
    Run(first_, holder, "UPDATE T SET V = 3 WHERE ID = 1");
    db::Transaction impatient(second_,
                              db::TransactionOptions(db::TransactionOptions::ReadCommitted()).SetLockTimeout(1));
    impatient.Start();
    try {
        Run(second_, impatient, "UPDATE T SET V = 4 WHERE ID = 1");
        ADD_FAILURE() << "the update did not time out";
    } catch (const db::FbError& error) {
        // The conflict a nowait transaction meets at once.
        EXPECT_TRUE(error.HasCode(isc_deadlock) && error.HasCode(isc_update_conflict)) << error.what();
    }
    impatient.Rollback();
    holder.Rollback();
}

TEST_F(DbTransactionTest, MovedObjectsKeepTheirBindings)
{
    db::Transaction transaction(first_);
    db::Query query(first_, transaction, "SELECT COUNT(*) AS N FROM T");

    db::Database moved(std::move(first_));
    db::Transaction movedTransaction(std::move(transaction));
    db::Query movedQuery(std::move(query));
    EXPECT_TRUE(moved.Connected());
    EXPECT_FALSE(first_.Connected());

    movedTransaction.Start();
    movedQuery.Open();
    EXPECT_EQ(0, movedQuery.FieldByName("N").AsInteger());
    EXPECT_THROW(transaction.Start(), db::FbError);  // moved from

    // The database going first leaves the others harmless.
    moved.Detach();
    EXPECT_FALSE(movedTransaction.InTransaction());
    EXPECT_THROW(movedQuery.Open(), db::FbError);
}

TEST_F(DbTransactionTest, QueryRefusesATransactionOfAnotherDatabase)
{
    db::Transaction transaction(second_);
    EXPECT_THROW(db::Query(first_, transaction), db::FbError);
}

}  // namespace
