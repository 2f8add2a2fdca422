#pragma once
// The code-system importer update 5.0.0 uses unless another factory is
// installed (SetCodeSystemImporterFactory): the foundation's TCodeTaikeiIO
// on the data module's system connection.

#include "dbupdate/SystemUpdates.h"

#include <memory>

// Makes the importer. Until it is freed, the program's data module exists and
// has the system database connected: a tool without a data module (the
// database builder) gets one for the importer's lifetime, and a connection
// that was closed is opened (SystemDef's host, folder and login) and closed
// again when the importer is freed, also after an error. A data module and a
// connection that were there before stay as they were. A failed connect
// throws its database error.
std::unique_ptr<ICodeSystemImporter> MakeCodeTaikeiImporter();
