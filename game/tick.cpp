#include "game/rules.h"

namespace vexmire {

// One tick, always in this order: obstacles against the player and the balls, the enemy's
// ball against the player, the player's step, the enemy, and last the balls in flight.
void Game::tmr_Timer() {
    BallPixels balls = RoundBalls(*this);
    for (int16_t i = 0; i < kObstacleCount; ++i) {
        CheckPlayerContact(*this, i);
        CheckBallHits(*this, i, balls);
    }
    CheckEnemyShotOnPlayer(*this);
    WalkPlayer(*this);
    if (level.enemy->visible) {
        AdvanceEnemyShot(*this);
        CheckBallsOnEnemy(*this);
    }
    // Offsets 1 to 18 only: a ball stops for good once 18 more have been fired after it.
    for (int16_t offset = 1; offset <= 18; ++offset) AdvanceBall(*this, offset);
}

void WalkPlayer(Game& game) {
    Entity& player = *game.level.player;
    player.SetLeft(player.left() + static_cast<float>(game.vars.playerDX));
    player.SetTop(player.top() + static_cast<float>(game.vars.playerDY));
}

}  // namespace vexmire
