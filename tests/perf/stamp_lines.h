// Reads back the lines the benchmark stamps write, as bench/run reads them.
#pragma once

#include "stamps.h"

#include <QApplication>
#include <QBuffer>
#include <QList>

struct Stamp {
    QByteArray kind;
    qint64 micros = 0;
    QString name;
    QRect bounds;      // paint lines only
    qint64 pixels = 0; // paint lines only
};

// Stamps every event of the running application into memory while it lives.
class StampRecorder {
public:
    StampRecorder() : stamps_(&buffer_) {
        buffer_.open(QIODevice::WriteOnly);
        qApp->installEventFilter(&stamps_);
    }
    ~StampRecorder() { qApp->removeEventFilter(&stamps_); }

    QList<Stamp> take() {
        QList<Stamp> result;
        for (const QByteArray& line : buffer_.data().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() < 3)
                continue;
            Stamp s{f[0], f[1].toLongLong(), QString::fromUtf8(f[2]), {}, 0};
            if (s.kind == "paint" && f.size() == 8) {
                s.bounds = QRect(f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt());
                s.pixels = f[7].toLongLong();
            }
            result.append(s);
        }
        buffer_.buffer().clear();
        buffer_.seek(0);
        return result;
    }

    static QStringList names(const QList<Stamp>& stamps, const QByteArray& kind) {
        QStringList result;
        for (const Stamp& s : stamps)
            if (s.kind == kind)
                result.append(s.name);
        return result;
    }

private:
    QBuffer buffer_;
    zorvane::bench::BenchStamps stamps_;
};
