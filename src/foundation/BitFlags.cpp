#include "foundation/BitFlags.h"

void SetBitFlag(std::int32_t& flags, int bit)
{
    if (bit < 1 || bit > 24)
        return;
    flags = static_cast<std::int32_t>(static_cast<std::uint32_t>(flags) | (1u << (bit - 1)));
}

int GetBitFlag(std::int32_t flags, int bit)
{
    if (bit < 1 || bit > 32)
        return 0;
    return static_cast<int>((static_cast<std::uint32_t>(flags) >> (bit - 1)) & 1u);
}

void MakeIndex16(std::uint16_t& result, std::uint16_t a, std::uint16_t b, std::int32_t c)
{
    const std::uint32_t product = static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(c);
    result = static_cast<std::uint16_t>(b + product);
}
