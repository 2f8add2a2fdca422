#include "app/export/UtiwakesyoDataMake.h"

#include "app/export/DataExportError.h"
#include "app/export/XmlValueText.h"
#include "foundation/StringUtils.h"

#include <string>

namespace {

Currency SignedBalance(std::int32_t taishaku, Currency closing)
{
    return taishaku == 2 || taishaku == 4 ? -closing : closing;
}

}  // namespace

void TUtiwakesyoDataMake::MakeDataNode(TXmlSaveDoc& doc)
{
    data_ = doc.AddNode(nullptr, "DATA");
    accountCount_ = 0;
    for (const TQSORT& entry : Order) {
        const TBALANCE& row = Rows.at(static_cast<std::size_t>(entry.Value));
        if (row.KMK.KCODE.empty())
            continue;
        account_ = AddKamokuNode(doc, row);
        if (row.HOJCNT == 0)
            continue;
        subCount_ = 0;
        for (const THOJOUTIWAKE& sub : row.Hojo)
            AddKamokuNode(doc, row, sub);
    }
}

TXmlNode TUtiwakesyoDataMake::AddKamokuNode(TXmlSaveDoc& doc, const TBALANCE& row)
{
    const std::string name = TrimZen(row.KMK.KNAME);
    const std::string& code = row.KMK.USERCODE;
    const Currency balance = SignedBalance(row.KMK.TAISHAKU, row.RangeClosing);
    if (name.empty())
        throw EDataExportError("空の科目名が設定されています。", "科目ｺｰﾄﾞ:" + code, ExportErrorAccountName);

    ++accountCount_;
    TXmlNode node = doc.AddNode(data_, "KANJYOKAMOKU", "Count", std::to_string(accountCount_));
    doc.AddTextNode(node, "KANJYOKAMOKU_CODE", "", "", code);
    doc.AddTextNode(node, "KANJYOKAMOKU_NAME", "", "", name);
    doc.AddTextNode(node, "KANJYOKAMOKU_ZANDAKA", "", "", ZandakaText(balance));
    return node;
}

void TUtiwakesyoDataMake::AddKamokuNode(TXmlSaveDoc& doc, const TBALANCE& row, const THOJOUTIWAKE& sub)
{
    const std::string name = TrimZen(sub.HNAME);
    const Currency balance = SignedBalance(row.KMK.TAISHAKU, sub.RangeClosing);
    if (name.empty())
        throw EDataExportError("空の補助名が設定されています。", "科目ｺｰﾄﾞ:" + row.KMK.USERCODE + "-" + sub.HCODE,
                               ExportErrorSubAccountName);

    ++subCount_;
    TXmlNode node = doc.AddNode(account_, "HOJYOKAMOKU", "Count", std::to_string(subCount_));
    doc.AddTextNode(node, "HOJYOKAMOKU_CODE", "", "", sub.HCODE);
    doc.AddTextNode(node, "HOJYOKAMOKU_NAME", "", "", name);
    doc.AddTextNode(node, "HOJYOKAMOKU_ZANDAKA", "", "", ZandakaText(balance));
}
