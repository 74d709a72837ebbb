#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

namespace vexmire {

// A game controller's buttons as the "standard" layout numbers them, which both the desktop's
// game-controller library and the browser's Gamepad API follow.
enum class ControllerButton {
    South = 0,  // A: fires, as Space does
    East = 1,   // B: does what Enter does
    Start = 9,  // pauses and goes on, as P does
    DpadUp = 12,
    DpadDown = 13,
    DpadLeft = 14,
    DpadRight = 15,
};
constexpr int kControllerButtons = 17;

// The left stick's travel from its centre, out of 32767, within which it counts as let go: a
// stick at rest seldom stands exactly in the middle, and a figure must not creep by itself.
constexpr int kStickDeadZone = 8000;

// Where the player's controller stands now: the buttons held, and the left stick from -32768
// (left, up) to 32767 (right, down).
struct ControllerState {
    std::bitset<kControllerButtons> buttons;
    int stickX = 0;
    int stickY = 0;

    bool Held(ControllerButton button) const { return buttons[static_cast<int>(button)]; }
    void Set(ControllerButton button, bool held) { buttons[static_cast<int>(button)] = held; }
    bool operator==(const ControllerState&) const = default;
};

// A key code going down or up, as the rules take it from the keyboard.
struct GameKey {
    bool down;
    int16_t code;
    bool operator==(const GameKey&) const = default;
};

// What a change of the controller means: the keys that go up, then the keys that go down (a
// figure turning from one direction to another walks on), and the presses that the windows take
// for themselves.
struct ControllerChange {
    std::vector<GameKey> keys;
    bool confirmed = false;     // South or Start went down: New Game, or OK in a message
    bool pauseToggled = false;  // Start went down
};

// The game keys that a controller's state holds down: the arrows of the D-pad and of the stick
// (two of them on a diagonal), Space for South and Enter for East.
std::vector<int16_t> KeysHeld(const ControllerState& state);

// Turns the controller's successive states into the key-downs and key-ups the keyboard would
// send: a direction reached by the D-pad or the stick or both goes down once and up once.
class ControllerMapping {
  public:
    ControllerChange Update(const ControllerState& now);
    // The key-downs that a held key's repeat sends: the held arrows, so that letting go of one of
    // two directions does not stop the walk the other holds, and Space, which keeps firing.
    std::vector<int16_t> RepeatingKeys() const;

  private:
    std::vector<int16_t> held_;
    bool southHeld_ = false;
    bool startHeld_ = false;
};

}  // namespace vexmire
