#include "ui/widgets/tab_control.h"

#include "ui/widgets/tab_header.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>

namespace zorvane::ui {

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_header(new TabHeader(this)) {
    setFocusPolicy(Qt::NoFocus);
    relayout();
}

QWidget* TabControl::addPage(const QString& caption) {
    QWidget* page = appendPage(caption);
    relayout();
    return page;
}

void TabControl::addPages(const QStringList& captions) {
    for (const QString& caption : captions)
        appendPage(caption);
    relayout();
}

QWidget* TabControl::appendPage(const QString& caption) {
    auto* page = new QWidget(this);
    page->setAccessibleName(caption);
    page->setGeometry(rect());
    m_pages.append(page);
    m_captions.append(caption);
    if (m_current < 0)
        m_current = 0;
    page->setVisible(m_pages.size() - 1 == m_current);
    return page;
}

int TabControl::count() const {
    return int(m_pages.size());
}

QString TabControl::caption(int index) const {
    return m_captions.value(index);
}

QWidget* TabControl::page(int index) const {
    return m_pages.value(index, nullptr);
}

void TabControl::setCurrentIndex(int index) {
    if (m_pages.isEmpty())
        return;
    const int previous = m_current;
    m_current = std::clamp(index, 0, count() - 1);
    // Show the new page before hiding the old one so focus leaving a hidden page has
    // somewhere inside the control to go.
    m_pages[m_current]->show();
    for (int i = 0; i < count(); ++i)
        if (i != m_current)
            m_pages[i]->hide();
    m_header->raise();
    m_header->update();
    update();

    if (previous != m_current && QAccessible::isActive()) {
        QAccessibleEvent event(m_header, QAccessible::Selection);
        event.setChild(m_current);
        QAccessible::updateAccessibility(&event);
    }
}

void TabControl::pickByUser(int index) {
    if (!isEnabled() || index < 0 || index >= count() || index == m_current)
        return;
    setCurrentIndex(index);
    emit userPicked(index);
}

QRect TabControl::tabRect(int index) const {
    return m_header->tabRect(index).translated(m_header->pos());
}

int TabControl::headerBottom() const {
    return m_header->geometry().bottom() + 1;
}

void TabControl::relayout() {
    const int height = m_header->layoutTabs(m_captions, width());
    m_header->setGeometry(0, 0, width(), height);
    for (QWidget* page : std::as_const(m_pages))
        page->setGeometry(rect());
    // Pages cover the whole control; the header must stay on top to get its clicks.
    m_header->raise();
    update();
}

void TabControl::resizeEvent(QResizeEvent*) {
    relayout();
}

void TabControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
    QWidget::changeEvent(event);
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionTabWidgetFrame opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int top = headerBottom();
    opt.rect = QRect(0, top, width(), height() - top);
    opt.tabBarSize = QSize(width(), top);
    opt.tabBarRect = QRect(0, 0, width(), top);
    if (m_current >= 0)
        opt.selectedTabRect = tabRect(m_current);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
    // Styles shade the page area their own way; members expect the button face around them.
    // Outline plus inner highlight: two pixels in the common styles.
    const int inset = opt.lineWidth + 1;
    p.fillRect(opt.rect.adjusted(inset, inset, -inset, -inset), palette().color(QPalette::Button));
}

void TabControl::keyPressEvent(QKeyEvent* event) {
    // Reached from any focused member too: keys a member does not use propagate up here.
    if (!handlePageKey(event))
        QWidget::keyPressEvent(event);
}

bool TabControl::handlePageKey(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && event->key() == Qt::Key_Backtab)
        step = -1;
    else if (ctrl && event->key() == Qt::Key_Tab)
        step = event->modifiers() & Qt::ShiftModifier ? -1 : 1;
    else if (ctrl && event->key() == Qt::Key_PageDown)
        step = 1;
    else if (ctrl && event->key() == Qt::Key_PageUp)
        step = -1;
    if (step == 0 || count() < 2 || !isEnabled())
        return false;
    // The page's control gets the focus by the keyboard, so the style draws its focus frame
    // as it would after Tab, even if no Tab was pressed yet.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    pickByUser((m_current + step + count()) % count());
    event->accept();
    return true;
}

} // namespace zorvane::ui
