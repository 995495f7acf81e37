// SPDX-License-Identifier: MIT
#include "attributes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <map>
#include <set>

namespace fig {
namespace {

int wrapTo(int v, int m) {
    return ((v % m) + m) % m;
}

int stepOf(int a, int b, int modulus) {
    return modulus ? wrapTo(b - a, modulus) : b - a;
}

// ---- rules over one attribute's values, sequence by sequence --------------------------------

bool constant(const Values& v) {
    for (const auto& s : v)
        if (std::adjacent_find(s.begin(), s.end(), std::not_equal_to<>()) != s.end())
            return false;
    return true;
}

} // namespace

// The same non-zero step everywhere (modulus 0: plain numbers).
bool progression(const Values& v, int modulus) {
    std::optional<int> d;
    for (const auto& s : v)
        for (std::size_t k = 0; k + 1 < s.size(); ++k) {
            const int x = stepOf(s[k], s[k + 1], modulus);
            if (d && *d != x)
                return false;
            d = x;
        }
    return d && *d != 0;
}

bool alternation(const Values& v) {
    bool seen = false;
    for (const auto& s : v)
        for (std::size_t k = 2; k < s.size(); ++k) {
            seen = true;
            if (s[k] != s[k - 2] || s[k] == s[k - 1])
                return false;
        }
    return seen;
}

// Each value twice, then the next: A A B B. Shown as far as the change after the first pair.
bool inTwos(const Values& v) {
    bool changes = false;
    for (const auto& s : v) {
        if (s.size() < 3)
            return false;
        for (std::size_t k = 1; k < s.size(); ++k) {
            if ((k % 2 == 1) != (s[k] == s[k - 1]))
                return false;
            changes = true;
        }
    }
    return changes;
}

namespace {

// Three values in turn: A B C A B. Only a sequence that shows the return before its last cell
// supports it; any three different values would otherwise "fit".
bool periodThree(const Values& v) {
    for (const auto& s : v) {
        if (s.size() < 5)
            return false;
        if (s[0] == s[1] || s[1] == s[2] || s[0] == s[2])
            return false;
        for (std::size_t k = 3; k < s.size(); ++k)
            if (s[k] != s[k - 3])
                return false;
    }
    return true;
}

// Steps of d, 2d, 3d: a turn of one eighth, then two, then three. (A free second difference
// would fit any three values.)
bool growingStep(const Values& v, int modulus) {
    std::optional<int> d;
    for (const auto& s : v) {
        if (s.size() < 3)
            return false;
        const int first = stepOf(s[0], s[1], modulus);
        if (d && *d != first)
            return false;
        d = first;
        for (std::size_t k = 1; k + 1 < s.size(); ++k)
            if (stepOf(s[k], s[k + 1], modulus) != stepOf(0, int(k + 1) * first, modulus))
                return false;
    }
    return d && stepOf(0, *d, modulus) != 0;
}

// The third of each row from the first two: a sum or a difference.
bool thirdFromTwo(const Values& v, int sign) {
    for (const auto& s : v)
        if (s.size() != 3 || s[2] != s[0] + sign * s[1])
            return false;
    return true;
}

// Each value is the sum of the two before it.
bool runningSum(const Values& v) {
    bool seen = false;
    for (const auto& s : v)
        for (std::size_t k = 2; k < s.size(); ++k) {
            seen = true;
            if (s[k] != s[k - 1] + s[k - 2])
                return false;
        }
    return seen;
}

// Each step twice the one before: 2, 3, 5, 9 ("double it and take one away").
bool doublingStep(const Values& v) {
    bool seen = false;
    for (const auto& s : v)
        for (std::size_t k = 0; k + 2 < s.size(); ++k) {
            seen = true;
            const int d = s[k + 1] - s[k];
            if (d == 0 || s[k + 2] - s[k + 1] != 2 * d)
                return false;
        }
    return seen;
}

// Prime numbers in their order: 2, 3, 5, 7.
bool primes(const Values& v) {
    static constexpr std::array<int, 8> kPrimes{2, 3, 5, 7, 11, 13, 17, 19};
    for (const auto& s : v) {
        const auto first = std::find(kPrimes.begin(), kPrimes.end(), s[0]);
        if (s.size() < 3 || kPrimes.end() - first < std::ptrdiff_t(s.size()) ||
            !std::equal(s.begin(), s.end(), first))
            return false;
    }
    return true;
}

// Doubling or halving at every step.
bool doubling(const Values& v) {
    for (int dir : {0, 1}) {
        bool ok = true;
        for (const auto& s : v)
            for (std::size_t k = 0; k + 1 < s.size(); ++k)
                ok = ok && (dir ? s[k] == 2 * s[k + 1] : s[k + 1] == 2 * s[k]);
        if (ok)
            return true;
    }
    return false;
}

// All end on one value, and something changes to get there ("it becomes black").
bool becomesOne(const Values& v) {
    bool changes = false;
    for (const auto& s : v) {
        if (s.size() != 2 || s[1] != v[0][1])
            return false;
        changes = changes || s[0] != s[1];
    }
    return changes; // what already has the value keeps it: "it becomes black; that one already is"
}

// The values trade places: what was A becomes B and what was B becomes A.
bool exchange(const Values& v) {
    std::map<int, int> to;
    for (const auto& s : v) {
        if (s.size() != 2 || s[0] == s[1])
            return false;
        const auto [it, fresh] = to.emplace(s[0], s[1]);
        if (!fresh && it->second != s[1])
            return false;
    }
    for (const auto& [a, b] : to) {
        const auto back = to.find(b);
        if (back == to.end() || back->second != a)
            return false;
    }
    return true;
}

// Every change goes the same way, by any amount: "it grows".
bool sameDirection(const Values& v) {
    int sign = 0;
    for (const auto& s : v)
        for (std::size_t k = 0; k + 1 < s.size(); ++k) {
            const int d = s[k + 1] - s[k];
            if (d == 0 || (sign && (d > 0) != (sign > 0)))
                return false;
            sign = d;
        }
    return sign != 0;
}

// Moving a fixed step along a line of `length` places, turning back at either end.
bool bounce(const Values& v, int length) {
    const int period = 2 * (length - 1);
    auto at = [&](int u) {
        const int t = wrapTo(u, period);
        return t < length ? t : period - t;
    };
    for (int d = 1; d < period; ++d) {
        bool all = true;
        for (const auto& s : v) {
            bool any = false;
            for (int u0 : {s[0], period - s[0]}) {
                bool ok = true;
                for (std::size_t k = 0; k < s.size() && ok; ++k)
                    ok = at(u0 + int(k) * d) == s[k];
                any = any || ok;
            }
            all = all && any;
        }
        if (all)
            return true;
    }
    return false;
}

// ---- attribute families ------------------------------------------------------------------------

struct Family {
    int modulus = 0;         // cyclic values (fill, ring slot); 0 for plain numbers and categories
    bool ordered = false;    // steps mean something (not for shapes)
    bool arithmetic = false; // counts add up and double
    bool byEye = false;      // judged by eye: it only grows or only shrinks, by any amount
    bool named = false;      // values a person names, so two of them can trade places
};

struct Context {
    ReadingKind kind;
    bool byEye;
    bool cellMoves; // the whole cell turns or mirrors, which alone must explain its geometry
    const Shown& shown;
};

bool seriesLike(ReadingKind kind) {
    return kind == ReadingKind::Triples || kind == ReadingKind::Series;
}

// Nothing changes where the cells can be seen: a person then expects nothing to change where
// they cannot, however a cleverer rule might fit.
bool visiblyStill(const Values& v, const Shown& shown) {
    bool seen = false;
    for (std::size_t q = 0; q < v.size(); ++q)
        for (std::size_t k = 0; k + 1 < v[q].size(); ++k)
            if (shown[q][k] && shown[q][k + 1]) {
                if (v[q][k] != v[q][k + 1])
                    return false;
                seen = true;
            }
    return seen;
}

// Runs of three cells that the question shows: a rule about how the step itself changes is seen
// once per run, and a person trusts it only when it is seen twice.
int shownRunsOfThree(const Shown& shown) {
    int runs = 0;
    for (const auto& s : shown)
        for (std::size_t k = 0; k + 2 < s.size(); ++k)
            runs += s[k] && s[k + 1] && s[k + 2];
    return runs;
}

const char* explainValues(const Values& v, const Context& c, const Family& f) {
    if (constant(v))
        return "constant";
    if (visiblyStill(v, c.shown))
        return nullptr;
    if (f.ordered && progression(v, f.modulus))
        return "progression";
    if (f.arithmetic && doubling(v))
        return "doubling";
    if (seriesLike(c.kind)) {
        if (alternation(v))
            return "alternation";
        if (periodThree(v))
            return "three in turn";
        if (c.kind == ReadingKind::Series && inTwos(v))
            return "each twice in turn";
        const bool twice = shownRunsOfThree(c.shown) >= 2;
        // Not for the three fills, where any two steps "grow".
        if (f.ordered && f.modulus != 3 && growingStep(v, f.modulus))
            return twice ? "growing step" : "growing step, seen once";
        if (f.arithmetic && runningSum(v))
            return twice ? "running sum" : "running sum, seen once";
        if (f.arithmetic && primes(v))
            return twice ? "prime numbers" : "prime numbers, seen once";
        if (f.arithmetic && doublingStep(v))
            return twice ? "doubling step" : "doubling step, seen once";
    }
    if (c.kind == ReadingKind::Triples) {
        if (distributesThree(v))
            return "distribute-three";
        if (f.arithmetic && thirdFromTwo(v, 1))
            return "sum";
        if (f.arithmetic && thirdFromTwo(v, -1))
            return "difference";
    }
    if (c.kind == ReadingKind::Pairs) {
        if (becomesOne(v))
            return "becomes one value";
        if (f.named && exchange(v))
            return "exchange";
        if (c.byEye && f.byEye && sameDirection(v))
            return "same direction";
    }
    return nullptr;
}

// ---- orientation: a turn or a mirror of the element about its own centre -----------------------

int orientationCode(const Element& e) {
    return e.rot * 2 + (e.mirrored ? 1 : 0);
}

// The 16 symmetries of the eighth-turn compass: turns by t, and mirrors r -> c - r.
Element reoriented(Element e, int symmetry) {
    if (symmetry < kTurns) {
        e.rot += symmetry;
    } else {
        e.rot = (symmetry - kTurns) - e.rot;
        e.mirrored = !e.mirrored;
    }
    return canonical(e);
}

Values columnOf(const std::vector<std::vector<Element>>& element, int (*get)(const Element&)) {
    Values out;
    for (const auto& s : element) {
        std::vector<int> v;
        for (const Element& e : s)
            v.push_back(get(e));
        out.push_back(std::move(v));
    }
    return out;
}

const char* explainOrientation(const std::vector<std::vector<Element>>& seqs, const Context& c) {
    const Values codes = columnOf(seqs, orientationCode);
    if (constant(codes))
        return "constant";
    if (c.cellMoves || visiblyStill(codes, c.shown))
        return nullptr;
    for (int sym = 1; sym < 2 * kTurns; ++sym) {
        bool ok = true;
        for (const auto& s : seqs)
            for (std::size_t k = 0; k + 1 < s.size() && ok; ++k) {
                Element e = s[k];
                e.shape = s[k + 1].shape;
                ok = orientationCode(reoriented(e, sym)) == orientationCode(s[k + 1]);
            }
        // An eighth or three eighths is no turn a person expects: it must show twice.
        if (ok && sym < kTurns && sym % 2 == 1 && shownSteps(c.shown) < 2)
            return "same turn each step, seen once";
        if (ok)
            return sym < kTurns ? "same turn each step" : "same mirror each step";
    }
    Values rots;
    bool oneHand = true;
    for (const auto& s : seqs) {
        std::vector<int> r;
        for (const Element& e : s) {
            r.push_back(e.rot);
            oneHand = oneHand && e.mirrored == s[0].mirrored;
        }
        rots.push_back(std::move(r));
    }
    if (seriesLike(c.kind) && oneHand && growingStep(rots, kTurns))
        return shownRunsOfThree(c.shown) >= 2 ? "growing turn" : "growing turn, seen once";
    return explainValues(codes, c, Family{});
}

// ---- position: round the ring, in reading order, or by column and row --------------------------

Values positionValues(const Values& slots, int (*param)(int)) {
    Values out;
    for (const auto& s : slots) {
        std::vector<int> v;
        for (int slot : s)
            v.push_back(param(slot));
        out.push_back(std::move(v));
    }
    return out;
}

const char* explainPosition(const Values& slots, const Context& c) {
    if (constant(slots))
        return "constant";
    if (c.cellMoves || visiblyStill(slots, c.shown))
        return nullptr;
    bool ring = true;
    for (const auto& s : slots)
        for (int slot : s)
            ring = ring && slot != kCentre;
    if (ring && explainValues(slots, c, {kRing, true}))
        return "round the edge"; // either way
    const Family line{0, true};
    // Reading order row by row, from any corner.
    for (int dir = 0; dir < 4; ++dir) {
        Values reading;
        for (const auto& s : slots) {
            std::vector<int> v;
            for (int slot : s) {
                int col = kSlotCol[std::size_t(slot)], row = kSlotRow[std::size_t(slot)];
                if (dir & 1)
                    col = 2 - col;
                if (dir & 2)
                    row = 2 - row;
                v.push_back(dir & 4 ? col * 3 + row : row * 3 + col);
            }
            reading.push_back(std::move(v));
        }
        // Turning back at an end only shows over several steps in one sequence.
        const bool bounces = seriesLike(c.kind) && bounce(reading, 9);
        if (explainValues(reading, c, line) || progression(reading, 9) || bounces)
            return "in reading order";
    }
    auto along = [&](const Values& v) {
        return explainValues(v, c, line) || (seriesLike(c.kind) && bounce(v, 3));
    };
    if (along(positionValues(slots, [](int s) { return kSlotCol[s]; })) &&
        along(positionValues(slots, [](int s) { return kSlotRow[s]; })))
        return "by column and row, bouncing off the edges";
    return nullptr;
}

// ---- the line set ------------------------------------------------------------------------------

const char* explainLines(const Values& v, const Context& c) {
    if (constant(v))
        return "constant";
    if (visiblyStill(v, c.shown))
        return nullptr;
    std::optional<int> delta;
    bool same = true;
    for (const auto& s : v)
        for (std::size_t k = 0; k + 1 < s.size(); ++k) {
            const int d = s[k] ^ s[k + 1];
            same = same && (!delta || *delta == d);
            delta = d;
        }
    // On a cell that turns as well, only one line ("turn, and add a bar") and only where the
    // cells show it: a larger change, or one guessed from the options alone, fits nearly any
    // two figures.
    bool shownStep = false;
    for (std::size_t q = 0; q < v.size(); ++q)
        for (std::size_t k = 0; k + 1 < v[q].size(); ++k)
            shownStep = shownStep || (c.shown[q][k] && c.shown[q][k + 1]);
    const bool oneLine = delta && std::popcount(unsigned(*delta)) <= 2;
    if (same && delta && *delta && (!c.cellMoves || (shownStep && oneLine)))
        return "same lines added or removed";
    if (c.cellMoves)
        return nullptr;
    // A line figure that "becomes" another is only a copy of it, so that rule is left out here.
    if (c.kind != ReadingKind::Pairs)
        if (const char* why = explainValues(v, c, {0, false, false, false, true}))
            return why;
    if (!seriesLike(c.kind))
        return nullptr;
    static const std::array<std::pair<const char*, int (*)(int, int)>, 5> overlays{{
        {"overlay keeping lines drawn once", [](int a, int b) { return a ^ b; }},
        {"overlay of all lines", [](int a, int b) { return a | b; }},
        {"overlay keeping shared lines", [](int a, int b) { return a & b; }},
        {"first without the second", [](int a, int b) { return a & ~b; }},
        {"second without the first", [](int a, int b) { return b & ~a; }},
    }};
    for (const auto& [name, op] : overlays) {
        bool ok = true, seen = false;
        for (const auto& s : v)
            for (std::size_t k = 2; k < s.size(); ++k) {
                seen = true;
                ok = ok && s[k] == op(s[k - 2], s[k - 1]);
            }
        if (ok && seen)
            return name;
    }
    return nullptr;
}

// ---- matching the elements of the figures ------------------------------------------------------

// Ways to tell the elements of a figure apart: by shape, by place, or by shape and fill.
const std::array<std::pair<const char*, int (*)(const Element&)>, 3> kMatchKeys{{
    {"shape", [](const Element& e) { return int(e.shape); }},
    {"place", [](const Element& e) { return e.slot; }},
    {"shape and fill", [](const Element& e) { return int(e.shape) * 3 + int(e.fill); }},
}};

using Matched = std::vector<std::vector<std::vector<Element>>>; // [element][sequence][step]

// The elements in matched order; nothing when the key cannot tell them apart.
std::optional<Matched> matchElements(const Sequences& seqs, int (*key)(const Element&)) {
    const std::size_t n = seqs[0][0].elements.size();
    std::vector<int> keys;
    for (const Element& e : seqs[0][0].elements)
        keys.push_back(key(e));
    std::sort(keys.begin(), keys.end());
    if (n > 1 && std::adjacent_find(keys.begin(), keys.end()) != keys.end())
        return std::nullopt;
    Matched out(n, std::vector<std::vector<Element>>(seqs.size()));
    for (std::size_t q = 0; q < seqs.size(); ++q)
        for (const Figure& f : seqs[q]) {
            if (f.elements.size() != n)
                return std::nullopt;
            for (std::size_t i = 0; i < n; ++i) {
                const auto it =
                    n == 1 ? f.elements.begin()
                           : std::find_if(f.elements.begin(), f.elements.end(),
                                          [&](const Element& e) { return key(e) == keys[i]; });
                if (it == f.elements.end())
                    return std::nullopt;
                out[i][q].push_back(*it);
            }
        }
    return out;
}

// Why one element's attributes follow rules, or nothing.
std::optional<std::string> explainElement(const std::vector<std::vector<Element>>& element,
                                          const Context& c) {
    const Family shape{0, false, false, false, true}, size{0, true, false, true},
        fill{3, true, false, false, true}, count{0, true, true};
    const std::pair<const char*, const char*> parts[] = {
        {"shape",
         explainValues(columnOf(element, [](const Element& e) { return int(e.shape); }), c, shape)},
        {"position",
         explainPosition(columnOf(element, [](const Element& e) { return e.slot; }), c)},
        {"size",
         explainValues(columnOf(element, [](const Element& e) { return e.size; }), c, size)},
        {"orientation", explainOrientation(element, c)},
        {"fill",
         explainValues(columnOf(element, [](const Element& e) { return int(e.fill); }), c, fill)},
        {"count",
         explainValues(columnOf(element, [](const Element& e) { return e.count; }), c, count)},
    };
    std::string why;
    for (const auto& [name, rule] : parts) {
        if (!rule)
            return std::nullopt;
        if (std::string(rule) != "constant")
            why += std::string(", ") + shapeName(element[0][0].shape) + " " + name + " " + rule;
    }
    return why;
}

// Elements that change shape: followed by place along each sequence, and told apart across the
// sequences by their shape at its start ("the disc becomes a cross" in both pairs).
std::optional<Matched> matchByPlaceThenShape(const Sequences& seqs) {
    const std::size_t n = seqs[0][0].elements.size();
    std::vector<int> shapes;
    for (const Element& e : seqs[0][0].elements)
        shapes.push_back(int(e.shape));
    if (n < 2 || std::set<int>(shapes.begin(), shapes.end()).size() != n)
        return std::nullopt;
    Matched out(n, std::vector<std::vector<Element>>(seqs.size()));
    for (std::size_t q = 0; q < seqs.size(); ++q) {
        const Figure& first = seqs[q][0];
        if (first.elements.size() != n)
            return std::nullopt;
        for (std::size_t i = 0; i < n; ++i) {
            const auto role =
                std::find_if(first.elements.begin(), first.elements.end(),
                             [&](const Element& e) { return int(e.shape) == shapes[i]; });
            if (role == first.elements.end())
                return std::nullopt;
            for (const Figure& f : seqs[q]) {
                const auto it =
                    std::find_if(f.elements.begin(), f.elements.end(),
                                 [&](const Element& e) { return e.slot == role->slot; });
                if (f.elements.size() != n || it == f.elements.end())
                    return std::nullopt;
                // An element may turn into a new shape, not into another element's.
                if (int(it->shape) != shapes[i] &&
                    std::find(shapes.begin(), shapes.end(), int(it->shape)) != shapes.end())
                    return std::nullopt;
                out[i][q].push_back(*it);
            }
        }
    }
    return out;
}

std::optional<std::string> explainFigures(const Sequences& seqs, const Context& c) {
    Values lines;
    for (const auto& s : seqs) {
        std::vector<int> v;
        for (const Figure& f : s)
            v.push_back(f.lines);
        lines.push_back(std::move(v));
    }
    const char* linesWhy = explainLines(lines, c);
    if (!linesWhy)
        return std::nullopt;
    const std::string head = std::string("lines ") + linesWhy;
    for (std::size_t k = 0; k <= kMatchKeys.size(); ++k) {
        const auto matched = k < kMatchKeys.size() ? matchElements(seqs, kMatchKeys[k].second)
                                                   : matchByPlaceThenShape(seqs);
        const char* keyName = k < kMatchKeys.size() ? kMatchKeys[k].first : "place, then shape";
        if (!matched)
            continue;
        std::string why = head;
        bool ok = true;
        for (const auto& element : *matched) {
            const auto part = explainElement(element, c);
            ok = ok && part;
            if (!ok)
                break;
            why += *part;
        }
        if (ok)
            return matched->empty() ? why
                                    : "elements matched by " + std::string(keyName) + ": " + why;
    }
    return std::nullopt;
}

// The whole cell may turn or mirror at every step, with the attributes read after undoing it.
struct CellSymmetry {
    const char* name;
    Transform undo;
};

std::vector<CellSymmetry> cellSymmetries() {
    return {{"", identity()},
            {"cell turned 90 each step, then ", turn(3)},
            {"cell turned 180 each step, then ", turn(2)},
            {"cell turned 270 each step, then ", turn(1)},
            {"cell mirrored left-right each step, then ", mirror(0)},
            {"cell mirrored top-bottom each step, then ", mirror(1)},
            {"cell mirrored on a diagonal each step, then ", mirror(2)},
            {"cell mirrored on the other diagonal each step, then ", mirror(3)}};
}

} // namespace

int shownSteps(const Shown& shown) {
    int steps = 0;
    for (const auto& s : shown)
        for (std::size_t k = 0; k + 1 < s.size(); ++k)
            steps += s[k] && s[k + 1];
    return steps;
}

std::optional<std::string> attributeReading(const Sequences& seqs, const Shown& shown,
                                            ReadingKind kind, bool byEye) {
    static const std::vector<CellSymmetry> symmetries = cellSymmetries();
    // A turn or mirror that leaves the cells it can be seen on unchanged is no reading of them.
    auto idles = [&](const Transform& undo) {
        bool anyShown = false, acts = false, actsShown = false;
        for (std::size_t q = 0; q < seqs.size(); ++q)
            for (std::size_t k = 0; k + 1 < seqs[q].size(); ++k) {
                const bool visible = shown[q][k] && shown[q][k + 1];
                const bool changes = *undo(seqs[q][k]) != seqs[q][k];
                anyShown = anyShown || visible;
                acts = acts || changes;
                actsShown = actsShown || (visible && changes);
            }
        return anyShown ? !actsShown : !acts;
    };
    // Every second cell of a longer sequence turns or mirrors only as the cells between do, which
    // the reading step by step already covers.
    const std::size_t turns = kind == ReadingKind::Steps ? 1 : symmetries.size();
    for (std::size_t g = 0; g < turns; ++g) {
        if (g != 0 && idles(symmetries[g].undo))
            continue;
        Sequences undone;
        for (const auto& s : seqs) {
            std::vector<Figure> u;
            for (std::size_t k = 0; k < s.size(); ++k) {
                Figure f = s[k];
                for (std::size_t i = 0; i < k; ++i)
                    f = *symmetries[g].undo(f);
                u.push_back(std::move(f));
            }
            undone.push_back(std::move(u));
        }
        const Context c{kind, byEye, g != 0, shown};
        if (auto why = explainFigures(undone, c))
            return symmetries[g].name + *why;
    }
    return std::nullopt;
}

} // namespace fig
