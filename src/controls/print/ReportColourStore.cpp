#include "controls/print/ReportColourStore.h"

#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/StyleColorStore.h"
#include "foundation/SystemDef.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"

namespace {

constexpr const char* Location = "TPrintDlgBox.GetStyleColorRec";
constexpr const char* ReadFailed = "ユーザー別帳票色情報の取得に失敗しました。";
constexpr const char* WriteFailed = "ユーザー別帳票色情報の更新に失敗しました。";

constexpr const char* SelectSql =
    "SELECT LINECOLOR1,LINECOLOR2,NETCOLOR1,NETCOLOR2,SSTR FROM STYLECOLOR\r\n"
    "WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME";
constexpr std::int32_t Environment = -1;

void BindKey(db::Query& query, const TDefaultPrintRec& rec)
{
    query.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
    query.ParamByName("STYLENAME").SetString(ReportStyleName(rec.ReportName));
}

// Runs work in the system transaction; a failure is shown and rolled back.
template <typename Work>
void InSystemTransaction(const char* failure, Work work)
{
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        auto query = CreateAccSQL("ACCDEF", false);
        work(*query);
        transaction.Commit();
    } catch (const db::FbError& e) {
        HandleIBError(e, Location, failure);
    } catch (const std::exception& e) {
        ShowErrorMessage(failure, e.what(), TMsgDlgType::mtError);
    }
}

}  // namespace

void ReadReportColours(TDefaultPrintRec& rec)
{
    if (rec.ReportName.empty())
        return;
    InSystemTransaction(ReadFailed, [&rec](db::Query& query) {
        query.SetSQL(SelectSql);
        BindKey(query, rec);
        TDefaultPrintRec read = rec;
        for (query.Open(); !query.Eof(); query.Next()) {
            const auto take = [&query](const char* field, std::int32_t& colour) {
                if (query.FieldByName(field).IsNull())
                    return;
                const std::int32_t value = query.FieldByName(field).AsInteger();
                if (value != Environment)
                    colour = value;
            };
            take("LINECOLOR1", read.LineColor1);
            take("LINECOLOR2", read.LineColor2);
            take("NETCOLOR1", read.NetColor1);
            take("NETCOLOR2", read.NetColor2);
            read.SavedChoices = query.FieldByName("SSTR").AsString();
        }
        query.Close();
        rec = read;
    });
}

void WriteReportColours(const TDefaultPrintRec& rec)
{
    if (rec.ReportName.empty())
        return;
    InSystemTransaction(WriteFailed, [&rec](db::Query& query) {
        TStyleColours colours;
        colours.fill(Environment);
        const auto own = [](std::int32_t colour, std::int32_t environment) {
            return colour != environment ? colour : Environment;
        };
        colours[0] = own(rec.LineColor1, SystemDef.PLineColor1);
        colours[1] = own(rec.LineColor2, SystemDef.PLineColor2);
        colours[5] = own(rec.NetColor1, SystemDef.NetColor1);
        colours[6] = own(rec.NetColor2, SystemDef.NetColor2);
        WriteStyleRow(query, SystemDef.OPCODE, ReportStyleName(rec.ReportName), colours, rec.SavedChoices);
    });
}
