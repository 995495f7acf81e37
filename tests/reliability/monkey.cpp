#include "monkey.h"

#include "forms/conversions.h"
#include "layout/names.h"
#include "scoring/scoring.h"
#include "ui/widgets/tab_control.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>
#include <random>

using namespace Qt::StringLiterals;
using namespace zorvane;
using zorvane::ui::QtForm;
using zorvane::ui::TabControl;

namespace reliability {

namespace {

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

// What a user presses: focus movement, page keys, editing, box keys, clipboard.
const KeyStroke key_strokes[] = {
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
    {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
    {Qt::Key_PageUp, Qt::ControlModifier, "Ctrl+PageUp"},
    {Qt::Key_PageDown, Qt::ControlModifier, "Ctrl+PageDown"},
    {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Tab"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_F1, Qt::NoModifier, "F1"},
    {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},
};
constexpr std::uint32_t key_count = std::size(key_strokes);

const QStringView button_names[] = {names::start_button, names::previous_button, names::next_button,
                                    names::end_button, names::help_button};

// Short texts a user types: answers, full-width digits, CJK, emoji, right-to-left, combining
// marks, control characters.
QString typed_text(std::uint32_t kind, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto pick = [&](std::initializer_list<const char16_t*> options) {
        auto it = options.begin();
        std::advance(it, rng() % options.size());
        return QString::fromUtf16(*it);
    };
    switch (kind % 8) {
    case 0:
        return pick({u"M", u"15", u"42", u"q", u"x", u"96", u"7", u"8", u"abc", u"1500"});
    case 1:
        return pick({u"１５", u"４２", u"Ｍ", u"－３．５", u"１ｅ３"});
    case 2:
        return pick({u"答案", u"第二十", u"測驗"});
    case 3:
        return pick({u"😀", u"👍🏽", u"🇨🇳", u"1️⃣"});
    case 4:
        return pick({u"\u05e9\u05dc\u05d5\u05dd", u"\u0645\u0631\u062d\u0628\u0627", u"\u202e15"});
    case 5:
        return pick({u"e\u0301\u0302\u0303", u"M\u0336", u"a\u20dd"});
    case 6:
        return pick({u"\t", u"\u0000", u"\r\n", u"\u00a0"});
    default:
        return QString(int(rng() % 40) + 1, QChar(char16_t(u'0' + rng() % 10)));
    }
}

// Pasted texts: long ones, and one of a megabyte.
QString pasted_text(std::uint32_t kind, std::uint32_t seed) {
    switch (kind % 4) {
    case 0:
        return QString(64 * 1024, u'9');
    case 1: {
        QString text;
        for (int i = 0; i < 2000; ++i)
            text += typed_text(seed + i, seed * 31 + i);
        return text;
    }
    case 2:
        return u"M\u0000"_s.repeated(4096);
    default:
        return QString(1024 * 1024, u'x');
    }
}

std::uint32_t draw(std::mt19937_64& rng, std::uint32_t n) {
    return std::uint32_t(rng() % n);
}

} // namespace

std::vector<Action> random_actions(std::uint64_t seed, int count) {
    std::mt19937_64 rng(seed);
    std::vector<Action> actions;
    actions.reserve(std::size_t(count));
    // Weights per thousand; ticks and waits are common enough that tests run out of time.
    struct Weight {
        Act act;
        int weight;
    };
    const Weight weights[] = {{Act::Click, 240}, {Act::Button, 150}, {Act::Tab, 80},
                              {Act::Key, 140},   {Act::Type, 80},    {Act::Paste, 5},
                              {Act::Tick, 200},  {Act::Wait, 40},    {Act::CloseBox, 80}};
    int total = 0;
    for (const Weight& w : weights)
        total += w.weight;
    for (int i = 0; i < count; ++i) {
        int r = int(draw(rng, std::uint32_t(total)));
        Act act = Act::Tick;
        for (const Weight& w : weights) {
            if (r < w.weight) {
                act = w.act;
                break;
            }
            r -= w.weight;
        }
        Action action{act, draw(rng, 1u << 30), draw(rng, 10000), draw(rng, 10000)};
        if (act == Act::Paste)
            action.a = draw(rng, 100) < 10 ? 3 : draw(rng, 3); // a megabyte one paste in ten
        if (act == Act::Wait) {
            const std::uint32_t r2 = draw(rng, 100);
            action.a = r2 < 60   ? 1 + draw(rng, 30)
                       : r2 < 80 ? 30 + draw(rng, 370)
                                 : 400 + draw(rng, 1200);
        }
        actions.push_back(action);
    }
    return actions;
}

QString encode(const std::vector<Action>& actions) {
    QStringList parts;
    for (const Action& a : actions)
        parts.append(u"%1.%2.%3.%4"_s.arg(int(a.act)).arg(a.a).arg(a.b).arg(a.c));
    return parts.join(u',');
}

std::vector<Action> decode(const QString& text) {
    std::vector<Action> actions;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList f = part.split(u'.');
        if (f.size() != 4 || f[0].toUInt() > std::uint32_t(Act::CloseBox))
            continue;
        actions.push_back(Action{Act(f[0].toUInt()), f[1].toUInt(), f[2].toUInt(), f[3].toUInt()});
    }
    return actions;
}

namespace {

// Runs one sequence on a fresh window. Each action runs in its own turn of the event loop; the
// next turn is queued before an action runs, so when the action opens a message box the sequence
// goes on inside the box's loop, as a user goes on acting while a handler waits.
class Runner : public QObject {
public:
    Runner(const std::vector<Action>& actions, bool keep_log, const Fault& fault)
        : actions_(actions), keep_log_(keep_log), fault_(fault) {
        QtForm& form = program_.form;
        window_ = form.window();
        const Layout& layout = form.layout();
        for (std::size_t i = 0; i < layout.controls.size(); ++i)
            if (layout.controls[i].kind != Kind::Timer)
                by_index_.push_back(form.widget(layout.controls[i].name));
            else
                by_index_.push_back(nullptr);
        for (int q = 1; q <= 8; ++q)
            edits_.push_back(static_cast<QLineEdit*>(form.widget(names::answer_box(q))));
        for (int page = 0; page < page_count; ++page) {
            std::vector<QAbstractButton*> radios;
            for (int member : layout.page_members[std::size_t(page)]) {
                if (layout.controls[std::size_t(member)].kind == Kind::RadioButton)
                    radios.push_back(static_cast<QAbstractButton*>(by_index_[member]));
                if (layout.controls[std::size_t(member)].kind == Kind::CheckBox)
                    checks_.push_back(static_cast<QAbstractButton*>(by_index_[member]));
            }
            for (QAbstractButton* r : radios) {
                page_of_.insert(r, page);
                radio_list_.push_back(r);
            }
            radios_by_page_.push_back(radios);
        }
        for (QStringView name : {names::countdown_timer, names::instruction_timer}) {
            QTimer* timer = form.timer(name);
            timer->installEventFilter(this);
            timers_.push_back(timer);
        }
        qApp->installEventFilter(this);
        program_.on_enter = [this](Event e) { entered(e); };
        program_.on_leave = [this](Event e) { left(e); };
        form.show_window();
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_))
            qWarning("the window did not become active; keys go to no window");
        answers_ = snapshot();
    }

    ~Runner() override {
        qApp->removeEventFilter(this);
        QGuiApplication::clipboard()->clear();
    }

    Outcome run() {
        post_turn();
        loop_.exec();
        outcome_.log = log_;
        return std::move(outcome_);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            // Only the ticks this driver delivers: the run must not depend on the clock.
            return event != delivering_ &&
                   std::find(timers_.begin(), timers_.end(), watched) != timers_.end();
        }
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                box_shown(box);
        return false;
    }

private:
    enum class State : std::uint8_t { Initial, Running, AfterEnd, TimedOut };

    struct Answers {
        QStringList texts;
        std::vector<bool> radios;
        std::vector<bool> checks;
    };

    void post_turn() {
        QMetaObject::invokeMethod(
            this, [this] { turn(); }, Qt::QueuedConnection);
    }

    void turn() {
        if (draining_) {
            drain();
            return;
        }
        if (next_ >= actions_.size()) {
            draining_ = true;
            drain();
            return;
        }
        post_turn();
        const std::size_t index = next_++;
        begin_action(int(index));
        perform(actions_[index]);
        end_action(int(index));
    }

    // Closes what is still open, so every handler returns before the window goes.
    void drain() {
        if (QWidget* box = QApplication::activeModalWidget()) {
            post_turn();
            box->close();
            return;
        }
        if (program_.handler_depth() > 0) {
            post_turn(); // a handler is still returning from its box
            return;
        }
        loop_.quit();
    }

    // Each action keeps its own view of what it may change; nested actions run inside it.
    struct Frame {
        int index;
        std::vector<QObject*> targets; // the controls the action's input reached
        bool start_ran = false;
    };

    void begin_action(int index) {
        frames_.push_back(Frame{index, {}, false});
        if (keep_log_)
            log_.append(QString());
    }

    void end_action(int index) {
        check(index);
        frames_.pop_back();
    }

    void note(const QString& what) {
        if (!keep_log_ || frames_.empty())
            return;
        QString& line = log_[frames_.back().index];
        line = line.isEmpty() ? u"#%1 %2"_s.arg(frames_.back().index).arg(what)
                              : line + u"; "_s + what;
    }

    QString name_of(QObject* o) const {
        if (!o)
            return u"nothing"_s;
        if (!o->objectName().isEmpty())
            return o->objectName();
        if (qobject_cast<QMessageBox*>(o->parent()) || qobject_cast<QMessageBox*>(o))
            return u"box "_s + QString::fromLatin1(o->metaObject()->className());
        return QString::fromLatin1(o->metaObject()->className());
    }

    QWindow* input_window() const {
        if (QWidget* box = QApplication::activeModalWidget())
            return box->windowHandle();
        return window_->windowHandle();
    }

    void mouse_click(QWindow* window, QPoint at) {
        const QPointF global = window->mapToGlobal(at);
        timestamp_ += 300; // quick repeats at one spot become double clicks, as they would
        qt_handleMouseEvent(window, at, global, Qt::LeftButton, Qt::LeftButton,
                            QEvent::MouseButtonPress, Qt::NoModifier, timestamp_);
        timestamp_ += 60;
        qt_handleMouseEvent(window, at, global, Qt::NoButton, Qt::LeftButton,
                            QEvent::MouseButtonRelease, Qt::NoModifier, timestamp_);
    }

    void click_widget(QWidget* w, QPoint local) {
        QWidget* top = w->window();
        const QPoint at = w->mapTo(top, local);
        QWidget* hit = top->childAt(at);
        frames_.back().targets.push_back(hit ? hit : top);
        note(u"click %1 at (%2,%3) hitting %4"_s.arg(name_of(w))
                 .arg(at.x())
                 .arg(at.y())
                 .arg(name_of(hit)));
        if (top->windowHandle())
            mouse_click(top->windowHandle(), at);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text,
             const QString& what) {
        QWindow* window =
            QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : input_window();
        // The window hands keys to its own focus child, active or not.
        QObject* focus = window->focusObject();
        frames_.back().targets.push_back(focus);
        note(u"%1 to %2"_s.arg(what, name_of(focus)));
        qt_handleKeyEvent(window, QEvent::KeyPress, key, modifiers, text);
        qt_handleKeyEvent(window, QEvent::KeyRelease, key, modifiers, text);
    }

    void tick(QTimer* timer) {
        if (!timer->isActive())
            return;
        QTimerEvent expiry(timer->timerId());
        QEvent* outer = std::exchange(delivering_, &expiry);
        QCoreApplication::sendEvent(timer, &expiry);
        delivering_ = outer;
    }

    void perform(const Action& action) {
        switch (action.act) {
        case Act::Click: {
            std::vector<QWidget*> shown;
            QWidget* box = QApplication::activeModalWidget();
            for (QWidget* top : {window_, box}) {
                if (!top)
                    continue;
                shown.push_back(top);
                for (QWidget* w : top->findChildren<QWidget*>())
                    if (w->isVisible() && !w->isWindow())
                        shown.push_back(w);
            }
            QWidget* w = shown[action.a % shown.size()];
            const QPoint local(int(action.b % 10000 * w->width() / 10000),
                               int(action.c % 10000 * w->height() / 10000));
            click_widget(w, local);
            break;
        }
        case Act::Button: {
            // The buttons by name, so starts, ends and page turns are frequent.
            static const int shares[] = {25, 20, 25, 10, 20};
            int r = int(action.a % 100);
            std::size_t i = 0;
            while (r >= shares[i])
                r -= shares[i++];
            QWidget* w = program_.form.widget(button_names[i]);
            click_widget(w, w->rect().center());
            break;
        }
        case Act::Tab: {
            TabControl* tab = program_.form.tab_control();
            const int page = int(action.a % std::uint32_t(tab->count()));
            note(u"pick tab %1"_s.arg(page));
            click_widget(tab, tab->tabRect(page).center());
            break;
        }
        case Act::Key: {
            const KeyStroke& k = key_strokes[action.a % key_count];
            key(k.key, k.modifiers, QString(), QString::fromLatin1(k.name));
            break;
        }
        case Act::Type: {
            const QString text = typed_text(action.a, action.b);
            // Text in one event, as an input method commits it; NUL and all.
            QString shown = text.left(20);
            key(Qt::Key_unknown, Qt::NoModifier, text,
                u"type \"%1\" (%2 chars)"_s.arg(shown.toHtmlEscaped()).arg(text.size()));
            break;
        }
        case Act::Paste: {
            const QString text = pasted_text(action.a, action.b);
            QGuiApplication::clipboard()->setText(text);
            key(Qt::Key_V, Qt::ControlModifier, QString(),
                u"paste %1 chars (kind %2)"_s.arg(text.size()).arg(action.a % 4));
            break;
        }
        case Act::Tick: {
            QTimer* timer = timers_[action.a % 2];
            note(u"tick %1%2"_s.arg(timer->objectName(),
                                    timer->isActive() ? QString() : u" (stopped: none)"_s));
            tick(timer);
            break;
        }
        case Act::Wait: {
            note(u"wait %1 s"_s.arg(action.a));
            wait_seconds(int(action.a));
            break;
        }
        case Act::CloseBox: {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                note(u"close box (none open)"_s);
                break;
            }
            const std::uint32_t how = action.a % 5;
            QWidget* then = how == 4 ? program_.form.widget(button_names[action.b % 5]) : nullptr;
            note(u"close box %1 by %2"_s.arg(
                box->windowTitle(),
                how == 4
                    ? u"Enter, a click on %1 queued behind it"_s.arg(then->objectName())
                    : QStringList{u"Enter"_s, u"Escape"_s, u"OK"_s, u"title bar"_s}[int(how)]));
            if (how == 4) {
                // Input that came in one batch: the box has closed but its loop has not yet
                // returned when the click is taken, as when a busy program catches up.
                qt_handleKeyEvent(box->windowHandle(), QEvent::KeyPress, Qt::Key_Return, {});
                click_widget(then, then->rect().center());
            } else if (how == 0)
                qt_handleKeyEvent(box->windowHandle(), QEvent::KeyPress, Qt::Key_Return, {});
            else if (how == 1)
                qt_handleKeyEvent(box->windowHandle(), QEvent::KeyPress, Qt::Key_Escape, {});
            else if (how == 2)
                click_widget(box->button(QMessageBox::Ok),
                             box->button(QMessageBox::Ok)->rect().center());
            else
                box->windowHandle()->close();
            break;
        }
        }
    }

    // Time passing with nobody at the keys: both timers expire as their periods say. Stops when
    // a box opens, whose loop then runs the next actions.
    void wait_seconds(int seconds) {
        const int boxes = outcome_.stats.boxes;
        for (int half = 1; half <= 2 * seconds && !outcome_.failure; ++half) {
            if (half % 2 == 0)
                tick(timers_[0]);
            tick(timers_[1]);
            if (outcome_.stats.boxes != boxes ||
                (!timers_[0]->isActive() && !timers_[1]->isActive()))
                break;
            check(frames_.back().index);
        }
    }

    // --- the model of the test's state, fed by the handlers that run ---

    void entered(Event e) {
        ++outcome_.stats.handlers;
        const bool click = e == Event::StartTest || e == Event::PreviousQuestion ||
                           e == Event::NextQuestion || e == Event::EndTest || e == Event::Help;
        if (click && QApplication::activeModalWidget())
            fail(u"click_under_box"_s, u"a click handler ran while a message box was open"_s);
        for (Event outer : stack_)
            if (outer != Event::Help)
                fail(u"handler_under_box"_s,
                     u"a handler ran while the box of a handler that stops the timers was open"_s);
        if (!stack_.empty() && e == Event::CountdownTick)
            ++outcome_.stats.ticks_under_help;
        bool timing_out = false;
        if (e == Event::CountdownTick) {
            if (state_ != State::Running)
                fail(u"tick_when_stopped"_s, u"a countdown tick outside a running test"_s);
            if (countdown_ticks_ == test_seconds)
                timing_out = true;
            else
                ++countdown_ticks_;
            page_seen();
            status_follows_page_ = true;
        }
        if (e == Event::InstructionTick) {
            page_seen();
            buttons_follow_page_ = true;
        }
        stack_.push_back(e);
        timing_out_.push_back(timing_out);
    }

    void left(Event e) {
        stack_.pop_back();
        const bool timed_out = timing_out_.back();
        timing_out_.pop_back();
        switch (e) {
        case Event::StartTest:
            ++outcome_.stats.starts;
            if (!frames_.empty())
                frames_.back().start_ran = true;
            state_ = State::Running;
            countdown_ticks_ = 0;
            buttons_follow_page_ = false;
            status_follows_page_ = false;
            check_cleared();
            break;
        case Event::EndTest:
            ++outcome_.stats.ends;
            state_ = State::AfterEnd;
            if (current_page() != 0)
                fail(u"end_shows_page_0"_s, u"page %1 after an end"_s.arg(current_page()));
            break;
        case Event::CountdownTick:
            if (timed_out) {
                ++outcome_.stats.time_outs;
                state_ = State::TimedOut;
            }
            break;
        default:
            break;
        }
        if (fault_)
            fault_(program_, e);
    }

    void box_shown(QMessageBox* box) {
        ++outcome_.stats.boxes;
        const QString caption = box->windowTitle();
        const QString text = box->text();
        if (caption == result_caption) {
            static const QRegularExpression score(u"^(您|你)的成绩是：(-?\\d+)分\n"_s);
            const auto match = score.match(text);
            const int points = match.hasMatch() ? match.captured(2).toInt() : -1;
            if (!match.hasMatch() || points < 0 || points > max_score)
                fail(u"score_in_range"_s, u"result box says: "_s + text.left(80));
        } else if (caption != help_caption && caption != time_up_caption) {
            fail(u"known_box"_s, u"unexpected box \"%1\": %2"_s.arg(caption, text.left(200)));
        }
    }

    int current_page() const { return program_.form.tab_control()->currentIndex(); }

    // What the ticks wrote holds only for the page they saw.
    void page_seen() {
        if (current_page() == last_page_)
            return;
        last_page_ = current_page();
        buttons_follow_page_ = false;
        status_follows_page_ = false;
    }

    Answers snapshot() const {
        Answers a;
        for (QLineEdit* e : edits_)
            a.texts.append(e->text());
        for (QAbstractButton* r : radio_list_)
            a.radios.push_back(r->isChecked());
        for (QAbstractButton* c : checks_)
            a.checks.push_back(c->isChecked());
        return a;
    }

    void check_cleared() {
        const Answers a = snapshot();
        for (const QString& t : a.texts)
            if (!t.isEmpty())
                return fail(u"start_clears"_s, u"an answer box kept \"%1\""_s.arg(t.left(40)));
        for (bool on : a.radios)
            if (on)
                return fail(u"start_clears"_s, u"a radio button stayed checked"_s);
        for (bool on : a.checks)
            if (on)
                return fail(u"start_clears"_s, u"a check box stayed checked"_s);
    }

    // An answer may change only through input that reached it: a radio button's click or key
    // may move the check within its page; a start clears them all.
    void check_answers() {
        const Answers now = snapshot();
        const Frame& frame = frames_.back();
        if (frame.start_ran) {
            answers_ = now;
            return;
        }
        const auto reached = [&](QObject* o) {
            return std::find(frame.targets.begin(), frame.targets.end(), o) != frame.targets.end();
        };
        for (std::size_t i = 0; i < edits_.size(); ++i)
            if (now.texts[qsizetype(i)] != answers_.texts[qsizetype(i)] && !reached(edits_[i]))
                fail(u"answer_changed_by_other_event"_s,
                     u"%1 changed to \"%2\""_s.arg(edits_[i]->objectName(),
                                                   now.texts[qsizetype(i)].left(40)));
        for (std::size_t i = 0; i < radio_list_.size(); ++i) {
            if (now.radios[i] == answers_.radios[i])
                continue;
            const int page = page_of_.value(radio_list_[i]);
            bool ok = false;
            for (QAbstractButton* r : radios_by_page_[std::size_t(page)])
                ok = ok || reached(r);
            if (!ok)
                fail(u"answer_changed_by_other_event"_s,
                     u"%1 became %2"_s.arg(radio_list_[i]->objectName())
                         .arg(now.radios[i] ? u"checked"_s : u"unchecked"_s));
        }
        for (std::size_t i = 0; i < checks_.size(); ++i)
            if (now.checks[i] != answers_.checks[i] && !reached(checks_[i]))
                fail(u"answer_changed_by_other_event"_s,
                     u"%1 changed"_s.arg(checks_[i]->objectName()));
        answers_ = now;
    }

    void check(int index) {
        if (outcome_.failure)
            return;
        check_index_ = index;
        page_seen();
        check_answers();
        check_pages();
        check_status_boxes();
        if (program_.controller.score() < 0 || program_.controller.score() > max_score)
            fail(u"score_in_range"_s, u"score %1"_s.arg(program_.controller.score()));
        if (stack_.empty())
            check_state_table();
    }

    void check_pages() {
        const Layout& layout = program_.form.layout();
        const int current = current_page();
        for (int page = 0; page < page_count; ++page) {
            for (int member : layout.page_members[std::size_t(page)]) {
                QWidget* w = by_index_[std::size_t(member)];
                const bool expected = page == current && !w->isHidden();
                if (w->isVisible() != expected)
                    fail(u"only_current_page_on_screen"_s,
                         u"%1 of page %2 is %3 with page %4 current"_s.arg(w->objectName())
                             .arg(page)
                             .arg(w->isVisible() ? u"on screen"_s : u"off screen"_s)
                             .arg(current));
            }
            int checked = 0;
            for (QAbstractButton* r : radios_by_page_[std::size_t(page)])
                checked += r->isChecked();
            if (checked > 1)
                fail(u"one_radio_per_page"_s,
                     u"%1 radio buttons checked on page %2"_s.arg(checked).arg(page));
        }
    }

    QString text_of(QStringView name) const {
        return static_cast<QLineEdit*>(program_.form.widget(name))->text();
    }
    bool enabled(QStringView name) const { return program_.form.widget(name)->isEnabled(); }

    void check_status_boxes() {
        static const QRegularExpression whole(u"^\\d+$"_s);
        const QString remaining = text_of(names::remaining_time);
        if (!whole.match(remaining).hasMatch() || remaining.toInt() > test_seconds)
            fail(u"remaining_time_in_range"_s, u"剩余时间框 shows \"%1\""_s.arg(remaining));
        const QString status = text_of(names::question_status);
        if (status != not_started_text && !program_.form.layout().page_captions.contains(status))
            fail(u"status_is_a_caption"_s, u"题况编辑框 shows \"%1\""_s.arg(status));
    }

    void expect(bool ok, const QString& what) {
        if (!ok)
            fail(u"state_table"_s, what);
    }

    // The columns of the state table, for the state the events so far lead to.
    void check_state_table() {
        const bool timers = timers_[0]->isActive() || timers_[1]->isActive();
        const QString remaining = text_of(names::remaining_time);
        const bool cover_hidden = program_.form.widget(names::welcome_label)->isHidden();
        expect(enabled(names::help_button), u"help button disabled"_s);
        switch (state_) {
        case State::Initial:
        case State::AfterEnd:
            expect(enabled(names::start_button), u"start disabled when not started"_s);
            expect(!enabled(names::previous_button) && !enabled(names::next_button) &&
                       !enabled(names::end_button),
                   u"navigation or end enabled when not started"_s);
            expect(!timers, u"a timer runs when not started"_s);
            expect(remaining == u"1500", u"剩余时间框 \"%1\" when not started"_s.arg(remaining));
            expect(text_of(names::question_status) == not_started_text,
                   u"题况编辑框 not \"未开始\" when not started"_s);
            expect(!cover_hidden, u"标签4 hidden when not started"_s);
            expect(enabled(names::tab_control) == (state_ == State::AfterEnd),
                   u"tab control enabled state wrong when not started"_s);
            break;
        case State::Running: {
            expect(!enabled(names::start_button), u"start enabled while running"_s);
            expect(enabled(names::end_button), u"end disabled while running"_s);
            expect(enabled(names::tab_control), u"tab control disabled while running"_s);
            expect(timers_[0]->isActive() && timers_[1]->isActive(),
                   u"a timer stopped while running"_s);
            expect(cover_hidden, u"标签4 shown while running"_s);
            expect(remaining == QString::number(test_seconds - countdown_ticks_),
                   u"剩余时间框 \"%1\" after %2 ticks"_s.arg(remaining).arg(countdown_ticks_));
            const int page = current_page();
            if (buttons_follow_page_ && page < page_count - 1)
                expect(enabled(names::previous_button) == (page != 0) &&
                           enabled(names::next_button),
                       u"navigation buttons do not follow page %1"_s.arg(page));
            if (status_follows_page_)
                expect(text_of(names::question_status) ==
                           program_.form.layout().page_captions[page],
                       u"题况编辑框 does not show page %1"_s.arg(page));
            break;
        }
        case State::TimedOut:
            expect(enabled(names::start_button), u"start disabled after a time-out"_s);
            expect(!enabled(names::previous_button) && !enabled(names::next_button) &&
                       !enabled(names::end_button),
                   u"navigation or end enabled after a time-out"_s);
            expect(!timers, u"a timer runs after a time-out"_s);
            expect(remaining == u"0", u"剩余时间框 \"%1\" after a time-out"_s.arg(remaining));
            expect(cover_hidden, u"标签4 shown after a time-out"_s);
            break;
        }
    }

    void fail(const QString& check, const QString& detail) {
        if (outcome_.failure)
            return;
        const int index = frames_.empty() ? check_index_ : frames_.back().index;
        outcome_.failure = Failure{index, check, detail};
        draining_ = true;
    }

    const std::vector<Action>& actions_;
    const bool keep_log_;
    const Fault& fault_;
    Program program_;
    QWidget* window_ = nullptr;
    std::vector<QWidget*> by_index_;
    std::vector<QLineEdit*> edits_;
    std::vector<QAbstractButton*> radio_list_;
    std::vector<QAbstractButton*> checks_;
    std::vector<std::vector<QAbstractButton*>> radios_by_page_;
    QHash<QAbstractButton*, int> page_of_;
    std::vector<QTimer*> timers_;
    QEvent* delivering_ = nullptr;
    int timestamp_ = 1000;

    QEventLoop loop_;
    std::size_t next_ = 0;
    bool draining_ = false;
    std::vector<Frame> frames_;
    int check_index_ = -1;
    QStringList log_;
    Outcome outcome_;
    Answers answers_;

    State state_ = State::Initial;
    int countdown_ticks_ = 0;
    bool buttons_follow_page_ = false; // an instruction tick came since the page last changed
    bool status_follows_page_ = false; // a countdown tick came since the page last changed
    std::vector<Event> stack_;
    std::vector<bool> timing_out_;
    int last_page_ = 0;
};

} // namespace

Outcome run_actions(const std::vector<Action>& actions, bool keep_log, const Fault& fault) {
    Runner runner(actions, keep_log, fault);
    return runner.run();
}

std::vector<Action> shrink(std::vector<Action> actions, const Failure& failure,
                           std::chrono::seconds budget, const Fault& fault) {
    QElapsedTimer clock;
    clock.start();
    actions.resize(std::size_t(failure.action + 1));
    const auto still_fails = [&](std::vector<Action>& candidate) {
        const Outcome o = run_actions(candidate, false, fault);
        if (!o.failure || o.failure->check != failure.check)
            return false;
        candidate.resize(std::size_t(o.failure->action + 1));
        return true;
    };
    // Remove ever smaller chunks while the same check still fails.
    for (std::size_t chunk = std::max<std::size_t>(actions.size() / 2, 1); chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at < actions.size() && actions.size() > 1;) {
            if (clock.elapsed() > std::chrono::milliseconds(budget).count())
                return actions;
            std::vector<Action> candidate = actions;
            candidate.erase(candidate.begin() + std::ptrdiff_t(at),
                            candidate.begin() +
                                std::ptrdiff_t(std::min(at + chunk, candidate.size())));
            if (!candidate.empty() && still_fails(candidate))
                actions = std::move(candidate);
            else
                at += chunk;
        }
        if (chunk == 1)
            break;
    }
    return actions;
}

} // namespace reliability
