#pragma once

#include <cstdint>

namespace vexmire {

enum class DiscPixel : uint8_t { Outside, Outline, Inside };

// Pixel (x, y) of the disc inscribed in a box of width × height pixels: it belongs to the disc
// when its centre lies in the ellipse touching the box's sides, and it is outline when one of
// its four neighbours does not. Worked out here rather than by an antialiasing rasteriser, so
// that every ball looks the same, pixel for pixel and symmetric, wherever it stands.
DiscPixel DiscPixelAt(int x, int y, int width, int height);

}  // namespace vexmire
