#include "model_form.h"

#include "conversions.h"

#include <QtGlobal>
#include <algorithm>

namespace zorvane {

ModelForm::ModelForm(Layout layout) : layout_(std::move(layout)), state_(layout_.controls.size()) {
    for (int i = 0; i < int(layout_.controls.size()); ++i) {
        const ControlEntry& entry = layout_.controls[i];
        by_name_.insert(entry.name, i);
        state_[i].visible = entry.visible;
        state_[i].disabled = !entry.enabled;
        state_[i].text = entry.text;
    }
    tab_ = layout_.tab_control();
}

int ModelForm::index(QStringView name) const {
    const auto it = by_name_.constFind(name.toString());
    if (it == by_name_.cend())
        qFatal("no control named %s in the layout", qUtf8Printable(name.toString()));
    return *it;
}

ControlRef ModelForm::control(QStringView name) const {
    const int i = index(name);
    return {i, layout_.controls[i].kind};
}

bool ModelForm::on_screen(int i) const {
    const ControlEntry& entry = layout_.controls[i];
    if (entry.kind == Kind::Timer || !state_[i].visible)
        return false;
    if (entry.page >= 0 && entry.page != current_page_)
        return false;
    return entry.parent < 0 || on_screen(entry.parent);
}

bool ModelForm::takes_input(int i) const {
    if (!on_screen(i))
        return false;
    for (int c = i; c >= 0; c = layout_.controls[c].parent)
        if (state_[c].disabled)
            return false;
    return true;
}

void ModelForm::set_visible(ControlRef control, bool visible) {
    // The flag is the whole story here: what is on screen is derived from it and the page.
    state_[control.index].visible = visible;
}

void ModelForm::set_disabled(ControlRef control, bool disabled) {
    state_[control.index].disabled = disabled;
}

void ModelForm::set_text(ControlRef control, const QString& text) {
    state_[control.index].text = text;
}

QString ModelForm::get_text(ControlRef control) {
    const QString& text = state_[control.index].text;
    return make_text(*this, text.size(), [&] { return QString(text.constData(), text.size()); });
}

void ModelForm::set_checked(ControlRef control, bool checked) {
    state_[control.index].checked = checked;
}

bool ModelForm::get_checked(ControlRef control) {
    return state_[control.index].checked;
}

void ModelForm::set_current_page(ControlRef, int page) {
    current_page_ = std::clamp(page, 0, int(layout_.page_captions.size()) - 1);
    int best = -1;
    for (int member : layout_.page_members[current_page_]) {
        const ControlEntry& entry = layout_.controls[member];
        if (!can_take_focus(entry.kind) || state_[member].disabled)
            continue;
        if (best < 0 || entry.focus_order < layout_.controls[best].focus_order)
            best = member;
    }
    if (best >= 0)
        focus_ = best;
}

int ModelForm::get_current_page(ControlRef) {
    return current_page_;
}

void ModelForm::set_period(ControlRef timer, int milliseconds) {
    State& state = state_[timer.index];
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == state.period)
        return;
    state.period = milliseconds;
    state.due = milliseconds > 0 ? now_ + milliseconds : -1;
}

ControlRef ModelForm::find_by_tag(int tag) {
    for (int i = 0; i < int(layout_.controls.size()); ++i)
        if (parse_tag(layout_.controls[i].tag) == tag)
            return {i, layout_.controls[i].kind};
    report_runtime_error(std::nullopt, tag_not_found_message());
}

QString ModelForm::page_caption(ControlRef, int page) {
    if (page < 1 || page > layout_.page_captions.size())
        return {};
    return layout_.page_captions[page - 1];
}

int ModelForm::message_box(const QString& text, int flags, const QString& caption) {
    boxes_.push_back({text, flags, caption.isEmpty() ? default_box_caption.toString() : caption,
                      open_boxes_, now_});
    const RecordedBox box = boxes_.back();
    struct Open {
        int& count;
        explicit Open(int& c) : count(++c) {}
        ~Open() { --count; }
    } open(open_boxes_);
    if (box_script_)
        box_script_(*this, box);
    return 0;
}

void ModelForm::raise(std::optional<int> code, const QString& message) {
    if (!error_)
        error_ = RecordedError{code, message, runtime_error_report(code, message)};
    throw RunHalted{};
}

void ModelForm::deliver(Event event) {
    if (halted() || !sink_ || event == Event::None)
        return;
    ++delivery_depth_;
    try {
        sink_(event);
    } catch (const RunHalted&) {
        // Unwind every handler up to the outermost delivery: none may go on after the report.
        if (--delivery_depth_ > 0)
            throw;
        return;
    }
    --delivery_depth_;
}

void ModelForm::tick(int timer) {
    deliver(layout_.controls[timer].event);
}

void ModelForm::click(QStringView name) {
    const int i = index(name);
    if (open_boxes_ > 0 || halted() || !takes_input(i))
        return;
    const ControlEntry& entry = layout_.controls[i];
    if (can_take_focus(entry.kind))
        focus_ = i;
    switch (entry.kind) {
    case Kind::Button:
        deliver(entry.event);
        break;
    case Kind::RadioButton:
        for (int member : layout_.page_members[std::max(entry.page, 0)])
            if (layout_.controls[member].kind == Kind::RadioButton &&
                layout_.controls[member].parent == entry.parent)
                state_[member].checked = false;
        state_[i].checked = true;
        break;
    case Kind::CheckBox:
        state_[i].checked = !state_[i].checked;
        break;
    default:
        break;
    }
}

void ModelForm::type(QStringView name, const QString& text) {
    const int i = index(name);
    if (open_boxes_ > 0 || halted() || !takes_input(i) || layout_.controls[i].kind != Kind::EditBox)
        return;
    focus_ = i;
    state_[i].text = text;
}

void ModelForm::pick_page(int page) {
    if (open_boxes_ > 0 || halted() || !takes_input(tab_))
        return;
    if (page < 0 || page >= layout_.page_captions.size() || page == current_page_)
        return;
    set_current_page({tab_, Kind::TabControl}, page);
}

void ModelForm::advance(qint64 milliseconds) {
    const qint64 target = now_ + milliseconds;
    while (!halted()) {
        int next = -1;
        for (int i = 0; i < int(state_.size()); ++i) {
            const State& s = state_[i];
            if (s.period > 0 && s.due <= target && (next < 0 || s.due < state_[next].due))
                next = i;
        }
        if (next < 0)
            break;
        now_ = std::max(now_, state_[next].due);
        state_[next].due += state_[next].period;
        tick(next);
    }
    now_ = std::max(now_, target);
}

void ModelForm::stall(qint64 milliseconds) {
    now_ += milliseconds;
    // Missed ticks coalesce: each overdue timer ticks once, then keeps its own rhythm.
    std::vector<int> overdue;
    for (int i = 0; i < int(state_.size()); ++i)
        if (state_[i].period > 0 && state_[i].due <= now_)
            overdue.push_back(i);
    std::sort(overdue.begin(), overdue.end(),
              [&](int a, int b) { return state_[a].due < state_[b].due; });
    for (int i : overdue) {
        State& s = state_[i];
        if (s.period <= 0 || s.due > now_)
            continue; // an earlier tick stopped or restarted it
        s.due += ((now_ - s.due) / s.period + 1) * s.period;
        tick(i);
    }
}

int ModelForm::period(QStringView timer) const {
    return state_[index(timer)].period;
}

qint64 ModelForm::next_due(QStringView timer) const {
    const State& s = state_[index(timer)];
    return s.period > 0 ? s.due : -1;
}

bool ModelForm::on_screen(QStringView name) const {
    return on_screen(index(name));
}
bool ModelForm::visible_flag(QStringView name) const {
    return state_[index(name)].visible;
}
bool ModelForm::enabled(QStringView name) const {
    return !state_[index(name)].disabled;
}
bool ModelForm::takes_input(QStringView name) const {
    return takes_input(index(name));
}
QString ModelForm::text(QStringView name) const {
    return state_[index(name)].text;
}
bool ModelForm::checked(QStringView name) const {
    return state_[index(name)].checked;
}
int ModelForm::current_page() const {
    return current_page_;
}
QString ModelForm::focused() const {
    return focus_ >= 0 ? layout_.controls[focus_].name : QString();
}

} // namespace zorvane
