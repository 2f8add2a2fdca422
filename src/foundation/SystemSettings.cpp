#include "foundation/SystemSettings.h"

#include "calc/FiscalDates.h"
#include "foundation/BitFlags.h"
#include "foundation/ColourDefaults.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/InstalledFonts.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/QueryFactory.h"
#include "foundation/SysRegStore.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemIniStore.h"

#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Transaction.h"

#include <stdexcept>
#include <string>
#include <variant>

namespace {

// The SYSDEF columns in the order the row is written back, each with its
// field. Shouhyou belongs to the accounting package and is neither read
// nor written here.
struct IntColumn {
    const char* name;
    std::int32_t TSystemDef::*field;
};
struct TextColumn {
    const char* name;
    std::string TSystemDef::*field;
};

constexpr TextColumn TextColumns[] = {
    {"DataDir", &TSystemDef::DataDir},   {"PrinterName", &TSystemDef::PrinterName},
    {"FontName", &TSystemDef::FontName}, {"ZenkaiDrive", &TSystemDef::ZenkaiDrive},
    {"SSTR", &TSystemDef::SSTR},
};

constexpr IntColumn IntColumns[] = {
    {"MFTop", &TSystemDef::MFTop},
    {"MFLeft", &TSystemDef::MFLeft},
    {"MFWidth", &TSystemDef::MFWidth},
    {"MFHeight", &TSystemDef::MFHeight},
    {"LastMenu", &TSystemDef::LastMenu},
    {"FontSize", &TSystemDef::FontSize},
    {"FontStyle", &TSystemDef::FontStyle},
    {"FontCharset", &TSystemDef::FontCharSet},
    {"FontHeight", &TSystemDef::FontHeight},
    {"GridResize", &TSystemDef::GridResize},
    {"ShowHint", &TSystemDef::ShowHint},
    {"GridMaxRow", &TSystemDef::GridMaxRow},
    {"GridRsiz", &TSystemDef::GridRsiz},
    {"ClientColor", &TSystemDef::ClientColor},
    {"ClientColor1", &TSystemDef::ClientColor1},
    {"ClientColor2", &TSystemDef::ClientColor2},
    {"ClientColor3", &TSystemDef::ClientColor3},
    {"ForeColor", &TSystemDef::ForeColor},
    {"BorderColor", &TSystemDef::BorderColor},
    {"ActiveColor", &TSystemDef::ActiveColor},
    {"ThruBorderColor", &TSystemDef::ThruBorderColor},
    {"ColHeaderColor", &TSystemDef::ColHeaderColor},
    {"FixedTopColor", &TSystemDef::FixedTopColor},
    {"RowHeaderColor", &TSystemDef::RowHeaderColor},
    {"FixedLeftColor", &TSystemDef::FixedLeftColor},
    {"TotalColor", &TSystemDef::TotalColor},
    {"NetColor1", &TSystemDef::NetColor1},
    {"NetColor2", &TSystemDef::NetColor2},
    {"PLineColor1", &TSystemDef::PLineColor1},
    {"PLineColor2", &TSystemDef::PLineColor2},
    {"PreviewZOOM", &TSystemDef::PreviewZOOM},
    {"PanelColor", &TSystemDef::PanelColor},
    {"PanelBackColor", &TSystemDef::PanelBackColor},
    {"MenuPrintSw", &TSystemDef::MenuPrintSw},
    {"HojWait", &TSystemDef::HojWait},
    {"DicSwitch", &TSystemDef::DicSwitch},
    {"DicTekAuto", &TSystemDef::DicTekAuto},
    {"DicTorAuto", &TSystemDef::DicTorAuto},
    {"DicUsednt", &TSystemDef::DicUsednt},
    {"DicType", &TSystemDef::DicType},
    {"DicNum1", &TSystemDef::DicNum1},
    {"DicNum2", &TSystemDef::DicNum2},
    {"DicSortType", &TSystemDef::DicSortType},
    {"ColHeaderGradColor1", &TSystemDef::ColHeaderGradColor1},
    {"ColHeaderGradColor2", &TSystemDef::ColHeaderGradColor2},
    {"ShowDataSentaku", &TSystemDef::ShowDataSentaku},
    {"UserPrint", &TSystemDef::UserPrint},
    {"SwkTotal", &TSystemDef::SwkTotal},
    {"SwkLine", &TSystemDef::SwkLine},
    {"KingakuPlus", &TSystemDef::KingakuPlus},
    {"ZeroPrint", &TSystemDef::ZeroPrint},
    {"SankakuPlus", &TSystemDef::SankakuPlus},
    {"TEK_AUTOUP", &TSystemDef::TEK_AUTOUP},
    {"TOR_AUTOUP", &TSystemDef::TOR_AUTOUP},
    {"Reserve1", &TSystemDef::Reserve1},
    {"Reserve2", &TSystemDef::Reserve2},
    {"Reserve3", &TSystemDef::Reserve3},
    {"Reserve4", &TSystemDef::Reserve4},
    {"Reserve5", &TSystemDef::Reserve5},
};

constexpr const char* UpdateSysDefSql =
    "UPDATE SYSDEF SET\r\n"
    "DataDir=:DataDir,\r\n"
    "PrinterName=:PrinterName,\r\n"
    "MFTop=:MFTop,MFLeft=:MFLeft,MFWidth=:MFWidth,MFHeight=:MFHeight,\r\n"
    "LastMenu=:LastMenu,\r\n"
    "FontName=:FontName,FontSize=:FontSize,FontStyle=:FontStyle,FontCharset=:FontCharset,\r\n"
    "FontHeight=:FontHeight,\r\n"
    "GridResize=:GridResize,\r\nShowHint=:ShowHint,\r\nGridMaxRow=:GridMaxRow,\r\nGridRsiz=:GridRsiz,\r\n"
    "ClientColor=:ClientColor,\r\nClientColor1=:ClientColor1,\r\nClientColor2=:ClientColor2,\r\n"
    "ClientColor3=:ClientColor3,\r\nForeColor=:ForeColor,\r\nBorderColor=:BorderColor,\r\n"
    "ActiveColor=:ActiveColor,\r\nThruBorderColor=:ThruBorderColor,\r\nColHeaderColor=:ColHeaderColor,\r\n"
    "FixedTopColor=:FixedTopColor,\r\nRowHeaderColor=:RowHeaderColor,\r\nFixedLeftColor=:FixedLeftColor,\r\n"
    "TotalColor=:TotalColor,\r\nNetColor1=:NetColor1,\r\nNetColor2=:NetColor2,\r\nPLineColor1=:PLineColor1,\r\n"
    "PLineColor2=:PLineColor2,\r\nPreviewZOOM=:PreviewZOOM,\r\nPanelColor=:PanelColor,\r\n"
    "PanelBackColor=:PanelBackColor,\r\nMenuPrintSw=:MenuPrintSw,\r\nHojWait=:HojWait,\r\n"
    "DicSwitch=:DicSwitch,\r\nDicTekAuto=:DicTekAuto,\r\nDicTorAuto=:DicTorAuto,\r\nDicUsednt=:DicUsednt,\r\n"
    "DicType=:DicType,\r\nDicNum1=:DicNum1,\r\nDicNum2=:DicNum2,\r\nDicSortType=:DicSortType,\r\n"
    "ColHeaderGradColor1=:ColHeaderGradColor1,\r\nColHeaderGradColor2=:ColHeaderGradColor2,\r\n"
    "ShowDataSentaku=:ShowDataSentaku,\r\nZenkaiDrive=:ZenkaiDrive,\r\nUserPrint=:UserPrint,\r\n"
    "SwkTotal=:SwkTotal,\r\nSwkLine=:SwkLine,\r\nKingakuPlus=:KingakuPlus,\r\nZeroPrint=:ZeroPrint,\r\n"
    "SankakuPlus=:SankakuPlus,\r\nTEK_AUTOUP=:TEK_AUTOUP,\r\nTOR_AUTOUP=:TOR_AUTOUP,\r\n"
    "Reserve1=:Reserve1,\r\nReserve2=:Reserve2,\r\nReserve3=:Reserve3,\r\nReserve4=:Reserve4,\r\n"
    "Reserve5=:Reserve5,\r\n"
    "SSTR=:SSTR\r\n"
    "WHERE OPCODE=:OPCODE";

constexpr const char* InsertSysDefSql =
    "INSERT INTO SYSDEF(OPCODE,SankakuPlus,ColHeaderColor,ColHeaderGradColor1,ColHeaderGradColor2,\r\n"
    "ClientColor,ClientColor1,ClientColor2,TotalColor,ActiveColor,NetColor1,NetColor2,PLineColor1,PLineColor2,"
    "DICSWITCH,DicTekAuto,DicTorAuto)\r\n"
    "VALUES(:OPCODE,1,:ColHeaderColor,:ColHeaderGradColor1,:ColHeaderGradColor2,\r\n"
    ":ClientColor,:ClientColor1,:ClientColor2,:TotalColor,:ActiveColor,:NetColor1,:NetColor2,:PLineColor1,"
    ":PLineColor2,:DICSWITCH,:DicTekAuto,:DicTorAuto)";

bool IsEdition()
{
    return EditionFlag == 1 || EditionFlag == 2;
}

// The eight dictionary switches, in the order they are read and written.
struct DictionaryKey {
    const char* key;
    std::int32_t TSystemDef::*field;
    std::int32_t readDefault;
};
constexpr DictionaryKey DictionaryKeys[] = {
    {"摘要＿辞書開く区分", &TSystemDef::TekiyoDictOpen, 1},
    {"摘要＿連想開く区分", &TSystemDef::TekiyoAssocOpen, 0},
    {"摘要＿自動開く区分", &TSystemDef::TekiyoAutoOpen, 0},
    {"摘要＿入力なし区分", &TSystemDef::TekiyoNoInput, 0},
    {"取引先＿辞書開く区分", &TSystemDef::PartnerDictOpen, 1},
    {"取引先＿連想開く区分", &TSystemDef::PartnerAssocOpen, 0},
    {"取引先＿自動開く区分", &TSystemDef::PartnerAutoOpen, 0},
    {"取引先＿入力なし区分", &TSystemDef::PartnerNoInput, 0},
};

void PutInt(const char* key, std::int32_t value)
{
    PutSysRegOp(key, "整数", value);
}

void PutText(const char* key, const std::string& value)
{
    PutSysRegOp(key, "文字", value);
}

std::int32_t GetInt(const char* key, std::int32_t defaultValue, std::int32_t current)
{
    return SysRegInteger(key, SystemDef.OPCODE, defaultValue, current);
}

std::string GetText(const char* key, const char* defaultText, const std::string& current)
{
    AccRegValue value = current;
    GetSysRegOp(key, "文字", value, defaultText);
    return std::get<std::string>(value);
}

void InsertOperatorRow()
{
    db::Query& query = DM->IBSQLDEF;
    query.SetSQL(InsertSysDefSql);
    query.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
    query.ParamByName("ColHeaderColor").SetInteger(DefColHeaderColor);
    query.ParamByName("ColHeaderGradColor1").SetInteger(DefColHeaderGradColor1);
    query.ParamByName("ColHeaderGradColor2").SetInteger(DefColHeaderGradColor2);
    query.ParamByName("ClientColor").SetInteger(DefClientColor);
    query.ParamByName("ClientColor1").SetInteger(DefClientColor1);
    query.ParamByName("ClientColor2").SetInteger(DefClientColor2);
    query.ParamByName("TotalColor").SetInteger(DefTotalColor);
    query.ParamByName("ActiveColor").SetInteger(DefActiveColor);
    query.ParamByName("NetColor1").SetInteger(14155735);
    query.ParamByName("NetColor2").SetInteger(14155735);
    query.ParamByName("PLineColor1").SetInteger(30976);
    query.ParamByName("PLineColor2").SetInteger(30976);
    query.ParamByName("DICSWITCH").SetInteger(IsEdition() ? 2 : 0);
    query.ParamByName("DicTekAuto").SetInteger(IsEdition() ? 2 : 1);
    query.ParamByName("DicTorAuto").SetInteger(IsEdition() ? 0 : 1);
    query.ExecSQL();

    // First-use values of the dictionaries; the edition stores its own
    // defaults of the journal screens and then its dictionary values.
    const std::int32_t firstUse[] = {1, 0, 1, 0, 1, 0, 1, 0};
    for (std::size_t i = 0; i < std::size(DictionaryKeys); ++i)
        PutInt(DictionaryKeys[i].key, firstUse[i]);
    if (!IsEdition())
        return;
    PutInt("次項目移動区分", 1);
    PutInt("科目コード桁数", 0);
    PutInt("補助コード桁数", 0);
    PutInt("部門コード桁数", 1);
    PutInt("仕訳日付フォーカス", 1);
    PutInt("元帳最終行残高出力区", 1);
    PutInt("試算表集計出力区分", 1);
    PutInt("元帳１行出力区分", 0);
    PutInt("元帳付箋マーク出力区", 0);
    PutInt("連想辞書抽出条件区分", 1);
    const std::int32_t edition[] = {0, 1, 1, 0, 1, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(DictionaryKeys); ++i)
        PutInt(DictionaryKeys[i].key, edition[i]);
}

// Opens the operator's row on IBQSysDefGet; false when there is none.
bool OpenOperatorRow()
{
    db::Query& query = DM->IBQSysDefGet;
    query.SetSQL("SELECT * FROM SYSDEF WHERE OPCODE=:OPCODE");
    query.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
    query.Open();
    return !query.Eof();
}

void CopyOperatorRow()
{
    db::Query& query = DM->IBQSysDefGet;
    SystemDef.DisplaySpare = 0;
    for (const TextColumn& column : TextColumns)
        SystemDef.*column.field = query.FieldByName(column.name).AsString();
    for (const IntColumn& column : IntColumns)
        SystemDef.*column.field = query.FieldByName(column.name).AsInteger();
    if (SystemDef.ColHeaderGradColor1 == 0)
        SystemDef.ColHeaderGradColor1 = 16777215;
    if (SystemDef.ColHeaderGradColor2 == 0)
        SystemDef.ColHeaderGradColor2 = 12303291;
    query.Close();
}

void DecodeBitFields()
{
    TSystemDef& s = SystemDef;
    s.Reserve2Bit1 = GetBitFlag(s.Reserve2, 1);
    s.Reserve2Bit2 = GetBitFlag(s.Reserve2, 2);
    const std::int32_t r4 = s.Reserve4;
    s.AutoShareData = GetBitFlag(r4, 1);
    s.CommFlag = GetBitFlag(r4, 2);
    s.Reserve4Bit3 = GetBitFlag(r4, 3);
    s.FacilitySwitch = GetBitFlag(r4, 4);
    s.Reserve4ThreeWay = GetBitFlag(r4, 5) ? 1 : GetBitFlag(r4, 6) ? 2 : 0;
    s.LedgerLastLineDefault = GetBitFlag(r4, 7);
    s.Reserve4Bit8 = GetBitFlag(r4, 8);
    s.Reserve4Bit9 = GetBitFlag(r4, 9);
    s.EraDisplay = GetBitFlag(r4, 10);
    s.Reserve4Bit11 = GetBitFlag(r4, 11);
}

void EncodeBitFields()
{
    TSystemDef& s = SystemDef;
    std::int32_t r2 = 0;
    if (s.Reserve2Bit1)
        SetBitFlag(r2, 1);
    if (s.Reserve2Bit2)
        SetBitFlag(r2, 2);
    s.Reserve2 = r2;
    std::int32_t r4 = 0;
    const std::pair<std::int32_t, int> flags[] = {
        {s.AutoShareData, 1},         {s.CommFlag, 2},
        {s.Reserve4Bit3, 3},          {s.FacilitySwitch, 4},
        {s.Reserve4ThreeWay == 1, 5}, {s.Reserve4ThreeWay == 2, 6},
        {s.LedgerLastLineDefault, 7}, {s.Reserve4Bit8, 8},
        {s.Reserve4Bit9, 9},          {s.EraDisplay, 10},
        {s.Reserve4Bit11, 11},
    };
    for (const auto& [on, bit] : flags) {
        if (on)
            SetBitFlag(r4, bit);
    }
    s.Reserve4 = r4;
}

void LoadOfficeRecords()
{
    TSystemDef& s = SystemDef;
    s.OfficeName.clear();
    s.OfficeAddress.clear();
    s.OfficeTel.clear();
    s.OfficeReserve1 = s.OfficeReserve2 = s.OfficeReserve3 = 0;
    TSystemIniRec office;
    office.REC = 10;
    if (GetSysIni(office)) {
        s.OfficeName = TDM::GetParamValue(office.SSTR, "NAME");
        s.OfficeAddress = TDM::GetParamValue(office.SSTR, "JYUSHO");
        s.OfficeTel = TDM::GetParamValue(office.SSTR, "TEL");
        s.OfficeReserve1 = office.RESERVE1;
        s.OfficeReserve2 = office.RESERVE2;
        s.OfficeReserve3 = office.RESERVE3;
    }
    TSystemIniRec rights;
    rights.REC = 20;
    s.FacilityRightsOff = GetSysIni(rights) ? rights.RESERVE1 : 0;
}

void LoadSystemVariables()
{
    TSystemDef& s = SystemDef;
    const bool e = IsEdition();
    s.NextItemMove = e ? GetInt("次項目移動区分", 1, s.NextItemMove) : 0;
    s.AccountCodeDigits = e ? static_cast<std::uint8_t>(GetInt("科目コード桁数", 0, s.AccountCodeDigits)) : 0;
    s.SubAccountCodeDigits = e ? static_cast<std::uint8_t>(GetInt("補助コード桁数", 0, s.SubAccountCodeDigits)) : 0;
    s.DepartmentCodeDigits = e ? static_cast<std::uint8_t>(GetInt("部門コード桁数", 1, s.DepartmentCodeDigits)) : 0;
    s.JournalDateFocus = e ? static_cast<std::uint8_t>(GetInt("仕訳日付フォーカス", 1, s.JournalDateFocus)) : 2;
    s.LedgerOneLine = e ? GetInt("元帳１行出力区分", 0, s.LedgerOneLine) : 0;
    s.LedgerTagMark = e ? GetInt("元帳付箋マーク出力区", 0, s.LedgerTagMark) : 0;
    s.AssocDictFilter = e ? GetInt("連想辞書抽出条件区分", 1, s.AssocDictFilter) : 0;

    s.LedgerLastLineBalance = e ? 1 : s.LedgerLastLineDefault;
    s.LedgerLastLineBalance = GetInt("元帳最終行残高出力区", s.LedgerLastLineBalance, s.LedgerLastLineBalance);
    s.TrialTotalOutput = e ? 1 : 0;
    s.TrialTotalOutput = GetInt("試算表集計出力区分", s.TrialTotalOutput, s.TrialTotalOutput);
    s.LedgerTitleOutput = GetInt("元帳タイトル出力区分", e ? 1 : 0, s.LedgerTitleOutput);
    s.TrialBsPageBreak = GetInt("試算表ＢＳ改ページ区", e ? 0 : 1, s.TrialBsPageBreak);
    s.TrialTitleOutput = GetInt("試算表タイトル出力区", e ? 1 : 0, s.TrialTitleOutput);
    s.TrialPeriodOutput = GetInt("試算表期間出力区分", e ? 1 : 0, s.TrialPeriodOutput);
    s.TrialTitle = GetText("試算表タイトル", "試　算　表", s.TrialTitle);
    s.TwoPeriodTrialTitle = GetText("２期試算表タイトル", "２期比較試算表", s.TwoPeriodTrialTitle);

    // [0] all accounts, [1] fixed A4, [2] fixed A3; the layouts without a
    // title of their own are emptied.
    s.BsTitles[0] = GetText("全科目ＢＳタイトル", "資産・負債・純資産", s.BsTitles[0]);
    s.AssetTitles[0] = GetText("全科目資産タイトル", "資産の部", s.AssetTitles[0]);
    s.LiabilityTitles[0] = GetText("全科目負債タイトル", "負債・純資産の部", s.LiabilityTitles[0]);
    s.PlTitles[0] = GetText("全科目ＰＬタイトル", "損益", s.PlTitles[0]);
    s.AssetTitles[1] = GetText("定形A4資産タイトル", "資産の部", s.AssetTitles[1]);
    s.LiabilityTitles[1] = GetText("定形A4負債タイトル", "負債・純資産の部", s.LiabilityTitles[1]);
    s.PlTitles[1] = GetText("定形A4ＰＬタイトル", "損益", s.PlTitles[1]);
    s.ExpenseTitles[1] = GetText("定形A4販売費タイトル", "販売費・一般管理費", s.ExpenseTitles[1]);
    s.BsTitles[2] = GetText("定形A3ＢＳタイトル", "資産・負債・純資産", s.BsTitles[2]);
    s.PlTitles[2] = GetText("定形A3ＰＬタイトル", "損益", s.PlTitles[2]);
    s.BsTitles[1].clear();
    s.AssetTitles[2].clear();
    s.LiabilityTitles[2].clear();
    s.ExpenseTitles[0].clear();
    s.ExpenseTitles[2].clear();

    s.DataCheckSwitch = SysRegInteger("データ破損チェック区", s.GROUPID * 10000 + 9999, 1, s.DataCheckSwitch);
    s.DataPlaceNo = GetInt("サーバのデータの場所", 0, s.DataPlaceNo);
    s.TekiyoEditMode = GetInt("摘要項目の編集モード", 0, s.TekiyoEditMode);
    s.TekiyoInputKind = GetInt("摘要項目の入力区分", 0, s.TekiyoInputKind);
    s.PartnerInputKind = GetInt("取引先項目の入力区分", 0, s.PartnerInputKind);
    s.BackRulePrint = GetInt("裏面の罫線印刷区分", 0, s.BackRulePrint);
    s.TaxCodePrint = GetInt("消費税コード印刷区分", 1, s.TaxCodePrint);
    if (!e)
        s.TaxCodePrint = 1;
    s.SettlementBillOffset = GetInt("決算書手形相殺区分", 0, s.SettlementBillOffset);
    s.SettlementSellingCost = GetInt("決算書販売費組入区分", 0, s.SettlementSellingCost);
    s.TrialRowAdjust = GetInt("試算表行数調整区分", 0, s.TrialRowAdjust);
    s.AssocDictCodeInput = GetInt("連想辞書コード入力区", 0, s.AssocDictCodeInput);
    s.AssocDictListOrder = GetInt("連想辞書リスト並び順", 0, s.AssocDictListOrder);
    s.LedgerTagMark = GetInt("元帳付箋マーク出力区", s.LedgerTagMark, s.LedgerTagMark);
    for (const DictionaryKey& key : DictionaryKeys)
        s.*key.field = GetInt(key.key, key.readDefault, s.*key.field);
    s.TrialManufacturingRow = GetInt("試算表製造集計行出区", 1, s.TrialManufacturingRow);
    if (EditionFlag == 2)
        s.FacilityRightsOff = 1;
}

void ApplyOperatorFont()
{
    TSystemDef& s = SystemDef;
    if (!IsFontInstalled(s.FontName))
        return;
    s.OperatorFont.Name = s.FontName;
    s.OperatorFont.Size = s.FontSize;
    // 0 plain, 1 bold, 2 italic, 3 bold italic: the first two style bits.
    if (s.FontStyle >= 0 && s.FontStyle <= 3)
        s.OperatorFont.Style = s.FontStyle;
    s.OperatorFont.CharSet = s.FontCharSet;
}

void WriteSystemVariables()
{
    const TSystemDef& s = SystemDef;
    if (IsEdition()) {
        PutInt("次項目移動区分", s.NextItemMove);
        PutInt("科目コード桁数", s.AccountCodeDigits);
        PutInt("補助コード桁数", s.SubAccountCodeDigits);
        PutInt("部門コード桁数", s.DepartmentCodeDigits);
        PutInt("仕訳日付フォーカス", s.JournalDateFocus);
        PutInt("元帳１行出力区分", s.LedgerOneLine);
        PutInt("元帳付箋マーク出力区", s.LedgerTagMark);
        PutInt("連想辞書抽出条件区分", s.AssocDictFilter);
    }
    PutInt("試算表集計出力区分", s.TrialTotalOutput);
    PutInt("元帳タイトル出力区分", s.LedgerTitleOutput);
    PutInt("試算表ＢＳ改ページ区", s.TrialBsPageBreak);
    PutInt("試算表タイトル出力区", s.TrialTitleOutput);
    PutText("試算表タイトル", s.TrialTitle);
    PutText("２期試算表タイトル", s.TwoPeriodTrialTitle);
    PutText("全科目ＢＳタイトル", s.BsTitles[0]);
    PutText("全科目資産タイトル", s.AssetTitles[0]);
    PutText("全科目負債タイトル", s.LiabilityTitles[0]);
    PutText("全科目ＰＬタイトル", s.PlTitles[0]);
    PutText("定形A4資産タイトル", s.AssetTitles[1]);
    PutText("定形A4負債タイトル", s.LiabilityTitles[1]);
    PutText("定形A4ＰＬタイトル", s.PlTitles[1]);
    PutText("定形A4販売費タイトル", s.ExpenseTitles[1]);
    PutText("定形A3ＢＳタイトル", s.BsTitles[2]);
    PutText("定形A3ＰＬタイトル", s.PlTitles[2]);
    PutInt("元帳最終行残高出力区", s.LedgerLastLineBalance);
    PutInt("サーバのデータの場所", s.DataPlaceNo);
    PutInt("摘要項目の編集モード", s.TekiyoEditMode);
    PutInt("摘要項目の入力区分", s.TekiyoInputKind);
    PutInt("取引先項目の入力区分", s.PartnerInputKind);
    PutInt("裏面の罫線印刷区分", s.BackRulePrint);
    PutInt("消費税コード印刷区分", s.TaxCodePrint);
    PutInt("決算書手形相殺区分", s.SettlementBillOffset);
    PutInt("決算書販売費組入区分", s.SettlementSellingCost);
    PutInt("連想辞書コード入力区", s.AssocDictCodeInput);
    PutInt("連想辞書リスト並び順", s.AssocDictListOrder);
    PutInt("元帳付箋マーク出力区", s.LedgerTagMark);
    PutInt("試算表期間出力区分", s.TrialPeriodOutput);
    for (const DictionaryKey& key : DictionaryKeys)
        PutInt(key.key, s.*key.field);
    PutInt("試算表製造集計行出区", s.TrialManufacturingRow);
}

// Runs work in the system transaction, committing what it did; a failure is
// reported under location and message and rolls back what the call began.
template <typename Work>
bool Reported(const char* location, const char* message, Work work)
{
    try {
        if (!DM)
            throw std::runtime_error("no data module");
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        work();
        transaction.Commit();
        return true;
    } catch (const db::FbError& error) {
        HandleIBError(error, location, message);
    } catch (const std::exception& error) {
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
    }
    return false;
}

}  // namespace

bool fnGetSysDef()
{
    return Reported("TDM.fnGetSysDef", "システム情報の取得に失敗しました。\rアプリケーションを終了します。", [] {
        if (!OpenOperatorRow()) {
            DM->IBQSysDefGet.Close();
            InsertOperatorRow();
            if (!OpenOperatorRow())
                throw std::runtime_error("SYSDEF: the operator's row is missing after its insert");
        }
        CopyOperatorRow();
        DecodeBitFields();
        LoadOfficeRecords();
        LoadSystemVariables();
        SystemDef.ProgressWindow = nullptr;
        SystemDef.SpareFlag = 0;
        GetSysDbVersion();
        ApplyOperatorFont();
    });
}

bool fnPutSysDef()
{
    EncodeBitFields();
    const bool written =
        Reported("TDM.fnPutSysDef", "システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。", [] {
            db::Query& query = DM->IBSQLDEF;
            query.SetSQL(UpdateSysDefSql);
            for (const TextColumn& column : TextColumns)
                query.ParamByName(column.name).SetString(SystemDef.*column.field);
            for (const IntColumn& column : IntColumns)
                query.ParamByName(column.name).SetInteger(SystemDef.*column.field);
            query.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
            query.ExecSQL();
        });
    if (!written)
        return false;
    WriteSystemVariables();
    return true;
}

void GetSysDbVersion()
{
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        db::Query& query = DM->IBSQLDEF;
        try {
            query.SetSQL("SELECT MAJOR,MINOR1,MINOR2 FROM VERSION\r\nORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
            query.Open();
            if (!query.Eof()) {
                SystemDef.SysDbVersion.MAJOR = query.FieldByName("MAJOR").AsInteger();
                SystemDef.SysDbVersion.MINOR1 = query.FieldByName("MINOR1").AsInteger();
                SystemDef.SysDbVersion.MINOR2 = query.FieldByName("MINOR2").AsInteger();
            }
            query.Close();
        } catch (...) {
            query.Close();
            transaction.Commit();
            throw;
        }
        transaction.Commit();
    } catch (const std::exception&) {
        SystemDef.SysDbVersion = TVersionNumbers{};
    }
}

void LoadGengo()
{
    TGengoArray eras;
    try {
        db::JoinedTransaction transaction(DM->IBTransactionDEF);
        auto query = CreateAccQuery("ACCDEF", false);
        query->SetSQL("SELECT COUNT(*) AS RECCNT FROM GENGO");
        query->Open();
        eras.reserve(static_cast<std::size_t>(std::max(0, query->FieldByName("RECCNT").AsInteger())));
        query->SetSQL("SELECT GNAME,GSIGN,STARTDATE,YEAROFFSET FROM GENGO\r\nORDER BY YEAROFFSET DESC");
        for (query->Open(); !query->Eof(); query->Next()) {
            eras.push_back(TGengoRec{query->FieldByName("GNAME").AsString(), query->FieldByName("GSIGN").AsString(),
                                     query->FieldByName("STARTDATE").AsDateTime(),
                                     query->FieldByName("YEAROFFSET").AsInteger()});
        }
        query->Close();
        transaction.Commit();
    } catch (const std::exception&) {
        // An era table that cannot be read is no reason to stop: the
        // built-in eras stand in for it.
        eras.clear();
    }
    SetGengoTable(std::move(eras));
}
