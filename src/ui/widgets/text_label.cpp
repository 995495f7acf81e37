#include "ui/widgets/text_label.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QTextLayout>
#include <utility>

namespace zorvane::ui {

namespace {
// The paragraphs between CR LF, CR or LF. No regular expression: the first one compiled loads
// PCRE's code into memory (half a megabyte resident) just to split a label.
QStringList paragraphsOf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}
} // namespace

TextLabel::TextLabel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setFocusPolicy(Qt::NoFocus);
}

void TextLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    invalidate();
    if (QAccessible::isActive()) {
        // The caption is the accessible name unless the label has a name of its own; then
        // it is the description.
        QAccessibleEvent event(this, accessibleName().isEmpty() ? QAccessible::NameChanged
                                                                : QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TextLabel::setWrap(bool wrap) {
    if (std::exchange(m_wrap, wrap) != wrap)
        invalidate();
}

void TextLabel::setAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (std::exchange(m_alignment, alignment) != alignment)
        invalidate();
}

void TextLabel::invalidate() {
    m_linesValid = false;
    update();
}

void TextLabel::resizeEvent(QResizeEvent*) {
    if (m_wrap)
        invalidate();
}

void TextLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        invalidate();
    QWidget::changeEvent(event);
}

const QList<TextLabel::Line>& TextLabel::laidOut() const {
    if (m_linesValid)
        return m_lines;
    m_lines.clear();
    const QFontMetrics fm = fontMetrics();
    if (!m_wrap) {
        const QString single = paragraphsOf(m_text).join(QString());
        m_lines.append({single, fm.horizontalAdvance(single)});
    } else {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        const QStringList paragraphs = paragraphsOf(m_text);
        for (const QString& paragraph : paragraphs) {
            if (paragraph.isEmpty()) {
                m_lines.append({QString(), 0});
                continue;
            }
            QTextLayout layout(paragraph, font());
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width());
                m_lines.append({paragraph.mid(line.textStart(), line.textLength()),
                                qCeil(line.naturalTextWidth())});
            }
            layout.endLayout();
        }
    }
    m_linesValid = true;
    return m_lines;
}

QStringList TextLabel::lines() const {
    QStringList result;
    for (const Line& line : laidOut())
        result.append(line.text);
    return result;
}

void TextLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A label's text colour is its own: a disabled container (the tab control before a start)
    // must not grey the cover label it holds. Only the label's own flag greys it.
    const QPalette::ColorGroup group =
        testAttribute(Qt::WA_ForceDisabled) ? QPalette::Disabled : QPalette::Active;
    p.setPen(palette().color(group, QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    const QList<Line>& lines = laidOut();

    auto xFor = [&](int lineWidth) {
        if (m_alignment & Qt::AlignHCenter)
            return (width() - lineWidth) / 2;
        if (m_alignment & Qt::AlignRight)
            return width() - lineWidth;
        return 0;
    };

    if (!m_wrap) {
        const Line& line = lines.first();
        const int top = (height() - fm.height()) / 2;
        p.drawText(xFor(line.width), top + fm.ascent(), line.text);
        return;
    }
    // Partly visible last lines are drawn and cut by the widget's own clip.
    int top = 0;
    for (const Line& line : lines) {
        if (top >= height())
            break;
        p.drawText(xFor(line.width), top + fm.ascent(), line.text);
        top += fm.height();
    }
}

} // namespace zorvane::ui
