#include "platform/qt/fault_report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vexmire {

void EndOnProgramFault(const std::exception& fault) {
    std::string what = fault.what();
    std::replace(what.begin(), what.end(), '\n', ' ');
    std::fprintf(stderr, "vexmire: the game stopped on a fault of its own: %s\n", what.c_str());
    // The rules are in a state they never expected: nothing more of the game may run, not even
    // the windows' own teardown. What was written so far is kept.
    std::fflush(nullptr);
    std::_Exit(1);
}

}  // namespace vexmire
