// SPDX-License-Identifier: GPL-3.0-or-later
// The independent checker. It sees only the board (visible cells and options), never a puzzle's
// own rule: it tries every reading of the cells (rows, columns, a series step of one and of two,
// pairs across and down) against a library of rules, and reports every option that some reading
// consistent with the visible cells accepts. A sound puzzle yields exactly its key.
//
// The heuristics go the other way: they look at the options alone, as a test-wise guesser would,
// and a sound puzzle gives them nothing to single out.
#pragma once

#include "puzzle.h"

#include <set>
#include <string>
#include <vector>

namespace fig {

struct Finding {
    std::string answer; // option letters, sorted ("b", "ad")
    std::string reason; // reading and rule
};

struct Verdict {
    std::set<std::string> answers;
    std::vector<Finding> findings;
};

Verdict solve(const Board& board, int depth = 2);

struct Guess {
    std::string heuristic;
    std::string answer; // sorted letters, empty where the heuristic cannot decide
};

std::vector<Guess> guessFromOptions(const Board& board);

// Pixels in which two options' cells differ.
int pixelDistance(const Figure& a, const Figure& b, Form form);

} // namespace fig
