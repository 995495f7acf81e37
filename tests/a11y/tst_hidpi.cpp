// The real window on a denser screen (run with QT_SCALE_FACTOR 1.25, 1.5, 1.75 and 2): the
// layout stays in logical pixels, the figures are painted from their double-size images, and
// every stroke of a figure keeps one weight whatever the ratio.
#include "harness.h"
#include "layout/names.h"
#include "ui/widgets/picture_box.h"

#include <QPixmap>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// Share of the pixels of `region` (device pixels of `shot`) that differ from `expected`,
// which is laid over the region from its top-left corner.
double mismatch(const QImage& shot, QRect region, const QImage& expected) {
    int differ = 0;
    for (int y = 0; y < region.height(); ++y)
        for (int x = 0; x < region.width(); ++x)
            differ += shot.pixel(region.left() + x, region.top() + y) != expected.pixel(x, y);
    return double(differ) / double(region.width() * region.height());
}

int darkness(QRgb pixel) {
    return 255 - qGray(pixel);
}

QImage transposed(const QImage& image) {
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

// How much more ink the heaviest lone vertical stroke of the plain image (a run of 12 or more
// black pixels with white either side) carries on the screen than the lightest: per screen row
// well inside the run, the darkness of the screen pixels over the stroke's column and one image
// pixel either side. `inside` is the box's inside in screen pixels, where the image starts, and
// `scale` screen pixels per image pixel. Strokes that the box cuts are left out.
double spread(const QImage& image, const QImage& shot, QRect inside, QSizeF scale,
              QString* heaviestAt) {
    auto black = [&](int x, int y) {
        return x >= 0 && x < image.width() && darkness(image.pixel(x, y)) > 128;
    };
    double lightest = 0, heaviest = 0;
    for (int x = 0; (x + 1) * scale.width() <= inside.width(); ++x) {
        for (int y = 0, end = 0; y < image.height(); y = std::max(end, y + 1)) {
            for (end = y;
                 end < image.height() && black(x, end) && !black(x - 1, end) && !black(x + 1, end);)
                ++end;
            if (end - y < 12 || end * scale.height() > inside.height())
                continue;
            const int x0 =
                std::max(inside.left() + int(std::floor((x - 1) * scale.width())), inside.left());
            const int x1 = std::min(inside.left() + int(std::ceil((x + 2) * scale.width())),
                                    inside.right() + 1);
            double total = 0;
            int rows = 0;
            for (int sy = inside.top() + int(std::ceil((y + 2) * scale.height()));
                 sy < inside.top() + int(std::floor((end - 2) * scale.height())); ++sy, ++rows)
                for (int sx = x0; sx < x1; ++sx)
                    total += darkness(shot.pixel(sx, sy));
            const double weight = total / std::max(rows, 1);
            lightest = lightest == 0 ? weight : std::min(lightest, weight);
            if (weight > heaviest) {
                heaviest = weight;
                *heaviestAt = u"%1,%2"_s.arg(x).arg(y);
            }
        }
    }
    return lightest > 0 ? heaviest / lightest : 1.0;
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layout_stays_in_logical_pixels_data();
    void layout_stays_in_logical_pixels();
    void figures_come_from_the_double_size_images_data();
    void figures_come_from_the_double_size_images();
    void strokes_keep_one_weight_data();
    void strokes_keep_one_weight();
};

void HiDpiTest::initTestCase() {
    ui::install_font_substitutions();
    ui::apply_default_gui_font();
    QtHarness h;
    if (h.qt.window()->devicePixelRatioF() <= 1.0)
        QSKIP("needs QT_SCALE_FACTOR above 1");
}

void HiDpiTest::layout_stays_in_logical_pixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    QTest::addRow("tab_control") << names::tab_control.toString() << QRect(8, 8, 440, 272);
    QTest::addRow("start_button") << names::start_button.toString() << QRect(32, 328, 80, 32);
    QTest::addRow("remaining_time") << names::remaining_time.toString() << QRect(484, 24, 34, 32);
    QTest::addRow("answer_box_5") << names::answer_box(5) << QRect(184, 175, 32, 20);
    QTest::addRow("picture_42") << u"图片框42"_s << QRect(16, 136, 264, 56);
}

void HiDpiTest::layout_stays_in_logical_pixels() {
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QtHarness h;
    QWidget* window = h.qt.window();
    const qreal ratio = window->devicePixelRatioF();
    QWidget* widget = h.qt.widget(name);
    QCOMPARE(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()), box);
    // The tab rows still end above the page controls, in logical pixels.
    QVERIFY(h.qt.tab_control()->headerBottom() <= 56);
    const QPixmap shot = window->grab();
    // The offscreen platform's made-up frame may take the client area below 640 x 434 at some
    // ratios, as a window manager's would; the window's own size test covers that rule.
    QCOMPARE(shot.size(), (QSizeF(window->size()) * ratio).toSize());
}

void HiDpiTest::figures_come_from_the_double_size_images_data() {
    if (qgetenv("QT_SCALE_FACTOR") != "2")
        QSKIP("the double-size images as they are: at a ratio of 2 only");
    QTest::addColumn<int>("figure");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("edge"); // logical pixels of border before the image
    QTest::addColumn<bool>("stretched");
    QTest::addRow("sunken_edge_figure_1") << 1 << 1 << 1 << false;
    QTest::addRow("clipped_to_its_box_figure_2") << 2 << 1 << 0 << false;
    QTest::addRow("wider_than_its_box_figure_15") << 15 << 8 << 0 << false;
    QTest::addRow("taller_box_than_image_figure_16") << 16 << 8 << 0 << false;
    QTest::addRow("five_options_figure_36") << 36 << 18 << 0 << false;
    QTest::addRow("stretched_figure_42") << 42 << 21 << 0 << true;
}

void HiDpiTest::figures_come_from_the_double_size_images() {
    QFETCH(int, figure);
    QFETCH(int, page);
    QFETCH(int, edge);
    QFETCH(bool, stretched);
    const QImage natural = rgb(QImage(u":/figures/%1.gif"_s.arg(figure)));
    const QImage doubled = rgb(QImage(u":/figures/%1@2x.gif"_s.arg(figure)));
    QVERIFY(!natural.isNull() && !doubled.isNull());
    QCOMPARE(doubled.size(), natural.size() * 2);
    QtHarness h;
    h.qt.set_current_page(h.qt[names::tab_control], page);
    QWidget* box = h.qt.widget(names::picture_box(figure));
    const QImage shot = rgb(box->grab().toImage());
    QCOMPARE(shot.size(), box->size() * 2);

    const QRect inner =
        QRect(QPoint(0, 0), box->size() * 2).adjusted(2 * edge, 2 * edge, -2 * edge, -2 * edge);
    if (stretched) {
        // Scaled smoothly from the doubled drawing to the whole box in device pixels: a plain
        // blow-up would draw some strokes three pixels wide and others two.
        const QImage fine =
            doubled.scaled(inner.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double off = mismatch(shot, inner, fine);
        QVERIFY2(off < 0.01, qPrintable(QString::number(off)));
        return;
    }
    // Finer than the plain image blown up, or the test could not tell the two apart.
    const QImage blown_up = natural.scaled(doubled.size(), Qt::IgnoreAspectRatio);
    QVERIFY(mismatch(doubled, doubled.rect(), blown_up) > 0.001);
    // Natural size from the top-left corner, clipped; the rest in the button-face colour.
    const QRect drawn = inner.intersected(QRect(inner.topLeft(), doubled.size()));
    QCOMPARE(mismatch(shot, drawn, doubled), 0.0);
    const QRgb face = box->palette().color(QPalette::Button).rgb();
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            if (!drawn.contains(x, y))
                QCOMPARE(shot.pixel(x, y), face);
}

void HiDpiTest::strokes_keep_one_weight_data() {
    QTest::addColumn<int>("figure");
    for (int figure = 1; figure <= 50; ++figure)
        QTest::addRow("figure_%d", figure) << figure;
}

// Blowing up single pixels at a ratio between whole numbers makes some strokes one screen pixel
// wide and others two: a weight difference that a test taker may read as a clue. Every straight
// stroke of one weight in the plain image must carry the same ink on the screen, within 25 %.
void HiDpiTest::strokes_keep_one_weight() {
    QFETCH(int, figure);
    const QImage natural = rgb(QImage(u":/figures/%1.gif"_s.arg(figure)));
    QtHarness h;
    h.qt.set_current_page(h.qt[names::tab_control], (figure + 1) / 2);
    QWidget* window = h.qt.window();
    const qreal ratio = window->devicePixelRatioF();
    // The whole window, so that the box lies at its real, possibly fractional, screen offset.
    const QImage shot = rgb(window->grab().toImage());
    QWidget* box = h.qt.widget(names::picture_box(figure));
    const auto* picture = qobject_cast<ui::PictureBox*>(box);
    QVERIFY(picture);
    const int edge = picture->hasSunkenEdge() ? 1 : 0;
    const QRect inner = box->rect().adjusted(edge, edge, -edge, -edge);
    const QSizeF scale = picture->isStretched() ? QSizeF(inner.width() * ratio / natural.width(),
                                                         inner.height() * ratio / natural.height())
                                                : QSizeF(ratio, ratio);
    // The box's inside in whole screen pixels, where the image starts.
    const QRectF exact(QPointF(box->mapTo(window, inner.topLeft())) * ratio,
                       QSizeF(inner.size()) * ratio);
    const QRect inside(QPoint(qRound(exact.left()), qRound(exact.top())),
                       QPoint(qRound(exact.right()) - 1, qRound(exact.bottom()) - 1));
    QString at;
    const double columns = spread(natural, shot, inside, scale, &at);
    QVERIFY2(columns <= 1.25, qPrintable(u"ratio %1: column stroke at %2 carries %3 times the "
                                         u"ink of the lightest"_s.arg(ratio)
                                             .arg(at)
                                             .arg(columns)));
    const double rows = spread(transposed(natural), transposed(shot),
                               QRect(inside.top(), inside.left(), inside.height(), inside.width()),
                               scale.transposed(), &at);
    QVERIFY2(rows <= 1.25, qPrintable(u"ratio %1: row stroke at %2 carries %3 times the ink of "
                                      u"the lightest"_s.arg(ratio)
                                          .arg(at)
                                          .arg(rows)));
}

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
