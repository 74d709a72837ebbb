#include "platform/frame/disc_pixels.h"

namespace vexmire {

namespace {

bool InDisc(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    // Doubled coordinates keep centre and radii whole; exact for every box the game draws.
    const double dx = 2.0 * x + 1 - width;
    const double dy = 2.0 * y + 1 - height;
    const double w = width;
    const double h = height;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

}  // namespace

DiscPixel DiscPixelAt(int x, int y, int width, int height) {
    if (!InDisc(x, y, width, height)) return DiscPixel::Outside;
    const bool edge = !InDisc(x - 1, y, width, height) || !InDisc(x + 1, y, width, height) ||
                      !InDisc(x, y - 1, width, height) || !InDisc(x, y + 1, width, height);
    return edge ? DiscPixel::Outline : DiscPixel::Inside;
}

}  // namespace vexmire
