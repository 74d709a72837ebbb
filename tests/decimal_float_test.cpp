#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "script/decimal_float.h"

namespace vexmire {

namespace {

// The desktop's standard library converts floating point itself; the game's own conversions
// must agree with it on every value, so that a recording reads back alike in the browser.
std::string LibraryWrites(float value) {
    std::array<char, 64> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return std::string(text.data(), result.ptr);
}

std::optional<float> LibraryReads(const std::string& word) {
    float value = 0;
    const auto result =
        std::from_chars(word.data(), word.data() + word.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Every power of two with its neighbours, the whole values around the last exact integer, and
// a spread of random bit patterns: the places where shortest digits and ties are decided.
std::vector<float> SampledValues() {
    std::vector<float> values;
    for (int exponent = -149; exponent <= 127; ++exponent) {
        const float power = std::ldexp(1.0f, exponent);
        for (float value : {power, std::nextafter(power, 0.0f),
                            std::nextafter(power, std::numeric_limits<float>::infinity())}) {
            values.push_back(value);
            values.push_back(-value);
        }
    }
    for (float value = 16777200.0f; value < 16777300.0f; value = std::nextafter(value, 1e9f)) {
        values.push_back(value);
    }
    std::mt19937 random(23);
    while (values.size() < 100000) {
        const float value = std::bit_cast<float>(static_cast<uint32_t>(random()));
        if (std::isfinite(value)) values.push_back(value);
    }
    return values;
}

std::string RandomDigits(std::mt19937& random, size_t count) {
    std::string digits;
    for (size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
    return digits;
}

TEST(DecimalFloat, WritesWhatTheLibraryWritesAndReadsItBackExactly) {
    for (const float value : SampledValues()) {
        const std::string text = WriteDecimal(value);
        ASSERT_EQ(text, LibraryWrites(value)) << std::hexfloat << value;
        const std::optional<float> back = ReadDecimal(text);
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_EQ(std::bit_cast<uint32_t>(*back), std::bit_cast<uint32_t>(value)) << text;
    }
}

TEST(DecimalFloat, ReadsAndRefusesWhatTheLibraryReadsAndRefuses) {
    std::vector<std::string> words = {
        "0", "-0", "0.0", "007.50", "340282346638528859811704183484516925440",
        "340282356779733661637539395458142568447", "340282356779733661637539395458142568448",
        "1" + std::string(39, '0'), "0." + std::string(44, '0') + "7",
        "0." + std::string(44, '0') + "8", "0." + std::string(50, '0') + "1",
        // Exactly half the smallest value: the tie goes to zero, which is out of range.
        "0.00000000000000000000000000000000000000000000070064923216240861318760758377"
        "3337481526148682827949593547298"};
    std::mt19937 random(64);
    while (words.size() < 100000) {
        const size_t whole = 1 + random() % 42;
        std::string word = (random() % 2 ? "-" : "") + RandomDigits(random, whole);
        if (random() % 3 != 0) word += "." + RandomDigits(random, 1 + random() % 60);
        words.push_back(word);
    }
    for (const std::string& word : words) {
        const std::optional<float> expected = LibraryReads(word);
        const std::optional<float> read = ReadDecimal(word);
        ASSERT_EQ(read.has_value(), expected.has_value()) << word;
        if (read) {
            ASSERT_EQ(std::bit_cast<uint32_t>(*read), std::bit_cast<uint32_t>(*expected)) << word;
        }
    }
}

}  // namespace

}  // namespace vexmire
