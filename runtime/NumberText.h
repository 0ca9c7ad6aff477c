#pragma once

#include <cstdint>
#include <optional>

#include "runtime/Text.h"

namespace rt {

// The number rules of the numeric text fields. Both trim the text first
// (see trim) and accept only ASCII digits; anything else is not a number.

// An optional minus sign and one or more decimal digits whose value lies in
// the signed 32-bit range. No plus sign, point, grouping or inner blank.
std::optional<std::int32_t> parseInteger(StringView text);

// An optional sign, digits with an optional decimal point (at least one digit
// in all), and an optional exponent: e or E, an optional sign, digits. The
// result is the double nearest to the decimal value (correctly rounded); a
// value too small for any nonzero double reads as a zero of its sign, a
// magnitude beyond the largest double is not a number. The words NaN and
// Infinity, hexadecimal forms and a trailing type letter (d, f) are not
// accepted.
std::optional<double> parseDouble(StringView text);

}  // namespace rt
