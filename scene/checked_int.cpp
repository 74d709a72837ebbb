#include "scene/checked_int.h"

#include <cmath>

namespace vexmire {

namespace checked {

void ThrowOverflow(double value, const char* what) {
    if (std::isnan(value)) throw ProgramFault(std::string(what) + ": not a number");
    throw ProgramFault(std::string(what) + ": " + std::to_string(value) + " does not fit");
}

}  // namespace checked

}  // namespace vexmire
