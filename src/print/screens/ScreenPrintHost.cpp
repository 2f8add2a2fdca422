#include "print/screens/ScreenPrintHost.h"

#include "foundation/UserMessage.h"
#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/QtPrintJobSink.h"
#include "print/QtPrinterBackend.h"
#include "print/screens/RunPreview.h"
#include "print/screens/TBigHintWindow.h"
#include "print/screens/TNowPrintingdlg.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace fol;

namespace {

class ScreenPrintHost final : public PrintHost {
public:
    void Message(const std::string& text, PrintMessageKind kind) override
    {
        ShowUserMessage(text, kind == PrintMessageKind::Error ? TMsgDlgType::mtError : TMsgDlgType::mtInformation);
    }

    std::optional<PrintDialogAnswer> RunPrintDialog(int minPage, int maxPage) override
    {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        QPrintDialog dialog(&printer);
        dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
        dialog.setMinMax(minPage, maxPage);
        printer.setFromTo(minPage, maxPage);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        PrintDialogAnswer answer;
        answer.RangeIsPages = dialog.printRange() == QAbstractPrintDialog::PageRange;
        answer.From = printer.fromPage();
        answer.To = printer.toPage();
        answer.Copies = printer.copyCount();
        answer.Collate = printer.collateCopies();
        return answer;
    }

    void RunPrinting(const std::function<void(PrintProgress&)>& work) override
    {
        TNowPrintingdlg dialog(work);
        dialog.exec();
    }

    int RunPreview(TFOLDEF& record) override { return ::RunPreview(record); }
};

}  // namespace

void StartScreenPrintEngine()
{
    static ScreenPrintHost host;
    static QtPrintJobSink printerSink;
    static bool endRegistered = false;
    TBigHintWindow::Install();
    if (!endRegistered && qApp) {
        // The engine's printer objects must go before the application object
        // does, not among the static objects after it.
        qAddPostRoutine([] {
            EndPrintEngine();
            if (PrintHostInstalled() && &CurrentPrintHost() == &host)
                SetPrintHost(nullptr);
            if (CurrentPrintJobSink() == &printerSink)
                SetPrintJobSink(nullptr);
        });
        endRegistered = true;
    }
    if (!PrintEngineReady())
        StartPrintEngine(MakeQtPrinterBackend());
    if (!PrintHostInstalled())
        SetPrintHost(&host);
    if (!CurrentPrintJobSink())
        SetPrintJobSink(&printerSink);
}
