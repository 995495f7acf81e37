#include "layout.h"

#include "names.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace zorvane {

namespace names {

QString answer_box(int question) {
    return u"题目%1编辑框"_s.arg(question);
}

static QChar option_letter(int index) {
    return QChar(u'a' + index);
}

QString radio_button(int running_number) {
    return u"单选框%1"_s.arg(running_number) + option_letter((running_number - 1) % 4);
}

QString check_box(int running_number) {
    return u"选择框%1"_s.arg(running_number) + option_letter((running_number - 1) % 5);
}

QString picture_box(int number) {
    return u"图片框%1"_s.arg(number);
}

} // namespace names

int Layout::index_of(QStringView name) const {
    for (int i = 0; i < int(controls.size()); ++i)
        if (controls[i].name == name)
            return i;
    return -1;
}

namespace {

struct Figure {
    Box box;
    int image_width;
    int image_height;
};

// Box of 图片框N and the size of its image, N = 1..50.
constexpr std::array<Figure, 50> figures{{
    {{8, 56, 152, 152}, 150, 150}, {{296, 56, 136, 128}, 150, 150},
    {{8, 56, 192, 152}, 150, 150}, {{280, 56, 152, 136}, 150, 150},
    {{8, 64, 192, 152}, 150, 150}, {{280, 64, 152, 136}, 150, 150},
    {{8, 64, 192, 152}, 150, 150}, {{280, 64, 152, 136}, 150, 150},
    {{8, 64, 192, 152}, 150, 150}, {{280, 64, 152, 136}, 150, 150},
    {{8, 64, 192, 152}, 150, 150}, {{280, 64, 152, 136}, 150, 150},
    {{8, 64, 192, 152}, 150, 150}, {{280, 64, 152, 136}, 150, 150},
    {{8, 64, 192, 56}, 200, 50},   {{8, 152, 200, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 200, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 200, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 208, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 216, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 216, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 208, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 128, 200, 88}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 216, 80}, 200, 80},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 200, 80}, 200, 80},
    {{8, 64, 192, 64}, 200, 50},   {{8, 144, 264, 48}, 250, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 256, 64}, 250, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 256, 56}, 250, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 128, 264, 56}, 250, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 208, 64}, 200, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 144, 200, 56}, 200, 50},
    {{8, 64, 192, 56}, 200, 50},   {{8, 136, 200, 56}, 200, 50},
    {{8, 64, 200, 56}, 200, 50},   {{8, 136, 208, 56}, 200, 50},
}};

constexpr std::array<int, 8> answer_box_tops{72, 96, 120, 144, 167, 192, 216, 240};

constexpr std::array<int, 4> radio_lefts{16, 112, 232, 344};

struct CheckRow {
    std::array<int, 5> lefts;
    int first_width;
};
constexpr std::array<CheckRow, 4> check_rows{{
    {{8, 78, 168, 264, 352}, 48},
    {{8, 81, 177, 272, 352}, 48},
    {{8, 80, 168, 264, 352}, 64},
    {{8, 80, 168, 264, 352}, 64},
}};

const QString series_caption =
    u"\r\n第1题：         A, D, G, J\r\n  \r\n第2题：        1, 3, 6, 10\r\n\r\n"
    u"第3题：      1, 1, 2, 3, 5\r\n\r\n第4题： 21, 20, 18, 15, 11\r\n\r\n"
    u"第5题：   8, 6, 7, 5, 6, 4\r\n\r\n第6题：     65536, 256, 16\r\n\r\n"
    u"第7题：        1, 0, -1, 0\r\n\r\n第8题：     3968, 63, 8, 3"_s;

const QString welcome_caption = u"\r\n\r\n请点击“开始测试”按钮开始测试 ^_^\r\n\r\n"_s;

const QString instruction_caption =
    u"  这是一套在欧洲较为流行的智商测试题目。\r\n"
    u"  请点击“开始测试”按钮开始测试，点击“结束测试”按钮则结束本次测试并给出当前分数。\r\n"
    u"  测试限定在25分钟即1500秒内完成，届时没有完成也会强制结束并给出最后得分。"_s;

class Builder {
public:
    Layout layout;

    int add(ControlEntry entry) {
        layout.controls.push_back(std::move(entry));
        const int index = int(layout.controls.size()) - 1;
        const ControlEntry& added = layout.controls.back();
        if (added.page >= 0)
            layout.page_members[added.page].push_back(index);
        return index;
    }

    ControlEntry on_page(int tab, int page, Kind kind, QString name, Box box) {
        ControlEntry entry;
        entry.name = std::move(name);
        entry.kind = kind;
        entry.parent = tab;
        entry.page = page;
        entry.box = box;
        return entry;
    }

    void picture(int tab, int page, int number) {
        const Figure& figure = figures[number - 1];
        ControlEntry entry =
            on_page(tab, page, Kind::PictureBox, names::picture_box(number), figure.box);
        entry.image = number;
        entry.stretch = number == 42;
        entry.sunken_edge = number == 1;
        const int question = page + 8;
        const bool options = number % 2 == 0;
        // Neutral words: what the picture is for, never what it shows of the answer.
        entry.accessible_name = (options ? u"第%1题 选项图"_s : u"第%1题 题图"_s).arg(question);
        if (!options)
            entry.accessible_description = u"第%1题的题目图形，问号处是待填的空缺"_s.arg(question);
        else if (page <= 7)
            entry.accessible_description = u"选项a至d的图形，排成两行两列"_s;
        else
            entry.accessible_description = u"选项a至%1的图形，从左到右排成一行"_s.arg(
                QChar(page >= 18 && page <= 21 ? u'e' : u'd'));
        add(std::move(entry));
    }

    void radio(int tab, int page, int running_number) {
        const int letter = (running_number - 1) % 4;
        const int top = page <= 2 ? 232 : running_number == 33 ? 241 : 240;
        ControlEntry entry =
            on_page(tab, page, Kind::RadioButton, names::radio_button(running_number),
                    {radio_lefts[letter], top, 80, 24});
        entry.text = QString(QChar(u'a' + letter));
        entry.tab_stop = true;
        entry.tag = QString::number(running_number <= 68 ? running_number : running_number - 20);
        entry.accessible_name = u"第%1题 选项%2"_s.arg(page + 8).arg(entry.text);
        add(std::move(entry));
    }

    void check(int tab, int page, int running_number) {
        const int letter = (running_number - 1) % 5;
        const CheckRow& row = check_rows[page - 18];
        const int width = letter == 0 ? row.first_width : 80;
        ControlEntry entry = on_page(tab, page, Kind::CheckBox, names::check_box(running_number),
                                     {row.lefts[letter], 240, width, 24});
        entry.text = QString(QChar(u'a' + letter));
        entry.tab_stop = true;
        entry.tag = QString::number(running_number + 120);
        entry.accessible_name = u"第%1题 选项%2"_s.arg(page + 8).arg(entry.text);
        add(std::move(entry));
    }
};

// The series of one written question as the question label shows it: "1, 1, 2, 3, 5".
QString series_of(int question) {
    const QString number = u"第%1题："_s.arg(question);
    for (QStringView line : QStringView(series_caption).split(u"\r\n"))
        if (line.startsWith(number))
            return line.mid(number.size()).trimmed().toString();
    return {};
}

void add_page_zero(Builder& b, int tab) {
    ControlEntry welcome =
        b.on_page(tab, 0, Kind::Label, names::welcome_label.toString(), {0, 56, 432, 208});
    welcome.text = welcome_caption;
    welcome.font = FontRole::Welcome;
    welcome.align = TextAlign::Centre;
    welcome.wrap = true;
    welcome.accessible_name = u"欢迎"_s;
    b.add(std::move(welcome));

    auto answer = [&](int question) {
        ControlEntry box = b.on_page(tab, 0, Kind::EditBox, names::answer_box(question),
                                     {176, answer_box_tops[question - 1], 32, 20});
        box.tab_stop = true;
        box.focus_order = question;
        box.tag = QString::number(question + 110);
        box.edit_look = EditLook::ButtonFace;
        box.accessible_name = u"第%1题答案"_s.arg(question);
        // Heard on focus, so the question need not be looked up in the label.
        box.accessible_description = u"接在 %1 后面的一项"_s.arg(series_of(question));
        b.add(std::move(box));
    };
    for (int question : {5, 6, 7, 8, 3, 4, 2})
        answer(question);

    ControlEntry series =
        b.on_page(tab, 0, Kind::Label, names::series_label.toString(), {8, 64, 160, 203});
    series.text = series_caption;
    series.wrap = true;
    series.accessible_name = u"第1-8题题目"_s;
    b.add(std::move(series));

    answer(1);
}

void add_figure_pages(Builder& b, int tab) {
    // Page 1 and page 18 list their members in an order of their own, which the focus rule sees.
    b.picture(tab, 1, 2);
    for (int running : {3, 4, 2, 1})
        b.radio(tab, 1, running);
    b.picture(tab, 1, 1);

    b.picture(tab, 2, 4);
    b.picture(tab, 2, 3);
    for (int running = 5; running <= 8; ++running)
        b.radio(tab, 2, running);

    for (int page = 3; page <= 17; ++page) {
        b.picture(tab, page, 2 * page - 1);
        b.picture(tab, page, 2 * page);
        for (int running = 4 * page - 3; running <= 4 * page; ++running)
            b.radio(tab, page, running);
    }

    for (int running : {5, 3, 4, 2, 1})
        b.check(tab, 18, running);
    b.picture(tab, 18, 35);
    b.picture(tab, 18, 36);
    for (int page = 19; page <= 21; ++page) {
        for (int running = 5 * page - 89; running <= 5 * page - 85; ++running)
            b.check(tab, page, running);
        b.picture(tab, page, 2 * page - 1);
        b.picture(tab, page, 2 * page);
    }

    for (int page = 22; page <= 25; ++page) {
        b.picture(tab, page, 2 * page - 1);
        b.picture(tab, page, 2 * page);
        for (int running = 4 * page + 1; running <= 4 * page + 4; ++running)
            b.radio(tab, page, running);
    }
}

ControlEntry child(int parent, Kind kind, QStringView name, Box box, QString text = {}) {
    ControlEntry entry;
    entry.name = name.toString();
    entry.kind = kind;
    entry.parent = parent;
    entry.box = box;
    entry.text = std::move(text);
    return entry;
}

void add_frame(Builder& b) {
    const int time_group = b.add(
        child(0, Kind::GroupBox, names::time_group, {456, 8, 168, 64}, u"剩余时间及当前题况"_s));
    const int instruction_group = b.add(
        child(0, Kind::GroupBox, names::instruction_group, {456, 80, 168, 200}, u"试题说明："_s));
    const int operation_group = b.add(
        child(0, Kind::GroupBox, names::operation_group, {8, 288, 616, 104}, u"操作区域："_s));

    b.add(child(time_group, Kind::Label, names::remaining_caption, {4, 21, 24, 24}, u"剩余"_s));
    ControlEntry remaining =
        child(time_group, Kind::EditBox, names::remaining_time, {28, 16, 34, 32}, u"1500"_s);
    remaining.font = FontRole::Digits;
    remaining.align = TextAlign::Centre;
    remaining.enabled = false;
    remaining.accessible_name = u"剩余秒数"_s;
    remaining.accessible_description = u"本次测试还剩下的秒数"_s;
    b.add(std::move(remaining));
    b.add(child(time_group, Kind::Label, names::doing_caption, {65, 21, 55, 24}, u"秒,正在做"_s));
    ControlEntry status =
        child(time_group, Kind::EditBox, names::question_status, {120, 16, 45, 32}, u"未开始"_s);
    status.enabled = false;
    status.tab_stop = true;
    status.accessible_name = u"当前题目"_s;
    status.accessible_description = u"正在做的题目页，测试开始前为“未开始”"_s;
    b.add(std::move(status));

    ControlEntry instruction = child(instruction_group, Kind::Label, names::instruction_label,
                                     {16, 24, 128, 152}, instruction_caption);
    instruction.font = FontRole::Instruction;
    instruction.wrap = true;
    instruction.accessible_name = u"试题说明"_s;
    b.add(std::move(instruction));

    struct ButtonRow {
        QStringView name;
        QString caption;
        int left;
        bool enabled;
        Event event;
        QString accessible;
        QString description;
    };
    const ButtonRow buttons[] = {
        {names::start_button, u"开始测试 △"_s, 24, true, Event::StartTest, u"开始测试"_s,
         u"开始25分钟的测试"_s},
        {names::previous_button, u"<< 上一题"_s, 144, false, Event::PreviousQuestion, u"上一题"_s,
         u"转到上一页题目"_s},
        {names::next_button, u"下一题 >>"_s, 264, false, Event::NextQuestion, u"下一题"_s,
         u"转到下一页题目"_s},
        {names::end_button, u"结束测试 ■"_s, 384, false, Event::EndTest, u"结束测试"_s,
         u"结束本次测试并给出成绩"_s},
        {names::help_button, u"说明 ？"_s, 504, true, Event::Help, u"说明"_s,
         u"显示软件和分数的说明"_s},
    };
    for (const ButtonRow& row : buttons) {
        ControlEntry button =
            child(operation_group, Kind::Button, row.name, {row.left, 40, 80, 32}, row.caption);
        button.enabled = row.enabled;
        button.tab_stop = true;
        button.event = row.event;
        button.accessible_name = row.accessible;
        button.accessible_description = row.description;
        b.add(std::move(button));
    }
    ControlEntry countdown = child(operation_group, Kind::Timer, names::countdown_timer, {});
    countdown.event = Event::CountdownTick;
    b.add(std::move(countdown));
    ControlEntry instruction_timer =
        child(operation_group, Kind::Timer, names::instruction_timer, {});
    instruction_timer.event = Event::InstructionTick;
    b.add(std::move(instruction_timer));
}

// Reading order of the tab stops among `members`: rows from the top, left to right in a row.
// A control joins a row when its top lies in the upper half of the row's first control, so an
// option that sits a pixel lower than its neighbours (单选框33a) stays in their row.
std::vector<int> reading_order(const Layout& layout, const std::vector<int>& members) {
    std::vector<int> order;
    for (int member : members)
        if (layout.controls[member].tab_stop)
            order.push_back(member);
    const auto box = [&](int index) -> const Box& { return layout.controls[index].box; };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return box(a).top < box(b).top; });
    for (auto row = order.begin(); row != order.end();) {
        const int limit = box(*row).top + box(*row).height / 2;
        const auto end =
            std::find_if(row, order.end(), [&](int index) { return box(index).top >= limit; });
        std::stable_sort(row, end, [&](int a, int b) { return box(a).left < box(b).left; });
        row = end;
    }
    return order;
}

void add_keyboard_order(Layout& layout) {
    for (const std::vector<int>& members : layout.page_members)
        for (int member : reading_order(layout, members))
            layout.keyboard_order.push_back(member);
    for (int i = 0; i < int(layout.controls.size()); ++i)
        if (layout.controls[i].page < 0 && layout.controls[i].tab_stop)
            layout.keyboard_order.push_back(i);
}

Layout build() {
    Builder b;
    b.layout.page_captions.append(u"第1-8题"_s);
    for (int question = 9; question <= 33; ++question)
        b.layout.page_captions.append(u"第%1题"_s.arg(question));
    b.layout.page_members.resize(page_count);

    ControlEntry window;
    window.name = names::window.toString();
    window.kind = Kind::Window;
    window.box = {0, 0, window_width, window_height};
    window.text = u"Zorvane V1.1 "_s;
    window.accessible_name = window.text.trimmed();
    b.add(std::move(window));

    ControlEntry tab = child(0, Kind::TabControl, names::tab_control, {8, 8, 440, 272});
    tab.enabled = false;
    tab.font = FontRole::Instruction;
    tab.accessible_name = u"题目"_s;
    const int tab_index = b.add(std::move(tab));

    add_page_zero(b, tab_index);
    add_figure_pages(b, tab_index);
    add_frame(b);
    add_keyboard_order(b.layout);
    return std::move(b.layout);
}

} // namespace

const Layout& main_window_layout() {
    static const Layout layout = build();
    return layout;
}

} // namespace zorvane
