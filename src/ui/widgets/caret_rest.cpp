#include "ui/widgets/caret_rest.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>
#include <utility>

namespace zorvane::ui {

CaretRest::CaretRest(std::chrono::milliseconds after, QObject* parent)
    : QObject(parent), m_after(after) {
    m_sinceInput.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::checkIdle);
    m_timer.start(m_after);
    qApp->installEventFilter(this);
}

CaretRest::~CaretRest() {
    wake();
}

bool CaretRest::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
        // Only a clock read per event: the timer re-arms itself when it fires too early.
        m_sinceInput.restart();
        if (resting()) {
            wake();
            m_timer.start(m_after);
        }
        break;
    default:
        break;
    }
    return false;
}

void CaretRest::checkIdle() {
    const auto idle = std::chrono::milliseconds(m_sinceInput.elapsed());
    if (idle < m_after) {
        m_timer.start(m_after - idle);
        return;
    }
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (flashTime <= 0)
        return; // the desktop asks for a caret that never blinks
    m_restingFlashTime = flashTime;
    // Line edits follow the style hint at once and draw the caret steadily.
    QApplication::setCursorFlashTime(0);
}

void CaretRest::wake() {
    if (!resting())
        return;
    QApplication::setCursorFlashTime(std::exchange(m_restingFlashTime, 0));
}

} // namespace zorvane::ui
