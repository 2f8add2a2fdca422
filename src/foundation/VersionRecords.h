#pragma once
// Version numbers as the version tables, the version routines and data
// communication keep them.

#include <cstdint>
#include <string>

// A version as three numbers (the VERSION and ACCVERSION tables' columns).
struct TVersionNumbers {
    std::int32_t MAJOR = 0;
    std::int32_t MINOR1 = 0;
    std::int32_t MINOR2 = 0;
};

// A parsed version text "major.minor1.minor2[.build]"; the version routines
// fill and compare it (the build number never takes part in a comparison).
struct TVersionRec {
    std::int32_t Major = 0;
    std::int32_t Minor1 = 0;
    std::int32_t Minor2 = 0;
    std::int32_t Build = 0;
    std::string Text;
};

// A version kept as its text and its numbers, as data communication reads it.
struct TVersionTextRec {
    std::string Text;
    TVersionNumbers Numbers;
};
