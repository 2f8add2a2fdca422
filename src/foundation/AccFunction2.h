#pragma once
// Small helpers of the screens that need no window: the grey of a colour
// for black-and-white printing, and the lookup of a "name=value" line.

#include <cstdint>
#include <string>
#include <string_view>

// Colours are Windows colour integers: red in the low byte, then green and
// blue. White and black come back unchanged; any other colour becomes the
// grey of the mean of its three parts, rounded to the nearest integer.
std::int32_t GetGrayColor(std::int32_t colour);

// The whole first line of text (lines end at CR LF, LF or CR) whose part
// before the first "=" equals name exactly, e.g. "SyoriType=3" for
// "SyoriType". Empty when text or name is empty or no line has the name.
std::string GetNameValue(std::string_view text, std::string_view name);
