#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace vexmire {

// A longer line is refused rather than held in memory whole.
constexpr size_t kMaxLineBytes = 64 * 1024;

// Reads a script one line at a time and never ahead of the line asked for, so that a program
// driving the simulator through a pipe gets each answer before it writes its next command.
class ScriptReader {
  public:
    explicit ScriptReader(std::istream& in) : in_(in) {}

    // False at the end of the script. The line comes without its "\n" and without one final
    // "\r", so that scripts saved with CR LF line ends read the same. A line longer than
    // kMaxLineBytes, or one that is not UTF-8, is malformed (comments too: a script is text).
    // A UTF-8 byte-order mark at the very start of the script is passed over.
    // A UTF-8 byte-order mark at the start of the first line is passed over.
    bool Next(std::string& line);

    // The number of the line last read, counting from 1; 0 before the first.
    int lineNumber() const { return lineNumber_; }

  private:
    std::istream& in_;
    int lineNumber_ = 0;
};

}  // namespace vexmire
