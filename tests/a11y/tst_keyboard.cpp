// Keyboard-only use of the real window: a whole test without the mouse, the Tab order of the
// pages, arrows in a radio row, Space on check boxes and buttons, the page keys, and a focus
// that can be seen.
#include "keyboard_app.h"
#include "layout/names.h"
#include "scoring/scoring.h"
#include "support/timers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

bool is_frame_button(const QString& name) {
    for (QStringView button : {names::start_button, names::previous_button, names::next_button,
                               names::end_button, names::help_button})
        if (name == button)
            return true;
    return false;
}

// The letter of an answer control is its caption.
int letter_of(QWidget* control) {
    return static_cast<QAbstractButton*>(control)->text().at(0).unicode() - u'a';
}

// Walks the arrows along a row of options to `option` and checks it with Space.
void arrow_and_check(KeyboardApp& app, int question, int option) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && app.page_widget()->isAncestorOf(focus));
    const int from = letter_of(focus);
    for (int i = 0; i < std::abs(option - from); ++i)
        app.key(option > from ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(app.focused(), answer_control(question, option));
    app.key(Qt::Key_Space);
    QVERIFY(static_cast<QAbstractButton*>(app.w(app.focused()))->isChecked());
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void whole_test_by_keys_scores_174();
    void tab_visits_a_page_in_reading_order_data();
    void tab_visits_a_page_in_reading_order();
    void arrows_move_inside_an_option_row_data();
    void arrows_move_inside_an_option_row();
    void space_toggles_and_presses_data();
    void space_toggles_and_presses();
    void page_keys_switch_pages_data();
    void page_keys_switch_pages();
    void focus_can_be_seen_data();
    void focus_can_be_seen();
    void typing_keeps_clear_of_frame_and_characters_data();
    void typing_keeps_clear_of_frame_and_characters();
};

void KeyboardTest::initTestCase() {
    ui::install_font_substitutions();
    ui::apply_default_gui_font();
    QApplication::setCursorFlashTime(0); // a steady caret, in every grab
}

void KeyboardTest::cleanup() {
    QVERIFY(!QApplication::activeModalWidget());
}

void KeyboardTest::whole_test_by_keys_scores_174() {
    KeyboardApp app;
    BoxCloser closer; // closes the result box with Enter
    QCOMPARE(app.focused(), names::start_button);
    app.key(Qt::Key_Space);
    QVERIFY(app.h.qt.timer(names::countdown_timer)->isActive());

    const QString written[] = {u"m"_s, u"15"_s, u"8"_s, u"6"_s, u"5"_s, u"4"_s, u"1"_s, u"2"_s};
    for (int q = 1; q <= 8; ++q) {
        QCOMPARE(app.focused(), names::answer_box(q));
        app.type(written[q - 1]);
        app.key(Qt::Key_Tab);
    }
    QVERIFY2(is_frame_button(app.focused()), qPrintable(app.focused()));

    for (const KeyRow& row : answer_key()) {
        if (row.kind == AnswerKind::Text)
            continue;
        const int page = row.question - 8;
        // Three ways to the next page, in turn: Ctrl+Tab from an answer control, Ctrl+PgDn
        // from a button, Space on the next button.
        switch (page % 3) {
        case 1:
            app.key(Qt::Key_Tab, Qt::ControlModifier);
            break;
        case 2:
            QVERIFY(app.tab_to(names::help_button));
            app.key(Qt::Key_PageDown, Qt::ControlModifier);
            break;
        default:
            QVERIFY(app.tab_to(names::next_button));
            app.key(Qt::Key_Space);
            break;
        }
        QCOMPARE(app.page(), page);
        if (row.kind == AnswerKind::Radio) {
            arrow_and_check(app, row.question, row.options[0]);
            continue;
        }
        // Check boxes: Tab and Shift+Tab walk the row, Space checks.
        for (int option : row.options) {
            const QString target = answer_control(row.question, option);
            QVERIFY(app.tab_to(target, letter_of(QApplication::focusWidget()) > option));
            app.key(Qt::Key_Space);
            QVERIFY(static_cast<QCheckBox*>(app.w(target))->isChecked());
        }
    }

    QVERIFY(app.tab_to(names::end_button));
    app.key(Qt::Key_Space);
    QTRY_COMPARE(closer.texts.size(), 1);
    QCOMPARE(closer.captions[0], result_caption.toString());
    QCOMPARE(closer.texts[0], u"您的成绩是：174分\n请点击下方<说明>按钮查看分数说明"_s);
    QCOMPARE(app.page(), 0);
    QVERIFY(app.w(names::welcome_label)->isVisible());
    // The start button has the focus again; neither the page keys nor Tab reach the boxes under
    // the welcome label, and Space starts the next test.
    app.h.qt.window()->activateWindow(); // as the window manager does once the box is gone
    QTRY_COMPARE(app.focused(), names::start_button);
    app.key(Qt::Key_PageDown, Qt::ControlModifier);
    app.key(Qt::Key_PageUp, Qt::ControlModifier);
    for (int i = 0; i < 8; ++i, app.key(Qt::Key_Tab))
        QVERIFY2(is_frame_button(app.focused()), qPrintable(app.focused()));
    QVERIFY(app.tab_to(names::start_button));
    app.key(Qt::Key_Space);
    QCOMPARE(app.focused(), names::answer_box(1));
    app.h.qt.set_text(app.h.qt[names::remaining_time], u"0"_s);
    expire(app.h.qt.timer(names::countdown_timer));
    QCOMPARE(closer.captions.size(), 3); // this one ran out of time: time-up box, then result
    app.h.qt.window()->activateWindow();
    QTRY_COMPARE(app.focused(), names::start_button);
}

void KeyboardTest::tab_visits_a_page_in_reading_order_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QStringList boxes;
    for (int q = 1; q <= 8; ++q)
        boxes << names::answer_box(q);
    QTest::addRow("answer_boxes_top_to_bottom") << 0 << boxes;
    // A row of radio buttons is one stop, at the option the page gave the focus; the arrows
    // move inside it.
    QTest::addRow("radio_row_is_one_stop") << 1 << QStringList{u"单选框3c"_s};
    QTest::addRow("check_boxes_left_to_right_though_listed_5e_first")
        << 18
        << QStringList{u"选择框1a"_s, u"选择框2b"_s, u"选择框3c"_s, u"选择框4d"_s, u"选择框5e"_s};
    QTest::addRow("last_check_box_page")
        << 21
        << QStringList{u"选择框16a"_s, u"选择框17b"_s, u"选择框18c"_s, u"选择框19d"_s,
                       u"选择框20e"_s};
    QTest::addRow("last_page") << 25 << QStringList{u"单选框101a"_s};
}

void KeyboardTest::tab_visits_a_page_in_reading_order() {
    QFETCH(int, page);
    QFETCH(QStringList, order);
    KeyboardApp app;
    app.key(Qt::Key_Space); // start
    app.hold_buttons();
    app.h.qt.set_current_page(app.h.qt[names::tab_control], page);

    // One full round of Tab from where the page put the focus.
    QStringList round;
    const QString first = app.focused();
    do {
        round << app.focused();
        app.key(Qt::Key_Tab);
    } while (app.focused() != first && round.size() < 40);
    QCOMPARE(app.focused(), first);

    const auto start = round.indexOf(order.first());
    QVERIFY(start >= 0);
    const QStringList rotated = round.mid(start) + round.mid(0, start);
    QCOMPARE(rotated.mid(0, order.size()), order);
    // Then out of the page to the buttons, and round to the page again.
    for (const QString& rest : rotated.mid(order.size()))
        QVERIFY2(is_frame_button(rest), qPrintable(rest));

    // Shift+Tab walks the same round backwards.
    QStringList back;
    do {
        back << app.focused();
        app.key(Qt::Key_Tab, Qt::ShiftModifier);
    } while (app.focused() != first && back.size() < 40);
    QStringList reversed{round.first()};
    for (auto i = round.size() - 1; i > 0; --i)
        reversed << round[i];
    QCOMPARE(back, reversed);
}

void KeyboardTest::arrows_move_inside_an_option_row_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("checked_first");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("checked_after"); // empty: none of the row checked

    QTest::addRow("right_moves_focus_not_the_answer")
        << 1 << u"单选框1a"_s << false << int(Qt::Key_Right) << u"单选框2b"_s << QString();
    QTest::addRow("right_carries_the_answer_along")
        << 1 << u"单选框1a"_s << true << int(Qt::Key_Right) << u"单选框2b"_s << u"单选框2b"_s;
    QTest::addRow("left_carries_the_answer_back")
        << 2 << u"单选框7c"_s << true << int(Qt::Key_Left) << u"单选框6b"_s << u"单选框6b"_s;
    QTest::addRow("left_at_a_stays")
        << 1 << u"单选框1a"_s << true << int(Qt::Key_Left) << u"单选框1a"_s << u"单选框1a"_s;
    QTest::addRow("right_at_d_stays_in_the_row")
        << 4 << u"单选框16d"_s << false << int(Qt::Key_Right) << u"单选框16d"_s << QString();
    QTest::addRow("from_the_lower_option_a")
        << 9 << u"单选框33a"_s << false << int(Qt::Key_Right) << u"单选框34b"_s << QString();
    QTest::addRow("check_boxes_follow_the_tab_order")
        << 18 << u"选择框1a"_s << false << int(Qt::Key_Right) << u"选择框2b"_s << QString();
    QTest::addRow("check_box_left_goes_back")
        << 19 << u"选择框9d"_s << false << int(Qt::Key_Left) << u"选择框8c"_s << QString();
}

void KeyboardTest::arrows_move_inside_an_option_row() {
    QFETCH(int, page);
    QFETCH(QString, from);
    QFETCH(bool, checked_first);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(QString, checked_after);
    KeyboardApp app;
    app.key(Qt::Key_Space);
    app.hold_buttons();
    app.h.qt.set_current_page(app.h.qt[names::tab_control], page);
    QVERIFY(app.reach(from));
    if (checked_first)
        app.key(Qt::Key_Space);
    app.key(Qt::Key(key));
    QCOMPARE(app.focused(), to);
    QStringList checked;
    for (auto* button : app.page_widget()->findChildren<QAbstractButton*>())
        if (button->isChecked())
            checked << button->objectName();
    QCOMPARE(checked, checked_after.isEmpty() ? QStringList() : QStringList{checked_after});
}

void KeyboardTest::space_toggles_and_presses_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QList<bool>>("checked_after_each_space");

    QTest::addRow("check_box_toggles") << 18 << u"选择框3c"_s << QList<bool>{true, false, true};
    QTest::addRow("radio_button_stays_checked") << 5 << u"单选框18b"_s << QList<bool>{true, true};
}

void KeyboardTest::space_toggles_and_presses() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QList<bool>, checked_after_each_space);
    KeyboardApp app;
    app.key(Qt::Key_Space);
    app.hold_buttons();
    app.h.qt.set_current_page(app.h.qt[names::tab_control], page);
    QVERIFY(app.reach(control));
    auto* button = static_cast<QAbstractButton*>(app.w(control));
    for (bool expected : checked_after_each_space) {
        app.key(Qt::Key_Space);
        QCOMPARE(button->isChecked(), expected);
    }

    // Space on a focused push button presses it: the help box opens.
    BoxCloser closer;
    QVERIFY(app.tab_to(names::help_button));
    app.key(Qt::Key_Space);
    QTRY_COMPARE(closer.captions.size(), 1);
    QCOMPARE(closer.captions[0], u"有关这个软件的信息："_s);
}

void KeyboardTest::page_keys_switch_pages_data() {
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");

    const int ctrl = int(Qt::ControlModifier);
    const int ctrl_shift = int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::addRow("ctrl_tab_from_an_option")
        << true << 1 << u"单选框2b"_s << int(Qt::Key_Tab) << ctrl << 2;
    QTest::addRow("ctrl_tab_from_an_answer_box")
        << true << 0 << u"题目3编辑框"_s << int(Qt::Key_Tab) << ctrl << 1;
    QTest::addRow("ctrl_shift_tab_as_backtab")
        << true << 5 << u"单选框18b"_s << int(Qt::Key_Backtab) << ctrl_shift << 4;
    QTest::addRow("ctrl_shift_tab_as_tab")
        << true << 5 << u"单选框18b"_s << int(Qt::Key_Tab) << ctrl_shift << 4;
    QTest::addRow("ctrl_page_down_from_a_button")
        << true << 3 << u"帮助按钮"_s << int(Qt::Key_PageDown) << ctrl << 4;
    QTest::addRow("ctrl_page_up_from_a_button")
        << true << 3 << u"结束测试按钮"_s << int(Qt::Key_PageUp) << ctrl << 2;
    QTest::addRow("ctrl_tab_from_a_check_box")
        << true << 20 << u"选择框13c"_s << int(Qt::Key_Tab) << ctrl << 21;
    QTest::addRow("last_page_wraps_to_the_first")
        << true << 25 << u"单选框101a"_s << int(Qt::Key_PageDown) << ctrl << 0;
    QTest::addRow("nothing_before_the_start")
        << false << 0 << u"开始测试按钮"_s << int(Qt::Key_Tab) << ctrl << 0;
    QTest::addRow("nothing_before_the_start_page_down")
        << false << 0 << u"帮助按钮"_s << int(Qt::Key_PageDown) << ctrl << 0;
}

void KeyboardTest::page_keys_switch_pages() {
    QFETCH(bool, started);
    QFETCH(int, page);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    KeyboardApp app;
    if (started) {
        app.key(Qt::Key_Space);
        app.hold_buttons();
        app.h.qt.set_current_page(app.h.qt[names::tab_control], page);
    }
    QVERIFY(app.reach(from));
    app.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(app.page(), expected);
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) { // named on the button that pages so
        QWidget* b = app.w(key == Qt::Key_PageUp ? names::previous_button : names::next_button);
        const QString keys = QKeySequence(modifiers | key).toString(QKeySequence::NativeText);
        QVERIFY(b->toolTip().contains(keys) && b->accessibleDescription().contains(keys));
    }
    if (expected != page) {
        // The focus follows to the new page, ready for the answer.
        QVERIFY2(app.page_widget()->isAncestorOf(QApplication::focusWidget()),
                 qPrintable(app.focused()));
        QVERIFY(app.h.qt.tab_control()->page(page)->isHidden());
    } else {
        QCOMPARE(app.focused(), from);
    }
}

void KeyboardTest::focus_can_be_seen_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("by_page_keys"); // reach the page by Ctrl+PgDn alone, no Tab at all
    QTest::addRow("answer_box") << 0 << names::answer_box(4) << false;
    QTest::addRow("radio_button") << 3 << u"单选框10b"_s << false;
    QTest::addRow("check_box") << 19 << u"选择框7b"_s << false;
    QTest::addRow("push_button") << 0 << names::end_button.toString() << false;
    QTest::addRow("radio_button_after_page_keys") << 2 << u"单选框5a"_s << true;
    QTest::addRow("check_box_after_page_keys") << 18 << u"选择框5e"_s << true;
}

void KeyboardTest::focus_can_be_seen() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(bool, by_page_keys);
    KeyboardApp app;
    app.key(Qt::Key_Space);
    app.hold_buttons();
    QWidget* widget = app.w(control);
    if (by_page_keys) {
        while (app.page() != page)
            app.key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(app.focused(), control);
    } else {
        app.h.qt.set_current_page(app.h.qt[names::tab_control], page);
        QVERIFY(app.reach(control));
    }
    const QImage focused = widget->grab().toImage();
    app.key(Qt::Key_Tab);
    QVERIFY(!widget->hasFocus());
    const QImage unfocused = widget->grab().toImage();
    QVERIFY2(focused != unfocused, "the focused control looks the same as without the focus");
}

void KeyboardTest::typing_keeps_clear_of_frame_and_characters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lefts"); // presses of the left arrow after typing
    QTest::addRow("caret_after_m") << u"m"_s << 0;
    QTest::addRow("caret_inside_15") << u"15"_s << 1;
    QTest::addRow("long_answer_from_its_start_before_5") << u"5123456"_s << 7;
}

// Text and caret keep two pixels inside the frame's two, and no caret pixel is on a character.
void KeyboardTest::typing_keeps_clear_of_frame_and_characters() {
    QFETCH(QString, typed);
    QFETCH(int, lefts);
    KeyboardApp app;
    app.key(Qt::Key_Space);
    const QImage blank = app.w(names::answer_box(2))->grab().toImage(); // empty, no focus
    QWidget* box = app.w(names::answer_box(1));
    app.type(typed);
    for (int i = 0; i < lefts; ++i)
        app.key(Qt::Key_Left);
    const QImage caret = box->grab().toImage();
    app.key(Qt::Key_Tab);
    const QImage text = box->grab().toImage();
    int barred = 0;
    for (int x = 0; x < box->width(); ++x)
        for (int y = 0; y < box->height(); ++y) {
            const bool ink = text.pixel(x, y) != blank.pixel(x, y);
            // The caret comes in the text's black; the focus ring, new too, is far lighter.
            const bool bar = caret.pixel(x, y) != text.pixel(x, y) && qGray(caret.pixel(x, y)) < 64;
            barred += bar;
            QVERIFY(!(ink && bar) &&
                    (!(ink || bar) || box->rect().adjusted(4, 4, -4, -4).contains(x, y)));
        }
    QVERIFY(text != blank && barred > 0);
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
