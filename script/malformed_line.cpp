#include "script/malformed_line.h"

#include <cstddef>
#include <nlohmann/json.hpp>

namespace vexmire {

namespace {

constexpr size_t kQuotedBytes = 40;

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The first `bytes` bytes of a longer text, never splitting a character.
std::string_view Cut(std::string_view text, size_t bytes) {
    size_t cut = bytes;
    while (cut > 0 && IsContinuationByte(text[cut])) --cut;
    return text.substr(0, cut);
}

}  // namespace

std::string Quoted(std::string_view text) {
    const std::string_view kept = text.size() <= kQuotedBytes ? text : Cut(text, kQuotedBytes);
    std::string quoted =
        nlohmann::json(kept).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (kept.size() < text.size()) quoted += "...";
    return quoted;
}

std::string Shortened(std::string_view text, size_t bytes) {
    const std::string_view kept = text.size() <= bytes ? text : Cut(text, bytes);
    std::string shown(kept);
    for (char& c : shown) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    if (kept.size() < text.size()) shown += "...";
    return shown;
}

}  // namespace vexmire
