#pragma once
// The editions of the accounting product by data version: which major.minor
// version of company data belongs to which edition name ("09版", "10版",
// ...), so that lists can label a data set's version the way users know it.
//
// The table comes from three sources, in this order: the fixed early
// editions (only in the standard edition, EditionFlag 0), numbered editions
// from major 4 up to the run-time record's application kind number, and the
// products the installer recorded in the registry (HKEY_LOCAL_MACHINE, the
// maker's key, one subkey per product whose name holds the product key
// word, with the string values "Version" and "Type"). An edition already in
// the table is never added again, so the fixed names win over the
// registry's.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TDataVersionRec {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Revision = 0;  // always 0
    std::string Name;           // edition name
};

struct TComListRec_s {
    const char* Text;
    const char* Name;
};

// Version text and edition name of the early editions.
inline constexpr std::array<TComListRec_s, 3> FixedSeihinVersions{{
    {"1.0.0", "09版"},
    {"2.0.0", "10版"},
    {"3.0.0", "11版"},
}};

class TSeihinVersionList final {
public:
    // Takes the product key word of the running program from the
    // application information; builds nothing yet.
    TSeihinVersionList();

    std::string ProductKey;   // matched against the registry's subkey names
    std::string LeadingName;  // not empty: an entry 0.0 of this name heads the table
    std::vector<TDataVersionRec> Versions;
    std::vector<std::string> Names;  // edition names in row order
    std::int32_t Count = 0;

    // Rebuilds the table; sortFlag 1 sorts it newest first afterwards.
    // A registry store that cannot be read raises RegistryError.
    void BuildSeihinVersionList(int sortFlag);
    // Sorts by (major, minor), ascending for 0 and descending for 1; the
    // leading entry stays in front.
    void SortSeihinVersionList(int descending);

    // The names, each followed by a line break.
    std::string GetSeihinNamesText() const;
    // "%d.%d" of the entry; empty for 0.0 and for an index out of range.
    std::string GetSeihinVersionStr(int index) const;
    // Empty for an index out of range.
    std::string GetSeihinName(int index) const;
    // The first entry named exactly so; -1 when none.
    int IndexOfSeihinName(const std::string& name) const;

private:
    void AddVersion(std::int32_t major, std::int32_t minor, const std::string& name);
    bool HasVersion(std::int32_t major, std::int32_t minor) const;
    void AddRegistryVersions();
};
