// SPDX-License-Identifier: MIT
// Guessing from the options alone, the way a test-wise person might when the rule is not found.
#include "checker.h"
#include "render.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <set>

namespace fig {
namespace {

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

// The options that `pick` selects, when there are exactly as many as the key holds.
template <typename Pick> std::string onlyOnes(const Board& board, std::size_t wanted, Pick pick) {
    std::vector<int> picked;
    for (std::size_t i = 0; i < board.options.size(); ++i)
        if (pick(board.options[i]))
            picked.push_back(int(i));
    return picked.size() == wanted ? letters(picked) : std::string();
}

// The kinds of attribute a guesser compares: shape, position, size, orientation, fill, count,
// lines.
constexpr int kKinds = 7;
constexpr std::array<const char*, kKinds> kKindNames{"shape", "position", "size", "orientation",
                                                     "fill",  "count",    "lines"};

std::string kindNames(unsigned kinds) {
    std::string out;
    for (int k = 0; k < kKinds; ++k)
        if (kinds >> k & 1)
            out += (out.empty() ? "" : ", ") + std::string(kKindNames[std::size_t(k)]);
    return out;
}

std::vector<int> kindValues(const Element& e) {
    return {int(e.shape), e.slot, e.size, e.rot * 2 + int(e.mirrored), int(e.fill), e.count};
}

// A figure seen through some kinds of attribute only.
std::string projection(const Figure& f, unsigned kinds) {
    std::vector<std::string> parts;
    for (const Element& e : f.elements) {
        const std::vector<int> v = kindValues(e);
        std::string s;
        for (int k = 0; k < kKinds - 1; ++k)
            if (kinds >> k & 1)
                s += std::to_string(v[std::size_t(k)]) + ",";
        parts.push_back(s);
    }
    std::sort(parts.begin(), parts.end());
    std::string out;
    for (const std::string& p : parts)
        out += p + ";";
    if (kinds >> (kKinds - 1) & 1)
        out += "lines" + std::to_string(f.lines);
    return out;
}

// Every value of every attribute of the figure turns up somewhere in the cells.
bool onlySeenValues(const Figure& f, const std::vector<Figure>& cells) {
    std::set<std::pair<std::size_t, int>> seen;
    Lines lines = 0;
    for (const Figure& c : cells) {
        lines |= c.lines;
        for (const Element& e : c.elements) {
            const std::vector<int> v = kindValues(e);
            for (std::size_t k = 0; k < v.size(); ++k)
                seen.insert({k, v[k]});
        }
    }
    if ((f.lines & ~lines) != 0)
        return false;
    for (const Element& e : f.elements) {
        const std::vector<int> v = kindValues(e);
        for (std::size_t k = 0; k < v.size(); ++k)
            if (!seen.count({k, v[k]}))
                return false;
    }
    return true;
}

// The figure keeps every attribute that never changes in the cells ("no cell is ever turned, so
// the turned one is wrong").
bool keepsWhatNeverChanges(const Figure& f, const std::vector<Figure>& cells) {
    std::map<int, std::set<int>> values;
    std::set<int> lines;
    for (const Figure& c : cells) {
        if (c == Figure{})
            continue;
        lines.insert(c.lines);
        for (const Element& e : c.elements) {
            const std::vector<int> v = kindValues(e);
            for (std::size_t k = 0; k < v.size(); ++k)
                values[int(k)].insert(v[k]);
        }
    }
    if (lines.size() == 1 && f.lines != *lines.begin())
        return false;
    for (const Element& e : f.elements) {
        const std::vector<int> v = kindValues(e);
        for (std::size_t k = 0; k < v.size(); ++k)
            if (values[int(k)].size() == 1 && !values[int(k)].count(v[k]))
                return false;
    }
    return true;
}

// Sizes as they are drawn: a copy among several is drawn smaller than the same size alone.
int drawnSize(const Element& e) {
    return e.size * 2 + (e.count > 1);
}

} // namespace

std::vector<std::string> relatedPairs(const Board& board, bool oneChange) {
    const unsigned look = 0b0111110; // every kind but shape and lines
    const std::vector<Transform> changes = baseTransforms();
    auto related = [&](const Figure& a, const Figure& b) {
        if (!oneChange)
            return projection(a, look) == projection(b, look);
        for (std::size_t t = 1; t < changes.size(); ++t) {
            const auto moved = changes[t](a);
            if (moved && projection(*moved, look) == projection(b, look))
                return true;
        }
        return false;
    };
    std::vector<std::string> out;
    for (std::size_t i = 0; i < board.options.size(); ++i)
        for (std::size_t j = i + 1; j < board.options.size(); ++j)
            if (related(board.options[i], board.options[j]) ||
                related(board.options[j], board.options[i]))
                out.push_back(letters({int(i), int(j)}));
    return out;
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
            byFeature[i][j] = attributeDistance(board.options[i], board.options[j]);
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
    // The copies of a cell struck out first, then the option nearest the rest: with one copy
    // gone, the answer at the centre of a two-by-two set of options stands out.
    auto isCopy = [&](std::size_t i) {
        return std::find(board.cells.begin(), board.cells.end(), board.options[i]) !=
               board.cells.end();
    };
    std::vector<int> nearness(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (!isCopy(j))
                nearness[i] -= byFeature[i][j];
    for (std::size_t i = 0; i < n; ++i)
        if (isCopy(i))
            nearness[i] = std::numeric_limits<int>::min() / 2;
    out.push_back({"nearest the others once copies are struck out", topBy(nearness, wanted)});
    // What the question already shows: the one new figure, or the one that repeats a cell, also
    // when only the shapes and some of their attributes are compared ("the only shape and fill
    // not in the grid"). Each answer is named once, by the fewest attributes that give it.
    std::map<std::string, std::string> novel, repeated;
    for (unsigned kinds = 1; kinds < (1u << kKinds); kinds += 2) {
        auto shown = [&](const Figure& f) {
            const std::string look = projection(f, kinds);
            return std::any_of(board.cells.begin(), board.cells.end(), [&](const Figure& c) {
                return c != Figure{} && projection(c, kinds) == look;
            });
        };
        novel.emplace(onlyOnes(board, wanted, [&](const Figure& f) { return !shown(f); }),
                      kindNames(kinds));
        repeated.emplace(onlyOnes(board, wanted, [&](const Figure& f) { return shown(f); }),
                         kindNames(kinds));
    }
    for (const auto& [answer, kinds] : novel)
        out.push_back({"the only option not shown in the question (" + kinds + ")", answer});
    for (const auto& [answer, kinds] : repeated)
        out.push_back({"the only option that repeats a question cell (" + kinds + ")", answer});
    // The one option that brings nothing new: every value of it shows somewhere in the question.
    out.push_back(
        {"the only option with no value the question does not show",
         onlyOnes(board, wanted, [&](const Figure& f) { return onlySeenValues(f, board.cells); })});
    // Strike out the copies of a cell and every option that changes what never changes.
    out.push_back({"the only option left once copies and needless changes are struck out",
                   onlyOnes(board, wanted, [&](const Figure& f) {
                       return std::none_of(board.cells.begin(), board.cells.end(),
                                           [&](const Figure& c) { return c == f; }) &&
                              keepsWhatNeverChanges(f, board.cells);
                   })});
    // The one option drawn at the sizes the question shows, the others larger or smaller.
    std::set<int> sizes;
    for (const Figure& c : board.cells)
        for (const Element& e : c.elements)
            sizes.insert(drawnSize(e));
    out.push_back(
        {"the only option at the question's sizes", onlyOnes(board, wanted, [&](const Figure& f) {
             return std::all_of(f.elements.begin(), f.elements.end(),
                                [&](const Element& e) { return sizes.count(drawnSize(e)); });
         })});
    std::vector<int> ink(n);
    for (std::size_t i = 0; i < n; ++i)
        ink[i] = renderOption(board.options[i], board.form).blackCount();
    out.push_back({"most black pixels", topBy(ink, wanted)});
    for (int& v : ink)
        v = -v;
    out.push_back({"fewest black pixels", topBy(ink, wanted)});
    if (wanted == 2) {
        out.push_back({"most alike pair (attributes)", closestPair(byFeature)});
        out.push_back({"most alike pair (pixels)", closestPair(byPixel)});
        for (bool oneChange : {false, true}) {
            const std::vector<std::string> pairs = relatedPairs(board, oneChange);
            out.push_back({oneChange ? "the only pair one change apart"
                                     : "the only pair alike but for the figure",
                           pairs.size() == 1 ? pairs.front() : std::string()});
        }
    }
    return out;
}

} // namespace fig
