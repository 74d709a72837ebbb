#pragma once

#include <string>
#include <string_view>

namespace vexmire {

// A caption's or an answer's characters. A byte that does not belong to a well-formed UTF-8
// sequence (a cut sequence, an overlong form, a surrogate half, a point past U+10FFFF) stands
// for a character of its own, U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

std::string EncodeUtf8(std::u32string_view text);

}  // namespace vexmire
