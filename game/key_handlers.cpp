#include "game/key_codes.h"
#include "game/rules.h"

namespace vexmire {

// Three independent branches, each looking at this one event's key code.
void Game::Form_KeyDown(int16_t keyCode, int16_t /*shift*/) {
    TurnAndStep(*this, keyCode);
    if (keyCode == key::kSpace) FireBall(*this);
    if (keyCode == key::kEnter) RunEnterAction(*this);
}

// Any key released stops the player, even one that never started it.
void Game::Form_KeyUp(int16_t /*keyCode*/, int16_t /*shift*/) {
    vars.playerDX = 0;
    vars.playerDY = 0;
}

// An arrow turns the player and sets the step on its own axis only, so two arrows of
// different axes walk diagonally while the sprite shows the one pressed last.
void TurnAndStep(Game& game, int16_t keyCode) {
    LevelEntities& level = game.level;
    switch (keyCode) {
        case key::kRight:
            level.player->picture = level.facesRight->picture;
            game.vars.playerDX = 2;
            break;
        case key::kDown:
            level.player->picture = level.facesDown->picture;
            game.vars.playerDY = 2;
            break;
        case key::kLeft:
            level.player->picture = level.facesLeft->picture;
            game.vars.playerDX = -2;
            break;
        case key::kUp:
            level.player->picture = level.facesUp->picture;
            game.vars.playerDY = -2;
            break;
        default:
            break;
    }
}

}  // namespace vexmire
