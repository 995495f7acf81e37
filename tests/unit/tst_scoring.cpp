// The answer key and the two endings of a test.
#include "forms/model_form.h"
#include "layout/names.h"
#include "support/answers.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvane;

using Answers = QList<QPair<QString, QString>>; // control name, text or "x" for checked

namespace {

int score_of(const Answers& answers) {
    ModelForm form;
    for (const auto& [name, value] : answers) {
        const ControlRef control = form[name];
        if (control.kind == Kind::EditBox)
            form.set_text(control, value);
        else
            form.set_checked(control, true);
    }
    int score = 0;
    score_answers(form, score);
    return score;
}

Answers checked(std::initializer_list<const char16_t*> names) {
    Answers answers;
    for (const char16_t* name : names)
        answers.append({QString::fromUtf16(name), u"x"_s});
    return answers;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void key_adds_up_to_174();
    void answers_score_data();
    void answers_score();
    void every_question_alone_gives_its_points();
    void score_is_added_not_replaced();
    void result_message_data();
    void result_message();
    void show_result_uses_the_plain_box();
};

void TestScoring::key_adds_up_to_174() {
    int total = 0;
    for (const KeyRow& row : answer_key())
        total += row.points;
    QCOMPARE(total, max_score);
    ModelForm form;
    answer_all_keyed(form);
    int score = 0;
    score_answers(form, score);
    QCOMPARE(score, 174);
}

void TestScoring::answers_score_data() {
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<int>("expected");
    QTest::addRow("nothing_answered") << Answers{} << 0;
    QTest::addRow("q1_lower_m") << Answers{{names::answer_box(1), u"m"_s}} << 6;
    QTest::addRow("q1_capital_m") << Answers{{names::answer_box(1), u"M"_s}} << 6;
    QTest::addRow("q1_m_with_trailing_blank") << Answers{{names::answer_box(1), u"m "_s}} << 0;
    QTest::addRow("q2_exact") << Answers{{names::answer_box(2), u"15"_s}} << 6;
    QTest::addRow("q2_leading_blank") << Answers{{names::answer_box(2), u" 15"_s}} << 0;
    QTest::addRow("q2_leading_zero") << Answers{{names::answer_box(2), u"015"_s}} << 0;
    QTest::addRow("q2_decimal_point") << Answers{{names::answer_box(2), u"15.0"_s}} << 0;
    QTest::addRow("q2_full_width_digits") << Answers{{names::answer_box(2), u"１５"_s}} << 0;
    QTest::addRow("q7_other_case_does_not_apply") << Answers{{names::answer_box(7), u"1"_s}} << 6;
    QTest::addRow("q9_keyed_b") << checked({u"单选框2b"}) << 6;
    QTest::addRow("q9_unkeyed_a") << checked({u"单选框1a"}) << 0;
    QTest::addRow("q10_keyed_d") << checked({u"单选框8d"}) << 5;
    QTest::addRow("q30_continues_at_89") << checked({u"单选框92d"}) << 5;
    QTest::addRow("q33_keyed_c") << checked({u"单选框103c"}) << 5;
    QTest::addRow("q26_exactly_a_d") << checked({u"选择框1a", u"选择框4d"}) << 5;
    QTest::addRow("q26_a_d_plus_e") << checked({u"选择框1a", u"选择框4d", u"选择框5e"}) << 0;
    QTest::addRow("q26_only_a") << checked({u"选择框1a"}) << 0;
    QTest::addRow("q26_all_five") << checked({u"选择框1a", u"选择框2b", u"选择框3c", u"选择框4d",
                                              u"选择框5e"})
                                  << 0;
    QTest::addRow("q27_exactly_b_c") << checked({u"选择框7b", u"选择框8c"}) << 5;
    QTest::addRow("q28_exactly_a_d") << checked({u"选择框11a", u"选择框14d"}) << 5;
    QTest::addRow("q28_a_c_is_wrong") << checked({u"选择框11a", u"选择框13c"}) << 0;
    QTest::addRow("q29_exactly_b_d") << checked({u"选择框17b", u"选择框19d"}) << 5;
    QTest::addRow("q29_b_c_is_wrong") << checked({u"选择框17b", u"选择框18c"}) << 0;
    QTest::addRow("wrong_answers_deduct_nothing") << Answers{{names::answer_box(2), u"16"_s},
                                                             {u"单选框1a"_s, u"x"_s},
                                                             {u"单选框8d"_s, u"x"_s}}
                                                  << 5;
}

void TestScoring::answers_score() {
    QFETCH(Answers, answers);
    QFETCH(int, expected);
    QCOMPARE(score_of(answers), expected);
}

void TestScoring::every_question_alone_gives_its_points() {
    for (const KeyRow& row : answer_key()) {
        ModelForm all;
        answer_all_keyed(all);
        ModelForm one;
        // Copy only this question's keyed answer.
        for (int option = 0; option < 5; ++option) {
            if (row.kind == AnswerKind::Text) {
                one.set_text(one[answer_control(row.question)],
                             all.text(answer_control(row.question)));
                break;
            }
            if (row.kind == AnswerKind::Radio && option == 4)
                break;
            const QString name = answer_control(row.question, option);
            one.set_checked(one[name], all.checked(name));
        }
        int score = 0;
        score_answers(one, score);
        QVERIFY2(score == (row.question <= 9 ? 6 : 5),
                 qPrintable(u"question %1"_s.arg(row.question)));
    }
}

void TestScoring::score_is_added_not_replaced() {
    ModelForm form;
    form.set_checked(form[u"单选框2b"], true);
    int score = 10;
    score_answers(form, score);
    QCOMPARE(score, 16);
}

void TestScoring::result_message_data() {
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("expected");
    const QString tail = u"分\r\n请点击下方<说明>按钮查看分数说明"_s;
    QTest::addRow("end_test_zero") << int(Ending::EndTest) << 0 << u"您的成绩是：0"_s + tail;
    QTest::addRow("end_test_full") << int(Ending::EndTest) << 174 << u"您的成绩是：174"_s + tail;
    QTest::addRow("time_out_zero") << int(Ending::TimeOut) << 0 << u"你的成绩是：0"_s + tail;
    QTest::addRow("time_out_full") << int(Ending::TimeOut) << 174 << u"你的成绩是：174"_s + tail;
}

void TestScoring::result_message() {
    QFETCH(int, ending);
    QFETCH(int, score);
    QFETCH(QString, expected);
    ModelForm form;
    const QString text = zorvane::result_message(form, Ending(ending), score);
    QCOMPARE(text, expected);
    QCOMPARE(text.toUtf8(), expected.toUtf8());
}

void TestScoring::show_result_uses_the_plain_box() {
    ModelForm form;
    show_result(form, u"abc"_s);
    QCOMPARE(form.boxes().size(), 1u);
    QCOMPARE(form.boxes()[0].caption, u"测试成绩："_s);
    QCOMPARE(form.boxes()[0].flags, 0);
    QCOMPARE(form.boxes()[0].text, u"abc"_s);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
