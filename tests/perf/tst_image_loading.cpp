// What the window decodes, and when. Building and painting it loads no image plugin but the GIF
// reader (a probe by content loads every plugin installed); the icon follows the first frame;
// figures are decoded as their page is first shown, at the resolution the screen shows. Run once
// at each scale factor.
#include "layout/names.h"
#include "ui/qt_form.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/tab_control.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

// The image-format plugins mapped into this process.
QStringList image_plugins_loaded() {
    QFile maps(u"/proc/self/maps"_s);
    if (!maps.open(QIODevice::ReadOnly))
        return {u"unreadable"_s};
    QStringList plugins;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype at = line.indexOf("/imageformats/");
        const QString plugin = QString::fromUtf8(line.mid(at + 14));
        if (at >= 0 && !plugins.contains(plugin))
            plugins.append(plugin);
    }
    return plugins;
}

} // namespace

class ImageLoadingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        ui::install_font_substitutions();
        ui::apply_default_gui_font();
    }

    // First, while nothing has loaded an image plugin yet.
    void first_frame_loads_no_probing_plugins() {
        ui::QtForm form;
        form.show_window();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        QTRY_VERIFY(!form.window()->windowIcon().isNull());
        const QStringList loaded = image_plugins_loaded();
        QVERIFY2(loaded.isEmpty() || loaded == QStringList{u"libqgif.so"_s},
                 qPrintable(loaded.join(u' ')));
        QList<QSize> sizes = form.window()->windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
    }

    void page_shows_the_drawing_for_the_screen_data() {
        QTest::addColumn<int>("page");
        QTest::addRow("grid_page") << 1;
        QTest::addRow("row_page") << 8;
        QTest::addRow("pair_page") << 18;
        QTest::addRow("analogy_page") << 22;
    }
    void page_shows_the_drawing_for_the_screen() {
        QFETCH(int, page);
        ui::QtForm form;
        form.show_window();
        QVERIFY(QTest::qWaitForWindowExposed(form.window()));
        form.set_current_page(form[names::tab_control], page);
        QCoreApplication::processEvents();

        const auto boxes = form.tab_control()->page(page)->findChildren<ui::PictureBox*>();
        QVERIFY(!boxes.isEmpty());
        for (ui::PictureBox* box : boxes) {
            const ControlEntry& entry =
                form.layout().controls[form.layout().index_of(box->objectName())];
            // The same box given both drawings picks the one the screen shows by itself.
            ui::PictureBox reference;
            reference.setFixedSize(box->size());
            reference.setStretched(box->isStretched());
            reference.setSunkenEdge(box->hasSunkenEdge());
            reference.setPalette(box->palette());
            reference.setImages(QImage(u":/figures/%1.gif"_s.arg(entry.image)),
                                QImage(u":/figures/%1@2x.gif"_s.arg(entry.image)));
            // Only the drawing: the edge's shade depends on whether the window is active.
            const QImage got = box->grab().toImage(), want = reference.grab().toImage();
            const int edge = box->hasSunkenEdge() ? qCeil(got.devicePixelRatio()) : 0;
            const QRect inner = got.rect().adjusted(edge, edge, -edge, -edge);
            QCOMPARE(got.copy(inner), want.copy(inner));
        }
    }
};

QTEST_MAIN(ImageLoadingTest)
#include "tst_image_loading.moc"
