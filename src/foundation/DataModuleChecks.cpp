#include "foundation/DataModuleChecks.h"

namespace {
IDataModuleChecks* installedChecks = nullptr;
}

void SetDataModuleChecks(IDataModuleChecks* checks)
{
    installedChecks = checks;
}

IDataModuleChecks* DataModuleChecks()
{
    return installedChecks;
}
