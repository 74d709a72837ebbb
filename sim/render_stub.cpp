#include "sim/render.h"

namespace vexmire {

// Stands in for the painter in builds that have none, so that `render` fails cleanly.
bool RenderGameWindow(const Scene& /*scene*/, const std::string& /*path*/, std::string& error) {
    error = "rendering is not available in this build";
    return false;
}

}  // namespace vexmire
