#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace vexmire {

// Every replay script under replays/ run through the real vexmire-sim and compared with its
// expected lines. The expected file holds one JSON line per printed line; blank lines and lines
// starting with '#' are notes for the reader. An event line must match exactly. A state line
// need only name the fields that matter: every member it names must be there with the same
// value, and its "entities" are matched by "name", so {"state":{"ticks":5,"entities":[{"name":
// "imgPlayer","left":34}]}} checks the tick count and where the player stands, and nothing else.

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

std::vector<std::string> LinesOf(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> ExpectedLines(const fs::path& path) {
    std::vector<std::string> kept;
    for (const std::string& line : LinesOf(path)) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        kept.push_back(line);
    }
    return kept;
}

struct Printed {
    int status = -1;
    std::vector<std::string> lines;
    std::string errors;
};

// Runs vexmire-sim on the script, given on standard input or named as its argument.
Printed RunSim(const fs::path& script, bool asArgument) {
    const fs::path out = fs::path(::testing::TempDir()) / (script.stem().string() + ".out");
    const fs::path err = fs::path(::testing::TempDir()) / (script.stem().string() + ".err");
    const std::string command = "'" VEXMIRE_SIM "' " + std::string(asArgument ? "'" : "< '") +
                                script.string() + "' > '" + out.string() + "' 2> '" + err.string() +
                                "'";
    const int code = std::system(command.c_str());
    Printed printed;
    printed.status = WIFEXITED(code) ? WEXITSTATUS(code) : -1;
    printed.lines = LinesOf(out);
    std::ostringstream errors;
    errors << std::ifstream(err).rdbuf();
    printed.errors = errors.str();
    return printed;
}

void CompareSubset(const json& expected, const json& actual, const std::string& where,
                   std::vector<std::string>& problems);

// Entities are matched by name, wherever they stand in the printed list.
void CompareEntities(const json& expected, const json& actual, const std::string& where,
                     std::vector<std::string>& problems) {
    for (const json& want : expected) {
        const std::string name = want.at("name");
        const auto found = std::find_if(actual.begin(), actual.end(), [&](const json& entity) {
            return entity.contains("name") && entity["name"] == name;
        });
        if (found == actual.end()) {
            problems.push_back(where + ": no entity named " + name);
            continue;
        }
        CompareSubset(want, *found, where + "[" + name + "]", problems);
    }
}

void CompareSubset(const json& expected, const json& actual, const std::string& where,
                   std::vector<std::string>& problems) {
    if (expected.type_name() != actual.type_name() &&
        !(expected.is_number() && actual.is_number())) {
        problems.push_back(where + ": expected " + expected.dump() + ", got " + actual.dump());
    } else if (expected.is_object()) {
        for (const auto& [key, value] : expected.items()) {
            if (!actual.contains(key)) {
                problems.push_back(where + "." + key + ": missing");
            } else if (key == "entities" && value.is_array() && actual[key].is_array()) {
                CompareEntities(value, actual[key], where + "." + key, problems);
            } else {
                CompareSubset(value, actual[key], where + "." + key, problems);
            }
        }
    } else if (expected.is_array()) {
        if (expected.size() != actual.size()) {
            problems.push_back(where + ": expected " + std::to_string(expected.size()) +
                               " elements, got " + std::to_string(actual.size()));
            return;
        }
        for (size_t i = 0; i < expected.size(); ++i) {
            CompareSubset(expected[i], actual[i], where + "[" + std::to_string(i) + "]", problems);
        }
    } else if (expected != actual) {
        problems.push_back(where + ": expected " + expected.dump() + ", got " + actual.dump());
    }
}

// A playthrough that got stuck says where the player was last seen.
std::string WherePlayerStood(const std::vector<std::string>& lines) {
    std::string where = "no state was printed";
    for (const std::string& line : lines) {
        const json object = json::parse(line, nullptr, false);
        if (object.is_discarded() || !object.contains("state")) continue;
        where = "the state has no imgPlayer";
        for (const json& entity : object["state"].value("entities", json::array())) {
            if (entity.value("name", "") != "imgPlayer") continue;
            where = "the player stood at Left " + entity.value("left", json()).dump() + ", Top " +
                    entity.value("top", json()).dump();
        }
    }
    return where;
}

// Every difference between what was printed and what the expected file says, in words.
std::vector<std::string> Differences(const std::vector<std::string>& expected,
                                     const std::vector<std::string>& actual) {
    std::vector<std::string> problems;
    for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        const std::string line = "line " + std::to_string(i + 1);
        const json want = json::parse(expected[i], nullptr, false);
        if (want.is_discarded() || !want.is_object() || want.empty()) {
            problems.push_back("expected " + line + " is not a JSON object: " + expected[i]);
            continue;
        }
        const json got = json::parse(actual[i], nullptr, false);
        if (got.is_discarded() || !got.is_object() || got.empty() ||
            got.begin().key() != want.begin().key()) {
            problems.push_back(line + ": expected " + expected[i] + "\n        got " + actual[i]);
        } else if (want.contains("state")) {
            CompareSubset(want, got, line, problems);
        } else if (want != got) {
            problems.push_back(line + ": expected " + expected[i] + "\n        got " + actual[i]);
        }
    }
    if (expected.size() != actual.size()) {
        std::string count = "expected " + std::to_string(expected.size()) + " lines, got " +
                            std::to_string(actual.size());
        if (actual.size() > expected.size()) {
            count += "; the first extra line: " + actual[expected.size()];
        } else {
            count += "; the first missing line: " + expected[actual.size()];
        }
        problems.push_back(count);
    }
    return problems;
}

void CheckReplay(const fs::path& script, bool asArgument) {
    const Printed printed = RunSim(script, asArgument);
    ASSERT_EQ(printed.status, 0) << "vexmire-sim: " << printed.errors;
    ASSERT_EQ(printed.errors, "");
    fs::path expected = script;
    expected.replace_extension(".expected");
    ASSERT_TRUE(fs::exists(expected)) << expected;
    const std::vector<std::string> problems = Differences(ExpectedLines(expected), printed.lines);
    if (problems.empty()) return;
    std::string report;
    for (const std::string& problem : problems) report += "\n" + problem;
    ADD_FAILURE() << "replay " << script.filename().string() << " differs:" << report
                  << "\nat the last state printed, " << WherePlayerStood(printed.lines);
}

std::vector<std::string> ReplayNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(VEXMIRE_REPLAYS)) {
        if (entry.path().extension() == ".vxs") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, PrintsItsExpectedLines) {
    CheckReplay(fs::path(VEXMIRE_REPLAYS) / (GetParam() + ".vxs"), false);
}

INSTANTIATE_TEST_SUITE_P(Replays, Replay, ::testing::ValuesIn(ReplayNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

TEST(ReplayScript, NamedAsTheArgumentReadsTheSameAsOnStandardInput) {
    CheckReplay(fs::path(VEXMIRE_REPLAYS) / "walk_right_to_wall.vxs", true);
}

// The matcher itself: a state line checks only what it names, and says what differs.
TEST(ReplayMatcher, AStateLineChecksOnlyWhatItNamesAndEntitiesByName) {
    const std::string printed =
        R"({"state":{"ticks":5,"vars":{"ballDX":[0,10]},"entities":[)"
        R"({"name":"imgenemy","left":96},{"name":"imgPlayer","left":34,"top":256}]}})";
    EXPECT_TRUE(
        Differences({R"({"state":{"entities":[{"name":"imgPlayer","left":34}]}})"}, {printed})
            .empty());
    EXPECT_EQ(Differences({R"({"state":{"ticks":6}})"}, {printed}),
              std::vector<std::string>{"line 1.state.ticks: expected 6, got 5"});
    EXPECT_EQ(Differences({R"({"state":{"vars":{"ballDX":[0]}}})"}, {printed}),
              std::vector<std::string>{"line 1.state.vars.ballDX: expected 1 elements, got 2"});
    EXPECT_EQ(Differences({R"({"state":{"entities":[{"name":"imgLost"}]}})"}, {printed}),
              std::vector<std::string>{"line 1.state.entities: no entity named imgLost"});
    EXPECT_EQ(Differences({R"({"state":{"vars":{"hitsTaken":0}}})"}, {printed}),
              std::vector<std::string>{"line 1.state.vars.hitsTaken: missing"});
}

TEST(ReplayMatcher, EventLinesMatchExactlyAndEveryLineIsCounted) {
    const std::string beep = R"({"event":"beep"})";
    const std::string end = R"({"event":"end"})";
    EXPECT_TRUE(Differences({beep, end}, {beep, end}).empty());
    EXPECT_EQ(Differences({beep}, {end}).size(), 1u);
    EXPECT_EQ(Differences({beep}, {beep, end}),
              std::vector<std::string>{"expected 1 lines, got 2; the first extra line: " + end});
    EXPECT_EQ(Differences({beep, end}, {beep}),
              std::vector<std::string>{"expected 2 lines, got 1; the first missing line: " + end});
    EXPECT_EQ(Differences({R"({"event":"message","text":"a"})"},
                          {R"({"event":"message","text":"a","title":"b"})"})
                  .size(),
              1u);
}

}  // namespace

}  // namespace vexmire
