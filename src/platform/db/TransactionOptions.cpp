#include "platform/db/TransactionOptions.h"

#include <ibase.h>

namespace db {

std::vector<std::uint8_t> TransactionOptions::Build() const
{
    std::vector<std::uint8_t> tpb{isc_tpb_version3};
    tpb.push_back(readOnly_ ? isc_tpb_read : isc_tpb_write);
    switch (isolation_) {
    case Isolation::ReadCommitted:
        tpb.push_back(isc_tpb_read_committed);
        tpb.push_back(recordVersion_ ? isc_tpb_rec_version : isc_tpb_no_rec_version);
        break;
    case Isolation::Snapshot:
        tpb.push_back(isc_tpb_concurrency);
        break;
    case Isolation::Consistency:
        tpb.push_back(isc_tpb_consistency);
        break;
    }
    tpb.push_back(wait_ ? isc_tpb_wait : isc_tpb_nowait);
    if (wait_ && lockTimeout_ > 0) {
        // A counted little-endian number.
        tpb.push_back(isc_tpb_lock_timeout);
        tpb.push_back(4);
        for (int shift = 0; shift < 32; shift += 8)
            tpb.push_back(static_cast<std::uint8_t>(lockTimeout_ >> shift));
    }
    return tpb;
}

const TransactionOptions& TransactionOptions::ReadCommitted()
{
    static const TransactionOptions options =
        TransactionOptions().SetIsolation(Isolation::ReadCommitted).SetRecordVersion(true).SetWait(false);
    return options;
}

const TransactionOptions& TransactionOptions::Snapshot()
{
    static const TransactionOptions options = TransactionOptions().SetIsolation(Isolation::Snapshot).SetWait(false);
    return options;
}

}  // namespace db
