// The real window: start-up state, geometry, and whole tests taken with the mouse.
#include "controller/controller.h"
#include "harness.h"
#include "scoring/scoring.h"
#include "support/timers.h"
#include "ui/widgets/text_label.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

struct App {
    QtHarness h;
    TestController controller{h.qt};
    App() {
        h.qt.set_event_sink([this](Event e) { controller.handle(e); });
    }
    QWidget* w(QStringView name) { return h.qt.widget(name); }
    QRect in_window(QStringView name) {
        QWidget* widget = w(name);
        return QRect(widget->mapTo(h.qt.window(), QPoint(0, 0)), widget->size());
    }
    // Delivers one tick now, as the timer's own expiry would.
    void tick(QStringView name) { expire(h.qt.timer(name)); }
};

// Contrast ratio of two colours as legibility guidelines measure it, 1 to 21.
double contrast(QRgb a, QRgb b) {
    auto luminance = [](QRgb c) {
        auto channel = [](int v) {
            const double x = v / 255.0;
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void start_up_state();
    void geometry_in_window_coordinates_data();
    void geometry_in_window_coordinates();
    void captions_are_exact();
    void tab_rows_end_above_the_pages();
    void whole_test_by_mouse_scores_174();
    void cover_label_hidden_stays_hidden();
    void countdown_ticks_reach_the_status_boxes();
    void help_box_shows_the_help_text();
    void figures_are_loaded_when_their_page_shows();
    void one_face_colour_and_legible_text_data();
    void one_face_colour_and_legible_text();
    void label_lines_keep_the_character_pitch_data();
    void label_lines_keep_the_character_pitch();
    void punctuation_stays_with_its_text_data();
    void punctuation_stays_with_its_text();
};

void MainWindowTest::initTestCase() {
    ui::install_font_substitutions();
    ui::apply_default_gui_font();
}

void MainWindowTest::cleanup() {
    // No box may be left open for the next test.
    QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::start_up_state() {
    App app;
    QWidget* window = app.h.qt.window();
    QCOMPARE(window->windowTitle(), u"Zorvane V1.1 "_s);
    QCOMPARE(window->size(), QSize(640, 434));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    QTRY_VERIFY(!window->windowIcon().isNull()); // set once the first frame is painted

    QVERIFY(app.w(names::start_button)->isEnabled());
    QVERIFY(app.w(names::help_button)->isEnabled());
    for (QStringView name : {names::previous_button, names::next_button, names::end_button,
                             names::remaining_time, names::question_status, names::tab_control})
        QVERIFY2(!app.w(name)->isEnabled(), qPrintable(name.toString()));
    QCOMPARE(static_cast<QLineEdit*>(app.w(names::remaining_time))->text(), u"1500"_s);
    QCOMPARE(static_cast<QLineEdit*>(app.w(names::question_status))->text(), u"未开始"_s);
    QVERIFY(app.w(names::welcome_label)->isVisible());
    QVERIFY(!app.h.qt.timer(names::countdown_timer)->isActive());
    QVERIFY(!app.h.qt.timer(names::instruction_timer)->isActive());
    for (int page = 1; page <= 25; ++page)
        for (int member : app.h.qt.layout().page_members[page])
            QVERIFY(!app.h.qt.widget(app.h.qt.layout().controls[member].name)->isVisible());

    // The cover label lies over every other control of page 0.
    const QRect cover = app.in_window(names::welcome_label);
    for (int q = 1; q <= 8; ++q) {
        const QRect box = app.in_window(names::answer_box(q));
        QVERIFY(cover.contains(box));
        QCOMPARE(window->childAt(box.center()), app.w(names::welcome_label));
    }
    // Centred on the screen by whole-number halves.
    const QRect screen = window->screen()->geometry();
    QCOMPARE(window->frameGeometry().topLeft(),
             QPoint((screen.width() - 640) / 2, (screen.height() - 434) / 2));
}

void MainWindowTest::geometry_in_window_coordinates_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    QTest::addRow("tab_control") << names::tab_control.toString() << QRect(8, 8, 440, 272);
    QTest::addRow("remaining_time") << names::remaining_time.toString() << QRect(484, 24, 34, 32);
    QTest::addRow("question_status") << names::question_status.toString() << QRect(576, 24, 45, 32);
    QTest::addRow("instruction_label")
        << names::instruction_label.toString() << QRect(472, 104, 128, 152);
    QTest::addRow("start_button") << names::start_button.toString() << QRect(32, 328, 80, 32);
    QTest::addRow("help_button") << names::help_button.toString() << QRect(512, 328, 80, 32);
    QTest::addRow("welcome_label") << names::welcome_label.toString() << QRect(8, 64, 432, 208);
    QTest::addRow("answer_box_5_one_pixel_up") << names::answer_box(5) << QRect(184, 175, 32, 20);
    QTest::addRow("radio_33a_one_pixel_down") << u"单选框33a"_s << QRect(24, 249, 80, 24);
    QTest::addRow("radio_34b") << u"单选框34b"_s << QRect(120, 248, 80, 24);
    QTest::addRow("radio_1a_row_232") << u"单选框1a"_s << QRect(24, 240, 80, 24);
    QTest::addRow("check_1a_48_wide") << u"选择框1a"_s << QRect(16, 248, 48, 24);
    QTest::addRow("check_7b") << u"选择框7b"_s << QRect(89, 248, 80, 24);
    QTest::addRow("check_11a_64_wide") << u"选择框11a"_s << QRect(16, 248, 64, 24);
    QTest::addRow("picture_1_with_edge") << u"图片框1"_s << QRect(16, 64, 152, 152);
    QTest::addRow("picture_42_stretched") << u"图片框42"_s << QRect(16, 136, 264, 56);
}

void MainWindowTest::geometry_in_window_coordinates() {
    QFETCH(QString, name);
    QFETCH(QRect, box);
    App app;
    QCOMPARE(app.in_window(name), box);
}

void MainWindowTest::captions_are_exact() {
    App app;
    QCOMPARE(static_cast<QPushButton*>(app.w(names::start_button))->text(), u"开始测试 \u25B3"_s);
    QCOMPARE(static_cast<QPushButton*>(app.w(names::end_button))->text(), u"结束测试 \u25A0"_s);
    QCOMPARE(static_cast<QPushButton*>(app.w(names::help_button))->text(), u"说明 \uFF1F"_s);
    QCOMPARE(static_cast<QPushButton*>(app.w(names::previous_button))->text(), u"<< 上一题"_s);
    QCOMPARE(static_cast<QGroupBox*>(app.w(names::operation_group))->title(), u"操作区域："_s);
    QCOMPARE(static_cast<QRadioButton*>(app.w(u"单选框103c"))->text(), u"c"_s);
    QCOMPARE(static_cast<QCheckBox*>(app.w(u"选择框20e"))->text(), u"e"_s);
    for (QStringView name : {names::start_button, names::help_button}) {
        auto* button = static_cast<QPushButton*>(app.w(name));
        QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width());
    }
}

void MainWindowTest::tab_rows_end_above_the_pages() {
    App app;
    ui::TabControl* tab = app.h.qt.tab_control();
    QVERIFY(tab->headerBottom() <= 56);
    QMap<int, std::pair<int, int>> rows; // top -> leftmost left, rightmost right
    for (int page = 0; page < 26; ++page) {
        const QRect rect = tab->tabRect(page);
        QVERIFY(rect.bottom() < 56);
        QVERIFY(tab->fontMetrics().horizontalAdvance(tab->caption(page)) <= rect.width());
        const auto it = rows.constFind(rect.top());
        rows[rect.top()] = it == rows.cend() ? std::pair(rect.left(), rect.right())
                                             : std::pair(std::min(it->first, rect.left()),
                                                         std::max(it->second, rect.right()));
    }
    // Three rows, each stretched across the whole control as a row of tabs is.
    QCOMPARE(rows.size(), 3);
    for (auto [left, right] : rows)
        QVERIFY2(left <= 2 && right >= tab->width() - 4,
                 qPrintable(u"a row runs %1..%2 of %3"_s.arg(left).arg(right).arg(tab->width())));
}

void MainWindowTest::whole_test_by_mouse_scores_174() {
    App app;
    BoxCloser closer;
    Harness& h = app.h;
    h.click(names::start_button);
    QVERIFY(!app.w(names::welcome_label)->isVisible());
    QCOMPARE(h.focused(), names::answer_box(1)); // ready for the first answer
    QVERIFY(app.h.qt.timer(names::countdown_timer)->isActive());
    const QString texts[] = {u"m"_s, u"15"_s, u"8"_s, u"6"_s, u"5"_s, u"4"_s, u"1"_s, u"2"_s};
    for (int q = 1; q <= 8; ++q)
        h.type(names::answer_box(q), texts[q - 1]);
    for (const KeyRow& row : answer_key()) {
        if (row.kind == AnswerKind::Text)
            continue;
        h.pick_page(row.question - 8);
        const int options = row.kind == AnswerKind::CheckPair ? 2 : 1;
        for (int i = 0; i < options; ++i)
            h.click(answer_control(row.question, row.options[i]));
    }
    // One wrong click that a later click corrects.
    h.pick_page(1);
    h.click(u"单选框1a");
    h.click(u"单选框2b");
    h.click(names::end_button);
    QTRY_COMPARE(closer.texts.size(), 1);
    QCOMPARE(closer.captions[0], u"测试成绩："_s);
    QCOMPARE(closer.texts[0], u"您的成绩是：174分\n请点击下方<说明>按钮查看分数说明"_s);
    QVERIFY(app.w(names::welcome_label)->isVisible());
    QCOMPARE(app.h.qt.tab_control()->currentIndex(), 0);
    QVERIFY(app.w(names::tab_control)->isEnabled());
    QVERIFY(!app.h.qt.timer(names::countdown_timer)->isActive());
    QCOMPARE(static_cast<QLineEdit*>(app.w(names::question_status))->text(), u"未开始"_s);
}

void MainWindowTest::cover_label_hidden_stays_hidden() {
    App app;
    app.h.click(names::start_button);
    app.h.pick_page(9);
    app.h.pick_page(0);
    QVERIFY(!app.w(names::welcome_label)->isVisible());
    QVERIFY(app.w(names::series_label)->isVisible());
    QCOMPARE(app.h.focused(), names::answer_box(1));
}

void MainWindowTest::countdown_ticks_reach_the_status_boxes() {
    App app;
    app.h.click(names::start_button);
    app.h.pick_page(12);
    app.tick(names::countdown_timer);
    app.tick(names::instruction_timer);
    QCOMPARE(static_cast<QLineEdit*>(app.w(names::remaining_time))->text(), u"1499"_s);
    QCOMPARE(static_cast<QLineEdit*>(app.w(names::question_status))->text(), u"第20题"_s);
    QCOMPARE(static_cast<ui::TextLabel*>(app.w(names::instruction_label))->text(),
             instruction_for_page(12).toString());
    // Precise timers: a coarse timer drifts several percent per tick.
    QCOMPARE(app.h.qt.timer(names::countdown_timer)->timerType(), Qt::PreciseTimer);
    QCOMPARE(app.h.qt.timer(names::countdown_timer)->interval(), 1000);
    QCOMPARE(app.h.qt.timer(names::instruction_timer)->interval(), 500);
}

void MainWindowTest::help_box_shows_the_help_text() {
    App app;
    BoxCloser closer;
    app.h.click(names::help_button);
    QTRY_COMPARE(closer.texts.size(), 1);
    QCOMPARE(closer.captions[0], u"有关这个软件的信息："_s);
    QString expected = help_text();
    expected.replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(closer.texts[0], expected);
}

void MainWindowTest::figures_are_loaded_when_their_page_shows() {
    App app;
    auto* picture = app.w(u"图片框15");
    app.h.qt.set_current_page(app.h.qt[names::tab_control], 8);
    const QImage shown = picture->grab().toImage();
    QCOMPARE(shown.size(), QSize(192, 56));
    QImage figure(u":/figures/15.gif"_s);
    if (figure.isNull())
        QSKIP("figures not generated yet");
    // The drawn box is the figure's top-left part, so both agree where the figure is black.
    int black = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 192; ++x)
            if (qGray(figure.pixel(x, y)) < 128) {
                ++black;
                QVERIFY(qGray(shown.pixel(x, y)) < 128);
            }
    QVERIFY(black > 0);
}

void MainWindowTest::one_face_colour_and_legible_text_data() {
    QTest::addColumn<bool>("dark");
    QTest::addRow("desktop_palette") << false;
    QTest::addRow("dark_desktop_palette") << true;
}

void MainWindowTest::one_face_colour_and_legible_text() {
    QFETCH(bool, dark);
    const QPalette desktop = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
    if (dark) {
        QPalette night(QColor(53, 53, 53)); // light text, dark face and base
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            night.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
        QApplication::setPalette(night);
    }
    App app;
    const QImage shot = app.h.qt.window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb face = shot.pixel(632, 420); // below and right of the group boxes
    QVERIFY(contrast(face, qRgb(0, 0, 0)) >= 4.5);
    for (QStringView group : {names::time_group, names::instruction_group, names::operation_group})
        QCOMPARE(shot.pixel(app.in_window(group).bottomRight() - QPoint(4, 4)), face);

    // Every text at start-up against its own background: labels and group captions on the face
    // with no seam, buttons and edit boxes inside their frames.
    for (const ControlEntry& entry : app.h.qt.layout().controls) {
        QWidget* w = app.w(entry.name);
        if (!w || !w->isVisible() || entry.text.isEmpty() || entry.kind == Kind::Window)
            continue;
        QRect area = app.in_window(entry.name);
        if (entry.kind == Kind::GroupBox)
            area.setHeight(w->fontMetrics().height());
        else if (entry.kind == Kind::Button || entry.kind == Kind::EditBox)
            area.adjust(4, 4, -4, -4);
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[shot.pixel(x, y)];
        const QRgb background =
            std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                return a.second < b.second;
            })->first;
        QRgb ink = background;
        for (auto [colour, count] : counts.asKeyValueRange())
            if (contrast(colour, background) > contrast(ink, background))
                ink = colour;
        const QString what = u"%1: ink #%2 on #%3"_s.arg(entry.name)
                                 .arg(uint(ink & 0xffffff), 6, 16, QChar(u'0'))
                                 .arg(uint(background & 0xffffff), 6, 16, QChar(u'0'));
        if (entry.kind == Kind::Label || entry.kind == Kind::GroupBox)
            QVERIFY2(background == face, qPrintable(what));
        // Black on enabled controls (thin strokes blend with the face a little); greyed text
        // still stands out from its box, and the status boxes' grey reads at a glance.
        if (w->isEnabled())
            QVERIFY2(qGray(ink) < 100 && contrast(ink, background) >= 4.5, qPrintable(what));
        else if (entry.kind == Kind::EditBox)
            QVERIFY2(qGray(ink) > 50 && contrast(ink, background) >= 4.5, qPrintable(what));
        else
            QVERIFY2(contrast(ink, background) >= 1.3, qPrintable(what));
    }
}

void MainWindowTest::label_lines_keep_the_character_pitch_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("question"); // series line level with this answer box; 0: welcome
    // The welcome text is the label's third line: 2 × 24 px down, whatever the face.
    QTest::addRow("welcome_third_line") << names::welcome_label.toString() << 0;
    for (int q = 1; q <= 8; ++q)
        QTest::addRow("series_question_%d_level_with_its_box", q)
            << names::series_label.toString() << q;
}

void MainWindowTest::label_lines_keep_the_character_pitch() {
    QFETCH(QString, label);
    QFETCH(int, question);
    App app;
    // Run again with the AR PL faces rejected, where Noto CJK stands in with a taller line box.
    const QString face = QFontInfo(app.w(label)->font()).family();
    qInfo("%s drawn in %s", qPrintable(label), qPrintable(face));
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        QVERIFY2(!face.startsWith(u"AR PL"_s),
                 "the fontconfig file did not reject the AR PL faces");
    if (question > 0)
        app.h.click(names::start_button); // uncovers the series
    const QRect box = app.in_window(label);
    const QRect level = question > 0 ? app.in_window(names::answer_box(question))
                                     : QRect(box.left(), box.top() + 48, box.width(), 24);
    const QImage shot = app.h.qt.window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Screen pixels: at a fractional scale the line must still stand level with its box.
    const qreal r = shot.devicePixelRatio();
    auto device = [r](QRect logical) {
        return QRectF(QPointF(logical.topLeft()) * r, QSizeF(logical.size()) * r).toAlignedRect();
    };
    const QRect box_px = device(box).adjusted(0, 0, -1, -1), level_px = device(level);
    const QRgb face_colour = shot.pixel(box_px.bottomRight());
    // The ink of the line beside `level`, a few pixels either side included.
    int first = -1, last = -1;
    for (int y = level_px.top() - qRound(4 * r); y <= level_px.bottom() + qRound(4 * r); ++y)
        for (int x = box_px.left(); x <= box_px.right(); ++x)
            if (shot.pixel(x, y) != face_colour) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    QVERIFY2(first >= 0, "no line beside its place");
    // One line's ink, standing level with its place; at fractional scales two screen pixels
    // more, as both the box and the glyphs snap to whole screen pixels.
    const qreal centre = (first + last) / 2.0 / r;
    const qreal slack = r == qRound(r) ? 2.0 : 2.0 + 2.0 / r;
    QVERIFY2(
        last - first < level_px.height() && qAbs(centre - level.center().y()) <= slack,
        qPrintable(
            u"ink rows %1..%2 at ratio %3, expected around %4"_s.arg(first).arg(last).arg(r).arg(
                level.center().y())));
}

void MainWindowTest::punctuation_stays_with_its_text_data() {
    QTest::addColumn<QString>("text");
    const Layout& layout = main_window_layout();
    QTest::addRow("welcome") << layout.controls[layout.index_of(names::welcome_label)].text;
    QTest::addRow("instruction_at_start")
        << layout.controls[layout.index_of(names::instruction_label)].text;
    for (int page : {0, 1, 8, 18, 22})
        QTest::addRow("instruction_page_%d", page) << instruction_for_page(page).toString();
    QTest::addRow("help") << help_text();
}

// Chinese typesetting never starts a line with a closing mark (。，、；：？！ ” ） …) nor ends one
// with an opening mark (“ （): the break moves a character back instead. Every width from a
// narrow to a wide label puts a greedy break next to each mark at least once.
void MainWindowTest::punctuation_stays_with_its_text() {
    QFETCH(QString, text);
    App app;
    auto* label = qobject_cast<ui::TextLabel*>(app.w(names::instruction_label));
    QVERIFY(label);
    const QString closing = u"。，、；：？！”’）》」』】…"_s, opening = u"“‘（《「『【"_s;
    QString joined = text;
    joined.remove(u'\r').remove(u'\n');
    for (int width = 90; width <= 240; ++width) {
        label->resize(width, label->height());
        label->setText(text);
        const QStringList lines = label->lines();
        QCOMPARE(lines.join(QString()), joined); // nothing lost or doubled at a break
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            if (line.isEmpty())
                continue;
            QVERIFY2(i == 0 || !closing.contains(line.front()),
                     qPrintable(u"width %1: line starts with %2"_s.arg(width).arg(lines[i])));
            QVERIFY2(!opening.contains(line.back()),
                     qPrintable(u"width %1: line ends with %2"_s.arg(width).arg(lines[i])));
        }
    }
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
