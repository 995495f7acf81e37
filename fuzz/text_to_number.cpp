// Fuzz target: reading the number at the start of a text. The result must match a reference that
// reads the same text another way, and the full-width forms of a text must read as it does.
#include "forms/conversions.h"
#include "fuzz_input.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

char16_t fold(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5D && c != 0xFF04)
        return char16_t(c - 0xFF01 + 0x21);
    switch (c) {
    case 0xFFE5:
        return '$';
    case 0xFFE3:
    case 0xFF5E:
        return '~';
    case 0x3000:
        return ' ';
    case 0x2605:
    case 0x2606:
        return '*';
    }
    return c;
}

// Folds, then lets from_chars read what follows the white space and sign. A text that does not
// go on with a digit, or a point and a digit, holds no number.
double reference(const QString& text, bool& out_of_range) {
    std::string ascii;
    for (QChar c : text) {
        const char16_t f = fold(c.unicode());
        ascii += f < 0x80 ? char(f) : '\x7f'; // no other character belongs to a number
    }
    auto at = [&](std::size_t k) { return k < ascii.size() ? ascii[k] : '\x7f'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    while (at(i) == ' ' || (at(i) >= '\t' && at(i) <= '\r'))
        ++i;
    bool negative = false;
    if (at(i) == '+' || at(i) == '-')
        negative = at(i++) == '-';
    if (!digit(at(i)) && !(at(i) == '.' && digit(at(i + 1))))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(ascii.data() + i, ascii.data() + ascii.size(), value,
                                        std::chars_format::general);
    out_of_range = result.ec == std::errc::result_out_of_range;
    return negative ? -value : value;
}

// A text with every ASCII character replaced by its full-width form.
QString widened(const QString& text) {
    QString wide = text;
    for (QChar& c : wide) {
        const char16_t u = c.unicode();
        if (u == ' ')
            c = QChar(char16_t(0x3000));
        else if (u == '$')
            c = QChar(char16_t(0xFFE5));
        else if (u == '~')
            c = QChar(char16_t(0xFF5E));
        else if (u >= 0x21 && u <= 0x7D)
            c = QChar(char16_t(u - 0x21 + 0xFF01));
    }
    return wide;
}

bool same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzz::utf16(data, size);
    const double got = zorvane::text_to_number(text);
    if (std::isnan(got))
        fuzz::fail("text_to_number never gives NaN", text, "");
    bool out_of_range = false;
    const double want = reference(text, out_of_range);
    // Beyond the range of a double the C runtime gives infinity or zero; from_chars gives nothing.
    const bool agrees = out_of_range ? std::isinf(got) || std::fabs(got) < 1e-300 : same(got, want);
    if (!agrees) {
        char detail[128];
        std::snprintf(detail, sizeof detail, "got %.17g, reference %.17g", got, want);
        fuzz::fail("text_to_number matches the reference reading", text, detail);
    }
    if (!same(zorvane::text_to_number(widened(text)), got))
        fuzz::fail("full-width forms read as ASCII", text, "");
    return 0;
}
