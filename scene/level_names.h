#pragma once

#include <cstdint>

namespace vexmire {

// What the members of shpObstacle are in the level table (level.cpp), by the part each plays.
// The rules address the level only through these names.
namespace obstacle {
constexpr int16_t kWallBelowStart = 0;  // under the room the player starts in
constexpr int16_t kJailDoor = 1;        // opened by the keypad code
constexpr int16_t kKeyDoor = 15;        // opened with the key
constexpr int16_t kLever = 17;
constexpr int16_t kLeverDoor = 18;     // opened by the lever
constexpr int16_t kEnemyTrigger = 21;  // the line below the enemy's room that wakes it
constexpr int16_t kKeyDoorZone = 22;
constexpr int16_t kKey = 23;
constexpr int16_t kCornerTrigger = 24;  // in the top-left corner, inside the walls
constexpr int16_t kLeverDoorZone = 25;
constexpr int16_t kJailDoorZone = 26;
constexpr int16_t kLeverZone = 27;
constexpr int16_t kKeypadZone = 28;
constexpr int16_t kNoteZone = 30;
constexpr int16_t kGlassPane = 31;
constexpr int16_t kGlassZone = 32;  // in front of the pane; balls pass through it
constexpr int16_t kBombZone = 39;

// The enemy's ball meets obstacles 0 to 21 only: the walls, the doors, the lever and the
// trigger that wakes the enemy, never the other zones, the key, the keypad, the pane or the bomb.
constexpr int16_t kLastEnemyBallStopper = kEnemyTrigger;
}  // namespace obstacle

// Places that the rules put things at and later compare exactly: progress is kept in them.
namespace place {
// Off the field.
constexpr float kFired = -100;        // a zone that has done its work; the jail door once opened
constexpr float kOpened = -200;       // doors 15 and 18 opened, the key used up, the pane broken
                                      // with its zone, the bomb defused
constexpr float kOutOfPlay = -99999;  // a ball that has hit something (Left and Top), and the
                                      // enemy's ball once the enemy is defeated (Left)

// The key, once picked up, stands upright in the status area.
constexpr float kKeyHeldLeft = 440;
constexpr float kKeyHeldTop = 704;
constexpr float kKeyHeldWidth = 9;
constexpr float kKeyHeldHeight = 25;

constexpr float kLeverUp = 792;      // where the level puts the lever
constexpr float kLeverPulled = 790;  // two pixels to the left
constexpr float kNoteInReach = 736;  // the note zone, brought from beyond the right wall
}  // namespace place

}  // namespace vexmire
