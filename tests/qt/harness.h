// Drives either form realisation the way a user would, so one test body covers both.
#pragma once

#include "forms/model_form.h"
#include "layout/names.h"
#include "ui/qt_form.h"
#include "ui/widgets/tab_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <memory>

class Harness {
public:
    virtual ~Harness() = default;
    virtual zorvane::Form& form() = 0;
    virtual void click(QStringView name) = 0;
    virtual void type(QStringView name, const QString& text) = 0;
    virtual void pick_page(int page) = 0;
    virtual bool on_screen(QStringView name) = 0;
    virtual QString focused() = 0;
    virtual bool timer_running(QStringView name) = 0;

    zorvane::ControlRef operator[](QStringView name) { return form()[name]; }
};

class ModelHarness : public Harness {
public:
    zorvane::ModelForm model;
    zorvane::Form& form() override { return model; }
    void click(QStringView name) override { model.click(name); }
    void type(QStringView name, const QString& text) override { model.type(name, text); }
    void pick_page(int page) override { model.pick_page(page); }
    bool on_screen(QStringView name) override { return model.on_screen(name); }
    QString focused() override { return model.focused(); }
    bool timer_running(QStringView name) override { return model.period(name) > 0; }
};

class QtHarness : public Harness {
public:
    zorvane::ui::QtForm qt;

    QtHarness() {
        qt.show_window();
        qt.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(qt.window()));
    }
    zorvane::Form& form() override { return qt; }
    void click(QStringView name) override {
        QWidget* w = qt.widget(name);
        // A click lands on whatever is at that point of the window, as a real click would.
        const QPoint at = w->mapTo(qt.window(), w->rect().center());
        QWidget* target = qt.window()->childAt(at);
        if (!target)
            return;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(qt.window(), at));
    }
    void type(QStringView name, const QString& text) override {
        auto* edit = static_cast<QLineEdit*>(qt.widget(name));
        const QPoint at = edit->mapTo(qt.window(), edit->rect().center());
        if (qt.window()->childAt(at) != edit || !edit->isEnabled())
            return;
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        type_text(edit, text);
    }

    // QTest::keyClicks only knows Latin-1; key events carrying their text reach any character.
    static void type_text(QWidget* target, const QString& text) {
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString unit = text.mid(i, n);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, unit);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, unit);
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
            i += n;
        }
    }
    void pick_page(int page) override {
        zorvane::ui::TabControl* tab = qt.tab_control();
        const QPoint at = tab->tabRect(page).center();
        QWidget* target = tab->childAt(at);
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(tab, at));
    }
    bool on_screen(QStringView name) override { return qt.widget(name)->isVisible(); }
    QString focused() override {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    bool timer_running(QStringView name) override { return qt.timer(name)->isActive(); }
};

inline std::unique_ptr<Harness> make_harness(bool qt) {
    if (qt)
        return std::make_unique<QtHarness>();
    return std::make_unique<ModelHarness>();
}

// Closes the next modal box from the event loop and hands back its text.
class BoxCloser : public QObject {
public:
    QStringList texts;
    QStringList captions;

    BoxCloser() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = QApplication::activeModalWidget()) {
                const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                texts.append(label ? label->text() : QString());
                captions.append(box->windowTitle());
                QTest::keyClick(box, Qt::Key_Enter);
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};
