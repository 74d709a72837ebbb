#pragma once

#include <string_view>
#include <vector>

namespace vexmire {

// The words of a script line, which are separated by single spaces: an empty word (a space at
// either end, or two in a row) is a malformed line.
std::vector<std::string_view> SplitWords(std::string_view text);

}  // namespace vexmire
