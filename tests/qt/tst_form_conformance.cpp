// The same rules, checked on the in-memory form and on the Qt form.
#include "harness.h"

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

void add_forms() {
    QTest::addColumn<bool>("qt");
    QTest::addRow("model") << false;
    QTest::addRow("qt") << true;
}

// The state a started test gives the page controls, without running the controller.
void open_pages(Harness& h) {
    h.form().set_visible(h[names::welcome_label], false);
    h.form().set_disabled(h[names::tab_control], false);
}

} // namespace

class FormConformance : public QObject {
    Q_OBJECT
private slots:
    void page_requests_clamp_data() { add_forms(); }
    void page_requests_clamp();
    void focus_follows_the_page_data() { add_forms(); }
    void focus_follows_the_page();
    void hidden_member_stays_hidden_data() { add_forms(); }
    void hidden_member_stays_hidden();
    void texts_round_trip_data() { add_forms(); }
    void texts_round_trip();
    void checks_touch_one_control_data() { add_forms(); }
    void checks_touch_one_control();
    void user_radio_clicks_are_exclusive_per_page_data() { add_forms(); }
    void user_radio_clicks_are_exclusive_per_page();
    void disabled_tab_control_takes_no_clicks_data() { add_forms(); }
    void disabled_tab_control_takes_no_clicks();
    void find_by_tag_and_captions_data() { add_forms(); }
    void find_by_tag_and_captions();
    void periods_start_and_stop_data() { add_forms(); }
    void periods_start_and_stop();
};

void FormConformance::page_requests_clamp() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    const ControlRef tab = (*h)[names::tab_control];
    for (auto [requested, expected] : {std::pair{-1, 0}, {26, 25}, {7, 7}, {-100, 0}}) {
        h->form().set_current_page(tab, requested);
        QCOMPARE(h->form().get_current_page(tab), expected);
    }
    QVERIFY(h->on_screen(u"单选框1a"_s) == false);
    QVERIFY(!h->on_screen(u"单选框101a"_s));
}

void FormConformance::focus_follows_the_page() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    open_pages(*h);
    const ControlRef tab = (*h)[names::tab_control];
    h->form().set_current_page(tab, 18);
    QCOMPARE(h->focused(), u"选择框5e"_s);
    h->form().set_current_page(tab, 1);
    QCOMPARE(h->focused(), u"单选框3c"_s);
    h->form().set_current_page(tab, 0);
    QCOMPARE(h->focused(), names::answer_box(1));
    // A user's pick applies the same rule.
    h->pick_page(22);
    QCOMPARE(h->form().get_current_page(tab), 22);
    QCOMPARE(h->focused(), u"单选框89a"_s);
}

void FormConformance::hidden_member_stays_hidden() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    const ControlRef tab = (*h)[names::tab_control];
    QVERIFY(h->on_screen(names::welcome_label));
    h->form().set_visible(h->form()[names::welcome_label], false);
    QVERIFY(!h->on_screen(names::welcome_label));
    h->form().set_current_page(tab, 5);
    QVERIFY(h->on_screen(u"图片框9"_s));
    QVERIFY(!h->on_screen(names::answer_box(1)));
    h->form().set_current_page(tab, 0);
    QVERIFY(!h->on_screen(names::welcome_label));
    QVERIFY(h->on_screen(names::answer_box(1)));
    QVERIFY(h->on_screen(names::series_label));
    // Shown while another page is current: recorded, and on screen when page 0 returns.
    h->form().set_current_page(tab, 3);
    h->form().set_visible(h->form()[names::welcome_label], true);
    QVERIFY(!h->on_screen(names::welcome_label));
    h->form().set_current_page(tab, 0);
    QVERIFY(h->on_screen(names::welcome_label));
}

void FormConformance::texts_round_trip() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    open_pages(*h);
    Form& f = h->form();
    const ControlRef box = f[names::answer_box(2)];
    QCOMPARE(f.get_text(box), QString());
    h->type(names::answer_box(2), u" 15.0"_s);
    QCOMPARE(f.get_text(box), u" 15.0"_s);
    const QString long_text(600, u'９');
    h->type(names::answer_box(2), long_text);
    QCOMPARE(f.get_text(box), long_text);
    f.set_text(box, {});
    QCOMPARE(f.get_text(box), QString());
    f.set_text(f[names::remaining_time], u"1499"_s);
    QCOMPARE(f.get_text(f[names::remaining_time]), u"1499"_s);
    // The status boxes are disabled: typing does not reach them.
    h->type(names::remaining_time, u"9"_s);
    QCOMPARE(f.get_text(f[names::remaining_time]), u"1499"_s);
}

void FormConformance::checks_touch_one_control() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    Form& f = h->form();
    f.set_checked(f[u"单选框1a"], true);
    f.set_checked(f[u"单选框2b"], true);
    QVERIFY(f.get_checked(f[u"单选框1a"]));
    QVERIFY(f.get_checked(f[u"单选框2b"]));
    f.set_checked(f[u"单选框2b"], false); // the services can clear a checked radio button
    QVERIFY(!f.get_checked(f[u"单选框2b"]));
    f.set_checked(f[u"单选框1a"], false);
    QVERIFY(!f.get_checked(f[u"单选框1a"]));
    for (int n = 1; n <= 5; ++n)
        f.set_checked(f[names::check_box(n)], true);
    for (int n = 1; n <= 5; ++n)
        QVERIFY(f.get_checked(f[names::check_box(n)]));
}

void FormConformance::user_radio_clicks_are_exclusive_per_page() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    open_pages(*h);
    Form& f = h->form();
    h->pick_page(2);
    h->click(u"单选框6b");
    h->pick_page(1);
    h->click(u"单选框1a");
    h->click(u"单选框2b");
    h->click(u"单选框2b");
    QVERIFY(!f.get_checked(f[u"单选框1a"]));
    QVERIFY(f.get_checked(f[u"单选框2b"]));
    QVERIFY(f.get_checked(f[u"单选框6b"]));
    // After the services cleared a group, a click still clears only its own page.
    f.set_checked(f[u"单选框2b"], false);
    h->click(u"单选框3c");
    QVERIFY(f.get_checked(f[u"单选框3c"]));
    QVERIFY(f.get_checked(f[u"单选框6b"]));
    h->pick_page(18);
    h->click(u"选择框1a");
    h->click(u"选择框2b");
    h->click(u"选择框2b");
    QVERIFY(f.get_checked(f[u"选择框1a"]));
    QVERIFY(!f.get_checked(f[u"选择框2b"]));
}

void FormConformance::disabled_tab_control_takes_no_clicks() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    Form& f = h->form();
    const ControlRef tab = f[names::tab_control];
    f.set_visible(f[names::welcome_label], false);
    h->pick_page(3);
    QCOMPARE(f.get_current_page(tab), 0);
    f.set_current_page(tab, 2);
    h->click(u"单选框5a");
    QVERIFY(!f.get_checked(f[u"单选框5a"]));
    f.set_disabled(tab, false);
    h->click(u"单选框5a");
    QVERIFY(f.get_checked(f[u"单选框5a"]));
    h->pick_page(3);
    QCOMPARE(f.get_current_page(tab), 3);
}

void FormConformance::find_by_tag_and_captions() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    Form& f = h->form();
    for (auto [tag, name] : {std::pair{69, u"单选框89a"_s},
                             {1, u"单选框1a"_s},
                             {84, u"单选框104d"_s},
                             {111, names::answer_box(1)},
                             {140, u"选择框20e"_s}}) {
        const ControlRef found = f.find_by_tag(tag);
        QCOMPARE(found.index, f[name].index);
        QCOMPARE(found.kind, f[name].kind);
    }
    const ControlRef tab = f[names::tab_control];
    QCOMPARE(f.page_caption(tab, 0), QString());
    QCOMPARE(f.page_caption(tab, 1), u"第1-8题"_s);
    QCOMPARE(f.page_caption(tab, 26), u"第33题"_s);
    QCOMPARE(f.page_caption(tab, 27), QString());
}

void FormConformance::periods_start_and_stop() {
    QFETCH(bool, qt);
    auto h = make_harness(qt);
    Form& f = h->form();
    const ControlRef timer = f[names::countdown_timer];
    QVERIFY(!h->timer_running(names::countdown_timer));
    f.set_period(timer, 1000);
    QVERIFY(h->timer_running(names::countdown_timer));
    f.set_period(timer, -5);
    QVERIFY(!h->timer_running(names::countdown_timer));
    f.set_period(timer, 0);
    QVERIFY(!h->timer_running(names::countdown_timer));
}

QTEST_MAIN(FormConformance)
#include "tst_form_conformance.moc"
