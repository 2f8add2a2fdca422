#pragma once
// Building and saving the intermediate file of one export: the "SYSTEM",
// "BASIC" and "DATA" parts in that order in a new Shift_JIS document, saved
// to the file. A file name without a folder is saved in the documents
// folder.
//
// Nothing is written unless every part was built: an EDataExportError of the
// export, or any failure of the document or of the save, passes on and
// leaves a file of that name as it was.

#include "app/export/ComDataExport.h"

#include <string>

// The file a name is saved to.
std::string RendoFilePath(const std::string& fileName);

void WriteRendoFile(TComDataExport& exporter, const std::string& fileName);
