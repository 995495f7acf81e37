// SPDX-License-Identifier: MIT
#include "drawing.h"

#include "assets.h"
#include "render.h"

#include <QPainter>
#include <algorithm>
#include <map>
#include <set>

namespace fig {

bool withinGap(const Bitmap& a, const Bitmap& b, int reach) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!a.black(x, y))
                continue;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    if (dx * dx + dy * dy > reach * reach)
                        continue;
                    const int bx = x + dx, by = y + dy;
                    if (bx >= 0 && by >= 0 && bx < b.width() && by < b.height() && b.black(bx, by))
                        return true;
                }
        }
    return false;
}

namespace {

int span(const Bitmap& b) {
    int x0 = b.width(), y0 = b.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.black(x, y)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    return x1 < 0 ? 0 : std::max(x1 - x0, y1 - y0) + 1;
}

bool oriented(Shape s) {
    return s == Shape::Arrow || s == Shape::Flag || s == Shape::Hook || s == Shape::Triangle ||
           s == Shape::HalfDisc;
}

// The longest arm of a shape over the arm across it, as render.cpp draws it: the arrow's shaft
// against its head, the flag's pole against its cloth, the hook's stem against its foot.
double armRatio(Shape s) {
    switch (s) {
    case Shape::Arrow:
        return 1.8 / 0.7;
    case Shape::Flag:
        return 1.9 / 1.25;
    case Shape::Hook:
        return 1.8 / 1.2;
    case Shape::HalfDisc:
        return 1.9 / 0.95;
    default:
        return 1.0;
    }
}

// Whether an element's orientation differs somewhere in the puzzle: then it decides the answer.
bool orientationVaries(const Puzzle& p, Shape shape) {
    std::set<int> seen;
    for (const std::vector<Figure>* figures : {&p.cells, &p.board.options})
        for (const Figure& f : *figures)
            for (const Element& e : f.elements)
                if (e.shape == shape)
                    seen.insert(e.rot * 2 + int(e.mirrored));
    return seen.size() > 1;
}

// Sizes of one shape that the eye must tell apart: per shape, and for copies apart from single
// figures, the spans of each size value in the question and the options.
std::vector<std::string> sizeClassFaults(const Puzzle& p) {
    std::map<std::pair<Shape, bool>, std::map<int, int>> spans;
    for (bool options : {false, true})
        for (const Placed& placed : placedFigures(p, options)) {
            const std::vector<Part> parts =
                figureParts(placed.figure, p.definition.form, placed.centre, 260, 160);
            for (const Part& part : parts)
                if (part.element) {
                    int& s = spans[{part.element->shape, part.copy}][part.element->size];
                    s = std::max(s, span(part.bitmap));
                }
        }
    std::vector<std::string> faults;
    for (const auto& [kind, bySize] : spans) {
        std::vector<int> sorted;
        for (const auto& [size, px] : bySize)
            sorted.push_back(px);
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i + 1 < sorted.size(); ++i)
            if (sorted[i + 1] < sorted[i] * kMinSizeRatio ||
                sorted[i + 1] - sorted[i] < kMinSizeStep)
                faults.push_back(std::string(shapeName(kind.first)) +
                                 (kind.second ? " copies" : "") + ": sizes of " +
                                 std::to_string(sorted[i]) + " and " +
                                 std::to_string(sorted[i + 1]) + " px are hard to tell apart");
    }
    return faults;
}

// Where each column (or row) of a stretched picture comes from.
std::vector<int> sourceOf(int from, int to, bool columns) {
    QImage coded(columns ? from : 1, columns ? 1 : from, QImage::Format_RGB32);
    for (int i = 0; i < from; ++i)
        coded.setPixel(columns ? i : 0, columns ? 0 : i, QRgb(0xff000000u | unsigned(i)));
    QImage out(columns ? to : 1, columns ? 1 : to, QImage::Format_RGB32);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(out.rect(), coded);
    painter.end();
    std::vector<int> map;
    for (int i = 0; i < to; ++i)
        map.push_back(int(out.pixel(columns ? i : 0, columns ? 0 : i) & 0xffffffu));
    return map;
}

} // namespace

std::vector<std::string> partSizeFaults(const Part& part, int size) {
    std::vector<std::string> faults;
    if (size < kMinPartSize)
        faults.push_back("a part only " + std::to_string(size) + " px across");
    if (!part.element)
        return faults;
    const Shape shape = part.element->shape;
    if (part.copy && size < kMinCopySize)
        faults.push_back("a counted mark only " + std::to_string(size) + " px across");
    if (oriented(shape) && size < (part.copy ? kMinOrientedCopySize : kMinOrientedSize))
        faults.push_back(std::string(shapeName(shape)) + " only " + std::to_string(size) +
                         " px across");
    const bool pointed = shape == Shape::Triangle || shape == Shape::HalfDisc;
    if (pointed && part.element->fill == Fill::Hollow && size < kMinHollowPointedSize)
        faults.push_back(std::string("an empty ") + shapeName(shape) + " only " +
                         std::to_string(size) + " px across");
    return faults;
}

std::vector<std::string> drawingFaults(const Puzzle& p, bool options) {
    const std::string where = options ? "options: " : "question: ";
    const Images boxes = render(p, 1, Boxes), labels = render(p, 1, Labels);
    const Bitmap& frame = options ? boxes.options : boxes.question;
    const Bitmap& label = options ? labels.options : labels.question;
    std::vector<std::string> faults;
    if (withinGap(label, frame, kMinGap))
        faults.push_back(where + "a letter or question mark within 2 px of a frame");
    int index = 0;
    for (const Placed& placed : placedFigures(p, options)) {
        const std::string cell = where + "figure " + std::to_string(++index) + ": ";
        const std::vector<Part> parts = figureParts(placed.figure, p.definition.form, placed.centre,
                                                    frame.width(), frame.height());
        // The same figure with nothing hatched, to count what the hatching adds.
        Figure empty = placed.figure;
        for (Element& e : empty.elements)
            if (e.fill == Fill::Hatched)
                e.fill = Fill::Hollow;
        const std::vector<Part> emptyParts =
            figureParts(empty, p.definition.form, placed.centre, frame.width(), frame.height());
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Part& part = parts[i];
            const int size = span(part.bitmap);
            if (withinGap(part.bitmap, frame, kMinFrameGap))
                faults.push_back(cell + "touches or crosses a boundary, or comes within 5 px");
            if (withinGap(part.bitmap, label, kMinGap))
                faults.push_back(cell + "touches a letter");
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                if (withinGap(part.bitmap, parts[j].bitmap, kMinGap))
                    faults.push_back(cell + "parts " + std::to_string(i) + " and " +
                                     std::to_string(j) + " closer than 2 px");
            for (const std::string& f : partSizeFaults(part, size))
                faults.push_back(cell + f);
            if (!part.element)
                continue;
            if (oriented(part.element->shape) && part.element->rot % 2 == 1 &&
                orientationVaries(p, part.element->shape) &&
                (part.copy || size < kMinTurnedSize || armRatio(part.element->shape) < 2.0))
                faults.push_back(cell + shapeName(part.element->shape) + " at an eighth turn, " +
                                 std::to_string(size) + " px, arms " +
                                 std::to_string(armRatio(part.element->shape)).substr(0, 4) + ":1");
            if (part.element->fill == Fill::Hatched &&
                (size < kMinHatchedSize ||
                 part.bitmap.blackCount() - emptyParts[i].bitmap.blackCount() < kMinHatchPixels))
                faults.push_back(cell + "hatching hard to see on a part " + std::to_string(size) +
                                 " px across");
        }
    }
    if (options)
        for (const std::string& f : sizeClassFaults(p))
            faults.push_back(where + f);
    return faults;
}

std::vector<std::string> stretchFaults(const Bitmap& image, int width, int height) {
    const QImage source = toImage(image);
    QImage stretched(width, height, QImage::Format_RGB32);
    QPainter painter(&stretched);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(stretched.rect(), source);
    painter.end();
    const std::vector<int> cols = sourceOf(image.width(), width, true);
    const std::vector<int> rows = sourceOf(image.height(), height, false);
    auto black = [&](int x, int y) { return qRed(stretched.pixel(x, y)) < 128; };

    // A run of one or two black pixels across a stroke must keep its length.
    std::vector<std::string> faults;
    auto check = [&](bool across, int fixed, int length, const std::vector<int>& map) {
        int start = -1;
        for (int i = 0; i <= length; ++i) {
            const bool b = i < length && (across ? black(i, fixed) : black(fixed, i));
            if (b && start < 0)
                start = i;
            if (!b && start >= 0) {
                const int stretchedRun = i - start;
                const int sourceRun = map[std::size_t(i - 1)] - map[std::size_t(start)] + 1;
                if (sourceRun <= 2 && stretchedRun != sourceRun)
                    faults.push_back(std::string(across ? "row " : "column ") +
                                     std::to_string(fixed) + ": a " + std::to_string(sourceRun) +
                                     " px stroke at " + std::to_string(map[std::size_t(start)]) +
                                     " comes out " + std::to_string(stretchedRun) + " px");
                start = -1;
            }
        }
    };
    for (int y = 0; y < height; ++y)
        check(true, y, width, cols);
    for (int x = 0; x < width; ++x)
        check(false, x, height, rows);
    return faults;
}

} // namespace fig
