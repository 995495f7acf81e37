// Shows one still figure: natural size from the top-left corner and clipped, or stretched to
// the box; the rest of the box shows the button-face colour.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace zorvane::ui {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // `doubled` is the same drawing at twice the resolution: shown as it is at a device pixel
    // ratio of 2, and the source of the smoothly scaled drawing at ratios between whole numbers.
    void setImages(QImage natural, QImage doubled = {});
    // Whether a screen of this device pixel ratio shows the doubled drawing or one made from it.
    static bool usesDoubled(qreal devicePixelRatio);
    // Scales the image to the whole box, width and height independently.
    void setStretched(bool stretched);
    // A 1-pixel sunken edge inside the box; the image then starts at (1, 1).
    void setSunkenEdge(bool sunken);

    bool isStretched() const { return m_stretched; }
    bool hasSunkenEdge() const { return m_sunken; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool drawsSmoothly(qreal devicePixelRatio) const;
    const QPixmap& pixmapFor(qreal devicePixelRatio, QSize screen);

    QImage m_natural;
    QImage m_doubled;
    QPixmap m_cached;
    qreal m_cachedRatio = 0;
    QSize m_cachedSize;
    bool m_stretched = false;
    bool m_sunken = false;
};

} // namespace zorvane::ui
