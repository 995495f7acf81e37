#include "controller.h"

#include "forms/conversions.h"
#include "layout/names.h"
#include "scoring/scoring.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvane {

namespace {

constexpr QStringView series_instruction =
    u"第1-8题：请从理论上或逻辑的角度在后面的空格中填入后续字母或数字；";
constexpr QStringView grid_instruction =
    u"第9-15题：请从右图中选择一个正确的(a,b,c,d)填入左图空白方格中；";
constexpr QStringView row_instruction =
    u"第16-25题：请从下图选择图形填入上图空缺方格，以满足上图图形按照逻辑角度能正确排列下来；";
constexpr QStringView pair_instruction =
    u"第26-29题：上图四个图形中缺少两个图形，请从下图中选择一组图形(a b c d e)"
    u"中选出两个填入上图空缺的方格以使上图图形从逻辑角度上能成双配对；";
constexpr QStringView analogy_instruction =
    u"第30-33题：在下列题目中的上图每一行都缺少一个图，请从下图中选择一个(a b c d)"
    u"插入上图空缺方格中以使上边的图形逻辑角度上能成双配对；";

constexpr int last_page = 25;

} // namespace

QStringView instruction_for_page(int page) {
    if (page <= 0)
        return series_instruction;
    if (page <= 7)
        return grid_instruction;
    if (page <= 17)
        return row_instruction;
    if (page <= 21)
        return pair_instruction;
    return analogy_instruction;
}

QString help_text() {
    const QStringView lines[] = {
        u"感谢您使用本软件，这是一套在欧洲相当流行的标准智商测试题。",
        u"满分174分，限定需要在25分钟内完成。",
        u"",
        u"以下为智商各分段的一般意义：",
        u"140以上者接近极高才能（国外常把这种人称为天才）；",
        u"120～140者为很高才能；",
        u"110～120为高才能；",
        u"90～110为正常才能；",
        u"80～90为次正常才能；",
        u"70～80为临界正常才能；",
        u"60～70为轻度智力孱弱；",
        u"50～60为深度智力孱弱；",
        u"25～60为亚白痴；",
        u"25以下者为白痴；",
        u"正常智力的界限为智商90～110；",
        u"",
        u"注意，任何测试都仅能作为判断智力的一种参考，",
        u"人的智力可能会随着后天努力而不断变化，",
        u"这个软件仅供作为闲暇时间娱乐所用。",
        u"",
        u"Author：Tavrin",
        u"Email：zorvane@example.com",
    };
    QString text;
    for (const QStringView& line : lines) {
        if (&line != lines)
            text += u"\r\n"_s;
        text += line;
    }
    return text;
}

TestController::TestController(Form& form) : form_(form) {}

void TestController::handle(Event event) {
    switch (event) {
    case Event::StartTest:
        return start_test();
    case Event::PreviousQuestion:
        return previous_question();
    case Event::NextQuestion:
        return next_question();
    case Event::EndTest:
        return end_test();
    case Event::Help:
        return help();
    case Event::CountdownTick:
        return countdown_tick();
    case Event::InstructionTick:
        return instruction_tick();
    case Event::None:
        return;
    }
}

template <Kind kind> void TestController::clear_by_tags(int first, int last) {
    for (int tag = first; tag <= last; ++tag) {
        const ControlRef control = form_.find_by_tag(tag);
        if (control.kind != kind)
            form_.runtime_error(error_type_mismatch);
        if constexpr (kind == Kind::EditBox)
            form_.set_text(control, {});
        else
            form_.set_checked(control, false);
    }
}

void TestController::start_test() {
    form_.set_disabled(form_[names::start_button], true);
    form_.set_visible(form_[names::welcome_label], false);
    score_ = 0;
    clear_by_tags<Kind::EditBox>(111, 118);
    clear_by_tags<Kind::RadioButton>(1, 84);
    clear_by_tags<Kind::CheckBox>(121, 140);
    form_.set_current_page(form_[names::tab_control], 0);
    form_.set_disabled(form_[names::previous_button], false);
    form_.set_disabled(form_[names::next_button], false);
    form_.set_disabled(form_[names::end_button], false);
    form_.set_disabled(form_[names::tab_control], false);
    form_.set_period(form_[names::countdown_timer], countdown_period_ms);
    form_.set_period(form_[names::instruction_timer], instruction_period_ms);
    form_.set_text(form_[names::remaining_time], QString::number(test_seconds));
}

void TestController::previous_question() {
    const ControlRef tab = form_[names::tab_control];
    form_.set_current_page(tab, form_.get_current_page(tab) - 1);
    if (form_.get_current_page(tab) == 0)
        form_.set_disabled(form_[names::previous_button], true);
}

void TestController::next_question() {
    const ControlRef tab = form_[names::tab_control];
    form_.set_current_page(tab, form_.get_current_page(tab) + 1);
    if (form_.get_current_page(tab) == last_page)
        form_.set_disabled(form_[names::next_button], true);
}

void TestController::end_test() {
    form_.set_disabled(form_[names::start_button], false);
    // Both timers stop before the box: its modal loop would otherwise keep ticking them.
    form_.set_period(form_[names::countdown_timer], 0);
    form_.set_period(form_[names::instruction_timer], 0);
    form_.set_disabled(form_[names::previous_button], true);
    form_.set_disabled(form_[names::next_button], true);
    form_.set_disabled(form_[names::end_button], true);
    score_answers(form_, score_);
    show_result(form_, result_message(form_, Ending::EndTest, score_));
    form_.set_current_page(form_[names::tab_control], 0);
    form_.set_visible(form_[names::welcome_label], true);
    score_ = 0;
    form_.set_text(form_[names::remaining_time], QString::number(test_seconds));
    form_.set_text(form_[names::question_status], not_started_text.toString());
}

void TestController::countdown_tick() {
    const ControlRef remaining = form_[names::remaining_time];
    const double seconds = text_to_number(form_.get_text(remaining));
    if (std::fabs(seconds) <= 1e-7) {
        form_.set_period(form_[names::countdown_timer], 0);
        form_.set_period(form_[names::instruction_timer], 0);
        form_.message_box(time_up_text.toString(), message_box_plain, time_up_caption.toString());
        form_.set_disabled(form_[names::previous_button], true);
        form_.set_disabled(form_[names::next_button], true);
        form_.set_disabled(form_[names::end_button], true);
        score_answers(form_, score_);
        show_result(form_, result_message(form_, Ending::TimeOut, score_));
        form_.set_disabled(form_[names::start_button], false);
        return;
    }
    form_.set_text(remaining, number_to_text(seconds - 1));
    const ControlRef tab = form_[names::tab_control];
    form_.set_text(form_[names::question_status],
                   form_.page_caption(tab, form_.get_current_page(tab) + 1));
}

void TestController::write_instruction(QStringView text, bool previous_enabled, bool next_enabled) {
    form_.set_text(form_[names::instruction_label], text.toString());
    form_.set_disabled(form_[names::previous_button], !previous_enabled);
    form_.set_disabled(form_[names::next_button], !next_enabled);
}

void TestController::instruction_tick() {
    const ControlRef tab = form_[names::tab_control];
    auto page = [&] { return form_.get_current_page(tab); }; // read afresh for every comparison
    if (page() == 0)
        write_instruction(series_instruction, false, true);
    else if (page() >= 1 && page() <= 7)
        write_instruction(grid_instruction, true, true);
    else if (page() >= 8 && page() <= 17)
        write_instruction(row_instruction, true, true);
    else if (page() >= 18 && page() <= 21)
        write_instruction(pair_instruction, true, true);
    else if (page() >= 22 && page() <= 24)
        write_instruction(analogy_instruction, true, true);
    else if (page() == last_page)
        // The last page is a row of its own: its group's text, and no next page to go to.
        write_instruction(analogy_instruction, true, false);
}

void TestController::help() {
    form_.message_box(help_text(), message_box_plain, help_caption.toString());
}

} // namespace zorvane
