// The real window on a screen at twice the pixel density (run with QT_SCALE_FACTOR=2): the
// layout stays in logical pixels, and the figures are painted from their double-size images.
#include "harness.h"
#include "layout/names.h"

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

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layout_stays_in_logical_pixels_data();
    void layout_stays_in_logical_pixels();
    void figures_come_from_the_double_size_images_data();
    void figures_come_from_the_double_size_images();
};

void HiDpiTest::initTestCase() {
    ui::install_font_substitutions();
    ui::apply_default_gui_font();
    QtHarness h;
    if (h.qt.window()->devicePixelRatioF() < 2.0)
        QSKIP("needs QT_SCALE_FACTOR=2");
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
    QCOMPARE(window->devicePixelRatioF(), 2.0);
    QCOMPARE(window->size(), QSize(640, 434));
    QWidget* widget = h.qt.widget(name);
    QCOMPARE(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()), box);
    // The tab rows still end above the page controls, in logical pixels.
    QVERIFY(h.qt.tab_control()->headerBottom() <= 56);
    const QPixmap shot = window->grab();
    QCOMPARE(shot.size(), QSize(1280, 868));
}

void HiDpiTest::figures_come_from_the_double_size_images_data() {
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
        // Scaled to the whole box in device pixels. This figure is all straight strokes, so its
        // doubled image is the plain one blown up and either source draws the same; what is left
        // to see is the stretch itself.
        const QImage fine = doubled.scaled(inner.size(), Qt::IgnoreAspectRatio);
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

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
