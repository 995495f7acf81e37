// SPDX-License-Identifier: MIT
// A puzzle definition says how its cells come about (a rule applied to starting figures) and how
// its wrong options are made (a distractor plan); building it yields the board a person sees.
#pragma once

#include "figure.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace fig {

enum class Form {
    Matrix,  // 3 x 3 cells, the last one empty
    Hexagon, // six triangles around a centre, the last one empty
    Series,  // four cells in a row, the last one empty
    Pairs,   // two pairs, the second cell of each empty; five options, two of them right
    Analogy, // A : B as C : ?
};

int cellCount(Form form);
std::vector<int> missingCells(Form form);
int optionCount(Form form);

// What a solver may look at: the visible cells (missing ones are empty) and the options.
struct Board {
    Form form = Form::Matrix;
    std::vector<Figure> cells;
    std::vector<Figure> options;
};

enum class Attribute { Shape, Slot, Size, Rot, Fill, Count };

// One attribute laid out over the cells: cell (r, c) of a matrix takes
// values[(rowStep * r + colStep * c) % values.size()], cell i of a row takes
// values[(rowStep * i) % values.size()]. Three values and steps 1 and 2 make a Latin square.
struct LatinAttribute {
    Attribute attribute;
    std::vector<int> values;
    int rowStep, colStep;
};

struct Rule {
    enum Kind {
        Chain,       // each cell is `step` of the one before (per row in a matrix)
        Combine,     // each cell is `op` of the two before it
        Latin,       // attribute values spread over rows and columns
        Relation,    // the second of each pair is `step` of the first
        Interleaved, // a series of two figures in turn: each cell is `step` of the one two before
    };
    Kind kind = Chain;
    Transform step = identity();
    BinaryOp op;
    std::vector<LatinAttribute> latin;    // the whole rule for Latin; laid over the steps otherwise
    std::optional<Transform> alternate{}; // a chain's every second step, where it differs
};

// A part of every cell with a rule of its own; the cells show all layers drawn together.
struct Layer {
    std::vector<Figure> starts;
    Rule rule;
};

struct Plan {
    enum Kind {
        Cross,  // two changes crossed: key, a(key), b(key), b(a(key))
        Spread, // three changes of one attribute: key, m1(key), m2(key), m3(key)
        Twos,   // two of three changes each: key, b(a(key)), c(a(key)), c(b(key))
        Decoys, // changes[i] applied to cell sources[i]; for the five-option pairs
    };
    Kind kind = Cross;
    std::vector<Transform> changes;
    std::vector<int> sources;
};

struct Definition {
    int question = 0;
    Form form = Form::Matrix;
    std::string key; // option letters; for pairs, the option of the first empty cell first
    std::vector<Layer> layers;
    Plan plan;
    std::string rationale;
    std::string family{}; // a series' leading kind of rule, one of ruleKinds() (family.h)
};

struct Puzzle {
    Definition definition;
    std::vector<Figure> cells; // all cells, the missing ones filled with the answer
    Board board;
};

void setAttribute(Element& e, Attribute a, int value);
int attributeValue(const Element& e, Attribute a);
// What a reader calls the attribute: "shape", "position", "orientation" ...
const char* attributeName(Attribute a);

// Throws std::runtime_error when a definition cannot be built (a transform that does not apply,
// an option letter out of range, two options alike).
Puzzle build(const Definition& definition);

// The cells of one layer alone.
std::vector<Figure> layCells(const Definition& d, const Layer& layer);

std::vector<int> keyIndices(const std::string& key);

} // namespace fig
