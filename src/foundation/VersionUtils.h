#pragma once
// Version numbers of programs and databases: "major.minor1.minor2", written
// with "%d.%d.%d", sometimes followed by a build number.
//
// Two versions compare by one unsigned 32-bit key, major × 65536 +
// minor1 × 256 + minor2, the way every stored version has always been
// compared. Each minor part therefore counts as below 256: 2.256.0 has the
// key of 3.0.0. The versions of this system stay below that; the key is kept
// as it is so that gates agree with the accounting package's own checks.
// The build number never takes part.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/VersionRecords.h"

// Reads a version text into the record. Every number starts at 0; the text
// is cut at every "." and the first four parts become Major, Minor1, Minor2
// and Build, each 0 when it is not a whole number (blanks around a number
// are allowed); further parts are ignored. Text becomes the given text.
// Never fails: "11.0" reads 11.0.0, "abc" reads 0.0.0.
void ParseVersion(std::string_view text, TVersionRec& version);

// The comparison key of a parsed version (wraps for out-of-range parts,
// negative ones included, exactly as the unsigned arithmetic does).
std::uint32_t VersionKey(const TVersionRec& version);
std::uint32_t VersionKey(const TVersionNumbers& version);

// Version a is higher than version b (texts read by ParseVersion).
bool VersionGreater(std::string_view a, std::string_view b);
// Version a is not lower than version b.
bool VersionAtLeast(std::string_view a, std::string_view b);

// The three numbers written "%d.%d.%d".
std::string VersionToText(std::int32_t major, std::int32_t minor1, std::int32_t minor2);
std::string VersionToText(const TVersionNumbers& version);
