#pragma once
// The default colours of the settings and the edition's accent colours.

#include <cstdint>

// Colours are Windows colour integers: red in the low byte, then green, blue.
// Defaults of a new SYSDEF row.
inline constexpr std::int32_t DefColHeaderColor = 14408667;
inline constexpr std::int32_t DefColHeaderGradColor1 = 16777215;
inline constexpr std::int32_t DefColHeaderGradColor2 = 14408667;
inline constexpr std::int32_t DefClientColor = 16777215;
inline constexpr std::int32_t DefClientColor1 = 16777215;
// The three accent colours (new-row ClientColor2, TotalColor, ActiveColor).
extern std::int32_t DefClientColor2;  // 14807295
extern std::int32_t DefTotalColor;    // 9357311
extern std::int32_t DefActiveColor;   // 2386943

// Puts the three accent colours of the edition in EditionFlag: 15925230,
// 14090184 and 32768 for editions 1 and 2, the built-in ones otherwise.
// Start-up calls it once EditionFlag is known.
void ApplyEditionColors();
