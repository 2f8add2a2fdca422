// Accounting update 0.3.3: the individual's capital carry-forward, the
// accounts' Navigore thresholds, the comparison columns and analysis items,
// and the thresholds and search kana of the standard chart of the data's kind.

#include "dbupdate/AccountingUpdateUnits.h"
#include "dbupdate/SystemUpdateUnits.h"
#include "foundation/AccRecord.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace z5UserDbUpdate033 {

namespace {

const TUpdateUnitShape Shape = accupdate::AccountingShape(0, 3, 3);

const std::string Code = "VARCHAR(6) CHARACTER SET ASCII";
const std::string Amount = "NUMERIC(16,4)";

// New capital is the old capital plus the year's net debit balance of the
// balance sheet plus the owner's drawings in, less the drawings out; with
// every balance-sheet account in the sums that is the net assets the
// business carries into the new year.
void AddCapitalCarryForward(TUpdateScript& script)
{
    script.Add({
        "SET TERM ^ ;",
        "RECREATE PROCEDURE SP_MOTOIREKIN_KURIIRE (",
        "    SCODE " + Code + ")",
        "RETURNS (",
        "    BCODE " + Code + ",",
        "    MOTOIREZAN " + Amount + ",",
        "    KIMATU_MOTOIREZAN " + Amount + ",",
        "    KIMATU_JIGYOKASIZAN " + Amount + ",",
        "    KIMATU_JIGYOKARIZAN " + Amount + ",",
        "    KIMATU_KARIZAN " + Amount + ",",
        "    KIMATU_KASIZAN " + Amount + ")",
        "AS",
        "DECLARE VARIABLE VDATATYPE INTEGER;",
        "DECLARE VARIABLE VBUMON INTEGER;",
        "DECLARE VARIABLE VBUMEX INTEGER;",
        "DECLARE VARIABLE VALL INTEGER;",
        "DECLARE VARIABLE VM " + Code + ";",
        "DECLARE VARIABLE VK " + Code + ";",
        "DECLARE VARIABLE VS " + Code + ";",
        "BEGIN",
        "    VDATATYPE = NULL;",
        "    VBUMON = 0;",
        "    SELECT DATATYPE, COALESCE(BUMON, 0) FROM ACCDEF1 WHERE REC = 1 INTO :VDATATYPE, :VBUMON;",
        "    /* Only an individual carries the year into the owner's capital. */",
        "    IF (VDATATYPE IS DISTINCT FROM 2) THEN",
        "        EXIT;",
        "    SELECT CODE FROM SYSKMKCODEINF('元入金') INTO :VM;",
        "    SELECT CODE FROM SYSKMKCODEINF('事業主貸') INTO :VK;",
        "    SELECT CODE FROM SYSKMKCODEINF('事業主借') INTO :VS;",
        "    /* Without a capital account there is nowhere to carry the year. */",
        "    IF (COALESCE(VM, '') = '') THEN",
        "        EXIT;",
        "    VBUMEX = 0;",
        "    SELECT COALESCE(F.BUMEX, 0) FROM SISETUMST F WHERE F.SCODE = :SCODE INTO :VBUMEX;",
        "    VALL = IIF(VBUMON = 2 AND VBUMEX = 1, 1, 0);",
        "    FOR SELECT D.BCODE FROM (SELECT B.BCODE AS BCODE FROM BUMONMST B WHERE :VALL = 1",
        "                             UNION",
        "                             SELECT CAST(' ' AS " + Code + ") FROM RDB$DATABASE WHERE :VALL = 0) D",
        "         ORDER BY D.BCODE",
        "          INTO :BCODE DO",
        "    BEGIN",
        "        SELECT COALESCE(SUM(IIF(V.KCODE = :VM, V.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(V.KCODE = :VK, V.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(V.KCODE = :VS, V.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(V.DAC IN (1, 4), V.KAISIZAN, 0)), 0),",
        "               COALESCE(SUM(IIF(V.DAC IN (2, 3), V.KAISIZAN, 0)), 0)",
        "          FROM KAMOKU_VIEW V",
        "         WHERE V.SCODE = :SCODE AND V.BCODE = :BCODE AND V.BPFLG = 'B'",
        "          INTO :KIMATU_MOTOIREZAN, :KIMATU_JIGYOKASIZAN, :KIMATU_JIGYOKARIZAN,",
        "               :KIMATU_KARIZAN, :KIMATU_KASIZAN;",
        "        MOTOIREZAN = KIMATU_MOTOIREZAN + (KIMATU_KARIZAN - KIMATU_KASIZAN)",
        "                   + KIMATU_JIGYOKARIZAN - KIMATU_JIGYOKASIZAN;",
        "        UPDATE KAMOKU_SZ Z SET Z.KAISIZAN = :MOTOIREZAN",
        "         WHERE Z.SCODE = :SCODE AND Z.KCODE = :VM AND Z.HCODE = ' ' AND Z.BCODE = :BCODE;",
        "        UPDATE KAMOKU_SZ Z SET Z.KAISIZAN = 0",
        "         WHERE Z.SCODE = :SCODE AND Z.KCODE IN (:VK, :VS) AND Z.HCODE = ' ' AND Z.BCODE = :BCODE;",
        "        SUSPEND;",
        "    END",
        "END ^",
        "SET TERM ; ^",
    });
}

struct TComparisonColumn {
    int rec;
    const char* name;
};

constexpr TComparisonColumn ComparisonColumns[] = {
    {1, "過去3ヶ月"}, {2, "過去6ヶ月"}, {3, "過去12ヶ月"}, {4, "過去24ヶ月"},
    {5, "当期平均"},  {6, "前期平均"},  {7, "前々期平均"}, {8, "２期平均"},
};

struct TAnalysisItem {
    int rec;
    int bunrui;
    const char* name;
    const char* unit;
    const char* a1;
    const char* a2;
    const char* b1;
    const char* b2;
};

constexpr TAnalysisItem AnalysisItems[] = {
    {1, 1, "売上総利益率", "％", "4100", "5280", "", ""},
    {2, 1, "売上高営業利益率", "％", "4100", "6100", "", ""},
    {3, 1, "売上高経常利益率", "％", "4100", "7200", "", ""},
    {4, 1, "総資本営業利益率", "％", "1100", "6100", "", ""},
    {5, 1, "総資本経常利益率", "％", "1100", "7200", "", ""},
    {6, 1, "自己資本経常利益率", "％", "3100", "7200", "", ""},
    {7, 2, "総資本回転率", "回", "2100", "4110", "", ""},
    {8, 2, "総資本回転日数", "日", "2100", "4110", "", ""},
    {9, 2, "流動資産回転率", "回", "1100", "1320", "4100", "4110"},
    {10, 2, "流動資産回転日数", "日", "1100", "1320", "4100", "4110"},
    {11, 2, "固定資産回転率", "回", "1100", "1600", "4100", "4110"},
    {12, 2, "固定資産回転日数", "日", "1100", "1600", "4100", "4110"},
    {13, 2, "受取債権回転率", "回", "1130", "1130", "4100", "4110"},
    {14, 2, "受取債権回転日数", "日", "1130", "1130", "4100", "4110"},
    {15, 2, "支払勘定回転率", "回", "2100", "2100", "4100", "4110"},
    {16, 2, "支払勘定回転日数", "日", "2100", "2100", "4100", "4110"},
    {17, 3, "流動比率", "％", "1100", "1320", "2100", "2100"},
    {18, 3, "当座比率", "％", "1100", "1100", "2100", "2100"},
    {19, 3, "固定長期適合率", "％", "1100", "3600", "", ""},
    {20, 3, "自己資本対固定資産率", "％", "1400", "1800", "3100", "3340"},
    {21, 3, "自己資本比率", "％", "1100", "3430", "", ""},
    {22, 3, "損益分岐点売上高", "円", "4100", "6100", "", ""},
    {23, 4, "売上高対支払利息比率", "％", "4100", "4110", "7100", "7200"},
    {24, 4, "売上高対販管費比率", "％", "4100", "4110", "6100", "6100"},
    {25, 4, "売上高対人件費比率", "％", "4100", "4110", "6100", "6100"},
    {26, 4, "人件費計合計", "円", "6100", "6100", "", ""},
    {27, 4, "従業員延人数", "人", "", "", "", ""},
    {28, 5, "付加価値", "円", "4100", "5820", "", ""},
    {29, 5, "労働分配率", "％", "4100", "5820", "6100", "6100"},
    {30, 5, "一人当たり売上高", "円", "4100", "4110", "", ""},
    {31, 5, "一人当たりに人件費", "円", "6100", "6100", "", ""},
    {32, 5, "一人当たり販管費", "円", "6100", "6100", "", ""},
    {33, 5, "一人当たり経常利益", "円", "4100", "7200", "", ""},
    {34, 5, "一人当たり資本集約度", "円", "1100", "3340", "", ""},
    {35, 5, "一人当たり労働装備率", "円", "1400", "1710", "", ""},
};

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

void AddNavigoreTables(TUpdateScript& script)
{
    script.Add({
        "ALTER TABLE KAMOKUMST ADD Navigore_BadRate Currency ,ADD Navigore_BadKind Integer DEFAULT 0 ,"
        "ADD Navigore_GoodRate Currency ,ADD Navigore_GoodKind Integer DEFAULT 0;",
        "COMMIT;",
        // A column added with a default reads as null in the rows already
        // there; every account's kinds start at 0 like a new account's.
        "UPDATE KAMOKUMST SET Navigore_BadKind=0 ,Navigore_GoodKind=0;",
        "COMMIT;",
        "RECREATE TABLE NAVIGORE_HIKAKU_COL (",
        "  REC INTEGER NOT NULL,",
        "  NUM INTEGER DEFAULT 0,",
        "  MEISHOU VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  PRIMARY KEY (REC)",
        ");",
        "COMMIT;",
    });
    for (const TComparisonColumn& column : ComparisonColumns)
        script.Add("INSERT INTO NAVIGORE_HIKAKU_COL  VALUES(" + std::to_string(column.rec) + "," +
                   std::to_string(column.rec) + "," + Quoted(column.name) + " );");
    script.Add({
        "COMMIT;",
        "RECREATE TABLE NAVIGORE_HIKAKU (",
        "  REC INTEGER NOT NULL,",
        "  BUNRUI INTEGER DEFAULT 0,",
        "  MEISHOU VARCHAR(20) CHARACTER SET SJIS_0208,",
        "  TANIMEI VARCHAR(5) CHARACTER SET SJIS_0208,",
        "  BadRate NUMERIC(16,4) DEFAULT 0,",
        "  BadKind INTEGER DEFAULT 0,",
        "  GoodRate NUMERIC(16,4) DEFAULT 0,",
        "  GoodKind INTEGER DEFAULT 1,",
        "  GROUPA1 AC_CODE,",
        "  GROUPA2 AC_CODE,",
        "  GROUPB1 AC_CODE,",
        "  GROUPB2 AC_CODE,",
        "  PRIMARY KEY (REC)",
        ");",
        "COMMIT;",
    });
    for (const TAnalysisItem& item : AnalysisItems) {
        // Cost ratios improve as they fall; every other item as it rises.
        const bool lowerIsBetter = item.rec >= 23 && item.rec <= 27;
        const std::string thresholds = lowerIsBetter ? "1.05,1,0.95,0" : "0.95,0,1.05,1";
        script.Add("INSERT INTO NAVIGORE_HIKAKU  VALUES(" + std::to_string(item.rec) + " ," +
                   std::to_string(item.bunrui) + " ," + Quoted(item.name) + " ," + Quoted(item.unit) + " ," +
                   thresholds + " ," + Quoted(item.a1) + "," + Quoted(item.a2) + " ," + Quoted(item.b1) + " ," +
                   Quoted(item.b2) + " );");
    }
    script.Add("COMMIT;");
}

// The standard charts' thresholds and search kana: per account code, "A"
// (warning at or below 0.95, good at or above 1.05: balances that should
// grow), "B" (the reverse: costs and debts) or "Z" (no thresholds), then
// "=" and the search key where the chart gives one; every other listed
// account loses its search key.
constexpr const char* CorporationChart =
    "1101A=genki 1102A=touza 1103A 1104A 1105A 1112A=futsu 1113A 1114A 1115A 1116A 1122A=teiki 1123A "
    "1124A 1125A 1127A=teiki 1128A 1129A 1130A 1132A=sonot 1141A=uketo 1142A=urika 1143A 1145A "
    "1146A=yuuka 1147A 1201A=syouh 1202A=seihi 1203A=hanse 1204A=genza 1205A=shika 1206A=chozo "
    "1301A=maewa 1302A=maeba 1303A=tanki 1304A=misyu 1305A=tatek 1306A=karib 1307A=karib 1308A=fuwat "
    "1309A=misyu 1310A=kurin 1311A 1320A=kasid 1401A=tatem 1402A=kouch 1403A=kikai 1404A=senpa "
    "1405A=syary 1406A=kougu 1407A 1408A=tochi 1409A=kense 1410A 1411A 1412A 1416A=genka 1501A=eigyo "
    "1502A=syaku 1503A 1504A 1505A 1506A=denwa 1601A=syuss 1602A=tousi 1603A 1604A=hosho 1605A=sikik "
    "1606A=chouk 1607A=chouk 1608A=chouk 1620A=kasid 1701A=sougy 1702A 1703A 2101B=shiha 2102B=kaika "
    "2103B=tanki 2104B=mihar 2105B=mihar 2106B=maeuk 2107B=azuka 2108B=kariu 2109B=kariu 2110B "
    "2111B=warib 2112B=mihar 2113B=mihar 2114B=mihar 2115B=syouy 2116B=kurin 2117B 2118B 2119B 2120B "
    "2121B 2201B 2202B=chouk 2203B 2204B 2205B 2206B=chouk 2207B 2301B 2302B 3101A=shiho 3111A=shink "
    "3201A=shiho 3401A 3402A 3202A=rieki 3203A 3301A=betto 3302A=tsumi 3303A 3304A 3305A 3306A=kurik "
    "3314A=jikok 3313A=jikok 3309A=yuuka 3310A=kurin 3311A=tochi 3312A 3315A=sonot 3316A 3317A "
    "3501A=shink 4101A=uriag 4102A 4103A 4104A 4105A 4106A 4107A 4108A 4109A 4110A 4115A=uriag "
    "5101B=kisyu 5201B=shiir 5202B 5203B 5204B 5205B 5206B 5207B 5208B 5209B 5210B 5215B=shiir "
    "5301B=kimat 5401B=kisyu 5402B=zairy 5403B 5404B 5405B 5411B=kimat 5501B=ching 5502B=syouy "
    "5503B=zatsu 5504B=houte 5505B=fukur 5506B 5507B 5508B=taisy 5601B=gaich 5602B=denry 5603B=gasud "
    "5604B=suido 5605B=unchi 5606B=genka 5607B=syuuz 5608B=sozei 5609B=chins 5610B=hoken 5611B=syoum "
    "5612B=ryohi 5613B=koutu 5614B=tsuus 5615B 5616B 5617B 5618B 5619B 5621B=zappi 5701B=kisyu "
    "5801B=kimat 6101B=hanba 6102B=ryohi 6103B=kouko 6104B=youki 6105B=hasso 6106B 6107B 6108B=hanba "
    "6109B 6200B=yakui 6201B=yakui 6202B=kyury 6203B=syouy 6204B=genka 6205B=chida 6206B=syuuz "
    "6207B=jimuy 6208B=tsuus 6209B=suido 6210B=sozei 6211B=kifuk 6212B=setta 6213B=hoken 6214B=bihin "
    "6215B=fukur 6216B=houte 6217B=syary 6218B=zakky 6219B=ri-su 6220B 6221B 6222B 6223B 6224B 6225B "
    "6231B=zappi 7101A=uketo 7102A 7103A=yuuka 7104A=uketo 7105A 7106A=zassy 7201B=sihar 7202B "
    "7203B=yuuka 7204B=kashi 7205B=kurin 7206B=zasso 8101A=kotei 8102A 8103A 8104A=zenki 8105A "
    "8201B=kotei 8202B=kotei 8203B=kashi 8204B=zenki 8205B 8301B=houji 8302B=houji 8303B 8304B "
    "9999Z=syoku";

constexpr const char* IndividualGeneralChart =
    "1101A=genki 1102A=touza 1103A 1104A 1105A 1112A=futsu 1113A 1114A 1115A 1116A 1122A=teiki 1123A "
    "1124A 1125A 1127A=teiki 1128A 1129A 1130A 1132A=sonot 1141A=uketo 1142A=urika 1143A 1145A "
    "1146A=yuuka 1147A 1201A=syouh 1202A=seihi 1203A=hanse 1204A=genza 1205A=shika 1206A=chozo "
    "1301A=maewa 1302A=maeba 1303A=tanki 1304A=misyu 1305A=tatek 1306A=karib 1307A=karib 1308A=fuwat "
    "1309A=misyu 1310A=maeba 1311A 1320A 1401A=tatem 1402A=kouch 1403A=kikai 1404A=senpa 1405A=syary "
    "1406A=kougu 1407A=tatem 1408A=tochi 1409A=kense 1410A 1411A 1412A 1416A=genka 1501A=eigyo "
    "1502A=syaku 1503A 1504A 1505A 1506A=denwa 1601A=syuss 1602A=toush 1603A 1604A=hosyo 1605A=shiki "
    "1606A=chouk 1607A=chouk 1608A=jigyo 1620A 1701A 1702A 1703A 2101B=shiha 2102B=kaika 2103B=tanki "
    "2104B=mihar 2105B=mihar 2106B=maeuk 2107B=azuka 2108B=kariu 2109B=kariu 2110B 2111B=warib "
    "2112B=mihar 2113B 2114B 2115B 2116B 2117B 2118B 2119B 2120B=saike 2121B=kashi 2201B 2202B=chouk "
    "2203B 2204B 2205B=jigyo 2206B 2207B 2301B 2302B 3101A=motoi 3201A 3202A 3203A 3301A 3302A 3303A "
    "3304A 3305A 4101A=uriag 4102A 4103A=kajis 4104A=zassy 4105A 4106A 4107A 4108A 4109A 4110A "
    "4115A=uriag 5101B=kisyu 5201B=shiir 5202B 5203B 5204B 5205B 5206B 5207B 5208B 5209B 5210B "
    "5215B=shiir 5301B=kimat 5401B=kisyu 5402B=genza 5403B 5404B 5405B 5411B=kimat 5501B=ching "
    "5502B=syouy 5503B=zakky 5504B=houte 5505B=fukur 5506B 5507B 5508B=taisy 5601B=gaich 5602B=denry "
    "5603B 5604B=suido 5605B 5606B=genka 5607B=syuuz 5608B 5609B 5610B 5611B 5612B 5613B 5614B 5615B "
    "5616B 5617B 5618B 5619B 5621B=zappi 5701B=kisyu 5801B=kimat 6101B=sozei 6102B=niduk 6103B=suido "
    "6104B=ryohi 6105B=tsuus 6106B=kouko 6107B=setta 6108B=songa 6109B=syuuz 6201B=syoum 6202B=genka "
    "6203B=fukur 6204B=kyuur 6205B=gaich 6206B=rishi 6207B=chida 6208B=kashi 6209B 6210B 6211B 6212B "
    "6213B 6214B 6215B 6216B 6217B 6218B 6219B 6220B 6221B 6222B 6223B 6224B 6225B 6226B 6231B=zappi "
    "7101A 7102A 7103A 7104A 7105A=kashi 7106A 7201B 7202B=senjy 7203B 7204B=kashi 7205B 7206B "
    "9999Z=syoku";

constexpr const char* IndividualRealEstateChart =
    "1101A=genki 1102A=touza 1103A 1104A 1105A 1112A=futsu 1113A 1114A 1115A 1116A 1122A=teiki 1123A "
    "1124A 1125A 1127A=teiki 1128A 1129A 1130A 1132A=sonot 1141A=uketo 1142A=misyu 1143A=misyu 1145A "
    "1146A=yuuka 1147A 1201A 1202A 1203A 1204A 1205A 1206A 1301A=maewa 1302A=maeba 1303A=tanki "
    "1304A=misyu 1305A=tatek 1306A=karib 1307A=karib 1308A=fuwat 1309A=misyu 1310A=maeba 1311A 1320A "
    "1401A=tatem 1402A=kouch 1403A=kikai 1404A=senpa 1405A=syary 1406A=kougu 1407A=tatem 1408A=tochi "
    "1409A=kense 1410A 1411A 1412A 1416A=genka 1501A=eigyo 1502A=syaku 1503A=kouky 1504A 1505A "
    "1506A=denwa 1601A=syuss 1602A=toush 1603A 1604A=hosyo 1605A=shiki 1606A=chouk 1607A=chouk "
    "1608A=jigyo 1620A 1701A 1702A 1703A 2101B=shiha 2102B=kaika 2103B=tanki 2104B=mihar 2105B=mihar "
    "2106B=maeuk 2107B=azuka 2108B=kariu 2109B=kariu 2110B 2111B=warib 2112B=mihar 2113B=hosyo 2114B "
    "2115B 2116B 2117B 2118B 2119B 2120B=saike 2121B=kashi 2201B 2202B=chouk 2203B 2204B 2205B=jigyo "
    "2206B 2207B 2301B 2302B 3101A=motoi 3201A 3202A 3203A 3301A 3302A 3303A 3304A 3305A 4101A=chint "
    "4102A=reiki 4103A=kenri 4104A=koush 4105A 4106A 4107A 4108A 4109A 4110A 4115A=uriag 6101B=sozei "
    "6102B=niduk 6103B=suido 6104B=ryohi 6105B=tsuus 6106B=kouko 6107B=setta 6108B=songa 6109B=syuuz "
    "6201B=syoum 6202B=genka 6203B=fukur 6204B=kyuur 6205B=gaich 6206B=karii 6207B=chida 6208B=kashi "
    "6209B 6210B 6211B 6212B 6213B 6214B 6215B 6216B 6217B 6218B 6219B 6220B 6221B 6222B 6223B 6224B "
    "6225B 6226B 6231B=sonot 7202B=senjy 9999Z=syoku";

enum class TChart { None, Corporation, IndividualGeneral, IndividualRealEstate };

// The chart of the company database being updated, from its own ACCDEF1:
// the tool that builds databases runs the units with no company data open,
// and in the program the open data is the data being updated, so this is
// what the open data's record holds. A medical corporation's chart keeps
// the corporation's account codes (only a few names differ), so it takes
// the corporation's thresholds; the individual's search keys ('motoi' on
// the capital account, 'kajis' on a sales account) would mislabel it. A
// failed read (the data module reports it) writes no thresholds.
TChart CompanyChart()
{
    std::int32_t dataType = 0;
    std::int32_t codeType = 0;
    bool read = false;
    accupdate::AskCompanyDatabase([&](TDM& dm) {
        try {
            dm.IBQACC1.Close();
            dm.IBQACC1.SetSQL("SELECT DATATYPE, CODETYPE FROM ACCDEF1 WHERE REC=1");
            dm.IBQACC1.Open();
            if (!dm.IBQACC1.Eof()) {
                const db::Field dataTypeField = dm.IBQACC1.FieldByIndex(0);
                const db::Field codeTypeField = dm.IBQACC1.FieldByIndex(1);
                dataType = dataTypeField.IsNull() ? 0 : dataTypeField.AsInteger();
                codeType = codeTypeField.IsNull() ? 0 : codeTypeField.AsInteger();
                read = true;
            }
            dm.IBQACC1.Close();
        } catch (const db::FbError& error) {
            dm.IBQACC1.Close();
            HandleIBError(error, "z5UserDbUpdate033", "データ区分の取得に失敗しました。");
        }
    });
    if (!read)
        return TChart::None;
    if (dataType == 1 || dataType == 3)
        return TChart::Corporation;
    if (codeType == 1)
        return TChart::IndividualGeneral;
    if (codeType == 2)
        return TChart::IndividualRealEstate;
    return TChart::None;
}

std::string ThresholdStatement(const std::string& entry)
{
    const std::string::size_type equals = entry.find('=');
    const std::string code = entry.substr(0, 4);
    const char pair = entry.at(4);
    const std::string kana = equals == std::string::npos ? "" : entry.substr(equals + 1);
    const char* rates = pair == 'A'   ? "Navigore_BadRate=0.95 ,Navigore_BadKind=0 ,Navigore_GoodRate=1.05 ,Navigore_GoodKind=1"
                        : pair == 'B' ? "Navigore_BadRate=1.05 ,Navigore_BadKind=1 ,Navigore_GoodRate=0.95 ,Navigore_GoodKind=0"
                                      : "Navigore_BadRate=0 ,Navigore_BadKind=0 ,Navigore_GoodRate=0 ,Navigore_GoodKind=0";
    std::string quoted = Quoted(kana);
    quoted.resize(std::max<std::size_t>(quoted.size() + 2, 9), ' ');
    return "UPDATE KAMOKUMST SET KKANA=" + quoted + "," + rates + "   WHERE KCODE =" + Quoted(code) + ";";
}

void AddAccountThresholds(TUpdateScript& script, TChart chart)
{
    const char* entries = chart == TChart::Corporation            ? CorporationChart
                          : chart == TChart::IndividualGeneral    ? IndividualGeneralChart
                          : chart == TChart::IndividualRealEstate ? IndividualRealEstateChart
                                                                  : nullptr;
    if (entries == nullptr)
        return;
    std::istringstream list(entries);
    for (std::string entry; list >> entry;)
        script.Add(ThresholdStatement(entry));
}

}  // namespace

TUpdateScript Script()
{
    TUpdateScript script(Shape);
    AddCapitalCarryForward(script);
    AddNavigoreTables(script);
    AddAccountThresholds(script, CompanyChart());
    script.Add("COMMIT;");
    return script;
}

std::int32_t DoUpdate()
{
    return Script().Run();
}

void GetUpdateInfo(TDbUpdateListRec& rec)
{
    sysupdate::Describe(rec, Shape, &DoUpdate, 1, "経営Navigore機能の追加 他",
                        "比較経営分析表の初期値を設定します。\r元入金の繰り入れ計算を更新します。");
}

}  // namespace z5UserDbUpdate033
