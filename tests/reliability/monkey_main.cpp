// Runs the random-input driver: zorvane_monkey [--seed N] [--events N] [--shrink-seconds N]
// On a failure it prints the seed, the check that broke and the shortest event log it found that
// still breaks it, with a --replay argument that runs just those events, and exits with status 1.
#include "monkey.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void say(const QString& line) {
    std::fputs(qUtf8Printable(line + u'\n'), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    reliability::before_application();
    QApplication app(argc, argv);
    reliability::after_application();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption seed_option(u"seed"_s, u"Seed of the event sequence."_s, u"n"_s);
    const QCommandLineOption events_option(u"events"_s, u"Number of events."_s, u"n"_s, u"20000"_s);
    const QCommandLineOption shrink_option(
        u"shrink-seconds"_s, u"Time for shortening a failing sequence."_s, u"s"_s, u"300"_s);
    const QCommandLineOption replay_option(u"replay"_s, u"Run these events only."_s, u"events"_s);
    parser.addOptions({seed_option, events_option, shrink_option, replay_option});
    parser.process(app);

    if (parser.isSet(replay_option)) {
        const reliability::Outcome outcome =
            reliability::run_actions(reliability::decode(parser.value(replay_option)), true);
        for (const QString& line : outcome.log)
            say(u"  "_s + line);
        if (!outcome.failure) {
            say(u"all checks held"_s);
            return 0;
        }
        say(u"  -> %1: %2"_s.arg(outcome.failure->check, outcome.failure->detail));
        return 1;
    }

    const quint64 seed = parser.isSet(seed_option) ? parser.value(seed_option).toULongLong()
                                                   : QRandomGenerator::global()->generate();
    const int events = parser.value(events_option).toInt();
    // Printed first, so that even a crash leaves the seed behind.
    say(u"seed %1, %2 events"_s.arg(seed).arg(events));

    QElapsedTimer clock;
    clock.start();
    const std::vector<reliability::Action> actions = reliability::random_actions(seed, events);
    const reliability::Outcome outcome = reliability::run_actions(actions, false);
    const reliability::Stats& s = outcome.stats;
    say(u"%1 ms; %2 handlers: %3 starts, %4 ends, %5 time-outs, %6 boxes, %7 countdown ticks "
        u"under the help box"_s.arg(clock.elapsed())
            .arg(s.handlers)
            .arg(s.starts)
            .arg(s.ends)
            .arg(s.time_outs)
            .arg(s.boxes)
            .arg(s.ticks_under_help));
    if (!outcome.failure) {
        say(u"all checks held"_s);
        return 0;
    }
    const reliability::Failure& f = *outcome.failure;
    say(u"FAILED: seed %1, check %2 after event %3: %4"_s.arg(seed).arg(f.check).arg(f.action).arg(
        f.detail));
    const std::vector<reliability::Action> shortest =
        reliability::shrink(actions, f, std::chrono::seconds(parser.value(shrink_option).toInt()));
    const reliability::Outcome replay = reliability::run_actions(shortest, true);
    say(u"shortest sequence found: %1 events"_s.arg(shortest.size()));
    for (const QString& line : replay.log)
        say(u"  "_s + line);
    if (replay.failure)
        say(u"  -> %1: %2"_s.arg(replay.failure->check, replay.failure->detail));
    say(u"replay with: --replay "_s + reliability::encode(shortest));
    return 1;
}
