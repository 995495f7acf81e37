// SPDX-License-Identifier: MIT
#include "render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace fig {
namespace {

// Sizes per form: the distance between slot centres and the radius of each size step, for an
// element alone in the centre and for one in a ring slot.
struct Geometry {
    int spacing;
    std::array<int, 4> centreRadius;
    std::array<int, 4> ringRadius;
};

Geometry geometryFor(Form form) {
    switch (form) {
    // The largest figures stand 5 px off the frame; sizes that a puzzle sets side by side must
    // differ by 40 % and 6 px (drawing.h), which not every two neighbouring sizes do.
    case Form::Matrix:
        return {14, {7, 10, 14, 17}, {4, 5, 6, 6}};
    // The hexagon's middle size is the largest that every sector holds; none holds the largest.
    case Form::Hexagon:
        return {8, {5, 7, 14, 16}, {2, 3, 3, 4}};
    case Form::Series:
        return {10, {4, 9, 13, 15}, {3, 4, 5, 6}};
    default: // the option cells of pairs and analogies are smaller
        return {9, {5, 9, 14, 15}, {3, 4, 5, 6}};
    }
}

// Where the copies of an element with a repeat count go, on a 3 x 3 grid like dice pips.
const std::array<std::vector<int>, 10> kPips{{{},
                                              {4},
                                              {2, 6},
                                              {2, 4, 6},
                                              {0, 2, 6, 8},
                                              {0, 2, 4, 6, 8},
                                              {0, 2, 3, 5, 6, 8},
                                              {0, 2, 3, 4, 5, 6, 8},
                                              {0, 1, 2, 3, 5, 6, 7, 8},
                                              {0, 1, 2, 3, 4, 5, 6, 7, 8}}};

struct Vec {
    double x, y;
};

int fillKind(Fill f) {
    switch (f) {
    case Fill::Hollow:
        return Bitmap::NoFill;
    case Fill::Hatched:
        return Bitmap::HatchFill;
    case Fill::Solid:
        return Bitmap::SolidFill;
    }
    return Bitmap::NoFill;
}

class ShapePainter {
public:
    ShapePainter(Bitmap& bmp, const Element& e, Point centre, int radius)
        : m_bmp(bmp), m_e(e), m_c(centre), m_r(radius) {}

    Point at(Vec v) const {
        double x = m_e.mirrored ? -v.x : v.x, y = v.y;
        const double a = m_e.rot * std::numbers::pi / 4;
        const double rx = x * std::cos(a) - y * std::sin(a);
        const double ry = x * std::sin(a) + y * std::cos(a);
        return {m_c.x + int(std::lround(rx * m_r)), m_c.y + int(std::lround(ry * m_r))};
    }

    std::vector<Point> poly(std::initializer_list<Vec> vs) const {
        std::vector<Point> out;
        for (Vec v : vs)
            out.push_back(at(v));
        return out;
    }

    void stroke(Vec a, Vec b) const { m_bmp.line(at(a), at(b), 2); }

    void paint() const {
        const int fill = fillKind(m_e.fill);
        switch (m_e.shape) {
        case Shape::Circle:
            m_bmp.circle(m_c, int(std::lround(0.9 * m_r)), 2, fill);
            break;
        case Shape::Dot:
            m_bmp.circle(m_c, std::max(2, int(std::lround(0.5 * m_r))), 0, Bitmap::SolidFill);
            break;
        case Shape::Square:
            m_bmp.polygon(poly({{-0.75, -0.75}, {0.75, -0.75}, {0.75, 0.75}, {-0.75, 0.75}}), 2,
                          fill);
            break;
        case Shape::Triangle:
            m_bmp.polygon(poly({{0, -0.95}, {0.85, 0.6}, {-0.85, 0.6}}), 2, fill);
            break;
        case Shape::Arrow:
            stroke({0, 0.9}, {0, -0.9});
            stroke({0, -0.9}, {-0.5, -0.35});
            stroke({0, -0.9}, {0.5, -0.35});
            break;
        case Shape::Plus:
            stroke({0, -0.9}, {0, 0.9});
            stroke({-0.9, 0}, {0.9, 0});
            break;
        case Shape::Hook:
            // Corners on whole pixels at the usual sizes, so the straight edges stay straight.
            m_bmp.polygon(
                poly({{-0.6, -0.9}, {0, -0.9}, {0, 0.3}, {0.6, 0.3}, {0.6, 0.9}, {-0.6, 0.9}}), 2,
                fill);
            break;
        case Shape::Flag:
            stroke({-0.5, 0.95}, {-0.5, -0.95});
            m_bmp.polygon(poly({{-0.5, -0.95}, {0.75, -0.5}, {-0.5, -0.05}}), 2, fill);
            break;
        case Shape::HalfDisc: {
            std::vector<Point> pts;
            for (int deg = 180; deg <= 360; deg += 5) {
                const double a = deg * std::numbers::pi / 180;
                pts.push_back(at({0.95 * std::cos(a), 0.35 + 0.95 * std::sin(a)}));
            }
            m_bmp.polygon(pts, 2, fill);
            break;
        }
        }
    }

private:
    Bitmap& m_bmp;
    const Element& m_e;
    Point m_c;
    int m_r;
};

struct Copy {
    Point centre;
    int radius;
};

// Where the copies of an element go, and how big each is.
std::vector<Copy> copiesOf(const Element& e, Point centre, int radius) {
    if (e.count == 1)
        return {{centre, radius}};
    // Copies sit on a 3 x 3 grid, 2 px apart at the least, and small enough to leave the frame
    // 2 px clear.
    const int step = int(std::lround(radius * 0.78));
    const int copyRadius = std::max(3, int(std::lround(radius * 0.24)));
    std::vector<Copy> out;
    for (int pip : kPips[std::size_t(e.count)])
        out.push_back(
            {{centre.x + (pip % 3 - 1) * step, centre.y + (pip / 3 - 1) * step}, copyRadius});
    return out;
}

void questionMark(Bitmap& bmp, Point centre, int magnify) {
    bmp.glyph('?', centre.x - (kGlyphWidth * magnify) / 2, centre.y - (kGlyphHeight * magnify) / 2,
              magnify);
}

struct Slot {
    Point frameAt; // top-left of the frame; the frame is cellSize square
    Point letterAt;
};

constexpr int kSmallCell = 44;
constexpr int kGridCell = 50;

Point hexVertex(int k) {
    const double a = (-90 + 60 * k) * std::numbers::pi / 180;
    return {75 + int(std::lround(72 * std::cos(a))), 75 + int(std::lround(72 * std::sin(a)))};
}

Point hexCentroid(int k) {
    const Point a = hexVertex(k), b = hexVertex(k + 1);
    return {int(std::lround((75 + a.x + b.x) / 3.0)), int(std::lround((75 + a.y + b.y) / 3.0))};
}

Bitmap renderQuestion(const Puzzle& p, int scale, int layers) {
    const Form form = p.definition.form;
    const std::vector<int> missing = missingCells(form);
    auto isMissing = [&](int i) {
        return std::find(missing.begin(), missing.end(), i) != missing.end();
    };
    if (form == Form::Matrix || form == Form::Hexagon) {
        Bitmap bmp(150, 150, scale);
        if (!(layers & Boxes)) {
        } else if (form == Form::Matrix) {
            bmp.frame(0, 0, 150, 150);
            for (int k = 1; k < 3; ++k) {
                bmp.frame(k * kGridCell, 0, 1, 150);
                bmp.frame(0, k * kGridCell, 150, 1);
            }
        } else {
            for (int k = 0; k < 6; ++k) {
                bmp.line(hexVertex(k), hexVertex(k + 1), 1);
                bmp.line({75, 75}, hexVertex(k), 1);
            }
        }
        const std::vector<Point> centres = cellCentres(form);
        for (int i = 0; i < cellCount(form); ++i) {
            const Point c = centres[std::size_t(i)];
            bmp.setHatchOrigin({c.x - kGridCell / 2, c.y - kGridCell / 2});
            if (isMissing(i) && (layers & Labels))
                questionMark(bmp, c, form == Form::Matrix ? 3 : 2);
            else if (!isMissing(i) && (layers & Figures))
                drawFigure(bmp, p.cells[std::size_t(i)], form, c);
        }
        return bmp;
    }
    Bitmap bmp(200, 50, scale);
    const std::vector<Point> centres = cellCentres(form);
    for (int i = 0; i < 4; ++i) {
        const Point c = centres[std::size_t(i)];
        if (layers & Boxes)
            bmp.frame(c.x - kSmallCell / 2, c.y - kSmallCell / 2, kSmallCell, kSmallCell);
        bmp.setHatchOrigin({c.x - kSmallCell / 2, c.y - kSmallCell / 2});
        if (isMissing(i) && (layers & Labels))
            questionMark(bmp, c, 3);
        else if (!isMissing(i) && (layers & Figures))
            drawFigure(bmp, p.cells[std::size_t(i)], form, c);
    }
    return bmp;
}

std::vector<Slot> optionSlots(Form form) {
    switch (form) {
    case Form::Matrix:
    case Form::Hexagon:
        return {{{14, 2}, {4, 23}}, {{80, 2}, {70, 23}}, {{14, 66}, {4, 87}}, {{80, 66}, {70, 87}}};
    case Form::Series: {
        std::vector<Slot> out;
        for (int i = 0; i < 4; ++i)
            out.push_back({{3 + 50 * i, 3}, {3 + 50 * i + kSmallCell / 2 - 2, 52}});
        return out;
    }
    case Form::Pairs: {
        // Five letters and frames fill the 250 columns with 2 px between letter and frame. The
        // picture box of question 29 stretches this image, so the letters, the frame edges and
        // the strokes of the figures sit on columns and rows that the stretch does not double.
        std::vector<Slot> out;
        for (int x : {2, 51, 100, 152, 200})
            out.push_back({{x + 7, 2}, {x, 21}});
        return out;
    }
    case Form::Analogy: {
        std::vector<Slot> out;
        for (int i = 0; i < 4; ++i)
            out.push_back({{50 * i + 7, 4}, {50 * i, 21}});
        return out;
    }
    }
    return {};
}

int optionCellSize(Form form) {
    switch (form) {
    case Form::Matrix:
    case Form::Hexagon:
        return kGridCell;
    case Form::Series:
        return kSmallCell;
    case Form::Pairs:
        return 39;
    case Form::Analogy:
        return 41;
    }
    return kSmallCell;
}

Bitmap renderOptions(const Puzzle& p, int scale, int layers) {
    const Form form = p.definition.form;
    const int w = form == Form::Pairs     ? 250
                  : form == Form::Series  ? 200
                  : form == Form::Analogy ? 200
                                          : 150;
    const int h = form == Form::Series                           ? 80
                  : form == Form::Pairs || form == Form::Analogy ? 50
                                                                 : 150;
    Bitmap bmp(w, h, scale);
    const int cell = optionCellSize(form);
    const std::vector<Slot> slots = optionSlots(form);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Slot& s = slots[i];
        if (layers & Boxes)
            bmp.frame(s.frameAt.x, s.frameAt.y, cell, cell);
        bmp.setHatchOrigin(s.frameAt);
        if (layers & Figures)
            drawFigure(bmp, p.board.options[i], form,
                       {s.frameAt.x + cell / 2, s.frameAt.y + cell / 2});
        if (layers & Labels)
            bmp.glyph(char((form == Form::Series ? 'A' : 'a') + int(i)), s.letterAt.x,
                      s.letterAt.y);
    }
    return bmp;
}

} // namespace

std::vector<Point> cellCentres(Form form) {
    std::vector<Point> out;
    switch (form) {
    case Form::Matrix:
        for (int i = 0; i < 9; ++i)
            out.push_back(
                {(i % 3) * kGridCell + kGridCell / 2, (i / 3) * kGridCell + kGridCell / 2});
        break;
    case Form::Hexagon:
        for (int i = 0; i < 6; ++i)
            out.push_back(hexCentroid(i));
        break;
    case Form::Series:
        // A plain series spaces its cells evenly; pairs and analogies group them two by two.
        for (int x : {2, 49, 96, 143})
            out.push_back({x + kSmallCell / 2, 3 + kSmallCell / 2});
        break;
    case Form::Pairs:
    case Form::Analogy:
        for (int x : {2, 48, 100, 146})
            out.push_back({x + kSmallCell / 2, 3 + kSmallCell / 2});
        break;
    }
    return out;
}

std::vector<Point> optionCentres(Form form) {
    std::vector<Point> out;
    const int half = optionCellSize(form) / 2;
    for (const Slot& s : optionSlots(form))
        out.push_back({s.frameAt.x + half, s.frameAt.y + half});
    return out;
}

namespace {

Point slotCentre(Form form, Point centre, int slot) {
    const int spacing = geometryFor(form).spacing;
    return {centre.x + (kSlotCol[std::size_t(slot)] - 1) * spacing,
            centre.y + (kSlotRow[std::size_t(slot)] - 1) * spacing};
}

int radiusOf(Form form, const Element& e) {
    const Geometry g = geometryFor(form);
    return e.slot == kCentre ? g.centreRadius[std::size_t(e.size)]
                             : g.ringRadius[std::size_t(e.size)];
}

// Spokes stop short of the ring, so that a mark in a ring slot stands clear of them and reads as
// lying in its corner rather than beside a spoke.
constexpr double kSpokeReach = 0.7;

void drawLines(Bitmap& bmp, Lines lines, Form form, Point centre) {
    for (int i = 0; i < kRing; ++i) {
        if (lines & spoke(i)) {
            const Point end = slotCentre(form, centre, i);
            bmp.line(centre,
                     {centre.x + int(std::lround((end.x - centre.x) * kSpokeReach)),
                      centre.y + int(std::lround((end.y - centre.y) * kSpokeReach))},
                     2);
        }
        if (lines & rim(i))
            bmp.line(slotCentre(form, centre, i), slotCentre(form, centre, (i + 1) % kRing), 2);
    }
}

} // namespace

void drawFigure(Bitmap& bmp, const Figure& figure, Form form, Point centre) {
    drawLines(bmp, figure.lines, form, centre);
    for (const Element& e : figure.elements)
        for (const Copy& c : copiesOf(e, slotCentre(form, centre, e.slot), radiusOf(form, e)))
            ShapePainter(bmp, e, c.centre, c.radius).paint();
}

std::vector<Part> figureParts(const Figure& figure, Form form, Point centre, int width,
                              int height) {
    std::vector<Part> parts;
    const int cell = form == Form::Matrix || form == Form::Hexagon ? kGridCell : kSmallCell;
    if (figure.lines) {
        parts.push_back({Bitmap(width, height), std::nullopt, false});
        drawLines(parts.back().bitmap, figure.lines, form, centre);
    }
    for (const Element& e : figure.elements)
        for (const Copy& c : copiesOf(e, slotCentre(form, centre, e.slot), radiusOf(form, e))) {
            parts.push_back({Bitmap(width, height), e, e.count > 1});
            parts.back().bitmap.setHatchOrigin({centre.x - cell / 2, centre.y - cell / 2});
            ShapePainter(parts.back().bitmap, e, c.centre, c.radius).paint();
        }
    return parts;
}

Images render(const Puzzle& puzzle, int scale, int layers) {
    return {renderQuestion(puzzle, scale, layers), renderOptions(puzzle, scale, layers)};
}

std::vector<Placed> placedFigures(const Puzzle& p, bool options) {
    const Form form = p.definition.form;
    const std::vector<Figure>& figures = options ? p.board.options : p.board.cells;
    const std::vector<Point> centres = options ? optionCentres(form) : cellCentres(form);
    std::vector<Placed> out;
    for (std::size_t i = 0; i < figures.size(); ++i)
        if (figures[i] != Figure{})
            out.push_back({figures[i], centres[i]});
    return out;
}

Bitmap renderOption(const Figure& figure, Form form, int scale) {
    const int cell = optionCellSize(form);
    Bitmap bmp(cell, cell, scale);
    bmp.frame(0, 0, cell, cell);
    drawFigure(bmp, figure, form, {cell / 2, cell / 2});
    return bmp;
}

} // namespace fig
