#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>

#include "game/key_codes.h"
#include "game/shell.h"
#include "platform/headless_platform.h"
#include "scene/level_names.h"
#include "scene/pixel_rect.h"

namespace vexmire {

namespace {

// A build with sanitizers runs some six times slower, and plays a shorter session.
#ifdef VEXMIRE_SOAK_TICKS
constexpr long kSoakTicks = VEXMIRE_SOAK_TICKS;
#else
constexpr long kSoakTicks = 2'000'000;
#endif

// A long random session: keys pressed and released in any order, random keypad answers, a new
// game whenever one ends. After every tick the state must still be one the rules can reach.
class Soak {
  public:
    explicit Soak(unsigned seed) : random_(seed) { StartGame(); }

    void Run(long ticks) {
        for (long n = 0; n < ticks; ++n) {
            SendRandomKeys();
            if (!Survive([&] { game_->tmr_Timer(); })) continue;
            CheckSound();
            if (HasFailure()) return;
        }
    }
    int gamesPlayed() const { return gamesPlayed_; }

  private:
    static bool HasFailure() { return ::testing::Test::HasFailure(); }

    void StartGame() {
        platform_ = std::make_unique<HeadlessPlatform>();
        game_ = std::make_unique<Game>(*platform_);
        Form_Load(*game_);
        cmdRun_Click(*platform_);
        outOfPlay_.fill(false);
        ++gamesPlayed_;
    }

    // Runs one event; a game that ends is replaced by a new one.
    template <typename Event>
    bool Survive(Event event) {
        try {
            event();
            return true;
        } catch (const ProgramEnded&) {
            StartGame();
            return false;
        }
    }

    int16_t RandomKey() {
        static constexpr std::array<int16_t, 10> kKeys = {
            key::kLeft, key::kUp,    key::kRight, key::kDown,  key::kLeft,
            key::kUp,   key::kRight, key::kDown,  key::kSpace, key::kEnter};
        std::uniform_int_distribution<int> pick(0, 11);
        const int choice = pick(random_);
        if (choice < 10) return kKeys[static_cast<size_t>(choice)];
        return static_cast<int16_t>(std::uniform_int_distribution<int>(-32768, 32767)(random_));
    }

    void SendRandomKeys() {
        std::uniform_int_distribution<int> chance(0, 99);
        if (chance(random_) < 3) platform_->QueueAnswer(chance(random_) < 50 ? "3916" : "1234");
        if (chance(random_) < 8) {
            const int16_t code = RandomKey();
            Survive([&] { game_->Form_KeyDown(code, 0); });
        }
        if (chance(random_) < 4) {
            const int16_t code = RandomKey();
            Survive([&] { game_->Form_KeyUp(code, 0); });
        }
    }

    void CheckSound() {
        const GameState& vars = game_->vars;
        ASSERT_GE(vars.shotsFired, 0);
        ASSERT_LE(vars.shotsFired, 20);
        ASSERT_GE(vars.hitsTaken, 0);
        ASSERT_LE(vars.hitsTaken, 4);  // the fifth ends the game at once
        ASSERT_TRUE(vars.playerDX == -2 || vars.playerDX == 0 || vars.playerDX == 2);
        ASSERT_TRUE(vars.playerDY == -2 || vars.playerDY == 0 || vars.playerDY == 2);
        for (int k = 0; k < 20; ++k) CheckBall(k);
        if (game_->level.obstacles(obstacle::kEnemyTrigger).left() == place::kFired &&
            game_->level.enemy->visible) {
            ASSERT_EQ(vars.enemyShotDX, std::nearbyint((vars.targetX - 80) / 30.0));
            ASSERT_EQ(vars.enemyShotDY, std::nearbyint((vars.targetY - 56) / 30.0));
        }
    }

    void CheckBall(int k) {
        const int16_t dx = game_->vars.ballDX[static_cast<size_t>(k)];
        const int16_t dy = game_->vars.ballDY[static_cast<size_t>(k)];
        const bool fired = k < game_->vars.shotsFired;
        if (fired) {
            ASSERT_TRUE((dx == 0) != (dy == 0)) << "ball " << k;
            ASSERT_TRUE(dx == 0 || dx == 10 || dx == -10) << "ball " << k;
            ASSERT_TRUE(dy == 0 || dy == 10 || dy == -10) << "ball " << k;
        } else {
            ASSERT_TRUE(dx == 0 && dy == 0) << "unfired ball " << k;
        }
        const Entity& ball = game_->level.balls(k);
        const bool far = ball.left() <= -90000 || ball.top() <= -90000;
        if (outOfPlay_[static_cast<size_t>(k)]) {
            ASSERT_TRUE(far) << "ball " << k << " came back";
        }
        if (!far) return;
        outOfPlay_[static_cast<size_t>(k)] = true;
        for (int i = 0; i < 40; ++i) {
            ASSERT_FALSE(Overlaps(ball, game_->level.obstacles(i))) << "ball " << k << " on " << i;
        }
        ASSERT_FALSE(Overlaps(ball, *game_->level.enemy)) << "ball " << k;
    }

    std::mt19937 random_;
    std::unique_ptr<HeadlessPlatform> platform_;
    std::unique_ptr<Game> game_;
    std::array<bool, 20> outOfPlay_{};
    int gamesPlayed_ = 0;
};

TEST(Soak, TwoMillionRandomTicksKeepTheStateSound) {
    Soak soak(20261208);
    EXPECT_NO_THROW(soak.Run(kSoakTicks));
    // The session has to go through endings into new games, not only play the first one.
    EXPECT_GE(soak.gamesPlayed(), 2);
}

}  // namespace

}  // namespace vexmire
