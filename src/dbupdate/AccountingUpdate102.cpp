// Accounting update 1.0.2: the previous balances checked and repaired
// through the program's own connection before the script is written, then
// the converted fixed assets, the journal repair, the system-account names
// and the department trial balance.

#include "dbupdate/AccountingUpdateUnits.h"
#include "foundation/DataModule.h"
#include "foundation/UserMessage.h"

#include <set>
#include <string>
#include <vector>

namespace z5UserDbUpdate102 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(1, 0, 2);

struct TOpeningRow {
    std::string SCode, KCode, HCode, BCode;
    Currency Opening;
};

// Every opening balance is written into the previous-balance row of the
// period before the start month (period 0 when the entries start on the
// first day of the year). Rows that the carry-forward writes are left
// alone: profit-and-loss rows when the entries start on the first day, and
// then too an individual's capital and drawings accounts. The whole repair
// is one transaction: any failure takes all of it back.
void RepairPreviousBalances(TDM& dm)
{
    db::Query& query = dm.IBQACC1;
    query.Close();
    query.SetSQL("SELECT DATATYPE, KISHU, KAISI, KAISINO FROM ACCDEF1 WHERE REC=1");
    query.Open();
    const bool found = !query.Eof();
    const std::int32_t dataType =
        found && !query.FieldByName("DATATYPE").IsNull() ? query.FieldByName("DATATYPE").AsInteger() : 0;
    // The data starts on the first day of its year when both dates are
    // alike; a missing date matches only another missing one.
    bool fromFirstDay = true;
    if (found) {
        const db::Field kishu = query.FieldByName("KISHU");
        const db::Field kaisi = query.FieldByName("KAISI");
        fromFirstDay = kishu.IsNull() == kaisi.IsNull() && (kishu.IsNull() || kishu.AsDateTime() == kaisi.AsDateTime());
    }
    const std::int32_t kaisino =
        found && !query.FieldByName("KAISINO").IsNull() ? query.FieldByName("KAISINO").AsInteger() : 1;
    query.Close();

    std::set<std::string> ownerAccounts;
    if (dataType == 2 && fromFirstDay) {
        for (const char* name : {"事業主貸", "事業主借", "元入金"}) {
            query.SetSQL("SELECT KCODE FROM ACCDEF2 WHERE KNAME=:KNAME ");
            query.ParamByName("KNAME").SetString(name);
            query.Open();
            for (; !query.Eof(); query.Next())
                ownerAccounts.insert(query.FieldByName("KCODE").AsString());
            query.Close();
        }
    }
    // The period before the start month: the months are the periods 1-3,
    // 5-7, 9-11 and 13-15, every fourth settles a quarter.
    const std::int32_t month = kaisino >= 1 && kaisino <= 12 ? kaisino : 1;
    const std::int32_t mnum = fromFirstDay ? 0 : month - 1 + (month - 1) / 3;

    std::vector<TOpeningRow> rows;
    query.SetSQL(
        "SELECT SZ.SCODE, SZ.KCODE, SZ.HCODE, SZ.BCODE, SZ.KAISIZAN, K.BPFLG "
        "FROM KAMOKU_SZ SZ INNER JOIN KAMOKUMST K ON (SZ.KCODE=K.KCODE) ");
    query.Open();
    for (; !query.Eof(); query.Next()) {
        const std::string kcode = query.FieldByName("KCODE").AsString();
        const bool balanceSheet = query.FieldByName("BPFLG").AsString() == "B";
        if (fromFirstDay && (!balanceSheet || ownerAccounts.count(kcode) > 0))
            continue;
        const db::Field opening = query.FieldByName("KAISIZAN");
        rows.push_back({query.FieldByName("SCODE").AsString(), kcode, query.FieldByName("HCODE").AsString(),
                        query.FieldByName("BCODE").AsString(), opening.IsNull() ? Currency{0} : opening.AsCurrency()});
    }
    query.Close();

    db::Query& update = dm.IBQACC2;
    update.Close();
    update.SetSQL(
        "UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN WHERE SCODE=:SCODE and KCODE=:KCODE and HCODE=:HCODE "
        "and BCODE=:BCODE and MNUM=:MNUM ");
    for (const TOpeningRow& row : rows) {
        update.ParamByName("NUKIZAN").SetCurrency(row.Opening);
        update.ParamByName("SCODE").SetString(row.SCode);
        update.ParamByName("KCODE").SetString(row.KCode);
        update.ParamByName("HCODE").SetString(row.HCode);
        update.ParamByName("BCODE").SetString(row.BCode);
        update.ParamByName("MNUM").SetInteger(mnum);
        update.ExecSQL();
    }
    update.Close();
}

// False when the repair failed (everything it changed is rolled back and
// the user is told) or the company data could not be opened (the data
// module has said why).
bool CheckPreviousBalances()
{
    bool repaired = false;
    const bool opened = accupdate::AskCompanyDatabase([&](TDM& dm) {
        try {
            RepairPreviousBalances(dm);
            repaired = true;
        } catch (const db::FbError&) {
            dm.IBQACC1.Close();
            dm.IBQACC2.Close();
            if (dm.IBTransactionDAT.InTransaction())
                dm.IBTransactionDAT.Rollback();
            ShowUserMessage(
                "Ver " + UnitVersionText(Shape) + "のデータベース更新に失敗しました。(過年度残高の評価と修復)",
                TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        }
    });
    return opened && repaired;
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    // Converted data: every fixed asset counts as bought in; one whose
    // account is no fixed-asset account goes to the first fixed-asset
    // account with balance rows (its first sub-account where it keeps
    // them), and stays where it is when the data has no such account.
    script.AddSql("converted-assets.sql");
    // Only the live rows (DELFLG 0; a row without a flag is not live, as
    // for the posting triggers) make the totals; the account's own balance
    // rows get every missing period.
    script.AddSql("journal-repair.sql");
    script.AddSql("system-accounts.sql");
    // The department trial balance: its shares round half away from zero
    // on a product taken in double precision (a product of two four-place
    // numerics overflows for large balances), and a department's own
    // opening balance stands when nothing is allocated.
    script.AddSql("department-trial-balance.sql");
    return script;
}

std::int32_t DoUpdate()
{
    if (!CheckPreviousBalances())
        return UpdateResultScriptError;
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    DescribeUnit(
        rec, Shape, &DoUpdate, 1, "コンバートデータの減価償却資産の修復 他",
        "１）コンバートデータの減価償却資産を修復します。\r２）前期末残高が正しいか評価し、異常があった場合は修復します。");
}

}  // namespace z5UserDbUpdate102
