#pragma once
// The data-selection library's services for the data module: the start-up
// installs them so that closing a company database refreshes its row of the
// data list through the real store.

#include "foundation/DataModule.h"

#include <memory>

class TDataListAccess final : public IDataListAccess {
public:
    std::unique_ptr<IDataListController> CreateDataListController() override;
};

// Installs the store's factory into the data module (which does not own it;
// the object lives as long as the program).
void InstallDataListAccess(TDM& dm);

// Installs every real collaborator the data module reaches: the data-list
// store's factory, the server file operations (the existence test of a
// file on the database server), the per-data information file (also
// behind the take and store of shared data) and the
// operator checks and journal counts that file and the facility list ask
// of the data module. The start-up calls it once, right after creating
// the data module.
void InstallDataModuleServices(TDM& dm);
