// What assistive technology finds in the real window: a name on everything, the answer
// controls named after their question, the 26 tabs with their state and press action, and
// captions that change under a running test.
#include "keyboard_app.h"
#include "layout/names.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

void walk(QAccessibleInterface* iface, QList<QAccessibleInterface*>& all) {
    all.append(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            walk(child, all);
}

QList<QAccessibleInterface*> whole_tree(QWidget* window) {
    QList<QAccessibleInterface*> all;
    walk(QAccessible::queryAccessibleInterface(window), all);
    return all;
}

QAccessibleInterface* tab_list(QWidget* window) {
    for (QAccessibleInterface* iface : whole_tree(window))
        if (iface->role() == QAccessible::PageTabList)
            return iface;
    return nullptr;
}

QString describe(QAccessibleInterface* iface) {
    return u"%1 (role %2)"_s.arg(iface->object() ? iface->object()->objectName() : u"?"_s)
        .arg(int(iface->role()));
}

QAccessibleInterface* of(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void nothing_in_the_window_is_nameless();
    void answer_controls_are_named_after_their_question_data();
    void answer_controls_are_named_after_their_question();
    void frame_controls_say_what_they_are_data();
    void frame_controls_say_what_they_are();
    void tab_list_exposes_the_26_tabs();
    void caption_changes_reach_assistive_technology_data();
    void caption_changes_reach_assistive_technology();
};

void AccessibilityTest::initTestCase() {
    ui::install_font_substitutions();
    ui::apply_default_gui_font();
}

void AccessibilityTest::cleanup() {
    QVERIFY(!QApplication::activeModalWidget());
}

void AccessibilityTest::nothing_in_the_window_is_nameless() {
    KeyboardApp app;
    QWidget* window = app.h.qt.window();
    const QList<QAccessibleInterface*> all = whole_tree(window);

    QStringList nameless;
    QList<QObject*> reached;
    int tabs = 0;
    for (QAccessibleInterface* iface : all) {
        QVERIFY(iface->isValid());
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            nameless << describe(iface);
        reached << iface->object();
        tabs += iface->role() == QAccessible::PageTab;
        // Every child knows its way back: screen readers walk up as well as down.
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            QVERIFY2(child, qPrintable(describe(iface)));
            QCOMPARE(iface->indexOfChild(child), i);
            QCOMPARE(child->parent(), iface);
        }
    }
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", ")));
    QCOMPARE(tabs, 26);
    // The walk reaches every widget, those of hidden pages included.
    for (QWidget* widget : window->findChildren<QWidget*>())
        QVERIFY2(reached.contains(widget), qPrintable(widget->objectName()));
}

void AccessibilityTest::answer_controls_are_named_after_their_question_data() {
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("count");
    QTest::addRow("radio_buttons") << int(QAccessible::RadioButton) << 84;
    QTest::addRow("check_boxes") << int(QAccessible::CheckBox) << 20;
    QTest::addRow("answer_boxes") << int(QAccessible::EditableText) << 8;
    QTest::addRow("picture_boxes") << int(QAccessible::Graphic) << 50;
}

void AccessibilityTest::answer_controls_are_named_after_their_question() {
    QFETCH(int, role);
    QFETCH(int, count);
    KeyboardApp app;
    ui::TabControl* tabs = app.h.qt.tab_control();
    int seen = 0;
    for (int page = 0; page < tabs->count(); ++page) {
        // What a sighted user reads off the screen: the question from the tab caption (or,
        // on page 0, the box's row), the option from the control's caption, and which
        // picture comes first in reading order.
        QList<QWidget*> members = tabs->page(page)->findChildren<QWidget*>();
        std::stable_sort(members.begin(), members.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        bool first_picture = true;
        int row = 0;
        for (QWidget* member : members) {
            QAccessibleInterface* iface = of(member);
            if (int(iface->role()) != role)
                continue;
            ++seen;
            QString expected;
            switch (iface->role()) {
            case QAccessible::EditableText:
                expected = u"第%1题答案"_s.arg(++row);
                QVERIFY(!iface->text(QAccessible::Description).isEmpty());
                break;
            case QAccessible::Graphic:
                expected = tabs->caption(page) + (first_picture ? u" 题图"_s : u" 选项图"_s);
                first_picture = false;
                QVERIFY(!iface->text(QAccessible::Description).isEmpty());
                break;
            default:
                expected = tabs->caption(page) + u" 选项"_s +
                           static_cast<QAbstractButton*>(member)->text();
                break;
            }
            QCOMPARE(iface->text(QAccessible::Name), expected);
        }
    }
    QCOMPARE(seen, count);
}

void AccessibilityTest::frame_controls_say_what_they_are_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("described_with"); // part of the description; empty: none needed
    QTest::addColumn<QString>("value");          // edit boxes: what they hold

    QTest::addRow("start_button_by_its_role_without_the_symbol")
        << names::start_button.toString() << int(QAccessible::Button) << u"开始测试"_s << u"测试"_s
        << QString();
    QTest::addRow("help_button") << names::help_button.toString() << int(QAccessible::Button)
                                 << u"说明"_s << u"说明"_s << QString();
    QTest::addRow("remaining_seconds_box")
        << names::remaining_time.toString() << int(QAccessible::EditableText) << u"剩余秒数"_s
        << u"秒"_s << u"1500"_s;
    QTest::addRow("question_status_box")
        << names::question_status.toString() << int(QAccessible::EditableText) << u"当前题目"_s
        << u"题目"_s << u"未开始"_s;
    QTest::addRow("group_box_by_its_caption")
        << names::time_group.toString() << int(QAccessible::Grouping) << u"剩余时间及当前题况"_s
        << QString() << QString();
    QTest::addRow("unnamed_label_by_its_caption")
        << names::doing_caption.toString() << int(QAccessible::StaticText) << u"秒,正在做"_s
        << QString() << QString();
    QTest::addRow("series_label_shows_the_series_as_description")
        << names::series_label.toString() << int(QAccessible::StaticText) << u"第1-8题题目"_s
        << u"第7题： 1, 0, -1, 0\n第8题： 3968, 63, 8, 3"_s << QString();
    QTest::addRow("welcome_label_shows_its_call_as_description")
        << names::welcome_label.toString() << int(QAccessible::StaticText) << u"欢迎"_s
        << u"请点击“开始测试”按钮开始测试"_s << QString();
    QTest::addRow("instruction_label_without_its_indent")
        << names::instruction_label.toString() << int(QAccessible::StaticText) << u"试题说明"_s
        << u"这是一套在欧洲较为流行的智商测试题目。\n请点击"_s << QString();
    QTest::addRow("answer_box_carries_its_series")
        << names::answer_box(3) << int(QAccessible::EditableText) << u"第3题答案"_s
        << u"1, 1, 2, 3, 5"_s << QString();
    QTest::addRow("answer_box_letters") << names::answer_box(1) << int(QAccessible::EditableText)
                                        << u"第1题答案"_s << u"A, D, G, J"_s << QString();
    QTest::addRow("pages_by_their_caption")
        << QString() << int(QAccessible::Client) << u"第9题"_s << QString() << QString();
}

void AccessibilityTest::frame_controls_say_what_they_are() {
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, described_with);
    QFETCH(QString, value);
    KeyboardApp app;
    QWidget* widget = control.isEmpty() ? app.h.qt.tab_control()->page(1) : app.w(control);
    QAccessibleInterface* iface = of(widget);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (!described_with.isEmpty())
        QVERIFY2(iface->text(QAccessible::Description).contains(described_with),
                 qPrintable(iface->text(QAccessible::Description)));
    if (!value.isEmpty())
        QCOMPARE(iface->text(QAccessible::Value), value);
}

void AccessibilityTest::tab_list_exposes_the_26_tabs() {
    KeyboardApp app;
    ui::TabControl* tabs = app.h.qt.tab_control();
    QAccessibleInterface* list = tab_list(app.h.qt.window());
    QVERIFY(list);
    QCOMPARE(list->childCount(), 26);
    QCOMPARE(list->text(QAccessible::Name), u"题目"_s);

    auto selected = [&] {
        QList<int> on;
        for (int i = 0; i < list->childCount(); ++i)
            if (list->child(i)->state().selected)
                on << i;
        return on;
    };
    for (int i = 0; i < 26; ++i) {
        QAccessibleInterface* tab = list->child(i);
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->text(QAccessible::Name), tabs->caption(i));
        QVERIFY(tab->state().disabled); // nothing to pick before a test starts
        QVERIFY(tab->rect().intersects(of(app.h.qt.window())->rect()));
        QVERIFY(tab->actionInterface());
        QVERIFY(tab->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    QCOMPARE(selected(), QList<int>{0});

    // Pressing a tab of the disabled control does nothing.
    list->child(7)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(tabs->currentIndex(), 0);

    app.key(Qt::Key_Space); // start
    QVERIFY(!list->child(7)->state().disabled);
    list->child(7)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(tabs->currentIndex(), 7);
    QCOMPARE(selected(), QList<int>{7});
    // A pick by the assistive technology moves the focus like a click on the tab.
    QVERIFY(tabs->page(7)->isAncestorOf(QApplication::focusWidget()));
}

void AccessibilityTest::caption_changes_reach_assistive_technology_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("text");
    QTest::addColumn<QString>("fixed_name"); // empty: the caption is the name
    // A label with a name of its own reads its caption as the description.
    QTest::addRow("instruction_label_description")
        << names::instruction_label.toString() << int(QAccessible::Description) << u"试题说明"_s;
    QTest::addRow("unnamed_label_name")
        << names::remaining_caption.toString() << int(QAccessible::Name) << QString();
}

void AccessibilityTest::caption_changes_reach_assistive_technology() {
    QFETCH(QString, label);
    QFETCH(int, text);
    QFETCH(QString, fixed_name);
    KeyboardApp app;
    QAccessibleInterface* iface = of(app.w(label));
    const QString caption = u"第26-29题：上图四个图形中缺少两个图形\r\n请选出两个"_s;
    app.h.qt.set_text(app.h.qt[label], caption);
    QCOMPARE(iface->text(QAccessible::Text(text)),
             u"第26-29题：上图四个图形中缺少两个图形\n请选出两个"_s);
    if (!fixed_name.isEmpty())
        QCOMPARE(iface->text(QAccessible::Name), fixed_name);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
