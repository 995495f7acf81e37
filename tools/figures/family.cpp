// SPDX-License-Identifier: MIT
#include "family.h"

#include "attributes.h"

#include <algorithm>
#include <map>
#include <set>

namespace fig {
namespace {

// The simple changes inside a transform's name: "circle:move-2+fillInvert" holds "move-2" and
// "fillInvert"; a '+' before a digit belongs to a count ("count+1").
std::vector<std::string> changesNamed(std::string name) {
    std::vector<std::string> out;
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t end = start;
        while ((end = name.find('+', end)) != std::string::npos && end + 1 < name.size() &&
               std::isdigit(static_cast<unsigned char>(name[end + 1])))
            ++end;
        std::string piece = name.substr(start, end == std::string::npos ? end : end - start);
        if (const auto colon = piece.find(':'); colon != std::string::npos)
            piece = piece.substr(colon + 1);
        out.push_back(piece);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::string kindOfChange(const std::string& c) {
    static const std::map<std::string, std::string> named{
        {"turn90", "whole cell turns a quarter"},
        {"turn270", "whole cell turns a quarter"},
        {"turn180", "whole cell turns a half"},
        {"spin90", "turns a quarter in place"},
        {"spin270", "turns a quarter in place"},
        {"spin180", "turns a half in place"},
        {"mirrorLR", "mirrored"},
        {"mirrorTB", "mirrored"},
        {"mirrorDiag", "flipped over a diagonal"},
        {"mirrorAnti", "flipped over a diagonal"},
        {"fillInvert", "black and empty trade"},
        {"fill=solid", "turns black"},
        {"move2", "walks round the corners"},
        {"move-2", "walks round the corners"},
        {"move1", "walks round the edge"},
        {"move-1", "walks round the edge"},
        {"move4", "jumps to the opposite corner"},
    };
    if (const auto it = named.find(c); it != named.end())
        return it->second;
    if (c.starts_with("with a copy"))
        return "parts added";
    if (c.starts_with("spin"))
        return "turns an eighth in place";
    if (c.starts_with("count"))
        return "count steps by " + c.substr(c[5] == '+' ? 6 : 5);
    if (c.starts_with("size"))
        return "size steps";
    if (c.starts_with("swap-"))
        return "shape alternates";
    return c;
}

// An attribute laid out over the four cells of a series, by the pattern its values make.
std::string kindOfLayout(const LatinAttribute& l, int cells) {
    std::vector<int> v;
    for (int i = 0; i < cells; ++i)
        v.push_back(l.values[std::size_t(l.rowStep * i) % l.values.size()]);
    const std::string name = attributeName(l.attribute);
    if (std::adjacent_find(v.begin(), v.end(), std::not_equal_to<>()) == v.end())
        return {};
    const bool steps = progression({v}, 0);
    bool doubles = true;
    for (std::size_t i = 1; i < v.size(); ++i)
        doubles = doubles && v[i] == 2 * v[i - 1];
    if (l.attribute == Attribute::Count && doubles)
        return "count doubles";
    if (alternation({v}))
        return name + " alternates";
    if (inTwos({v}))
        return name + " changes every second step";
    if (l.attribute == Attribute::Count && steps)
        return "count steps by " + std::to_string(v[1] - v[0]);
    if (l.attribute == Attribute::Slot) {
        // Places numbered as text is read, row by row; the ring's own order is move().
        std::vector<int> reading;
        for (int slot : v)
            reading.push_back(kSlotRow[std::size_t(slot)] * 3 + kSlotCol[std::size_t(slot)]);
        if (progression({reading}, 0))
            return "moves in reading order";
    }
    if (l.attribute == Attribute::Rot && steps)
        return kindOfChange("spin" +
                            std::to_string(((v[1] - v[0]) % kTurns + kTurns) % kTurns * 45));
    return name + " follows a list";
}

// Some element's fill goes black, empty, black, empty (or the other way) along the series. An
// element is followed by its shape, or, alone in its cell, whatever shape it takes.
bool fillAlternates(const std::vector<Figure>& cells) {
    std::map<int, std::vector<int>> fills;
    const bool alone = std::all_of(cells.begin(), cells.end(),
                                   [](const Figure& f) { return f.elements.size() == 1; });
    for (const Figure& f : cells)
        for (const Element& e : f.elements)
            fills[alone ? -1 : int(e.shape)].push_back(int(e.fill));
    return std::any_of(fills.begin(), fills.end(), [&](const auto& entry) {
        return entry.second.size() == cells.size() && alternation({entry.second});
    });
}

} // namespace

std::vector<std::string> ruleKinds(const Definition& d) {
    std::set<std::string> kinds;
    const int cells = cellCount(d.form);
    for (const Layer& layer : d.layers) {
        const Rule& rule = layer.rule;
        auto add = [&](const Transform& t, const std::string& prefix) {
            for (const Transform& piece : t.simpleChanges())
                for (const std::string& c : changesNamed(piece.name))
                    if (c != "identity")
                        kinds.insert(prefix + kindOfChange(c));
        };
        switch (rule.kind) {
        case Rule::Chain:
            if (rule.alternate) {
                const bool mirrors = rule.step.name.starts_with("mirror") &&
                                     rule.alternate->name.starts_with("mirror");
                if (mirrors) {
                    kinds.insert("mirrored across two axes in turn");
                    break;
                }
                add(*rule.alternate, "in turn: ");
                add(rule.step, "in turn: ");
                break;
            }
            add(rule.step, "");
            break;
        case Rule::Relation:
            add(rule.step, "");
            break;
        case Rule::Interleaved:
            add(rule.step, "every second cell: ");
            break;
        case Rule::Combine:
            kinds.insert("overlay (" + rule.op.name + ")");
            break;
        case Rule::Latin:
            break;
        }
        for (const LatinAttribute& l : rule.latin)
            if (const std::string k = kindOfLayout(l, cells); !k.empty())
                kinds.insert(k);
    }
    // A trade of fills in a series shows as each mark alternating.
    const bool alternates = std::any_of(d.layers.begin(), d.layers.end(), [&](const Layer& layer) {
        return fillAlternates(layCells(d, layer));
    });
    if (d.form == Form::Series && alternates) {
        kinds.erase("black and empty trade");
        kinds.insert("fill alternates");
    }
    return {kinds.begin(), kinds.end()};
}

std::vector<std::string> seriesFamilyFaults(const std::vector<Definition>& definitions) {
    std::vector<std::string> faults;
    std::map<std::string, int> family;
    std::map<std::vector<std::string>, int> templates;
    int quarters = 0, walks = 0, fills = 0, series = 0;
    for (const Definition& d : definitions) {
        if (d.form != Form::Series)
            continue;
        ++series;
        const std::string q = "Q" + std::to_string(d.question);
        const std::vector<std::string> kinds = ruleKinds(d);
        auto has = [&](const std::string& part) {
            return std::any_of(kinds.begin(), kinds.end(), [&](const std::string& k) {
                return k.find(part) != std::string::npos;
            });
        };
        if (std::find(kinds.begin(), kinds.end(), d.family) == kinds.end())
            faults.push_back(q + ": family \"" + d.family + "\" is none of its kinds of rule");
        if (const auto [it, fresh] = family.emplace(d.family, d.question); !fresh)
            faults.push_back(q + ": family \"" + d.family + "\" again, as in Q" +
                             std::to_string(it->second));
        if (const auto [it, fresh] = templates.emplace(kinds, d.question); !fresh)
            faults.push_back(q + ": the same kinds of rule as Q" + std::to_string(it->second));
        quarters += has("turns a quarter");
        walks += has("walks round the corners");
        fills += has("fill alternates");
    }
    if (quarters > 2)
        faults.push_back(std::to_string(quarters) + " series turn by a quarter; two at most");
    if (walks > 2)
        faults.push_back(std::to_string(walks) +
                         " series walk marks round the corners; two at most");
    if (2 * fills > series)
        faults.push_back(std::to_string(fills) + " of " + std::to_string(series) +
                         " series alternate a fill; half at most");
    return faults;
}

} // namespace fig
