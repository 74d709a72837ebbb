#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vexmire {

// A script line that the driver cannot take as written. The driver stops at it with exit
// status 2 and names the line; the message says what is wrong in one line.
class MalformedLine : public std::runtime_error {
  public:
    explicit MalformedLine(const std::string& what) : std::runtime_error(what) {}
};

// The script's own text as it appears in a message: quoted, escaped so that the message stays
// one line, and cut short when long.
std::string Quoted(std::string_view text);

// A name from outside (a file name, a command-line argument) as it appears in a message: kept
// as it is when short, cut to at most `bytes` bytes and "..." when longer, so that a message
// stays readable whatever was typed; line ends become spaces, so that it stays one line.
std::string Shortened(std::string_view text, size_t bytes = 100);

}  // namespace vexmire
