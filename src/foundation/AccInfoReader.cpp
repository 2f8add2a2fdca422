#include "foundation/AccInfoReader.h"

#include "calc/AccountCodeTables.h"
#include "calc/FiscalDates.h"
#include "calc/TaxContext.h"
#include "calc/TaxRates.h"
#include "foundation/AccInf.h"
#include "foundation/AccInfoLoader.h"
#include "foundation/AccRegStore.h"
#include "foundation/CashFlowItems.h"
#include "foundation/DataModule.h"
#include "foundation/EraText.h"
#include "foundation/ErrorHandling.h"
#include "foundation/PasswordScramble.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/QueryFactory.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"

#include "platform/AsciiText.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Transaction.h"

#include <cmath>
#include <set>
#include <stdexcept>
#include <variant>

namespace {

const char* const BasicGroup = "基本設定";
const char* const LoadFailed = "基本情報の取得に失敗しました。\r";

std::unique_ptr<db::Query> CompanyQuery()
{
    auto query = CreateAccQuery("ACCDAT", false);
    if (!query)
        throw std::runtime_error("no data module");
    return query;
}

// ---------------------------------------------------------------------------
// The settings row

template <typename T>
struct Column {
    const char* name;
    T TACCINF::*field;
};

constexpr Column<std::string> TextColumns[] = {
    {"ENTTEXT", &TACCINF::ENTTEXT},
    {"SERIAL", &TACCINF::SERIAL},
    {"SCODE1", &TACCINF::SCODE1},
    {"SCODE2", &TACCINF::SCODE2},
    {"SKANA", &TACCINF::SKANA},
    {"SHOUGOU", &TACCINF::SHOUGOU},
    {"POST", &TACCINF::POST},
    {"ADD1", &TACCINF::ADD1},
    {"ADD2", &TACCINF::ADD2},
    {"TEL", &TACCINF::TEL},
    {"AO_ADD1", &TACCINF::AO_ADD1},
    {"AO_ADD2", &TACCINF::AO_ADD2},
    {"AO_KANA", &TACCINF::AO_KANA},
    {"AO_SIMEI", &TACCINF::AO_SIMEI},
    {"AO_GYOUSHU", &TACCINF::AO_GYOUSHU},
    {"AO_YAGO", &TACCINF::AO_YAGO},
    {"AO_KANYU", &TACCINF::AO_KANYU},
    {"AO_TEL", &TACCINF::AO_TEL},
    {"AO_SHOKUGYO1", &TACCINF::AO_SHOKUGYO1},
    {"AO_SHOKUGYO2", &TACCINF::AO_SHOKUGYO2},
    {"MAIL", &TACCINF::MAIL},
    {"GENGOU_NAME", &TACCINF::GENGOU_NAME},
    {"YAKUMEI1", &TACCINF::YAKUMEI1},
    {"YAKUMEI2", &TACCINF::YAKUMEI2},
    {"YAKUMEI3", &TACCINF::YAKUMEI3},
    {"GENKA_HWORD1", &TACCINF::GENKA_HWORD1},
    {"GENKA_HWORD2", &TACCINF::GENKA_HWORD2},
    {"GENKA_HWORD3", &TACCINF::GENKA_HWORD3},
    {"GENKA_HWORD4", &TACCINF::GENKA_HWORD4},
    {"GENKA_HWORD5", &TACCINF::GENKA_HWORD5},
    {"PASWORD", &TACCINF::PASWORD},
    {"FUMEI_KCODE", &TACCINF::FUMEI_KCODE},
};

constexpr Column<std::int32_t> IntColumns[] = {
    {"GROUPID", &TACCINF::GROUPID},
    {"TANTOU", &TACCINF::TANTOU},
    {"GYOUSHU", &TACCINF::GYOUSHU},
    {"DATATYPE", &TACCINF::DATATYPE},
    {"CODETYPE", &TACCINF::CODETYPE},
    {"NENDO", &TACCINF::NENDO},
    {"SIME", &TACCINF::SIME},
    {"KAISINO", &TACCINF::KAISINO},
    {"GENGOU_FLG", &TACCINF::GENGOU_FLG},
    {"GENGOU_HOSEI", &TACCINF::GENGOU_HOSEI},
    {"CALCU", &TACCINF::CALCU},
    {"TAXU_HASUU", &TACCINF::TAXU_HASUU},
    {"TAXH_HASUU", &TACCINF::TAXH_HASUU},
    {"TAXDEFUH", &TACCINF::TAXDEFUH},
    {"TAXKANNI", &TACCINF::TAXKANNI},
    {"TAXJIGYOU", &TACCINF::TAXJIGYOU},
    {"GENKAPRINT", &TACCINF::GENKAPRINT},
    {"KANSA_LOCK", &TACCINF::KANSA_LOCK},
    {"TEGATADICSW", &TACCINF::TEGATADICSW},
    {"CASHFLOWSW", &TACCINF::CASHFLOWSW},
    {"SDAI_HASUU1", &TACCINF::SDAI_HASUU1},
    {"SDAI_HASUU2", &TACCINF::SDAI_HASUU2},
    {"CONVERT", &TACCINF::CONVERT},
    {"SHOUHYOU", &TACCINF::SHOUHYOU},
    {"SITEN", &TACCINF::SITEN},
    {"BUMON", &TACCINF::BUMON},
    {"DATALOCK", &TACCINF::DATALOCK},
    {"GENKA_USE", &TACCINF::GENKA_USE},
};

constexpr Column<TDateTime> DateColumns[] = {
    {"ZZKISHU", &TACCINF::zzKISHU},
    {"ZKISHU", &TACCINF::zKISHU},
    {"KISHU", &TACCINF::KISHU},
    {"KIMATU", &TACCINF::KIMATU},
    {"KAISI", &TACCINF::KAISI},
    {"CHG_DAYS1", &TACCINF::CHG_DAYS1},
    {"CHG_DAYS2", &TACCINF::CHG_DAYS2},
    {"CHG_DAYS3", &TACCINF::CHG_DAYS3},
    {"CHG_DAYS4", &TACCINF::CHG_DAYS4},
    {"CHG_DAYS5", &TACCINF::CHG_DAYS5},
    {"KANSA_FIXDATE", &TACCINF::KANSA_FIXDATE},
    {"KANSA_DATE", &TACCINF::KANSA_DATE},
};

constexpr Column<double> RateColumns[] = {
    {"OLD_TAX_RATE1", &TACCINF::OLD_TAX_RATE1}, {"OLD_TAX_RATE2", &TACCINF::OLD_TAX_RATE2},
    {"OLD_TAX_RATE3", &TACCINF::OLD_TAX_RATE3}, {"OLD_TAX_RATE4", &TACCINF::OLD_TAX_RATE4},
    {"OLD_TAX_RATE5", &TACCINF::OLD_TAX_RATE5}, {"NEW_TAX_RATE1", &TACCINF::NEW_TAX_RATE1},
    {"NEW_TAX_RATE2", &TACCINF::NEW_TAX_RATE2}, {"NEW_TAX_RATE3", &TACCINF::NEW_TAX_RATE3},
    {"NEW_TAX_RATE4", &TACCINF::NEW_TAX_RATE4}, {"NEW_TAX_RATE5", &TACCINF::NEW_TAX_RATE5},
};

// Columns that older data lacks; each keeps its empty value then.
constexpr Column<std::int32_t> OptionalIntColumns[] = {
    {"KESSAN_KIKAN", &TACCINF::KESSAN_KIKAN},       {"CASHFLOW_KIKAN1", &TACCINF::CASHFLOW_KIKAN1},
    {"CASHFLOW_KIKAN2", &TACCINF::CASHFLOW_KIKAN2}, {"SDAI_HASUU3", &TACCINF::SDAI_HASUU3},
    {"CLOUD_LINE", &TACCINF::CLOUD_LINE},           {"READ_ONLY", &TACCINF::READ_ONLY},
};

void ReadSettingsRow(TACCINF& info)
{
    db::Query& query = DM->IBQACC1;
    query.SetSQL("SELECT * FROM ACCDEF1");
    query.Open();
    if (query.Eof()) {
        query.Close();
        throw std::runtime_error("基本設定(ACCDEF1)のレコードが見つかりませんでした。");
    }
    std::set<std::string> present;
    for (std::size_t i = 0; i < query.FieldCount(); ++i)
        present.insert(ascii::Upper(query.FieldByIndex(i).Name()));
    const auto has = [&](const char* name) { return present.count(name) > 0; };

    for (const auto& c : TextColumns)
        info.*c.field = query.FieldByName(c.name).AsString();
    for (const auto& c : IntColumns)
        info.*c.field = query.FieldByName(c.name).AsInteger();
    for (const auto& c : DateColumns)
        info.*c.field = query.FieldByName(c.name).AsDateTime();
    for (const auto& c : RateColumns)
        info.*c.field = query.FieldByName(c.name).AsDouble();
    for (const auto& c : OptionalIntColumns) {
        if (has(c.name))
            info.*c.field = query.FieldByName(c.name).AsInteger();
    }
    if (has("GENKA_HWORD6"))
        info.GENKA_HWORD6 = query.FieldByName("GENKA_HWORD6").AsString();
    if (has("WEB_HOLDER"))
        info.WEB_HOLDER = query.FieldByName("WEB_HOLDER").AsString();
    if (has("CLOUD_TIME"))
        info.CLOUD_TIME = query.FieldByName("CLOUD_TIME").AsDateTime();
    info.YearTaxModes = {info.TAXDEFUH, info.TAXDEFUH, info.TAXDEFUH};
    if (has("KURIKOSI1"))
        info.YearTaxModes[1] = query.FieldByName("KURIKOSI1").AsInteger();
    if (has("KURIKOSI2"))
        info.YearTaxModes[2] = query.FieldByName("KURIKOSI2").AsInteger();
    query.Close();
}

// ---------------------------------------------------------------------------
// Typed settings

std::int32_t RegInt(const char* group, const char* key, const char* defaultText)
{
    AccRegValue value;
    GetAccReg(group, key, "整数", defaultText, value);
    return std::get<std::int32_t>(value);
}

std::string RegText(const char* group, const char* key, const char* defaultText)
{
    AccRegValue value;
    GetAccReg(group, key, "文字", defaultText, value);
    return std::get<std::string>(value);
}

TDateTime RegDate(const char* key)
{
    AccRegValue value;
    GetAccReg(BasicGroup, key, "日付", "0", value);
    return std::get<AccRegDate>(value).value;
}

std::uint8_t RegBool(const char* key, const char* defaultText)
{
    AccRegValue value;
    GetAccReg(BasicGroup, key, "論理", defaultText, value);
    return std::get<bool>(value) ? 1 : 0;
}

// A text the string cipher protects; an empty result when it does not
// decode.
std::string Decoded(const std::string& text, std::int32_t length)
{
    if (text.empty())
        return text;
    std::string plain;
    CipherDecodeText(text, DataPasswordKey, length, plain);
    return plain;
}

void ReadTypedSettings(TACCINF& info)
{
    info.PastDetailImport = RegInt(BasicGroup, "過去明細取り込み", "0");
    try {
        info.GassanKind = static_cast<std::uint8_t>(RegInt(BasicGroup, "合算データ区分", "0"));
    } catch (const std::exception&) {
        info.GassanKind = 0;
    }
    info.GassanCount = RegInt(BasicGroup, "合算データ数", "0");
    RegInt(BasicGroup, "一括税抜処理", "0");
    info.BulkTaxExclusion = 0;
    info.AccountCodeDigits = static_cast<std::uint8_t>(RegInt(BasicGroup, "科目コード桁数", "0"));
    info.SubAccountCodeDigits = static_cast<std::uint8_t>(RegInt(BasicGroup, "補助コード桁数", "0"));
    info.DepartmentCodeDigits = static_cast<std::uint8_t>(RegInt(BasicGroup, "部門コード桁数", "0"));
    // Read so that a new version's settings exist; nothing here uses them.
    RegInt("減価償却設定", "250%定率法で償却する経過措置", "0");
    RegInt("減価償却設定", "200%定率法で償却する経過措置", "0");
    info.PrintPeriodUse = RegInt(BasicGroup, "印刷用期間使用区分", "0");
    info.PrintPeriodStart = RegDate("印刷用期間（期首）");
    info.PrintPeriodEnd = RegDate("印刷用期間（期末）");
    info.IndividualCostUse = RegInt(BasicGroup, "個別原価使用区分", "0");
    info.IndividualCostName = RegText(BasicGroup, "個別原価別名", "個別原価");
    info.IndividualCostCodeDigits = static_cast<std::uint8_t>(RegInt(BasicGroup, "個別原価コード桁数", "0"));
    info.MyNumberUse = RegInt(BasicGroup, "＃USE", "0");
    info.MyNumberKey = RegText(BasicGroup, "＃KEY", "");
    info.MyNumberValue = RegText(BasicGroup, "＃VALUE", "");
    info.CloudKind = RegInt("通信設定", "クラウド区分", "0");
    // An empty stored text reads as one blank: no protected text then.
    info.MyNumberKey = Decoded(std::string(ascii::TrimBlanks(info.MyNumberKey)), 8);
    const std::string value(ascii::TrimBlanks(info.MyNumberValue));
    info.MyNumberValue = Decoded(value, static_cast<std::int32_t>(value.size()));
}

// The data password: "データパスワード" up to version 6, the scrambled
// "データパスワードV2" from version 7 on.
std::string ReadDataPassword(const TACCINF& info)
{
    if (info.DataVersion.MAJOR <= 6)
        return TrimZen(RegText(BasicGroup, "データパスワード", ""));
    const std::string scrambled = TrimZen(RegText(BasicGroup, "データパスワードV2", ""));
    if (scrambled.empty())
        return scrambled;
    TEasyEncodeInfo decode;
    decode.Key = std::string(DataPasswordKey);
    decode.TargetLen = DataPasswordLength;
    decode.PlainLen = DataPasswordLength;
    decode.CodeText = scrambled;
    // Taking an unreadable password for "none" would open protected data
    // without asking for it.
    if (!EasyDecode(decode))
        throw std::runtime_error("データパスワードを復元できませんでした。データを開くことはできません。");
    return decode.PlainText;
}

// ---------------------------------------------------------------------------
// Calendar and accounts

void FillCalendar(TACCINF& info)
{
    info.OpeningPeriodIndex = MonthToPeriodIndex(info.KAISINO);
    info.YearEndPeriod = DateToPeriodNo(info.SIME, 0, info.KISHU, info.KIMATU, info.KIMATU);
    info.OpeningMonthOffset = MonthsBetween(info.SIME, info.KISHU, info.KAISI);
    info.YearMonths = MonthsBetween(info.SIME, info.KISHU, info.KIMATU);

    const TDateTime previous = info.zKISHU != 0 ? info.zKISHU : IncMonthClamped(-12, info.KISHU);
    const TDateTime before = info.zzKISHU != 0 ? info.zzKISHU : IncMonthClamped(-12, previous);
    info.YearStarts = {info.KISHU, previous, before};
    info.YearEnds = {info.KIMATU, AddDays(-1, info.KISHU), AddDays(-1, previous)};
    info.BookOpenDates = {info.KAISI, previous, before};
}

void FillSystemAccounts(TACCINF& info)
{
    const char* const always[] = {"現金", "仮払消費税", "仮受消費税", "諸口", "繰越利益剰余金"};
    for (int slot = 0; slot < 5; ++slot)
        SetSystemCode(always[slot], info.SystemCodes[slot], info.SystemUserCodes[slot]);
    if (info.DATATYPE == 1) {
        const char* const notes[] = {"受取手形", "割引手形", "裏書手形"};
        for (int i = 0; i < 3; ++i)
            SetSystemCode(notes[i], info.NoteAccountCodes[i], info.NoteAccountUserCodes[i]);
    }
    if (info.DATATYPE == 2) {
        const char* const owner[] = {"事業主貸", "事業主借", "元入金"};
        for (int i = 0; i < 3; ++i)
            SetSystemCode(owner[i], info.SystemCodes[5 + i], info.SystemUserCodes[5 + i]);
    }
    if (info.MedicalChart == 1) {
        SetSystemCode("前期繰越利益", info.SystemCodes[4], info.SystemUserCodes[4]);
        const char* const medical[] = {"給料", "賞与", "賞与引当金繰入額", "退職給付費用"};
        for (int i = 0; i < 4; ++i)
            SetSystemCode(medical[i], info.SystemCodes[8 + i], info.SystemUserCodes[8 + i]);
    }
    info.FumeiUserCode = GetKamokuUserCode(info.FUMEI_KCODE);
    info.SystemCodesLoaded = 1;
}

std::int32_t CountDepartments()
{
    auto query = CompanyQuery();
    query->SetSQL("SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST\r\nWHERE BCODE<>''");
    query->Open();
    const std::int32_t count = query->FieldByName("RECCNT").AsInteger();
    query->Close();
    return count;
}

TVersionNumbers NewestDataVersion()
{
    auto query = CompanyQuery();
    query->SetSQL("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\r\nORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
    query->Open();
    TVersionNumbers version;
    if (!query->Eof()) {
        version.MAJOR = query->FieldByName("MAJOR").AsInteger();
        version.MINOR1 = query->FieldByName("MINOR1").AsInteger();
        version.MINOR2 = query->FieldByName("MINOR2").AsInteger();
    }
    query->Close();
    return version;
}

bool SameDay(TDateTime a, TDateTime b)
{
    return std::floor(a) == std::floor(b);
}

void ReadAccInfo()
{
    TACCINF& info = AccInf;
    ReadSettingsRow(info);
    info.DataTypeText = DataTypeName(info.DATATYPE);
    info.CodeTypeText = CodeTypeName(info.DATATYPE, info.CODETYPE, false);

    const char* const totals[] = {"5880", "5580", "5680", "5780", "5790"};
    for (int i = 0; i < 5; ++i)
        info.TotalNames[i] = fnGetAccTotalName(totals[i], "PLUSNAME");
    info.TotalName5688 = fnGetAccTotalName("5688", "PLUSNAME");

    SetChartFlag();
    FillCalendar(info);
    FillSystemAccounts(info);
    info.CommPasswords[0] = info.PASWORD;
    info.CommHolders[0] = info.WEB_HOLDER;
    GetTusinId(1, 1);

    ReadTypedSettings(info);
    info.DepartmentCount = info.BUMON != 0 ? CountDepartments() : 0;
    info.DataVersion = NewestDataVersion();
    info.DataPassword = ReadDataPassword(info);

    info.FacilitySwitch = info.SITEN == 0 ? 1 : SystemDef.FacilitySwitch;
    info.TaxRateSwitches = {RegBool("使用税率3%", "FALSE"), RegBool("使用税率5%", "FALSE"),
                            RegBool("使用税率8%", "TRUE"), 1, 1};
    BuildZeiRituList(info.KIMATU);

    info.QuarterDates = {ClosingDayDate(2, info.SIME, info.KISHU), ClosingDayDate(5, info.SIME, info.KISHU),
                         ClosingDayDate(8, info.SIME, info.KISHU)};
    info.YearEnd = info.YearEnds[0];
    bool fixedAtClosing = SameDay(info.KANSA_FIXDATE, info.YearEnd);
    for (const TDateTime quarter : info.QuarterDates)
        fixedAtClosing = fixedAtClosing || SameDay(info.KANSA_FIXDATE, quarter);
    info.AuditIncludesSettlement = RegBool("監査処理＿決算仕訳含む", fixedAtClosing ? "TRUE" : "FALSE");
}

// The open data's settings as the tax rules need them.
class AccInfTaxContext final : public ITaxContext {
public:
    TTaxSettings Settings() const override
    {
        TTaxSettings s;
        s.TAXKANNI = AccInf.TAXKANNI;
        s.TAXJIGYOU = AccInf.TAXJIGYOU;
        s.TAXU_HASUU = AccInf.TAXU_HASUU;
        s.TAXH_HASUU = AccInf.TAXH_HASUU;
        // Journal sides carry the accounts' user codes.
        s.KaribaraiCode = AccInf.SystemUserCodes[1];
        s.KariukeCode = AccInf.SystemUserCodes[2];
        s.ShokuchiCode = AccInf.SystemUserCodes[3];
        s.TaxRateSwitches = AccInf.TaxRateSwitches;
        s.VersionMajor = AccInf.DataVersion.MAJOR;
        s.VersionMinor1 = AccInf.DataVersion.MINOR1;
        s.VersionMinor2 = AccInf.DataVersion.MINOR2;
        return s;
    }
    std::string DateText(TDateTime date) const override
    {
        std::string text;
        FormatWarekiDate("yyyy/mm/dd", 1, text, date);
        return text;
    }
    void ReportError(const std::string& text) const override { ShowCommaMessage(text, TMsgDlgType::mtError); }
};

const AccInfTaxContext& TaxContextOfAccInf()
{
    static const AccInfTaxContext context;
    return context;
}

}  // namespace

bool fnGetAccInfo()
{
    AccInf = TACCINF{};
    // The rate table built below follows the data version read here.
    SetTaxContext(&TaxContextOfAccInf());
    try {
        if (!DM)
            throw std::runtime_error("no data module");
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        ReadAccInfo();
        transaction.Commit();
        return true;
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.fnGetAccInfo", LoadFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(LoadFailed, error.what(), TMsgDlgType::mtError);
    }
    // The scope rolled back what the call stored; nothing of it describes
    // the data any more.
    AccInf = TACCINF{};
    return false;
}

std::string DataTypeName(std::int32_t dataType)
{
    switch (dataType) {
    case 1:
        return "法人";
    case 2:
        return "個人";
    case 3:
        return "医療法人";
    default:
        throw std::runtime_error("このプログラムでは、該当のデータタイプを処理することが出来ません。(DataType=" +
                                 std::to_string(dataType) + ")");
    }
}

std::string CodeTypeName(std::int32_t dataType, std::int32_t codeType, bool withKind)
{
    if (withKind) {
        const std::string kind = DataTypeName(dataType);
        const std::string name = CodeTypeName(dataType, codeType, false);
        return name.empty() ? kind : kind + "／" + name;
    }
    const auto codeTypeError = [&] {
        return std::runtime_error("このプログラムでは、該当のコードタイプを処理することが出来ません。(CodeType=" +
                                  std::to_string(codeType) + ")");
    };
    if (dataType == 1 || dataType == 3) {
        if (codeType != 1)
            throw codeTypeError();
        return {};
    }
    if (dataType == 2) {
        const char* const names[] = {"一般", "不動産", "クリニック", "農業"};
        if (codeType < 1 || codeType > 4)
            throw codeTypeError();
        return names[codeType - 1];
    }
    if (codeType < 1 || codeType > 4)
        throw codeTypeError();
    return DataTypeName(dataType);  // throws the data-type error
}

std::string fnGetAccTotalName(const std::string& group, const std::string& column)
{
    const char* const message = "集計名称の取得に失敗しました。";
    std::string name;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        try {
            auto query = CompanyQuery();
            // The column is the caller's own constant, never input.
            query->SetSQL("SELECT " + column + " FROM ACCTOTALNAME\r\nWHERE KGROUP=:KGROUP");
            query->ParamByName("KGROUP").SetString(group);
            for (query->Open(); !query->Eof(); query->Next())
                name = query->FieldByIndex(0).AsString();
            query->Close();
        } catch (const db::FbError& error) {
            HandleIBError(error, "TDM.fnGetAccTotalName", message);
            name.clear();
        } catch (const std::exception& error) {
            ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
            name.clear();
        }
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.fnGetAccTotalName", message);
        name.clear();
    }
    return name;
}

std::uint8_t SetChartFlag()
{
    AccInf.MedicalChart = AccInf.DATATYPE == 3 && AccInf.CODETYPE == 1 ? 1 : 0;
    SetupAccountCodeTables(AccInf.MedicalChart);
    SetupCashFlowItems(AccInf.MedicalChart);
    return AccInf.MedicalChart;
}

void SetSystemCode(const std::string& accountName, std::string& code, std::string& userCode)
{
    code.clear();
    userCode.clear();
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        auto query = CompanyQuery();
        query->SetSQL(
            "SELECT A.KCODE,K.USERCODE FROM ACCDEF2 A\r\nINNER JOIN KAMOKUMST K ON (A.KCODE=K.KCODE)\r\n"
            "WHERE A.KNAME=:NAME");
        query->ParamByName("NAME").SetString(accountName);
        query->Open();
        if (!query->Eof()) {
            code = query->FieldByName("KCODE").AsString();
            userCode = query->FieldByName("USERCODE").AsString();
        }
        query->Close();
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.SetSystemCode", "");
        throw;
    }
}

std::string GetKamokuUserCode(const std::string& code)
{
    if (ascii::TrimBlanks(code).empty())
        return {};
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = CompanyQuery();
    query->SetSQL("SELECT USERCODE FROM KAMOKUMST\r\nWHERE KCODE=:KCODE");
    query->ParamByName("KCODE").SetString(code);
    query->Open();
    std::string userCode = query->Eof() ? std::string() : query->FieldByName("USERCODE").AsString();
    query->Close();
    transaction.Commit();
    return userCode;
}

void GetTusinId(std::int32_t row, std::int32_t slot)
{
    if (slot < 0 || slot >= static_cast<std::int32_t>(AccInf.CommPasswords.size()))
        throw std::out_of_range("GetTusinId: no communication slot " + std::to_string(slot));
    AccInf.CommPasswords[slot].clear();
    AccInf.CommHolders[slot].clear();
    if (!DM->fnExistence_Table("TUSIN_ID"))
        return;
    db::JoinedTransaction transaction(DM->IBTransactionDAT);
    auto query = CompanyQuery();
    query->SetSQL("SELECT REC,HOLDER,PASWORD FROM TUSIN_ID\r\nWHERE REC=:REC");
    query->ParamByName("REC").SetInteger(row);
    for (query->Open(); !query->Eof(); query->Next()) {
        AccInf.CommHolders[slot] = query->FieldByName("HOLDER").AsString();
        AccInf.CommPasswords[slot] = query->FieldByName("PASWORD").AsString();
    }
    query->Close();
    transaction.Commit();
}

std::string fnGetDataBaseVer()
{
    const char* const message = "データベースのバージョンの取得に失敗しました。";
    try {
        // Joined, not committed first: the caller's work in progress is
        // the caller's to end.
        db::JoinedTransaction transaction(DM->IBTransactionDAT);
        auto query = CompanyQuery();
        query->SetSQL("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1");
        query->Open();
        std::string version = "0.0.0";
        if (!query->Eof())
            version = std::to_string(query->FieldByName("MAJOR").AsInteger()) + "." +
                      std::to_string(query->FieldByName("MINOR1").AsInteger()) + "." +
                      std::to_string(query->FieldByName("MINOR2").AsInteger());
        query->Close();
        transaction.Commit();
        return version;
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDM.fnGetDataBaseVer", message);
    } catch (const std::exception& error) {
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
    }
    return "0.0.0";
}

bool IsKansaLocked(TDateTime date, bool settlementEntry)
{
    const TACCINF& info = AccInf;
    if (date == 0 || info.KANSA_DATE == 0 || info.KANSA_FIXDATE == 0 || info.KANSA_LOCK == 0)
        return false;
    if ((SystemDef.JIMUSHO != 0 || SystemDef.JOBLEVEL == 9) && ProgramKind != 3)
        return false;
    const double day = std::floor(date);
    const double fixed = std::floor(info.KANSA_FIXDATE);
    if (info.AuditIncludesSettlement != 0)
        return day <= fixed;
    return day < fixed || (day == fixed && !settlementEntry);
}

void InstallAccInfoReader()
{
    SetTaxContext(&TaxContextOfAccInf());
    SetAccInfoLoader(fnGetAccInfo);
}
