// The row-wrapped header strip of TabControl; internal to the widgets library.
#pragma once

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace zorvane::ui {

class TabControl;

class TabHeader : public QWidget {
    Q_OBJECT
public:
    explicit TabHeader(TabControl* control);

    TabControl* control() const { return m_control; }
    // Lays the captions out in rows that fill `width`; returns the height used. Measuring the
    // captions is the costly part of building the window: the same captions, width and font
    // are not measured again.
    int layoutTabs(const QStringList& captions, int width);
    QRect tabRect(int index) const { return m_rects.value(index); }
    int tabAt(QPoint pos) const;
    int tabCount() const { return int(m_rects.size()); }
    QString tabText(int index) const { return m_captions.value(index); }
    bool isTabSelected(int index) const;
    // Picks a tab as the user would; ignored when the control is disabled.
    void press(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TabControl* m_control;
    QStringList m_captions;
    QList<QRect> m_rects;
    QList<int> m_rowOf;
    int m_rowCount = 0;
    int m_laidOutWidth = -1;
    QFont m_laidOutFont;
    int m_laidOutDpi = 0;
    int m_laidOutHeight = 0;
};

} // namespace zorvane::ui
