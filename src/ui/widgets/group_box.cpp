#include "ui/widgets/group_box.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace zorvane::ui {

void GroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    constexpr int captionLeft = 8;
    constexpr int captionGap = 2; // between the frame line and the caption on either side
    const QRect caption(captionLeft, 0, fm.horizontalAdvance(title()), fm.height());
    const QRect frame = rect().adjusted(0, caption.center().y(), 0, 0);
    p.save();
    p.setClipRegion(QRegion(rect()) - caption.adjusted(-captionGap, 0, captionGap, 0));
    qDrawShadeRect(&p, frame, palette(), true, 1, 0); // sunken outline and highlight: etched
    p.restore();
    style()->drawItemText(&p, caption, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}

} // namespace zorvane::ui
