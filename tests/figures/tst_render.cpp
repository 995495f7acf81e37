// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing faults a person would notice: strokes of the wrong width, an option that is drawn
// differently from the identical figure in the question, a double-size image that is not the
// same drawing.
#include "assets.h"
#include "catalogue.h"
#include "render.h"

#include <QTest>

using namespace fig;

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
            const int half = form == Form::Matrix ? 22 : 20;
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
        QVERIFY(compared >= 20);
    }

    // The @2x image is the same drawing: halving it (a 2 x 2 block is black when two or more of
    // its pixels are) gives back the plain image apart from a thin seam along curves.
    void doubleSizeIsTheSameDrawing_data() {
        QTest::addColumn<int>("picture");
        for (int n = 1; n <= kPictureCount; ++n)
            QTest::addRow("picture%02d", n) << n;
    }
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
