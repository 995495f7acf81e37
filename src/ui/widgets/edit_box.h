// A line edit that can paint what its containers show behind it itself. Qt repaints every
// container behind a widget that is not opaque before the widget, and edit boxes are repainted
// on every tick: the countdown box each second (its group box's frame and caption drawn again
// behind it, the caption measured three times over) and the focused answer box at every blink of
// its caret (the window, the tab control and the page behind it). Given a picture of what lies
// behind it, the box is opaque and repaints alone.
#pragma once

#include <QImage>
#include <QLineEdit>

namespace zorvane::ui {

class EditBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Paints `backdrop` (the box's size) under the box from now on; a null image leaves the area
    // to the containers again, as does a move or a resize of the box.
    void setBackdrop(const QImage& backdrop);
    bool hasBackdrop() const { return !m_backdrop.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_backdrop;
};

// What the containers of `widget` paint over its area, from the window's background up; a null
// image where a lower sibling would show through.
QImage paintedBehind(QWidget* widget);

} // namespace zorvane::ui
