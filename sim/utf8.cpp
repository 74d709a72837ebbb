#include "utf8.h"

#include <cstddef>

namespace {

// How many continuation bytes follow `lead`, and the range the first of them must fall in so
// that the sequence is neither overlong, nor a surrogate, nor beyond U+10FFFF.
struct LeadByte {
    int continuations;
    unsigned char firstMin;
    unsigned char firstMax;
};

bool Classify(unsigned char lead, LeadByte& result) {
    if (lead >= 0xC2 && lead <= 0xDF)
        result = {1, 0x80, 0xBF};
    else if (lead == 0xE0)
        result = {2, 0xA0, 0xBF};
    else if (lead == 0xED)
        result = {2, 0x80, 0x9F};
    else if (lead >= 0xE1 && lead <= 0xEF)
        result = {2, 0x80, 0xBF};
    else if (lead == 0xF0)
        result = {3, 0x90, 0xBF};
    else if (lead >= 0xF1 && lead <= 0xF3)
        result = {3, 0x80, 0xBF};
    else if (lead == 0xF4)
        result = {3, 0x80, 0x8F};
    else
        return false;
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        LeadByte expected{};
        if (!Classify(lead, expected)) return false;
        if (text.size() - i <= static_cast<size_t>(expected.continuations)) return false;
        const auto first = static_cast<unsigned char>(text[i + 1]);
        if (first < expected.firstMin || first > expected.firstMax) return false;
        for (int k = 2; k <= expected.continuations; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if (next < 0x80 || next > 0xBF) return false;
        }
        i += static_cast<size_t>(expected.continuations) + 1;
    }
    return true;
}
