// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing rules that keep every picture easy to read, checked on the rendered pixels:
// - the separate parts of a figure (its line set, each copy of each element) stay at least 2 px
//   apart, and 2 px from every cell frame, grid or sector line, letter and question mark, so
//   nothing touches or crosses a boundary;
// - letters and question marks stay 2 px from every frame;
// - sizes that keep the rule readable: an arrow, flag, hook, triangle or half disc standing alone
//   spans at least 18 px, as one of several copies at least 8 px; every part spans at least
//   5 px; an empty triangle or half disc at least 12 px, so that its hole shows; a hatched part
//   at least 16 px across with at least 30 pixels of hatching inside, so that it reads as
//   hatched;
// - a picture stretched into its box keeps every stroke's width.
#pragma once

#include "bitmap.h"
#include "puzzle.h"

#include <string>
#include <vector>

namespace fig {

constexpr int kMinGap = 2;
constexpr int kMinOrientedSize = 18;
constexpr int kMinOrientedCopySize = 8;
constexpr int kMinPartSize = 5;
constexpr int kMinHollowPointedSize = 12;
constexpr int kMinHatchedSize = 16;
constexpr int kMinHatchPixels = 30;

// Faults of the question picture or of the options picture of a puzzle, one line each.
std::vector<std::string> drawingFaults(const Puzzle& p, bool options);

// Strokes that come out wider or narrower once `image` is stretched to width x height the way a
// picture box draws it (nearest neighbour).
std::vector<std::string> stretchFaults(const Bitmap& image, int width, int height);

} // namespace fig
