#include "scene/sprite.h"

#include <array>
#include <string>

#include "scene/program_fault.h"

namespace vexmire {

namespace {

// imgPlayer has its own copy of the right-facing drawing and imgenemy the down-facing enemy.
constexpr std::array<Sprite, 10> kSprites = {{
    {"imgPlayer", Drawing::PlayerRight},
    {"imgenemy", Drawing::EnemyDown},
    {"imgUPlayer", Drawing::PlayerUp},
    {"imgRPlayer", Drawing::PlayerRight},
    {"imgDPlayer", Drawing::PlayerDown},
    {"imgLPlayer", Drawing::PlayerLeft},
    {"imgUEnemy", Drawing::EnemyUp},
    {"imgREnemy", Drawing::EnemyRight},
    {"imgLEnemy", Drawing::EnemyLeft},
    {"imgDEnemy", Drawing::EnemyDown},
}};

}  // namespace

const Sprite& SpriteOf(std::string_view owner) {
    for (const Sprite& sprite : kSprites) {
        if (sprite.owner == owner) return sprite;
    }
    throw ProgramFault("no sprite belongs to " + std::string(owner));
}

std::string_view DrawingName(Drawing drawing) {
    switch (drawing) {
        case Drawing::PlayerUp:
            return "player_up";
        case Drawing::PlayerRight:
            return "player_right";
        case Drawing::PlayerDown:
            return "player_down";
        case Drawing::PlayerLeft:
            return "player_left";
        case Drawing::EnemyUp:
            return "enemy_up";
        case Drawing::EnemyRight:
            return "enemy_right";
        case Drawing::EnemyLeft:
            return "enemy_left";
        case Drawing::EnemyDown:
            return "enemy_down";
    }
    return "player_right";
}

}  // namespace vexmire
