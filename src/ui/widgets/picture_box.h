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

    // `doubled` is the same drawing at twice the resolution, used on screens with a device
    // pixel ratio of 2 or more.
    void setImages(QImage natural, QImage doubled = {});
    // Scales the image to the whole box, width and height independently.
    void setStretched(bool stretched);
    // A 1-pixel sunken edge inside the box; the image then starts at (1, 1).
    void setSunkenEdge(bool sunken);

    bool isStretched() const { return m_stretched; }
    bool hasSunkenEdge() const { return m_sunken; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& pixmapFor(qreal devicePixelRatio);

    QImage m_natural;
    QImage m_doubled;
    QPixmap m_cached;
    bool m_cachedIsDoubled = false;
    bool m_stretched = false;
    bool m_sunken = false;
};

} // namespace zorvane::ui
