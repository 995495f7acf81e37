// A seeded random-input driver for the real window: clicks anywhere (enabled controls or not),
// keys, typed and pasted text, page picks, timer ticks and stretches of time, with message boxes
// closed as they come. After every event it checks what must hold whatever the user does.
#pragma once

#include "program.h"

#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace reliability {

enum class Act : std::uint8_t { Click, Button, Tab, Key, Type, Paste, Tick, Wait, CloseBox };

// One user event, drawn from the seed. It is read against the window as it is when it runs, so
// a shortened sequence still replays exactly.
struct Action {
    Act act = Act::Tick;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
};

std::vector<Action> random_actions(std::uint64_t seed, int count);

// A sequence as text, for replaying a shortened one: "act.a.b.c" joined by commas.
QString encode(const std::vector<Action>& actions);
std::vector<Action> decode(const QString& text);

struct Failure {
    int action = -1; // index of the action after which the check failed
    QString check;   // the rule that broke
    QString detail;
};

struct Stats {
    int handlers = 0;
    int starts = 0;
    int ends = 0;
    int time_outs = 0;
    int boxes = 0;
    int ticks_under_help = 0;
};

struct Outcome {
    std::optional<Failure> failure;
    QStringList log; // what each action did, as it ran (when asked for)
    Stats stats;
};

// A fault planted in the program, to show that the checks catch one: runs after each handler.
using Fault = std::function<void(Program&, zorvane::Event)>;

Outcome run_actions(const std::vector<Action>& actions, bool keep_log, const Fault& fault = {});

// A shorter sequence that still fails the same check, as short as the time budget allows.
std::vector<Action> shrink(std::vector<Action> actions, const Failure& failure,
                           std::chrono::seconds budget, const Fault& fault = {});

} // namespace reliability
