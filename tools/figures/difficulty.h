// SPDX-License-Identifier: MIT
// How hard a puzzle is, from its model: what its rules cost to find (a movement round the edge
// or an overlay of lines costs more than a fill that alternates, two elements with rules of their
// own more than one), how many of them one must find together to rule out every wrong option,
// and how near the nearest wrong option comes to an answer. Weighed against blind solvers'
// ratings: what they rated hard was movement, overlays, sums and several rules at once, not the
// number of attributes that change.
#pragma once

#include "puzzle.h"

namespace fig {

struct Difficulty {
    int components = 0;   // rules in the model
    int needed = 0;       // rules that, at the fewest, rule out every wrong option
    int changing = 0;     // kinds of attribute that change across the cells
    int nearestDecoy = 0; // attributes in which a wrong option differs from an answer, at least
    int effort = 0;       // what finding the model's rules costs, summed over them
    int score() const;
};

Difficulty difficulty(const Puzzle& p);

} // namespace fig
