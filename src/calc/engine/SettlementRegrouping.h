#pragma once
// An individual's settlement lines move between the sales and cost groups
// and the non-operating ones by the account's master record number.

#include <cstdint>
#include <string>

// The group code after the rules of the code type, each rule seeing the
// result of the one before: code type 1 moves "4100" and "6100" above
// record 97 to "7100" and "7200" and "7100" and "7200" below 98 back;
// code type 2 moves "6100" above 63 to "7200" and "7200" below 64 back;
// code type 4 is code type 1 with 78 and 79. Other code types keep the
// group.
std::string RegroupedForIndividual(std::string group, std::int32_t mstrec, std::int32_t codeType);
