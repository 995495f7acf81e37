// Start-up failures before the main window can exist: no display, or a display that cannot be
// opened. No box can be shown there, so the runtime-error report of a window that cannot be
// built goes to standard error, with a hint in English, and the program ends with the report's
// exit status, -1 (255).
#pragma once

#include <QByteArray>

namespace zorvane::app {

// Writes the report and the hint; returns the exit status to end with.
int report_start_up_failure(const char* hint);

// Between these two calls (around the construction of QApplication), a window-system
// platform that cannot start ends the program with the report instead of an abort. The display
// is the one asked for with -display; empty for DISPLAY.
void begin_platform_start(const QByteArray& display);
void end_platform_start();

} // namespace zorvane::app
