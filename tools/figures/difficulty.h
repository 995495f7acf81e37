// SPDX-License-Identifier: GPL-3.0-or-later
// How hard a puzzle is, from its model: how many rules one must find together to rule out every
// wrong option, how many kinds of attribute change across its cells, and how near the nearest
// wrong option comes to an answer.
#pragma once

#include "puzzle.h"

namespace fig {

struct Difficulty {
    int components = 0;   // rules in the model
    int needed = 0;       // rules that, at the fewest, rule out every wrong option
    int changing = 0;     // kinds of attribute that change across the cells
    int nearestDecoy = 0; // attributes in which a wrong option differs from an answer, at least
    int score() const;
};

Difficulty difficulty(const Puzzle& p);

} // namespace fig
