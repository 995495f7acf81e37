// SPDX-License-Identifier: MIT
#pragma once

#include "puzzle.h"

#include <vector>

namespace fig {

// Questions 9 to 33 in order; element q - 9 is question q.
const std::vector<Definition>& catalogue();
const std::vector<Puzzle>& puzzles();

// The group a question belongs to (9-15, 16-25, 26-29, 30-33), numbered from 0; difficulty rises
// within a group.
int groupOf(int question);

} // namespace fig
