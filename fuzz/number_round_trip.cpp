// Fuzz target: writing numbers as text and reading them back. The text of a real is that of
// printf's "%.13g", the text of an integer that of "%d", and reading a written text gives a number
// that is written the same way again.
#include "forms/conversions.h"
#include "fuzz_input.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

void expect_text(const char* property, const QString& got, const char* want) {
    if (got != QLatin1StringView(want))
        fuzz::fail(property, got, want);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double))
        return 0;
    double real = 0;
    std::memcpy(&real, data, sizeof real);
    std::int32_t integer = 0;
    if (size >= sizeof real + sizeof integer)
        std::memcpy(&integer, data + sizeof real, sizeof integer);
    else
        integer = std::int32_t(std::uint32_t(data[0]) * 2654435761u);

    char printed[64];
    std::snprintf(printed, sizeof printed, "%.13g", real);
    const QString text = zorvane::number_to_text(real);
    expect_text("a real is written as %.13g", text, printed);

    if (std::isfinite(real)) {
        const double back = zorvane::text_to_number(text);
        expect_text("a written real reads back to the same text", zorvane::number_to_text(back),
                    printed);
        const double whole = std::trunc(real);
        if (std::fabs(whole) < 1e13 &&
            zorvane::text_to_number(zorvane::number_to_text(whole)) != whole)
            fuzz::fail("a whole number below 1e13 survives the round trip", text, printed);
    }

    std::snprintf(printed, sizeof printed, "%d", integer);
    const QString int_text = zorvane::number_to_text(integer);
    expect_text("an integer is written as %d", int_text, printed);
    if (zorvane::text_to_number(int_text) != double(integer))
        fuzz::fail("an integer reads back unchanged", int_text, printed);

    // Truncation toward zero, saturating at the ends of the 32-bit range; NaN gives 0.
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    const double expected =
        std::isnan(real) ? 0.0 : std::fmin(std::fmax(std::trunc(real), low), high);
    if (double(zorvane::to_integer(real)) != expected)
        fuzz::fail("to_integer truncates toward zero and saturates", text, "");
    return 0;
}
