#pragma once

#include <cstdint>
#include <limits>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "scene/program_fault.h"

namespace vexmire {

// Every conversion from a real to an integer in the game rounds to nearest with ties to even,
// and a result that does not fit is a fault of the program, never a wrapped value.

namespace checked {

[[noreturn]] void ThrowOverflow(double value, const char* what);

// Rounds in the default rounding mode (nearest, ties to even). The x86 conversion does it in one
// instruction and answers INT32_MIN for anything that does not fit, NaN included.
inline int32_t ToInt32(double value, const char* what = "32-bit conversion") {
#if defined(__SSE2__)
    const int32_t rounded = _mm_cvtsd_si32(_mm_set_sd(value));
    if (rounded == std::numeric_limits<int32_t>::min() && !(value >= -2147483648.5 && value < 0)) {
        ThrowOverflow(value, what);
    }
    return rounded;
#else
    constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52: leaves a whole number behind
    if (!(value >= -2147483648.5 && value < 2147483647.5)) ThrowOverflow(value, what);
    const double rounded = (value + kShift) - kShift;
    if (rounded < -2147483648.0 || rounded > 2147483647.0) ThrowOverflow(value, what);
    return static_cast<int32_t>(rounded);
#endif
}

inline int16_t ToInt16(double value, const char* what = "16-bit conversion") {
    if (!(value > -40000.0 && value < 40000.0)) ThrowOverflow(value, what);
    const int32_t rounded = ToInt32(value, what);
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max()) {
        ThrowOverflow(value, what);
    }
    return static_cast<int16_t>(rounded);
}

// 16-bit integer arithmetic as the rules do it: the result must fit in 16 bits.
inline int16_t Add16(int16_t a, int16_t b) {
    return ToInt16(static_cast<int32_t>(a) + static_cast<int32_t>(b), "16-bit addition");
}

inline int16_t Subtract16(int16_t a, int16_t b) {
    return ToInt16(static_cast<int32_t>(a) - static_cast<int32_t>(b), "16-bit subtraction");
}

}  // namespace checked

}  // namespace vexmire
