// A frame that a top-level window draws for itself where the platform's own would break its
// rules: under Wayland, Qt's title bar offers minimise and maximise whatever the window flags,
// and so would a compositor that draws frames. This one has a 1-px border and a title bar with
// the icon, the caption and one close box, nothing to minimise or maximise.
#pragma once

#include <QWidget>

class QAbstractButton;

namespace zorvane::ui {

// Where the platform's frame would offer more than a close box, makes `window` (a top-level not
// yet shown) frameless and gives it a WindowFrame. Returns where the window's own children go:
// the frame's client area, or the window itself where the platform's frame is kept. A window
// with a layout needs nothing more: the layout keeps clear of the frame.
QWidget* frame_window(QWidget* window);

class WindowFrame : public QWidget {
public:
    static constexpr int border = 1;
    static constexpr int title_height = 24;

    // Covers `window` under its other children and follows its size, caption, icon and
    // activation; the window's contents margins keep its layout clear of the frame.
    explicit WindowFrame(QWidget* window);

    QWidget* client() const { return client_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect title_bar() const;

    QWidget* client_;
    QAbstractButton* close_box_;
};

} // namespace zorvane::ui
