// A frame that a top-level window draws for itself where the platform's own would break its
// rules: a 1-px border and a title bar with the icon, the caption and one close box, nothing to
// minimise or maximise. The window must be frameless; its controls go in client(), which gets
// what the frame leaves of the window's fixed size.
#pragma once

#include <QWidget>

class QAbstractButton;

namespace zorvane::ui {

class WindowFrame : public QWidget {
public:
    static constexpr int border = 1;
    static constexpr int title_height = 24;

    // Covers `window` and follows its size, caption, icon and activation.
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
