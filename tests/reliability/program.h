// The program as its main() starts it, for drivers that run it in-process: the Qt form built from
// a layout, the test controller behind it, and a view of which handlers are running.
#pragma once

#include "controller/controller.h"
#include "support/timers.h"
#include "ui/qt_form.h"
#include "ui/widgets/widget_accessibility.h"

#include <QApplication>
#include <QTimer>
#include <functional>

namespace reliability {

// Font substitutions must exist before QApplication makes its first font.
inline void before_application() {
    zorvane::ui::install_font_substitutions();
}

inline void after_application() {
    zorvane::ui::apply_default_gui_font();
    zorvane::ui::installWidgetAccessibility();
}

class Program {
public:
    explicit Program(const zorvane::Layout& layout = zorvane::main_window_layout())
        : form(layout), controller(form) {
        form.set_event_sink([this](zorvane::Event event) {
            // The runtime-error report unwinds through here: count the return either way.
            struct Depth {
                int& depth;
                explicit Depth(int& d) : depth(++d) {}
                ~Depth() { --depth; }
            } depth(depth_);
            if (on_enter)
                on_enter(event);
            controller.handle(event);
            if (on_leave)
                on_leave(event);
        });
    }

    // Handlers that have started and not returned; above 1 only under a message box.
    int handler_depth() const { return depth_; }

    // Delivers one expiry of a running timer now, as the event loop would.
    void tick(QStringView timer_name) {
        QTimer* timer = form.timer(timer_name);
        if (!timer->isActive())
            return; // a stopped timer has no expiry to deliver
        expire(timer);
    }

    zorvane::ui::QtForm form;
    zorvane::TestController controller;
    std::function<void(zorvane::Event)> on_enter;
    std::function<void(zorvane::Event)> on_leave;

private:
    int depth_ = 0;
};

} // namespace reliability
