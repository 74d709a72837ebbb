#include "game/rules.h"
#include "scene/checked_int.h"

namespace vexmire {

void CheckEnemyShotOnPlayer(Game& game) {
    if (!Overlaps(*game.level.enemyBall, *game.level.player)) return;
    game.vars.hitsTaken = checked::Add16(game.vars.hitsTaken, 1);
    RelaunchEnemyShot(game);
    UpdateLifeBars(game);
}

// The bars go from right to left; the last one is never hidden, as the fifth hit ends the game.
void UpdateLifeBars(Game& game) {
    const int16_t hits = game.vars.hitsTaken;
    if (hits >= 1 && hits <= 4) {
        game.level.lives(hits - 1).visible = false;
    } else if (hits == 5) {
        game.platform.ShowMessageBox("You have run out of health!", "Game Over!");
        game.platform.EndProgram();
    }
}

}  // namespace vexmire
