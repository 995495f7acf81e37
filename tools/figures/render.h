// SPDX-License-Identifier: GPL-3.0-or-later
// Draws puzzles: the question image (cells, "?" where the answer goes) and the option image
// (small figures with their letters), at scale 1 or 2.
#pragma once

#include "bitmap.h"
#include "puzzle.h"

namespace fig {

struct Images {
    Bitmap question;
    Bitmap options;
};

Images render(const Puzzle& puzzle, int scale);

// One option's cell alone (frame and figure, no letter), for comparing options by their pixels.
Bitmap renderOption(const Figure& figure, Form form, int scale = 1);

// Where render() centres the figure of each cell and of each option, in units of scale 1.
std::vector<Point> cellCentres(Form form);
std::vector<Point> optionCentres(Form form);

void drawFigure(Bitmap& bmp, const Figure& figure, Form form, Point centre);

} // namespace fig
