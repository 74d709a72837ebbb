#pragma once

#include <QImage>

#include "scene/sprite.h"

namespace vexmire {

// The 30 × 30 picture of a drawing, read from the compiled-in resources at first use; a null
// image when the resource is missing.
const QImage& SpriteImage(Drawing drawing);

// Where the picture of a drawing lives among the resources, e.g. ":/sprites/player_up.png".
QString SpritePath(Drawing drawing);

}  // namespace vexmire
