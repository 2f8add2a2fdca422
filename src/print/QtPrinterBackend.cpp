#include "print/QtPrinterBackend.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <stdexcept>

namespace fol {
namespace {

class QtPrinterBackend final : public PrinterBackend {
public:
    bool HasDefaultPrinter() const override { return !QPrinterInfo::defaultPrinter().isNull(); }

    void SelectDefaultPrinter() override
    {
        info_ = QPrinterInfo::defaultPrinter();
        if (info_.isNull())
            throw std::runtime_error("デフォルト プリンタが存在しません");
        QPrinter printer(info_, QPrinter::HighResolution);
        mode_ = DeviceMode{};
        mode_.DeviceName = info_.printerName().toStdString();
        mode_.FormName = info_.defaultPageSize().name().toStdString();
        mode_.PaperSize = info_.defaultPageSize().windowsId();
        mode_.YResolution = printer.resolution();
        mode_.Fields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE | DM_YRESOLUTION;
        selected_ = true;
    }

    int CurrentPrinterIndex() const override
    {
        return static_cast<int>(QPrinterInfo::availablePrinterNames().indexOf(info_.printerName()));
    }

    DeviceMode ReadDeviceMode() const override
    {
        if (!selected_)
            throw std::runtime_error("No printer is selected");
        return mode_;
    }

    void WriteDeviceMode(const DeviceMode& mode) override
    {
        if (!selected_)
            throw std::runtime_error("No printer is selected");
        mode_ = mode;
    }

    std::vector<PrinterPaper> Papers() const override
    {
        std::vector<PrinterPaper> papers;
        for (const QPageSize& size : info_.supportedPageSizes()) {
            const QSizeF mm = size.size(QPageSize::Millimeter);
            papers.push_back({size.windowsId(), size.name().toStdString(),
                              static_cast<int>(std::lround(mm.height() * 10)),
                              static_cast<int>(std::lround(mm.width() * 10))});
        }
        return papers;
    }

    double PrintableWidthMM() const override { return PaintRect().width(); }
    double PrintableHeightMM() const override { return PaintRect().height(); }

private:
    QRectF PaintRect() const
    {
        QPrinter printer(info_, QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::id(mode_.PaperSize)));
        return printer.pageLayout().paintRect(QPageLayout::Millimeter);
    }

    QPrinterInfo info_;
    DeviceMode mode_;
    bool selected_ = false;
};

}  // namespace

std::unique_ptr<PrinterBackend> MakeQtPrinterBackend()
{
    return std::make_unique<QtPrinterBackend>();
}

}  // namespace fol
