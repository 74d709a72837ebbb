#pragma once

#include <cstdint>
#include <vector>

#include "game/controller_mapping.h"

namespace vexmire {

// The controller as the browser's Gamepad API reads it, in its standard layout: a bit for each
// button pressed, by the button's number, and the left stick's axes from -1 (left, up) to 1.
ControllerState PadState(uint32_t pressedButtons, double stickX, double stickY);

// The game's controller mapping for the page, which reads its answers as whole numbers from the
// module's memory.
class PageController {
  public:
    // What the controller standing so now means: whether a press confirmed, whether Start
    // toggled the pause, the number of keys, then the keys in order, each its code, negated for a
    // key that goes up.
    const std::vector<int32_t>& Take(const ControllerState& now);
    // The number of keys a held key's repeat presses now, then their codes.
    const std::vector<int32_t>& Repeats();

  private:
    ControllerMapping mapping_;
    std::vector<int32_t> words_;
};

}  // namespace vexmire
