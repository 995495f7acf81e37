// SPDX-License-Identifier: MIT
// What kinds of rule a puzzle is built from, named the way a reader would name them ("count steps
// by 1", "turns a quarter in place", "walks round the corners"), read off its definition. A
// series group that repeats one template, or leans on one kind of rule, reads as the same item
// again; the faults say where.
#pragma once

#include "puzzle.h"

#include <string>
#include <vector>

namespace fig {

// The kinds of rule of a definition, sorted, each once: its template.
std::vector<std::string> ruleKinds(const Definition& d);

// Faults of the series among `definitions`: a family that is not one of the item's kinds, two
// items of one family or one template, and more items than a group holds that turn by a quarter
// (two), walk marks round the corners (two) or alternate a fill (half of them).
std::vector<std::string> seriesFamilyFaults(const std::vector<Definition>& definitions);

} // namespace fig
