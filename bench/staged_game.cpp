#include "bench/staged_game.h"

#include "game/rules.h"
#include "game/shell.h"
#include "scene/level_names.h"

namespace vexmire {

namespace {

constexpr int kBallsInFlight = 18;
constexpr int kWallUnderfoot = obstacle::kWallBelowStart;  // at 0, 312, 257 × 17

}  // namespace

PlaySnapshot::PlaySnapshot(const Game& game) : vars_(game.vars) {
    for (const Entity& e : game.scene.entities()) {
        entities_.push_back(
            {e.left(), e.top(), e.width(), e.height(), e.visible, e.enabled, e.picture, e.caption});
    }
}

void PlaySnapshot::Restore(Game& game) const {
    auto saved = entities_.begin();
    for (Entity& entity : game.scene.entities()) {
        entity.SetLeft(saved->left);
        entity.SetTop(saved->top);
        entity.SetWidth(saved->width);
        entity.SetHeight(saved->height);
        entity.visible = saved->visible;
        entity.enabled = saved->enabled;
        entity.picture = saved->picture;
        if (entity.caption != saved->caption) entity.caption = saved->caption;
        ++saved;
    }
    game.vars = vars_;
}

void StageQuietPlay(Game& game) {
    Form_Load(game);
    cmdRun_Click(game.platform);
}

void StageBusyPlay(Game& game) {
    StageQuietPlay(game);
    LevelEntities& level = game.level;

    // Standing on the wall's top edge, stepping down and right: every step down goes into
    // the wall and the wall pushes the player back up.
    Entity& player = *level.player;
    player.SetLeft(24);
    player.SetTop(level.obstacles(kWallUnderfoot).top() - player.height());
    game.vars.playerDX = 2;
    game.vars.playerDY = 2;

    level.obstacles(obstacle::kEnemyTrigger).SetLeft(place::kFired);  // as if crossed
    RelaunchEnemyShot(game);

    // Two rows of balls in the hall between the walls at 312 and 472, half flying right and
    // half flying left, as if fired over the last few seconds.
    for (int k = 0; k < kBallsInFlight; ++k) {
        Entity& ball = level.balls(k);
        ball.SetLeft(static_cast<float>(400 + 24 * (k % 9)));
        ball.SetTop(static_cast<float>(360 + 64 * (k / 9)));
        game.vars.BallDX(k) = k % 2 == 0 ? 10 : -10;
        game.vars.BallDY(k) = 0;
    }
    game.vars.shotsFired = kBallsInFlight;
}

bool StaysBusy(Game& game) {
    const PlaySnapshot start(game);
    bool busy = true;
    try {
        for (int n = 0; n < kBusyTicks; ++n) game.tmr_Timer();
        const Entity& player = *game.level.player;
        const Entity& wall = game.level.obstacles(kWallUnderfoot);
        busy = game.level.enemy->visible && game.vars.hitsTaken == 0 &&
               player.top() + player.height() >= wall.top() - 3 &&
               player.left() < wall.left() + wall.width();
    } catch (const ProgramEnded&) {
        busy = false;
    }
    start.Restore(game);
    return busy;
}

}  // namespace vexmire
