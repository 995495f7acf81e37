// SPDX-License-Identifier: MIT
// The generator and the checker share the transform library, so a wrong transform would make
// both agree on a wrong answer. These cases are checked by hand.
#include "figure.h"

#include <QTest>

using namespace fig;

Q_DECLARE_METATYPE(fig::Figure)
Q_DECLARE_METATYPE(fig::Transform)

namespace fig {
char* toString(const Figure& f) {
    return qstrdup(describe(f).c_str());
}
} // namespace fig

namespace {

Figure hookAt(int slot, int rot, bool mirrored = false, Fill fill = Fill::Hollow) {
    return figureOf({{Shape::Hook, slot, 2, rot, fill, 1, mirrored}});
}

Figure applied(const Transform& t, const Figure& f, int times = 1) {
    Figure out = f;
    for (int i = 0; i < times; ++i) {
        const auto next = t(out);
        if (!next)
            return Figure{{}, 0xffff};
        out = *next;
    }
    return out;
}

} // namespace

class TstTransforms : public QObject {
    Q_OBJECT

private slots:
    void repeatedSymmetryReturnsTheOriginal_data() {
        QTest::addColumn<Figure>("figure");
        QTest::addRow("hook_in_a_corner") << hookAt(0, 1);
        QTest::addRow("mirrored_flag_on_an_edge")
            << figureOf({{Shape::Flag, 3, 1, 5, Fill::Hatched, 1, true}});
        QTest::addRow("lines_only") << linesOf(Lines(spoke(0) | rim(2) | rim(5)));
        QTest::addRow("two_elements_and_lines")
            << figureOf({{Shape::Arrow, 1, 3, 2}, {Shape::Triangle, 6, 1, 3, Fill::Solid}},
                        Lines(spoke(3) | rim(7)));
    }
    void repeatedSymmetryReturnsTheOriginal() {
        QFETCH(Figure, figure);
        QCOMPARE(applied(turn(1), figure, 4), figure);
        QCOMPARE(applied(spin(1), figure, 8), figure);
        QCOMPARE(applied(move(1), figure, 8), figure);
        QCOMPARE(applied(fillCycle(1), figure, 3), figure);
        for (int axis = 0; axis < 4; ++axis)
            QCOMPARE(applied(mirror(axis), figure, 2), figure);
        // A quarter turn is not its own inverse unless the figure is symmetric.
        QVERIFY(applied(turn(1), figure) != figure);
    }

    void transformGivesTheExpectedFigure_data() {
        QTest::addColumn<Transform>("transform");
        QTest::addColumn<Figure>("before");
        QTest::addColumn<Figure>("after");
        QTest::addRow("quarter_turn_moves_corner_and_turns_shape")
            << turn(1) << hookAt(0, 0) << hookAt(2, 2);
        QTest::addRow("quarter_turn_moves_lines")
            << turn(1) << linesOf(Lines(spoke(1) | rim(0))) << linesOf(Lines(spoke(3) | rim(2)));
        QTest::addRow("left_right_mirror_flips_hand_and_direction")
            << mirror(0) << hookAt(3, 2) << hookAt(7, 6, true);
        QTest::addRow("top_bottom_mirror_of_an_upward_arrow_points_down")
            << mirror(1) << figureOf({{Shape::Arrow, 1, 2, 0}})
            << figureOf({{Shape::Arrow, 5, 2, 4}});
        QTest::addRow("diagonal_mirror_sends_up_to_left")
            << mirror(2) << hookAt(1, 0) << hookAt(7, 6, true);
        QTest::addRow("anti_diagonal_mirror_sends_up_to_right")
            << mirror(3) << hookAt(0, 0) << hookAt(4, 2, true);
        QTest::addRow("spin_leaves_slots_alone") << spin(3) << hookAt(5, 0) << hookAt(5, 3);
        QTest::addRow("move_skips_the_centre")
            << move(3) << figureOf({{Shape::Dot, 6, 0}, {Shape::Circle, kCentre, 1}})
            << figureOf({{Shape::Dot, 1, 0}, {Shape::Circle, kCentre, 1}});
        QTest::addRow("fill_cycle_runs_hollow_hatched_solid")
            << fillCycle(1) << hookAt(0, 0, false, Fill::Solid)
            << hookAt(0, 0, false, Fill::Hollow);
        QTest::addRow("fill_invert_keeps_hatching")
            << fillInvert() << hookAt(0, 0, false, Fill::Hatched)
            << hookAt(0, 0, false, Fill::Hatched);
        QTest::addRow("toggle_adds_missing_and_removes_present")
            << toggle(linesOf(Lines(rim(0) | rim(1))), "t") << linesOf(Lines(rim(1) | spoke(2)))
            << linesOf(Lines(rim(0) | spoke(2)));
    }
    void transformGivesTheExpectedFigure() {
        QFETCH(Transform, transform);
        QFETCH(Figure, before);
        QFETCH(Figure, after);
        QCOMPARE(applied(transform, before), after);
    }

    void canonicalFormIdentifiesSamePictures_data() {
        QTest::addColumn<Figure>("a");
        QTest::addColumn<Figure>("b");
        QTest::addColumn<bool>("same");
        QTest::addRow("turned_circle") << figureOf({{Shape::Circle, kCentre, 2, 3}})
                                       << figureOf({{Shape::Circle, kCentre, 2, 0}}) << true;
        QTest::addRow("square_half_turned") << figureOf({{Shape::Square, kCentre, 2, 4}})
                                            << figureOf({{Shape::Square, kCentre, 2, 0}}) << true;
        QTest::addRow("square_and_diamond") << figureOf({{Shape::Square, kCentre, 2, 1}})
                                            << figureOf({{Shape::Square, kCentre, 2, 0}}) << false;
        QTest::addRow("mirrored_triangle")
            << figureOf({{Shape::Triangle, 0, 2, 2, Fill::Hollow, 1, true}})
            << figureOf({{Shape::Triangle, 0, 2, 2}}) << true;
        QTest::addRow("mirrored_hook") << hookAt(0, 2, true) << hookAt(0, 2) << false;
        QTest::addRow("element_order")
            << figureOf({{Shape::Dot, 1, 0}, {Shape::Square, 2, 1}})
            << figureOf({{Shape::Square, 2, 1}, {Shape::Dot, 1, 0}}) << true;
    }
    void canonicalFormIdentifiesSamePictures() {
        QFETCH(Figure, a);
        QFETCH(Figure, b);
        QFETCH(bool, same);
        QCOMPARE(a == b, same);
    }

    void transformRefusesOutOfRange_data() {
        QTest::addColumn<Transform>("transform");
        QTest::addColumn<Figure>("figure");
        QTest::addRow("size_beyond_largest") << sizeBy(2) << hookAt(0, 0);
        QTest::addRow("count_below_one") << countBy(-1) << hookAt(0, 0);
        QTest::addRow("count_beyond_nine")
            << countBy(2) << figureOf({{Shape::Dot, kCentre, 1, 0, Fill::Solid, 8}});
        QTest::addRow("refusal_carries_through_composition")
            << then(sizeBy(2), turn(1)) << hookAt(0, 0);
    }
    void transformRefusesOutOfRange() {
        QFETCH(Transform, transform);
        QFETCH(Figure, figure);
        QVERIFY(!transform(figure));
    }
};

QTEST_GUILESS_MAIN(TstTransforms)
#include "tst_transforms.moc"
