#include "qt_form.h"

#include "forms/conversions.h"
#include "forms/runtime_error.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/widgets/edit_box.h"
#include "ui/widgets/group_box.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/tab_control.h"
#include "ui/widgets/text_label.h"
#include "ui/widgets/widget_accessibility.h"
#include "ui/widgets/window_frame.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorvane::ui {

namespace {

// Unwinds from a fatal report to the event delivery that ran the handler.
struct Halted {};

QString box_text(const QString& text) {
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    return shown;
}

// Named format, no probing: a read by file name would load every image plugin installed just
// to learn that a PNG is a PNG.
QImage read_png(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The Fusion style draws every group box from a PNG of its own, read by file name on the first
// paint, which loads and asks every image plugin installed. The same image read as PNG is put
// where that read looks first: the pixmap cache, under the key QPixmap::load files it by (and
// under the one newer styles look up).
void seed_group_box_frame() {
    if (QApplication::style()->name() != "fusion"_L1)
        return;
    const QString path = u":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"_s;
    const QFileInfo info(path);
    const auto hex = [](auto value) { // each byte in memory order, low digit first
        QString digits;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t i = 0; i < sizeof(value); ++i) {
            digits += QLatin1Char("0123456789abcdef"[bytes[i] & 0xf]);
            digits += QLatin1Char("0123456789abcdef"[bytes[i] >> 4]);
        }
        return digits;
    };
    const QString key = "qt_pixmap"_L1 + info.absoluteFilePath() +
                        hex(uint(info.lastModified().toSecsSinceEpoch())) +
                        hex(quint64(info.size())) + hex(uint(0) /* a pixmap, not a bitmap */);
    QPixmap frame;
    if (QPixmapCache::find(key, &frame))
        return;
    frame = QPixmap::fromImage(read_png(path));
    if (frame.isNull())
        return;
    QPixmapCache::insert(key, frame);
    QPixmapCache::insert(u"fusion_groupbox"_s, frame);
}

// A click anywhere in the control's box counts, not only on its mark and caption: the boxes
// are much wider than the one-letter captions.
template <typename Button> class WholeBoxButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

Qt::FocusPolicy focus_policy(const ControlEntry& entry) {
    return entry.tab_stop ? Qt::StrongFocus : Qt::ClickFocus;
}

QRect rect_of(const Box& box) {
    return QRect(box.left, box.top, box.width, box.height);
}

// The page keys that do what the previous and next buttons do, from wherever the focus is.
QKeySequence page_key(Event event) {
    if (event == Event::PreviousQuestion)
        return QKeySequence(Qt::CTRL | Qt::Key_PageUp);
    if (event == Event::NextQuestion)
        return QKeySequence(Qt::CTRL | Qt::Key_PageDown);
    return {};
}

} // namespace

QtForm::QtForm(const Layout& layout, QObject* parent) : QObject(parent), layout_(layout) {
    const std::size_t n = layout_.controls.size();
    widgets_.assign(n, nullptr);
    timers_.assign(n, nullptr);
    tags_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        by_name_.insert(layout_.controls[i].name, int(i));
        tags_[i] = parse_tag(layout_.controls[i].tag);
    }
    build();
}

QtForm::~QtForm() {
    // Closing the window while it is destroyed deactivates it, after this form's members are gone.
    window_->removeEventFilter(this);
}

QWidget* QtForm::container_of(int index) const {
    const ControlEntry& entry = layout_.controls[index];
    if (entry.page >= 0)
        return tab_->page(entry.page);
    if (entry.parent == 0)
        return static_cast<MainWindow*>(window_.get())->client();
    return widgets_[entry.parent];
}

void QtForm::build() {
    installWidgetAccessibility();
    auto* window = new MainWindow;
    window_.reset(window);
    widgets_[0] = window;
    const ControlEntry& top = layout_.controls[0];
    window->setWindowTitle(top.text);
    window->setAccessibleName(top.accessible_name);
    // Closing the window ends the run in every state. While a handler waits in a message box,
    // the box would keep the program alive: leave every event loop, the box's too.
    window->on_close = [this] {
        if (dispatch_depth_ > 0)
            QCoreApplication::exit(0);
    };

    for (int i = 1; i < int(layout_.controls.size()); ++i) {
        const ControlEntry& entry = layout_.controls[i];
        if (entry.kind == Kind::Timer) {
            auto* timer = new QTimer(this);
            timer->setObjectName(entry.name);
            timer->setTimerType(Qt::PreciseTimer);
            connect(timer, &QTimer::timeout, this,
                    [this, event = entry.event] { dispatch(event); });
            timers_[i] = timer;
            continue;
        }
        widgets_[i] = create(entry, container_of(i));
    }
    // Members stack in page-list order from the top down, so the cover label lies over page 0.
    for (const std::vector<int>& members : layout_.page_members)
        for (auto it = members.rbegin(); it != members.rend(); ++it)
            widgets_[*it]->raise();
    // Tab walks reading order instead of creation order; members of hidden pages and disabled
    // controls drop out of the chain by themselves.
    const std::vector<int>& chain = layout_.keyboard_order;
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(widgets_[chain[i - 1]], widgets_[chain[i]]);
    window->page_keys = tab_;
    find_covers();
    figures_loaded_.assign(layout_.page_captions.size(), false);
    tab_->setCurrentIndex(0);
    load_figures(0);
    connect(tab_, &TabControl::userPicked, this, &QtForm::page_changed);
}

QWidget* QtForm::create(const ControlEntry& entry, QWidget* parent) {
    QWidget* w = nullptr;
    switch (entry.kind) {
    case Kind::TabControl: {
        tab_ = new TabControl(parent);
        // In its own font before the captions are measured, not measured again when it comes.
        tab_->setFont(font_for(entry.font));
        tab_->addPages(layout_.page_captions);
        w = tab_;
        break;
    }
    case Kind::GroupBox:
        w = new GroupBox(entry.text, parent);
        break;
    case Kind::Label: {
        auto* label = new TextLabel(parent);
        label->setWrap(entry.wrap);
        label->setAlignment(entry.align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
        label->setText(entry.text);
        w = label;
        break;
    }
    case Kind::EditBox: {
        auto* edit = new EditBox(entry.text, parent);
        // The layout's edit boxes have no length limit; QLineEdit would cut a paste at 32767.
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setAlignment(entry.align == TextAlign::Centre ? Qt::AlignCenter
                                                            : Qt::AlignLeft | Qt::AlignVCenter);
        QPalette palette = edit->palette();
        const QColor base = entry.edit_look == EditLook::White ? QColor(Qt::white)
                                                               : palette.color(QPalette::Button);
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, base);
        edit->setPalette(palette);
        edit->setCursorPosition(0);
        if (!entry.enabled)
            edit->setTextMargins(-3, 0, -3, 0); // the narrow status boxes need every pixel
        w = edit;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(entry.text, parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, event = entry.event] { dispatch(event); });
        if (button_of_event_.size() <= std::size_t(entry.event))
            button_of_event_.resize(std::size_t(entry.event) + 1, nullptr);
        button_of_event_[std::size_t(entry.event)] = button;
        w = button;
        break;
    }
    case Kind::RadioButton:
        w = new WholeBoxButton<QRadioButton>(entry.text, parent);
        break;
    case Kind::CheckBox:
        w = new WholeBoxButton<QCheckBox>(entry.text, parent);
        break;
    case Kind::PictureBox: {
        auto* picture = new PictureBox(parent);
        picture->setStretched(entry.stretch);
        picture->setSunkenEdge(entry.sunken_edge);
        w = picture;
        break;
    }
    case Kind::Window:
    case Kind::Timer:
        Q_UNREACHABLE();
    }
    w->setObjectName(entry.name);
    w->setGeometry(entry.box.left, entry.box.top, entry.box.width, entry.box.height);
    w->setFont(font_for(entry.font));
    if (entry.kind == Kind::EditBox && entry.enabled)
        static_cast<EditBox*>(w)->setRoomForTyping(); // the answer boxes
    if (can_take_focus(entry.kind))
        w->setFocusPolicy(focus_policy(entry));
    w->setEnabled(entry.enabled);
    w->setVisible(entry.visible);
    if (!entry.accessible_name.isEmpty())
        w->setAccessibleName(entry.accessible_name);
    if (!entry.accessible_description.isEmpty())
        w->setAccessibleDescription(entry.accessible_description);
    if (const QKeySequence keys = page_key(entry.event); !keys.isEmpty()) {
        // Found nowhere else on screen: shown on hover, and heard with the button.
        const QString named = u"（%1）"_s.arg(keys.toString(QKeySequence::NativeText));
        w->setToolTip(entry.accessible_name + named);
        w->setAccessibleDescription(entry.accessible_description + named);
    }
    return w;
}

void QtForm::find_covers() {
    // A label paints its whole box over the members listed after it. While it is shown, what
    // lies wholly under it (the answer boxes under the welcome label) can neither be seen nor
    // take the focus, by Tab or by a page selection: keys typed there would go unseen.
    for (const std::vector<int>& members : layout_.page_members)
        for (auto above = members.begin(); above != members.end(); ++above) {
            if (layout_.controls[*above].kind != Kind::Label)
                continue;
            Cover cover{*above, {}};
            for (auto below = above + 1; below != members.end(); ++below)
                if (can_take_focus(layout_.controls[*below].kind) &&
                    rect_of(layout_.controls[*above].box)
                        .contains(rect_of(layout_.controls[*below].box)))
                    cover.under.push_back(*below);
            if (!cover.under.empty())
                apply_cover(covers_.emplace_back(std::move(cover)));
        }
}

void QtForm::apply_cover(const Cover& cover) {
    const bool shown = !widgets_[cover.label]->isHidden();
    for (int member : cover.under) {
        QWidget* w = widgets_[member];
        w->setFocusPolicy(shown ? Qt::NoFocus : focus_policy(layout_.controls[member]));
        if (shown)
            w->clearFocus();
    }
}

void QtForm::load_figures(int page) {
    // Figures are decoded when their page is first shown, not before the first frame, and the
    // doubled drawings only where the screen shows them or ones made from them: they take five
    // times as long.
    if (figures_loaded_[page])
        return;
    figures_loaded_[page] = true;
    const bool doubled = PictureBox::usesDoubled(window_->devicePixelRatioF());
    for (int member : layout_.page_members[page]) {
        const ControlEntry& entry = layout_.controls[member];
        if (entry.kind != Kind::PictureBox)
            continue;
        static_cast<PictureBox*>(widgets_[member])
            ->setImages(QImage(u":/figures/%1.gif"_s.arg(entry.image)),
                        doubled ? QImage(u":/figures/%1@2x.gif"_s.arg(entry.image)) : QImage());
    }
}

ControlRef QtForm::control(QStringView name) const {
    const auto it = by_name_.constFind(name.toString());
    if (it == by_name_.cend())
        qFatal("no control named %s in the layout", qUtf8Printable(name.toString()));
    return {*it, layout_.controls[*it].kind};
}

QWidget* QtForm::widget(QStringView name) const {
    return widgets_[control(name).index];
}
QTimer* QtForm::timer(QStringView name) const {
    return timers_[control(name).index];
}

void QtForm::set_visible(ControlRef control, bool visible) {
    // A member of a page that is not shown only records the flag: its hidden page keeps it
    // off screen until the page is shown, and an explicit hide outlasts page changes.
    if (QWidget* w = widgets_[control.index])
        w->setVisible(visible);
    for (const Cover& cover : covers_)
        if (cover.label == control.index)
            apply_cover(cover);
}

void QtForm::set_disabled(ControlRef control, bool disabled) {
    QWidget* w = widgets_[control.index];
    if (!w)
        return;
    w->setEnabled(!disabled);
    // Enabled again when a test is over: the next step is a new test. The start button takes
    // the focus once the handler is done with its boxes, where a keyboard user can see it.
    if (!disabled && w == button_of(Event::StartTest)) {
        focus_after_handler_ = w;
        if (dispatch_depth_ == 0)
            focus_after_handler();
    }
    if (control.kind == Kind::TabControl || control.kind == Kind::GroupBox)
        fill_backdrops(); // a container's colours follow its state
    if (pending_focus_ >= 0 && widgets_[pending_focus_]->isEnabled()) {
        widgets_[pending_focus_]->setFocus(Qt::OtherFocusReason);
        pending_focus_ = -1;
    }
}

void QtForm::set_text(ControlRef control, const QString& text) {
    QWidget* w = widgets_[control.index];
    switch (control.kind) {
    case Kind::EditBox: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0); // show the start of a text wider than the box
        }
        break;
    }
    case Kind::Label:
        static_cast<TextLabel*>(w)->setText(text);
        break;
    default:
        break;
    }
}

QString QtForm::get_text(ControlRef control) {
    if (control.kind != Kind::EditBox)
        return {};
    const auto* edit = static_cast<QLineEdit*>(widgets_[control.index]);
    return make_text(*this, edit->text().size(), [&] { return edit->text(); });
}

void QtForm::set_checked(ControlRef control, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(widgets_[control.index]);
    if (!button)
        return;
    // An exclusive radio button refuses to be unchecked; lift exclusivity around the write so
    // that only this control changes.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

bool QtForm::get_checked(ControlRef control) {
    const auto* button = qobject_cast<QAbstractButton*>(widgets_[control.index]);
    return button && button->isChecked();
}

void QtForm::set_current_page(ControlRef, int page) {
    page = std::clamp(page, 0, tab_->count() - 1);
    tab_->setCurrentIndex(page);
    page_changed(page);
}

void QtForm::page_changed(int page) {
    load_figures(page);
    const ControlEntry* best = nullptr;
    int best_index = -1;
    for (int member : layout_.page_members[page]) {
        const ControlEntry& entry = layout_.controls[member];
        QWidget* w = widgets_[member];
        // Disabled, or under a shown label.
        if (!can_take_focus(entry.kind) || w->testAttribute(Qt::WA_ForceDisabled) ||
            w->focusPolicy() == Qt::NoFocus)
            continue;
        if (!best || entry.focus_order < best->focus_order) {
            best = &entry;
            best_index = member;
        }
    }
    pending_focus_ = -1;
    if (!best)
        return;
    QWidget* target = widgets_[best_index];
    // Qt gives no focus inside a disabled container; the start handler selects page 0 just
    // before it enables the tab control, so the focus follows as soon as it can.
    if (target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
    else
        pending_focus_ = best_index;
}

int QtForm::get_current_page(ControlRef) {
    return tab_->currentIndex();
}

void QtForm::set_period(ControlRef timer, int milliseconds) {
    milliseconds = std::max(milliseconds, 0);
    QTimer* t = timers_[timer.index];
    // A repeating QTimer runs exactly while its period is above 0, so the period is read back.
    if (milliseconds == (t->isActive() ? t->interval() : 0))
        return; // a running timer keeps its next tick where it was
    t->stop();
    if (milliseconds > 0)
        t->start(milliseconds);
}

ControlRef QtForm::find_by_tag(int tag) {
    for (int i = 0; i < int(tags_.size()); ++i)
        if (tags_[i] == tag)
            return {i, layout_.controls[i].kind};
    report_runtime_error(std::nullopt, tag_not_found_message());
}

QString QtForm::page_caption(ControlRef, int page) {
    if (page < 1 || page > tab_->count())
        return {};
    return tab_->caption(page - 1);
}

int QtForm::message_box(const QString& text, int, const QString& caption) {
    QMessageBox box;
    box.setWindowTitle(caption.isEmpty() ? default_box_caption.toString() : caption);
    box.setTextFormat(Qt::PlainText); // "<说明>" is text, not markup
    box.setText(box_text(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    frame_window(&box);
    box.exec();
    return 0;
}

void QtForm::dispatch(Event event) {
    if (halted_ || !sink_ || event == Event::None)
        return;
    // Only ticks run inside a handler that waits in a box. A click taken there came in with the
    // input that closed the box; it runs once that handler has returned, as from the main loop.
    const bool click = event != Event::CountdownTick && event != Event::InstructionTick;
    if (click && dispatch_depth_ > 0) {
        deferred_clicks_.push_back(event);
        return;
    }
    ++dispatch_depth_;
    try {
        sink_(event);
    } catch (const Halted&) {
        // The report was shown from the outermost handler: leave the event loop with -1.
    }
    --dispatch_depth_;
    if (halted_ && dispatch_depth_ == 0)
        QCoreApplication::exit(-1);
    else if (dispatch_depth_ == 0) {
        focus_after_handler();
        run_deferred_clicks();
    }
}

void QtForm::focus_after_handler() {
    QWidget* next = std::exchange(focus_after_handler_, nullptr);
    if (!next || !next->isEnabled())
        return;
    next->setFocus(Qt::OtherFocusReason);
    window_->setAttribute(Qt::WA_KeyboardFocusChange); // drawn with its focus frame
}

QWidget* QtForm::button_of(Event event) const {
    const auto i = std::size_t(event);
    return i < button_of_event_.size() ? button_of_event_[i] : nullptr;
}

void QtForm::run_deferred_clicks() {
    while (!deferred_clicks_.empty() && !halted_) {
        const Event event = deferred_clicks_.front();
        deferred_clicks_.erase(deferred_clicks_.begin());
        // The handler before may have disabled the button: a click on it then runs nothing.
        if (button_of(event)->isEnabled())
            dispatch(event);
    }
}

void QtForm::raise(std::optional<int> code, const QString& message) {
    halted_ = true;
    for (QTimer* t : timers_)
        if (t)
            t->stop();
    QMessageBox box(QMessageBox::Critical, runtime_error_caption.toString(),
                    box_text(runtime_error_report(code, message)), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    frame_window(&box);
    box.exec();
    window_->hide();
    if (dispatch_depth_ == 1)
        throw Halted{};
    // Raised under a nested modal loop or outside any handler: no unwinding through Qt.
    std::exit(-1);
}

void QtForm::after_first_frame() {
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addPixmap(QPixmap::fromImage(read_png(u":/icons/zorvane-%1.png"_s.arg(size))));
    window_->setWindowIcon(icon);
    first_frame_done_ = true;
    fill_backdrops();
}

void QtForm::fill_backdrops() {
    if (!first_frame_done_)
        return;
    for (QWidget* w : widgets_)
        if (auto* box = qobject_cast<EditBox*>(w))
            box->setBackdrop(paintedBehind(box));
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_.get())
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        // Only the window manager shows the icon, and decoding its three sizes would hold the
        // first frame back: it is set after that frame, and the edit boxes learn what lies
        // behind them then too. Not at once: work queued right behind the paint runs before the
        // X server has the frame (2 ms later on screen, measured with bench/frame_watch).
        if (!first_frame_due_) {
            first_frame_due_ = true;
            QTimer::singleShot(100, this, &QtForm::after_first_frame);
        }
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::ActivationChange:
        // What lies behind the boxes may change. The window hears of it before its children,
        // so the containers are painted behind the boxes again until the change has spread.
        if (first_frame_done_) {
            for (QWidget* w : widgets_)
                if (auto* box = qobject_cast<EditBox*>(w))
                    box->setBackdrop({});
            QTimer::singleShot(0, this, &QtForm::fill_backdrops);
        }
        break;
    default:
        break;
    }
    return false;
}

void QtForm::show_window() {
    auto* window = static_cast<MainWindow*>(window_.get());
    seed_group_box_frame();
    window->centre();
    window->installEventFilter(this);
    window->show();
    // On another screen the pixel ratio may differ: decode the figures again as pages show, and
    // picture again what lies behind the edit boxes.
    connect(window->windowHandle(), &QWindow::screenChanged, this, [this] {
        figures_loaded_.assign(figures_loaded_.size(), false);
        load_figures(tab_->currentIndex());
        fill_backdrops();
    });
}

} // namespace zorvane::ui
