#pragma once
// The arithmetic of the painted push button: gradient rows, caption tops and
// the spread-out ("even") placement of a caption's characters.

#include <vector>

struct TRgb {
    int R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

// The colour of pixel row y of a gradient over a button `height` high:
// begin + y * (end - begin) / (height - 1) per component, in integer
// arithmetic; a button one pixel high takes the begin colour.
TRgb GradientRow(TRgb begin, TRgb end, int y, int height);

struct TCaptionTops {
    int First = 0;   // top of the first line
    int Second = 0;  // top of the second line
};

// Caption tops. Centred: with a second line (secondHasText) the first line's
// top is (height - 2h - lineSpace) / 2, otherwise (height - h) / 2 + 1; an
// empty first line centres the second alone at (height - h2) / 2. Not
// centred: the first line at captionTop, the second lineSpace below it, or
// at captionTop itself when the first line is empty. Divisions truncate
// toward zero.
TCaptionTops CaptionTops(bool vertCenter, int captionTop, int height, int firstHeight, bool firstHasText,
                         int secondHeight, bool secondHasText, int lineSpace);

// Left edges of the characters of an evenly spread caption, drawn from
// `from` to `to` (exclusive end): the spare width is divided over the gaps,
// the remainder adding one pixel to each of the first gaps (or taking one
// from each when negative).
std::vector<int> EvenPositions(const std::vector<int>& charWidths, int from, int to);
