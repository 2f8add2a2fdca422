#include "app/program/ProgramFirebird.h"

#include "platform/SpecialFolders.h"
#include "platform/db/FirebirdRoot.h"

#include <cstdlib>

std::filesystem::path UseProgramFirebirdRoot()
{
    const char* named = std::getenv("FIREBIRD");
    const std::filesystem::path root = named != nullptr && *named != '\0'
                                           ? std::filesystem::path(named)
                                           : std::filesystem::path(folders::CommonAppData()) / "ledrix" / "firebird";
    db::LayOutFirebirdRoot(root);
    db::UseFirebirdRoot(root);
    return root;
}
