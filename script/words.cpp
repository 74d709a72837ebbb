#include "script/words.h"

#include "script/malformed_line.h"

namespace vexmire {

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    for (;;) {
        const size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        if (word.empty()) throw MalformedLine("stray space: words are separated by single spaces");
        words.push_back(word);
        if (space == std::string_view::npos) return words;
        text.remove_prefix(space + 1);
    }
}

}  // namespace vexmire
