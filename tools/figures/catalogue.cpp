// SPDX-License-Identifier: MIT
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
// A chain whose steps take turns: a, b, a.
Rule alternating(Transform a, Transform b) {
    Rule r = chain(std::move(a));
    r.alternate = std::move(b);
    return r;
}
Rule interleaved(Transform t) {
    return {Rule::Interleaved, std::move(t), {}, {}};
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
constexpr int Ho = int(Fill::Hollow), So = int(Fill::Solid);

std::vector<Definition> makeCatalogue() {
    using enum Shape;
    using enum Fill;
    std::vector<Definition> d;

    // ---- 3 x 3 matrices and the hexagon ----
    d.push_back({9,
                 Form::Matrix,
                 "b",
                 {{{one(el(Arrow, kCentre, 3, 1)), one(el(Arrow, kCentre, 3, 3)),
                    one(el(Arrow, kCentre, 3, 5))},
                   chain(spin(1))}},
                 spread(spin(1), spin(3), spin(6)),
                 "Along each row the arrow turns an eighth clockwise, each row starting a "
                 "quarter further on: the last arrow points up and to the left."});
    d.push_back({10,
                 Form::Matrix,
                 "d",
                 {{{one(el(Circle, kCentre, 3, 0, Solid, 1))},
                   latin({{Attribute::Count, {1, 2, 3, 4, 5, 6, 7}, 2, 1},
                          {Attribute::Shape, {T, S, C}, 1, 1}})}},
                 cross(countBy(-1), swapShapes(Square, Circle)),
                 "Each cell holds one shape more than the cell to its left and two more than "
                 "the cell above it, and every row and column holds circles, squares and "
                 "triangles: seven squares."});
    d.push_back({11,
                 Form::Matrix,
                 "c",
                 {{{one(el(Circle, kCentre, 3, 0, Solid))},
                   latin({{Attribute::Count, {3, 2, 5, 2, 2, 4, 2, 4, 6}, 3, 1},
                          {Attribute::Shape, {C, S}, 1, 1},
                          {Attribute::Fill, {Ho, So}, 1, 0}})}},
                 cross(countBy(-1), swapShapes(Circle, Square)),
                 "In each row the third cell holds as many shapes as the first two together, "
                 "circles and squares alternate like a chessboard, and the rows are empty, "
                 "black, empty: six empty circles."});
    d.push_back(
        {12,
         Form::Matrix,
         "a",
         {{{one(el(Circle, 0, 3, 0, Solid)), one(el(Circle, 2, 3, 0, Solid)),
            one(el(Circle, 4, 3, 0, Solid))},
           chain(move(1))},
          {{one(el(Square, 2, 3)), one(el(Square, 4, 3)), one(el(Square, 6, 3))}, chain(move(2))}},
         decoys({both(onShape(Circle, move(-2)), onShape(Square, move(-2))),
                 onShape(Square, move(-2)), onShape(Circle, move(2))},
                {8, 8, 8}),
         "Along each row the black disc steps one place clockwise round the edge and the "
         "square two places: disc bottom left, square top right."});
    d.push_back(
        {13,
         Form::Matrix,
         "c",
         {{{figureOf({el(Circle, 0, 3, 0, Solid), el(Square, 6, 3, 0, Hollow)}),
            figureOf({el(Circle, 2, 3, 0, Hollow), el(Square, 0, 3, 0, Solid)}),
            figureOf({el(Circle, 4, 3, 0, Solid), el(Square, 2, 3, 0, Hollow)})},
           chain(both(onShape(Circle, move(2)), fillInvert()))}},
         cross(onShape(Circle, move(4)), fillInvert()),
         "Along each row the disc steps one corner clockwise while the square stays, and the two "
         "trade black and empty: a black disc at the top left and an empty square at the top "
         "right."});
    d.push_back(
        {14,
         Form::Matrix,
         "d",
         {{{linesOf(rims({0, 1, 6, 7})), linesOf(rims({2, 3, 6, 7})), linesOf(rims({0, 1, 4, 5})),
            linesOf(rims({4, 5})), linesOf(rims({2, 3, 4, 5})), linesOf(rims({0, 1, 2, 3}))},
           combine("xor")},
          {{one(el(Circle, kCentre, 0))}, latin({{Attribute::Shape, {C, S, int(Plus)}, 1, 2}})}},
         cross(turn(1), swapShapes(Circle, Square)),
         "The third cell of a row keeps the sides drawn in just one of the first two, "
         "and every row and column holds a circle, a square and a cross: a circle "
         "between a top and a bottom side."});
    d.push_back({15,
                 Form::Hexagon,
                 "c",
                 {{{one(el(Hook, kCentre, 2, 0, Solid)), one(el(Flag, kCentre, 2, 0, Solid)),
                    one(el(Hook, kCentre, 2, 4, Solid))},
                   relation(mirror(2))}},
                 decoys({spin(2), mirror(0), mirror(1)}, {2, 2, 2}),
                 "Each sector holds the figure of the sector opposite, flipped over the diagonal "
                 "from top left to bottom right: a hook lying along the bottom, its short arm up "
                 "at the left."});

    // ---- series of four: ten kinds of rule, no two alike ----
    d.push_back(
        {16,
         Form::Series,
         "c",
         {{{one(el(Circle, kCentre, 3, 0, Hollow))},
           latin({{Attribute::Fill, {Ho, So}, 1, 0}, {Attribute::Shape, {C, C, S, S}, 1, 0}})}},
         decoys({swapShapes(Square, Triangle), swapShapes(Square, Circle),
                 both(swapShapes(Square, Triangle), fillInvert())},
                {3, 3, 3}),
         "Empty and black take turns at every step, circles and squares at every second "
         "step: a black square.",
         "shape changes every second step"});
    d.push_back({17,
                 Form::Series,
                 "b",
                 {{{linesOf(rims({0, 1}))}, chain(withCopy(turn(1)))}},
                 cross(toggle(linesOf(rims({0, 1})), "without the top"),
                       toggle(linesOf(Lines(spoke(0) | spoke(4))), "with a diagonal")),
                 "The square is drawn one side more each step, going round clockwise: the whole "
                 "square.",
                 "parts added"});
    d.push_back({18,
                 Form::Series,
                 "d",
                 {{{one(el(Square, kCentre, 3, 0, Hollow, 2))},
                   chain(both(both(countBy(1), swapShapes(Square, Circle)), fillInvert()))}},
                 twos(countBy(2), swapShapes(Square, Circle), fillInvert()),
                 "One more shape each step, squares and circles take turns, and so do empty and "
                 "black: five black circles.",
                 "count steps by 1"});
    d.push_back({19,
                 Form::Series,
                 "d",
                 {{{one(el(HalfDisc, kCentre, 3, 0, Solid, 1))},
                   latin({{Attribute::Count, {1, 2, 4, 8}, 1, 0},
                          {Attribute::Shape, {int(HalfDisc), T}, 1, 0}})}},
                 cross(countBy(-2), swapShapes(HalfDisc, Triangle)),
                 "Twice as many figures each step, half discs and triangles in turn: eight "
                 "triangles.",
                 "count doubles"});
    d.push_back({20,
                 Form::Series,
                 "d",
                 {{{one(el(Flag, kCentre, 3, 0))}, chain(both(spin(2), fillInvert()))}},
                 cross(spin(4), fillInvert()),
                 "The flag turns a quarter clockwise each step while its fill alternates empty "
                 "and black: a black flag turned three quarters.",
                 "turns a quarter in place"});
    d.push_back({21,
                 Form::Series,
                 "c",
                 {{{figureOf({el(Circle, 4, 2, 0, Hollow)}, rims({0, 1}))},
                   chain(both(turn(1), fillInvert()))}},
                 cross(mirror(0), fillInvert()),
                 "The whole cell turns a quarter clockwise each step and the disc turns black, "
                 "then empty, in turn: a side at the left and a black disc at the top right.",
                 "whole cell turns a quarter"});
    d.push_back({22,
                 Form::Series,
                 "c",
                 {{{one(el(Hook, kCentre, 3, 0, Solid))}, alternating(mirror(0), mirror(1))}},
                 spread(spin(4), spin(6), spin(2)),
                 "The hook is mirrored left to right, then upside down, then left to right "
                 "again: the first hook upside down.",
                 "mirrored across two axes in turn"});
    d.push_back(
        {23,
         Form::Series,
         "d",
         {{{one(el(Circle, 3, 3, 0, Solid))}, latin({{Attribute::Slot, {3, 6, 5, 4}, 1, 0}})},
          {{one(el(Square, 7, 3, 0, Hollow))}, latin({{Attribute::Slot, {7, 2, 1, 0}, 1, 0}})}},
         decoys({turn(2), turn(2), onShape(Square, move(1))}, {0, 2, 3}),
         "The disc moves one place on as a line of text is read, left to right and then "
         "to the start of the next row; the square moves back the same way: the disc at "
         "the bottom right, the square at the top left.",
         "moves in reading order"});
    d.push_back(
        {24,
         Form::Series,
         "b",
         {{{figureOf({el(Circle, 2, 2, 0, Solid), el(Square, 0, 2, 0, Hollow)})},
           chain(then(both(onShape(Circle, move(2)), onShape(Square, move(-2))), fillInvert()))}},
         twos(onShape(Square, move(4)), onShape(Circle, move(4)), fillInvert()),
         "The disc steps one corner clockwise and the square one corner anticlockwise, and "
         "at every step the two trade black and empty: empty disc at the top left, black "
         "square at the top right.",
         "walks round the corners"});
    d.push_back({25,
                 Form::Series,
                 "a",
                 {{{one(el(Flag, kCentre, 3, 0)), one(el(Hook, kCentre, 3, 2))},
                   interleaved(both(mirror(2), setFill(Solid)))}},
                 decoys({both(mirror(3), setFill(Hollow)), spin(4), spin(6)}, {3, 3, 3}),
                 "Flag and hook take turns; each comes back flipped over the diagonal from top "
                 "left to bottom right and black: the hook flipped.",
                 "every second cell: flipped over a diagonal"});

    // ---- two pairs, two answers ----
    d.push_back(
        {26,
         Form::Pairs,
         "ad",
         {{{one(el(Circle, kCentre, 2)), one(el(Triangle, kCentre, 2))}, relation(setFill(Solid))}},
         decoys({swapShapes(Circle, Square), swapShapes(Circle, Square), identity()}, {1, 0, 0}),
         "Each figure turns black: the circle and the triangle."});
    d.push_back({27,
                 Form::Pairs,
                 "cb",
                 {{{figureOf({el(Square, kCentre, 0)}, rims({0, 1, 2, 3})),
                    figureOf({el(Square, kCentre, 0)}, rims({6, 7}))},
                   relation(both(turn(1), setFill(Solid)))}},
                 decoys({setFill(Solid), turn(1), both(turn(2), setFill(Solid))}, {0, 2, 2}),
                 "Each cell turns a quarter clockwise and its small square turns black."});
    d.push_back(
        {28,
         Form::Pairs,
         "da",
         {{{one(el(Hook, kCentre, 2, 0, Hollow)), one(el(Hook, kCentre, 2, 2, Hollow))},
           relation(both(spin(4), setFill(Solid)))}},
         decoys({both(mirror(0), setFill(Solid)), both(mirror(1), setFill(Solid)), mirror(0)},
                {0, 0, 0}),
         "Each hook turns a half and turns black; a flip upside down fits the first hook "
         "but not the second."});
    d.push_back(
        {29,
         Form::Pairs,
         "bd",
         {{{one(el(Hook, kCentre, 2, 6, Hollow, 1, true)),
            one(el(Hook, kCentre, 2, 4, Hollow, 1, true))},
           relation(both(mirror(2), setFill(Solid)))}},
         decoys({mirror(2), both(spin(2), setFill(Solid)), both(spin(6), setFill(Solid))},
                {0, 0, 0}),
         "Each figure is flipped over the diagonal from top left to bottom right and "
         "turns black: the hook lying along the top comes to stand upright, the upright hook "
         "comes to lie along the top."});

    // ---- analogies ----
    d.push_back(
        {30,
         Form::Analogy,
         "d",
         {{{one(el(Circle, kCentre, 2)), one(el(Hook, kCentre, 2, 0))}, relation(setFill(Solid))}},
         decoys({swapShapes(Hook, Square), swapShapes(Hook, Flag), swapShapes(Hook, Circle)},
                {3, 3, 3}),
         "The figure turns black: the circle, and so the hook."});
    d.push_back({31,
                 Form::Analogy,
                 "c",
                 {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 6, 2, 0, Hollow)}),
                    figureOf({el(Circle, 6, 2, 0, Solid), el(Square, 4, 2, 0, Hollow)})},
                   relation(both(mirror(0), fillInvert()))}},
                 cross(mirror(1), fillInvert()),
                 "The whole cell is mirrored left to right and the disc and the square trade "
                 "black and empty: an empty disc at the bottom right, a black square at the "
                 "bottom left."});
    d.push_back({32,
                 Form::Analogy,
                 "b",
                 {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 6, 2, 0, Hollow)}),
                    figureOf({el(Circle, 4, 2, 0, Solid), el(Square, 0, 2, 0, Hollow)})},
                   relation(both(turn(1), fillInvert()))}},
                 cross(onShape(Circle, fillInvert()), turn(2)),
                 "The whole cell turns a quarter clockwise and the disc and the square trade black "
                 "and empty: an empty disc at the bottom left, a black square at the top right."});
    d.push_back({33,
                 Form::Analogy,
                 "c",
                 {{{one(el(Hook, kCentre, 2, 2)), one(el(Hook, kCentre, 2, 0, Hollow))},
                   relation(both(mirror(3), setFill(Solid)))}},
                 cross(spin(2), fillInvert()),
                 "The hook is flipped over the diagonal from top right to bottom left and turns "
                 "black; so is the L."});
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
