// SPDX-License-Identifier: GPL-3.0-or-later
// The 25 figure questions, 9 to 33, in order. Difficulty rises within each group.
#include "catalogue.h"

namespace fig {
namespace {

Element el(Shape s, int slot, int size, int rot = 0, Fill fill = Fill::Hollow, int count = 1,
           bool mirrored = false) {
    return {s, slot, size, rot, fill, count, mirrored};
}

Figure one(Element e) {
    return figureOf({e});
}

Rule chain(Transform t) {
    return {Rule::Chain, std::move(t), {}, {}};
}
Rule interleave(Transform t) {
    return {Rule::Interleave, std::move(t), {}, {}};
}
Rule accelerate(Transform t) {
    return {Rule::Accelerate, std::move(t), {}, {}};
}
Rule relation(Transform t) {
    return {Rule::Relation, std::move(t), {}, {}};
}
Rule combine(const std::string& opName) {
    for (const BinaryOp& op : binaryOps())
        if (op.name == opName)
            return {Rule::Combine, identity(), op, {}};
    return {};
}
Rule latin(std::vector<LatinAttribute> attrs) {
    return {Rule::Latin, identity(), {}, std::move(attrs)};
}

Plan cross(Transform a, Transform b) {
    return {Plan::Cross, {std::move(a), std::move(b)}, {}};
}
Plan spread(Transform a, Transform b, Transform c) {
    return {Plan::Spread, {std::move(a), std::move(b), std::move(c)}, {}};
}
Plan decoys(std::vector<Transform> changes, std::vector<int> sources) {
    return {Plan::Decoys, std::move(changes), std::move(sources)};
}

Transform both(Transform a, Transform b) {
    return then(a, b);
}

constexpr int S = int(Shape::Square), C = int(Shape::Circle), T = int(Shape::Triangle);
constexpr int Ho = int(Fill::Hollow), Ha = int(Fill::Hatched), So = int(Fill::Solid);

std::vector<Definition> makeCatalogue() {
    using enum Shape;
    using enum Fill;
    std::vector<Definition> d;

    // ---- 3 x 3 matrices ----
    d.push_back({9,
                 Form::Matrix,
                 "b",
                 {one(el(Arrow, kCentre, 3, 0)), one(el(Arrow, kCentre, 3, 2)),
                  one(el(Arrow, kCentre, 3, 4))},
                 chain(spin(1)),
                 spread(spin(2), spin(4), spin(6)),
                 "In every row the arrow turns an eighth clockwise: the last one points left."});
    d.push_back(
        {10,
         Form::Matrix,
         "d",
         {one(el(Circle, kCentre, 2))},
         latin({{Attribute::Shape, {C, S, T}, 1, 1}, {Attribute::Fill, {Ho, Ha, So}, 1, 0}}),
         cross(swapShapes(Square, Circle), setFill(Hatched)),
         "Each row holds a circle, a square and a triangle, all with the row's fill: a solid "
         "square."});
    d.push_back(
        {11,
         Form::Matrix,
         "c",
         {linesOf(rim(0) | rim(1) | spoke(5)), linesOf(rim(0) | rim(7) | spoke(3)),
          linesOf(spoke(1) | spoke(5)), linesOf(spoke(3) | spoke(7) | spoke(1)),
          linesOf(rim(4) | rim(5) | spoke(1)), linesOf(rim(4) | rim(5) | spoke(3) | spoke(7))},
         combine("xor"),
         cross(toggle(linesOf(Lines(spoke(3) | spoke(7))), "drop the bar"),
               toggle(linesOf(Lines(rim(4) | rim(5))), "keep the shared edge")),
         "The third cell of a row shows the lines of the first two, where lines drawn in both "
         "cancel out."});
    d.push_back(
        {12,
         Form::Matrix,
         "a",
         {one(el(Circle, kCentre, 3, 0, Solid, 2)), one(el(Circle, kCentre, 3, 0, Solid, 2)),
          one(el(Square, kCentre, 3, 0, Solid, 2)), one(el(Square, kCentre, 3, 0, Solid, 3)),
          one(el(Triangle, kCentre, 3, 0, Solid, 3)), one(el(Triangle, kCentre, 3, 0, Solid, 2))},
         combine("addCounts"),
         cross(countBy(-1), swapShapes(Triangle, Square)),
         "In each row the third cell holds as many shapes as the first two together: five "
         "triangles."});
    d.push_back(
        {13,
         Form::Matrix,
         "c",
         {one(el(Circle, kCentre, 2))},
         latin({{Attribute::Shape, {C, T, S}, 1, 1}, {Attribute::Fill, {Ho, Ha, So}, 2, 1}}),
         cross(swapShapes(Triangle, Circle), setFill(Solid)),
         "Every row and column holds each shape once and each fill once: a hollow triangle."});
    d.push_back(
        {14,
         Form::Matrix,
         "d",
         {figureOf({el(Circle, 0, 3, 0, Solid), el(Square, 4, 3)}),
          figureOf({el(Circle, 2, 3, 0, Solid), el(Square, 6, 3)}),
          figureOf({el(Circle, 4, 3, 0, Solid), el(Square, 0, 3)})},
         chain(both(onShape(Circle, move(1)), onShape(Square, move(-2)))),
         cross(onShape(Circle, move(1)), onShape(Square, move(-1))),
         "Along a row the black disc steps one place clockwise round the edge and the square "
         "two places anticlockwise."});
    d.push_back(
        {15,
         Form::Hexagon,
         "c",
         {one(el(Circle, kCentre, 3, 0, Solid, 2))},
         chain(both(countBy(1), swapShapes(Circle, Square))),
         cross(countBy(-1), swapShapes(Circle, Square)),
         "Clockwise round the hexagon the count grows by one and discs and squares take turns: "
         "seven squares."});

    // ---- series of four ----
    d.push_back({16,
                 Form::Series,
                 "c",
                 {one(el(Circle, kCentre, 3, 0, Solid, 2))},
                 chain(countBy(1)),
                 cross(countBy(1), setFill(Hollow)),
                 "One more disc each time: five black discs."});
    d.push_back({17,
                 Form::Series,
                 "b",
                 {one(el(Flag, kCentre, 3, 0))},
                 chain(spin(2)),
                 spread(spin(2), spin(4), spin(6)),
                 "The flag turns a quarter clockwise each step: it ends pointing left."});
    d.push_back(
        {18,
         Form::Series,
         "d",
         {one(el(Square, kCentre, 0, 0, Hatched))},
         chain(both(sizeBy(1), fillCycle(1))),
         cross(setFill(Solid), sizeBy(-2)),
         "The square grows each step while its fill runs hatched, black, empty and round to "
         "hatched: a large hatched square."});
    d.push_back({19,
                 Form::Series,
                 "d",
                 {one(el(Hook, kCentre, 3, 0)), one(el(Arrow, kCentre, 3, 0))},
                 interleave(spin(1)),
                 cross(spin(4), swapShapes(Arrow, Hook)),
                 "Hook and arrow take turns, each turning an eighth clockwise when it returns: an "
                 "arrow pointing up-right."});
    d.push_back(
        {20,
         Form::Series,
         "d",
         {one(el(Flag, 0, 3, 0))},
         chain(both(move(1), spin(2))),
         cross(move(-2), spin(4)),
         "The flag steps one place clockwise round the edge and turns a quarter each time."});
    d.push_back({21,
                 Form::Series,
                 "c",
                 {one(el(Hook, kCentre, 3, 0))},
                 accelerate(spin(1)),
                 cross(spin(4), mirror(0)),
                 "The hook turns one eighth, then two, then three: it ends pointing left."});
    d.push_back({22,
                 Form::Series,
                 "c",
                 {figureOf({el(Square, kCentre, 3), el(Circle, kCentre, 0)})},
                 chain(both(onShape(Square, sizeBy(-1)), onShape(Circle, sizeBy(1)))),
                 cross(onShape(Square, sizeBy(3)), onShape(Circle, sizeBy(-3))),
                 "The square shrinks and the circle grows one step at a time: a big circle round a "
                 "small square."});
    d.push_back(
        {23,
         Form::Series,
         "d",
         {one(el(Hook, kCentre, 3, 0, Hatched))},
         chain(both(spin(2), fillCycle(1))),
         cross(mirror(0), setFill(Solid)),
         "The hook turns a quarter each step and its fill runs hatched, black, empty, hatched."});
    d.push_back({24,
                 Form::Series,
                 "b",
                 {one(el(Square, kCentre, 3, 0, Solid, 2))},
                 chain(both(countBy(1), swapShapes(Square, Triangle))),
                 cross(countBy(-1), swapShapes(Triangle, Square)),
                 "Squares and triangles take turns while the count grows by one: five triangles."});
    d.push_back({25,
                 Form::Series,
                 "a",
                 {figureOf({el(Arrow, kCentre, 0, 0), el(Circle, 2, 2, 0, Solid)})},
                 chain(both(onShape(Arrow, spin(1)), onShape(Circle, move(-1)))),
                 cross(onShape(Arrow, spin(4)), onShape(Circle, move(4))),
                 "The arrow turns an eighth clockwise while the disc steps one place anticlockwise "
                 "round the edge."});

    // ---- two pairs, two answers ----
    d.push_back(
        {26,
         Form::Pairs,
         "ad",
         {one(el(Flag, kCentre, 3, 0)), one(el(Hook, kCentre, 3, 0))},
         relation(mirror(0)),
         decoys({spin(2), mirror(1), spin(6)}, {0, 2, 2}),
         "Each figure is followed by its mirror image: the left-facing flag and the mirrored "
         "hook."});
    d.push_back(
        {27,
         Form::Pairs,
         "bc",
         {one(el(Circle, kCentre, 1, 0, Hollow)), one(el(Triangle, kCentre, 1, 0, Solid))},
         relation(both(fillInvert(), sizeBy(1))),
         decoys({sizeBy(1), fillInvert(), sizeBy(2)}, {0, 2, 2}),
         "Each figure grows one size and swaps empty for black: a larger black circle and a "
         "larger empty triangle."});
    d.push_back(
        {28,
         Form::Pairs,
         "ad",
         {one(el(Arrow, kCentre, 3, 0, Hollow, 2)), one(el(Triangle, kCentre, 3, 0, Solid, 3))},
         relation(both(spin(2), countBy(1))),
         decoys({countBy(1), spin(2), both(spin(6), countBy(1))}, {0, 2, 2}),
         "Each figure turns a quarter clockwise and gains one copy: three arrows right, "
         "four triangles right."});
    d.push_back({29,
                 Form::Pairs,
                 "bd",
                 {one(el(Square, 0, 3, 0, Hollow)), one(el(Circle, 5, 3, 0, Hatched))},
                 relation(both(move(2), fillCycle(1))),
                 decoys({move(2), fillCycle(1), both(mirror(1), fillCycle(1))}, {2, 0, 2}),
                 "Each figure moves two places clockwise round the edge and its fill moves on from "
                 "empty to hatched to black."});

    // ---- analogies ----
    d.push_back(
        {30,
         Form::Analogy,
         "d",
         {one(el(Flag, kCentre, 3, 0)), one(el(Hook, kCentre, 3, 0))},
         relation(spin(2)),
         cross(spin(4), mirror(0)),
         "A quarter turn clockwise takes the flag to its partner; the hook turns the same way."});
    d.push_back(
        {31,
         Form::Analogy,
         "c",
         {one(el(Circle, kCentre, 3, 0, Solid)), one(el(Square, kCentre, 3, 0, Hollow))},
         relation(both(fillInvert(), sizeBy(-2))),
         cross(fillInvert(), sizeBy(2)),
         "The big black circle becomes a small empty one, so the big empty square becomes a "
         "small black one."});
    d.push_back({32,
                 Form::Analogy,
                 "b",
                 {figureOf({el(Circle, 0, 3, 0, Solid), el(Triangle, 4, 3, 0)}),
                  figureOf({el(Square, 1, 3, 0, Hatched), el(Arrow, 5, 3, 0)})},
                 relation(turn(1)),
                 cross(onShape(Arrow, spin(4)), onShape(Square, move(-2))),
                 "The whole first cell turns a quarter clockwise; turn the third the same way."});
    d.push_back(
        {33,
         Form::Analogy,
         "c",
         {linesOf(Lines(rim(0) | rim(1) | rim(2) | rim(3) | rim(4) | rim(5) | rim(6) | rim(7))),
          linesOf(Lines(rim(0) | rim(1) | spoke(1) | spoke(5)))},
         relation(toggle(linesOf(Lines(rim(0) | rim(1) | spoke(0) | spoke(4))),
                         "drop top edge, add diagonal")),
         cross(toggle(linesOf(Lines(rim(0) | rim(1))), "keep top edge"),
               toggle(linesOf(Lines(spoke(0) | spoke(4))), "no diagonal")),
         "The top edge goes and a diagonal comes: the T loses its bar and gains the diagonal."});
    return d;
}

} // namespace

const std::vector<Definition>& catalogue() {
    static const std::vector<Definition> definitions = makeCatalogue();
    return definitions;
}

const std::vector<Puzzle>& puzzles() {
    static const std::vector<Puzzle> built = [] {
        std::vector<Puzzle> out;
        for (const Definition& d : catalogue())
            out.push_back(build(d));
        return out;
    }();
    return built;
}

} // namespace fig
