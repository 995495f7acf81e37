#include "ui/widgets/picture_box.h"

#include <QPainter>
#include <qdrawutil.h>
#include <utility>

namespace zorvane::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setImages(QImage natural, QImage doubled) {
    m_natural = std::move(natural);
    m_doubled = std::move(doubled);
    if (!m_doubled.isNull())
        m_doubled.setDevicePixelRatio(2.0);
    m_cached = QPixmap();
    update();
}

void PictureBox::setStretched(bool stretched) {
    if (std::exchange(m_stretched, stretched) != stretched)
        update();
}

void PictureBox::setSunkenEdge(bool sunken) {
    if (std::exchange(m_sunken, sunken) != sunken)
        update();
}

const QPixmap& PictureBox::pixmapFor(qreal devicePixelRatio) {
    const bool wantDoubled = devicePixelRatio >= 2.0 && !m_doubled.isNull();
    if (m_cached.isNull() || m_cachedIsDoubled != wantDoubled) {
        m_cached = QPixmap::fromImage(wantDoubled ? m_doubled : m_natural);
        m_cachedIsDoubled = wantDoubled;
    }
    return m_cached;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect inner = m_sunken ? rect().adjusted(1, 1, -1, -1) : rect();
    if (m_sunken)
        qDrawShadePanel(&p, rect(), palette(), true, 1);
    p.fillRect(inner, palette().color(QPalette::Button));
    if (m_natural.isNull() || inner.isEmpty())
        return;

    // Line art: nearest-neighbour keeps the 1-pixel strokes crisp when scaled.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QPixmap& pixmap = pixmapFor(devicePixelRatioF());
    if (m_stretched) {
        p.drawPixmap(inner, pixmap);
    } else {
        p.setClipRect(inner);
        p.drawPixmap(inner.topLeft(), pixmap);
    }
}

} // namespace zorvane::ui
