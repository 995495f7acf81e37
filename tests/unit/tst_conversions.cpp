#include "forms/conversions.h"

#include <QTest>
#include <clocale>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zorvane;

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void text_to_number_reads_leading_decimal_data();
    void text_to_number_reads_leading_decimal();
    void text_to_number_ignores_the_locale();
    void text_to_number_overflows_to_infinity();
    void number_to_text_writes_like_printf_data();
    void number_to_text_writes_like_printf();
    void to_integer_truncates_toward_zero_data();
    void to_integer_truncates_toward_zero();
    void integers_write_like_percent_d();
    void tags_read_like_integers_data();
    void tags_read_like_integers();
};

void TestConversions::text_to_number_reads_leading_decimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addRow("plain") << u"1500"_s << 1500.0;
    QTest::addRow("empty") << QString() << 0.0;
    QTest::addRow("blanks_then_digits_then_letters") << u"  12abc"_s << 12.0;
    QTest::addRow("full_width_digits") << u"１５００"_s << 1500.0;
    QTest::addRow("full_width_sign_and_point") << u"－３．５"_s << -3.5;
    QTest::addRow("ideographic_space_is_white_space") << u"\u30007"_s << 7.0;
    QTest::addRow("seven_between_blanks") << u" 7 "_s << 7.0;
    QTest::addRow("negative_fraction") << u"-3.5"_s << -3.5;
    QTest::addRow("letters_only") << u"abc"_s << 0.0;
    QTest::addRow("exponent") << u"1e3"_s << 1000.0;
    QTest::addRow("full_width_exponent") << u"１Ｅ２"_s << 100.0;
    QTest::addRow("exponent_with_sign") << u"25e-1"_s << 2.5;
    QTest::addRow("dangling_exponent_is_ignored") << u"1e"_s << 1.0;
    QTest::addRow("dangling_exponent_sign_is_ignored") << u"2e+x"_s << 2.0;
    QTest::addRow("plus_sign") << u"+2"_s << 2.0;
    QTest::addRow("leading_point") << u".5"_s << 0.5;
    QTest::addRow("trailing_point") << u"5."_s << 5.0;
    QTest::addRow("sign_alone") << u"-"_s << 0.0;
    QTest::addRow("point_alone") << u"."_s << 0.0;
    QTest::addRow("two_signs") << u"+-1"_s << 0.0;
    QTest::addRow("tab_and_newline_skipped") << u"\t\n42"_s << 42.0;
    QTest::addRow("hex_is_not_read") << u"0x10"_s << 0.0;
    QTest::addRow("inf_word_is_not_read") << u"inf"_s << 0.0;
    QTest::addRow("stops_at_second_point") << u"1.2.3"_s << 1.2;
    QTest::addRow("full_width_dollar_yen_is_not_a_digit") << u"￥5"_s << 0.0;
    QTest::addRow("nul_stops_reading") << QString(u"12\0003"_s) << 12.0;
    QTest::addRow("underflow_reads_zero") << u"1e-400"_s << 0.0;
}

void TestConversions::text_to_number_reads_leading_decimal() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(text_to_number(text), expected);
}

void TestConversions::text_to_number_ignores_the_locale() {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE"))
        QSKIP("no German locale on this machine");
    const double read = text_to_number(u"2.5"_s);
    const QString written = number_to_text(2.5);
    std::setlocale(LC_ALL, saved.constData());
    QCOMPARE(read, 2.5);
    QCOMPARE(written, u"2.5"_s);
}

void TestConversions::text_to_number_overflows_to_infinity() {
    QCOMPARE(text_to_number(u"1e999"_s), std::numeric_limits<double>::infinity());
    QCOMPARE(text_to_number(u"-1e999"_s), -std::numeric_limits<double>::infinity());
    QCOMPARE(number_to_text(text_to_number(u"1e999"_s)), u"inf"_s);
}

void TestConversions::number_to_text_writes_like_printf_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::addRow("whole") << 1500.0 << u"1500"_s;
    QTest::addRow("countdown_step") << 1499.0 << u"1499"_s;
    QTest::addRow("zero") << 0.0 << u"0"_s;
    QTest::addRow("minus_one") << -1.0 << u"-1"_s;
    QTest::addRow("half") << 0.5 << u"0.5"_s;
    QTest::addRow("two_and_a_half") << 2.5 << u"2.5"_s;
    QTest::addRow("thirteen_significant_digits") << 1.0 / 3.0 << u"0.3333333333333"_s;
    QTest::addRow("exponent_from_1e13") << 1e13 << u"1e+13"_s;
    QTest::addRow("no_exponent_below_1e13") << 9999999999999.0 << u"9999999999999"_s;
    QTest::addRow("small_exponent") << 0.00001 << u"1e-05"_s;
    QTest::addRow("no_exponent_at_1e-4") << 0.0001 << u"0.0001"_s;
}

void TestConversions::number_to_text_writes_like_printf() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(number_to_text(value), expected);
}

void TestConversions::to_integer_truncates_toward_zero_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::addRow("positive_fraction") << 2.9 << 2;
    QTest::addRow("negative_fraction") << -2.9 << -2;
    QTest::addRow("whole") << 3.0 << 3;
    QTest::addRow("minus_half") << -0.5 << 0;
    QTest::addRow("just_below_26") << 25.999 << 25;
    QTest::addRow("nan_is_zero") << std::nan("") << 0;
    QTest::addRow("too_large_saturates") << 1e12 << std::numeric_limits<int>::max();
    QTest::addRow("too_small_saturates") << -1e12 << std::numeric_limits<int>::min();
}

void TestConversions::to_integer_truncates_toward_zero() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(to_integer(value), expected);
}

void TestConversions::integers_write_like_percent_d() {
    QCOMPARE(number_to_text(std::int32_t(174)), u"174"_s);
    QCOMPARE(number_to_text(std::int32_t(0)), u"0"_s);
    QCOMPARE(number_to_text(std::int32_t(-7)), u"-7"_s);
}

void TestConversions::tags_read_like_integers_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("expected");
    QTest::addRow("plain") << u"111"_s << 111;
    QTest::addRow("empty") << QString() << 0;
    QTest::addRow("digits_then_letters") << u"12ab"_s << 12;
    QTest::addRow("leading_blanks") << u"  7"_s << 7;
    QTest::addRow("signs") << u"-3"_s << -3;
    QTest::addRow("letters") << u"ab12"_s << 0;
    QTest::addRow("overflow_saturates") << u"99999999999"_s << std::numeric_limits<int>::max();
}

void TestConversions::tags_read_like_integers() {
    QFETCH(QString, tag);
    QFETCH(int, expected);
    QCOMPARE(parse_tag(tag), expected);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
