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
    m_cachedRatio = 0;
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

bool PictureBox::usesDoubled(qreal devicePixelRatio) {
    return devicePixelRatio > 1.0;
}

// At a whole ratio every image pixel becomes the same square of screen pixels, so strokes keep
// one width: the doubled drawing at even ratios, the plain one at odd ones. Between whole ratios
// (125 %, 150 %, 175 %), and for a stretched box at any ratio but 1, blowing up pixels would make
// some strokes one screen pixel wide and others two; the doubled drawing scaled smoothly keeps
// every stroke's weight instead, made for the screen's pixels and drawn one to one.
const QPixmap& PictureBox::pixmapFor(qreal devicePixelRatio, QSize drawn) {
    const bool whole = qFuzzyCompare(devicePixelRatio, qreal(qRound(devicePixelRatio)));
    const bool smooth =
        !m_doubled.isNull() && usesDoubled(devicePixelRatio) && (m_stretched || !whole);
    const QSize size = smooth ? drawn : QSize();
    if (!m_cached.isNull() && m_cachedRatio == devicePixelRatio && m_cachedSize == size)
        return m_cached;
    m_cachedRatio = devicePixelRatio;
    m_cachedSize = size;
    if (smooth) {
        const QSize device(qRound(drawn.width() * devicePixelRatio),
                           qRound(drawn.height() * devicePixelRatio));
        QImage scaled = m_doubled.convertToFormat(QImage::Format_RGB32)
                            .scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(devicePixelRatio);
        m_cached = QPixmap::fromImage(std::move(scaled));
    } else {
        const bool even = usesDoubled(devicePixelRatio) && qRound(devicePixelRatio) % 2 == 0;
        m_cached = QPixmap::fromImage(even && !m_doubled.isNull() ? m_doubled : m_natural);
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
    const QSize drawn = m_stretched ? inner.size() : m_natural.size();
    const QPixmap& pixmap = pixmapFor(devicePixelRatioF(), drawn);
    if (m_stretched) {
        p.drawPixmap(inner, pixmap);
    } else {
        p.setClipRect(inner);
        p.drawPixmap(inner.topLeft(), pixmap);
    }
}

} // namespace zorvane::ui
