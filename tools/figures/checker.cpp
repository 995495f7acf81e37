// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker.h"

#include "render.h"

#include <algorithm>
#include <map>

namespace fig {
namespace {

enum class ReadingKind {
    Triples, // rows or columns of a matrix
    Series,  // one long sequence
    Pairs,   // sequences of two: a first figure and what becomes of it
};

struct Reading {
    const char* name;
    ReadingKind kind;
    std::vector<std::vector<int>> sequences;
};

std::vector<Reading> readingsFor(Form form) {
    switch (form) {
    case Form::Matrix:
        return {{"rows", ReadingKind::Triples, {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}}},
                {"columns", ReadingKind::Triples, {{0, 3, 6}, {1, 4, 7}, {2, 5, 8}}},
                {"row ends", ReadingKind::Pairs, {{0, 2}, {3, 5}, {6, 8}}},
                {"column ends", ReadingKind::Pairs, {{0, 6}, {1, 7}, {2, 8}}}};
    case Form::Hexagon:
        return {{"around", ReadingKind::Series, {{0, 1, 2, 3, 4, 5}}},
                {"every second", ReadingKind::Pairs, {{0, 2}, {1, 3}, {2, 4}, {3, 5}}},
                {"opposite", ReadingKind::Pairs, {{0, 3}, {1, 4}, {2, 5}}}};
    case Form::Series:
        return {{"step one", ReadingKind::Series, {{0, 1, 2, 3}}},
                {"step two", ReadingKind::Pairs, {{0, 2}, {1, 3}}}};
    case Form::Analogy:
        return {{"across", ReadingKind::Pairs, {{0, 1}, {2, 3}}},
                {"down", ReadingKind::Pairs, {{0, 2}, {1, 3}}}};
    case Form::Pairs:
        return {{"pairs", ReadingKind::Pairs, {{0, 1}, {2, 3}}},
                {"pairs down", ReadingKind::Pairs, {{0, 2}, {1, 3}}}};
    }
    return {};
}

using Sequences = std::vector<std::vector<Figure>>;

bool chainHolds(const Sequences& seqs, const Transform& t) {
    for (const auto& s : seqs)
        for (std::size_t k = 0; k + 1 < s.size(); ++k) {
            const auto next = t(s[k]);
            if (!next || *next != s[k + 1])
                return false;
        }
    return true;
}

bool toggleHolds(const Sequences& seqs) {
    const Figure delta = exclusiveOr(seqs[0][0], seqs[0][1]);
    if (delta == Figure{})
        return false; // nothing changes: the identity transform already covers it
    for (const auto& s : seqs)
        for (std::size_t k = 0; k + 1 < s.size(); ++k)
            if (exclusiveOr(s[k], s[k + 1]) != delta)
                return false;
    return true;
}

bool combineHolds(const Sequences& seqs, const BinaryOp& op) {
    for (const auto& s : seqs)
        for (std::size_t k = 2; k < s.size(); ++k) {
            const auto made = op.apply(s[k - 2], s[k - 1]);
            if (!made || *made != s[k])
                return false;
        }
    return true;
}

template <typename T> bool distributesThree(const std::vector<std::vector<T>>& seqs) {
    std::vector<T> first = seqs[0];
    std::sort(first.begin(), first.end());
    if (std::adjacent_find(first.begin(), first.end()) != first.end())
        return false;
    for (auto s : seqs) {
        std::sort(s.begin(), s.end());
        if (s != first)
            return false;
    }
    return true;
}

// ---- attribute readings -------------------------------------------------------------------

enum class Scale { Category, Number, Cyclic };

struct Column {
    std::string name;
    Scale scale;
    int modulus;
    bool nameable; // a value one can be told to take ("becomes black"), unlike a size or a turn
    std::vector<std::vector<int>> values; // per sequence
};

int wrapTo(int v, int m) {
    return ((v % m) + m) % m;
}

int difference(const Column& c, int a, int b) {
    return c.scale == Scale::Cyclic ? wrapTo(b - a, c.modulus) : b - a;
}

bool constantHolds(const Column& c) {
    for (const auto& s : c.values)
        if (std::adjacent_find(s.begin(), s.end(), std::not_equal_to<>()) != s.end())
            return false;
    return true;
}

bool progressionHolds(const Column& c) {
    if (c.scale == Scale::Category)
        return false;
    const int d = difference(c, c.values[0][0], c.values[0][1]);
    for (const auto& s : c.values)
        for (std::size_t k = 0; k + 1 < s.size(); ++k)
            if (difference(c, s[k], s[k + 1]) != d)
                return false;
    return true;
}

bool arithmeticHolds(const Column& c, int sign) {
    if (c.scale != Scale::Number)
        return false;
    for (const auto& s : c.values)
        if (s[2] != s[0] + sign * s[1])
            return false;
    return true;
}

bool alternationHolds(const Column& c) {
    for (const auto& s : c.values)
        for (std::size_t k = 2; k < s.size(); ++k)
            if (s[k] != s[k - 2])
                return false;
    return true;
}

bool secondDifferenceHolds(const Column& c) {
    if (c.scale == Scale::Category)
        return false;
    for (const auto& s : c.values) {
        if (s.size() < 4)
            return false;
        const int dd = difference(c, s[0], s[1]) - difference(c, s[1], s[2]);
        for (std::size_t k = 1; k + 2 < s.size(); ++k)
            if (difference(c, s[k], s[k + 1]) - difference(c, s[k + 1], s[k + 2]) != dd)
                return false;
    }
    return true;
}

// Every pair visibly changes, and all end on the same value ("it becomes solid").
bool allBecomeOne(const Column& c) {
    for (const auto& s : c.values)
        if (s[0] == s[1] || s[1] != c.values[0][1])
            return false;
    return true;
}

// Which rule explains one attribute, or nullptr.
const char* explainColumn(const Column& c, ReadingKind kind) {
    if (constantHolds(c))
        return "constant";
    if (progressionHolds(c))
        return "progression";
    switch (kind) {
    case ReadingKind::Triples:
        if (distributesThree(c.values))
            return "distribute-three";
        if (arithmeticHolds(c, 1))
            return "sum";
        if (arithmeticHolds(c, -1))
            return "difference";
        break;
    case ReadingKind::Series:
        if (alternationHolds(c))
            return "alternation";
        if (secondDifferenceHolds(c))
            return "growing step";
        break;
    case ReadingKind::Pairs:
        if (c.nameable && allBecomeOne(c))
            return "becomes one value";
        break;
    }
    return nullptr;
}

// Splits the figures of a reading into attribute columns, matching elements either because every
// figure holds one element, or because every figure holds the same distinct shapes.
std::optional<std::vector<Column>> decompose(const Sequences& seqs) {
    const Figure& first = seqs[0][0];
    std::vector<Shape> shapes;
    for (const Element& e : first.elements)
        shapes.push_back(e.shape);
    const bool single = first.elements.size() == 1;
    bool sameShapes =
        shapes.size() >= 2 && std::adjacent_find(shapes.begin(), shapes.end()) == shapes.end();
    for (const auto& s : seqs)
        for (const Figure& f : s) {
            if (f.elements.size() != first.elements.size())
                return std::nullopt;
            for (std::size_t i = 0; i < f.elements.size(); ++i)
                if (f.elements[i].shape != shapes[i])
                    sameShapes = false;
        }
    if (!single && !sameShapes)
        return std::nullopt;

    std::vector<Column> columns;
    auto add = [&](std::string name, Scale scale, int modulus, auto get) {
        const bool nameable = name.ends_with("shape") || name.ends_with("fill") ||
                              name.ends_with("hand") || name == "lines";
        Column c{std::move(name), scale, modulus, nameable, {}};
        for (const auto& s : seqs) {
            std::vector<int> v;
            for (const Figure& f : s)
                v.push_back(get(f));
            c.values.push_back(std::move(v));
        }
        columns.push_back(std::move(c));
    };
    for (std::size_t i = 0; i < first.elements.size(); ++i) {
        const std::string tag = single ? std::string() : std::string(shapeName(shapes[i])) + ".";
        if (single)
            add("shape", Scale::Category, 0,
                [](const Figure& f) { return int(f.elements[0].shape); });
        bool ring = true;
        for (const auto& s : seqs)
            for (const Figure& f : s)
                ring = ring && f.elements[i].slot != kCentre;
        add(tag + "slot", ring ? Scale::Cyclic : Scale::Category, kRing,
            [i](const Figure& f) { return f.elements[i].slot; });
        add(tag + "size", Scale::Number, 0, [i](const Figure& f) { return f.elements[i].size; });
        add(tag + "turn", Scale::Cyclic, kTurns,
            [i](const Figure& f) { return f.elements[i].rot; });
        add(tag + "fill", Scale::Cyclic, 3,
            [i](const Figure& f) { return int(f.elements[i].fill); });
        add(tag + "count", Scale::Number, 0, [i](const Figure& f) { return f.elements[i].count; });
        add(tag + "hand", Scale::Category, 0,
            [i](const Figure& f) { return int(f.elements[i].mirrored); });
    }
    add("lines", Scale::Category, 0, [](const Figure& f) { return int(f.lines); });
    return columns;
}

std::optional<std::string> attributeReading(const Sequences& seqs, ReadingKind kind) {
    const auto columns = decompose(seqs);
    if (!columns)
        return std::nullopt;
    std::string why;
    for (const Column& c : *columns) {
        const char* rule = explainColumn(c, kind);
        if (!rule)
            return std::nullopt;
        if (std::string(rule) != "constant")
            why += (why.empty() ? "" : ", ") + c.name + " " + rule;
    }
    return "attributes: " + (why.empty() ? std::string("all constant") : why);
}

// Every rule of the library that the completed cells satisfy under this reading.
std::vector<std::string> explain(const Sequences& seqs, ReadingKind kind,
                                 const std::vector<Transform>& library,
                                 const std::vector<BinaryOp>& ops) {
    std::vector<std::string> out;
    for (const Transform& t : library)
        if (chainHolds(seqs, t)) {
            out.push_back("transform " + t.name);
            break; // one transform is enough to accept the option
        }
    if (toggleHolds(seqs))
        out.push_back("same change added or removed");
    if (kind != ReadingKind::Pairs)
        for (const BinaryOp& op : ops)
            if (combineHolds(seqs, op))
                out.push_back("overlay " + op.name);
    if (kind == ReadingKind::Triples && distributesThree(seqs))
        out.push_back("distribute three figures");
    if (auto a = attributeReading(seqs, kind))
        out.push_back(*a);
    return out;
}

std::string letters(std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    std::string s;
    for (int i : indices)
        s += char('a' + i);
    return s;
}

// ---- candidates-only heuristics ---------------------------------------------------------------

using Features = std::map<std::string, std::string>;

Features featuresOf(const Figure& f) {
    Features out;
    // Elements are matched by their place in the canonical order, which sorts by shape first.
    for (std::size_t i = 0; i < f.elements.size(); ++i) {
        const Element& e = f.elements[i];
        const std::string key = "e" + std::to_string(i);
        out[key + ".shape"] = shapeName(e.shape);
        out[key + ".slot"] = std::to_string(e.slot);
        out[key + ".size"] = std::to_string(e.size);
        out[key + ".turn"] = std::to_string(e.rot);
        out[key + ".fill"] = fillName(e.fill);
        out[key + ".count"] = std::to_string(e.count);
        out[key + ".hand"] = e.mirrored ? "mirrored" : "plain";
    }
    for (int b = 0; b < kLineBits; ++b)
        if (f.lines & (1u << b))
            out["line" + std::to_string(b)] = "drawn";
    return out;
}

int featureDistance(const Features& a, const Features& b) {
    int d = 0;
    for (const auto& [k, v] : a) {
        const auto it = b.find(k);
        d += it == b.end() || it->second != v;
    }
    for (const auto& [k, v] : b)
        d += a.find(k) == a.end();
    return d;
}

// The top `wanted` options by score, or "" where the cut falls on a tie.
std::string topBy(const std::vector<int>& score, std::size_t wanted) {
    std::vector<int> order(score.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return score[std::size_t(a)] > score[std::size_t(b)]; });
    if (wanted < order.size() &&
        score[std::size_t(order[wanted - 1])] == score[std::size_t(order[wanted])])
        return {};
    return letters({order.begin(), order.begin() + std::ptrdiff_t(wanted)});
}

std::string closestPair(const std::vector<std::vector<int>>& dist) {
    int best = -1, count = 0;
    std::vector<int> pick;
    for (std::size_t i = 0; i < dist.size(); ++i)
        for (std::size_t j = i + 1; j < dist.size(); ++j) {
            if (best < 0 || dist[i][j] < best) {
                best = dist[i][j];
                count = 1;
                pick = {int(i), int(j)};
            } else if (dist[i][j] == best) {
                ++count;
            }
        }
    return count == 1 ? letters(pick) : std::string();
}

} // namespace

Verdict solve(const Board& board, int depth) {
    const std::vector<Transform> library = transformLibrary(depth);
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
            for (const auto& idx : r.sequences) {
                std::vector<Figure> s;
                for (int i : idx)
                    s.push_back(cells[std::size_t(i)]);
                seqs.push_back(std::move(s));
            }
            for (const std::string& why : explain(seqs, r.kind, library, ops)) {
                const std::string answer = letters(placement);
                verdict.answers.insert(answer);
                verdict.findings.push_back({answer, std::string(r.name) + ": " + why});
            }
        }
    }
    return verdict;
}

int pixelDistance(const Figure& a, const Figure& b, Form form) {
    const Bitmap pa = renderOption(a, form), pb = renderOption(b, form);
    int d = 0;
    for (std::size_t i = 0; i < pa.pixels().size(); ++i)
        d += pa.pixels()[i] != pb.pixels()[i];
    return d;
}

std::vector<Guess> guessFromOptions(const Board& board) {
    const std::size_t n = board.options.size();
    const std::size_t wanted = missingCells(board.form).size();
    std::vector<Features> features;
    for (const Figure& f : board.options)
        features.push_back(featuresOf(f));

    std::vector<std::vector<int>> byFeature(n, std::vector<int>(n, 0)), byPixel = byFeature;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            byFeature[i][j] = featureDistance(features[i], features[j]);
            byPixel[i][j] = pixelDistance(board.options[i], board.options[j], board.form);
        }
    auto totals = [&](const std::vector<std::vector<int>>& dist, int sign) {
        std::vector<int> s(n, 0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                s[i] += sign * dist[i][j];
        return s;
    };

    // Majority vote: each attribute's most common value (if one is most common) earns a point.
    std::set<std::string> keys;
    for (const Features& f : features)
        for (const auto& kv : f)
            keys.insert(kv.first);
    std::vector<int> votes(n, 0);
    for (const std::string& key : keys) {
        std::map<std::string, int> tally;
        for (const Features& f : features) {
            const auto it = f.find(key);
            ++tally[it == f.end() ? std::string("-") : it->second];
        }
        int best = 0, ties = 0;
        std::string value;
        for (const auto& [v, c] : tally) {
            if (c > best) {
                best = c;
                ties = 1;
                value = v;
            } else if (c == best) {
                ++ties;
            }
        }
        if (ties != 1 || best < 2)
            continue;
        for (std::size_t i = 0; i < n; ++i) {
            const auto it = features[i].find(key);
            votes[i] += (it == features[i].end() ? std::string("-") : it->second) == value;
        }
    }

    std::vector<Guess> out{
        {"majority vote", topBy(votes, wanted)},
        {"odd one out (attributes)", topBy(totals(byFeature, 1), wanted)},
        {"odd one out (pixels)", topBy(totals(byPixel, 1), wanted)},
        {"nearest the others (attributes)", topBy(totals(byFeature, -1), wanted)},
        {"nearest the others (pixels)", topBy(totals(byPixel, -1), wanted)},
    };
    if (wanted == 2) {
        out.push_back({"most alike pair (attributes)", closestPair(byFeature)});
        out.push_back({"most alike pair (pixels)", closestPair(byPixel)});
    }
    return out;
}

} // namespace fig
