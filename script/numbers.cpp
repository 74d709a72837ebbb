#include "script/numbers.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "script/decimal_float.h"
#include "script/malformed_line.h"

namespace vexmire {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Optional '-', then digits, then optionally '.' and more digits.
bool IsDecimal(std::string_view word, bool allowFraction) {
    size_t i = 0;
    if (i < word.size() && word[i] == '-') ++i;
    const size_t digitsStart = i;
    while (i < word.size() && IsDigit(word[i])) ++i;
    if (i == digitsStart) return false;
    if (i == word.size()) return true;
    if (!allowFraction || word[i] != '.') return false;
    const size_t fractionStart = ++i;
    while (i < word.size() && IsDigit(word[i])) ++i;
    return i > fractionStart && i == word.size();
}

std::string RangeText(int64_t min, int64_t max) {
    return std::to_string(min) + " to " + std::to_string(max);
}

}  // namespace

int64_t ParseWhole(std::string_view word, int64_t min, int64_t max, std::string_view what) {
    if (word.empty()) throw MalformedLine(std::string(what) + " is missing");
    if (!IsDecimal(word, false)) {
        throw MalformedLine(std::string(what) + " " + Quoted(word) +
                            " is not a whole decimal number");
    }
    int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max) {
        throw MalformedLine(std::string(what) + " " + Quoted(word) + " is out of range (" +
                            RangeText(min, max) + ")");
    }
    return value;
}

float ParseDecimal(std::string_view word, std::string_view what) {
    if (word.empty()) throw MalformedLine(std::string(what) + " is missing");
    if (!IsDecimal(word, true)) {
        throw MalformedLine(std::string(what) + " " + Quoted(word) +
                            " is not a decimal number such as 12 or -2.5");
    }
    const std::optional<float> value = ReadDecimal(word);
    if (!value) {
        throw MalformedLine(std::string(what) + " " + Quoted(word) +
                            " is out of range for a single-precision number");
    }
    return *value;
}

std::string FormatGeometry(float value) {
    return std::isfinite(value) ? WriteDecimal(value) : "null";
}

}  // namespace vexmire
