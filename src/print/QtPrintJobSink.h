#pragma once
// The job sink over QPrinter: each job a print run of the system's printer,
// or, given a file stem, a PDF file of its own ("<stem>-<n>.pdf", n counting
// the jobs from 1). The sink keeps a short account of its jobs, which a PDF
// run hands back to whoever asked for it.

#include "print/PrintJobSink.h"

#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace fol {

struct PrintJobRecord {
    std::string File;  // empty for a printer
    PrintJobSetup Setup;
    int Sheets = 0;
    bool Ended = false;
    bool Aborted = false;
};

class QtPrintJobSink final : public PrintJobSink {
public:
    // An empty stem prints on the printer the job names (or the default).
    explicit QtPrintJobSink(std::string pdfStem = {});
    ~QtPrintJobSink() override;
    QtPrintJobSink(const QtPrintJobSink&) = delete;
    QtPrintJobSink& operator=(const QtPrintJobSink&) = delete;

    int DpiX() const override;
    int DpiY() const override;
    bool BeginJob(const PrintJobSetup& setup) override;
    QPainter& Painter() override { return painter_; }
    bool NewSheet() override;
    void EndJob() override;
    void AbortJob() override;

    const std::vector<PrintJobRecord>& Jobs() const { return jobs_; }

private:
    std::string stem_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::vector<PrintJobRecord> jobs_;
    bool active_ = false;
};

}  // namespace fol
