#include "platform/desktop/process_end.h"

#include <cstdio>
#include <cstdlib>

namespace vexmire {

void EndProcess(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

}  // namespace vexmire
