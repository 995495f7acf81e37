// The program in a process of its own, driven by a short script of user actions, for the checks
// that need the process to end: closing the window in every state, the runtime-error report, and
// a whole scripted test for memcheck.
//
//   zorvane_scenario close <state>     reach <state>, then close the main window
//   zorvane_scenario fault <fault>     a layout with <fault>, then a click on the start button
//   zorvane_scenario full              a whole test, a time-out, then close the window
//
// It prints what it sees, one line each ("reached …", "box …", "handler …", "closing"), and
// ends with the program's own exit status.
#include "layout/names.h"
#include "program.h"
#include "scoring/scoring.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

void say(const QString& line) {
    std::fputs(qUtf8Printable(line + u'\n'), stdout);
    std::fflush(stdout); // the run may end in exit(), which must not lose a line
}

QString event_name(Event event) {
    switch (event) {
    case Event::StartTest:
        return u"start"_s;
    case Event::PreviousQuestion:
        return u"previous"_s;
    case Event::NextQuestion:
        return u"next"_s;
    case Event::EndTest:
        return u"end"_s;
    case Event::Help:
        return u"help"_s;
    case Event::CountdownTick:
        return u"countdown"_s;
    case Event::InstructionTick:
        return u"instruction"_s;
    case Event::None:
        break;
    }
    return u"none"_s;
}

// A step returns false when what it waits for has not happened yet; it is then tried again.
using Step = std::function<bool()>;

// Runs steps from the event loop, one per turn. The next turn is queued before a step runs, so
// a step that opens a message box waits in the box's own loop while the script goes on there,
// as a user goes on acting while a handler waits for its box.
class Script : public QObject {
public:
    void add(Step step) { steps_.push_back(std::move(step)); }
    void start() {
        QTimer::singleShot(0, this, [this] { turn(); });
    }

private:
    void turn() {
        if (steps_.empty())
            return;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        // Queued before the step runs: a step that opens a box returns only when it is closed.
        QTimer* next = new QTimer(this);
        next->setSingleShot(true);
        connect(next, &QTimer::timeout, this, [this, next] {
            next->deleteLater();
            turn();
        });
        next->start(0);
        if (!step()) {
            steps_.push_front(std::move(step));
            next->start(10); // not yet: look again shortly
        }
    }
    std::deque<Step> steps_;
};

class Scenario {
public:
    explicit Scenario(const Layout& layout) : program_(layout) {
        program_.on_enter = [](Event e) { say(u"handler "_s + event_name(e)); };
        program_.form.show_window();
    }

    void click(const QString& name) {
        QWidget* w = program_.form.widget(name);
        QWidget* window = program_.form.window();
        // Through the window system, so a modal box blocks it as it blocks a user's click.
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          w->mapTo(window, w->rect().center()));
    }

    Step click_step(QStringView name_view) {
        return [this, name = name_view.toString()] {
            click(name);
            return true;
        };
    }
    Step ticks(QStringView timer_view, int count) {
        return [this, timer = timer_view.toString(), count] {
            for (int i = 0; i < count; ++i)
                program_.tick(timer);
            return true;
        };
    }
    Step type(QStringView name_view, QString text) {
        return [this, name = name_view.toString(), text] {
            click(name);
            QTest::keyClicks(program_.form.widget(name), text);
            return true;
        };
    }
    // Waits for a box with this caption, reports it, and optionally closes it.
    Step box(QString caption, bool close) {
        return [caption, close] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->windowTitle() != caption)
                return false;
            QString text = box->text();
            text.replace(u'\n', u"\\n"_s);
            say(u"box %1 icon=%2 text=%3"_s.arg(caption).arg(int(box->icon())).arg(text));
            if (close)
                QTest::keyClick(box, Qt::Key_Enter);
            return true;
        };
    }
    Step mark(QString what) {
        return [what] {
            say(what);
            return true;
        };
    }
    Step close_window() {
        return [this] {
            say(u"closing"_s);
            program_.form.window()->close();
            return true;
        };
    }
    // What a user can still try while a fatal report is up, and a timer expiry besides.
    Step poke_after_report() {
        return [this] {
            static_cast<QAbstractButton*>(program_.form.widget(names::help_button))->click();
            for (QStringView name : {names::countdown_timer, names::instruction_timer}) {
                expire(program_.form.timer(name));
            }
            return true;
        };
    }

    Script script;

private:
    reliability::Program program_;
};

const QString help_caption_text = help_caption.toString();
const QString result_caption_text = result_caption.toString();
const QString time_up_caption_text = time_up_caption.toString();

bool script_closing(Scenario& s, const QString& state) {
    Script& sc = s.script;
    const auto reached = [&] { sc.add(s.mark(u"reached "_s + state)); };
    if (state == u"not_started") {
        reached();
    } else if (state == u"running") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.ticks(names::countdown_timer, 3));
        sc.add(s.ticks(names::instruction_timer, 2));
        sc.add(s.click_step(names::next_button));
        reached();
    } else if (state == u"help_box") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.click_step(names::help_button));
        sc.add(s.ticks(names::countdown_timer, 2)); // the countdown goes on behind the help box
        sc.add(s.box(help_caption_text, false));
        reached();
    } else if (state == u"result_box") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.click_step(names::end_button));
        sc.add(s.box(result_caption_text, false));
        reached();
    } else if (state == u"time_up_box") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.ticks(names::countdown_timer, test_seconds + 1));
        sc.add(s.box(time_up_caption_text, false));
        reached();
    } else if (state == u"time_out_result_box") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.ticks(names::countdown_timer, test_seconds + 1));
        sc.add(s.box(time_up_caption_text, true));
        sc.add(s.box(result_caption_text, false));
        reached();
    } else if (state == u"time_up_over_help_box") {
        sc.add(s.click_step(names::start_button));
        sc.add(s.click_step(names::help_button));
        sc.add(s.ticks(names::countdown_timer, test_seconds + 1));
        sc.add(s.box(time_up_caption_text, false));
        reached();
    } else {
        return false;
    }
    sc.add(s.close_window());
    return true;
}

void script_fault(Scenario& s) {
    Script& sc = s.script;
    sc.add(s.click_step(names::start_button));
    sc.add(s.box(runtime_error_caption.toString(), false));
    sc.add(s.poke_after_report());
    sc.add(s.mark(u"closing report"_s));
    sc.add([] {
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Enter);
        return true;
    });
    // Only reached if the run goes on after the report was closed.
    sc.add(s.poke_after_report());
    sc.add(s.mark(u"still running"_s));
}

// A whole test as a user takes it, then a second one that runs out of time.
void script_full(Scenario& s) {
    Script& sc = s.script;
    sc.add(s.click_step(names::start_button));
    const QString answers[] = {u"M"_s, u"15"_s, u"42"_s, u"q"_s, u"8"_s, u"7"_s, u"x"_s, u"96"_s};
    for (int q = 1; q <= 8; ++q)
        sc.add(s.type(names::answer_box(q), answers[q - 1]));
    sc.add(s.ticks(names::countdown_timer, 1));
    sc.add(s.ticks(names::instruction_timer, 2));
    for (int page = 1; page <= 25; ++page) {
        sc.add(s.click_step(names::next_button));
        sc.add(s.ticks(names::instruction_timer, 1));
        sc.add(s.ticks(names::countdown_timer, 1));
    }
    for (int radio : {2, 7, 9, 16, 30, 45, 68, 89, 100, 104})
        sc.add(s.click_step(names::radio_button(radio)));
    sc.add(s.click_step(names::help_button));
    sc.add(s.box(help_caption_text, true));
    sc.add(s.click_step(names::previous_button));
    sc.add(s.click_step(names::end_button));
    sc.add(s.box(result_caption_text, true));
    sc.add(s.click_step(names::start_button));
    sc.add(s.ticks(names::countdown_timer, test_seconds + 1));
    sc.add(s.box(time_up_caption_text, true));
    sc.add(s.box(result_caption_text, true));
    sc.add(s.mark(u"done"_s));
    sc.add(s.close_window());
}

Layout faulty_layout(const QString& fault) {
    Layout layout = main_window_layout();
    if (fault == u"missing_tag") {
        layout.controls[layout.index_of(names::radio_button(104))].tag.clear();
    } else if (fault == u"wrong_kind") {
        // A label takes over a radio button's tag: the start handler meets it in the walk.
        layout.controls[layout.index_of(names::instruction_label)].tag = u"40"_s;
        layout.controls[layout.index_of(names::radio_button(40))].tag.clear();
    } else {
        say(u"unknown fault "_s + fault);
        std::exit(2);
    }
    return layout;
}

} // namespace

int main(int argc, char** argv) {
    reliability::before_application();
    QApplication app(argc, argv);
    reliability::after_application();
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString mode = args.value(0);

    std::unique_ptr<Scenario> scenario;
    if (mode == u"fault" && args.size() == 2) {
        static const Layout layout = faulty_layout(args[1]);
        scenario = std::make_unique<Scenario>(layout);
        script_fault(*scenario);
    } else if (mode == u"close" && args.size() == 2) {
        scenario = std::make_unique<Scenario>(main_window_layout());
        if (!script_closing(*scenario, args[1])) {
            say(u"unknown state "_s + args[1]);
            return 2;
        }
    } else if (mode == u"full" && args.size() == 1) {
        scenario = std::make_unique<Scenario>(main_window_layout());
        script_full(*scenario);
    } else {
        say(u"usage: zorvane_scenario close <state> | fault <missing_tag|wrong_kind> | full"_s);
        return 2;
    }
    scenario->script.start();
    return QApplication::exec();
}
