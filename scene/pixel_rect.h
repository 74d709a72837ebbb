#pragma once

#include <cstdint>

#include "scene/checked_int.h"

namespace vexmire {

// Pixels from left to right - 1 and from top to bottom - 1: right and bottom are exclusive.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Each edge sum is formed in single precision first, then rounded to nearest, ties to even.
inline PixelRect RoundRect(float left, float top, float width, float height) {
    const float right = left + width;
    const float bottom = top + height;
    return PixelRect{
        checked::ToInt32(left, "rectangle left"),
        checked::ToInt32(top, "rectangle top"),
        checked::ToInt32(right, "rectangle right"),
        checked::ToInt32(bottom, "rectangle bottom"),
    };
}

// True exactly when the two rectangles share at least one pixel: touching edges do not
// overlap, and an empty rectangle overlaps nothing. Both axes are always compared: whether a
// ball in flight meets an obstacle's columns changes from ball to ball, and one branch on the
// whole answer, nearly always false, costs far less than a mispredicted branch on each axis.
inline bool Overlaps(const PixelRect& a, const PixelRect& b) {
    const int32_t left = a.left > b.left ? a.left : b.left;
    const int32_t right = a.right < b.right ? a.right : b.right;
    const int32_t top = a.top > b.top ? a.top : b.top;
    const int32_t bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    const int64_t across = int64_t{right} - left;
    const int64_t down = int64_t{bottom} - top;
    return (across < down ? across : down) > 0;
}

}  // namespace vexmire
