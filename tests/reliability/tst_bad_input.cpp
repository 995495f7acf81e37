// Hostile answer texts in every answer box of the real window: a megabyte pasted, emoji, NUL,
// right-to-left marks, combining marks. The box keeps exactly what was pasted, the program goes
// on, and the answer counts as wrong while the seven right answers beside it still count.
#include "layout/names.h"
#include "program.h"
#include "scoring/scoring.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

QString right_answer(int question) {
    for (const KeyRow& row : answer_key())
        if (row.question == question)
            return QString::fromStdU16String(std::u16string(row.literals[0]));
    return {};
}

// Pastes into a box the way a user does: click into it, select all, Ctrl+V.
void paste(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Closes the result box as soon as it shows, keeping its text.
class ResultReader : public QObject {
public:
    QString text;
    ResultReader() { qApp->installEventFilter(this); }
    ~ResultReader() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                text = box->text();
                QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
            }
        return false;
    }
};

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void hostile_text_scores_as_wrong_data();
    void hostile_text_scores_as_wrong();
};

void BadInputTest::initTestCase() {
    ui::install_font_substitutions();
    reliability::after_application();
}

void BadInputTest::cleanup() {
    QGuiApplication::clipboard()->clear();
}

void BadInputTest::hostile_text_scores_as_wrong_data() {
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("text");
    const struct {
        const char* name;
        std::function<QString(const QString&)> make; // from the right answer
    } kinds[] = {
        {"megabyte", [](const QString& a) { return a + QString(1024 * 1024 - a.size(), u'7'); }},
        {"emoji", [](const QString&) { return u"😀👍🏽🇨🇳"_s; }},
        {"nul_after_answer", [](const QString& a) { return a + QChar(u'\0'); }},
        {"nul_before_answer", [](const QString& a) { return QChar(u'\0') + a; }},
        {"right_to_left_override", [](const QString& a) { return u"\u202e"_s + a; }},
        {"hebrew", [](const QString&) { return u"\u05e9\u05dc\u05d5\u05dd"_s; }},
        {"combining_mark_on_answer", [](const QString& a) { return a + u"\u0301"_s; }},
        {"stacked_combining_marks", [](const QString&) { return u"e\u0301\u0302\u0303\u0304"_s; }},
    };
    for (const auto& kind : kinds)
        for (int q = 1; q <= 8; ++q)
            QTest::addRow("%s_in_box_%d", kind.name, q) << q << kind.make(right_answer(q));
}

void BadInputTest::hostile_text_scores_as_wrong() {
    QFETCH(int, question);
    QFETCH(QString, text);
    reliability::Program program;
    program.form.show_window();
    QVERIFY(QTest::qWaitForWindowActive(program.form.window()));
    QTest::mouseClick(program.form.widget(names::start_button), Qt::LeftButton);

    for (int q = 1; q <= 8; ++q) {
        auto* box = static_cast<QLineEdit*>(program.form.widget(names::answer_box(q)));
        paste(box, q == question ? text : right_answer(q));
        QCOMPARE(program.form.get_text(program.form[names::answer_box(q)]).size(),
                 box->text().size());
    }
    // Nothing lost or changed on the way in: no length limit, no filter.
    const QString kept = program.form.get_text(program.form[names::answer_box(question)]);
    QCOMPARE(kept.size(), text.size());
    QVERIFY(kept == text);

    ResultReader reader;
    QTest::mouseClick(program.form.widget(names::end_button), Qt::LeftButton);
    QVERIFY(reader.text.startsWith(u"您的成绩是：42分\n"_s));
    // The window goes on working: a new test starts clean.
    QTest::mouseClick(program.form.widget(names::start_button), Qt::LeftButton);
    QVERIFY(program.form.get_text(program.form[names::answer_box(question)]).isEmpty());
}

QTEST_MAIN(BadInputTest)
#include "tst_bad_input.moc"
