#include "script/words.h"

#include <string>

#include "script/malformed_line.h"

namespace vexmire {

bool IsIgnored(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

CommandLine SplitCommand(std::string_view line) {
    const size_t space = line.find(' ');
    CommandLine command{line.substr(0, space), {}, space != std::string_view::npos};
    if (command.hasRest) command.rest = line.substr(space + 1);
    if (command.verb.empty()) throw MalformedLine("a command starts at the beginning of its line");
    return command;
}

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

std::vector<std::string_view> Arguments(const CommandLine& line, size_t count, const char* usage) {
    std::vector<std::string_view> words;
    if (line.hasRest) words = SplitWords(line.rest);
    if (words.size() != count) throw MalformedLine(std::string("usage: ") + usage);
    return words;
}

}  // namespace vexmire
