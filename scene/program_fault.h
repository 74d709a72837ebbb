#pragma once

#include <stdexcept>
#include <string>

namespace vexmire {

// A fault of the program itself (an index outside a family, a counter that would overflow),
// never a game event. It is raised loudly and never silently wrapped or clamped.
class ProgramFault : public std::logic_error {
  public:
    explicit ProgramFault(const std::string& what) : std::logic_error(what) {}
};

}  // namespace vexmire
