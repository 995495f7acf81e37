// The random-input driver's checks catch a broken program: each row plants one fault in the
// running program and expects the rule that names it to break, and a failing run shrinks to a
// short event log that still fails.
#include "layout/names.h"
#include "monkey.h"
#include "scoring/scoring.h"
#include "ui/widgets/tab_control.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvane;
using reliability::Fault;
using reliability::Program;

Q_DECLARE_METATYPE(Fault)

namespace {

constexpr std::uint64_t seed = 7;
constexpr int events = 3000;

Fault after(Event when, std::function<void(Program&)> act) {
    return [when, act](Program& p, Event e) {
        if (e == when)
            act(p);
    };
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void planted_fault_is_caught_data();
    void planted_fault_is_caught();
    void failing_run_shrinks_to_a_short_log();
    void once_failing_sequences_hold_data();
    void once_failing_sequences_hold();
};

void MonkeyTest::initTestCase() {
    ui::install_font_substitutions();
    reliability::after_application();
}

void MonkeyTest::planted_fault_is_caught_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("check");

    QTest::addRow("sound_program_passes") << Fault() << QString();
    QTest::addRow("next_button_checks_an_answer") << after(Event::NextQuestion, [](Program& p) {
        p.form.set_checked(p.form[u"单选框1a"], true);
    }) << u"answer_changed_by_other_event"_s;
    QTest::addRow("start_leaves_two_radios_checked") << after(Event::StartTest, [](Program& p) {
        p.form.set_checked(p.form[u"单选框1a"], true);
        p.form.set_checked(p.form[u"单选框2b"], true);
    }) << u"one_radio_per_page"_s;
    QTest::addRow("countdown_skips_a_second") << after(Event::CountdownTick, [](Program& p) {
        const ControlRef box = p.form[names::remaining_time];
        const int left = p.form.get_text(box).toInt();
        if (left > 2)
            p.form.set_text(box, QString::number(left - 1));
    }) << u"state_table"_s;
    QTest::addRow("countdown_goes_below_zero") << after(Event::CountdownTick, [](Program& p) {
        const ControlRef box = p.form[names::remaining_time];
        if (p.form.get_text(box) == u"0")
            p.form.set_text(box, u"-1"_s);
    }) << u"remaining_time_in_range"_s;
    QTest::addRow("cover_label_back_while_running")
        << after(Event::InstructionTick,
                 [](Program& p) { p.form.set_visible(p.form[names::welcome_label], true); })
        << u"state_table"_s;
    QTest::addRow("another_page_left_on_screen")
        << after(Event::NextQuestion, [](Program& p) { p.form.tab_control()->page(0)->show(); })
        << u"only_current_page_on_screen"_s;
    QTest::addRow("timer_left_running_after_end") << after(Event::EndTest, [](Program& p) {
        p.form.set_period(p.form[names::countdown_timer], 1000);
    }) << u"state_table"_s;
    QTest::addRow("help_button_disabled") << after(Event::Help, [](Program& p) {
        p.form.set_disabled(p.form[names::help_button], true);
    }) << u"state_table"_s;
    QTest::addRow("result_beyond_174") << after(Event::Help, [](Program& p) {
        p.form.message_box(u"您的成绩是：175分\r\n"_s, 0, result_caption.toString());
    }) << u"score_in_range"_s;
    QTest::addRow("status_box_garbled") << after(Event::CountdownTick, [](Program& p) {
        p.form.set_text(p.form[names::question_status], u"第34题"_s);
    }) << u"status_is_a_caption"_s;
}

void MonkeyTest::planted_fault_is_caught() {
    QFETCH(Fault, fault);
    QFETCH(QString, check);
    const reliability::Outcome outcome =
        reliability::run_actions(reliability::random_actions(seed, events), false, fault);
    QVERIFY(outcome.stats.handlers > 0);
    if (check.isEmpty()) {
        QVERIFY2(!outcome.failure,
                 qPrintable(outcome.failure ? outcome.failure->detail : QString()));
        return;
    }
    QVERIFY(outcome.failure);
    QCOMPARE(outcome.failure->check, check);
    QVERIFY(!QApplication::activeModalWidget()); // every box was closed on the way out
}

void MonkeyTest::failing_run_shrinks_to_a_short_log() {
    // A start, a page turn, the tick that reads the remaining time: a handful of events.
    const Fault fault = after(Event::CountdownTick, [](Program& p) {
        p.form.set_text(p.form[names::question_status], u"第34题"_s);
    });
    const std::vector<reliability::Action> actions = reliability::random_actions(seed, events);
    const reliability::Outcome outcome = reliability::run_actions(actions, false, fault);
    QVERIFY(outcome.failure);
    const std::vector<reliability::Action> shortest =
        reliability::shrink(actions, *outcome.failure, std::chrono::seconds(60), fault);
    QVERIFY2(shortest.size() <= 3, qPrintable(QString::number(shortest.size())));
    const reliability::Outcome replay = reliability::run_actions(shortest, true, fault);
    QVERIFY(replay.failure);
    QCOMPARE(replay.failure->check, outcome.failure->check);
    QCOMPARE(replay.log.size(), qsizetype(shortest.size()));
}

void MonkeyTest::once_failing_sequences_hold_data() {
    QTest::addColumn<QString>("events");
    // Start, end, then the result box closed by Enter with a click on a button queued behind
    // it: the click used to run inside the end handler, before it had returned.
    const QString start_end = u"1.574150921.4600.998,0.562976542.6048.503,"_s;
    QTest::addRow("help_click_queued_behind_result_box") << start_end + u"8.714361179.6194.1"_s;
    QTest::addRow("start_click_queued_behind_result_box") << start_end + u"8.714361179.6195.1"_s;
    QTest::addRow("next_click_queued_behind_result_box") << start_end + u"8.714361179.6192.1"_s;
}

void MonkeyTest::once_failing_sequences_hold() {
    QFETCH(QString, events);
    const reliability::Outcome outcome =
        reliability::run_actions(reliability::decode(events), true);
    QVERIFY2(!outcome.failure, qPrintable(outcome.log.join(u'\n') + u'\n' +
                                          (outcome.failure ? outcome.failure->detail : QString())));
    QCOMPARE(outcome.stats.ends, 1);
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
