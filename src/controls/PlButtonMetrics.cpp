#include "controls/PlButtonMetrics.h"

#include <numeric>

TRgb GradientRow(TRgb begin, TRgb end, int y, int height)
{
    if (height <= 1)
        return begin;
    const int d = height - 1;
    return {begin.R + y * (end.R - begin.R) / d, begin.G + y * (end.G - begin.G) / d,
            begin.B + y * (end.B - begin.B) / d};
}

TCaptionTops CaptionTops(bool vertCenter, int captionTop, int height, int firstHeight, bool firstHasText,
                         int secondHeight, bool secondHasText, int lineSpace)
{
    TCaptionTops tops;
    if (vertCenter) {
        tops.First = secondHasText ? (height - 2 * firstHeight - lineSpace) / 2 : (height - firstHeight) / 2 + 1;
        tops.Second = firstHasText ? tops.First + firstHeight + lineSpace : (height - secondHeight) / 2;
    } else {
        tops.First = captionTop;
        tops.Second = firstHasText ? captionTop + firstHeight + lineSpace : captionTop;
    }
    return tops;
}

std::vector<int> EvenPositions(const std::vector<int>& charWidths, int from, int to)
{
    std::vector<int> lefts(charWidths.size());
    if (charWidths.empty())
        return lefts;
    const int gaps = static_cast<int>(charWidths.size()) - 1;
    const int spare = (to - from) - std::accumulate(charWidths.begin(), charWidths.end(), 0);
    const int step = gaps > 0 ? spare / gaps : 0;
    int rest = gaps > 0 ? spare % gaps : 0;
    int x = from;
    for (std::size_t i = 0; i < charWidths.size(); ++i) {
        lefts[i] = x;
        int gap = step;
        if (rest > 0) {
            ++gap;
            --rest;
        } else if (rest < 0) {
            --gap;
            ++rest;
        }
        x += charWidths[i] + gap;
    }
    return lefts;
}
