#pragma once

#include <optional>
#include <string_view>

#include "game/game.h"
#include "script/command.h"
#include "script/player_event.h"

namespace vexmire {

// Reads one script line (without its line end) into a command whose names refer into `game`.
// Blank lines and comments give nothing; anything else that is not a well-formed command
// throws MalformedLine.
std::optional<Command> ParseLine(std::string_view line, Game& game);

// Reads one line of a script that a player could have made (a recording): its event, or
// nothing for a blank line, a comment or `state`, which a replay passes over. The lines that
// change the game behind the rules' back (`set`, `var`, `render`) throw MalformedLine, as a
// malformed line does; no game is needed to read it.
std::optional<PlayerEvent> ParsePlayerLine(std::string_view line);

}  // namespace vexmire
