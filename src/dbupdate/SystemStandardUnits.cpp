// The system updates that are nothing but their row and their SQL files:
// 0.3.1 (shared server), 0.3.2 and 0.3.3 (the system user), 3.0.0 (update
// lock, merged-data kind), 3.0.5 (child lists of merged data), 3.0.7 (menu
// pages of the levels above 1000) and 4.0.0 (company code column, eras,
// twenty code systems).

#include "dbupdate/SystemUpdateUnits.h"

#include <string>
#include <utility>
#include <vector>

namespace {

TStandardUnit SystemUnit(std::int32_t major, std::int32_t minor1, std::int32_t minor2, std::int32_t backupFlag,
                         std::string title, std::string description, std::vector<std::string> sqlFiles)
{
    return {sysupdate::SystemShape(major, minor1, minor2, false),
            backupFlag,
            std::move(title),
            std::move(description),
            std::move(sqlFiles),
            {},
            TMissingBodyFile::Skip,
            {}};
}

}  // namespace

// VERSION_REC numbers every new row after the highest one (3.0.0 re-issues
// the same body). The first form of SERVERDATALIST numbered its rows per
// group; the new one is keyed by group, drive letter and number.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate031,
                     SystemUnit(0, 3, 1, 1, "共有サーバー機能の追加", "共有サーバー機能を追加します。",
                                {"version-rec-create.sql", "version-rec-body.sql", "shared-server.sql"}))

// The electronic-book programs log on as this user; its first password is a
// fixed digit, which 0.3.3 takes away again.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate032, SystemUnit(0, 3, 2, 0, "電子帳簿用ユーザーの追加",
                                                     "電子帳簿用ユーザーを追加します。", {"system-user.sql"}))

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate033,
                     SystemUnit(0, 3, 3, 0, "経営Navigoreユーザーの追加", "経営Navigoreユーザーを追加します。",
                                {"system-user-password.sql"}))

// The new columns' defaults do not reach the rows already there.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate300,
                     SystemUnit(3, 0, 0, 0, "旧バージョンデータの更新を禁止する機能を追加",
                                "旧バージョンデータの更新を設定により禁止することが可能になります。",
                                {"version-rec-alter.sql", "../031/version-rec-body.sql", "update-lock.sql"}))

// The share-server child list has no local-drive flag and no share lock.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate305, SystemUnit(3, 0, 5, 0, "データ合算機能の追加",
                                                     "データの合算処理が可能になります。", {"child-data-lists.sql"}))

// Pages 10, 11 and 12 of the levels above 1000 move on by one (12 back to
// 10), through the free pages 100 to 120 so that no two collide.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate307,
                     SystemUnit(3, 0, 7, 0, "処理コントロールデータの改修",
                                "処理レベルによる処理コントロールのデータ関連性を改修します。", {"menu-pages.sql"}))

// SP_DATALIST_INSERT in its first form continues after the highest number
// and so, on an empty list, inserts nothing. Code systems 11 to 20 are
// empty slots after the ten delivered ones; an office that keeps its record
// (RESERVE1 1) gets the new switch set.
LEDRIX_STANDARD_UNIT(z5SystemDbUpdate400,
                     SystemUnit(4, 0, 0, 1, "データ選択に会社コード列を追加 他",
                                "１）データ選択で会社コードをキーとした検索機能が利用可能となります。\r"
                                "２）コード体系保存件数が20件へ拡張となります。",
                                {"company-code-and-eras.sql"}))
