#pragma once

#include <string_view>

namespace vexmire {

// What must hold after any script, whatever its bytes: an exit status of the driver's three, a
// JSON object on every line of standard output, and nothing on standard error but the one line
// of a failed run. A script that only plays (no `set`, no `var`) cannot put the game anywhere
// the rules cannot reach, so it never meets a fault of the program either. A broken rule
// aborts the process, which is how the fuzzer and the corpus replayer learn of it.
void CheckScriptRun(std::string_view script, int status, std::string_view out,
                    std::string_view err);

}  // namespace vexmire
