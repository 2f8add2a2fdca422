// TFolianto's preview and print: hand the settings over, run the preview
// window or the printing path, clean up after.

#include "print/Folianto.h"
#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/Printing.h"

#include <filesystem>

namespace fol {

bool TFolianto::Preview()
{
    TFOLDEF& record = FolDef();
    CopySettings(record);
    // A preview without a started engine shows nothing, whatever host is in.
    previewCloseNum_ = PrintEngineReady() ? CurrentPrintHost().RunPreview(record) : 0;
    CleanUp(record);
    return previewCloseNum_ != 0;
}

bool TFolianto::Print()
{
    TFOLDEF record;
    CopySettings(record);
    const bool printed = RunPrint(record);
    previewCloseNum_ = printed ? 1 : 0;
    CleanUp(record);
    return printed;
}

void TFolianto::CleanUp(const TFOLDEF& record)
{
    namespace fs = std::filesystem;
    if (DelFile) {
        std::error_code ec;
        if (!DataFile.empty())
            fs::remove(DataFile, ec);
        if (!record.DataFile().empty())
            fs::remove(fs::path(record.DataFile()).parent_path() / "CHART.WMF", ec);
    }
    TFOLDEF& shared = FolDef();
    TVDBPrint* vdb = Vdb();
    shared.PrinterIndex = vdb && !vdb->NoPrinter() ? vdb->Backend().CurrentPrinterIndex() : -1;
    shared.Copies = 1;
    if (vdb && !vdb->NoPrinter()) {
        try {
            const int copies = vdb->Backend().ReadDeviceMode().Copies;
            if (copies >= 1 && copies <= 99)
                shared.Copies = copies;
        } catch (const std::exception&) {
            // The device mode could not be read: one copy, as a fresh printer.
        }
    }
    PrinterNum = shared.PrinterIndex;
    copie_ = shared.Copies;
    PageBango = false;
    DocTitle.clear();
}

}  // namespace fol
