// The command line, answered before anything opens a display: --help and --version must work
// over SSH and in scripts, and a mistyped option must not open a window. Qt's own options
// (-platform, -style, -display, ...) pass through untouched for QApplication to take.
#pragma once

#include <QByteArray>
#include <optional>

namespace zorvane::app {

struct CommandLine {
    // Set when the arguments ask for something other than the window: help, the version, or a
    // mistake, reported with the usage.
    std::optional<int> exit_status;
    // Qt's -platform and -display, which stand before QT_QPA_PLATFORM and DISPLAY.
    QByteArray platform;
    QByteArray display;
};

CommandLine answer_command_line(int argc, char** argv);

} // namespace zorvane::app
