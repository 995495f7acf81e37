#include "app/start_up_failure.h"

#include "forms/runtime_error.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace zorvane::app {

namespace {

QtMessageHandler previous_handler = nullptr;
QByteArray display_name; // -display, or else DISPLAY

// Qt ends a start without a platform with a fatal message that suggests reinstalling: a
// display that does not answer is what it means here.
void platform_start_handler(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (type != QtFatalMsg) {
        previous_handler(type, context, message);
        return;
    }
    const QByteArray hint = "cannot open the display \"" + display_name + "\"";
    // Not exit(): Qt is half built, and its destructors must not run now.
    std::_Exit(report_start_up_failure(hint.constData()));
}

} // namespace

int report_start_up_failure(const char* hint) {
    QString report = runtime_error_report(std::nullopt, window_load_failure_message());
    report.replace(u"\r\n"_s, u"\n"_s);
    std::fputs(report.toUtf8().constData(), stderr);
    std::fprintf(stderr,
                 "zorvane: %s.\nStart it from a desktop session, or under a virtual display: "
                 "xvfb-run zorvane\n",
                 hint);
    std::fflush(stderr);
    return 255;
}

void begin_platform_start(const QByteArray& display) {
    display_name = display.isEmpty() ? qgetenv("DISPLAY") : display;
    previous_handler = qInstallMessageHandler(platform_start_handler);
}

void end_platform_start() {
    qInstallMessageHandler(previous_handler);
}

} // namespace zorvane::app
