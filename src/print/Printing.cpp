#include "print/Printing.h"

#include "print/ErrorLog.h"
#include "print/FolFile.h"
#include "print/FolHeader.h"
#include "print/PageInterpreter.h"
#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/PrintJobSink.h"
#include "print/PrinterSheet.h"

#include <filesystem>
#include <optional>

namespace fol {
namespace {

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

void MissingFile(const std::string& path)
{
    CurrentPrintHost().Message("<" + path + "> が見つかりません。", PrintMessageKind::Error);
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One run of the page loop: what RunPrint or PrintCurrentPage decided.
struct PrintRun {
    TFOLDEF* Record = nullptr;
    int FirstPage = 1;  // the numbering page the print starts at
    std::optional<PrintDialogAnswer> Range;
    int MaxPage = 1;
    bool CollateByEngine = false;
    bool Cancelled = false;
    bool Failed = false;
};

class PageLoop {
public:
    PageLoop(PrintRun& run, PrintJobSink& sink, PrintProgress& progress)
        : run_(run), r_(*run.Record), sink_(sink), progress_(progress), interp_(r_)
    {}

    void Run()
    {
        const int copies = DecideCopies();
        factorX_ = sink_.DpiX() / 254.0;
        factorY_ = sink_.DpiY() / 254.0;
        const bool hasForm = !Trimmed(r_.FormFile()).empty();
        if (hasForm) {
            if (!FileExists(r_.FormFile()))
                return Fail([&] { MissingFile(r_.FormFile()); });
            formPagesLoaded_ = interp_.LoadFormFields(r_.FormFile(), 0, 0);
        }
        if (r_.DataFile().empty())
            return Fail(
                [] { CurrentPrintHost().Message("印刷ファイルの指定がありません。", PrintMessageKind::Error); });
        if (!data_.Open(r_.DataFile()))
            return Fail([&] { MissingFile(r_.DataFile()); });
        if (hasForm && r_.FormPrint && !form_.Open(r_.FormFile()))
            return Fail([&] { MissingFile(r_.FormFile()); });
        drawForm_ = hasForm && r_.FormPrint;
        orientations_ = PageOrientations(data_.Lines(), r_.Orientation);
        interp_.SetPageCount();
        UpdateRatios(interp_, r_);

        const int first = run_.FirstPage;
        if (const auto o = OrientationOf(first))
            SetPrinterOrientation(*o);
        if (!Begin())
            return;
        for (int n = copies; n > 0 && !run_.Cancelled && !run_.Failed;) {
            PrintCopy(first);
            n = run_.Cancelled ? 0 : n - 1;
            if (n > 0) {
                sink_.EndJob();
                SetPrinterOrientation(r_.Orientation);
                if (!Begin())
                    return;
            }
        }
        if (run_.Cancelled || run_.Failed)
            sink_.AbortJob();
        else
            sink_.EndJob();
    }

private:
    template <typename Show>
    void Fail(Show show)
    {
        run_.Failed = true;
        show();
    }

    // How many times the engine itself prints the document: collated copies
    // are printed as separate runs of one copy each.
    int DecideCopies()
    {
        TVDBPrint* vdb = Vdb();
        bool reportsCollate = false;
        if (vdb && !vdb->NoPrinter()) {
            try {
                reportsCollate = (vdb->Backend().ReadDeviceMode().Fields & DM_COLLATE) != 0;
            } catch (const std::exception& e) {
                WriteErrorLog("PRINT.メイン", e.what());
            }
        }
        const bool engineCollates = r_.Collate == 1 || (r_.Copies > 1 && run_.CollateByEngine);
        if (!reportsCollate || engineCollates) {
            if (engineCollates) {
                run_.CollateByEngine = true;
                const int n = r_.Copies;
                r_.Collate = 0;
                r_.Copies = 1;
                if (vdb)
                    vdb->SetDevMode(r_);
                return n;
            }
        } else if (r_.ColourMode == 1 && vdb) {
            vdb->SetDevMode(r_);
        }
        return 1;
    }

    std::optional<int> OrientationOf(int page) const
    {
        const auto index = static_cast<std::size_t>(page - 1);
        if (page < 1 || index >= orientations_.size())
            return std::nullopt;
        return orientations_[index];
    }

    bool Begin()
    {
        const int orientation = PrinterOrientation();
        const SheetGeometry sheet = PrinterSheet(orientation, 20);
        PlacePages(interp_, r_, sheet);
        PrintJobSetup setup;
        setup.Title = r_.DocTitle();
        TVDBPrint* vdb = Vdb();
        setup.PaperNumber = vdb ? vdb->GetPaper() : 9;
        setup.PaperWidthMM = orientation == 1 ? sheet.PaperHeight : sheet.PaperWidth;
        setup.PaperHeightMM = orientation == 1 ? sheet.PaperWidth : sheet.PaperHeight;
        setup.PrintableWidthMM = orientation == 1 ? sheet.PrintableHeight : sheet.PrintableWidth;
        setup.PrintableHeightMM = orientation == 1 ? sheet.PrintableWidth : sheet.PrintableHeight;
        setup.Orientation = orientation;
        setup.Copies = r_.Copies >= 2 ? r_.Copies : 1;
        setup.Collate = r_.Collate;
        setup.Duplex = r_.Duplex;
        setup.ColourMode = r_.ColourMode;
        if (vdb)
            vdb->SetTTOption(1);
        if (!sink_.BeginJob(setup)) {
            run_.Failed = true;
            WriteErrorLog("PRINT.メイン", "印刷ジョブを開始できません");
            return false;
        }
        sheetInJob_ = 1;
        return true;
    }

    DrawInputs Inputs(DrawKind kind, int formPage, int documentPage) const
    {
        DrawInputs in;
        in.Kind = kind;
        in.FormPage = formPage;
        in.EvenSheet = documentPage % 2 == 0;
        in.Zoom = 10;
        in.VFactor = factorY_;
        in.HFactor = factorX_;
        in.Dpi = sink_.DpiX();
        in.Printer = true;
        in.Page = numbering_;
        return in;
    }

    bool DrawFormPage(int documentPage)
    {
        return interp_.DrawPrintPage(form_, sink_.Painter(), Inputs(DrawKind::Fom, 0, documentPage));
    }

    // Ends the job and begins another, showing the pending message between.
    bool SplitJob(std::optional<int> orientation, const std::string& message)
    {
        sink_.EndJob();
        if (orientation)
            SetPrinterOrientation(*orientation);
        if (!message.empty())
            CurrentPrintHost().Message(message, PrintMessageKind::Information);
        return Begin();
    }

    void PrintCopy(int first)
    {
        data_.Rewind();
        numbering_ = first;
        const auto& range = run_.Range;
        const bool ranged = range && range->RangeIsPages;
        int left = ranged ? range->To - range->From + 1 : run_.MaxPage;
        const int from = ranged ? range->From : 1;
        progress_.SetPageLabel("");
        int i = 0;
        if (ranged) {
            SeekPage(data_, from, false);
            i = from - 1;
            if (const auto o = OrientationOf(from); o && *o != PrinterOrientation()) {
                sink_.AbortJob();
                SetPrinterOrientation(*o);
                if (!Begin())
                    return;
            }
        }
        bool formEnded = true;
        if (drawForm_) {
            form_.Rewind();
            if (ranged && form_.Lines().size() > 0 && CountPagesOf(form_.Lines(), true) > 1)
                SeekPage(form_, from, true);
            formEnded = DrawFormPage(i + 1);
        }
        while (!run_.Cancelled) {
            if (data_.AtEnd() || left <= 0)
                break;
            --left;
            const int documentPage = i + 1;
            int formIndex = documentPage % (formPagesLoaded_ + 1);
            if (formIndex == 0)
                formIndex = formPagesLoaded_ + 1;
            const bool ended =
                interp_.DrawPrintPage(data_, sink_.Painter(), Inputs(DrawKind::Dat, formIndex - 1, documentPage));
            ++i;
            // The operator may stop after the page just drawn.
            if (progress_.Cancelled()) {
                run_.Cancelled = true;
                break;
            }
            if (!ended && left > 0) {
                const std::string message = interp_.PendingMessage();
                const auto next = OrientationOf(i + 1);
                bool ok = true;
                if (next && *next != PrinterOrientation())
                    ok = SplitJob(next, message);
                else if (!message.empty())
                    ok = SplitJob(std::nullopt, message);
                else
                    ok = sink_.NewSheet();
                if (!ok) {
                    run_.Failed = true;
                    return;
                }
                ++sheetInJob_;
                progress_.SetPageLabel("(Page=" + std::to_string(sheetInJob_) + ")");
                if (drawForm_) {
                    if (formEnded)
                        form_.Rewind();
                    formEnded = DrawFormPage(i + 1);
                }
            }
            ++numbering_;
        }
        if (drawForm_ && !run_.Cancelled && !ranged) {
            while (!formEnded) {
                if (!sink_.NewSheet()) {
                    run_.Failed = true;
                    return;
                }
                ++sheetInJob_;
                ++i;
                progress_.SetPageLabel("(Page=" + std::to_string(sheetInJob_) + ")");
                formEnded = DrawFormPage(i + 1);
            }
        }
    }

    PrintRun& run_;
    TFOLDEF& r_;
    PrintJobSink& sink_;
    PrintProgress& progress_;
    PageInterpreter interp_;
    FolFile data_;
    FolFile form_;
    std::vector<int> orientations_;
    bool drawForm_ = false;
    int formPagesLoaded_ = 0;
    int numbering_ = 1;
    int sheetInJob_ = 0;
    double factorX_ = 1;
    double factorY_ = 1;
};

// The printing dialog's work: the page loop, its errors logged and taken as
// a failure.
void RunPrinting(PrintRun& run)
{
    PrintJobSink* sink = CurrentPrintJobSink();
    if (!sink) {
        run.Failed = true;
        WriteErrorLog("PRINT.メイン", "印刷先がありません");
        return;
    }
    CurrentPrintHost().RunPrinting([&](PrintProgress& progress) {
        try {
            PageLoop loop(run, *sink, progress);
            loop.Run();
        } catch (const std::exception& e) {
            run.Failed = true;
            WriteErrorLog("PRINT.メイン", e.what());
            sink->AbortJob();
        }
    });
}

void SelectRecordPaper(TFOLDEF& record)
{
    TVDBPrint* vdb = Vdb();
    if (!vdb)
        return;
    if (record.PaperSize == 0)
        record.PaperSize = vdb->GetPaperNumber(record.PaperName(), record.PaperLength, 9, record.PaperWidth);
    vdb->SetPaper(record.OutputPaper != 0 ? record.OutputPaper : record.PaperSize);
}

bool FirstLineIsPrintFile(const std::string& path)
{
    FolFile file;
    if (!file.Open(path))
        return false;
    return !file.Lines().empty() && HasPrintFileMark(file.Lines().front());
}

int DocumentPageCount(TFOLDEF& record)
{
    PageInterpreter counter(record);
    return counter.CountPages(record.DataFile(), true);
}

}  // namespace

bool RunPrint(TFOLDEF& record)
{
    if (!PrintEngineReady())
        return false;
    try {
        if (!record.Permit) {
            CurrentPrintHost().RunPreview(record);
            return false;
        }
        TFOLDEF& global = FolDef();
        if (!FileExists(record.DataFile())) {
            MissingFile(record.DataFile());
            return false;
        }
        if (!FirstLineIsPrintFile(record.DataFile())) {
            CurrentPrintHost().Message("<FOLIANTO>印刷データではありません。", PrintMessageKind::Error);
            return false;
        }
        if (!Trimmed(record.FormFile()).empty() && !FileExists(record.FormFile())) {
            MissingFile(record.FormFile());
            return false;
        }
        if (&record != &global) {
            const TFOLDEF copy = record;
            global = copy;
        }
        TFOLDEF& r = global;
        SelectRecordPaper(r);
        if (TVDBPrint* vdb = Vdb())
            vdb->SetDevMode(r);
        if (r.Copies < 1 || r.Copies > 99)
            r.Copies = 1;
        if (r.Zoom < 5 || r.Zoom > 15)
            r.Zoom = 10;
        SetPrinterOrientation(r.Orientation);

        PrintRun run;
        run.Record = &r;
        run.MaxPage = DocumentPageCount(r);
        if (r.PrintDialog) {
            const auto answer = CurrentPrintHost().RunPrintDialog(1, run.MaxPage);
            if (!answer) {
                SetPrinterOrientation(r.Orientation);
                return false;
            }
            run.Range = answer;
            run.FirstPage = answer->RangeIsPages ? answer->From : 1;
            run.CollateByEngine = answer->Collate;
            r.Copies = answer->Copies >= 1 && answer->Copies <= 99 ? answer->Copies : 1;
            r.Collate = 0;
            if (TVDBPrint* vdb = Vdb())
                vdb->SetDevMode(r);
        }
        RunPrinting(run);
        if (run.Cancelled || run.Failed) {
            SetPrinterOrientation(r.Orientation);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        WriteErrorLog("PRINT.開始", e.what());
        return false;
    }
}

bool PrintCurrentPage(TFOLDEF& record, int page, int orientation)
{
    try {
        TFOLDEF& global = FolDef();
        if (&record != &global) {
            global.ColourMode = record.ColourMode;
            global.Copies = 1;
        }
        record.Copies = 1;
        SetPrinterOrientation(orientation);
        PrintRun run;
        run.Record = &record;
        run.FirstPage = page;
        run.MaxPage = DocumentPageCount(record);
        PrintDialogAnswer only;
        only.RangeIsPages = true;
        only.From = page;
        only.To = page;
        run.Range = only;
        RunPrinting(run);
        SetPrinterOrientation(orientation);
        return !run.Cancelled && !run.Failed;
    } catch (const std::exception& e) {
        WriteErrorLog("PRINT.現在のページ", e.what());
        return false;
    }
}

}  // namespace fol
