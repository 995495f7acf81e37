// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing.h"

#include "assets.h"
#include "render.h"

#include <QPainter>
#include <algorithm>

namespace fig {
namespace {

// Black pixels of `a` within `reach` (in both directions) of a black pixel of `b`.
bool near(const Bitmap& a, const Bitmap& b, int reach) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!a.black(x, y))
                continue;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int bx = x + dx, by = y + dy;
                    if (bx >= 0 && by >= 0 && bx < b.width() && by < b.height() && b.black(bx, by))
                        return true;
                }
        }
    return false;
}

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

std::vector<std::string> drawingFaults(const Puzzle& p, bool options) {
    const std::string where = options ? "options: " : "question: ";
    const Images boxes = render(p, 1, Boxes), labels = render(p, 1, Labels);
    const Bitmap& frame = options ? boxes.options : boxes.question;
    const Bitmap& label = options ? labels.options : labels.question;
    std::vector<std::string> faults;
    if (near(label, frame, kMinGap))
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
            if (near(part.bitmap, frame, kMinGap))
                faults.push_back(cell + "touches or crosses a boundary");
            if (near(part.bitmap, label, kMinGap))
                faults.push_back(cell + "touches a letter");
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                if (near(part.bitmap, parts[j].bitmap, kMinGap))
                    faults.push_back(cell + "parts " + std::to_string(i) + " and " +
                                     std::to_string(j) + " closer than 2 px");
            if (size < kMinPartSize)
                faults.push_back(cell + "a part only " + std::to_string(size) + " px across");
            if (!part.element)
                continue;
            if (oriented(part.element->shape) &&
                size < (part.copy ? kMinOrientedCopySize : kMinOrientedSize))
                faults.push_back(cell + shapeName(part.element->shape) + " only " +
                                 std::to_string(size) + " px across");
            if (part.element->fill == Fill::Hatched &&
                (size < kMinHatchedSize ||
                 part.bitmap.blackCount() - emptyParts[i].bitmap.blackCount() < kMinHatchPixels))
                faults.push_back(cell + "hatching hard to see on a part " + std::to_string(size) +
                                 " px across");
            const bool pointed =
                part.element->shape == Shape::Triangle || part.element->shape == Shape::HalfDisc;
            if (pointed && part.element->fill == Fill::Hollow && size < kMinHollowPointedSize)
                faults.push_back(cell + "an empty " + shapeName(part.element->shape) + " only " +
                                 std::to_string(size) + " px across");
        }
    }
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
