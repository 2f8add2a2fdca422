#pragma once
// What the printing path and the writer need of the screens: message boxes,
// the print dialog, the printing dialog that shows progress and takes a
// cancel, and the preview window. The screens install their host at start;
// without one, messages go to the error log, the print dialog prints every
// page, printing runs at once and no preview is shown.

#include <functional>
#include <optional>
#include <string>

namespace fol {

struct TFOLDEF;

enum class PrintMessageKind { Error, Information };

// The print dialog's answer. RangeIsPages with From and To, else all pages.
struct PrintDialogAnswer {
    bool RangeIsPages = false;
    int From = 1;
    int To = 1;
    int Copies = 1;
    bool Collate = false;
};

// The printing dialog as the page loop sees it.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void SetPageLabel(const std::string& text) = 0;
    // Serves the operator between pages; true once printing is to stop.
    virtual bool Cancelled() = 0;
};

class PrintHost {
public:
    virtual ~PrintHost() = default;
    virtual void Message(const std::string& text, PrintMessageKind kind) = 0;
    // nullopt when the operator cancelled.
    virtual std::optional<PrintDialogAnswer> RunPrintDialog(int minPage, int maxPage) = 0;
    // Shows the printing dialog and runs work from its first timer tick.
    virtual void RunPrinting(const std::function<void(PrintProgress&)>& work) = 0;
    // The preview window; its close code (-1, 1 or 0).
    virtual int RunPreview(TFOLDEF& record) = 0;
};

// Not owned; nullptr restores the default host.
void SetPrintHost(PrintHost* host);
PrintHost& CurrentPrintHost();
// Whether a host other than the default one is installed.
bool PrintHostInstalled();

// The sink the printing path prints to (not owned; nullptr: none, so every
// print fails).
class PrintJobSink;
void SetPrintJobSink(PrintJobSink* sink);
PrintJobSink* CurrentPrintJobSink();

}  // namespace fol
