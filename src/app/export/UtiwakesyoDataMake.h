#pragma once
// TUtiwakesyoDataMake: writes the loaded balances as the "DATA" part of the
// intermediate file.
//
// Every row the order entries point to that is an account (KCODE not empty)
// becomes a "KANJYOKAMOKU" element numbered 1, 2, 3 ... over the whole part,
// with its user code, its name trimmed of half- and full-width blanks and
// its range closing balance; an account with sub-accounts gets one
// "HOJYOKAMOKU" element per sub-account after those three, numbered from 1
// for each account. Balances of credit-side accounts (TAISHAKU 2 and 4) are
// negated, their sub-accounts' with them.
//
// A name that is empty after trimming stops the writing with
// EDataExportError (code 2 for an account, 3 for a sub-account).

#include "app/export/XmlSaveDoc.h"
#include "app/export/ZaimuDataLoad.h"

class TUtiwakesyoDataMake final : public TZaimuDataLoad {
public:
    void MakeDataNode(TXmlSaveDoc& doc);

private:
    TXmlNode AddKamokuNode(TXmlSaveDoc& doc, const TBALANCE& row);
    void AddKamokuNode(TXmlSaveDoc& doc, const TBALANCE& row, const THOJOUTIWAKE& sub);

    TXmlNode data_ = nullptr;
    TXmlNode account_ = nullptr;
    int accountCount_ = 0;
    int subCount_ = 0;
};
