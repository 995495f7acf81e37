// SPDX-License-Identifier: MIT
// Drawing rules that keep every picture easy to read at its real size, one image pixel on one
// screen pixel, checked on the rendered pixels:
// - the separate parts of a figure (its line set, each copy of each element) stay at least 2 px
//   apart and 2 px from every letter and question mark; every part stands 5 px off its cell
//   frame, grid or sector lines (4 clear pixels between), so that a mark near a side still
//   reads as inside the cell;
// - letters and question marks stay 2 px from every frame;
// - sizes that keep the rule readable: an arrow, flag, hook, triangle or half disc standing alone
//   spans at least 18 px, as one of several copies at least 8 px; every part spans at least
//   5 px and every copy of a counted mark 6 px; an empty triangle or half disc at least 12 px, so
//   that its hole shows; a hatched part at least 16 px across with at least 30 pixels of
//   hatching inside, so that it reads as hatched;
// - a figure whose orientation changes within a puzzle and that stands at an eighth turn spans
//   at least 24 px and has arms of at least 2:1, or which way it points is guesswork;
// - the sizes of one shape that a puzzle tells apart differ by 40 % and 6 px at the least;
// - a picture stretched into its box keeps every stroke's width.
#pragma once

#include "bitmap.h"
#include "puzzle.h"
#include "render.h"

#include <string>
#include <vector>

namespace fig {

constexpr int kMinGap = 2;
constexpr int kMinFrameGap = 4;
constexpr int kMinCopySize = 6;
constexpr int kMinTurnedSize = 24;
constexpr int kMinSizeStep = 6;
constexpr double kMinSizeRatio = 1.4;
constexpr int kMinOrientedSize = 18;
constexpr int kMinOrientedCopySize = 8;
constexpr int kMinPartSize = 5;
constexpr int kMinHollowPointedSize = 12;
constexpr int kMinHatchedSize = 16;
constexpr int kMinHatchPixels = 30;

// Whether a black pixel of `a` lies within `gap` pixels of one of `b`, measured straight from
// centre to centre, so that a slanting line is held to the same gap as an upright one.
bool withinGap(const Bitmap& a, const Bitmap& b, int gap);

// Faults of one drawn part's size, `size` px across at its widest: too small to see, to count or
// to tell which way it points.
std::vector<std::string> partSizeFaults(const Part& part, int size);

// Faults of the question picture or of the options picture of a puzzle, one line each.
std::vector<std::string> drawingFaults(const Puzzle& p, bool options);

// Strokes that come out wider or narrower once `image` is stretched to width x height the way a
// picture box draws it (nearest neighbour).
std::vector<std::string> stretchFaults(const Bitmap& image, int width, int height);

} // namespace fig
