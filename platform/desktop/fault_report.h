#pragma once

#include <string>

namespace vexmire {

// A fault of the program met inside a handler of a window (a ProgramFault, or any other
// exception but the end of the program): one line on standard error that names it, then the
// process ends with status 1. Let through, it would cross Qt's event loop and abort with a core.
[[noreturn]] void EndOnProgramFault(std::string what);

}  // namespace vexmire
