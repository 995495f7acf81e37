// SPDX-License-Identifier: MIT
// Drawing faults a person would notice: strokes of the wrong width, an option that is drawn
// differently from the identical figure in the question, a double-size image that is not the
// same drawing.
#include "assets.h"
#include "catalogue.h"
#include "drawing.h"
#include "render.h"

#include <QTest>

using namespace fig;
using namespace Qt::StringLiterals;

namespace {

// Black pixels met walking from (x, y) in steps of (dx, dy) for `length` pixels.
int blackAlong(const Bitmap& b, int x, int y, int dx, int dy, int length) {
    int n = 0;
    for (int i = 0; i < length; ++i)
        n += b.black(x + i * dx, y + i * dy);
    return n;
}

Bitmap crop(const Bitmap& b, Point centre, int half) {
    const int s = b.scale();
    Bitmap out(2 * half, 2 * half, s);
    for (int y = 0; y < 2 * half * s; ++y)
        for (int x = 0; x < 2 * half * s; ++x)
            out.set(x, y, b.black((centre.x - half) * s + x, (centre.y - half) * s + y));
    return out;
}

void addPictureRows() {
    QTest::addColumn<int>("picture");
    for (int n = 1; n <= kPictureCount; ++n)
        QTest::addRow("picture%02d", n) << n;
}

} // namespace

class TstRender : public QObject {
    Q_OBJECT

private slots:
    void strokesHaveTheirWidthAtEachScale_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("vertical");
        for (int scale : {1, 2})
            for (int width : {1, 2})
                for (bool vertical : {false, true})
                    QTest::addRow("scale%d_width%d_%s", scale, width,
                                  vertical ? "vertical" : "horizontal")
                        << scale << width << vertical;
    }
    void strokesHaveTheirWidthAtEachScale() {
        QFETCH(int, scale);
        QFETCH(int, width);
        QFETCH(bool, vertical);
        Bitmap b(40, 40, scale);
        if (vertical)
            b.line({20, 5}, {20, 35}, width);
        else
            b.line({5, 20}, {35, 20}, width);
        const int mid = 20 * scale;
        const int across = vertical ? blackAlong(b, 0, mid, 1, 0, b.width())
                                    : blackAlong(b, mid, 0, 0, 1, b.height());
        QCOMPARE(across, width * scale);
        const int along = vertical ? blackAlong(b, mid, 0, 0, 1, b.height())
                                   : blackAlong(b, 0, mid, 1, 0, b.width());
        QVERIFY(along >= 30 * scale);
    }

    void framesAreOneUnitWide() {
        for (int scale : {1, 2}) {
            Bitmap b(20, 20, scale);
            b.frame(2, 3, 10, 12);
            QCOMPARE(blackAlong(b, 0, 8 * scale, 1, 0, b.width()), 2 * scale);
            QCOMPARE(blackAlong(b, 6 * scale, 0, 0, 1, b.height()), 2 * scale);
            QVERIFY(b.black(2 * scale, 3 * scale) && b.black(11 * scale, 14 * scale + scale - 1));
            QVERIFY(!b.black(12 * scale, 14 * scale));
        }
    }

    // A figure in an option and the same figure in a question cell must be pixel for pixel alike,
    // hatching included, or a person comparing them would see a difference that is not there.
    void optionMatchesTheSameFigureInTheQuestion() {
        int compared = 0;
        for (const Puzzle& p : puzzles()) {
            const Form form = p.definition.form;
            if (form == Form::Hexagon)
                continue; // triangle cells against square option frames: the borders differ
            const int half = form == Form::Matrix ? 22 : 17; // inside the smallest option frame
            for (int scale : {1, 2}) {
                const Images images = render(p, scale);
                const std::vector<Point> cells = cellCentres(form), options = optionCentres(form);
                for (std::size_t o = 0; o < p.board.options.size(); ++o)
                    for (std::size_t c = 0; c < p.board.cells.size(); ++c) {
                        if (p.board.cells[c] != p.board.options[o] || p.board.cells[c] == Figure{})
                            continue;
                        QVERIFY2(crop(images.options, options[o], half).pixels() ==
                                     crop(images.question, cells[c], half).pixels(),
                                 qPrintable(QStringLiteral("question %1, option %2, cell %3")
                                                .arg(p.definition.question)
                                                .arg(o)
                                                .arg(c)));
                        ++compared;
                    }
            }
        }
        QVERIFY(compared >= 8);
    }

    // Gaps, boundaries, letters, readable sizes, and strokes that a stretching box keeps even.
    void drawingRulesHold_data() { addPictureRows(); }
    void drawingRulesHold() {
        QFETCH(int, picture);
        const Puzzle& p = puzzles().at(std::size_t(questionOfPicture(picture) - 9));
        std::vector<std::string> faults = drawingFaults(p, picture % 2 == 0);
        const Box box = boxOf(picture);
        if (box.stretched)
            for (const std::string& f :
                 stretchFaults(pictureImage(picture, 1), box.width, box.height))
                faults.push_back(f);
        QVERIFY2(faults.empty(), faults.empty() ? "" : faults.front().c_str());
    }

    // Each rule must see the fault built for it, or its silence on the real pictures would prove
    // nothing.
    void drawingRulesCatchFaults_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("fault");
        // Every cell and option holds the figures given, in turn; the last cell is the one asked.
        auto board = [](Form form, std::vector<Figure> figures) {
            Puzzle p;
            p.definition.form = form;
            p.definition.key = "a";
            for (int i = 0; i < cellCount(form); ++i)
                p.cells.push_back(figures[std::size_t(i) % figures.size()]);
            std::vector<Figure> shown = p.cells, options(p.cells.begin(), p.cells.begin() + 4);
            shown.back() = Figure{};
            p.board = {form, shown, options};
            QStringList faults;
            for (bool onOptions : {false, true})
                for (const std::string& f : drawingFaults(p, onOptions))
                    faults << QString::fromStdString(f);
            return faults;
        };
        auto one = [](Shape s, int slot, int size, int rot = 0, int count = 1,
                      Fill fill = Fill::Hollow) {
            return figureOf({{s, slot, size, rot, fill, count, false}});
        };
        using enum Shape;
        const Form series = Form::Series;
        QTest::addRow("parts_touching")
            << board(series, {figureOf({{Circle, 1, 3, 0, Fill::Solid, 1, false}, {Square, 2, 3}})})
            << u"closer than 2 px"_s;
        QTest::addRow("marks_over_the_grid_line")
            << board(Form::Matrix, {one(Circle, 1, 2, 0, 9)}) << u"touches or crosses"_s;
        QTest::addRow("mark_over_its_letter")
            << board(Form::Pairs, {one(Square, 7, 3)}) << u"touches a letter"_s;
        QTest::addRow("counted_marks_too_small")
            << board(series, {one(Dot, kCentre, 0, 0, 4)}) << u"a counted mark only"_s;
        QTest::addRow("part_too_small") << board(series, {one(Dot, 1, 0)}) << u"a part only"_s;
        QTest::addRow("arrow_too_small")
            << board(series, {one(Arrow, kCentre, 0)}) << u"arrow only"_s;
        QTest::addRow("empty_triangle_too_small")
            << board(series, {one(Triangle, kCentre, 0)}) << u"an empty triangle only"_s;
        QTest::addRow("hatching_too_small")
            << board(series, {one(Square, kCentre, 0, 0, 1, Fill::Hatched)}) << u"hatching"_s;
        QTest::addRow("flag_at_an_eighth_turn")
            << board(series, {one(Flag, kCentre, 2), one(Flag, kCentre, 2, 1)})
            << u"flag at an eighth turn"_s;
        QTest::addRow("sizes_too_alike")
            << board(series, {one(Circle, kCentre, 2), one(Circle, kCentre, 3)})
            << u"hard to tell apart"_s;
        // 18 and 24 px: the 6 px step holds, the ratio of 1.33 does not.
        QTest::addRow("sizes_a_third_apart")
            << board(Form::Matrix, {one(Square, kCentre, 1), one(Square, kCentre, 2)})
            << u"sizes of 18 and 24 px"_s;
        // No drawn copy comes out 5 px wide, so the floor is tried on the part itself.
        const Element dot{Dot, kCentre, 0, 0, Fill::Solid, 4, false};
        QStringList fiveWide;
        for (const std::string& f : partSizeFaults({Bitmap(1, 1), dot, true}, 5))
            fiveWide << QString::fromStdString(f);
        QTest::addRow("counted_mark_a_pixel_under_the_floor") << fiveWide << u"counted mark"_s;
    }
    void drawingRulesCatchFaults() {
        QFETCH(QStringList, faults);
        QFETCH(QString, fault);
        QVERIFY2(faults.filter(fault).size() > 0, qPrintable(faults.join(u'\n')));
    }

    // A gap of exactly the limit is still too close; one more pixel is enough. The gap is the
    // straight distance, so that a slanting sector line is held to the same gap as an upright one.
    void gapsAreMeasuredUpToTheLimit_data() {
        QTest::addColumn<int>("apart");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("gap");
        QTest::addColumn<bool>("within");
        QTest::addRow("at_the_limit") << kMinGap << 0 << kMinGap << true;
        QTest::addRow("one_past_the_limit") << kMinGap + 1 << 0 << kMinGap << false;
        QTest::addRow("slanting_inside_the_limit") << 2 << 3 << kMinFrameGap << true;
        QTest::addRow("slanting_past_the_limit") << 3 << 3 << kMinFrameGap << false;
    }
    void gapsAreMeasuredUpToTheLimit() {
        QFETCH(int, apart);
        QFETCH(int, down);
        QFETCH(int, gap);
        QFETCH(bool, within);
        Bitmap a(20, 20), b(20, 20);
        a.set(3, 5);
        b.set(3 + apart, 5 + down);
        QCOMPARE(withinGap(a, b, gap), within);
    }

    // Qt doubles some columns when it stretches 250 px to 264: a 2 px stroke on one of them comes
    // out 3 px wide, while the same stroke elsewhere keeps its width.
    void stretchRuleSeesDoubledColumns() {
        auto strokeAt = [](int x) {
            Bitmap b(250, 50);
            b.line({x, 5}, {x, 45}, 2);
            return stretchFaults(b, 264, 56).size();
        };
        QVERIFY(strokeAt(9) > 0);
        QCOMPARE(strokeAt(13), std::size_t(0));
    }

    // The @2x image is the same drawing: halving it (a 2 x 2 block is black when two or more of
    // its pixels are) gives back the plain image apart from a thin seam along curves.
    void doubleSizeIsTheSameDrawing_data() { addPictureRows(); }
    void doubleSizeIsTheSameDrawing() {
        QFETCH(int, picture);
        const Bitmap plain = pictureImage(picture, 1), twice = pictureImage(picture, 2);
        QCOMPARE(twice.width(), 2 * plain.width());
        QCOMPARE(twice.height(), 2 * plain.height());
        int differ = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const int n = twice.black(2 * x, 2 * y) + twice.black(2 * x + 1, 2 * y) +
                              twice.black(2 * x, 2 * y + 1) + twice.black(2 * x + 1, 2 * y + 1);
                differ += (n >= 2) != plain.black(x, y);
            }
        QVERIFY2(differ * 10 < plain.blackCount(),
                 qPrintable(QStringLiteral("%1 of %2").arg(differ).arg(plain.blackCount())));
    }
};

QTEST_GUILESS_MAIN(TstRender)
#include "tst_render.moc"
