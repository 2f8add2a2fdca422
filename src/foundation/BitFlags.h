#pragma once
// Bit flags and the 16-bit index arithmetic of the settings records.

#include <cstdint>

// Sets bit (bit − 1) for bit 1 to 24; any other bit number changes nothing.
void SetBitFlag(std::int32_t& flags, int bit);
// Bit (bit − 1) as 0 or 1, for bit 1 to 32; 0 for any other bit number.
int GetBitFlag(std::int32_t flags, int bit);
// result := b + a × c in 16-bit arithmetic (wrapping).
void MakeIndex16(std::uint16_t& result, std::uint16_t a, std::uint16_t b, std::int32_t c);
