#include "scoring.h"

#include "forms/conversions.h"
#include "layout/names.h"

using namespace Qt::StringLiterals;

namespace zorvane {

namespace {

constexpr int a = 0, b = 1, c = 2, d = 3, e = 4;

constexpr KeyRow text(int question, std::u16string_view first, std::u16string_view second = {}) {
    return {question, 6, AnswerKind::Text, {first, second}, {}};
}
constexpr KeyRow radio(int question, int option) {
    return {question, question == 9 ? 6 : 5, AnswerKind::Radio, {}, {option, 0}};
}
constexpr KeyRow pair(int question, int first, int second) {
    return {question, 5, AnswerKind::CheckPair, {}, {first, second}};
}

// One rule for both endings: exactly the two keyed boxes checked. (Letting a time-out accept
// other pairs, or all five boxes, would score the same answers differently by how the test ended.)
constexpr std::array<KeyRow, 33> key{{
    text(1, u"m", u"M"), text(2, u"15"), text(3, u"8"),  text(4, u"6"),  text(5, u"5"),
    text(6, u"4"),       text(7, u"1"),  text(8, u"2"),  radio(9, b),    radio(10, d),
    radio(11, c),        radio(12, a),   radio(13, c),   radio(14, d),   radio(15, c),
    radio(16, c),        radio(17, b),   radio(18, d),   radio(19, d),   radio(20, d),
    radio(21, c),        radio(22, c),   radio(23, d),   radio(24, b),   radio(25, a),
    pair(26, a, d),      pair(27, b, c), pair(28, a, d), pair(29, b, d), radio(30, d),
    radio(31, c),        radio(32, b),   radio(33, c),
}};

bool text_matches(Form& form, const KeyRow& row) {
    const ControlRef box = form.control(answer_control(row.question));
    for (std::u16string_view literal : row.literals) {
        if (literal.empty())
            break;
        // Each comparison reads the box afresh.
        if (form.get_text(box) == QStringView(literal.data(), qsizetype(literal.size())))
            return true;
    }
    return false;
}

bool pair_matches(Form& form, const KeyRow& row) {
    // The keyed boxes first, then the others in letter order; the first mismatch decides.
    std::array<int, 5> order{};
    std::array<bool, 5> wanted{};
    int n = 0;
    for (int option : row.options) {
        order[n++] = option;
        wanted[option] = true;
    }
    for (int option = 0; option < 5; ++option)
        if (!wanted[option])
            order[n++] = option;
    for (int option : order)
        if (form.get_checked(form.control(answer_control(row.question, option))) != wanted[option])
            return false;
    return true;
}

} // namespace

std::span<const KeyRow> answer_key() {
    return key;
}

QString answer_control(int question, int option) {
    if (question <= 8)
        return names::answer_box(question);
    if (question <= 25)
        return names::radio_button(4 * (question - 9) + 1 + option);
    if (question <= 29)
        return names::check_box(5 * (question - 26) + 1 + option);
    return names::radio_button(89 + 4 * (question - 30) + option);
}

void score_answers(Form& form, int& score) {
    for (const KeyRow& row : key) {
        bool correct = false;
        switch (row.kind) {
        case AnswerKind::Text:
            correct = text_matches(form, row);
            break;
        case AnswerKind::Radio:
            correct = form.get_checked(form.control(answer_control(row.question, row.options[0])));
            break;
        case AnswerKind::CheckPair:
            correct = pair_matches(form, row);
            break;
        }
        if (correct)
            score += row.points;
    }
}

QString result_message(Form& form, Ending ending, int score) {
    const QStringView opening = ending == Ending::EndTest ? u"您的成绩是：" : u"你的成绩是：";
    constexpr QStringView tail = u"分\r\n请点击下方<说明>按钮查看分数说明";
    return make_text(form, opening.size() + 11 + tail.size(), [&] {
        return opening.toString() + number_to_text(std::int32_t(score)) + tail.toString();
    });
}

void show_result(Form& form, const QString& text) {
    form.message_box(text, message_box_plain, result_caption.toString());
}

} // namespace zorvane
