// The form services on real Qt widgets, built from the layout table. The state lives in the
// widgets and timers; this class only adds what Qt does not keep, such as the halted state.
#pragma once

#include "forms/form.h"
#include "layout/layout.h"
#include "ui/fonts.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QTimer;
class QWidget;

namespace zorvane::ui {

class TabControl;

class QtForm : public QObject, public Form {
    Q_OBJECT
public:
    explicit QtForm(const Layout& layout = main_window_layout(), QObject* parent = nullptr);
    ~QtForm() override;

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

    QWidget* window() const { return window_.get(); }
    QWidget* widget(QStringView name) const;
    QTimer* timer(QStringView name) const;
    TabControl* tab_control() const { return tab_; }
    const Layout& layout() const { return layout_; }
    bool halted() const { return halted_; }

    // Centres the window on its screen and shows it. The window icon follows the first frame.
    void show_window();

protected:
    void raise(std::optional<int> code, const QString& message) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* create(const ControlEntry& entry, QWidget* parent);
    QWidget* container_of(int index) const;
    void dispatch(Event event);
    void run_deferred_clicks();
    void focus_after_handler();
    QWidget* button_of(Event event) const;
    void page_changed(int page);
    struct Cover {
        int label;
        std::vector<int> under; // controls of its page that it hides, which could take the focus
    };
    void find_covers();
    void apply_cover(const Cover& cover);
    void load_figures(int page);
    void after_first_frame();
    void fill_backdrops();

    const Layout& layout_;
    std::unique_ptr<QWidget> window_;
    std::vector<QWidget*> widgets_; // by layout index; nullptr for timers
    std::vector<QTimer*> timers_;   // by layout index; nullptr for other kinds
    std::vector<int> tags_;         // tag texts read once: the layout never changes them
    std::vector<bool> figures_loaded_;
    QHash<QString, int> by_name_;
    TabControl* tab_ = nullptr;
    int pending_focus_ = -1; // focus-rule winner waiting for its container to be enabled
    std::vector<Cover> covers_;
    QWidget* focus_after_handler_ = nullptr; // takes the focus once the running handler returns
    int dispatch_depth_ = 0;
    std::vector<Event> deferred_clicks_;    // taken while a handler waited in a box
    std::vector<QWidget*> button_of_event_; // by event, the button whose click raises it
    bool halted_ = false;
    bool first_frame_due_ = false;  // the first paint of the window has been seen
    bool first_frame_done_ = false; // and what follows it has been done
};

} // namespace zorvane::ui
