// The layout's own control names, verbatim. Handlers address controls by these.
#pragma once

#include <QString>
#include <QStringView>

namespace zorvane::names {

inline constexpr QStringView window = u"主窗口";
inline constexpr QStringView tab_control = u"题目选择夹";
inline constexpr QStringView time_group = u"分组框2";
inline constexpr QStringView instruction_group = u"分组框3";
inline constexpr QStringView operation_group = u"分组框4";
inline constexpr QStringView remaining_caption = u"标签1";
inline constexpr QStringView remaining_time = u"剩余时间框";
inline constexpr QStringView doing_caption = u"标签2";
inline constexpr QStringView question_status = u"题况编辑框";
inline constexpr QStringView instruction_label = u"试题说明标签";
inline constexpr QStringView start_button = u"开始测试按钮";
inline constexpr QStringView previous_button = u"上一题按钮";
inline constexpr QStringView next_button = u"下一题按钮";
inline constexpr QStringView end_button = u"结束测试按钮";
inline constexpr QStringView help_button = u"帮助按钮";
inline constexpr QStringView countdown_timer = u"计时时钟";
inline constexpr QStringView instruction_timer = u"说明时钟";
inline constexpr QStringView welcome_label = u"标签4";
inline constexpr QStringView series_label = u"标签3";

// 题目N编辑框, N = 1..8
QString answer_box(int question);
// 单选框 + running number + letter; running numbers 1..68 and 89..104
QString radio_button(int running_number);
// 选择框 + running number + letter; running numbers 1..20
QString check_box(int running_number);
// 图片框N, N = 1..50
QString picture_box(int number);

} // namespace zorvane::names
