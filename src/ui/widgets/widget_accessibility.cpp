#include "ui/widgets/widget_accessibility.h"

#include "ui/widgets/picture_box.h"
#include "ui/widgets/tab_control.h"
#include "ui/widgets/tab_header.h"
#include "ui/widgets/text_label.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace zorvane::ui {

namespace {

// One tab of the header. Tabs are not widgets, so Qt keeps them by id like QTabBar's tabs.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(TabHeader* header, int index) : m_header(header), m_index(index) {}

    bool isValid() const override { return m_header && m_index < m_header->tabCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_header ? m_header->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_header.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? m_header->tabText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = m_header->tabRect(m_index);
        return QRect(m_header->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = m_header->isTabSelected(m_index);
        s.disabled = !m_header->isEnabled();
        s.invisible = !m_header->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid())
            m_header->press(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TabHeader> m_header;
    int m_index;
};

class TabHeaderAccessible : public QAccessibleWidget {
public:
    explicit TabHeaderAccessible(TabHeader* header)
        : QAccessibleWidget(header, QAccessible::PageTabList) {}
    ~TabHeaderAccessible() override {
        for (QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    // The strip has no name of its own: it is the tab list of its control.
    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (s.isEmpty() && t == QAccessible::Name)
            s = header()->control()->accessibleName();
        return s;
    }

    int childCount() const override { return header()->tabCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto it = m_tabs.constFind(index); it != m_tabs.cend())
            return QAccessible::accessibleInterface(*it);
        auto* tab = new TabAccessible(header(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(header()->tabAt(header()->mapFromGlobal(QPoint(x, y))));
    }

private:
    TabHeader* header() const { return static_cast<TabHeader*>(widget()); }
    mutable QHash<int, QAccessible::Id> m_tabs;
};

QString captionText(const QWidget* label) {
    QString caption = static_cast<const TextLabel*>(label)->text();
    caption.replace(u"\r\n"_s, u"\n"_s);
    return caption;
}

// The caption as a description is read aloud, not looked at: the blanks that line up the
// columns and the empty lines that space the rows out are left out.
QString spokenCaption(const QWidget* label) {
    QStringList lines;
    for (const QString& line : captionText(label).split(u'\n')) {
        const QString words = line.simplified();
        if (!words.isEmpty())
            lines.append(words);
    }
    return lines.join(u'\n');
}

// A label with an accessible name of its own (the question label, the welcome text) says
// what it is by that name and what it shows by its caption, as the description.
class TextLabelAccessible : public QAccessibleWidget {
public:
    explicit TextLabelAccessible(TextLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        const bool named = !widget()->accessibleName().isEmpty();
        if (t == QAccessible::Name && !named)
            return captionText(widget());
        if (t == QAccessible::Description && named && widget()->accessibleDescription().isEmpty())
            return spokenCaption(widget());
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* createInterface(const QString& key, QObject* object) {
    if (key == "zorvane::ui::TabHeader"_L1)
        return new TabHeaderAccessible(static_cast<TabHeader*>(object));
    if (key == "zorvane::ui::TextLabel"_L1)
        return new TextLabelAccessible(static_cast<TextLabel*>(object));
    if (key == "zorvane::ui::PictureBox"_L1)
        return new QAccessibleWidget(static_cast<PictureBox*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installWidgetAccessibility() {
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    QAccessible::installFactory(createInterface);
}

} // namespace zorvane::ui
