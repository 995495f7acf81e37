// The operations the logic needs of the windowing layer. The scorer and the test controller
// see only this interface; ModelForm realises it in memory, QtForm with real widgets.
#pragma once

#include "layout/kinds.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace zorvane {

struct ControlRef {
    int index = -1;
    Kind kind = Kind::Window;
};

// Style flags of a message box: the program only ever asks for the plain box.
inline constexpr int message_box_plain = 0;
inline constexpr QStringView default_box_caption = u"信息：";

class Form {
public:
    virtual ~Form() = default;

    // Resolves a layout name. The names are fixed, so an unknown name is a programming error.
    virtual ControlRef control(QStringView name) const = 0;

    virtual void set_visible(ControlRef control, bool visible) = 0;
    virtual void set_disabled(ControlRef control, bool disabled) = 0;
    virtual void set_text(ControlRef control, const QString& text) = 0;
    virtual QString get_text(ControlRef control) = 0;
    virtual void set_checked(ControlRef control, bool checked) = 0;
    virtual bool get_checked(ControlRef control) = 0;
    virtual void set_current_page(ControlRef tab_control, int page) = 0;
    virtual int get_current_page(ControlRef tab_control) = 0;
    virtual void set_period(ControlRef timer, int milliseconds) = 0;
    // Raises the runtime-error report when no control carries the tag.
    virtual ControlRef find_by_tag(int tag) = 0;
    // Pages counted from 1; the empty text outside 1..n.
    virtual QString page_caption(ControlRef tab_control, int page) = 0;
    virtual int message_box(const QString& text, int flags, const QString& caption) = 0;

    // Shows the runtime-error report; from then on no handler runs. Never returns.
    [[noreturn]] void report_runtime_error(std::optional<int> code, const QString& message);
    [[noreturn]] void runtime_error(int code);

    // Where clicks and ticks go: the test controller.
    void set_event_sink(std::function<void(Event)> sink) { sink_ = std::move(sink); }

    // Name-based conveniences for the handlers.
    ControlRef operator[](QStringView name) const { return control(name); }

protected:
    // Shows the report and ends the run: exits, or unwinds to the outermost event delivery.
    virtual void raise(std::optional<int> code, const QString& message) = 0;

    std::function<void(Event)> sink_;
};

// Builds a text, turning an allocation failure into the fatal report it calls for.
template <typename Make> QString make_text(Form& form, qsizetype expected_chars, Make&& make);

} // namespace zorvane

#include "runtime_error.h"

namespace zorvane {

template <typename Make> QString make_text(Form& form, qsizetype expected_chars, Make&& make) {
    try {
        return make();
    } catch (const std::bad_alloc&) {
        form.report_runtime_error(std::nullopt,
                                  allocation_failure_message((expected_chars + 1) * 2));
    }
}

} // namespace zorvane
