#include "main_window.h"

#include "layout/layout.h"
#include "ui/colours.h"
#include "ui/widgets/tab_control.h"
#include "ui/widgets/window_frame.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace zorvane::ui {

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint) {
    setFixedSize(window_width, window_height);
    setPalette(window_palette(palette()));
    client_ = frame_window(this);
}

void MainWindow::centre() {
    const QRect screen =
        (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
    // The fixed size is the client area asked for; the window manager may not have applied it yet.
    const QSize outer = maximumSize() + frame_;
    move(screen.left() + (screen.width() - outer.width()) / 2,
         screen.top() + (screen.height() - outer.height()) / 2);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (on_close)
        on_close();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!page_keys || !page_keys->handlePageKey(event))
        QWidget::keyPressEvent(event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fit_frame();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fit_frame();
}

void MainWindow::fit_frame() {
    if (framed_ || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0)
        return;
    framed_ = true;
    frame_ = frame;
    setFixedSize((QSize(window_width, window_height) - frame)
                     .expandedTo(QSize(minimum_client_width, minimum_client_height)));
    centre();
}

} // namespace zorvane::ui
