// Delivers a timer's tick at once, as its own expiry would, so tests need not wait for time.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

inline void expire(QTimer* timer) {
    QTimerEvent expiry(timer->timerId());
    QCoreApplication::sendEvent(timer, &expiry);
}
