#include "stamps.h"

#include <QCoreApplication>
#include <QFile>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace zorvane::bench {

namespace {

QByteArray name_of(QObject* object) {
    const QString name = object->objectName();
    return name.isEmpty() ? QByteArray(object->metaObject()->className()) : name.toUtf8();
}

bool has_child_widgets(const QWidget* widget) {
    for (const QObject* child : widget->children())
        if (child->isWidgetType())
            return true;
    return false;
}

qint64 pixels_in(const QRegion& region) {
    qint64 pixels = 0;
    for (const QRect& rect : region)
        pixels += qint64(rect.width()) * rect.height();
    return pixels;
}

} // namespace

BenchStamps::BenchStamps(QIODevice* out, QObject* parent) : QObject(parent), out_(out) {}

void BenchStamps::write(const char* kind, QObject* object, const QByteArray& rest) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    QByteArray line = kind;
    line += ' ';
    line += QByteArray::number(
        qint64(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    line += ' ';
    line += name_of(object);
    line += rest;
    line += '\n';
    out_->write(line);
}

bool BenchStamps::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Paint: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            break;
        const QRegion& region = static_cast<QPaintEvent*>(event)->region();
        const QRect bounds =
            region.boundingRect().translated(widget->mapTo(widget->window(), QPoint(0, 0)));
        write("paint", watched,
              ' ' + QByteArray::number(bounds.x()) + ' ' + QByteArray::number(bounds.y()) + ' ' +
                  QByteArray::number(bounds.width()) + ' ' + QByteArray::number(bounds.height()) +
                  ' ' + QByteArray::number(pixels_in(region)));
        if (!first_paint_seen_ && !has_child_widgets(widget)) {
            first_paint_seen_ = true;
            write("first-paint", watched);
        }
        break;
    }
    case QEvent::Timer:
        if (qobject_cast<QTimer*>(watched) && !watched->objectName().isEmpty())
            write("tick", watched);
        break;
    case QEvent::MouseButtonRelease:
        if (watched->isWidgetType())
            write("click", watched);
        break;
    default:
        break;
    }
    return false;
}

void install_stamps() {
    auto* err = new QFile(qApp);
    if (!err->open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    qApp->installEventFilter(new BenchStamps(err, qApp));
}

} // namespace zorvane::bench
