// SPDX-License-Identifier: GPL-3.0-or-later
// The 25 figure questions, 9 to 33, in order. Within each group (9-15, 16-25, 26-29, 30-33) the
// items get harder: more rules to find together, more attributes that change, nearer decoys.
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
// A rule with attributes laid out over its cells besides.
Rule with(Rule r, std::vector<LatinAttribute> attrs) {
    r.latin = std::move(attrs);
    return r;
}

Plan cross(Transform a, Transform b) {
    return {Plan::Cross, {std::move(a), std::move(b)}, {}};
}
Plan spread(Transform a, Transform b, Transform c) {
    return {Plan::Spread, {std::move(a), std::move(b), std::move(c)}, {}};
}
Plan twos(Transform a, Transform b, Transform c) {
    return {Plan::Twos, {std::move(a), std::move(b), std::move(c)}, {}};
}
Plan decoys(std::vector<Transform> changes, std::vector<int> sources) {
    return {Plan::Decoys, std::move(changes), std::move(sources)};
}

Transform both(Transform a, Transform b) {
    return then(a, b);
}

Lines rims(std::initializer_list<int> indices) {
    Lines out = 0;
    for (int i : indices)
        out |= rim(i);
    return out;
}

constexpr int S = int(Shape::Square), C = int(Shape::Circle), T = int(Shape::Triangle);
constexpr int Ho = int(Fill::Hollow), Ha = int(Fill::Hatched), So = int(Fill::Solid);

std::vector<Definition> makeCatalogue() {
    using enum Shape;
    using enum Fill;
    std::vector<Definition> d;

    // ---- 3 x 3 matrices and the hexagon ----
    d.push_back({9,
                 Form::Matrix,
                 "b",
                 {{{one(el(Arrow, kCentre, 3, 0)), one(el(Arrow, kCentre, 3, 2)),
                    one(el(Arrow, kCentre, 3, 4))},
                   chain(spin(1))}},
                 spread(spin(1), spin(2), spin(5)),
                 "Along each row the arrow turns an eighth clockwise, each row starting a "
                 "quarter further on: the last arrow points left."});
    d.push_back(
        {10,
         Form::Matrix,
         "d",
         {{{one(el(Circle, 0, 3, 0, Solid)), one(el(Circle, 2, 3, 0, Solid)),
            one(el(Circle, 4, 3, 0, Solid))},
           chain(move(1))},
          {{one(el(Square, 2, 3)), one(el(Square, 4, 3)), one(el(Square, 6, 3))}, chain(move(2))}},
         cross(onShape(Circle, move(1)), onShape(Square, move(1))),
         "Along each row the black disc steps one place clockwise round the edge and the "
         "square two places: disc bottom left, square top right."});
    d.push_back({11,
                 Form::Matrix,
                 "c",
                 {{{one(el(Circle, kCentre, 3, 0, Solid, 2))},
                   latin({{Attribute::Count, {2, 3, 4, 5, 6}, 1, 1},
                          {Attribute::Shape, {T, C, S}, 0, 1}})}},
                 twos(countBy(1), swapShapes(Square, Circle), fillInvert()),
                 "Each cell holds one more shape than the cell to its left or above it, and each "
                 "column has its own shape: six squares."});
    d.push_back(
        {12,
         Form::Matrix,
         "a",
         {{{linesOf(rims({0, 1, 6, 7})), linesOf(rims({2, 3, 6, 7})), linesOf(rims({0, 1, 4, 5})),
            linesOf(rims({4, 5})), linesOf(rims({2, 3, 4, 5})), linesOf(rims({0, 1, 2, 3}))},
           combine("xor")},
          {{one(el(Circle, kCentre, 1))}, latin({{Attribute::Shape, {C, S, T}, 1, 2}})}},
         cross(turn(1), swapShapes(Circle, Square)),
         "The third cell of a row keeps the sides drawn in just one of the first two, "
         "and every row and column holds a circle, a square and a triangle: a circle "
         "between a top and a bottom side."});
    d.push_back({13,
                 Form::Matrix,
                 "c",
                 {{{one(el(Circle, kCentre, 3, 0, Solid))},
                   latin({{Attribute::Count, {3, 2, 5, 2, 2, 4, 2, 4, 6}, 3, 1},
                          {Attribute::Shape, {C, S}, 1, 1},
                          {Attribute::Fill, {Ho, So}, 1, 0}})}},
                 twos(countBy(1), swapShapes(Circle, Square), sizeBy(-1)),
                 "In each row the third cell holds as many shapes as the first two together, "
                 "circles and squares alternate like a chessboard, and the rows are empty, "
                 "black, empty: six empty circles."});
    d.push_back({14,
                 Form::Matrix,
                 "d",
                 {{{one(el(Circle, kCentre, 1))},
                   latin({{Attribute::Shape, {C, S, T}, 1, 1},
                          {Attribute::Fill, {Ho, So, Ha}, 2, 1},
                          {Attribute::Size, {1, 2, 3}, 0, 1}})}},
                 cross(sizeBy(-2), setFill(Solid)),
                 "Shapes and fills each appear once in every row and column, and along each row "
                 "the figure grows: a large empty square."});
    d.push_back({15,
                 Form::Hexagon,
                 "c",
                 {{{one(el(Triangle, kCentre, 3, 0))},
                   latin({{Attribute::Rot, {0, 2, 4, 6}, 1, 0},
                          {Attribute::Shape, {T, int(HalfDisc), int(Flag)}, 1, 0},
                          {Attribute::Fill, {Ho, So}, 1, 0},
                          {Attribute::Size, {3, 2}, 1, 0}})}},
                 cross(spin(2), swapShapes(Flag, Triangle)),
                 "Clockwise round the hexagon the figure turns a quarter, triangle, half disc "
                 "and flag take turns, and so do empty and black, and large and small: a small "
                 "black flag turned a quarter."});

    // ---- series of four ----
    d.push_back({16,
                 Form::Series,
                 "c",
                 {{{one(el(Flag, kCentre, 3, 0))}, chain(spin(3))}},
                 spread(spin(2), spin(4), spin(6)),
                 "The flag turns three eighths clockwise each time: it ends pointing up and to the "
                 "right."});
    d.push_back(
        {17,
         Form::Series,
         "b",
         {{{one(el(Hook, kCentre, 2, 0)), one(el(Arrow, kCentre, 2, 0))}, interleave(spin(1))}},
         spread(spin(-1), spin(3), spin(6)),
         "Hook and arrow take turns, and each turns an eighth clockwise when it comes "
         "back: an arrow pointing up and right."});
    d.push_back(
        {18,
         Form::Series,
         "d",
         {{{figureOf({el(Circle, 1, 2, 0, Solid), el(Square, 6, 2)})},
           chain(both(onShape(Circle, move(2)), onShape(Square, move(1))))}},
         twos(onShape(Circle, move(-1)), onShape(Square, move(1)), onShape(Circle, fillInvert())),
         "The black disc steps two places clockwise round the edge and the square one "
         "place: disc at the middle left, square at the top middle."});
    d.push_back({19,
                 Form::Series,
                 "d",
                 {{{one(el(Hook, kCentre, 3, 0))}, accelerate(spin(1))}},
                 spread(spin(-1), spin(2), spin(4)),
                 "The hook turns one eighth, then two, then three: it ends turned three "
                 "quarters."});
    d.push_back({20,
                 Form::Series,
                 "d",
                 {{{one(el(Square, kCentre, 0, 0, Hollow))}, chain(both(sizeBy(1), fillCycle(2)))}},
                 twos(sizeBy(-2), setFill(Hatched), swapShapes(Square, Circle)),
                 "The square grows each step while its fill runs empty, black, hatched and back "
                 "to empty: a large empty square."});
    d.push_back({21,
                 Form::Series,
                 "c",
                 {{{one(el(HalfDisc, kCentre, 3, 0))}, chain(both(spin(2), fillInvert()))}},
                 cross(spin(2), setFill(Hatched)),
                 "The half disc turns a quarter clockwise each step while its fill alternates "
                 "empty and black: a black half disc bulging to the left."});
    d.push_back({22,
                 Form::Series,
                 "c",
                 {{{one(el(Square, kCentre, 3, 0, Hollow, 2))},
                   chain(both(both(countBy(1), swapShapes(Square, Circle)), fillInvert()))}},
                 twos(countBy(2), swapShapes(Square, Circle), fillInvert()),
                 "One more shape each step, squares and circles take turns, and so do empty and "
                 "black: five black circles."});
    d.push_back({23,
                 Form::Series,
                 "d",
                 {{{one(el(Flag, kCentre, 3, 0))},
                   latin({{Attribute::Rot, {0, 2, 4, 6}, 1, 0},
                          {Attribute::Fill, {Ho, So}, 1, 0},
                          {Attribute::Size, {3, 2}, 1, 0}})}},
                 cross(spin(2), setFill(Hollow)),
                 "The flag turns a quarter clockwise each step, and it is empty and large, then "
                 "black and small, in turn: a small black flag turned three quarters."});
    d.push_back({24,
                 Form::Series,
                 "b",
                 {{{one(el(Square, kCentre, 3, 0, Solid, 3))},
                   with(accelerate(countBy(1)), {{Attribute::Shape, {S, T}, 1, 0}})}},
                 cross(countBy(-4), swapShapes(Square, Triangle)),
                 "The count grows by one, then two, then three (3, 4, 6), and squares and "
                 "triangles take turns: nine triangles."});
    d.push_back(
        {25,
         Form::Series,
         "a",
         {{{one(el(Hook, kCentre, 3, 0))},
           with(accelerate(spin(1)), {{Attribute::Fill, {So, Ho}, 1, 0},
                                      {Attribute::Shape, {int(Hook), int(Flag)}, 1, 0}})}},
         cross(spin(-1), swapShapes(Flag, Hook)),
         "Hook and flag take turns, black and empty in turn, while the figure turns one eighth, "
         "then two, then three: an empty flag turned three quarters."});

    // ---- two pairs, two answers ----
    d.push_back(
        {26,
         Form::Pairs,
         "ad",
         {{{one(el(Flag, kCentre, 2, 0)), one(el(Hook, kCentre, 2, 0))}, relation(mirror(0))}},
         decoys({spin(2), spin(4), spin(6)}, {0, 2, 2}),
         "Each figure is followed by its mirror image: the mirrored flag and the "
         "mirrored hook."});
    d.push_back({27,
                 Form::Pairs,
                 "bc",
                 {{{figureOf({el(Square, kCentre, 0)}, rims({0, 1, 2, 3})),
                    figureOf({el(Square, kCentre, 0)}, rims({6, 7}))},
                   relation(both(turn(1), setFill(Solid)))}},
                 decoys({setFill(Solid), turn(1), both(turn(2), setFill(Solid))}, {0, 2, 2}),
                 "Each cell turns a quarter clockwise and its small square turns black."});
    d.push_back({28,
                 Form::Pairs,
                 "ad",
                 {{{one(el(Flag, kCentre, 2, 0, Hollow)), one(el(Hook, kCentre, 2, 4, Hollow))},
                   relation(both(spin(2), setFill(Solid)))}},
                 decoys({spin(4), both(mirror(0), setFill(Solid)), spin(6)}, {0, 2, 2}),
                 "Each figure turns a quarter clockwise and turns black."});
    d.push_back({29,
                 Form::Pairs,
                 "bd",
                 {{{one(el(Hook, kCentre, 1, 0, Hollow)), one(el(Hook, kCentre, 1, 4, Hollow))},
                   relation(both(both(spin(2), setFill(Solid)), sizeBy(2)))}},
                 decoys({both(spin(2), setFill(Solid)), both(setFill(Solid), sizeBy(2)),
                         both(mirror(0), both(setFill(Solid), sizeBy(2)))},
                        {0, 2, 2}),
                 "Each hook turns a quarter clockwise, turns black and grows."});

    // ---- analogies ----
    d.push_back(
        {30,
         Form::Analogy,
         "d",
         {{{one(el(Flag, kCentre, 2, 0)), one(el(Hook, kCentre, 2, 2))}, relation(spin(2))}},
         cross(spin(4), mirror(0)),
         "A quarter turn clockwise takes the flag to its partner; the hook turns the "
         "same way."});
    d.push_back({31,
                 Form::Analogy,
                 "c",
                 {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 5, 2, 0, Hollow)}),
                    figureOf({el(Circle, 2, 2, 0, Solid), el(Square, 4, 2, 0, Hollow)})},
                   relation(both(turn(1), onShape(Square, setFill(Solid))))}},
                 cross(onShape(Square, fillInvert()), turn(2)),
                 "The whole cell turns a quarter clockwise and the square turns black: black "
                 "disc at the bottom right, black square at the bottom left."});
    d.push_back({32,
                 Form::Analogy,
                 "b",
                 {{{one(el(Square, kCentre, 1, 0, Hollow)), one(el(Circle, kCentre, 1, 0, Hollow))},
                   relation(both(sizeBy(2), setFill(Hatched)))}},
                 decoys({setFill(Solid), sizeBy(-2), both(setFill(Solid), sizeBy(-2))}, {3, 3, 3}),
                 "Each figure grows and becomes hatched: a large hatched circle."});
    d.push_back(
        {33,
         Form::Analogy,
         "c",
         {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 5, 0, 0, Hollow)}),
            figureOf({el(Circle, 1, 2, 0, Solid), el(Square, 4, 0, 0, Hollow)})},
           relation(both(both(turn(1), swapShapes(Circle, Plus)), onShape(Square, sizeBy(2))))}},
         cross(turn(3), onShape(Square, sizeBy(-2))),
         "The whole cell turns a quarter clockwise, the disc becomes a cross and the "
         "small square becomes large."});
    return d;
}

} // namespace

const std::vector<Definition>& catalogue() {
    static const std::vector<Definition> definitions = makeCatalogue();
    return definitions;
}

int groupOf(int question) {
    return question <= 15 ? 0 : question <= 25 ? 1 : question <= 29 ? 2 : 3;
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
