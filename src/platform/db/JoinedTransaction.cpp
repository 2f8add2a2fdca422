#include "platform/db/JoinedTransaction.h"

#include "platform/db/Transaction.h"

namespace db {

JoinedTransaction::JoinedTransaction(Transaction& transaction)
    : transaction_(transaction), started_(!transaction.InTransaction())
{
    if (started_)
        transaction_.Start();
}

JoinedTransaction::~JoinedTransaction()
{
    if (!started_ || done_ || !transaction_.InTransaction())
        return;
    try {
        transaction_.Rollback();
    } catch (...) {
        // The rollback ended the transaction on this side all the same; the
        // error that brought us here is the one that matters.
    }
}

void JoinedTransaction::Commit()
{
    if (started_ && !done_)
        transaction_.Commit();
    done_ = true;
}

}  // namespace db
