#include "foundation/KeySort.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Keys(const std::vector<TQSORT>& pairs)
{
    std::vector<std::string> keys;
    for (const TQSORT& p : pairs)
        keys.push_back(p.Key);
    return keys;
}

TEST(QuickSortStrInt, OrdersByShiftJisBytes)
{
    // Shift-JIS order: 1 (0x31) b (0x62) Ａ (0x82 0x60) あ (0x82 0xA0)
    // ﾟ (0xDF) and a second-level kanji (0xE0 0x40). In UTF-8 the kanji
    // would come before Ａ and ﾟ.
    const std::string kanji = cp932::ToUtf8("\xE0\x40");
    std::vector<TQSORT> pairs = {{"ﾟ", 0}, {kanji, 1}, {"あ", 2}, {"Ａ", 3}, {"b", 4}, {"1", 5}, {"ab", 6}, {"a", 7}};
    QuickSortStrInt(pairs, 0, static_cast<int>(pairs.size()) - 1);
    EXPECT_EQ(Keys(pairs), (std::vector<std::string>{"1", "a", "ab", "b", "Ａ", "あ", "ﾟ", kanji}));
    const std::vector<std::string> keyOf = {"ﾟ", kanji, "あ", "Ａ", "b", "1", "ab", "a"};
    for (const TQSORT& p : pairs)
        EXPECT_EQ(p.Key, keyOf[static_cast<std::size_t>(p.Value)]) << "index moves with its key";
}

TEST(QuickSortStrInt, EqualKeysMayExchangeTheirIndexes)
{
    std::vector<TQSORT> pairs = {{"a", 0}, {"a", 1}};
    QuickSortStrInt(pairs, 0, 1);
    EXPECT_EQ(pairs[0].Value, 1);
    EXPECT_EQ(pairs[1].Value, 0);
}

TEST(QuickSortStrInt, SortsOnlyTheRange)
{
    std::vector<TQSORT> pairs = {{"z", 0}, {"c", 1}, {"b", 2}, {"a", 3}, {"0", 4}};
    QuickSortStrInt(pairs, 1, 3);
    EXPECT_EQ(Keys(pairs), (std::vector<std::string>{"z", "a", "b", "c", "0"}));
    QuickSortStrInt(pairs, 2, 2);
    QuickSortStrInt(pairs, 3, 1);
    EXPECT_EQ(Keys(pairs), (std::vector<std::string>{"z", "a", "b", "c", "0"}));
}

TEST(QuickSortStrInt, SortsManyKeysWithoutLosingAPair)
{
    std::mt19937 random(7);
    const std::vector<std::string> alphabet = {"1", "2", "A", "a", "ｱ", "ﾟ", "あ", "ア", "亜", "腕", "①", " "};
    std::vector<TQSORT> pairs;
    for (int i = 0; i < 700; ++i) {
        std::string key;
        const int length = static_cast<int>(random() % 4);
        for (int k = 0; k < length; ++k)
            key += alphabet[random() % alphabet.size()];
        pairs.push_back({key, i});
    }
    auto expected = pairs;
    QuickSortStrInt(pairs, 0, static_cast<int>(pairs.size()) - 1);

    const auto byBytes = [](const TQSORT& a, const TQSORT& b) {
        const std::string ka = cp932::FromUtf8(a.Key);
        const std::string kb = cp932::FromUtf8(b.Key);
        const auto less = [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); };
        return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(), less);
    };
    EXPECT_TRUE(std::is_sorted(pairs.begin(), pairs.end(), byBytes));
    const auto byValue = [](const TQSORT& a, const TQSORT& b) { return a.Value < b.Value; };
    auto sortedBack = pairs;
    std::sort(sortedBack.begin(), sortedBack.end(), byValue);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sortedBack[i].Value, expected[i].Value);
        EXPECT_EQ(sortedBack[i].Key, expected[i].Key);
    }
}

TEST(QuickSortStrInt, RejectsABadRangeOrKeyAndLeavesThePairs)
{
    std::vector<TQSORT> pairs = {{"b", 0}, {"a", 1}};
    EXPECT_THROW(QuickSortStrInt(pairs, 0, 2), std::out_of_range);
    EXPECT_THROW(QuickSortStrInt(pairs, -1, 1), std::out_of_range);
    pairs.push_back({"\xF0\x9F\x98\x80", 2});
    EXPECT_THROW(QuickSortStrInt(pairs, 0, 2), cp932::TextEncodingError);
    EXPECT_EQ(pairs[0].Key, "b");
    EXPECT_EQ(pairs[1].Key, "a");
    EXPECT_EQ(pairs[2].Value, 2);
}

}  // namespace
