#include "dbupdate/AccountingCashFlowSeed.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace accupdate {

namespace {

// CM_KIND: the statement starts from the profit before tax (indirect) or
// from the operating receipts (direct).
enum Method { Direct = 0, Indirect = 1 };

// What a line is; it fixes CM_DEL, CM_MKU and CM_MARGIN.
enum class Role {
    Heading,     // a section's heading, and the computed sections Ⅳ and Ⅴ
    Item,        // a line the user maps accounts onto
    LockedItem,  // line 2: the profit before tax, mapped to 9999 once and for all
    Total,       // subtotals and section totals
    Balance,     // Ⅵ and Ⅶ: cash at the start and end; their accounts stay open to change
};

struct RoleFlags {
    int del;
    int mku;
    int margin;
};

RoleFlags FlagsOf(Role role)
{
    switch (role) {
    case Role::Heading:
        return {1, 1, 0};
    case Role::Item:
        return {0, 0, 1};
    case Role::LockedItem:
        return {1, 1, 1};
    case Role::Total:
        return {1, 1, 2};
    case Role::Balance:
        return {1, 0, 0};
    }
    return {0, 0, 0};
}

// One line: its block (CM_GROUP), what it is, its printed name. The line
// number is the position; the order within the block counts from 1.
struct LineDef {
    int group;
    Role role;
    const char* name;
};

// Lines 1 to 59.
constexpr LineDef IndirectLines[] = {
    {10, Role::Heading, "Ⅰ　営業活動によるキャッシュ・フロー"},
    {11, Role::LockedItem, "税引前当期純利益（損失）"},
    {11, Role::Item, "減価償却費"},
    {11, Role::Item, "貸倒引当金の増加額"},
    {11, Role::Item, "退職給付引当金の増加"},
    {11, Role::Item, "賞与引当金の増加額"},
    {11, Role::Item, "その他の引当金の増加額"},
    {11, Role::Item, "受取利息及び受取配当金"},
    {11, Role::Item, "支払利息"},
    {11, Role::Item, "為替換算差損"},
    {11, Role::Item, "有価証券売却益"},
    {11, Role::Item, "有価証券売却損"},
    {11, Role::Item, "固定資産売却益"},
    {11, Role::Item, "固定資産売却損"},
    {11, Role::Item, "固定資産除却損"},
    {11, Role::Item, "投資有価証券売却益"},
    {11, Role::Item, "投資有価証券売却損"},
    {11, Role::Item, "売上債権の増加（減少）額"},
    {11, Role::Item, "たな卸資産の増加（減少）額"},
    {11, Role::Item, "仕入債務の減少（増加）額"},
    {11, Role::Item, "未払消費税等の増加（減少）額"},
    {11, Role::Item, "割引手形の増加（減少）額"},
    {11, Role::Item, "役員賞与の支払額"},
    {11, Role::Item, "その他資産・負債の増減額"},
    {12, Role::Total, "小　計"},
    {13, Role::Item, "利息及び配当金の受取額"},
    {13, Role::Item, "利息の支払額"},
    {13, Role::Item, "法人税等の支払額"},
    {15, Role::Total, "営業活動によるキャッシュ・フロー"},
    {20, Role::Heading, "Ⅱ　投資活動によるキャッシュ・フロー"},
    {21, Role::Item, "有価証券の取得による支出"},
    {21, Role::Item, "有価証券の売却による収入"},
    {21, Role::Item, "有形固定資産の取得による支出"},
    {21, Role::Item, "有形固定資産の売却による収入"},
    {21, Role::Item, "投資有価証券の取得による支出"},
    {21, Role::Item, "投資有価証券の売却による収入"},
    {21, Role::Item, "貸付けによる支出"},
    {21, Role::Item, "貸付金の回収による収入"},
    {21, Role::Item, "その他投資活動による支出"},
    {21, Role::Item, "その他投資活動による収入"},
    {25, Role::Total, "投資活動によるキャッシュ・フロー"},
    {30, Role::Heading, "Ⅲ　財務活動によるキャッシュ・フロー"},
    {31, Role::Item, "短期借入れによる収入"},
    {31, Role::Item, "短期借入金の返済による支出"},
    {31, Role::Item, "長期借入れによる収入"},
    {31, Role::Item, "長期借入金の返済による支出"},
    {31, Role::Item, "社債の発行による収入"},
    {31, Role::Item, "社債の償還による支出"},
    {31, Role::Item, "株式の発行による収入"},
    {31, Role::Item, "自己株式の売却による収入"},
    {31, Role::Item, "自己株式の取得による支出"},
    {31, Role::Item, "配当金の支払額"},
    {31, Role::Item, "その他財務活動による収入"},
    {31, Role::Item, "その他財務活動による支出"},
    {35, Role::Total, "財務活動によるキャッシュ・フロー"},
    {40, Role::Heading, "Ⅳ　現金及び現金同等物に係る換算差額"},
    {50, Role::Heading, "Ⅴ　現金及び現金同等物の増加額"},
    {60, Role::Balance, "Ⅵ　現金及び現金同等物の期首残高"},
    {70, Role::Balance, "Ⅶ　現金及び現金同等物の期末残高"},
};

// Lines 60 to 67: the direct method's own start of section Ⅰ.
constexpr LineDef DirectOwnLines[] = {
    {10, Role::Heading, "Ⅰ　営業活動によるキャッシュ・フロー"},
    {11, Role::Item, "営業収入"},
    {11, Role::Item, "原材料又は商品の仕入れによる支出"},
    {11, Role::Item, "人件費の支出"},
    {11, Role::Item, "その他の営業収入"},
    {11, Role::Item, "その他の営業支出"},
    {11, Role::Item, "未払消費税等の増加（減少）額"},
    {11, Role::Item, "その他"},
};

// From the subtotal of section Ⅰ on, the direct method repeats the
// indirect method's lines (25 to 59) as lines 68 to 102, and the mapping
// of its lines 69 to 102 is that of the line 43 below.
constexpr int DirectRepeatFirst = 25;
constexpr int DirectOffset = 43;
constexpr int LineCount = 102;

// CF_CTYPE: which figure of the account enters the line.
enum Figure {
    Opening = 0,  // balance at the start of the period
    Closing = 1,  // balance at its end (and the profit before tax of line 2)
    Change = 2,   // the period's change
    Outflow = 3,  // acquisitions, repayments, other payments
    Inflow = 4,   // the matching receipts
};

// Rows only one method has. The rows held by the indirect method alone
// (three on line 34) share the number of the row before them, so that
// four rows of that line carry 97; CF_REC is no key.
enum class Only { Both, IndirectMethod, DirectMethod };

// Accounts first to last (one account when last is 0) on a line, each with
// the sign with which its figure enters the line (CF_CAL).
struct MapDef {
    int line;
    char sign;
    Figure figure;
    int first;
    int last = 0;
    Only only = Only::Both;
};

// The mapping of the indirect method's lines, then of the direct method's
// own lines (61 to 67); every other line is derived (see below).
constexpr MapDef Mappings[] = {
    {2, '+', Closing, 9999},
    {3, '+', Change, 5606},
    {3, '+', Change, 6204},
    {4, '+', Change, 1320},
    {4, '+', Change, 1620},
    {6, '+', Change, 2115},
    {8, '-', Change, 7101},
    {8, '-', Change, 7104},
    {9, '+', Change, 7201},
    {11, '-', Change, 7103},
    {12, '+', Change, 7203},
    {13, '-', Change, 8101},
    {14, '+', Change, 8201},
    {15, '+', Change, 8202},
    {18, '-', Change, 1141, 1142},
    {19, '-', Change, 1201, 1206},
    {20, '+', Change, 2101, 2102},
    {21, '-', Change, 1307},
    {21, '+', Change, 2108},
    {21, '+', Change, 2112},
    {22, '+', Change, 2111},
    {24, '-', Change, 1143},
    {24, '-', Change, 1145},
    {24, '-', Change, 1147},
    {24, '-', Change, 1301, 1302},
    {24, '-', Change, 1304, 1306},
    {24, '-', Change, 1308, 1309},
    {24, '-', Change, 1311},
    {24, '-', Change, 1603, 1605},
    {24, '-', Change, 1607},
    {24, '+', Change, 2104, 2107},
    {24, '+', Change, 2109, 2110},
    {24, '+', Change, 2117, 2121},
    {24, '+', Inflow, 3501},
    {26, '+', Change, 7101},
    {26, '+', Change, 7104},
    {27, '-', Change, 7201},
    {28, '-', Change, 1310},
    {28, '-', Change, 1608},
    {28, '+', Change, 2114},
    {28, '+', Change, 2116},
    {28, '+', Change, 2206},
    {28, '-', Change, 8301, 8304},
    {31, '-', Outflow, 1146},
    {32, '+', Inflow, 1146},
    {33, '-', Outflow, 1401, 1409},
    {33, '+', Inflow, 1409},
    {33, '-', Outflow, 1410, 1412},
    {33, '+', Inflow, 3311},
    {34, '+', Inflow, 1401, 1408},
    {34, '+', Inflow, 1410, 1412},
    {34, '+', Change, 1416},
    {34, '-', Change, 6204},
    {34, '-', Outflow, 3311},
    {34, '+', Change, 8101, 0, Only::IndirectMethod},
    {34, '-', Change, 8201, 8202, Only::IndirectMethod},
    {35, '-', Outflow, 1602},
    {35, '-', Outflow, 1601},
    {35, '+', Inflow, 3309},
    {36, '+', Inflow, 1602},
    {36, '+', Inflow, 1601},
    {36, '-', Outflow, 3309},
    {37, '-', Outflow, 1303},
    {37, '-', Outflow, 1606},
    {38, '+', Inflow, 1303},
    {38, '+', Inflow, 1606},
    {39, '-', Outflow, 1122, 1125},
    {39, '-', Outflow, 1127, 1130},
    {39, '-', Outflow, 1501, 1506},
    {39, '-', Outflow, 1701, 1703},
    {43, '+', Inflow, 2103},
    {44, '-', Outflow, 2103},
    {45, '+', Inflow, 2202},
    {46, '-', Outflow, 2202},
    {49, '+', Inflow, 3101},
    {49, '+', Change, 3111},
    {49, '+', Inflow, 3201},
    {50, '+', Inflow, 3313, 3314},
    {51, '-', Outflow, 3313, 3314},
    {52, '-', Change, 2113},
    {53, '+', Inflow, 2201},
    {53, '+', Inflow, 2203, 2205},
    {53, '+', Inflow, 2207},
    {53, '+', Inflow, 2301, 2302},
    {53, '+', Inflow, 3401, 3402},
    {53, '+', Inflow, 3202, 3203},
    {53, '+', Inflow, 3301, 3305},
    {53, '+', Inflow, 3312},
    {53, '+', Inflow, 3315, 3317},
    {54, '-', Outflow, 2201},
    {54, '-', Outflow, 2203, 2205},
    {54, '-', Outflow, 2207},
    {54, '-', Outflow, 2301, 2302},
    {54, '-', Outflow, 3101},
    {54, '-', Outflow, 3201},
    {54, '-', Outflow, 3401, 3402},
    {54, '-', Outflow, 3202, 3203},
    {54, '-', Outflow, 3301, 3305},
    {54, '-', Outflow, 3312},
    {54, '-', Outflow, 3315},
    {54, '-', Outflow, 3316, 0, Only::DirectMethod},
    {54, '-', Outflow, 3317},
    {54, '-', Outflow, 3501},
    {58, '+', Opening, 1101, 1105},
    {58, '+', Opening, 1112, 1116},
    {58, '+', Opening, 1132},
    {61, '-', Change, 1141, 1142},
    {61, '+', Change, 1320},
    {61, '-', Change, 1308},
    {61, '+', Change, 2106},
    {61, '+', Change, 2111},
    {61, '+', Change, 4101, 4110},
    {61, '-', Change, 4115},
    {62, '+', Change, 2101, 2102},
    {62, '-', Change, 5201, 5210},
    {62, '-', Change, 5215},
    {62, '-', Change, 5402, 5405},
    {63, '+', Change, 2115},
    {63, '+', Inflow, 3501},
    {63, '-', Change, 5501, 5508},
    {63, '-', Change, 6101},
    {63, '-', Change, 6200, 6203},
    {63, '-', Change, 6215, 6216},
    {63, '-', Change, 6218},
    {64, '-', Change, 1304},
    {64, '+', Change, 2107},
    {64, '+', Change, 2109},
    {64, '+', Change, 7105, 7106},
    {65, '-', Change, 1301, 1302},
    {65, '-', Change, 1305, 1306},
    {65, '-', Change, 1604, 1605},
    {65, '-', Change, 1607},
    {65, '+', Change, 2104, 2105},
    {65, '-', Change, 5601, 5605},
    {65, '-', Change, 5607, 5608},
    {65, '-', Change, 5621},
    {65, '-', Change, 6102, 6109},
    {65, '-', Change, 6205, 6214},
    {65, '-', Change, 6217},
    {65, '-', Change, 6219, 6225},
    {65, '-', Change, 6231},
    {65, '-', Change, 7206},
    {66, '-', Change, 1307},
    {66, '-', Change, 1309},
    {66, '+', Change, 2108},
    {66, '+', Change, 2112},
    {67, '+', Change, 8104},
    {67, '-', Change, 8204},
};

// Indirect-method lines that take the accounts of another line with their
// own sign and figure: the receipts of line 40 are the payments of 39, the
// closing balances of 59 the opening balances of 58.
struct LineFromLine {
    int line;
    int source;
    char sign;
    Figure figure;
};
constexpr LineFromLine DerivedLines[] = {
    {40, 39, '+', Inflow},
    {59, 58, '+', Closing},
};

// The mapping rows are numbered per method: the indirect method from 1, the
// direct method from 218, leaving 291 to 301 unused.
constexpr int IndirectFirstRow = 1;
constexpr int DirectFirstRow = 218;
constexpr int UnusedFirstRow = 291;
constexpr int UnusedLastRow = 301;

struct MapRow {
    char sign;
    int account;
    Figure figure;
    bool sharesNumber;
};

bool Belongs(Only only, Method method)
{
    return only == Only::Both || (only == Only::IndirectMethod && method == Indirect) ||
           (only == Only::DirectMethod && method == Direct);
}

// The rows of a line as its method maps it, in their order.
std::vector<MapRow> RowsOf(int line, Method method)
{
    if (method == Direct && line > DirectRepeatFirst + DirectOffset)
        return RowsOf(line - DirectOffset, Direct);
    for (const LineFromLine& derived : DerivedLines)
        if (derived.line == line) {
            std::vector<MapRow> rows = RowsOf(derived.source, method);
            for (MapRow& row : rows) {
                row.sign = derived.sign;
                row.figure = derived.figure;
            }
            return rows;
        }
    std::vector<MapRow> rows;
    for (const MapDef& def : Mappings) {
        if (def.line != line || !Belongs(def.only, method))
            continue;
        const int last = def.last == 0 ? def.first : def.last;
        for (int account = def.first; account <= last; ++account)
            rows.push_back({def.sign, account, def.figure, def.only == Only::IndirectMethod});
    }
    return rows;
}

std::string LineInsert(int rec, Method method, int group, int order, const LineDef& def)
{
    const RoleFlags flags = FlagsOf(def.role);
    char values[128];
    std::snprintf(values, sizeof values, "VALUES(%2d,%d,%2d,%2d,%d,%d,%d,'", rec, static_cast<int>(method), group,
                  order, flags.del, flags.mku, flags.margin);
    return std::string("INSERT INTO \"CASHFMST\"(CM_REC,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,CM_NAME1,"
                       "CM_HOSEI) ") +
           values + def.name + "',0);";
}

std::string MappingInsert(int rec, int line, const MapRow& row)
{
    char values[128];
    std::snprintf(values, sizeof values, "VALUES(%3d,%2d,'%c','%04d',%d);", rec, line, row.sign, row.account,
                  static_cast<int>(row.figure));
    return std::string("INSERT INTO \"CASHFMKU\"(CF_REC,CM_REC,CF_CAL,CF_KCODE,CF_CTYPE) ") + values;
}

// The definition of a line: its own or, from line 68 on, the repeated one.
const LineDef& LineDefOf(int line)
{
    constexpr int indirectCount = static_cast<int>(std::size(IndirectLines));
    constexpr int directOwnCount = static_cast<int>(std::size(DirectOwnLines));
    if (line <= indirectCount)
        return IndirectLines[line - 1];
    if (line <= indirectCount + directOwnCount)
        return DirectOwnLines[line - indirectCount - 1];
    return IndirectLines[line - DirectOffset - 1];
}

// Inserts lines first to last of one method, then their mapping rows.
void AddMethod(TUpdateScript& script, Method method, int first, int last)
{
    int previousGroup = -1;
    int order = 0;
    for (int line = first; line <= last; ++line) {
        const LineDef& def = LineDefOf(line);
        order = def.group == previousGroup ? order + 1 : 1;
        previousGroup = def.group;
        script.Add(LineInsert(line, method, def.group, order, def));
    }
    int next = method == Indirect ? IndirectFirstRow : DirectFirstRow;
    for (int line = first; line <= last; ++line)
        for (const MapRow& row : RowsOf(line, method)) {
            if (row.sharesNumber) {
                script.Add(MappingInsert(next - 1, line, row));
                continue;
            }
            if (method == Direct && next == UnusedFirstRow)
                next = UnusedLastRow + 1;
            script.Add(MappingInsert(next++, line, row));
        }
}

}  // namespace

void AddCashFlowReseed(TUpdateScript& script)
{
    script.Add({
        "DELETE FROM \"CASHFMKU\";",
        "DELETE FROM \"CASHFMST\";",
        "SET GENERATOR CASHFMST_GEN TO 0;",
        "SET GENERATOR CASHFMKU_GEN TO 0;",
        "COMMIT;",
    });
    const int indirectLast = static_cast<int>(std::size(IndirectLines));
    AddMethod(script, Indirect, 1, indirectLast);
    AddMethod(script, Direct, indirectLast + 1, LineCount);
    script.Add("COMMIT;");
}

}  // namespace accupdate
