#pragma once

#include <string>

#include "scene/scene.h"

namespace vexmire {

// Paints the game window as the screen would show it now into a PNG of the window's client
// size at `path`. False, with the reason in `error`, when it cannot.
bool RenderGameWindow(const Scene& scene, const std::string& path, std::string& error);

}  // namespace vexmire
