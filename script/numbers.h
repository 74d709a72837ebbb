#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexmire {

// Numbers as a script writes them: decimal only, no '+', no blanks, no exponent, no hex, no
// "inf" or "nan". A word that is not such a number, or lies outside the range, is malformed;
// the message names the number as `what` ("key code", "tick count").

int64_t ParseWhole(std::string_view word, int64_t min, int64_t max, std::string_view what);

// A whole or decimal number ("-3", "2.5") that single precision holds as a finite value.
float ParseDecimal(std::string_view word, std::string_view what);

// The shortest decimal, without exponent, that reads back as the same single-precision value:
// whole values have no decimal point ("-99999"), others as few digits as they need ("0.1").
std::string FormatGeometry(float value);

}  // namespace vexmire
