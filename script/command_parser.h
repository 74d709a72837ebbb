#pragma once

#include <optional>
#include <string_view>

#include "game/game.h"
#include "script/command.h"

namespace vexmire {

// Reads one script line (without its line end) into a command whose names refer into `game`.
// Blank lines and comments give nothing; anything else that is not a well-formed command
// throws MalformedLine.
std::optional<Command> ParseLine(std::string_view line, Game& game);

}  // namespace vexmire
