#include "print/QtPrintJobSink.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <filesystem>

namespace fol {
namespace {

// The resolution of PDF output; a real printer reports its own.
constexpr int PdfDpi = 600;

QPageSize PageSizeOf(const PrintJobSetup& s)
{
    const QPageSize::PageSizeId id = QPageSize::id(s.PaperNumber);
    if (id != QPageSize::Custom)
        return QPageSize(id);
    return QPageSize(QSizeF(s.PaperWidthMM, s.PaperHeightMM), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

}  // namespace

QtPrintJobSink::QtPrintJobSink(std::string pdfStem) : stem_(std::move(pdfStem)) {}

QtPrintJobSink::~QtPrintJobSink()
{
    if (active_)
        AbortJob();
}

int QtPrintJobSink::DpiX() const
{
    if (!stem_.empty())
        return PdfDpi;
    QPrinter probe(QPrinter::HighResolution);
    return probe.logicalDpiX();
}

int QtPrintJobSink::DpiY() const
{
    if (!stem_.empty())
        return PdfDpi;
    QPrinter probe(QPrinter::HighResolution);
    return probe.logicalDpiY();
}

bool QtPrintJobSink::BeginJob(const PrintJobSetup& s)
{
    if (active_)
        AbortJob();
    PrintJobRecord job;
    job.Setup = s;
    if (stem_.empty()) {
        const QPrinterInfo info = s.DeviceName.empty()
                                      ? QPrinterInfo::defaultPrinter()
                                      : QPrinterInfo::printerInfo(QString::fromStdString(s.DeviceName));
        if (info.isNull())
            return false;
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setCopyCount(s.Copies);
        printer_->setCollateCopies(s.Collate == 1);
        if (s.Duplex == 1)
            printer_->setDuplex(QPrinter::DuplexNone);
        else if (s.Duplex == 2)
            printer_->setDuplex(QPrinter::DuplexLongSide);
        else if (s.Duplex == 3)
            printer_->setDuplex(QPrinter::DuplexShortSide);
        if (s.ColourMode == 1)
            printer_->setColorMode(QPrinter::GrayScale);
        else if (s.ColourMode == 2)
            printer_->setColorMode(QPrinter::Color);
        printer_->setPageSize(PageSizeOf(s));
        printer_->setPageOrientation(s.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(PdfDpi);
        job.File = stem_ + "-" + std::to_string(jobs_.size() + 1) + ".pdf";
        printer_->setOutputFileName(QString::fromStdString(job.File));
        // A file has no unprintable border of its own: keep the printer's,
        // so the page sits where the printer would put it.
        const double mx = (s.PaperWidthMM - s.PrintableWidthMM) / 2;
        const double my = (s.PaperHeightMM - s.PrintableHeightMM) / 2;
        const QPageLayout layout(PageSizeOf(s), s.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                 s.Orientation == 1 ? QMarginsF(my, mx, my, mx) : QMarginsF(mx, my, mx, my),
                                 QPageLayout::Millimeter);
        printer_->setPageLayout(layout);
    }
    printer_->setDocName(QString::fromStdString(s.Title));
    if (!painter_.begin(printer_.get())) {
        printer_.reset();
        return false;
    }
    job.Sheets = 1;
    jobs_.push_back(job);
    active_ = true;
    return true;
}

bool QtPrintJobSink::NewSheet()
{
    if (!active_ || !printer_->newPage())
        return false;
    ++jobs_.back().Sheets;
    return true;
}

void QtPrintJobSink::EndJob()
{
    if (!active_)
        return;
    active_ = false;
    painter_.end();
    jobs_.back().Ended = true;
    printer_.reset();
}

void QtPrintJobSink::AbortJob()
{
    if (!active_)
        return;
    active_ = false;
    printer_->abort();
    painter_.end();
    jobs_.back().Aborted = true;
    // A PDF file is written as it goes; an aborted job leaves none behind.
    if (!jobs_.back().File.empty()) {
        std::error_code ec;
        std::filesystem::remove(jobs_.back().File, ec);
    }
    printer_.reset();
}

}  // namespace fol
