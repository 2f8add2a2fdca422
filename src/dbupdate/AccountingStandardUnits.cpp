// The accounting updates that are nothing but their row and their SQL
// files: 0.1.2, 0.2.1, 0.3.1, 0.3.4 and 1.0.0, and 0.2.0, 0.3.0, 0.3.2 and
// 0.4.0, which record their version alone and ask for no backup (0.3.2
// keeps the title it was delivered with).

#include "dbupdate/AccountingUpdateUnits.h"

#include <string>
#include <utility>
#include <vector>

namespace {

TStandardUnit AccountingUnit(std::int32_t major, std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag,
                             std::string title, std::string description, std::vector<std::string> sqlFiles)
{
    return {accupdate::AccountingShape(major, minor1, minor2),
            backupFlag,
            std::move(title),
            std::move(description),
            std::move(sqlFiles),
            {},
            TMissingBodyFile::Skip,
            {}};
}

TStandardUnit AccountingUnit(std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag, std::string title,
                             std::string description, std::vector<std::string> sqlFiles)
{
    return AccountingUnit(0, minor1, minor2, backupFlag, std::move(title), std::move(description), std::move(sqlFiles));
}

}  // namespace

// The bank reconciliation statement: two selectable procedures page through
// one account's journal lines from a reference line, backwards (LISTUP,
// newest first) or forwards (LISTDOWN, oldest first); the third gives the
// statement's balance up to a line or up to a month.
LEDRIX_STANDARD_UNIT(z5UserDbUpdate012,
                     AccountingUnit(1, 2, 1, "当座残高調整表を追加", "当座残高調整表用のプロシジャーを作成します。",
                                    {"bank-reconciliation-up.sql", "bank-reconciliation-down.sql",
                                     "bank-reconciliation-balance.sql"}))

LEDRIX_STANDARD_UNIT(z5UserDbUpdate020, AccountingUnit(2, 0, 0, "データのバージョンを0.2.0に更新",
                                                       "データのバージョンを0.2.0に更新します。", {}))

// A one-time repair of the prior-year allocation ratios and of the
// no-department past balances.
LEDRIX_STANDARD_UNIT(z5UserDbUpdate021,
                     AccountingUnit(2, 1, 1, "過年度残高の修復 ", "過年度残高を修復します。", {"balance-repair.sql"}))

LEDRIX_STANDARD_UNIT(z5UserDbUpdate030, AccountingUnit(3, 0, 0, "データのバージョンを0.3.0に更新",
                                                       "データのバージョンを0.3.0に更新します。", {}))

// The communication folder of the company data; the department-group
// prior-year balances summed over the group (the procedure 0.2.2 created,
// altered in place: its text after the head is 0.2.2's file); KAKOZAN, the
// past-balance mark of an account row: the largest non-zero balance of its
// earlier periods, 0 when there is none (the period -32 only seeds the
// oldest year's comparison and is left out).
LEDRIX_STANDARD_UNIT(z5UserDbUpdate031,
                     AccountingUnit(3, 1, 1, "３期比較集計プログラムの更新 他",
                                    "３期比較集計プログラムを更新します。\r基本情報に通信フォルダー列を追加します。",
                                    {"communication-folder.sql", "group-prior-year-alter.sql",
                                     "../022/group-prior-year.sql", "past-balance-mark.sql"}))

LEDRIX_STANDARD_UNIT(z5UserDbUpdate032,
                     AccountingUnit(3, 2, 0, "電子帳簿用ユーザーの追加", "電子帳簿用ユーザーを追加します。", {}))

// The system-account lookup answers one row, an empty code for a name the
// data does not know; the quick assets 1141 to 1147 (but 1144) are summed
// under group 1130, in the accounts and in the layout lines 7 to 12 of
// both trial-balance layouts.
LEDRIX_STANDARD_UNIT(
    z5UserDbUpdate034,
    AccountingUnit(3, 4, 1, "特定科目コード取得プログラムの変更 他",
                   "特定科目コード取得プログラムを変更します。\r試算表用の当座資産分類コードを変更します。",
                   {"system-account-lookup.sql", "quick-asset-group.sql"}))

LEDRIX_STANDARD_UNIT(z5UserDbUpdate040, AccountingUnit(4, 0, 0, "データのバージョンを0.4.0に更新",
                                                       "データのバージョンを0.4.0に更新します。", {}))

// The comparison row 31 gets its name right; an opening balance is copied
// into the previous-balance row before the start month by data kind: a
// corporation's but the retained earnings, which the carry-forward
// writes; an individual's but capital and drawings once a carry-forward
// has run or entries start in the first month; nothing for other kinds.
// The start month's previous period counts the quarter periods (every
// fourth) between the months.
LEDRIX_STANDARD_UNIT(z5UserDbUpdate100, AccountingUnit(1, 0, 0, 1, "Ledrix財務０９ Ver1.0.0",
                                                       "Ledrix財務０９ Ver1.0.0データへ更新します。",
                                                       {"comparison-row-name.sql", "opening-balance-trigger.sql"}))

// The previous-year writer takes movements (running from the balance
// before, or from 0 for profit-and-loss accounts and an individual's
// capital and drawings) or balances; the previous-year readers no longer
// cut the periods at the start month and list the accounts in code order.
// Every returned row is computed afresh, so a period without a row reads
// 0 rather than the figure of the row before; the common department's
// share is rounded half away from zero on a product taken in double
// precision, which holds balances that a product of two four-place
// numerics cannot. The saved screen settings are cleared.
LEDRIX_STANDARD_UNIT(
    z5UserDbUpdate101,
    AccountingUnit(
        1, 0, 1, 1, "財務分析で期中開始データが適正に集計されない不具合を修正 他",
        "１）財務分析で期中開始データが適正に集計されるように修正します。\r２）比較経営分析の科目内訳表示範囲を修正します。（経営Navigore）",
        {"prior-year-writer.sql", "prior-year-readers.sql", "comparison-groups.sql"}))
