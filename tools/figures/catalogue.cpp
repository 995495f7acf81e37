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
                 "Along each row the arrow turns an eighth clockwise, each row starting a quarter "
                 "further on: the last arrow points left."});
    d.push_back(
        {10,
         Form::Matrix,
         "d",
         {{{one(el(Circle, 0, 3, 0, Solid)), one(el(Circle, 2, 3, 0, Solid)),
            one(el(Circle, 4, 3, 0, Solid))},
           chain(move(1))},
          {{one(el(Square, 4, 3)), one(el(Square, 6, 3)), one(el(Square, 0, 3))}, chain(move(-2))}},
         twos(onShape(Circle, move(1)), onShape(Square, move(-1)), onShape(Circle, fillInvert())),
         "Along each row the black disc steps one place clockwise round the edge and the "
         "square two places anticlockwise: disc bottom left, square bottom right."});
    d.push_back(
        {11,
         Form::Matrix,
         "c",
         {{{one(el(Circle, kCentre, 2))},
           latin({{Attribute::Shape, {C, S, T}, 1, 1}, {Attribute::Fill, {Ha, So, Ho}, 2, 1}})}},
         twos(swapShapes(Square, Circle), setFill(Solid), sizeBy(-1)),
         "Every row and every column holds a circle, a square and a triangle, and the "
         "fills run hatched, black, empty along each row: a hatched square of the same "
         "size."});
    d.push_back({12,
                 Form::Matrix,
                 "a",
                 {{{linesOf(rims({0, 1, 7})), linesOf(rims({1, 2, 3})), linesOf(rims({4, 5})),
                    linesOf(rims({5, 6, 7})), linesOf(rims({2, 3, 6})), linesOf(rims({3, 4, 5}))},
                   combine("xor")},
                  {{one(el(Circle, kCentre, 1))}, latin({{Attribute::Shape, {C, S, T}, 1, 1}})}},
                 cross(toggle(linesOf(rims({3, 4})), "keep the shared edges"),
                       swapShapes(Square, Triangle)),
                 "The third cell of a row keeps the edge pieces drawn in just one of the first "
                 "two, and every row and column holds a circle, a square and a triangle: a "
                 "square inside the edges left over."});
    d.push_back({13,
                 Form::Matrix,
                 "c",
                 {{{one(el(Circle, kCentre, 3, 0, Solid))},
                   latin({{Attribute::Count, {3, 2, 5, 2, 2, 4, 2, 4, 6}, 3, 1},
                          {Attribute::Shape, {C, S, T}, 1, 1},
                          {Attribute::Fill, {So, Ho}, 1, 0}})}},
                 twos(countBy(1), swapShapes(Square, Circle), fillInvert()),
                 "In each row the third cell holds as many shapes as the first two together, "
                 "every row and column holds circles, squares and triangles, and the rows are "
                 "black, empty, black: six black squares."});
    d.push_back({14,
                 Form::Matrix,
                 "d",
                 {{{one(el(Circle, kCentre, 1))},
                   latin({{Attribute::Shape, {C, S, T}, 1, 1},
                          {Attribute::Fill, {Ho, Ha, So}, 2, 1},
                          {Attribute::Size, {1, 2, 3}, 0, 1}})}},
                 cross(swapShapes(Square, Triangle), setFill(Hatched)),
                 "Shapes and fills each appear once in every row and column, and along each row "
                 "the figure grows: a large empty square."});
    d.push_back({15,
                 Form::Hexagon,
                 "c",
                 {{{one(el(Flag, kCentre, 3, 0))},
                   latin({{Attribute::Rot, {0, 2, 4, 6}, 1, 0},
                          {Attribute::Fill, {Ho, Ha, So}, 1, 0},
                          {Attribute::Shape, {int(Flag), int(Hook)}, 1, 0},
                          {Attribute::Size, {3, 2}, 1, 0}})}},
                 cross(spin(4), swapShapes(Hook, Flag)),
                 "Clockwise round the hexagon the figure turns a quarter, its fill runs empty, "
                 "hatched, black, and a large flag and a small hook take turns: a small black "
                 "hook turned a quarter."});

    // ---- series of four ----
    d.push_back({16,
                 Form::Series,
                 "c",
                 {{{one(el(Circle, kCentre, 3, 0, Solid, 2))},
                   latin({{Attribute::Count, {2, 3, 5, 8}, 1, 0}})}},
                 spread(countBy(-1), countBy(1), countBy(-3)),
                 "Each count is the sum of the two before it (2, 3, 5), which also makes the "
                 "steps grow by one: eight discs."});
    d.push_back(
        {17,
         Form::Series,
         "b",
         {{{one(el(Hook, kCentre, 2, 0)), one(el(Arrow, kCentre, 2, 0))}, interleave(spin(1))}},
         spread(spin(2), spin(6), spin(4)),
         "Hook and arrow take turns, and each turns an eighth clockwise when it comes "
         "back: an arrow pointing up and right."});
    d.push_back(
        {18,
         Form::Series,
         "d",
         {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 2, 2)})},
           chain(both(onShape(Circle, move(1)), onShape(Square, move(2))))}},
         twos(onShape(Circle, move(1)), onShape(Square, move(-1)), onShape(Circle, fillInvert())),
         "The black disc steps one place clockwise round the edge and the square two "
         "places: disc at the middle right, square at the top left."});
    d.push_back({19,
                 Form::Series,
                 "d",
                 {{{one(el(Hook, kCentre, 2, 0))}, accelerate(spin(1))}},
                 spread(spin(-1), spin(2), spin(4)),
                 "The hook turns one eighth, then two, then three: it ends turned three "
                 "quarters."});
    d.push_back(
        {20,
         Form::Series,
         "d",
         {{{one(el(Square, kCentre, 0, 0, Hatched))}, chain(both(sizeBy(1), fillCycle(1)))}},
         twos(sizeBy(-2), setFill(Solid), spin(1)),
         "The square grows each step while its fill runs hatched, black, empty and back "
         "to hatched: a large hatched square."});
    d.push_back({21,
                 Form::Series,
                 "c",
                 {{{one(el(Flag, kCentre, 3, 0))}, chain(both(spin(2), fillInvert()))}},
                 cross(spin(4), fillInvert()),
                 "The flag turns a quarter clockwise each step while its fill alternates empty "
                 "and black: a black flag turned three quarters."});
    d.push_back({22,
                 Form::Series,
                 "c",
                 {{{one(el(Square, kCentre, 3, 0, Solid, 2))},
                   chain(both(both(countBy(1), swapShapes(Square, Triangle)), fillInvert()))}},
                 twos(countBy(-1), swapShapes(Square, Triangle), fillInvert()),
                 "One more shape each step, squares and triangles take turns, and so do black "
                 "and empty: five empty triangles."});
    d.push_back({23,
                 Form::Series,
                 "d",
                 {{{one(el(Flag, kCentre, 3, 0))},
                   latin({{Attribute::Rot, {0, 2, 4, 6}, 1, 0},
                          {Attribute::Fill, {Ho, Ha, So}, 1, 0},
                          {Attribute::Size, {3, 2}, 1, 0}})}},
                 cross(spin(4), setFill(Solid)),
                 "The flag turns a quarter clockwise each step, its fill runs empty, hatched, "
                 "black, empty, and it is large and small in turn: a small empty flag turned "
                 "three quarters."});
    d.push_back({24,
                 Form::Series,
                 "b",
                 {{{one(el(Square, kCentre, 3, 0, Solid, 3))},
                   with(accelerate(countBy(1)), {{Attribute::Shape, {S, T}, 1, 0}})}},
                 cross(countBy(-1), swapShapes(Square, Triangle)),
                 "The count grows by one, then two, then three (3, 4, 6), and squares and "
                 "triangles take turns: nine triangles."});
    d.push_back({25,
                 Form::Series,
                 "a",
                 {{{one(el(Hook, kCentre, 2, 1))},
                   with(accelerate(spin(1)),
                        {{Attribute::Fill, {Ha, So, Ho}, 1, 0}, {Attribute::Size, {1, 2}, 1, 0}})}},
                 cross(spin(-1), both(setFill(Solid), sizeBy(-1))),
                 "The hook turns one eighth, then two, then three, its fill runs hatched, black, "
                 "empty, hatched, and it is small and large in turn: a large hatched hook."});

    // ---- two pairs, two answers ----
    d.push_back(
        {26,
         Form::Pairs,
         "ad",
         {{{one(el(Flag, kCentre, 2, 0)), one(el(Hook, kCentre, 2, 0))}, relation(mirror(0))}},
         decoys({spin(2), mirror(1), spin(6)}, {0, 2, 2}),
         "Each figure is followed by its mirror image: the mirrored flag and the "
         "mirrored hook."});
    d.push_back({27,
                 Form::Pairs,
                 "bc",
                 {{{figureOf({el(Square, kCentre, 0)}, rims({0, 1, 2, 3})),
                    figureOf({el(Square, kCentre, 0, 0, Solid)}, rims({5, 6, 7}))},
                   relation(both(turn(1), fillInvert()))}},
                 decoys({turn(1), fillInvert(), turn(2)}, {0, 2, 2}),
                 "Each cell turns a quarter clockwise and its small square swaps empty for "
                 "black."});
    d.push_back({28,
                 Form::Pairs,
                 "ad",
                 {{{one(el(Flag, kCentre, 2, 0, Hollow)), one(el(Hook, kCentre, 2, 6, Solid))},
                   relation(both(spin(2), fillInvert()))}},
                 decoys({spin(2), fillInvert(), spin(4)}, {0, 2, 0}),
                 "Each figure turns a quarter clockwise and swaps empty for black."});
    d.push_back(
        {29,
         Form::Pairs,
         "bd",
         {{{figureOf({el(Square, kCentre, 0)}, rims({1, 2, 3})),
            figureOf({el(Square, kCentre, 0, 0, Solid)}, rims({4, 5}))},
           relation(both(both(turn(1), toggle(linesOf(rims({0, 1})), "add or drop the top "
                                                                     "edge")),
                         fillInvert()))}},
         decoys({both(turn(1), fillInvert()),
                 both(turn(1), toggle(linesOf(rims({0, 1})), "add or drop the top edge")), turn(1)},
                {0, 2, 2}),
         "Each cell turns a quarter clockwise, gains or loses the top edge, and its "
         "small square swaps empty for black."});

    // ---- analogies ----
    d.push_back(
        {30,
         Form::Analogy,
         "d",
         {{{one(el(Flag, kCentre, 2, 0)), one(el(Hook, kCentre, 2, 0))}, relation(spin(2))}},
         cross(spin(4), mirror(0)),
         "A quarter turn clockwise takes the flag to its partner; the hook turns the "
         "same way."});
    d.push_back({31,
                 Form::Analogy,
                 "c",
                 {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 5, 2, 0, Hollow)}),
                    figureOf({el(Circle, 1, 2, 0, Hollow), el(Square, 4, 2, 0, Solid)})},
                   relation(both(turn(1), onShape(Square, fillInvert())))}},
                 cross(onShape(Square, fillInvert()), turn(2)),
                 "The whole cell turns a quarter clockwise and the square swaps empty for black: "
                 "disc at the middle right, empty square at the bottom left."});
    d.push_back({32,
                 Form::Analogy,
                 "b",
                 {{{one(el(Circle, kCentre, 1, 0, Hollow)), one(el(Square, kCentre, 1, 0, Solid))},
                   relation(both(sizeBy(1), fillInvert()))}},
                 cross(fillInvert(), swapShapes(Square, Circle)),
                 "Each figure grows and swaps empty for black: a large empty square."});
    d.push_back(
        {33,
         Form::Analogy,
         "c",
         {{{figureOf({el(Circle, kCentre, 0)}, rims({0, 1, 2, 3})),
            figureOf({el(Square, kCentre, 0)}, rims({3, 4, 5}))},
           relation(both(both(turn(1), toggle(linesOf(rims({0, 1})), "add or drop the top edge")),
                         swapShapes(Circle, Square)))}},
         cross(toggle(linesOf(rims({0, 1})), "without the new edge"), swapShapes(Circle, Square)),
         "The cell turns a quarter clockwise, gains or loses the top edge, and circle and square "
         "trade places: a circle inside the top edge, the left side and half the bottom edge."});
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
