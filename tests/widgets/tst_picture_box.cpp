#include "ui/widgets/picture_box.h"

#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>

using zorvane::ui::PictureBox;

namespace {

const QRgb kButtonFace = qRgb(200, 100, 50);
const QRgb kWindow = qRgb(10, 20, 30);

// Every pixel distinct from its neighbours and from the background colours.
QImage gradientImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 0x80 + (x / 256) * 0x10));
    return image;
}

QImage quadrantImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    p.fillRect(0, 0, w, h, Qt::red);
    p.fillRect(w, 0, size.width() - w, h, Qt::green);
    p.fillRect(0, h, w, size.height() - h, Qt::blue);
    p.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return image;
}

QImage checkerImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

} // namespace

class TestPictureBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_box.reset(); }

    void drawsNaturalSizeFromTopLeft_data();
    void drawsNaturalSizeFromTopLeft();
    void stretchFillsWholeBox_data();
    void stretchFillsWholeBox();
    void replacedImageIsDrawn();
    void picksImageForPixelRatio_data();
    void picksImageForPixelRatio();

private:
    QImage render() const { return m_box->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    std::unique_ptr<PictureBox> m_box;
};

void TestPictureBox::init() {
    m_box = std::make_unique<PictureBox>();
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Button, kButtonFace);
    palette.setColor(QPalette::Window, kWindow);
    m_box->setPalette(palette);
}

void TestPictureBox::drawsNaturalSizeFromTopLeft_data() {
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<bool>("sunken");
    QTest::addRow("wider_image_clipped_shorter_shows_background")
        << QSize(192, 56) << QSize(200, 50) << false;
    QTest::addRow("smaller_image_background_right_and_below")
        << QSize(100, 40) << QSize(60, 30) << false;
    QTest::addRow("sunken_edge_encloses_image_exactly")
        << QSize(152, 152) << QSize(150, 150) << true;
    QTest::addRow("sunken_edge_clips_larger_image") << QSize(52, 52) << QSize(60, 60) << true;
    QTest::addRow("sunken_edge_with_small_image") << QSize(80, 80) << QSize(20, 30) << true;
}

void TestPictureBox::drawsNaturalSizeFromTopLeft() {
    QFETCH(QSize, box);
    QFETCH(QSize, image);
    QFETCH(bool, sunken);
    const QImage source = gradientImage(image);
    m_box->resize(box);
    m_box->setSunkenEdge(sunken);
    m_box->setImages(source);

    const QImage shot = render();
    QCOMPARE(shot.size(), box);
    const int edge = sunken ? 1 : 0;
    for (int y = edge; y < box.height() - edge; ++y) {
        for (int x = edge; x < box.width() - edge; ++x) {
            const QPoint at(x - edge, y - edge);
            const QRgb expected = source.rect().contains(at) ? source.pixel(at) : kButtonFace;
            if (shot.pixel(x, y) != expected)
                QFAIL(
                    qPrintable(QStringLiteral("pixel %1,%2 is %3, expected %4")
                                   .arg(x)
                                   .arg(y)
                                   .arg(QColor(shot.pixel(x, y)).name(), QColor(expected).name())));
        }
    }
    if (!sunken)
        return;
    // A sunken edge: shadow on top and left, highlight on bottom and right, none of it
    // taken from the image or the background.
    const int right = box.width() - 1, bottom = box.height() - 1;
    for (const QPoint p : {QPoint(0, 0), QPoint(right / 2, 0), QPoint(0, bottom / 2)}) {
        QVERIFY(shot.pixel(p) != kButtonFace);
        QVERIFY(qGray(shot.pixel(p)) < qGray(shot.pixel(right, bottom)));
    }
    for (const QPoint p : {QPoint(right, bottom / 2), QPoint(right / 2, bottom)})
        QCOMPARE(shot.pixel(p), shot.pixel(right, bottom));
}

void TestPictureBox::stretchFillsWholeBox_data() {
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("image");
    QTest::addRow("wider_image_squeezed_taller") << QSize(264, 56) << QSize(250, 50);
    QTest::addRow("small_image_enlarged_unevenly") << QSize(264, 56) << QSize(20, 40);
}

void TestPictureBox::stretchFillsWholeBox() {
    QFETCH(QSize, box);
    QFETCH(QSize, image);
    m_box->resize(box);
    m_box->setStretched(true);
    m_box->setImages(quadrantImage(image));

    const QImage shot = render();
    const int midX = box.width() / 2, midY = box.height() / 2;
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            QVERIFY2(shot.pixel(x, y) != kButtonFace, "background shows through");
            // Quadrants must meet at the box's centre whatever the aspect ratio; allow one
            // pixel of rounding either side of each seam.
            if (qAbs(x - midX) <= 1 || qAbs(y - midY) <= 1)
                continue;
            const QRgb expected = y < midY ? (x < midX ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                           : (x < midX ? qRgb(0, 0, 255) : qRgb(255, 255, 0));
            if (shot.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 wrong quadrant").arg(x).arg(y)));
        }
    }
}

void TestPictureBox::replacedImageIsDrawn() {
    m_box->resize(40, 40);
    QImage first(40, 40, QImage::Format_RGB32);
    first.fill(Qt::red);
    m_box->setImages(first);
    QCOMPARE(render().pixel(10, 10), qRgb(255, 0, 0));

    QImage second(40, 40, QImage::Format_RGB32);
    second.fill(Qt::blue);
    m_box->setImages(second);
    QCOMPARE(render().pixel(10, 10), qRgb(0, 0, 255));

    m_box->setImages({});
    QCOMPARE(render().pixel(10, 10), kButtonFace);
}

void TestPictureBox::picksImageForPixelRatio_data() {
    QTest::addColumn<bool>("withDoubled");
    QTest::addColumn<bool>("stretched");
    QTest::addRow("natural_only") << false << false;
    QTest::addRow("with_doubled") << true << false;
    QTest::addRow("with_doubled_stretched") << true << true;
}

// Run as is, with QT_SCALE_FACTOR=2, and on two screens of ratios 1 and 2 (separate test
// entries); on two screens the box shows itself on each in turn, as a window moved across does.
void TestPictureBox::picksImageForPixelRatio() {
    QFETCH(bool, withDoubled);
    QFETCH(bool, stretched);
    const QSize logical(30, 20);
    QImage natural(logical, QImage::Format_RGB32);
    natural.fill(Qt::red);
    m_box->resize(logical);
    m_box->setStretched(stretched);
    m_box->setImages(natural, withDoubled ? checkerImage(logical * 2) : QImage());
    m_box->show();

    for (QScreen* screen : QGuiApplication::screens()) {
        m_box->setScreen(screen);
        const QPixmap grabbed = m_box->grab();
        const qreal dpr = grabbed.devicePixelRatio();
        QCOMPARE(dpr, screen->devicePixelRatio());
        if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") >= 2)
            QCOMPARE(dpr, 2.0);
        const QImage shot = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), logical * dpr);

        const bool expectChecker = withDoubled && dpr >= 2;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb expected = !expectChecker ? qRgb(255, 0, 0)
                                      : (x + y) % 2  ? qRgb(255, 255, 255)
                                                     : qRgb(0, 0, 0);
                if (shot.pixel(x, y) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("device pixel %1,%2 at ratio %3").arg(x).arg(y).arg(dpr)));
            }
        }
    }
}

QTEST_MAIN(TestPictureBox)
#include "tst_picture_box.moc"
