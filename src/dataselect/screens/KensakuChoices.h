#pragma once
// The choices of the search-conditions dialog, read where the dialog opens:
// the operators of the logged-on group and the product editions a data
// version can be labelled with. Both lists start with the "none" entry
// "選択なし" (operator code 0, edition 0.0).

#include <cstdint>
#include <string>
#include <vector>

struct TKensakuOperator {
    std::int32_t Code = 0;
    std::string Line;  // "%d:%s" of code and name; the label for "none"
};

struct TKensakuEdition {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::string Name;
    // "%d.%d"; empty for 0.0, so that such an entry never matches a version.
    std::string VersionText() const;
};

// Operators with a code of 10 or more, by code, read from the system
// database of the data module; a failed read is reported and leaves the
// list with what was read.
std::vector<TKensakuOperator> ReadKensakuOperators(std::int32_t groupId);

// The fixed early editions (unless the edition is an OEM one), then the
// product versions the installer recorded under the maker's registry key
// whose subkey names carry the product's key word, each major.minor once.
std::vector<TKensakuEdition> ReadKensakuEditions();
