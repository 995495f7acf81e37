// Rules of the form services, on the in-memory form.
#include "forms/model_form.h"
#include "layout/names.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvane;

class TestModelForm : public QObject {
    Q_OBJECT
private slots:
    void page_requests_are_clamped_data();
    void page_requests_are_clamped();
    void focus_goes_to_lowest_focus_order_data();
    void focus_goes_to_lowest_focus_order();
    void focus_stays_when_no_member_can_take_it();
    void visible_flag_survives_page_changes();
    void page_captions_count_from_one_data();
    void page_captions_count_from_one();
    void same_period_keeps_the_due_tick();
    void new_period_restarts_a_full_period_later();
    void negative_period_stops_like_zero();
    void missed_ticks_coalesce_after_a_stall();
    void find_by_tag_takes_first_match_in_layout_order();
    void missing_tag_reports_without_a_code_line();
    void radio_click_clears_its_page_only();
    void set_checked_touches_one_control();
    void disabled_tab_control_blocks_pages_and_headers();
    void input_is_blocked_while_a_box_is_open();
    void failed_text_allocation_is_fatal();
};

void TestModelForm::page_requests_are_clamped_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected");
    QTest::addRow("below_zero") << -1 << 0;
    QTest::addRow("far_below") << -1000 << 0;
    QTest::addRow("one_past_last") << 26 << 25;
    QTest::addRow("far_past_last") << 1000 << 25;
    QTest::addRow("inside") << 13 << 13;
}

void TestModelForm::page_requests_are_clamped() {
    QFETCH(int, requested);
    QFETCH(int, expected);
    ModelForm form;
    const ControlRef tab = form[names::tab_control];
    form.set_current_page(tab, requested);
    QCOMPARE(form.get_current_page(tab), expected);
}

void TestModelForm::focus_goes_to_lowest_focus_order_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");
    QTest::addRow("page0_first_answer_box") << 0 << names::answer_box(1);
    QTest::addRow("page1_first_radio_listed") << 1 << u"单选框3c"_s;
    QTest::addRow("page18_first_check_listed") << 18 << u"选择框5e"_s;
    QTest::addRow("page25") << 25 << u"单选框101a"_s;
}

void TestModelForm::focus_goes_to_lowest_focus_order() {
    QFETCH(int, page);
    QFETCH(QString, expected);
    ModelForm form;
    form.set_current_page(form[names::tab_control], page);
    QCOMPARE(form.focused(), expected);
}

void TestModelForm::focus_stays_when_no_member_can_take_it() {
    ModelForm form;
    form.set_current_page(form[names::tab_control], 0);
    for (int question = 1; question <= 8; ++question)
        form.set_disabled(form[names::answer_box(question)], true);
    form.set_current_page(form[names::tab_control], 3);
    const QString before = form.focused();
    // Page 0 now has only disabled boxes and labels.
    form.set_current_page(form[names::tab_control], 0);
    QCOMPARE(form.focused(), before);
    // Among equal focus orders the page list decides; with box 1 disabled box 2 wins.
    form.set_disabled(form[names::answer_box(2)], false);
    form.set_disabled(form[names::answer_box(5)], false);
    form.set_current_page(form[names::tab_control], 0);
    QCOMPARE(form.focused(), names::answer_box(2));
}

void TestModelForm::visible_flag_survives_page_changes() {
    ModelForm form;
    const ControlRef tab = form[names::tab_control];
    form.set_visible(form[names::welcome_label], false);
    QVERIFY(!form.on_screen(names::welcome_label));
    form.set_current_page(tab, 4);
    form.set_current_page(tab, 0);
    QVERIFY(!form.on_screen(names::welcome_label));
    QVERIFY(form.on_screen(names::answer_box(1)));

    // Showing a member of another page only records the flag.
    form.set_current_page(tab, 4);
    form.set_visible(form[names::welcome_label], true);
    QVERIFY(!form.on_screen(names::welcome_label));
    form.set_current_page(tab, 0);
    QVERIFY(form.on_screen(names::welcome_label));
    QVERIFY(!form.on_screen(u"图片框7"_s));
}

void TestModelForm::page_captions_count_from_one_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");
    QTest::addRow("zero_is_empty") << 0 << QString();
    QTest::addRow("first") << 1 << u"第1-8题"_s;
    QTest::addRow("second") << 2 << u"第9题"_s;
    QTest::addRow("last") << 26 << u"第33题"_s;
    QTest::addRow("past_last_is_empty") << 27 << QString();
    QTest::addRow("negative_is_empty") << -3 << QString();
}

void TestModelForm::page_captions_count_from_one() {
    QFETCH(int, page);
    QFETCH(QString, expected);
    ModelForm form;
    QCOMPARE(form.page_caption(form[names::tab_control], page), expected);
}

void TestModelForm::same_period_keeps_the_due_tick() {
    ModelForm form;
    int ticks = 0;
    form.set_event_sink([&](Event e) { ticks += e == Event::CountdownTick; });
    const ControlRef timer = form[names::countdown_timer];
    form.set_period(timer, 1000);
    form.advance(600);
    form.set_period(timer, 1000);
    QCOMPARE(form.next_due(names::countdown_timer), 1000);
    form.advance(400);
    QCOMPARE(ticks, 1);
}

void TestModelForm::new_period_restarts_a_full_period_later() {
    ModelForm form;
    const ControlRef timer = form[names::countdown_timer];
    form.set_period(timer, 1000);
    form.advance(600);
    form.set_period(timer, 500);
    QCOMPARE(form.next_due(names::countdown_timer), 1100);
}

void TestModelForm::negative_period_stops_like_zero() {
    ModelForm form;
    int ticks = 0;
    form.set_event_sink([&](Event) { ++ticks; });
    const ControlRef timer = form[names::countdown_timer];
    form.set_period(timer, 1000);
    form.set_period(timer, -5);
    QCOMPARE(form.period(names::countdown_timer), 0);
    form.advance(5000);
    QCOMPARE(ticks, 0);
}

void TestModelForm::missed_ticks_coalesce_after_a_stall() {
    ModelForm form;
    std::vector<Event> ticks;
    form.set_event_sink([&](Event e) { ticks.push_back(e); });
    form.set_period(form[names::countdown_timer], 1000);
    form.set_period(form[names::instruction_timer], 500);
    form.advance(1000);
    // Due order: 500 (instruction), 1000 (both; the instruction timer was started later).
    QCOMPARE(ticks.size(), 3u);
    QCOMPARE(ticks[0], Event::InstructionTick);
    ticks.clear();
    form.stall(3700); // the thread is busy until 4700
    QCOMPARE(ticks.size(), 2u);
    QCOMPARE(form.next_due(names::countdown_timer), 5000);
    QCOMPARE(form.next_due(names::instruction_timer), 5000);
}

void TestModelForm::find_by_tag_takes_first_match_in_layout_order() {
    Layout layout = main_window_layout();
    const int radio = layout.index_of(u"单选框89a");
    QCOMPARE(layout.controls[radio].tag, u"69"_s);
    // A label later in the layout carrying the same number does not win.
    layout.controls[layout.index_of(names::instruction_label)].tag = u"69"_s;
    // A tag with trailing letters reads as its digits.
    layout.controls[layout.index_of(names::series_label)].tag = u"150xyz"_s;
    ModelForm form(layout);
    QCOMPARE(form.find_by_tag(69).index, radio);
    QCOMPARE(form.find_by_tag(69).kind, Kind::RadioButton);
    QCOMPARE(form.find_by_tag(150).index, layout.index_of(names::series_label));
    QCOMPARE(form.find_by_tag(111).index, layout.index_of(names::answer_box(1)));
    // Empty tags read as 0, so 0 finds the window itself, first in layout order.
    QCOMPARE(form.find_by_tag(0).kind, Kind::Window);
}

void TestModelForm::missing_tag_reports_without_a_code_line() {
    for (int tag : {119, 120, 85, -1}) {
        ModelForm form;
        bool raised = false;
        try {
            form.find_by_tag(tag);
        } catch (const RunHalted&) {
            raised = true;
        }
        QVERIFY2(raised, qPrintable(QString::number(tag)));
        QVERIFY(form.error());
        QCOMPARE(form.error()->report, u"运行时出错!\r\n\r\n错误信息：未找到指定标记的组件\r\n"_s);
    }
}

void TestModelForm::radio_click_clears_its_page_only() {
    ModelForm form;
    form.set_disabled(form[names::tab_control], false);
    form.set_visible(form[names::welcome_label], false);
    form.pick_page(2);
    form.click(u"单选框6b");
    form.pick_page(1);
    form.click(u"单选框1a");
    form.click(u"单选框2b");
    QVERIFY(!form.checked(u"单选框1a"));
    QVERIFY(form.checked(u"单选框2b"));
    form.click(u"单选框2b"); // clicking a checked radio button leaves it checked
    QVERIFY(form.checked(u"单选框2b"));
    QVERIFY(form.checked(u"单选框6b"));
    // A radio button of a page not shown takes no click.
    form.click(u"单选框7c");
    QVERIFY(!form.checked(u"单选框7c"));
}

void TestModelForm::set_checked_touches_one_control() {
    ModelForm form;
    form.set_checked(form[u"单选框1a"], true);
    form.set_checked(form[u"单选框2b"], true);
    QVERIFY(form.get_checked(form[u"单选框1a"]));
    QVERIFY(form.get_checked(form[u"单选框2b"]));
    form.set_checked(form[u"单选框2b"], false);
    QVERIFY(!form.get_checked(form[u"单选框2b"]));
}

void TestModelForm::disabled_tab_control_blocks_pages_and_headers() {
    ModelForm form;
    form.set_visible(form[names::welcome_label], false);
    form.type(names::answer_box(1), u"m"_s);
    form.pick_page(3);
    QCOMPARE(form.text(names::answer_box(1)), QString());
    QCOMPARE(form.current_page(), 0);
    QVERIFY(form.enabled(names::answer_box(1))); // its own flag is untouched
    form.set_disabled(form[names::tab_control], false);
    form.type(names::answer_box(1), u"m"_s);
    QCOMPARE(form.text(names::answer_box(1)), u"m"_s);
}

void TestModelForm::input_is_blocked_while_a_box_is_open() {
    ModelForm form;
    int clicks = 0;
    form.set_event_sink([&](Event e) { clicks += e == Event::Help; });
    form.on_message_box([](ModelForm& f, const RecordedBox&) { f.click(names::help_button); });
    form.message_box(u"x"_s, message_box_plain, QString());
    QCOMPARE(clicks, 0);
    QCOMPARE(form.boxes().back().caption, u"信息："_s);
    form.click(names::help_button);
    QCOMPARE(clicks, 1);
}

void TestModelForm::failed_text_allocation_is_fatal() {
    ModelForm form;
    bool raised = false;
    try {
        make_text(form, 10, []() -> QString { throw std::bad_alloc(); });
    } catch (const RunHalted&) {
        raised = true;
    }
    QVERIFY(raised);
    // Ten characters and the terminator, two bytes each.
    QCOMPARE(form.error()->report, u"运行时出错!\r\n\r\n错误信息：分配 22 字节内存失败!\r\n"_s);
    QVERIFY(!form.error()->code);
}

QTEST_GUILESS_MAIN(TestModelForm)
#include "tst_model_form.moc"
