// What the handlers cost on the real widgets (offscreen): starting a test, a page change with its
// repaint, scoring, and a look-up by tag. Run by bench/run; a benchmark, not a test.
#include "controller/controller.h"
#include "layout/names.h"
#include "scoring/scoring.h"
#include "support/answers.h"
#include "ui/qt_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

struct App {
    ui::QtForm form;
    TestController controller{form};
    App() {
        form.set_event_sink([this](Event e) { controller.handle(e); });
        form.show_window();
        if (!QTest::qWaitForWindowExposed(form.window()))
            qFatal("the window was never exposed");
    }
    void stop_timers() {
        form.set_period(form[names::countdown_timer], 0);
        form.set_period(form[names::instruction_timer], 0);
    }
};

// One event, timed alone: what the user waits for is the first time, not an average of repeats
// that find the work already done. bench/run repeats the whole function for a median.
template <typename Work> void time_once(Work&& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    QTest::setBenchmarkResult(qreal(clock.nsecsElapsed()), QTest::WalltimeNanoseconds);
}

} // namespace

class HandlerBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        ui::install_font_substitutions();
        ui::apply_default_gui_font();
    }

    // A start after a finished test: every answer is cleared, the timers start.
    void start_test() {
        App app;
        app.controller.start_test();
        app.form.set_current_page(app.form[names::tab_control], page_count - 1);
        answer_all_keyed(app.form);
        // Where a test ends: timers stopped, the cover back, start enabled, answers kept.
        app.stop_timers();
        app.form.set_visible(app.form[names::welcome_label], true);
        app.form.set_disabled(app.form[names::start_button], false);
        QCoreApplication::processEvents();
        time_once([&] { app.controller.start_test(); });
    }

    // Pages already visited: the handler and the repaint it causes.
    void page_change() {
        App app;
        app.controller.start_test();
        app.stop_timers();
        const ControlRef tab = app.form[names::tab_control];
        for (int page = 1; page < page_count; ++page)
            app.form.set_current_page(tab, page);
        QCoreApplication::processEvents();
        QBENCHMARK {
            if (app.form.get_current_page(tab) == page_count - 1)
                app.controller.previous_question();
            else
                app.controller.next_question();
            QCoreApplication::processEvents();
        }
    }

    // The first visit also decodes the page's figures.
    void page_change_first_visit_data() {
        QTest::addColumn<int>("page");
        for (int page = 1; page < page_count; ++page)
            QTest::addRow("page_%d", page) << page;
    }
    void page_change_first_visit() {
        QFETCH(int, page);
        App app;
        app.controller.start_test();
        app.stop_timers();
        const ControlRef tab = app.form[names::tab_control];
        app.form.set_current_page(tab, page - 1);
        QCoreApplication::processEvents();
        time_once([&] {
            app.controller.next_question();
            QCoreApplication::processEvents();
        });
    }

    void scoring() {
        App app;
        answer_all_keyed(app.form);
        int score = 0;
        QBENCHMARK {
            score = 0;
            score_answers(app.form, score);
        }
        QCOMPARE(score, max_score);
    }

    void find_by_tag_data() {
        QTest::addColumn<int>("tag");
        QTest::addRow("first_tag") << 1;
        QTest::addRow("last_tag") << 140;
    }
    void find_by_tag() {
        QFETCH(int, tag);
        App app;
        ControlRef found;
        QBENCHMARK {
            found = app.form.find_by_tag(tag);
        }
        QVERIFY(found.index > 0);
    }
};

QTEST_MAIN(HandlerBench)
#include "bench_handlers.moc"
