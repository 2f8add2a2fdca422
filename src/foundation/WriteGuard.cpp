#include "foundation/WriteGuard.h"

#include "foundation/FileTree.h"
#include "foundation/FolderOps.h"
#include "foundation/RegistryRead.h"
#include "foundation/SystemFolders.h"
#include "foundation/UserMessage.h"

#include <variant>

bool IsUacEnabled()
{
    RegValue value;
    RegReadValue(RootKey::HKEY_LOCAL_MACHINE, UacPolicyKey, UacPolicyValue, value);
    const auto* number = std::get_if<std::int32_t>(&value);
    return number && *number == 1;
}

bool CheckWritableFolder(std::string& folder)
{
    // An empty folder means the current one, which is never the root; a
    // delimiter added to it would make it the root.
    if (folder.empty())
        return true;
    folder = IncludePathDelim(folder);
    if (filetree::Canonical(folder).string() != GetSystemDriveRoot() || !IsUacEnabled())
        return true;
    if (ShowUserMessage(NoWriteAccessMessage, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return false;
    folder = IncludePathDelim(GetMyDocumentsDir());
    return true;
}

bool CheckWritableFile(std::string& fileName)
{
    const auto slash = fileName.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (!CheckWritableFolder(folder))
        return false;
    fileName = folder + name;
    return true;
}
