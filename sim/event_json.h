#pragma once

#include <string>

#include "platform/headless_platform.h"

namespace vexmire {

// One call of the rules or the shell to the platform as an event line, without the line end:
// {"event":"window","window":"Form1","visible":false}, {"event":"message",...} and so on.
std::string EventLine(const PlatformCall& call);

}  // namespace vexmire
