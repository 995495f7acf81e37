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

bool PictureBox::usesDoubled(qreal devicePixelRatio) {
    return devicePixelRatio > 1.0;
}

bool PictureBox::drawsSmoothly(qreal devicePixelRatio) const {
    const bool whole = qFuzzyCompare(devicePixelRatio, qreal(qRound(devicePixelRatio)));
    return !m_doubled.isNull() && usesDoubled(devicePixelRatio) && (m_stretched || !whole);
}

// At a whole ratio every image pixel becomes the same square of screen pixels, so strokes keep
// one width: the doubled drawing at even ratios, the plain one at odd ones. Between whole ratios
// (125 %, 150 %, 175 %), and for a stretched box at any ratio but 1, blowing up pixels would make
// some strokes one screen pixel wide and others two; the doubled drawing scaled smoothly to
// `screen` pixels keeps every stroke's weight instead.
const QPixmap& PictureBox::pixmapFor(qreal devicePixelRatio, QSize screen) {
    if (!m_cached.isNull() && m_cachedRatio == devicePixelRatio && m_cachedSize == screen)
        return m_cached;
    m_cachedRatio = devicePixelRatio;
    m_cachedSize = screen;
    if (screen.isValid()) {
        m_cached = QPixmap::fromImage(
            m_doubled.convertToFormat(QImage::Format_RGB32)
                .scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
    const qreal ratio = devicePixelRatioF();
    if (drawsSmoothly(ratio)) {
        // One image pixel to one screen pixel, from the inside of the box snapped to whole
        // screen pixels: the outermost strokes then share no pixel with the edge or the clip.
        // Rounded down, the last stroke stays whole inside a box that ends where the image does.
        const QTransform toScreen = p.deviceTransform();
        const QRectF exact = toScreen.mapRect(QRectF(inner));
        const QPoint topLeft(qRound(exact.left()), qRound(exact.top()));
        const QRect box(topLeft, QSize(qRound(exact.right()) - topLeft.x(),
                                       qRound(exact.bottom()) - topLeft.y()));
        const QSize screen =
            m_stretched ? box.size()
                        : QSize(int(m_natural.width() * ratio), int(m_natural.height() * ratio));
        const QPixmap& pixmap = pixmapFor(ratio, screen);
        const QTransform back = toScreen.inverted();
        p.setClipRect(back.mapRect(QRectF(box)));
        p.drawPixmap(back.mapRect(QRectF(topLeft, QSizeF(screen))), pixmap, QRectF(pixmap.rect()));
        return;
    }
    const QPixmap& pixmap = pixmapFor(ratio, QSize());
    if (m_stretched) {
        p.drawPixmap(inner, pixmap);
    } else {
        p.setClipRect(inner);
        p.drawPixmap(inner.topLeft(), pixmap);
    }
}

} // namespace zorvane::ui
