// The end-test handler's time with hostile answers: every answer box holds a megabyte (digits,
// or emoji, NUL, right-to-left and combining marks mixed). Timed are the handler's own parts,
// from its start to the result box and from the box's closing to its return; the time the box
// stays open belongs to the user. The time from the click to the box is printed beside it: it
// adds the repaint of the answer box that loses the focus. Prints milliseconds; exits with 1
// when the handler takes 100 ms or more.
//   QT_QPA_PLATFORM=offscreen end_test_bad_input [runs]
#include "layout/names.h"
#include "program.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

class BoxClock : public QObject {
public:
    QElapsedTimer clock;
    qint64 shown = -1;
    qint64 closed = -1;
    BoxClock() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                shown = clock.nsecsElapsed();
                connect(
                    box, &QDialog::finished, this, [this] { closed = clock.nsecsElapsed(); },
                    Qt::SingleShotConnection);
                QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
            }
        return false;
    }
};

QString hostile(int kind) {
    if (kind == 0)
        return QString(1024 * 1024, u'7');
    const QString piece = u"😀\u0000\u202e15e\u0301\u0302\u05e9"_s;
    QString text;
    while (text.size() < 1024 * 1024)
        text += piece;
    return text;
}

} // namespace

int main(int argc, char** argv) {
    reliability::before_application();
    QApplication app(argc, argv);
    reliability::after_application();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    double worst = 0;
    for (int kind = 0; kind < 2; ++kind) {
        const QString text = hostile(kind);
        std::vector<double> handler_ms;
        double paste_ms = 0;
        double click_ms = 0;
        for (int run = 0; run < runs; ++run) {
            reliability::Program program;
            program.form.show_window();
            if (!QTest::qWaitForWindowExposed(program.form.window()))
                return 2;
            QTest::mouseClick(program.form.widget(names::start_button), Qt::LeftButton);
            QGuiApplication::clipboard()->setText(text);
            QElapsedTimer paste;
            paste.start();
            for (int q = 1; q <= 8; ++q) {
                QWidget* box = program.form.widget(names::answer_box(q));
                QTest::mouseClick(box, Qt::LeftButton);
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            }
            paste_ms += paste.nsecsElapsed() / 1e6;
            for (int q = 1; q <= 8; ++q)
                if (static_cast<QLineEdit*>(program.form.widget(names::answer_box(q)))->text() !=
                    text)
                    return 2;  // the paste did not arrive whole: the measurement would be wrong
            QTest::qWait(300); // the pasted text is drawn before the click, as a user sees it

            BoxClock box;
            qint64 entered = -1;
            qint64 left = -1;
            program.on_enter = [&](Event e) {
                if (e == Event::EndTest)
                    entered = box.clock.nsecsElapsed();
            };
            program.on_leave = [&](Event e) {
                if (e == Event::EndTest)
                    left = box.clock.nsecsElapsed();
            };
            box.clock.start();
            QTest::mouseClick(program.form.widget(names::end_button), Qt::LeftButton);
            if (box.shown < 0 || box.closed < 0 || entered < 0 || left < 0)
                return 2;
            handler_ms.push_back(((box.shown - entered) + (left - box.closed)) / 1e6);
            click_ms = std::max(click_ms, box.shown / 1e6);
        }
        std::sort(handler_ms.begin(), handler_ms.end());
        const double median = handler_ms[handler_ms.size() / 2];
        worst = std::max(worst, handler_ms.back());
        std::printf("%-22s end-test handler: median %.2f ms, max %.2f ms over %d runs; click to "
                    "box at most %.0f ms; pasting 8 MB %.0f ms a run\n",
                    kind == 0 ? "8 x 1 MB digits" : "8 x 1 MB mixed", median, handler_ms.back(),
                    runs, click_ms, paste_ms / runs);
    }
    std::printf("%s: worst %.2f ms, limit 100 ms\n", worst < 100 ? "ok" : "TOO SLOW", worst);
    return worst < 100 ? 0 : 1;
}
