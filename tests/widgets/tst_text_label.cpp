#include "ui/widgets/text_label.h"
#include "ui/widgets/widget_accessibility.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QTest>
#include <memory>

using zorvane::test::inkBounds;
using zorvane::ui::TextLabel;

namespace {

const QRgb kFace = qRgb(10, 200, 10);

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestTextLabel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { zorvane::ui::installWidgetAccessibility(); }
    void init();
    void cleanup() { m_label.reset(); }

    void breaksAtLineEnds_data();
    void breaksAtLineEnds();
    void wrapsLongLinesInsideWidth_data();
    void wrapsLongLinesInsideWidth();
    void keepsWordsWhole();
    void drawsPartialLineAtBottomEdge();
    void alignsText_data();
    void alignsText();
    void sameTextDoesNotRepaint_data();
    void sameTextDoesNotRepaint();
    void accessibleNameShowsLineBreaks();
    void disabledContainerDoesNotGreyText();

private:
    QImage render() const {
        return m_label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    std::unique_ptr<TextLabel> m_label;
};

void TestTextLabel::init() {
    m_label = std::make_unique<TextLabel>();
    m_label->setFont(zorvane::test::songFont12());
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::Window, kFace);
    palette.setColor(QPalette::WindowText, Qt::black);
    m_label->setPalette(palette);
    m_label->setWrap(true);
}

void TestTextLabel::breaksAtLineEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("crlf_splits") << QStringLiteral("第1行\r\n第2行")
                                 << QStringList{QStringLiteral("第1行"), QStringLiteral("第2行")};
    QTest::addRow("empty_lines_around_text")
        << QStringLiteral("\r\n\r\n请点击\r\n\r\n")
        << QStringList{QString(), QString(), QStringLiteral("请点击"), QString(), QString()};
    QTest::addRow("blank_only_line_kept")
        << QStringLiteral("A\r\n  \r\nB")
        << QStringList{QStringLiteral("A"), QStringLiteral("  "), QStringLiteral("B")};
    QTest::addRow("leading_blanks_kept")
        << QStringLiteral("  这是") << QStringList{QStringLiteral("  这是")};
}

void TestTextLabel::breaksAtLineEnds() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    m_label->resize(400, 200);
    m_label->setText(text);
    QCOMPARE(m_label->lines(), lines);
}

void TestTextLabel::wrapsLongLinesInsideWidth_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addRow("instruction_paragraphs")
        << QStringLiteral(
               "  这是一套在欧洲较为流行的智商测试题目。\r\n  请点击“开始测试”按钮开始测试，"
               "点击“结束测试”按钮则结束本次测试并给出当前分数。")
        << 128;
    QTest::addRow("chinese_without_punctuation")
        << QStringLiteral("这是一套在欧洲较为流行的智商测试题目") << 128;
    QTest::addRow("mixed_digits_and_chinese")
        << QStringLiteral("测试限定在25分钟即1500秒内完成，届时没有完成也会强制结束") << 128;
}

void TestTextLabel::wrapsLongLinesInsideWidth() {
    QFETCH(QString, text);
    QFETCH(int, width);
    m_label->resize(width, 400);
    m_label->setText(text);
    const QFontMetrics fm(m_label->font());
    const QStringList lines = m_label->lines();
    const QStringList paragraphs = text.split(QStringLiteral("\r\n"));
    QVERIFY(lines.size() > paragraphs.size());

    // Nothing lost or reordered, and no line wider than the label.
    QCOMPARE(lines.join(QString()), paragraphs.join(QString()));
    for (const QString& line : lines) {
        QString visible = line;
        while (visible.endsWith(QLatin1Char(' ')))
            visible.chop(1);
        QVERIFY2(fm.horizontalAdvance(visible) <= width, qPrintable(line));
    }

    // Each break is as late as possible: the next unit would not have fitted, unless
    // the break was moved back to keep punctuation off the start of a line.
    int consumed = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        consumed += int(lines[i].size());
        const QString& next = lines[i + 1];
        if (next.isEmpty() || text.mid(consumed, 2) == QStringLiteral("\r\n")) {
            consumed += text.mid(consumed, 2) == QStringLiteral("\r\n") ? 2 : 0;
            continue;
        }
        // The unit after a break: one Chinese character, or a whole run of letters or digits.
        auto isHan = [](QChar c) { return c.script() == QChar::Script_Han; };
        qsizetype unit = 1;
        if (!isHan(next.front()))
            while (unit < next.size() && next[unit].isLetterOrNumber() && !isHan(next[unit]))
                ++unit;
        const QString longer = lines[i] + next.left(unit);
        const bool punctuationNearBreak = next.front().isPunct() ||
                                          (next.size() > 1 && next.at(1).isPunct()) ||
                                          lines[i].back().isPunct();
        if (!punctuationNearBreak)
            QVERIFY2(fm.horizontalAdvance(longer) > width, qPrintable(lines[i]));
    }
}

void TestTextLabel::keepsWordsWhole() {
    m_label->resize(70, 200);
    const QString text = QStringLiteral("alpha beta gamma delta epsilon");
    m_label->setText(text);
    const QStringList lines = m_label->lines();
    QVERIFY(lines.size() > 1);
    for (const QString& line : lines)
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(text.split(QLatin1Char(' ')).contains(word), qPrintable(word));
}

void TestTextLabel::drawsPartialLineAtBottomEdge() {
    const QFontMetrics fm(m_label->font());
    const int lineHeight = fm.height();
    m_label->resize(128, 2 * lineHeight + lineHeight / 2);
    m_label->setText(QStringLiteral("一行\r\n二行\r\n三国国国\r\n四行"));
    QCOMPARE(m_label->lines().size(), 4);
    const QImage shot = render();
    QCOMPARE(shot.height(), m_label->height());
    const QImage cut = shot.copy(0, 2 * lineHeight, shot.width(), shot.height() - 2 * lineHeight);
    QVERIFY2(!inkBounds(cut, kFace).isEmpty(), "the partly visible third line was not drawn");
    QCOMPARE(shot.pixel(0, 0), kFace);
    QCOMPARE(shot.pixel(shot.width() - 1, shot.height() - 1), kFace);
}

void TestTextLabel::alignsText_data() {
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("alignment");
    QTest::addRow("wrapped_centred") << true << int(Qt::AlignHCenter);
    QTest::addRow("wrapped_left") << true << int(Qt::AlignLeft);
    QTest::addRow("wrapped_right") << true << int(Qt::AlignRight);
    QTest::addRow("single_line_left") << false << int(Qt::AlignLeft);
    QTest::addRow("single_line_centred") << false << int(Qt::AlignHCenter);
}

void TestTextLabel::alignsText() {
    QFETCH(bool, wrap);
    QFETCH(int, alignment);
    const QSize size(200, 60);
    m_label->resize(size);
    m_label->setWrap(wrap);
    m_label->setAlignment(Qt::Alignment(alignment) | Qt::AlignBottom);
    m_label->setText(QStringLiteral("国国国国"));
    const QImage shot = render();
    const QRect ink = inkBounds(shot, kFace);
    QVERIFY(!ink.isEmpty());

    const int leftGap = ink.left();
    const int rightGap = size.width() - 1 - ink.right();
    if (alignment == Qt::AlignHCenter)
        QVERIFY2(qAbs(leftGap - rightGap) <= 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(leftGap).arg(rightGap)));
    else if (alignment == Qt::AlignLeft)
        QVERIFY(leftGap <= 2);
    else
        QVERIFY(rightGap <= 2);

    // Wrapped text starts at the top whatever the vertical alignment asks; a single line
    // is centred vertically.
    const QFontMetrics fm(m_label->font());
    const int lineTop = wrap ? 0 : (size.height() - fm.height()) / 2;
    QVERIFY(ink.top() >= lineTop);
    QVERIFY(ink.bottom() < lineTop + fm.height());
}

void TestTextLabel::sameTextDoesNotRepaint_data() {
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("repaints");
    QTest::addRow("same_text") << QStringLiteral("第一组\r\n说明") << false;
    QTest::addRow("new_text") << QStringLiteral("第二组\r\n说明") << true;
}

void TestTextLabel::sameTextDoesNotRepaint() {
    QFETCH(QString, second);
    QFETCH(bool, repaints);
    m_label->resize(128, 152);
    m_label->setText(QStringLiteral("第一组\r\n说明"));
    m_label->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_label.get()));
    PaintCounter counter;
    m_label->installEventFilter(&counter);
    QTest::qWait(50);
    counter.count = 0;

    m_label->setText(second);
    QTest::qWait(100);

    QCOMPARE(counter.count > 0, repaints);
    QCOMPARE(m_label->text(), second);
}

void TestTextLabel::accessibleNameShowsLineBreaks() {
    m_label->setText(QStringLiteral("\r\n第1题：  A, D\r\n\r\n第2题"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(m_label.get());
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("\n第1题：  A, D\n\n第2题"));
}

void TestTextLabel::disabledContainerDoesNotGreyText() {
    QWidget container;
    auto* label = new TextLabel(&container);
    label->setFont(zorvane::test::songFont12());
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kFace);
    palette.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(palette);
    label->resize(128, 40);
    label->setText(QStringLiteral("请点击开始"));
    container.setEnabled(false);
    auto darkest = [&] {
        const QImage shot = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int gray = 255;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                gray = std::min(gray, qGray(shot.pixel(x, y)));
        return gray;
    };
    QVERIFY2(darkest() < 40, "a label in a disabled container lost its black text");
    label->setEnabled(false);
    container.setEnabled(true);
    QVERIFY(darkest() >= 100); // its own disabled flag still greys it
}

QTEST_MAIN(TestTextLabel)
#include "tst_text_label.moc"
