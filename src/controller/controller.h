// The test controller: one handler per bound event, working only through the form services.
// The score is the program's only variable; everything else is read back from the controls.
#pragma once

#include "forms/form.h"

#include <QString>

namespace zorvane {

class TestController {
public:
    explicit TestController(Form& form);

    void handle(Event event);

    void start_test();
    void previous_question();
    void next_question();
    void end_test();
    void countdown_tick();
    void instruction_tick();
    void help();

    int score() const { return score_; }

private:
    template <Kind kind> void clear_by_tags(int first, int last);
    void write_instruction(QStringView text, bool previous_enabled, bool next_enabled);

    Form& form_;
    int score_ = 0;
};

inline constexpr int test_seconds = 1500;
inline constexpr int countdown_period_ms = 1000;
inline constexpr int instruction_period_ms = 500;

QString help_text();
inline constexpr QStringView help_caption = u"有关这个软件的信息：";
inline constexpr QStringView time_up_text = u"测试时间已用完，您已不能再进行答题了！";
inline constexpr QStringView time_up_caption = u"时间到！";
inline constexpr QStringView not_started_text = u"未开始";

// The instruction shown for the question group of a page (0..25).
QStringView instruction_for_page(int page);

} // namespace zorvane
