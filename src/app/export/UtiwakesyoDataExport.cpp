#include "app/export/UtiwakesyoDataExport.h"

#include "app/export/DataExportError.h"
#include "app/export/UtiwakesyoDataMake.h"

namespace {

constexpr std::int32_t MedicalCorporation = 3;
constexpr std::int32_t MedicalBusinessKind = 16;

}  // namespace

void TUtiwakesyoDataExport::SetDataNode(TXmlSaveDoc& doc)
{
    TUtiwakesyoDataMake make;
    make.StartCell = StartCell;
    make.EndCell = EndCell;
    make.LastCell = LastCell;
    make.TaxMode = TaxMode;
    make.BusinessKind = DataType == MedicalCorporation ? MedicalBusinessKind : 0;
    try {
        make.LoadZandaka();
    } catch (const std::exception&) {
        throw EDataExportError("科目の集計処理に失敗しました。", "", ExportErrorCalculation);
    }
    make.MakeDataNode(doc);
}
