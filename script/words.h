#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vexmire {

// A script line taken apart at its first space: the command's verb and what follows it.
struct CommandLine {
    std::string_view verb;
    std::string_view rest;  // after the verb's space
    bool hasRest = false;   // whether the verb had a space after it at all
};

// Whether the line carries no command: blank, or a comment.
bool IsIgnored(std::string_view line);

// The verb and the rest of a line that is not ignored; a line that starts with a blank is
// malformed.
CommandLine SplitCommand(std::string_view line);

// The words of a script line, which are separated by single spaces: an empty word (a space at
// either end, or two in a row) is a malformed line.
std::vector<std::string_view> SplitWords(std::string_view text);

// The words after a verb: exactly `count` of them, or the line is malformed and `usage` shown.
std::vector<std::string_view> Arguments(const CommandLine& line, size_t count, const char* usage);

}  // namespace vexmire
