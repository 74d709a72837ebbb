#pragma once

#include "scene/scene.h"

namespace vexmire {

// The game window's client area and floor.
constexpr int kClientWidth = 838;
constexpr int kClientHeight = 759;
constexpr Colour kFloorColour = 0x00004080;

// Builds the game window's scene exactly as the level lays it out, before the load handler
// runs: every entity in stacking order (topmost first), then the timer `tmr`.
void BuildLevel(Scene& scene);

}  // namespace vexmire
