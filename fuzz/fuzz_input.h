// Shared by the fuzz targets: how bytes become a text, and how a broken property is reported.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Pairs of bytes are UTF-16 code units, little-endian, so any character is reachable: full-width
// forms, NUL, lone surrogates. A last odd byte is dropped.
inline QString utf16(const std::uint8_t* data, std::size_t size) {
    QString text;
    text.reserve(qsizetype(size / 2));
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

// Prints the text as code points, so that the failing input can be read, then stops the run.
[[noreturn]] inline void fail(const char* property, const QString& text, const char* detail) {
    std::fprintf(stderr, "property broken: %s\ninput:", property);
    for (QChar c : text)
        std::fprintf(stderr, " U+%04X", unsigned(c.unicode()));
    std::fprintf(stderr, "\n%s\n", detail);
    std::abort();
}

} // namespace fuzz
