#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "script/player_event.h"

namespace vexmire {

// A replay is read whole before it is played, so that it may be checked whole; a recording of
// an hour of play is a few hundred KB, and nothing longer than this is taken.
constexpr size_t kLongestReplay = 16 * 1024 * 1024;

// The player's events of a replay's script, in order (state lines and comments passed over),
// or why it cannot be played: status 2 and a one-line message without the program's name.
struct ReplayScript {
    std::vector<PlayerEvent> events;
    int status = 0;
    std::string message;
};

// Reads `text`, named `name` in its message: "NAME:LINE: WHAT" for a line that is malformed or
// not a player's, and the too-long message for a text longer than kLongestReplay.
ReplayScript ReadReplayScript(std::string text, const std::string& name);

// Why a script longer than kLongestReplay is refused.
std::string TooLongReplayMessage(const std::string& name);

}  // namespace vexmire
