#pragma once
// The statements an accumulation reads the company data with, in the data
// module's snapshot transaction: each text is prepared once per pair and
// run again for every account with new parameter values.

#include "platform/db/Query.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// A statement on the company data in the snapshot transaction. Throws
// TTrialBalanceError when there is no data module to make it.
std::unique_ptr<db::Query> AccumulationStatement();

// The statements of one pair, by text; released with the set.
class TStatementSet final {
public:
    // The statement of the text, closed, with the named parameters that
    // the text holds set (":KCODE" and the like; names the text does not
    // hold are passed over, so one list serves several texts).
    db::Query& Prepare(const std::string& sql,
                       std::initializer_list<std::pair<std::string_view, std::string>> texts = {},
                       std::initializer_list<std::pair<std::string_view, std::int32_t>> numbers = {});

    // Whether the account has balance rows under the pair's condition.
    bool HasBalanceRows(const std::string& kcode, const std::string& pairCondition);
    // Whether a debit-side account in use sits on the layout line.
    bool DebitSideAccountsOnLine(std::int32_t mstrec);

private:
    std::map<std::string, std::unique_ptr<db::Query>> statements_;
};
