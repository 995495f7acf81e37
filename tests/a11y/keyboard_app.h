// The real window with its controller, driven by key events sent to whatever has the focus.
#pragma once

#include "controller/controller.h"
#include "harness.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

struct KeyboardApp {
    QtHarness h;
    zorvane::TestController controller{h.qt};

    KeyboardApp() {
        h.qt.set_event_sink([this](zorvane::Event e) { controller.handle(e); });
    }

    QWidget* w(QStringView name) const { return h.qt.widget(name); }
    QString focused() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    int page() const { return h.qt.tab_control()->currentIndex(); }
    QWidget* page_widget() const { return h.qt.tab_control()->page(page()); }

    // One key press and release, delivered to the focus widget as the keyboard would.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus, "no widget has the keyboard focus");
        QTest::keyClick(focus, key, modifiers);
    }
    void type(const QString& text) const {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus, "no widget has the keyboard focus");
        QTest::keyClicks(focus, text);
    }
    // Presses Tab (or Shift+Tab) until `name` has the focus; false when it never comes.
    bool tab_to(QStringView name, bool backwards = false) const {
        for (int i = 0; i < 60 && focused() != name; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
        return focused() == name;
    }
    // Puts the focus on `name` by keys only: Tab, or for a radio button Tab into its row (one
    // stop) and the arrows along it. False when it cannot be reached.
    bool reach(QStringView name) const {
        auto* target = qobject_cast<QRadioButton*>(w(name));
        if (!target)
            return tab_to(name);
        auto in_row = [&] {
            auto* focus = qobject_cast<QRadioButton*>(QApplication::focusWidget());
            return focus && focus->parentWidget() == target->parentWidget();
        };
        for (int i = 0; i < 60 && !in_row(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int i = 0; i < 4 && in_row() && focused() != name; ++i)
            QTest::keyClick(QApplication::focusWidget(),
                            target->x() > QApplication::focusWidget()->x() ? Qt::Key_Right
                                                                           : Qt::Key_Left);
        return focused() == name;
    }
    // Stops the instruction ticks, which would switch the page buttons on and off meanwhile.
    void hold_buttons() { h.qt.set_period(h.qt[zorvane::names::instruction_timer], 0); }
};
