#include "game/controller_mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/key_codes.h"

namespace vexmire {

namespace {

bool Contains(const std::vector<int16_t>& keys, int16_t code) {
    return std::find(keys.begin(), keys.end(), code) != keys.end();
}

// The stick points in one of eight directions, each the middle of a sector of 45 degrees: a
// stick pushed a little off straight still walks straight.
bool LeansAlong(int along, int across) {
    const double sectorEdge = std::sqrt(2.0) - 1;  // tan 22.5 degrees
    return std::abs(along) > sectorEdge * std::abs(across);
}

bool BeyondDeadZone(int x, int y) {
    const int64_t squared = int64_t{x} * x + int64_t{y} * y;
    return squared > int64_t{kStickDeadZone} * kStickDeadZone;
}

bool Pressed(const ControllerState& now, ControllerButton button, bool wasHeld) {
    return now.Held(button) && !wasHeld;
}

}  // namespace

std::vector<int16_t> KeysHeld(const ControllerState& state) {
    const bool stick = BeyondDeadZone(state.stickX, state.stickY);
    const bool stickX = stick && LeansAlong(state.stickX, state.stickY);
    const bool stickY = stick && LeansAlong(state.stickY, state.stickX);
    std::vector<int16_t> keys;
    if (state.Held(ControllerButton::DpadLeft) || (stickX && state.stickX < 0)) {
        keys.push_back(key::kLeft);
    }
    if (state.Held(ControllerButton::DpadUp) || (stickY && state.stickY < 0)) {
        keys.push_back(key::kUp);
    }
    if (state.Held(ControllerButton::DpadRight) || (stickX && state.stickX > 0)) {
        keys.push_back(key::kRight);
    }
    if (state.Held(ControllerButton::DpadDown) || (stickY && state.stickY > 0)) {
        keys.push_back(key::kDown);
    }
    if (state.Held(ControllerButton::South)) keys.push_back(key::kSpace);
    if (state.Held(ControllerButton::East)) keys.push_back(key::kEnter);
    return keys;
}

ControllerChange ControllerMapping::Update(const ControllerState& now) {
    const std::vector<int16_t> held = KeysHeld(now);
    ControllerChange change;
    for (const int16_t code : held_) {
        if (!Contains(held, code)) change.keys.push_back({false, code});
    }
    for (const int16_t code : held) {
        if (!Contains(held_, code)) change.keys.push_back({true, code});
    }
    change.pauseToggled = Pressed(now, ControllerButton::Start, startHeld_);
    change.confirmed = change.pauseToggled || Pressed(now, ControllerButton::South, southHeld_);
    held_ = held;
    southHeld_ = now.Held(ControllerButton::South);
    startHeld_ = now.Held(ControllerButton::Start);
    return change;
}

std::vector<int16_t> ControllerMapping::RepeatingKeys() const {
    std::vector<int16_t> keys = held_;
    std::erase(keys, key::kEnter);
    return keys;
}

}  // namespace vexmire
