#pragma once
// TUtiwakesyoDataExport: the export of the account-breakdown statements,
// the one the wizard creates. Its data part is the trial balance of the open
// company for the chosen range and tax mode (TUtiwakesyoDataMake).

#include "app/export/ComDataExport.h"

class TUtiwakesyoDataExport final : public TComDataExport {
public:
    using TComDataExport::TComDataExport;

    // Loads the balances and writes "DATA". Any failure of the loading or
    // the calculation raises EDataExportError code 1 "科目の集計処理に失敗
    // しました。"; the writing raises codes 2 and 3 for empty names.
    void SetDataNode(TXmlSaveDoc& doc) override;
};
