#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvane::app {

namespace {

// The language of messages as the C library picks it: the first of these that is set.
bool chinese_messages() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value.startsWith("zh");
    }
    return false;
}

struct Texts {
    QString description;
    QString help;
    QString version;
    QString unexpected; // %1: the argument
};

Texts texts(bool chinese) {
    if (chinese)
        return {u"限时智商测试：在 25 分钟内完成 33 道题。\n"
                u"也接受 Qt 自己的选项，如 -platform、-style 和 -display。"_s,
                u"显示本用法说明并退出。"_s, u"显示版本号并退出。"_s, u"多余的参数“%1”。"_s};
    return {u"A timed IQ test: 33 questions to answer within 25 minutes.\n"
            u"Qt's own options, such as -platform, -style and -display, are taken too."_s,
            u"Shows this summary and exits."_s, u"Shows the version and exits."_s,
            u"Unexpected argument '%1'."_s};
}

// The options QApplication and its X11 platform take out of the arguments, with a value or
// without; the parser only has to let them through.
void accept_qt_options(QCommandLineParser& parser) {
    const auto add = [&parser](const char* name, bool takes_value) {
        QCommandLineOption option(QString::fromLatin1(name));
        if (takes_value)
            option.setValueName(u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "style",
          "stylesheet", "session", "display", "geometry", "qwindowgeometry", "qwindowtitle",
          "qwindowicon", "title", "icon", "name", "visual", "ncols"})
        add(name, true);
    for (const char* name :
         {"reverse", "widgetcount", "testability", "nograb", "dograb", "sync", "cmap"})
        add(name, false);
}

CommandLine answered(std::FILE* stream, const QString& text, int exit_status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    CommandLine line;
    line.exit_status = exit_status;
    return line;
}

} // namespace

CommandLine answer_command_line(int argc, char** argv) {
    if (argc < 2)
        return {};
    // A short-lived core application, which needs no display, gives the parser its program name
    // and Qt's translations. It gets copies: it takes some arguments out of what it is given,
    // and QApplication must see them all.
    int core_argc = argc;
    std::vector<char*> core_argv(argv, argv + argc + 1);
    const QCoreApplication core(core_argc, core_argv.data());
    const bool chinese = chinese_messages();
    QTranslator qt_texts;
    if (chinese && qt_texts.load(QLocale(QLocale::Chinese, QLocale::China), u"qtbase"_s, u"_"_s,
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_texts);
    const Texts text = texts(chinese);

    QCommandLineParser parser;
    // Qt's options are single words after one dash, as they have always been.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(text.description);
    const QCommandLineOption help({u"h"_s, u"help"_s}, text.help);
    const QCommandLineOption version({u"v"_s, u"version"_s}, text.version);
    parser.addOption(help);
    parser.addOption(version);
    accept_qt_options(parser);

    QString error;
    if (!parser.parse(QCoreApplication::arguments()))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = text.unexpected.arg(parser.positionalArguments().constFirst());
    if (!error.isEmpty())
        return answered(stderr, u"zorvane: "_s + error + u'\n' + parser.helpText(), 2);
    if (parser.isSet(help))
        return answered(stdout, parser.helpText(), 0);
    if (parser.isSet(version))
        return answered(stdout, u"zorvane " ZORVANE_VERSION "\n"_s, 0);
    return {std::nullopt, parser.value(u"platform"_s).toLocal8Bit(),
            parser.value(u"display"_s).toLocal8Bit()};
}

} // namespace zorvane::app
