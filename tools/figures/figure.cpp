// SPDX-License-Identifier: MIT
#include "figure.h"

#include <algorithm>
#include <array>
#include <utility>

namespace fig {
namespace {

struct Cell {
    int col, row;
};

constexpr std::array<Cell, 9> kSlotCells{
    {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {1, 1}}};

int slotAt(Cell c) {
    for (int i = 0; i < 9; ++i)
        if (kSlotCells[i].col == c.col && kSlotCells[i].row == c.row)
            return i;
    return kCentre;
}

int wrap(int v, int m) {
    return ((v % m) + m) % m;
}

// A symmetry of the cell's 3 x 3 lattice: where it sends a lattice cell, what it does to a
// direction (in eighths) and whether it flips handedness.
struct Symmetry {
    Cell (*cell)(Cell);
    int (*direction)(int);
    bool flips;
};

const std::array<Symmetry, 5> kSymmetries{{
    {[](Cell c) {
         return Cell{2 - c.row, c.col};
     },
     [](int d) { return d + 2; }, false},
    {[](Cell c) {
         return Cell{2 - c.col, c.row};
     },
     [](int d) { return -d; }, true},
    {[](Cell c) {
         return Cell{c.col, 2 - c.row};
     },
     [](int d) { return 4 - d; }, true},
    {[](Cell c) {
         return Cell{c.row, c.col};
     },
     [](int d) { return 6 - d; }, true},
    {[](Cell c) {
         return Cell{2 - c.row, 2 - c.col};
     },
     [](int d) { return 2 - d; }, true},
}};

int mapSlot(const Symmetry& s, int slot) {
    return slotAt(s.cell(kSlotCells[slot]));
}

Lines mapLines(const Symmetry& s, Lines lines) {
    Lines out = 0;
    for (int i = 0; i < kRing; ++i) {
        if (lines & spoke(i))
            out |= spoke(mapSlot(s, i));
        if (lines & rim(i)) {
            const int a = mapSlot(s, i), b = mapSlot(s, (i + 1) % kRing);
            out |= rim((a + 1) % kRing == b ? a : b);
        }
    }
    return out;
}

Figure applySymmetry(const Symmetry& s, const Figure& f) {
    Figure out;
    out.lines = mapLines(s, f.lines);
    for (Element e : f.elements) {
        e.slot = mapSlot(s, e.slot);
        e.rot = s.direction(e.rot);
        if (s.flips)
            e.mirrored = !e.mirrored;
        out.elements.push_back(e);
    }
    return canonical(out);
}

Transform elementwise(std::string name, std::function<void(Element&)> change) {
    return {std::move(name), [change](const Figure& f) -> std::optional<Figure> {
                Figure out = f;
                for (Element& e : out.elements)
                    change(e);
                if (!isValid(out))
                    return std::nullopt;
                return canonical(out);
            }};
}

std::vector<Element> setOp(const Figure& a, const Figure& b, bool keepOnlyA, bool keepBoth,
                           bool keepOnlyB) {
    std::vector<Element> out;
    for (const Element& e : a.elements) {
        const bool inB = std::find(b.elements.begin(), b.elements.end(), e) != b.elements.end();
        if ((inB && keepBoth) || (!inB && keepOnlyA))
            out.push_back(e);
    }
    for (const Element& e : b.elements) {
        const bool inA = std::find(a.elements.begin(), a.elements.end(), e) != a.elements.end();
        if (!inA && keepOnlyB)
            out.push_back(e);
    }
    return out;
}

} // namespace

Element canonical(Element e) {
    e.rot = wrap(e.rot, kTurns);
    switch (e.shape) {
    case Shape::Dot:
        e.fill = Fill::Solid;
        e.rot = 0;
        e.mirrored = false;
        break;
    case Shape::Circle:
        e.rot = 0;
        e.mirrored = false;
        break;
    case Shape::Plus:
        e.fill = Fill::Hollow;
        [[fallthrough]];
    case Shape::Square:
        e.rot %= 2;
        e.mirrored = false;
        break;
    case Shape::Arrow:
        e.fill = Fill::Hollow;
        e.mirrored = false;
        break;
    case Shape::Triangle:
    case Shape::HalfDisc:
        e.mirrored = false;
        break;
    case Shape::Hook:
    case Shape::Flag:
        break;
    }
    return e;
}

Figure canonical(Figure f) {
    for (Element& e : f.elements)
        e = canonical(e);
    std::sort(f.elements.begin(), f.elements.end());
    f.elements.erase(std::unique(f.elements.begin(), f.elements.end()), f.elements.end());
    return f;
}

bool isValid(const Figure& f) {
    return std::all_of(f.elements.begin(), f.elements.end(), [](const Element& e) {
        return e.size >= 0 && e.size <= kMaxSize && e.count >= 1 && e.count <= kMaxCount &&
               e.slot >= 0 && e.slot <= kCentre;
    });
}

Figure figureOf(std::vector<Element> elements, Lines lines) {
    return canonical(Figure{std::move(elements), lines});
}

Figure linesOf(Lines lines) {
    return Figure{{}, lines};
}

const char* shapeName(Shape s) {
    static constexpr std::array names{"circle", "square", "triangle", "arrow", "plus",
                                      "hook",   "flag",   "halfdisc", "dot"};
    return names[static_cast<int>(s)];
}

const char* fillName(Fill f) {
    static constexpr std::array names{"hollow", "hatched", "solid"};
    return names[static_cast<int>(f)];
}

std::string describe(const Figure& f) {
    std::string out;
    for (const Element& e : f.elements) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(e.count) + 'x' + shapeName(e.shape) + (e.mirrored ? "'" : "") + "@s" +
               std::to_string(e.slot) + "/z" + std::to_string(e.size) + "/r" +
               std::to_string(e.rot) + '/' + fillName(e.fill);
    }
    if (f.lines)
        out += (out.empty() ? "" : " ") + std::string("lines:") + std::to_string(f.lines);
    return out.empty() ? std::string("empty") : out;
}

Features featuresOf(const Figure& f) {
    Features out;
    for (std::size_t i = 0; i < f.elements.size(); ++i) {
        const Element& e = f.elements[i];
        const std::string key = "e" + std::to_string(i);
        out[key + ".shape"] = shapeName(e.shape);
        out[key + ".slot"] = std::to_string(e.slot);
        out[key + ".size"] = std::to_string(e.size);
        out[key + ".turn"] = std::to_string(e.rot);
        out[key + ".fill"] = fillName(e.fill);
        out[key + ".count"] = std::to_string(e.count);
        out[key + ".hand"] = e.mirrored ? "mirrored" : "plain";
    }
    for (int b = 0; b < kLineBits; ++b)
        if (f.lines & (1u << b))
            out["line" + std::to_string(b)] = "drawn";
    return out;
}

int attributeDistance(const Figure& a, const Figure& b) {
    const Features fa = featuresOf(a), fb = featuresOf(b);
    int d = 0;
    for (const auto& [k, v] : fa) {
        const auto it = fb.find(k);
        d += it == fb.end() || it->second != v;
    }
    for (const auto& [k, v] : fb)
        d += fa.find(k) == fa.end();
    return d;
}

std::optional<Figure> Transform::operator()(const Figure& f) const {
    return apply(f);
}

std::vector<Transform> Transform::simpleChanges() const {
    if (pieces.empty())
        return name == "identity" ? std::vector<Transform>{} : std::vector<Transform>{*this};
    return pieces;
}

Transform identity() {
    return {"identity", [](const Figure& f) -> std::optional<Figure> { return f; }, {}};
}

Transform turn(int quarters) {
    const int q = wrap(quarters, 4);
    return {"turn" + std::to_string(q * 90), [q](const Figure& f) -> std::optional<Figure> {
                Figure out = f;
                for (int i = 0; i < q; ++i)
                    out = applySymmetry(kSymmetries[0], out);
                return out;
            }};
}

Transform spin(int eighths) {
    return elementwise("spin" + std::to_string(wrap(eighths, kTurns) * 45),
                       [eighths](Element& e) { e.rot += eighths; });
}

Transform mirror(int axis) {
    static constexpr std::array names{"mirrorLR", "mirrorTB", "mirrorDiag", "mirrorAnti"};
    const Symmetry& s = kSymmetries[1 + axis];
    return {names[axis],
            [&s](const Figure& f) -> std::optional<Figure> { return applySymmetry(s, f); }};
}

Transform countBy(int delta) {
    return elementwise("count" + std::string(delta > 0 ? "+" : "") + std::to_string(delta),
                       [delta](Element& e) { e.count += delta; });
}

Transform sizeBy(int delta) {
    return elementwise("size" + std::string(delta > 0 ? "+" : "") + std::to_string(delta),
                       [delta](Element& e) { e.size += delta; });
}

Transform fillCycle(int steps) {
    return elementwise("fillCycle" + std::to_string(wrap(steps, 3)), [steps](Element& e) {
        e.fill = static_cast<Fill>(wrap(static_cast<int>(e.fill) + steps, 3));
    });
}

Transform fillInvert() {
    return elementwise("fillInvert", [](Element& e) {
        if (e.fill != Fill::Hatched)
            e.fill = e.fill == Fill::Hollow ? Fill::Solid : Fill::Hollow;
    });
}

Transform setFill(Fill f) {
    return elementwise(std::string("fill=") + fillName(f), [f](Element& e) { e.fill = f; });
}

Transform move(int steps) {
    return elementwise("move" + std::to_string(steps), [steps](Element& e) {
        if (e.slot != kCentre)
            e.slot = wrap(e.slot + steps, kRing);
    });
}

Transform toggle(const Figure& d, std::string name) {
    return {std::move(name),
            [d](const Figure& f) -> std::optional<Figure> { return exclusiveOr(f, d); }};
}

Transform withCopy(const Transform& t) {
    return {"with a copy " + t.name, [t](const Figure& f) -> std::optional<Figure> {
                const auto copy = t(f);
                if (!copy)
                    return std::nullopt;
                Figure out = f;
                out.lines |= copy->lines;
                for (const Element& e : copy->elements)
                    out.elements.push_back(e);
                return canonical(out);
            }};
}

Transform then(const Transform& first, const Transform& second) {
    Transform out{first.name + "+" + second.name,
                  [first, second](const Figure& f) {
                      const auto mid = first(f);
                      return mid ? second(*mid) : std::nullopt;
                  },
                  {}};
    for (const Transform* t : {&first, &second})
        for (const Transform& piece : t->simpleChanges())
            out.pieces.push_back(piece);
    return out;
}

Transform onShape(Shape s, const Transform& t) {
    return {std::string(shapeName(s)) + ":" + t.name,
            [s, t](const Figure& f) -> std::optional<Figure> {
                Figure picked, rest;
                rest.lines = f.lines;
                for (const Element& e : f.elements)
                    (e.shape == s ? picked : rest).elements.push_back(e);
                const auto changed = t(picked);
                if (!changed)
                    return std::nullopt;
                for (const Element& e : changed->elements)
                    rest.elements.push_back(e);
                return canonical(rest);
            }};
}

Transform swapShapes(Shape a, Shape b) {
    return elementwise(std::string("swap-") + shapeName(a) + "-" + shapeName(b),
                       [a, b](Element& e) {
                           if (e.shape == a)
                               e.shape = b;
                           else if (e.shape == b)
                               e.shape = a;
                       });
}

std::vector<Transform> baseTransforms() {
    std::vector<Transform> out{identity()};
    for (int q = 1; q < 4; ++q)
        out.push_back(turn(q));
    for (int k = 1; k < kTurns; ++k)
        out.push_back(spin(k));
    for (int axis = 0; axis < 4; ++axis)
        out.push_back(mirror(axis));
    for (int d : {-2, -1, 1, 2}) {
        out.push_back(countBy(d));
        out.push_back(sizeBy(d));
        out.push_back(move(d));
    }
    out.push_back(fillCycle(1));
    out.push_back(fillCycle(2));
    out.push_back(fillInvert());
    for (int q = 1; q < 4; ++q)
        out.push_back(withCopy(turn(q)));
    for (int axis = 0; axis < 4; ++axis)
        out.push_back(withCopy(mirror(axis)));
    return out;
}

Figure exclusiveOr(const Figure& a, const Figure& b) {
    return canonical(Figure{setOp(a, b, true, false, true), Lines(a.lines ^ b.lines)});
}

std::vector<BinaryOp> binaryOps() {
    auto op = [](std::string name, bool onlyA, bool both, bool onlyB,
                 Lines (*lines)(Lines, Lines)) {
        return BinaryOp{
            std::move(name), [=](const Figure& a, const Figure& b) -> std::optional<Figure> {
                return canonical(Figure{setOp(a, b, onlyA, both, onlyB), lines(a.lines, b.lines)});
            }};
    };
    std::vector<BinaryOp> out{
        op("xor", true, false, true, [](Lines a, Lines b) { return Lines(a ^ b); }),
        op("union", true, true, true, [](Lines a, Lines b) { return Lines(a | b); }),
        op("common", false, true, false, [](Lines a, Lines b) { return Lines(a & b); }),
        op("minus", true, false, false, [](Lines a, Lines b) { return Lines(a & ~b); }),
    };
    // Counts add up where the two figures hold the same elements apart from their counts.
    out.push_back({"addCounts", [](const Figure& a, const Figure& b) -> std::optional<Figure> {
                       if (a.elements.size() != b.elements.size() || a.lines != b.lines)
                           return std::nullopt;
                       Figure out = a;
                       for (std::size_t i = 0; i < a.elements.size(); ++i) {
                           Element x = a.elements[i], y = b.elements[i];
                           x.count = y.count = 1;
                           if (x != y)
                               return std::nullopt;
                           out.elements[i].count += b.elements[i].count;
                       }
                       if (!isValid(out))
                           return std::nullopt;
                       return canonical(out);
                   }});
    return out;
}

} // namespace fig
