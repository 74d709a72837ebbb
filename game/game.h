#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "game/platform.h"
#include "scene/scene.h"

namespace vexmire {

// The entities the rules address, resolved once when the scene is built, so that a tick
// never looks a name up.
struct LevelEntities {
    Entity* player = nullptr;      // imgPlayer
    Entity* enemy = nullptr;       // imgenemy
    Entity* enemyBall = nullptr;   // shpeBall
    Entity* tip = nullptr;         // lblTip
    Entity* facesUp = nullptr;     // imgUPlayer
    Entity* facesRight = nullptr;  // imgRPlayer
    Entity* facesDown = nullptr;   // imgDPlayer
    Entity* facesLeft = nullptr;   // imgLPlayer
    EntityArray obstacles;         // shpObstacle(0..39)
    EntityArray balls;             // shpBall(0..19)
    EntityArray glass;             // shpGlass(0..10)
    EntityArray lives;             // shpLife(0..4)
};

// The game window: its scene, its game state and the three events that drive all play.
// Dialogs, the beep and the end of the program go through the platform.
class Game {
  public:
    // Builds the scene from the level with the game state all zero; Form_Load is the shell's.
    explicit Game(Platform& platform);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void tmr_Timer();
    void Form_KeyDown(int16_t keyCode, int16_t shift);
    void Form_KeyUp(int16_t keyCode, int16_t shift);

    Scene scene;
    GameState vars;
    LevelEntities level;
    Platform& platform;
};

}  // namespace vexmire
