// Timing marks for the benchmark build of the program (zorvane_bench, see bench/CMakeLists.txt;
// the installed program has none): an event filter on the application writes one line per paint,
// click and named-timer tick, stamped with the wall clock in microseconds so that a script can
// set them against its own clock:
//   first-paint <µs> <name>                       the first paint of a control with no children
//   paint <µs> <name> <x> <y> <w> <h> <pixels>    bounds in window coordinates, pixels painted
//   tick <µs> <timer name>
//   click <µs> <name>
#pragma once

#include <QObject>

class QIODevice;

namespace zorvane::bench {

class BenchStamps : public QObject {
public:
    explicit BenchStamps(QIODevice* out, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void write(const char* kind, QObject* object, const QByteArray& rest = {});

    QIODevice* out_;
    bool first_paint_seen_ = false;
};

// Installs the stamps, writing to stderr, on the running application.
void install_stamps();

} // namespace zorvane::bench
