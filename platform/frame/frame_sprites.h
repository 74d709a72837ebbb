#pragma once

#include <array>

#include "assets/sprite_pixels.h"
#include "platform/frame/rgba_frame.h"
#include "scene/sprite.h"

namespace vexmire {

// A drawing's 30 × 30 pixels, rows top first; alpha 0 where the picture is transparent.
using SpriteFrame = std::array<Rgba, kSpriteSide * kSpriteSide>;

const SpriteFrame& SpriteFrameOf(Drawing drawing);

}  // namespace vexmire
