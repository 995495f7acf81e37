// SPDX-License-Identifier: MIT
// The shipped GIFs as the program will read them: through Qt's own reader, at their exact sizes,
// in two colours, one frame, with nothing drawn where the picture box cuts the image off, and
// equal to what the generator makes today.
#include "assets.h"
#include "gif_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace fig;
using namespace Qt::StringLiterals;

namespace {

// Picture boxes 1..50: the box (inside its border) and the image it holds, from the page layout.
struct BoxRow {
    int picture, boxWidth, boxHeight, imageWidth, imageHeight;
    bool stretched;
};

constexpr BoxRow kBoxes[] = {
    {1, 150, 150, 150, 150, false},  {2, 136, 128, 150, 150, false},
    {3, 192, 152, 150, 150, false},  {4, 152, 136, 150, 150, false},
    {5, 192, 152, 150, 150, false},  {6, 152, 136, 150, 150, false},
    {7, 192, 152, 150, 150, false},  {8, 152, 136, 150, 150, false},
    {9, 192, 152, 150, 150, false},  {10, 152, 136, 150, 150, false},
    {11, 192, 152, 150, 150, false}, {12, 152, 136, 150, 150, false},
    {13, 192, 152, 150, 150, false}, {14, 152, 136, 150, 150, false},
    {15, 192, 56, 200, 50, false},   {16, 200, 80, 200, 80, false},
    {17, 192, 56, 200, 50, false},   {18, 200, 80, 200, 80, false},
    {19, 192, 56, 200, 50, false},   {20, 200, 80, 200, 80, false},
    {21, 192, 56, 200, 50, false},   {22, 208, 80, 200, 80, false},
    {23, 192, 56, 200, 50, false},   {24, 216, 80, 200, 80, false},
    {25, 192, 56, 200, 50, false},   {26, 216, 80, 200, 80, false},
    {27, 192, 56, 200, 50, false},   {28, 208, 80, 200, 80, false},
    {29, 192, 56, 200, 50, false},   {30, 200, 88, 200, 80, false},
    {31, 192, 56, 200, 50, false},   {32, 216, 80, 200, 80, false},
    {33, 192, 56, 200, 50, false},   {34, 200, 80, 200, 80, false},
    {35, 192, 64, 200, 50, false},   {36, 264, 48, 250, 50, false},
    {37, 192, 56, 200, 50, false},   {38, 256, 64, 250, 50, false},
    {39, 192, 56, 200, 50, false},   {40, 256, 56, 250, 50, false},
    {41, 192, 56, 200, 50, false},   {42, 264, 56, 250, 50, true},
    {43, 192, 56, 200, 50, false},   {44, 208, 64, 200, 50, false},
    {45, 192, 56, 200, 50, false},   {46, 200, 56, 200, 50, false},
    {47, 192, 56, 200, 50, false},   {48, 200, 56, 200, 50, false},
    {49, 200, 56, 200, 50, false},   {50, 208, 56, 200, 50, false},
};

QString committedPath(int picture, int scale) {
    return QString::fromUtf8(ZORVANE_FIGURE_DIR) + u'/' +
           QString::fromStdString(pictureFileName(picture, scale));
}

void addFileRows() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("scale");
    for (const BoxRow& b : kBoxes)
        for (int scale : {1, 2})
            QTest::addRow("box%02d%s", b.picture, scale == 2 ? "@2x" : "") << b.picture << scale;
}

const BoxRow& layoutBox(int picture) {
    return kBoxes[picture - 1];
}

QImage decode(const QByteArray& bytes, int* frames = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    if (frames)
        *frames = reader.imageCount();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isBlack(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
}

} // namespace

class TstGifs : public QObject {
    Q_OBJECT

    QTemporaryDir m_fresh;

private slots:
    void initTestCase() {
        QVERIFY(m_fresh.isValid());
        QCOMPARE(writePictures(m_fresh.path().toStdString()), 2 * kPictureCount);
    }

    void readsAsOneTwoColourFrameOfExactSize_data() { addFileRows(); }
    void readsAsOneTwoColourFrameOfExactSize() {
        QFETCH(int, picture);
        QFETCH(int, scale);
        const BoxRow& box = layoutBox(picture);
        const QByteArray bytes = readAll(committedPath(picture, scale));
        QVERIFY2(!bytes.isEmpty(), "file missing");
        // Header, screen descriptor with a two-entry global palette, then straight to the image:
        // no extension block, so no transparency and no animation.
        QCOMPARE(bytes.left(6), "GIF89a"_ba);
        QCOMPARE(quint8(bytes[10]) & 0x87, 0x80);
        QCOMPARE(bytes.mid(13, 6), QByteArray("\xff\xff\xff\x00\x00\x00", 6));
        QCOMPARE(bytes[19], ',');
        int frames = 0;
        const QImage image = decode(bytes, &frames);
        QCOMPARE(frames, 1);
        QCOMPARE(image.size(), QSize(box.imageWidth * scale, box.imageHeight * scale));
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y) | 0xff000000u);
        QCOMPARE(colours, (QSet<QRgb>{0xff000000u, 0xffffffffu}));
    }

    void drawsNothingWhereTheBoxCutsOff_data() { addFileRows(); }
    void drawsNothingWhereTheBoxCutsOff() {
        QFETCH(int, picture);
        QFETCH(int, scale);
        const BoxRow& box = layoutBox(picture);
        const QImage image = decode(readAll(committedPath(picture, scale)));
        QVERIFY(!image.isNull());
        const int shownWidth =
            (box.stretched ? box.imageWidth : std::min(box.boxWidth, box.imageWidth)) * scale;
        const int shownHeight =
            (box.stretched ? box.imageHeight : std::min(box.boxHeight, box.imageHeight)) * scale;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (x >= shownWidth || y >= shownHeight)
                    QVERIFY2(!isBlack(image.pixel(x, y)),
                             qPrintable(u"black at %1,%2"_s.arg(x).arg(y)));
        // The generator's own idea of the shown part must agree with the layout.
        const ShownArea area = shownArea(picture);
        QCOMPARE(QSize(area.width * scale, area.height * scale), QSize(shownWidth, shownHeight));
    }

    void committedFileEqualsRegeneration_data() { addFileRows(); }
    void committedFileEqualsRegeneration() {
        QFETCH(int, picture);
        QFETCH(int, scale);
        const QImage committed = decode(readAll(committedPath(picture, scale)));
        const QImage fresh = decode(
            readAll(m_fresh.filePath(QString::fromStdString(pictureFileName(picture, scale)))));
        QVERIFY(!fresh.isNull());
        QCOMPARE(committed, fresh);
    }

    void writerRoundTripsThroughQt_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pattern");
        QTest::addColumn<bool>("exceedsCodeTable");
        QTest::addRow("single_black_pixel") << 1 << 1 << 0 << false;
        QTest::addRow("odd_sized_checkerboard") << 7 << 5 << 1 << false;
        QTest::addRow("long_white_runs") << 1000 << 600 << 2 << false;
        // Random pixels need far more than 4096 codes, so the encoder must clear its table.
        QTest::addRow("noise_beyond_one_code_table") << 640 << 480 << 3 << true;
    }
    void writerRoundTripsThroughQt() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, pattern);
        QFETCH(bool, exceedsCodeTable);
        Bitmap bmp(width, height);
        QRandomGenerator random(20261208);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool black = pattern == 0   ? true
                                   : pattern == 1 ? (x + y) % 2 == 0
                                   : pattern == 2 ? x == y % width
                                                  : random.bounded(2) == 1;
                bmp.set(x, y, black);
            }
        const std::vector<unsigned char> gif = encodeGif(bmp);
        const QByteArray bytes(reinterpret_cast<const char*>(gif.data()), qsizetype(gif.size()));
        // Every code takes at most 12 bits; more bits than 4096 codes can hold proves a reset.
        QCOMPARE(qsizetype(bytes.size()) * 8 > 4096 * 12, exceedsCodeTable);
        const QImage image = decode(bytes);
        QCOMPARE(image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (isBlack(image.pixel(x, y)) != bmp.black(x, y))
                    QFAIL(qPrintable(u"pixel %1,%2 differs"_s.arg(x).arg(y)));
    }

    // The program embeds the figures by name; a leftover file would ship as dead weight or hide
    // a misnamed one.
    void folderHoldsExactlyTheGeneratedFiles() {
        QStringList expected;
        for (int picture = 1; picture <= kPictureCount; ++picture)
            expected << QStringLiteral("%1.gif").arg(picture)
                     << QStringLiteral("%1@2x.gif").arg(picture);
        QStringList found = QDir(QStringLiteral(ZORVANE_FIGURE_DIR))
                                .entryList({QStringLiteral("*.gif")}, QDir::Files);
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
    }
};

QTEST_GUILESS_MAIN(TstGifs)
#include "tst_gifs.moc"
