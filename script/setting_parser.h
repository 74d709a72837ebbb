#pragma once

#include <string_view>

#include "game/game.h"
#include "script/command.h"

namespace vexmire {

// `set NAME PROP VALUE`, given everything after "set ".
Command ParseSet(std::string_view arguments, Game& game);

// `var NAME VALUE`, given everything after "var ".
Command ParseVar(std::string_view arguments, Game& game);

}  // namespace vexmire
