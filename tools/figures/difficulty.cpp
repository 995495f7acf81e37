// SPDX-License-Identifier: MIT
#include "difficulty.h"

#include <algorithm>
#include <bit>
#include <map>
#include <numeric>
#include <optional>
#include <set>

namespace fig {
namespace {

using Kinds = std::set<std::string>;

// The kinds of attribute in which `other` differs from `base`. With `byShape`, elements are
// matched and named by shape ("circle.position"), so that two elements' rules stay apart.
Kinds differingKinds(const Figure& base, const Figure& other, bool byShape) {
    Kinds out;
    if (base.lines != other.lines)
        out.insert("lines");
    if (base.elements.size() != other.elements.size()) {
        out.insert("elements");
        return out;
    }
    for (std::size_t i = 0; i < base.elements.size(); ++i) {
        const Element& a = base.elements[i];
        const Element* b = &other.elements[i];
        if (byShape) {
            const auto it = std::find_if(other.elements.begin(), other.elements.end(),
                                         [&](const Element& e) { return e.shape == a.shape; });
            if (it != other.elements.end())
                b = &*it;
        }
        const std::string name = byShape ? std::string(shapeName(a.shape)) + "." : std::string();
        for (Attribute attr : {Attribute::Shape, Attribute::Slot, Attribute::Size, Attribute::Fill,
                               Attribute::Count})
            if (attributeValue(a, attr) != attributeValue(*b, attr))
                out.insert(name + attributeName(attr));
        if (a.rot != b->rot || a.mirrored != b->mirrored)
            out.insert(name + attributeName(Attribute::Rot));
    }
    return out;
}

// The rules of a layer, each as the kinds of attribute it governs.
std::vector<Kinds> components(const Definition& d, const Layer& layer, bool byShape) {
    std::vector<Kinds> out;
    const Rule& rule = layer.rule;
    const Figure& start = layer.starts.at(0);
    auto pieces = [&] {
        for (const Transform& t : rule.step.simpleChanges()) {
            const auto next = t(start);
            Kinds kinds = next ? differingKinds(start, *next, byShape) : Kinds{};
            // A whole cell that turns is seen as one picture turning, not as each of its parts
            // moving round: every part it carries counts as turned.
            // So is one mirrored left to right or upside down, which panels found easier still.
            const bool mirrors = (t.name == "mirrorLR" || t.name == "mirrorTB") &&
                                 std::any_of(kinds.begin(), kinds.end(), [](const std::string& k) {
                                     return k.ends_with("position");
                                 });
            if (t.name.starts_with("turn") || mirrors) {
                Kinds turned;
                for (const std::string& k : kinds)
                    turned.insert(k.substr(0, k.find('.')) + (mirrors ? ".mirrored" : ".turned"));
                kinds = std::move(turned);
            }
            out.push_back(kinds);
        }
    };
    switch (rule.kind) {
    case Rule::Chain:
    case Rule::Relation:
    case Rule::Interleaved:
        pieces();
        break;
    case Rule::Combine: {
        const std::vector<Figure> cells = layCells(d, layer);
        out.push_back(differingKinds(cells.at(0), cells.at(2), byShape));
        break;
    }
    case Rule::Latin:
        break;
    }
    for (const LatinAttribute& l : rule.latin) {
        std::string name = attributeName(l.attribute);
        if (byShape)
            name = std::string(shapeName(start.elements.at(0).shape)) + "." + name;
        out.push_back({name});
    }
    return out;
}

// What noticing a change of one kind costs: a fill or a shape is seen at a glance, a count or a
// size needs comparing, a turn needs following, a place round the edge needs tracking.
// In a series a place round the edge is followed from frame to frame, and panels rated a walk
// there below an overlay.
int kindCost(const std::string& kind, Form form) {
    const std::string bare = kind.substr(kind.find('.') + 1);
    static const std::map<std::string, int> costs{
        {"fill", 2},  {"shape", 2},    {"count", 3},    {"size", 2},   {"orientation", 6},
        {"lines", 6}, {"position", 8}, {"elements", 4}, {"turned", 6}, {"mirrored", 5}};
    const auto it = costs.find(bare);
    if (bare == "position" && form == Form::Series)
        return 5;
    return it == costs.end() ? 2 : it->second;
}

// A change of several kinds at once (a whole cell turning) is one thing to see, a little more
// than its dearest kind.
int componentCost(const Kinds& kinds, Form form) {
    int most = 0;
    for (const std::string& k : kinds)
        most = std::max(most, kindCost(k, form));
    return most + std::max(0, int(kinds.size()) - 1);
}

// Counts laid out over a grid that step unevenly (3 2 5 / 2 2 4 / 2 4 6) hide a sum.
bool arithmetic(const LatinAttribute& l) {
    if (l.attribute != Attribute::Count)
        return false;
    for (std::size_t i = 2; i < l.values.size(); ++i)
        if (l.values[i] - l.values[i - 1] != l.values[1] - l.values[0])
            return true;
    return false;
}

// Two marks that trade black and empty at a step can no longer be told apart by their fill, only
// by their shape, so following each one costs more.
bool tradesFills(const Figure& from, const Figure& to) {
    const auto fillOf = [](const Figure& f, Shape s) -> std::optional<Fill> {
        for (const Element& e : f.elements)
            if (e.shape == s)
                return e.fill;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < from.elements.size(); ++i)
        for (std::size_t j = i + 1; j < from.elements.size(); ++j) {
            const Element& a = from.elements[i];
            const Element& b = from.elements[j];
            if (a.shape == b.shape || a.fill == b.fill)
                continue;
            if (fillOf(to, a.shape) == b.fill && fillOf(to, b.shape) == a.fill)
                return true;
        }
    return false;
}

bool isCycle(const LatinAttribute& l) {
    return l.values.size() <= 4;
}

int effortOf(const Definition& d, bool byShape) {
    int effort = 0, diagonal = 0;
    Kinds seen; // every kind that some rule governs
    for (const Layer& layer : d.layers) {
        const Rule& rule = layer.rule;
        for (const Kinds& k : components(d, layer, byShape)) {
            effort += componentCost(k, d.form);
            seen.insert(k.begin(), k.end());
        }
        // In a series the trade is shown twice over and reads as each mark alternating; panels
        // rated it no harder there than one alternating mark.
        if (const auto next = rule.step(layer.starts.at(0)); next && d.form != Form::Series)
            effort += 6 * tradesFills(layer.starts.at(0), *next);
        // An overlay is found only by laying cells over each other. In a series, which leads one
        // to look for a change from cell to cell, panels rated it harder still.
        effort += rule.kind == Rule::Combine ? (d.form == Form::Series ? 14 : 7) : 0;
        // Two changes in turn are two rules to find, and the second shows only once.
        effort += rule.alternate ? 6 : 0;
        // Cells that belong together every second step show no rule between neighbours: the
        // pairing has to be found before the change can be.
        effort += rule.kind == Rule::Interleaved ? 6 : 0;
        // Three fills in turn are more to hold in mind than two; a half turn looks like a flip,
        // and must be told from one; a flip over a diagonal looks like a quarter turn, and only
        // the side a short arm stands on tells them apart (panels rated it a point above a half
        // turn).
        for (const Transform& t : rule.step.simpleChanges()) {
            effort +=
                t.name.starts_with("fillCycle") + 3 * (t.name == "spin180" || t.name == "turn180");
            diagonal += 8 * (t.name == "mirrorDiag" || t.name == "mirrorAnti");
        }
        // Values spread over a grid are read in several directions; the more values, the
        // longer the search. A series is read one way only; there a count that doubles costs
        // little more than one that steps by one, as the panels rated them.
        for (const LatinAttribute& l : rule.latin) {
            const std::set<int> values(l.values.begin(), l.values.end());
            effort += (d.form == Form::Series ? 0 : std::min<int>(int(values.size()), 4)) +
                      (arithmetic(l) ? 2 : 0);
        }
        // Attributes that come round at rates with no common beat (every second and every
        // third cell) are hard to keep apart.
        for (std::size_t i = 0; i < rule.latin.size(); ++i)
            for (std::size_t j = i + 1; j < rule.latin.size(); ++j)
                effort +=
                    4 * (isCycle(rule.latin[i]) && isCycle(rule.latin[j]) &&
                         std::gcd(rule.latin[i].values.size(), rule.latin[j].values.size()) == 1);
    }
    // The pairs never show their change: it has to be found among five options, by trying
    // each against both figures. The panel rated this the hardest search of all.
    if (d.form == Form::Pairs) {
        effort += 14 + int(d.layers.at(0).rule.step.simpleChanges().size());
        // ... and carried over from one shape to another where the two pairs differ.
        const std::vector<Figure>& starts = d.layers.at(0).starts;
        const auto shapeOf = [](const Figure& f) {
            return f.elements.empty() ? -1 : int(f.elements.front().shape);
        };
        effort += starts.size() > 1 && shapeOf(starts[0]) != shapeOf(starts[1]);
    }
    // Elements that each follow a rule of their own must be followed apart; a change that takes
    // every element alike (a whole cell turning, all fills swapping) is followed as one.
    const Figure& start = d.layers.at(0).starts.at(0);
    const auto apart = [](const Layer& layer) {
        const auto changes = layer.rule.step.simpleChanges();
        return std::any_of(changes.begin(), changes.end(), [](const Transform& t) {
            return t.name.find(':') != std::string::npos;
        });
    };
    if (d.layers.size() > 1 || (byShape && start.elements.size() > 1 && apart(d.layers.at(0))))
        effort += 4;
    // Sectors that pair across the centre of a hexagon show no rule round the ring: the pairing
    // has to be found before the change can be, a search nearly as long as the pairs' one.
    if (d.form == Form::Hexagon && d.layers.at(0).rule.kind == Rule::Relation)
        effort += 10;
    // A figure that turns in place beside a mark that walks round the edge invites reading the
    // whole cell as one turn; the two motions have to be told apart.
    const auto has = [&](std::string_view bare) {
        return std::any_of(seen.begin(), seen.end(),
                           [&](const std::string& k) { return k.ends_with(bare); });
    };
    effort += 4 * (d.layers.size() > 1 && has("turned") && has("position"));
    // An analogy shows its change whole, beside the figure it is to be carried to: it is
    // copied more than searched for, so its rules cost half, above the cost of holding it.
    // A flip over a diagonal, shown whole, still has to be told from a turn by the side its short
    // arm stands on, so that part of its cost is not halved.
    if (d.form == Form::Analogy)
        effort = 6 + effort / 2;
    return effort + diagonal;
}

} // namespace

int Difficulty::score() const {
    return 3 * effort + 4 * needed + std::max(0, 3 - nearestDecoy);
}

Difficulty difficulty(const Puzzle& p) {
    Difficulty d;
    const std::vector<int> keys = keyIndices(p.definition.key);
    const Figure& first = p.board.options.at(std::size_t(keys.at(0)));
    const bool byShape = first.elements.size() > 1;

    // What a wrong option gets wrong, in the place of each answer it could stand for.
    std::vector<Kinds> wrongs;
    d.nearestDecoy = 99;
    for (std::size_t i = 0; i < p.board.options.size(); ++i) {
        if (std::find(keys.begin(), keys.end(), int(i)) != keys.end())
            continue;
        for (int k : keys) {
            const Figure& answer = p.board.options[std::size_t(k)];
            wrongs.push_back(differingKinds(answer, p.board.options[i], byShape));
            d.nearestDecoy =
                std::min(d.nearestDecoy, attributeDistance(p.board.options[i], answer));
        }
    }

    // A kind costs as many rules as govern it; noticing that it never changes costs one.
    std::map<std::string, int> cost;
    for (const Layer& layer : p.definition.layers)
        for (const Kinds& governs : components(p.definition, layer, byShape)) {
            ++d.components;
            for (const std::string& k : governs)
                ++cost[k];
        }
    Kinds all;
    for (const Kinds& w : wrongs)
        all.insert(w.begin(), w.end());
    const std::vector<std::string> names(all.begin(), all.end());
    d.needed = 99;
    for (unsigned mask = 0; mask < (1u << names.size()); ++mask) {
        const bool covers = std::all_of(wrongs.begin(), wrongs.end(), [&](const Kinds& w) {
            for (std::size_t b = 0; b < names.size(); ++b)
                if ((mask >> b & 1) && w.count(names[b]))
                    return true;
            return false;
        });
        if (!covers)
            continue;
        int total = 0;
        for (std::size_t b = 0; b < names.size(); ++b)
            if (mask >> b & 1)
                total += std::max(1, cost[names[b]]);
        d.needed = std::min(d.needed, total);
    }

    Kinds changing;
    for (const Figure& a : p.cells)
        for (const Figure& b : p.cells) {
            const Kinds differ = differingKinds(a, b, false);
            changing.insert(differ.begin(), differ.end());
        }
    d.changing = int(changing.size());
    d.effort = effortOf(p.definition, byShape);
    return d;
}

} // namespace fig
