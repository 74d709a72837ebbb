#include <array>

#include "game/hints.h"
#include "game/rules.h"
#include "scene/level_names.h"

namespace vexmire {

namespace {

constexpr const char* kKeyCode = "3916";

Entity& Obstacle(Game& game, int16_t i) {
    return game.level.obstacles(i);
}

void SetHint(Game& game, const char* text) {
    game.level.tip->caption = text;
}

// A trigger leaves the field as it fires, so it fires once.
void WakeEnemy(Game& game, int16_t trigger) {
    Obstacle(game, trigger).SetLeft(place::kFired);
    RelaunchEnemyShot(game);
}

void PickUpKey(Game& game) {
    Entity& key = Obstacle(game, obstacle::kKey);
    key.SetLeft(place::kKeyHeldLeft);
    key.SetTop(place::kKeyHeldTop);
    key.SetWidth(place::kKeyHeldWidth);
    key.SetHeight(place::kKeyHeldHeight);
}

void AskForKeyCode(Game& game) {
    const std::string answer = game.platform.PromptForText("Enter The Key-Code", "Key Pad");
    if (answer != kKeyCode) return;
    Obstacle(game, obstacle::kKeypadZone).SetLeft(place::kFired);
    Obstacle(game, obstacle::kJailDoor).SetLeft(place::kFired);
    Obstacle(game, obstacle::kJailDoorZone).SetLeft(place::kFired);
}

void ReadNote(Game& game) {
    game.platform.ShowMessageBox("You have found a note, it says: 3916", "Clue!");
    Obstacle(game, obstacle::kNoteZone).SetLeft(place::kFired);
}

bool KeyHeld(Game& game) {
    return Obstacle(game, obstacle::kKey).left() == place::kKeyHeldLeft;
}

bool LeverDoorOpen(Game& game) {
    return Obstacle(game, obstacle::kLeverDoor).left() == place::kOpened;
}

bool LeverUp(Game& game) {
    return Obstacle(game, obstacle::kLever).left() == place::kLeverUp;
}

void OpenKeyDoor(Game& game) {
    Obstacle(game, obstacle::kKeyDoor).SetLeft(place::kOpened);
    Obstacle(game, obstacle::kKey).SetLeft(place::kOpened);  // the key is used up
    SetHint(game, "");
}

void PullLever(Game& game) {
    Obstacle(game, obstacle::kLever).SetLeft(place::kLeverPulled);
    Obstacle(game, obstacle::kLeverDoor).SetLeft(place::kOpened);
    Obstacle(game, obstacle::kNoteZone).SetLeft(place::kNoteInReach);
    SetHint(game, "");
}

void DefuseBomb(Game& game) {
    Obstacle(game, obstacle::kBombZone).SetLeft(place::kOpened);
    game.platform.ShowMessageBox("You win, congradulations", "Game Over!");
    game.platform.EndProgram();
}

// The eleven members of shpObstacle that act instead of pushing the player back, and what each
// does while the player overlaps it.
struct Zone {
    int16_t obstacle;
    void (*action)(Game& game);
};

constexpr std::array<Zone, 11> kZones = {{
    {obstacle::kEnemyTrigger, [](Game& game) { WakeEnemy(game, obstacle::kEnemyTrigger); }},
    {obstacle::kKeyDoorZone,
     [](Game& game) { SetHint(game, KeyHeld(game) ? hint::kOpenDoor : hint::kNeedKey); }},
    {obstacle::kKey, PickUpKey},
    {obstacle::kCornerTrigger, [](Game& game) { WakeEnemy(game, obstacle::kCornerTrigger); }},
    {obstacle::kLeverDoorZone,
     [](Game& game) { SetHint(game, LeverDoorOpen(game) ? "" : hint::kOpenElsewhere); }},
    {obstacle::kJailDoorZone, [](Game& game) { SetHint(game, hint::kJailDoor); }},
    {obstacle::kLeverZone,
     [](Game& game) { SetHint(game, LeverUp(game) ? hint::kPullLever : hint::kLeverDone); }},
    {obstacle::kKeypadZone, AskForKeyCode},
    {obstacle::kNoteZone, ReadNote},
    {obstacle::kGlassZone, [](Game& game) { SetHint(game, hint::kGlass); }},
    {obstacle::kBombZone, [](Game& game) { SetHint(game, hint::kDefuseBomb); }},
}};

const Zone* ZoneOf(int16_t i) {
    for (const Zone& zone : kZones) {
        if (zone.obstacle == i) return &zone;
    }
    return nullptr;
}

}  // namespace

bool IsTriggerZone(int16_t i) {
    return ZoneOf(i) != nullptr;
}

void RunZoneAction(Game& game, int16_t i) {
    if (const Zone* zone = ZoneOf(i)) zone->action(game);
}

// Enter acts on the hint alone, wherever the player stands.
void RunEnterAction(Game& game) {
    const std::string& caption = game.level.tip->caption;
    if (caption == hint::kOpenDoor) {
        OpenKeyDoor(game);
    } else if (caption == hint::kPullLever) {
        PullLever(game);
    } else if (caption == hint::kDefuseBomb) {
        DefuseBomb(game);
    }
}

}  // namespace vexmire
