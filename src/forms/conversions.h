// Number and text conversions of the form services. All are locale-independent.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

namespace zorvane {

// Full-width forms are read as their ASCII counterparts, then the leading decimal number is read;
// a text that does not start with a number reads as 0.
double text_to_number(QStringView text);

QString number_to_text(std::int32_t value); // as "%d"
QString number_to_text(double value);       // as "%.13g"

// Truncates toward zero; NaN gives 0 and values beyond the 32-bit range saturate.
std::int32_t to_integer(double value);

// Reads a tag: leading white space, optional sign, digits up to the first non-digit; no digits
// gives 0. Values beyond the 32-bit range saturate.
std::int32_t parse_tag(QStringView tag);

// The ASCII reading of one character under the full-width mapping.
char16_t fold_full_width(char16_t c);

} // namespace zorvane
