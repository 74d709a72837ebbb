#include "script/malformed_line.h"

#include <cstddef>
#include <nlohmann/json.hpp>

namespace vexmire {

namespace {

constexpr size_t kQuotedBytes = 40;

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string Quoted(std::string_view text) {
    if (text.size() <= kQuotedBytes) {
        return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    size_t cut = kQuotedBytes;
    while (cut > 0 && IsContinuationByte(text[cut])) --cut;  // never split a character
    return nlohmann::json(text.substr(0, cut))
               .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
           "...";
}

}  // namespace vexmire
