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
         {{{linesOf(rims({0, 1, 6, 7})), linesOf(rims({2, 3, 6, 7})), linesOf(rims({0, 1, 4, 5})),
            linesOf(rims({4, 5})), linesOf(rims({2, 3, 4, 5})), linesOf(rims({0, 1, 2, 3}))},
           combine("xor")},
          {{one(el(Circle, kCentre, 0))}, latin({{Attribute::Shape, {C, S, int(Plus)}, 1, 2}})}},
         cross(turn(1), swapShapes(Circle, Square)),
         "The third cell of a row keeps the sides drawn in just one of the first two, "
         "and every row and column holds a circle, a square and a cross: a circle "
         "between a top and a bottom side."});
    d.push_back(
        {13,
         Form::Matrix,
         "c",
         {{{one(el(Circle, 0, 3, 0, Solid)), one(el(Circle, 2, 3, 0, Solid)),
            one(el(Circle, 4, 3, 0, Solid))},
           chain(move(1))},
          {{one(el(Square, 2, 3)), one(el(Square, 4, 3)), one(el(Square, 6, 3))}, chain(move(2))}},
         cross(onShape(Circle, move(1)), onShape(Square, move(1))),
         "Along each row the black disc steps one place clockwise round the edge and the "
         "square two places: disc bottom left, square top right."});
    d.push_back(
        {14,
         Form::Matrix,
         "d",
         {{{figureOf({el(Circle, 0, 3, 0, Solid), el(Square, 6, 3, 0, Hollow)}),
            figureOf({el(Circle, 2, 3, 0, Hollow), el(Square, 0, 3, 0, Solid)}),
            figureOf({el(Circle, 4, 3, 0, Solid), el(Square, 2, 3, 0, Hollow)})},
           chain(both(onShape(Circle, move(2)), fillInvert()))}},
         cross(onShape(Circle, move(4)), fillInvert()),
         "Along each row the disc steps one corner clockwise while the square stays, and the two "
         "trade black and empty: a black disc at the top left and an empty square at the top "
         "right."});
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

    // ---- series of four ----
    d.push_back({16,
                 Form::Series,
                 "c",
                 {{{one(el(Square, kCentre, 3, 0, Hollow, 2))},
                   chain(both(both(countBy(1), swapShapes(Square, Circle)), fillInvert()))}},
                 twos(countBy(2), swapShapes(Square, Circle), fillInvert()),
                 "One more shape each step, squares and circles take turns, and so do empty and "
                 "black: five black circles."});
    d.push_back({17,
                 Form::Series,
                 "b",
                 {{{one(el(Flag, kCentre, 3, 0))}, chain(both(spin(2), fillInvert()))}},
                 cross(spin(4), fillInvert()),
                 "The flag turns a quarter clockwise each step while its fill alternates empty "
                 "and black: a black flag turned three quarters."});
    d.push_back({18,
                 Form::Series,
                 "d",
                 {{{figureOf({el(Circle, 4, 2, 0, Hollow)}, rims({0, 1}))},
                   chain(both(turn(1), fillInvert()))}},
                 cross(mirror(0), fillInvert()),
                 "The whole cell turns a quarter clockwise each step and the disc turns black, "
                 "then empty, in turn: a side at the left and a black disc at the top right."});
    d.push_back(
        {19,
         Form::Series,
         "d",
         {{{one(el(HalfDisc, kCentre, 3, 0, Solid, 1))},
           with(chain(both(spin(2), countBy(1))), {{Attribute::Shape, {int(HalfDisc), T}, 1, 0}})}},
         twos(spin(2), countBy(-1), swapShapes(HalfDisc, Triangle)),
         "One figure more each step, all turning a quarter clockwise, half discs and "
         "triangles in turn: four triangles pointing left."});
    d.push_back({20,
                 Form::Series,
                 "d",
                 {{{one(el(HalfDisc, kCentre, 3, 0, Solid, 1))},
                   latin({{Attribute::Count, {1, 2, 4, 8}, 1, 0},
                          {Attribute::Rot, {0, 2, 4, 6}, 1, 0},
                          {Attribute::Shape, {int(HalfDisc), T}, 1, 0}})}},
                 twos(countBy(-2), spin(2), swapShapes(HalfDisc, Triangle)),
                 "Twice as many figures each step, all turning a quarter clockwise, half discs "
                 "and triangles in turn: eight triangles pointing left."});
    d.push_back(
        {21,
         Form::Series,
         "c",
         {{{figureOf({el(Circle, 4, 2, 0, Solid), el(Square, 6, 2, 0, Solid)}, rims({0, 1}))},
           chain(both(turn(1), onShape(Circle, fillInvert())))}},
         cross(mirror(0), onShape(Circle, fillInvert())),
         "The whole cell turns a quarter clockwise each step; the disc is black and "
         "empty in turn while the square stays black: a side at the left, an empty disc "
         "at the top right and a black square at the bottom right."});
    d.push_back(
        {22,
         Form::Series,
         "c",
         {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 2, 2, 0, Solid)})},
           chain(both(onShape(Circle, both(move(-2), fillInvert())), onShape(Square, move(2))))}},
         cross(onShape(Circle, move(4)), onShape(Circle, fillInvert())),
         "The disc steps one corner anticlockwise, black and empty in turn, while the black "
         "square steps one corner clockwise: an empty disc at the top right and a black square "
         "at the top left."});
    d.push_back(
        {23,
         Form::Series,
         "d",
         {{{figureOf({el(Circle, 2, 2, 0, Solid), el(Square, 0, 2, 0, Hollow)})},
           chain(then(both(onShape(Circle, move(2)), onShape(Square, move(-2))), fillInvert()))}},
         twos(onShape(Square, move(4)), onShape(Circle, move(4)), fillInvert()),
         "The disc steps one corner clockwise and the square one corner anticlockwise, and "
         "at every step the two trade black and empty: empty disc at the top left, black "
         "square at the top right."});
    d.push_back(
        {24,
         Form::Series,
         "b",
         {{{linesOf(Lines(spoke(1) | spoke(3) | spoke(7)))}, chain(turn(1))},
          {{one(el(Circle, 2, 2, 0, Solid))}, chain(both(move(-2), fillInvert()))}},
         cross(onShape(Circle, move(4)), onShape(Circle, fillInvert())),
         "The T turns a quarter clockwise each step while the disc steps one corner "
         "anticlockwise, black and empty in turn: the T's stem pointing left and an empty disc at "
         "the bottom right."});
    d.push_back(
        {25,
         Form::Series,
         "a",
         {{{linesOf(Lines(spoke(1) | spoke(3) | spoke(7)))}, chain(turn(-1))},
          {{figureOf({el(Circle, 2, 2, 0, Solid), el(Square, 0, 2, 0, Hollow)})},
           chain(both(both(onShape(Circle, move(2)), onShape(Square, move(-2))), fillInvert()))}},
         cross(onShape(Circle, move(4)), onShape(Square, move(4))),
         "The T and the square turn a quarter anticlockwise each step, the disc steps one corner "
         "clockwise, and the two marks trade black and empty: the T's stem pointing right, an "
         "empty "
         "disc at the top left and a black square at the top right."});

    // ---- two pairs, two answers ----
    d.push_back({26,
                 Form::Pairs,
                 "ad",
                 {{{one(el(Flag, kCentre, 2, 0, Solid)), one(el(Hook, kCentre, 2, 2, Solid))},
                   relation(mirror(0))}},
                 decoys({spin(4), both(spin(4), setFill(Hollow)), spin(6)}, {0, 0, 2}),
                 "Each figure is followed by its mirror image: the flag and the lying hook, each "
                 "mirrored left to right."});
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
    d.push_back({30,
                 Form::Analogy,
                 "d",
                 {{{one(el(Hook, kCentre, 2, 0)), one(el(Flag, kCentre, 2, 2))},
                   relation(both(mirror(0), setFill(Solid)))}},
                 cross(spin(6), fillInvert()),
                 "The hook is mirrored left to right and turns black; so is the lying flag."});
    d.push_back({31,
                 Form::Analogy,
                 "c",
                 {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Square, 6, 2, 0, Hollow)}),
                    figureOf({el(Circle, 4, 2, 0, Solid), el(Square, 0, 2, 0, Hollow)})},
                   relation(both(turn(1), fillInvert()))}},
                 cross(onShape(Circle, fillInvert()), turn(2)),
                 "The whole cell turns a quarter clockwise and the disc and the square trade black "
                 "and empty: an empty disc at the bottom left, a black square at the top right."});
    d.push_back(
        {32,
         Form::Analogy,
         "b",
         {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Plus, 2, 2, 0, Solid),
                      el(Square, 6, 2, 0, Hollow)}),
            figureOf({el(Circle, 4, 2, 0, Solid), el(Plus, 2, 2, 0, Solid),
                      el(Square, 0, 2, 0, Hollow)})},
           relation(both(onShape(Circle, move(2)), onShape(Plus, move(2))))}},
         decoys({onShape(Square, move(2)), onShape(Plus, move(-2)),
                 both(onShape(Plus, move(-2)), onShape(Circle, fillInvert()))},
                {3, 3, 3}),
         "The disc and the cross each step one corner clockwise while the square stays: a black "
         "disc at the bottom left, the cross at the bottom right and the square at the top "
         "left."});
    d.push_back(
        {33,
         Form::Analogy,
         "c",
         {{{figureOf({el(Circle, 0, 2, 0, Solid), el(Plus, 2, 2, 0, Solid),
                      el(Square, 6, 2, 0, Hollow)}),
            figureOf({el(Circle, 2, 2, 0, Solid), el(Plus, 6, 2, 0, Solid),
                      el(Square, 0, 2, 0, Hollow)})},
           relation(both(both(onShape(Circle, move(2)), onShape(Square, move(-2))),
                         both(onShape(Plus, move(4)), both(onShape(Circle, fillInvert()),
                                                           onShape(Square, fillInvert())))))}},
         cross(both(onShape(Circle, move(-2)), onShape(Plus, move(2))),
               both(onShape(Circle, fillInvert()), onShape(Square, fillInvert()))),
         "The disc steps one corner clockwise, the square one corner anticlockwise and the cross "
         "to the opposite corner, and disc and square trade black and empty: an empty disc at the "
         "bottom right, a black square at the bottom left and the cross at the top right."});
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
