#include "ui/widgets/tab_header.h"

#include "ui/widgets/tab_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <algorithm>

namespace zorvane::ui {

namespace {
// Room above the first row so a selected tab drawn taller by the style is not cut.
constexpr int kTopMargin = 2;
constexpr int kSideMargin = 2;
constexpr int kMinTextHPad = 3;
constexpr int kMaxTextHPad = 6;
constexpr int kTextVPad = 2;
} // namespace

TabHeader::TabHeader(TabControl* control) : QWidget(control), m_control(control) {
    setFocusPolicy(Qt::NoFocus);
}

int TabHeader::layoutTabs(const QStringList& captions, int width) {
    if (width == m_laidOutWidth && captions == m_captions && font() == m_laidOutFont &&
        logicalDpiY() == m_laidOutDpi)
        return m_laidOutHeight;
    m_laidOutWidth = width;
    m_laidOutFont = font();
    m_laidOutDpi = logicalDpiY();
    m_captions = captions;
    m_rects.clear();
    m_rowOf.clear();
    m_rowCount = 0;
    m_laidOutHeight = 0;
    if (captions.isEmpty())
        return 0;

    const QFontMetrics fm = fontMetrics();
    const int avail = std::max(1, width - 2 * kSideMargin);
    // Rows sized by the ink of the captions, not the font's line height: CJK fonts with
    // tall Latin ascent and descent would otherwise need a fourth of the strip per row.
    int ink = fm.height() / 2;
    for (const QString& caption : captions)
        ink = std::max(ink, fm.tightBoundingRect(caption).height());
    const int rowHeight = ink + 2 * kTextVPad;

    QList<int> textWidths;
    for (const QString& caption : captions)
        textWidths.append(fm.horizontalAdvance(caption));

    // Greedy fill with a given padding; returns each row's tab indexes.
    auto wrap = [&](int pad) {
        QList<QList<int>> rows(1);
        int used = 0;
        for (int i = 0; i < textWidths.size(); ++i) {
            const int w = textWidths[i] + 2 * pad;
            if (!rows.last().isEmpty() && used + w > avail) {
                rows.append(QList<int>());
                used = 0;
            }
            rows.last().append(i);
            used += w;
        }
        return rows;
    };
    // As few rows as the tightest padding allows, then the roomiest padding that keeps that
    // count, which also spreads the tabs more evenly over the rows.
    const qsizetype fewest = wrap(kMinTextHPad).size();
    int pad = kMaxTextHPad;
    QList<QList<int>> rows = wrap(pad);
    while (rows.size() > fewest)
        rows = wrap(--pad);
    QList<int> natural;
    for (int w : textWidths)
        natural.append(w + 2 * pad);

    m_rects.resize(captions.size());
    m_rowOf.resize(captions.size());
    // Every row is stretched to the full width so the strip looks even.
    for (int r = 0; r < rows.size(); ++r) {
        const QList<int>& row = rows[r];
        int sum = 0;
        for (int i : row)
            sum += natural[i];
        const int n = int(row.size());
        const int extra = std::max(0, avail - sum);
        int x = kSideMargin;
        for (int k = 0; k < n; ++k) {
            const int i = row[k];
            const int w = natural[i] + extra / n + (k < extra % n ? 1 : 0);
            m_rects[i] = QRect(x, kTopMargin + r * rowHeight, w, rowHeight);
            m_rowOf[i] = r;
            x += w;
        }
    }
    m_rowCount = int(rows.size());
    update();
    m_laidOutHeight = kTopMargin + m_rowCount * rowHeight;
    return m_laidOutHeight;
}

int TabHeader::tabAt(QPoint pos) const {
    for (int i = 0; i < m_rects.size(); ++i)
        if (m_rects[i].contains(pos))
            return i;
    return -1;
}

bool TabHeader::isTabSelected(int index) const {
    return index == m_control->currentIndex();
}

void TabHeader::press(int index) {
    if (index >= 0 && index < tabCount())
        m_control->pickByUser(index);
}

void TabHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    press(tabAt(event->position().toPoint()));
}

void TabHeader::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int current = m_control->currentIndex();

    auto drawTab = [&](int i) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        opt.rect = m_rects[i];
        const bool first = i == 0 || m_rowOf[i - 1] != m_rowOf[i];
        const bool last = i == m_rects.size() - 1 || m_rowOf[i + 1] != m_rowOf[i];
        opt.position = first && last ? QStyleOptionTab::OnlyOneTab
                       : first       ? QStyleOptionTab::Beginning
                       : last        ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
        if (!last && i + 1 == current)
            opt.selectedPosition = QStyleOptionTab::NextIsSelected;
        else if (!first && i - 1 == current)
            opt.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        else
            opt.selectedPosition = QStyleOptionTab::NotAdjacent;
        if (i == current)
            opt.state |= QStyle::State_Selected;
        opt.state &= ~QStyle::State_HasFocus;
        // Some styles draw a selected tab far below its rect to merge it with the page frame;
        // with fixed rows that would paint over the next row.
        p.save();
        p.setClipRect(i == current ? m_rects[i].adjusted(-kTopMargin, -kTopMargin, kTopMargin, 0)
                                   : m_rects[i]);
        style()->drawControl(QStyle::CE_TabBarTabShape, &opt, &p, this);
        p.restore();
        // The label is drawn here rather than by the style so it is centred in the whole tab;
        // the style's own padding would clip captions in our narrow tabs.
        style()->drawItemText(&p, m_rects[i], Qt::AlignCenter, opt.palette, isEnabled(),
                              m_captions[i], QPalette::WindowText);
    };

    // The selected tab last, so it overlaps its neighbours as the style expects.
    for (int i = 0; i < m_rects.size(); ++i)
        if (i != current)
            drawTab(i);
    if (current >= 0 && current < m_rects.size())
        drawTab(current);
}

} // namespace zorvane::ui
