#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "script/words.h"

namespace vexmire {

// What a player does, as a value: the same from a window, a replay or a script, written into a
// recording and read back from it by the two functions below, side by side.
struct PlayerEvent {
    enum class Kind {
        NewGame,  // the title window's "&New Game"
        Quit,     // the title window's "&Quit"
        KeyDown,  // `number`: the key code
        KeyUp,
        Press,   // a script's shorthand for KeyDown, then KeyUp
        Tick,    // `number`: how many ticks, one after the other
        Answer,  // `text`: the answer to the next text prompt
    };

    Kind kind = Kind::Tick;
    int32_t number = 0;
    std::string text;

    static PlayerEvent NewGame() { return {Kind::NewGame, 0, {}}; }
    static PlayerEvent Quit() { return {Kind::Quit, 0, {}}; }
    static PlayerEvent KeyDown(int32_t code) { return {Kind::KeyDown, code, {}}; }
    static PlayerEvent KeyUp(int32_t code) { return {Kind::KeyUp, code, {}}; }
    static PlayerEvent Press(int32_t code) { return {Kind::Press, code, {}}; }
    static PlayerEvent Ticks(int32_t count) { return {Kind::Tick, count, {}}; }
    static PlayerEvent Answer(std::string text) { return {Kind::Answer, 0, std::move(text)}; }

    friend bool operator==(const PlayerEvent&, const PlayerEvent&) = default;
};

// The event as a script line, without the line end: "newgame", "keydown 39", "tick 64",
// "answer 3916". The prompt's field holds one line, and so does the script's: a line end in an
// answer becomes a space.
std::string FormatEvent(const PlayerEvent& event);

// The event that a script line names; nullopt when its verb is not a player's. A player's verb
// used wrongly throws MalformedLine.
std::optional<PlayerEvent> ParseEvent(const CommandLine& line);

}  // namespace vexmire
