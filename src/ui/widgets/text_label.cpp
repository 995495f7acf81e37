#include "ui/widgets/text_label.h"

#include <QAccessible>
#include <QEvent>
#include <QFontInfo>
#include <QPainter>
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

// Chinese characters and full-width punctuation: a line may break between any two of them,
// also before a closing quotation mark or after an opening one.
bool isChinese(char32_t c) {
    return QChar::script(c) == QChar::Script_Han || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || c == 0x2018 || c == 0x2019 || c == 0x201C ||
           c == 0x201D || c == 0x2014 || c == 0x2026;
}

char32_t codePointBefore(const QString& text, qsizetype at) {
    if (at >= 2 && text[at - 1].isLowSurrogate() && text[at - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[at - 2], text[at - 1]);
    return text[at - 1].unicode();
}

char32_t codePointAt(const QString& text, qsizetype at) {
    if (at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    return text[at].unicode();
}

// Punctuation that Chinese typesetting keeps on the line before it (closing marks) or with
// what follows (opening marks): a line never starts with "。" nor ends with "“".
bool closesPhrase(char32_t c) {
    return c <= 0xFFFF &&
           QStringView(u"。，、；：？！”’）」』】》〉〕〗．…｝］").contains(QChar(char16_t(c)));
}

bool opensPhrase(char32_t c) {
    return c <= 0xFFFF && QStringView(u"“‘（「『【《〈〔〖｛［").contains(QChar(char16_t(c)));
}

// Where a new line may start: after a run of blanks, and between two Chinese characters,
// unless that would part a punctuation mark from the text it belongs to.
bool mayBreakBefore(const QString& text, qsizetype at) {
    if (text[at].isLowSurrogate())
        return false;
    const char32_t before = codePointBefore(text, at);
    const char32_t after = codePointAt(text, at);
    if (closesPhrase(after) || opensPhrase(before))
        return false;
    if (before == U' ')
        return after != U' ';
    return isChinese(before) && isChinese(after);
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

// Greedy, as the label's own rule says: each line ends at the last blank or the last boundary
// between two Chinese characters that still fits; a line with no such place that fits is cut
// after its last fitting character. Blanks at a break stay at the end of their line.
void TextLabel::breakParagraph(const QString& paragraph) const {
    const QFontMetrics fm = fontMetrics();
    const int room = width();
    // More than two characters a pixel never fit: such runs are not measured, so a long text
    // without break places costs about the same for every line it fills.
    const qsizetype longest = 2 * qsizetype(room) + 1;
    // Width without the blanks at the end, which are not drawn.
    auto widthOf = [&](qsizetype start, qsizetype end) {
        while (end > start && paragraph[end - 1] == u' ')
            --end;
        if (end - start > longest)
            return room + 1;
        return fm.horizontalAdvance(paragraph.mid(start, end - start));
    };
    const qsizetype n = paragraph.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype lineEnd = -1;
        for (qsizetype end = start + 1; end <= n; ++end) {
            if (end - start > longest && paragraph[end - 1] != u' ')
                break;
            if (end < n && !mayBreakBefore(paragraph, end))
                continue;
            if (widthOf(start, end) > room)
                break;
            lineEnd = end;
        }
        if (lineEnd < 0) {
            // No break place fits: as many characters as fit, and at least one.
            lineEnd = start + (paragraph[start].isHighSurrogate() && start + 1 < n ? 2 : 1);
            for (qsizetype end = lineEnd + 1; end < n; ++end) {
                if (paragraph[end].isLowSurrogate())
                    continue;
                if (widthOf(start, end) > room)
                    break;
                lineEnd = end;
            }
        }
        m_lines.append(
            {paragraph.mid(start, lineEnd - start), std::min(widthOf(start, lineEnd), room)});
        start = lineEnd;
    }
}

const QList<TextLabel::Line>& TextLabel::laidOut() const {
    if (m_linesValid)
        return m_lines;
    m_lines.clear();
    if (!m_wrap) {
        const QString single = paragraphsOf(m_text).join(QString());
        m_lines.append({single, fontMetrics().horizontalAdvance(single)});
    } else {
        for (const QString& paragraph : paragraphsOf(m_text)) {
            if (paragraph.isEmpty())
                m_lines.append({QString(), 0});
            else
                breakParagraph(paragraph);
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
    const QList<Line>& lines = laidOut();

    // Lines stand one character height apart, whatever the face's ascent and descent: the
    // series lines must stay level with their answer boxes. The face's own line box is centred
    // on that pitch.
    const int pitch = QFontInfo(font()).pixelSize();
    const QFontMetricsF fm(font());
    const int baseline = qRound((pitch - fm.ascent() - fm.descent()) / 2 + fm.ascent());

    auto xFor = [&](int lineWidth) {
        if (m_alignment & Qt::AlignHCenter)
            return (width() - lineWidth) / 2;
        if (m_alignment & Qt::AlignRight)
            return width() - lineWidth;
        return 0;
    };

    if (!m_wrap) {
        const Line& line = lines.first();
        p.drawText(xFor(line.width), (height() - pitch) / 2 + baseline, line.text);
        return;
    }
    // Partly visible last lines are drawn and cut by the widget's own clip.
    for (int i = 0, top = 0; i < lines.size() && top < height(); ++i, top += pitch)
        p.drawText(xFor(lines[i].width), top + baseline, lines[i].text);
}

} // namespace zorvane::ui
