#include "ui/widgets/window_frame.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <qdrawutil.h>

using namespace Qt::StringLiterals;

namespace zorvane::ui {

namespace {

constexpr int box_size = 18; // the close box, square, centred in the title bar's height
constexpr int icon_size = 16;
constexpr int margin = (WindowFrame::title_height - box_size) / 2;

// A raised button in the face colour with a cross, like the window's other buttons.
class CloseBox : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QBrush face = palette().button();
        qDrawWinButton(&p, rect(), palette(), isDown(), &face);
        const int shift = isDown() ? 1 : 0; // the cross sinks with the button
        const QRectF cross = QRectF(rect()).adjusted(5.5, 5.5, -5.5, -5.5).translated(shift, shift);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().buttonText(), 1.6));
        p.drawLine(cross.topLeft(), cross.bottomRight());
        p.drawLine(cross.topRight(), cross.bottomLeft());
    }
};

} // namespace

QWidget* frame_window(QWidget* window) {
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return window;
    // Frameless, Qt draws no title bar and asks the compositor for no frame. Only the window's
    // type stays: Qt drops the frameless hint beside the title-bar hints.
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    return (new WindowFrame(window))->client();
}

WindowFrame::WindowFrame(QWidget* window)
    : QWidget(window), client_(new QWidget(this)), close_box_(new CloseBox(this)) {
    close_box_->setFocusPolicy(Qt::NoFocus); // the keyboard's tab chain stays the window's own
    close_box_->setAccessibleName(u"关闭"_s);
    close_box_->setToolTip(u"关闭"_s);
    // The same request as a window manager's close: the window decides what closing means.
    connect(close_box_, &QAbstractButton::clicked, window, &QWidget::close);
    window->setContentsMargins(border, border + title_height, border, border);
    setGeometry(window->rect());
    lower();
    window->installEventFilter(this);
}

QRect WindowFrame::title_bar() const {
    return {border, border, width() - 2 * border, title_height};
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        setGeometry(static_cast<QWidget*>(watched)->rect());
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        update(title_bar());
        break;
    default:
        break;
    }
    return false;
}

void WindowFrame::mousePressEvent(QMouseEvent* event) {
    // The compositor moves the window: a client cannot place itself on Wayland.
    if (event->button() == Qt::LeftButton && title_bar().contains(event->position().toPoint()) &&
        window()->windowHandle() && window()->windowHandle()->startSystemMove())
        return;
    QWidget::mousePressEvent(event);
}

void WindowFrame::resizeEvent(QResizeEvent*) {
    const QRect bar = title_bar();
    close_box_->setGeometry(bar.right() - margin - box_size + 1, bar.top() + margin, box_size,
                            box_size);
    client_->setGeometry(parentWidget()->contentsRect());
}

void WindowFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& colours = palette();
    p.setPen(colours.color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    // The active window's title bar in the selection colour, as desktops mark the window that
    // takes the keys; an inactive one in a grey that keeps black text legible.
    const bool active = isActiveWindow();
    const QRect bar = title_bar();
    p.fillRect(bar, active ? colours.highlight() : colours.mid());
    const QRect icon_box(bar.left() + margin, bar.top() + (bar.height() - icon_size) / 2, icon_size,
                         icon_size);
    window()->windowIcon().paint(&p, icon_box);

    QFont caption_font = font();
    caption_font.setBold(true);
    p.setFont(caption_font);
    p.setPen(active ? colours.color(QPalette::HighlightedText)
                    : colours.color(QPalette::Active, QPalette::WindowText));
    const QRect caption(icon_box.right() + 1 + margin, bar.top(),
                        close_box_->x() - margin - (icon_box.right() + 1 + margin), bar.height());
    p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(caption_font)
                   .elidedText(window()->windowTitle(), Qt::ElideRight, caption.width()));
}

} // namespace zorvane::ui
