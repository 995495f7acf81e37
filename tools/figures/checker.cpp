// SPDX-License-Identifier: MIT
#include "checker.h"

#include "attributes.h"

#include <algorithm>
#include <functional>

namespace fig {
namespace {

struct Reading {
    const char* name;
    ReadingKind kind;
    std::vector<std::vector<int>> sequences;
    bool byEye = false;     // one change per sequence, so its size can only be judged by eye
    bool wholeOnly = false; // only a change of the whole figure, the same in every sequence
};

std::vector<Reading> readingsFor(Form form) {
    switch (form) {
    case Form::Matrix:
        return {{"rows", ReadingKind::Triples, {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}}},
                {"columns", ReadingKind::Triples, {{0, 3, 6}, {1, 4, 7}, {2, 5, 8}}},
                {"diagonals", ReadingKind::Triples, {{0, 4, 8}, {1, 5, 6}, {2, 3, 7}}},
                {"other diagonals", ReadingKind::Triples, {{2, 4, 6}, {1, 3, 8}, {0, 5, 7}}},
                {"row ends", ReadingKind::Pairs, {{0, 2}, {3, 5}, {6, 8}}},
                {"column ends", ReadingKind::Pairs, {{0, 6}, {1, 7}, {2, 8}}},
                {"reading order", ReadingKind::Series, {{0, 1, 2, 3, 4, 5, 6, 7, 8}}}};
    case Form::Hexagon:
        return {{"around", ReadingKind::Series, {{0, 1, 2, 3, 4, 5}}},
                {"every second", ReadingKind::Series, {{0, 2, 4}, {1, 3, 5}}},
                {"opposite", ReadingKind::Pairs, {{0, 3}, {1, 4}, {2, 5}}},
                // Neighbouring sectors pair as readily as opposite ones, either way round the
                // ring, and so do the mirror images across the upright axis.
                {"neighbours", ReadingKind::Pairs, {{0, 1}, {2, 3}, {4, 5}}},
                {"neighbours, one on", ReadingKind::Pairs, {{1, 2}, {3, 4}, {5, 0}}},
                {"across the upright", ReadingKind::Pairs, {{0, 5}, {1, 4}, {2, 3}}}};
    case Form::Series:
        return {{"step one", ReadingKind::Series, {{0, 1, 2, 3}}},
                {"step two", ReadingKind::Steps, {{0, 2}, {1, 3}}},
                // A row of four also reads as two pairs whose first cells change the same way,
                // where that change is one a reader names whole (a flip, a turn).
                {"two pairs", ReadingKind::Pairs, {{0, 1}, {2, 3}}, true, true}};
    case Form::Analogy:
        return {{"across", ReadingKind::Pairs, {{0, 1}, {2, 3}}, true},
                {"down", ReadingKind::Pairs, {{0, 2}, {1, 3}}, true}};
    case Form::Pairs:
        return {{"pairs", ReadingKind::Pairs, {{0, 1}, {2, 3}}, true},
                // Both answers come from the options here, so only the same change can link them.
                {"pairs down", ReadingKind::Steps, {{0, 2}, {1, 3}}}};
    }
    return {};
}

// Whether `holds` accepts every step (k, k + 1) of the sequences; with `shownOnly`, only the steps
// between two cells of the question, and then false when there is none.
template <typename Step>
bool everyStep(const Sequences& seqs, const Shown& shown, bool shownOnly, Step holds) {
    bool seen = false;
    for (std::size_t q = 0; q < seqs.size(); ++q)
        for (std::size_t k = 0; k + 1 < seqs[q].size(); ++k) {
            if (shownOnly && !(shown[q][k] && shown[q][k + 1]))
                continue;
            seen = true;
            if (!holds(seqs[q][k], seqs[q][k + 1]))
                return false;
        }
    return seen || !shownOnly;
}

bool maps(const Transform& t, const Figure& from, const Figure& to) {
    const auto next = t(from);
    return next && *next == to;
}

// A transform explains a reading when it maps every step, and none of its parts idles where the
// question can be seen: "mirror, then grow" is not a reading of steps that only grow.
std::optional<std::string> transformReading(const Sequences& seqs, const Shown& shown,
                                            const std::vector<Transform>& base) {
    auto holds = [&](const Transform& t, bool shownOnly) {
        return everyStep(seqs, shown, shownOnly,
                         [&](const Figure& a, const Figure& b) { return maps(t, a, b); });
    };
    const bool still = holds(identity(), true);
    for (std::size_t i = 1; i < base.size(); ++i) {
        if (holds(base[i], false) && !still)
            return base[i].name;
    }
    for (std::size_t i = 1; i < base.size(); ++i)
        for (std::size_t j = 1; j < base.size(); ++j) {
            const Transform t = then(base[i], base[j]);
            if (holds(t, false) && !still && !holds(base[i], true) && !holds(base[j], true))
                return t.name;
        }
    return std::nullopt;
}

// Two turns or mirrors in turn ("flip left to right, then upside down, then back"). A four-cell
// series shows each once, so it cannot carry a key there.
std::optional<std::string> alternatingReading(const Sequences& seqs, const Shown& shown,
                                              const std::vector<Transform>& base) {
    std::vector<const Transform*> moves;
    for (const Transform& t : base)
        if (t.name.starts_with("turn") || t.name.starts_with("spin") ||
            t.name.starts_with("mirror"))
            moves.push_back(&t);
    for (const Transform* a : moves)
        for (const Transform* b : moves) {
            if (a == b)
                continue;
            bool ok = true, acts = false, again = false;
            for (std::size_t q = 0; q < seqs.size() && ok; ++q)
                for (std::size_t k = 0; k + 1 < seqs[q].size() && ok; ++k) {
                    const Transform& t = k % 2 == 0 ? *a : *b;
                    ok = maps(t, seqs[q][k], seqs[q][k + 1]);
                    const bool visible = shown[q][k] && shown[q][k + 1];
                    acts = acts || (visible && seqs[q][k] != seqs[q][k + 1]);
                    again = again || (visible && k >= 2 && shown[q][k - 2] && shown[q][k - 1]);
                }
            if (ok && acts)
                return a->name + " and " + b->name + " in turn" + (again ? "" : ", seen once");
        }
    return std::nullopt;
}

bool toggleHolds(const Sequences& seqs, const Shown& shown) {
    const Figure delta = exclusiveOr(seqs[0][0], seqs[0][1]);
    if (delta == Figure{})
        return false; // nothing changes: the identity transform already covers it
    auto same = [&](const Figure& a, const Figure& b) { return exclusiveOr(a, b) == delta; };
    return everyStep(seqs, shown, false, same) &&
           !everyStep(seqs, shown, true, std::equal_to<Figure>());
}

bool combineHolds(const Sequences& seqs, const BinaryOp& op) {
    bool seen = false;
    for (const auto& s : seqs)
        for (std::size_t k = 2; k < s.size(); ++k) {
            seen = true;
            const auto made = op.apply(s[k - 2], s[k - 1]);
            if (!made || *made != s[k])
                return false;
        }
    return seen;
}

// Every rule of the library that the completed cells satisfy under this reading.
std::vector<std::string> explain(const Sequences& seqs, const Shown& shown, const Reading& r,
                                 const std::vector<Transform>& base,
                                 const std::vector<BinaryOp>& ops) {
    std::vector<std::string> out;
    if (auto t = transformReading(seqs, shown, base)) {
        // A turn by an odd number of eighths must be seen twice before it is trusted.
        const bool oddTurn =
            *t == "spin45" || *t == "spin135" || *t == "spin225" || *t == "spin315";
        out.push_back("transform " + *t + (oddTurn && shownSteps(shown) < 2 ? ", seen once" : ""));
    }
    if (r.wholeOnly)
        return out;
    if (r.kind == ReadingKind::Series)
        if (auto t = alternatingReading(seqs, shown, base))
            out.push_back("transforms " + *t);
    if (toggleHolds(seqs, shown))
        out.push_back("same change added or removed");
    if (r.kind != ReadingKind::Pairs && r.kind != ReadingKind::Steps)
        for (const BinaryOp& op : ops)
            if (combineHolds(seqs, op))
                out.push_back("overlay " + op.name);
    if (r.kind == ReadingKind::Triples && distributesThree(seqs))
        out.push_back("distribute three figures");
    if (auto a = attributeReading(seqs, shown, r.kind, r.byEye))
        out.push_back(*a);
    return out;
}

} // namespace

std::string letters(std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    std::string s;
    for (int i : indices)
        s += char('a' + i);
    return s;
}

std::vector<std::string> gateFaults(const Puzzle& p, const Verdict& v) {
    std::string key = p.definition.key;
    std::sort(key.begin(), key.end());
    std::vector<std::string> faults;
    if (v.answers != std::set<std::string>{key}) {
        std::string found;
        for (const std::string& a : v.answers)
            found += (found.empty() ? "" : ",") + a;
        faults.push_back("answers {" + found + "}, not the key " + key + " alone");
    } else if (!v.firm.count(key)) {
        faults.push_back("the key rests only on a rule the question shows once");
    }
    const Board& b = p.board;
    for (std::size_t i = 0; i < b.options.size(); ++i)
        for (std::size_t j = i + 1; j < b.options.size(); ++j)
            if (pixelDistance(b.options[i], b.options[j], b.form) < 30)
                faults.push_back(std::string("options ") + char('a' + i) + " and " + char('a' + j) +
                                 " differ in fewer than 30 pixels");
    if (b.form == Form::Pairs && relatedPairs(b, true).size() < 2)
        faults.push_back("fewer than two pairs of options one change apart");
    for (const Guess& g : guessFromOptions(b))
        if (g.answer == key)
            faults.push_back("heuristic " + g.heuristic + " finds the key");
    return faults;
}

Verdict solve(const Board& board) {
    const std::vector<Transform> base = baseTransforms();
    const std::vector<BinaryOp> ops = binaryOps();
    const std::vector<int> missing = missingCells(board.form);
    const int n = int(board.options.size());

    std::vector<std::vector<int>> placements;
    for (int i = 0; i < n; ++i) {
        if (missing.size() == 1) {
            placements.push_back({i});
            continue;
        }
        for (int j = 0; j < n; ++j)
            if (j != i)
                placements.push_back({i, j});
    }

    Verdict verdict;
    for (const auto& placement : placements) {
        std::vector<Figure> cells = board.cells;
        for (std::size_t k = 0; k < missing.size(); ++k)
            cells[std::size_t(missing[k])] = board.options[std::size_t(placement[k])];
        for (const Reading& r : readingsFor(board.form)) {
            Sequences seqs;
            Shown shown;
            for (const auto& idx : r.sequences) {
                std::vector<Figure> s;
                std::vector<bool> visible;
                for (int i : idx) {
                    s.push_back(cells[std::size_t(i)]);
                    visible.push_back(std::find(missing.begin(), missing.end(), i) ==
                                      missing.end());
                }
                seqs.push_back(std::move(s));
                shown.push_back(std::move(visible));
            }
            for (const std::string& why : explain(seqs, shown, r, base, ops)) {
                const std::string answer = letters(placement);
                const bool once = why.find("seen once") != std::string::npos;
                verdict.answers.insert(answer);
                if (!once)
                    verdict.firm.insert(answer);
                verdict.findings.push_back({answer, std::string(r.name) + ": " + why, once});
            }
        }
    }
    return verdict;
}

} // namespace fig
