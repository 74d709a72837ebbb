#pragma once

#include <cstdint>

#include "game/ball_pixels.h"
#include "game/game.h"
#include "scene/pixel_rect.h"

namespace vexmire {

// The rule procedures that the tick and the key handlers call, one concern per file.

// Walls and zones (wall_contact.cpp, trigger_zones.cpp)
void CheckPlayerContact(Game& game, int16_t i);
bool IsTriggerZone(int16_t i);
void RunZoneAction(Game& game, int16_t i);
void RunEnterAction(Game& game);

// Walking (key_handlers.cpp, tick.cpp)
void TurnAndStep(Game& game, int16_t keyCode);
void WalkPlayer(Game& game);

// The player's balls (player_shots.cpp)
void FireBall(Game& game);
void AimShot(Game& game, int16_t n);
void AdvanceBall(Game& game, int16_t offset);
BallPixels RoundBalls(const Game& game);
void CheckBallHits(Game& game, int16_t i, BallPixels& balls);

// The enemy and its ball (enemy.cpp)
void RelaunchEnemyShot(Game& game);
void AdvanceEnemyShot(Game& game);
void CheckEnemyShotWalls(Game& game, int16_t i);
void CheckBallsOnEnemy(Game& game);

// Health (health.cpp)
void CheckEnemyShotOnPlayer(Game& game);
void UpdateLifeBars(Game& game);

}  // namespace vexmire
