#pragma once
// Printing a print file with its form: checks the files, prepares the
// printer from the settings record, asks for the page range in the print
// dialog, then prints page by page through the installed job sink while the
// printing dialog shows the page and takes a cancel.
//
// A job that cannot start (no sink, BeginJob refused), a missing form or
// print file, or a cancel make the print a failure: RunPrint returns false.
// Pages are placed by the document's page: the form page and the even-sheet
// shift of a sheet follow the page it shows, also after the job was split
// for a turned paper or a message. Paper is printed at 100 %, whatever zoom
// the record asks of the preview.

#include "print/FolDef.h"

namespace fol {

// The global record when called from the preview. True when printing went
// through.
bool RunPrint(TFOLDEF& record);
// One page without the print dialog, in the given orientation; true when it
// was printed.
bool PrintCurrentPage(TFOLDEF& record, int page, int orientation);

}  // namespace fol
