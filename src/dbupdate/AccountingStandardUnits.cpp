// The accounting updates that are nothing but their row and their SQL
// files: 0.1.2, 0.2.1 and 0.3.1, and 0.2.0, 0.3.0 and 0.3.2, which record
// their version alone and ask for no backup (0.3.2 keeps the title it was
// delivered with).

#include "dbupdate/AccountingUpdateUnits.h"

#include <string>
#include <utility>
#include <vector>

namespace {

TStandardUnit AccountingUnit(std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag, std::string title,
                             std::string description, std::vector<std::string> sqlFiles)
{
    return {accupdate::AccountingShape(0, minor1, minor2), backupFlag, std::move(title), std::move(description),
            std::move(sqlFiles), {}, TMissingBodyFile::Skip};
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
