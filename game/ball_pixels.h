#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "game/game_state.h"
#include "scene/pixel_rect.h"

namespace vexmire {

// The balls' pixels, rounded once a tick and kept one row per edge, so that an obstacle is
// tested against all twenty balls in a few vector instructions: a tick asks this of every
// obstacle, and almost always no ball is there. Among the obstacles only a ball's own hit moves
// it, and the hit puts the ball's new pixels back here.
class BallPixels {
  public:
    void Set(int16_t k, const PixelRect& rect) {
        const auto at = static_cast<size_t>(k);
        // An empty ball overlaps nothing; kept inside out, it fails every comparison below.
        const bool empty = rect.left >= rect.right || rect.top >= rect.bottom;
        left_[at] = empty ? kMost : rect.left;
        top_[at] = empty ? kMost : rect.top;
        right_[at] = empty ? kLeast : rect.right;
        bottom_[at] = empty ? kLeast : rect.bottom;
    }

    // Exactly Overlaps(ball k, rect).
    bool Overlaps(int16_t k, const PixelRect& rect) const {
        const auto at = static_cast<size_t>(k);
        return Meets(left_[at], top_[at], right_[at], bottom_[at], rect);
    }

    // Whether any ball overlaps `rect`.
    bool AnyOverlaps(const PixelRect& rect) const {
        int32_t any = 0;
        for (size_t at = 0; at < kBalls; ++at) {
            any |= Meets(left_[at], top_[at], right_[at], bottom_[at], rect);
        }
        return any != 0;
    }

  private:
    static constexpr size_t kBalls = kBallCount;
    static constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    static constexpr int32_t kLeast = std::numeric_limits<int32_t>::min();

    // Two rectangles share a pixel when, on each axis, each one starts before the other ends
    // and before it ends itself; the ball's own part is settled in Set.
    static int32_t Meets(int32_t left, int32_t top, int32_t right, int32_t bottom,
                         const PixelRect& rect) {
        return (left < rect.right) & (rect.left < right) & (rect.left < rect.right) &
               (top < rect.bottom) & (rect.top < bottom) & (rect.top < rect.bottom);
    }

    alignas(16) std::array<int32_t, kBalls> left_{};
    alignas(16) std::array<int32_t, kBalls> top_{};
    alignas(16) std::array<int32_t, kBalls> right_{};
    alignas(16) std::array<int32_t, kBalls> bottom_{};
};

}  // namespace vexmire
