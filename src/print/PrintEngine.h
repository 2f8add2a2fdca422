#pragma once
// Engine start and end: what the print engine prepares once, before any
// preview or print: the settings record's defaults, the font-name lists, the
// stand-ins for the Windows faces, the installed-face test of the writer, the
// one TVDBPrint with the printer's TrueType option set to download. A failed
// start leaves the engine not ready without a message; every preview and
// print entry then does nothing and answers 0. A program with screens starts
// it through StartScreenPrintEngine, which also sets the hint window.

#include "print/VDBPrint.h"

#include <memory>

namespace fol {

// Needs the GUI application object (fonts): without it the start fails.
// Returns whether the engine is ready; a system without a printer still
// starts. A second start replaces the first.
bool StartPrintEngine(std::unique_ptr<PrinterBackend> backend);
void EndPrintEngine();
bool PrintEngineReady();
// The engine's TVDBPrint; nullptr before the start and after the end.
TVDBPrint* Vdb();

}  // namespace fol
