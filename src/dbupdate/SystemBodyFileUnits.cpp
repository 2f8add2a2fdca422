// The system updates from 7.0.4 on that are nothing but their row and the
// installation's body files.

#include "dbupdate/SystemUpdateUnits.h"

using sysupdate::BodyFileUnit;

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate704,
                     BodyFileUnit(7, 0, 4, 0, "消費税・特定課税仕入れ に対応",
                                  "１）特定課税仕入れの取引 に対応します。", {"sysup01.sql"}, TMissingBodyFile::Skip))

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate800,
                     BodyFileUnit(8, 0, 0, 1, "マイナンバー制度に対応", "１）マイナンバー制度に対応しました。",
                                  {"sysup01.sql"}, TMissingBodyFile::Fail))

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate1004, BodyFileUnit(10, 0, 4, 1, "オペレータの種類に承認者を追加",
                                                        "１）オペレータの種類に承認者を追加しました。", {"sysup01.sql"},
                                                        TMissingBodyFile::Fail))

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate1200,
                     BodyFileUnit(12, 0, 0, 1, "仕訳入力の禁止設定",
                                  "１）仕訳入力を禁止にする設定を追加しました。※対象製品：Ledrix財務", {"sysup01.sql"},
                                  TMissingBodyFile::Fail))
