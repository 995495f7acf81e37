// The main window: fixed 640 × 434 outside (larger only where a thick frame would hide controls),
// centred, with the page keys working wherever the focus is. Under Wayland it draws its own frame.
#pragma once

#include <QWidget>
#include <functional>

namespace zorvane::ui {

class TabControl;

class MainWindow : public QWidget {
public:
    MainWindow();

    // Page keys work wherever the focus is, not only on the pages: from the buttons too.
    TabControl* page_keys = nullptr;

    // Called once the window has closed.
    std::function<void()> on_close;

    void centre();

    // Where the layout's controls go: the window itself, or the inside of the frame it draws.
    QWidget* client() const { return client_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where a window manager adds a frame, the client area gives up what the frame takes, once
    // the frame is known, but never so much that controls are cut off: a thick frame makes the
    // window larger outside instead.
    void fit_frame();
    bool framed_ = false;
    QSize frame_{0, 0}; // what the window manager adds around the client area, once known
    QWidget* client_ = this;
};

} // namespace zorvane::ui
