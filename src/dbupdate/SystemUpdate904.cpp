// System update 9.0.4: the way the journal and ledger entries open their
// summary and partner dictionaries becomes four settings per side and
// operator, derived from the operator's old switches.

#include "dbupdate/SystemConnection.h"
#include "dbupdate/SystemSettingsStore.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/DataModule.h"
#include "platform/db/JoinedTransaction.h"

#include <array>

namespace z5SystemDbUpdate904 {

namespace {

// One side's old switch (0 none, 1 dictionary, 2 association) and its
// no-entry setting, as the four new settings.
std::array<std::int32_t, 4> OpenSettings(std::int32_t autoSwitch, std::int32_t inputKind)
{
    std::int32_t dictionary = autoSwitch == 1 ? 1 : 0;
    const std::int32_t association = autoSwitch == 2 ? 1 : 0;
    const std::int32_t automatic = autoSwitch == 1 || autoSwitch == 2 ? 1 : 0;
    const std::int32_t noEntry = inputKind > 0 ? 1 : 0;
    // One of the two ways always opens.
    if (dictionary != 1 && association != 1)
        dictionary = 1;
    return {dictionary, association, automatic, noEntry};
}

void PutSide(std::int32_t opcode, const char* const (&names)[4], const std::array<std::int32_t, 4>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        sysupdate::PutSysRegInteger(names[i], opcode, values[i]);
}

void ConvertOperators()
{
    static const char* const summaryNames[4] = {"摘要＿辞書開く区分", "摘要＿連想開く区分", "摘要＿自動開く区分",
                                                "摘要＿入力なし区分"};
    static const char* const partnerNames[4] = {"取引先＿辞書開く区分", "取引先＿連想開く区分", "取引先＿自動開く区分",
                                                "取引先＿入力なし区分"};
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query reader(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                     "SELECT OPCODE,DICTEKAUTO,DICTORAUTO FROM SYSDEF ORDER BY OPCODE");
    for (reader.Open(); !reader.Eof(); reader.Next()) {
        const std::int32_t opcode = reader.FieldByName("OPCODE").AsInteger();
        const std::int32_t summarySwitch = reader.FieldByName("DICTEKAUTO").AsInteger();
        const std::int32_t partnerSwitch = reader.FieldByName("DICTORAUTO").AsInteger();
        const std::int32_t summaryKind = sysupdate::GetSysRegInteger("摘要項目の入力区分", opcode, "0");
        const std::int32_t partnerKind = sysupdate::GetSysRegInteger("取引先項目の入力区分", opcode, "0");
        PutSide(opcode, summaryNames, OpenSettings(summarySwitch, summaryKind));
        PutSide(opcode, partnerNames, OpenSettings(partnerSwitch, partnerKind));
    }
    reader.Close();
    transaction.Commit();
}

}  // namespace

std::int32_t ConvertDictionarySettings()
{
    return RunSystemConversion("z5SystemDbUpdate904", &ConvertOperators);
}

}  // namespace z5SystemDbUpdate904

namespace {

TStandardUnit MakeUnit()
{
    TStandardUnit unit =
        sysupdate::BodyFileUnit(9, 0, 4, 1, "仕訳帳、元帳の入力方法の管理項目を変更",
                                "１）仕訳帳、元帳の入力方法の管理項目を変更しました。", {}, TMissingBodyFile::Fail);
    unit.AfterScript = &z5SystemDbUpdate904::ConvertDictionarySettings;
    return unit;
}

}  // namespace

LEDRIX_STANDARD_UNIT(z5SystemDbUpdate904, MakeUnit())
