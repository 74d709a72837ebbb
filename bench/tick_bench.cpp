#include <benchmark/benchmark.h>

#include <vector>

#include "bench/staged_game.h"
#include "game/game.h"
#include "platform/headless_platform.h"
#include "scene/entity.h"
#include "scene/pixel_rect.h"

using namespace vexmire;

// What one tick costs, and what the rectangle tests alone that it has to make would cost.

namespace {

// Runs ticks from `game`'s present state, putting the state back every kBusyTicks ticks so
// that every tick measured is one of the same stretch of play. Putting it back is timed with
// the ticks, a few nanoseconds a tick: stopping the clock around it would cost more, and
// would slow the ticks after it.
void RunTicks(benchmark::State& state, Game& game) {
    const PlaySnapshot start(game);
    int sinceStart = 0;
    for (auto _ : state) {
        game.tmr_Timer();
        if (++sinceStart == kBusyTicks) {
            start.Restore(game);
            sinceStart = 0;
        }
    }
}

void BM_Tick(benchmark::State& state) {
    HeadlessPlatform platform;
    Game game(platform);
    StageBusyPlay(game);
    if (!StaysBusy(game)) {
        state.SkipWithError("the busy state does not stay busy");
        return;
    }
    RunTicks(state, game);
}
BENCHMARK(BM_Tick);

// The state vexmire-sim starts in: its `tick N` is measured against this.
void BM_TickQuiet(benchmark::State& state) {
    HeadlessPlatform platform;
    Game game(platform);
    StageQuietPlay(game);
    RunTicks(state, game);
}
BENCHMARK(BM_TickQuiet);

// The rectangles of the busy state, rounded once into one flat array, in the order a tick
// reads them: the obstacles, the balls, then the player, the enemy and the enemy's ball.
struct FlatLevel {
    static constexpr int kObstacles = 40;
    static constexpr int kBalls = 20;
    static constexpr int kEnemyBallWalls = 22;  // the enemy's ball meets obstacles 0 to 21

    std::vector<PixelRect> rects;
    const PixelRect& obstacle(int i) const { return rects[static_cast<size_t>(i)]; }
    const PixelRect& ball(int k) const { return rects[static_cast<size_t>(kObstacles + k)]; }
    const PixelRect& player() const { return rects[kObstacles + kBalls]; }
    const PixelRect& enemy() const { return rects[kObstacles + kBalls + 1]; }
    const PixelRect& enemyBall() const { return rects[kObstacles + kBalls + 2]; }
};

FlatLevel FlattenBusyLevel() {
    HeadlessPlatform platform;
    Game game(platform);
    StageBusyPlay(game);
    const LevelEntities& level = game.level;
    FlatLevel flat;
    for (int i = 0; i < FlatLevel::kObstacles; ++i)
        flat.rects.push_back(RectOf(level.obstacles(i)));
    for (int k = 0; k < FlatLevel::kBalls; ++k) flat.rects.push_back(RectOf(level.balls(k)));
    flat.rects.push_back(RectOf(*level.player));
    flat.rects.push_back(RectOf(*level.enemy));
    flat.rects.push_back(RectOf(*level.enemyBall));
    return flat;
}

// Every test a busy tick makes, with the game's own Overlaps, on integer rectangles rounded
// once: 40 player tests and 40 × 20 ball tests, 22 tests of the enemy's ball against the walls,
// the one test of it against the player, and 20 tests of the balls against the enemy. The
// answers are counted, so that no test can be left out, and the rectangles are read afresh
// for every pass.
void BM_TickFloor(benchmark::State& state) {
    const FlatLevel flat = FlattenBusyLevel();
    for (auto _ : state) {
        int overlaps = 0;
        for (int i = 0; i < FlatLevel::kObstacles; ++i) {
            overlaps += Overlaps(flat.player(), flat.obstacle(i));
            for (int k = 0; k < FlatLevel::kBalls; ++k) {
                overlaps += Overlaps(flat.ball(k), flat.obstacle(i));
            }
        }
        overlaps += Overlaps(flat.enemyBall(), flat.player());
        for (int i = 0; i < FlatLevel::kEnemyBallWalls; ++i) {
            overlaps += Overlaps(flat.enemyBall(), flat.obstacle(i));
        }
        for (int k = 0; k < FlatLevel::kBalls; ++k)
            overlaps += Overlaps(flat.ball(k), flat.enemy());
        benchmark::DoNotOptimize(overlaps);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TickFloor);

}  // namespace

BENCHMARK_MAIN();
