// Whole tests driven headless: clicks, ticks on the fake clock, scripted boxes.
#include "controller/controller.h"
#include "forms/model_form.h"
#include "layout/names.h"
#include "support/answers.h"

#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

struct Run {
    ModelForm form;
    TestController controller{form};

    explicit Run(Layout layout = main_window_layout()) : form(std::move(layout)) {
        form.set_event_sink([this](Event e) { controller.handle(e); });
    }
    void start() { form.click(names::start_button); }
    void end() { form.click(names::end_button); }
    void seconds(int n) { form.advance(qint64(n) * 1000); }
};

enum class Column { StartUp, Running, AfterEnd, TimedOut };

void verify_state(Run& run, Column column) {
    ModelForm& f = run.form;
    const bool running = column == Column::Running;
    QCOMPARE(f.enabled(names::start_button), !running);
    QCOMPARE(f.enabled(names::end_button), running);
    QVERIFY(f.enabled(names::help_button));
    QCOMPARE(f.enabled(names::tab_control), column != Column::StartUp);
    QCOMPARE(f.visible_flag(names::welcome_label),
             column == Column::StartUp || column == Column::AfterEnd);
    QCOMPARE(f.period(names::countdown_timer), running ? 1000 : 0);
    QCOMPARE(f.period(names::instruction_timer), running ? 500 : 0);
    if (!running) {
        QVERIFY(!f.enabled(names::previous_button));
        QVERIFY(!f.enabled(names::next_button));
    }
    if (column == Column::StartUp || column == Column::AfterEnd) {
        QCOMPARE(f.current_page(), 0);
        QCOMPARE(f.text(names::remaining_time), u"1500"_s);
        QCOMPARE(f.text(names::question_status), u"未开始"_s);
        QCOMPARE(run.controller.score(), 0);
    }
    if (column == Column::TimedOut)
        QCOMPARE(f.text(names::remaining_time), u"0"_s);
}

QString tail() {
    return u"分\r\n请点击下方<说明>按钮查看分数说明"_s;
}

} // namespace

class ControllerTest : public QObject {
    Q_OBJECT
private slots:
    void road_of_one_test();
    void state_columns_hold();
    void countdown_runs_out();
    void second_start_clears_every_answer();
    void help_box_lets_the_countdown_run();
    void no_tick_runs_inside_the_result_boxes();
    void navigation_data();
    void navigation();
    void previous_right_after_start();
    void instruction_follows_the_page_data();
    void instruction_follows_the_page();
    void two_tests_give_fresh_scores();
    void help_text_is_exact();
    void reset_reports_layout_faults_data();
    void reset_reports_layout_faults();
};

void ControllerTest::road_of_one_test() {
    Run run;
    verify_state(run, Column::StartUp);
    run.start();
    verify_state(run, Column::Running);
    QVERIFY(!run.form.on_screen(names::welcome_label));
    QVERIFY(run.form.on_screen(names::answer_box(1)));
    QCOMPARE(run.form.focused(), names::answer_box(1));

    run.form.type(names::answer_box(1), u"M"_s);
    run.form.type(names::answer_box(2), u"15"_s);
    run.seconds(1);
    QCOMPARE(run.form.text(names::remaining_time), u"1499"_s);
    QCOMPARE(run.form.text(names::question_status), u"第1-8题"_s);
    run.form.click(names::next_button);
    run.form.click(u"单选框2b");
    run.form.pick_page(18);
    run.form.click(u"选择框1a");
    run.form.click(u"选择框4d");
    run.seconds(1);
    QCOMPARE(run.form.text(names::question_status), u"第26题"_s);
    run.end();

    QCOMPARE(run.form.boxes().size(), 1u);
    QCOMPARE(run.form.boxes()[0].caption, u"测试成绩："_s);
    QCOMPARE(run.form.boxes()[0].text, u"您的成绩是：23"_s + tail());
    verify_state(run, Column::AfterEnd);
    QCOMPARE(run.form.text(names::answer_box(1)), u"M"_s); // answers stay until the next start
    QVERIFY(run.form.checked(u"选择框4d"));
    QVERIFY(run.form.on_screen(names::welcome_label));
}

void ControllerTest::state_columns_hold() {
    Run run;
    verify_state(run, Column::StartUp);
    run.start();
    run.seconds(30);
    verify_state(run, Column::Running);
    run.end();
    verify_state(run, Column::AfterEnd);
    run.start();
    run.seconds(1501);
    verify_state(run, Column::TimedOut);
}

void ControllerTest::countdown_runs_out() {
    Run run;
    std::vector<std::pair<int, int>> periods_at_box; // timers when each box opened
    run.form.on_message_box([&](ModelForm& f, const RecordedBox&) {
        periods_at_box.emplace_back(f.period(names::countdown_timer),
                                    f.period(names::instruction_timer));
    });
    run.start();
    answer_all_keyed(run.form);
    run.form.pick_page(7);
    run.seconds(1500);
    QCOMPARE(run.form.text(names::remaining_time), u"0"_s);
    QVERIFY(run.form.boxes().empty());
    run.form.pick_page(9); // after the last countdown tick: the status keeps page 7's caption
    run.seconds(1);

    QCOMPARE(run.form.boxes().size(), 2u);
    QCOMPARE(run.form.boxes()[0].text, u"测试时间已用完，您已不能再进行答题了！"_s);
    QCOMPARE(run.form.boxes()[0].caption, u"时间到！"_s);
    QCOMPARE(run.form.boxes()[1].text, u"你的成绩是：174"_s + tail());
    QCOMPARE(run.form.boxes()[1].caption, u"测试成绩："_s);
    QCOMPARE(run.form.boxes()[0].opened_at, 1501000);
    QCOMPARE(periods_at_box, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}}));
    verify_state(run, Column::TimedOut);
    QCOMPARE(run.controller.score(), 174); // kept until the next start
    QCOMPARE(run.form.current_page(), 9);
    QCOMPARE(run.form.text(names::question_status), u"第15题"_s);
    run.seconds(100);
    QCOMPARE(run.form.boxes().size(), 2u);
}

void ControllerTest::second_start_clears_every_answer() {
    Run run;
    run.start();
    run.seconds(1501);
    for (int q = 1; q <= 8; ++q)
        run.form.set_text(run.form[names::answer_box(q)], u"x"_s);
    for (int n = 1; n <= 104; ++n)
        if (n <= 68 || n >= 89)
            run.form.set_checked(run.form[names::radio_button(n)], true);
    for (int n = 1; n <= 20; ++n)
        run.form.set_checked(run.form[names::check_box(n)], true);
    const QString status = run.form.text(names::question_status);
    run.start();
    for (int q = 1; q <= 8; ++q)
        QVERIFY(run.form.text(names::answer_box(q)).isEmpty());
    for (int n = 1; n <= 104; ++n)
        if (n <= 68 || n >= 89)
            QVERIFY2(!run.form.checked(names::radio_button(n)), qPrintable(names::radio_button(n)));
    for (int n = 1; n <= 20; ++n)
        QVERIFY(!run.form.checked(names::check_box(n)));
    QCOMPARE(run.form.text(names::remaining_time), u"1500"_s);
    QCOMPARE(run.form.current_page(), 0);
    QCOMPARE(run.form.text(names::question_status), status); // until the first countdown tick
    QCOMPARE(run.controller.score(), 0);
}

void ControllerTest::help_box_lets_the_countdown_run() {
    Run run;
    run.start();
    run.seconds(1490);
    run.form.on_message_box([](ModelForm& f, const RecordedBox& box) {
        if (box.caption == u"有关这个软件的信息：")
            f.advance(20'000); // the user reads the help past the end of the test
    });
    run.form.click(names::help_button);
    const auto& boxes = run.form.boxes();
    QCOMPARE(boxes.size(), 3u);
    QCOMPARE(boxes[0].caption, u"有关这个软件的信息："_s);
    QCOMPARE(boxes[1].caption, u"时间到！"_s);
    QCOMPARE(boxes[1].depth, 1); // on top of the help box
    QCOMPARE(boxes[2].caption, u"测试成绩："_s);
    QCOMPARE(boxes[2].depth, 1);
    verify_state(run, Column::TimedOut);
}

void ControllerTest::no_tick_runs_inside_the_result_boxes() {
    Run run;
    int ticks_inside = 0;
    run.form.set_event_sink([&](Event e) {
        if (run.form.open_boxes() > 0 && (e == Event::CountdownTick || e == Event::InstructionTick))
            ++ticks_inside;
        run.controller.handle(e);
    });
    run.form.on_message_box([](ModelForm& f, const RecordedBox&) { f.advance(60'000); });
    run.start();
    run.seconds(10);
    run.end();
    QCOMPARE(ticks_inside, 0);
    run.start();
    run.seconds(1501);
    QCOMPARE(ticks_inside, 0);
    QCOMPARE(run.form.boxes().size(), 3u);
}

void ControllerTest::navigation_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("previous_enabled");
    QTest::addColumn<bool>("next_enabled");
    QTest::addRow("next_from_24_disables_next")
        << 24 << names::next_button.toString() << 25 << true << false;
    QTest::addRow("previous_from_25_leaves_next_disabled")
        << 25 << names::previous_button.toString() << 24 << true << false;
    QTest::addRow("previous_from_1_disables_previous")
        << 1 << names::previous_button.toString() << 0 << false << true;
    QTest::addRow("next_from_0") << 0 << names::next_button.toString() << 1 << false << true;
}

void ControllerTest::navigation() {
    QFETCH(int, from);
    QFETCH(QString, button);
    QFETCH(int, page);
    QFETCH(bool, previous_enabled);
    QFETCH(bool, next_enabled);
    Run run;
    run.start();
    run.form.pick_page(from);
    if (from == 25) // reached from 24 with the next button, as a user would
        run.form.pick_page(24), run.form.click(names::next_button);
    run.form.advance(500);
    run.form.click(button);
    QCOMPARE(run.form.current_page(), page);
    QCOMPARE(run.form.enabled(names::previous_button), previous_enabled);
    QCOMPARE(run.form.enabled(names::next_button), next_enabled);
    run.form.advance(500); // the instruction tick settles both buttons by page
    QCOMPARE(run.form.enabled(names::previous_button), page != 0);
    QCOMPARE(run.form.enabled(names::next_button), page != 25);
}

void ControllerTest::previous_right_after_start() {
    Run run;
    run.start();
    QVERIFY(run.form.enabled(names::previous_button));
    run.form.click(names::previous_button);
    QCOMPARE(run.form.current_page(), 0);
    QVERIFY(!run.form.enabled(names::previous_button));
    QVERIFY(!run.form.on_screen(names::welcome_label));
}

void ControllerTest::instruction_follows_the_page_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("prefix");
    QTest::addRow("series") << 0 << u"第1-8题："_s;
    QTest::addRow("grid_first") << 1 << u"第9-15题："_s;
    QTest::addRow("grid_last") << 7 << u"第9-15题："_s;
    QTest::addRow("rows_first") << 8 << u"第16-25题："_s;
    QTest::addRow("rows_last") << 17 << u"第16-25题："_s;
    QTest::addRow("pairs") << 18 << u"第26-29题："_s;
    QTest::addRow("analogies") << 24 << u"第30-33题："_s;
    QTest::addRow("last_page_picked_by_tab") << 25 << u"第30-33题："_s;
}

void ControllerTest::instruction_follows_the_page() {
    QFETCH(int, page);
    QFETCH(QString, prefix);
    Run run;
    run.start();
    run.form.pick_page(3);
    run.form.advance(500);
    run.form.pick_page(page);
    QVERIFY(run.form.enabled(names::next_button)); // picking a page changes no button at once
    run.form.advance(500);
    QVERIFY(run.form.text(names::instruction_label).startsWith(prefix));
    QCOMPARE(run.form.text(names::instruction_label), instruction_for_page(page).toString());
    QCOMPARE(run.form.enabled(names::next_button), page != 25);
    QCOMPARE(run.form.enabled(names::previous_button), page != 0);
    run.form.advance(500);
    QCOMPARE(run.form.text(names::question_status), run.form.layout().page_captions[page]);
}

void ControllerTest::two_tests_give_fresh_scores() {
    Run run;
    run.start();
    answer_all_keyed(run.form);
    run.end();
    run.start();
    run.form.type(names::answer_box(3), u"8"_s);
    run.end();
    QCOMPARE(run.form.boxes().size(), 2u);
    QCOMPARE(run.form.boxes()[0].text, u"您的成绩是：174"_s + tail());
    QCOMPARE(run.form.boxes()[1].text, u"您的成绩是：6"_s + tail());
}

void ControllerTest::help_text_is_exact() {
    const QString text = help_text();
    const QStringList lines = text.split(u"\r\n"_s);
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines[1], u"满分174分，限定需要在25分钟内完成。"_s);
    QVERIFY(lines[2].isEmpty() && lines[15].isEmpty() && lines[19].isEmpty());
    QCOMPARE(lines[20], u"Author：Tavrin"_s);
    QVERIFY(lines[21].startsWith(u"Email："_s));
    QVERIFY(lines[21].endsWith(u"@example.com"_s));
    QVERIFY(!text.endsWith(u"\n"_s));
    QCOMPARE(text.count(u'\n'), text.count(u"\r\n"_s));

    Run run;
    run.form.click(names::help_button);
    QCOMPARE(run.form.boxes().back().text, text);
    QCOMPARE(run.form.boxes().back().caption, u"有关这个软件的信息："_s);
}

void ControllerTest::reset_reports_layout_faults_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("new_tag");
    QTest::addColumn<QString>("report");
    QTest::addRow("missing_tag") << u"单选框104d"_s << QString()
                                 << u"运行时出错!\r\n\r\n错误信息：未找到指定标记的组件\r\n"_s;
    QTest::addRow("label_where_a_radio_is_expected")
        << names::instruction_label.toString() << u"40"_s
        << u"运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n"_s;
}

void ControllerTest::reset_reports_layout_faults() {
    QFETCH(QString, control);
    QFETCH(QString, new_tag);
    QFETCH(QString, report);
    Layout layout = main_window_layout();
    // The tag moves from its own control to `control` (or vanishes), so the walk meets the fault.
    layout.controls[layout.index_of(control)].tag = new_tag;
    if (!new_tag.isEmpty())
        layout.controls[layout.index_of(u"单选框40d")].tag.clear();
    Run run(layout);
    run.start();
    QVERIFY(run.form.halted());
    QCOMPARE(run.form.error()->report, report);
    // Nothing after the report: no timer started, and later clicks and ticks do nothing.
    QCOMPARE(run.form.period(names::countdown_timer), 0);
    QVERIFY(!run.form.enabled(names::end_button));
    run.form.click(names::help_button);
    run.seconds(5);
    QVERIFY(run.form.boxes().empty());
}

QTEST_GUILESS_MAIN(ControllerTest)
#include "tst_controller.moc"
