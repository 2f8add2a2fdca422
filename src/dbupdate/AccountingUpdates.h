#pragma once
// The accounting-data update catalogue: the updates that bring a company
// database ("qhacc.fdb" of a data folder, version row ACCVERSION REC 1) from
// its delivered 0.1.0 to the version this program expects, in ascending
// version order (the last entry is that version).
//
// Every entry here carries its update function; whoever runs the list (the
// update dialog, the database builder) stops at the first result other
// than 1.

#include "dbupdate/UpdateUnit.h"

#include <string>
#include <vector>

TArrayDbUpdateListRec GetAccountingUpdateList();

// The versions of the list, as "%d.%d.%d", in list order.
std::vector<std::string> RegisteredAccountingUpdateVersions();
