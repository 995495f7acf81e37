#include "controller/controller.h"
#include "layout/layout.h"
#include "layout/names.h"
#include "ui/fonts.h"
#include "ui/widgets/text_label.h"
#include "ui/widgets/widget_accessibility.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QFontInfo>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
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
    void initTestCase() {
        zorvane::ui::install_font_substitutions();
        zorvane::ui::apply_default_gui_font();
        zorvane::ui::installWidgetAccessibility();
    }
    void init();
    void cleanup() { m_label.reset(); }

    void breaksAtLineEnds_data();
    void breaksAtLineEnds();
    void breaksAtTheLastPlaceThatFits_data();
    void breaksAtTheLastPlaceThatFits();
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

void TestTextLabel::breaksAtTheLastPlaceThatFits_data() {
    using namespace zorvane;
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const Layout& layout = main_window_layout();
    auto caption = [&](QStringView name) { return layout.controls[layout.index_of(name)].text; };
    // Expected lines are separated by "|". A break never falls inside "25" or "(a,b,c,d)", nor
    // after an opening quotation mark; blanks at a break end their line.
    QTest::addRow("welcome") << names::welcome_label.toString() << caption(names::welcome_label)
                             << u"||请点击“开始测试”按钮开始测试 ^_^||"_s.split(u'|');
    QTest::addRow("instruction_at_start")
        << names::instruction_label.toString() << caption(names::instruction_label)
        << u"  这是一套在欧洲较为|流行的智商测试题目。|  请点击“开始测试”|按钮开始测试，点击|"
           u"“结束测试”按钮则结|束本次测试并给出当前|分数。|  测试限定在25分钟|"
           u"即1500秒内完成，届时|没有完成也会强制结束|并给出最后得分。"_s.split(u'|');
    QTest::addRow("instruction_grid")
        << names::instruction_label.toString() << instruction_for_page(1).toString()
        << u"第9-15题：请从右图中|选择一个正确|的(a,b,c,d)填入左图空|白方格中；"_s.split(u'|');
    QTest::addRow("instruction_pairs")
        << names::instruction_label.toString() << instruction_for_page(18).toString()
        << u"第26-29题：上图四个图|形中缺少两个图形，请|从下图中选择一组图|形(a b c d e)中选出两|"
           u"个填入上图空缺的方格|以使上图图形从逻辑角|度上能成双配对；"_s.split(u'|');
    QTest::addRow("series_one_question_a_line")
        << names::series_label.toString() << caption(names::series_label)
        << caption(names::series_label).split(u"\r\n"_s);
    QTest::addRow("word_wider_than_the_label_cut_where_it_overflows")
        << names::series_label.toString() << u"abcdefghijklmnopqrstuvwxyz0123456789"_s
        << u"abcdefghijklmnopqrstuvwxyz|0123456789"_s.split(u'|');
}

void TestTextLabel::breaksAtTheLastPlaceThatFits() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const zorvane::ControlEntry& entry =
        zorvane::main_window_layout().controls[zorvane::main_window_layout().index_of(label)];
    m_label->setFont(zorvane::ui::font_for(entry.font));
    m_label->resize(entry.box.width, entry.box.height);
    m_label->setText(text);
    QCOMPARE(m_label->lines(), lines);
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
    const int lineHeight = QFontInfo(m_label->font()).pixelSize();
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
    const int lineHeight = QFontInfo(m_label->font()).pixelSize();
    const int lineTop = wrap ? 0 : (size.height() - lineHeight) / 2;
    QVERIFY(ink.top() >= lineTop);
    QVERIFY(ink.bottom() < lineTop + lineHeight);
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
