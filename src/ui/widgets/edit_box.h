// A line edit that can paint what its containers show behind it itself. Qt repaints every
// container behind a widget that is not opaque before the widget, and edit boxes are repainted
// on every tick: the countdown box each second (its group box's frame and caption drawn again
// behind it, the caption measured three times over) and the focused answer box at every blink of
// its caret (the window, the tab control and the page behind it). Given a picture of what lies
// behind it, the box is opaque and repaints alone.
#pragma once

#include <QImage>
#include <QLineEdit>
#include <QTimer>

namespace zorvane::ui {

class EditBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Paints `backdrop` (the box's size) under the box from now on; a null image leaves the area
    // to the containers again, as does a move or a resize of the box.
    void setBackdrop(const QImage& backdrop);
    bool hasBackdrop() const { return !m_backdrop.isNull(); }

    // For a box the user types in: its text and caret keep two pixels clear of the sunken
    // frame, and the caret stands in a pixel column of its own between two characters. The line
    // edit would draw it on the first column of the character after it; this box draws it itself.
    // Call once the box has its font.
    void setRoomForTyping();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void wakeCaret(); // shows the caret and starts its blinking afresh
    QRect caretRect() const;

    QImage m_backdrop;
    QTimer* m_blink = nullptr; // only in a box that draws its own caret
    bool m_caretShown = false;
};

// What the containers of `widget` paint over its area, from the window's background up; a null
// image where a lower sibling would show through.
QImage paintedBehind(QWidget* widget);

} // namespace zorvane::ui
