#pragma once
// Engine start and end: what the print engine prepares once, before any
// preview or print: the settings record's defaults, the stand-ins for the
// Windows faces, the installed-face test of the writer, the one TVDBPrint
// with the printer's TrueType option set to download. A failed start leaves
// the engine not ready without a message; every preview and print entry
// then does nothing.

#include "print/VDBPrint.h"

#include <memory>

namespace fol {

// Needs the GUI application object (fonts). Returns whether the engine is
// ready; a system without a printer still starts.
bool StartPrintEngine(std::unique_ptr<PrinterBackend> backend);
void EndPrintEngine();
bool PrintEngineReady();
// The engine's TVDBPrint; nullptr before the start and after the end.
TVDBPrint* Vdb();

}  // namespace fol
