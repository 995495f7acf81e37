// Timing marks for the programs under bench/: with ZORVANE_BENCH_STAMP set, an event filter on
// the application writes one line per paint, click and named-timer tick, stamped with the wall
// clock in microseconds so that a script can set them against its own launch time:
//   first-paint <µs> <name>                       the first paint of a control with no children
//   paint <µs> <name> <x> <y> <w> <h> <pixels>    bounds in window coordinates, pixels painted
//   tick <µs> <timer name>
//   click <µs> <name>
// Without the variable nothing is installed and no event takes a detour.
#pragma once

#include <QObject>

class QIODevice;

namespace zorvane::app {

class BenchStamps : public QObject {
public:
    explicit BenchStamps(QIODevice* out, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void write(const char* kind, QObject* object, const QByteArray& rest = {});

    QIODevice* out_;
    bool first_paint_seen_ = false;
};

// Installs the stamps (writing to stderr) on the running application if the variable is set.
void install_bench_stamps_from_environment();

} // namespace zorvane::app
