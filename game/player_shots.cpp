#include "game/rules.h"
#include "scene/checked_int.h"
#include "scene/level_names.h"
#include "scene/pixel_rect.h"

namespace vexmire {

namespace {

constexpr int16_t kLastBall = kBallCount;

enum class Facing { Right, Down, Left, Up, Unknown };

// The facing is the very sprite the player shows, asked in the order right, down, left, up.
Facing FacingOf(const LevelEntities& level) {
    const Sprite* shown = level.player->picture;
    if (shown == level.facesRight->picture) return Facing::Right;
    if (shown == level.facesDown->picture) return Facing::Down;
    if (shown == level.facesLeft->picture) return Facing::Left;
    if (shown == level.facesUp->picture) return Facing::Up;
    return Facing::Unknown;
}

// The ball appears at the gun, whatever lies there; Top is set before Left.
void PlaceBall(Game& game, int16_t n) {
    const Entity& player = *game.level.player;
    Entity& ball = game.level.balls(n);
    switch (FacingOf(game.level)) {
        case Facing::Right:
            ball.SetTop(player.top() + 18);
            ball.SetLeft(player.left() + 30);
            break;
        case Facing::Down:
            ball.SetTop(player.top() + 30);
            ball.SetLeft(player.left() + 3);
            break;
        case Facing::Left:
            ball.SetTop(player.top() + 3);
            ball.SetLeft(player.left() - 8);
            break;
        case Facing::Up:
            ball.SetTop(player.top() - 8);
            ball.SetLeft(player.left() + 18);
            break;
        case Facing::Unknown:
            break;
    }
}

void TakeOutOfPlay(Entity& ball) {
    ball.SetLeft(place::kOutOfPlay);
    ball.SetTop(place::kOutOfPlay);
}

void BreakGlass(Game& game, Entity& ball) {
    LevelEntities& level = game.level;
    level.obstacles(obstacle::kGlassPane).SetLeft(place::kOpened);
    TakeOutOfPlay(ball);
    for (int16_t shard = 0; shard < level.glass.size(); ++shard) level.glass(shard).visible = true;
    level.obstacles(obstacle::kGlassZone).SetLeft(place::kOpened);
}

}  // namespace

// After the twentieth shot there is no ball left to fire, and the press fires nothing.
void FireBall(Game& game) {
    if (game.vars.shotsFired >= kLastBall) return;
    game.vars.shotsFired = checked::Add16(game.vars.shotsFired, 1);
    const auto n = static_cast<int16_t>(game.vars.shotsFired - 1);
    AimShot(game, n);
    PlaceBall(game, n);
}

void AimShot(Game& game, int16_t n) {
    int16_t dx = 0;
    int16_t dy = 0;
    switch (FacingOf(game.level)) {
        case Facing::Right:
            dx = 10;
            break;
        case Facing::Down:
            dy = 10;
            break;
        case Facing::Left:
            dx = -10;
            break;
        case Facing::Up:
            dy = -10;
            break;
        case Facing::Unknown:
            return;
    }
    game.vars.BallDX(n) = dx;
    game.vars.BallDY(n) = dy;
}

// Moves the ball fired `offset` shots back; a ball out of play keeps its velocity and so
// keeps moving, with at least one coordinate far off the field.
void AdvanceBall(Game& game, int16_t offset) {
    if (game.vars.shotsFired < offset) return;
    const int16_t k = checked::Subtract16(game.vars.shotsFired, offset);
    Entity& ball = game.level.balls(k);
    ball.SetLeft(ball.left() + static_cast<float>(game.vars.BallDX(k)));
    ball.SetTop(ball.top() + static_cast<float>(game.vars.BallDY(k)));
}

// The balls' rectangles as the overlap test sees them, rounded once a tick for every obstacle
// that the tick tests them against; a contact writes a ball's new rectangle back.
BallPixels RoundBalls(const Game& game) {
    BallPixels balls;
    for (int16_t k = 0; k < kBallCount; ++k) balls.Set(k, RectOf(game.level.balls(k)));
    return balls;
}

// Every ball is tested, fired or not, hidden or not; the obstacle is read afresh after each
// contact, so a pane broken by one ball is already gone for the next.
void CheckBallHits(Game& game, int16_t i, BallPixels& balls) {
    const Entity& obstacle = game.level.obstacles(i);
    PixelRect obstacleRect = RectOf(obstacle);
    if (!balls.AnyOverlaps(obstacleRect)) return;
    for (int16_t k = 0; k < kBallCount; ++k) {
        if (!balls.Overlaps(k, obstacleRect)) continue;
        Entity& ball = game.level.balls(k);
        if (i == obstacle::kGlassPane) {
            BreakGlass(game, ball);
        } else if (i != obstacle::kGlassZone) {
            TakeOutOfPlay(ball);
        }
        balls.Set(k, RectOf(ball));
        obstacleRect = RectOf(obstacle);
    }
}

}  // namespace vexmire
