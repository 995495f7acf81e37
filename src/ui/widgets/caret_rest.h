// The text caret stops blinking once nobody has pressed a key or a button for a while, and
// stays drawn, as GTK desktops do; the next key or click starts it blinking again. A test left
// alone then repaints only its countdown instead of a box twice a second.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace zorvane::ui {

class CaretRest : public QObject {
    Q_OBJECT
public:
    explicit CaretRest(std::chrono::milliseconds after = std::chrono::seconds(10),
                       QObject* parent = nullptr);
    ~CaretRest() override; // leaves the caret blinking

    bool resting() const { return m_restingFlashTime > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkIdle();
    void wake();

    std::chrono::milliseconds m_after;
    QElapsedTimer m_sinceInput;
    QTimer m_timer;
    int m_restingFlashTime = 0; // the flash time to give back, 0 while the caret blinks
};

} // namespace zorvane::ui
