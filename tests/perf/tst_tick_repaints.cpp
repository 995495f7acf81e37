// A running test must cost next to nothing while the user does nothing: a tick repaints only
// the boxes whose text it changes, never the window, the tab control or its page.
#include "controller/controller.h"
#include "layout/names.h"
#include "stamp_lines.h"
#include "support/timers.h"
#include "ui/qt_form.h"

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

struct App {
    ui::QtForm form;
    TestController controller{form};
    App() {
        form.set_event_sink([this](Event e) { controller.handle(e); });
        form.show_window();
        form.window()->activateWindow();
    }
    // Delivers one tick now, as the timer's own expiry would.
    void tick(QStringView name) { expire(form.timer(name)); }
    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
};

// The painted controls that hold no other control, in order, without repeats.
QStringList painted_leaves(const QList<Stamp>& stamps, const ui::QtForm& form) {
    QStringList leaves;
    for (const Stamp& s : stamps) {
        if (s.kind != "paint" || s.name.isEmpty() || leaves.contains(s.name))
            continue;
        if (form.layout().index_of(s.name) < 0)
            continue; // the page widgets and the tab header are not in the layout
        if (form.widget(s.name)->findChildren<QWidget*>().isEmpty())
            leaves.append(s.name);
    }
    return leaves;
}

} // namespace

class TickRepaintsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        ui::install_font_substitutions();
        ui::apply_default_gui_font();
        // The caret's blinking repaints on its own timer; keep it out of the count.
        QApplication::setCursorFlashTime(0);
    }

    void tick_repaints_only_changed_boxes_data() {
        QTest::addColumn<bool>("next_page_first");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<QStringList>("repainted");
        QTest::addRow("countdown_repaints_the_remaining_time")
            << false << names::countdown_timer.toString()
            << QStringList{names::remaining_time.toString()};
        QTest::addRow("countdown_after_page_change_adds_the_status")
            << true << names::countdown_timer.toString()
            << QStringList{names::remaining_time.toString(), names::question_status.toString()};
        QTest::addRow("instruction_tick_rewriting_the_same_text_repaints_nothing")
            << false << names::instruction_timer.toString() << QStringList{};
    }
    void tick_repaints_only_changed_boxes() {
        QFETCH(bool, next_page_first);
        QFETCH(QString, timer);
        QFETCH(QStringList, repainted);
        App app;
        QVERIFY(QTest::qWaitForWindowExposed(app.form.window()));
        app.controller.start_test();
        // One tick of each, so the status boxes and buttons have reached their running state.
        app.tick(names::countdown_timer);
        app.tick(names::instruction_timer);
        app.settle();
        if (next_page_first) {
            app.controller.next_question();
            app.tick(names::instruction_timer);
            app.settle();
        }

        StampRecorder recorder;
        app.tick(timer);
        app.settle();
        const QList<Stamp> stamps = recorder.take();
        QCOMPARE(painted_leaves(stamps, app.form), repainted);

        // Containers repaint only the background under the changed boxes.
        const qint64 window_pixels = qint64(window_width) * window_height;
        for (const Stamp& s : stamps)
            if (s.kind == "paint")
                QVERIFY2(s.pixels * 20 < window_pixels,
                         qPrintable(u"%1 repainted %2 pixels"_s.arg(s.name).arg(s.pixels)));
    }
};

QTEST_MAIN(TickRepaintsTest)
#include "tst_tick_repaints.moc"
