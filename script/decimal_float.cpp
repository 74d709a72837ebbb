#include "script/decimal_float.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vexmire {

namespace {

// A single-precision value has at most 112 significant decimal digits: printed with more, it is
// printed exactly. Nine always tell it apart from its neighbours.
constexpr int kExactDigits = 120;
constexpr int kDigitsThatAlwaysReadBack = 9;

// `digits` × 10^`scale`.
struct Decimal {
    std::string digits;
    int scale = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Read by the C library, which rounds correctly. The text has no decimal point, so the
// locale's plays no part.
float ReadScaled(bool negative, const Decimal& decimal) {
    const std::string text =
        (negative ? "-" : "") + decimal.digits + "e" + std::to_string(decimal.scale);
    return std::strtof(text.c_str(), nullptr);
}

// The magnitude's exact digits, the first of them not zero, scaled to end in the last one.
Decimal ExactDigits(float value) {
    std::array<char, kExactDigits + 16> printed{};
    std::snprintf(printed.data(), printed.size(), "%.*e", kExactDigits, static_cast<double>(value));
    Decimal exact;
    const char* c = printed.data();
    for (; *c != 'e'; ++c) {
        if (IsDigit(*c)) exact.digits += *c;
    }
    exact.scale = std::atoi(c + 1) - kExactDigits;
    return exact;
}

// One unit more in the last digit: "129" gives "130", "999" gives "1000".
std::string Incremented(std::string digits) {
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return digits;
        }
        *digit = '0';
    }
    return "1" + digits;
}

// Whether the cut-off digits are less than (-1), exactly (0) or more than (1) half a unit of
// the last digit kept.
int CompareWithHalf(std::string_view cutOff) {
    if (cutOff.front() != '5') return cutOff.front() < '5' ? -1 : 1;
    return cutOff.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
}

// Of the two decimals of `count` digits around the value, the one that reads back as the
// value, the nearer where both do (the even one at a tie); nothing when neither does.
std::optional<Decimal> ReadingBackWith(int count, const Decimal& exact, float value) {
    const bool negative = std::signbit(value);
    const int scale = exact.scale + static_cast<int>(exact.digits.size()) - count;
    const Decimal below{exact.digits.substr(0, static_cast<size_t>(count)), scale};
    const std::string_view cutOff = std::string_view(exact.digits).substr(below.digits.size());
    if (cutOff.find_first_not_of('0') == std::string_view::npos) return below;
    const Decimal above{Incremented(below.digits), scale};
    const bool belowReadsBack = ReadScaled(negative, below) == value;
    const bool aboveReadsBack = ReadScaled(negative, above) == value;
    if (belowReadsBack && aboveReadsBack) {
        const int order = CompareWithHalf(cutOff);
        const bool belowIsOdd = (below.digits.back() - '0') % 2 == 1;
        return order > 0 || (order == 0 && belowIsOdd) ? above : below;
    }
    if (belowReadsBack) return below;
    if (aboveReadsBack) return above;
    return std::nullopt;
}

// A value with a fraction, its digits placed around the decimal point.
std::string FixedNotation(bool negative, Decimal decimal) {
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
        ++decimal.scale;
    }
    const int whole = static_cast<int>(decimal.digits.size()) + decimal.scale;
    std::string text = negative ? "-" : "";
    if (whole > 0) {
        const auto point = static_cast<size_t>(whole);
        return text + decimal.digits.substr(0, point) + "." + decimal.digits.substr(point);
    }
    return text + "0." + std::string(static_cast<size_t>(-whole), '0') + decimal.digits;
}

}  // namespace

std::optional<float> ReadDecimal(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    Decimal decimal;
    bool inFraction = false;
    for (const char c : word.substr(negative ? 1 : 0)) {
        if (c == '.') {
            inFraction = true;
            continue;
        }
        decimal.digits += c;
        if (inFraction) --decimal.scale;
    }
    const float value = ReadScaled(negative, decimal);
    const bool notZero = decimal.digits.find_first_not_of('0') != std::string::npos;
    if (std::isinf(value) || (value == 0 && notZero)) return std::nullopt;
    return value;
}

std::string WriteDecimal(float value) {
    if (value == std::trunc(value)) {
        std::array<char, 64> whole{};  // FLT_MAX has 39 digits
        std::snprintf(whole.data(), whole.size(), "%.0f", static_cast<double>(value));
        return whole.data();
    }
    const Decimal exact = ExactDigits(value);
    for (int count = 1; count <= kDigitsThatAlwaysReadBack; ++count) {
        if (const auto shortest = ReadingBackWith(count, exact, value)) {
            return FixedNotation(std::signbit(value), *shortest);
        }
    }
    return FixedNotation(std::signbit(value), exact);
}

}  // namespace vexmire
