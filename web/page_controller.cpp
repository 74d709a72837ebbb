#include "web/page_controller.h"

#include <algorithm>
#include <cmath>

namespace vexmire {

namespace {

// A browser may report a broken axis as not a number; it counts as a stick at rest.
int StickAxis(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
}

}  // namespace

ControllerState PadState(uint32_t pressedButtons, double stickX, double stickY) {
    ControllerState state;
    for (int button = 0; button < kControllerButtons; ++button) {
        state.buttons[button] = ((pressedButtons >> button) & 1U) != 0;
    }
    state.stickX = StickAxis(stickX);
    state.stickY = StickAxis(stickY);
    return state;
}

const std::vector<int32_t>& PageController::Take(const ControllerState& now) {
    const ControllerChange change = mapping_.Update(now);
    words_ = {change.confirmed, change.pauseToggled, static_cast<int32_t>(change.keys.size())};
    for (const GameKey& key : change.keys) words_.push_back(key.down ? key.code : -key.code);
    return words_;
}

const std::vector<int32_t>& PageController::Repeats() {
    const std::vector<int16_t> keys = mapping_.RepeatingKeys();
    words_.assign(1, static_cast<int32_t>(keys.size()));
    words_.insert(words_.end(), keys.begin(), keys.end());
    return words_;
}

}  // namespace vexmire
