// A caption drawn by the program: the whole box in the background colour, then the text
// without a text background. Wrapped labels break at CR LF, after blanks and between Chinese
// characters, and run from the top edge down; unwrapped labels are one vertically centred line.
// Lines are one character height apart.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zorvane::ui {

class TextLabel : public QWidget {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr);

    // Repaints only when the text really changes: callers rewrite the same text on a timer.
    void setText(const QString& text);
    QString text() const { return m_text; }

    void setWrap(bool wrap);
    bool wrap() const { return m_wrap; }

    // Only the horizontal part is used.
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }

    // The lines as they are drawn for the current text, font and width.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Line {
        QString text;
        int width; // without trailing blanks, for alignment
    };
    const QList<Line>& laidOut() const;
    void breakParagraph(const QString& paragraph) const;
    void invalidate();

    QString m_text;
    bool m_wrap = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    mutable QList<Line> m_lines;
    mutable bool m_linesValid = false;
};

} // namespace zorvane::ui
