#include "game/rules.h"
#include "scene/checked_int.h"
#include "scene/level_names.h"

namespace vexmire {

namespace {

// The aim origin: in 30 ticks the ball covers the way from here to the recorded target.
constexpr int16_t kAimOriginX = 80;
constexpr int16_t kAimOriginY = 56;

int16_t AimStep(int16_t target, int16_t origin) {
    return checked::ToInt16(static_cast<double>(checked::Subtract16(target, origin)) / 30.0,
                            "enemy shot velocity");
}

void MoveEnemyBall(Game& game) {
    Entity& ball = *game.level.enemyBall;
    ball.SetTop(ball.top() + static_cast<float>(game.vars.enemyShotDY));
    ball.SetLeft(ball.left() + static_cast<float>(game.vars.enemyShotDX));
}

}  // namespace

// Records where the player stands as the next target and puts the ball back at the enemy's
// gun; the velocity follows only at the next re-aim.
void RelaunchEnemyShot(Game& game) {
    const Entity& player = *game.level.player;
    const Entity& enemy = *game.level.enemy;
    Entity& ball = *game.level.enemyBall;
    game.vars.targetX = checked::ToInt16(player.left(), "enemy target");
    game.vars.targetY = checked::ToInt16(player.top(), "enemy target");
    ball.SetTop(enemy.top() + 20);
    ball.SetLeft(enemy.left() + 3);
}

// The move comes before the re-aim, so the tick of a launch still steps with the old velocity.
void AdvanceEnemyShot(Game& game) {
    for (int16_t i = 0; i <= obstacle::kLastEnemyBallStopper; ++i) CheckEnemyShotWalls(game, i);
    EntityArray& obstacles = game.level.obstacles;
    if (obstacles(obstacle::kEnemyTrigger).left() == place::kFired) {
        MoveEnemyBall(game);
        game.vars.enemyShotDX = AimStep(game.vars.targetX, kAimOriginX);
        game.vars.enemyShotDY = AimStep(game.vars.targetY, kAimOriginY);
    } else if (obstacles(obstacle::kCornerTrigger).left() == place::kFired) {
        // Woken only by the corner zone, the ball is never aimed and keeps its (0, 0).
        MoveEnemyBall(game);
    }
}

void CheckEnemyShotWalls(Game& game, int16_t i) {
    if (Overlaps(*game.level.enemyBall, game.level.obstacles(i))) RelaunchEnemyShot(game);
}

// Every ball is tested, with no early exit: each one that overlaps the enemy is hidden and the
// defeat is repeated with the same values.
void CheckBallsOnEnemy(Game& game) {
    LevelEntities& level = game.level;
    for (int16_t k = 0; k < kBallCount; ++k) {
        Entity& ball = level.balls(k);
        if (!Overlaps(ball, *level.enemy)) continue;
        ball.visible = false;
        level.enemy->visible = false;
        level.enemy->enabled = false;
        level.enemyBall->SetLeft(place::kOutOfPlay);
        level.obstacles(obstacle::kKey).visible = true;
    }
}

}  // namespace vexmire
