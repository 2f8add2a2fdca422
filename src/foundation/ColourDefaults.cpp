#include "foundation/ColourDefaults.h"

#include "foundation/ProgramGlobals.h"

namespace {

constexpr std::int32_t BuiltInClientColor2 = 14807295;
constexpr std::int32_t BuiltInTotalColor = 9357311;
constexpr std::int32_t BuiltInActiveColor = 2386943;

// Accent colours of editions 1 and 2 (the "BrendalData" edition): RGB(238,
// 255, 242), RGB(200, 255, 214) and RGB(0, 128, 0).
constexpr std::int32_t EditionClientColor2 = 15925230;
constexpr std::int32_t EditionTotalColor = 14090184;
constexpr std::int32_t EditionActiveColor = 32768;

}  // namespace

std::int32_t DefClientColor2 = BuiltInClientColor2;
std::int32_t DefTotalColor = BuiltInTotalColor;
std::int32_t DefActiveColor = BuiltInActiveColor;

void ApplyEditionColors()
{
    const bool edition = EditionFlag == 1 || EditionFlag == 2;
    DefClientColor2 = edition ? EditionClientColor2 : BuiltInClientColor2;
    DefTotalColor = edition ? EditionTotalColor : BuiltInTotalColor;
    DefActiveColor = edition ? EditionActiveColor : BuiltInActiveColor;
}
