#include "script/command_parser.h"

#include <string>

#include "script/malformed_line.h"
#include "script/setting_parser.h"
#include "script/words.h"

namespace vexmire {

std::optional<Command> ParseLine(std::string_view text, Game& game) {
    if (IsIgnored(text)) return std::nullopt;
    const CommandLine line = SplitCommand(text);
    if (auto event = ParseEvent(line)) return Command{std::move(*event)};
    if (line.verb == "set") {
        if (!line.hasRest) throw MalformedLine("usage: set NAME PROP VALUE");
        return ParseSet(line.rest, game);
    }
    if (line.verb == "var") {
        if (!line.hasRest) throw MalformedLine("usage: var NAME VALUE");
        return ParseVar(line.rest, game);
    }
    if (line.verb == "state") {
        Arguments(line, 0, "state");
        return command::State{};
    }
    if (line.verb == "render") {
        if (line.rest.empty()) throw MalformedLine("usage: render FILE");
        return command::Render{std::string(line.rest)};
    }
    throw MalformedLine("unknown command " + Quoted(line.verb));
}

std::optional<PlayerEvent> ParsePlayerLine(std::string_view text) {
    if (IsIgnored(text)) return std::nullopt;
    const CommandLine line = SplitCommand(text);
    if (line.verb == "set" || line.verb == "var" || line.verb == "render") {
        throw MalformedLine(Quoted(line.verb) +
                            " is not an event a player makes and has no place in a replay");
    }
    if (line.verb == "state") {
        Arguments(line, 0, "state");
        return std::nullopt;
    }
    if (auto event = ParseEvent(line)) return event;
    throw MalformedLine("unknown command " + Quoted(line.verb));
}

}  // namespace vexmire
