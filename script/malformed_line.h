#pragma once

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

}  // namespace vexmire
