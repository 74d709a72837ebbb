#pragma once

#include <istream>
#include <ostream>

namespace vexmire {

// Runs a whole script as `vexmire-sim` does and returns its exit status: 0 when the script ran
// to its end or the game ended, 2 at a malformed line, 1 at any other failure (a programming
// fault of the rules, a render that failed). Whatever the input, it returns; it never throws.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vexmire
