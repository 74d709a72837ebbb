#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/controller_mapping.h"
#include "game/key_codes.h"

namespace vexmire {

// A controller reaches the rules as the keys a keyboard sends: arrows, Space and Enter.
namespace {

using Keys = std::vector<int16_t>;
using Sent = std::vector<GameKey>;

ControllerState Stick(int x, int y) {
    ControllerState state;
    state.stickX = x;
    state.stickY = y;
    return state;
}

ControllerState Holding(std::initializer_list<ControllerButton> buttons) {
    ControllerState state;
    for (const ControllerButton button : buttons) state.Set(button, true);
    return state;
}

TEST(ControllerMapping, TheStickWalksOnlyBeyondItsDeadZoneAndADiagonalHoldsTwoArrows) {
    EXPECT_EQ(KeysHeld(Stick(kStickDeadZone, 0)), Keys{});
    EXPECT_EQ(KeysHeld(Stick(0, -kStickDeadZone)), Keys{});
    EXPECT_EQ(KeysHeld(Stick(5656, 5656)), Keys{});
    EXPECT_EQ(KeysHeld(Stick(kStickDeadZone + 1, 0)), Keys{key::kRight});
    EXPECT_EQ(KeysHeld(Stick(0, -kStickDeadZone - 1)), Keys{key::kUp});
    EXPECT_EQ(KeysHeld(Stick(-20000, 20000)), (Keys{key::kLeft, key::kDown}));
    // Pushed 20 degrees off straight right, the stick still walks straight.
    EXPECT_EQ(KeysHeld(Stick(32767, -11926)), Keys{key::kRight});
    EXPECT_EQ(KeysHeld(Holding({ControllerButton::DpadUp, ControllerButton::DpadLeft})),
              (Keys{key::kLeft, key::kUp}));
    // The D-pad and the stick on the same direction hold one key.
    ControllerState both = Stick(32767, 0);
    both.Set(ControllerButton::DpadRight, true);
    EXPECT_EQ(KeysHeld(both), Keys{key::kRight});
}

TEST(ControllerMapping, ADirectionGoesDownOnceAndLettingGoOfOneOfTwoLeavesTheOtherRepeating) {
    ControllerMapping mapping;
    ControllerState state = Holding({ControllerButton::DpadRight});
    EXPECT_EQ(mapping.Update(state).keys, (Sent{{true, key::kRight}}));
    EXPECT_EQ(mapping.Update(state).keys, Sent{});
    state.Set(ControllerButton::DpadUp, true);
    EXPECT_EQ(mapping.Update(state).keys, (Sent{{true, key::kUp}}));
    EXPECT_EQ(mapping.RepeatingKeys(), (Keys{key::kUp, key::kRight}));
    state.Set(ControllerButton::DpadUp, false);
    EXPECT_EQ(mapping.Update(state).keys, (Sent{{false, key::kUp}}));
    EXPECT_EQ(mapping.RepeatingKeys(), Keys{key::kRight});
    // Turned from right to left at once: the key-up comes first, so that the figure walks on.
    EXPECT_EQ(mapping.Update(Stick(-32767, 0)).keys,
              (Sent{{false, key::kRight}, {true, key::kLeft}}));
    EXPECT_EQ(mapping.Update(Stick(0, 0)).keys, (Sent{{false, key::kLeft}}));
    EXPECT_EQ(mapping.RepeatingKeys(), Keys{});
}

TEST(ControllerMapping, SouthFiresEastActsStartPausesAndSouthOrStartConfirmsWhenPressed) {
    ControllerMapping mapping;
    ControllerChange change = mapping.Update(Holding({ControllerButton::South}));
    EXPECT_EQ(change.keys, (Sent{{true, key::kSpace}}));
    EXPECT_TRUE(change.confirmed);
    EXPECT_FALSE(change.pauseToggled);
    // Held on, South is no new press; Enter, unlike Space, does not repeat.
    change = mapping.Update(Holding({ControllerButton::South, ControllerButton::East}));
    EXPECT_EQ(change.keys, (Sent{{true, key::kEnter}}));
    EXPECT_FALSE(change.confirmed);
    EXPECT_EQ(mapping.RepeatingKeys(), Keys{key::kSpace});
    change = mapping.Update(Holding({ControllerButton::Start}));
    EXPECT_EQ(change.keys, (Sent{{false, key::kSpace}, {false, key::kEnter}}));
    EXPECT_TRUE(change.confirmed);
    EXPECT_TRUE(change.pauseToggled);
    EXPECT_FALSE(mapping.Update(Holding({ControllerButton::Start})).pauseToggled);
}

}  // namespace

}  // namespace vexmire
