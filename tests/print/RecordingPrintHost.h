#pragma once
// A print host that records what the printing path shows and answers its
// dialogs as the test sets them; the printing dialog cancels once a given
// number of pages has gone by.

#include "print/PrintHost.h"

#include <string>
#include <vector>

namespace fol {

class RecordingPrintHost final : public PrintHost {
public:
    void Message(const std::string& text, PrintMessageKind kind) override
    {
        Events.push_back((kind == PrintMessageKind::Error ? "error:" : "info:") + text);
        if (OnMessage)
            OnMessage();
    }
    std::optional<PrintDialogAnswer> RunPrintDialog(int minPage, int maxPage) override
    {
        Events.push_back("dialog:" + std::to_string(minPage) + "-" + std::to_string(maxPage));
        return Answer;
    }
    void RunPrinting(const std::function<void(PrintProgress&)>& work) override
    {
        Progress progress(*this);
        work(progress);
    }
    int RunPreview(TFOLDEF&) override
    {
        Events.push_back("preview");
        return PreviewCode;
    }

    std::vector<std::string> Events;
    std::optional<PrintDialogAnswer> Answer = PrintDialogAnswer{};
    int CancelAfterPages = -1;
    int PreviewCode = 0;
    std::function<void()> OnMessage;

private:
    class Progress final : public PrintProgress {
    public:
        explicit Progress(RecordingPrintHost& host) : host_(host) {}
        void SetPageLabel(const std::string& text) override
        {
            if (!text.empty())
                host_.Events.push_back("label:" + text);
        }
        bool Cancelled() override { return ++pages_ == host_.CancelAfterPages; }

    private:
        RecordingPrintHost& host_;
        int pages_ = 0;
    };
};

}  // namespace fol
