#pragma once
// Where printed sheets go. The printing path ends a job and begins a new one
// when the paper turns, when a page carries a message for the operator and
// between collated copies; a sink turns each job into whatever the platform
// prints (a spooled job, or a PDF file), so one document may become several
// jobs.
//
// A job that fails to begin is a failure of the print: BeginJob returns
// false and the path stops without calling anything else of the job.

#include <QPainter>

#include <string>

namespace fol {

struct PrintJobSetup {
    std::string Title;
    std::string DeviceName;  // empty: the sink's own printer
    int PaperNumber = 9;
    double PaperWidthMM = 210;  // portrait
    double PaperHeightMM = 297;
    double PrintableWidthMM = 210;  // portrait
    double PrintableHeightMM = 297;
    int Orientation = 0;  // 0 portrait, 1 landscape
    int Copies = 1;       // copies the printer makes itself
    int Collate = 0;
    int Duplex = 0;
    int ColourMode = 0;
};

class PrintJobSink {
public:
    virtual ~PrintJobSink() = default;
    // The device's dots per inch, horizontally and vertically.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // Begins a job; its first sheet is ready to draw on. The painter's origin
    // is the top left corner of the printable area.
    virtual bool BeginJob(const PrintJobSetup& setup) = 0;
    virtual QPainter& Painter() = 0;
    virtual bool NewSheet() = 0;
    virtual void EndJob() = 0;
    // Throws the job away.
    virtual void AbortJob() = 0;
};

}  // namespace fol
