#pragma once
// Reading one value of the registry store, whatever its kind.

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <variant>

using RegValue = std::variant<std::int32_t, std::string>;

// The value of Name under Key: a string value as text, an integer value as
// an integer; the integer 0 for a missing key or value and for any failure.
// "EnableLUA" is read only where the system version is above 5, as user
// account control does not exist below. Reads never need write access.
void RegReadValue(RootKey root, const std::string& key, const std::string& name, RegValue& value);
