#include "ui/widgets/tab_control.h"
#include "ui/widgets/widget_accessibility.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using zorvane::ui::TabControl;

namespace {

QStringList questionCaptions() {
    QStringList captions{QStringLiteral("第1-8题")};
    for (int q = 9; q <= 33; ++q)
        captions.append(QStringLiteral("第%1题").arg(q));
    return captions;
}

QAccessibleInterface* tabList(TabControl* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    for (int i = 0; iface && i < iface->childCount(); ++i)
        if (iface->child(i)->role() == QAccessible::PageTabList)
            return iface->child(i);
    return nullptr;
}

} // namespace

class TestTabControl : public QObject {
    Q_OBJECT

private slots:
    // Interfaces are cached per widget, so the factory must be in place before any exists.
    void initTestCase() { zorvane::ui::installWidgetAccessibility(); }
    void init();
    void cleanup();

    void tabsFitAboveFirstMemberRow_data();
    void tabsFitAboveFirstMemberRow();
    void clickOnTabPicksPage_data();
    void clickOnTabPicksPage();
    void rowsStayPutWhenPicking();
    void everyCaptionStaysDrawn_data();
    void everyCaptionStaysDrawn();
    void programmaticPickClampsAndIsSilent_data();
    void programmaticPickClampsAndIsSilent();
    void disabledControlTakesNoClicks_data();
    void disabledControlTakesNoClicks();
    void explicitlyHiddenMemberStaysHidden();
    void radioButtonsExclusivePerPage();
    void keyboardSwitchesPages_data();
    void keyboardSwitchesPages();
    void accessibleTabsMirrorPages_data();
    void accessibleTabsMirrorPages();

private:
    // QTest delivers to the widget it is given; a real click goes to the topmost child there.
    void clickAt(QPoint pos) {
        QWidget* target = m_control->childAt(pos);
        if (!target)
            target = m_control.get();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(m_control.get(), pos));
    }
    // Inside the indicator, where a radio button takes clicks.
    void click(QWidget* widget) { clickAt(widget->mapTo(m_control.get(), QPoint(6, 12))); }
    void clickTab(int index) { clickAt(m_control->tabRect(index).center()); }

    std::unique_ptr<TabControl> m_control;
    QLineEdit* m_edit = nullptr;       // page 3
    QPushButton* m_button = nullptr;   // page 0
    QRadioButton* m_radio0a = nullptr; // page 0
    QRadioButton* m_radio0b = nullptr; // page 0
    QRadioButton* m_radio1a = nullptr; // page 1
    QLabel* m_label = nullptr;         // page 0
};

void TestTabControl::init() {
    m_control = std::make_unique<TabControl>();
    m_control->setFont(zorvane::test::songFont12());
    m_control->resize(440, 272);
    for (const QString& caption : questionCaptions())
        m_control->addPage(caption);

    QWidget* page0 = m_control->page(0);
    m_label = new QLabel(QStringLiteral("cover"), page0);
    m_label->setGeometry(0, 56, 432, 40);
    m_button = new QPushButton(QStringLiteral("push"), page0);
    m_button->setGeometry(10, 100, 80, 32);
    m_radio0a = new QRadioButton(QStringLiteral("a"), page0);
    m_radio0a->setGeometry(10, 140, 80, 24);
    m_radio0b = new QRadioButton(QStringLiteral("b"), page0);
    m_radio0b->setGeometry(100, 140, 80, 24);
    m_radio1a = new QRadioButton(QStringLiteral("a"), m_control->page(1));
    m_radio1a->setGeometry(10, 140, 80, 24);
    m_edit = new QLineEdit(m_control->page(3));
    m_edit->setGeometry(176, 72, 32, 20);

    m_control->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_control.get()));
}

void TestTabControl::cleanup() {
    m_control.reset();
}

void TestTabControl::tabsFitAboveFirstMemberRow_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("index");
    const QStringList captions = questionCaptions();
    // The mapped face, and the fallback where only the Noto CJK fonts are installed.
    for (const char* family : {"宋体", "Noto Serif CJK SC"})
        for (int i = 0; i < captions.size(); ++i)
            QTest::addRow("%s/%s", family, qPrintable(captions[i]))
                << QString::fromUtf8(family) << i;
}

void TestTabControl::tabsFitAboveFirstMemberRow() {
    QFETCH(QString, family);
    QFETCH(int, index);
    QFont font = m_control->font();
    font.setFamily(family);
    m_control->setFont(font);
    QVERIFY(m_control->headerBottom() <= 56);
    const QRect tab = m_control->tabRect(index);
    const QFontMetrics fm(m_control->font());
    QVERIFY2(tab.width() >= fm.horizontalAdvance(m_control->caption(index)) + 4,
             "caption does not fit its tab");
    QVERIFY(tab.height() >= fm.height());
    QVERIFY(m_control->rect().contains(tab));
    QVERIFY(tab.bottom() < m_control->headerBottom());
    for (int other = 0; other < m_control->count(); ++other)
        if (other != index)
            QVERIFY2(!tab.intersects(m_control->tabRect(other)), "tabs overlap");
    // 26 captions cannot share one row in 440 pixels: the header really wraps.
    QVERIFY(m_control->tabRect(0).top() != m_control->tabRect(25).top());
}

void TestTabControl::clickOnTabPicksPage_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("emitted");
    QTest::addRow("same_row") << 0 << 4 << 1;
    QTest::addRow("other_row") << 0 << 13 << 1;
    QTest::addRow("last_tab") << 2 << 25 << 1;
    QTest::addRow("back_to_first") << 25 << 0 << 1;
    QTest::addRow("current_tab_changes_nothing") << 7 << 7 << 0;
}

void TestTabControl::clickOnTabPicksPage() {
    QFETCH(int, start);
    QFETCH(int, clicked);
    QFETCH(int, emitted);
    m_control->setCurrentIndex(start);
    QSignalSpy spy(m_control.get(), &TabControl::userPicked);
    int pageVisibleAtSignal = -1;
    connect(m_control.get(), &TabControl::userPicked, this, [&](int index) {
        pageVisibleAtSignal = m_control->page(index)->isVisible() ? index : -1;
    });

    clickTab(clicked);

    QCOMPARE(m_control->currentIndex(), clicked);
    QCOMPARE(spy.count(), emitted);
    if (emitted) {
        QCOMPARE(spy.first().first().toInt(), clicked);
        QCOMPARE(pageVisibleAtSignal, clicked);
    }
    for (int i = 0; i < m_control->count(); ++i)
        QCOMPARE(m_control->page(i)->isVisible(), i == clicked);
}

void TestTabControl::rowsStayPutWhenPicking() {
    QList<QRect> before;
    for (int i = 0; i < m_control->count(); ++i)
        before.append(m_control->tabRect(i));
    const int bottom = m_control->headerBottom();
    for (int pick : {25, 9, 17, 1}) {
        clickTab(pick);
        QCOMPARE(m_control->currentIndex(), pick);
        QCOMPARE(m_control->headerBottom(), bottom);
        for (int i = 0; i < m_control->count(); ++i)
            QCOMPARE(m_control->tabRect(i), before[i]);
    }
}

void TestTabControl::everyCaptionStaysDrawn_data() {
    QTest::addColumn<int>("selected");
    QTest::addRow("first_tab") << 0;
    QTest::addRow("middle_of_top_row") << 4;
    QTest::addRow("middle_row") << 13;
    QTest::addRow("last_tab") << 25;
}

// A selected tab drawn beyond its own row must not wipe out the tabs of the next row.
void TestTabControl::everyCaptionStaysDrawn() {
    QFETCH(int, selected);
    m_control->setCurrentIndex(selected);
    const QImage shot = m_control->grab().toImage();
    for (int i = 0; i < m_control->count(); ++i) {
        const QRect inside = m_control->tabRect(i).adjusted(2, 2, -2, -2);
        int dark = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                dark += qGray(shot.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY2(dark > 10, qPrintable(m_control->caption(i)));
    }
}

void TestTabControl::programmaticPickClampsAndIsSilent_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("expected");
    QTest::addRow("below_range") << -1 << 0;
    QTest::addRow("far_below_range") << -1000 << 0;
    QTest::addRow("above_range") << 26 << 25;
    QTest::addRow("in_range") << 12 << 12;
}

void TestTabControl::programmaticPickClampsAndIsSilent() {
    QFETCH(int, requested);
    QFETCH(int, expected);
    m_control->setCurrentIndex(5);
    QSignalSpy spy(m_control.get(), &TabControl::userPicked);
    m_control->setCurrentIndex(requested);
    QCOMPARE(m_control->currentIndex(), expected);
    QCOMPARE(spy.count(), 0);
    for (int i = 0; i < m_control->count(); ++i)
        QCOMPARE(m_control->page(i)->isVisible(), i == expected);
}

void TestTabControl::disabledControlTakesNoClicks_data() {
    QTest::addColumn<QString>("target");
    QTest::addRow("tab_header") << QStringLiteral("tab");
    QTest::addRow("push_button_on_page") << QStringLiteral("button");
    QTest::addRow("radio_button_on_page") << QStringLiteral("radio");
}

void TestTabControl::disabledControlTakesNoClicks() {
    QFETCH(QString, target);
    QSignalSpy picked(m_control.get(), &TabControl::userPicked);
    QSignalSpy pressed(m_button, &QPushButton::clicked);
    auto clickTarget = [&] {
        if (target == QLatin1String("tab"))
            clickTab(6);
        else if (target == QLatin1String("button"))
            click(m_button);
        else
            click(m_radio0a);
    };
    auto reacted = [&] {
        return m_control->currentIndex() != 0 || !picked.isEmpty() || !pressed.isEmpty() ||
               m_radio0a->isChecked();
    };

    m_control->setEnabled(false);
    clickTarget();
    QVERIFY(!reacted());
    // The members' own enabled flags are untouched; only the container blocks them.
    for (QWidget* member : {static_cast<QWidget*>(m_button), static_cast<QWidget*>(m_radio0a)}) {
        QVERIFY(!member->isEnabled());
        QVERIFY(member->isEnabledTo(m_control->page(0)));
        QVERIFY(!member->testAttribute(Qt::WA_ForceDisabled));
    }

    // Re-enabled, the same click works: the check above is not vacuous.
    m_control->setEnabled(true);
    clickTarget();
    QVERIFY(reacted());
}

void TestTabControl::explicitlyHiddenMemberStaysHidden() {
    m_label->hide();
    clickTab(1);
    QVERIFY(!m_button->isVisible());
    clickTab(0);
    QVERIFY(m_button->isVisible());
    QVERIFY(!m_label->isVisible());

    // Showing a member of a page that is not current only records the wish.
    m_control->setCurrentIndex(2);
    m_label->show();
    QVERIFY(!m_label->isVisible());
    m_control->setCurrentIndex(0);
    QVERIFY(m_label->isVisible());
}

void TestTabControl::radioButtonsExclusivePerPage() {
    click(m_radio0a);
    QVERIFY(m_radio0a->isChecked());
    clickTab(1);
    click(m_radio1a);
    QVERIFY(m_radio1a->isChecked());
    QVERIFY2(m_radio0a->isChecked(), "a radio button on another page cleared this one");
    clickTab(0);
    click(m_radio0b);
    QVERIFY(m_radio0b->isChecked());
    QVERIFY(!m_radio0a->isChecked());
    QVERIFY(m_radio1a->isChecked());
}

void TestTabControl::keyboardSwitchesPages_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("expected");
    const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
    const auto ctrlShift = Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::addRow("ctrl_tab_from_edit")
        << QStringLiteral("edit") << 3 << int(Qt::Key_Tab) << ctrl << 4;
    QTest::addRow("ctrl_shift_tab_from_edit")
        << QStringLiteral("edit") << 3 << int(Qt::Key_Backtab) << ctrlShift << 2;
    QTest::addRow("ctrl_pgdn_from_edit")
        << QStringLiteral("edit") << 3 << int(Qt::Key_PageDown) << ctrl << 4;
    QTest::addRow("ctrl_pgup_from_edit")
        << QStringLiteral("edit") << 3 << int(Qt::Key_PageUp) << ctrl << 2;
    QTest::addRow("ctrl_tab_from_radio")
        << QStringLiteral("radio") << 0 << int(Qt::Key_Tab) << ctrl << 1;
    QTest::addRow("ctrl_pgup_from_button_wraps")
        << QStringLiteral("button") << 0 << int(Qt::Key_PageUp) << ctrl << 25;
    QTest::addRow("plain_pgdn_does_nothing")
        << QStringLiteral("edit") << 3 << int(Qt::Key_PageDown) << Qt::KeyboardModifiers() << 3;
}

void TestTabControl::keyboardSwitchesPages() {
    QFETCH(QString, focus);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, expected);
    m_control->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_control.get()));
    m_control->setCurrentIndex(start);
    QWidget* target = focus == QLatin1String("edit")    ? static_cast<QWidget*>(m_edit)
                      : focus == QLatin1String("radio") ? static_cast<QWidget*>(m_radio0a)
                                                        : static_cast<QWidget*>(m_button);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QSignalSpy spy(m_control.get(), &TabControl::userPicked);

    QTest::keyClick(target, Qt::Key(key), modifiers);

    QCOMPARE(m_control->currentIndex(), expected);
    QCOMPARE(spy.count(), expected == start ? 0 : 1);
    QVERIFY(m_control->page(expected)->isVisible());
}

void TestTabControl::accessibleTabsMirrorPages_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("expected");
    QTest::addRow("press_picks_tab_when_enabled") << true << 7;
    QTest::addRow("press_ignored_when_disabled") << false << 0;
}

void TestTabControl::accessibleTabsMirrorPages() {
    QFETCH(bool, enabled);
    QFETCH(int, expected);
    m_control->setEnabled(enabled);
    QSignalSpy spy(m_control.get(), &TabControl::userPicked);

    QAccessibleInterface* list = tabList(m_control.get());
    QVERIFY(list);
    QCOMPARE(list->childCount(), 26);
    auto checkTabs = [&](int selected) {
        for (int i = 0; i < 26; ++i) {
            QAccessibleInterface* tab = list->child(i);
            QVERIFY(tab);
            QCOMPARE(tab->role(), QAccessible::PageTab);
            QCOMPARE(tab->text(QAccessible::Name), m_control->caption(i));
            QCOMPARE(bool(tab->state().selected), i == selected);
            QCOMPARE(bool(tab->state().disabled), !enabled);
            QCOMPARE(list->indexOfChild(tab), i);
            QCOMPARE(tab->parent(), list);
        }
    };
    checkTabs(0);

    QAccessibleInterface* target = list->child(7);
    QAccessibleActionInterface* action = target->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(m_control->currentIndex(), expected);
    QCOMPARE(spy.count(), expected == 0 ? 0 : 1);
    checkTabs(expected);
}

QTEST_MAIN(TestTabControl)
#include "tst_tab_control.moc"
