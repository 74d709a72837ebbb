#pragma once

namespace vexmire {

// The hint texts shown at the bottom right. Three of them also name what Enter does.
namespace hint {
constexpr const char* kOpenDoor = "Press Enter to open this door";
constexpr const char* kNeedKey = "You need a key to open this door";
constexpr const char* kOpenElsewhere = "You need to open this door from somewhere else";
constexpr const char* kJailDoor =
    "You need to enter the key-code into the keypad to unlock this jail door";
constexpr const char* kPullLever = "Press Enter to pull the lever";
constexpr const char* kLeverDone = "You have already activated this lever";
constexpr const char* kGlass = "It seems like you might be able to break this glass.. ";
constexpr const char* kDefuseBomb = "Press Enter to defuse the bomb, which explodes with rainbows";
}  // namespace hint

}  // namespace vexmire
