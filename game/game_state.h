#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexmire {

constexpr int kBallCount = 20;
constexpr int kObstacleCount = 40;

// The module variables of the game window: 16-bit signed, zero at load, never reset.
struct GameState {
    int16_t shotsFired = 0;
    int16_t playerDX = 0;
    int16_t playerDY = 0;
    std::array<int16_t, kBallCount> ballDX{};
    std::array<int16_t, kBallCount> ballDY{};
    int16_t enemyShotDX = 0;
    int16_t enemyShotDY = 0;
    int16_t targetX = 0;
    int16_t targetY = 0;
    int16_t hitsTaken = 0;

    // Ball k's velocity; there is no slot beyond the last ball.
    int16_t& BallDX(int k) { return ballDX[Slot(k)]; }
    int16_t& BallDY(int k) { return ballDY[Slot(k)]; }

    friend bool operator==(const GameState&, const GameState&) = default;

  private:
    static size_t Slot(int k) {
        if (k < 0 || k >= kBallCount) ThrowNoSlot(k);
        return static_cast<size_t>(k);
    }
    // Out of line, so that the check above stays a compare and a branch in every tick.
    [[noreturn]] static void ThrowNoSlot(int k);
};

}  // namespace vexmire
