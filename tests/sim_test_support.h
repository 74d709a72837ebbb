#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace vexmire {

// What one run of a script through the driver gave.
struct SimRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output, one JSON line each
    std::string err;

    // The lines parsed, and the last state object printed (null when there is none).
    std::vector<nlohmann::json> Parsed() const;
    nlohmann::json LastState() const;
};

SimRun RunSim(std::string_view script);

// The two window events that start-up prints before the first line is read.
extern const std::vector<std::string> kStartEvents;

// One entity of a state object by its name, "imgPlayer" or "shpBall(3)".
const nlohmann::json& EntityIn(const nlohmann::json& state, std::string_view name);

}  // namespace vexmire
