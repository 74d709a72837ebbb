#include "hints.h"
#include "rules.h"

namespace {

// Progress lives only in where things stand, compared exactly.
constexpr float kFired = -100;
constexpr float kOpened = -200;
constexpr float kKeyHeld = 440;
constexpr float kLeverUp = 792;
constexpr float kLeverPulled = 790;
constexpr float kNoteInReach = 736;
constexpr const char* kKeyCode = "3916";

Entity& Obstacle(Game& game, int16_t i) { return game.level.obstacles(i); }

void SetHint(Game& game, const char* text) { game.level.tip->caption = text; }

void WakeEnemy(Game& game, int16_t zone) {
    Obstacle(game, zone).SetLeft(kFired);
    RelaunchEnemyShot(game);
}

void PickUpKey(Game& game) {
    Entity& key = Obstacle(game, 23);
    key.SetLeft(kKeyHeld);  // it now stands upright in the status area
    key.SetTop(704);
    key.SetWidth(9);
    key.SetHeight(25);
}

void AskForKeyCode(Game& game) {
    const std::string answer = game.platform.PromptForText("Enter The Key-Code", "Key Pad");
    if (answer != kKeyCode) return;
    Obstacle(game, 28).SetLeft(kFired);
    Obstacle(game, 1).SetLeft(kFired);  // the jail door opens
    Obstacle(game, 26).SetLeft(kFired);
}

void ReadNote(Game& game) {
    game.platform.ShowMessageBox("You have found a note, it says: 3916", "Clue!");
    Obstacle(game, 30).SetLeft(kFired);
}

void OpenKeyDoor(Game& game) {
    Obstacle(game, 15).SetLeft(kOpened);
    Obstacle(game, 23).SetLeft(kOpened);  // the key is used up
    SetHint(game, "");
}

void PullLever(Game& game) {
    Obstacle(game, 17).SetLeft(kLeverPulled);
    Obstacle(game, 18).SetLeft(kOpened);
    Obstacle(game, 30).SetLeft(kNoteInReach);
    SetHint(game, "");
}

void DefuseBomb(Game& game) {
    Obstacle(game, 39).SetLeft(kOpened);
    game.platform.ShowMessageBox("You win, congradulations", "Game Over!");
    game.platform.EndProgram();
}

}  // namespace

bool IsTriggerZone(int16_t i) {
    switch (i) {
        case 21: case 22: case 23: case 24: case 25: case 26: case 27: case 28: case 30:
        case 32: case 39:
            return true;
        default:
            return false;
    }
}

void RunZoneAction(Game& game, int16_t i) {
    switch (i) {
        case 21: case 24: WakeEnemy(game, i); break;
        case 22:
            SetHint(game, Obstacle(game, 23).left() == kKeyHeld ? hint::kOpenDoor : hint::kNeedKey);
            break;
        case 23: PickUpKey(game); break;
        case 25:
            SetHint(game, Obstacle(game, 18).left() == kOpened ? "" : hint::kOpenElsewhere);
            break;
        case 26: SetHint(game, hint::kJailDoor); break;
        case 27:
            SetHint(game,
                    Obstacle(game, 17).left() == kLeverUp ? hint::kPullLever : hint::kLeverDone);
            break;
        case 28: AskForKeyCode(game); break;
        case 30: ReadNote(game); break;
        case 32: SetHint(game, hint::kGlass); break;
        case 39: SetHint(game, hint::kDefuseBomb); break;
        default: break;
    }
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
