#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "scene/entity.h"
#include "scene/sprite.h"
#include "script/player_event.h"

namespace vexmire {

// How many answers may wait for a prompt. A script that queues more than the game could ever
// ask for is wrong, and the queue must not grow with the script's length.
constexpr size_t kMaxQueuedAnswers = 1024;

// One script line, read and checked: every name in it is resolved against the game, every
// number is in range, so that carrying it out can fail only by what the rules themselves do.
namespace command {

struct SetGeometry {
    Entity* entity;
    void (Entity::*setter)(float);  // SetLeft, SetTop, SetWidth or SetHeight
    float value;
};
struct SetFlag {
    Entity* entity;
    bool Entity::*property;  // visible or enabled
    bool value;
};
struct SetCaption {
    Entity* entity;
    std::string text;
};
struct SetPicture {
    Entity* entity;
    const Sprite* picture;
};
struct SetVariable {
    int16_t* variable;
    int16_t value;
};
struct State {};
struct Render {
    std::string path;
};

}  // namespace command

// A player's event, or one of the driver's own commands.
using Command = std::variant<PlayerEvent, command::SetGeometry, command::SetFlag,
                             command::SetCaption, command::SetPicture, command::SetVariable,
                             command::State, command::Render>;

}  // namespace vexmire
