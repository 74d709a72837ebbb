#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexmire {

// Decimal text and single precision, converted exactly and alike on every build of the game:
// the browser's standard library has no floating-point from_chars or to_chars, and a recording
// must read back to the same geometry wherever it is replayed. Neither depends on the locale.

// The single-precision value nearest to `word`, ties to even. `word` is an optional '-',
// digits, and optionally '.' and more digits. Nothing when the value is out of range: too large
// to be finite, or not zero yet nearer to zero than to any other single-precision value.
std::optional<float> ReadDecimal(std::string_view word);

// A finite value in fixed notation: a whole value exactly, with no decimal point ("-99999",
// "340282346638528859811704183484516925440"); any other as the fewest significant digits that
// read back as the same value, the nearest of them where two would ("0.1", "0.00001").
std::string WriteDecimal(float value);

}  // namespace vexmire
