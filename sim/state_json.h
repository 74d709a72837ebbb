#pragma once

#include <cstdint>
#include <string>

#include "game/game.h"

namespace vexmire {

// The state object as one JSON line, without the line end:
// {"state":{"ticks":...,"vars":{...},"entities":[...]}}, the entities (all but the timer) in
// stacking order, topmost first.
std::string StateLine(const Game& game, uint64_t ticks);

}  // namespace vexmire
