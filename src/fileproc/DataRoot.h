#pragma once
// The data root of a server routine: the folder of the database it runs
// in, the only place where its paths may lie (see PathConfinement.h).

#include "PathConfinement.h"

#define FB_UDR_STATUS_TYPE ::Firebird::ThrowStatusWrapper
#include <firebird/UdrCppEngine.h>

#include <filesystem>
#include <optional>
#include <string>

namespace fileproc {

struct DataRoot {
    std::filesystem::path root;
    std::filesystem::path database;

    std::optional<std::filesystem::path> Confine(const std::string& path) const { return ConfinedPath(path, root); }
    // A path that may be changed: confined and not the database itself.
    std::optional<std::filesystem::path> ConfineForChange(const std::string& path) const;
};

DataRoot RootOf(Firebird::ThrowStatusWrapper* status, Firebird::IExternalContext* context);

}  // namespace fileproc
