#include "dbupdate/AccountingUpdates.h"

#include "dbupdate/AccountingLaterUnitList.h"
#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/SystemDef.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/VersionUtils.h"
#include "platform/db/JoinedTransaction.h"

#include <functional>
#include <memory>

namespace accupdate {

TUpdateUnitShape AccountingShape(std::int32_t major, std::int32_t minor1, std::int32_t minor2)
{
    return {TUpdateTarget::CompanyDatabase, major,           minor1, minor2, false,
            TVersionStamp::AccountingData,  TMemoForm::Short};
}

bool AskCompanyDatabase(const std::function<void(TDM&)>& ask)
{
    // The program always has its data module; a tool that runs the units
    // without one (the database builder) gets a data module for the question.
    std::unique_ptr<TDM> own;
    TDM* dm = DM.get();
    if (dm == nullptr) {
        own = std::make_unique<TDM>();
        dm = own.get();
    }
    if (!dm->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false))
        return false;
    {
        // The question runs in the company transaction; what it started is
        // committed here, or rolled back when the question raises.
        db::JoinedTransaction joined(dm->IBTransactionDAT);
        ask(*dm);
        try {
            joined.Commit();
        } catch (const std::exception&) {
            // The answer stands.
        }
    }
    try {
        dm->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    } catch (const std::exception&) {
        // The answer stands; the next connect closes what is left open.
    }
    return true;
}

std::optional<TCompanyKind> ReadCompanyKind(const char* unitName)
{
    std::optional<TCompanyKind> kind;
    AskCompanyDatabase([&](TDM& dm) {
        try {
            dm.IBQACC1.Close();
            dm.IBQACC1.SetSQL("SELECT DATATYPE, CODETYPE, SITEN FROM ACCDEF1 WHERE REC=1");
            dm.IBQACC1.Open();
            if (!dm.IBQACC1.Eof()) {
                const db::Field dataTypeField = dm.IBQACC1.FieldByIndex(0);
                const db::Field codeTypeField = dm.IBQACC1.FieldByIndex(1);
                const db::Field sitenField = dm.IBQACC1.FieldByIndex(2);
                kind = TCompanyKind{dataTypeField.IsNull() ? 0 : dataTypeField.AsInteger(),
                                    codeTypeField.IsNull() ? 0 : codeTypeField.AsInteger(),
                                    sitenField.IsNull() ? 0 : sitenField.AsInteger()};
            }
            dm.IBQACC1.Close();
        } catch (const db::FbError& error) {
            dm.IBQACC1.Close();
            HandleIBError(error, unitName, "データ区分の取得に失敗しました。");
        }
    });
    return kind;
}

bool CompanyColumnExists(const std::string& table, const std::string& column)
{
    bool exists = false;
    AskCompanyDatabase([&](TDM& dm) { exists = dm.fnExistence_Field(table, column); });
    return exists;
}

void AddAccDef1ColumnChecks(TUpdateScript& script)
{
    if (!CompanyColumnExists("ACCDEF1", "SDAI_HASUU3"))
        script.Add({
            "ALTER TABLE ACCDEF1",
            "ADD SDAI_HASUU3 INTEGER DEFAULT 0;",
            "UPDATE ACCDEF1 SET SDAI_HASUU3=0 WHERE REC=1;",
            "COMMIT;",
        });
    AddKessanKikanColumnCheck(script);
}

void AddKessanKikanColumnCheck(TUpdateScript& script)
{
    if (!CompanyColumnExists("ACCDEF1", "KESSAN_KIKAN"))
        script.Add({
            "ALTER TABLE ACCDEF1",
            "ADD KESSAN_KIKAN INTEGER DEFAULT -1,",
            "ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,",
            "ADD CASHFLOW_KIKAN2 INTEGER DEFAULT -1;",
            "UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;",
            "COMMIT;",
        });
}

}  // namespace accupdate

TArrayDbUpdateListRec GetAccountingUpdateList()
{
    using TDescribe = void (*)(TDbUpdateListRec&);
    static constexpr TDescribe built[] = {
        &z5UserDbUpdate011::GetUpdateInfo,
        &z5UserDbUpdate012::GetUpdateInfo,
        &z5UserDbUpdate013::GetUpdateInfo,
        &z5UserDbUpdate014::GetUpdateInfo,
        &z5UserDbUpdate015::GetUpdateInfo,
        &z5UserDbUpdate020::GetUpdateInfo,
        &z5UserDbUpdate021::GetUpdateInfo,
        &z5UserDbUpdate022::GetUpdateInfo,
        &z5UserDbUpdate030::GetUpdateInfo,
        &z5UserDbUpdate031::GetUpdateInfo,
        &z5UserDbUpdate032::GetUpdateInfo,
        &z5UserDbUpdate033::GetUpdateInfo,
        &z5UserDbUpdate034::GetUpdateInfo,
        &z5UserDbUpdate040::GetUpdateInfo,
        &z5UserDbUpdate041::GetUpdateInfo,
        &z5UserDbUpdate100::GetUpdateInfo,
        &z5UserDbUpdate101::GetUpdateInfo,
        &z5UserDbUpdate102::GetUpdateInfo,
        &z5UserDbUpdate103::GetUpdateInfo,
        &z5UserDbUpdate105::GetUpdateInfo,
        &z5UserDbUpdate200::GetUpdateInfo,
        &z5UserDbUpdate204::GetUpdateInfo,
        &z5UserDbUpdate300::GetUpdateInfo,
        &z5UserDbUpdate301::GetUpdateInfo,
        &z5UserDbUpdate303::GetUpdateInfo,
        &z5UserDbUpdate304::GetUpdateInfo,
        &z5UserDbUpdate306::GetUpdateInfo,
        &z5UserDbUpdate307::GetUpdateInfo,
        &z5UserDbUpdate400::GetUpdateInfo,
        &z5UserDbUpdate402::GetUpdateInfo,
        &z5UserDbUpdate500::GetUpdateInfo,
        &z5UserDbUpdate502::GetUpdateInfo,
        &z5UserDbUpdate505::GetUpdateInfo,
        &z5UserDbUpdate600::GetUpdateInfo,
        &z5UserDbUpdate610::GetUpdateInfo,
        &z5UserDbUpdate613::GetUpdateInfo,
        &z5UserDbUpdate700::GetUpdateInfo,
        &z5UserDbUpdate702::GetUpdateInfo,
        &z5UserDbUpdate703::GetUpdateInfo,
        &z5UserDbUpdate704::GetUpdateInfo,
        &z5UserDbUpdate800::GetUpdateInfo,
        // 8.0.2 to 15.0.0
        &z5UserDbUpdate802::GetUpdateInfo,
        &z5UserDbUpdate803::GetUpdateInfo,
        &z5UserDbUpdate900::GetUpdateInfo,
        &z5UserDbUpdate901::GetUpdateInfo,
        &z5UserDbUpdate902::GetUpdateInfo,
        &z5UserDbUpdate903::GetUpdateInfo,
        &z5UserDbUpdate904::GetUpdateInfo,
        &z5UserDbUpdate905::GetUpdateInfo,
        &z5UserDbUpdate1000::GetUpdateInfo,
        &z5UserDbUpdate1001::GetUpdateInfo,
        &z5UserDbUpdate1003::GetUpdateInfo,
        &z5UserDbUpdate1004::GetUpdateInfo,
        &z5UserDbUpdate1005::GetUpdateInfo,
        &z5UserDbUpdate1100::GetUpdateInfo,
        &z5UserDbUpdate1101::GetUpdateInfo,
        &z5UserDbUpdate1110::GetUpdateInfo,
        &z5UserDbUpdate1200::GetUpdateInfo,
        &z5UserDbUpdate1300::GetUpdateInfo,
        &z5UserDbUpdate1303::GetUpdateInfo,
        &z5UserDbUpdate1400::GetUpdateInfo,
        &z5UserDbUpdate1500::GetUpdateInfo,
    };
    TArrayDbUpdateListRec list;
    for (const TDescribe describe : built) {
        TDbUpdateListRec rec;
        describe(rec);
        list.push_back(std::move(rec));
    }
    return list;
}

std::vector<std::string> RegisteredAccountingUpdateVersions()
{
    std::vector<std::string> versions;
    for (const TDbUpdateListRec& rec : GetAccountingUpdateList())
        versions.push_back(VersionToText(rec.Major, rec.Minor1, rec.Minor2));
    return versions;
}
