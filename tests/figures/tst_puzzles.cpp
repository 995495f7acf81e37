// SPDX-License-Identifier: MIT
// Each figure question must have exactly its keyed answer under every reading the checker knows,
// and its options alone must give a guesser nothing to go on. The keys here are written out from
// the scoring table, not taken from the puzzle definitions.
#include "catalogue.h"
#include "checker.h"
#include "difficulty.h"
#include "family.h"

#include <QRegularExpression>
#include <QTest>
#include <array>
#include <set>

using namespace fig;
using namespace Qt::StringLiterals;

namespace {

struct Expected {
    int question;
    const char* key; // sorted option letters
};

constexpr Expected kKeys[] = {
    {9, "b"},  {10, "d"}, {11, "c"}, {12, "a"},  {13, "c"},  {14, "d"},  {15, "c"},
    {16, "c"}, {17, "b"}, {18, "d"}, {19, "d"},  {20, "d"},  {21, "c"},  {22, "c"},
    {23, "d"}, {24, "b"}, {25, "a"}, {26, "ad"}, {27, "bc"}, {28, "ad"}, {29, "bd"},
    {30, "d"}, {31, "c"}, {32, "b"}, {33, "c"},
};

const char* formName(Form f) {
    switch (f) {
    case Form::Matrix:
        return "matrix";
    case Form::Hexagon:
        return "hexagon";
    case Form::Series:
        return "series";
    case Form::Pairs:
        return "pairs";
    case Form::Analogy:
        return "analogy";
    }
    return "";
}

void addQuestionRows() {
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("key");
    for (const Expected& e : kKeys)
        QTest::addRow("q%02d_%s", e.question,
                      formName(puzzles().at(std::size_t(e.question - 9)).definition.form))
            << e.question << QString::fromLatin1(e.key);
}

const Puzzle& puzzleFor(int question) {
    return puzzles().at(std::size_t(question - 9));
}

QString joined(const std::set<std::string>& answers) {
    QStringList out;
    for (const std::string& a : answers)
        out << QString::fromStdString(a);
    return out.join(u',');
}

Figure single(Shape s, int rot = 0, Fill fill = Fill::Hollow, int count = 1, int size = 3) {
    return figureOf({{s, kCentre, size, rot, fill, count, false}});
}

Board seriesBoard(std::vector<Figure> shown, std::vector<Figure> options) {
    shown.push_back(Figure{});
    return {Form::Series, std::move(shown), std::move(options)};
}

Figure discAt(int slot) {
    return figureOf({{Shape::Circle, slot, 2, 0, Fill::Solid, 1, false}});
}

} // namespace

Q_DECLARE_METATYPE(fig::Board)

class TstPuzzles : public QObject {
    Q_OBJECT

private slots:
    void definitionCarriesTheScoringKey_data() { addQuestionRows(); }
    void definitionCarriesTheScoringKey() {
        QFETCH(int, question);
        QFETCH(QString, key);
        std::string declared = puzzleFor(question).definition.key;
        std::sort(declared.begin(), declared.end());
        QCOMPARE(QString::fromStdString(declared), key);
        QCOMPARE(puzzleFor(question).definition.question, question);
    }

    void checkerFindsTheKeyAndNothingElse_data() { addQuestionRows(); }
    void checkerFindsTheKeyAndNothingElse() {
        QFETCH(int, question);
        QFETCH(QString, key);
        const Verdict v = solve(puzzleFor(question).board);
        QCOMPARE(joined(v.answers), key);
    }

    void optionsAloneDoNotGiveTheKeyAway_data() { addQuestionRows(); }
    void optionsAloneDoNotGiveTheKeyAway() {
        QFETCH(int, question);
        QFETCH(QString, key);
        const std::vector<Guess> guesses = guessFromOptions(puzzleFor(question).board);
        QVERIFY(guesses.size() >= 9);
        for (const Guess& g : guesses)
            QVERIFY2(QString::fromStdString(g.answer) != key, g.heuristic.c_str());
        if (puzzleFor(question).board.form == Form::Pairs)
            QVERIFY(relatedPairs(puzzleFor(question).board, true).size() >= 2);
    }

    void optionsDifferClearly_data() { addQuestionRows(); }
    void optionsDifferClearly() {
        QFETCH(int, question);
        const Board& b = puzzleFor(question).board;
        for (std::size_t i = 0; i < b.options.size(); ++i)
            for (std::size_t j = i + 1; j < b.options.size(); ++j)
                QVERIFY2(pixelDistance(b.options[i], b.options[j], b.form) >= 30,
                         qPrintable(u"options %1 and %2"_s.arg(QChar(u'a' + int(i)))
                                        .arg(QChar(u'a' + int(j)))));
    }

    // The checker must reject unsound boards, or the tests above would prove nothing.
    void checkerExposesUnsoundBoards_data() {
        QTest::addColumn<Board>("board");
        QTest::addColumn<QString>("answers");
        const Figure disc = single(Shape::Circle, 0, Fill::Solid);
        auto discs = [](int n) { return single(Shape::Circle, 0, Fill::Solid, n); };
        QTest::addRow("counting_up_from_one_also_reads_as_a_running_sum")
            << seriesBoard({discs(1), discs(2), discs(3)}, {discs(5), discs(6), discs(4), discs(7)})
            << u"a,c"_qs;
        QTest::addRow("no_option_continues_the_series")
            << seriesBoard({discs(2), discs(3), discs(4)}, {discs(7), discs(8), discs(9), discs(1)})
            << QString();
        QTest::addRow("constant_series_finds_the_repeat")
            << seriesBoard({disc, disc, disc}, {single(Shape::Square), disc, single(Shape::Hook),
                                                single(Shape::Triangle)})
            << u"b"_qs;
        const Figure flag = single(Shape::Flag), hook = single(Shape::Hook);
        auto by = [](const Transform& t, const Figure& f) { return *t(f); };
        QTest::addRow("two_transforms_each_complete_both_pairs")
            << Board{Form::Pairs,
                     {flag, Figure{}, hook, Figure{}},
                     {by(mirror(0), flag), by(spin(2), flag), by(spin(2), hook),
                      by(mirror(0), hook), by(spin(6), hook)}}
            << u"ad,bc"_qs;
        // The placements must try the higher letter in the first empty cell too; the sizes keep
        // the two figures from trading places.
        const Figure smallHook = single(Shape::Hook, 0, Fill::Hollow, 1, 2);
        QTest::addRow("higher_letters_complete_the_first_pair")
            << Board{Form::Pairs,
                     {flag, Figure{}, smallHook, Figure{}},
                     {by(mirror(0), smallHook), by(spin(2), smallHook), by(spin(2), flag),
                      by(mirror(0), flag), by(spin(6), smallHook)}}
            << u"ad,bc"_qs;
        auto sized = [](Shape s, Fill fill, int size) { return single(s, 0, fill, 1, size); };
        using enum Shape;
        QTest::addRow("growing_by_any_amount_reads_as_growing_with_the_fill_kept")
            << Board{Form::Pairs,
                     {sized(Circle, Fill::Hollow, 1), Figure{}, sized(Square, Fill::Hollow, 1),
                      Figure{}},
                     {sized(Circle, Fill::Solid, 2), sized(Circle, Fill::Hollow, 2),
                      sized(Square, Fill::Solid, 2), sized(Square, Fill::Hollow, 3),
                      sized(Triangle, Fill::Solid, 1)}}
            << u"ac,bd"_s;
        QTest::addRow("path_along_the_top_reads_round_the_edge_or_back_along_the_next_row")
            << seriesBoard({discAt(2), discAt(1), discAt(0)},
                           {discAt(7), discAt(3), discAt(5), discAt(6)})
            << u"a,b"_s;
        QTest::addRow("path_along_the_top_reads_round_the_edge_or_bouncing_back")
            << seriesBoard({discAt(0), discAt(1), discAt(2)},
                           {discAt(3), discAt(1), discAt(5), discAt(4)})
            << u"a,b"_s;
        // Hooks alone give no shape to tell which sectors belong together, and neighbours pair
        // as readily as opposites.
        const Figure upright = single(Shape::Hook, 0, Fill::Solid);
        const Figure facing = by(mirror(0), upright), upended = by(spin(4), upright);
        QTest::addRow("hexagon_pairs_neighbours_as_well_as_opposites")
            << Board{Form::Hexagon,
                     {upright, facing, upended, by(mirror(2), upright), by(mirror(2), facing),
                      Figure{}},
                     {by(spin(2), upended), by(mirror(0), upended), by(mirror(2), upended),
                      by(mirror(1), upended)}}
            << u"b,c"_qs;
        // Opposite sectors flip over one diagonal; the sectors across the upright flip over the
        // other, which only that reading sees.
        const Figure hookR = upright, square = single(Shape::Square, 0, Fill::Solid);
        QTest::addRow("hexagon_pairs_across_the_upright_axis")
            << Board{Form::Hexagon,
                     {by(mirror(2), by(mirror(0), hookR)), square, hookR, by(mirror(0), hookR),
                      square, Figure{}},
                     {by(mirror(2), hookR), by(mirror(3), hookR), by(spin(4), hookR),
                      by(mirror(1), hookR)}}
            << u"a,b"_qs;
        // The first two cells are one flip apart, so the row also reads as two flipped pairs.
        const Lines top = rim(0) | rim(1), right = rim(2) | rim(3), bottom = rim(4) | rim(5),
                    left = rim(6) | rim(7);
        auto sides = [](Lines l) { return linesOf(l); };
        QTest::addRow("overlay_row_whose_first_cells_are_a_flip_apart")
            << seriesBoard({sides(top | left), sides(left | bottom), sides(top | bottom)},
                           {sides(top | bottom), sides(top | left), sides(top | right),
                            sides(bottom | right)})
            << u"a,b"_qs;
        QTest::addRow("symmetric_figure_lets_a_mirror_stand_for_a_turn")
            << Board{Form::Analogy,
                     {single(Shape::Arrow, 0), single(Shape::Arrow, 2), hook, Figure{}},
                     {by(spin(2), hook), by(mirror(3), hook), by(spin(4), hook),
                      by(mirror(0), hook)}}
            << u"a,b"_qs;
    }
    void checkerExposesUnsoundBoards() {
        QFETCH(Board, board);
        QFETCH(QString, answers);
        QCOMPARE(joined(solve(board).answers), answers);
    }

    // Each gate of the check must reject the puzzle or series built to slip past it.
    void checkNamesEachFault_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("fault");
        auto gates = [](Board board, const char* key) {
            Puzzle p;
            p.definition.key = key;
            p.definition.form = board.form;
            p.board = std::move(board);
            QStringList out;
            for (const std::string& f : gateFaults(p, solve(p.board)))
                out << QString::fromStdString(f);
            return out;
        };
        auto hook = [](int rot) { return single(Shape::Hook, rot); };
        QTest::addRow("key_on_a_turn_that_grows_seen_once")
            << gates(seriesBoard({hook(0), hook(1), hook(3)},
                                 {hook(6), hook(5), hook(7), single(Shape::Flag)}),
                     "a")
            << u"shows once"_s;
        QTest::addRow("pairs_whose_options_relate_in_one_pair_only")
            << gates(Board{Form::Pairs,
                           {single(Shape::Flag), Figure{}, single(Shape::Hook), Figure{}},
                           {single(Shape::Flag, 2, Fill::Solid),
                            single(Shape::Circle, 0, Fill::Hatched, 1, 1),
                            single(Shape::Hook, 2, Fill::Solid),
                            single(Shape::Square, 1, Fill::Hollow, 4, 2),
                            single(Shape::Triangle, 4, Fill::Solid, 3, 1)}},
                     "ac")
            << u"two pairs"_s;
        // The series with a change or two: Q17 takes Q16's family or template, or more items take
        // the rule of an item that turns by a quarter, walks round the corners or alternates a
        // fill.
        auto series = [](auto change) {
            std::vector<Definition> d = catalogue();
            change(d);
            QStringList out;
            for (const std::string& f : seriesFamilyFaults(d))
                out << QString::fromStdString(f);
            return out;
        };
        QTest::addRow("two_series_of_one_family")
            << series([](auto& d) { d[8].family = d[7].family; }) << u"again"_s;
        QTest::addRow("two_series_of_one_template") << series([](auto& d) {
            d[8].layers = d[7].layers;
            d[8].family = "fill alternates";
        }) << u"same kinds of rule as Q16"_s;
        const std::pair<const char*, const char*> overused[] = {
            {"turns a quarter in place", "turn by a quarter"},
            {"walks round the corners", "walk marks"},
            {"count steps by 1", "alternate a fill"}};
        for (const auto& [family, what] : overused)
            QTest::addRow("%s", what) << series([family = std::string(family)](auto& d) {
                const auto like = std::find_if(d.begin(), d.end(),
                                               [&](const auto& x) { return x.family == family; });
                d[12].layers = d[13].layers = like->layers; // Q21 and Q22 take its rule
            }) << QString::fromLatin1(what);
    }
    void checkNamesEachFault() {
        QFETCH(QStringList, faults);
        QFETCH(QString, fault);
        QVERIFY2(!faults.filter(fault).isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Each rule of the library must read the cells built for it, or a reading a person might
    // make would go untried and an ambiguous puzzle pass.
    void everyRuleReadsTheCellsBuiltForIt_data() {
        QTest::addColumn<Board>("board");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("rule");
        auto discs = [](int n) { return single(Shape::Circle, 0, Fill::Solid, n); };
        auto counts = [&](std::vector<int> shown, std::vector<int> options) {
            std::vector<Figure> s, o;
            for (int n : shown)
                s.push_back(discs(n));
            for (int n : options)
                o.push_back(discs(n));
            return seriesBoard(s, o);
        };
        const Board primes = counts({2, 3, 5}, {7, 8, 9, 6});
        QTest::addRow("running_sum")
            << counts({1, 2, 3}, {5, 4, 6, 7}) << u"a"_s << u"running sum"_s;
        QTest::addRow("overlay_adding_counts")
            << counts({1, 2, 3}, {5, 4, 6, 7}) << u"a"_s << u"overlay addCounts"_s;
        QTest::addRow("prime_numbers") << primes << u"a"_s << u"prime numbers"_s;
        QTest::addRow("growing_step") << primes << u"b"_s << u"growing step"_s;
        QTest::addRow("doubling_step") << primes << u"c"_s << u"doubling step"_s;
        QTest::addRow("doubling") << counts({1, 2, 4}, {7, 8, 9, 6}) << u"b"_s
                                  << u"count doubling$"_s;
        QTest::addRow("difference") << Board{Form::Matrix,
                                             {discs(5), discs(2), discs(3), discs(6), discs(4),
                                              discs(2), discs(9), discs(5), Figure{}},
                                             {discs(4), discs(3), discs(5), discs(14)}}
                                    << u"a"_s << u"difference"_s;
        std::vector<Figure> turns;
        for (int i = 0; i < 8; ++i)
            turns.push_back(
                single(std::array{Shape::Circle, Shape::Square, Shape::Triangle}[i % 3]));
        turns.push_back(Figure{});
        const Board shapes{Form::Matrix,
                           turns,
                           {single(Shape::Triangle), single(Shape::Circle), single(Shape::Square),
                            single(Shape::Triangle, 0, Fill::Solid)}};
        QTest::addRow("three_in_turn") << shapes << u"a"_s << u"three in turn"_s;
        QTest::addRow("distribute_three") << shapes << u"a"_s << u"distribute-three"_s;
        const Board fills{Form::Analogy,
                          {discs(1), single(Shape::Circle), single(Shape::Square), Figure{}},
                          {single(Shape::Square, 0, Fill::Solid),
                           single(Shape::Square, 0, Fill::Hatched), discs(1),
                           single(Shape::Triangle, 0, Fill::Solid)}};
        QTest::addRow("exchange") << fills << u"a"_s << u"exchange"_s;
        QTest::addRow("becomes_one_value") << fills << u"a"_s << u"becomes one value"_s;
        auto sized = [](Shape s, int size) { return single(s, 0, Fill::Hollow, 1, size); };
        QTest::addRow("same_direction")
            << Board{Form::Analogy,
                     {sized(Shape::Circle, 0), sized(Shape::Circle, 1), sized(Shape::Square, 1),
                      Figure{}},
                     {sized(Shape::Square, 3), sized(Shape::Square, 0),
                      single(Shape::Square, 0, Fill::Solid, 1, 1), sized(Shape::Circle, 1)}}
            << u"a"_s << u"same direction"_s;
    }
    void everyRuleReadsTheCellsBuiltForIt() {
        QFETCH(Board, board);
        QFETCH(QString, answer);
        QFETCH(QString, rule);
        QStringList reasons;
        for (const Finding& f : solve(board).findings)
            if (QString::fromStdString(f.answer) == answer)
                reasons << QString::fromStdString(f.reason);
        QVERIFY2(!reasons.filter(QRegularExpression(rule)).isEmpty(),
                 qPrintable(reasons.join(u'\n')));
    }

    // A growth or an odd eighth of a turn that the question shows once may be noticed, so it
    // counts against a puzzle, but it cannot carry a key; a quarter turn seen once can.
    void onlyRulesSeenTwiceCarryAKey_data() {
        QTest::addColumn<Board>("board");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("firm");
        auto hook = [](int rot) { return single(Shape::Hook, rot); };
        QTest::addRow("turn_growing_by_an_eighth_shown_once")
            << seriesBoard({hook(0), hook(1), hook(3)}, {hook(6), hook(4), hook(5), hook(2)})
            << u"a,b"_s << QString();
        QTest::addRow("quarter_turn_shown_once")
            << Board{Form::Analogy,
                     {single(Shape::Flag, 0), single(Shape::Flag, 2), hook(0), Figure{}},
                     {hook(1), hook(2), single(Shape::Hook, 0, Fill::Solid), hook(4)}}
            << u"b"_s << u"b"_s;
    }
    void onlyRulesSeenTwiceCarryAKey() {
        QFETCH(Board, board);
        QFETCH(QString, answers);
        QFETCH(QString, firm);
        const Verdict v = solve(board);
        QCOMPARE(joined(v.answers), answers);
        QCOMPARE(joined(v.firm), firm);
    }

    // Each shortcut must catch the board built to fall for it, or its silence on the real puzzles
    // would prove nothing.
    void heuristicsCatchTheirShortcut_data() {
        QTest::addColumn<Board>("board");
        QTest::addColumn<QString>("heuristic");
        QTest::addColumn<QString>("answer");
        // Options made by changing one attribute of the answer at a time give it away.
        const Figure key = single(Shape::Hook, 2, Fill::Hatched, 1, 2);
        const Board oneChange{Form::Series,
                              {key, key, key, Figure{}},
                              {*sizeBy(1)(key), *fillCycle(1)(key), key, *spin(4)(key)}};
        QTest::addRow("one_change_each_by_majority") << oneChange << u"majority vote"_s << u"c"_s;
        QTest::addRow("one_change_each_by_nearness")
            << oneChange << u"nearest the others (attributes)"_s << u"c"_s;
        QTest::addRow("one_change_each_by_nearness_in_pixels")
            << oneChange << u"nearest the others (pixels)"_s << u"c"_s;
        QTest::addRow("the_larger_one_stands_out_in_pixels")
            << oneChange << u"odd one out (pixels)"_s << u"a"_s;
        QTest::addRow("the_one_unlike_the_others")
            << Board{Form::Series,
                     {key, key, key, Figure{}},
                     {key, *spin(4)(key), single(Shape::Circle, 0, Fill::Solid, 4, 1),
                      *spin(2)(key)}}
            << u"odd one out (attributes)"_s << u"c"_s;
        // Two options that differ in their hatching alone, among figures unlike each other.
        const Board twins{Form::Pairs,
                          {single(Shape::Flag), Figure{}, single(Shape::Hook), Figure{}},
                          {single(Shape::Circle, 0, Fill::Solid), single(Shape::Hook, 2),
                           single(Shape::Square, 0, Fill::Hatched),
                           single(Shape::Hook, 2, Fill::Hatched),
                           single(Shape::Triangle, 4, Fill::Solid, 3, 1)}};
        QTest::addRow("the_two_most_alike")
            << twins << u"most alike pair (attributes)"_s << u"bd"_s;
        QTest::addRow("the_two_most_alike_in_pixels")
            << twins << u"most alike pair (pixels)"_s << u"bd"_s;
        auto hook = [](int rot) { return single(Shape::Hook, rot); };
        QTest::addRow("the_one_new_figure")
            << seriesBoard({hook(0), hook(2), hook(4)}, {hook(0), hook(6), hook(2), hook(4)})
            << u"the only option not shown in the question"_s << u"b"_s;
        QTest::addRow("the_one_repeated_figure")
            << seriesBoard({hook(0), hook(2), hook(4)}, {hook(1), hook(3), hook(2), hook(5)})
            << u"the only option that repeats a question cell"_s << u"c"_s;
        // A grid where size never changes: the small decoy and the copy fall away at once.
        auto shape = [](Shape s, Fill f, int size) { return single(s, 0, f, 1, size); };
        using enum Shape;
        const Board latin{Form::Matrix,
                          {shape(Circle, Fill::Hollow, 2), shape(Square, Fill::Solid, 2),
                           shape(Triangle, Fill::Hatched, 2), shape(Square, Fill::Hatched, 2),
                           shape(Triangle, Fill::Hollow, 2), shape(Circle, Fill::Solid, 2),
                           shape(Triangle, Fill::Solid, 2), shape(Circle, Fill::Hatched, 2),
                           Figure{}},
                          {shape(Circle, Fill::Solid, 2), shape(Triangle, Fill::Hatched, 1),
                           shape(Square, Fill::Hollow, 2), shape(Square, Fill::Solid, 1)}};
        QTest::addRow("the_one_left_once_copies_and_needless_changes_go")
            << latin << u"the only option left once copies"_s << u"c"_s;
        QTest::addRow("the_one_shape_and_fill_missing_from_the_grid")
            << latin << u"the only option not shown in the question (shape, fill)"_s << u"c"_s;
        auto discs = [](int n) { return single(Shape::Circle, 0, Fill::Solid, n); };
        const Board counts =
            seriesBoard({discs(1), discs(2), discs(3)}, {discs(4), discs(9), discs(2), discs(5)});
        QTest::addRow("the_one_that_brings_nothing_new")
            << counts << u"the only option with no value"_s << u"c"_s;
        // A two-by-two set whose far corner copies a cell: with the copy struck out, the answer
        // is the one in the middle.
        auto hooked = [](int rot, Fill f) { return single(Shape::Hook, rot, f); };
        QTest::addRow("the_middle_once_the_copy_goes")
            << seriesBoard(
                   {hooked(0, Fill::Hollow), hooked(2, Fill::Hollow), hooked(4, Fill::Hollow)},
                   {hooked(6, Fill::Hatched), hooked(0, Fill::Hatched), hooked(6, Fill::Hollow),
                    hooked(0, Fill::Hollow)})
            << u"nearest the others once copies"_s << u"a"_s;
        QTest::addRow("the_most_ink") << counts << u"most black pixels"_s << u"b"_s;
        auto circle = [](Fill f, int size) { return single(Shape::Circle, 0, f, 1, size); };
        QTest::addRow("the_one_at_the_question_s_size")
            << seriesBoard(
                   {circle(Fill::Hollow, 2), circle(Fill::Solid, 2), circle(Fill::Hollow, 2)},
                   {circle(Fill::Solid, 2), circle(Fill::Solid, 3),
                    single(Shape::Square, 0, Fill::Solid, 1, 1), circle(Fill::Hollow, 3)})
            << u"the only option at the question's sizes"_s << u"a"_s;
        const std::vector<Figure> firsts{single(Shape::Flag), Figure{}, single(Shape::Hook),
                                         Figure{}};
        QTest::addRow("the_one_pair_drawn_alike")
            << Board{Form::Pairs,
                     firsts,
                     {single(Shape::Flag, 2), circle(Fill::Solid, 3), single(Shape::Hook, 2),
                      single(Shape::Square, 0, Fill::Hatched),
                      single(Shape::Triangle, 4, Fill::Solid, 1, 1)}}
            << u"the only pair alike but for the figure"_s << u"ac"_s;
        QTest::addRow("the_one_pair_one_change_apart")
            << Board{Form::Pairs,
                     firsts,
                     {circle(Fill::Hollow, 3), single(Shape::Square, 0, Fill::Solid, 4, 1),
                      single(Shape::Hook, 2, Fill::Hatched, 1, 2),
                      single(Shape::Triangle, 4, Fill::Solid, 1, 2), circle(Fill::Solid, 3)}}
            << u"the only pair one change apart"_s << u"ae"_s;
        QTest::addRow("the_least_ink") << counts << u"fewest black pixels"_s << u"c"_s;
    }
    void heuristicsCatchTheirShortcut() {
        QFETCH(Board, board);
        QFETCH(QString, heuristic);
        QFETCH(QString, answer);
        QStringList guesses;
        for (const Guess& g : guessFromOptions(board))
            if (QString::fromStdString(g.heuristic).startsWith(heuristic))
                guesses << QString::fromStdString(g.answer);
        QVERIFY2(guesses.contains(answer), qPrintable(guesses.join(u',')));
    }

    // Within each group the items get harder, the last being the hardest, and many need two
    // rules found together.
    void difficultyRisesWithinEachGroup() {
        int twoRules = 0, previous = -1, group = -1;
        for (const Puzzle& p : puzzles()) {
            const Difficulty d = difficulty(p);
            const int q = p.definition.question;
            if (groupOf(q) == group)
                QVERIFY2(d.score() > previous, qPrintable(u"question %1"_s.arg(q)));
            group = groupOf(q);
            previous = d.score();
            twoRules += d.needed >= 2;
        }
        QVERIFY(twoRules >= 10);
    }
};

QTEST_GUILESS_MAIN(TstPuzzles)
#include "tst_puzzles.moc"
