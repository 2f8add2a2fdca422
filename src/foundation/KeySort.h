#pragma once
// The ordering of balance rows by a text key.

#include <cstdint>
#include <span>
#include <string>

// One ordering entry of the balance rows: a sort key and a row index.
struct TQSORT {
    std::string Key;
    std::int32_t Value = 0;
};

// Sorts pairs[low..high] by key in place (Hoare partition around the key in
// the middle, recursive; not stable: equal keys may change their order).
// Keys compare by the unsigned bytes of their CP932 form, a key that is the
// start of a longer one sorting first, so "ﾟ" (0xDF) sorts after digits,
// letters and kana. Nothing happens when low >= high. Throws
// std::out_of_range for low < 0 or high beyond the array, and
// cp932::TextEncodingError for a key CP932 cannot hold (the pairs unchanged).
void QuickSortStrInt(std::span<TQSORT> pairs, int low, int high);
