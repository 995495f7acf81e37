// SPDX-License-Identifier: MIT
// The figure model shared by the puzzle definitions, the renderer and the checker.
//
// A cell holds a Figure: a set of Elements (a shape in one of nine slots, with a size, a turn, a
// fill and a repeat count) plus a set of line segments on the cell's 3 x 3 lattice. Figures are
// kept in canonical form, so two figures that draw the same picture compare equal (a turned
// circle is the same circle; a square turned a quarter is the same square).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fig {

enum class Shape : std::uint8_t {
    Circle,
    Square,
    Triangle,
    Arrow,
    Plus,
    Hook,
    Flag,
    HalfDisc,
    Dot
};
enum class Fill : std::uint8_t { Hollow, Hatched, Solid };

// Slots 0..7 run clockwise around the cell from the top-left corner; 8 is the centre.
constexpr int kCentre = 8;
constexpr int kRing = 8;
constexpr int kMaxSize = 3;
constexpr int kMaxCount = 9;
constexpr int kTurns = 8; // an element's turn is counted in eighths, clockwise, 0 = upright
// Where each slot sits on the cell's 3 x 3 grid.
constexpr std::array<int, 9> kSlotCol{0, 1, 2, 2, 2, 1, 0, 0, 1};
constexpr std::array<int, 9> kSlotRow{0, 0, 0, 1, 2, 2, 2, 1, 1};

struct Element {
    Shape shape = Shape::Circle;
    int slot = kCentre;
    int size = 1;
    int rot = 0;
    Fill fill = Fill::Hollow;
    int count = 1;
    bool mirrored = false; // only hooks and flags have a distinct mirror image

    auto operator<=>(const Element&) const = default;
};

// Line bits 0..7 are spokes from the centre to ring point i; bits 8..15 join ring point i to i+1.
using Lines = std::uint16_t;
constexpr int kLineBits = 16;
constexpr Lines spoke(int i) {
    return Lines(1u << (i % kRing));
}
constexpr Lines rim(int i) {
    return Lines(1u << (kRing + i % kRing));
}

struct Figure {
    std::vector<Element> elements;
    Lines lines = 0;

    auto operator<=>(const Figure&) const = default;
};

Element canonical(Element e);
Figure canonical(Figure f);
bool isValid(const Figure& f);

// Builders for the puzzle definitions: they return canonical figures.
Figure figureOf(std::vector<Element> elements, Lines lines = 0);
Figure linesOf(Lines lines);

std::string describe(const Figure& f);

// A figure as named attributes ("e0.fill" -> "solid", "line3" -> "drawn"), elements taken in
// canonical order, and the number of attributes in which two figures differ.
using Features = std::map<std::string, std::string>;
Features featuresOf(const Figure& f);
int attributeDistance(const Figure& a, const Figure& b);
const char* shapeName(Shape s);
const char* fillName(Fill f);

// A transform maps a figure to another, or to nothing where it does not apply (a size beyond the
// largest, a count below one).
struct Transform {
    std::string name;
    std::function<std::optional<Figure>(const Figure&)> apply;
    std::vector<Transform> pieces{}; // the simple changes it is made of; empty when it is one

    std::vector<Transform> simpleChanges() const;

    std::optional<Figure> operator()(const Figure& f) const;
};

Transform identity();
Transform turn(int quarters); // the whole cell, clockwise
Transform spin(int eighths);  // every element about its own centre
Transform mirror(int axis);   // 0 left-right, 1 top-bottom, 2 main diagonal, 3 anti-diagonal
Transform countBy(int delta); // every element's repeat count
Transform sizeBy(int delta);
Transform fillCycle(int steps);                      // hollow -> hatched -> solid -> hollow
Transform fillInvert();                              // hollow <-> solid
Transform move(int steps);                           // ring slots, clockwise
Transform toggle(const Figure& d, std::string name); // adds what is absent, removes what is present
Transform withCopy(const Transform& t); // the figure together with a changed copy of itself
Transform then(const Transform& first, const Transform& second);

// Definition-side transforms that touch only some elements; the checker never uses these.
Transform onShape(Shape s, const Transform& t);
Transform swapShapes(Shape a, Shape b);
Transform setFill(Fill f);

// The transforms that the checker tries, the identity first; it also tries every pair of them.
std::vector<Transform> baseTransforms();

// Operations that combine two figures into a third (overlay rules).
struct BinaryOp {
    std::string name;
    std::function<std::optional<Figure>(const Figure&, const Figure&)> apply;
};
std::vector<BinaryOp> binaryOps();
Figure exclusiveOr(const Figure& a, const Figure& b);

} // namespace fig
