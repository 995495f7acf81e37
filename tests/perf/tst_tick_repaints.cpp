// A running test must cost next to nothing while the user does nothing: a tick repaints only
// the boxes whose text it changes, never a container behind them, and a box that paints what
// lies behind it shows exactly what its containers would.
#include "controller/controller.h"
#include "layout/names.h"
#include "stamp_lines.h"
#include "support/timers.h"
#include "ui/qt_form.h"
#include "ui/widgets/caret_rest.h"
#include "ui/widgets/edit_box.h"

#include <QLineEdit>
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

// The painted widgets, in order, without repeats; containers without a name by their class.
QStringList painted(const QList<Stamp>& stamps) {
    QStringList names;
    for (const Stamp& s : stamps)
        if (s.kind == "paint" && !names.contains(s.name))
            names.append(s.name);
    return names;
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

        for (auto* box : app.form.window()->findChildren<ui::EditBox*>())
            QTRY_VERIFY(box->hasBackdrop()); // learnt once the first frame is painted
        StampRecorder recorder;
        app.tick(timer);
        app.settle();
        QCOMPARE(painted(recorder.take()), repainted);
    }

    // Drawn alone over its backdrop, each box shows what the window shows with every container
    // painted behind it, also once a palette that greys disabled controls differently comes in
    // and the tab control is disabled, as the end of a test does.
    void boxes_show_what_lies_behind_them_data() {
        QTest::addColumn<bool>("end_under_new_palette");
        QTest::addRow("running_test") << false;
        QTest::addRow("ended_under_another_palette") << true;
    }
    void boxes_show_what_lies_behind_them() {
        QFETCH(bool, end_under_new_palette);
        const QPalette original = QApplication::palette();
        App app;
        QVERIFY(QTest::qWaitForWindowExposed(app.form.window()));
        app.controller.start_test();
        app.settle();
        if (end_under_new_palette) {
            QPalette palette = original;
            palette.setColor(QPalette::Disabled, QPalette::Button, QColor(0xc0, 0xd0, 0xe0));
            palette.setColor(QPalette::Disabled, QPalette::Window, QColor(0xd0, 0xc0, 0xb0));
            QApplication::setPalette(palette);
            app.settle();
            app.form.set_disabled(app.form[names::tab_control], true);
            app.settle();
        }
        QWidget* window = app.form.window();
        const auto boxes = window->findChildren<ui::EditBox*>();
        QCOMPARE(boxes.size(), 10);
        for (ui::EditBox* box : boxes) {
            QTRY_VERIFY(box->hasBackdrop());
            const QRect area(box->mapTo(window, QPoint(0, 0)), box->size());
            const QImage alone = window->grab(area).toImage();
            box->setBackdrop({});
            const QImage composed = window->grab(area).toImage();
            box->setBackdrop(ui::paintedBehind(box));
            QVERIFY2(alone == composed, qPrintable(box->objectName()));
        }
        QApplication::setPalette(original);
    }

    // Left alone, the caret stops blinking but stays drawn; a key brings back the desktop's own
    // rate, and so does the end of the program.
    void caret_rests_when_left_alone() {
        QApplication::setCursorFlashTime(1000);
        QLineEdit edit;
        edit.show();
        {
            ui::CaretRest rest(std::chrono::milliseconds(50));
            QTRY_VERIFY(rest.resting());
            QCOMPARE(QApplication::cursorFlashTime(), 0);
            QTest::keyClick(&edit, Qt::Key_5);
            QCOMPARE(QApplication::cursorFlashTime(), 1000);
            QTRY_VERIFY(rest.resting());
        }
        QCOMPARE(QApplication::cursorFlashTime(), 1000);
        QApplication::setCursorFlashTime(0);
    }
};

QTEST_MAIN(TickRepaintsTest)
#include "tst_tick_repaints.moc"
