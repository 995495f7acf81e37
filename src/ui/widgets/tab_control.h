// A tab control whose page headers wrap into fixed rows (QTabBar only scrolls).
// Each page is a child widget covering the whole control, so members of a page
// are placed in control coordinates and radio buttons group per page by parent.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zorvane::ui {

class TabHeader;

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    // The returned page is owned by the control; put members on it in control coordinates.
    QWidget* addPage(const QString& caption);
    // One page per caption, laid out once rather than once per page.
    void addPages(const QStringList& captions);
    int count() const;
    QString caption(int index) const;
    QWidget* page(int index) const;

    int currentIndex() const { return m_current; }
    // Clamps to the valid range and shows that page only; emits nothing.
    void setCurrentIndex(int index);

    // Header geometry of one tab in control coordinates; empty for a bad index.
    QRect tabRect(int index) const;
    // First y below the last row of tabs.
    int headerBottom() const;

    // Switches pages for Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp while enabled, as a
    // pick by the user. For keys that reach the window from outside the control too. Returns
    // whether the key was one of these and was used.
    bool handlePageKey(QKeyEvent* event);

signals:
    // The user picked another page (mouse or keyboard); the new page is already shown.
    void userPicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TabHeader;
    void pickByUser(int index);
    QWidget* appendPage(const QString& caption);
    void relayout();

    TabHeader* m_header;
    QList<QWidget*> m_pages;
    QStringList m_captions;
    int m_current = -1;
};

} // namespace zorvane::ui
