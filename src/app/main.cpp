// Start-up: the command line is answered first, then the form services build the window from
// the layout, the controller takes its events, and the event loop runs until the window is
// closed.
#include "app/command_line.h"
#include "app/start_up_failure.h"
#include "controller/controller.h"
#include "forms/runtime_error.h"
#include "ui/qt_form.h"
#include "ui/widgets/caret_rest.h"
#include "ui/widgets/widget_accessibility.h"
#include "ui/widgets/window_frame.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdlib>
#include <new>
#ifdef ZORVANE_TIMING_STAMPS
#include "stamps.h"
#endif

using namespace Qt::StringLiterals;

namespace {

bool display_available(const zorvane::app::CommandLine& line) {
    const QByteArray platform =
        line.platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : line.platform;
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !line.display.isEmpty() || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    const zorvane::app::CommandLine line = zorvane::app::answer_command_line(argc, argv);
    if (line.exit_status)
        return *line.exit_status;
    if (!display_available(line))
        return zorvane::app::report_start_up_failure(
            "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    zorvane::ui::install_font_substitutions();
    zorvane::app::begin_platform_start(line.display);
    QApplication app(argc, argv);
    zorvane::app::end_platform_start();
    QGuiApplication::setDesktopFileName(u"com.example.Zorvane"_s);
    QApplication::setApplicationName(u"Zorvane"_s);
    QApplication::setApplicationVersion(u"1.1"_s);
    zorvane::ui::apply_default_gui_font();
    // Every text of the program is Chinese, so Qt's own ("OK", edit menus) is too.
    QTranslator qt_texts;
    if (qt_texts.load(QLocale(QLocale::Chinese, QLocale::China), u"qtbase"_s, u"_"_s,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt_texts);
    zorvane::ui::installWidgetAccessibility();
    const zorvane::ui::CaretRest caret_rest;
#ifdef ZORVANE_TIMING_STAMPS
    zorvane::bench::install_stamps(); // only in the benchmark build, zorvane_bench
#endif

    std::unique_ptr<zorvane::ui::QtForm> form;
    try {
        form = std::make_unique<zorvane::ui::QtForm>();
    } catch (const std::bad_alloc&) {
        QMessageBox box(
            QMessageBox::Critical, zorvane::runtime_error_caption.toString(),
            zorvane::runtime_error_report(std::nullopt, zorvane::window_load_failure_message())
                .replace(u"\r\n"_s, u"\n"_s),
            QMessageBox::Ok);
        zorvane::ui::frame_window(&box);
        box.exec();
        return -1;
    }
    zorvane::TestController controller(*form);
    form->set_event_sink([&controller](zorvane::Event event) { controller.handle(event); });
    form->show_window();
    return QApplication::exec();
}
