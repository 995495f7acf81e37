// How the program ends, seen from outside: each case runs it in a process of its own and looks
// at its exit status, what it printed and what the sanitizers said. Its command line is answered
// here too, without a display.
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exit_code = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QStringList lines; // stdout
    QString errors;    // stderr
    bool finished = false;
};

Run run_program(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                int timeout_ms = 90'000) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setProcessEnvironment(env);
    process.start();
    Run run;
    // Generous: under the sanitizers a start takes seconds.
    run.finished = process.waitForFinished(timeout_ms);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exit_code = process.exitCode();
    run.status = process.exitStatus();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run run_scenario(const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return run_program(QStringLiteral(SCENARIO_PROGRAM), args, env);
}

// Reports of AddressSanitizer, LeakSanitizer and UBSan all carry one of these.
bool sanitizer_spoke(const QString& errors) {
    return errors.contains(u"ERROR: AddressSanitizer"_s) ||
           errors.contains(u"ERROR: LeakSanitizer"_s) || errors.contains(u"runtime error:"_s);
}

QString describe(const Run& run) {
    return u"exit %1, stdout:\n%2\nstderr:\n%3"_s.arg(run.exit_code)
        .arg(run.lines.join(u'\n'), run.errors.left(4000));
}

} // namespace

class ProcessTest : public QObject {
    Q_OBJECT
private slots:
    void closing_the_window_ends_the_run_data();
    void closing_the_window_ends_the_run();
    void runtime_error_report_ends_the_run_data();
    void runtime_error_report_ends_the_run();
    void start_up_without_a_display_data();
    void start_up_without_a_display();
    void command_line_without_a_display_data();
    void command_line_without_a_display();
};

void ProcessTest::closing_the_window_ends_the_run_data() {
    QTest::addColumn<QString>("state");
    QTest::addRow("not_started") << u"not_started"_s;
    QTest::addRow("running") << u"running"_s;
    QTest::addRow("help_box_open") << u"help_box"_s;
    QTest::addRow("result_box_open") << u"result_box"_s;
    QTest::addRow("time_up_box_open") << u"time_up_box"_s;
    QTest::addRow("time_out_result_box_open") << u"time_out_result_box"_s;
    QTest::addRow("time_up_box_over_help_box") << u"time_up_over_help_box"_s;
}

void ProcessTest::closing_the_window_ends_the_run() {
    QFETCH(QString, state);
    const Run run = run_scenario({u"close"_s, state});
    QVERIFY2(run.finished,
             qPrintable(u"still running after the window closed; "_s + describe(run)));
    // The state must really have been reached, or the case proves nothing.
    QVERIFY2(run.lines.contains(u"reached "_s + state), qPrintable(describe(run)));
    QVERIFY2(run.lines.contains(u"closing"_s), qPrintable(describe(run)));
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.exit_code == 0, qPrintable(describe(run)));
    QVERIFY2(!sanitizer_spoke(run.errors), qPrintable(describe(run)));
}

void ProcessTest::runtime_error_report_ends_the_run_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("report");
    // The box shows line breaks as \n; the scenario prints them as the two characters "\n".
    QTest::addRow("tag_names_no_control")
        << u"missing_tag"_s << u"运行时出错!\\n\\n错误信息：未找到指定标记的组件\\n"_s;
    QTest::addRow("tag_names_a_label")
        << u"wrong_kind"_s
        << u"运行时出错!\\n\\n错误代码：5\\n\\n错误信息：数据或数组类型不匹配\\n"_s;
}

void ProcessTest::runtime_error_report_ends_the_run() {
    QFETCH(QString, fault);
    QFETCH(QString, report);
    const Run run = run_scenario({u"fault"_s, fault});
    QVERIFY2(run.finished, qPrintable(describe(run)));
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.exit_code == 255, qPrintable(describe(run)));
    QVERIFY2(!sanitizer_spoke(run.errors), qPrintable(describe(run)));

    const qsizetype box = run.lines.indexOf(u"box 错误 icon=%1 text=%2"_s.arg(3).arg(report));
    QVERIFY2(box >= 0, qPrintable(describe(run)));
    // The start handler ran once; after the report no click or tick reaches a handler, and the
    // process ended when the box was closed.
    QCOMPARE(run.lines.mid(0, box), QStringList{u"handler start"_s});
    QCOMPARE(run.lines.mid(box + 1), QStringList{u"closing report"_s});
}

void ProcessTest::start_up_without_a_display_data() {
    QTest::addColumn<QString>("display"); // empty: not set
    QTest::addColumn<bool>("by_option");  // -display instead of DISPLAY
    QTest::addRow("no_display") << QString() << false;
    QTest::addRow("display_that_does_not_answer") << u":65533"_s << false;
    QTest::addRow("display_option_that_does_not_answer") << u":65533"_s << true;
}

void ProcessTest::start_up_without_a_display() {
    QFETCH(QString, display);
    QFETCH(bool, by_option);
    if (!display.isEmpty() && QFile::exists(u"/tmp/.X11-unix/X"_s + display.mid(1)))
        QSKIP("an X server listens on that display");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
        env.remove(name);
    if (!display.isEmpty() && !by_option)
        env.insert(u"DISPLAY"_s, display);
    const QStringList arguments = by_option ? QStringList{u"-display"_s, display} : QStringList{};
    const Run run = run_program(QStringLiteral(ZORVANE_PROGRAM), arguments, env);
    QVERIFY2(run.finished, qPrintable(describe(run)));
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.exit_code == 255, qPrintable(describe(run)));
    QVERIFY2(run.errors.contains(u"运行时出错!\n\n错误信息：载入启动窗口失败\n"_s) &&
                 run.errors.contains(u"xvfb-run zorvane"_s),
             qPrintable(describe(run)));
    if (!display.isEmpty()) // the hint names the display that was asked for
        QVERIFY2(run.errors.contains(u"cannot open the display \"%1\""_s.arg(display)),
                 qPrintable(describe(run)));
    QVERIFY2(!sanitizer_spoke(run.errors), qPrintable(describe(run)));
}

void ProcessTest::command_line_without_a_display_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lang"); // empty: no locale variable set
    QTest::addColumn<int>("status");   // -1: still running, its window open offscreen
    QTest::addColumn<QString>("out");  // the whole of stdout, or how it starts
    QTest::addColumn<QString>("err");  // the first line of stderr

    const QString version = u"zorvane " ZORVANE_VERSION "\n"_s;
    QTest::addRow("help") << QStringList{u"--help"_s} << QString() << 0 << u"Usage: "_s
                          << QString();
    QTest::addRow("help_in_chinese")
        << QStringList{u"-h"_s} << u"zh_CN.UTF-8"_s << 0 << u"用法："_s << QString();
    QTest::addRow("version") << QStringList{u"--version"_s} << QString() << 0 << version
                             << QString();
    QTest::addRow("version_short")
        << QStringList{u"-v"_s} << u"zh_CN.UTF-8"_s << 0 << version << QString();
    QTest::addRow("unknown_option") << QStringList{u"--bogus"_s} << QString() << 2 << QString()
                                    << u"zorvane: Unknown option 'bogus'."_s;
    QTest::addRow("stray_argument")
        << QStringList{u"-style"_s, u"Fusion"_s, u"answers"_s} << QString() << 2 << QString()
        << u"zorvane: Unexpected argument 'answers'."_s;
    QTest::addRow("qt_options_start_the_window")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"-style"_s, u"Fusion"_s} << QString() << -1
        << QString() << QString();
}

void ProcessTest::command_line_without_a_display() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, lang);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s,
                                u"LC_ALL"_s, u"LC_MESSAGES"_s, u"LANG"_s})
        env.remove(name);
    if (!lang.isEmpty())
        env.insert(u"LANG"_s, lang);
    const Run run =
        run_program(QStringLiteral(ZORVANE_PROGRAM), arguments, env, status < 0 ? 3000 : 90'000);
    QVERIFY2(!sanitizer_spoke(run.errors), qPrintable(describe(run)));
    if (status < 0) {
        QVERIFY2(!run.finished, qPrintable(describe(run)));
        return;
    }
    QVERIFY2(run.finished && run.status == QProcess::NormalExit && run.exit_code == status,
             qPrintable(describe(run)));
    const QString stdout_text = run.lines.join(u'\n') + (run.lines.isEmpty() ? u""_s : u"\n"_s);
    if (status == 0) {
        QVERIFY2(out.endsWith(u'\n') ? stdout_text == out : stdout_text.startsWith(out),
                 qPrintable(describe(run)));
        QVERIFY2(run.errors.isEmpty(), qPrintable(describe(run)));
    } else {
        // One line of error, then the usage; nothing on stdout, so no window started either.
        QVERIFY2(run.lines.isEmpty(), qPrintable(describe(run)));
        QCOMPARE(run.errors.section(u'\n', 0, 0), err);
        QVERIFY2(run.errors.section(u'\n', 1, 1).startsWith(u"Usage: "_s),
                 qPrintable(describe(run)));
    }
}

QTEST_GUILESS_MAIN(ProcessTest)
#include "tst_processes.moc"
