#include "game/game.h"

#include <string>

#include "scene/level.h"
#include "scene/program_fault.h"

namespace vexmire {

namespace {

LevelEntities ResolveEntities(Scene& scene) {
    LevelEntities level;
    level.player = &scene.Get("imgPlayer");
    level.enemy = &scene.Get("imgenemy");
    level.enemyBall = &scene.Get("shpeBall");
    level.tip = &scene.Get("lblTip");
    level.facesUp = &scene.Get("imgUPlayer");
    level.facesRight = &scene.Get("imgRPlayer");
    level.facesDown = &scene.Get("imgDPlayer");
    level.facesLeft = &scene.Get("imgLPlayer");
    level.obstacles = scene.Family("shpObstacle");
    level.balls = scene.Family("shpBall");
    level.glass = scene.Family("shpGlass");
    level.lives = scene.Family("shpLife");
    return level;
}

}  // namespace

void GameState::ThrowNoSlot(int k) {
    throw ProgramFault("ball velocity (" + std::to_string(k) + ") does not exist");
}

Game::Game(Platform& platform_) : platform(platform_) {
    BuildLevel(scene);
    level = ResolveEntities(scene);
}

}  // namespace vexmire
