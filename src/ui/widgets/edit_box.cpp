#include "ui/widgets/edit_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <vector>

namespace zorvane::ui {

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
