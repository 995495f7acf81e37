#include "conversions.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace zorvane {

char16_t fold_full_width(char16_t c) {
    // The full-width row of GBK maps onto ASCII byte for byte; in Unicode it is U+FF01..U+FF5D
    // with the yen sign standing where U+FF04 would be.
    if (c >= 0xFF01 && c <= 0xFF5D && c != 0xFF04)
        return char16_t(c - 0xFEE0);
    switch (c) {
    case 0xFFE5: // ￥
        return u'$';
    case 0xFFE3: // ￣
    case 0xFF5E: // ～
        return u'~';
    case 0x3000: // ideographic space
        return u' ';
    case 0x2605:
    case 0x2606:
        return u'*';
    default:
        return c;
    }
}

namespace {

bool is_space(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Copies the longest prefix of the folded text that reads as a decimal number.
std::string leading_number(QStringView text) {
    std::string number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype k) { return k < n ? fold_full_width(text[k].unicode()) : u'\0'; };

    while (i < n && is_space(at(i)))
        ++i;
    if (at(i) == u'+' || at(i) == u'-')
        number += char(at(i++));
    bool digits = false;
    while (is_digit(at(i))) {
        number += char(at(i++));
        digits = true;
    }
    if (at(i) == u'.') {
        number += '.';
        ++i;
        while (is_digit(at(i))) {
            number += char(at(i++));
            digits = true;
        }
    }
    if (!digits)
        return {};
    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype j = i + 1;
        if (at(j) == u'+' || at(j) == u'-')
            ++j;
        if (is_digit(at(j))) {
            number += 'e';
            for (qsizetype k = i + 1; k < j; ++k)
                number += char(at(k));
            while (is_digit(at(j)))
                number += char(at(j++));
        }
    }
    return number;
}

locale_t c_locale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

double text_to_number(QStringView text) {
    const std::string number = leading_number(text);
    if (number.empty())
        return 0.0;
    // strtod_l in the C locale: overflow gives ±inf and underflow 0, as the C runtime does.
    return strtod_l(number.c_str(), nullptr, c_locale());
}

QString number_to_text(std::int32_t value) {
    return QString::number(value);
}

QString number_to_text(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

std::int32_t to_integer(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (value <= low)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= high)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int32_t parse_tag(QStringView tag) {
    qsizetype i = 0;
    while (i < tag.size() && is_space(tag[i].unicode()))
        ++i;
    bool negative = false;
    if (i < tag.size() && (tag[i] == u'+' || tag[i] == u'-'))
        negative = tag[i++] == u'-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    while (i < tag.size() && is_digit(tag[i].unicode())) {
        value = std::min(limit, value * 10 + (tag[i++].unicode() - u'0'));
    }
    value = negative ? -value : std::min(value, limit - 1);
    return std::int32_t(value);
}

} // namespace zorvane
