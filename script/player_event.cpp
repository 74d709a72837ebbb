#include "script/player_event.h"

#include "script/malformed_line.h"
#include "script/numbers.h"
#include "script/words.h"

namespace vexmire {

namespace {

using Kind = PlayerEvent::Kind;

PlayerEvent Key(Kind kind, const CommandLine& line, const char* usage) {
    const auto words = Arguments(line, 1, usage);
    return {kind, static_cast<int32_t>(ParseWhole(words[0], -32768, 32767, "key code")), {}};
}

}  // namespace

std::string FormatEvent(const PlayerEvent& event) {
    switch (event.kind) {
        case Kind::NewGame:
            return "newgame";
        case Kind::Quit:
            return "quit";
        case Kind::KeyDown:
            return "keydown " + std::to_string(event.number);
        case Kind::KeyUp:
            return "keyup " + std::to_string(event.number);
        case Kind::Press:
            return "press " + std::to_string(event.number);
        case Kind::Tick:
            return "tick " + std::to_string(event.number);
        case Kind::Answer: {
            if (event.text.empty()) return "answer";
            std::string line = "answer " + event.text;
            for (char& c : line) {
                if (c == '\n' || c == '\r') c = ' ';
            }
            return line;
        }
    }
    return {};
}

std::optional<PlayerEvent> ParseEvent(const CommandLine& line) {
    const std::string_view verb = line.verb;
    if (verb == "newgame") {
        Arguments(line, 0, "newgame");
        return PlayerEvent::NewGame();
    }
    if (verb == "quit") {
        Arguments(line, 0, "quit");
        return PlayerEvent::Quit();
    }
    if (verb == "keydown") return Key(Kind::KeyDown, line, "keydown CODE");
    if (verb == "keyup") return Key(Kind::KeyUp, line, "keyup CODE");
    if (verb == "press") return Key(Kind::Press, line, "press CODE");
    if (verb == "tick") {
        if (!line.hasRest) return PlayerEvent::Ticks(1);
        const auto words = Arguments(line, 1, "tick [N]");
        return PlayerEvent::Ticks(
            static_cast<int32_t>(ParseWhole(words[0], 0, 10'000'000, "tick count")));
    }
    if (verb == "answer") return PlayerEvent::Answer(std::string(line.rest));
    return std::nullopt;
}

}  // namespace vexmire
