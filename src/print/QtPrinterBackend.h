#pragma once
// The printer backend over Qt's print support: the system's default printer
// as CUPS reports it. Linux has no device mode, so the device mode lives in
// this object, filled from the printer's defaults when the printer is
// selected and handed to the print job by the printing path.

#include "print/VDBPrint.h"

#include <memory>

namespace fol {

std::unique_ptr<PrinterBackend> MakeQtPrinterBackend();

}  // namespace fol
