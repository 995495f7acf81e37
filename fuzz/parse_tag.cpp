// Fuzz target: reading a control's tag. The result must be what strtoll reads from the same text
// (leading white space, a sign, decimal digits), held within the 32-bit range.
#include "forms/conversions.h"
#include "fuzz_input.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzz::utf16(data, size);
    std::string ascii;
    for (QChar c : text) // anything outside ASCII, and NUL, ends the digits
        ascii += c.unicode() > 0 && c.unicode() < 0x80 ? char(c.unicode()) : '\x7f';
    const long long read = std::strtoll(ascii.c_str(), nullptr, 10);
    constexpr long long low = std::numeric_limits<std::int32_t>::min();
    constexpr long long high = std::numeric_limits<std::int32_t>::max();
    const long long want = read < low ? low : read > high ? high : read;
    const std::int32_t got = zorvane::parse_tag(text);
    if (got != want) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "got %d, strtoll reads %lld", got, want);
        fuzz::fail("parse_tag reads as strtoll does", text, detail);
    }
    return 0;
}
