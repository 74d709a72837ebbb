#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "program_fault.h"

// Every conversion from a real to an integer in the game rounds to nearest with ties to even,
// and a result that does not fit is a fault of the program, never a wrapped value.

namespace checked {

template <typename Int>
Int RoundTo(double value, const char* what) {
    if (!std::isfinite(value)) throw ProgramFault(std::string(what) + ": not a finite number");
    const double rounded = std::nearbyint(value);  // default rounding mode: ties to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw ProgramFault(std::string(what) + ": " + std::to_string(value) + " overflows");
    }
    return static_cast<Int>(rounded);
}

inline int16_t ToInt16(double value, const char* what = "16-bit conversion") {
    return RoundTo<int16_t>(value, what);
}

inline int32_t ToInt32(double value, const char* what = "32-bit conversion") {
    return RoundTo<int32_t>(value, what);
}

// 16-bit integer arithmetic as the rules do it: the result must fit in 16 bits.
inline int16_t Add16(int16_t a, int16_t b) {
    return ToInt16(static_cast<int32_t>(a) + static_cast<int32_t>(b), "16-bit addition");
}

inline int16_t Subtract16(int16_t a, int16_t b) {
    return ToInt16(static_cast<int32_t>(a) - static_cast<int32_t>(b), "16-bit subtraction");
}

}  // namespace checked
