#include "scene/utf8.h"

namespace vexmire {

namespace {

constexpr char32_t kNotACharacter = 0xFFFD;

// The length of the UTF-8 sequence that `lead` starts, 0 when it starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string decoded;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = SequenceLength(lead);
        bool wellFormed = length > 0 && i + length <= text.size();
        char32_t point = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and points past U+10FFFF are not characters.
        wellFormed = wellFormed && !(length == 3 && point < 0x800) &&
                     !(length == 4 && (point < 0x10000 || point > 0x10FFFF)) &&
                     !(point >= 0xD800 && point <= 0xDFFF);
        decoded += wellFormed ? point : kNotACharacter;
        i += wellFormed ? length : 1;
    }
    return decoded;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string encoded;
    for (const char32_t point : text) {
        if (point < 0x80) {
            encoded += static_cast<char>(point);
        } else if (point < 0x800) {
            encoded += static_cast<char>(0xC0 | (point >> 6));
            encoded += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            encoded += static_cast<char>(0xE0 | (point >> 12));
            encoded += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            encoded += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            encoded += static_cast<char>(0xF0 | (point >> 18));
            encoded += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            encoded += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            encoded += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return encoded;
}

}  // namespace vexmire
