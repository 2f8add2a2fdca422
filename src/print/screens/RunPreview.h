#pragma once
// The preview of a print file: checks its files, prepares the printer from
// the settings record and shows the preview window modally.

#include "print/FolDef.h"

// The window's close code: -1 "前の帳票", 1 "次の帳票", 0 otherwise (also
// when the engine is not ready or a file is missing).
int RunPreview(fol::TFOLDEF& record);
