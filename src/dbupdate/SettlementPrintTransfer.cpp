#include "dbupdate/SettlementPrintTransfer.h"

#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"

namespace accupdate {

std::array<std::int32_t, 7> SettlementPrintValues(std::int32_t dataType)
{
    if (dataType != 1)
        return {};
    const std::int32_t zeroPrint = SystemDef.ZeroPrint;
    return {zeroPrint == 1 || zeroPrint == 2 ? 1 : 0,
            zeroPrint == 1 ? 1 : 0,
            SystemDef.SankakuPlus,
            (SystemDef.Reserve2 & 2) != 0 ? 1 : 0,
            (SystemDef.Reserve2 & 1) != 0 ? 1 : 0,
            SystemDef.SettlementSellingCost,
            SystemDef.SettlementBillOffset};
}

void CopySettlementPrintSettings(const TDataFixContext& context)
{
    if (context.Kind.DataType == 3)
        return;
    db::Query query(context.Dm.IBDatabaseDAT, context.Dm.IBTransactionDAT,
                    "UPDATE KESSAN SET ZEROKAMOKUPRINT=:ZEROKAMOKUPRINT,ZEROPRINT=:ZEROPRINT,"
                    "SONSHITUSANKAKU=:SONSHITUSANKAKU,\n"
                    "SOTOWAKUKAHEN=:SOTOWAKUKAHEN,FUSAINOBUKAIPAGE=:FUSAINOBUKAIPAGE,HANBAIHIKUMIIRE=:HANBAIHIKUMIIRE,"
                    "TEGATASOSAI=:TEGATASOSAI\n"
                    "WHERE REC=1");
    static const char* const names[] = {"ZEROKAMOKUPRINT",  "ZEROPRINT",       "SONSHITUSANKAKU", "SOTOWAKUKAHEN",
                                        "FUSAINOBUKAIPAGE", "HANBAIHIKUMIIRE", "TEGATASOSAI"};
    const std::array<std::int32_t, 7> values = SettlementPrintValues(context.Kind.DataType);
    for (std::size_t i = 0; i < values.size(); ++i)
        query.ParamByName(names[i]).SetInteger(values[i]);
    query.ExecSQL();
    query.Close();
}

}  // namespace accupdate
