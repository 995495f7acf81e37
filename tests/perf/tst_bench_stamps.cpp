// The timing marks the benchmarks read: which paint counts as the first frame, where a paint
// lies in the window, and which ticks and clicks are reported.
#include "stamp_lines.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QWidget* named(QWidget* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

// Small windows whose first leaf to paint is known.
std::unique_ptr<QWidget> make_window(int shape) {
    auto window = std::make_unique<QWidget>();
    named(window.get(), u"window"_s);
    window->resize(200, 120);
    switch (shape) {
    case 0:
        break;
    case 1:
        named(new QLabel(u"测试"_s, window.get()), u"label"_s)->move(10, 10);
        break;
    case 2: {
        auto* group = named(new QGroupBox(u"组"_s, window.get()), u"group"_s);
        group->setGeometry(5, 5, 150, 100);
        named(new QPushButton(u"按钮"_s, group), u"button"_s)->setGeometry(10, 30, 80, 30);
        break;
    }
    }
    return window;
}

} // namespace

class BenchStampsTest : public QObject {
    Q_OBJECT
private slots:
    void first_paint_is_the_first_leaf_and_only_once_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("leaf");
        QTest::addRow("empty_window_is_its_own_leaf") << 0 << u"window"_s;
        QTest::addRow("label_not_the_window_behind_it") << 1 << u"label"_s;
        QTest::addRow("button_not_its_group_box") << 2 << u"button"_s;
    }
    void first_paint_is_the_first_leaf_and_only_once() {
        QFETCH(int, shape);
        QFETCH(QString, leaf);
        StampRecorder recorder;
        auto window = make_window(shape);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->repaint();
        const QList<Stamp> stamps = recorder.take();
        QCOMPARE(StampRecorder::names(stamps, "first-paint"), QStringList{leaf});
        // The first frame is not stamped before any paint has started.
        qint64 first_paint = 0, earliest_paint = 0;
        for (const Stamp& s : stamps) {
            if (s.kind == "first-paint")
                first_paint = s.micros;
            if (s.kind == "paint" && !earliest_paint)
                earliest_paint = s.micros;
        }
        QVERIFY(earliest_paint > 0);
        QVERIFY(first_paint >= earliest_paint);
    }

    void paint_bounds_are_in_window_coordinates_data() {
        QTest::addColumn<QRect>("dirty");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<qint64>("pixels");
        // The button lies at 15,35 in the window (group at 5,5, button at 10,30 in it).
        QTest::addRow("part_of_the_button") << QRect(2, 3, 5, 6) << QRect(17, 38, 5, 6) << 30LL;
        QTest::addRow("whole_button") << QRect(0, 0, 80, 30) << QRect(15, 35, 80, 30) << 2400LL;
    }
    void paint_bounds_are_in_window_coordinates() {
        QFETCH(QRect, dirty);
        QFETCH(QRect, expected);
        QFETCH(qint64, pixels);
        auto window = make_window(2);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        StampRecorder recorder;
        window->findChild<QPushButton*>()->repaint(dirty);
        bool seen = false;
        for (const Stamp& s : recorder.take()) {
            if (s.kind != "paint" || s.name != u"button"_s)
                continue;
            QCOMPARE(s.bounds, expected);
            QCOMPARE(s.pixels, pixels);
            seen = true;
        }
        QVERIFY(seen);
    }

    void ticks_are_stamped_for_named_timers_only_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("ticks");
        QTest::addRow("named_timer") << u"计时时钟"_s << QStringList{u"计时时钟"_s, u"计时时钟"_s};
        QTest::addRow("unnamed_timer_is_internal") << QString() << QStringList{};
    }
    void ticks_are_stamped_for_named_timers_only() {
        QFETCH(QString, name);
        QFETCH(QStringList, ticks);
        StampRecorder recorder;
        QTimer timer;
        timer.setObjectName(name);
        timer.setTimerType(Qt::PreciseTimer);
        int fired = 0;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (++fired == 2)
                timer.stop();
        });
        timer.start(5);
        QTRY_COMPARE(fired, 2);
        QCOMPARE(StampRecorder::names(recorder.take(), "tick"), ticks);
    }

    void click_names_the_released_control() {
        auto window = make_window(2);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        StampRecorder recorder;
        QTest::mouseClick(window->findChild<QPushButton*>(), Qt::LeftButton);
        QCOMPARE(StampRecorder::names(recorder.take(), "click"), QStringList{u"button"_s});
    }
};

QTEST_MAIN(BenchStampsTest)
#include "tst_bench_stamps.moc"
