#pragma once

#include <string_view>

namespace vexmire {

// The eight drawings of the game. A sprite is one picture object; several images may refer to
// the same sprite, and the player's facing is told by which sprite it refers to.
enum class Drawing {
    PlayerUp,
    PlayerRight,
    PlayerDown,
    PlayerLeft,
    EnemyUp,
    EnemyRight,
    EnemyLeft,
    EnemyDown
};

struct Sprite {
    // The image that the level gives this sprite to, e.g. "imgRPlayer".
    std::string_view owner;
    Drawing drawing;
};

// The ten sprites of the level: identity matters, so they live once for the whole program.
const Sprite& SpriteOf(std::string_view owner);

std::string_view DrawingName(Drawing drawing);

}  // namespace vexmire
