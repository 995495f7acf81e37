#include "ui/widgets/edit_box.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleHints>
#include <vector>

namespace zorvane::ui {

namespace {

// Keeps the line edit from drawing a caret of its own.
class NoCaretStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        return metric == PM_TextCursorWidth ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// One for every box, kept by the application: a widget does not own its style, and may still
// look at it while it is destroyed.
QStyle* no_caret_style() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new NoCaretStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

// The sunken frame's outline and inner shade: two pixels in the common styles.
constexpr int sunken_frame = 2;
// What the platform's own line edits keep between the frame and their text.
constexpr int clearance = 2;

} // namespace

void EditBox::setRoomForTyping() {
    setStyle(no_caret_style());
    // The line edit clips its text to the inside of its frame less these margins.
    const int margin = sunken_frame + clearance -
                       style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    setTextMargins(margin, 0, margin, 0);
    // A free pixel column after every character, for the caret.
    QFont spaced = font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    setFont(spaced);

    m_blink = new QTimer(this);
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_caretShown = !m_caretShown;
        update(caretRect());
    });
    connect(this, &QLineEdit::cursorPositionChanged, this, &EditBox::wakeCaret);
    // The caret rests when nobody types for a while (CaretRest), as the line edit's would.
    connect(QGuiApplication::styleHints(), &QStyleHints::cursorFlashTimeChanged, this,
            &EditBox::wakeCaret);
}

void EditBox::wakeCaret() {
    m_caretShown = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flashTime > 0)
        m_blink->start(flashTime / 2);
    else
        m_blink->stop();
    update();
}

QRect EditBox::caretRect() const {
    // The line edit reports a caret at column x as the nine columns from x - 5, its line's
    // height and a pixel more; the caret goes one column left of x, in the spacing after the
    // character before it.
    const QRect around = cursorRect();
    return QRect(around.left() + 4, around.top(), 1, around.height() - 1);
}

void EditBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (m_blink)
        wakeCaret();
}

void EditBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_blink)
        wakeCaret(); // stops the blinking; a box without the focus shows no caret
}

void EditBox::setBackdrop(const QImage& backdrop) {
    m_backdrop = backdrop;
    setAttribute(Qt::WA_OpaquePaintEvent, !backdrop.isNull());
}

void EditBox::paintEvent(QPaintEvent* event) {
    if (!m_backdrop.isNull()) {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), m_backdrop); // clipped to the region being repainted
    }
    QLineEdit::paintEvent(event);
    if (m_blink && m_caretShown && hasFocus() && !isReadOnly()) {
        QPainter painter(this);
        painter.fillRect(caretRect(), palette().color(QPalette::Text));
    }
}

void EditBox::moveEvent(QMoveEvent* event) {
    setBackdrop({});
    QLineEdit::moveEvent(event);
}

void EditBox::resizeEvent(QResizeEvent* event) {
    setBackdrop({});
    QLineEdit::resizeEvent(event);
}

QImage paintedBehind(QWidget* widget) {
    QWidget* window = widget->window();
    QWidget* parent = widget->parentWidget();
    if (widget == window || !parent)
        return {};
    for (QObject* child : parent->children()) {
        if (child == widget)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (sibling && !sibling->isHidden() && sibling->geometry().intersects(widget->geometry()))
            return {};
    }
    std::vector<QWidget*> containers;
    for (QWidget* w = parent; w; w = w->isWindow() ? nullptr : w->parentWidget())
        containers.push_back(w);

    const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
    const qreal ratio = widget->devicePixelRatioF();
    QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    // From the window down, each container's own painting over what lies below it.
    for (auto it = containers.rbegin(); it != containers.rend(); ++it) {
        QWidget* w = *it;
        const QRect source = area.translated(-w->mapTo(window, QPoint(0, 0)));
        w->render(&image, QPoint(), QRegion(source),
                  w == window ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    return image;
}

} // namespace zorvane::ui
