#include "foundation/KeySort.h"

#include "platform/Cp932.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

struct SortEntry {
    std::string Sjis;  // the key's CP932 bytes, what the order is decided on
    TQSORT Pair;
};

// Byte order of unsigned bytes, a prefix first: exactly what
// std::string::compare does with char_traits<char>.
bool KeyLess(const std::string& a, const std::string& b)
{
    return a.compare(b) < 0;
}

// Indexes here count from the start of the sorted range; (low + high) / 2
// picks the same element as it would on the caller's indexes, since moving
// both bounds by the same whole number moves their midpoint with them.
void HoareSort(std::vector<SortEntry>& a, int low, int high)
{
    const std::string pivot = a[static_cast<std::size_t>((low + high) / 2)].Sjis;
    int i = low;
    int j = high;
    do {
        while (KeyLess(a[static_cast<std::size_t>(i)].Sjis, pivot))
            ++i;
        while (KeyLess(pivot, a[static_cast<std::size_t>(j)].Sjis))
            --j;
        if (i <= j) {
            std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j)
        HoareSort(a, low, j);
    if (i < high)
        HoareSort(a, i, high);
}

}  // namespace

void QuickSortStrInt(std::span<TQSORT> pairs, int low, int high)
{
    if (low >= high)
        return;
    if (low < 0 || static_cast<std::size_t>(high) >= pairs.size())
        throw std::out_of_range("QuickSortStrInt: range " + std::to_string(low) + ".." + std::to_string(high) +
                                " outside an array of " + std::to_string(pairs.size()));

    // Keys are converted once, before anything moves, so a key CP932 cannot
    // hold leaves the pairs as they were.
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(high - low + 1));
    for (int k = low; k <= high; ++k)
        entries.push_back({cp932::FromUtf8(pairs[static_cast<std::size_t>(k)].Key), TQSORT{}});
    for (int k = low; k <= high; ++k)
        entries[static_cast<std::size_t>(k - low)].Pair = std::move(pairs[static_cast<std::size_t>(k)]);

    HoareSort(entries, 0, high - low);

    for (int k = low; k <= high; ++k)
        pairs[static_cast<std::size_t>(k)] = std::move(entries[static_cast<std::size_t>(k - low)].Pair);
}
