#include "print/screens/RunPreview.h"

#include "foundation/UserMessage.h"
#include "print/ErrorLog.h"
#include "print/PrintEngine.h"
#include "print/PrinterSheet.h"
#include "print/screens/TImageDispForm.h"

#include <QString>

#include <filesystem>

using namespace fol;

namespace {

bool Missing(const std::string& path)
{
    std::error_code ec;
    return !std::filesystem::is_regular_file(path, ec);
}

}  // namespace

int RunPreview(TFOLDEF& record)
{
    if (!PrintEngineReady())
        return 0;
    try {
        TFOLDEF& global = FolDef();
        if (&record != &global) {
            const TFOLDEF copy = record;
            global = copy;
        }
        TFOLDEF& r = global;
        if (Missing(r.DataFile())) {
            ShowUserMessage("<" + r.DataFile() + "> が見つかりません。", TMsgDlgType::mtError);
            return 0;
        }
        if (!QString::fromStdString(r.FormFile()).trimmed().isEmpty() && Missing(r.FormFile())) {
            ShowUserMessage("<" + r.FormFile() + "> が見つかりません。", TMsgDlgType::mtError);
            return 0;
        }
        if (r.Copies < 1 || r.Copies > 99)
            r.Copies = 1;
        if (r.Zoom < TImageDispForm::MinZoom || r.Zoom > TImageDispForm::MaxZoom)
            r.Zoom = 10;
        TVDBPrint* vdb = Vdb();
        if (vdb && r.PaperSize == 0)
            r.PaperSize = vdb->GetPaperNumber(r.PaperName(), r.PaperLength, 9, r.PaperWidth);
        if (vdb)
            vdb->SetPaper(r.OutputPaper != 0 ? r.OutputPaper : r.PaperSize);
        SetPrinterOrientation(r.Orientation);
        if (vdb)
            vdb->SetDevMode(r);
        TImageDispForm form(r);
        form.setWindowState(Qt::WindowMaximized);
        form.exec();
        return form.CloseCode();
    } catch (const std::exception& e) {
        WriteErrorLog("PREVIEW.開始", e.what());
        return 0;
    }
}
