#include "script/replay_script.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "script/command_parser.h"
#include "script/malformed_line.h"
#include "script/script_reader.h"

namespace vexmire {

std::string TooLongReplayMessage(const std::string& name) {
    return name + ": the script is longer than 16 MiB, which no recording of a game comes near";
}

ReplayScript ReadReplayScript(std::string text, const std::string& name) {
    ReplayScript script;
    if (text.size() > kLongestReplay) {
        script.status = 2;
        script.message = TooLongReplayMessage(name);
        return script;
    }
    // Room for a command a line at once: a growing list would at times need twice as much.
    script.events.reserve(std::count(text.begin(), text.end(), '\n') + 1);
    std::istringstream in(std::move(text));
    ScriptReader reader(in);
    try {
        for (std::string line; reader.Next(line);) {
            if (auto event = ParsePlayerLine(line)) script.events.push_back(std::move(*event));
        }
    } catch (const MalformedLine& malformed) {
        script.events.clear();
        script.status = 2;
        script.message = name + ":" + std::to_string(reader.lineNumber()) + ": " + malformed.what();
    }
    return script;
}

}  // namespace vexmire
