#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/game.h"
#include "game/key_codes.h"
#include "game/rules.h"
#include "game/shell.h"
#include "platform/headless_platform.h"

namespace vexmire {

// A game just started with New Game, driven without a window.
class GameTest : public ::testing::Test {
  protected:
    GameTest() : game(platform) {
        Form_Load(game);
        cmdRun_Click(platform);
        platform.ClearCalls();
    }

    Entity& player() { return *game.level.player; }
    Entity& enemy() { return *game.level.enemy; }
    Entity& enemyBall() { return *game.level.enemyBall; }
    Entity& obstacle(int i) { return game.level.obstacles(i); }
    Entity& ball(int k) { return game.level.balls(k); }
    const std::string& hint() { return game.level.tip->caption; }

    void Place(Entity& entity, float left, float top) {
        entity.SetLeft(left);
        entity.SetTop(top);
    }
    void Press(int16_t code) {
        game.Form_KeyDown(code, 0);
        game.Form_KeyUp(code, 0);
    }
    void Tick(int count = 1) {
        for (int n = 0; n < count; ++n) game.tmr_Timer();
    }
    // Runs ticks until the program ends; true when it did.
    bool TickUntilEnd(int limit) {
        try {
            Tick(limit);
        } catch (const ProgramEnded&) {
            return true;
        }
        return false;
    }

    HeadlessPlatform platform;
    Game game;
};

}  // namespace vexmire
