#include "print/PrintHost.h"

#include "print/ErrorLog.h"
#include "print/PrintJobSink.h"

namespace fol {
namespace {

class NeverCancelled final : public PrintProgress {
public:
    void SetPageLabel(const std::string&) override {}
    bool Cancelled() override { return false; }
};

class DefaultHost final : public PrintHost {
public:
    void Message(const std::string& text, PrintMessageKind) override { WriteErrorLog(text); }
    std::optional<PrintDialogAnswer> RunPrintDialog(int, int maxPage) override
    {
        PrintDialogAnswer all;
        all.To = maxPage;
        return all;
    }
    void RunPrinting(const std::function<void(PrintProgress&)>& work) override
    {
        NeverCancelled progress;
        work(progress);
    }
    int RunPreview(TFOLDEF&) override { return 0; }
};

PrintHost* installedHost = nullptr;
PrintJobSink* installedSink = nullptr;

}  // namespace

void SetPrintHost(PrintHost* host)
{
    installedHost = host;
}

PrintHost& CurrentPrintHost()
{
    static DefaultHost fallback;
    return installedHost ? *installedHost : fallback;
}

bool PrintHostInstalled()
{
    return installedHost != nullptr;
}

void SetPrintJobSink(PrintJobSink* sink)
{
    installedSink = sink;
}

PrintJobSink* CurrentPrintJobSink()
{
    return installedSink;
}

}  // namespace fol
