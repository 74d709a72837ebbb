#include "platform/desktop/fault_report.h"

#include <algorithm>
#include <cstdio>

#include "platform/desktop/process_end.h"

namespace vexmire {

void EndOnProgramFault(std::string what) {
    std::replace(what.begin(), what.end(), '\n', ' ');
    std::fprintf(stderr, "vexmire: the game stopped on a fault of its own: %s\n", what.c_str());
    // The rules are in a state they never expected: nothing more of the game may run, not even
    // the windows' own teardown. What was written so far is kept.
    EndProcess(1);
}

}  // namespace vexmire
