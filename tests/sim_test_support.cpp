#include "tests/sim_test_support.h"

#include <sstream>
#include <stdexcept>

#include "sim/run_script.h"

namespace vexmire {

const std::vector<std::string> kStartEvents = {
    R"({"event":"window","window":"Form1","visible":false})",
    R"({"event":"window","window":"Form2","visible":true})",
};

SimRun RunSim(std::string_view script) {
    std::istringstream in{std::string(script)};
    std::ostringstream out;
    std::ostringstream err;
    SimRun run;
    run.status = RunScript(in, out, err);
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) run.lines.push_back(line);
    run.err = err.str();
    return run;
}

std::vector<nlohmann::json> SimRun::Parsed() const {
    std::vector<nlohmann::json> parsed;
    for (const std::string& line : lines) parsed.push_back(nlohmann::json::parse(line));
    return parsed;
}

nlohmann::json SimRun::LastState() const {
    nlohmann::json last;
    for (const nlohmann::json& object : Parsed()) {
        if (object.contains("state")) last = object["state"];
    }
    return last;
}

const nlohmann::json& EntityIn(const nlohmann::json& state, std::string_view name) {
    for (const nlohmann::json& entity : state.at("entities")) {
        if (entity.at("name") == name) return entity;
    }
    throw std::out_of_range("no entity " + std::string(name) + " in the state");
}

}  // namespace vexmire
