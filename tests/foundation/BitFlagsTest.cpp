#include "foundation/BitFlags.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(BitFlags, SetAndGet)
{
    std::int32_t flags = 0;
    SetBitFlag(flags, 1);
    SetBitFlag(flags, 24);
    EXPECT_EQ(flags, 0x00800001);
    for (const int bit : {0, 25, 32, -1})
        SetBitFlag(flags, bit);
    EXPECT_EQ(flags, 0x00800001);

    EXPECT_EQ(GetBitFlag(flags, 1), 1);
    EXPECT_EQ(GetBitFlag(flags, 2), 0);
    EXPECT_EQ(GetBitFlag(flags, 24), 1);
    const std::int32_t top = std::numeric_limits<std::int32_t>::min();  // bit 32 only
    EXPECT_EQ(GetBitFlag(top, 32), 1);
    EXPECT_EQ(GetBitFlag(top, 31), 0);
    EXPECT_EQ(GetBitFlag(-1, 0), 0);
    EXPECT_EQ(GetBitFlag(-1, 33), 0);
}

TEST(MakeIndex16, WrapsIn16Bits)
{
    std::uint16_t result = 99;
    MakeIndex16(result, 2, 3, 10);
    EXPECT_EQ(result, 23);
    MakeIndex16(result, 300, 0, 300);  // 90000
    EXPECT_EQ(result, 90000 - 65536);
    MakeIndex16(result, 1, 5, -1);
    EXPECT_EQ(result, 4);
}

}  // namespace
