// SPDX-License-Identifier: MIT
// The independent checker. It sees only the board (visible cells and options), never a puzzle's
// own rule: it tries every reading of the cells (rows, columns, diagonals, a series step of one and
// of two, pairs across and down) against a library of whole-figure rules and of rules per
// attribute, and reports every option that some reading consistent with the visible cells
// accepts. A sound puzzle yields exactly its key.
//
// The heuristics go the other way: they look at the options, and at most at which of them the
// question already shows, as a test-wise guesser would; a sound puzzle gives them nothing to
// single out.
#pragma once

#include "puzzle.h"

#include <set>
#include <string>
#include <vector>

namespace fig {

struct Finding {
    std::string answer; // option letters, sorted ("b", "ad")
    std::string reason; // reading and rule
    bool seenOnce;      // its deciding rule shows only once where the cells can be seen
};

// Every answer that some reading accepts counts against a puzzle, but only a reading whose rule
// the question shows at least twice can carry its key.
struct Verdict {
    std::set<std::string> answers;
    std::set<std::string> firm; // answers with at least one reading not seen once
    std::vector<Finding> findings;
};

Verdict solve(const Board& board);

// Why a puzzle fails, one line each: answers other than its key alone, a key that rests only on
// a rule the question shows once, options too alike to tell apart, a pairs board without two
// related option pairs (so its options alone point at the answer), or a guesser that finds the
// key. Empty for a sound puzzle.
std::vector<std::string> gateFaults(const Puzzle& p, const Verdict& v);

struct Guess {
    std::string heuristic;
    std::string answer; // sorted letters, empty where the heuristic cannot decide
};

std::vector<Guess> guessFromOptions(const Board& board);

// Pairs of options ("ad") that a solver who skips the question might take for the two answers of
// a pairs question, since both answers show one change: options drawn alike but for their figure
// and lines, or with `oneChange`, one change apart. An option set needs two such pairs or more,
// so that only the question's figures tell the right one.
std::vector<std::string> relatedPairs(const Board& board, bool oneChange);

// Option letters for option indices, sorted: {3, 0} gives "ad".
std::string letters(std::vector<int> indices);

// Pixels in which two options' cells differ.
int pixelDistance(const Figure& a, const Figure& b, Form form);

} // namespace fig
