#pragma once
// The system database's update catalogue: every update that brings
// "qhaccdef.fdb" from its delivered base to the version this program
// expects, in ascending version order (the last entry is that version).
//
// Registration. The list always holds all eighteen rows with their titles,
// descriptions and backup flags, so that the version the program expects
// and the texts shown for a pending update are right. An entry whose unit
// is built into this program carries its update function (all of them are
// now); an entry without one must never pretend to have run.
// IsUpdateRegistered tells them apart, and whoever runs the list stops
// before the first entry without one.

#include "dbupdate/UpdateUnit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The eighteen rows in version order (titles from EditionFlag and the
// application title where a row says so).
TArrayDbUpdateListRec GetSystemUpdateList();

// True when the entry's unit can run (it has an update function).
bool IsUpdateRegistered(const TDbUpdateListRec& rec);

// The versions of the registered entries, as "%d.%d.%d", in list order.
std::vector<std::string> RegisteredSystemUpdateVersions();

// The code-system importer that update 5.0.0 uses for the editions that
// deliver their own code systems (EditionFlag 1 or 2). An importer writes
// into the system database through the data module's system connection; it
// has that connection from when it is made until it is freed, and leaves the
// data module and the connection as it found them, also after an error.
class ICodeSystemImporter {
public:
    virtual ~ICodeSystemImporter() = default;
    // Imports the definition file into USERCODE row recNo; false (after
    // showing its own message) when the file is refused or cannot be
    // written.
    virtual bool ImportCodeTaikei(const std::string& fileName, std::int32_t recNo) = 0;
};
using TCodeSystemImporterFactory = std::function<std::unique_ptr<ICodeSystemImporter>()>;

// Installs another factory in place of the program's own importer
// (MakeCodeTaikeiImporter, CodeSystemImporter.h), as tests do; an empty one
// puts the program's own back. 5.0.0 always has an importer.
void SetCodeSystemImporterFactory(TCodeSystemImporterFactory factory);
