#include "script/command_parser.h"

#include <string>

#include "script/malformed_line.h"
#include "script/numbers.h"
#include "script/setting_parser.h"
#include "script/words.h"

namespace vexmire {

namespace {

bool IsIgnored(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

// The words after the command; exactly `count` of them, or the usage is shown.
std::vector<std::string_view> Arguments(std::string_view rest, bool hasRest, size_t count,
                                        const char* usage) {
    std::vector<std::string_view> words;
    if (hasRest) words = SplitWords(rest);
    if (words.size() != count) throw MalformedLine(std::string("usage: ") + usage);
    return words;
}

int16_t KeyCode(std::string_view rest, bool hasRest, const char* usage) {
    const auto words = Arguments(rest, hasRest, 1, usage);
    return static_cast<int16_t>(ParseWhole(words[0], -32768, 32767, "key code"));
}

}  // namespace

std::optional<Command> ParseLine(std::string_view line, Game& game) {
    if (IsIgnored(line)) return std::nullopt;
    const size_t space = line.find(' ');
    const std::string_view verb = line.substr(0, space);
    const bool hasRest = space != std::string_view::npos;
    const std::string_view rest = hasRest ? line.substr(space + 1) : std::string_view();

    if (verb.empty()) throw MalformedLine("a command starts at the beginning of its line");
    if (verb == "newgame") {
        Arguments(rest, hasRest, 0, "newgame");
        return command::NewGame{};
    }
    if (verb == "quit") {
        Arguments(rest, hasRest, 0, "quit");
        return command::Quit{};
    }
    if (verb == "keydown") return command::KeyDown{KeyCode(rest, hasRest, "keydown CODE")};
    if (verb == "keyup") return command::KeyUp{KeyCode(rest, hasRest, "keyup CODE")};
    if (verb == "press") return command::Press{KeyCode(rest, hasRest, "press CODE")};
    if (verb == "tick") {
        if (!hasRest) return command::Tick{1};
        const auto words = Arguments(rest, hasRest, 1, "tick [N]");
        return command::Tick{
            static_cast<int32_t>(ParseWhole(words[0], 0, 10'000'000, "tick count"))};
    }
    if (verb == "answer") return command::Answer{std::string(rest)};
    if (verb == "set") {
        if (!hasRest) throw MalformedLine("usage: set NAME PROP VALUE");
        return ParseSet(rest, game);
    }
    if (verb == "var") {
        if (!hasRest) throw MalformedLine("usage: var NAME VALUE");
        return ParseVar(rest, game);
    }
    if (verb == "state") {
        Arguments(rest, hasRest, 0, "state");
        return command::State{};
    }
    if (verb == "render") {
        if (rest.empty()) throw MalformedLine("usage: render FILE");
        return command::Render{std::string(rest)};
    }
    throw MalformedLine("unknown command " + Quoted(verb));
}

}  // namespace vexmire
