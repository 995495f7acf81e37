// SPDX-License-Identifier: MIT
#include "puzzle.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>

namespace fig {
namespace {

Figure must(const std::optional<Figure>& f, const Definition& d, const std::string& what) {
    if (!f)
        throw std::runtime_error("question " + std::to_string(d.question) + ": " + what +
                                 " does not apply");
    return *f;
}

// The cells of all layers drawn together.
std::vector<Figure> layAllCells(const Definition& d) {
    std::vector<Figure> cells(static_cast<std::size_t>(cellCount(d.form)));
    for (const Layer& layer : d.layers) {
        const std::vector<Figure> part = layCells(d, layer);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            for (const Element& e : part[i].elements)
                cells[i].elements.push_back(e);
            cells[i].lines |= part[i].lines;
        }
    }
    for (Figure& f : cells)
        f = canonical(f);
    return cells;
}

std::vector<Figure> makeOptions(const Definition& d, const std::vector<Figure>& cells) {
    const std::vector<int> missing = missingCells(d.form);
    const std::vector<int> keys = keyIndices(d.key);
    if (keys.size() != missing.size())
        throw std::runtime_error("question " + std::to_string(d.question) + ": key " + d.key +
                                 " does not fit the form");
    const Plan& p = d.plan;
    const Figure& key = cells[std::size_t(missing[0])];
    std::vector<Figure> others;
    switch (p.kind) {
    case Plan::Cross: {
        const Figure a = must(p.changes.at(0)(key), d, p.changes[0].name);
        others = {a, must(p.changes.at(1)(key), d, p.changes[1].name),
                  must(p.changes[1](a), d, p.changes[1].name)};
        break;
    }
    case Plan::Spread:
        for (const Transform& t : p.changes)
            others.push_back(must(t(key), d, t.name));
        break;
    case Plan::Twos:
        for (auto [i, j] : {std::pair{0, 1}, {0, 2}, {1, 2}}) {
            const Transform t = then(p.changes.at(std::size_t(i)), p.changes.at(std::size_t(j)));
            others.push_back(must(t(key), d, t.name));
        }
        break;
    case Plan::Decoys:
        for (std::size_t i = 0; i < p.changes.size(); ++i)
            others.push_back(
                must(p.changes[i](cells.at(std::size_t(p.sources.at(i)))), d, p.changes[i].name));
        break;
    }
    const int n = optionCount(d.form);
    if (int(others.size() + keys.size()) != n)
        throw std::runtime_error("question " + std::to_string(d.question) + ": wrong option count");
    std::vector<Figure> options(static_cast<std::size_t>(n));
    std::vector<bool> taken(std::size_t(n), false);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] < 0 || keys[i] >= n)
            throw std::runtime_error("question " + std::to_string(d.question) + ": bad key");
        options[std::size_t(keys[i])] = cells[std::size_t(missing[i])];
        taken[std::size_t(keys[i])] = true;
    }
    auto next = others.begin();
    for (int i = 0; i < n; ++i)
        if (!taken[std::size_t(i)])
            options[std::size_t(i)] = *next++;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (options[std::size_t(i)] == options[std::size_t(j)])
                throw std::runtime_error("question " + std::to_string(d.question) +
                                         ": two options alike");
    return options;
}

} // namespace

std::vector<Figure> layCells(const Definition& d, const Layer& layer) {
    const Rule& rule = layer.rule;
    const auto& starts = layer.starts;
    const int n = cellCount(d.form);
    std::vector<Figure> cells(static_cast<std::size_t>(n));
    auto at = [&](int i) -> Figure& { return cells[std::size_t(i)]; };
    switch (rule.kind) {
    case Rule::Chain:
        if (d.form == Form::Matrix) {
            for (int r = 0; r < 3; ++r) {
                at(r * 3) = starts.at(std::size_t(r));
                for (int c = 1; c < 3; ++c)
                    at(r * 3 + c) = must(rule.step(at(r * 3 + c - 1)), d, rule.step.name);
            }
        } else {
            at(0) = starts.at(0);
            for (int i = 1; i < n; ++i) {
                const Transform& t = i % 2 == 0 && rule.alternate ? *rule.alternate : rule.step;
                at(i) = must(t(at(i - 1)), d, t.name);
            }
        }
        break;
    case Rule::Interleaved:
        at(0) = starts.at(0);
        at(1) = starts.at(1);
        for (int i = 2; i < n; ++i)
            at(i) = must(rule.step(at(i - 2)), d, rule.step.name);
        break;
    case Rule::Combine:
        if (d.form == Form::Matrix) {
            for (int r = 0; r < 3; ++r) {
                at(r * 3) = starts.at(std::size_t(2 * r));
                at(r * 3 + 1) = starts.at(std::size_t(2 * r + 1));
                at(r * 3 + 2) = must(rule.op.apply(at(r * 3), at(r * 3 + 1)), d, rule.op.name);
            }
        } else {
            at(0) = starts.at(0);
            at(1) = starts.at(1);
            for (int i = 2; i < n; ++i)
                at(i) = must(rule.op.apply(at(i - 2), at(i - 1)), d, rule.op.name);
        }
        break;
    case Rule::Latin:
        for (int i = 0; i < n; ++i)
            at(i) = starts.at(0);
        break;
    case Rule::Relation: {
        // Each pair's second cell is the step of its first; a hexagon pairs opposite sectors.
        using Pairs = std::vector<std::pair<int, int>>;
        const Pairs pairs =
            d.form == Form::Hexagon ? Pairs{{0, 3}, {1, 4}, {2, 5}} : Pairs{{0, 1}, {2, 3}};
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            at(pairs[k].first) = starts.at(k);
            at(pairs[k].second) = must(rule.step(at(pairs[k].first)), d, rule.step.name);
        }
        break;
    }
    }
    // Attributes laid out over the cells, on their own or on top of the rule's steps.
    for (int i = 0; i < n && !rule.latin.empty(); ++i) {
        const int r = d.form == Form::Matrix ? i / 3 : i;
        const int c = d.form == Form::Matrix ? i % 3 : 0;
        for (const LatinAttribute& l : rule.latin)
            for (Element& e : at(i).elements)
                setAttribute(
                    e, l.attribute,
                    l.values[std::size_t(l.rowStep * r + l.colStep * c) % l.values.size()]);
        at(i) = canonical(at(i));
    }
    return cells;
}

int cellCount(Form form) {
    switch (form) {
    case Form::Matrix:
        return 9;
    case Form::Hexagon:
        return 6;
    default:
        return 4;
    }
}

std::vector<int> missingCells(Form form) {
    switch (form) {
    case Form::Matrix:
        return {8};
    case Form::Hexagon:
        return {5};
    case Form::Pairs:
        return {1, 3};
    default:
        return {3};
    }
}

int optionCount(Form form) {
    return form == Form::Pairs ? 5 : 4;
}

std::vector<int> keyIndices(const std::string& key) {
    std::vector<int> out;
    for (char c : key)
        out.push_back(c - 'a');
    return out;
}

void setAttribute(Element& e, Attribute a, int value) {
    switch (a) {
    case Attribute::Shape:
        e.shape = static_cast<Shape>(value);
        break;
    case Attribute::Slot:
        e.slot = value;
        break;
    case Attribute::Size:
        e.size = value;
        break;
    case Attribute::Rot:
        e.rot = value;
        break;
    case Attribute::Fill:
        e.fill = static_cast<Fill>(value);
        break;
    case Attribute::Count:
        e.count = value;
        break;
    }
}

const char* attributeName(Attribute a) {
    switch (a) {
    case Attribute::Shape:
        return "shape";
    case Attribute::Slot:
        return "position";
    case Attribute::Size:
        return "size";
    case Attribute::Rot:
        return "orientation";
    case Attribute::Fill:
        return "fill";
    case Attribute::Count:
        return "count";
    }
    return "";
}

int attributeValue(const Element& e, Attribute a) {
    switch (a) {
    case Attribute::Shape:
        return int(e.shape);
    case Attribute::Slot:
        return e.slot;
    case Attribute::Size:
        return e.size;
    case Attribute::Rot:
        return e.rot;
    case Attribute::Fill:
        return int(e.fill);
    case Attribute::Count:
        return e.count;
    }
    return 0;
}

Puzzle build(const Definition& definition) {
    Puzzle p;
    p.definition = definition;
    p.cells = layAllCells(definition);
    for (const Figure& f : p.cells)
        if (!isValid(f))
            throw std::runtime_error("question " + std::to_string(definition.question) +
                                     ": invalid cell " + describe(f));
    p.board.form = definition.form;
    p.board.cells = p.cells;
    for (int m : missingCells(definition.form))
        p.board.cells[std::size_t(m)] = Figure{};
    p.board.options = makeOptions(definition, p.cells);
    return p;
}

} // namespace fig
