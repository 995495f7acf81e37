// SPDX-License-Identifier: MIT
// Reading figures attribute by attribute, as a person does: match the elements of the figures,
// then find for each attribute on its own (shape, position, size, orientation, fill, count, and
// the line set) a rule that the whole reading obeys. Any rule of one attribute combines with any
// rule of another, and the whole cell may also turn or mirror from step to step.
#pragma once

#include "figure.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace fig {

enum class ReadingKind {
    Triples, // rows, columns or diagonals of a matrix
    Series,  // one sequence, step by step
    Pairs,   // a first figure and what becomes of it
    Steps,   // every second cell of a series: only the same change throughout
};

using Sequences = std::vector<std::vector<Figure>>;
using Values = std::vector<std::vector<int>>; // one attribute's values, per sequence

// Rules over one attribute's values, every sequence alike.
bool progression(const Values& v, int modulus); // the same non-zero step (modulus 0: numbers)
bool alternation(const Values& v);              // A B A B
bool inTwos(const Values& v);                   // A A B B

// Every sequence holds the same three different values, in any order.
template <typename T> bool distributesThree(const std::vector<std::vector<T>>& seqs) {
    std::vector<T> first = seqs[0];
    std::sort(first.begin(), first.end());
    if (first.size() != 3 || std::adjacent_find(first.begin(), first.end()) != first.end())
        return false;
    for (auto s : seqs) {
        std::sort(s.begin(), s.end());
        if (s != first)
            return false;
    }
    return true;
}
using Shown = std::vector<std::vector<bool>>; // per sequence and step: a cell of the question

// Steps from one cell to the next that the question shows whole.
int shownSteps(const Shown& shown);

// A description of one reading under which every attribute follows a rule, or nothing.
// `byEye` admits what a person judges by eye from a single change: a size that only "grows".
std::optional<std::string> attributeReading(const Sequences& seqs, const Shown& shown,
                                            ReadingKind kind, bool byEye);

} // namespace fig
