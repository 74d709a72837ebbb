#pragma once

#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

namespace vexmire {

// vexmire-sim's command line, the program's own name left out: answers --help and --version,
// or runs the script it names with RunScript, standard input (`in`) when it names none or "-".
// "--" ends the options, so that a script's name may start with "-". Returns the exit status:
// RunScript's, or 1 for a command line it cannot take or a script it cannot open, after one
// line on `err`.
int RunCommandLine(const std::vector<std::string_view>& arguments, std::istream& in,
                   std::ostream& out, std::ostream& err);

}  // namespace vexmire
