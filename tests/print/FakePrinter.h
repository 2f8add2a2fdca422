#pragma once
// A printer backend of the tests' own, so the engine can be driven without
// a printer of the machine.

#include "print/VDBPrint.h"

#include <stdexcept>
#include <vector>

namespace fol {

// A printer of the test's own: its paper list, printable area and device
// mode, and a switch that makes every device access fail.
struct FakePrinter {
    bool Present = true;
    bool Broken = false;
    DeviceMode Mode;
    std::vector<PrinterPaper> Papers;
    double PrintableWidth = 200;
    double PrintableHeight = 287;
    int Writes = 0;
};

class FakeBackend final : public PrinterBackend {
public:
    explicit FakeBackend(FakePrinter& printer) : p_(printer) {}
    bool HasDefaultPrinter() const override { return p_.Present; }
    void SelectDefaultPrinter() override { Check(); }
    int CurrentPrinterIndex() const override { return 2; }
    DeviceMode ReadDeviceMode() const override
    {
        Check();
        return p_.Mode;
    }
    void WriteDeviceMode(const DeviceMode& mode) override
    {
        Check();
        p_.Mode = mode;
        ++p_.Writes;
    }
    std::vector<PrinterPaper> Papers() const override
    {
        Check();
        return p_.Papers;
    }
    double PrintableWidthMM() const override { return p_.PrintableWidth; }
    double PrintableHeightMM() const override { return p_.PrintableHeight; }

private:
    void Check() const
    {
        if (p_.Broken)
            throw std::runtime_error("device lost");
    }
    FakePrinter& p_;
};

}  // namespace fol
