#pragma once
// The registry of this system, with the calls of a Delphi TRegistry.
//
// Store
//   Each hive is one ini file (see IniFile.h) in folders::RegistryDir():
//   "HKEY_LOCAL_MACHINE.ini" and "HKEY_CURRENT_USER.ini". A key is a section
//   named by its path from the hive, without leading or trailing "\" and
//   with single "\" between names ("SOFTWARE\NORVEL\LEDRIXZAIMU15"); a value
//   is an entry of that section. Key and value names compare
//   case-insensitively for ASCII letters, as the registry compares them.
//   A key exists when its section exists or when any key below it does.
//
//   Values carry their type in the text, so a string can never be taken for
//   a number:
//     Name=sz:"text"        a string (the quotes keep surrounding blanks)
//     Name=dword:<decimal>  a 32-bit integer, e.g. dword:1 or dword:-5
//   Any other text is a value of unknown type, which ReadString and
//   ReadInteger refuse.
//
// Differences from the Windows registry, all refused with RegistryError
// rather than stored wrongly: key names holding "]", a line break or NUL, or
// beginning or ending with a blank; value names that are empty (the default
// value), hold "=", a line break or NUL, begin with ";" or "[" or begin or
// end with a blank; string values holding a line break or NUL; values at the
// root of a hive. Only string and 32-bit integer values exist.
//
// The folder of the hives is created on the first write; a missing folder
// or hive reads as an empty registry. Every write goes through IniFile, so
// it is atomic and safe against other processes writing the same hive.

#include "platform/IniFile.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

enum class RootKey { HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER };

enum class RegDataType { rdUnknown, rdString, rdInteger };

// Raised as Delphi raises ERegistryException: a value read that is missing
// or of another type, a write that cannot be done, an unusable name.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Registry final {
public:
    // Reads folders::RegistryDir() once, here.
    explicit Registry(RootKey root = RootKey::HKEY_CURRENT_USER);

    RootKey GetRootKey() const { return root_; }
    // Changing the hive closes the open key.
    void SetRootKey(RootKey root);

    // Path of the open key without leading "\"; empty when none is open.
    const std::string& CurrentPath() const { return current_; }

    // A key beginning with "\" is taken from the hive's root, any other from
    // the open key. Returns false when the key does not exist and may not be
    // created; then the open key stays open. "\" alone opens the root.
    bool OpenKey(const std::string& key, bool canCreate);
    // As OpenKey without creating; every change through this object then
    // fails (writes raise RegistryError, deletions return false) until a key
    // is opened with OpenKey.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();

    bool KeyExists(const std::string& key) const;
    // Values of the open key.
    bool ValueExists(const std::string& name) const;
    RegDataType GetDataType(const std::string& name) const;

    // An absent value reads as empty text (as TRegistry does); a value of
    // another type raises RegistryError.
    std::string ReadString(const std::string& name) const;
    // An absent value or one of another type raises RegistryError.
    std::int32_t ReadInteger(const std::string& name) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, std::int32_t value);

    // False when the value did not exist or the key is read-only.
    bool DeleteValue(const std::string& name);
    // Deletes the key with every key below it; false when it did not exist,
    // is the root, or the object is read-only.
    bool DeleteKey(const std::string& key);

    // Value names of the open key, in stored order.
    std::vector<std::string> GetValueNames() const;
    // Names of the keys directly below the open key (below the root when
    // none is open), each once.
    std::vector<std::string> GetKeyNames() const;
    bool HasSubKeys() const { return !GetKeyNames().empty(); }

private:
    std::string HiveFile() const;
    IniFile Hive() const { return IniFile(HiveFile()); }
    void PrepareWrite(const std::string& name);

    std::string folder_;
    RootKey root_;
    std::string current_;
    bool readOnly_ = false;
};
