// SPDX-License-Identifier: MIT
// Draws puzzles: the question image (cells, "?" where the answer goes) and the option image
// (small figures with their letters), at scale 1 or 2.
#pragma once

#include "bitmap.h"
#include "puzzle.h"

#include <optional>

namespace fig {

struct Images {
    Bitmap question;
    Bitmap options;
};

// What a picture is made of: the cell frames (grid, hexagon), the figures, and the labels (option
// letters and the question marks). Tests draw them apart to measure the gaps between them.
enum Layers { Boxes = 1, Figures = 2, Labels = 4, AllLayers = 7 };

Images render(const Puzzle& puzzle, int scale, int layers = AllLayers);

// One option's cell alone (frame and figure, no letter), for comparing options by their pixels.
Bitmap renderOption(const Figure& figure, Form form, int scale = 1);

// Where render() centres the figure of each cell and of each option, in units of scale 1.
std::vector<Point> cellCentres(Form form);
std::vector<Point> optionCentres(Form form);

void drawFigure(Bitmap& bmp, const Figure& figure, Form form, Point centre);

// The figures of one picture with their centres: the shown cells, or the options.
struct Placed {
    Figure figure;
    Point centre;
};
std::vector<Placed> placedFigures(const Puzzle& p, bool options);

// A figure drawn part by part on canvases of the given size: its line set, then every copy of
// every element, each alone.
struct Part {
    Bitmap bitmap;
    std::optional<Element> element; // none for the line set
    bool copy;                      // one of several copies of its element
};
std::vector<Part> figureParts(const Figure& figure, Form form, Point centre, int width, int height);

} // namespace fig
