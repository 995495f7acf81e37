// The form services kept in memory: the whole window without a display. Tests drive it with
// user actions (click, type, pick a page), a fake clock and scripted message boxes.
#pragma once

#include "form.h"
#include "layout/layout.h"

#include <QHash>
#include <vector>

namespace zorvane {

struct RecordedBox {
    QString text;
    int flags = 0;
    QString caption;
    int depth = 0;        // boxes already open when this one opened
    qint64 opened_at = 0; // fake-clock time
};

struct RecordedError {
    std::optional<int> code;
    QString message;
    QString report; // the full text of the report box
};

// Thrown through the handler that raised a runtime error, up to the outermost event delivery.
struct RunHalted {};

class ModelForm : public Form {
public:
    explicit ModelForm(Layout layout = main_window_layout());

    ControlRef control(QStringView name) const override;
    void set_visible(ControlRef control, bool visible) override;
    void set_disabled(ControlRef control, bool disabled) override;
    void set_text(ControlRef control, const QString& text) override;
    QString get_text(ControlRef control) override;
    void set_checked(ControlRef control, bool checked) override;
    bool get_checked(ControlRef control) override;
    void set_current_page(ControlRef tab_control, int page) override;
    int get_current_page(ControlRef tab_control) override;
    void set_period(ControlRef timer, int milliseconds) override;
    ControlRef find_by_tag(int tag) override;
    QString page_caption(ControlRef tab_control, int page) override;
    int message_box(const QString& text, int flags, const QString& caption) override;

    // --- What a user does. Each is ignored when the window would not take it.
    void click(QStringView name);                     // buttons, radio buttons, check boxes
    void type(QStringView name, const QString& text); // replaces an edit box's text
    void pick_page(int page);                         // a click on a page header

    // --- The fake clock. advance() delivers every tick that falls due, in due order;
    // stall() keeps the thread busy, after which each overdue timer ticks once.
    void advance(qint64 milliseconds);
    void stall(qint64 milliseconds);
    qint64 now() const { return now_; }
    int period(QStringView timer) const;
    qint64 next_due(QStringView timer) const; // -1 when stopped

    // Called while a box is open, nested in the handler that opened it; it may advance the
    // clock to deliver ticks inside the box's modal loop.
    void on_message_box(std::function<void(ModelForm&, const RecordedBox&)> script) {
        box_script_ = std::move(script);
    }

    // --- Observations.
    const Layout& layout() const { return layout_; }
    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    const std::optional<RecordedError>& error() const { return error_; }
    bool halted() const { return error_.has_value(); }
    bool on_screen(QStringView name) const;
    bool visible_flag(QStringView name) const;
    bool enabled(QStringView name) const;     // own flag
    bool takes_input(QStringView name) const; // own flag and every container enabled, on screen
    QString text(QStringView name) const;
    bool checked(QStringView name) const;
    int current_page() const;
    QString focused() const; // name of the control holding the keyboard focus, or empty
    int open_boxes() const { return open_boxes_; }

protected:
    void raise(std::optional<int> code, const QString& message) override;

private:
    struct State {
        bool visible = true;
        bool disabled = false;
        QString text;
        bool checked = false;
        int period = 0;
        qint64 due = -1;
    };

    int index(QStringView name) const;
    bool on_screen(int index) const;
    bool takes_input(int index) const;
    void deliver(Event event);
    void tick(int timer);

    Layout layout_;
    std::vector<State> state_;
    QHash<QString, int> by_name_;
    int tab_ = -1;
    int current_page_ = 0;
    int focus_ = -1;
    qint64 now_ = 0;
    int open_boxes_ = 0;
    int delivery_depth_ = 0;
    std::vector<RecordedBox> boxes_;
    std::optional<RecordedError> error_;
    std::function<void(ModelForm&, const RecordedBox&)> box_script_;
};

} // namespace zorvane
